#include "payroll/engine/InsuredDays.h"

#include <algorithm>

#include "payroll/engine/Parameters.h"
#include "platform/os/DayNumber.h"

namespace payroll {
namespace {

bool Entrepreneur(const RunContext& ctx) {
    return ctx.employee.Text("DG_BERFORM") == "0" && ctx.employee.Text("DG_ALKMIN") == "6";
}

bool WithoutContribution(const FieldValues* item) { return item && item->Text("JC_JARULKOD") > "00"; }

// First and last day of the month the employment covers.
int EmployedDays(const PayrollRun& run) {
    const RunContext& ctx = run.Context();
    const int daysInMonth = os::DaysInMonth(ctx.year, ctx.month);
    int first = 1, last = daysInMonth;
    const double entry = ctx.employee.Num("DG_BELEPDAT"), leaving = ctx.employee.Num("DG_KILEPDAT");
    if (InPayrollMonth(run, entry)) first = os::DecodeDate(entry).day;
    if (InPayrollMonth(run, leaving)) last = os::DecodeDate(leaving).day;
    return last >= first ? last - first + 1 : daysInMonth;
}

}  // namespace

int ProcessingYearNumber(const PayrollRun& run) { return run.Context().year; }
int PayrollMonth(const PayrollRun& run) { return run.Context().month; }

double PayrollMonthStart(const PayrollRun& run) {
    return os::EncodeDate(run.Context().year, run.Context().month, 1);
}

double PayrollMonthEnd(const PayrollRun& run) {
    const RunContext& ctx = run.Context();
    return os::EncodeDate(ctx.year, ctx.month, os::DaysInMonth(ctx.year, ctx.month));
}

double FirstDayOfMonth(double d) {
    const os::YMD ymd = os::DecodeDate(d);
    return os::EncodeDate(ymd.year, ymd.month, 1);
}

double LastDayOfMonth(double d) {
    const os::YMD ymd = os::DecodeDate(d);
    return os::EncodeDate(ymd.year, ymd.month, os::DaysInMonth(ymd.year, ymd.month));
}

double FirstDayOfNextMonth(double d) { return LastDayOfMonth(d) + 1; }

double PeriodStartInMonth(const PayrollRun& run, double a, double b) {
    return NagyobbDatum(NagyobbDatum(a, b), PayrollMonthStart(run));
}

double PeriodEndInMonth(const PayrollRun& run, double a, double b) {
    return KisebbDatum(KisebbDatum(a, b), PayrollMonthEnd(run));
}

bool InPayrollMonth(const PayrollRun& run, double d) {
    if (d == 0) return false;
    const os::YMD ymd = os::DecodeDate(d);
    return ymd.year == run.Context().year && ymd.month == run.Context().month;
}

int DaysWithoutContribution(const PayrollRun& run) {
    long long n = 0;
    for (const SzamfejtRow& r : run.rows.Rows())
        if (WithoutContribution(run.Context().PayItem(r.SF_JCKOD))) n += r.SF_NAP.value_or(0);
    return static_cast<int>(n);
}

int InsuredDaysInMonth(const PayrollRun& run) {
    const RunContext& ctx = run.Context();
    int n = EmployedDays(run) - DaysWithoutContribution(run);
    if (n == os::DaysInMonth(ctx.year, ctx.month)) n = 30;
    return std::clamp(n, 0, 30);
}

bool PartialMonth(const PayrollRun& run) {
    return EmployedDays(run) != os::DaysInMonth(run.Context().year, run.Context().month);
}

Money EntrepreneurMinimumAtFactor(const PayrollRun& run, const Money& base, const Money& factor) {
    const RunContext& ctx = run.Context();
    if (!Entrepreneur(ctx)) return base;
    const Money days = InsuredDaysInMonth(run);
    const Money wage = Money(ErtekkeszletSzam(ctx, "32")) * factor / Money(30) * days;
    const Money declared = Money(ctx.employee.Num("DG_VALLALKMINBER")) * factor / Money(30) * days;
    return Max(base, Max(wage, declared));
}

long long EntrepreneurMinimumBase(const PayrollRun& run, long long excludedRow) {
    const RunContext& ctx = run.Context();
    const int m = ctx.month;
    int c = 0, before = 0, after = 0, entryMonth = 0, leavingMonth = 12;
    const double entry = ctx.employee.Num("DG_BELEPDAT"), leaving = ctx.employee.Num("DG_KILEPDAT");
    for (const CalendarDay& d : ctx.calendar) c += d.month == m;
    for (const CalendarDay& d : ctx.calendar) {
        if (entry != 0 && Kerekit(d.date) == Kerekit(entry)) {
            entryMonth = d.month;
            if (d.month == m) before = d.day - 1;
        }
        if (leaving != 0 && Kerekit(d.date) == Kerekit(leaving)) {
            leavingMonth = d.month;
            if (d.month == m) after = c - d.day;
        }
    }
    const double minimumWage = ErtekkeszletSzam(ctx, "32");
    const double declared = std::max(ctx.employee.Num("DG_VALLALKMINBER"), ctx.employee.Num("DG_PIACIERT"));
    long long without = 0;
    if (!(declared > minimumWage)) {
        for (const SzamfejtRow& r : run.rows.Rows()) {
            if (r.SF_SORSZAM.value_or(0) == excludedRow && excludedRow != 0) continue;
            if (WithoutContribution(ctx.PayItem(r.SF_JCKOD)) && r.SF_TOL != 0 && r.SF_IG != 0)
                without += Kerekit(r.SF_IG) - Kerekit(r.SF_TOL) + 1;
        }
        if (m >= 1 && m <= 12) without += run.eves.EvesJarulekmentesNapok[m];
    }
    Money p = m == 1 ? ErtekkeszletSzam(ctx, "43") : minimumWage;
    if (declared > minimumWage) p = declared;
    if (m < entryMonth || m > leavingMonth) return 0;
    if (c == 0)
        throw CalculationError("A(z) " + std::to_string(m) + ". hónapnak nincsenek napjai a naptárban!");
    return (p / Money(c) * Money(c - before - after - without)).Round();
}

void EntrepreneurBaseTotals(const PayrollRun& run, double& baseTotal, double& pensionTotal, double& shortfall,
                            long long excludedRow) {
    const RunContext& ctx = run.Context();
    Money a = baseTotal, b = pensionTotal;
    for (const SzamfejtRow& r : run.rows.Rows()) {
        if (excludedRow != 0 && r.SF_SORSZAM.value_or(0) == excludedRow) continue;
        const FieldValues* item = ctx.PayItem(r.SF_JCKOD);
        if (!item) continue;
        if (item->Text("JC_TIPUS") == "1") a += r.SF_JARALAP.value_or(0);
        if (item->Text("JC_NYJKOT") == "I") b += r.Osszeg();
    }
    a += run.eves.EvesJovedelemJarAlap;
    b += run.eves.EvesNyugKotOsszeg;
    const Money c = shortfall;
    shortfall = static_cast<double>((b > c ? b - a : c - a).Value());
    baseTotal = static_cast<double>(a.Value());
    pensionTotal = static_cast<double>(b.Value());
}

}  // namespace payroll
