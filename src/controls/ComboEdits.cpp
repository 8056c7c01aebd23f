#include "controls/ComboEdits.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <cmath>

#include "controls/ControlUtils.h"
#include "controls/DatePicker.h"
#include "controls/DateUtil.h"
#include "controls/PopupWindow.h"
#include "platform/ui/Dialogs.h"

// --- TEditButton -----------------------------------------------------------------

TEditButton::TEditButton(TCustomComboEdit* edit, QWidget* parent) : TFlatSpeedButton(parent), edit_(edit) {}

void TEditButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && edit_->PopupVisible()) {
        // The press that closes the popup accepts its value; the click that
        // follows must not open it again.
        edit_->ClosePopup(true);
        noAction_ = true;
    } else if (e->button() == Qt::LeftButton && edit_->focusPolicy() & Qt::TabFocus && edit_->isEnabled() &&
               !edit_->hasFocus()) {
        edit_->setFocus(Qt::MouseFocusReason);
    }
    TFlatSpeedButton::mousePressEvent(e);
}

void TEditButton::Click() {
    if (noAction_) {
        noAction_ = false;
        return;
    }
    TFlatSpeedButton::Click();
}

void TEditButton::paintEvent(QPaintEvent* e) {
    TFlatSpeedButton::paintEvent(e);
    if (State() == bsDown) return;
    QPainter p(this);
    p.setPen(palette().color(QPalette::Button));
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(1, 0, 1, height() - 1);
}

QPoint PopupPosition(const QRect& edit, const QSize& popup, const QRect& screen, TPopupAlign align) {
    const int editRight = edit.left() + edit.width();
    const int editBottom = edit.top() + edit.height();
    const int screenRight = screen.left() + screen.width();
    int y = editBottom;
    if (y + popup.height() > screen.top() + screen.height()) y = edit.top() - popup.height();
    int x;
    if (align == epaRight) {
        x = editRight - popup.width();
        if (x < screen.left()) x = edit.left();
    } else {
        x = edit.left();
        if (x + popup.width() > screenRight) x = editRight - popup.width();
    }
    if (x < screen.left())
        x = screen.left();
    else if (x + popup.width() > screenRight)
        x = screenRight - popup.width();
    return {x, y};
}

// --- TCustomComboEdit --------------------------------------------------------------

TCustomComboEdit::TCustomComboEdit(QWidget* parent) : QLineEdit(parent) {
    resize(width(), 21);
    container_ = new QWidget(this);
    button_ = new TEditButton(this, container_);
    button_->OnClick = [this] { ButtonClicked(); };
    container_->resize(21, 17);
    button_->resize(21, 17);
    connect(this, &QLineEdit::textChanged, this, [this] { Change(); });
    PlaceButton();
}

TCustomComboEdit::~TCustomComboEdit() {
    if (popupVisible_) qApp->removeEventFilter(this);
}

QString TCustomComboEdit::Text() const { return displayText(); }

void TCustomComboEdit::SetText(const QString& text) { setText(text); }

void TCustomComboEdit::SetTextQuietly(const QString& text) {
    const bool old = formatting_;
    formatting_ = true;
    setText(text);
    formatting_ = old;
}

void TCustomComboEdit::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    ApplyDirectInput();
}

void TCustomComboEdit::SetDirectInput(bool on) {
    directInput_ = on;
    ApplyDirectInput();
}

void TCustomComboEdit::ApplyDirectInput() { setReadOnly(readOnly_ || !directInput_); }

int TCustomComboEdit::ButtonWidth() const { return container_->isVisibleTo(this) ? button_->width() : 0; }

void TCustomComboEdit::SetButtonWidth(int width) {
    if (width >= this->width() && width > 1) return;  // never wider than the edit
    container_->setVisible(width > 1);
    if (width > 1) {
        container_->resize(width, container_->height());
        button_->resize(width, button_->height());
    }
    PlaceButton();
}

void TCustomComboEdit::SetGlyphKind(TGlyphKind kind) {
    glyphKind_ = kind;
    ApplyGlyph();
}

void TCustomComboEdit::SetGlyph(const QPixmap& glyph) {
    customGlyph_ = glyph;
    glyphKind_ = gkCustom;
    ApplyGlyph();
}

void TCustomComboEdit::SetNumGlyphs(int n) {
    customNumGlyphs_ = n;
    if (glyphKind_ == gkCustom) button_->SetNumGlyphs(n);
}

