#include "payroll/engine/Totals.h"

#include <string_view>

namespace payroll {
namespace {

enum class Payable { Any, Yes, No };

struct CategorySet {
    std::string_view categories;
    Payable payable;
};

// clang-format off
const CategorySet kEarningsPaidOut    {"12",            Payable::Yes};
const CategorySet kEarningsNotPaidOut {"12N",           Payable::No};
const CategorySet kContributions      {"89ADXY",        Payable::Any};
const CategorySet kTaxes              {"E6",            Payable::Any};
const CategorySet kMembershipFees     {"FBM",           Payable::Any};
const CategorySet kEmployerCharges    {"CGHIJKLTUV",    Payable::Any};
const CategorySet kDeductions         {"34",            Payable::Yes};
const CategorySet kWithheld           {"34689ABDEFMXY", Payable::Yes};
// clang-format on

bool InSet(const FieldValues* item, const CategorySet& set) {
    if (!item) return false;
    const std::string cat = item->Text("JC_TIPUS");
    if (cat.size() != 1 || set.categories.find(cat[0]) == std::string_view::npos) return false;
    const std::string kifiz = item->Text("JC_KIFIZ");
    switch (set.payable) {
        case Payable::Yes:
            return kifiz == "I";
        case Payable::No:
            return kifiz == "N";
        case Payable::Any:
            break;
    }
    return true;
}

Money Sum(const PayrollRun& run, const CategorySet& set) {
    Money sum;
    for (const SzamfejtRow& r : run.rows.Rows())
        if (InSet(run.Context().PayItem(r.SF_JCKOD), set)) sum += r.Osszeg();
    return sum;
}

}  // namespace

void AddCategoryTotalRows(PayrollRun& run) {
    const Money contributions = Sum(run, kContributions);
    const Money taxes = Sum(run, kTaxes);
    Money charges = Sum(run, kEmployerCharges);
    for (const SzamfejtRow& r : run.rows.Rows())
        if (r.SF_JCKOD == "328") charges -= r.Osszeg();
    const Money fees = Sum(run, kMembershipFees);
    const Money net = Sum(run, kEarningsPaidOut) - taxes - contributions;
    const Money deductions = Sum(run, kDeductions);
    // Every sum is taken before the first total row changes.
    PutResultRowBases(run, "752", static_cast<double>(contributions.Round()), 0, 0);
    PutResultRowBases(run, "753", static_cast<double>(taxes.Round()), 0, 0);
    PutResultRowBases(run, "754", static_cast<double>(fees.Round()), 0, 0);
    PutResultRowBases(run, "755", static_cast<double>(net.Round()), 0, 0);
    PutResultRowBases(run, "756", static_cast<double>(charges.Round()), 0, 0);
    PutResultRowBases(run, "757", static_cast<double>(deductions.Round()), 0, 0);
}

void AddTotalRows748To750(PayrollRun& run) {
    const long long n = (Sum(run, kEarningsPaidOut) - Sum(run, kWithheld)).Round();
    const long long r = n % 5;  // carries the sign of n
    const long long d = r > 2 ? 5 - r : -r;
    PutResultRow(run, "748", static_cast<double>(n), 0, 0, 0);
    PutResultRow(run, "749", static_cast<double>(d), 0, 0, 0);
    PutResultRow(run, "750", static_cast<double>(n + d), 0, 0, 0);
}

void AddTotalRow751(PayrollRun& run) {
    PutResultRow(run, "751", static_cast<double>(Sum(run, kEarningsNotPaidOut).Round()), 0, 0, 0);
}

RunTotals ShowRunTotals(const PayrollRun& run) {
    Money jov, egyeb, lev, tag, jar, ado, terh, nemkif, kif;
    for (const SzamfejtRow& r : run.rows.Rows()) {
        const FieldValues* item = run.Context().PayItem(r.SF_JCKOD);
        const std::string cat = item ? item->Text("JC_TIPUS") : std::string();
        const Money a = r.Osszeg();
        if (cat == "1") jov += a;
        if (cat == "2" || cat == "N") egyeb += a;
        const std::string& c = r.SF_JCKOD;
        if (c == "757") lev += a;
        if (c == "754") tag += a;
        if (c == "752") jar += a;
        if (c == "753") ado += a;
        if (c == "756") terh += a;
        if (c == "751") nemkif += a;
        if (c == "750") kif += a;
    }
    return {jov.Round(), egyeb.Round(), lev.Round(),    tag.Round(), jar.Round(),
            ado.Round(), terh.Round(),  nemkif.Round(), kif.Round()};
}

}  // namespace payroll
