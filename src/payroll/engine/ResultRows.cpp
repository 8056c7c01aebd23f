#include "payroll/engine/ResultRows.h"

#include <algorithm>

#include "core/helpers/SegedUnit.h"

namespace payroll {

int WorkingSet::FindFirst(const std::string& code) const {
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].SF_JCKOD == code) return static_cast<int>(i);
    return -1;
}

int WorkingSet::FindStandingItemRow(const std::string& code, long long number) const {
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].SF_JCKOD == code && rows_[i].SF_RJSORSZAM == number) return static_cast<int>(i);
    return -1;
}

void WorkingSet::Post(int index, SzamfejtRow row) {
    // The other rows stay in key order: the row goes to its place among
    // them, after the equal rows that were before it (a new one after all),
    // which is where a stable sort would put it. Sorting the whole set again
    // for every posted row was near half of a run's calculation.
    const long from = index < 0 ? static_cast<long>(rows_.size()) : index;
    if (index >= 0) rows_.erase(rows_.begin() + index);
    const auto lo = std::lower_bound(rows_.begin(), rows_.end(), row, KeyLess);
    const auto hi = std::upper_bound(lo, rows_.end(), row, KeyLess);
    rows_.insert(rows_.begin() + std::clamp(from, lo - rows_.begin(), hi - rows_.begin()), std::move(row));
}

void WorkingSet::Delete(int index) { rows_.erase(rows_.begin() + index); }

void WorkingSet::Assign(std::vector<SzamfejtRow> rows) {
    rows_ = std::move(rows);
    // Mostly given in order already (rows numbered in their order).
    if (!std::is_sorted(rows_.begin(), rows_.end(), KeyLess))
        std::stable_sort(rows_.begin(), rows_.end(), KeyLess);
}

void SetResultRowHeader(const PayrollRun& run, SzamfejtRow& row) {
    const RunContext& ctx = run.Context();
    row.SF_HONAP = ctx.month;
    row.SF_KIFIZDAT = ctx.paymentDate;
    row.SF_DGTORZSSZAM = ctx.employee.Text("DG_TORZSSZAM");
    row.SF_DGNEV = ctx.employee.Text("DG_NEV");
    row.SF_DGMHKOD = ctx.employee.Text("DG_MHKOD");
    auto wp = ctx.workplaces.find(row.SF_DGMHKOD);
    row.SF_DGKHKOD = wp == ctx.workplaces.end() ? std::string() : wp->second;
    row.SF_DGMNYP = ctx.employee.Text("DG_MNYP");
}

SzamfejtRow NewResultRow(const PayrollRun& run) {
    SzamfejtRow row;
    SetResultRowHeader(run, row);
    const FieldValues& e = run.Context().employee;
    row.SF_MHKOD = e.Text("DG_MHKOD");
    row.SF_MUNKSZAM = e.Text("DG_MUNKSZAM");
    row.SF_GYUJTO = e.Text("DG_GYUJTO");
    return row;
}

namespace {

std::optional<double> UnlessZero(double v) { return v != 0 ? std::optional<double>(v) : std::nullopt; }

// Code, category and name from the catalogue; a missing pay item keeps the
// code and leaves the other two empty.
void CopyPayItem(const RunContext& ctx, SzamfejtRow& row, const std::string& code) {
    const FieldValues* item = ctx.PayItem(code);
    row.SF_JCKOD = code;
    row.SF_JCTIPUS = item ? item->Text("JC_TIPUS") : std::string();
    row.SF_JCNEV = item ? item->Text("JC_NEV") : std::string();
}

void PutRow(PayrollRun& run, const std::string& code, double amount, double contributionBase, double taxBase,
            const double* szhaAllowancePercent) {
    const RunContext& ctx = run.Context();
    const int at = run.rows.FindFirst(code);
    SzamfejtRow row;
    if (at >= 0) {
        row = run.rows[at];
        SetResultRowHeader(run, row);
    } else {
        row = NewResultRow(run);
        if (!ctx.PayItem(code)) ctx.Message(MessageKind::Info, "Nem létezik a jogcím!");
    }
    row.SF_OSSZEG = amount;
    CopyPayItem(ctx, row, code);
    row.SF_JARALAP = UnlessZero(contributionBase);
    row.SF_ADOALAP = UnlessZero(taxBase);
    if (szhaAllowancePercent) {
        row.SF_SZHAKEDVSZAZ = UnlessZero(*szhaAllowancePercent);
        row.SF_SZHAKEDVKOD = *szhaAllowancePercent != 0 ? ctx.employee.Text("DG_SZHAKEDVKOD") : std::string();
    }
    run.rows.Post(at, std::move(row));
}

}  // namespace

