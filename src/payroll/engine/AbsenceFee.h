// The two steps of a run that look back beyond its month: the hourly
// absence-fee supplement (a fixed value on the employee, or the supplements
// of the six months before the run's month per hour worked, reaching into
// the previous year's payroll for the first half of the year), and the
// warning when this year's leave or sick-leave days exceed their frame.
#pragma once

#include <string>

#include "payroll/engine/ResultRows.h"

namespace payroll {

// The hourly supplement; 0 when there is none. A failure while the saved
// rows are read is shown as an error ("HIBA történt a távolléti díj korrekció
// megállapításakor! ...") and gives 0; the run goes on.
Money AbsenceFeeCorrection(const PayrollRun& run);

// The previous year's payroll table of a company continued from that year
// ("Szamfejt_" + CG_ELOZOEVIKOD); "" when the company is not there, was not
// continued ("E"), or its previous code is not three digits.
std::string PreviousYearPayrollTable(const FieldValues& company);

// At most two messages, leave first; changes nothing.
void CheckLeaveLimits(const PayrollRun& run);

}  // namespace payroll
