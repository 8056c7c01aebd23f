// The 1908-04, 1908-06 and 1908-07 steps through the totals run: one employee per case, each with
// the payroll rows that fill the cells the step reads.
#include <gtest/gtest.h>

#include <map>

#include "tax/monthly/MABFixture.h"

namespace mabtest {
namespace {

using V = db::Variant;

class Lap04Test : public MABTest {
protected:
    void SetUp() override {
        MABTest::SetUp();
        PayItems({{"P01", "Bér", "00", 301, "B"},
                  {"P06", "Egyéb", "00", 306, "B"},
                  {"P13", "Első házas", "00", 313, "D"},
                  {"P14", "Családi", "00", 314, "D"},
                  {"P30", "Adóelőleg", "00", 330, "B"},
                  {"P31", "Levont adóelőleg", "00", 331, "B"},
                  {"P63", "Külön adózó", "00", 363, "B"},
                  {"P65", "Külön adózó 365", "00", 365, "B"},
                  {"P97", "Egyéb adó", "00", 397, "A"},
                  {"E21", "EKHO", "00", 621, "C"},
                  {"E22", "EKHO 622", "00", 622, "C"},
                  {"281A", "Egyszerűsített foglalkoztatás", "00", V(), V()},
                  {"281B", "Közteher", "00", V(), V()}});
    }

    void Run() {
        Open();
        MABOsszesitKellekek k;
        k.honap = 3;
        k.tol = "00000000001";
        k.ig = "00000000099";
        k.jelleg = "E";
        MABOsszesit(k);
    }

