#include "StepsFixture.h"
#include "payroll/engine/Contributions.h"
#include "payroll/engine/EmployerCharges.h"
#include "payroll/engine/IncomeTax.h"
#include "payroll/engine/InsuredDays.h"
#include "payroll/engine/SecondStage.h"
#include "payroll/engine/SzhaAllowances.h"

using namespace payroll;
using namespace enginetest;

namespace {

TEST_F(StepsTest, InsuredDaysOfTheMonth) {
    struct Case {
        int month;
        double entry, leaving;
        int absenceDays;
        int expected;
        bool partial;
    };
    const double none = 0;
    // clang-format off
    const Case cases[] = {
        {2, none,                         none,                         0, 30, false},
        {2, none,                         none,                         2, 26, false},
        {3, none,                         none,                         1, 30, false},
        {3, none,                         none,                         2, 29, false},
        {4, os::EncodeDate(2019, 4, 10),  none,                         0, 21, true},
        {4, os::EncodeDate(2019, 4, 10),  os::EncodeDate(2019, 4, 20),  0, 11, true},
        {4, os::EncodeDate(2017, 1, 1),   none,                         0, 30, false},
        {4, none,                         os::EncodeDate(2019, 4, 20),  40, 0, true},
    };
    // clang-format on
    for (const Case& c : cases) {
        ctx.month = c.month;
        ctx.employee.Set("DG_BELEPDAT", c.entry);
        ctx.employee.Set("DG_KILEPDAT", c.leaving);
        PayrollRun run(ctx);
        if (c.absenceDays) run.rows.Assign({Absence(c.absenceDays)});
        EXPECT_EQ(InsuredDaysInMonth(run), c.expected) << c.month << " " << c.absenceDays;
        EXPECT_EQ(PartialMonth(run), c.partial) << c.month;
    }
}

TEST_F(StepsTest, EntrepreneurMinimumBase) {
    ctx.employee.Set("DG_BERFORM", "0");
    ctx.employee.Set("DG_ALKMIN", "6");
    ctx.employee.Set("DG_KILEPDAT", os::EncodeDate(2019, 3, 10));
    ctx.calendar.Edit().clear();
    for (int d = 1; d <= 31; ++d) {
        CalendarDay day;
        day.month = 3;
        day.day = d;
        day.date = os::EncodeDate(2019, 3, d);
        ctx.calendar.Edit().push_back(day);
    }
    PayrollRun run(ctx);
    EXPECT_EQ(EntrepreneurMinimumBase(run, 0), Kerekit(149000.0L / 31 * 10)) << "10 days of 31";
    ctx.month = 4;
    EXPECT_EQ(EntrepreneurMinimumBase(run, 0), 0) << "after the month of leaving";
    ctx.month = 2;
    EXPECT_THROW(EntrepreneurMinimumBase(run, 0), CalculationError) << "no calendar days in February";

    // The declared minimum raises the bases of the contribution steps.
    ctx.month = 3;
    ctx.employee.Set("DG_KILEPDAT", 0.0);
    ctx.employee.Set("DG_VALLALKMINBER", 200000.0);
    for (const char* flag : {"DG_MPJDOLG", "DG_NYUGJAR", "DG_EGBIZJARTERM"}) ctx.employee.Set(flag, "I");
    run.rows.Assign({Wage(50000)});
    CalcLabourMarketContribution(run);
    CalcPensionContribution(run);
    CalcHealthContributions(run);
    EXPECT_EQ(Base(run, "304"), 300000);
    EXPECT_EQ(Base(run, "706A"), 300000);
    EXPECT_EQ(Base(run, "700A"), 200000);
}

TEST_F(StepsTest, EntrepreneurBaseTotalsLeaveTheEditedRowOut) {
    PayrollRun run(ctx);
    SzamfejtRow first = Wage(100000), second = Wage(50000);
    first.SF_SORSZAM = 1;
    second.SF_SORSZAM = 2;
    second.SF_RJSORSZAM = 1;
    run.rows.Assign({first, second});
    run.eves.EvesJovedelemJarAlap = 1000;
    run.eves.EvesNyugKotOsszeg = 2000;
    double base = 0, pension = 0, shortfall = 149000;
    EntrepreneurBaseTotals(run, base, pension, shortfall, 2);
    EXPECT_EQ(base, 101000);
    EXPECT_EQ(pension, 102000);
    EXPECT_EQ(shortfall, 48000) << "the minimum less the base";
    base = pension = 0, shortfall = 50000;
    EntrepreneurBaseTotals(run, base, pension, shortfall, 0);
    EXPECT_EQ(shortfall, 152000 - 151000) << "pension-liable total above the minimum";
}

TEST_F(StepsTest, PensionContribution) {
    ctx.employee.Set("DG_NYUGJAR", "I");
    PayrollRun run(ctx);
    run.rows.Assign({Wage(300000), Row("701A", 5)});
    CalcPensionContribution(run);
    EXPECT_EQ(Amount(run, "700A"), 30000);
    EXPECT_EQ(Amount(run, "701A"), 5) << "a non-member's 701A is not touched";

    ctx.employee.Set("DG_MNYP", "0101");
    run.rows.Assign({Wage(300000), Row("700A", 1)});
    CalcPensionContribution(run);
    EXPECT_EQ(Amount(run, "701A"), 30000);
    EXPECT_FALSE(Amount(run, "700A"));

    // EVA of employment kind "7": 4 percent of the EVA row's base.
    ctx.employee.Set("DG_MNYP", "");
    ctx.employee.Set("DG_EVA", "I");
    ctx.employee.Set("DG_ALKMIN", "7");
    SzamfejtRow eva = Row("360", 150000);
    eva.SF_JARALAP = 1000000;
    run.rows.Assign({Wage(300000), eva});
    CalcPensionContribution(run);
    EXPECT_EQ(Base(run, "700A"), 40000);

    // A negative cumulative base is charged as it comes.
    ctx.employee.Set("DG_EVA", "N");
    run.rows.Assign({Wage(100000)});
    run.eves.EvesNyugLevontAlap = 150000;
    CalcPensionContribution(run);
    EXPECT_EQ(Base(run, "700A"), -50000);
    EXPECT_EQ(Amount(run, "700A"), -5000);
}

TEST_F(StepsTest, IncomeTaxAdvance) {
    struct Case {
        const char* why;
        double csalkedv;
        const char* csjarkedverv;
        double wage;
        std::vector<std::pair<const char*, double>> expected;
    };
    const Case cases[] = {
        {"no allowance", 0, "N", 200000, {{"309", 30000}, {"320", 30000}, {"306", 8000}, {"300", 20000}}},
        {"family allowance", 66667, "N", 200000, {{"309", 30000}, {"320", 20000}, {"314A", 66667}}},
        {"family allowance against contributions",
         500000,
         "I",
         200000,
         {{"320", 0}, {"306", 0}, {"307", 0}, {"300", 0}, {"314A", 426667}}},
        {"a remainder that lowers health only",
         266667,
         "I",
         200000,
         {{"320", 0}, {"306", 0}, {"307", 4000}, {"300", 20000}}},
    };
    ctx.employee.Set("DG_NYUGJAR", "I");
    ctx.employee.Set("DG_EGBIZJARTERM", "I");
    ctx.employee.Set("DG_EGBIZJARPENZ", "I");
    for (const Case& c : cases) {
        ctx.employee.Set("DG_CSALKEDV", c.csalkedv);
        ctx.employee.Set("DG_CSJARKEDVERV", c.csjarkedverv);
        PayrollRun run(ctx);
        run.rows.Assign({Wage(c.wage)});
        CalcPensionContribution(run);
        CalcHealthContributions(run);
        CalcIncomeTaxAdvance(run);
        for (auto [code, amount] : c.expected) EXPECT_EQ(Amount(run, code), amount) << c.why << " " << code;
        EXPECT_EQ(TaxBase(run, "309"), c.wage) << c.why;
        if (c.csalkedv == 0) {
            EXPECT_FALSE(Amount(run, "314A")) << c.why;
        }
        EXPECT_FALSE(Amount(run, "313A") || Amount(run, "315")) << c.why;
    }

    // 15 percent exactly: 1.5 rounds to 2, 1 500.15 to 1 500.
    for (auto [base, tax] : {std::pair{10.0, 2.0}, {10001.0, 1500.0}}) {
        PayrollRun run(ctx);
        run.rows.Assign({Row("220A", base)});
        CalcTax300A(run);
        EXPECT_EQ(Amount(run, "300A"), tax);
        EXPECT_EQ(Base(run, "300A"), base);
    }
}

TEST_F(StepsTest, SocialContributionTaxAndAllowances) {
    ctx.employee.Set("DG_SZHA", "I");
    struct Case {
        int month;
        double base;
        double expected;
    };
    for (const Case& c : {Case{6, 200000, 39000}, {7, 200000, 35000}, {6, 300100, 58520}}) {
        ctx.month = c.month;
        PayrollRun run(ctx);
        run.rows.Assign({Wage(c.base)});
        CalcSzha(run);
        EXPECT_EQ(Amount(run, "330"), c.expected) << c.month << " " << c.base;
    }

    ctx.employee.Set("DG_SZHAKEDVKOD", "06");
    auto allowance = [&](int month, double hours) {
        ctx.month = month;
        ctx.employee.Set("DG_NAPIKOTORA", hours);
        ctx.calendar.Edit().clear();
        PayrollRun run(ctx);
        run.rows.Assign({Wage(300000)});
        CalcSzhaAllowances(run);
        return std::pair{Amount(run, "327"), Amount(run, "328")};
    };
    EXPECT_EQ(allowance(1, 8), std::pair(std::optional<double>(100000), std::optional<double>(9750)));
    EXPECT_EQ(allowance(7, 8).second, 9750) << "the first-half rate kept, below the tax due";
    EXPECT_EQ(allowance(1, 4).first, 50000);
    // Sick pay lowers the base; an earlier payment of the month used 60 000 of the cap.
    {
        ctx.month = 1;
        ctx.employee.Set("DG_NAPIKOTORA", 8.0);
        PayrollRun run(ctx);
        SzamfejtRow sick = Row("150", 0);
        sick.SF_JARALAP = 270000;
        AddItem(PayItem("150", "1", "0", "I", {{"JC_SZABTIP", "2"}, {"JC_SZHAKOT", "I"}}));
        run.rows.Assign({Wage(300000), sick});
        run.eves.HaviKorabbi327 = 60000;
        CalcSzhaAllowances(run);
        EXPECT_EQ(Amount(run, "327"), 40000);
        run.eves.HaviKorabbi327 = 0;
        sick.SF_JARALAP = 50000;
        run.rows.Assign({Wage(80000), sick});
        CalcSzhaAllowances(run);
        EXPECT_EQ(Amount(run, "327"), 80000) << "80 000 + 50 000 liable, less 50 000 sick pay";
    }

    ctx.employee.Set("DG_SZHAKEDVKOD", "20");
    ctx.employee.Set("DG_SZHAKEDVVALT", os::EncodeDate(2019, 5, 1));
    auto rate = [&](int month) {
        ctx.month = month;
        PayrollRun run(ctx);
        run.rows.Assign({Wage(100000)});
        CalcSzhaAllowances(run);
        return run.rows[run.rows.FindFirst("328")].SF_SZHAKEDVSZAZ;
    };
    EXPECT_EQ(rate(4), 50) << "\"23b\" before the change";
    EXPECT_EQ(rate(5), 100) << "\"23a\" from it";

    // Small business tax: the allowance rows and 330 give way to 332K and 332A.
    ctx.employee.Set("DG_SZHAKEDVKOD", "");
    ctx.company.Set("CG_KIVA", "I");
    ctx.month = 3;
    PayrollRun run(ctx);
    SzamfejtRow half = Row("327", 100000), full = Row("327", 80000);
    half.SF_SZHAKEDVSZAZ = 50;
    full.SF_SZHAKEDVSZAZ = 100;
    full.SF_RJSORSZAM = 1;
    run.rows.Assign({Wage(300000), half, full, Row("328", 9750)});
    AddKivaAllowanceRow(run);
    CalcSzha(run);
    AddKivaBaseRow(run);
    EXPECT_EQ(Amount(run, "332K"), 130000);
    EXPECT_EQ(Amount(run, "332A"), 300000);
    EXPECT_FALSE(Amount(run, "327") || Amount(run, "328") || Amount(run, "330"));
}

// 1.5 % of the liable wages, less the base a full allowance already spares;
// nothing for a company under the small business tax, for employment kind
// "5" or for a working pensioner, whose pay bears no social contribution tax.
TEST_F(StepsTest, VocationalContributionByEmployer) {
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, const char*>> employee;
        const char* kiva;
        std::optional<double> expected;
    };
    // clang-format off
    const Case cases[] = {
        {"an employee",                 {},                          "N", 3000},
        {"a full allowance's base out", {{"DG_SZHAKEDVKOD", "06"}},  "N", 1500},
        {"small business tax",          {},                          "I", std::nullopt},
        {"employment kind 5",           {{"DG_ALKMIN", "5"}},        "N", std::nullopt},
        {"a working pensioner",         {{"DG_NYUGDIJAS", "I"}},     "N", std::nullopt},
    };
    // clang-format on
    for (const Case& c : cases) {
        RunContext caseCtx = ctx;
        for (auto [field, value] : c.employee) caseCtx.employee.Set(field, value);
        caseCtx.company.Set("CG_KIVA", c.kiva);
        PayrollRun run(caseCtx);
        SzamfejtRow allowance = Row("327", 100000);
        allowance.SF_SZHAKEDVSZAZ = 100;
        run.rows.Assign({Wage(200000), allowance});
        CalcVocationalContribution(run);
        EXPECT_EQ(Amount(run, "351"), c.expected) << c.what;
    }
}

