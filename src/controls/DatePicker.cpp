#include "controls/DatePicker.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <cmath>

#include "controls/DateUtil.h"
#include "platform/ui/Dialogs.h"

namespace {

QString MonthTitle(double date) {
    const os::YMD d = os::DecodeDate(date);
    return CalendarLocale().monthName(d.month, QLocale::LongFormat) + ", " + QString::number(d.year);
}

// The tooltip part of a hint ("Previous Year|" -> "Previous Year").
QString ShortHint(const QString& hint) { return hint.section(u'|', 0, 0); }

const char* const kNavigationHints[] = {"Previous Year|", "Previous Month|", "Next Month|", "Next Year|"};

}  // namespace

QPixmap NavigationGlyph(int index) {
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(Qt::white);
    const bool left = index < 2;
    const bool twice = index == 0 || index == 3;
    for (int arrow = 0; arrow < (twice ? 2 : 1); ++arrow) {
        const int base = (twice ? 0 : 2) + arrow * 3;
        for (int c = 0; c < 3; ++c)
            for (int r = 2 - c; r <= 3 + c; ++r) {
                const int x = base + c;
                img.setPixel(left ? x : 7 - x, r, qRgb(0, 0, 0));
            }
    }
    return QPixmap::fromImage(img);
}

// --- TCalendarGrid -------------------------------------------------------------------

TCalendarGrid::TCalendarGrid(QWidget* parent) : QWidget(parent), date_(os::Today()) {
    setFocusPolicy(Qt::StrongFocus);
    fixedColor_ = palette().color(QPalette::Button);
    RelayoutGrid(false);
}

int TCalendarGrid::Year() const { return os::DecodeDate(date_).year; }
int TCalendarGrid::Month() const { return os::DecodeDate(date_).month; }
int TCalendarGrid::Day() const { return os::DecodeDate(date_).day; }

int TCalendarGrid::DaysInShownMonth() const { return os::DaysInMonth(Year(), Month()); }

void TCalendarGrid::SetCalendarDate(double date) {
    if (date == date_) return;
    date_ = date;
    RelayoutGrid(false);
    if (OnChange) OnChange();
}

void TCalendarGrid::ChangeDate(double date, bool dayOnly) {
    date_ = date;
    useCurrentDate_ = false;
    RelayoutGrid(dayOnly);
    if (OnChange) OnChange();
}

void TCalendarGrid::SetYear(int v) {
    if (v < 1 || v == Year()) return;
    double d;
    if (!os::TryEncodeDate(v, Month(), std::min(Day(), os::DaysInMonth(v, Month())), d)) return;
    ChangeDate(d, false);
}

void TCalendarGrid::SetMonth(int v) {
    if (v < 1 || v > 12 || v == Month()) return;
    ChangeDate(os::EncodeDate(Year(), v, std::min(Day(), os::DaysInMonth(Year(), v))), false);
}

void TCalendarGrid::SetDay(int v) {
    if (v < 1 || v > DaysInShownMonth() || v == Day()) return;
    ChangeDate(os::EncodeDate(Year(), Month(), v), true);
}

void TCalendarGrid::SetStartOfWeek(TDayOfWeekName d) {
    startOfWeek_ = d;
    RelayoutGrid(false);
}

void TCalendarGrid::SetUseCurrentDate(bool on) {
    useCurrentDate_ = on;
    if (on) SetCalendarDate(os::Today());
}

void TCalendarGrid::YearBack() {
    if (Month() == 2 && Day() == 29) SetDay(28);
    SetYear(Year() - 1);
}

void TCalendarGrid::YearForward() {
    if (Month() == 2 && Day() == 29) SetDay(28);
    SetYear(Year() + 1);
}

void TCalendarGrid::MonthBack() { ShiftMonth(-1); }
void TCalendarGrid::MonthForward() { ShiftMonth(1); }

void TCalendarGrid::ShiftMonth(int delta) { SetCalendarDate(os::IncMonth(std::floor(date_), delta)); }

