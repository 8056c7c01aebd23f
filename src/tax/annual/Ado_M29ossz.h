// "M29 összesítés": the employer's tax assessment of the employees who asked
// for it. The computation of one M29 record, the renumbering of the table,
// the M30 cells added into a record, the children's month counts and the
// totals run are plain functions over the data module's tables (the editor
// calls the computation and the renumbering too); the form gives the ranges.
#pragma once

#include <string>

#include "core/ListaKeret.h"

// The derived cells of the current M29 record (in edit or insert state):
// the income sums, the family allowance chain with its limits, the 15 %
// taxes and the balance. Every cell is a checked 32-bit integer
// (std::overflow_error stops at the step that overflows); the limit of the
// family allowance is computed in 64 bits. Reads and writes fields only.
void M29SorSzamitas(db::Dataset& m29);

// Every record of the table in its key order is recomputed and numbered
// within its nature ("E", "P", "H", "H1" ... "H9" each from 1; a record of
// any other nature keeps its number) and posted; the table is left on its
// first record.
void M29Sorszamozas(db::Table& m29);

// Adds the M30 cells of the current row of `m30` into the current M29
// record (edit or insert state).
void M30AdatAtvetel(db::Dataset& m30, db::Dataset& m29);

// The 36 month counts of the current M29 record from the children sheet of
// its employee, counted afresh, and the family allowance due by law (S22A)
// from them. An error is shown and the record keeps what it holds.
void CsalkedvHonapok(db::Dataset& m29);

struct M29Ranges {
    std::string workplaceFrom, workplaceTo;
    std::string taxIdFrom, taxIdTo;
};

// The totals run in one transaction over the data module's M29 table (open
// for writing): the "E" records of the tax-id range that belong to an
// employee of the workplace range, or to no employee any more, are rebuilt
// from the M30 records of the employees who asked for the assessment; then
// the whole table is renumbered and recomputed. Records of other natures
// and of other workplaces stay. An error rolls the run back and reaches the
// caller.
void M29osszesit(const M29Ranges& ranges);

// The totals form: workplace and tax-id ranges, "Összesít".
class TAdo_M29osszForm : public ListForm {
    Q_OBJECT
public:
    explicit TAdo_M29osszForm(QWidget* parent = nullptr);
    ~TAdo_M29osszForm() override;

protected:
    void BitBtn1Click() override;
    void StartButtonClick(int index) override;
};
