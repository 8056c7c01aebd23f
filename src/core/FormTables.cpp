#include "core/FormTables.h"

#include <stdexcept>

#include "core/TableCatalog.h"
#include "core/TableLayouts.h"
#include "platform/db/Table.h"

namespace {

const TableLayout* LayoutOf(const db::Dataset* ds) {
    const auto* table = dynamic_cast<const db::Table*>(ds);
    if (!table) return nullptr;
    for (const TableComponent& c : TableComponents())
        if (c.component == table->Name && !c.baseName.empty()) return FindTableLayout(c.baseName);
    return FindTableLayout(table->TableName);
}

}  // namespace

const TableLayout* SourceLayout(db::DataSource* source) {
    return LayoutOf(source ? source->DataSet() : nullptr);
}

ui::FieldInfo LayoutField(db::DataSource* source, const std::string& field) {
    const TableLayout* layout = SourceLayout(source);
    if (!layout) return ui::DatasetField(source, field);
    ui::FieldInfo info;
    info.name = field;
    if (const FieldLayout* f = layout->Field(field)) {
        info.type = f->type;
        info.size = f->size;
        info.mask = f->mask;
        info.label = f->caption.empty() ? f->label : f->caption;
        info.required = f->required;
        return info;
    }
    for (const LookupLayout& l : layout->lookups)
        if (l.name == field) {
            info.type = db::FieldType::String;
            info.size = l.size;
            info.label = l.label;
            return info;
        }
    throw std::logic_error("Table " + layout->name + " has no field " + field);
}

ui::ControlBuilder FormBuilder(db::DataSource* source) {
    ui::ControlBuilder b(LayoutField);
    b.source = source;
    return b;
}

std::string LayoutTitle(const db::Dataset& table, const std::string& field) {
    if (const db::Field* f = table.FindField(field); f && !f->DisplayLabel.empty()) return f->DisplayLabel;
    const TableLayout* layout = LayoutOf(&table);
    const FieldLayout* f = layout ? layout->Field(field) : nullptr;
    if (!f) return field;
    if (!f->label.empty()) return f->label;
    std::string title = f->caption;
    auto chop = [&title](std::string_view tail) {
        while (!title.empty() && title.back() == ' ') title.pop_back();
        if (title.size() >= tail.size() && title.compare(title.size() - tail.size(), tail.size(), tail) == 0)
            title.erase(title.size() - tail.size());
        while (!title.empty() && title.back() == ' ') title.pop_back();
    };
    chop(":");
    chop("(F2)");
    return title.empty() ? field : title;
}
