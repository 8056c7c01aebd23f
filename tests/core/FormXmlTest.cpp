#include "core/helpers/FormXml.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/os/AtomicFile.h"
#include "platform/os/CodePage.h"
#include "support/Golden.h"
#include "support/TestSupport.h"

namespace {

class FormXmlTest : public testsupport::HomeTest {
protected:
    std::string Path(const std::string& name) const { return home.Path() + "/" + name; }
};

TEST_F(FormXmlTest, WritesTheDocumentEscapedInCp1250WithCrLf) {
    const std::string path = Path("urlap.xml");
    {
        FormXmlWriter xml(path, SkipRule::EmptyOrZero);
        xml.Begin();
        xml.Tag("nyomtatvany");
        xml.Tag("nyomtatvanyinformacio");
        xml.Element("nyomtatvanyazonosito", "19SZJA");
        xml.Tag("adozo");
        xml.Element("nev", "Kovács Ödön");
        xml.Element("adoszam", "");
        xml.Tag("/adozo");
        xml.Tag("/nyomtatvanyinformacio");
        xml.Tag("mezok");
        xml.Cell("0A0001E010A", "Pest & Buda <Óbuda> \"régi\"");
        xml.Cell("0A0001E\"1", "x");
        xml.Cell("0A0001E004A", "", true);     // forced, empty
        xml.Cell("0B0001C0001DA", "0", true);  // forced zero
        xml.Cell("0B0001C0002BA", "0");        // dropped
        xml.Cell("0B0001C0002CA", " 0\t");     // dropped by the trim-zero rule
        xml.Cell("0B0001C0002DA", "");         // dropped
        xml.Cell("0B0001C0003BA", "-1500");
        xml.Tag("/mezok");
        xml.Tag("/nyomtatvany");
        xml.Finish();
    }
    const std::string bytes = testsupport::ReadBytes(path);
    EXPECT_EQ(bytes.substr(0, 5), "<?xml");  // no byte-order mark
    EXPECT_EQ(bytes.substr(bytes.size() - 18), "</nyomtatvanyok>\r\n");
    EXPECT_TRUE(testsupport::MatchesGolden("core/golden/FormXml", "escaped-and-skipped", bytes,
                                           testsupport::Encoding::Cp1250));
    std::string out;
    EXPECT_EQ(testsupport::RunCommand("xmllint --noout '" + path + "' 2>&1", &out), 0) << out;
}

TEST_F(FormXmlTest, SkipRulesDifferOnlyInTheTrimmedZero) {
    struct Case {
        const char* text;
        bool plain, trimZero;  // written under each rule
    };
    const Case cases[] = {{"", false, false}, {"0", true, false},  {" 0 ", true, false},
                          {"00", true, true}, {"0,5", true, true}, {" ", true, false}};
    for (const Case& c : cases) {
        for (SkipRule rule : {SkipRule::Empty, SkipRule::EmptyOrZero}) {
            const std::string path = Path("skip.xml");
            FormXmlWriter xml(path, rule);
            xml.Cell("0A0001C001A", c.text);
            xml.Finish();
            const bool written = testsupport::ReadBytes(path).find("mezo") != std::string::npos;
            EXPECT_EQ(written, rule == SkipRule::Empty ? c.plain : c.trimZero)
                << "'" << c.text << "' rule " << int(rule);
        }
    }
}

TEST_F(FormXmlTest, AFailedWriteLeavesTheTargetAsItWas) {
    const std::string path = Path("regi.xml");
    testsupport::WriteBytes(path, "old");
    try {
        FormXmlWriter xml(path);
        xml.Begin();
        xml.Element("nev", "Ωmega");  // no such letter in CP1250
        xml.Finish();
        ADD_FAILURE() << "written";
    } catch (const os::CodePageError&) {
    }
    EXPECT_EQ(testsupport::ReadBytes(path), "old");
    // A folder in the target's place.
    EXPECT_THROW(
        {
            FormXmlWriter xml(home.Path());
            xml.Begin();
            xml.Finish();
        },
        os::FileError);
    EXPECT_EQ(XmlWriteError("/x/a.xml", "nincs hely"),
              "Hiba történt a(z) /x/a.xml fájl írása során...\rnincs hely");
}

}  // namespace
