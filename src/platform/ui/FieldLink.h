// Shows one field of a dataset's current record in a label or a line edit and
// follows the dataset as it moves or changes: the display side of the
// forms' data-bound text and edit controls.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "platform/db/Dataset.h"

namespace ui {

class FieldLink : private db::DataLink {
public:
    // `control` is a QLabel or a QLineEdit; the link does not own it.
    FieldLink(QWidget* control, db::Dataset* dataset, std::string field);
    ~FieldLink() override;
    FieldLink(const FieldLink&) = delete;
    FieldLink& operator=(const FieldLink&) = delete;

    // The text shown now.
    QString Text() const;
    void Refresh();

private:
    void ActiveChanged() override { Refresh(); }
    void DataSetChanged() override { Refresh(); }
    void RecordChanged(db::Field*) override { Refresh(); }

    QPointer<QWidget> control_;
    std::string field_;
};

// The text typed into a control of `field`, as the field takes it: a
// number's thousands may be grouped with blanks as the program shows them
// ("250 000" is 250000).
std::string TypedFieldText(const db::Field& field, const std::string& typed);

}  // namespace ui
