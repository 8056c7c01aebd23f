// The table search window's entry routine: shows a read-only list of one
// table and returns the chosen row, for the forms whose F2 or look-up searches
// a table. Errors are shown here ("TblSearch Error") and give no row.
#pragma once

#include <QChar>
#include <cstdint>
#include <string>
#include <vector>

#include "masterdata/uTblSearch.h"
#include "platform/db/Dataset.h"

// `fieldNames` the listed fields (none: every field); `widths` one per name:
// pixels, 1 from the field's display width, 0 selected but hidden, negative
// left out; `titles` the column titles by position (none: the fields' own
// labels); `databaseName` alias or folder; a blank `tableName` lets the user
// choose a .db or .dbf file; `fields` a dataset whose fields' display labels
// are copied by name, or nullptr; `startBookmark` a row of the same table to
// open on; `options` "#NoAbout#" to hide the about item, then a where clause
// or nothing; `language` 'E' English, else Hungarian.
// Returns the bookmark of the chosen row in the table, for the caller's own
// cursor on it; none when cancelled, when no file was chosen or after an error.
db::Bookmark KeresoAblakMutat(const std::vector<std::string>& fieldNames,
                              const std::vector<std::int16_t>& widths, const std::vector<std::string>& titles,
                              const std::string& databaseName, const std::string& tableName,
                              const db::Dataset* fields, const db::Bookmark& startBookmark,
                              const std::string& options, QChar language);

// The options text of a search over the rows whose `field` holds `value`,
// the about item hidden: "#NoAbout#Where FIELD = 'value'", a quote in the
// value doubled so the value stays one text.
std::string NoAboutWhereEquals(const std::string& field, const std::string& value);
