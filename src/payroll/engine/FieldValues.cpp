#include "payroll/engine/FieldValues.h"

#include <algorithm>

namespace payroll {

FieldValues FieldValues::FromCurrent(const db::Dataset& ds) { return FieldValuesReader().Read(ds); }

int FieldValues::SlotOf(const std::string& name) const {
    if (!names_) return -1;
    auto it = names_->slot.find(name);
    return it == names_->slot.end() ? -1 : it->second;
}

const db::Variant& FieldValues::Value(const std::string& name) const {
    static const db::Variant null;
    if (const int slot = SlotOf(name); slot >= 0) return slots_[slot];
    auto it = values_.find(name);
    return it == values_.end() ? null : it->second;
}

void FieldValues::Set(const std::string& name, db::Variant value) {
    if (const int slot = SlotOf(name); slot >= 0)
        slots_[slot] = std::move(value);
    else
        values_[name] = std::move(value);
}

FieldValues FieldValuesReader::Read(const db::Dataset& ds) {
    std::vector<const db::Field*> fields;
    fields.reserve(ds.FieldCount());
    for (int i = 0; i < ds.FieldCount(); ++i)
        if (ds.Fields(i).Kind() == db::FieldKind::Data) fields.push_back(&ds.Fields(i));
    const bool same =
        names_ && names_->order.size() == fields.size() &&
        std::equal(fields.begin(), fields.end(), names_->order.begin(),
                   [](const db::Field* f, const std::string& n) { return f->FieldName() == n; });
    if (!same) {
        auto names = std::make_shared<FieldValues::Names>();
        for (const db::Field* f : fields) {
            // A name given twice reads as its last field, as it always did.
            names->slot[f->FieldName()] = static_cast<int>(names->order.size());
            names->order.push_back(f->FieldName());
        }
        names_ = std::move(names);
    }
    FieldValues out;
    out.names_ = names_;
    out.slots_.reserve(fields.size());
    for (const db::Field* f : fields) out.slots_.push_back(f->Value());
    return out;
}

}  // namespace payroll
