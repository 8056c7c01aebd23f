// The employer's tax assessment: the computation of a record, the
// renumbering, and the totals run from the income certificates, the
// declarations and the children sheet.
#include "tax/annual/Ado_M29ossz.h"

#include <gtest/gtest.h>

#include <QPushButton>

#include <climits>
#include <map>

#include "core/CegKival.h"
#include "platform/db/Table.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::RowTable;
using Cells = std::map<std::string, long long>;

class M29Test : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        for (const char* t : {"M30", "M29", "M292", "M294", "Nyilat"}) ASSERT_TRUE(TablaSablonbol(t, "001"));
        db::Table& m29 = *dm->TableM29;
        m29.ReadOnly = false;
        m29.Open();
    }
    void TearDown() override {
        dm->TableM29->Close();
        ListFixtureTest::TearDown();
    }

    // Tax id, code, workplace; declaration "N" unless given.
    void Employees(const RowTable& rows) {
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV", "DG_ADOAZ", "DG_MHKOD"}, rows);
    }
    void Declarations(const RowTable& rows) { AddRows("Nyilat_001", {"NY_DGTORZSSZAM", "NY_ONADOZO"}, rows); }
    void Certificates(const RowTable& rows) {
        AddRows("M30_001", {"M30_DGTORZSSZAM", "M30_S0A", "M30_S1D", "M30_S913C", "M30_S913B", "M30_S913D"},
                rows);
    }
    // Employee code and the January to March marks.
    void Children(const RowTable& rows) {
        AddRows("M292_001", {"M292_DGTORZSSZAM", "M292_JANUAR", "M292_FEBRUAR", "M292_MARCIUS"}, rows);
    }
    void Run(const M29Ranges& ranges = {"000001", "000009", "1000000000", "9999999999"}) {
        M29osszesit(ranges);
    }
    // Every record by tax id and nature: field -> text.
    static std::map<std::string, std::map<std::string, std::string>> Records() {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = "M29_001";
        t.Open();
        std::map<std::string, std::map<std::string, std::string>> out;
        for (; !t.Eof(); t.Next()) {
            auto& r =
                out[t.FieldByName("M29_DGADOAZ").AsString() + "/" + t.FieldByName("M29_JELLEG").AsString()];
            for (int i = 0; i < t.FieldCount(); ++i)
                if (t.Fields(i).Kind() == db::FieldKind::Data)
                    r[t.Fields(i).FieldName()] = t.Fields(i).AsString();
        }
        return out;
    }
};

// A new record with the given input cells, computed.
Cells Compute(db::Table& m29, const Cells& inputs, const std::vector<std::string>& outputs) {
    m29.Append();
    for (const auto& [cell, value] : inputs) m29.FieldByName("M29_S" + cell).SetAsInteger(value);
    M29SorSzamitas(m29);
    Cells out;
    for (const std::string& cell : outputs) out[cell] = m29.FieldByName("M29_S" + cell).AsInteger();
    m29.Cancel();
    return out;
}

