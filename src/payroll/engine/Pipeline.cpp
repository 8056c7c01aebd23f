#include "payroll/engine/Pipeline.h"

#include <algorithm>

#include "payroll/engine/AbsenceFee.h"
#include "payroll/engine/Contributions.h"
#include "payroll/engine/EmployerCharges.h"
#include "payroll/engine/IncomeTax.h"
#include "payroll/engine/ItemAmounts.h"
#include "payroll/engine/SecondStage.h"
#include "payroll/engine/StandingItems.h"
#include "payroll/engine/SzhaAllowances.h"
#include "payroll/engine/Totals.h"
#include "platform/db/Transaction.h"

namespace payroll {
namespace {

struct WageRows {
    const char* alkmin;
    const char* berform;
    const char* workingDays;
    const char* paidHoliday;
};

// clang-format off
const WageRows kWageRows[] = {
    {"1", "1", "100", "102"},
    {"2", "1", "100", "102"},
    {"1", "2", "101", "102F"},
    {"2", "2", "101", "102F"},
    {"5", "1", "105", "107"},
    {"5", "2", "106", "107F"},
};
// clang-format on

void AddBaseWageRows(PayrollRun& run) {
    const FieldValues& e = run.Context().employee;
    for (const WageRows& w : kWageRows) {
        if (e.Text("DG_ALKMIN") != w.alkmin || e.Text("DG_BERFORM") != w.berform) continue;
        SzamfejtRow row;
        AddWorkingDaysWageRow(run, row, w.workingDays);
        run.rows.Post(-1, std::move(row));
        if (PaidHolidayDaysEmployed(run) != 0) {
            SzamfejtRow holiday;
            AddPaidHolidayWageRow(run, holiday, w.paidHoliday);
            run.rows.Post(-1, std::move(holiday));
        }
    }
}

class Progress {
public:
    explicit Progress(const RunContext& ctx) : ctx_(ctx) {}
    void Step() {
        if (ctx_.progress) ctx_.progress(++position_);
    }
    void Done() {
        if (ctx_.progress) {
            ctx_.progress(50);
            ctx_.progress(0);
        }
    }

private:
    const RunContext& ctx_;
    int position_ = 0;
};

}  // namespace

void Szamf(PayrollRun& run) {
    PayrollRun w = run;
    Progress progress(w.Context());
    EvesOsszesen(w);
    if (!w.Context().HonapSzamfejtve) AddBaseWageRows(w);
    progress.Step();
    // clang-format off
    const std::function<void(PayrollRun&)> steps[] = {
        [](PayrollRun& r) { AddStandingItems(r, 0); },
        CalcWageTypeEarnings,
        [](PayrollRun& r) { AddStandingItems(r, 1); },
        CalcUnionDues,
        CalcEkho,
        CalcLabourMarketContribution,
        CalcEva,
        [](PayrollRun& r) { CalcPensionContribution(r); CalcTax300A(r); },
        CalcHealthContributions,
        CalcIncomeTaxAdvance,
        [](PayrollRun& r) { CalcSzhaAllowances(r); AddKivaAllowanceRow(r); },
        CalcFringeBenefitIncomeTax,
        [](PayrollRun& r) { CalcSzha(r); AddKivaBaseRow(r); },
        CalcFringeBenefitSzhaNonKiva,
        CalcBaljContribution,
        CalcSeparatelyTaxedItems,
        CalcSzhaDeduction,
        CalcVocationalContribution,
        [](PayrollRun& r) { AddStandingItems(r, 2); },
        AddCategoryTotalRows,
        AddTotalRows748To750,
        AddTotalRow751,
        [](PayrollRun& r) { CheckLeaveLimits(r); },
        SorszamKioszt,
    };
    // clang-format on
    for (const auto& step : steps) {
        step(w);
        progress.Step();
    }
    progress.Done();
    run = std::move(w);
}

void UjraSzamol(PayrollRun& run) {
    UjraSzamol(run, [](WorkingSet&) {});
}

void UjraSzamol(PayrollRun& run, const std::function<void(WorkingSet&)>& handChange) {
    PayrollRun w = run;
    handChange(w.rows);
    const std::string& code = w.Context().ModositottKod;
    auto below = [&code](const char* threshold) { return code < threshold; };
    Progress progress(w.Context());
    struct Step {
        bool runs;
        std::function<void(PayrollRun&)> step;
    };
    // clang-format off
    const Step steps[] = {
        {true,              EvesOsszesen},
        {true,              [&code](PayrollRun& r) { AddStandingItems(r, 0, code); }},
        {true,              CalcWageTypeEarnings},
        {true,              [](PayrollRun& r) { AddStandingItems(r, 1); }},
        {below("280"),      CalcUnionDues},
        {code == "282A",    CalcEkho},
        {below("304"),      CalcLabourMarketContribution},
        {below("360"),      CalcEva},
        {below("300"),      CalcPensionContribution},
        {code == "220A",    CalcTax300A},
        {below("306"),      CalcHealthContributions},
        {below("300"),      CalcIncomeTaxAdvance},
        {below("327"),      [](PayrollRun& r) { CalcSzhaAllowances(r); AddKivaAllowanceRow(r); }},
        {below("334A"),     CalcFringeBenefitIncomeTax},
        {below("330"),      [](PayrollRun& r) { CalcSzha(r); AddKivaBaseRow(r); }},
        {below("341A"),     CalcFringeBenefitSzhaNonKiva},
        {below("342"),      CalcBaljContribution},
        {below("321"),      CalcSeparatelyTaxedItems},
        {below("326"),      CalcSzhaDeduction},
        {below("351"),      CalcVocationalContribution},
        {true,              [](PayrollRun& r) { AddStandingItems(r, 2); }},
        {true,              [](PayrollRun& r) { AddCategoryTotalRows(r); AddTotalRows748To750(r); AddTotalRow751(r); }},
        {true,              [](PayrollRun& r) { CheckLeaveLimits(r); }},
        {true,              SorszamKioszt},
    };
    // clang-format on
    for (const Step& s : steps) {
        if (s.runs) s.step(w);
        progress.Step();
    }
    progress.Done();
    run = std::move(w);
}

bool MonthAlreadyComputed(const RunContext& ctx) {
    const std::string employee = ctx.employee.Text("DG_TORZSSZAM");
    for (const SzamfejtRow& r : ctx.savedRows)
        if (r.SF_DGTORZSSZAM == employee && r.SF_HONAP == ctx.month && r.SF_JCKOD < "800") return true;
    return false;
}

void SorszamTorol(PayrollRun& run) {
    std::vector<SzamfejtRow> rows = run.rows.Take();
    for (SzamfejtRow& r : rows) r.SF_SORSZAM.reset();
    run.rows.Assign(std::move(rows));
}

void SorszamKioszt(PayrollRun& run) {
    SorszamTorol(run);
    std::vector<SzamfejtRow> rows = run.rows.Take();
    for (size_t i = 0; i < rows.size(); ++i) rows[i].SF_SORSZAM = static_cast<long long>(i + 1);
    run.rows.Assign(std::move(rows));
}

void SaveRun(const PayrollRun& run, db::Table& payrollTable) {
    const RunContext& ctx = run.Context();
    const std::string employee = ctx.employee.Text("DG_TORZSSZAM");
    const bool wasOpen = payrollTable.Active();
    db::Transaction tx({&payrollTable});
    if (!wasOpen) payrollTable.Open();
    payrollTable.CheckBrowseMode();
    const auto ofRun = [&] {
        return !payrollTable.IsEmpty() && payrollTable.FieldByName("SF_DGTORZSSZAM").AsString() == employee &&
               payrollTable.FieldByName("SF_HONAP").AsInteger() == ctx.month &&
               payrollTable.FieldByName("SF_KIFIZDAT").AsDateTime() == ctx.paymentDate;
    };
    // The key's first fields find the first row of the run by the index; a
    // Locate from one of the run's own rows stays there, so from such a row
    // the way back to the first one is stepped. (Moving to the table's first
    // row instead would read the records there for nothing.)
    bool found = ofRun();
    if (found) {
        for (;;) {
            payrollTable.Prior();
            if (payrollTable.Bof()) break;
            if (!ofRun()) {
                payrollTable.Next();
                break;
            }
        }
    } else {
        found = payrollTable.Locate(
            "SF_DGTORZSSZAM;SF_HONAP;SF_KIFIZDAT",
            {db::Variant(employee), db::Variant(ctx.month), db::Variant(ctx.paymentDate)});
    }
    while (found && !payrollTable.Eof() && ofRun()) {
        if (payrollTable.FieldByName("SF_JCKOD").AsString() < "800")
            payrollTable.Delete();
        else
            payrollTable.Next();
    }
    const RowWriter writer(payrollTable);
    for (const SzamfejtRow& r : run.rows.Rows()) {
        payrollTable.Append();
        writer.Write(r);
        payrollTable.Post();
    }
    tx.Commit();
}

}  // namespace payroll
