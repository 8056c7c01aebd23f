// The contributions deducted from the employee as computed on their bases:
// labour market (304), pension (700A, or 701A for a private fund member) and
// health in kind and in cash (706A, 707A). The amounts finally deducted are
// set by the income tax step after the family contribution allowance.
#pragma once

#include "payroll/engine/ResultRows.h"

namespace payroll {

void CalcLabourMarketContribution(PayrollRun& run);
void CalcPensionContribution(PayrollRun& run);
void CalcHealthContributions(PayrollRun& run);

// Sum of SF_JARALAP of the working rows whose pay item has the flag "I".
Money FlaggedBase(const PayrollRun& run, const char* flag);
// The amount (or base) of the first working row of the code; 0 when none.
Money FirstAmount(const PayrollRun& run, const std::string& code);
Money FirstBase(const PayrollRun& run, const std::string& code);

}  // namespace payroll
