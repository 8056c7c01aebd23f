// The cells of the declaration's form-import document: the identifier of a
// sheet cell from its field name (page code, group letter, row, column and
// the special items), and the cell writer that turns a field's value into a
// "mezo" line by its type.
#pragma once

#include <optional>
#include <string>

namespace db {
class Field;
}  // namespace db
class FormXmlWriter;

// Which form a table's cells belong to: the summary (1908A), the
// per-employee form (1908M) or neither.
enum class MABCsalad { Nincs, A, M };

// The parts of a cell's identifier from its field name ("S301A"). SorSzam
// raises std::invalid_argument "Üres mezőnév!", 'A mező neve nem "S" betűvel
// kezdődik!' or the text of a row that is not a number; LapKod and SorBetu
// read the row through it and give "" outside their ranges.
std::string SorSzam(const std::string& mezo);  // "0301"
std::string OszlopBetu(const std::string& mezo);
std::string LapKod(const std::string& mezo, MABCsalad csalad);
std::string SorBetu(const std::string& mezo, MABCsalad csalad);
// The suffix of the sixteen special items ("S385A" -> "50000A"), else "".
std::string KulonEazon(const std::string& mezo);
// The page code of a whole 1908M sheet table ("TableMAB08" -> "0F"), else "".
std::string TablaLapKod(const std::string& komponens);

// The identifier of the cell on its `copy`-th page: page code, copy in four
// digits, group letter, then row, column and "A" or, with `kulon`, the
// special suffix. A part that fails is shown as "Hiba a mező nevében..." and
// gives nothing: a cut identifier would land the value in another cell.
std::optional<std::string> CellaEazon(const std::string& mezo, MABCsalad csalad, int copy,
                                      bool kulon = false);

// Writes one cell of `field` as a "mezo" line: a text as it is (not when
// empty), a whole number unless 0, a real number rounded half away from zero
// unless that is 0, a date as FixDatum(dateWidth, 8 when 0); a null value
// gives no line. The identifier is `eazon`, or with `copy` > 0 the one
// computed from the field's name, or none.
void MezoIr(FormXmlWriter& xml, const db::Field& field, const std::string& eazon, int copy = 0,
            int dateWidth = 0, MABCsalad csalad = MABCsalad::Nincs);
