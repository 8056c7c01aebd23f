#include "core/ListParams.h"

#include "core/ListForm.h"
#include "core/ListSql.h"
#include "core/StartValues.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/DayNumber.h"
#include "platform/os/ScopeGuard.h"

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
const CodeLookup Nyugdijpenztar{.table = &TDM1::TableNyugP,
                                .keyField = "NP_KOD",
                                .nameField = "NP_NEV",
                                .message = "Ez a kód nem létezik!",
                                .sqlColumns = {{"NP_KOD", 35}, {"NP_NEV", 226}}};
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

namespace {

// Runs `sql` on Query1 and returns the first row's first field; Query1 is
// left closed and without SQL.
db::Variant FirstValue(const ListSql& sql) {
    db::Query& q = *DM1->Query1;
    Query1Reset();
    os::ScopeGuard clear([&q] {
        q.Close();
        q.SetSQL("");
    });
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

ParamField Munkahely(const CodeLookup& code) {
    ParamField f = Munkahely();
    f.code = &code;
    return f;
}

ParamField Dolgozo(const CodeLookup& code) {
    ParamField f = Dolgozo();
    f.code = &code;
    return f;
}

ParamField Jogcim(const char* from) {
    ParamField f;
    f.from = from;
    f.caption = QStringLiteral("Jogcím (F2) :");
    f.mask = "999a;1; ";
    f.code = &lookups::Jogcim;
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

ParamField Combo(const char* from, const QString& caption, const QStringList& items,
                 const QStringList& codes) {
    ParamField f;
    f.kind = ParamKind::Combo;
    f.from = from;
    f.caption = caption;
    f.items = items;
    f.codes = codes;
    return f;
}

ParamField BevallasJellege() {
    return Combo("ComboBox1", QStringLiteral("Bevallás jellege :"),
                 {"Nincs", "Felszámolás", "Végelszámolás", "Átalakulás"}, {"", "F", "V", "A"});
}

ParamField BevallasFajtaja() {
    return Combo("ComboBox2", QStringLiteral("Bevallás fajtája :"),
                 {"Nincs", "Felszámolási eljárás kezdete", "Felszámolási eljárás alatti időszak",
                  "Felszámolási eljárás befejezése"},
                 {"", "1", "2", "3"});
}

}  // namespace params
