#include "core/ListSql.h"

#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/QtString.h"

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

void Query1Open(const ListSql& sql) {
    Query1Reset();
    sql.Apply(*DM1->Query1);
    DM1->Query1->Open();
    DM1->Query1->First();
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
