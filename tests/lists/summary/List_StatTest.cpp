// The labour statistics: every cell a count or sum over the month's rows of
// the employees in employment, the totals from the cells, the amounts in
// thousands; one row in the work table, replaced by each run.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <map>
#include <stdexcept>

#include "core/StartValues.h"
#include "lists/summary/List_Stat.h"
#include "lists/summary/List_StatQR.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

// The cell statement called `failing` (counted from 1) fails.
class FailingStatForm : public TList_StatForm {
public:
    int failing = 0;
    int calls = 0;

protected:
    double Eredmeny(const ListSql& sql) override {
        if (++calls == failing) throw std::runtime_error("no such column: tSzamf.SF_HIBA");
        return TList_StatForm::Eredmeny(sql);
    }
};

class ListStatTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("MHely_001", {"MH_KOD", "MH_NEV", "MH_KHKOD"},
                {{"000001", "Központ", "000001"}, {"000005", "Raktár", "000001"}});
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV", "JC_KERESET"},
                {{"100", "Alapbér", "I"},
                 {"110", "Túlóra", "I"},
                 {"120", "Prémium", "N"},
                 {"160", "Egyéb munkajövedelem", "N"}});
        // clang-format off
        AddRows("Dolgozo_001",
                {"DG_TORZSSZAM", "DG_NEV",  "DG_MHKOD", "DG_JOGIALL", "DG_BELEPDAT", "DG_KILEPDAT", "DG_NAPIKOTORA", "DG_HETIKOTORA", "DG_FEOR", "DG_ALLAMP"},
                {{"00000000001", "Fizikai", "000001",   "N",          "2018.01.01",  db::Variant(), 8.0,             40.0,            "7111",    "HUN"},
                 {"00000000002", "Szellemi", "000001",  "N",          "2018.01.01",  db::Variant(), 8.0,             40.0,            "2511",    "svk"},
                 {"00000000003", "Részes",  "000001",   "N",          "2018.01.01",  db::Variant(), 6.0,             10.0,            "9112",    "HUN"},
                 {"00000000004", "FEOR nélkül", "000001", "N",        "2018.01.01",  db::Variant(), 4.0,             10.0,            "",        "HUN"},
                 {"00000000005", "Hatvan felett", "000001", "N",      "2018.01.01",  db::Variant(), 4.0,             20.0,            "4111",    "HUN"},
                 // the month's last day is still in it
                 {"00000000011", "Utolsó nap", "000001", "N",         "2019.03.31",  db::Variant(), 8.0,             40.0,            "7111",    "HUN"},
                 // in no cell: not "N", entry after the month, exit before it (an entry date is required)
                 {"00000000006", "Üres jogáll", "000001", "",         "2018.01.01",  db::Variant(), 8.0,             40.0,            "7111",    "HUN"},
                 {"00000000007", "Más jogáll", "000001", "M",         "2018.01.01",  db::Variant(), 8.0,             40.0,            "7111",    "HUN"},
                 {"00000000008", "Belépés után", "000001", "N",       "2019.04.01",  db::Variant(), 8.0,             40.0,            "7111",    "HUN"},
                 {"00000000009", "Kilépett", "000001",  "N",          "2018.01.01",  "2019.02.28",  8.0,             40.0,            "7111",    "HUN"}});
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_ORA", "SF_OSSZEG"},
                {{"00000000001",   "Fizikai",  3,          "2019.04.05",  "100",      160.0,    1000.0},
                 {"00000000001",   "Fizikai",  3,          "2019.04.05",  "110",      10.0,     499.0},
                 {"00000000001",   "Fizikai",  3,          "2019.04.05",  "120",      0.0,      2000.0},
                 {"00000000002",   "Szellemi", 3,          "2019.04.05",  "100",      168.0,    1500.0},
                 {"00000000002",   "Szellemi", 3,          "2019.04.05",  "160",      0.0,      3000.0},
                 {"00000000003",   "Részes",   3,          "2019.04.05",  "100",      40.0,     50000.0},
                 {"00000000004",   "FEOR nélkül", 3,       "2019.04.05",  "100",      20.0,     20000.0},
                 {"00000000005",   "Hatvan felett", 3,     "2019.04.05",  "100",      30.0,     10000.0},
                 {"00000000011",   "Utolsó nap", 3,        "2019.04.05",  "120",      0.0,      1000.0},
                 // another month and a pay item missing from the pay-item table
                 {"00000000001",   "Fizikai",  2,          "2019.03.05",  "100",      100.0,    100000.0},
                 {"00000000001",   "Fizikai",  3,          "2019.04.05",  "999",      100.0,    100000.0},
                 {"00000000006",   "Üres jogáll", 3,       "2019.04.05",  "100",      100.0,    100000.0},
                 {"00000000007",   "Más jogáll", 3,        "2019.04.05",  "100",      100.0,    100000.0},
                 {"00000000008",   "Belépés után", 3,      "2019.04.05",  "100",      100.0,    100000.0},
                 {"00000000009",   "Kilépett", 3,          "2019.04.05",  "100",      100.0,    100000.0},
                 {"00000000010",   "Nincs dolgozó", 3,     "2019.04.05",  "100",      100.0,    100000.0}});
        // clang-format on
    }

    // Runs the list and returns the printed lines of its page.
    QStringList Run(TList_StatForm& form) {
        const std::vector<QStringList> pages = ListFixtureTest::Run(form);
        EXPECT_EQ(pages.size(), 1u);
        EXPECT_EQ(form.ProgressBar1->value(), 0);
        return pages.empty() ? QStringList() : pages[0];
    }

    // The rows of the work table, cell by cell.
    static std::vector<std::map<std::string, double>> Cells() {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = StatTabla().TableName();
        t.Open();
        std::vector<std::map<std::string, double>> rows;
        for (t.First(); !t.Eof(); t.Next()) {
            std::map<std::string, double> row;
            for (const std::string& m : StatMezok()) row[m] = t.FieldByName(m).AsFloat();
            rows.push_back(row);
        }
        t.Close();
        return rows;
    }
    static double Day(int y, int m, int d) { return os::EncodeDate(y, m, d); }
};

