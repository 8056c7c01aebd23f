// "Magán-nyugdíjpénztári lista": the parameter form's fund fields, the work
// table built from items 301, 302 and 333, and the pages a fund to a page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "controls/NumEdits.h"
#include "lists/payment/List_MNYP.h"
#include "lists/payment/List_MNYPQR.h"
#include "platform/db/Table.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

double Day(int y, int m, int d) { return os::EncodeDate(y, m, d); }

class ListMnypTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("NyugP", {"NP_KOD", "NP_NEV"}, {{"0101", "Első Pénztár"}, {"0202", "Második Pénztár"}});
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV", "DG_TAJSZ"},
                {{"00000000001", "Kiss Anna", "111222333"}, {"00000000002", "Nagy Béla", "444555666"}});
        // clang-format off
        Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_JARALAP", "SF_DGMNYP", "SF_DGMHKOD", "SF_DGKHKOD"},
                {{"00000000001",   2,          "2019.03.05",  "301",      1000.0,      12500.5,      "0101",      "000001",     "000001"},
                 {"00000000001",   2,          "2019.03.05",  "333",      200.0,       0.0,          "0101",      "000001",     "000001"},
                 {"00000000001",   2,          "2019.03.05",  "100",      99999.0,     0.0,          "0101",      "000001",     "000001"},
                 {"00000000001",   3,          "2019.04.05",  "301",      1.25,        2.5,          "0101",      "000001",     "000001"},
                 {"00000000001",   3,          "2019.04.05",  "301",      1.25,        0.0,          "0101",      "000001",     "000001"},
                 {"00000000001",   3,          "2019.04.05",  "302",      3.5,         0.0,          "0101",      "000001",     "000001"},
                 {"00000000002",   3,          "2019.04.05",  "301",      800.0,       10000.0,      "0202",      "000001",     "000001"},
                 {"00000000002",   3,          "2019.04.05",  "302",      100.0,       0.0,          "0202",      "000001",     "000001"},
                 // no longer in the employee table
                 {"00000000007",   3,          "2019.04.05",  "333",      50.0,        0.0,          "0202",      "000001",     "000001"},
                 // no fund: never a default bound
                 {"00000000008",   3,          "2019.04.05",  "100",      10.0,        0.0,          "",          "000001",     "000001"}});
        // clang-format on
    }

    // The work table in key order, one line per row.
    static std::vector<std::string> Sorok() {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = MnypTabla().TableName();
        t.Open();
        std::vector<std::string> lines;
        for (t.First(); !t.Eof(); t.Next()) {
            std::string line;
            for (int i = 0; i < t.FieldCount(); ++i) line += (i ? "|" : "") + t.Fields(i).AsString();
            lines.push_back(line);
        }
        return lines;
    }
};

TEST_F(ListMnypTest, FormDefaultsAndFundFields) {
    TList_MNYPForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Kifizetési listák/Magán-nyugdíjpénztári lista");
    EXPECT_EQ(form.MonthEdit("CurrencyEdit1")->FormattedDisplayText(), "03");
    EXPECT_EQ(form.MonthEdit("CurrencyEdit2")->FormattedDisplayText(), "03");
    EXPECT_EQ(form.Date("DateEdit1"), Day(2019, 3, 1));
    EXPECT_EQ(form.Date("DateEdit2"), Day(2019, 4, 5));
    EXPECT_EQ(form.Text("MaskEdit7"), "0101");  // the empty fund is skipped
    EXPECT_EQ(form.Text("MaskEdit8"), "0202");
    EXPECT_EQ(form.NameText("MaskEdit8"), "Második Pénztár");

    // An unknown fund is refused and cleared; blank fund fields still let the list run.
    QLineEdit* tol = form.Edit("MaskEdit7");
    tol->setFocus(Qt::TabFocusReason);
    tol->selectAll();
    QTest::keyClicks(tol, "9999");
    dialogs.Answer(ui::Ok);
    QTest::keyClick(tol, Qt::Key_Tab);
    EXPECT_EQ(dialogs.Text(0), "Ez a kód nem létezik!");
    EXPECT_EQ(form.Text("MaskEdit7"), "");
    EXPECT_EQ(form.NameText("MaskEdit7"), "");
    EXPECT_TRUE(tol->hasFocus());
    form.Edit("MaskEdit8")->clear();
    form.NyomtatasMehet();
    EXPECT_TRUE(form.BitBtn1->isEnabled());
    form.Edit("MaskEdit5")->clear();
    EXPECT_FALSE(form.BitBtn1->isEnabled());

    // Enter on the last fund field goes to "Lekérdezés" when it may run.
    form.Edit("MaskEdit5")->setText("00000000001");
    form.Edit("MaskEdit8")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.Edit("MaskEdit8"), Qt::Key_Return);
    EXPECT_TRUE(form.BitBtn1->hasFocus());
}

