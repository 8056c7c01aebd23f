#include "payroll/engine/ItemAmounts.h"

#include <cctype>

#include "payroll/engine/AbsenceFee.h"
#include "payroll/engine/InsuredDays.h"
#include "platform/os/DayNumber.h"

namespace payroll {
namespace {

int ScheduleColumn(const RunContext& ctx) {
    const std::string m = ctx.employee.Text("DG_MUNKAREND");
    if (m.empty()) return 0;
    if (m.size() == 1 && m[0] >= '1' && m[0] <= '9') return m[0] - '0';
    throw CalculationError("A naptárban nincs \"NT_ERTEK" + m + "\" munkarend!");
}

// Days of the month from firstDay to lastDay (days of the month; the whole
// month by default) marked `mark` in the employee's schedule column.
int CountDays(const PayrollRun& run, const char* mark, int firstDay = 0, int lastDay = 31) {
    const RunContext& ctx = run.Context();
    const int column = ScheduleColumn(ctx);
    int n = 0;
    for (const CalendarDay& d : ctx.calendar)
        if (d.month == ctx.month && d.values[column] == mark && d.day >= firstDay && d.day <= lastDay) ++n;
    return n;
}

// The days of the mark from the entry to the leaving, when either falls in
// the month: a new or leaving employee's wage rows pay the days employed, not
// the whole month. Dates that cross leave the whole month, as the insured
// days do.
int CountEmployedDays(const PayrollRun& run, const char* mark) {
    const RunContext& ctx = run.Context();
    int first = 0, last = 31;
    const double entry = ctx.employee.Num("DG_BELEPDAT"), leaving = ctx.employee.Num("DG_KILEPDAT");
    if (InPayrollMonth(run, entry)) first = os::DecodeDate(entry).day;
    if (InPayrollMonth(run, leaving)) last = os::DecodeDate(leaving).day;
    if (last < first) first = 0, last = 31;
    return CountDays(run, mark, first, last);
}

// JC_SZAMKEP as a number; an empty text or one that is no number stops the run.
int FormulaKind(const FieldValues& item) {
    const std::string text = item.Text("JC_SZAMKEP");
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    std::string digits = text.substr(b, e - b);
    bool negative = false;
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
        negative = digits[0] == '-';
        digits.erase(0, 1);
    }
    bool ok = !digits.empty() && digits.size() <= 9;
    for (char c : digits) ok = ok && std::isdigit(static_cast<unsigned char>(c));
    if (!ok)
        throw CalculationError("A(z) \"" + item.Text("JC_KOD") + "\" jogcím számítási módja (\"" + text +
                               "\") nem szám!");
    const int kind = std::stoi(digits);
    return negative ? -kind : kind;
}

bool CategoryIn(const FieldValues* item, std::string_view categories) {
    if (!item) return false;
    const std::string cat = item->Text("JC_TIPUS");
    return cat.size() == 1 && categories.find(cat[0]) != std::string_view::npos;
}

// The standing-item number a row counts with in the base of kind 7.
long long RowNumber(const SzamfejtRow& r) { return r.SF_RJSORSZAM.value_or(0); }

}  // namespace

int WorkingDaysInMonth(const PayrollRun& run) { return CountDays(run, "1"); }

namespace {

bool HolidaysInWage(const RunContext& ctx) {
    return ctx.company.Text("CG_TAVDIJ") != "I" || ctx.employee.Text("DG_BERFORM") == "2";
}

}  // namespace

int PaidHolidayDaysInMonth(const PayrollRun& run) {
    return HolidaysInWage(run.Context()) ? CountDays(run, "2") : 0;
}

int WorkingDaysEmployed(const PayrollRun& run) { return CountEmployedDays(run, "1"); }

int PaidHolidayDaysEmployed(const PayrollRun& run) {
    return HolidaysInWage(run.Context()) ? CountEmployedDays(run, "2") : 0;
}

