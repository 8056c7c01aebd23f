// One stored record held as field name -> value: the employee, the company, a
// pay item of the catalogue, a standing item. The engine reads them by the
// fields' own names; a field the record does not hold reads as null.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/db/Dataset.h"

namespace payroll {

class FieldValues {
public:
    // The names of a dataset's data fields in order, indexed: shared by the
    // records read from it.
    struct Names {
        std::vector<std::string> order;
        std::unordered_map<std::string, int> slot;
    };

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
    void Set(const std::string& name, db::Variant value);
    bool Empty() const { return slots_.empty() && values_.empty(); }

private:
    friend class FieldValuesReader;
    int SlotOf(const std::string& name) const;  // -1: not one of names_
    std::shared_ptr<const Names> names_;
    std::vector<db::Variant> slots_;                       // by names_
    std::unordered_map<std::string, db::Variant> values_;  // the others
};

// Reads records of a dataset whose fields stay the same (a table kept open, a
// query run again for each employee): their names are indexed once.
class FieldValuesReader {
public:
    FieldValues Read(const db::Dataset& ds);

private:
    std::shared_ptr<const FieldValues::Names> names_;
};

}  // namespace payroll
