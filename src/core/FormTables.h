// The control tables of the forms read their bound fields' masks, widths,
// required flags and captions from the table layouts: a form's builder is
// made here.
#pragma once

#include <string>

#include "platform/ui/ControlTable.h"

struct TableLayout;

// The layout of the table behind the data source (see LayoutField), or
// nullptr when the source reads no laid-out table.
const TableLayout* SourceLayout(db::DataSource* source);

// The field as the table layouts define it, found through the table behind
// the data source (a data module component by its catalogue name, another
// table by its table name). A source over no laid-out table gives the
// dataset's own field. std::logic_error when a laid-out table has no such
// field: a page table names a field its table does not hold.
ui::FieldInfo LayoutField(db::DataSource* source, const std::string& field);

// A builder of page tables bound through `source`.
ui::ControlBuilder FormBuilder(db::DataSource* source);

// A column title for a field of `table`: its display label, else its caption
// on the forms without the closing " :" and a key hint ("Munkahely (F2) :"
// gives "Munkahely"), else its name.
std::string LayoutTitle(const db::Dataset& table, const std::string& field);
