// The payroll month's dates, the days of the month the employee was insured
// (a whole month counts 30 days), and the entrepreneur's minimum contribution
// base: a share of the minimum wage, or of the declared minimum, for those days.
#pragma once

#include "payroll/engine/ResultRows.h"

namespace payroll {

int ProcessingYearNumber(const PayrollRun& run);
int PayrollMonth(const PayrollRun& run);
double PayrollMonthStart(const PayrollRun& run);
double PayrollMonthEnd(const PayrollRun& run);
double FirstDayOfMonth(double d);
double LastDayOfMonth(double d);
// December goes to January of the next year.
double FirstDayOfNextMonth(double d);
// The latest (earliest) of a, b and the payroll month's first (last) day;
// empty dates are ignored.
double PeriodStartInMonth(const PayrollRun& run, double a, double b);
double PeriodEndInMonth(const PayrollRun& run, double a, double b);
bool InPayrollMonth(const PayrollRun& run, double d);

// Days of the working rows whose pay item has JC_JARULKOD above "00".
int DaysWithoutContribution(const PayrollRun& run);
// 0 to 30: the days between entry and leaving in the month, less the days
// without contribution; a whole month is 30.
int InsuredDaysInMonth(const PayrollRun& run);
// The employment covers only part of the payroll month.
bool PartialMonth(const PayrollRun& run);

// For an entrepreneur (DG_BERFORM "0", DG_ALKMIN "6") the larger of the
// base and the minimum wage or the declared minimum at the factor for the
// insured days; any other employee's base unchanged.
Money EntrepreneurMinimumAtFactor(const PayrollRun& run, const Money& base, const Money& factor);

// The entrepreneur's minimum base of the payroll month, the row whose
// SF_SORSZAM is `excludedRow` left out (0: none). A month without calendar
// days raises CalculationError.
long long EntrepreneurMinimumBase(const PayrollRun& run, long long excludedRow);
// Adds the category-"1" contribution bases to `baseTotal` and the
// pension-liable amounts to `pensionTotal` (this run's rows but the excluded
// one, and the year so far), and sets `shortfall` from the minimum the caller
// passed in it.
void EntrepreneurBaseTotals(const PayrollRun& run, double& baseTotal, double& pensionTotal, double& shortfall,
                            long long excludedRow);

}  // namespace payroll
