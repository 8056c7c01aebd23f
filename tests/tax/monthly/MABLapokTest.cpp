// The cell writer, the page helpers and the distribution of payroll rows into
// declaration cells, on headers of a company made by the program's own code.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "tax/monthly/MABFixture.h"
#include "tax/monthly/MABLapok.h"

namespace mabtest {
namespace {

using V = db::Variant;
using db::FieldType;

TEST_F(MABTest, MezoFeltoltCases) {
    Open();
    db::Table& mab04 = *DM1->TableMAB04;
    const auto put = [&](const char* cell, V v, FieldType t, const char* op, bool flag) {
        MezoFeltolt(cell, mab04, v, t, op, 1, flag);
    };
    struct Case {
        const char* why;
        std::function<void()> writes;
        std::vector<std::string> pages;
        bool raises = false;
    };
    const Case cases[] = {
        {"the page flag on a filled only page appends page 2",
         [&] {
             put("S301D", V(100), FieldType::Integer, "", false);
             put("S301D", V(5), FieldType::Integer, "+", true);
         },
         {"S301D=100", "S301D=5"}},
        {"without the flag the first page adds",
         [&] {
             put("S301D", V(100), FieldType::Integer, "", false);
             put("S301D", V(5), FieldType::Integer, "+", false);
         },
         {"S301D=105"}},
        {"half away from zero",
         [&] { put("S301D", V(1234.5), FieldType::Float, "+", false); },
         {"S301D=1235"}},
        {"half away from zero below 0",
         [&] { put("S301D", V(-1234.5), FieldType::Float, "+", false); },
         {"S301D=-1235"}},
        {"subtraction", [&] { put("S330B", V(0.5), FieldType::Float, "-", false); }, {"S330B=-1"}},
        {"the empty operation overwrites",
         [&] {
             put("S301D", V(100), FieldType::Integer, "+", false);
             put("S301D", V(7), FieldType::Integer, "", false);
         },
         {"S301D=7"}},
        {"a text with + replaces",
         [&] {
             put("S301A", V("1"), FieldType::String, "+", false);
             put("S301A", V("2"), FieldType::String, "+", false);
         },
         {"S301A=2"}},
        {"no value and no such cell write nothing",
         [&] {
             put("S301D", V(), FieldType::Integer, "+", false);
             put("S999Z", V(1), FieldType::Integer, "+", false);
         },
         {}},
        {"beyond 32 bits raises",
         [&] {
             put("S301D", V(2147483647), FieldType::Integer, "", false);
             put("S301D", V(1), FieldType::Integer, "+", false);
         },
         {"S301D=2147483647"},
         true},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string id = "0000000010" + std::to_string(n++);
        Header(id);
        if (c.raises)
            EXPECT_THROW(c.writes(), std::overflow_error) << c.why;
        else
            c.writes();
        EXPECT_EQ(Pages("MAB04", id), c.pages) << c.why;
    }
    // A new page carries the header's keys and tax id.
    Header("00000000200", "8123456789");
    put("S301D", V(1), FieldType::Integer, "", true);
    ASSERT_TRUE(ElsoLap(mab04, KulcsOlvas(*DM1->TableMAB00)));
    EXPECT_EQ(mab04.FieldByName("ADOSZAM").AsString(), "8123456789");
    EXPECT_EQ(mab04.FieldByName("IG").AsString(), "2019.03.31");
}

TEST_F(MABTest, LapKitoltottLooksAtCellsAndNamedFields) {
    Open();
    db::Table& mab09 = *DM1->TableMAB09;
    struct Case {
        const char* why;
        const char* field;
        V value;
        bool filled, filledL09;
    };
    const Case cases[] = {
        {"an amount of 0 is empty", "S558C", V(0), false, false},
        {"an amount", "S558C", V(1), true, true},
        {"a blank text is empty", "S557A", V(" "), false, false},
        {"a kept-page mark counts with its prefix only", "L09_NEMURESLAP", V("I"), false, true},
        {"an insured period counts with its prefix only", "L09_BIZTOL", V(43525.0), false, true},
    };
    int n = 0;
    for (const Case& c : cases) {
        const MABKulcs k = Header("0000000030" + std::to_string(n++));
        UjLap(mab09, k, "");
        mab09.FieldByName(c.field).SetValue(c.value);
        mab09.Post();
        EXPECT_EQ(LapKitoltott(mab09), c.filled) << c.why;
        EXPECT_EQ(LapKitoltottElotag(mab09, "L09"), c.filledL09) << c.why;
    }
    // A date in a cell fills a page.
    const MABKulcs k = Header("00000000400");
    UjLap(*DM1->TableMAB08, k, "");
    DM1->TableMAB08->FieldByName("S526B").SetAsDateTime(43525);
    DM1->TableMAB08->Post();
    EXPECT_TRUE(LapKitoltott(*DM1->TableMAB08));
}

TEST_F(MABTest, LapokOsszevonasaSumsAmountsAndTakesTheFirstText) {
    Open();
    db::Table& mab04 = *DM1->TableMAB04;
    const MABKulcs k = Header("00000000001");
    const std::pair<V, V> pages[] = {{V(100), V()}, {V(), V("2")}, {V(50), V("3")}};
    for (const auto& [amount, text] : pages) {
        UjLap(mab04, k, "8000000001");
        mab04.FieldByName("S301B").SetValue(amount);
        mab04.FieldByName("S301A").SetValue(text);
        mab04.Post();
    }
    LapokOsszevonasa(mab04);
    EXPECT_EQ(Pages("MAB04", "00000000001"), std::vector<std::string>{"S301A=2 S301B=150"});
}

TEST_F(MABTest, AdoszamraOsszevonPutsATaxIdUnderTheSmallestEmployedNumber) {
    Employees({{"00000000001", "Egy", "8000000001"},
               {"00000000002", "Kettő", "8000000001"},
               {"00000000003", "Három", "8000000003"},
               {"00000000004", "Négy", "8000000003"}});
    // Number 3 left before March: his tax id goes under number 4.
    testsupport::AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_KILEPDAT"}, {{"00000000003", "2019.01.31"}});
    Open();
    const auto headerWithPage = [&](const std::string& id, const std::string& adoszam, int amount) {
        const MABKulcs k = Header(id, adoszam);
        UjLap(*DM1->TableMAB04, k, adoszam);
        DM1->TableMAB04->FieldByName("S301B").SetAsInteger(amount);
        DM1->TableMAB04->Post();
    };
    headerWithPage("00000000001", "8000000001", 1);
    headerWithPage("00000000002", "8000000001", 2);
    headerWithPage("00000000003", "8000000003", 3);
    headerWithPage("00000000005", "", 5);
    // February of number 2 stays his.
    db::Table& mab00 = *DM1->TableMAB00;
    mab00.Append();
    for (auto [f, v] : {std::pair{"TORZSSZAM", "00000000002"}, {"ADOSZAM", "8000000001"}, {"JELLEG", "E"}})
        mab00.FieldByName(f).SetAsString(v);
    mab00.FieldByName("HONAP").SetAsInteger(2);
    mab00.Post();

    const MABHonap ho = MABHonapja(3);
    AdoszamraOsszevon(mab00, ho);
    AdoszamraOsszevon(*DM1->TableMAB04, ho);
    std::vector<std::string> headers;
    for (mab00.First(); !mab00.Eof(); mab00.Next())
        headers.push_back(mab00.FieldByName("TORZSSZAM").AsString() + "/" +
                          mab00.FieldByName("HONAP").AsString());
    EXPECT_EQ(headers,
              (std::vector<std::string>{"00000000001/3", "00000000002/2", "00000000004/3", "00000000005/3"}));
    EXPECT_EQ(Pages("MAB04", "00000000001"), (std::vector<std::string>{"S301B=1", "S301B=2"}));
    EXPECT_EQ(Pages("MAB04", "00000000004"), std::vector<std::string>{"S301B=3"});
    EXPECT_EQ(Pages("MAB04", "00000000005"), std::vector<std::string>{"S301B=5"});
}

// --- Payroll rows into cells --------------------------------------------------

class DistributeTest : public MABTest {
protected:
    void SetUp() override {
        MABTest::SetUp();
        Employees({{"00000000001", "Kiss Anna", "8000000001"}});
        PayItems({{"T10", "Táppénz", "10", V(), V()},
                  {"T07", "Prémium", "00", 307, "b"},
                  {"T57", "Járulékalap", "00", 557, "C"},
                  {"136", "Biztosítási idő", "00", V(), V()},
                  {"281A", "Egyszerűsített foglalkoztatás", "00", V(), V()},
                  {"281B", "Közteher", "00", V(), V()}});
    }
};

TEST_F(DistributeTest, AbsencesFillRows526To538ThenNewPages) {
    RowTable rows;
    for (int i = 0; i < 14; ++i)
        rows.push_back({"00000000001", "T10", 100, V(), V(), "2019.03.03", "2019.03.05"});
    March(rows);
    Open();
    Header("00000000001");
    Distribute("00000000001");
    std::string first;
    for (int r = 526; r <= 538; ++r) {
        const std::string s = "S" + std::to_string(r);
        first += (first.empty() ? "" : " ") + s + "A=10 " + s + "B=2019.03.03 " + s + "C=2019.03.05";
    }
    EXPECT_EQ(Pages("MAB08", "00000000001"),
              (std::vector<std::string>{first, "S538A=10 S538B=2019.03.03 S538C=2019.03.05"}));
}

TEST_F(DistributeTest, CasualEmploymentFillsRows700To715) {
    RowTable rows;
    for (int i = 0; i < 17; ++i)
        rows.push_back({"00000000001", "281A", 5000, V(), V(), "2019.03.04", "2019.03.05"});
    rows.push_back({"00000000001", "281A", 5000, V(), V(), "2019.03.04", V()});  // no end: nothing
    rows.push_back({"00000000001", "281B", 1000});
    March(rows);
    Open();
    Header("00000000001");
    Distribute("00000000001");
    const std::vector<std::string> pages = Pages("MAB13", "00000000001");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NE(pages[0].find("S700B=2019.03.04 S700C=2019.03.05 S700D=2 S700E=5000 S700F=1000"),
              std::string::npos)
        << pages[0];
    EXPECT_NE(pages[0].find("S715B=2019.03.04 S715C=2019.03.05 S715D=2 S715E=5000"), std::string::npos);
    EXPECT_EQ(pages[1], "S715B=2019.03.04 S715C=2019.03.05 S715D=2 S715E=5000");
}

TEST_F(DistributeTest, PlacementWithCompanionCellsAndInsuredPeriods) {
    March({{"00000000001", "T07", 1000, 800},
           {"00000000001", "136", 0, V(), V(), "2019.03.01", "2019.03.10"},
           {"00000000001", "T57", 300, V(), 2000},
           {"00000000001", "136", 0, V(), V(), "2019.03.11", "2019.03.31"},
           {"00000000001", "T57", 400, V(), 3000}});
    Open();
    Header("00000000001");
    Distribute("00000000001");
    EXPECT_EQ(Pages("MAB04", "00000000001"),
              std::vector<std::string>{"S306B=1000 S306D=800 S307B=1000 S307D=800"});
    EXPECT_EQ(Pages("MAB08", "00000000001"),
              (std::vector<std::string>{"L08_BIZTOL=2019.03.01 L08_BIZIG=2019.03.10",
                                        "L08_BIZTOL=2019.03.11 L08_BIZIG=2019.03.31"}));
    // The rows ordered by item: both 136 rows come before the T57 rows, whose
    // cells take the first page with the cell still empty.
    EXPECT_EQ(Pages("MAB09", "00000000001"),
              (std::vector<std::string>{"S556C=2000 S557C=300 L09_BIZTOL=2019.03.01 L09_BIZIG=2019.03.10",
                                        "S556C=3000 S557C=400 L09_BIZTOL=2019.03.11 L09_BIZIG=2019.03.31"}));
}

}  // namespace
}  // namespace mabtest
