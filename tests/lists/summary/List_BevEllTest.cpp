// The declaration check and the amounts to transfer: rows by tax type and by
// account from the year's payroll rows, the sole trader apart from the
// employees, the thousands that add up, and the columns of the ticked months.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <map>

#include "core/StartValues.h"
#include "lists/summary/List_BevEll.h"
#include "lists/summary/List_BevEllQR.h"
#include "platform/db/Table.h"
#include "platform/report/PageText.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class ListBevEllTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Cegek", {"CG_KOD", "CG_EVADOAZ"}, {{"001", "8123456789"}});
        AddRows("MHely_001", {"MH_KOD", "MH_NEV"}, {{"000001", "Központ"}, {"000002", "Telep"}});
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD", "DG_ADOAZ"},
                {{"00000000001", "Kovács Anna", "000001", "8111111111"},
                 {"00000000002", "Tulaj Tamás", "000001", "8123456789"},
                 {"00000000003", "Telepi Teréz", "000002", "8222222222"}});
        // clang-format off
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV",     "SF_DGMHKOD", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_JARALAP"},
                {{"00000000001",   "Kovács Anna",  "000001",     1,          "2019.02.05",  "320",      1400.0,      0.0},
                 {"00000000001",   "Kovács Anna",  "000001",     2,          "2019.03.05",  "320",      1400.0,      0.0},
                 {"00000000001",   "Kovács Anna",  "000001",     3,          "2019.04.05",  "320",      1400.0,      0.0},
                 {"00000000001",   "Kovács Anna",  "000001",     1,          "2019.02.05",  "306",      500.0,       1000.0},
                 {"00000000001",   "Kovács Anna",  "000001",     1,          "2019.02.05",  "328",      300.0,       0.0},
                 {"00000000002",   "Tulaj Tamás",  "000001",     1,          "2019.02.05",  "320",      10000.0,     0.0},
                 {"00000000002",   "Tulaj Tamás",  "000001",     1,          "2019.02.05",  "328",      200.0,       0.0},
                 // his payroll row names the range's workplace, his current one does not
                 {"00000000003",   "Telepi Teréz", "000001",     1,          "2019.02.05",  "320",      99999.0,     0.0}});
        // clang-format on
    }

    // Runs the list; the printed lines of every page.
    std::vector<QStringList> Run(TList_BevEllForm& form) {
        std::vector<QStringList> pages = ListFixtureTest::Run(form);
        EXPECT_EQ(form.ProgressBar1->value(), 0);
        return pages;
    }

    struct Sor {
        std::string nev, anem, bankszla, szoveg;
        std::map<std::string, double> osszeg;  // "1_OSSZEG" ... ; null fields absent
    };
    static std::map<std::string, Sor> Rows() {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = BevEllTabla().TableName();
        t.Open();
        std::map<std::string, Sor> rows;
        for (t.First(); !t.Eof(); t.Next()) {
            Sor s{t.FieldByName("NEV").AsString(),
                  t.FieldByName("ANEM").AsString(),
                  t.FieldByName("BANKSZLA").AsString(),
                  t.FieldByName("SZOVEG").AsString(),
                  {}};
            for (const char* f : {"1_OSSZEG", "1_JARALAP", "2_OSSZEG", "3_OSSZEG", "SUM_OSSZEG"})
                if (!t.FieldByName(f).IsNull()) s.osszeg[f] = t.FieldByName(f).AsFloat();
            rows[t.FieldByName("BLOKK").AsString() + "/" + t.FieldByName("SOR").AsString()] = s;
        }
        t.Close();
        return rows;
    }
    static bool Has(const QStringList& page, const QString& text) {
        for (const QString& l : page)
            if (l.contains(text)) return true;
        return false;
    }
    static QString LineWith(const std::vector<QStringList>& pages, const QString& start) {
        for (const QStringList& p : pages)
            for (const QString& l : p)
                if (l.startsWith(start)) return l;
        return {};
    }
};

TEST_F(ListBevEllTest, DeclarationCheckWithTheSoleTrader) {
    TList_BevEllForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Összesítő listák/Bevallás ellenőrző - Utalandó tételek");
    EXPECT_EQ(form.Text("MaskEdit3"), "00000000002");
    EXPECT_EQ(form.Label2->text(), "Tulaj Tamás");
    EXPECT_EQ(form.Text("Edit3"), "8123456789");
    EXPECT_FALSE(form.Edit("MaskEdit3")->isEnabled());
    EXPECT_EQ(form.ListBox1->count(), 0);
    EXPECT_FALSE(form.UtalandoMod());

    const std::vector<QStringList> pages = Run(form);
    const auto rows = Rows();
    EXPECT_EQ(rows.size(), 28u + 1 + 1 + 15 + 1);
    // The employees and the owner apart; the other workplace's employee nowhere.
    EXPECT_EQ(rows.at("B001/IR_001").osszeg, (std::map<std::string, double>{{"1_OSSZEG", 1400},
                                                                            {"1_JARALAP", 0},
                                                                            {"2_OSSZEG", 1400},
                                                                            {"3_OSSZEG", 1400},
                                                                            {"SUM_OSSZEG", 4200}}));
    EXPECT_EQ(rows.at("B001/IR_001").anem, "290");
    EXPECT_EQ(rows.at("B001/IR_002").osszeg.at("SUM_OSSZEG"), 10000);
    EXPECT_EQ(rows.at("B001/IR_006").osszeg.at("1_JARALAP"), 1000);
    // The allowance row takes the owner's 328 too (he is not excluded).
    EXPECT_EQ(rows.at("B001/IR_017").osszeg.at("SUM_OSSZEG"), -500);
    EXPECT_EQ(rows.at("B002/IR_011").osszeg.at("SUM_OSSZEG"), 4200);
    EXPECT_EQ(rows.at("B002/IR_001").osszeg.at("SUM_OSSZEG"), 10000);
    EXPECT_EQ(rows.at("B002/IR_010").osszeg.at("SUM_OSSZEG"), -500);
    EXPECT_EQ(rows.at("B002/FEJ").nev, "Mindösszesen");
    EXPECT_TRUE(rows.at("B002/FEJ").osszeg.empty());
    EXPECT_TRUE(rows.at("B001/VEGE").osszeg.empty());
    EXPECT_EQ(rows.at("B002/IR_011").bankszla, "");  // account numbers only when transferring

    ASSERT_GE(pages.size(), 2u);
    EXPECT_TRUE(Has(pages[0], "Bevallás ellenőrző"));
    EXPECT_TRUE(Has(pages[0], "Január | Február"));
    EXPECT_TRUE(Has(pages[0], "Dec. | Összesen"));
    // The accounts start on a new page, after the check block has ended.
    EXPECT_FALSE(Has(pages[0], "Mindösszesen"));
    EXPECT_EQ(LineWith(pages, "SZJA | 290"),
              "SZJA | 290 | 1400 | 1400 | 1400 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 4200");
    // 1.4, 2.8 and 4.2 thousand to date print as 1, 2, 1 and then 0, total 4.
    bool found = false;
    for (size_t p = 1; p < pages.size(); ++p)
        for (int i = 0; i + 1 < pages[p].size(); ++i)
            if (pages[p][i].startsWith("SZJA | 290")) {
                EXPECT_EQ(pages[p][i + 1], "ezer Ft | 1 | 2 | 1 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 4");
                found = true;
            }
    EXPECT_TRUE(found);
}

