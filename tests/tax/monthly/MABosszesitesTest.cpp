// The 1908M totals run and its form: headers built from the payroll rows,
// the checks of the employees, a run repeated, a run that fails half-way,
// the month field and the refresh of the pay items' declaration cells.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "core/ReferenceData.h"
#include "platform/ui/Dialogs.h"
#include "tax/monthly/MABFixture.h"
#include "tax/monthly/MABLapok.h"
#include "tax/monthly/MABosszesites.h"

namespace mabtest {
namespace {

using V = db::Variant;

class RunTest : public MABTest {
protected:
    void SetUp() override {
        MABTest::SetUp();
        Employees({{"00000000001", "Kiss Anna", "8000000001"},
                   {"00000000002", "Kovács", "8000000002"},
                   {"00000000003", "Nagy Béla", V()}});
        testsupport::AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_ANYJANEV", "DG_LEANYKNEV", "DG_ALLAMP"},
                             {{"00000000002", "Szabó", "Kovács Éva", "hu"}});
        // A tax id left empty by an older version of the program.
        testsupport::RunCommand(
            "sqlite3 '" + EvKonyvtar() +
            "/Dolgozo_001.DB' \"UPDATE Dolgozo_001 SET DG_ADOAZ = '' WHERE DG_TORZSSZAM = "
            "'00000000003'\"");
        PayItems({{"T01", "Alapbér", "00", 301, "B"}, {"T10", "Táppénz", "10", V(), V()}});
        March({{"00000000001", "T01", 300000, 300000},
               {"00000000001", "T10", 10000, V(), V(), "2019.03.04", "2019.03.06"},
               {"00000000002", "T01", 200000, 200000},
               {"00000000003", "T01", 100000, 100000}});
    }

    std::vector<std::string> Run(const std::string& jelleg = "E") {
        std::vector<std::string> messages;
        MABOsszesitKellekek k;
        k.honap = 3;
        k.tol = "00000000001";
        k.ig = "00000000009";
        k.jelleg = jelleg;
        k.uzenet = [&messages](const std::string& s) { messages.push_back(s); };
        MABOsszesit(k);
        return messages;
    }

