// The employee data sheet: every payroll row of the year added into the cell
// its pay item names, the extra rules and the derived cells, three pages per
// employee, and the placement refresh the form runs.
#include <gtest/gtest.h>

#include <QPushButton>

#include "core/ReferenceData.h"
#include "lists/occasional/List_Adatlap.h"
#include "platform/db/Query.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class ListAdatlapTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Cegek",
                {"CG_KOD", "CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ", "CG_ADOSZAM"},
                {{"001", "9970", "Szentgotthárd", "Fő", "utca", "1.", "12345678242"}});
        // clang-format off
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV",           "JC_ADATLSOR", "JC_ADATLOSZL"},
                {{"100",       "Havi bér",                   1,             "D"},
                 {"120",       "Költségtérítés",             2,             "b"},  // upper-cased
                 {"130",       "Ingatlan bérbeadás",         8,             "B"},
                 {"140",       "Családi kedvezmény",         610,           "B"},
                 {"150",       "Tagdíj",                     55,            "B"},
                 {"160",       "Rossz helyen",               99,            "Z"},
                 {"170",       "Osztalék",                   167,           "B"},
                 {"300",       "Nyugdíjjárulék",             900,           "D"},
                 {"311",       "Családi járulékkedvezmény",  900,           "B"},
                 {"810",       "Hozott tagdíj",              55,            "B"},
                 {"820",       "Hozott jövedelem",           db::Variant(), ""}});
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV",    "DG_ADOAZ",   "DG_KTGNYIL", "DG_IRSZ", "DG_VAROS", "DG_SZULDAT"},
                {{"00000000001",   "Kiss Anna", "8123456789", "0",          "9970",    "Rábafüzes", "1980.05.06"}});
        Payroll({"SF_DGTORZSSZAM", "SF_DGMHKOD", "SF_HONAP", "SF_JCKOD", "SF_OSSZEG", "SF_ADOALAP", "SF_JARALAP"},
                {{"00000000001",   "000001",     3,          "100",      300000.0,    300000.0,     300000.0},
                 {"00000000001",   "000001",     3,          "300",      1000.0,      0.0,          100000.0},
                 {"00000000001",   "000001",     3,          "300",      2000.0,      0.0,          50000.0},
                 {"00000000001",   "000001",     4,          "150",      2000.4,      0.0,          0.0},
                 {"00000000001",   "000001",     4,          "810",      500.0,       0.0,          0.0},
                 {"00000000001",   "000001",     4,          "120",      10000.0,     4000.0,       0.0},
                 {"00000000001",   "000001",     4,          "160",      777.0,       0.0,          0.0},
                 {"00000000001",   "000001",     5,          "170",      1001.0,      0.0,          0.0},
                 {"00000000001",   "000001",     5,          "140",      10000.0,     0.0,          0.0},
                 {"00000000001",   "000001",     5,          "999",      5.0,         0.0,          0.0},   // no such item
                 {"00000000002",   "000002",     9,          "311",      300.0,       0.0,          0.0},
                 {"00000000002",   "000002",     9,          "140",      1000.0,      0.0,          0.0},
                 {"00000000002",   "000002",     9,          "130",      5000.0,      4000.0,       0.0},
                 {"00000000002",   "000002",     9,          "820",      9.0,         0.0,          0.0}});
        // clang-format on
    }

    // The work table's records by employee code, every field as text.
    std::map<std::string, std::map<std::string, std::string>> WorkTableRows() {
        std::map<std::string, std::map<std::string, std::string>> rows;
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = AdatlapTabla().TableName();
        t.Open();
        for (t.First(); !t.Eof(); t.Next())
            for (int i = 0; i < t.FieldCount(); ++i)
                rows[t.FieldByName("DOLGKOD").AsString()][t.Fields(i).FieldName()] = t.Fields(i).AsString();
        return rows;
    }
};

