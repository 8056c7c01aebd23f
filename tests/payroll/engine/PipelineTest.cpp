#include "StepsFixture.h"
#include "payroll/engine/Pipeline.h"
#include "payroll/engine/Totals.h"

using namespace payroll;
using namespace enginetest;

namespace {

// A monthly-paid employee liable to pension and health contributions, with
// the base-wage items and every total row in the catalogue.
class PipelineTest : public StepsTest {
protected:
    PipelineTest() {
        AddItem(PayItem("102", "1", "1", "I",
                        {{"JC_SZJAKOT", "I"},
                         {"JC_ELKULADO", "N"},
                         {"JC_NYJKOT", "I"},
                         {"JC_EBJKOT", "I"},
                         {"JC_BERJELL", "I"}}));
        for (const char* code :
             {"270", "271", "748", "749", "750", "751", "752", "753", "754", "755", "756", "757"})
            AddItem(PayItem(code, "Z"));
        ctx.employee.Set("DG_NYUGJAR", "I");
        ctx.employee.Set("DG_EGBIZJARTERM", "I");
        ctx.employee.Set("DG_EGBIZJARPENZ", "I");
        ctx.employee.Set("DG_SZABKER", 20.0);
        ctx.employee.Set("DG_BETEGSZABKER", 15.0);
        ctx.progress = [this](int p) { progress.push_back(p); };
    }
    static std::vector<std::string> Codes(const PayrollRun& run) {
        std::vector<std::string> out;
        for (const SzamfejtRow& r : run.rows.Rows()) out.push_back(r.SF_JCKOD);
        return out;
    }
    std::vector<int> progress;
};

TEST_F(PipelineTest, AMonthFromTheEmployeesData) {
    PayrollRun run(ctx);
    Szamf(run);
    EXPECT_EQ(Codes(run), (std::vector<std::string>{"100", "102", "270",  "271",  "300",  "306", "307", "309",
                                                    "320", "351", "700A", "706A", "707A", "748", "749", "750",
                                                    "751", "752", "753",  "754",  "755",  "756", "757"}));
    EXPECT_EQ(Amount(run, "100"), 286364);  // 21 of 22 paid days
    EXPECT_EQ(Amount(run, "102"), 13636);
    EXPECT_EQ(Amount(run, "270"), 300000);
    EXPECT_EQ(Amount(run, "300"), 30000);
    EXPECT_EQ(Amount(run, "320"), 45000);
    EXPECT_EQ(Amount(run, "750"), 300000 - 30000 - 12000 - 9000 - 45000);
    for (size_t i = 0; i < run.rows.size(); ++i)
        EXPECT_EQ(run.rows[i].SF_SORSZAM, static_cast<long long>(i + 1));
    ASSERT_EQ(progress.size(), 27u);
    EXPECT_EQ(progress[24], 25);
    EXPECT_EQ(progress[25], 50);
    EXPECT_EQ(progress[26], 0);

    // No paid holiday in the month: no 102 row.
    ctx.calendar.Edit().clear();
    AddMonth(ctx, 3, 22, 0, 31);
    PayrollRun plain(ctx);
    Szamf(plain);
    EXPECT_EQ(Amount(plain, "100"), 300000);
    EXPECT_FALSE(Amount(plain, "102"));

    // A second payment date of the month: no base wage, the taxes still computed.
    ctx.HonapSzamfejtve = true;
    FieldValues bonus =
        PayItem("120", "1", "0", "I", {{"JC_SZJAKOT", "I"}, {"JC_ELKULADO", "N"}, {"JC_NYJKOT", "I"}});
    AddItem(bonus);
    ctx.standingItems.push_back(FieldValues{
        {"RJ_DGTORZSSZAM", "00001"}, {"RJ_JCKOD", "120"}, {"RJ_SORSZAM", 1}, {"RJ_OSSZEG", 50000.0}});
    PayrollRun second(ctx);
    Szamf(second);
    EXPECT_FALSE(Amount(second, "100") || Amount(second, "102"));
    EXPECT_EQ(Amount(second, "120"), 50000);
    EXPECT_EQ(Amount(second, "320"), 7500);
    EXPECT_EQ(Amount(second, "300"), 5000);
}

TEST_F(PipelineTest, AHandChangeRerunsTheStepsThatDependOnIt) {
    ctx.employee.Set("DG_MNYP", "0101");
    PayrollRun run(ctx);
    Szamf(run);
    ASSERT_EQ(Amount(run, "301"), 30000);
    // Rates changed after the run show which steps the rerun repeats.
    parameters->Set("17", {20.0, ""});
    parameters->Set("19", {5.0, ""});
    ctx.ModositottKod = "301";
    UjraSzamol(run, [](WorkingSet& rows) {
        SzamfejtRow r = rows[rows.FindFirst("301")];
        r.SF_OSSZEG = 1000;
        rows.Post(rows.FindFirst("301"), r);
    });
    EXPECT_EQ(Amount(run, "701A"), 30000) << "pension is not rerun after 301";
    EXPECT_EQ(Amount(run, "301"), 1000) << "nor the income tax, which writes 301";
    EXPECT_EQ(Amount(run, "706A"), 15000) << "health is rerun (301 is below 306)";
    EXPECT_EQ(Amount(run, "750"), 300000 - 1000 - 12000 - 9000 - 45000) << "the totals are rerun";

    // A deleted 750 (above every threshold) is written again by the totals.
    ctx.ModositottKod = "750";
    UjraSzamol(run, [](WorkingSet& rows) { rows.Delete(rows.FindFirst("750")); });
    EXPECT_EQ(Amount(run, "750"), 300000 - 1000 - 12000 - 9000 - 45000);

    // A rerun that fails undoes the hand change too.
    const std::vector<SzamfejtRow> before = run.rows.Rows();
    parameters->Remove("19");
    ctx.ModositottKod = "100";
    EXPECT_THROW(UjraSzamol(run,
                            [](WorkingSet& rows) {
                                SzamfejtRow r = rows[0];
                                r.SF_OSSZEG = 1;
                                rows.Post(0, r);
                            }),
                 CalculationError);
    ASSERT_EQ(run.rows.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(run.rows[i].SF_OSSZEG, before[i].SF_OSSZEG);
}

TEST_F(PipelineTest, AFailingStepLeavesTheWorkingSetUnchanged) {
    PayrollRun run(ctx);
    run.rows.Assign({Row("999", 5)});
    parameters->Remove("19");
    try {
        Szamf(run);
        ADD_FAILURE() << "no error";
    } catch (const CalculationError& e) {
        EXPECT_STREQ(e.what(), "Hiányzik a(z) \"19\" kódú évi paraméter az értékkészletből!");
    }
    EXPECT_EQ(Codes(run), std::vector<std::string>{"999"});
}

TEST_F(PipelineTest, RowsAreNumberedInCodeOrder) {
    PayrollRun run(ctx);
    std::vector<SzamfejtRow> rows;
    long long n = 9;
    for (const char* code : {"750", "320", "300", "102", "100"}) {
        rows.push_back(Row(code, 0));
        rows.back().SF_SORSZAM = n--;
    }
    SzamfejtRow second = Row("300", 0);
    second.SF_RJSORSZAM = 2;
    SzamfejtRow first = Row("300", 0);
    first.SF_RJSORSZAM = 1;
    first.SF_SORSZAM = 99;
    rows.push_back(second);
    rows.push_back(first);
    run.rows.Assign(rows);
    SorszamKioszt(run);
    std::vector<std::pair<std::string, long long>> numbered;
    for (const SzamfejtRow& r : run.rows.Rows()) numbered.emplace_back(r.SF_JCKOD, *r.SF_SORSZAM);
    EXPECT_EQ(numbered,
              (std::vector<std::pair<std::string, long long>>{
                  {"100", 1}, {"102", 2}, {"300", 3}, {"300", 4}, {"300", 5}, {"320", 6}, {"750", 7}}));
    EXPECT_FALSE(run.rows[2].SF_RJSORSZAM.has_value()) << "the row without a standing item first";
    EXPECT_EQ(run.rows[4].SF_RJSORSZAM, 2);
    SorszamTorol(run);
    for (const SzamfejtRow& r : run.rows.Rows()) EXPECT_FALSE(r.SF_SORSZAM.has_value());
}

}  // namespace