    // The twelve declaration tables as the sqlite3 shell dumps them.
    static std::string Dump() {
        std::string all;
        for (const char* t : {"MAB00", "MAB04", "MAB05", "MAB06", "MAB07", "MAB08", "MAB09", "MAB09a",
                              "MAB10", "MAB11", "MAB12", "MAB13"}) {
            std::string out;
            testsupport::RunCommand("sqlite3 '" + EvKonyvtar() + "/" + t + "_001.DB' .dump", &out);
            all += out;
        }
        return all;
    }
};

TEST_F(RunTest, HeadersFromTheEmployeesAndTheCompany) {
    // A sole trader: the name goes into the family-name field, whole when one word.
    testsupport::AddRows("Cegek", {"CG_KOD", "CG_NEV", "CG_ADOSZAM", "CG_EVADOAZ"},
                         {{"001", "Kovácsné", "12345678242", "8111111111"}});
    DM1->TableCegek->Close();
    Open();
    const std::vector<std::string> messages = Run("O1");
    EXPECT_EQ(messages,
              std::vector<std::string>{"A \"00000000003\" törzsszámú dolgozó \"Adóazonosító jel\" mezője "
                                       "nincs kitöltve, ezért a dolgozó adóbevallása nem készíthető el!"});
    struct Case {
        const char* torzsszam;
        const char* field;
        const char* value;
    };
    const Case cases[] = {
        {"00000000001", "DOLGNEV", "Kiss"},         {"00000000001", "DOLGUTONEV", "Anna"},
        {"00000000001", "DOLGADOAZ", "8000000001"}, {"00000000001", "HELYESBITES", "H"},
        {"00000000001", "IG", "2019.03.31"},        {"00000000002", "DOLGNEV", "Kovács"},
        {"00000000002", "DOLGUTONEV", ""},          {"00000000002", "DOLGANYJASZULNEV", "Szabó"},
        {"00000000002", "DOLGSZULNEV", "Kovács"},   {"00000000002", "DOLGSZULUTONEV", "Éva"},
        {"00000000002", "DOLGALLAMP", "HU"},        {"00000000002", "CEGCSALADINEV", "Kovácsné"},
        {"00000000002", "CEGUTONEV", ""},           {"00000000002", "CEGNEV", ""},
        {"00000000002", "CEGADOAZ", "8111111111"},
    };
    db::Table& mab00 = *DM1->TableMAB00;
    EXPECT_EQ(mab00.RecordCount(), 2);
    for (const Case& c : cases) {
        ASSERT_TRUE(mab00.Locate("TORZSSZAM", V(c.torzsszam))) << c.torzsszam;
        EXPECT_EQ(mab00.FieldByName(c.field).AsString(), c.value) << c.torzsszam << " " << c.field;
    }
    EXPECT_EQ(
        Pages("MAB04", "00000000001"),
        std::vector<std::string>{"S300D=0 S301A=2 S301B=300000 S301C=0 S301D=300000 S312D=300000 S313A=0 "
                                 "S313D=0 S315D=300000 S316D=300000 S330B=45000 S331B=0 S332B=45000"});
    EXPECT_EQ(Pages("MAB08", "00000000001"),
              std::vector<std::string>{"S523A=1 S523B=2019.03.01 S523C=2019.03.31 S526A=10 S526B=2019.03.04 "
                                       "S526C=2019.03.06 S542B=N"});
}

TEST_F(RunTest, ARepeatedRunGivesTheSameTablesAndAFailedOneLeavesThemAsTheyWere) {
    Open();
    Run();
    const std::string first = Dump();
    Run();
    EXPECT_EQ(Dump(), first);
    // An amount beyond 32 bits for the second employee, after the first
    // employee's header was rebuilt.
    March({{"00000000002", "T01", 3000000000.0, 0}});
    EXPECT_THROW(Run(), std::overflow_error);
    EXPECT_EQ(Dump(), first);
    EXPECT_EQ(DM1->TableMAB00->RecordCount(), 2);
}

// Two employees under one tax id: one header under the smaller employee
// number, the pages of each single-page sheet merged into one.
TEST_F(RunTest, EmployeesOfOneTaxIdShareOneHeaderAndOnePage) {
    testsupport::RunCommand(
        "sqlite3 '" + EvKonyvtar() +
        "/Dolgozo_001.DB' \"UPDATE Dolgozo_001 SET DG_ADOAZ = '8000000001' WHERE DG_TORZSSZAM = "
        "'00000000002'\"");
    Open();
    Run();
    EXPECT_EQ(DM1->TableMAB00->RecordCount(), 1);
    EXPECT_TRUE(Pages("MAB04", "00000000002").empty());
    // 300 000 and 200 000 of wages, 45 000 and 30 000 of tax.
    EXPECT_EQ(
        Pages("MAB04", "00000000001"),
        std::vector<std::string>{"S300D=0 S301A=2 S301B=500000 S301C=0 S301D=500000 S312D=500000 S313A=0 "
                                 "S313D=0 S315D=500000 S316D=500000 S330B=75000 S331B=0 S332B=75000"});
}

// --- The form -------------------------------------------------------------------

class FormTest : public RunTest {};

TEST_F(FormTest, MonthFieldAndAFailedRunShownInItsBox) {
    TMABosszesitesForm form;
    Show(form);
    EXPECT_EQ(form.MaskEdit1->text(), "3");
    EXPECT_EQ(form.MaskEdit2->text(), "00000000001");
    EXPECT_EQ(form.Label3->text(), "Kiss Anna");
    EXPECT_EQ(form.ComboBox1->currentText(), "E");
    ASSERT_EQ(form.ListBox1->count(), 3);
    EXPECT_EQ(form.ListBox1->item(0)->text(), "Figyelem!");

    dialogs.Answer(ui::Ok);
    form.MaskEdit1->setFocus();
    form.MaskEdit1->selectAll();
    QTest::keyClicks(form.MaskEdit1, "13");
    QTest::keyClick(form.MaskEdit1, Qt::Key_Return);
    EXPECT_EQ(dialogs.Text(0), "Ilyen hónap nem létezik!");
    EXPECT_TRUE(form.MaskEdit1->hasFocus());
    form.MaskEdit1->selectAll();
    QTest::keyClicks(form.MaskEdit1, "03");
    QTest::keyClick(form.MaskEdit1, Qt::Key_Return);
    EXPECT_EQ(form.MaskEdit1->text(), "3");

    March({{"00000000002", "T01", 3000000000.0, 0}});
    dialogs.Answer(ui::Ok);
    form.BitBtn2->click();
    EXPECT_EQ(dialogs.Caption(1), "Üzenetkezelő");
    EXPECT_EQ(dialogs.Text(1).rfind("HIBA történt az összesítéskor! \r", 0), 0u) << dialogs.Text(1);
    EXPECT_EQ(DM1->TableMAB00->RecordCount(), 0);
    EXPECT_TRUE(form.BitBtn2->isEnabled());
}

TEST_F(FormTest, PayItemCellsRefreshedFromTheYearsTable) {
    PayItems({{"T57", "Járulékalap", "00", 557, "C"}});
    testsupport::AddRows("JC2019", {"JC_KOD", "JC_HAVIBEVSOR", "JC_HAVIBEVOSZL"},
                         {{"T01", 307, "B"}, {"T57", 999, "Z"}, {"T10", V(), V()}});
    TMABosszesitesForm form;
    Show(form);
    dialogs.Answer(ui::Ok).Answer(ui::Ok);
    form.BitBtn1->click();
    EXPECT_EQ(dialogs.Text(0), "A(z) T57 számú jogcímhez nem rendelhető a(z) S999Z számú feltöltőkód.");
    EXPECT_EQ(dialogs.Text(1), "A jogcímek aktualizálása megtörtént");
    db::Table& jogcim = *DM1->TableJogcim;
    EXPECT_TRUE(jogcim.ReadOnly);
    const auto placement = [&jogcim](const char* kod) {
        jogcim.Locate("JC_KOD", V(kod));
        return jogcim.FieldByName("JC_HAVIBEVSOR").AsString() +
               jogcim.FieldByName("JC_HAVIBEVOSZL").AsString();
    };
    EXPECT_EQ(placement("T01"), "307B");
    EXPECT_EQ(placement("T57"), "557C");
    EXPECT_EQ(placement("T10"), "");
    EXPECT_EQ(form.BitBtn1->text(), "Jogcímek aktualizálása");

    std::filesystem::remove(EvKonyvtar() + "/JC2019.DB");
    dialogs.Answer(ui::Ok);
    form.BitBtn1->click();
    EXPECT_EQ(dialogs.Text(2),
              "HIBA! A \"JC2019\" adatállomány nem elérhető! A jogcímek aktualizálása nem történt meg!");
    EXPECT_TRUE(jogcim.ReadOnly);
}

// The shipped placements each name a cell of a 1908M sheet, and a company
// whose pay items lost theirs gets back, without a warning, every one the
// year's table carries.
TEST_F(FormTest, ShippedPlacementsNameSheetCellsAndTheRefreshRestoresThem) {
    testsupport::RunCommand(
        "sqlite3 '" + EvKonyvtar() +
        "/Jogcim_001.DB' 'UPDATE Jogcim_001 SET JC_HAVIBEVSOR = NULL, JC_HAVIBEVOSZL = NULL'");
    TMABosszesitesForm form;
    Show(form);
    for (const SeedRow& item : ShippedPayItems())
        if (const std::string* row = item.Value("JC_HAVIBEVSOR")) {
            EXPECT_TRUE(FeltoltokodLetezik("S" + *row + *item.Value("JC_HAVIBEVOSZL"))) << item.key;
        }

    dialogs.Answer(ui::Ok);
    form.BitBtn1->click();
    ASSERT_EQ(dialogs.Shown().size(), 1u) << dialogs.Text(0);
    EXPECT_EQ(dialogs.Text(0), "A jogcímek aktualizálása megtörtént");
    db::Table& jogcim = *DM1->TableJogcim;
    const auto placement = [&jogcim](const std::string& kod) {
        jogcim.Locate("JC_KOD", V(kod));
        return jogcim.FieldByName("JC_HAVIBEVSOR").AsString() +
               jogcim.FieldByName("JC_HAVIBEVOSZL").AsString();
    };
    for (const SeedRow& item : ShippedYearPayItems())
        if (const std::string* row = item.Value("JC_HAVIBEVSOR")) {
            EXPECT_EQ(placement(item.key), *row + *item.Value("JC_HAVIBEVOSZL")) << item.key;
        }
    EXPECT_EQ(placement("320"), "331B");
}

}  // namespace
}  // namespace mabtest
