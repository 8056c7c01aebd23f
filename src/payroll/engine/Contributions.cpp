#include "payroll/engine/Contributions.h"

#include "payroll/engine/InsuredDays.h"
#include "payroll/engine/Parameters.h"

namespace payroll {
namespace {

double D(const Money& m) { return static_cast<double>(m.Value()); }
double R(const Money& m) { return static_cast<double>(m.Round()); }

}  // namespace

Money FlaggedBase(const PayrollRun& run, const char* flag) {
    Money sum;
    for (const SzamfejtRow& r : run.rows.Rows()) {
        const FieldValues* item = run.Context().PayItem(r.SF_JCKOD);
        if (item && item->Text(flag) == "I") sum += r.SF_JARALAP.value_or(0);
    }
    return sum;
}

Money FirstAmount(const PayrollRun& run, const std::string& code) {
    const int at = run.rows.FindFirst(code);
    return at < 0 ? Money() : Money(run.rows[at].Osszeg());
}

Money FirstBase(const PayrollRun& run, const std::string& code) {
    const int at = run.rows.FindFirst(code);
    return at < 0 ? Money() : Money(run.rows[at].SF_JARALAP.value_or(0));
}

void CalcLabourMarketContribution(PayrollRun& run) {
    const RunContext& ctx = run.Context();
    if (ctx.employee.Text("DG_MPJDOLG") != "I") return;
    const Money b = EntrepreneurMinimumAtFactor(run, FlaggedBase(run, "JC_MPJDOLGKOT"), 1.5);
    PutOrDeleteResultRow(run, "304", Percent(b, ErtekkeszletSzam(ctx, "20")).Round(), R(b));
}

void CalcPensionContribution(PayrollRun& run) {
    const RunContext& ctx = run.Context();
    const FieldValues& e = ctx.employee;
    Money b, p;
    if (e.Text("DG_NYUGJAR") == "I") {
        b = FlaggedBase(run, "JC_NYJKOT") + Money(run.eves.EvesNyugJarAlap);
        p = run.eves.EvesNyugLevontAlap;
    }
    // Cumulative over the year: what was liable so far less what was charged.
    b = Money(b.Round()) - Money(p.Round());
    if (e.Text("DG_EVA") == "I" && run.rows.FindFirst("360") >= 0) {
        const Money eva = FirstBase(run, "360");
        b = Money();
        if (e.Text("DG_ALKMIN") == "7") b = Money(0.04) * eva;
        if (e.Text("DG_ALKMIN") == "8") b = Money(0.1) * eva;
    }
    b = EntrepreneurMinimumAtFactor(run, b, 1);
    if (e.Text("DG_MNYP").empty()) {
        const Money rate = Money(ErtekkeszletSzam(ctx, "17")) + Money(ErtekkeszletSzam(ctx, "18"));
        PutOrDeleteResultRow(run, "700A", Percent(b, rate).Round(), D(b));
    } else {
        const long long amount = Percent(b, ErtekkeszletSzam(ctx, "17")).Round();
        DeleteResultRow(run, "700A");
        PutOrDeleteResultRow(run, "701A", amount, D(b));
    }
}

void CalcHealthContributions(PayrollRun& run) {
    const RunContext& ctx = run.Context();
    const bool inKind = ctx.employee.Text("DG_EGBIZJARTERM") == "I";
    const bool inCash = ctx.employee.Text("DG_EGBIZJARPENZ") == "I";
    if (!inKind && !inCash) return;
    const Money b = EntrepreneurMinimumAtFactor(run, FlaggedBase(run, "JC_EBJKOT"), 1.5);
    PutOrDeleteResultRow(run, "706A", inKind ? Percent(b, ErtekkeszletSzam(ctx, "19")).Round() : 0, R(b));
    PutOrDeleteResultRow(run, "707A", inCash ? Percent(b, ErtekkeszletSzam(ctx, "19p")).Round() : 0, R(b));
}

}  // namespace payroll
