#include "payroll/engine/IncomeTax.h"

#include "core/helpers/TaxRate.h"
#include "payroll/engine/Contributions.h"
#include "payroll/engine/InsuredDays.h"
#include "payroll/engine/Parameters.h"

namespace payroll {
namespace {

const Money kRate = kIncomeTaxRate;

double R(const Money& m) { return static_cast<double>(m.Round()); }

}  // namespace

void CalcIncomeTaxAdvance(PayrollRun& run) {
    const RunContext& ctx = run.Context();
    const FieldValues& emp = ctx.employee;
    const EvesOsszesenek& eves = run.eves;
    const bool disabled = emp.Text("DG_FOGYKEDV") == "I";
    const Money k =
        disabled ? Max(Money(), Money(ErtekkeszletSzam(ctx, "31")) - Money(eves.HaviKorabbi315)) : Money();
    Money f = Max(Money(), Money(emp.Num("DG_CSALKEDV")) - Money(eves.HaviKorabbi314A));
    const Money h = Max(Money(), Money(emp.Num("DG_ELSOHAZASOSSZ")) - Money(eves.HaviKorabbi313A));
    Money d;
    for (const SzamfejtRow& r : run.rows.Rows()) {
        const FieldValues* item = ctx.PayItem(r.SF_JCKOD);
        if (item && item->Text("JC_SZJAKOT") == "I" && item->Text("JC_ELKULADO") != "I")
            d += r.SF_ADOALAP.value_or(0);
    }
    const Money t = d + Money(eves.HaviKorabbiAdoalap);
    const Money e = FirstAmount(run, "700A"), ff = FirstAmount(run, "701A"), g = FirstAmount(run, "706A"),
                hh = FirstAmount(run, "707A");

    // An empty end date ends the first-marriage allowance.
    Money u;
    if (PayrollMonthEnd(run) <= emp.Num("DG_ELSOHAZASVEGE")) {
        u = Max(Money(), Min(d, h));
        d = Max(Money(), d - u);
    }
    const Money q = Min(k, kRate * d);
    const Money x = Max(Money(), kRate * d - q);

    const bool contributionsToo = emp.Text("DG_CSJARKEDVERV") == "I";
    bool minimumPasses = true;
    if (emp.Text("DG_ALKMIN") >= "6")
        minimumPasses = !(
            Money((Money(ErtekkeszletSzam(ctx, "32")) / Money(30) * Money(InsuredDaysInMonth(run))).Round()) >
            t);
    Money m;
    if (contributionsToo && minimumPasses)
        m = Max(Money(), Min((x + e + ff + g + hh) / kRate, f));
    else
        m = Max(Money(), Min(x / kRate, f));
    if (contributionsToo && emp.Text("DG_ALKMIN") == "6") {
        const Money rates = Money(ErtekkeszletSzam(ctx, "17")) + Money(ErtekkeszletSzam(ctx, "19")) +
                            Money(ErtekkeszletSzam(ctx, "19p"));
        m = Max(Money(), Min(d + d * rates / Money(100) / kRate, f));
        f = m;
    }
    const Money a = Max(Money(), d - m);
    const Money y = Max(Money(), kRate * a - q);

    // What the tax could not absorb: health in kind, in cash, then pension.
    Money e2 = e, f2 = ff, g2 = g, h2 = hh;
    if (contributionsToo && minimumPasses) {
        const Money r = Max(Money(), kRate * f - x);
        Money r2, r3;
        if (r > Money()) {
            g2 = Max(Money(), g - r);
            r2 = Max(Money(), r - g);
        }
        if (r2 > Money()) {
            h2 = Max(Money(), hh - r2);
            r3 = Max(Money(), r2 - hh);
        }
        if (r3 > Money()) {
            e2 = Max(Money(), e - r3);
            f2 = Max(Money(), ff - r3);
        }
    }

    const bool pension = emp.Text("DG_NYUGJAR") == "I";
    const bool member = !emp.Text("DG_MNYP").empty();
    if (pension && !member) PutResultRow(run, "300", R(e2), R(FirstBase(run, "700A")), 0, 0);
    if (pension && member) PutResultRow(run, "301", R(f2), R(FirstBase(run, "701A")), 0, 0);
    if (emp.Text("DG_EGBIZJARTERM") == "I") PutResultRow(run, "306", R(g2), R(FirstBase(run, "706A")), 0, 0);
    if (emp.Text("DG_EGBIZJARPENZ") == "I") PutResultRow(run, "307", R(h2), R(FirstBase(run, "707A")), 0, 0);
    if (emp.Num("DG_ELSOHAZASOSSZ") > 0) PutResultRow(run, "313A", R(u), 0, 0, 0);
    if (emp.Num("DG_CSALKEDV") > 0) PutResultRow(run, "314A", R(m), 0, 0, 0);
    if (disabled) PutResultRow(run, "315", R(q), 0, 0, 0);
    PutResultRow(run, "309", R(x), 0, R(d), 0);
    PutResultRow(run, "320", R(y), 0, R(a), 0);
}

void CalcTax300A(PayrollRun& run) {
    Money v;
    for (const SzamfejtRow& r : run.rows.Rows())
        if (r.SF_JCKOD == "220A") v += r.Osszeg();
    const long long tax = (kRate * v).Round();
    if (tax != 0)
        PutResultRow(run, "300A", static_cast<double>(tax), static_cast<double>(v.Value()), 0, 0);
    else
        DeleteResultRow(run, "300A");
}

}  // namespace payroll
