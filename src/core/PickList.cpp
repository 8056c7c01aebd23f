#include "core/PickList.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <algorithm>

#include "platform/ui/DatasetGridModel.h"

PickListDialog::PickListDialog(QWidget* parent)
    : QDialog(parent), model_(std::make_unique<ui::DatasetGridModel>()) {
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setEnabled(false);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName("DBGrid1");
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setTabKeyNavigation(false);
    DBGrid1->verticalHeader()->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 4);
    DBGrid1->verticalHeader()->setFixedWidth(12);  // the row indicator
    DBGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGrid1->horizontalHeader()->setSectionsClickable(true);
    DBGrid1->horizontalHeader()->setHighlightSections(false);
    DBGrid1->setModel(model_.get());
    scale_ = std::max(1.0, DBGrid1->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) / 50.0);
    DBGrid1->installEventFilter(this);
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &PickListDialog::Timer1Timer);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && current.row() != model_->CurrentRow())
                    model_->GotoRow(current.row());
            });
    connect(model_.get(), &ui::DatasetGridModel::CurrentRowChanged, this, &PickListDialog::FollowDataset);
}

PickListDialog::~PickListDialog() { model_->SetDataSet(nullptr); }

int PickListDialog::Px(int designPixels) const { return static_cast<int>(designPixels * scale_ + 0.5); }

void PickListDialog::FitRows(int most) {
    if (layout()) layout()->activate();
    const int rows = std::max(model_->rowCount(), 3);
    const int grid = DBGrid1->horizontalHeader()->sizeHint().height() +
                     rows * DBGrid1->verticalHeader()->defaultSectionSize() + 2 * DBGrid1->frameWidth() +
                     DBGrid1->horizontalScrollBar()->sizeHint().height();
    const int around = std::max(0, sizeHint().height() - DBGrid1->sizeHint().height());
    resize(width(), std::min(around + grid, most));
}

void PickListDialog::ResetOnShow() {
    Edit1->clear();
    chosen_ = false;
    ticks_ = 0;
    DBGrid1->setFocus();
}

void PickListDialog::Choose() {
    Position();
    chosen_ = true;
    accept();
}

void PickListDialog::FollowDataset(int row) {
    if (row < 0) return;
    const QModelIndex index = model_->index(row, 0);
    if (DBGrid1->currentIndex().row() != row) DBGrid1->setCurrentIndex(index);
    DBGrid1->scrollTo(index);
}

QString PickListDialog::TypedText(QString text, QChar c) {
    if (c == QChar('\b')) {
        text.chop(1);
    } else {
        text += c;
    }
    return text;
}

void PickListDialog::RestartTimer() {
    if (!Timer1->isActive()) Timer1->start();
    ticks_ = 0;
}

void PickListDialog::TypeAhead(QChar c) {
    const QString text = TypedText(Edit1->text(), c);
    Edit1->setText(text);
    Search(text);
    RestartTimer();
    Position();
}

void PickListDialog::Timer1Timer() {
    if (ticks_ == 9) {
        Edit1->clear();
        ticks_ = 0;
        Timer1->stop();
        return;
    }
    ++ticks_;
}

bool PickListDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                Choose();
                return true;
            case Qt::Key_Escape:
                reject();
                return true;
            case Qt::Key_Backspace:
                TypeAhead(QChar('\b'));
                return true;
            default:
                break;
        }
        const QString text = key->text();
        if (!text.isEmpty() && text[0].isPrint()) {
            for (QChar c : text) TypeAhead(c);
            return true;
        }
    }
    if (watched == DBGrid1 && event->type() == QEvent::KeyRelease) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
            case Qt::Key_Up:
            case Qt::Key_Down:
                Position();
                break;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