TEST_F(ListBevEllTest, TransferModePrintsTheTickedMonths) {
    TList_BevEllForm form;
    Show(form);
    form.Check("CheckBox1")->setChecked(true);  // without the sole trader
    form.findChild<QCheckBox*>("cbHo03")->setChecked(true);
    form.findChild<QCheckBox*>("cbHo04")->setChecked(true);
    ASSERT_TRUE(form.UtalandoMod());
    const std::vector<QStringList> pages = Run(form);

    const auto rows = Rows();
    EXPECT_EQ(rows.size(), 1u + 15 + 1);
    EXPECT_EQ(rows.count("B001/IR_001"), 0u);
    EXPECT_EQ(rows.at("B002/IR_011").bankszla, "10032000-06055950");
    EXPECT_EQ(rows.at("B002/IR_011").szoveg, "NAV Személyi jövedelemadó beszedési számla");
    // The owner's amounts nowhere, not even in the allowance.
    EXPECT_EQ(rows.at("B002/IR_001").osszeg.at("SUM_OSSZEG"), 0);
    EXPECT_EQ(rows.at("B002/IR_010").osszeg.at("SUM_OSSZEG"), -300);

    ASSERT_FALSE(pages.empty());
    EXPECT_TRUE(Has(pages[0], "Utalandó tételek"));
    EXPECT_TRUE(Has(pages[0], "Március | Április"));
    EXPECT_FALSE(Has(pages[0], "Január"));
    EXPECT_FALSE(Has(pages[0], "Összesen"));
    EXPECT_EQ(LineWith(pages, "SZJA | 290"), "SZJA | 290 | 1400 | 0");
    EXPECT_EQ(LineWith(pages, "Utalandó | ezer Ft"), "Utalandó | ezer Ft | 0 | 0");  // the first account row
    EXPECT_EQ(LineWith(pages, "10032000-06055950"),
              "10032000-06055950 | NAV Személyi jövedelemadó beszedési számla");

    for (int m = 1; m <= 12; ++m)
        form.findChild<QCheckBox*>(QString("cbHo%1").arg(m, 2, 10, QChar('0')))->setChecked(true);
    const std::vector<QStringList> all = Run(form);
    ASSERT_FALSE(all.empty());
    EXPECT_TRUE(Has(all[0], "Dec. | Összesen"));
    EXPECT_EQ(LineWith(all, "SZJA | 290"),
              "SZJA | 290 | 1400 | 1400 | 1400 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 4200");
}

TEST_F(ListBevEllTest, NoSoleTraderInThePayroll) {
    AddRows("Cegek", {"CG_KOD", "CG_EVADOAZ"}, {{"001", "8999999999"}});
    TList_BevEllForm form;
    Show(form);
    ASSERT_EQ(form.ListBox1->count(), 1);
    EXPECT_EQ(form.ListBox1->item(0)->text(), "Nem található egyéni vállalkozó a számfejtésben.");
    EXPECT_EQ(form.Text("MaskEdit3"), "");
    EXPECT_TRUE(dialogs.Shown().empty());
    form.Check("CheckBox1")->setChecked(true);
    Run(form);
    const auto rows = Rows();
    // Everybody is one of the others; the owner rows stay at zero.
    EXPECT_EQ(rows.at("B001/IR_001").osszeg.at("SUM_OSSZEG"), 14200);
    EXPECT_EQ(rows.at("B001/IR_002").osszeg.at("SUM_OSSZEG"), 0);
    EXPECT_EQ(rows.at("B001/IR_017").osszeg.at("SUM_OSSZEG"), -500);
}

TEST(BevEllThousands, AddUpToTheYearToDate) {
    // clang-format off
    const struct { std::array<double, 12> months; std::array<int, 13> expected; } cases[] = {
        {{1400, 1400, 1400}, {1, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4}},
        // 0.5, 0.5, 1.5 thousand to date: no swing to -1 in February
        {{500, 0, 1000},     {1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}},
        {{-1500},            {-2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -2}},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(EzerForintok(c.months), c.expected);
}

}  // namespace