// Kept as they stand though odd: "326" is the tax of the last marked row of
// the month's rate, not of their sum, and "390" and "394" charge the year's
// "108" again with this month's.
TEST_F(StepsTest, SzhaDeductionAndTheChargesOnItem108) {
    ctx.employee.Set("DG_SZHALEV", "I");
    ctx.employee.Set("DG_SZHA", "I");
    AddItem(PayItem("205", "1", "0", "I", {{"JC_SZHALEV", "I"}}));
    AddItem(PayItem("290", "1", "0", "I", {{"JC_SZHALEV", "I"}}));
    AddItem(PayItem("326", "8"));
    AddItem(PayItem("108", "1"));
    auto marked = [this](const char* code, double amount, double rate) {
        SzamfejtRow r = Row(code, amount);
        r.SF_SZHASZAZLEV = rate;
        return r;
    };
    ctx.month = 6;
    PayrollRun run(ctx);
    run.rows.Assign({marked("205", 10000, 19.5), marked("290", 20000, 19.5)});
    CalcSzhaDeduction(run);
    EXPECT_EQ(Amount(run, "326"), 3900) << "19.5 % of the last row, not 5 850";
    EXPECT_EQ(Base(run, "326"), 20000);

    ctx.month = 7;
    run.rows.Assign({marked("205", 10000, 17.5), marked("290", 20000, 19.5), Row("326", 1)});
    CalcSzhaDeduction(run);
    EXPECT_EQ(Amount(run, "326"), 1750) << "a row carried over at June's rate is left out";
    run.rows.Assign({marked("290", 20000, 19.5), Row("326", 1)});
    CalcSzhaDeduction(run);
    EXPECT_FALSE(Amount(run, "326")) << "nothing at the month's rate: the row goes";

    // 390 and 394: this month's 108 plus the year's, written even when 0.
    ctx.month = 3;
    auto charges = [&](std::vector<SzamfejtRow> rows, double yearTo108) {
        run.rows.Assign(std::move(rows));
        run.eves.Eves108Osszeg = yearTo108;
        CalcSzha(run);
        CalcVocationalContribution(run);
    };
    charges({Wage(100000), Row("108", 20000)}, 30000);
    EXPECT_EQ(Base(run, "390"), 50000);
    EXPECT_EQ(Amount(run, "390"), 9750);
    EXPECT_EQ(Amount(run, "394"), 750);
    EXPECT_EQ(Amount(run, "330"), 19500) << "108 is no part of the liable base";
    charges({Wage(100000), Row("108", 0)}, 0);
    EXPECT_EQ(Amount(run, "390"), 0);
    EXPECT_EQ(Amount(run, "394"), 0);
    charges({Wage(100000)}, 30000);
    EXPECT_FALSE(Amount(run, "390") || Amount(run, "394")) << "no 108 row this month: not touched";
}

