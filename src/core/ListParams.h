// The parameter fields of the lists: the codes a field looks up, the field
// kinds, the defaults read from the saved rows and the standard rows of the
// parameter tables.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/DataModule1.h"
#include "platform/db/Field.h"

class ListForm;

// A code a field asks for: where it is looked up, what it is called, the
// message when it does not exist and the pick list F2 opens.
struct CodeLookup {
    db::Table* TDM1::*table = nullptr;  // &TDM1::TableMhely
    const char* keyField = "";          // MH_KOD
    const char* nameField = "";         // MH_NEV; empty: no name label
    const char* message = "";           // "Ilyen munkahely nem létezik!"
    // The pick list: kind (0: none), value-set type and up to three columns.
    int pickKind = 0;
    const char* ekTipus = "";  // value-set type: the lookup and the pick list stay within it
    const char* field1 = "";
    int width1 = 0;
    const char* field2 = "";
    int width2 = 0;
    const char* field3 = "";
    int width3 = 0;
    // The SQL pick list instead, over `table`: columns and widths and the
    // extra condition ("Where ...").
    std::vector<std::pair<const char*, int>> sqlColumns = {};
    const char* sqlCondition = "";
};

namespace lookups {
extern const CodeLookup Munkahely;     // MHely
extern const CodeLookup KifizetoHely;  // KifHely
extern const CodeLookup Dolgozo;       // Dolgozo
extern const CodeLookup Jogcim;        // Jogcim
// The private pension fund register, picked from its SQL pick list.
extern const CodeLookup Nyugdijpenztar;
// Workplaces and employees picked from the SQL pick list.
extern const CodeLookup MunkahelySQL;
extern const CodeLookup DolgozoSQL;
}  // namespace lookups

// The value of `resultField` of the code's record, or null when there is
// none; a code of a value-set lookup is looked up within its type.
db::Variant CodeValue(const CodeLookup& code, const std::string& key, const std::string& resultField);
// Makes the code's record current in its table; false when there is none.
bool LocateCode(const CodeLookup& code, const std::string& key);

enum class ParamKind {
    Month,       // two-digit month edit, 1 to 12
    Date,        // date edit "YYYY.MM.DD"
    Code,        // masked code edit with a name label, checked on leaving
    Text,        // masked edit without a lookup (optional codes, owner fields)
    MonthCombo,  // drop-down of "01" to "12"
    Combo,       // drop-down list of fixed items
    Check,       // option check box
};

// A default: the value a field gets when the form is shown. It may read
// the fields above it (their defaults are already in place).
using ParamDefault = std::function<db::Variant(ListForm&)>;

// One row of a list's parameter table. A range has a "to" control; a single
// value only the "from" one.
struct ParamField {
    ParamKind kind = ParamKind::Code;
    const char* from = "";  // object name: "MaskEdit1"
    const char* to = "";    // "MaskEdit2"; empty: a single value
    QString caption;        // "Munkahely (F2) :"
    const char* mask = "";  // code edits: "999999;1; "
    const CodeLookup* code = nullptr;
    ParamDefault fromDefault;
    ParamDefault toDefault;
    bool optional = false;  // may stay empty: the start button does not wait for it
    bool hidden = false;    // invisible, yet defaulted and required
    bool disabled = false;  // shown, not editable
    QStringList items;      // combos
    QStringList codes;      // combos: the code of each item, shown in a label beside it
    // A date whose default is the last payment date of a month: leaving this
    // month edit reloads it.
    const char* reloadsDate = "";
};

// Where a column default is read from.
enum class DefaultSource {
    Payroll,       // the company's payroll rows
    Employee,      // the employee table
    Workplace,     // the workplace table
    PaymentPlace,  // the payment-place table
    PayItem,       // the pay-item table
    ValueSet9,     // the value-set rows of type "9"
};

namespace defaults {
// The smallest / largest non-empty value of the column.
ParamDefault First(const std::string& field, DefaultSource source = DefaultSource::Payroll);
ParamDefault Last(const std::string& field, DefaultSource source = DefaultSource::Payroll);
// The latest payroll month; "01" (1) when there is none.
ParamDefault LastMonthOr1();
// The last payment date of all payroll rows.
ParamDefault LastPaymentDate();
// The last payment date of the month typed in the month edit `monthEdit`.
ParamDefault LastPaymentDateOfMonth(const char* monthEdit);
// The first day of the processing year's month typed in `monthEdit`.
ParamDefault FirstDayOfMonth(const char* monthEdit);
// A fixed value: a text, a month number or a date of the processing year.
ParamDefault Fixed(const db::Variant& value);
ParamDefault YearDate(int month, int day);
// The code when the lookup's table has it, otherwise empty.
ParamDefault CodeIfExists(const CodeLookup& lookup, const std::string& code);
}  // namespace defaults

// Standard rows of the parameter tables.
namespace params {
ParamField Honap(const char* from = "CurrencyEdit1", const char* to = "CurrencyEdit2");
ParamField KifizetesDatuma(const char* from = "DateEdit1", const char* to = "DateEdit2");
ParamField Munkahely(const std::string& defaultField = "SF_DGMHKOD");
ParamField KifizetoHely();
ParamField Dolgozo();
// The same with their codes from another lookup (one that outlives the form).
ParamField Munkahely(const CodeLookup& code);
ParamField Dolgozo(const CodeLookup& code);
// The pay-item code "Jogcím (F2) :", a single value without a default.
ParamField Jogcim(const char* from = "MaskEdit7");
// The workplace and employee ranges defaulted from the employee table (the
// smallest and largest code), so employees never paid count too; their codes
// come from the SQL pick list unless another lookup is given.
ParamField MunkahelyDolgozokbol(const CodeLookup& code = lookups::MunkahelySQL);
ParamField DolgozoDolgozokbol(const CodeLookup& code = lookups::DolgozoSQL);
// The optional job-number and collector ranges (no lookup, may stay empty).
ParamField Munkaszam();
ParamField Gyujto();
// A drop-down list of fixed items; with `codes`, each item's code is shown
// beside it.
ParamField Combo(const char* from, const QString& caption, const QStringList& items,
                 const QStringList& codes = {});
// The pension fund return's character (ComboBox1) and kind (ComboBox2),
// each item with its code.
ParamField BevallasJellege();
ParamField BevallasFajtaja();
}  // namespace params

// A check box of the options: object name, caption, ticked by default.
struct ParamOption {
    const char* name;
    QString caption;
    bool checked = false;
};