ItemBases SumItemsAndBases(const PayrollRun& run, const FieldValues& item, const std::string& code,
                           std::optional<long long> standingItemNumber) {
    const RunContext& ctx = run.Context();
    ItemBases b;
    const int kind = FormulaKind(item);
    for (const SzamfejtRow& r : run.rows.Rows()) {
        const FieldValues* ri = ctx.PayItem(r.SF_JCKOD);
        const Money a = r.Osszeg();
        switch (kind) {
            case 5: {
                static const char* const kWageCodes[] = {"100", "101", "102", "102F",
                                                         "105", "106", "107", "107F"};
                for (const char* c : kWageCodes)
                    if (r.SF_JCKOD == c) b.baseWage += a;
                break;
            }
            case 6:
                if (PayItemFlag(ri, "JC_LETILT")) b.garnishment += a;
                if (CategoryIn(ri, "89ADE")) b.garnishment -= a;
                break;
            case 9:
                if (PayItemFlag(ri, "JC_SZJAKOT") && ri->Text("JC_ELKULADO") == "N")
                    b.taxable += r.SF_ADOALAP.value_or(0);
                break;
            case 11:
                if (PayItemFlag(ri, "JC_ALAP1")) b.base1 += a;
                break;
            case 12:
                if (PayItemFlag(ri, "JC_ALAP2")) b.base2 += a;
                break;
            default:
                break;
        }
    }
    if (kind == 7) {
        // Rows before this item: earlier codes, and earlier standing items of
        // its own code when the item is one of the employee's.
        bool standing = false;
        if (standingItemNumber)
            for (const FieldValues& s : ctx.standingItems)
                standing = standing || (s.Text("RJ_JCKOD") == code &&
                                        s.Value("RJ_SORSZAM").ToInt() == *standingItemNumber);
        Money net;
        for (const SzamfejtRow& r : run.rows.Rows()) {
            const bool before =
                r.SF_JCKOD < code || (standing && r.SF_JCKOD == code && RowNumber(r) < *standingItemNumber);
            const FieldValues* ri = ctx.PayItem(r.SF_JCKOD);
            if (!before || !PayItemFlag(ri, "JC_KIFIZ")) continue;
            if (CategoryIn(ri, "12")) net += r.Osszeg();
            if (CategoryIn(ri, "34FM689ABDEXY")) net -= r.Osszeg();
        }
        b.netPayable = net.Round();
    }
    return b;
}

