// "M30 összesítés": the income certificate's cells. One payroll row placed
// into the M30 record it belongs to, the derived cells of a record, and the
// totals run that rebuilds the records of a range from the year's payroll
// rows are plain functions over the data module's tables (the editor calls
// the derived cells too); the form gives the ranges and the two buttons.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "core/ListaKeret.h"

class QPushButton;
class QShowEvent;

// A payroll row whose pay item names a cell the record does not have.
class M30PlacementError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Adds the payroll row (the current record of `row`: SF_ amounts, the pay
// item's JC_ADOELSOR/JC_ADOELOSZ/JC_ADOELKTG, DG_ALKMIN) into the cells of
// the current M30 record, which is in edit or insert state. Cell names
// compare without regard to case. A missing cell raises M30PlacementError;
// what was added before it stays.
void MapRowsToM30Cells(db::Dataset& row, db::Dataset& m30);

struct M30TotalsOptions {
    // Steps that correct S1D and S610B in place: a freshly built record
    // takes them once; a record saved again in the editor does not.
    bool inPlaceCorrections = true;
    // The yearly cap of S45B; none: uncapped.
    std::optional<long long> s45Cap;
};

// The derived cells of the current M30 record (in edit or insert state).
// Every sum and difference is checked 32-bit (std::overflow_error).
void ComputeM30Totals(db::Dataset& m30, const M30TotalsOptions& options);

// Twelve times the monthly disability allowance (value set "0"/"31") of the
// value-set table; none when the row is missing.
std::optional<long long> M30S45Cap(db::Table& ertekkeszlet);

// The ranges of a totals run, as typed.
struct M30Ranges {
    std::string workplaceFrom, workplaceTo;
    std::string employeeFrom, employeeTo;
};

// The totals run over the data module's M30 table (open for writing) in one
// transaction: the range's records are rebuilt from the year's payroll rows
// of employees still employed on the last day of `year`. A record of an
// employee whose payroll rows all lie outside the workplace range is kept as
// it was. Placement errors are named once per payroll row (a plain
// message) and the run goes on; any other error rolls the run back and
// reaches the caller.
void M30osszesit(const M30Ranges& ranges, const std::string& year);

// The totals form: workplace and employee ranges, "Összesít" and
// "Összesítő kódok feltöltése".
class TAdo_M30osszForm : public ListForm {
    Q_OBJECT
public:
    explicit TAdo_M30osszForm(QWidget* parent = nullptr);
    ~TAdo_M30osszForm() override;

    QPushButton* BitBtn3 = nullptr;  // "Összesítő kódok feltöltése"

    // Copies the pay items' certificate placement from the year's pay-item table.
    void JogcimFeltolt();

protected:
    void BitBtn1Click() override;
    void StartButtonClick(int index) override;
    void showEvent(QShowEvent* event) override;

private:
    bool placementChecked_ = false;
};
