// The employer's social contribution tax allowance for the employee's
// allowance code: its base (row 327) and amount (row 328), each carrying the
// allowance percentage and code. One rate before the change date, another
// after it; each code has its cap on the base.
#pragma once

#include "payroll/engine/ResultRows.h"

namespace payroll {

void CalcSzhaAllowances(PayrollRun& run);

// Sum of SF_JARALAP of the working rows liable to the tax (JC_SZHAKOT "I").
Money SzhaLiableBase(const PayrollRun& run);
// Sum of SF_JARALAP of the sick-pay rows (JC_SZABTIP "2").
Money SickPayBase(const PayrollRun& run);
// The base of one allowance period within the payroll month.
Money AllowanceBaseForPeriod(const PayrollRun& run, double from, double to, Money base, const Money& cap);
// The month's social contribution tax as row 330 would hold it, written
// nowhere; 0 when the employer pays none on the employee.
long long SzhaAmountDue(const PayrollRun& run);

}  // namespace payroll