TEST_F(ListMnypTest, WorkTableAndPagesPerFund) {
    os::FixedClock clock(Day(2019, 4, 6) + os::EncodeTime(9, 0, 0));
    TList_MNYPForm form;
    Show(form);
    form.SetValue("CurrencyEdit1", 2);
    form.SetValue("DateEdit1", Day(2019, 2, 1));
    form.Edit("MaskEdit7")->clear();
    const std::vector<QStringList> pages = Run(form);

    // Month 2: no 302, so DOLGOZOI 0 and the total is fee + employer's part;
    // 12 500.5 is 12 500 and 1.25 + 1.25 stays 2.5: both halves go to even,
    // 3.5 to 4. The employee missing from the table keeps his row.
    const std::vector<std::string> expected = {
        "0101|00000000001|2|Kiss Anna|111222333|12500|1000|0|200|1200",
        "0101|00000000001|3|Kiss Anna|111222333|2|2|4|0|6",
        "0202|00000000002|3|Nagy Béla|444555666|10000|800|100|0|900",
        "0202|00000000007|3|||0|0|0|50|50",
    };
    EXPECT_EQ(Sorok(), expected);

    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(pages[0].contains("MNYP : |  - 0202"));
    EXPECT_TRUE(pages[0].contains(
        "00000000001 | Kiss Anna | 0101 | 111222333 | 12500 | 1000 | 0 | 200 | 1200 | 2019/2"));
    EXPECT_TRUE(pages[0].contains("00000000001 | Kiss Anna | 0101 | 111222333 | 2 | 2 | 4 | 0 | 6 | 2019/3"));
    EXPECT_TRUE(pages[0].contains("Összesen : | 12502 | 1002 | 4 | 200 | 1206"));
    EXPECT_FALSE(pages[0].join("\n").contains("Nagy"));
    EXPECT_TRUE(pages[1].contains("00000000007 | 0202 | 0 | 0 | 0 | 50 | 50 | 2019/3"));
    EXPECT_TRUE(pages[1].contains("Összesen : | 10000 | 800 | 100 | 50 | 950"));
    EXPECT_TRUE(pages[1].contains("Mindösszesen : | 22502 | 1802 | 104 | 250 | 2156"));
    EXPECT_TRUE(testsupport::MatchesGolden("lists/payment/golden/List_MNYPQR", "ket_penztar", pagesText,
                                           testsupport::Encoding::Utf8, "pages.txt"));
}

TEST_F(ListMnypTest, FundBoundOnOneSideAlone) {
    TList_MNYPForm form;
    Show(form);
    form.SetValue("CurrencyEdit1", 2);
    form.SetValue("DateEdit1", Day(2019, 2, 1));
    form.Edit("MaskEdit7")->setText("0202");
    form.Edit("MaskEdit8")->clear();
    Run(form);
    EXPECT_EQ(Sorok().size(), 2u);
    EXPECT_EQ(Sorok()[0].substr(0, 4), "0202");
}

TEST_F(ListMnypTest, OverflowingTotalStopsBeforeThePreview) {
    Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_DGMNYP", "SF_DGMHKOD",
             "SF_DGKHKOD"},
            {{"00000000002", 3, "2019.04.05", "333", 2147483000.0, "0202", "000001", "000001"}});
    TList_MNYPForm form;
    Show(form);
    dialogs.Answer(ui::Ok);
    form.BitBtn1->click();
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Caption(0), "Üzenetkezelő");
    EXPECT_EQ(dialogs.Text(0).rfind("HIBA történt a lista táblájának feltöltésekor! \r", 0), 0u);
    EXPECT_TRUE(form.BitBtn1->isEnabled());
    EXPECT_EQ(form.ProgressBar1->value(), 0);
    EXPECT_EQ(DM1->Table1->TableName, "");
}

TEST_F(ListMnypTest, ExportsToPdf) {
    os::FixedClock clock(Day(2019, 4, 6) + os::EncodeTime(9, 0, 0));
    TList_MNYPForm form;
    Show(form);
    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    pdf.Check();
    EXPECT_EQ(pdf.pages, 2);
}

}  // namespace
