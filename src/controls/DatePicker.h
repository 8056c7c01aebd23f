// The calendars of the date edits: the month grid, its borderless variant
// that marks today, the drop-down a date edit opens under itself, and the
// modal date dialog. Day and month names are Hungarian.
#pragma once

#include <QDialog>
#include <QLabel>
#include <functional>

#include "controls/DateUtil.h"
#include "controls/PopupWindow.h"
#include "controls/SpeedButtons.h"

class TCustomComboEdit;

class TCalendarGrid : public QWidget {
    Q_OBJECT
public:
    explicit TCalendarGrid(QWidget* parent = nullptr);

    double CalendarDate() const { return date_; }
    void SetCalendarDate(double date);
    int Year() const;
    int Month() const;
    int Day() const;
    void SetYear(int v);
    void SetMonth(int v);
    void SetDay(int v);
    bool ReadOnly = false;
    TDayOfWeekName StartOfWeek() const { return startOfWeek_; }
    void SetStartOfWeek(TDayOfWeekName d);
    bool UseCurrentDate() const { return useCurrentDate_; }
    void SetUseCurrentDate(bool on);
    TDaysOfWeek Weekends = 1u << Sun;
    QColor WeekendColor = Qt::red;

    void YearBack();
    void YearForward();
    void MonthBack();
    void MonthForward();
    void ShiftMonth(int delta);
    int DaysInShownMonth() const;
    // Row 0 the weekday names; other rows the day numbers, empty outside the month.
    QString CellCaption(int column, int row) const;
    int MonthColumnOffset() const { return monthColumnOffset_; }
    int SelectedColumn() const { return col_; }
    int SelectedRow() const { return row_; }
    // Moves the selection when the cell may be selected.
    bool SelectCell(int column, int row);
    QRect CellRect(int column, int row) const;
    QPoint CellAt(const QPoint& pos) const;  // (-1, -1) outside

    std::function<void()> OnChange, OnClick, OnDblClick;

    // The grid's key and character handling (the drop-down forwards to them).
    void HandleKey(int key, Qt::KeyboardModifiers mods);
    void HandleChar(QChar c);

protected:
    void paintEvent(QPaintEvent*) override;
    virtual void PaintCell(QPainter& p, int column, int row, const QRect& r);
    void mousePressEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    bool showVerticalLines_ = true, showHorizontalLines_ = true, fixedRowLineOnly_ = false;
    QColor fixedColor_;

private:
    void RelayoutGrid(bool dayOnly);
    void ChangeDate(double date, bool dayOnly);

    double date_;
    TDayOfWeekName startOfWeek_ = Mon;
    bool useCurrentDate_ = true;
    int monthColumnOffset_ = 0;
    int col_ = 0, row_ = 1;
    bool updating_ = false;
};

// The calendar of the drop-down: flat, no focus of its own, today framed.
class TLocCalendar : public TCalendarGrid {
    Q_OBJECT
public:
    explicit TLocCalendar(QWidget* parent = nullptr);

protected:
    void PaintCell(QPainter& p, int column, int row, const QRect& r) override;
};

class TPopupCalendar : public TPopupWindow {
    Q_OBJECT
public:
    explicit TPopupCalendar(TCustomComboEdit* owner);
    QVariant GetValue() const override;
    void SetValue(const QVariant& value) override;
    void KeyDownFromEdit(int key, Qt::KeyboardModifiers mods) override;
    void KeyPressFromEdit(QChar c) override;
    void ApplyCalendarSettings(bool fourDigitYear, TDayOfWeekName start, TDaysOfWeek weekends, QColor color,
                               const QStringList& hints);
    TLocCalendar* Calendar() const { return calendar_; }
    QLabel* TitleLabel() const { return title_; }
    TTimerSpeedButton* Button(int i) const { return buttons_[i]; }  // 0 prev year .. 3 next year

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RefreshTitle();
    TLocCalendar* calendar_;
    QLabel* title_;
    TTimerSpeedButton* buttons_[4];
    bool fourDigitYear_ = true;
};

class TSelectDateDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSelectDateDlg(QWidget* parent = nullptr);
    double PickedDate() const { return Calendar->CalendarDate(); }
    void ShowDate(double date);

    TCalendarGrid* Calendar;
    QLabel* TitleLabel;
    TTimerSpeedButton *PrevYearBtn, *PrevMonthBtn, *NextMonthBtn, *NextYearBtn;
    QWidget *TopPanel, *BottomPanel;

    void PrevYearBtnClick();
    void NextYearBtnClick();
    void PrevMonthBtnClick();
    void NextMonthBtnClick();
    void CalendarChange();
    void CalendarDblClick();
    void TopPanelDblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Tab and Shift+Tab page the months here instead of moving the focus.
    bool focusNextPrevChild(bool) override { return false; }
};

// Shows the date dialog; true (and `date` the picked date) when confirmed.
bool ChooseDateDialog(double& date, const QString& title, TDayOfWeekName startOfWeek, TDaysOfWeek weekends,
                      QColor weekendColor, const QStringList& hints);

// The arrows of the navigation buttons: "PREV2", "PREV1", "NEXT1", "NEXT2".
QPixmap NavigationGlyph(int index);
