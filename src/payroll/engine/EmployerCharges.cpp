#include "payroll/engine/EmployerCharges.h"

#include "payroll/engine/Contributions.h"
#include "payroll/engine/InsuredDays.h"
#include "payroll/engine/Parameters.h"
#include "payroll/engine/SzhaAllowances.h"

namespace payroll {
namespace {

double R(const Money& m) { return static_cast<double>(m.Round()); }

// Item 108 of this run and of the year so far.
Money Base108(const PayrollRun& run) {
    Money b = run.eves.Eves108Osszeg;
    for (const SzamfejtRow& r : run.rows.Rows())
        if (r.SF_JCKOD == "108") b += r.Osszeg();
    return b;
}

}  // namespace

Money SzhaBase(const PayrollRun& run) {
    Money base = SzhaLiableBase(run);
    if (run.Context().employee.Text("DG_ALKMIN") == "7" && run.rows.FindFirst("360") >= 0)
        base += Money(0.04) * FirstBase(run, "360");
    return EntrepreneurMinimumAtFactor(run, base, 1.125);
}

void CalcSzha(PayrollRun& run) {
    if (run.Context().employee.Text("DG_SZHA") != "I") return;
    const Money rate = SzhaSzazalek(run.Context().month);
    const Money base = SzhaBase(run);
    PutOrDeleteResultRow(run, "330", Percent(rate, base).Round(), R(base));
    if (run.rows.FindFirst("108") >= 0) {
        const Money b108 = Base108(run);
        PutResultRow(run, "390", R(Percent(rate, b108)), R(b108), 0, 0);
    }
}

void CalcVocationalContribution(PayrollRun& run) {
    const RunContext& ctx = run.Context();
    const FieldValues& e = ctx.employee;
    // A working pensioner's employer pays no vocational contribution in 2019,
    // as it pays no social contribution tax on his pay.
    if (ctx.company.Text("CG_KIVA") == "I" || e.Text("DG_ALKMIN") == "5" || e.Text("DG_NYUGDIJAS") == "I")
        return;
    Money base = FlaggedBase(run, "JC_SZAKKEPZES");
    static const char* const kFullAllowances[] = {"06", "09", "10", "11", "17", "20", "21", "22", "24"};
    bool full = false;
    for (const char* c : kFullAllowances) full = full || e.Text("DG_SZHAKEDVKOD") == c;
    if (full)
        for (const SzamfejtRow& r : run.rows.Rows())
            if (r.SF_JCKOD == "327" && r.SF_SZHAKEDVSZAZ == 100.0) base -= r.Osszeg();
    base = Max(Money(), base);
    if (e.Text("DG_BERFORM") == "0" && e.Text("DG_ALKMIN") == "6" && e.Text("DG_ALKMINADATSZ") == "30")
        base = EntrepreneurMinimumAtFactor(run, base, 1.125);
    const Money rate = ErtekkeszletSzam(ctx, "44");
    PutOrDeleteResultRow(run, "351", Percent(rate, base).Round(), R(base));
    if (run.rows.FindFirst("108") >= 0) {
        const Money b108 = Base108(run);
        PutResultRow(run, "394", R(Percent(rate, b108)), R(b108), 0, 0);
    }
}

void CalcEva(PayrollRun& run) {
    const RunContext& ctx = run.Context();
    long long amount = 0;
    Money base;
    if (ctx.employee.Text("DG_EVA") == "I") {
        base = FlaggedBase(run, "JC_EVAKOT");
        amount = Percent(base, ErtekkeszletSzam(ctx, "45")).Round();
    }
    PutOrDeleteResultRow(run, "360", amount, R(base));
}

void CalcSzhaDeduction(PayrollRun& run) {
    const RunContext& ctx = run.Context();
    long long amount = 0;
    Money base;
    const double rate = SzhaSzazalek(ctx.month);
    if (ctx.employee.Text("DG_SZHALEV") == "I") {
        // The last marked row of the month's rate, not their sum.
        for (const SzamfejtRow& r : run.rows.Rows())
            if (PayItemFlag(ctx.PayItem(r.SF_JCKOD), "JC_SZHALEV") && r.SF_SZHASZAZLEV == rate)
                base = r.Osszeg();
        amount = Percent(rate, base).Round();
    }
    PutOrDeleteResultRow(run, "326", amount, R(base));
}

void AddKivaAllowanceRow(PayrollRun& run) {
    if (run.Context().company.Text("CG_KIVA") != "I") return;
    Money total;
    for (const SzamfejtRow& r : run.rows.Rows())
        if (r.SF_JCKOD == "327") total += Percent(r.SF_SZHAKEDVSZAZ.value_or(0), r.Osszeg()).Round();
    DeleteResultRows(run, "327");
    DeleteResultRows(run, "328");
    PutOrDeleteResultRow(run, "332K", total.Round(), 0);
}

void AddKivaBaseRow(PayrollRun& run) {
    const RunContext& ctx = run.Context();
    if (ctx.company.Text("CG_KIVA") != "I") return;
    Money total;
    for (const SzamfejtRow& r : run.rows.Rows()) {
        const FieldValues* item = ctx.PayItem(r.SF_JCKOD);
        if (r.SF_JCKOD == "330") total += r.SF_JARALAP.value_or(0);
        if (PayItemFlag(item, "JC_TERMJUTADO") && PayItemFlag(item, "JC_SZHANEMKEDV", "N"))
            total += r.Osszeg();
        if (r.SF_JCKOD == "150" || r.SF_JCKOD == "152") total += r.Osszeg();
    }
    DeleteResultRows(run, "330");
    PutOrDeleteResultRow(run, "332A", total.Round(), 0);
}

}  // namespace payroll
