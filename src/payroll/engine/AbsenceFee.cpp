#include "payroll/engine/AbsenceFee.h"

#include <cctype>

namespace payroll {
namespace {

struct MonthRange {
    int from = 0, to = -1;  // empty when from > to
    bool Empty() const { return from > to; }
};

// Sums of the two queries over the employee's rows of the months, each read
// as a whole number the way the query's result field is.
void AddMonths(const RunContext& ctx, const std::vector<SzamfejtRow>& rows, MonthRange months, Money& amount,
               Money& hours) {
    const std::string employee = ctx.employee.Text("DG_TORZSSZAM");
    Money a, h;
    for (const SzamfejtRow& r : rows) {
        const long long m = r.SF_HONAP.value_or(0);
        if (r.SF_DGTORZSSZAM != employee || !r.SF_HONAP || m < months.from || m > months.to) continue;
        const FieldValues* item = ctx.PayItem(r.SF_JCKOD);
        if (!item) continue;
        if (item->Text("JC_BESZAMOSSZEG") == "I") a += r.Osszeg();
        if (item->Text("JC_BESZAMIDOSZTO") == "I") h += r.SF_ORA.value_or(0);
    }
    amount += RoundHalfEven(a.Value());
    hours += RoundHalfEven(h.Value());
}

}  // namespace

Money AbsenceFeeCorrection(const PayrollRun& run) {
    const RunContext& ctx = run.Context();
    const double fixed = ctx.employee.Num("DG_TAVDIJKORR");
    if (fixed != 0) return fixed;
    const int m = ctx.month;
    MonthRange thisYear, previousYear;
    if (m == 1) previousYear = {7, 12};
    if (m >= 2 && m <= 6) thisYear = {1, m - 1}, previousYear = {m + 6, 12};
    if (m >= 7 && m <= 12) thisYear = {m - 6, m - 1};
    try {
        Money amount, hours;
        if (!thisYear.Empty()) AddMonths(ctx, ctx.savedRows, thisYear, amount, hours);
        if (!previousYear.Empty() && ctx.previousYearRows) {
            if (auto rows = ctx.previousYearRows()) AddMonths(ctx, *rows, previousYear, amount, hours);
        }
        if (hours.IsZero()) return 0;
        return amount / hours;
    } catch (const std::exception& e) {
        ctx.Message(MessageKind::Error,
                    std::string("HIBA történt a távolléti díj korrekció megállapításakor! \r") + e.what());
        return 0;
    }
}

std::string PreviousYearPayrollTable(const FieldValues& company) {
    if (company.Empty() || company.Text("CG_NYITMOD") != "E") return {};
    const std::string code = company.Text("CG_ELOZOEVIKOD");
    // The name comes from stored text: anything but a company code is no file of ours.
    if (code.size() != 3) return {};
    for (char c : code)
        if (!std::isdigit(static_cast<unsigned char>(c))) return {};
    return "Szamfejt_" + code;
}

void CheckLeaveLimits(const PayrollRun& run) {
    const RunContext& ctx = run.Context();
    long long leave = 0, sick = 0;
    for (const SzamfejtRow& r : run.rows.Rows()) {
        const FieldValues* item = ctx.PayItem(r.SF_JCKOD);
        if (!item) continue;
        const std::string tip = item->Text("JC_SZABTIP");
        if (tip == "1") leave += r.SF_NAP.value_or(0);
        if (tip == "2") sick += r.SF_NAP.value_or(0);
    }
    leave += run.eves.EvesSzabNap1;
    sick += run.eves.EvesSzabNap2;
    const std::string id = ctx.employee.Text("DG_TORZSSZAM");
    if (ctx.employee.Num("DG_SZABKER") < leave)
        ctx.Message(MessageKind::Info, "A" + id + " törzsszámú dolgozónak szabadságkeret túllépese van:\r" +
                                           ctx.employee.Text("DG_SZABKER") + " megengedett / " +
                                           std::to_string(leave) + " felhsznált");
    if (ctx.employee.Num("DG_BETEGSZABKER") < sick)
        ctx.Message(MessageKind::Info, "A" + id +
                                           " törzsszámú dolgozónak betegszabadságkeret túllépese van:\r" +
                                           ctx.employee.Text("DG_BETEGSZABKER") + " megengedett / " +
                                           std::to_string(sick) + " felhsznált");
}

}  // namespace payroll
