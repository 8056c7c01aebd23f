#include "platform/ui/FieldLink.h"

#include <QLabel>
#include <QLineEdit>

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

}  // namespace ui
