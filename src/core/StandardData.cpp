#include "core/StandardData.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <stdexcept>

#include "platform/db/Dataset.h"
#include "platform/os/DayNumber.h"

namespace {

// The values every seeded pay item shares.
std::vector<SeedValue> Common() {
    std::vector<SeedValue> v = {
        {"JC_KIFIZ", "I"}, {"JC_JARULKOD", "00"}, {"JC_SZABTIP", "0"}, {"JC_BERKARTONRA", "I"}};
    for (const char* flag :
         {"JC_KEDVTERM",      "JC_MADOJKOT",   "JC_EHOKIES",    "JC_EHOSZAZ", "JC_ELKULADO",
          "JC_ALAP1",         "JC_ALAP2",      "JC_ALAP3",      "JC_ALAP4",   "JC_ALAP5",
          "JC_BALJKOT",       "JC_TERMJUTADO", "JC_KULONADOZO", "JC_AANOV",   "JC_BESZAMOSSZEG",
          "JC_BESZAMIDOSZTO", "JC_EVAKOT",     "JC_SZHALEV",    "JC_VJAR",    "JC_SZHANEMKEDV",
          "JC_SZHAKEDV"})
        v.push_back({flag, "N"});
    return v;
}

struct PayItem {
    const char* code;
    const char* name;
    const char* tipus;
    const char* szamkep;
    const char* szaz;
    const char* szjakot;
    const char* contributions;  // JC_NYJKOT, JC_EBJKOT, JC_SZAKSZKOT, JC_MPJDOLGKOT, JC_SZHAKOT
    const char* letilt;
    const char* earnings;  // JC_RENDSZ, JC_BERJELL, JC_KERESET
    const char* szakkepzes;
};

SeedRow Row(const PayItem& p) {
    SeedRow row{p.code, Common()};
    auto add = [&](const char* field, const char* value) { row.values.push_back({field, value}); };
    add("JC_KOD", p.code);
    add("JC_NEV", p.name);
    add("JC_TIPUS", p.tipus);
    add("JC_SZAMKEP", p.szamkep);
    add("JC_SZAZ", p.szaz);
    add("JC_SZJAKOT", p.szjakot);
    for (const char* f : {"JC_NYJKOT", "JC_EBJKOT", "JC_SZAKSZKOT", "JC_MPJDOLGKOT", "JC_SZHAKOT"})
        add(f, p.contributions);
    add("JC_LETILT", p.letilt);
    for (const char* f : {"JC_RENDSZ", "JC_BERJELL", "JC_KERESET"}) add(f, p.earnings);
    add("JC_SZAKKEPZES", p.szakkepzes);
    return row;
}

std::vector<SeedRow> BuildPayItems() {
    const PayItem items[] = {
        {"090A", "Lelkészi jövedelem", "1", "08", "100", "N", "N", "I", "N", "N"},
        {"090B", "Stóla díj", "1", "08", "100", "N", "N", "I", "N", "N"},
        {"333A", "Fenntartói járulék", "0", "07", "21", "N", "N", "N", "N", "N"},
        {"333B", "Gyülekezeti MSA", "0", "07", "2", "N", "N", "N", "N", "N"},
        {"409A", "Nyugdíj szerű járulék", "4", "06", "15", "N", "N", "N", "N", "N"},
        {"409B", "Személyi MSA", "4", "06", "1", "N", "N", "N", "N", "N"},
        {"400C", "Stóla díj vissza", "4", "08", "100", "N", "N", "N", "N", "N"},
        {"107S", "Nyugdíj szabadság bére", "1", "01", "100", "I", "N", "I", "I", "N"},
        {"119A", "Cafeteria ktg. terít.", "1", "08", "100", "I", "I", "I", "I", "I"},
    };
    std::vector<SeedRow> rows;
    for (const PayItem& p : items) {
        SeedRow row = Row(p);
        const std::string code = p.code;
        if (code == "107S" || code == "119A") {
            row.values.push_back({"JC_ADATLSOR", "1"});
            row.values.push_back({"JC_ADATLOSZL", "d"});
            row.values.push_back({"JC_HAVIBEVSOR", "300"});
            row.values.push_back({"JC_HAVIBEVOSZL", "D"});
            row.values.push_back({"JC_TARTOZIK", code == "107S" ? "Munkabér" : "Caft t"});
            row.values.push_back({"JC_KOVETEL", code == "107S" ? "Jöv elszsz" : "Caft k"});
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace

const std::string* SeedRow::Value(const std::string& field) const {
    for (const SeedValue& v : values)
        if (v.field == field) return &v.value;
    return nullptr;
}

const SeedRow& StandardValueSetRow() {
    static const SeedRow row{"9/17",
                             {{"EK_TIPUS", "9"},
                              {"EK_TIPUSNEV", "SZHA kedv. kód"},
                              {"EK_ERTEK", "17"},
                              {"EK_ERTEKNEV", "Védett korú köztisztviselő"}}};
    return row;
}

const std::vector<SeedRow>& StandardPayItems() {
    static const std::vector<SeedRow> rows = BuildPayItems();
    return rows;
}

bool PayItemCorrection::Applies(const std::optional<std::string>& current) const {
    if (oldValue) return current == oldValue;
    return current != newValue;
}

const std::vector<PayItemCorrection>& PayItemCorrections() {
    static const std::vector<PayItemCorrection> corrections = {
        {"333A", "JC_NEV", "Fenntartói járulék", "Fenntartói járulék 21%"},
        {"333B", "JC_NEV", "Gyülekezeti MSA", "Gyülekezeti MSA 2%"},
        {"409A", "JC_NEV", "Nyugdíj szerű járulék", "Tagsági járulék 15%"},
        {"409B", "JC_NEV", "Személyi MSA", "Személyi MSA 1%"},
        {"107S", "JC_SZABTIP", std::nullopt, "1"},
        {"119A", "JC_HAVIBEVSOR", "300", "304"},
        {"340B", "JC_NEV", "EKHO 19,5% fogl.", "EKHO fogl."},
    };
    return corrections;
}

void SetSeedValues(db::Dataset& ds, const SeedRow& row) {
    for (int i = 0; i < ds.FieldCount(); ++i) {
        db::Field& field = ds.Fields(i);
        const std::string* value = row.Value(field.FieldName());
        if (!value) continue;
        if (db::IsTextType(field.DataType()) || db::IsDateType(field.DataType())) {
            field.SetAsString(*value);
            continue;
        }
        // A decimal with a point: the process locale may want a comma, so the
        // text is not handed to the field to read.
        double number = 0;
        const auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), number);
        if (error != std::errc() || end != value->data() + value->size())
            throw std::invalid_argument("Not a number for " + field.FieldName() + ": " + *value);
        field.SetAsFloat(number);
    }
}

int AppendMissingRows(db::Dataset& table, const std::vector<std::string>& keyFields,
                      const std::vector<SeedRow>& rows) {
    auto keyOf = [&](auto&& valueOf) {
        std::string key;
        for (const std::string& f : keyFields) key += valueOf(f) + '\x1f';
        return key;
    };
    std::set<std::string> present;
    for (table.First(); !table.Eof(); table.Next())
        present.insert(keyOf([&](const std::string& f) { return table.FieldByName(f).AsString(); }));
    int appended = 0;
    for (const SeedRow& row : rows) {
        const std::string key = keyOf([&](const std::string& f) {
            const std::string* v = row.Value(f);
            return v ? *v : std::string();
        });
        if (!present.insert(key).second) continue;
        table.Append();
        SetSeedValues(table, row);
        table.Post();
        ++appended;
    }
    return appended;
}

namespace {

void Correct(db::Dataset& payItems, const PayItemCorrection& c) {
    if (!payItems.Locate("JC_KOD", db::Variant(c.code))) return;
    db::Field& field = payItems.FieldByName(c.field);
    const std::optional<std::string> current =
        field.IsNull() ? std::nullopt : std::optional<std::string>(field.AsString());
    if (!c.Applies(current)) return;
    payItems.Edit();
    payItems.FieldByName(c.field).SetAsString(c.newValue);
    payItems.Post();
}

}  // namespace

void EnsureStandardValueSet(db::Dataset& valueSets) {
    const SeedRow& row = StandardValueSetRow();
    if (valueSets.Locate("EK_TIPUS;EK_ERTEK",
                         {db::Variant(*row.Value("EK_TIPUS")), db::Variant(*row.Value("EK_ERTEK"))}))
        return;
    valueSets.Append();
    SetSeedValues(valueSets, row);
    valueSets.Post();
}

std::vector<std::string> EnsureStandardPayItems(db::Dataset& payItems) {
    std::vector<std::string> appended;
    const auto& corrections = PayItemCorrections();
    auto correctionsOf = [&](const std::string& code) {
        for (const PayItemCorrection& c : corrections)
            if (c.code == code) Correct(payItems, c);
    };
    for (const SeedRow& row : StandardPayItems()) {
        if (!payItems.Locate("JC_KOD", db::Variant(row.key))) {
            payItems.Append();
            SetSeedValues(payItems, row);
            payItems.Post();
            appended.push_back(row.key);
        }
        correctionsOf(row.key);
    }
    // Corrections of codes that are never appended here ("340B").
    for (const PayItemCorrection& c : corrections) {
        const auto& items = StandardPayItems();
        if (std::none_of(items.begin(), items.end(), [&](const SeedRow& r) { return r.key == c.code; }))
            Correct(payItems, c);
    }
    return appended;
}

void AppendCalendarYear(db::Dataset& calendar, int year, const std::function<void()>& afterDay,
                        const std::vector<CalendarDay>& days) {
    // Indexed by DayOfWeek: 1 Sunday ... 7 Saturday.
    static const char* const kDayNames[] = {"", "V", "H", "K", "Sze", "Cs", "P", "Szo"};
    const double end = os::EncodeDate(year + 1, 1, 1);
    for (double day = os::EncodeDate(year, 1, 1); day < end; ++day) {
        const os::YMD date = os::DecodeDate(day);
        const int weekday = os::DayOfWeek(day);
        const char* base = weekday == 1 || weekday == 7 ? "0" : "1";
        std::string schedules = base;
        for (const CalendarDay& d : days)
            if (d.month == date.month && d.day == date.day) schedules = std::string(1, d.value);
        calendar.Append();
        calendar.FieldByName("NT_HONAP").SetAsInteger(date.month);
        calendar.FieldByName("NT_NAP").SetAsInteger(date.day);
        calendar.FieldByName("NT_DATUM").SetAsDateTime(day);
        calendar.FieldByName("NT_ERTEK").SetAsString(base);
        calendar.FieldByName("NT_MEGN").SetAsString(kDayNames[weekday]);
        for (int schedule = 1; schedule <= 9; ++schedule)
            calendar.FieldByName("NT_ERTEK" + std::to_string(schedule)).SetAsString(schedules);
        calendar.Post();
        if (afterDay) afterDay();
    }
}