QString TCalendarGrid::CellCaption(int column, int row) const {
    if (row == 0) {
        const int d = (column + int(startOfWeek_)) % 7;  // Sunday = 0
        return CalendarLocale().dayName(d == 0 ? 7 : d, QLocale::ShortFormat);
    }
    const int n = column + monthColumnOffset_ + 7 * (row - 1);
    return n >= 1 && n <= DaysInShownMonth() ? QString::number(n) : QString();
}

void TCalendarGrid::RelayoutGrid(bool dayOnly) {
    updating_ = true;
    const int w = os::DayOfWeek(os::EncodeDate(Year(), Month(), 1));  // Sunday = 1
    monthColumnOffset_ = 2 - ((w - int(startOfWeek_) + 7) % 7);
    if (monthColumnOffset_ == 2) monthColumnOffset_ = -5;
    const int cell = Day() - monthColumnOffset_;
    SelectCell(cell % 7, cell / 7 + 1);
    if (dayOnly)
        repaint();
    else
        update();
    updating_ = false;
}

bool TCalendarGrid::SelectCell(int column, int row) {
    if (column < 0 || column > 6 || row < 1 || row > 6) return false;
    if (!updating_ && (ReadOnly || CellCaption(column, row).isEmpty())) return false;
    col_ = column;
    row_ = row;
    update();
    return true;
}

QRect TCalendarGrid::CellRect(int column, int row) const {
    const int line = 1;
    const int w = (width() - (showVerticalLines_ ? 6 * line : 0)) / 7;
    const int h = (height() - 6 * line) / 7;
    return QRect(column * (w + (showVerticalLines_ ? line : 0)), row * (h + line), w, h);
}

QPoint TCalendarGrid::CellAt(const QPoint& pos) const {
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 7; ++c)
            if (CellRect(c, r).adjusted(0, 0, 1, 1).contains(pos)) return {c, r};
    return {-1, -1};
}

void TCalendarGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(backgroundRole()));
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 7; ++c) PaintCell(p, c, r, CellRect(c, r));
    p.setPen(palette().color(QPalette::Mid));
    const QRect header = CellRect(0, 0);
    if (fixedRowLineOnly_) {
        p.drawLine(0, header.bottom() + 1, width(), header.bottom() + 1);
        return;
    }
    for (int r = 0; r < 6; ++r) {
        const int y = CellRect(0, r).bottom() + 1;
        p.drawLine(0, y, width(), y);
    }
    for (int c = 0; c < 6 && showVerticalLines_; ++c) {
        const int x = CellRect(c, 0).right() + 1;
        p.drawLine(x, 0, x, height());
    }
}

void TCalendarGrid::PaintCell(QPainter& p, int column, int row, const QRect& r) {
    const bool selected = row > 0 && column == col_ && row == row_;
    if (row == 0) p.fillRect(r, fixedColor_);
    if (selected) p.fillRect(r, palette().color(QPalette::Highlight));
    const bool weekend = Weekends & (1u << ((column + int(startOfWeek_)) % 7));
    QColor ink = palette().color(QPalette::Text);
    if (selected)
        ink = palette().color(QPalette::HighlightedText);
    else if (weekend)
        ink = WeekendColor;
    p.setPen(ink);
    p.drawText(r, Qt::AlignCenter, CellCaption(column, row));
}

void TCalendarGrid::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPoint cell = CellAt(e->position().toPoint());
    if (cell.y() > 0 && SelectCell(cell.x(), cell.y())) SetDay(CellCaption(cell.x(), cell.y()).toInt());
    if (OnClick) OnClick();
}

void TCalendarGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && OnDblClick) OnDblClick();
}

