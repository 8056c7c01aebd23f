#include "EngineFixture.h"
#include "payroll/engine/Totals.h"

using namespace payroll;
using namespace enginetest;

namespace {

class TotalsTest : public EngineTest {
protected:
    TotalsTest() {
        AddItem(PayItem("100", "1"));
        AddItem(PayItem("270", "2", "0", "N"));
        AddItem(PayItem("300", "8"));
        AddItem(PayItem("303", "9"));
        AddItem(PayItem("304", "8", "0", "N"));
        AddItem(PayItem("320", "6"));
        AddItem(PayItem("280", "F"));
        AddItem(PayItem("330", "C"));
        AddItem(PayItem("328", "Z"));
        AddItem(PayItem("400", "3"));
        // The total rows' own categories lie outside every set.
        for (const char* code : {"748", "749", "750", "751", "752", "753", "754", "755", "756", "757"})
            AddItem(PayItem(code, "Z"));
    }

    static void AllTotals(PayrollRun& run) {
        AddCategoryTotalRows(run);
        AddTotalRows748To750(run);
        AddTotalRow751(run);
    }
};

TEST_F(TotalsTest, NetPayableAndCategoryTotals) {
    PayrollRun run(ctx);
    run.rows.Assign({Row("100", 300000), Row("300", 30000)});
    AllTotals(run);
    EXPECT_EQ(Amount(run, "752"), 30000);
    EXPECT_EQ(Amount(run, "755"), 270000);
    EXPECT_EQ(Amount(run, "748"), 270000);
    EXPECT_EQ(Amount(run, "749"), 0);
    EXPECT_EQ(Amount(run, "750"), 270000);

    // Every set at once; a non-payable contribution counts in 752, not in 748;
    // the 328 row lowers 756 whatever its category.
    run.rows.Assign({Row("100", 300000), Row("270", 7000), Row("300", 30000), Row("303", 500),
                     Row("304", 4500), Row("320", 45000), Row("280", 3000), Row("330", 58500),
                     Row("328", 9750), Row("400", 1000)});
    AllTotals(run);
    EXPECT_EQ(Amount(run, "752"), 35000);
    EXPECT_EQ(Amount(run, "753"), 45000);
    EXPECT_EQ(Amount(run, "754"), 3000);
    EXPECT_EQ(Amount(run, "755"), 300000 - 45000 - 35000);
    EXPECT_EQ(Amount(run, "756"), 58500 - 9750);
    EXPECT_EQ(Amount(run, "757"), 1000);
    EXPECT_EQ(Amount(run, "748"), 300000 - 30000 - 500 - 45000 - 3000 - 1000);
    EXPECT_EQ(Amount(run, "751"), 7000);
    const RunTotals t = ShowRunTotals(run);
    EXPECT_EQ(t.Jovedelem, 300000);
    EXPECT_EQ(t.EgyebJuttatas, 7000);
    EXPECT_EQ(t.Levonasok, 1000);
    EXPECT_EQ(t.Tagdijak, 3000);
    EXPECT_EQ(t.Jarulekok, 35000);
    EXPECT_EQ(t.Adok, 45000);
    EXPECT_EQ(t.VallalatiTerhek, 48750);
    EXPECT_EQ(t.NemKifizetendo, 7000);
    EXPECT_EQ(t.Kifizetendo, 220500);
}

TEST_F(TotalsTest, CashRoundingToFiveForints) {
    struct Case {
        double net;
        double rounding;
        double payable;
    };
    const Case cases[] = {
        {270003, 2, 270005}, {270001, -1, 270000}, {1233, 2, 1235}, {1232, -2, 1230},
        {-7, 2, -5},         {-8, 3, -5},          {-3, 3, 0},      {270000, 0, 270000},
    };
    for (const Case& c : cases) {
        PayrollRun run(ctx);
        run.rows.Assign({Row("100", c.net)});
        AddTotalRows748To750(run);
        EXPECT_EQ(Amount(run, "748"), c.net);
        EXPECT_EQ(Amount(run, "749"), c.rounding) << c.net;
        EXPECT_EQ(Amount(run, "750"), c.payable) << c.net;
    }
}

TEST_F(TotalsTest, EmptyWorkingSetWritesEveryTotalWithZero) {
    PayrollRun run(ctx);
    AllTotals(run);
    ASSERT_EQ(run.rows.size(), 10u);
    for (const SzamfejtRow& r : run.rows.Rows()) EXPECT_EQ(r.SF_OSSZEG, 0) << r.SF_JCKOD;
    const RunTotals t = ShowRunTotals(run);
    EXPECT_EQ(t.Kifizetendo, 0);
    EXPECT_EQ(t.Jovedelem, 0);

    // A second pass rewrites the same rows: still one of each.
    run.rows.Assign(std::vector<SzamfejtRow>(run.rows.Rows()));
    AllTotals(run);
    EXPECT_EQ(run.rows.size(), 10u);
}

}  // namespace