TEST_F(M29Test, ComputationOfARecord) {
    struct Case {
        const char* name;
        Cells inputs;
        Cells expected;
    };
    const Case cases[] = {
        {"all empty",
         {},
         {{"18D", 0},
          {"21B", 0},
          {"25B", 0},
          {"26B", 0},
          {"27B", 0},
          {"29B", 0},
          {"32B", 0},
          {"40C", 0},
          {"61C", 0},
          {"79C", 0},
          {"80C", 0}}},
        {"6.67 exactly: 333.5 gives 334", {{"23A", 50}}, {{"23B", 334}, {"25B", -334}}},
        {"15 % exactly: 1.5 gives 2",
         {{"1D", 10}},
         {{"36C", 10}, {"40C", 2}, {"44C", 2}, {"48C", 2}, {"79C", 2}}},
        {"limit: 100 / 0.15 gives 667 over the base",
         {{"1D", 1000}, {"22A", 100000}, {"30B", 100}, {"31B", 50}},
         {{"26B", 1667}, {"27B", 1000}, {"28B", 667}, {"29B", 0}, {"30B", 100}, {"31B", 50}, {"32B", 50}}},
        {"a negative claim is replaced", {{"1D", 1000}, {"22A", 300}, {"26B", -5}}, {{"26B", 300}}},
        {"a claim above the limit is cut", {{"1D", 1000}, {"22A", 300}, {"26B", 5000}}, {{"26B", 300}}},
        {"a claim within the limit stays, nothing left clears rows 30 and 31",
         {{"1D", 1000}, {"22A", 300}, {"26B", 800}, {"30B", 30}, {"31B", 20}},
         {{"26B", 800}, {"27B", 800}, {"28B", 0}, {"29B", 200}, {"30B", 0}, {"31B", 0}, {"32B", 0}}},
        {"first-marriage allowance above the base",
         {{"1D", 1000}, {"20B", 2000}, {"22A", 500}},
         {{"21B", -1000}, {"26B", 500}, {"27B", -1000}, {"28B", 1500}, {"29B", 0}, {"36C", 0}}},
        {"revenues, separate taxes and the balance",
         {{"2C", 10},
          {"2D", 20},
          {"6C", 1},
          {"6D", 2},
          {"1D", 100000},
          {"45C", 1000},
          {"65B", 20000},
          {"66B", 5},
          {"165D", 1001},
          {"173D", 10},
          {"56B", 10}},
         {{"2B", 30},
          {"6B", 3},
          {"18D", 100022},
          {"165E", 150},
          {"173E", 2},
          {"178D", 1011},
          {"178E", 152},
          {"40C", 15003},
          {"47C", 1000},
          {"48C", 14003},
          {"56A", 2},
          {"61C", 14155},
          {"69B", 20005},
          {"76C", 20005},
          {"79C", 0},
          {"80C", 5850}}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> outputs;
        for (const auto& [cell, value] : c.expected) outputs.push_back(cell);
        EXPECT_EQ(Compute(*dm->TableM29, c.inputs, outputs), c.expected) << c.name;
    }
    // A sum beyond 32 bits stops the computation.
    EXPECT_THROW(Compute(*dm->TableM29, {{"1D", INT_MAX}, {"2D", 1}}, {}), std::overflow_error);
}

TEST_F(M29Test, RenumberingWithinEachNature) {
    AddRows("M29_001", {"M29_DGADOAZ", "M29_JELLEG", "M29_SORSZAM", "M29_S1D"},
            {{"8000000001", "E", 9, 10},
             {"8000000002", "H", 9, 0},
             {"8000000003", "E", 9, 0},
             {"8000000004", "H1", 9, 0},
             {"8000000005", "X", 7, 0}});
    dm->TableM29->Refresh();
    M29Sorszamozas(*dm->TableM29);
    auto r = Records();
    EXPECT_EQ(r["8000000001/E"]["M29_SORSZAM"], "1");
    EXPECT_EQ(r["8000000002/H"]["M29_SORSZAM"], "1");
    EXPECT_EQ(r["8000000003/E"]["M29_SORSZAM"], "2");
    EXPECT_EQ(r["8000000004/H1"]["M29_SORSZAM"], "1");
    EXPECT_EQ(r["8000000005/X"]["M29_SORSZAM"], "7");
    EXPECT_EQ(r["8000000001/E"]["M29_S40C"], "2");  // computed too
}

TEST_F(M29Test, FamilyAllowanceOfTheMonths) {
    Employees({{"00000000001", "Kő Anna", "1000000001", "000001"},
               {"00000000002", "Fa Béla", "1000000002", "000001"},
               {"00000000003", "Víz Cili", "1000000003", "000001"}});
    Declarations({{"00000000001", "N"}, {"00000000002", "N"}, {"00000000003", "N"}});
    Certificates({{"00000000001", "N", 100, 0, 0, 0},
                  {"00000000002", "N", 100, 0, 0, 0},
                  {"00000000003", "I", 100, 50, 0, 0}});
    Children({// January "1" and "3": two children, 83 330 + 41 665; February "2" counts only in the number
              {"00000000001", "1", "2", "0"},
              {"00000000001", "3", "1", ""},
              // three "1": 3 x 220 000
              {"00000000002", "1", "", ""},
              {"00000000002", "1", "", ""},
              {"00000000002", "1", "", ""},
              // one "3" alone: half of 66 670
              {"00000000003", "3", "", ""}});
    Run();
    auto r = Records();
    EXPECT_EQ(r["1000000001/E"]["M29_S22A"], std::to_string(124995 + 83330));
    EXPECT_EQ(r["1000000001/E"]["M29_JANUAR1"], "1");
    EXPECT_EQ(r["1000000001/E"]["M29_JANUAR3"], "1");
    EXPECT_EQ(r["1000000001/E"]["M29_FEBRUAR2"], "1");
    EXPECT_EQ(r["1000000001/E"]["M29_MARCIUS1"], "0");
    EXPECT_EQ(r["1000000002/E"]["M29_S22A"], "660000");
    EXPECT_EQ(r["1000000003/E"]["M29_S22A"], "33335");
    EXPECT_EQ(r["1000000003/E"]["M29_HOZOTTJOV"], "I");
    EXPECT_EQ(r["1000000003/E"]["M29_S24A"], "50");
    EXPECT_EQ(r["1000000003/E"]["M29_S24B"], "334");
    EXPECT_EQ(r["1000000003/E"]["M29_SORSZAM"], "3");
}

TEST_F(M29Test, TwoRecordsOfOneTaxIdCountTheChildrenOnce) {
    Employees({{"00000000001", "Kő Anna", "1000000001", "000001"},
               {"00000000002", "Kő Anna", "1000000001", "000002"}});
    Declarations({{"00000000001", "N"}, {"00000000002", "N"}});
    Certificates({{"00000000001", "N", 1000, 0, 0, 0}, {"00000000002", "I", 300, 0, 0, 0}});
    Children({{"00000000001", "1", "", ""}, {"00000000002", "1", "", ""}});
    Run();
    auto r = Records();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r["1000000001/E"]["M29_DGTORZSSZAM"], "00000000001");
    EXPECT_EQ(r["1000000001/E"]["M29_HOZOTTJOV"], "N");
    EXPECT_EQ(r["1000000001/E"]["M29_S1D"], "1300");
    EXPECT_EQ(r["1000000001/E"]["M29_JANUAR1"], "1");
    EXPECT_EQ(r["1000000001/E"]["M29_S22A"], "66670");

    // The second record's workplace outside the range: its cells are not added.
    Run({"000001", "000001", "1000000000", "9999999999"});
    r = Records();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r["1000000001/E"]["M29_S1D"], "1000");
    EXPECT_EQ(r["1000000001/E"]["M29_S22A"], "66670");
}

