// Rows derived from the rows already computed: wage-type and earnings totals
// (270, 271), union dues (280), EKHO (320A, 320B, 320C, 340B, 340C), the
// fringe-benefit taxes (334A, 334B, 341A, 341B), the health service
// contribution (342) and the tax of separately taxed items (321, 322).
#pragma once

#include "payroll/engine/ResultRows.h"

namespace payroll {

void CalcWageTypeEarnings(PayrollRun& run);
void CalcUnionDues(PayrollRun& run);
void CalcEkho(PayrollRun& run);
void CalcFringeBenefitIncomeTax(PayrollRun& run);
void CalcFringeBenefitSzhaNonKiva(PayrollRun& run);
void CalcBaljContribution(PayrollRun& run);
void CalcSeparatelyTaxedItems(PayrollRun& run);

// 15 percent of x when x is above 0, else 0; not rounded (the caller rounds).
Money FifteenPercentOfPositive(const Money& x);

}  // namespace payroll
