#include <gtest/gtest.h>

#include "platform/os/Text.h"

using namespace os;

TEST(Text, AsciiCaseLeavesEveryOtherByte) {
    EXPECT_EQ(UpperAscii("dg_nev árvíz 09"), "DG_NEV áRVíZ 09");
    EXPECT_EQ(LowerAscii("TAVRINA/2019/Cegek.DB ÁRVÍZ"), "tavrina/2019/cegek.db ÁrvÍz");
    // clang-format off
    const struct { const char* a; const char* b; bool same; } cases[] = {
        {"Szamfejt_001.DB", "SZAMFEJT_001.db", true},
        {"ab",              "abc",             false},
        {"Árvíz",           "árvíz",           false},  // only ASCII letters fold
        {"a[",              "A{",              false},  // '[' and '{' differ by the case bit but are no letters
        {"",                "",                true},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(SameAsciiName(c.a, c.b), c.same) << c.a << " " << c.b;
}

TEST(Text, Utf8CountsAndCutsWholeCharacters) {
    const std::string text = "Őrség Tűzifa";  // Ő and ű take two bytes
    EXPECT_EQ(Utf8Length(text), 12u);
    EXPECT_EQ(Utf8Left(text, 3), "Őrs");
    EXPECT_EQ(Utf8Left(text, 0), "");
    EXPECT_EQ(Utf8Left(text, 99), text);
    EXPECT_EQ(Utf8Left("中文", 1), "中");
    EXPECT_EQ(Utf8SequenceLength(0x41), 1u);
    EXPECT_EQ(Utf8SequenceLength(0xC5), 2u);
    EXPECT_EQ(Utf8SequenceLength(0xE4), 3u);
    EXPECT_EQ(Utf8SequenceLength(0xF0), 4u);
    EXPECT_EQ(Utf8SequenceLength(0x80), 1u);  // stray continuation byte
}

TEST(Text, EachTrimDropsWhatItsNameSays) {
    const std::string s = std::string("\0 \t\x01Kiss Anna\r\n \0", 18);
    EXPECT_EQ(TrimWhitespace(" \t Kiss Anna\r\n"), "Kiss Anna");
    EXPECT_EQ(TrimWhitespace(s), s);  // NUL and control bytes stay
    EXPECT_EQ(TrimUpToBlank(s), "Kiss Anna");
    EXPECT_EQ(TrimSpacesAndNuls(std::string("\0  Kiss \0", 9)), "Kiss");
    EXPECT_EQ(TrimRightSpacesAndNuls(std::string("  Kiss \0", 8)), "  Kiss");
    EXPECT_EQ(TrimSpacesAndNuls(std::string(" \t ", 3)), "\t");
    for (auto trim : {TrimWhitespace, TrimUpToBlank, TrimSpacesAndNuls, TrimRightSpacesAndNuls})
        EXPECT_EQ(trim("   "), "");
}
