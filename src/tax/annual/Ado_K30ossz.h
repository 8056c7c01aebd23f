// "K30,32 összesítés": the employer's two annual data supplies on each
// employee, built from the year's payroll rows. K30 places each row's
// amounts into the certificate cells its pay item names and adds the
// employee's months and periods of wage entitlement; K32 totals the
// contribution-bearing income, the pension limit, the contributions and the
// periods exempt from contributions. The placement, the day table and the
// runs are plain functions; the form gives the ranges and the two buttons.
#pragma once

#include <string>
#include <vector>

#include "core/ListaKeret.h"

class QPushButton;

// Adds one payroll amount into one cell of the current record (in edit or
// insert state): source 'O', 'A' or 'J' is SF_OSSZEG, SF_ADOALAP or
// SF_JARALAP of `row`, times the binary double `factor`, the exact product
// rounded half away from zero (10 x 0.35 gives 3: the stored 0.35 lies just
// below it); sign '-' subtracts. An empty cell takes the value, a filled one
// gets it added, checked 32-bit (std::overflow_error); a text cell holds the
// sum as its digits. An empty field name, an empty source or another sign
// changes nothing.
void K30MezoNovel(db::Dataset& row, db::Dataset& record, const std::string& field, char sign, char source,
                  double factor);

// The K30 placement of one payroll row (SF_ amounts, JC_ADOELSOR and
// JC_ADOELOSZ) into the current K30 record. An error stops the row's
// remaining rules and reaches the caller.
void K30MezoHozzarendeles(db::Dataset& row, db::Dataset& k30);

// The per-row K32 rules of one payroll row (SF_ amounts and dates, the pay
// item's JC_NYJKOT, JC_JARULKOD, JC_EBJKOT, DG_NYUGDIJAS) into the current
// K32 record; the exempt days of an absence count within `year` only.
void K32MezoHozzarendeles(db::Dataset& row, db::Dataset& k32, int year);

// Row 29 of the current K30 record: the sums of rows 16 to 28 (B), 20 to 26
// and 28 (C), 20 to 26 (D); empty cells count 0, checked 32-bit.
void K30Sor29Szamit(db::Dataset& k30);

// One flag per day of a year: 'I' insured, 'N' absent, 'X' outside the
// employment; day numbers outside the year fall outside the table.
class K30NapTabla {
public:
    explicit K30NapTabla(int year);

    struct Szakasz {
        double tol = 0, ig = 0;  // day numbers
    };

    // Every day takes `flag`.
    void Mind(char flag);
    // The days of [tol, ig] that lie in the year take `flag`; returns how
    // many they are (0 when ig < tol or the period lies outside the year).
    int Jelol(double tol, double ig, char flag);
    // The employment's first and last day in the year: an entry or exit date
    // that is empty or outside the year leaves the year's first or last day.
    // Days before and after it become 'X'.
    void Foglalkoztatas(double belepes, double kilepes);
    // Runs of 'N' whose last day's month is at most one after their first
    // day's month become 'I' again.
    void RovidHianyzasZar();
    // The runs of consecutive `flag` days in order, at most `max` of them.
    std::vector<Szakasz> Szakaszok(char flag, size_t max) const;

    double ElsoNap() const { return Datum(first_); }
    double UtolsoNap() const { return Datum(last_); }

private:
    double Datum(int day) const { return jan1_ - 1 + day; }
    double jan1_ = 0;
    std::vector<char> flags_;  // [0] unused: day 1 is 1 January
    std::vector<int> months_;
    int first_ = 1, last_ = 365;
};

// The ranges of a totals run, as typed.
struct K30Ranges {
    std::string workplaceFrom, workplaceTo;
    std::string employeeFrom, employeeTo;
};

// The totals runs over an open, writable table (the data module's K30 or K32)
// in one transaction: the employee range's records are rebuilt from the
// payroll rows of both ranges, except the record of an employee whose
// payroll rows all lie outside the workplace range, which is kept as it was.
// A placement error is shown per payroll row and the run goes on; any other
// error rolls the run back and reaches the caller. K30 leaves out employees
// who declared the employer's settlement (NY_ONADOZO "N"), and takes the
// brought-forward sick pay "820" only with `hozottTappenz`; K32 leaves out
// employment kind "8".
void K30osszesit(db::Table& table, const K30Ranges& ranges, bool hozottTappenz, const std::string& year);
void K32osszesit(db::Table& table, const K30Ranges& ranges, const std::string& year);

// The totals form: workplace and employee ranges, the option and the two
// start buttons, "K30 összesít" (only with every range filled) and
// "K32 összesít" (always).
class TAdo_K30osszForm : public ListForm {
    Q_OBJECT
public:
    explicit TAdo_K30osszForm(QWidget* parent = nullptr);
    ~TAdo_K30osszForm() override;

    QPushButton* BitBtn4 = nullptr;  // "K32 összesít"

    void BitBtnOsszClick(QPushButton* sender);
    void NyomtatasMehet() override;

protected:
    void StartButtonClick(int index) override;
};