TEST_F(ListAdatlapTest, CellsAddUpThePayrollRowsWithTheExtraRulesAndTheDerivedCells) {
    TList_AdatlapForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Eseti listák/Adatlap");
    EXPECT_FALSE(form.Control("MaskEdit1")->isVisible());
    EXPECT_EQ(form.Text("MaskEdit2"), "000002");
    dialogs.Answer(ui::Ok);
    ASSERT_TRUE(form.TablaLetrehoz());
    EXPECT_EQ(dialogs.Text(0), "HIBA történt a(z) S99Z mező kitöltésekor!\rField 'S99Z' not found");
    EXPECT_EQ(dialogs.Caption(0), "Üzenetkezelő");
    EXPECT_EQ(DM1->Query1->SQL(), "");

    auto rows = WorkTableRows();
    ASSERT_EQ(rows.size(), 2u);
    auto& anna = rows["00000000001"];
    auto& masik = rows["00000000002"];
    const std::tuple<std::map<std::string, std::string>*, const char*, const char*> cells[] = {
        {&anna, "DOLGNEV", "Kiss Anna"},
        {&anna, "DOLGCIM", "9970 Rábafüzes       "},  // empty parts keep their blanks
        {&anna, "DOLGSZULDAT", "1980.05.06"},
        {&anna, "CEGCIM", "9970 Szentgotthárd Fő utca 1.    "},
        {&anna, "CEGADOSZ", "12345678242"},
        {&anna, "S0", "I"},        // 810 is brought forward
        {&anna, "S1D", "298000"},  // less the fee of 150, not of 810
        {&anna, "S55B", "2500"},   // both fees
        {&anna, "S2B", "10000"},   // column "b" upper-cased
        {&anna, "S2D", "4000"},    // the tax base
        {&anna, "S2C", "6000"},
        {&anna, "S2A", "1"},         // d above 0
        {&anna, "S3A", "0"},         // the declaration digit
        {&anna, "S900A", "150000"},  // two 300 rows' bases
        {&anna, "S903A", "150000"},
        {&anna, "S913A", "150000"},
        {&anna, "S900D", "3000"},
        {&anna, "S900C", "-3000"},
        {&anna, "S167D", "150"},  // 1001 * 15 %
        {&anna, "S176E", "150"},
        {&anna, "S67E", "150"},
        {&anna, "S18D", "302000"},
        {&anna, "S610B", "30000"},  // 10000 + 3000 / 15 %
        {&anna, "S610A", "1"},
        {&masik, "DOLGNEV", ""},  // not in the employee table
        {&masik, "CEGNEV", "Őrség Tűzifa Kft."},
        {&masik, "S0", "I"},      // 820 without a placement
        {&masik, "S7B", "5000"},  // 8B counts in row 7 too
        {&masik, "S8D", "4000"},
        {&masik, "S7D", "4000"},
        {&masik, "S7C", "1000"},
        {&masik, "S8C", "1000"},
        {&masik, "S7A", "1"},
        {&masik, "S18D", "4000"},
        {&masik, "S909B", "300"},
        {&masik, "S909C", "300"},
        {&masik, "S913C", "300"},
        {&masik, "S610B", "0"},  // 1000 - 300 / 15 % drops below 1
        {&masik, "S610A", ""},
    };
    for (auto [row, field, value] : cells) EXPECT_EQ((*row)[field], value) << field;
}

TEST_F(ListAdatlapTest, ThreePagesPerEmployee) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10));
    TList_AdatlapForm form;
    Show(form);
    std::vector<QStringList> pages;
    std::string pagesText;
    dialogs.Answer(ui::Ok);  // the misplaced item
    testsupport::AnswerPreview(dialogs, [&](TNyomtatasForm& preview) {
        const report::PagePrinter& p = preview.QuickRep->PagePrinter();
        for (int i = 1; i <= p.PageCount(); ++i) pages.push_back(PageLines(p, i));
        pagesText = report::PagesText(p);
    });
    form.BitBtn1->click();
    EXPECT_TRUE(form.BitBtn1->isEnabled());
    EXPECT_TRUE(form.BitBtn3->isEnabled());
    EXPECT_TRUE(DM1->Table1->TableName.empty());
    ASSERT_EQ(pages.size(), 6u) << pagesText;
    for (int e = 0; e < 2; ++e) {
        EXPECT_EQ(pages[3 * e][0], "Adatlap 2019");
        EXPECT_EQ(pages[3 * e + 1][0], "Adatlap 2019 II.");
        EXPECT_EQ(pages[3 * e + 2][0], "Adatlap 2019 III.");
    }
    EXPECT_TRUE(testsupport::MatchesGolden("lists/occasional/golden/List_Adatlap", "two-employees", pagesText,
                                           testsupport::Encoding::Utf8, "pages.txt"));
}

TEST_F(ListAdatlapTest, ExportsToPdf) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10) + os::EncodeTime(9, 0, 0));
    TList_AdatlapForm form;
    Show(form);
    dialogs.Answer(ui::Ok);
    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    ASSERT_FALSE(pdf.pdf.empty());
    pdf.Check();
    EXPECT_EQ(pdf.pages, 6);
}

TEST_F(ListAdatlapTest, PlacementsNeverLoadedAreRefreshedWhenTheFormOpens) {
    AddRows(YearPayItemTable(), {"JC_KOD", "JC_NEV", "JC_ADATLSOR", "JC_ADATLOSZL"},
            {{"100", "Alapbér", 1, "D"}, {"830", "Hozott adó", 65, "B"}});
    AddRows("Jogcim_001", {"JC_KOD", "JC_ADATLSOR"}, {{"100", db::Variant()}});
    dialogs.Answer(ui::Ok);
    TList_AdatlapForm form;
    Show(form);
    EXPECT_EQ(dialogs.Text(0), "A jogcímek aktualizálása megtörtént");
    db::Table& j = *DM1->TableJogcim;
    ASSERT_TRUE(j.Locate("JC_KOD", std::string("100")));
    EXPECT_EQ(j.FieldByName("JC_ADATLSOR").AsString(), "1");
    EXPECT_FALSE(j.Locate("JC_KOD", std::string("810")));
    EXPECT_TRUE(j.Locate("JC_KOD", std::string("830")));
    EXPECT_TRUE(j.ReadOnly);
    // Loaded now: the button runs it again on request only.
    dialogs.Answer(ui::Ok);
    form.BitBtn3->click();
    EXPECT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(form.BitBtn3->text(), "Jogcímek aktualizálása");
}

}  // namespace
