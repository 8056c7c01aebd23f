#include "platform/ui/DatasetGrid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace ui {

namespace {

// Edits a pick-list column with a drop-down of its items' texts and stores
// the chosen item's code; other columns get the usual line edit.
class PickListDelegate : public QStyledItemDelegate {
public:
    PickListDelegate(DatasetGridModel* model, QObject* parent) : QStyledItemDelegate(parent), model_(model) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        const auto& items = Items(index);
        if (items.empty()) return QStyledItemDelegate::createEditor(parent, option, index);
        auto* box = new QComboBox(parent);
        for (const DatasetGridModel::PickItem& item : items) box->addItem(item.text);
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* box = qobject_cast<QComboBox*>(editor);
        if (!box) return QStyledItemDelegate::setEditorData(editor, index);
        const QString code = index.data(Qt::EditRole).toString();
        const auto& items = Items(index);
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].code == code) box->setCurrentIndex(int(i));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        auto* box = qobject_cast<QComboBox*>(editor);
        if (!box) return QStyledItemDelegate::setModelData(editor, model, index);
        const auto& items = Items(index);
        const int i = box->currentIndex();
        if (i >= 0 && i < int(items.size()) && items[i].code != index.data(Qt::EditRole).toString())
            model->setData(index, items[i].code);
    }

private:
    const std::vector<DatasetGridModel::PickItem>& Items(const QModelIndex& index) const {
        return model_->EditingOf(index.column()).pickList;
    }
    DatasetGridModel* model_;
};

}  // namespace

DatasetGrid::DatasetGrid(QWidget* parent) : QTableView(parent), model_(new DatasetGridModel(this)) {
    setModel(model_);
    setItemDelegate(new PickListDelegate(model_, this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setVisible(false);
    connect(model_, &DatasetGridModel::CurrentRowChanged, this, &DatasetGrid::FollowDataset);
}

DatasetGrid::~DatasetGrid() {
    disconnect(model_, nullptr, this, nullptr);
    model_->SetDataSet(nullptr);
}

void DatasetGrid::SetColumns(std::vector<DatasetGridModel::Column> columns) {
    model_->SetColumns(std::move(columns));
    for (int i = 0; i < int(model_->Columns().size()); ++i) setColumnWidth(i, model_->Columns()[i].width);
}

void DatasetGrid::SetEditing(bool on) {
    const int column = std::max(currentIndex().column(), 0);
    model_->SetEditing(on);
    setEditTriggers(on ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::SelectedClicked
                       : QAbstractItemView::NoEditTriggers);
    FollowDataset(model_->CurrentRow());
    if (model_->CurrentRow() >= 0) setCurrentIndex(model_->index(model_->CurrentRow(), column));
}

void DatasetGrid::FollowDataset(int row) {
    if (row < 0 || following_) return;
    following_ = true;
    const int column = std::max(currentIndex().column(), 0);
    setCurrentIndex(model_->index(row, column));
    following_ = false;
}

void DatasetGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (following_ || !current.isValid() || current.row() == previous.row()) return;
    following_ = true;
    // Leaving a row posts what was changed in it.
    try {
        model_->PostRow();
        model_->GotoRow(current.row());
    } catch (...) {
        following_ = false;
        throw;
    }
    following_ = false;
}

void DatasetGrid::keyPressEvent(QKeyEvent* event) {
    const QModelIndex index = currentIndex();
    if (model_->Editing() && index.isValid() && state() != EditingState && !event->text().isEmpty() &&
        event->text()[0].isPrint()) {
        const auto& items = model_->EditingOf(index.column()).pickList;
        if (!items.empty()) {
            // A pick-list column holds only its items' codes.
            for (const DatasetGridModel::PickItem& item : items)
                if (item.code == event->text()) model_->setData(index, item.code);
            return;
        }
        if (model_->flags(index) & Qt::ItemIsEditable) {
            edit(index, AnyKeyPressed, event);
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

}  // namespace ui
