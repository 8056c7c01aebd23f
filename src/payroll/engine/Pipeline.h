// The calculation of one employee's month and payment date: every step in
// its fixed order (Szamf), the rerun after a hand change of the steps that
// can depend on the changed code (UjraSzamol), the numbering of the rows,
// and the save that replaces the saved rows of the run.
#pragma once

#include <functional>

#include "payroll/engine/ResultRows.h"

namespace db {
class Table;
}

namespace payroll {

// Computes the working set from the employee's data. Runs on a copy: when a
// step fails the run's rows stay as they were and the error goes on.
// Progress goes 1 to 25 through the context, then 50, then 0.
void Szamf(PayrollRun& run);

// Reruns the steps that can depend on the context's ModositottKod. A failing
// rerun leaves the working set as it was.
void UjraSzamol(PayrollRun& run);
// Applies a hand change to a copy of the working set and reruns on it; the
// run keeps either both or neither.
void UjraSzamol(PayrollRun& run, const std::function<void(WorkingSet&)>& handChange);

// The employee already has saved payroll rows (codes below "800") in the
// context's month: a further payment date gets no second base wage.
bool MonthAlreadyComputed(const RunContext& ctx);

// Numbers the rows 1, 2, ... in key order; rows of one code in the order of
// their standing-item numbers.
void SorszamKioszt(PayrollRun& run);
void SorszamTorol(PayrollRun& run);

// Replaces the employee's saved rows of the run's month and payment date
// whose code is below "800" with the working set, in one transaction over
// the payroll table: an error leaves the saved rows as they were.
void SaveRun(const PayrollRun& run, db::Table& payrollTable);

}  // namespace payroll
