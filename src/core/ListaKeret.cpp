#include "core/ListaKeret.h"

#include "core/DateEditCheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "controls/ComboEdits.h"
#include "controls/ControlUtils.h"
#include "controls/NumEdits.h"
#include "core/Kivalaszt.h"
#include "core/KivalasztSQL.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "core/helpers/TypedDate.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/db/Transaction.h"
#include "platform/os/DayNumber.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"

// --- Plain values ------------------------------------------------------------

QString SzamSzoveg(double value) {
    if (value == 0 || std::isnan(value)) return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

void Int32Total::Add(long long amount) {
    const long long sum = static_cast<long long>(value_) + amount;
    value_ = ToInt32(sum);
}

int ToInt32(long long value) {
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw std::overflow_error("Integer overflow");
    return static_cast<int>(value);
}

std::array<long long, 14> CimletBontas(long long amount) {
    std::array<long long, 14> counts{};
    long long rest = amount;
    for (size_t i = 0; i < kCimletek.size(); ++i) {
        counts[i] = rest / kCimletek[i];
        rest -= counts[i] * kCimletek[i];
    }
    return counts;
}

QString CimOsszefuz(db::Dataset& dataset, const std::vector<std::string>& fields) {
    QStringList parts;
    for (const std::string& f : fields) parts << Q(dataset.FieldByName(f).AsString()).trimmed();
    return parts.join(u' ');
}

// --- SQL -----------------------------------------------------------------------

std::string ListSql::Table(const db::Table& table) { return db::SqlName(table.TableName); }

namespace {

// A field name as an identifier; "t.FIELD" keeps its correlation name.
std::string Ident(const std::string& field) {
    const size_t dot = field.find('.');
    if (dot == std::string::npos) return db::SqlName(field);
    return db::SqlName(field.substr(0, dot)) + "." + db::SqlName(field.substr(dot + 1));
}

}  // namespace

ListSql& ListSql::Line(const std::string& text) {
    lines_.push_back(text);
    return *this;
}

std::string ListSql::Prefix() {
    const char* p = where_ ? "And " : "Where ";
    where_ = true;
    return p;
}

std::string ListSql::NewParam(const db::Variant& value, db::FieldType type) {
    const std::string name = "v" + std::to_string(params_.size() + 1);
    params_.push_back({name, value, type});
    return ":" + name;
}

ListSql& ListSql::Range(const std::string& field, const QString& from, const QString& to) {
    const std::string f = Ident(field);
    const std::string a = NewParam(from.trimmed().toStdString(), db::FieldType::String);
    const std::string b = NewParam(to.trimmed().toStdString(), db::FieldType::String);
    return Line(Prefix() + f + " >= " + a + " And " + f + " <= " + b);
}

ListSql& ListSql::Range(const std::string& field, int from, int to) {
    const std::string f = Ident(field);
    const std::string a = NewParam(from, db::FieldType::Integer);
    const std::string b = NewParam(to, db::FieldType::Integer);
    return Line(Prefix() + f + " >= " + a + " And " + f + " <= " + b);
}

ListSql& ListSql::DateRange(const std::string& field, double from, double to) {
    const std::string f = Ident(field);
    const std::string a = NewParam(from, db::FieldType::Date);
    const std::string b = NewParam(to, db::FieldType::Date);
    return Line(Prefix() + f + " >= " + a + " And " + f + " <= " + b);
}

ListSql& ListSql::OptionalRange(const std::string& field, const QString& from, const QString& to) {
    const QString a = from.trimmed(), b = to.trimmed();
    if (!a.isEmpty() && !b.isEmpty()) return Range(field, a, b);
    if (a.isEmpty() && b.isEmpty()) return *this;
    const std::string f = Ident(field);
    const std::string bound = NewParam((a.isEmpty() ? b : a).toStdString(), db::FieldType::String);
    return Line(Prefix() + "(" + f + (a.isEmpty() ? " <= " : " >= ") + bound + " Or " + f + " Is Null)");
}

ListSql& ListSql::Equal(const std::string& field, const QString& value) {
    return Line(Prefix() + Ident(field) + " = " +
                NewParam(value.trimmed().toStdString(), db::FieldType::String));
}

ListSql& ListSql::Equal(const std::string& field, int value) {
    return Line(Prefix() + Ident(field) + " = " + NewParam(value, db::FieldType::Integer));
}

ListSql& ListSql::EqualDate(const std::string& field, double value) {
    return Line(Prefix() + Ident(field) + " = " + NewParam(value, db::FieldType::Date));
}

ListSql& ListSql::Condition(const std::string& text) { return Line(Prefix() + text); }

ListSql& ListSql::Bind(const std::string& name, const db::Variant& value, db::FieldType type) {
    params_.push_back({name, value, type});
    return *this;
}

std::string ListSql::Text() const {
    std::string sql;
    for (const std::string& l : lines_) sql += (sql.empty() ? "" : "\n") + l;
    return sql;
}

void ListSql::Apply(db::Query& query) const {
    query.Close();
    query.SetSQL(Text());
    for (const Bound& b : params_) {
        db::Param& p = query.ParamByName(b.name);
        switch (b.type) {
            case db::FieldType::String:
                p.SetAsString(b.value.ToString());
                break;
            case db::FieldType::Date:
                p.SetAsDate(b.value.ToDouble());
                break;
            case db::FieldType::Float:
                p.SetAsFloat(b.value.ToDouble());
                break;
            default:
                p.SetAsInteger(b.value.ToInt());
                break;
        }
    }
}

void Query1Reset() {
    db::Query& q = *DM1->Query1;
    q.Close();
    q.SetSQL("");
    q.DatabaseName = DM1->TableSzamfejt->DatabaseName;
}

Query1Fill::~Query1Fill() {
    try {
        DM1->Query1->Close();
    } catch (const std::exception&) {
        // Closing a read-only query loses nothing.
    }
    DM1->Query1->SetSQL("");
}

void ReopenChained(db::Query& inner, db::Dataset& outer) {
    inner.Close();
    const std::string& sql = inner.SQL();
    for (int i = 0; i < outer.FieldCount(); ++i) {
        db::Field& f = outer.Fields(i);
        const std::string& name = f.FieldName();
        if (name.empty() || name[0] != 'p' || sql.find(":" + name) == std::string::npos) continue;
        db::Param& p = inner.ParamByName(name);
        if (f.IsNull()) {
            p.Clear();
            continue;
        }
        switch (f.DataType()) {
            case db::FieldType::Date:
            case db::FieldType::DateTime:
                p.SetAsDate(f.AsDateTime());
                break;
            case db::FieldType::SmallInt:
            case db::FieldType::Integer:
            case db::FieldType::Word:
                p.SetAsInteger(f.AsInteger());
                break;
            case db::FieldType::Float:
            case db::FieldType::Currency:
                p.SetAsFloat(f.AsFloat());
                break;
            default:
                p.SetAsString(f.AsString());
                break;
        }
    }
    inner.Open();
}

QString LookupText(db::Dataset& table, const std::string& keyField, const std::string& key,
                   const std::string& resultField) {
    if (key.empty()) return {};
    return Q(table.Lookup(keyField, key, resultField).ToString());
}

QString ErtekNev(const std::string& type, const std::string& code) {
    return Q(DM1->TableErtekkeszlet
                 ->Lookup("EK_TIPUS;EK_ERTEK", {db::Variant(type), db::Variant(code)}, "EK_ERTEKNEV")
                 .ToString());
}

QString AdatEv() {
    const db::Variant v = DM1->TableErtekkeszlet->Lookup(
        "EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant("04")}, "EK_ERTEKCHAR");
    return Q(v.ToString()).trimmed();
}

QString DatumSor(const QString& ev) {
    return QStringLiteral("......................... ") + ev + QStringLiteral(". ............hó ......nap");
}

// --- Lookups and defaults --------------------------------------------------------

namespace lookups {
const CodeLookup Munkahely{.table = &TDM1::TableMhely,
                           .keyField = "MH_KOD",
                           .nameField = "MH_NEV",
                           .message = "Ilyen munkahely nem létezik!",
                           .pickKind = 3,
                           .field1 = "MH_KOD",
                           .width1 = 43,
                           .field2 = "MH_NEV",
                           .width2 = 226,
                           .sqlColumns = {},
                           .sqlCondition = ""};
const CodeLookup KifizetoHely{.table = &TDM1::TableKifhely,
                              .keyField = "KH_KOD",
                              .nameField = "KH_NEV",
                              .message = "Ilyen kifizető hely nem létezik!",
                              .pickKind = 2,
                              .field1 = "KH_KOD",
                              .width1 = 43,
                              .field2 = "KH_NEV",
                              .width2 = 226,
                              .sqlColumns = {},
                              .sqlCondition = ""};
const CodeLookup Dolgozo{.table = &TDM1::TableDolgozo,
                         .keyField = "DG_TORZSSZAM",
                         .nameField = "DG_NEV",
                         .message = "Ilyen törzsszám nem létezik!",
                         .pickKind = 5,
                         .field1 = "DG_TORZSSZAM",
                         .width1 = 73,
                         .field2 = "DG_NEV",
                         .width2 = 336,
                         .field3 = "DG_MHKOD",
                         .width3 = 0,
                         .sqlColumns = {},
                         .sqlCondition = ""};
const CodeLookup Jogcim{.table = &TDM1::TableJogcim,
                        .keyField = "JC_KOD",
                        .nameField = "JC_NEV",
                        .message = "Ilyen jogcím nem létezik!",
                        .pickKind = 4,
                        .field1 = "JC_KOD",
                        .width1 = 37,
                        .field2 = "JC_NEV",
                        .width2 = 226,
                        .sqlColumns = {},
                        .sqlCondition = ""};
const CodeLookup MunkahelySQL = [] {
    CodeLookup c = Munkahely;
    c.sqlColumns = {{"MH_KOD", 43}, {"MH_NEV", 226}};
    return c;
}();
const CodeLookup DolgozoSQL = [] {
    CodeLookup c = Dolgozo;
    c.sqlColumns = {{"DG_TORZSSZAM", 73}, {"DG_NEV", 336}};
    return c;
}();
}  // namespace lookups

namespace {

// A code of a value-set lookup is looked up within its type.
db::Variant CodeValue(const CodeLookup& code, const std::string& key, const std::string& resultField) {
    db::Table& t = *(DM1->*(code.table));
    if (*code.ekTipus)
        return t.Lookup(std::string("EK_TIPUS;") + code.keyField, {code.ekTipus, key}, resultField);
    return t.Lookup(code.keyField, key, resultField);
}

bool LocateCode(const CodeLookup& code, const std::string& key) {
    db::Table& t = *(DM1->*(code.table));
    if (*code.ekTipus) return t.Locate(std::string("EK_TIPUS;") + code.keyField, {code.ekTipus, key});
    return t.Locate(code.keyField, key);
}

// Runs `sql` on Query1 and returns the first row's first field; Query1 is
// left closed and without SQL.
db::Variant FirstValue(const ListSql& sql) {
    db::Query& q = *DM1->Query1;
    Query1Reset();
    struct Clear {
        ~Clear() {
            DM1->Query1->Close();
            DM1->Query1->SetSQL("");
        }
    } clear;
    sql.Apply(q);
    q.Open();
    q.First();
    if (q.Eof() || q.Fields(0).IsNull()) return {};
    return q.Fields(0).Value();
}

db::Variant Extreme(const std::string& field, DefaultSource source, bool last) {
    ListSql sql;
    const db::Table* table = DM1->TableSzamfejt;
    switch (source) {
        case DefaultSource::Payroll:
            break;
        case DefaultSource::Employee:
            table = DM1->TableDolgozo;
            break;
        case DefaultSource::Workplace:
            table = DM1->TableMhely;
            break;
        case DefaultSource::PaymentPlace:
            table = DM1->TableKifhely;
            break;
        case DefaultSource::PayItem:
            table = DM1->TableJogcim;
            break;
        case DefaultSource::ValueSet9:
            table = DM1->TableErtekkeszlet;
            break;
    }
    const std::string f = db::SqlName(field);
    sql.Line("Select " + f + " From " + ListSql::Table(*table));
    if (source == DefaultSource::ValueSet9) sql.Equal("EK_TIPUS", QStringLiteral("9"));
    // An empty value is never a bound of a range: it would select nothing.
    sql.Condition(f + " Is Not Null");
    sql.Line("Order By " + f + (last ? " Desc" : "") + " Limit 1");
    return FirstValue(sql);
}

}  // namespace

namespace defaults {

ParamDefault First(const std::string& field, DefaultSource source) {
    return [=](ListForm&) { return Extreme(field, source, false); };
}

ParamDefault Last(const std::string& field, DefaultSource source) {
    return [=](ListForm&) { return Extreme(field, source, true); };
}

ParamDefault LastMonthOr1() {
    return [](ListForm&) {
        db::Variant v = Extreme("SF_HONAP", DefaultSource::Payroll, true);
        return v.IsNull() ? db::Variant(1) : v;
    };
}

ParamDefault LastPaymentDate() { return Last("SF_KIFIZDAT"); }

ParamDefault LastPaymentDateOfMonth(const char* monthEdit) {
    return [monthEdit](ListForm& form) -> db::Variant {
        ListSql sql;
        sql.Line("Select SF_KIFIZDAT From " + ListSql::Table(*DM1->TableSzamfejt));
        sql.Equal("SF_HONAP", form.Month(monthEdit));
        sql.Condition("SF_KIFIZDAT Is Not Null");
        sql.Line("Order By SF_KIFIZDAT Desc Limit 1");
        return FirstValue(sql);
    };
}

ParamDefault FirstDayOfMonth(const char* monthEdit) {
    return [monthEdit](ListForm& form) -> db::Variant {
        double date = 0;
        if (!os::TryEncodeDate(std::stoi(FeldolgozasiEv), form.Month(monthEdit), 1, date)) return {};
        return date;
    };
}

ParamDefault Fixed(const db::Variant& value) {
    return [value](ListForm&) { return value; };
}

ParamDefault YearDate(int month, int day) {
    return [=](ListForm&) { return db::Variant(os::EncodeDate(std::stoi(FeldolgozasiEv), month, day)); };
}

ParamDefault CodeIfExists(const CodeLookup& lookup, const std::string& code) {
    const CodeLookup* l = &lookup;
    return [l, code](ListForm&) -> db::Variant {
        return CodeValue(*l, code, l->keyField).IsNull() ? db::Variant() : db::Variant(code);
    };
}

}  // namespace defaults

namespace params {

ParamField Honap(const char* from, const char* to) {
    ParamField f;
    f.kind = ParamKind::Month;
    f.from = from;
    f.to = to;
    f.caption = QStringLiteral("Hónap :");
    f.fromDefault = defaults::Last("SF_HONAP");
    if (*to) f.toDefault = defaults::Last("SF_HONAP");
    return f;
}

ParamField KifizetesDatuma(const char* from, const char* to) {
    ParamField f;
    f.kind = ParamKind::Date;
    f.from = from;
    f.to = to;
    f.caption = QStringLiteral("Kifizetés dátuma :");
    f.fromDefault = defaults::LastPaymentDate();
    if (*to) f.toDefault = defaults::LastPaymentDate();
    return f;
}

ParamField Munkahely(const std::string& defaultField) {
    ParamField f;
    f.from = "MaskEdit1";
    f.to = "MaskEdit2";
    f.caption = QStringLiteral("Munkahely (F2) :");
    f.mask = "999999;1; ";
    f.code = &lookups::Munkahely;
    f.fromDefault = defaults::First(defaultField);
    f.toDefault = defaults::Last(defaultField);
    return f;
}

ParamField KifizetoHely() {
    ParamField f;
    f.from = "MaskEdit3";
    f.to = "MaskEdit4";
    f.caption = QStringLiteral("Kifizető hely (F2) :");
    f.mask = "999999;1; ";
    f.code = &lookups::KifizetoHely;
    f.fromDefault = defaults::First("SF_DGKHKOD");
    f.toDefault = defaults::Last("SF_DGKHKOD");
    return f;
}

ParamField Dolgozo() {
    ParamField f;
    f.from = "MaskEdit5";
    f.to = "MaskEdit6";
    f.caption = QStringLiteral("Dolgozó (F2) :");
    f.mask = "99999999999;1; ";
    f.code = &lookups::Dolgozo;
    f.fromDefault = defaults::First("SF_DGTORZSSZAM");
    f.toDefault = defaults::Last("SF_DGTORZSSZAM");
    return f;
}

ParamField MunkahelyDolgozokbol(const CodeLookup& code) {
    ParamField f = Munkahely();
    f.code = &code;
    f.fromDefault = defaults::First("DG_MHKOD", DefaultSource::Employee);
    f.toDefault = defaults::Last("DG_MHKOD", DefaultSource::Employee);
    return f;
}

ParamField DolgozoDolgozokbol(const CodeLookup& code) {
    ParamField f = Dolgozo();
    f.code = &code;
    f.fromDefault = defaults::First("DG_TORZSSZAM", DefaultSource::Employee);
    f.toDefault = defaults::Last("DG_TORZSSZAM", DefaultSource::Employee);
    return f;
}

namespace {
ParamField OptionalRange(const char* from, const char* to, const QString& caption, const std::string& field) {
    ParamField f;
    f.kind = ParamKind::Text;
    f.from = from;
    f.to = to;
    f.caption = caption;
    f.mask = "999999;1; ";
    f.optional = true;
    f.fromDefault = defaults::First(field);
    f.toDefault = defaults::Last(field);
    return f;
}
}  // namespace

ParamField Munkaszam() {
    return OptionalRange("MaskEdit9", "MaskEdit10", QStringLiteral("Munkaszám :"), "SF_MUNKSZAM");
}

ParamField Gyujto() {
    return OptionalRange("MaskEdit11", "MaskEdit12", QStringLiteral("Gyűjtő :"), "SF_GYUJTO");
}

}  // namespace params

// --- The parameter form ----------------------------------------------------------

struct ListForm::Row {
    const ParamField* field = nullptr;
    QLabel* caption = nullptr;
    QWidget* from = nullptr;
    QWidget* to = nullptr;
    QLabel* fromName = nullptr;
    QLabel* toName = nullptr;
};

ListForm::ListForm(ListDecl decl, QWidget* parent) : QDialog(parent), decl_(std::move(decl)) {
    setObjectName(decl_.objectName);
    setWindowTitle(decl_.caption);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    Build();
    // FormCreate: the pick list, then the tables.
    if (decl_.ownPickList || !KivalasztForm) {
        pick_ = new TKivalasztForm();
        KivalasztForm = pick_;
    }
    OpenTables();
}

ListForm::~ListForm() {
    try {
        CloseTables();
    } catch (const std::exception&) {
        // Closing read-only tables loses nothing.
    }
    if (pick_) {
        if (KivalasztForm == pick_) KivalasztForm = nullptr;
        delete pick_;
    }
    if (sqlPick_) {
        if (KivalasztSQLForm == sqlPick_) KivalasztSQLForm = nullptr;
        delete sqlPick_;
    }
}

void ListForm::Build() {
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    outer->addLayout(grid);
    int r = 0;

    auto nameBox = [&](int row, QLabel** name, const QString& side, bool withName) {
        auto* box = new QHBoxLayout;
        box->setSpacing(9);
        if (withName) {
            *name = new QLabel(this);
            box->addWidget(*name);
        }
        if (!side.isEmpty()) box->addWidget(new QLabel(side, this));
        box->addStretch(1);
        grid->addLayout(box, row, 2);
    };

    auto makeControl = [&](const ParamField& f, const char* name) -> QWidget* {
        QWidget* w = nullptr;
        switch (f.kind) {
            case ParamKind::Month: {
                auto* e = new TCurrencyEdit(this);
                e->SetDecimalPlaces(0);
                e->SetDisplayFormat(QStringLiteral("00"));
                e->SetMinValue(1);
                e->SetMaxValue(12);
                e->SetMaxLength(2);
                e->SetValue(0);
                e->setFixedWidth(40);
                e->OnExit = [this, e] { Exit(e); };
                e->OnChange = [this] { NyomtatasMehet(); };
                w = e;
                break;
            }
            case ParamKind::Date: {
                auto* e = new TDateEdit(this);
                e->OnExit = [this, e] {
                    if (DateEditExit(e)) Exit(e);
                };
                e->OnChange = [this] { NyomtatasMehet(); };
                w = e;
                break;
            }
            case ParamKind::Code:
            case ParamKind::Text: {
                auto* e = new QLineEdit(this);
                if (*f.mask) e->setInputMask(QtEditMask(QString::fromUtf8(f.mask)));
                e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(13, u'9')));
                connect(e, &QLineEdit::textChanged, this, [this] { NyomtatasMehet(); });
                w = e;
                break;
            }
            case ParamKind::MonthCombo:
            case ParamKind::Combo: {
                auto* c = new QComboBox(this);
                if (f.kind == ParamKind::MonthCombo)
                    for (int m = 1; m <= 12; ++m) c->addItem(QString("%1").arg(m, 2, 10, QChar('0')));
                else
                    c->addItems(f.items);
                connect(c, &QComboBox::currentIndexChanged, this, [this, c, codes = f.codes](int i) {
                    if (QLabel* label = NameLabel(c->objectName()))
                        label->setText(i >= 0 && i < codes.size() ? codes[i] : QString());
                    NyomtatasMehet();
                });
                w = c;
                break;
            }
            case ParamKind::Check: {
                auto* c = new QCheckBox(this);
                w = c;
                break;
            }
        }
        w->setObjectName(name);
        w->installEventFilter(this);
        if (f.disabled) w->setEnabled(false);
        return w;
    };

    for (const ParamField& f : decl_.fields) {
        auto row = std::make_unique<Row>();
        row->field = &f;
        row->caption = new QLabel(f.caption, this);
        grid->addWidget(row->caption, r, 0);
        row->from = makeControl(f, f.from);
        grid->addWidget(row->from, r, 1);
        const bool named = (f.kind == ParamKind::Code && f.code && *f.code->nameField) || !f.codes.isEmpty();
        const bool range = *f.to != 0;
        nameBox(r, &row->fromName, range ? QStringLiteral("-tól") : QString(), named);
        if (f.hidden) {
            row->caption->hide();
            row->from->hide();
        }
        ++r;
        if (range) {
            row->to = makeControl(f, f.to);
            grid->addWidget(row->to, r, 1);
            nameBox(r, &row->toName, QStringLiteral("-ig"), named);
            if (f.hidden) row->to->hide();
            ++r;
        }
        rows_.push_back(std::move(row));
    }
    grid->setColumnStretch(2, 1);

    for (const ParamOption& o : decl_.options) {
        auto* c = new QCheckBox(o.caption, this);
        c->setObjectName(o.name);
        c->setChecked(o.checked);
        c->setLayoutDirection(Qt::RightToLeft);
        grid->addWidget(c, r++, 0, 1, 2, Qt::AlignLeft);
        if (QString(o.name) == "CheckBoxListaDatum") CheckBoxListaDatum = c;
    }

    if (decl_.listBox) {
        ListBox1 = new QListWidget(this);
        ListBox1->setObjectName("ListBox1");
        outer->addWidget(ListBox1);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    if (!decl_.noStartButton1) {
        BitBtn1 = new QPushButton(QStringLiteral("Lekérdezés"), this);
        BitBtn1->setObjectName("BitBtn1");
        BitBtn1->setAutoDefault(false);
        connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
        buttons->addWidget(BitBtn1);
        startButtons_.push_back(BitBtn1);
    }
    for (size_t i = 0; i < decl_.startButtons.size(); ++i) {
        auto* b = new QPushButton(decl_.startButtons[i].second, this);
        b->setObjectName(decl_.startButtons[i].first);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { StartButtonClick(int(i)); });
        buttons->addWidget(b);
        startButtons_.push_back(b);
    }
    BitBtn2 = new QPushButton(QStringLiteral("Kilépés"), this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setAutoDefault(false);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(BitBtn2);
    outer->addLayout(buttons);

    for (int i = 1; i <= decl_.progressBars && i <= 2; ++i) {
        auto* p = new QProgressBar(this);
        p->setObjectName(QString("ProgressBar%1").arg(i));
        p->setTextVisible(false);
        p->setMaximumHeight(14);
        p->setValue(0);
        outer->addWidget(p);
        (i == 1 ? ProgressBar1 : ProgressBar2) = p;
    }
}

QWidget* ListForm::Control(const QString& name) const { return findChild<QWidget*>(name); }
TCurrencyEdit* ListForm::MonthEdit(const QString& name) const { return findChild<TCurrencyEdit*>(name); }
TDateEdit* ListForm::DateEdit(const QString& name) const { return findChild<TDateEdit*>(name); }
QLineEdit* ListForm::Edit(const QString& name) const { return findChild<QLineEdit*>(name); }
QComboBox* ListForm::Combo(const QString& name) const { return findChild<QComboBox*>(name); }
QCheckBox* ListForm::Check(const QString& name) const { return findChild<QCheckBox*>(name); }

const ListForm::Row* ListForm::RowOf(const QWidget* control) const {
    for (const auto& r : rows_)
        if (r->from == control || r->to == control) return r.get();
    return nullptr;
}

QLabel* ListForm::NameLabel(const QString& editName) const {
    for (const auto& r : rows_) {
        if (r->from && r->from->objectName() == editName) return r->fromName;
        if (r->to && r->to->objectName() == editName) return r->toName;
    }
    return nullptr;
}

QString ListForm::NameText(const QString& editName) const {
    QLabel* l = NameLabel(editName);
    return l ? l->text() : QString();
}

QLabel* ListForm::CaptionLabel(const QString& editName) const {
    for (const auto& r : rows_)
        if ((r->from && r->from->objectName() == editName) || (r->to && r->to->objectName() == editName))
            return r->caption;
    return nullptr;
}

QString ListForm::Text(const QString& name) const {
    QWidget* w = Control(name);
    if (auto* m = qobject_cast<TCurrencyEdit*>(w)) {
        const QString t = m->Text().trimmed();
        return t.isEmpty() ? t : m->FormattedDisplayText();
    }
    if (auto* d = qobject_cast<TDateEdit*>(w)) return d->HasDateContent() ? d->Text() : QString();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text().trimmed();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    return {};
}

int ListForm::Month(const QString& name) const {
    QWidget* w = Control(name);
    if (auto* m = qobject_cast<TCurrencyEdit*>(w)) return m->Text().trimmed().isEmpty() ? 0 : int(m->Value());
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText().toInt();
    return 0;
}

double ListForm::Date(const QString& name) const {
    auto* d = DateEdit(name);
    return d ? d->DateValue() : 0;
}

bool ListForm::Checked(const QString& name) const {
    auto* c = Check(name);
    return c && c->isChecked();
}

void ListForm::SetValue(const QString& name, const db::Variant& value) {
    QWidget* w = Control(name);
    if (auto* m = qobject_cast<TCurrencyEdit*>(w)) {
        m->SetValue(value.IsBlank() ? 0 : double(value.ToInt()));
    } else if (auto* d = qobject_cast<TDateEdit*>(w)) {
        double day = 0;
        if (value.kind() == db::Variant::Kind::Text) {
            if (!value.Text().empty() && !os::TextToDate(value.Text(), day)) day = 0;
        } else {
            day = value.ToDouble();
        }
        d->SetDateValue(day);
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(Q(value.ToString()));
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        QString text = Q(value.ToString());
        if (value.kind() == db::Variant::Kind::Int)
            text = QString("%1").arg(value.ToInt(), 2, 10, QChar('0'));
        const int i = c->findText(text);
        if (i >= 0) c->setCurrentIndex(i);
    } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
        c->setChecked(value.ToBool());
    }
}

