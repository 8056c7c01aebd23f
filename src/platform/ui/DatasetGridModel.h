// A table model over a dataset for Qt's item views: one row per visible
// record, one column per field given, showing each field's display text and
// editing its edit text. The rows are read into a cache when the
// dataset opens, moves wholesale or changes, so painting never moves the
// dataset's cursor; the view and the dataset follow each other's current row.
// With in-place editing switched on, a cell of a column that is not read-only
// writes its field: the record goes into edit state and stays there until
// PostRow (DatasetGrid posts when the cursor leaves the row). A lookup or
// calculated field, or a field set read-only, is never edited in place. A
// record being inserted shows as a row of its own until it is posted or
// cancelled; PostRow cancels it when nothing was typed into it.
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
    // An item of a pick-list column: the cell stores its code.
    struct PickItem {
        QString code;
        QString text;
    };
    struct Column {
        std::string field;
        QString title;  // empty: the field's display name
        int width = 64;
        bool bold = false;
    };
    // How a column is edited in place.
    struct ColumnEditing {
        bool readOnly = false;           // never edited
        std::vector<PickItem> pickList;  // offered as a drop-down; the cell stores the item's code
        // The cell shows an ellipsis button while editing is on; the button
        // (or Ctrl+Enter) asks the form through EditButtonClicked, and the
        // cell's text is never typed.
        bool ellipsis = false;
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

    // In-place editing (off by default).
    void SetEditing(bool on);
    // Editing of one column (kept until the columns are set again).
    void SetColumnEditing(int column, ColumnEditing editing);
    const ColumnEditing& EditingOf(int column) const { return columnEditing_.at(column); }
    bool Editing() const { return editing_; }
    // Posts the record changed in place; a record being inserted is posted
    // when a field of it was changed and cancelled when none was.
    void PostRow();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Writes the text (a pick-list column: an item's code) into the field of
    // the row's record; the empty text clears the field.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    // The dataset moved to another record (row -1: none).
    void CurrentRowChanged(int row);
    // A post is about to read the fields: an open cell editor hands its text over.
    void UpdatingData();

private:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void RecordChanged(db::Field* field) override;
    void UpdateData() override;
    // The values of the current record's columns.
    std::vector<db::Variant> CurrentValues() const;
    // A cell's text: what the column's field shows of the value.
    // ... as edited when `edit`: by the field's display or edit format.
    QString Text(int column, const db::Variant& value, bool edit = false) const;
    // Rows that hold a stored record (the inserted row is not one).
    int StoredRows() const { return static_cast<int>(bookmarks_.size()) - (insertRow_ >= 0 ? 1 : 0); }

    std::vector<Column> columns_;
    std::vector<ColumnEditing> columnEditing_;
    // The values of every row, spelled only when a cell is shown: a large
    // table's rows are read at once, most of them never painted.
    std::vector<std::vector<db::Variant>> rows_;
    std::vector<db::FieldType> types_;
    std::vector<std::pair<std::string, std::string>> formats_;  // display, edit
    std::vector<db::Bookmark> bookmarks_;
    bool reading_ = false;
    bool editing_ = false;
    int insertRow_ = -1;        // the row of the record being inserted
    int lastRow_ = -1;          // the current row while browsing
    long long generation_ = 0;  // the dataset's records generation the rows were read at
};

}  // namespace ui
