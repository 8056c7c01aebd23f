// What the annual totals runs share about their ranges: a run rebuilds the
// records of the employee range, but an employee whose payroll rows all lie
// outside the workplace range keeps the record an earlier run (of another
// workplace range) made.
#pragma once

#include <QString>
#include <string>

namespace db {
class Table;
}

// Deletes the records of `table` whose employee code (`codeField`) lies in
// the trimmed employee range, but those of employees who have payroll rows
// in the employee range and none with SF_DGMHKOD in the workplace range.
void TartomanyRekordjaiTorol(db::Table& table, const std::string& codeField, const QString& dgTol,
                             const QString& dgIg, const QString& mhTol, const QString& mhIg);
