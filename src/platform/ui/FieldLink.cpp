#include "platform/ui/FieldLink.h"

#include <QLabel>
#include <QLineEdit>

#include "platform/os/NumberFormat.h"

namespace ui {

FieldLink::FieldLink(QWidget* control, db::Dataset* dataset, std::string field)
    : control_(control), field_(std::move(field)) {
    if (dataset) dataset->AttachLink(this);
    Refresh();
}

FieldLink::~FieldLink() {
    if (LinkedDataSet()) LinkedDataSet()->DetachLink(this);
}

QString FieldLink::Text() const {
    db::Dataset* ds = LinkedDataSet();
    if (!ds || !ds->Active() || ds->IsEmpty()) return {};
    db::Field* f = ds->FindField(field_);
    return f ? QString::fromStdString(f->AsString()) : QString();
}

void FieldLink::Refresh() {
    if (!control_) return;
    const QString text = Text();
    if (auto* label = qobject_cast<QLabel*>(control_))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(control_))
        edit->setText(text);
}

std::string TypedFieldText(const db::Field& field, const std::string& typed) {
    const db::FieldType t = field.DataType();
    const bool number = db::IsIntegerType(t) || t == db::FieldType::Float || t == db::FieldType::Currency ||
                        t == db::FieldType::BCD;
    return number ? os::WithoutDigitGroups(typed) : typed;
}

}  // namespace ui
