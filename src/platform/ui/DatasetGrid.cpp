#include "platform/ui/DatasetGrid.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolButton>

namespace ui {

namespace {

// Edits a pick-list column with a drop-down of its items' texts and stores
// the chosen item's code; an ellipsis column gets its text and the button;
// other columns get the usual line edit.
class PickListDelegate : public QStyledItemDelegate {
public:
    PickListDelegate(DatasetGridModel* model, DatasetGrid* grid)
        : QStyledItemDelegate(grid), model_(model), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (model_->EditingOf(index.column()).ellipsis) {
            auto* cell = new QWidget(parent);
            cell->setAutoFillBackground(true);
            auto* layout = new QHBoxLayout(cell);
            layout->setContentsMargins(0, 0, 0, 0);
            layout->setSpacing(0);
            layout->addWidget(new QLabel(index.data().toString(), cell), 1);
            auto* button = new QToolButton(cell);
            button->setObjectName("EllipsisButton");
            button->setText(QStringLiteral("..."));
            layout->addWidget(button);
            const int column = index.column();
            DatasetGrid* grid = grid_;
            QObject::connect(button, &QToolButton::clicked, grid,
                             [grid, column] { emit grid->EditButtonClicked(column); });
            return cell;
        }
        const auto& items = Items(index);
        if (items.empty()) return QStyledItemDelegate::createEditor(parent, option, index);
        auto* box = new QComboBox(parent);
        for (const DatasetGridModel::PickItem& item : items) box->addItem(item.text);
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (model_->EditingOf(index.column()).ellipsis) {
            if (auto* text = editor->findChild<QLabel*>()) text->setText(index.data().toString());
            return;
        }
        auto* box = qobject_cast<QComboBox*>(editor);
        if (!box) return QStyledItemDelegate::setEditorData(editor, index);
        const QString code = index.data(Qt::EditRole).toString();
        const auto& items = Items(index);
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].code == code) box->setCurrentIndex(int(i));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (model_->EditingOf(index.column()).ellipsis) return;
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
    DatasetGrid* grid_;
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
    connect(model_, &DatasetGridModel::UpdatingData, this, &DatasetGrid::CommitEditor);
}

void DatasetGrid::CommitEditor() {
    QWidget* editor = indexWidget(currentIndex());
    if (!editor) return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

DatasetGrid::~DatasetGrid() {
    disconnect(model_, nullptr, this, nullptr);
    model_->SetDataSet(nullptr);
}

void DatasetGrid::SetColumns(std::vector<DatasetGridModel::Column> columns) {
    model_->SetColumns(std::move(columns));
    // Widths are given for a font whose digits are 5 pixels wide: scaled to
    // this one, and never narrower than the title.
    const double scale = std::max(1.0, fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) / 50.0);
    const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader()) + 4;
    for (int i = 0; i < int(model_->Columns().size()); ++i) {
        QFont font = horizontalHeader()->font();
        font.setBold(model_->Columns()[i].bold);
        const QString title = model_->headerData(i, Qt::Horizontal).toString();
        const int titleWidth = QFontMetrics(font).horizontalAdvance(title) + margins;
        setColumnWidth(i, std::max(static_cast<int>(model_->Columns()[i].width * scale + 0.5), titleWidth));
    }
    // A form opens wide enough to show every column, up to a width that
    // still fits the screen; beyond it the grid scrolls.
    int total = 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    for (int i = 0; i < int(model_->Columns().size()); ++i) total += columnWidth(i);
    constexpr int kWidestWanted = 800;
    columnsWidth_ = std::min(total, kWidestWanted);
    updateGeometry();
}

void DatasetGrid::showEvent(QShowEvent* event) {
    // A first showing limits a window to two thirds of the screen: a grid of
    // a few columns insists on them, whatever minimum its form set before.
    constexpr int kWidestInsisted = 640;
    if (columnsWidth_ <= kWidestInsisted && minimumWidth() < columnsWidth_) setMinimumWidth(columnsWidth_);
    QTableView::showEvent(event);
}

QSize DatasetGrid::sizeHint() const {
    const QSize hint = QTableView::sizeHint();
    return {std::max(hint.width(), columnsWidth_), hint.height()};
}

void DatasetGrid::SetEditing(bool on) {
    if (!on) CommitEditor();  // what was typed reaches the record first
    const int column = std::max(currentIndex().column(), 0);
    model_->SetEditing(on);
    setEditTriggers(on ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::SelectedClicked | QAbstractItemView::AnyKeyPressed
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
    if (model_->Editing() && index.isValid() && model_->EditingOf(index.column()).ellipsis &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & Qt::ControlModifier)) {
        emit EditButtonClicked(index.column());
        return;
    }
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