QString TCustomComboEdit::ButtonHint() const { return button_->toolTip(); }
void TCustomComboEdit::SetButtonHint(const QString& hint) { button_->setToolTip(hint); }

void TCustomComboEdit::ApplyGlyph() {
    switch (glyphKind_) {
        case gkCustom:
            button_->SetGlyph(customGlyph_);
            button_->SetNumGlyphs(customNumGlyphs_);
            break;
        case gkDefault: {
            const QPixmap g = DefaultButtonGlyph();
            button_->SetGlyph(g);
            button_->SetNumGlyphs(DefaultNumGlyphs());
            if (!g.isNull() && ButtonWidth() > 1)
                SetButtonWidth(std::max(g.width() / DefaultNumGlyphs() + 6, ButtonWidth()));
            break;
        }
        case gkDropDown: {
            QPixmap arrow(7, 4);
            arrow.fill(QColor(255, 0, 255));
            QPainter p(&arrow);
            p.setPen(Qt::black);
            for (int r = 0; r < 4; ++r) p.drawLine(r, r, 6 - r, r);
            p.end();
            button_->SetGlyph(arrow);
            button_->SetNumGlyphs(1);
            if (ButtonWidth() > 1) SetButtonWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent));
            break;
        }
        case gkEllipsis: {
            QPixmap dots(std::max(button_->width() - 6, 1), 4);
            dots.fill(Qt::white);
            QPainter p(&dots);
            for (int i = 0; i < 3; ++i) p.fillRect(dots.width() / 2 - 5 + i * 4, 1, 2, 2, Qt::black);
            p.end();
            button_->SetGlyph(dots);
            button_->SetNumGlyphs(1);
            break;
        }
    }
}

void TCustomComboEdit::PlaceButton() {
    const int w = container_->width();
    if (hasFrame())
        container_->setGeometry(width() - w - 2, 2, w, height() - 4);
    else
        container_->setGeometry(width() - w, 0, w, height());
    button_->setGeometry(0, 0, w, container_->height());
    setTextMargins(0, 0, container_->isVisibleTo(this) ? w + 2 : 0, 0);
}

void TCustomComboEdit::resizeEvent(QResizeEvent* e) {
    QLineEdit::resizeEvent(e);
    PlaceButton();
}

void TCustomComboEdit::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) button_->setEnabled(isEnabled());
    if (e->type() == QEvent::LayoutDirectionChange && popup_) popup_->setLayoutDirection(layoutDirection());
    QLineEdit::changeEvent(e);
}

void TCustomComboEdit::ButtonClicked() {
    if (!ReadOnly() || alwaysEnable_) ButtonAction();
}

void TCustomComboEdit::ButtonAction() {
    if (OnButtonClick) OnButtonClick();
    if (!popup_) return;
    if (popupVisible_)
        ClosePopup(true);
    else
        OpenPopup(true);
}

void TCustomComboEdit::SetPopup(TPopupWindow* popup) {
    if (popupVisible_) ClosePopup(false);
    delete popup_;
    popup_ = popup;
}

void TCustomComboEdit::OpenPopup(bool disableEdit) {
    if (!popup_ || ReadOnly() || popupVisible_) return;
    const QRect edit(mapToGlobal(QPoint(0, 0)), size());
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QPoint at = PopupPosition(edit, popup_->size(), s->geometry(), PopupAlign);
    LoadPopupValue(Text().isEmpty() ? QVariant() : QVariant(Text()));
    if (isEnabled() && focusPolicy() != Qt::NoFocus) setFocus(Qt::PopupFocusReason);
    ShowPopupAt(at);
    popupVisible_ = true;
    if (disableEdit) setReadOnly(true);  // a read-only line edit shows no caret
    qApp->installEventFilter(this);
}

void TCustomComboEdit::ClosePopup(bool accept) {
    if (!popupVisible_) return;
    qApp->removeEventFilter(this);
    QVariant value = ReadPopupValue();
    HidePopupWindow();
    if (isEnabled() && focusPolicy() != Qt::NoFocus) setFocus(Qt::PopupFocusReason);
    ApplyDirectInput();
    update();
    if (accept && ConfirmPopupValue(value) && !ReadOnly() && EditCanModify()) {
        TakePopupValue(value);
        if (hasFocus() && directInput_) selectAll();
    }
    popupVisible_ = false;
}