TEST_F(M29Test, WhoGetsARecordAndWhatARunKeeps) {
    Employees({{"00000000001", "Kő Anna", "1000000001", "000001"},
               {"00000000002", "Fa Béla", "1000000002", "000001"},
               {"00000000003", "Víz Cili", "1000000003", "000001"},
               {"00000000004", "Ég Dénes", "1000000004", "000002"}});
    // 2 did not ask for it; 3 has no certificate.
    Declarations({{"00000000001", "N"}, {"00000000002", "I"}, {"00000000003", "N"}, {"00000000004", "N"}});
    Certificates({{"00000000001", "N", 1000, 0, 0, 0},
                  {"00000000002", "N", 1000, 0, 0, 0},
                  {"00000000004", "N", 4000, 0, 0, 0}});
    // Hand-made: a "H" record of 1, an old "E" record of 3, and one of a
    // code no longer employed.
    AddRows("M29_001", {"M29_DGADOAZ", "M29_JELLEG", "M29_DGTORZSSZAM", "M29_S1D"},
            {{"1000000001", "H", "00000000001", 77},
             {"1000000003", "E", "00000000003", 5},
             {"1000000009", "E", "00000000009", 9}});
    dm->TableM29->Refresh();
    Run();
    auto r = Records();
    EXPECT_EQ(r.size(), 3u);
    EXPECT_EQ(r["1000000001/E"]["M29_S1D"], "1000");
    EXPECT_EQ(r["1000000001/H"]["M29_S1D"], "77");
    EXPECT_EQ(r["1000000001/H"]["M29_SORSZAM"], "1");
    EXPECT_EQ(r["1000000004/E"]["M29_SORSZAM"], "2");

    // A narrowed workplace range keeps the other workplace's record as it is.
    AddRows("M29_001", {"M29_DGADOAZ", "M29_JELLEG", "M29_S1D"}, {{"1000000004", "E", 12}});
    dm->TableM29->Refresh();
    Run({"000001", "000001", "1000000000", "9999999999"});
    r = Records();
    EXPECT_EQ(r["1000000004/E"]["M29_S1D"], "12");
    EXPECT_EQ(r["1000000001/E"]["M29_S1D"], "1000");
}

