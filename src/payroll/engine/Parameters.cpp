#include "payroll/engine/Parameters.h"

#include "payroll/engine/RunContext.h"

namespace payroll {

std::optional<double> DatasetParameters::Number(const std::string& code) const {
    const db::Variant v =
        valueSet_.Lookup("EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant(code)}, "EK_ERTEKNUM");
    if (v.IsBlank()) return std::nullopt;
    return v.ToDouble();
}

std::string DatasetParameters::Text(const std::string& code) const {
    return valueSet_.Lookup("EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant(code)}, "EK_ERTEKCHAR")
        .ToString();
}

std::optional<double> ValueParameters::Number(const std::string& code) const {
    auto it = rows_.find(code);
    return it == rows_.end() ? std::nullopt : it->second.number;
}

std::string ValueParameters::Text(const std::string& code) const {
    auto it = rows_.find(code);
    return it == rows_.end() ? std::string() : it->second.text;
}

double ErtekkeszletSzam(const RunContext& ctx, const std::string& code) {
    const std::optional<double> v = ctx.parameters ? ctx.parameters->Number(code) : std::nullopt;
    if (!v) throw CalculationError("Hiányzik a(z) \"" + code + "\" kódú évi paraméter az értékkészletből!");
    return *v;
}

}  // namespace payroll