double ItemAmountByFormula(const PayrollRun& run, const SzamfejtRow& row, const FieldValues& item,
                           const ItemBases& bases) {
    const RunContext& ctx = run.Context();
    const FieldValues& e = ctx.employee;
    const std::string berform = e.Text("DG_BERFORM");
    const bool monthly = berform == "1";
    const bool hourly = berform == "2";
    const int kind = FormulaKind(item);
    const Money szaz = item.Num("JC_SZAZ");
    const Money alapber = e.Num("DG_ALAPBER");
    const Money nap = row.SF_NAP.value_or(0);
    const Money ora = row.SF_ORA.value_or(0);
    const Money szazalek = row.SF_SZAZALEK.value_or(0);
    const double napiKotOra = e.Num("DG_NAPIKOTORA");
    // The days the monthly wage pays, and the daily hours, as divisors.
    auto paidDays = [&] {
        const int p = WorkingDaysInMonth(run) + PaidHolidayDaysInMonth(run);
        if (p == 0)
            throw CalculationError("A(z) " + std::to_string(ctx.month) +
                                   ". hónapban a naptár szerint nincs munkanap a dolgozó munkarendjében!");
        return Money(p);
    };
    auto dailyHours = [&] {
        if (napiKotOra == 0)
            throw CalculationError("A(z) \"" + item.Text("JC_KOD") +
                                   "\" jogcím nem számítható: a dolgozó napi munkaideje 0!");
        return Money(napiKotOra);
    };
    Money s;
    switch (kind) {
        case 0:
            return row.Osszeg();
        case 1:
            if (monthly) {
                s = nap * alapber / paidDays();
                if (s.IsZero()) {
                    const std::string fix = ctx.company.Text("CG_POTLSZAMFIX");
                    if (fix == "N") s = ora * alapber / (paidDays() * dailyHours());
                    if (fix == "I") s = ora * alapber / (dailyHours() * Money(174) / Money(8));
                }
            } else if (hourly) {
                s = ora * alapber;
            }
            return static_cast<double>(Percent(szaz, s).Round());
        case 2:
        case 10:
            if (monthly) {
                const Money r = alapber / paidDays() + AbsenceFeeCorrection(run) * Money(napiKotOra);
                if (!nap.IsZero())
                    s = nap * r;
                else
                    s = r / dailyHours() * Money(RoundHalfEven(ora.Value()));
            } else if (hourly) {
                s = (AbsenceFeeCorrection(run) + alapber) * ora;
            }
            return static_cast<double>(Percent(szaz, s).Round());
        case 3: {
            const Money atl = e.Num("DG_NAPIATL");
            if (monthly) s = nap * alapber / paidDays() + atl * nap;
            if (hourly) s = ora * alapber + ora * atl / dailyHours();
            return static_cast<double>(Percent(szaz, s).Round());
        }
        case 4:
            if (monthly) s = alapber;
            if (hourly) s = alapber * ora;
            return static_cast<double>(Percent(szazalek, s).Round());
        case 5:
            return static_cast<double>(Percent(szazalek, bases.baseWage).Round());
        case 6:
            if (!szazalek.IsZero()) return static_cast<double>(Percent(szazalek, bases.garnishment).Round());
            return static_cast<double>(Money(row.Osszeg()).Round());
        case 7:
            if (!row.SF_RJSORSZAM) return 0;
            if (!szazalek.IsZero()) return static_cast<double>(Percent(szazalek, bases.netPayable).Round());
            return static_cast<double>(Money(row.Osszeg()).Round());
        case 8:
            return static_cast<double>(Money(row.Osszeg()).Round());
        case 9:
            return static_cast<double>(Percent(ErtekkeszletSzam(ctx, "46"), bases.taxable).Round());
        case 11:
            return static_cast<double>(Percent(szazalek, bases.base1).Round());
        case 12:
            return static_cast<double>(Percent(szazalek, bases.base2).Round());
        default:
            return 0;  // above 12 or negative
    }
}

namespace {

void FillWageRow(const PayrollRun& run, SzamfejtRow& row, const std::string& code, int days) {
    const RunContext& ctx = run.Context();
    SetResultRowHeader(run, row);
    row.SF_MHKOD = ctx.employee.Text("DG_MHKOD");
    row.SF_MUNKSZAM = ctx.employee.Text("DG_MUNKSZAM");
    row.SF_GYUJTO = ctx.employee.Text("DG_GYUJTO");
    row.SF_NAP = days;
    row.SF_ORA = static_cast<double>((Money(days) * Money(ctx.employee.Num("DG_NAPIKOTORA"))).Value());
    row.SF_JCKOD = code;
    const FieldValues* item = ctx.PayItem(code);
    double amount = 0;
    if (item) {
        amount = ItemAmountByFormula(run, row, *item, SumItemsAndBases(run, *item, code, row.SF_RJSORSZAM));
    } else {
        ctx.Message(MessageKind::Info, "Nem létezik a jogcím!");
    }
    row.SF_OSSZEG = amount;
    // A base-wage row is liable to tax and contributions whatever its flags say.
    row.SF_ADOALAP = amount;
    row.SF_JARALAP = amount;
    row.SF_JCTIPUS = item ? item->Text("JC_TIPUS") : std::string();
    row.SF_JCNEV = item ? item->Text("JC_NEV") : std::string();
}

}  // namespace

void AddWorkingDaysWageRow(const PayrollRun& run, SzamfejtRow& row, const std::string& code) {
    FillWageRow(run, row, code, WorkingDaysEmployed(run));
}

void AddPaidHolidayWageRow(const PayrollRun& run, SzamfejtRow& row, const std::string& code) {
    FillWageRow(run, row, code, PaidHolidayDaysEmployed(run));
}

}  // namespace payroll
