// Fills run contexts from a company's tables, for a group of employees: the
// company-wide data (company, workplaces, pay items, calendar, value set) is
// read once, each employee's row, standing items and saved payroll rows when
// the employee's context is made. Tests and benchmarks run the engine on a
// year folder through it; the payroll form hands in its own components.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "payroll/engine/RunContext.h"

namespace db {
class Table;
}

namespace payroll {

struct RunLoaderSettings {
    std::string alias;              // this year's data folder
    std::string previousYearAlias;  // last year's; an unknown alias leaves the previous year out
    std::string companyCode;
    int year = 0;
};

class RunLoader {
public:
    // Raises the database layer's error when a table cannot be opened.
    explicit RunLoader(RunLoaderSettings settings);
    ~RunLoader();

    // The context of one employee's run; raises CalculationError for an
    // employee who is not in the company's employee table.
    RunContext Load(const std::string& employee, int month, double paymentDate) const;

private:
    struct EmployeeQueries;
    RunLoaderSettings settings_;
    RunContext shared_;
    std::unique_ptr<db::Table> employees_;
    mutable FieldValuesReader employeeReader_;
    std::shared_ptr<db::Table> valueSet_;
    std::unique_ptr<EmployeeQueries> queries_;
};

// A payroll table's rows of one employee in key order, the file opened
// without write access (the previous year's).
std::vector<SzamfejtRow> ReadPayrollRows(const std::string& databaseName, const std::string& tableName,
                                         const std::string& employee);

}  // namespace payroll
