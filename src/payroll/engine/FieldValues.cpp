#include "payroll/engine/FieldValues.h"

namespace payroll {

FieldValues FieldValues::FromCurrent(const db::Dataset& ds) {
    FieldValues out;
    for (int i = 0; i < ds.FieldCount(); ++i) {
        const db::Field& f = ds.Fields(i);
        if (f.Kind() == db::FieldKind::Data) out.values_[f.FieldName()] = f.Value();
    }
    return out;
}

const db::Variant& FieldValues::Value(const std::string& name) const {
    static const db::Variant null;
    auto it = values_.find(name);
    return it == values_.end() ? null : it->second;
}

}  // namespace payroll