    // The cells of the employee's only page of a sheet.
    static std::map<std::string, std::string> Cells(const std::string& id, const char* sheet = "MAB04") {
        std::map<std::string, std::string> cells;
        const std::vector<std::string> pages = Pages(sheet, id);
        if (pages.size() != 1) return {{"pages", std::to_string(pages.size())}};
        std::string rest = pages[0];
        while (!rest.empty()) {
            const size_t sp = rest.find(' ');
            const std::string item = rest.substr(0, sp);
            const size_t eq = item.find('=');
            cells[item.substr(0, eq)] = item.substr(eq + 1);
            rest = sp == std::string::npos ? "" : rest.substr(sp + 1);
        }
        return cells;
    }
};

TEST_F(Lap04Test, CasesThroughTheRun) {
    struct Case {
        const char* why;
        const char* id;
        RowTable employee;                            // DG_ELSOHAZASOSSZ, DG_CSALKEDV, DG_FOGYKEDV
        RowTable rows;                                // item, amount, tax base
        std::map<std::string, std::string> expected;  // "" for an empty cell
    };
    const Case cases[] = {
        {"10 % of the income exactly",
         "00000000001",
         {{0, 0, "N"}},
         {{"P06", 2000, 1800}},
         {{"S306C", "200"}, {"S306A", "1"}, {"S312D", "1800"}, {"S315D", "1800"}, {"S330B", "270"}}},
        {"more than 100 off",
         "00000000002",
         {{0, 0, "N"}},
         {{"P06", 2000, 1500}},
         {{"S306C", "500"}, {"S306A", "2"}}},
        {"101 costs",
         "00000000003",
         {{0, 0, "N"}},
         {{"P06", 2000, 1899}},
         {{"S306C", "101"}, {"S306A", "1"}}},
        {"100 costs",
         "00000000004",
         {{0, 0, "N"}},
         {{"P06", 2000, 1900}},
         {{"S306C", "100"}, {"S306A", "2"}}},
        {"no income empties the base, a negative one keeps it",
         "00000000005",
         {{0, 0, "N"}},
         {{"P01", 0, 500}, {"P06", -100}},
         {{"S301B", "0"},
          {"S301D", ""},
          {"S306D", "0"},
          {"S306C", ""},
          {"S312D", "0"},
          {"S315D", ""},
          {"S330B", ""},
          {"S331B", ""}}},
        {"first marriage over the half",
         "00000000006",
         {{33335, 0, "N"}},
         {{"P01", 100000, 100000}, {"P13", 5000}},
         {{"S313A", "33335"}, {"S313D", "5000"}, {"S337A", "1"}, {"S315D", "95000"}, {"S330B", "14250"}}},
        {"first marriage under the half",
         "00000000007",
         {{16668, 0, "N"}},
         {{"P01", 100000, 100000}, {"P13", 5000}},
         {{"S337A", "2"}}},
        {"disability with family allowance",
         "00000000008",
         {{0, 950, "I"}},
         {{"P01", 1000, 1000}, {"P14", 950}},
         {{"S314A", "950"}, {"S314D", "900"}, {"S315D", "100"}, {"S333A", "X"}, {"S330B", "15"}}},
        {"the tax advance of the payroll added, never below 0",
         "00000000009",
         {{0, 0, "N"}},
         {{"P01", 1000, 1000}, {"P30", -500}},
         {{"S330B", "0"}}},
    };
    RowTable employees, details, payroll;
    for (const Case& c : cases) {
        employees.push_back({c.id, "Teszt Elek", std::string("81") + (c.id + 3)});
        details.push_back({c.id, c.employee[0][0], c.employee[0][1], c.employee[0][2]});
        for (const auto& r : c.rows) {
            std::vector<V> row = {c.id};
            row.insert(row.end(), r.begin(), r.end());
            payroll.push_back(row);
        }
    }
    Employees(employees);
    testsupport::AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_ELSOHAZASOSSZ", "DG_CSALKEDV", "DG_FOGYKEDV"},
                         details);
    testsupport::AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKNUM"}, {{"0", "31", 15}});
    March(payroll);
    Run();
    for (const Case& c : cases) {
        const auto cells = Cells(c.id);
        for (const auto& [cell, value] : c.expected) {
            const auto it = cells.find(cell);
            EXPECT_EQ(it == cells.end() ? "" : it->second, value) << c.why << ": " << cell;
        }
    }
    EXPECT_EQ(Pages("MAB05", "00000000008"), std::vector<std::string>{"S345A=1"});
}

TEST_F(Lap04Test, SeparatelyTaxedIncomeTakesItsTaxOffTheAdvance) {
    struct Case {
        const char* why;
        const char* id;
        RowTable rows;  // item, amount
        const char* sheet;
        std::map<std::string, std::string> expected;
    };
    const Case cases[] = {
        {"15 % of a positive base",
         "00000000001",
         {{"P63", 100}},
         "MAB06",
         {{"S363D", "15"}, {"S363E", "15"}, {"S369B", "100"}, {"S369E", "15"}}},
        {"15 % of a negative base",
         "00000000002",
         {{"P63", -100}},
         "MAB06",
         {{"S363D", "-15"}, {"S363E", "-15"}}},
        {"49.95 rounds up", "00000000003", {{"P65", 333}}, "MAB06", {{"S365D", "50"}, {"S365E", "50"}}},
        {"the withheld tax off the advance",
         "00000000004",
         {{"P30", 500}, {"P31", 600}, {"P63", 1000}},
         "MAB04",
         {{"S330B", "500"}, {"S331B", "450"}, {"S332B", "50"}}},
        {"nothing left and no base: empty",
         "00000000005",
         {{"P63", 1000}},
         "MAB04",
         {{"S330B", ""}, {"S331B", ""}, {"S332B", "150"}}},
        {"other tax items off both",
         "00000000006",
         {{"P30", 100}, {"P31", 100}, {"P97", 200}},
         "MAB04",
         {{"S330B", "70"}, {"S331B", "70"}}},
        {"their own 15 %", "00000000006", {}, "MAB07", {{"S397A", "200"}, {"S398A", "30"}}},
    };
    RowTable employees, payroll;
    for (const Case& c : cases) {
        if (employees.empty() || employees.back()[0].ToString() != c.id)
            employees.push_back({c.id, "Teszt Elek", std::string("81") + (c.id + 3)});
        for (const auto& r : c.rows) payroll.push_back({c.id, r[0], r[1]});
    }
    Employees(employees);
    March(payroll);
    Run();
    for (const Case& c : cases) {
        const auto cells = Cells(c.id, c.sheet);
        for (const auto& [cell, value] : c.expected) {
            const auto it = cells.find(cell);
            EXPECT_EQ(it == cells.end() ? "" : it->second, value) << c.why << ": " << cell;
        }
    }
    // Pages whose cells are all 0 or empty are gone.
    EXPECT_TRUE(Pages("MAB06", "00000000006").empty());
}

TEST_F(Lap04Test, SimplifiedChargeAndEmploymentSheets) {
    Employees({{"00000000001", "Sport Elek", "8100000001"},
               {"00000000002", "Kert Elek", "8100000002"},
               {"00000000003", "Iroda Elek", "8100000003"},
               {"00000000004", "Üres Elek", "8100000004"}});
    testsupport::AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_FEOR"},
                         {{"00000000001", "3721"}, {"00000000002", "9111"}, {"00000000003", "4111"}});
    testsupport::RunCommand("sqlite3 '" + EvKonyvtar() +
                            "/Dolgozo_001.DB' \"UPDATE Dolgozo_001 SET DG_FEOR = NULL WHERE DG_TORZSSZAM = "
                            "'00000000004'\"");
    March({{"00000000001", "E21", 500, 0, 0},
           {"00000000001", "E22", 300, 0, 0},
           {"00000000002", "281A", 5000, 0, 0, "2019.03.04", "2019.03.04"},
           {"00000000002", "281A", 6000, 0, 0, "2019.03.05", "2019.03.05"},
           {"00000000002", "281B", 700},
           {"00000000003", "281A", 5000, 0, 0, "2019.03.04", "2019.03.04"},
           {"00000000004", "281A", 5000, 0, 0, "2019.03.04", "2019.03.04"},
           {"00000000004", "281B", 0}});
    Run();
    struct Case {
        const char* id;
        const char* sheet;
        std::map<std::string, std::string> expected;
    };
    const Case cases[] = {
        {"00000000001", "MAB10", {{"S621C", ""}, {"S622A", ""}, {"S622C", "300"}}},
        {"00000000002",
         "MAB13",
         {{"S700G", "N"}, {"S701G", "N"}, {"S702G", ""}, {"S716E", "11000"}, {"S716F", "700"}}},
        {"00000000003", "MAB13", {{"S700G", "I"}, {"S716F", "0"}}},
        {"00000000004", "MAB13", {{"S700G", ""}, {"S716E", "5000"}, {"S716F", "0"}}},
    };
    for (const Case& c : cases) {
        const auto cells = Cells(c.id, c.sheet);
        for (const auto& [cell, value] : c.expected) {
            const auto it = cells.find(cell);
            EXPECT_EQ(it == cells.end() ? "" : it->second, value) << c.id << ": " << cell;
        }
    }
    db::Table t;
    t.DatabaseName = AktualisAlias;
    t.TableName = "MAB10_001";
    t.Open();
    ASSERT_TRUE(t.Locate("TORZSSZAM", V("00000000001")));
    EXPECT_EQ(t.FieldByName("EKHOSPORTOLO").AsString(), "X");
    EXPECT_EQ(t.FieldByName("EKHOERTHAT").AsString(), "1");
    EXPECT_EQ(t.FieldByName("BIZIG").AsString(), "2019.03.31");
    t.Close();
    t.TableName = "MAB13_001";
    t.Open();
    ASSERT_TRUE(t.Locate("TORZSSZAM", V("00000000002")));
    EXPECT_EQ(t.FieldByName("ALKMIN3").AsString() + t.FieldByName("ALKMIN4").AsString(), "000000000");
}

TEST_F(Lap04Test, AMissingDisabilityRowEndsTheRunOnlyWhereItIsRead) {
    Employees({{"00000000001", "Egy Elek", "8100000001"}, {"00000000002", "Kettő Elek", "8100000002"}});
    testsupport::AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_CSALKEDV", "DG_FOGYKEDV"},
                         {{"00000000001", 0, "I"}, {"00000000002", 950, "N"}});
    March({{"00000000001", "P01", 1000, 1000}, {"00000000002", "P01", 1000, 1000}});
    testsupport::RunCommand("sqlite3 '" + EvKonyvtar() +
                            "/Ertekkeszlet_001.DB' \"DELETE FROM Ertekkeszlet_001 WHERE EK_TIPUS = '0' AND "
                            "EK_ERTEK = '31'\"");
    Run();
    EXPECT_EQ(DM1->TableMAB00->RecordCount(), 2);
    testsupport::AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_CSALKEDV", "DG_FOGYKEDV"},
                         {{"00000000001", 950, "I"}});
    MABTablakZarasa();
    try {
        Run();
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Hiányzik az értékkészlet 0 típusú, 31 értékű sora!");
    }
}

}  // namespace
}  // namespace mabtest
