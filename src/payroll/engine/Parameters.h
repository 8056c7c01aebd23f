// The yearly parameters of the calculation: value-set rows of type "0" read
// by code as the value set stands when the run starts, so a rate changed in
// the value set is used by the next run.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/db/Dataset.h"

namespace payroll {

struct RunContext;

// Where the parameters come from.
class ParameterSource {
public:
    virtual ~ParameterSource() = default;
    // EK_ERTEKNUM of the code; nullopt when there is no row or the field is empty.
    virtual std::optional<double> Number(const std::string& code) const = 0;
    // EK_ERTEKCHAR of the code; "" when there is none.
    virtual std::string Text(const std::string& code) const = 0;
};

// Over the company's value set (a table or the data module's component): a
// lookup on EK_TIPUS;EK_ERTEK for every read, without moving its cursor.
class DatasetParameters : public ParameterSource {
public:
    explicit DatasetParameters(db::Dataset& valueSet) : valueSet_(valueSet) {}
    std::optional<double> Number(const std::string& code) const override;
    std::string Text(const std::string& code) const override;

private:
    db::Dataset& valueSet_;
};

// Parameters given as values (tests, benchmarks).
class ValueParameters : public ParameterSource {
public:
    struct Row {
        std::optional<double> number;
        std::string text;
    };
    ValueParameters() = default;
    explicit ValueParameters(std::map<std::string, Row> rows) : rows_(std::move(rows)) {}
    void Set(const std::string& code, Row row) { rows_[code] = std::move(row); }
    void Remove(const std::string& code) { rows_.erase(code); }
    std::optional<double> Number(const std::string& code) const override;
    std::string Text(const std::string& code) const override;

private:
    std::map<std::string, Row> rows_;
};

// The numeric parameter. No row, or an empty value, raises CalculationError
// naming the code; 0 is a value.
double ErtekkeszletSzam(const RunContext& ctx, const std::string& code);

}  // namespace payroll