TEST_F(M29Test, AFailingRunLeavesTheTableAsItWas) {
    Employees({{"00000000001", "Kő Anna", "1000000001", "000001"}});
    Declarations({{"00000000001", "N"}});
    Certificates({{"00000000001", "N", 1000, 0, 0, 0}});
    // An old "E" record, and a hand-made one whose incomes overflow 32 bits.
    AddRows("M29_001", {"M29_DGADOAZ", "M29_JELLEG", "M29_S1D", "M29_S2D"},
            {{"1000000001", "E", 5, 0}, {"1000000002", "P", INT_MAX, 1}});
    dm->TableM29->Refresh();
    const auto before = Records();
    EXPECT_THROW(Run(), std::overflow_error);
    EXPECT_EQ(Records(), before);
}

TEST_F(M29Test, TheFormsRangesAndAFailedRunGivesTheButtonBack) {
    Employees({{"00000000001", "Kő Anna", "1000000001", "000001"},
               {"00000000002", "Fa Béla", "1000000003", "000001"},
               {"00000000003", "Víz Cili", "1000000002", "000001"}});
    Declarations({{"00000000001", "N"}, {"00000000002", "N"}});
    Certificates({{"00000000001", "N", 1000, 0, 0, 0}, {"00000000002", "N", 2000, 0, 0, 0}});
    Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_DGMHKOD"},
            {{"00000000001", 1, "2019.01.10", "100", 1000, "000001"},
             {"00000000002", 1, "2019.01.10", "100", 2000, "000001"}});
    // A hand-made record whose incomes overflow 32 bits.
    AddRows("M29_001", {"M29_DGADOAZ", "M29_JELLEG", "M29_S1D", "M29_S2D"},
            {{"1000000009", "P", INT_MAX, 1}});
    std::vector<std::string> errors;
    testsupport::CollectApplicationErrors(errors);
    {
        TAdo_M29osszForm form;
        Show(form);
        EXPECT_EQ(form.windowTitle(), "Adó/M29 összesítés");
        // The tax ids of the employees with payroll rows.
        EXPECT_EQ(form.Text("MaskEdit5"), "1000000001");
        EXPECT_EQ(form.Text("MaskEdit6"), "1000000003");
        auto* osszesit = form.findChild<QPushButton*>("BitBtn1");
        ASSERT_TRUE(osszesit->isEnabled());
        osszesit->click();
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(osszesit->text(), "Összesít");
        EXPECT_TRUE(osszesit->isEnabled());
        EXPECT_TRUE(dialogs.Shown().empty());
        EXPECT_EQ(Records().size(), 1u);  // rolled back

        AddRows("M29_001", {"M29_DGADOAZ", "M29_JELLEG", "M29_S2D"}, {{"1000000009", "P", 0}});
        dm->TableM29->Refresh();
        dialogs.Answer(ui::Ok);
        osszesit->click();
        EXPECT_EQ(dialogs.Text(0), "Az összesítés befejeződött!");
        EXPECT_EQ(Records().size(), 3u);
        form.close();
    }
    db::SetApplicationExceptionHandler(nullptr);
}

}  // namespace
