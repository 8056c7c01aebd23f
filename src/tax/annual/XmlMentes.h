// Where a form-import file of the annual forms goes: the year's data-supply
// folder of its kind, and the save dialog "Mentés" on it.
#pragma once

#include <QString>
#include <string>

// Makes the folder ADATSZLG/<year>/<kind> level by level and asks for the
// file with `proposed` as its name (no overwrite question). The path chosen,
// ".xml" added to a name without extension; the empty text after a cancel,
// or after a folder that cannot be made (its message shown).
QString XmlMentesHelye(const std::string& kind, const QString& proposed);