void ListForm::OpenTables() {
    auto open = [this](db::Table* t, bool readOnly) {
        opened_.push_back({t, t->ReadOnly});
        t->Close();
        if (readOnly) t->ReadOnly = true;
        t->Open();
    };
    open(DM1->TableErtekkeszlet, false);
    for (db::Table* TDM1::*member : decl_.tables) open(DM1->*member, true);
}

void ListForm::CloseTables() {
    // Reverse order; the value-set table, opened first, closes last.
    while (!opened_.empty()) {
        auto [t, readOnly] = opened_.back();
        opened_.pop_back();
        t->Close();
        t->ReadOnly = readOnly;
    }
}

void ListForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    FormShow();
}

void ListForm::FormShow() {
    for (const auto& r : rows_) {
        const ParamField& f = *r->field;
        if (f.fromDefault) SetValue(f.from, f.fromDefault(*this));
        if (r->to && f.toDefault) SetValue(f.to, f.toDefault(*this));
    }
    Frissit();
    NyomtatasMehet();
}

void ListForm::Frissit() {
    auto show = [](QLineEdit* edit, QLabel* label, const CodeLookup& code) {
        if (!label) return;
        const QString text = edit->text().trimmed();
        QString name;
        if (!text.isEmpty()) {
            db::Table* t = DM1->*(code.table);
            if (t->Active()) name = Q(CodeValue(code, text.toStdString(), code.nameField).ToString());
        }
        label->setText(name);
    };
    for (const auto& r : rows_) {
        const ParamField& f = *r->field;
        if (f.kind != ParamKind::Code || !f.code) continue;
        show(static_cast<QLineEdit*>(r->from), r->fromName, *f.code);
        if (r->to) show(static_cast<QLineEdit*>(r->to), r->toName, *f.code);
    }
}

