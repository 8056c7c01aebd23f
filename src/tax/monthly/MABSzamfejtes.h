// The payroll rows of the declaration month into the cells of the current
// header's pages: the special rules of absences, insured periods, allowances
// and casual employment, then the pay item's own cell with its companion
// cells. The current employee is the current row of TableDolgozo.
#pragma once

#include "platform/db/Dataset.h"

// What one employee's rows carry from row to row.
struct MABDolgozoAllapot {
    // Set by a row of pay item 136: later cells of the insured-period sheets
    // go to the first page whose cell is still empty.
    bool kod136 = false;
};

// Distributes the current row of `sor` (payroll fields SF_ and pay-item
// fields JC_).
void SzamfejtesiSorFeltoltes(db::Dataset& sor, MABDolgozoAllapot& allapot);
