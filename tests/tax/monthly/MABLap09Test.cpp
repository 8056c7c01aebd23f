// The contribution sheets through the sheet pass: the family contribution
// allowance of 1908-09-01 taken off the first 1908-09 page, the kept and
// the emptied 1908-09 pages, the pensioner's sum, the seniority split of
// code 17, and the pension rate read only where a step needs it.
#include <gtest/gtest.h>

#include "tax/monthly/MABLepesFixture.h"

namespace mabtest {
namespace {

using V = db::Variant;

class Lap09Test : public MABLepesTest {};

TEST_F(Lap09Test, Cases) {
    struct Case {
        const char* why;
        const char* id;
        Fields employee;
        Fields page09a;  // no 1908-09-01 page when empty
        Fields page09;
        std::vector<PageCells> want09a, want09;
    };
    const Case cases[] = {
        {"the family contribution allowance at the rate 10",
         "00000000001",
         {},
         {{"S600C", 1000}, {"S601C", 0}},
         {{"S565C", 500}, {"S567C", 500}, {"S574C", 2000}, {"S577C", 300}, {"S578C", 220}, {"S579C", 80}},
         {{{"S603C", "100"},
           {"S604C", "20"},
           {"S605C", "80"},
           {"S599C", "20"},
           {"S598C", "133"},
           {"CSALJARKEDV", "I"}}},
         {{{"S577C", "200"},
           {"S578C", "200"},
           {"S579C", "0"},
           {"S561C", "200"},
           {"S560C", "1333"},
           {"S563C", "200"},
           {"S566C", "0"},
           {"S567C", "500"},
           {"S570C", "0"},
           {"S571C", "0"},
           {"S574C", "2000"},
           {"CSALJARKEDV", "I"}}}},
        {"the health contribution not all withheld: the base lowered first",
         "00000000002",
         {},
         {{"S600C", 300}, {"S601C", 200}},
         {{"S565C", 1000}, {"S567C", 100}, {"S574C", 5000}, {"S577C", 500}},
         {{{"S603C", "50"}, {"S604C", "50"}, {"S605C", "0"}, {"S598C", "333"}}},
         {{{"S574C", "4500"}, {"S577C", "450"}, {"S578C", "450"}, {"S579C", "0"}, {"S561C", "1350"}}}},
        {"a kept page without amounts: emptied, kept by its mark",
         "00000000003",
         {{"DG_ALKMINADATSZ", "30"}},
         {},
         {},
         {},
         {{{"L09_NEMURESLAP", "I"}, {"CSALJARKEDV", "N"}, {"S574C", ""}, {"S577C", ""}, {"S561C", ""}}}},
        {"code 34 keeps its zeros",
         "00000000004",
         {{"DG_ALKMINADATSZ", "34"}},
         {},
         {},
         {},
         {{{"L09_NEMURESLAP", "I"},
           {"S574C", "0"},
           {"S577C", "0"},
           {"S579C", "0"},
           {"S561C", "0"},
           {"S567C", ""},
           {"CSALJARKEDV", "N"}}}},
        {"code 41 loses a page of zeros",
         "00000000005",
         {{"DG_ALKMINADATSZ", "41"}},
         {},
         {{"S574C", 0}},
         {},
         {}},
        {"a kept page's base from its contribution",
         "00000000006",
         {{"DG_ALKMINADATSZ", "35"}},
         {},
         {{"S577C", 333}, {"L09_NEMURESLAP", "I"}},
         {},
         {{{"S574C", "3330"}, {"S579C", "0"}, {"S578C", "333"}, {"CSALJARKEDV", "I"}}}},
        {"a pensioner's contributions in one sum",
         "00000000007",
         {{"DG_NYUGALKMIN2", "7"}, {"DG_NYUGDIJAS", "I"}},
         {},
         {{"S574C", 1000}, {"S575C", 200}},
         {},
         {{{"S574C", ""}, {"S575C", ""}, {"S576C", "1000"}, {"S569A", "2"}, {"ALKMIN1", "7"}}}},
        {"seniority: 30 months",
         "00000000008",
         {{"DG_ALKMINADATSZ", "17"}, {"DG_BELEPDAT", "2016.09.15"}},
         {},
         {{"S555C", 1001}, {"S574C", 1000}},
         {},
         {{{"S555A", "501"}, {"S555C", "501"}}}},
        {"seniority: 40 months",
         "00000000009",
         {{"DG_ALKMINADATSZ", "17"}, {"DG_BELEPDAT", "2015.11.01"}},
         {},
         {{"S555C", 1000}, {"S574C", 1000}},
         {},
         {{{"S555A", "250"}, {"S555C", "750"}}}},
        {"seniority: entered in the month",
         "00000000010",
         {{"DG_ALKMINADATSZ", "17"}, {"DG_BELEPDAT", "2019.03.10"}},
         {},
         {{"S555C", 1001}, {"S574C", 1000}},
         {},
         {{{"S555A", "1001"}, {"S555C", "0"}, {"BIZTOL", "2019.03.10"}}}},
        {"seniority: no entry date",
         "00000000011",
         {{"DG_ALKMINADATSZ", "17"}},
         {},
         {{"S555C", 1001}, {"S574C", 1000}},
         {},
         {{{"S555A", "0"}, {"S555C", "1001"}}}},
        {"an insured period of its own",
         "00000000012",
         {},
         {},
         {{"S574C", 1000}, {"L09_BIZTOL", "2019.03.05"}, {"L09_BIZIG", "2019.03.20"}},
         {},
         {{{"BIZTOL", "2019.03.05"}, {"BIZIG", "2019.03.20"}, {"ALKMIN1", "0"}, {"ALKMIN2", "20"}}}},
    };
    for (const Case& c : cases) Employee(c.id, c.employee);
    // The entry date is required now; older data left it empty.
    ASSERT_EQ(testsupport::RunCommand("sqlite3 '" + EvKonyvtar() +
                                      "/Dolgozo_001.DB' \"UPDATE Dolgozo_001 SET DG_BELEPDAT = '' WHERE "
                                      "DG_TORZSSZAM = '00000000011'\""),
              0);
    for (const Case& c : cases) {
        const MABKulcs fej = Header(c.id);
        if (!c.page09a.empty()) Page(DM1->TableMAB09a, fej, c.page09a);
        Page(DM1->TableMAB09, fej, c.page09);
    }
    Pass();
    for (const Case& c : cases) {
        ExpectPages("MAB09a", c.id, c.want09a, c.why);
        ExpectPages("MAB09", c.id, c.want09, c.why);
    }
}

TEST_F(Lap09Test, ThePensionRateEndsTheRunOnlyWhereItIsRead) {
    // "UPDATE ... SET ..." or "DELETE FROM ..." of the rate's row.
    const auto setRate = [this](const std::string& sql) {
        ASSERT_EQ(testsupport::RunCommand("sqlite3 '" + EvKonyvtar() + "/Ertekkeszlet_001.DB' \"" + sql +
                                          " WHERE EK_TIPUS = '0' AND EK_ERTEK = '17'\""),
                  0);
        // The value sets are read again.
        DM1->TableErtekkeszlet->Close();
        DM1->TableErtekkeszlet->Open();
    };
    Employee("00000000001", {{"DG_ALKMINADATSZ", "34"}});
    Employee("00000000002", {{"DG_ALKMINADATSZ", "34"}});
    setRate("UPDATE Ertekkeszlet_001 SET EK_ERTEKNUM = 0");
    // A kept page whose base is there divides nothing.
    Page(DM1->TableMAB09, Header("00000000001"), {{"S574C", 1000}, {"S577C", 100}});
    Pass();
    ExpectPages("MAB09", "00000000001", {{{"S574C", "1000"}}}, "rate 0 not read");
    Page(DM1->TableMAB09, Header("00000000002"), {{"S577C", 100}});
    try {
        Pass();
        ADD_FAILURE() << "the pass divided by a rate of 0";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(
            e.what(),
            "Nulla az értékkészlet 0 típusú, 17 értékű sora, a nyugdíjjárulék alapja nem számítható!");
    }

    // A missing row, read by the 1908-09-01 page of April.
    MABTablakZarasa();
    open = false;
    Employee("00000000003", {});
    setRate("DELETE FROM Ertekkeszlet_001");
    Page(DM1->TableMAB09a, Header("00000000003", 4), {{"S600C", 1000}});
    try {
        Pass(4);
        ADD_FAILURE() << "the pass went on without the rate";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Hiányzik az értékkészlet 0 típusú, 17 értékű sora!");
    }
}

}  // namespace
}  // namespace mabtest
