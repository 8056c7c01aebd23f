// The combo edit family: a masked single-line edit with a small button at its
// right edge and an optional drop-down window, and on it the date edit whose
// text follows the date mask ("    .  .  " when empty) and whose button drops
// down the calendar or opens the date dialog.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QVariant>
#include <functional>

#include "controls/DateUtil.h"
#include "controls/SpeedButtons.h"

class TCustomComboEdit;
class TPopupCalendar;
class TPopupWindow;

enum TPopupAlign { epaRight, epaLeft };
enum TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };
enum TYearDigits { dyDefault, dyFour, dyTwo };
enum TCalendarStyle { csPopup, csDialog };

// The button embedded in a combo edit; it ignores the click that follows a
// press which closed its edit's popup.
class TEditButton : public TFlatSpeedButton {
    Q_OBJECT
public:
    explicit TEditButton(TCustomComboEdit* edit, QWidget* parent);
    void Click() override;

protected:
    void mousePressEvent(QMouseEvent*) override;
    void paintEvent(QPaintEvent*) override;

private:
    TCustomComboEdit* edit_;
    bool noAction_ = false;
};

// Where a drop-down of `popup` opens for an edit at `edit` (screen
// coordinates) on `screen`: below the edit, or above it when it would pass
// the screen's bottom; aligned by `align`, kept on the screen.
QPoint PopupPosition(const QRect& edit, const QSize& popup, const QRect& screen, TPopupAlign align);

class TCustomComboEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TCustomComboEdit(QWidget* parent = nullptr);
    ~TCustomComboEdit() override;

    // The text as the masked edit holds it, blanks and separators included.
    QString Text() const;
    virtual void SetText(const QString& text);

    bool Modified() const { return isModified(); }
    void SetModified(bool m) { setModified(m); }

    // The control's own read-only flag; the window refuses typing while it is
    // set or DirectInput is off.
    virtual bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    bool DirectInput() const { return directInput_; }
    void SetDirectInput(bool on);

    int ButtonWidth() const;
    void SetButtonWidth(int width);  // 0 or 1 hides the button
    TEditButton* Button() const { return button_; }
    TGlyphKind GlyphKind() const { return glyphKind_; }
    void SetGlyphKind(TGlyphKind kind);
    void SetGlyph(const QPixmap& glyph);  // switches to gkCustom
    void SetNumGlyphs(int n);
    QString ButtonHint() const;
    void SetButtonHint(const QString& hint);

    TPopupAlign PopupAlign = epaRight;
    QKeyCombination ClickKey = QKeyCombination(Qt::AltModifier, Qt::Key_Down);
    bool PopupVisible() const { return popupVisible_; }
    TPopupWindow* Popup() const { return popup_; }

    void OpenPopup(bool disableEdit);
    void ClosePopup(bool accept);
    virtual void ButtonAction();

    // Events as the forms attach them. A key handler may set the key to 0 (or
    // the character to NUL) to consume it.
    std::function<void()> OnChange, OnExit, OnEnter, OnButtonClick;
    std::function<void(int& key, Qt::KeyboardModifiers shift)> OnKeyDown;
    std::function<void(QChar& key)> OnKeyPress;

