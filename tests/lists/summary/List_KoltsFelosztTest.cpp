// The cost allocation: each payroll row's share of the employee's charges of
// the payment date, only rows with a positive share stored, grouped by work
// number with totals; a failing query leaves the buttons usable.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>

#include "lists/summary/List_KoltsFeloszt.h"
#include "lists/summary/List_KoltsFelosztQR.h"
#include "platform/db/Query.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class ListKoltsFelosztTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        // clang-format off
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV",          "JC_SZHAKOT", "JC_MADOJKOT", "JC_NYJKOT", "JC_SZAKKEPZES"},
                {{"100",       "Havi bér",                  "I",          "I",           "N",         "N"},
                 {"101",       "Visszavonás",               "I",          "N",           "N",         "N"},
                 {"150",       "Jutalom",                   "N",          "N",           "N",         "N"},
                 {"160",       "Megbízási díj",             "N",          "N",           "I",         "I"},
                 {"330",       "Szociális hozzájárulási adó", "N",        "N",           "N",         "N"},
                 {"332",       "Munkaerőpiaci járulék",     "N",          "N",           "N",         "N"},
                 {"333",       "Nyugdíjpénztári tagdíj",    "N",          "N",           "N",         "N"},
                 {"336",       "Egészségügyi hozzájárulás", "N",          "N",           "N",         "N"},
                 {"351",       "Szakképzési hozzájárulás",  "N",          "N",           "N",         "N"}});
        Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_MUNKSZAM", "SF_OSSZEG", "SF_JARALAP"},
                {{"00000000001",   3,          "2019.03.10",  "100",      "000001",      200000.0,    0.0},
                 {"00000000001",   3,          "2019.03.10",  "101",      "000001",      -30000.0,    0.0},
                 {"00000000001",   3,          "2019.03.10",  "150",      "000001",      100000.0,    0.0},
                 {"00000000001",   3,          "2019.03.10",  "160",      "000002",      50000.0,     0.0},
                 {"00000000001",   3,          "2019.03.10",  "330",      "000001",      52500.0,     300000.0},
                 {"00000000001",   3,          "2019.03.10",  "332",      "000001",      4500.0,      300000.0},
                 {"00000000001",   3,          "2019.03.10",  "333",      "000001",      10000.0,     100000.0},
                 {"00000000001",   3,          "2019.03.10",  "336",      "000001",      3000.0,      0.0},
                 {"00000000001",   3,          "2019.03.10",  "336",      "000001",      9999.0,      0.0},
                 {"00000000001",   3,          "2019.03.10",  "351",      "000001",      4500.0,      300000.0},
                 // No base of 330, 324, 327 or 328: no share of the charges they carry.
                 {"00000000002",   3,          "2019.03.10",  "100",      "000001",      100000.0,    0.0},
                 {"00000000002",   3,          "2019.03.10",  "336",      "000001",      1000.0,      0.0},
                 {"00000000002",   3,          "2019.03.10",  "332",      "000001",      1000.0,      0.0},
                 // Another month.
                 {"00000000003",   4,          "2019.04.10",  "100",      "000001",      100000.0,    0.0},
                 {"00000000003",   4,          "2019.04.10",  "330",      "000001",      17500.0,     100000.0}});
        // clang-format on
    }

    // The stored rows: employee, item and the named fields' texts.
    std::map<std::string, std::string> Stored(const std::vector<const char*>& fields) {
        std::map<std::string, std::string> rows;
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = KoltsFelosztTabla().TableName();
        t.Open();
        for (t.First(); !t.Eof(); t.Next()) {
            std::string& r =
                rows[t.FieldByName("DOLGOZO_KOD").AsString() + " " + t.FieldByName("JOGCIM").AsString()];
            for (const char* f : fields)
                r += std::string(r.empty() ? "" : " ") + f + "=" + t.FieldByName(f).AsString();
        }
        return rows;
    }
};

