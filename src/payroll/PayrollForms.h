// What the payroll form and the brought-forward form build the same way.
#pragma once

#include <functional>

#include "platform/ui/ControlTable.h"

namespace db {
class Table;
}

// Opens a table afresh (closed first if open), read-only or not.
void OpenTable(db::Table* t, bool readOnly);
// Closes a table if open and leaves it writable for the next form.
void CloseTable(db::Table* t);

// A page of its own for a table (a panel, a row of buttons), put in the
// form's grid at `cell`. It has no margins, so its controls line up with the
// form's.
QWidget* InnerPage(QWidget* form, ui::Cell cell);

// Runs an event handler; an error reaches the user in an error box, a
// silent abort (the data module has already spoken) nowhere.
void Guarded(const std::function<void()>& handler);

QWidget* MakeMonthEdit(const ui::ControlDecl& row, const ui::KindContext& context);
// The month edit: a TCurrencyEdit of two digits, 1 to 12, starting at 1;
// events as the date edit.
inline constexpr ui::ControlKind MonthEdit{"MonthEdit", &MakeMonthEdit};
