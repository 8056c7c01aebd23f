// The income certificate totals: cells placed from payroll rows, derived
// cells, the run over ranges, and the totals form.
#include "tax/annual/Ado_M30ossz.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <map>

#include "core/CegKival.h"
#include "platform/db/Table.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::RowTable;
using Record = std::map<std::string, std::string>;

class M30Test : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        ASSERT_TRUE(TablaSablonbol("M30", "001"));
        // Pay items with their certificate cell: row, column, cost mark.
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV", "JC_ADOELSOR", "JC_ADOELOSZ", "JC_ADOELKTG"},
                {{"100", "Alapbér", 1, "D", ""},
                 {"201", "Költségtérítés", 2, "B", "C"},
                 {"155A", "Csökkentés", 900, "B", ""},
                 {"165", "Árfolyamnyereség", 165, "B", ""},
                 {"109", "Rossz helyen", 9, "D", ""},
                 {"309", "EKHO alap", 900, "T", ""},
                 {"550", "Tagdíj", 55, "B", ""},
                 {"600", "Megállapított járulék", 900, "B", ""},
                 {"601", "Levont járulék", 900, "D", ""},
                 {"700A", "Nyugdíjjárulék", 900, "B", ""},
                 {"850", "Hozott CSJK", 903, "C", ""}});
    }

    void Employees(const RowTable& rows) {
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV", "DG_ALKMIN", "DG_MHKOD", "DG_KILEPDAT"}, rows);
    }
    void Rows(const RowTable& rows) {
        Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_ADOALAP",
                 "SF_JARALAP", "SF_DGMHKOD"},
                rows);
    }
    void Run(const M30Ranges& ranges = {"000001", "000002", "00000000001", "00000000099"}) {
        db::Table& m30 = *dm->TableM30;
        m30.ReadOnly = false;
        m30.Open();
        dm->TableErtekkeszlet->Open();
        M30osszesit(ranges, "2019");
        dm->TableErtekkeszlet->Close();
        m30.Close();
    }
    // Every record: employee code -> field -> text.
    static std::map<std::string, Record> Records() { return testsupport::TableRecords("M30_001"); }
};

