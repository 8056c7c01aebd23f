// The working set of a payroll run and the operations every calculation
// step writes it through, and the year-to-date totals summed from the
// employee's saved rows. The working set holds the rows of one employee,
// month and payment date, always in key order.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "payroll/engine/ResultRow.h"
#include "payroll/engine/RunContext.h"

namespace payroll {

class WorkingSet {
public:
    const std::vector<SzamfejtRow>& Rows() const { return rows_; }
    const SzamfejtRow& operator[](size_t i) const { return rows_[i]; }
    size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }

    // The first row of the code in key order; -1 when there is none.
    int FindFirst(const std::string& code) const;
    // The row of a standing item (code and running number); -1 when none.
    int FindStandingItemRow(const std::string& code, long long number) const;
    // Writes a changed row back (index -1: a new row) and restores the key
    // order; rows of equal keys keep their order, a new one goes last.
    void Post(int index, SzamfejtRow row);
    void Delete(int index);
    // Replaces every row (a loaded run, or the form's own edits).
    void Assign(std::vector<SzamfejtRow> rows);
    // Takes every row out, to be changed and given back by Assign.
    std::vector<SzamfejtRow> Take() { return std::exchange(rows_, {}); }

private:
    std::vector<SzamfejtRow> rows_;
};

// Year-to-date totals of the employee's saved rows; see EvesOsszesen.
struct EvesOsszesenek {
    double Eves108Osszeg = 0;
    int EvesSzabNap1 = 0;
    int EvesSzabNap2 = 0;
    double EvesNyugJarAlap = 0;
    double EvesNyugLevontAlap = 0;
    double EvesJovedelemJarAlap = 0;
    double EvesNyugKotOsszeg = 0;
    std::array<int, 13> EvesJarulekmentesNapok{};  // by month 1..12
    double HaviKorabbi313A = 0;
    double HaviKorabbi314A = 0;
    double HaviKorabbi315 = 0;
    double HaviKorabbiAdoalap = 0;
    double HaviKorabbi327 = 0;
};

// One run: the context it reads, the rows it computes and the totals of its
// last EvesOsszesen. Copyable, so a run can be computed on a copy and kept
// only when it succeeds.
class PayrollRun {
public:
    explicit PayrollRun(const RunContext& ctx) : ctx_(&ctx) {}
    const RunContext& Context() const { return *ctx_; }
    WorkingSet rows;
    EvesOsszesenek eves;

private:
    const RunContext* ctx_;
};

// Fills the header fields of a row: month, payment date, the employee's
// number, name, workplace, that workplace's payment place, pension fund.
void SetResultRowHeader(const PayrollRun& run, SzamfejtRow& row);
// A new row with its header and the employee's booking fields (workplace,
// job number, cost collector).
SzamfejtRow NewResultRow(const PayrollRun& run);

// Writes the first row of the code, or appends one ("Nem létezik a jogcím!"
// when the code is not in the catalogue; the row still goes in, keeping its
// code, with no category or name). A base or percent of 0 clears its field.
void PutResultRow(PayrollRun& run, const std::string& code, double amount, double contributionBase,
                  double taxBase, double szhaAllowancePercent);
// The same, leaving the SZHA allowance fields as they are.
void PutResultRowBases(PayrollRun& run, const std::string& code, double amount, double contributionBase,
                       double taxBase);
// Always a new row; no message for a missing pay item.
void AppendResultRow(PayrollRun& run, const std::string& code, double amount, double contributionBase);
// Removes the first row of the code, if any.
void DeleteResultRow(PayrollRun& run, const std::string& code);
// Every row of the code.
void DeleteResultRows(PayrollRun& run, const std::string& code);
// A step's one row: written with its amount and contribution base, or
// removed when the amount is 0.
void PutOrDeleteResultRow(PayrollRun& run, const std::string& code, long long amount,
                          double contributionBase);

// Sums run.eves from the context's saved rows: "earlier" is a payment date
// strictly before the run's, so the run's own saved rows never count.
void EvesOsszesen(PayrollRun& run);

}  // namespace payroll
