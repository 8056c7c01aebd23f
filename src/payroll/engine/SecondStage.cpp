#include "payroll/engine/SecondStage.h"

#include "core/helpers/TaxRate.h"
#include "payroll/engine/Contributions.h"
#include "payroll/engine/Parameters.h"

namespace payroll {
namespace {

double R(const Money& m) { return static_cast<double>(m.Round()); }

// Sum of the amounts of the rows whose pay item passes the test.
template <class Test>
Money SumAmounts(const PayrollRun& run, Test test) {
    Money sum;
    for (const SzamfejtRow& r : run.rows.Rows())
        if (test(r, run.Context().PayItem(r.SF_JCKOD))) sum += r.Osszeg();
    return sum;
}

void WriteOrRemove(PayrollRun& run, const std::string& code, const Money& amount, const Money& base) {
    if (amount.Round() != 0)
        PutResultRowBases(run, code, R(amount), R(base), 0);
    else
        DeleteResultRow(run, code);
}

}  // namespace

Money FifteenPercentOfPositive(const Money& x) { return x > Money() ? Money(kIncomeTaxRate) * x : Money(); }

void CalcWageTypeEarnings(PayrollRun& run) {
    const Money s270 = SumAmounts(
        run, [](const SzamfejtRow&, const FieldValues* i) { return PayItemFlag(i, "JC_BERJELL"); });
    const Money s271 = SumAmounts(
        run, [](const SzamfejtRow&, const FieldValues* i) { return PayItemFlag(i, "JC_KERESET"); });
    PutResultRowBases(run, "270", R(s270), 0, 0);
    PutResultRowBases(run, "271", R(s271), 0, 0);
}

void CalcUnionDues(PayrollRun& run) {
    if (run.Context().employee.Text("DG_ERDEKTAGD") != "I") return;
    const Money s = SumAmounts(
        run, [](const SzamfejtRow&, const FieldValues* i) { return PayItemFlag(i, "JC_SZAKSZKOT"); });
    const long long fee = Percent(s, ErtekkeszletSzam(run.Context(), "21")).Round();
    if (fee != 0)
        PutResultRowBases(run, "280", static_cast<double>(fee), R(s), static_cast<double>(-fee));
    else
        DeleteResultRow(run, "280");
}

void CalcEkho(PayrollRun& run) {
    const RunContext& ctx = run.Context();
    const Money x =
        SumAmounts(run, [](const SzamfejtRow& r, const FieldValues*) { return r.SF_JCKOD == "282A"; });
    for (const char* code : {"320A", "320B", "320C", "340B", "340C"}) DeleteResultRow(run, code);
    if (x.IsZero()) return;
    if (ctx.employee.Text("DG_NYUGDIJAS") == "I") {
        PutResultRowBases(run, "340C", R(x * Money(0.111)), 0, 0);
    } else {
        PutResultRowBases(run, "320A", R(x * Money(0.095)), 0, 0);
        PutResultRowBases(run, "320B", R(x * Money(0.039)), 0, 0);
        PutResultRowBases(run, "320C", R(x * Money(0.016)), 0, 0);
    }
    if (ctx.employee.Text("DG_FEOR") != "3721")
        PutResultRowBases(run, "340B", R(Percent(SzhaSzazalek(ctx.month), x)), 0, 0);
}

void CalcFringeBenefitIncomeTax(PayrollRun& run) {
    const RunContext& ctx = run.Context();
    const Money a = SumAmounts(run, [](const SzamfejtRow&, const FieldValues* i) {
        return PayItemFlag(i, "JC_TERMJUTADO") && PayItemFlag(i, "JC_SZHANEMKEDV", "N");
    });
    const Money b = SumAmounts(run, [](const SzamfejtRow&, const FieldValues* i) {
        return PayItemFlag(i, "JC_TERMJUTADO") && PayItemFlag(i, "JC_SZHANEMKEDV", "I");
    });
    const Money rate = ErtekkeszletSzam(ctx, "58");
    WriteOrRemove(run, "334A", Percent(rate, a), a);
    WriteOrRemove(run, "334B", Percent(rate, b * Money(ErtekkeszletSzam(ctx, "23s"))), b);
}

void CalcFringeBenefitSzhaNonKiva(PayrollRun& run) {
    const RunContext& ctx = run.Context();
    const bool notKiva = ctx.company.Text("CG_KIVA") == "N";
    const Money a = SumAmounts(run, [notKiva](const SzamfejtRow&, const FieldValues* i) {
        return notKiva && PayItemFlag(i, "JC_TERMJUTADO") && PayItemFlag(i, "JC_SZHANEMKEDV", "N");
    });
    const Money b = SumAmounts(run, [](const SzamfejtRow&, const FieldValues* i) {
        return PayItemFlag(i, "JC_TERMJUTADO") && PayItemFlag(i, "JC_SZHANEMKEDV", "I");
    });
    const Money r = SzhaSzazalek(ctx.month);
    WriteOrRemove(run, "341A", Percent(r, a), a);
    WriteOrRemove(run, "341B", Percent(r, b * Money(ErtekkeszletSzam(ctx, "23s"))), b);
}

void CalcBaljContribution(PayrollRun& run) {
    const RunContext& ctx = run.Context();
    if (ctx.employee.Text("DG_BALJAR") != "I") return;
    Money s = FlaggedBase(run, "JC_BALJKOT");
    if (ctx.employee.Text("DG_ALKMIN") == "8" && run.rows.FindFirst("360") >= 0)
        s += Money(0.1) * FirstBase(run, "360");
    WriteOrRemove(run, "342", Money(ErtekkeszletSzam(ctx, "28")), s);
}

void CalcSeparatelyTaxedItems(PayrollRun& run) {
    const RunContext& ctx = run.Context();
    for (const char* code : {"321", "322"}) DeleteResultRows(run, code);
    // A walk in working-set order; a tax row appended takes its place in
    // that order and is visited too when it sorts after the item.
    for (size_t i = 0; i < run.rows.size(); ++i) {
        const SzamfejtRow current = run.rows[i];
        const FieldValues* item = ctx.PayItem(current.SF_JCKOD);
        if (!PayItemFlag(item, "JC_ELKULADO")) continue;
        const long long base = Money(current.SF_ADOALAP.value_or(0)).Round();
        const long long tax = Percent(item->Num("JC_LINADO"), base).Round();
        if (tax == 0) continue;
        const std::string code = PayItemFlag(item, "JC_SZJAKOT") ? "322" : "321";
        AppendResultRow(run, code, static_cast<double>(tax), static_cast<double>(base));
        SzamfejtRow appended = current;
        appended.SF_JCKOD = code;
        appended.SF_SORSZAM.reset();
        appended.SF_RJSORSZAM.reset();
        if (KeyLess(appended, current)) ++i;
    }
}

}  // namespace payroll
