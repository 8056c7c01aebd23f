// The frame every printed list is built on: a parameter form declared as a
// table of fields (months, dates, code ranges with their names, combos,
// options), its defaults from the saved rows, the keys, the checks, the start
// button's enabling and the two run skeletons (query lists and work-table
// lists); and for the layouts the shared page header, the column table, the
// preview, plain number text, range conditions and the banknote split.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/DataModule1.h"
#include "platform/db/Field.h"
#include "platform/report/Report.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QWidget;
class TCurrencyEdit;
class TDateEdit;
class TKivalasztForm;
class TKivalasztSQLForm;
class ListForm;

// --- Plain values ------------------------------------------------------------

// The plain decimal text of a number: shortest form up to 15 significant
// digits, no grouping, "." as the decimal separator ("1234.5", "-7", "0").
QString SzamSzoveg(double value);

// A total kept as a signed 32-bit integer; an addition that leaves the range
// raises std::overflow_error rather than printing a wrapped amount.
class Int32Total {
public:
    void Reset() { value_ = 0; }
    void Add(long long amount);
    int Value() const { return value_; }

private:
    int value_ = 0;
};
// A whole amount as a 32-bit integer; std::overflow_error when it does not fit.
int ToInt32(long long value);

// The denominations of the cash split, from 20000 down to 1.
inline constexpr std::array<int, 14> kCimletek = {20000, 10000, 5000, 2000, 1000, 500, 200,
                                                  100,   50,    20,   10,   5,    2,   1};
// The greedy split of a whole forint amount: count i is of kCimletek[i]. A
// negative amount gives negative counts (callers print only positive amounts).
std::array<long long, 14> CimletBontas(long long amount);

// The field texts of the current record joined by single blanks; an empty
// part keeps its blank ("1111 Budapest  utca").
QString CimOsszefuz(db::Dataset& dataset, const std::vector<std::string>& fields);

// --- SQL of the lists ----------------------------------------------------------

// Builds a list's statement line by line. Every value is a bound parameter,
// table and field names are quoted identifiers; the first condition begins
// with "Where", the others with "And".
class ListSql {
public:
    ListSql& Line(const std::string& text);
    // "From <table>" of a data-module table (its current name, quoted).
    static std::string Table(const db::Table& table);
    // field >= from And field <= to, compared as texts (codes are trimmed).
    ListSql& Range(const std::string& field, const QString& from, const QString& to);
    // field >= from And field <= to, compared as integers (months).
    ListSql& Range(const std::string& field, int from, int to);
    // field >= from And field <= to, compared as dates (day numbers).
    ListSql& DateRange(const std::string& field, double from, double to);
    // An optional text range (job numbers, collectors): both bounds given
    // select within them; one bound alone also takes the rows without a
    // value; neither adds no condition.
    ListSql& OptionalRange(const std::string& field, const QString& from, const QString& to);
    ListSql& Equal(const std::string& field, const QString& value);
    ListSql& Equal(const std::string& field, int value);
    ListSql& EqualDate(const std::string& field, double value);
    // A condition of the caller's own; values go through Bind().
    ListSql& Condition(const std::string& text);
    // A parameter of the caller's own (":name" in a Line or Condition).
    ListSql& Bind(const std::string& name, const db::Variant& value, db::FieldType type);

    std::string Text() const;
    // Closes the query, sets its SQL and binds the parameters.
    void Apply(db::Query& query) const;

private:
    std::string NewParam(const db::Variant& value, db::FieldType type);
    std::string Prefix();
    struct Bound {
        std::string name;
        db::Variant value;
        db::FieldType type;
    };
    std::vector<std::string> lines_;
    std::vector<Bound> params_;
    bool where_ = false;
};

// Closes Query1 and clears its SQL; points it at the payroll table's database.
void Query1Reset();
// A fill's Query1, reset at the start and closed without SQL however the
// fill ends.
class Query1Fill {
public:
    Query1Fill() { Query1Reset(); }
    ~Query1Fill();
    Query1Fill(const Query1Fill&) = delete;
    Query1Fill& operator=(const Query1Fill&) = delete;
};

// Chained queries: re-opens `inner` for the current row of `outer`. Every
// field of the outer row whose name begins with "p" ("pDOLGOZO") gives its
// value to the inner query's parameter of the same name (":pDOLGOZO").
void ReopenChained(db::Query& inner, db::Dataset& outer);

// The text of `resultField` of the record whose `keyField` is `key`; the
// empty text when there is none (never a previous record's value).
QString LookupText(db::Dataset& table, const std::string& keyField, const std::string& key,
                   const std::string& resultField);