void TCustomComboEdit::ShowPopupAt(const QPoint& origin) {
    popup_->move(origin);
    popup_->show();
}

void TCustomComboEdit::HidePopupWindow() { popup_->hide(); }

void TCustomComboEdit::TakePopupValue(const QVariant& value) {
    if (value.toString() == Text()) return;
    SetText(value.toString());
    setModified(true);
    popupVisible_ = popup_ && popup_->isVisible();
    Change();
}

void TCustomComboEdit::LoadPopupValue(const QVariant& value) {
    if (popup_) popup_->SetValue(value);
}

QVariant TCustomComboEdit::ReadPopupValue() const {
    return popup_ ? popup_->GetValue() : QVariant(QString());
}

bool TCustomComboEdit::eventFilter(QObject* watched, QEvent* event) {
    // A press anywhere but on the edit, its button or the popup cancels the
    // drop-down, as the window system's cancel-mode does.
    if (popupVisible_ && event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        const bool ours =
            w == this || isAncestorOf(w) || (popup_ && (w == popup_ || popup_->isAncestorOf(w)));
        if (!ours) ClosePopup(false);
    }
    return QLineEdit::eventFilter(watched, event);
}

void TCustomComboEdit::mousePressEvent(QMouseEvent* e) {
    if (popupVisible_) {
        ClosePopup(false);
        return;
    }
    QLineEdit::mousePressEvent(e);
}

void TCustomComboEdit::KeyDown(int& key, Qt::KeyboardModifiers mods) {
    if (OnKeyDown) OnKeyDown(key, mods);
}

void TCustomComboEdit::KeyPress(QChar& c) {
    if (popupVisible_ && (c == u'\r' || c == QChar(27))) {
        ClosePopup(c == u'\r');
        c = QChar();
        return;
    }
    if (OnKeyPress) OnKeyPress(c);
}

