// What the two pick lists share: the disabled edit that shows the text typed,
// the grid over a dataset that follows its current row, the type-ahead with
// the timer that clears the typed text ten ticks after the last key, and the
// keys (Enter chooses, Esc cancels, the arrow and page keys make the real
// table follow). A pick list says how to search and how to position its
// real table.
#pragma once

#include <QDialog>
#include <memory>

class QLineEdit;
class QTableView;
class QTimer;
namespace ui {
class DatasetGridModel;
}

class PickListDialog : public QDialog {
    Q_OBJECT
public:
    explicit PickListDialog(QWidget* parent = nullptr);
    ~PickListDialog() override;

    // The type-ahead: one character typed (Backspace removes the last one).
    virtual void TypeAhead(QChar c);
    // One tick of Timer1.
    void Timer1Timer();
    // Widths are given in pixels of a dialog font whose digits are 5 pixels
    // wide; this font's wider digits scale them.
    int Px(int designPixels) const;

    QLineEdit* Edit1 = nullptr;
    QTableView* DBGrid1 = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    // Finds the typed text (an empty text: the first row).
    virtual void Search(const QString& text) = 0;
    // Positions the real table on the highlighted row.
    virtual void Position() = 0;

    // Height for the rows the list holds (at least a few), up to `most`
    // pixels: a short list is not shown in a tall window.
    void FitRows(int most);
    // The set-up's part of showing: clears the typed text and the choice.
    void ResetOnShow();
    // Enter or a choosing click: position, mark the row chosen, close.
    void Choose();
    void FollowDataset(int row);
    // The typed text after one more key: Backspace removes the last character.
    static QString TypedText(QString text, QChar c);
    // Restarts the count of ticks after a key; the timer runs.
    void RestartTimer();
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::unique_ptr<ui::DatasetGridModel> model_;
    bool chosen_ = false;
    int ticks_ = 0;
    double scale_ = 1;
};
