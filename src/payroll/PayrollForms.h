// What the payroll form and the brought-forward form build the same way.
#pragma once

class QWidget;
class TCurrencyEdit;
namespace db {
class Table;
}

// Opens a table afresh (closed first if open), read-only or not.
void OpenTable(db::Table* t, bool readOnly);
// Closes a table if open and leaves it writable for the next form.
void CloseTable(db::Table* t);

// The month edit "CurrencyEdit1": two digits, 1 to 12, starting at 1.
TCurrencyEdit* HonapEdit(QWidget* parent);