void ListForm::NyomtatasMehet() {
    bool ok = true;
    auto filled = [](QWidget* w, ParamKind kind) {
        if (!w) return true;
        switch (kind) {
            case ParamKind::Month:
                return !static_cast<TCurrencyEdit*>(w)->Text().trimmed().isEmpty();
            case ParamKind::Date:
                return static_cast<TDateEdit*>(w)->HasDateContent();
            case ParamKind::Code:
            case ParamKind::Text:
                return !static_cast<QLineEdit*>(w)->text().trimmed().isEmpty();
            default:
                return true;
        }
    };
    for (const auto& r : rows_) {
        if (r->field->optional) continue;
        ok = ok && filled(r->from, r->field->kind) && filled(r->to, r->field->kind);
    }
    for (QPushButton* b : startButtons_) b->setEnabled(ok);
}

bool ListForm::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    const Row* row = w ? RowOf(w) : nullptr;
    if (!row) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_F2) {
            KeyDown(w, k->key());
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // The combo edits report their own exit after their own checks.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (qobject_cast<TCustomComboEdit*>(w) == nullptr && qobject_cast<QLineEdit*>(w) != nullptr &&
            reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !exiting_) {
            exiting_ = true;
            Exit(w);
            exiting_ = false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ListForm::KeyDown(QWidget* control, int key) {
    if (key == Qt::Key_F2) {
        const Row* row = RowOf(control);
        auto* edit = qobject_cast<QLineEdit*>(control);
        if (row && edit && row->field->kind == ParamKind::Code && row->field->code &&
            (row->field->code->pickKind != 0 || !row->field->code->sqlColumns.empty()))
            PickCode(edit, *row->field->code);
        return;
    }
    if (*decl_.lastEdit && control->objectName() == decl_.lastEdit) {
        // The first start button: "Lekérdezés", or a form's own first one.
        QPushButton* start = startButtons_.empty() ? nullptr : startButtons_.front();
        if (start && start->isEnabled()) start->setFocus(Qt::TabFocusReason);
        return;
    }
    focusNextChild();
}

void ListForm::PickCode(QLineEdit* edit, const CodeLookup& code) {
    db::Table* table = DM1->*(code.table);
    bool chosen = false;
    if (!code.sqlColumns.empty()) {
        if (!KivalasztSQLForm) {
            sqlPick_ = new TKivalasztSQLForm();
            KivalasztSQLForm = sqlPick_;
        }
        std::vector<db::Field*> fields;
        std::vector<int> widths;
        for (auto [name, width] : code.sqlColumns) {
            fields.push_back(&table->FieldByName(name));
            widths.push_back(width);
        }
        KivalasztSQLForm->KivalasztSQLBeallit(*table, fields, widths, code.sqlCondition, 0);
        ui::ShowModal(*KivalasztSQLForm);
        chosen = KivalasztSQLForm->ErtekAtadSQL();
    } else {
        KivalasztForm->KivalasztBeallit(code.pickKind, code.ekTipus, code.field1, code.width1, code.field2,
                                        code.width2, code.field3, code.width3, 0);
        ui::ShowModal(*KivalasztForm);
        chosen = KivalasztForm->ErtekAtad();
    }
    if (!chosen) return;
    edit->setText(Q(table->FieldByName(code.keyField).AsString()));
    Frissit();
}

void ListForm::Exit(QWidget* control) {
    const Row* row = RowOf(control);
    if (!row) return;
    const ParamField& f = *row->field;
    if (f.kind == ParamKind::Month && *f.reloadsDate) {
        ReloadDate(f.reloadsDate);
    } else if (f.kind == ParamKind::Code && f.code) {
        auto* edit = static_cast<QLineEdit*>(control);
        const QString text = edit->text().trimmed();
        if (!text.isEmpty() && !LocateCode(*f.code, text.toStdString())) {
            ui::ShowMessage(QString::fromUtf8(f.code->message));
            edit->setFocus(Qt::OtherFocusReason);
            edit->clear();
        }
    }
    AfterExit(f, control);
    Frissit();
    NyomtatasMehet();
}

void ListForm::ReloadDate(const char* dateEdit) {
    for (const auto& r : rows_)
        if (r->from && r->from->objectName() == dateEdit && r->field->fromDefault)
            SetValue(dateEdit, r->field->fromDefault(*this));
}

bool ListForm::DateEditExit(TDateEdit* edit) {
    if (DateEditExitCheck(edit)) return true;
    NyomtatasMehet();  // an emptied date disables the start buttons
    return false;
}

void ListForm::closeEvent(QCloseEvent* event) { QDialog::closeEvent(event); }

void ListForm::done(int result) {
    if (!closed_) {
        closed_ = true;
        // FormClose: the pick list goes, the tables close in reverse order.
        if (pick_) {
            if (KivalasztForm == pick_) KivalasztForm = nullptr;
            delete pick_;
            pick_ = nullptr;
        }
        CloseTables();
    }
    QDialog::done(result);
}

void ListForm::RunQueryList(const std::function<void()>& run) {
    for (QPushButton* b : startButtons_) b->setEnabled(false);
    struct Cleanup {
        ~Cleanup() {
            try {
                DM1->TableSzamfejt->SetFiltered(false);
                DM1->TableSzamfejt->OnFilterRecord = nullptr;
                DM1->Query1->Close();
                DM1->Query1->SetSQL("");
            } catch (const std::exception&) {
                // Closing a read-only query and dropping a filter lose nothing.
            }
        }
    } cleanup;
    run();
    for (QPushButton* b : startButtons_) b->setEnabled(true);
}

void ListForm::SetPayrollFilter(void (TDM1::*handler)(db::Dataset&, bool&)) {
    db::Table& t = *DM1->TableSzamfejt;
    t.SetFiltered(false);
    t.OnFilterRecord = DM1->FilterHandler(handler);
    t.SetFiltered(true);
}

void ListForm::RunWorkTableList(const std::function<bool()>& fill, const std::function<void()>& show,
                                bool alsoExit) {
    for (QPushButton* b : startButtons_) b->setEnabled(false);
    if (alsoExit) BitBtn2->setEnabled(false);
    try {
        struct Cleanup {
            ~Cleanup() {
                try {
                    DM1->Table1->Close();
                } catch (const std::exception&) {
                }
                DM1->Table1->TableName.clear();
                DM1->Table1->IndexFieldNames.clear();
            }
        } cleanup;
        if (fill()) show();
    } catch (const std::exception& e) {
        ui::MessageBox(
            QStringLiteral("Üzenetkezelő"),
            QStringLiteral("HIBA történt a lista megjelenítésekor! \r") + QString::fromUtf8(e.what()),
            ui::Icon::Error, ui::Ok);
    }
    for (QPushButton* b : startButtons_) b->setEnabled(true);
    if (alsoExit) BitBtn2->setEnabled(true);
}

// --- Work tables -------------------------------------------------------------------

std::string WorkTable::TableName() const { return name + (suffix ? *suffix : GepNevUtotag()); }

void WorkTable::OpenInTable1(const std::string& indexFieldNames) const {
    db::Table& t = *DM1->Table1;
    t.Close();
    t.DatabaseName = AktualisAlias;
    t.TableName = TableName();
    if (!indexFieldNames.empty()) t.IndexFieldNames = indexFieldNames;
    t.Open();
    t.First();
}

bool WorkTable::Create() const {
    std::vector<std::string> names;
    std::vector<db::FieldType> types;
    std::vector<int> sizes;
    for (const WorkField& f : fields) {
        names.push_back(f.name);
        types.push_back(f.type);
        sizes.push_back(f.size);
    }
    return ParadoxTablaLetrehoz(AktualisAlias, TableName(), names, key, types, sizes);
}

void WorkTable::Write(const std::vector<db::Record>& rows) const {
    db::Table& t = *DM1->Table1;
    t.Close();
    t.DatabaseName = AktualisAlias;
    t.TableName = TableName();
    struct Cleanup {
        db::Table& t;
        ~Cleanup() {
            try {
                t.Close();
            } catch (const std::exception&) {
            }
            t.TableName.clear();
        }
    } cleanup{t};
    db::Transaction tx{&t};
    t.Open();
    for (const db::Record& rec : rows) {
        t.Append();
        for (int i = 0; i < t.FieldCount() && i < int(rec.size()); ++i)
            if (!rec[i].IsNull()) t.Fields(i).SetValue(rec[i]);
        t.Post();
    }
    tx.Commit();
}

// --- Layouts -----------------------------------------------------------------------

void ListHeader::DatumMutat(bool on) const {
    if (QRLabelDatum) QRLabelDatum->Enabled = on;
    if (QRSysData2) QRSysData2->Enabled = on;
}

ListHeader AddListHeader(report::Band& band, const QString& title, bool shortName) {
    using report::Align;
    ListHeader h;
    band.Label(0, 0, 60, Q(ProgramCim));
    band.Label(40, 0, 110, Q(KeszitoSor), Align::Center);
    band.SysData(150, 0, 40, report::SysKind::PageNumber, Align::Right, QStringLiteral("Lapszám : "));
    band.Label(0, 5, 25, QStringLiteral("Felhasználó :"));
    band.Computed(25, 5, 120, [] {
        return Q(DM1->TableErtekkeszlet->Lookup("EK_TIPUS;EK_ERTEK", {"0", "02"}, "EK_ERTEKCHAR").ToString());
    });
    band.Field(0, 10, 140, shortName ? "CG_RNEV" : "CG_NEV").From(*DM1->TableCegek);
    h.QRLabelDatum = &band.Label(150, 10, 18, QStringLiteral("Dátum :"));
    h.QRSysData2 = &band.SysData(168, 10, 22, report::SysKind::Date, Align::Right);
    band.HLine(0, 15, 190);
    h.Title = &band.Label(0, 16, 190, title, Align::Center).Size(14).Bold();
    h.bottom = 23;
    return h;
}

std::string CegKod() {
    const std::string& name = DM1->TableSzamfejt->TableName;
    return name.size() >= 12 ? name.substr(9, 3) : std::string();
}

bool LocateCompany() {
    const std::string kod = CegKod();
    return !kod.empty() && DM1->TableCegek->Locate("CG_KOD", kod);
}

QString ColumnText(db::Dataset& dataset, const ListColumn& column) {
    db::Field& f = dataset.FieldByName(column.field);
    if (f.IsNull()) return {};
    switch (column.format) {
        case ColumnFormat::Amount:
            return SzamSzoveg(f.AsFloat());
        case ColumnFormat::Date:
            return Q(DatumSzoveg(f.AsDateTime()));
        case ColumnFormat::Text:
            break;
    }
    return Q(f.AsString());
}

void AddColumns(report::Band& header, double top, report::Band& detail, db::Dataset& dataset,
                const std::vector<ListColumn>& columns) {
    for (const ListColumn& c : columns) {
        header.Label(c.left, top, c.width, c.caption, c.align).Bold();
        db::Dataset* ds = &dataset;
        detail.Computed(
            c.left, 0, c.width, [c, ds] { return ColumnText(*ds, c); }, c.align);
    }
}

QString RangeText(const ListForm& form, const QString& from, const QString& to) {
    return form.Text(from) + " - " + form.Text(to);
}
