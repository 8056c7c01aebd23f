// The personal income tax advance of the month at 15 percent after the
// allowances the employee declared (first marriage and family on the base,
// disabled person on the tax); what the tax cannot absorb of the family
// allowance lowers the deducted contributions. And the 15 percent tax on the
// items "220A" (row 300A).
#pragma once

#include "payroll/engine/ResultRows.h"

namespace payroll {

// Rows 300, 301, 306, 307, 313A, 314A, 315, 309 and 320; removes none.
void CalcIncomeTaxAdvance(PayrollRun& run);
void CalcTax300A(PayrollRun& run);

}  // namespace payroll
