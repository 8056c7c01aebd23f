// The identifiers of the declaration's cells and the cell writer.
#include "tax/monthly/MABXml.h"

#include <gtest/gtest.h>

#include "controls/MemDataSet.h"
#include "core/helpers/FormXml.h"
#include "platform/os/DayNumber.h"
#include "platform/os/TempDir.h"
#include "support/DialogTest.h"
#include "support/TestSupport.h"

namespace {

TEST(MABXml, CellIdentifiersFromTheFieldName) {
    struct Case {
        const char* mezo;
        MABCsalad csalad;
        int copy;
        bool kulon;
        const char* eazon;
    };
    const MABCsalad A = MABCsalad::A, M = MABCsalad::M;
    // clang-format off
    const Case cases[] = {
        {"S301A", M, 1, false, "0B0001C0301AA"},
        {"S330B", M, 1, false, "0B0001D0330BA"},
        {"S386D", M, 2, true,  "0D0002D50001A"},
        {"S385A", M, 1, true,  "0D0001D50000A"},
        {"S690A", M, 1, true,  "0K0001E00500A"},
        {"S526a", M, 3, false, "0F0003D0526AA"},  // the column in upper case
        {"S705B", M, 1, false, "0L0001D0705BA"},
        {"S1C",   A, 1, false, "0B0001C0001CA"},
        {"S25C",  A, 1, false, "0B0001E0025CA"},
        {"S50N",  A, 1, false, "0D0001C0050NA"},
        {"S173C", A, 1, false, "0G0001D0173CA"},
        {"S300D", A, 1, false, "00010300DA"},  // a 1908M row in a summary table: no page code nor group
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(CellaEazon(c.mezo, c.csalad, c.copy, c.kulon), c.eazon) << c.mezo;

    EXPECT_EQ(KulonEazon("S696C"), "00513A");
    EXPECT_EQ(KulonEazon("S696c"), "");  // whole names, case-sensitive
    EXPECT_EQ(TablaLapKod("TableMAB09a"), "0H");
    EXPECT_EQ(TablaLapKod("TableMAB13"), "0L");
    EXPECT_EQ(TablaLapKod("TableMABOSZ01"), "");
}

TEST(MABXml, AFaultyNameIsShownAndGivesNoIdentifier) {
    struct Case {
        const char* mezo;
        const char* hiba;
    };
    const Case cases[] = {
        {"", "Üres mezőnév!"},
        {"L04_X", "A mező neve nem \"S\" betűvel kezdődik!"},
        {"SX1A", "'X1' nem érvényes egész szám."},
    };
    for (const Case& c : cases) {
        testsupport::ScriptedDialogs dialogs;
        dialogs.Answer(ui::Ok);
        EXPECT_EQ(CellaEazon(c.mezo, MABCsalad::M, 1), std::nullopt);
        EXPECT_EQ(dialogs.Caption(0), "Üzenet");
        EXPECT_EQ(dialogs.Text(0), std::string("Hiba a mező nevében...\r") + c.mezo + "\r" + c.hiba);
    }
}

TEST(MABXml, TheCellWriterWritesAValueByItsType) {
    testsupport::TempHome home;
    TMemoryData md;
    md.SetFieldDefs({{"S301A", db::FieldType::String, 5},
                     {"S330B", db::FieldType::Integer},
                     {"S331B", db::FieldType::Float},
                     {"S705B", db::FieldType::Date},
                     {"S339A", db::FieldType::Boolean}});
    md.Open();
    md.Append();
    md.Post();
    struct Case {
        const char* mezo;
        db::Variant ertek;
        int width;
        const char* line;  // "" when nothing is written
    };
    // clang-format off
    const Case cases[] = {
        {"S301A", "0",   0, "<mezo eazon=\"0B0001C0301AA\">0</mezo>"},
        {"S301A", "",    0, ""},
        {"S301A", "A&B", 0, "<mezo eazon=\"0B0001C0301AA\">A&amp;B</mezo>"},
        {"S330B", 0,     0, ""},
        {"S330B", -12,   0, "<mezo eazon=\"0B0001D0330BA\">-12</mezo>"},
        {"S331B", 0.4,   0, ""},
        {"S331B", 2.5,   0, "<mezo eazon=\"0B0001D0331BA\">3</mezo>"},
        {"S331B", -2.5,  0, "<mezo eazon=\"0B0001D0331BA\">-3</mezo>"},
        {"S705B", os::EncodeDate(2019, 3, 15), 4, "<mezo eazon=\"0L0001D0705BA\">0315</mezo>"},
        {"S705B", os::EncodeDate(2019, 3, 15), 0, "<mezo eazon=\"0L0001D0705BA\">20190315</mezo>"},
        {"S705B", db::Variant(), 4, ""},
    };
    // clang-format on
    const std::string path = home.Path() + "/cell.xml";
    for (const Case& c : cases) {
        md.Edit();
        md.FieldByName(c.mezo).SetValue(c.ertek);
        md.Post();
        {
            FormXmlWriter xml(path);
            MezoIr(xml, md.FieldByName(c.mezo), "", 1, c.width, MABCsalad::M);
            xml.Finish();
        }
        const std::string bytes = testsupport::ReadBytes(path);
        const std::string line = c.line[0] ? std::string(c.line) + "\r\n" : "";
        EXPECT_EQ(bytes, line + "</nyomtatvanyok>\r\n") << c.mezo;
    }
    {
        // A given identifier, and a copy of 0 without one: no attribute.
        FormXmlWriter xml(path);
        MezoIr(xml, md.FieldByName("S330B"), "0C0001C001A");
        md.Edit();
        md.FieldByName("S301A").SetAsString("X");
        md.Post();
        MezoIr(xml, md.FieldByName("S301A"), "", 0);
        testsupport::ScriptedDialogs dialogs;
        dialogs.Answer(ui::Ok);
        MezoIr(xml, md.FieldByName("S339A"), "", 1);
        EXPECT_EQ(dialogs.Text(0), "Nem található a mező típusa: S339A");
        xml.Finish();
    }
    EXPECT_EQ(testsupport::ReadBytes(path),
              "<mezo eazon=\"0C0001C001A\">-12</mezo>\r\n<mezo>X</mezo>\r\n</nyomtatvanyok>\r\n");
}

}  // namespace