// The name (EK_ERTEKNEV) of `code` in the value set of type `type`; empty
// when the set has no such row.
QString ErtekNev(const std::string& type, const std::string& code);
// The data year: the text of the value-set row of type "0", value "04".
QString AdatEv();
// The date line to fill in by hand: "......................... 2019. ............hó ......nap".
QString DatumSor(const QString& ev);

// --- Parameter fields ----------------------------------------------------------

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
    std::vector<std::pair<const char*, int>> sqlColumns;
    const char* sqlCondition = "";
};

namespace lookups {
extern const CodeLookup Munkahely;     // MHely
extern const CodeLookup KifizetoHely;  // KifHely
extern const CodeLookup Dolgozo;       // Dolgozo
extern const CodeLookup Jogcim;        // Jogcim
// Workplaces and employees picked from the SQL pick list.
extern const CodeLookup MunkahelySQL;
extern const CodeLookup DolgozoSQL;
}  // namespace lookups

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
// The workplace and employee ranges defaulted from the employee table (the
// smallest and largest code), so employees never paid count too; their codes
// come from the SQL pick list unless another lookup is given.
ParamField MunkahelyDolgozokbol(const CodeLookup& code = lookups::MunkahelySQL);
ParamField DolgozoDolgozokbol(const CodeLookup& code = lookups::DolgozoSQL);
// The optional job-number and collector ranges (no lookup, may stay empty).
ParamField Munkaszam();
ParamField Gyujto();
}  // namespace params

// A check box of the options: object name, caption, ticked by default.
struct ParamOption {
    const char* name;
    QString caption;
    bool checked = false;
};

// What a list declares about its form.
struct ListDecl {
    const char* objectName;  // "List_BerlapForm"
    QString caption;         // "Kifizetési listák/Bérlap"
    std::vector<ParamField> fields;
    std::vector<ParamOption> options;
    // The master tables the list reads, opened read-only in this order
    // after the value-set table.
    std::vector<db::Table * TDM1::*> tables;
    // Enter on this edit goes to the start button (when enabled) instead of
    // the next control; empty: Enter always moves on.
    const char* lastEdit = "";
    // Extra start buttons beside BitBtn1 (object name, caption).
    std::vector<std::pair<const char*, QString>> startButtons;
    bool noStartButton1 = false;  // the form has only its own start buttons
    int progressBars = 0;         // ProgressBar1 (and ProgressBar2)
    bool listBox = false;         // ListBox1 for messages
    // Whether the pick list of the codes is this form's own (else the
    // opening form's instance is used).
    bool ownPickList = true;
};

// The base of every list's parameter form.
class ListForm : public QDialog {
    Q_OBJECT
public:
    explicit ListForm(ListDecl decl, QWidget* parent = nullptr);
    ~ListForm() override;

    // --- Components --------------------------------------------------------
    QPushButton* BitBtn1 = nullptr;  // "Lekérdezés"
    QPushButton* BitBtn2 = nullptr;  // "Kilépés"
    QProgressBar* ProgressBar1 = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QCheckBox* CheckBoxListaDatum = nullptr;  // when the options have it

    QWidget* Control(const QString& name) const;  // by object name
    TCurrencyEdit* MonthEdit(const QString& name) const;
    TDateEdit* DateEdit(const QString& name) const;
    QLineEdit* Edit(const QString& name) const;
    QComboBox* Combo(const QString& name) const;
    QCheckBox* Check(const QString& name) const;
    QLabel* NameLabel(const QString& editName) const;  // the code's name beside the edit
    QLabel* CaptionLabel(const QString& editName) const;
    // The name shown beside a code edit.
    QString NameText(const QString& editName) const;

    // --- Values ------------------------------------------------------------
    // Trimmed text of an edit or the combo's text.
    QString Text(const QString& name) const;
    int Month(const QString& name) const;    // 0 when empty
    double Date(const QString& name) const;  // 0 when empty
    bool Checked(const QString& name) const;
    // Writes a value the way a default does.
    void SetValue(const QString& name, const db::Variant& value);

    // --- Frame handlers --------------------------------------------------
    void FormShow();
    void Frissit();
    // Enables the start buttons together when every required field is filled.
    virtual void NyomtatasMehet();
    // The buttons NyomtatasMehet enables.
    std::vector<QPushButton*> StartButtons() const { return startButtons_; }

protected:
    // What "Lekérdezés" does; a list runs one of the skeletons below.
    virtual void BitBtn1Click() {}
    // Extra start buttons (index into ListDecl::startButtons).
    virtual void StartButtonClick(int index) {}
    // After the frame's exit handling of a field; lists add their own.
    virtual void AfterExit(const ParamField& field, QWidget* control) {}