void TCalendarGrid::HandleKey(int key, Qt::KeyboardModifiers mods) {
    if (mods & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return;
    const bool keypad = mods & Qt::KeypadModifier;
    if (key == Qt::Key_Left || (keypad && key == Qt::Key_Minus)) {
        if (Day() == 1)
            SetCalendarDate(std::floor(date_) - 1);
        else
            SetDay(Day() - 1);
        return;
    }
    if (key == Qt::Key_Right || (keypad && key == Qt::Key_Plus)) {
        if (Day() < DaysInShownMonth())
            SetDay(Day() + 1);
        else
            SetCalendarDate(std::floor(date_) + 1);
        return;
    }
    // The grid's own cell moves, limited to cells that show a day.
    int c = col_, r = row_;
    switch (key) {
        case Qt::Key_Up:
            --r;
            break;
        case Qt::Key_Down:
            ++r;
            break;
        case Qt::Key_Home:
            c = 0;
            break;
        case Qt::Key_End:
            c = 6;
            break;
        default:
            return;
    }
    if (SelectCell(c, r)) SetDay(CellCaption(c, r).toInt());
}

void TCalendarGrid::HandleChar(QChar c) {
    if (c == u'T' || c == u't') SetCalendarDate(os::Today());
}

void TCalendarGrid::keyPressEvent(QKeyEvent* e) {
    HandleKey(e->key(), e->modifiers());
    if (e->text().size() == 1) HandleChar(e->text()[0]);
}

// --- TLocCalendar ----------------------------------------------------------------------

TLocCalendar::TLocCalendar(QWidget* parent) : TCalendarGrid(parent) {
    // Gets the mouse but never the focus: the edit keeps the keyboard.
    setFocusPolicy(Qt::NoFocus);
    setBackgroundRole(QPalette::Window);
    fixedColor_ = Qt::transparent;
    showVerticalLines_ = false;
    fixedRowLineOnly_ = true;
    SetUseCurrentDate(false);
}

void TLocCalendar::PaintCell(QPainter& p, int column, int row, const QRect& r) {
    TCalendarGrid::PaintCell(p, column, row, r);
    const os::YMD today = os::DecodeDate(os::Today());
    if (row > 0 && today.year == Year() && today.month == Month() &&
        CellCaption(column, row) == QString::number(today.day))
        qDrawShadeRect(&p, r, palette(), true, 1);
}

// --- TPopupCalendar ----------------------------------------------------------------------

TPopupCalendar::TPopupCalendar(TCustomComboEdit* owner) : TPopupWindow(owner) {
    resize(std::max(187, 180), std::max(124, 120));
    setAutoFillBackground(true);
    setFont(QApplication::font("QMessageBox"));
    auto* header = new QWidget(this);
    header->setGeometry(1, 1, width() - 2, 18);
    const int xs[] = {-1, 12, header->width() - 26, header->width() - 13};
    for (int i = 0; i < 4; ++i) {
        buttons_[i] = new TTimerSpeedButton(header);
        buttons_[i]->setGeometry(xs[i], -1, 14, 14);
        buttons_[i]->SetGlyph(NavigationGlyph(i));
        buttons_[i]->setToolTip(ShortHint(kNavigationHints[i]));
    }
    title_ = new QLabel(header);
    title_->setObjectName("TitleLabel");
    title_->setGeometry(29, 1, header->width() - 58, 14);
    title_->setAlignment(Qt::AlignCenter);
    title_->installEventFilter(this);
    calendar_ = new TLocCalendar(this);
    calendar_->setGeometry(1, 19, width() - 2, height() - 20);
    calendar_->installEventFilter(this);
    buttons_[0]->OnClick = [this] { calendar_->YearBack(); };
    buttons_[1]->OnClick = [this] { calendar_->MonthBack(); };
    buttons_[2]->OnClick = [this] { calendar_->MonthForward(); };
    buttons_[3]->OnClick = [this] { calendar_->YearForward(); };
    calendar_->OnChange = [this] { RefreshTitle(); };
    RefreshTitle();
}

QVariant TPopupCalendar::GetValue() const { return calendar_->CalendarDate(); }

void TPopupCalendar::SetValue(const QVariant& value) {
    double d = os::Today();
    const QString text = value.isNull() ? QString() : value.toString().remove(DateSeparator()).trimmed();
    if (!text.isEmpty()) {
        bool ok = false;
        const double v = value.toDouble(&ok);
        if (ok && v != EmptyDate && DateTimeValid(v))
            d = v;
        else if (double parsed; os::TextToDate(value.toString().toStdString(), parsed))
            d = parsed;
    }
    calendar_->SetCalendarDate(d);
    RefreshTitle();
}

void TPopupCalendar::RefreshTitle() { title_->setText(MonthTitle(calendar_->CalendarDate())); }

void TPopupCalendar::KeyDownFromEdit(int key, Qt::KeyboardModifiers mods) {
    const bool ctrl = mods & Qt::ControlModifier;
    if (key == Qt::Key_PageUp)
        ctrl ? calendar_->YearBack() : calendar_->MonthBack();
    else if (key == Qt::Key_PageDown)
        ctrl ? calendar_->YearForward() : calendar_->MonthForward();
    else
        calendar_->HandleKey(key, mods);
}

void TPopupCalendar::KeyPressFromEdit(QChar c) { calendar_->HandleChar(c); }

void TPopupCalendar::ApplyCalendarSettings(bool fourDigitYear, TDayOfWeekName start, TDaysOfWeek weekends,
                                           QColor color, const QStringList& hints) {
    fourDigitYear_ = fourDigitYear;
    calendar_->SetStartOfWeek(start);
    calendar_->WeekendColor = color;
    calendar_->Weekends = weekends;
    for (int i = 0; i < std::min<int>(4, int(hints.size())); ++i)
        if (!hints[i].isEmpty()) buttons_[i]->setToolTip(ShortHint(hints[i]));
    calendar_->update();
}

bool TPopupCalendar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == calendar_ && event->type() == QEvent::MouseButtonRelease) {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint cell = calendar_->CellAt(e->position().toPoint());
        if (e->button() == Qt::LeftButton && e->modifiers() == Qt::NoModifier && cell.y() > 0 &&
            !calendar_->CellCaption(cell.x(), cell.y()).isEmpty()) {
            CloseUp(true);
        }
        return true;  // a release on a blank cell is not one on the window
    }
    if (watched == title_ && event->type() == QEvent::MouseButtonDblClick) {
        calendar_->SetCalendarDate(os::Today());
        return true;
    }
    return TPopupWindow::eventFilter(watched, event);
}

