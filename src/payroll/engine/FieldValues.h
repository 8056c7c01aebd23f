// One stored record held as field name -> value: the employee, the company, a
// pay item of the catalogue, a standing item. The engine reads them by the
// fields' own names; a field the record does not hold reads as null.
#pragma once

#include <initializer_list>
#include <string>
#include <unordered_map>
#include <utility>

#include "platform/db/Dataset.h"

namespace payroll {

class FieldValues {
public:
    FieldValues() = default;
    FieldValues(std::initializer_list<std::pair<const std::string, db::Variant>> values) : values_(values) {}

    // Every data field of the dataset's current record.
    static FieldValues FromCurrent(const db::Dataset& ds);

    const db::Variant& Value(const std::string& name) const;
    bool IsNull(const std::string& name) const { return Value(name).IsBlank(); }
    // "" for null.
    std::string Text(const std::string& name) const { return Value(name).ToString(); }
    // 0 for null; a text that is no number raises db::DatabaseError.
    double Num(const std::string& name) const { return Value(name).ToDouble(); }
    void Set(const std::string& name, db::Variant value) { values_[name] = std::move(value); }
    bool Empty() const { return values_.empty(); }

private:
    std::unordered_map<std::string, db::Variant> values_;
};

}  // namespace payroll
