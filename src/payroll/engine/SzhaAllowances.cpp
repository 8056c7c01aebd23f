#include "payroll/engine/SzhaAllowances.h"

#include "payroll/engine/Contributions.h"
#include "payroll/engine/EmployerCharges.h"
#include "payroll/engine/InsuredDays.h"
#include "payroll/engine/Parameters.h"
#include "platform/os/DayNumber.h"

namespace payroll {
namespace {

enum class Rate { A, B, None };
enum class Cap { Minimum, FourMinimum, Hundred, HundredByHours, Fixed };

struct AllowanceCode {
    const char* code;
    Rate rate1, rate2;
    Cap cap;
    double fixed = 0;
};

// clang-format off
const AllowanceCode kCodes[] = {
    {"06", Rate::B, Rate::None, Cap::HundredByHours},
    {"09", Rate::B, Rate::A,    Cap::HundredByHours},
    {"10", Rate::B, Rate::A,    Cap::Hundred},
    {"11", Rate::B, Rate::A,    Cap::HundredByHours},
    {"17", Rate::B, Rate::None, Cap::FourMinimum},
    {"18", Rate::A, Rate::None, Cap::Minimum},
    {"19", Rate::A, Rate::None, Cap::Minimum},
    {"20", Rate::B, Rate::A,    Cap::Minimum},
    {"21", Rate::B, Rate::A,    Cap::Minimum},
    {"22", Rate::B, Rate::None, Cap::Minimum},
    {"23", Rate::A, Rate::None, Cap::Fixed, 138521.5},
    {"24", Rate::B, Rate::None, Cap::Fixed, 500000},
    {"25", Rate::A, Rate::None, Cap::Fixed, 200000},
};
// clang-format on

Money SumOfFlag(const PayrollRun& run, const char* flag, const char* value) {
    Money sum;
    for (const SzamfejtRow& r : run.rows.Rows()) {
        const FieldValues* item = run.Context().PayItem(r.SF_JCKOD);
        if (item && item->Text(flag) == value) sum += r.SF_JARALAP.value_or(0);
    }
    return sum;
}

}  // namespace

Money SzhaLiableBase(const PayrollRun& run) { return SumOfFlag(run, "JC_SZHAKOT", "I"); }

Money SickPayBase(const PayrollRun& run) { return SumOfFlag(run, "JC_SZABTIP", "2"); }

Money AllowanceBaseForPeriod(const PayrollRun& run, double from, double to, Money base, const Money& cap) {
    const RunContext& ctx = run.Context();
    const long long days = Kerekit(to - from + 1);
    const int monthDays = os::DaysInMonth(ctx.year, ctx.month);
    const bool partial = PartialMonth(run);
    if (partial) base = cap;
    // A whole month keeps the exact figure.
    Money x = days == monthDays ? Min(cap, base) : Min(cap, base) / Money(monthDays) * Money(days);
    x = Min(x, base);
    if (partial) {
        Money wages;
        for (const SzamfejtRow& r : run.rows.Rows())
            if (r.SF_JCKOD == "270") wages += r.Osszeg();
        x = Min(x, wages);
    }
    return Max(Money(), x);
}

long long SzhaAmountDue(const PayrollRun& run) {
    if (run.Context().employee.Text("DG_SZHA") != "I") return 0;
    return Percent(SzhaSzazalek(run.Context().month), SzhaBase(run)).Round();
}

void CalcSzhaAllowances(PayrollRun& run) {
    const RunContext& ctx = run.Context();
    const FieldValues& e = ctx.employee;
    const std::string code = e.Text("DG_SZHAKEDVKOD");
    if (code.empty()) return;
    const double start = e.Num("DG_SZHAKEDVKEZD") != 0 ? e.Num("DG_SZHAKEDVKEZD") : PayrollMonthStart(run);
    const double end = e.Num("DG_SZHAKEDVVEG") != 0 ? e.Num("DG_SZHAKEDVVEG") : PayrollMonthEnd(run);
    double change = e.Num("DG_SZHAKEDVVALT");
    if (change == 0) change = e.Num("DG_SZHAKEDVVEG") != 0 ? e.Num("DG_SZHAKEDVVEG") : PayrollMonthEnd(run);
    const Money base0 = SzhaLiableBase(run);

    const Money rateA = ErtekkeszletSzam(ctx, "23a"), rateB = ErtekkeszletSzam(ctx, "23b");
    const Money minimumWage = ErtekkeszletSzam(ctx, "32");
    Money rates[2] = {rateB, rateA};
    Money cap = minimumWage;
    for (const AllowanceCode& c : kCodes) {
        if (code != c.code) continue;
        auto rate = [&](Rate r) { return r == Rate::A ? rateA : r == Rate::B ? rateB : Money(); };
        rates[0] = rate(c.rate1);
        rates[1] = rate(c.rate2);
        switch (c.cap) {
            case Cap::Minimum:
                cap = minimumWage;
                break;
            case Cap::FourMinimum:
                cap = Money(4) * minimumWage;
                break;
            case Cap::Hundred:
                cap = 100000;
                break;
            case Cap::HundredByHours: {
                cap = 100000;
                const double hours = e.Num("DG_NAPIKOTORA");
                if (hours != 0) cap = Min(Money(hours) * Money(100000) / Money(8), 100000);
                break;
            }
            case Cap::Fixed:
                cap = c.fixed;
                break;
        }
    }

    const double from[2] = {PeriodStartInMonth(run, FirstDayOfMonth(start), 0),
                            PeriodStartInMonth(run, FirstDayOfNextMonth(change - 1), 0)};
    const double to[2] = {PeriodEndInMonth(run, LastDayOfMonth(change - 1), 0),
                          PeriodEndInMonth(run, LastDayOfMonth(end), 0)};
    const Money s = SzhaSzazalek(ctx.month);
    const bool keepsFirstHalfRate =
        ctx.month >= 7 && (code == "06" || code == "09" || code == "10" || code == "11");
    Money chosenBase, chosenAmount, chosenRate;
    bool chosen = false;
    for (int i = 0; i < 2; ++i) {
        Money b = AllowanceBaseForPeriod(run, from[i], to[i], base0 - SickPayBase(run), cap);
        b = Max(Money(), Min(b, cap - Money(run.eves.HaviKorabbi327)));
        Money a;
        if (keepsFirstHalfRate)
            a = Min(s * (Money(0.195) * b / Money(0.175) * rates[i] / Money(100)) / Money(100),
                    SzhaAmountDue(run));
        else
            a = Percent(s, Percent(rates[i], b));
        if (!a.IsZero()) {
            chosenBase = b, chosenAmount = a, chosenRate = rates[i];
            chosen = true;
        }
    }
    if (chosen && !chosenBase.IsZero()) {
        const double r = static_cast<double>(chosenRate.Value());
        PutResultRow(run, "327", static_cast<double>(chosenBase.Round()), 0, 0, r);
        PutResultRow(run, "328", static_cast<double>(chosenAmount.Round()), 0, 0, r);
    } else {
        DeleteResultRow(run, "327");
        DeleteResultRow(run, "328");
    }
}

}  // namespace payroll