TEST_F(ListStatTest, MonthAndWorkplaceDefaults) {
    TList_StatForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Összesítő listák/Munkaügyi adatok");
    EXPECT_EQ(form.Month("CurrencyEdit1"), 3);
    // From the workplace table: no payroll row names "000005".
    EXPECT_EQ(form.Text("MaskEdit1"), "000001");
    EXPECT_EQ(form.Text("MaskEdit2"), "000005");
    EXPECT_TRUE(form.BitBtn1->isEnabled());
    form.Edit("MaskEdit2")->clear();
    form.NyomtatasMehet();
    EXPECT_FALSE(form.BitBtn1->isEnabled());
}

TEST_F(ListStatTest, MonthEndsFromTheDateHelper) {
    // clang-format off
    const struct { int year, month, lastDay; } cases[] = {
        {2019, 2, 28}, {2020, 2, 29}, {2019, 4, 30}, {2019, 12, 31},
    };
    // clang-format on
    for (const auto& c : cases) {
        const auto [tol, ig] = StatIdoszak(c.year, c.month);
        EXPECT_EQ(tol, Day(c.year, c.month, 1));
        EXPECT_EQ(ig, Day(c.year, c.month, c.lastDay)) << c.year << "." << c.month;
    }
}

TEST_F(ListStatTest, CellsOfTheFixtureEmployees) {
    os::FixedClock clock(Day(2019, 4, 10));
    TList_StatForm form;
    Show(form);
    Run(form);  // a second run replaces the first one's table
    const QStringList p = Run(form);
    const std::string& text = pagesText;

    const auto rows = Cells();
    ASSERT_EQ(rows.size(), 1u);
    std::map<std::string, double> expected;
    for (const std::string& m : StatMezok()) expected[m] = 0;
    // clang-format off
    const std::map<std::string, double> filled = {
        // 1.1: 1 499 Ft of earnings print as 1, the bonuses 3 000 as 3; the
        // employee who entered on the month's last day counts
        {"S11A", 2}, {"S11B", 1}, {"S11D", 3},
        // 1.2: 1 500 Ft as 2; the foreign employee also in 1.9
        {"S12A", 1}, {"S12B", 2}, {"S12C", 3},
        {"S13A", 1}, {"S13B", 50},
        {"S14A", 1}, {"S14B", 10},
        // the part-timer under 60 hours and the one without FEOR
        {"S15A", 2}, {"S15B", 70},
        // 1.3 and 1.5 hold the "9112" part-timer twice
        {"S18A", 7}, {"S18B", 133}, {"S18C", 3}, {"S18D", 3},
        {"S19A", 1}, {"S19B", 2}, {"S19C", 3},
        {"S111A", 15}, {"S111B", 267}, {"S111C", 9}, {"S111D", 6},
        // item 110 in the staff row and in 2.5
        {"S21A", 170}, {"S22A", 168}, {"S23A", 30}, {"S24A", 60}, {"S25A", 10}, {"S27A", 438},
    };
    // clang-format on
    for (const auto& [cell, value] : filled) expected[cell] = value;
    for (const auto& [cell, value] : expected) EXPECT_EQ(rows[0].at(cell), value) << cell;

    EXPECT_TRUE(p.contains("Őrség | Dátum : | 2019.04.10")) << p.join("\n").toStdString();
    EXPECT_TRUE(p.contains("1.1 | Teljes munkaidős fizikai foglalkoztatásúak | 2 | 1 | 0 | 3"));
    EXPECT_TRUE(p.contains("1.6 | Egyéb, állományba nem tartozó munkavállalók | 0 | 0 | 0"));
    EXPECT_TRUE(p.contains("2.1 | Teljes munkaidóben foglalkoztatott fizikaiak teljesített munkaórái | 170"));
    EXPECT_TRUE(p.contains("2.6 | Kölcsönvett munkavállalók | 0"));
    EXPECT_TRUE(testsupport::MatchesGolden("lists/summary/golden/List_StatQR", "marcius", text,
                                           testsupport::Encoding::Utf8, "pages.txt"));
}

TEST_F(ListStatTest, AFailingCellQueryLeavesZeroAndTheOthersFilled) {
    FailingStatForm form;
    form.failing = 13;  // row 1.2, other income
    Show(form);
    dialogs.Answer(ui::Ok);
    Run(form);
    EXPECT_EQ(dialogs.Text(0), "no such column: tSzamf.SF_HIBA");
    const auto rows = Cells();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].at("S12C"), 0);
    EXPECT_EQ(rows[0].at("S19C"), 3);  // its foreign variant ran
    EXPECT_EQ(rows[0].at("S12B"), 2);
    EXPECT_EQ(rows[0].at("S27A"), 438);
}

TEST_F(ListStatTest, ExportsToPdf) {
    os::FixedClock clock(Day(2019, 4, 10) + os::EncodeTime(8, 0, 0));
    TList_StatForm form;
    Show(form);
    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    pdf.Check();
    EXPECT_EQ(pdf.pages, 1);
}

}  // namespace
