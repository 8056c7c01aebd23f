// A table model over a dataset for Qt's item views: one row per visible
// record, one column per field given. The rows are read into a cache when the
// dataset opens, moves wholesale or changes, so painting never moves the
// dataset's cursor; the view and the dataset follow each other's current row.
#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <string>
#include <vector>

#include "platform/db/Dataset.h"

namespace ui {

class DatasetGridModel : public QAbstractTableModel, private db::DataLink {
    Q_OBJECT
public:
    struct Column {
        std::string field;
        QString title;  // empty: the field's display name
        int width = 64;
        bool bold = false;
    };

    explicit DatasetGridModel(QObject* parent = nullptr);
    ~DatasetGridModel() override;

    void SetDataSet(db::Dataset* dataset);  // nullptr detaches
    db::Dataset* DataSet() const { return LinkedDataSet(); }
    void SetColumns(std::vector<Column> columns);
    const std::vector<Column>& Columns() const { return columns_; }
    void SetColumnBold(int column, bool bold);

    // The row of the dataset's current record; -1 when there is none.
    int CurrentRow() const;
    // Makes the record of the row current in the dataset.
    void GotoRow(int row);
    // Re-reads the rows from the dataset.
    void Reload();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // The dataset moved to another record (row -1: none).
    void CurrentRowChanged(int row);

private:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void RecordChanged(db::Field* field) override;

    std::vector<Column> columns_;
    std::vector<std::vector<QString>> rows_;
    std::vector<db::Bookmark> bookmarks_;
    bool reading_ = false;
};

}  // namespace ui