TEST_F(ListKoltsFelosztTest, SharesOfTheChargesInProportionToTheRowsAmount) {
    os::FixedClock clock(os::EncodeDate(2019, 4, 15));
    TList_KoltsFelosztForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Összesítő listák/Költségfelosztás");
    form.SetValue("CurrencyEdit1", 3);
    form.Check("CheckBox1")->setChecked(true);
    const std::vector<QStringList> pages = Run(form);

    const auto rows = Stored({"MUNKASZAM", "MTBJ_NYB", "MTBJ_EB", "MMAJ", "MMNYPV", "MSZAKKEP", "TBJ_NYB",
                              "TBJALAP", "TBJ_EB", "TBJ"});
    // 52 500 × 200 000 / 300 000; the first 336 row wins; K' is 351's base alone.
    const std::map<std::string, std::string> expected = {
        {"00000000001 100",
         "MUNKASZAM=000001 MTBJ_NYB=35000 MTBJ_EB=2000 MMAJ=3000 MMNYPV=0 MSZAKKEP=0 TBJ_NYB=52500 "
         "TBJALAP=300000 TBJ_EB=3000 TBJ="},
        {"00000000001 160",
         "MUNKASZAM=000002 MTBJ_NYB=0 MTBJ_EB=0 MMAJ=0 MMNYPV=5000 MSZAKKEP=750 TBJ_NYB=52500 "
         "TBJALAP=300000 TBJ_EB=3000 TBJ="},
    };
    EXPECT_EQ(rows, expected);  // negative, zero and other months' rows are not stored

    ASSERT_EQ(pages.size(), 1u) << pagesText;
    EXPECT_TRUE(
        pages[0].contains("000002 | 00000000001 | 160 | 50000 | 0 | 0 | 0 | 0 | 5000 | 0 | 0 | 750 | 0"))
        << pagesText;
    EXPECT_TRUE(testsupport::MatchesGolden("lists/summary/golden/List_KoltsFelosztQR", "itemised", pagesText,
                                           testsupport::Encoding::Utf8, "pages.txt"));
}

TEST_F(ListKoltsFelosztTest, TotalsOnlyWhenNotItemisedAndASecondRunReplacesTheTable) {
    os::FixedClock clock(os::EncodeDate(2019, 4, 15));
    TList_KoltsFelosztForm form;
    Show(form);
    form.SetValue("CurrencyEdit1", 3);
    QTest::keyClick(form.Check("CheckBox1"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form.BitBtn1);
    Run(form);
    const std::vector<QStringList> pages = Run(form);
    EXPECT_EQ(Stored({}).size(), 2u);
    ASSERT_EQ(pages.size(), 1u) << pagesText;
    const QString text = pages[0].join("\n");
    EXPECT_FALSE(text.contains("00000000001")) << pagesText;
    EXPECT_TRUE(
        pages[0].contains("000001 | Összesen: | 200000 | 2000 | 0 | 35000 | 3000 | 0 | 0 | 0 | 0 | 0"))
        << pagesText;
    EXPECT_TRUE(pages[0].contains("000002 | Összesen: | 50000 | 0 | 0 | 0 | 0 | 5000 | 0 | 0 | 750 | 0"))
        << pagesText;
    EXPECT_EQ(pages[0].last(), "Mindösszesen: | 250000 | 2000 | 0 | 35000 | 3000 | 5000 | 0 | 0 | 750 | 0");
}

TEST_F(ListKoltsFelosztTest, AFailingQueryLeavesBothButtonsEnabled) {
    TList_KoltsFelosztForm form;
    Show(form);
    const std::string table = DM1->TableSzamfejt->TableName;
    DM1->TableSzamfejt->TableName = "Nincs_001";
    dialogs.Answer(ui::Ok);
    form.BitBtn1->click();
    DM1->TableSzamfejt->TableName = table;
    EXPECT_TRUE(dialogs.Text(0).starts_with("HIBA történt a lista megjelenítésekor! \r")) << dialogs.Text(0);
    EXPECT_TRUE(form.BitBtn1->isEnabled());
    EXPECT_TRUE(form.BitBtn2->isEnabled());
    EXPECT_EQ(form.Query1.SQL(), "");
    EXPECT_EQ(form.Query2.SQL(), "");
}

TEST_F(ListKoltsFelosztTest, ExportsLandscapePagesToPdf) {
    os::FixedClock clock(os::EncodeDate(2019, 4, 15) + os::EncodeTime(9, 0, 0));
    TList_KoltsFelosztForm form;
    Show(form);
    form.SetValue("CurrencyEdit1", 3);
    form.Check("CheckBox1")->setChecked(true);
    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    ASSERT_FALSE(pdf.pdf.empty());
    pdf.Check();
    EXPECT_EQ(pdf.pages, 1);
    std::string info;
    ASSERT_EQ(testsupport::RunCommand("pdfinfo '" + pdf.pdf + "'", &info), 0) << info;
    EXPECT_NE(info.find("Page size:       842 x 595 pts (A4)"), std::string::npos) << info;  // landscape A4
}

}  // namespace