    // Query lists: disables the start buttons, runs `run` (SQL, open,
    // preview), always leaves Query1 closed without SQL and the payroll
    // table without filter; enables the buttons again only on success (an
    // error reaches the caller: the application's handler).
    void RunQueryList(const std::function<void()>& run);
    // Filtered-detail lists, inside RunQueryList once Query1 is open: the
    // payroll table's filter handler (cleared again by the skeleton).
    void SetPayrollFilter(void (TDM1::*handler)(db::Dataset&, bool&));
    // Work-table lists: disables the start buttons (and "Kilépés" with
    // `alsoExit`), runs `fill` (false: it said why, nothing is shown) and
    // then `show`; any error gives the "Üzenetkezelő" box. Table1 is always
    // closed and unnamed, and the buttons enabled again.
    void RunWorkTableList(const std::function<bool()>& fill, const std::function<void()>& show,
                          bool alsoExit = false);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    const ListDecl& Decl() const { return decl_; }

private:
    struct Row;
    void Build();
    void OpenTables();
    void CloseTables();
    void KeyDown(QWidget* control, int key);
    void Exit(QWidget* control);
    bool DateEditExit(TDateEdit* edit);
    void PickCode(QLineEdit* edit, const CodeLookup& code);
    const Row* RowOf(const QWidget* control) const;
    void ReloadDate(const char* dateEdit);

    ListDecl decl_;
    std::vector<std::unique_ptr<Row>> rows_;
    std::vector<QPushButton*> startButtons_;
    std::vector<std::pair<db::Table*, bool>> opened_;  // table, its ReadOnly before
    TKivalasztForm* pick_ = nullptr;
    TKivalasztSQLForm* sqlPick_ = nullptr;
    bool shown_ = false;
    bool closed_ = false;
    bool exiting_ = false;
};

// --- Work tables ---------------------------------------------------------------

struct WorkField {
    const char* name;
    db::FieldType type;
    int size = 0;  // text fields
};

// A per-workstation work table: "List_" + name + GepNevUtotag() in the
// year's alias.
struct WorkTable {
    std::string name;  // "List_Berlap"
    std::vector<WorkField> fields;
    std::string key;  // "DOLGOZO_KOD; BLOKK; SOR; TH_JC"
    // The workstation's suffix; unset: GepNevUtotag().
    std::optional<std::string> suffix;

    std::string TableName() const;
    // Creates it anew (ParadoxTablaLetrehoz: false after its error box).
    bool Create() const;
    // Writes the rows (values by field position) in one transaction
    // through DM1->Table1, which is left closed and unnamed.
    void Write(const std::vector<db::Record>& rows) const;
    // Opens DM1->Table1 on the table (in `indexFieldNames` order when
    // given) at its first record, for the layout to walk.
    void OpenInTable1(const std::string& indexFieldNames = {}) const;
};

// --- Layouts -------------------------------------------------------------------

// The page header every list shares, added to `band` from its top: program
// and maker line, user, page number, company name (CG_NEV or, with
// `shortName`, CG_RNEV), date, and the list's title. Returns the height used.
struct ListHeader {
    report::Control* QRLabelDatum = nullptr;  // "Dátum :"
    report::Control* QRSysData2 = nullptr;    // the date
    report::Control* Title = nullptr;
    double bottom = 0;  // mm below the title
    // "Aktuális dátum megjelenítése".
    void DatumMutat(bool on) const;
};
ListHeader AddListHeader(report::Band& band, const QString& title, bool shortName = false);

// The selected company's code: the three characters that end the payroll
// table's name ("Szamfejt_001"); empty when the name has none.
std::string CegKod();
// The report's start: locates the selected company in the company table;
// false when it is not there.
bool LocateCompany();

// A column of a list: caption, field, position and width (mm), alignment,
// how the value is written and whether the summary totals it.
enum class ColumnFormat { Text, Amount, Date };
struct ListColumn {
    QString caption;
    const char* field;
    double left, width;
    report::Align align = report::Align::Left;
    ColumnFormat format = ColumnFormat::Text;
};
// Adds the column captions to `header` at `top` and the fields to `detail`;
// values are read from `dataset`.
void AddColumns(report::Band& header, double top, report::Band& detail, db::Dataset& dataset,
                const std::vector<ListColumn>& columns);
// The text of a column's value for the current record of `dataset`.
QString ColumnText(db::Dataset& dataset, const ListColumn& column);

// The parameter text of a range: the trimmed "from", " - ", the trimmed "to".
QString RangeText(const ListForm& form, const QString& from, const QString& to);