protected:
    // The default image of the button (gkDefault).
    virtual QPixmap DefaultButtonGlyph() const { return {}; }
    virtual int DefaultNumGlyphs() const { return 1; }
    virtual void ShowPopupAt(const QPoint& origin);
    virtual void HidePopupWindow();
    virtual bool ConfirmPopupValue(QVariant& value) { return true; }
    virtual void TakePopupValue(const QVariant& value);
    virtual void LoadPopupValue(const QVariant& value);
    virtual QVariant ReadPopupValue() const;
    // May a popup value be written (the data-bound edit asks its dataset).
    virtual bool EditCanModify() { return true; }
    void SetPopup(TPopupWindow* popup);  // takes ownership
    bool alwaysEnable_ = false;
    bool formatting_ = false;  // suppresses the change notification
    bool popupVisible_ = false;

    // The key chain: KeyDown (own handling, then OnKeyDown), the ClickKey
    // test, KeyPress (own handling, then OnKeyPress), then the edit itself.
    virtual void KeyDown(int& key, Qt::KeyboardModifiers mods);
    virtual void KeyPress(QChar& c);
    // Runs when the text changed; fires OnChange unless suppressed.
    virtual void Change();
    // Leaving: false keeps the focus in the edit and skips OnExit.
    virtual bool DoExit() { return true; }
    virtual void DoEnter(Qt::FocusReason reason);
    // Writes the text without the change notification.
    void SetTextQuietly(const QString& text);
    // Shows an error the way the application shows an exception.
    static void ShowError(const QString& message);

    void keyPressEvent(QKeyEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void changeEvent(QEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PlaceButton();
    void ApplyDirectInput();
    void ButtonClicked();
    void ApplyGlyph();

    QWidget* container_;
    TEditButton* button_;
    TPopupWindow* popup_ = nullptr;
    bool readOnly_ = false, directInput_ = true;
    TGlyphKind glyphKind_ = gkCustom;
    QPixmap customGlyph_;
    int customNumGlyphs_ = 1;
    bool exiting_ = false;
};

class TCustomDateEdit : public TCustomComboEdit {
    Q_OBJECT
public:
    explicit TCustomDateEdit(QWidget* parent = nullptr);

    // The date of the text, EmptyDate when empty or unreadable (today with
    // DefaultToday). Writing shows the date, an empty text for EmptyDate or an
    // invalid value, and sets Modified when the value changed.
    double DateValue() const;
    void SetDateValue(double date);
    virtual void SetDateAndSelect(double date);
    virtual void RebuildMask();
    // Reads the text by the date format; an unreadable text shows the error,
    // keeps the focus and answers false.
    bool ValidateDateText();
    QString DateFormat() const { return dateFormat_; }
    // The text holds at least one digit.
    bool HasDateContent() const;

    QChar BlanksChar() const { return blanksChar_; }
    void SetBlanksChar(QChar c);
    TYearDigits YearDigits() const { return yearDigits_; }
    void SetYearDigits(TYearDigits d);
    TDayOfWeekName StartOfWeek() const { return startOfWeek_; }
    void SetStartOfWeek(TDayOfWeekName d);
    TDaysOfWeek Weekends() const { return weekends_; }
    void SetWeekends(TDaysOfWeek w);
    QColor WeekendColor() const { return weekendColor_; }
    void SetWeekendColor(QColor c);
    QStringList CalendarHints() const { return hints_; }
    void SetCalendarHints(const QStringList& hints);  // the first four lines stay
    QColor PopupColor() const { return popupColor_; }
    void SetPopupColor(QColor c);
    TCalendarStyle CalendarStyle() const { return calendar_ ? csPopup : csDialog; }
    TPopupCalendar* PopupCalendar() const { return calendar_; }
    void SetCalendarStyle(TCalendarStyle style);
    QString DialogTitle = QStringLiteral("Select a Date");
    bool DefaultToday = false;
    bool CheckOnExit = false;
    std::function<void(double& date, bool& accept)> OnAcceptDate;

    void ButtonAction() override;
    // Wide enough for a whole date beside the button in the current font.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    QPixmap DefaultButtonGlyph() const override;
    int DefaultNumGlyphs() const override { return 2; }
    bool ConfirmPopupValue(QVariant& value) override;
    void TakePopupValue(const QVariant& value) override;
    void LoadPopupValue(const QVariant& value) override;
    void KeyDown(int& key, Qt::KeyboardModifiers mods) override;
    void KeyPress(QChar& c) override;
    bool DoExit() override;
    void changeEvent(QEvent*) override;
    bool FourDigits() const;
    void ApplyCalendarSettings();
    QString dateFormat_;

private:
    TPopupCalendar* calendar_ = nullptr;
    QChar blanksChar_ = u' ';
    TYearDigits yearDigits_ = dyDefault;
    TDayOfWeekName startOfWeek_ = Mon;
    TDaysOfWeek weekends_ = 1u << Sun;
    QColor weekendColor_ = Qt::red;
    QStringList hints_;
    QColor popupColor_;
};

class TDateEdit : public TCustomDateEdit {
    Q_OBJECT
public:
    explicit TDateEdit(QWidget* parent = nullptr);
};
