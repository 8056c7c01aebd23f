// A label showing one field of the current record of a data source: it
// follows the source as it moves, opens, closes or changes dataset.
#pragma once

#include <QLabel>

#include "controls/DBDateEdits.h"

class TDBText : public QLabel {
    Q_OBJECT
public:
    explicit TDBText(QWidget* parent = nullptr);

    db::DataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(db::DataSource* source) { link_.SetDataSource(source); }
    QString DataField() const { return QString::fromStdString(link_.FieldName()); }
    void SetDataField(const QString& name) { link_.SetFieldName(name.toStdString()); }

private:
    void DataChange();

    TFieldDataLink link_;
};