void PutResultRow(PayrollRun& run, const std::string& code, double amount, double contributionBase,
                  double taxBase, double szhaAllowancePercent) {
    PutRow(run, code, amount, contributionBase, taxBase, &szhaAllowancePercent);
}

void PutResultRowBases(PayrollRun& run, const std::string& code, double amount, double contributionBase,
                       double taxBase) {
    PutRow(run, code, amount, contributionBase, taxBase, nullptr);
}

void AppendResultRow(PayrollRun& run, const std::string& code, double amount, double contributionBase) {
    SzamfejtRow row = NewResultRow(run);
    row.SF_OSSZEG = amount;
    CopyPayItem(run.Context(), row, code);
    row.SF_JARALAP = UnlessZero(contributionBase);
    run.rows.Post(-1, std::move(row));
}

void DeleteResultRow(PayrollRun& run, const std::string& code) {
    const int at = run.rows.FindFirst(code);
    if (at >= 0) run.rows.Delete(at);
}

void DeleteResultRows(PayrollRun& run, const std::string& code) {
    while (run.rows.FindFirst(code) >= 0) DeleteResultRow(run, code);
}

void PutOrDeleteResultRow(PayrollRun& run, const std::string& code, long long amount,
                          double contributionBase) {
    if (amount != 0)
        PutResultRow(run, code, static_cast<double>(amount), contributionBase, 0, 0);
    else
        DeleteResultRow(run, code);
}

void EvesOsszesen(PayrollRun& run) {
    const RunContext& ctx = run.Context();
    EvesOsszesenek t;
    const std::string employee = ctx.employee.Text("DG_TORZSSZAM");
    for (const SzamfejtRow& r : ctx.savedRows) {
        if (r.SF_DGTORZSSZAM != employee) continue;
        const FieldValues* item = ctx.PayItem(r.SF_JCKOD);
        if (!item) continue;
        if (!(ctx.paymentDate > r.SF_KIFIZDAT)) continue;
        const long long month = r.SF_HONAP.value_or(0);
        const std::string& code = r.SF_JCKOD;
        const double osszeg = r.Osszeg();
        const double jaralap = r.SF_JARALAP.value_or(0);
        if (month <= ctx.month) {
            if (code == "108") t.Eves108Osszeg += osszeg;
            const std::string szabTip = item->Text("JC_SZABTIP");
            if (szabTip == "1") t.EvesSzabNap1 += static_cast<int>(r.SF_NAP.value_or(0));
            if (szabTip == "2") t.EvesSzabNap2 += static_cast<int>(r.SF_NAP.value_or(0));
            if (item->Text("JC_NYJKOT") == "I") {
                t.EvesNyugJarAlap += jaralap;
                t.EvesNyugKotOsszeg += osszeg;
            }
            if (code == "700A" || code == "500" || code == "701A") t.EvesNyugLevontAlap += jaralap;
            if (item->Text("JC_TIPUS") == "1") t.EvesJovedelemJarAlap += jaralap;
            // An absence row counts its calendar days; a row without both
            // ends of its period has no days to count.
            if (item->Text("JC_JARULKOD") > "00" && month >= 1 && month <= 12 && r.SF_TOL != 0 &&
                r.SF_IG != 0)
                t.EvesJarulekmentesNapok[month] += static_cast<int>(Kerekit(r.SF_IG) - Kerekit(r.SF_TOL) + 1);
        }
        if (month == ctx.month) {
            if (code == "313A") t.HaviKorabbi313A += osszeg;
            if (code == "314A") t.HaviKorabbi314A += osszeg;
            if (code == "315") t.HaviKorabbi315 += osszeg;
            if (code == "327") t.HaviKorabbi327 += osszeg;
            if (item->Text("JC_SZJAKOT") == "I" && item->Text("JC_ELKULADO") != "I")
                t.HaviKorabbiAdoalap += r.SF_ADOALAP.value_or(0);
        }
    }
    run.eves = t;
}

}  // namespace payroll
