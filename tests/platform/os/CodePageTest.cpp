#include <gtest/gtest.h>

#include "platform/os/CodePage.h"
#include "support/TestSupport.h"

using namespace os;

using testsupport::Bytes;

TEST(CodePage, HungarianPangramThroughCp1250AndCp852) {
    const std::string text = "Árvíztűrő tükörfúrógép";
    const std::string cp1250 = Utf8ToCp1250(text);
    EXPECT_EQ(Bytes(cp1250), (std::vector<int>{193, 'r', 'v', 237, 'z', 't', 251, 'r', 245, ' ', 't',
                                               252, 'k', 246, 'r', 'f', 250, 'r', 243, 'g', 233, 'p'}));
    const std::vector<int> cp852 = {181, 'r', 'v', 161, 'z', 't', 251, 'r', 139, ' ', 't',
                                    129, 'k', 148, 'r', 'f', 163, 'r', 162, 'g', 130, 'p'};
    EXPECT_EQ(Bytes(HungarianCp1250ToCp852(cp1250)), cp852);
    EXPECT_EQ(Bytes(Utf8ToCp852(text)), cp852);
    EXPECT_EQ(Cp1250ToUtf8(cp1250), text);
    EXPECT_EQ(Cp852ToUtf8(Utf8ToCp852(text)), text);
}

TEST(CodePage, EighteenLettersMapExactlyAsTabulated) {
    struct Case {
        const char* letter;
        int cp1250;
        int cp852;
    };
    const Case cases[] = {
        {"Á", 193, 181}, {"É", 201, 144}, {"Í", 205, 214}, {"Ó", 211, 224}, {"Ö", 214, 153}, {"Ő", 213, 138},
        {"Ú", 218, 233}, {"Ü", 220, 154}, {"Ű", 219, 235}, {"á", 225, 160}, {"é", 233, 130}, {"í", 237, 161},
        {"ó", 243, 162}, {"ö", 246, 148}, {"ő", 245, 139}, {"ú", 250, 163}, {"ü", 252, 129}, {"ű", 251, 251},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.letter);
        EXPECT_EQ(Bytes(Utf8ToCp1250(c.letter)), std::vector<int>{c.cp1250});
        EXPECT_EQ(HungarianCp1250ToCp852(static_cast<unsigned char>(c.cp1250)), c.cp852);
        EXPECT_EQ(Bytes(Utf8ToCp852(c.letter)), std::vector<int>{c.cp852});
    }
    // Any other byte passes the fixed-width mapping unchanged.
    EXPECT_EQ(HungarianCp1250ToCp852(228), 228);  // ä in CP1250
    EXPECT_EQ(HungarianCp1250ToCp852('A'), 'A');
}

TEST(CodePage, UnmappableCharacterIsAnErrorNamingIt) {
    struct Case {
        const char* text;
        std::string (*convert)(const std::string&);
        const char* named;
    };
    const Case cases[] = {
        {"ár: 5 €", Utf8ToCp852, "\"€\" (U+20AC)"},    // in CP1250, not in CP852
        {"Zhōng 中", Utf8ToCp1250, "\"ō\" (U+014D)"},  // outside CP1250
        {"中", Utf8ToCp852, "\"中\" (U+4E2D)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            c.convert(c.text);
            ADD_FAILURE() << "no error";
        } catch (const CodePageError& e) {
            EXPECT_NE(std::string(e.what()).find(c.named), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(Bytes(Utf8ToCp1250("5 €")), (std::vector<int>{'5', ' ', 0x80}));
    EXPECT_THROW(Cp1250ToUtf8(std::string(1, '\x81')), CodePageError);  // undefined in CP1250
}