TEST_F(M30Test, CellsOfTheCasesAfterARun) {
    const std::string d = "2019.03.10";
    Employees({{"00000000001", "Kő Anna", "1", "000001", ""},
               {"00000000002", "Fa Béla", "1", "000001", ""},
               {"00000000003", "Víz Cili", "1", "000001", ""},
               {"00000000004", "Ég Dénes", "1", "000001", ""},
               {"00000000005", "Út Emil", "1", "000001", ""},
               {"00000000006", "Tó Feri", "6", "000001", ""},
               {"00000000007", "Hegy Gizi", "1", "000001", ""},
               {"00000000008", "Kút Hugó", "1", "000001", ""}});
    Rows({// cost item 2/B: revenue, cost and income
          {"00000000001", 3, d, "201", 10000, 6000, 0, "000001"},
          // row 165: the tax is 15 % rounded half away from zero
          {"00000000002", 3, d, "165", 1001, 0, 0, "000001"},
          {"00000000003", 3, d, "165", 1017, 0, 0, "000001"},
          {"00000000004", 3, d, "165", 1010, 0, 0, "000001"},
          {"00000000005", 3, d, "165", 10, 0, 0, "000001"},
          // kind 6: 17 % of 50 is 8.5, which gives 9
          {"00000000006", 3, d, "309", 0, 50, 0, "000001"},
          {"00000000006", 3, d, "100", 100000, 0, 0, "000001"},
          // brought-in family contribution allowance beside a wage
          {"00000000007", 3, d, "850", 1500, 0, 0, "000001"},
          {"00000000007", 3, d, "100", 100000, 0, 0, "000001"},
          // March: established and withheld contributions
          {"00000000008", 3, d, "600", 3000, 0, 0, "000001"},
          {"00000000008", 3, d, "700A", 2000, 0, 20000, "000001"},
          {"00000000008", 3, d, "601", 1000, 0, 0, "000001"},
          {"00000000008", 3, d, "100", 100000, 0, 0, "000001"}});
    Run();
    auto r = Records();
    struct Case {
        const char* employee;
        std::vector<std::pair<const char*, const char*>> cells;
    };
    const Case cases[] = {
        {"00000000001",
         {{"M30_S2B", "10000"}, {"M30_S2C", "4000"}, {"M30_S2D", "6000"}, {"M30_S18D", "6000"}}},
        {"00000000002",
         {{"M30_S165C", "1001"}, {"M30_S165D", "150"}, {"M30_S165E", "150"}, {"M30_S176C", "1001"}}},
        {"00000000003", {{"M30_S165D", "153"}, {"M30_S165E", "153"}}},
        {"00000000004", {{"M30_S165D", "152"}, {"M30_S165E", "152"}, {"M30_S67E", "152"}}},
        {"00000000005", {{"M30_S165D", "2"}, {"M30_S165E", "2"}}},
        {"00000000006", {{"M30_S903A", "50"}, {"M30_S903B", "9"}, {"M30_S903C", ""}}},
        {"00000000007",
         {{"M30_S903C", "1500"},
          {"M30_S0A", "I"},
          {"M30_S610B", "0"},
          {"M30_S913C", "1500"},
          {"M30_S1D", "100000"}}},
        {"00000000008",
         {{"M30_S903A", "20000"},
          {"M30_S903B", "5000"},
          {"M30_S903C", "4000"},
          {"M30_S903D", "1000"},
          {"M30_S913D", "1000"},
          {"M30_S0A", "N"},
          {"M30_S286G", "100000"}}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(r.count(c.employee)) << c.employee;
        for (auto [cell, value] : c.cells) EXPECT_EQ(r[c.employee][cell], value) << c.employee << " " << cell;
    }
}

TEST_F(M30Test, PlacementErrorsLeaversRepeatsAndKeptWorkplaces) {
    const std::string d = "2019.05.10";
    Employees({{"00000000001", "Kő Anna", "1", "000001", ""},
               {"00000000002", "Fa Béla", "1", "000001", "2019.06.30"},
               {"00000000003", "Víz Cili", "1", "000002", ""}});
    Rows({{"00000000001", 5, d, "109", 700, 0, 0, "000001"},
          {"00000000001", 5, d, "100", 50000, 0, 0, "000001"},
          {"00000000001", 6, d, "100", 50000, 0, 0, "000001"},
          {"00000000002", 5, d, "100", 80000, 0, 0, "000001"},
          // another workplace: a membership fee and a brought-in allowance,
          // so correcting S1D or S610B twice would show
          {"00000000003", 5, d, "100", 90000, 0, 0, "000002"},
          {"00000000003", 5, d, "550", 1000, 0, 0, "000002"},
          {"00000000003", 5, d, "850", 300, 0, 0, "000002"}});
    dialogs.Answer(ui::Ok);
    Run();
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(
        dialogs.Text(0),
        "A 00000000001 Törzsszámú dolgozónak a 109 kódú jogcím Adóelsz. sor és Adóelsz. oszl. mezők értékeit "
        "ellenőrizze le!");
    auto first = Records();
    EXPECT_EQ(first["00000000001"]["M30_S1D"], "100000");
    EXPECT_FALSE(first.count("00000000002"));  // left before the last day of the year
    EXPECT_EQ(first["00000000003"]["M30_S1D"], "89000");
    EXPECT_EQ(first["00000000003"]["M30_S610B"], "0");

    dialogs.Answer(ui::Ok);
    Run();
    EXPECT_EQ(Records(), first);

    // Only the first workplace: the other's record stays cell for cell.
    dialogs.Answer(ui::Ok);
    Run({"000001", "000001", "00000000001", "00000000099"});
    EXPECT_EQ(Records(), first);
}

TEST_F(M30Test, DerivedCellsOfARecord) {
    db::Table& m30 = *dm->TableM30;
    m30.ReadOnly = false;
    m30.Open();
    m30.Append();
    m30.FieldByName("M30_DGTORZSSZAM").SetAsString("00000000001");
    for (auto [cell, value] : {std::pair{"M30_S1D", 200000},
                               {"M30_S55B", 2000},
                               {"M30_S8B", 500},
                               {"M30_S8C", 100},
                               {"M30_S7B", 900},
                               {"M30_S7C", 300},
                               {"M30_S45B", 100000},
                               {"M30_S56B", 10},
                               {"M30_S610B", 20000},
                               {"M30_S905C", 1500}})
        m30.FieldByName(cell).SetAsInteger(value);
    ComputeM30Totals(m30, {.inPlaceCorrections = true, .s45Cap = 12 * 5000});
    EXPECT_EQ(m30.FieldByName("M30_S1D").AsInteger(), 198000);
    EXPECT_EQ(m30.FieldByName("M30_S18D").AsInteger(), 198000 + 600);  // row 8 only through row 7
    EXPECT_EQ(m30.FieldByName("M30_S286G").AsInteger(), 198000 + 600 + 2000);
    EXPECT_EQ(m30.FieldByName("M30_S45B").AsInteger(), 60000);
    EXPECT_EQ(m30.FieldByName("M30_S56A").AsInteger(), 2);  // 1.5 away from zero
    EXPECT_EQ(m30.FieldByName("M30_S610B").AsInteger(), 10000);
    // Saved again from the editor: the in-place corrections are not repeated.
    ComputeM30Totals(m30, {.inPlaceCorrections = false, .s45Cap = std::nullopt});
    EXPECT_EQ(m30.FieldByName("M30_S1D").AsInteger(), 198000);
    EXPECT_EQ(m30.FieldByName("M30_S610B").AsInteger(), 10000);
    // A sum past 32 bits stops.
    m30.FieldByName("M30_S2B").SetAsInteger(2147483647);
    m30.FieldByName("M30_S2C").SetAsInteger(-1);
    EXPECT_THROW(ComputeM30Totals(m30, {}), std::overflow_error);
    m30.Cancel();
    m30.Close();
}

TEST_F(M30Test, TheFormLoadsAMissingPlacementAndAFailedRunGivesTheButtonBack) {
    AddRows("Jogcim_001", {"JC_KOD", "JC_ADOELSOR", "JC_ADOELOSZ"}, {{"100", db::Variant(), db::Variant()}});
    AddRows("JC2019", {"JC_KOD", "JC_NEV", "JC_ADOELSOR", "JC_ADOELOSZ", "JC_ADOELKTG"},
            {{"100", "Alapbér", 1, "D", ""}});
    Employees({{"00000000001", "Kő Anna", "1", "000001", ""}, {"00000000002", "Fa Béla", "1", "000001", ""}});
    Rows({{"00000000001", 1, "2019.01.10", "100", 100000, 0, 0, "000001"},
          {"00000000002", 1, "2019.01.10", "100", 3000000000.0, 0, 0, "000001"}});
    AddRows("M30_001", {"M30_DGTORZSSZAM", "M30_S1D"}, {{"00000000001", 5}});
    std::vector<std::string> errors;
    testsupport::CollectApplicationErrors(errors);
    {
        dialogs.Answer(ui::Ok);  // the placement is loaded
        TAdo_M30osszForm form;
        Show(form);
        EXPECT_EQ(dialogs.Text(0), "A jogcímek aktualizálása megtörtént");
        EXPECT_EQ(LookupText(*dm->TableJogcim, "JC_KOD", "100", "JC_ADOELSOR"), "1");
        EXPECT_EQ(form.Text("MaskEdit5"), "00000000001");
        EXPECT_EQ(form.Text("MaskEdit6"), "00000000002");
        auto* osszesit = form.findChild<QPushButton*>("BitBtn1");
        ASSERT_TRUE(osszesit->isEnabled());
        osszesit->click();  // three thousand million does not fit a cell
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(osszesit->text(), "Összesít");
        EXPECT_TRUE(osszesit->isEnabled());
        EXPECT_EQ(dialogs.Shown().size(), 1u);  // no completion message
        form.close();
    }
    db::SetApplicationExceptionHandler(nullptr);
    auto r = Records();  // rolled back: the record as it was
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r["00000000001"]["M30_S1D"], "5");
}

}  // namespace
