// The amount of one pay-item row by its pay item's formula kind: a typed
// amount, days or hours at the employee's daily or hourly wage, a
// percentage of the base wage, of a total of other rows or of a yearly
// parameter; and the base-wage rows that open a month, with the working and
// paid-holiday days of the month from the calendar.
#pragma once

#include <optional>
#include <string>

#include "payroll/engine/ResultRows.h"

namespace payroll {

// Calendar days of the run's month with "1" (working day) or "2" (paid
// holiday) in the employee's schedule column. No paid holidays are counted
// for a monthly-paid employee of a company with CG_TAVDIJ "I".
int WorkingDaysInMonth(const PayrollRun& run);
int PaidHolidayDaysInMonth(const PayrollRun& run);
// The same days from the entry to the leaving when either falls in the month
// (the days the base-wage rows pay; the daily rate stays the whole month's).
int WorkingDaysEmployed(const PayrollRun& run);
int PaidHolidayDaysEmployed(const PayrollRun& run);

// The base totals the percentage kinds apply to. Only the one the pay
// item's kind needs is summed; the others stay 0.
struct ItemBases {
    Money baseWage;            // kind 5
    Money garnishment;         // kind 6
    long long netPayable = 0;  // kind 7, before this item
    Money taxable;             // kind 9
    Money base1;               // kind 11
    Money base2;               // kind 12
};

// The base of the item's formula kind over the working set. For kind 7 the
// row's code and standing-item number say which rows come before it.
ItemBases SumItemsAndBases(const PayrollRun& run, const FieldValues& item, const std::string& code,
                           std::optional<long long> standingItemNumber);

// The amount of the row by the item's formula kind, whole forints (kind 0
// keeps the typed fractions). Raises CalculationError when the month has no
// paid day, a division needs daily hours of 0, or the kind is no number.
double ItemAmountByFormula(const PayrollRun& run, const SzamfejtRow& row, const FieldValues& item,
                           const ItemBases& bases);

// Fill a new base-wage row of the code: header and booking fields, the
// days employed, hours, the amount by the code's own formula kind, and both bases equal to
// the amount. The caller posts it.
void AddWorkingDaysWageRow(const PayrollRun& run, SzamfejtRow& row, const std::string& code);
void AddPaidHolidayWageRow(const PayrollRun& run, SzamfejtRow& row, const std::string& code);

}  // namespace payroll