// --- TSelectDateDlg -----------------------------------------------------------------------

TSelectDateDlg::TSelectDateDlg(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowSystemMenuHint) {
    setObjectName("SelectDateDlg");
    setWindowTitle("Select a Date");
    setFixedSize(222, 154);
    setFont(QApplication::font("QMessageBox"));

    auto* top = new QFrame(this);
    top->setObjectName("TopPanel");
    top->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    top->setGeometry(0, 0, 222, 22);
    TopPanel = top;
    const int xs[] = {3, 18, 188, 203};
    TTimerSpeedButton* buttons[4];
    for (int i = 0; i < 4; ++i) {
        buttons[i] = new TTimerSpeedButton(top);
        buttons[i]->setGeometry(xs[i], 3, 16, 16);
        buttons[i]->SetGlyph(NavigationGlyph(i));
        buttons[i]->setToolTip(ShortHint(kNavigationHints[i]));
    }
    PrevYearBtn = buttons[0];
    PrevMonthBtn = buttons[1];
    NextMonthBtn = buttons[2];
    NextYearBtn = buttons[3];
    PrevYearBtn->setObjectName("PrevYearBtn");
    PrevMonthBtn->setObjectName("PrevMonthBtn");
    NextMonthBtn->setObjectName("NextMonthBtn");
    NextYearBtn->setObjectName("NextYearBtn");
    TitleLabel = new QLabel(top);
    TitleLabel->setObjectName("TitleLabel");
    TitleLabel->setGeometry(35, 4, 152, 14);
    TitleLabel->setAlignment(Qt::AlignCenter);
    QFont bold = TitleLabel->font();
    bold.setBold(true);
    TitleLabel->setFont(bold);
    TitleLabel->setStyleSheet("color: #0000ff");

    auto* middle = new QFrame(this);
    middle->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    middle->setGeometry(0, 22, 222, 111);
    Calendar = new TCalendarGrid(middle);
    Calendar->setObjectName("Calendar");
    Calendar->setGeometry(2, 2, 218, 107);
    Calendar->setBackgroundRole(QPalette::Base);
    Calendar->SetUseCurrentDate(false);

    BottomPanel = new QWidget(this);
    BottomPanel->setGeometry(0, 133, 222, 21);
    auto* ok = new QPushButton("OK", BottomPanel);
    ok->setObjectName("OkBtn");
    ok->setGeometry(0, 0, 112, 21);
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", BottomPanel);
    cancel->setObjectName("CancelBtn");
    cancel->setGeometry(111, 0, 111, 21);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    PrevYearBtn->OnClick = [this] { PrevYearBtnClick(); };
    NextYearBtn->OnClick = [this] { NextYearBtnClick(); };
    PrevMonthBtn->OnClick = [this] { PrevMonthBtnClick(); };
    NextMonthBtn->OnClick = [this] { NextMonthBtnClick(); };
    Calendar->OnChange = [this] { CalendarChange(); };
    Calendar->OnDblClick = [this] { CalendarDblClick(); };
    // The form sees the keys first.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    top->installEventFilter(this);
    Calendar->setFocus();
    CalendarChange();
}