void TCustomComboEdit::keyPressEvent(QKeyEvent* e) {
    int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers();
    KeyDown(key, mods);
    if (key == 0) {
        e->accept();
        return;
    }
    if (ButtonWidth() > 0 && QKeyCombination(mods & ~Qt::KeypadModifier, Qt::Key(key)) == ClickKey) {
        if (!ReadOnly() || alwaysEnable_) ButtonAction();
        e->accept();
        return;
    }
    const QString text = e->text();
    if (text.size() == 1) {
        QChar c = text[0];
        KeyPress(c);
        if (c.isNull()) {
            e->accept();
            return;
        }
        if (c != text[0]) {
            QKeyEvent changed(e->type(), key, mods, QString(c));
            QLineEdit::keyPressEvent(&changed);
            e->setAccepted(changed.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

void TCustomComboEdit::Change() {
    if (formatting_ || popupVisible_) return;
    if (OnChange) OnChange();
}

void TCustomComboEdit::DoEnter(Qt::FocusReason reason) {
    if (reason != Qt::MouseFocusReason && reason != Qt::PopupFocusReason && directInput_) selectAll();
    if (OnEnter) OnEnter();
}

void TCustomComboEdit::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason && !exiting_)
        DoEnter(e->reason());
}

void TCustomComboEdit::focusOutEvent(QFocusEvent* e) {
    if (popupVisible_ && e->reason() != Qt::PopupFocusReason) ClosePopup(false);
    QLineEdit::focusOutEvent(e);
    // Leaving the window or opening a menu is not leaving the field.
    if (exiting_ || e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
    exiting_ = true;
    const bool ok = DoExit();
    exiting_ = false;
    if (!ok) {
        setFocus(Qt::OtherFocusReason);
        return;
    }
    if (OnExit) OnExit();
}

void TCustomComboEdit::ShowError(const QString& message) {
    ui::MessageBox(ui::ApplicationTitle(), message, ui::Icon::Error, ui::Ok);
}

// --- TCustomDateEdit ---------------------------------------------------------------

namespace {

// "DEDITBMP": two 14 x 12 calendar images, normal and disabled; the
// transparent colour is the bottom-left pixel's.
QPixmap DateEditGlyph() {
    static const QPixmap glyph = [] {
        QImage img(28, 12, QImage::Format_RGB32);
        img.fill(QColor(255, 0, 255));
        QPainter p(&img);
        for (int i = 0; i < 2; ++i) {
            const QColor ink = i == 0 ? QColor(0, 0, 0) : QColor(128, 128, 128);
            const int x0 = i * 14 + 1;
            p.fillRect(x0, 1, 12, 10, i == 0 ? Qt::white : QColor(192, 192, 192));
            p.setPen(ink);
            p.drawRect(x0, 1, 11, 9);
            p.fillRect(x0, 1, 12, 3, i == 0 ? QColor(128, 0, 0) : QColor(128, 128, 128));
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 4; ++c) p.drawPoint(x0 + 2 + c * 2 + (c > 1), 5 + r * 2);
        }
        p.end();
        return QPixmap::fromImage(img);
    }();
    return glyph;
}

}  // namespace

TCustomDateEdit::TCustomDateEdit(QWidget* parent) : TCustomComboEdit(parent) {
    popupColor_ = palette().color(QPalette::Button);
    dateFormat_ = StandardDateFormat(FourDigits()).left(10);
    SetCalendarStyle(csPopup);
    SetGlyphKind(gkDefault);
}

bool TCustomDateEdit::FourDigits() const {
    return yearDigits_ == dyFour || (yearDigits_ == dyDefault && FourDigitYears);
}

bool TCustomDateEdit::HasDateContent() const {
    for (QChar c : Text())
        if (c.isDigit()) return true;
    return false;
}

double TCustomDateEdit::DateValue() const {
    const double fallback = DefaultToday ? os::Today() : EmptyDate;
    return DateByFormatOr(dateFormat_, Text(), fallback);
}

void TCustomDateEdit::SetDateValue(double x) {
    if (x == EmptyDate || !DateTimeValid(x)) x = DefaultToday ? os::Today() : EmptyDate;
    const double old = DateValue();
    SetText(x != EmptyDate ? FormatDateByFormat(dateFormat_, x) : QString());
    setModified(DateValue() != old);
}

void TCustomDateEdit::SetDateAndSelect(double date) {
    SetDateValue(date);
    if (DirectInput()) selectAll();
}

void TCustomDateEdit::RebuildMask() {
    const double d = DateValue();
    const QString old = dateFormat_;
    dateFormat_ = StandardDateFormat(FourDigits()).left(10);
    const QString mask = QtEditMask(StandardDateMask(blanksChar_, FourDigits()));
    if (mask != inputMask() || old != dateFormat_) {
        setInputMask(QString());
        setInputMask(mask);
    }
    ApplyCalendarSettings();
    SetDateValue(d);
}

bool TCustomDateEdit::ValidateDateText() {
    if (!HasDateContent()) return true;
    formatting_ = true;
    try {
        SetDateValue(DateByFormat(dateFormat_, Text()));
    } catch (const DateConversionError& e) {
        formatting_ = false;
        if (isEnabled() && focusPolicy() != Qt::NoFocus) setFocus();
        ShowError(QString::fromStdString(e.what()));
        return false;
    }
    formatting_ = false;
    return true;
}

bool TCustomDateEdit::DoExit() { return !CheckOnExit || ValidateDateText(); }

void TCustomDateEdit::SetBlanksChar(QChar c) {
    blanksChar_ = c < u' ' ? QChar(u' ') : c;
    RebuildMask();
}

void TCustomDateEdit::SetYearDigits(TYearDigits d) {
    yearDigits_ = d;
    RebuildMask();
}

void TCustomDateEdit::SetStartOfWeek(TDayOfWeekName d) {
    startOfWeek_ = d;
    ApplyCalendarSettings();
}

void TCustomDateEdit::SetWeekends(TDaysOfWeek w) {
    weekends_ = w;
    ApplyCalendarSettings();
}

void TCustomDateEdit::SetWeekendColor(QColor c) {
    weekendColor_ = c;
    ApplyCalendarSettings();
}

void TCustomDateEdit::SetCalendarHints(const QStringList& hints) {
    hints_ = hints.mid(0, 4);
    ApplyCalendarSettings();
}

void TCustomDateEdit::SetPopupColor(QColor c) {
    popupColor_ = c;
    if (calendar_) {
        QPalette pal = calendar_->palette();
        pal.setColor(QPalette::Window, c);
        calendar_->setPalette(pal);
        calendar_->setAutoFillBackground(true);
    }
}

void TCustomDateEdit::SetCalendarStyle(TCalendarStyle style) {
    if (style == CalendarStyle()) return;
    if (style == csDialog) {
        SetPopup(nullptr);
        calendar_ = nullptr;
        return;
    }
    calendar_ = new TPopupCalendar(this);
    SetPopup(calendar_);
    SetPopupColor(popupColor_);
    ApplyCalendarSettings();
}

void TCustomDateEdit::ApplyCalendarSettings() {
    if (calendar_)
        calendar_->ApplyCalendarSettings(FourDigits(), startOfWeek_, weekends_, weekendColor_, hints_);
}

QPixmap TCustomDateEdit::DefaultButtonGlyph() const { return DateEditGlyph(); }

bool TCustomDateEdit::ConfirmPopupValue(QVariant& value) {
    if (!OnAcceptDate) return true;
    double d = EmptyDate;
    if (value.isValid() && !value.isNull()) {
        bool ok = false;
        d = value.toDouble(&ok);
        if (!ok) d = DefaultToday ? os::Today() : EmptyDate;
    }
    bool accept = true;
    OnAcceptDate(d, accept);
    if (accept) value = d;
    return accept;
}

void TCustomDateEdit::TakePopupValue(const QVariant& value) {
    SetDateValue(value.isNull() || !value.isValid() ? EmptyDate : value.toDouble());
    popupVisible_ = Popup() && Popup()->isVisible();
    if (Modified()) Change();
}

void TCustomDateEdit::LoadPopupValue(const QVariant& value) {
    TCustomComboEdit::LoadPopupValue(DateByFormatOr(dateFormat_, value.toString(), os::Today()));
}

void TCustomDateEdit::KeyDown(int& key, Qt::KeyboardModifiers mods) {
    const bool keypad = mods & Qt::KeypadModifier;
    const bool plusMinus = keypad && (key == Qt::Key_Plus || key == Qt::Key_Minus);
    if (popupVisible_ && (key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Left ||
                          key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down || plusMinus)) {
        Popup()->KeyDownFromEdit(key, mods);
        key = 0;
    } else if (!popupVisible_ && plusMinus &&
               !(mods & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) && DirectInput() &&
               !ReadOnly()) {
        SetDateAndSelect(DateOrDefault(DateValue(), os::Now()) + (key == Qt::Key_Plus ? 1 : -1));
        key = 0;
    }
    TCustomComboEdit::KeyDown(key, mods);
}

void TCustomDateEdit::KeyPress(QChar& c) {
    const bool ours = c == u'+' || c == u'-' || c == u'T' || c == u't';
    if (ours && popupVisible_) {
        Popup()->KeyPressFromEdit(c);
        c = QChar();
    } else if (ours && DirectInput()) {
        if ((c == u'T' || c == u't') && !ReadOnly()) SetDateAndSelect(os::Today());
        c = QChar();
    }
    if (!c.isNull()) TCustomComboEdit::KeyPress(c);
}

void TCustomDateEdit::ButtonAction() {
    TCustomComboEdit::ButtonAction();
    if (calendar_) return;
    double d = DateValue();
    const bool ok = ChooseDateDialog(d, DialogTitle, startOfWeek_, weekends_, weekendColor_, hints_);
    if (isEnabled() && focusPolicy() != Qt::NoFocus) setFocus();
    if (!ok) return;
    bool accept = true;
    if (OnAcceptDate) OnAcceptDate(d, accept);
    if (!accept) return;
    SetDateValue(d);
    if (hasFocus() && DirectInput()) selectAll();
}

QSize TCustomDateEdit::minimumSizeHint() const {
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const QMargins m = textMargins();
    // The line edit keeps two pixels each side and one for the caret.
    const int text =
        fontMetrics().horizontalAdvance(FormatDateByFormat(dateFormat_, os::EncodeDate(2000, 12, 28)));
    QSize s = QLineEdit::minimumSizeHint();
    s.setWidth(std::max(s.width(), text + m.left() + m.right() + 2 * frame + 5));
    return s;
}

QSize TCustomDateEdit::sizeHint() const {
    QSize s = QLineEdit::sizeHint();
    s.setWidth(minimumSizeHint().width());
    return s;
}

void TCustomDateEdit::changeEvent(QEvent* e) {
    // The regional settings changed: the layout of the date may have too.
    if (e->type() == QEvent::LocaleChange) RebuildMask();
    TCustomComboEdit::changeEvent(e);
}

TDateEdit::TDateEdit(QWidget* parent) : TCustomDateEdit(parent) { RebuildMask(); }
