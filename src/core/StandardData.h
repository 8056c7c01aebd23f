// The rows every company must hold whatever made its tables: one value-set
// row and nine pay-item codes, and the corrections that bring older names and
// settings of them up to date. Seeding (AlapertekFeltolt in the data module)
// appends a row only when its key is missing, so running it again changes
// nothing.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace db {
class Dataset;
}

// A field and its value as text; numeric fields take the text's number.
struct SeedValue {
    std::string field;
    std::string value;
};

struct SeedRow {
    std::string key;  // EK_TIPUS + "/" + EK_ERTEK, or JC_KOD
    std::vector<SeedValue> values;
    // The value of `field`, or nullptr when the row leaves it empty.
    const std::string* Value(const std::string& field) const;
};

// The value-set row ("9"/"17") with its four fields.
const SeedRow& StandardValueSetRow();

// The pay-item rows in the order they are ensured.
const std::vector<SeedRow>& StandardPayItems();

// A correction of an existing pay item: `field` becomes `newValue` when it
// holds exactly `oldValue`, or, without an old value, whenever it holds
// anything but the new value (an empty field included).
struct PayItemCorrection {
    std::string code;
    std::string field;
    std::optional<std::string> oldValue;
    std::string newValue;
    bool Applies(const std::optional<std::string>& current) const;
};

// In the order they are applied: each right after its code is ensured, and
// those of codes that are not seeded ("340B") at the end.
const std::vector<PayItemCorrection>& PayItemCorrections();

// Appends the value-set row to an open, writable value-set table when its key
// is missing; an existing row is left as it is.
void EnsureStandardValueSet(db::Dataset& valueSets);

// Appends each missing standard pay item to an open pay-item table (its
// fields set in the table's column order) and applies the corrections.
// Returns the codes appended.
std::vector<std::string> EnsureStandardPayItems(db::Dataset& payItems);

// Sets the row's values on the dataset's current record in the dataset's
// column order. Numbers are read as plain decimals, whatever the locale.
void SetSeedValues(db::Dataset& dataset, const SeedRow& row);

// Appends to an open table every row whose key (the values of `keyFields`)
// the table lacks; rows already there are left as they are, whatever they
// hold. Returns the number of rows appended.
int AppendMissingRows(db::Dataset& table, const std::vector<std::string>& keyFields,
                      const std::vector<SeedRow>& rows);

// A calendar day whose work-schedule value is not its weekday's.
struct CalendarDay {
    int month;
    int day;
    char value;  // '0' rest day, '1' working day, '2' paid holiday
};

// Appends one calendar row per day of `year` to an open calendar table: month,
// day, date, the weekday's base value ("1" Monday to Friday, "0" on the
// weekend) and abbreviation, and the base value in the nine work schedules,
// except on the listed days, whose schedules take the listed value. `afterDay`,
// when given, runs after each posted day (a progress bar's step).
void AppendCalendarYear(db::Dataset& calendar, int year, const std::function<void()>& afterDay = {},
                        const std::vector<CalendarDay>& days = {});
