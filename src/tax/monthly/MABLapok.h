// The cell writer and the page helpers of the 1908M totals run. They work on
// the pages of the current header (the current row of TableMAB00) and the
// current employee (the current row of TableDolgozo); the sheet tables are
// open in header-key order (MABTablak.h).
#pragma once

#include <functional>
#include <string>

#include "platform/db/Dataset.h"
#include "platform/db/Table.h"

// The run's month and its first and last day, which the re-keying and the
// service days read.
struct MABHonap {
    int honap = 0;
    double elsoNap = 0, utolsoNap = 0;
};

// A whole-forint cell holds 32 bits: the value, or std::overflow_error
// naming the cell.
int Int32Cella(long long value, const std::string& mezo);

// Adds (operation "+"), subtracts ("-") or sets ("") a value in the cell of
// the current header's first page, or with `lapJelzo` of the first page whose
// cell is empty; a new page when none is taken. A number (a value of an
// integer, real or date field) is Kerekit(value × factor) and the cell a
// 32-bit whole number: a result beyond it raises std::overflow_error. A value
// of any other type is stored as it is. A null value or a cell the sheet
// lacks writes nothing.
void MezoFeltolt(const std::string& mezo, db::Table& lap, const db::Variant& ertek, db::FieldType tipus,
                 const std::string& muvelet, double szorzo, bool lapJelzo);

// The proportional service days of the current 1908-09 page; 0 when the days
// of the page less the days without contribution are none, and 0 after a
// failure, which is shown.
int AranyosSzolgIdo(db::Table& lap, const MABHonap& ho);

// Whether the current page holds anything in its "S" fields (and, for the
// second, also in the fields whose names contain `elotag`).
bool LapKitoltott(db::Dataset& lap);
bool LapKitoltottElotag(db::Dataset& lap, const std::string& elotag);
// The employee's name, maiden name and mother's name, each split into its
// family and given name (a name without a blank whole in the family name),
// into `elotag` + DOLGNEV/DOLGUTONEV, DOLGSZULNEV/DOLGSZULUTONEV and
// DOLGANYJASZULNEV/DOLGANYJASZULUTONEV of the current record.
void DolgozoNevei(db::Dataset& lap, const std::string& elotag);
// Empties every "S" field of the current record (in edit state).
void LapCellakTorlese(db::Dataset& lap);

// Puts every record of the month whose tax id one employee employed in the
// month holds under that employee's smallest registration number. A record
// that would then repeat a header key is deleted; a record without tax id is
// left alone. `halad` gets (position, count).
void AdoszamraOsszevon(db::Table& table, const MABHonap& ho, const std::function<void(int, int)>& halad = {});

// Merges the current header's pages of a single-page sheet into its first:
// amounts summed (32-bit), the first value found of every other cell.
void LapokOsszevonasa(db::Table& lap);

// Whether a pay item may be placed in the cell: the bare "S" (no placement)
// or a field of a 1908M sheet table.
bool FeltoltokodLetezik(const std::string& mezo);
