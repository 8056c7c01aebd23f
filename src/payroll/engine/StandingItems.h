// The employee's standing pay items brought into the run in three passes by
// code range (earnings below "270", other payments from "270" up to "300",
// deductions from "300"), and the rule that sets a row's tax base,
// contribution base and SZHA deduction rate from its pay item.
#pragma once

#include <string>

#include "payroll/engine/ResultRows.h"

namespace payroll {

// Pass 0, 1 or 2. A start code (pass 0 only) limits the pass to the items
// whose code sorts after it. A row already in the working set for an item is
// recomputed from its own percentage and amount; a new one takes the item's.
// An item whose code is not in the catalogue is skipped with "Nem létezik a
// jogcím!".
void AddStandingItems(PayrollRun& run, int pass, const std::string& startCode = {});

// Bases and SZHA rate of a standing-item row from its pay item.
void SetRowBases(const PayrollRun& run, SzamfejtRow& row, const FieldValues& item, int pass);

}  // namespace payroll
