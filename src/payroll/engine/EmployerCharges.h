// What the employer owes on the employee's pay and deducts in its place: the
// social contribution tax (330, and 390 on item 108), the vocational training
// contribution (351, 394), the simplified entrepreneurial tax (360), the tax
// deducted from the employee (326), and for a company under the small
// business tax the rows that replace the tax and its allowances (332A, 332K).
#pragma once

#include "payroll/engine/ResultRows.h"

namespace payroll {

void CalcSzha(PayrollRun& run);
void CalcVocationalContribution(PayrollRun& run);
void CalcEva(PayrollRun& run);
void CalcSzhaDeduction(PayrollRun& run);
void AddKivaAllowanceRow(PayrollRun& run);
void AddKivaBaseRow(PayrollRun& run);

// The base of row 330: the liable base (and the EVA share of employment kind
// "7"), raised to the entrepreneur's minimum at 1.125.
Money SzhaBase(const PayrollRun& run);

}  // namespace payroll