void TSelectDateDlg::ShowDate(double date) {
    Calendar->SetCalendarDate(date == EmptyDate || !DateTimeValid(date) ? os::Today() : date);
    CalendarChange();
}

void TSelectDateDlg::PrevYearBtnClick() { Calendar->YearBack(); }
void TSelectDateDlg::NextYearBtnClick() { Calendar->YearForward(); }
void TSelectDateDlg::PrevMonthBtnClick() { Calendar->MonthBack(); }
void TSelectDateDlg::NextMonthBtnClick() { Calendar->MonthForward(); }
void TSelectDateDlg::CalendarChange() { TitleLabel->setText(MonthTitle(Calendar->CalendarDate())); }
void TSelectDateDlg::CalendarDblClick() { accept(); }
void TSelectDateDlg::TopPanelDblClick() { ShowDate(os::Today()); }

bool TSelectDateDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TopPanel && event->type() == QEvent::MouseButtonDblClick) {
        TopPanelDblClick();
        return true;
    }
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* e = static_cast<QKeyEvent*>(event);
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    switch (e->key()) {
        case Qt::Key_Tab:
            NextMonthBtnClick();
            break;
        case Qt::Key_Backtab:
            PrevMonthBtnClick();
            break;
        case Qt::Key_PageUp:
            ctrl ? PrevYearBtnClick() : PrevMonthBtnClick();
            break;
        case Qt::Key_PageDown:
            ctrl ? NextYearBtnClick() : NextMonthBtnClick();
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            accept();
            return true;
        case Qt::Key_Escape:
            reject();
            return true;
        default:
            return QDialog::eventFilter(watched, event);
    }
    TitleLabel->repaint();
    return true;
}

bool ChooseDateDialog(double& date, const QString& title, TDayOfWeekName startOfWeek, TDaysOfWeek weekends,
                      QColor weekendColor, const QStringList& hints) {
    TSelectDateDlg dlg;
    if (!title.isEmpty()) dlg.setWindowTitle(title);
    dlg.ShowDate(date);
    dlg.Calendar->SetStartOfWeek(startOfWeek);
    dlg.Calendar->Weekends = weekends;
    dlg.Calendar->WeekendColor = weekendColor;
    TTimerSpeedButton* buttons[] = {dlg.PrevYearBtn, dlg.PrevMonthBtn, dlg.NextMonthBtn, dlg.NextYearBtn};
    for (int i = 0; i < std::min<int>(4, int(hints.size())); ++i)
        if (!hints[i].isEmpty()) buttons[i]->setToolTip(ShortHint(hints[i]));
    if (ui::ShowModal(dlg) != QDialog::Accepted) return false;
    date = dlg.PickedDate();
    return true;
}
