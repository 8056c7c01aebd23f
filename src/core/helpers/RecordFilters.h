// The record filters of the data module as plain predicates: what a row must
// hold to pass, compared with values the caller hands in (the payroll form's
// month and payment date, the current employee), so the payroll engine can use
// them without a form. The data module's filter handlers read the row's fields
// and call these.
#pragma once

#include <string>
#include <string_view>

// Pay-item code ranges, compared as text byte by byte ("1000" < "270").
bool PayableCode(std::string_view code);         // below "270"
bool OtherPaymentCode(std::string_view code);    // "270" up to but not including "300"
bool DeductionCode(std::string_view code);       // "300" or above
bool BroughtForwardCode(std::string_view code);  // "800" or above

// What the payroll filters compare a row of the payroll table with. A zero
// month or date is a value like any other: it matches no saved row.
struct PayrollFilterValues {
    std::string employee;    // DG_TORZSSZAM of the current employee
    int month = 0;           // the run's month, 1 to 12
    double paymentDate = 0;  // the run's payment date, day number
};

// The fields of a payroll row the filters read.
struct PayrollRowKey {
    std::string employee;    // SF_DGTORZSSZAM
    int month = 0;           // SF_HONAP
    double paymentDate = 0;  // SF_KIFIZDAT
    std::string code;        // SF_JCKOD
};

bool TorzsszamMatch(const PayrollRowKey& row, const PayrollFilterValues& v);
bool TorzsszamHoMatch(const PayrollRowKey& row, const PayrollFilterValues& v);
bool TorzsszamHoKifizDatMatch(const PayrollRowKey& row, const PayrollFilterValues& v);
bool HozottAdatokMatch(const PayrollRowKey& row, const PayrollFilterValues& v);

// Employee's workplace against the typed workplace: the typed code is
// trimmed, the stored one is not.
bool MunkahelyMatch(std::string_view storedWorkplace, std::string_view typedWorkplace);
