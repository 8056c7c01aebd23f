// The grid over a dataset that forms put on their pages: a table view with
// its own DatasetGridModel, following the dataset's current record and moving
// it as the user moves. With in-place editing on, a changed record is posted
// when the cursor leaves its row; a pick-list column edits through a
// drop-down of its items, and typing an item's code stores that code at once;
// an ellipsis column shows its button in the cell being edited. Before the
// dataset posts, an open cell editor hands its text to the record.
#pragma once

#include <QTableView>
#include <vector>

#include "platform/ui/DatasetGridModel.h"

namespace ui {

class DatasetGrid : public QTableView {
    Q_OBJECT
public:
    explicit DatasetGrid(QWidget* parent = nullptr);
    ~DatasetGrid() override;

    DatasetGridModel* Model() const { return model_; }
    void SetDataSet(db::Dataset* dataset) { model_->SetDataSet(dataset); }
    // Columns with their widths in pixels of a font whose digits are 5 pixels
    // wide: scaled to the grid's font, and at least as wide as the title. The
    // grid asks for the width of all its columns.
    void SetColumns(std::vector<DatasetGridModel::Column> columns);
    QSize sizeHint() const override;
    // Switches in-place editing on or off.
    void SetEditing(bool on);
    // Hands the open cell editor's text to the record and closes the editor.
    void CommitEditor();

signals:
    // The ellipsis button of a column was pressed (or Ctrl+Enter in its cell).
    void EditButtonClicked(int column);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FollowDataset(int row);

    DatasetGridModel* model_;
    bool following_ = false;
    int columnsWidth_ = 0;  // all columns, up to a screen's width
};

}  // namespace ui