TEST_F(StepsTest, SecondStageItems) {
    PayrollRun run(ctx);
    run.rows.Assign({Row("282A", 100000)});
    CalcEkho(run);
    for (auto [code, amount] :
         {std::pair{"320A", 9500.0}, {"320B", 3900.0}, {"320C", 1600.0}, {"340B", 19500.0}})
        EXPECT_EQ(Amount(run, code), amount) << code;
    ctx.month = 8;
    CalcEkho(run);
    EXPECT_EQ(Amount(run, "340B"), 17500);
    ctx.employee.Set("DG_NYUGDIJAS", "I");
    CalcEkho(run);
    EXPECT_EQ(Amount(run, "340C"), 11100);
    EXPECT_FALSE(Amount(run, "320A"));

    ctx.month = 6;
    AddItem(PayItem("250", "2", "0", "I", {{"JC_TERMJUTADO", "I"}, {"JC_SZHANEMKEDV", "I"}}));
    run.rows.Assign({Row("250", 10000)});
    CalcFringeBenefitIncomeTax(run);
    CalcFringeBenefitSzhaNonKiva(run);
    EXPECT_EQ(Amount(run, "334B"), 1770);
    EXPECT_EQ(Amount(run, "341B"), 2301);
    EXPECT_FALSE(Amount(run, "334A"));

    AddItem(PayItem("260", "1", "0", "I", {{"JC_ELKULADO", "I"}, {"JC_LINADO", 15.0}, {"JC_SZJAKOT", "I"}}));
    SzamfejtRow a = Row("260", 10000), b = Row("260", 3333), stale = Row("322", 1);
    a.SF_ADOALAP = 10000;
    b.SF_ADOALAP = 3333;
    b.SF_RJSORSZAM = 1;
    run.rows.Assign({a, b, stale, Row("322", 2)});
    CalcSeparatelyTaxedItems(run);
    std::vector<std::pair<double, double>> taxes;
    for (const SzamfejtRow& r : run.rows.Rows())
        if (r.SF_JCKOD == "322") taxes.emplace_back(r.Osszeg(), r.SF_JARALAP.value_or(0));
    EXPECT_EQ(taxes, (std::vector<std::pair<double, double>>{{1500, 10000}, {500, 3333}}));
    EXPECT_EQ(static_cast<double>(FifteenPercentOfPositive(-5).Value()), 0);
    EXPECT_EQ(FifteenPercentOfPositive(10).Round(), 2);
}

}  // namespace
