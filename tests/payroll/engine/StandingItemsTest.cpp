#include "EngineFixture.h"
#include "payroll/engine/StandingItems.h"

using namespace payroll;
using namespace enginetest;

namespace {

class StandingItemsTest : public EngineTest {
protected:
    void Standing(const std::string& code, int number, std::optional<double> amount,
                  std::optional<double> percent = std::nullopt) {
        FieldValues s{{"RJ_DGTORZSSZAM", "00001"}, {"RJ_JCKOD", code}, {"RJ_SORSZAM", number}};
        if (amount) s.Set("RJ_OSSZEG", *amount);
        if (percent) s.Set("RJ_SZAZ", *percent);
        s.Set("RJ_KEDVSZAMLASZ", "11111111-22222222");
        ctx.standingItems.push_back(s);
    }
    static std::vector<std::string> Codes(const PayrollRun& run) {
        std::vector<std::string> out;
        for (const SzamfejtRow& r : run.rows.Rows()) out.push_back(r.SF_JCKOD);
        return out;
    }
};

TEST_F(StandingItemsTest, ThreePassesByCodeRangeAndOneRowPerItem) {
    AddItem(PayItem("2699", "1"));
    AddItem(PayItem("270", "2", "0", "I", {{"JC_SZJAKOT", "I"}}));
    AddItem(PayItem("300", "3"));
    AddItem(PayItem("310", "3", "0", "I", {{"JC_SZHALEV", "I"}}));
    Standing("2699", 1, 1000);
    Standing("270", 1, 2000);
    Standing("300", 1, 3000);
    Standing("310", 1, 4000);
    Standing("999", 1, 5000);  // not in the catalogue
    PayrollRun run(ctx);
    AddStandingItems(run, 0);
    EXPECT_EQ(Codes(run), std::vector<std::string>{"2699"});
    AddStandingItems(run, 1);
    EXPECT_EQ(Codes(run), (std::vector<std::string>{"2699", "270"}));
    AddStandingItems(run, 2);
    AddStandingItems(run, 2);
    EXPECT_EQ(Codes(run), (std::vector<std::string>{"2699", "270", "300", "310"})) << "one row per item";
    EXPECT_EQ(messages.Texts(), std::vector<std::string>(2, "Nem létezik a jogcím!"));

    const SzamfejtRow& earning = run.rows[0];
    EXPECT_EQ(earning.SF_RJSORSZAM, 1);
    EXPECT_EQ(earning.SF_ADOALAP, 1000) << "pass 0 always sets both bases";
    EXPECT_EQ(earning.SF_JARALAP, 1000);
    EXPECT_EQ(earning.SF_SZAMLA, "11111111-22222222");
    EXPECT_EQ(earning.SF_MUNKSZAM, "000010");
    EXPECT_EQ(run.rows[1].SF_ADOALAP, 2000) << "liable to income tax";
    EXPECT_FALSE(run.rows[2].SF_ADOALAP || run.rows[2].SF_JARALAP) << "a deduction keeps empty bases";
    EXPECT_FALSE(run.rows[2].SF_SZHASZAZLEV.has_value());
    EXPECT_EQ(run.rows[3].SF_SZHASZAZLEV, 19.5);
}

TEST_F(StandingItemsTest, ARecalculationAfterAStartCodeRedoesOnlyLaterItems) {
    for (const char* code : {"200", "205", "210"}) AddItem(PayItem(code, "1", "4"));
    Standing("200", 1, {}, 10);
    Standing("205", 1, {}, 10);
    Standing("210", 1, {}, 10);
    PayrollRun run(ctx);
    AddStandingItems(run, 0);
    EXPECT_EQ(Amount(run, "210"), 30000);
    ctx.employee.Set("DG_ALAPBER", 400000.0);
    AddStandingItems(run, 0, "205");
    EXPECT_EQ(Amount(run, "200"), 30000);
    EXPECT_EQ(Amount(run, "205"), 30000);
    EXPECT_EQ(Amount(run, "210"), 40000);
    EXPECT_EQ(run.rows.size(), 3u);

    // A percentage changed on the row in this run stays in force.
    SzamfejtRow changed = run.rows[0];
    changed.SF_SZAZALEK = 20;
    run.rows.Post(0, changed);
    AddStandingItems(run, 0);
    EXPECT_EQ(Amount(run, "200"), 80000);
}

TEST_F(StandingItemsTest, PartlyLiableTypedAmountAndEarlierItemsOfTheSameCode) {
    AddItem(PayItem("260", "1", "08", "I", {{"JC_SZAZ", 50.0}}));
    AddItem(PayItem("261", "1", "08", "I", {{"JC_SZAZ", 100.0}}));
    AddItem(PayItem("100", "1"));
    AddItem(PayItem("400", "3", "7"));
    Standing("260", 1, 10001, 12);
    Standing("261", 1, 10001);
    Standing("400", 1, {}, 10);
    Standing("400", 2, {}, 50);
    PayrollRun run(ctx);
    SzamfejtRow wage = Row("100", 300000);
    SzamfejtRow hand = Row("400", 777);  // added by hand: no standing-item number
    run.rows.Assign({wage, hand});
    AddStandingItems(run, 0);
    const SzamfejtRow& partly = run.rows[run.rows.FindFirst("260")];
    EXPECT_EQ(partly.SF_OSSZEG, 10001);
    EXPECT_EQ(partly.SF_ADOALAP, 5001) << "half of 10 001, half away from zero";
    EXPECT_EQ(partly.SF_JARALAP, 5001);
    EXPECT_EQ(partly.SF_SZAZALEK, 0);
    EXPECT_EQ(run.rows[run.rows.FindFirst("261")].SF_ADOALAP, 10001);

    AddStandingItems(run, 2);
    // Net before the first: 300 000 + 10 001 + 10 001 - 777 (the hand row has no number: 0).
    std::vector<double> deductions;
    for (const SzamfejtRow& r : run.rows.Rows())
        if (r.SF_JCKOD == "400") deductions.push_back(r.Osszeg());
    EXPECT_EQ(deductions, (std::vector<double>{777, 31923, 143651}))
        << "the second item's base holds the first item's row";
}

}  // namespace
