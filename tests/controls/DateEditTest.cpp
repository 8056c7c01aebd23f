#include <gtest/gtest.h>

#include <QScreen>

#include "FormHost.h"
#include "controls/ComboEdits.h"
#include "controls/ControlUtils.h"
#include "controls/DatePicker.h"
#include "controls/DateUtil.h"
#include "support/DialogTest.h"

using testsupport::FormHost;

namespace {

double D(int y, int m, int d) { return os::EncodeDate(y, m, d); }

}  // namespace

TEST(DateUtil, FormatMaskAndReading) {
    EXPECT_EQ(StandardDateFormat(true), "YYYY/MM/DD");
    EXPECT_EQ(StandardDateMask(' ', true), "!9999/99/99;1; ");
    EXPECT_EQ(QtEditMask(StandardDateMask(' ', true)), "0000.00.00; ");
    EXPECT_EQ(QtEditMask(StandardDateMask('_', false)), "00.00.00;_");
    EXPECT_EQ(DateOrderOf("dd/mm"), os::DateOrder::DayMonthYear);
    EXPECT_EQ(DateOrderOf("x-MM"), os::DateOrder::MonthDayYear);
    EXPECT_EQ(DateOrderOf("---"), os::DateOrder::DayMonthYear);
    EXPECT_EQ(FormatDateByFormat("YYYY/MM/DD", D(2019, 1, 31)), "2019.01.31");
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"2019.01.31", D(2019, 1, 31)},
        {"2019.1 .5 ", D(2019, 1, 5)},
        {"2019.02.29", 0},
        {"2020.02.29", D(2020, 2, 29)},
        {"    .  .  ", 0},
        {"", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(DateByFormatOr("YYYY/MM/DD", c.text, 0), c.expected) << c.text;
    EXPECT_THROW(DateByFormat("YYYY/MM/DD", "2019.13.01"), DateConversionError);
    try {
        DateByFormat("YYYY/MM/DD", "2019.13.01");
    } catch (const DateConversionError& e) {
        EXPECT_STREQ(e.what(), "'2019.13.01' is not a valid date");
    }
    EXPECT_EQ(MonthByName("márc", 4), 3);
}

TEST(TDateEdit, TextAndDateValue) {
    const os::FixedClock clock(os::EncodeDate(2019, 3, 15) + os::EncodeTime(14, 30, 5));
    TDateEdit e;
    EXPECT_EQ(e.Text(), "    .  .  ");
    EXPECT_EQ(e.DateValue(), 0);
    EXPECT_EQ(e.ButtonWidth(), 21);
    EXPECT_GE(e.minimumSizeHint().width(), e.fontMetrics().horizontalAdvance("2019.12.28") + e.ButtonWidth());
    e.SetText("2019.02.29");
    EXPECT_EQ(e.DateValue(), 0);  // 2019 is no leap year
    e.SetText("2020.02.29");
    EXPECT_EQ(e.DateValue(), D(2020, 2, 29));
    e.SetDateValue(D(2019, 1, 31) + 0.5);
    EXPECT_EQ(e.Text(), "2019.01.31");
    EXPECT_TRUE(e.Modified());
    e.SetText("");
    EXPECT_EQ(e.Text(), "    .  .  ");
    e.SetModified(false);
    e.SetDateValue(0);
    EXPECT_FALSE(e.Modified());
    e.SetDateValue(1e9);  // not a date: empties the edit
    EXPECT_EQ(e.Text(), "    .  .  ");
    e.DefaultToday = true;
    EXPECT_EQ(e.DateValue(), D(2019, 3, 15));
    e.SetDateValue(0);
    EXPECT_EQ(e.DateValue(), D(2019, 3, 15));
}

TEST(TDateEdit, TwoDigitYearsWiden) {
    const os::FixedClock clock(os::EncodeDate(2019, 3, 15) + os::EncodeTime(14, 30, 5));
    TDateEdit e;
    e.SetYearDigits(dyTwo);
    e.SetText("19.01.31");
    EXPECT_EQ(e.DateValue(), D(2019, 1, 31));
    e.SetText("59.01.31");
    EXPECT_EQ(e.DateValue(), D(1959, 1, 31));
    e.SetDateValue(D(2019, 3, 5));
    EXPECT_EQ(e.Text(), "19.03.05");
    e.SetYearDigits(dyFour);  // the date survives the new layout
    EXPECT_EQ(e.Text(), "2019.03.05");
}

TEST(TDateEdit, KeysTypingAndChange) {
    const os::FixedClock clock(os::EncodeDate(2019, 12, 31) + os::EncodeTime(14, 30, 5));
    FormHost host;
    auto* e = new TDateEdit(&host);
    int changes = 0, exits = 0, keyDowns = 0;
    e->OnChange = [&] { ++changes; };
    e->OnExit = [&] { ++exits; };
    e->OnKeyDown = [&](int& key, Qt::KeyboardModifiers) { keyDowns += key == 0; };
    host.Start(e);
    testsupport::KeypadKey(e, Qt::Key_Plus);
    EXPECT_EQ(e->DateValue(), D(2020, 1, 1));
    EXPECT_EQ(e->selectedText(), e->Text());
    EXPECT_EQ(keyDowns, 1);  // the consumed key reaches OnKeyDown as 0
    testsupport::KeypadKey(e, Qt::Key_Minus);
    testsupport::KeypadKey(e, Qt::Key_Minus);
    EXPECT_EQ(e->DateValue(), D(2019, 12, 30));
    QTest::keyClicks(e, "t");
    EXPECT_EQ(e->DateValue(), D(2019, 12, 31));
    QTest::keyClicks(e, "+");  // swallowed
    EXPECT_EQ(e->DateValue(), D(2019, 12, 31));
    e->selectAll();
    changes = 0;
    QTest::keyClicks(e, "20190131");
    EXPECT_EQ(e->Text(), "2019.01.31");
    EXPECT_EQ(e->DateValue(), D(2019, 1, 31));
    EXPECT_GE(changes, 8);
    host.Leave();
    EXPECT_EQ(exits, 1);
}

TEST(TDateEdit, CheckOnExitKeepsTheFocusOnABadDate) {
    FormHost host;
    auto* e = new TDateEdit(&host);
    e->CheckOnExit = true;
    int exits = 0;
    e->OnExit = [&] { ++exits; };
    host.Start(e);
    e->SetText("2019.02.30");
    testsupport::ScriptedDialogs dialogs;
    dialogs.Answer(ui::Ok);
    host.Leave();
    EXPECT_EQ(dialogs.Text(0), "'2019.02.30' is not a valid date");
    EXPECT_EQ(exits, 0);
    EXPECT_TRUE(e->hasFocus());
    EXPECT_EQ(e->Text(), "2019.02.30");
}

TEST(TDateEdit, PopupPositionKeepsTheCalendarOnScreen) {
    const QRect screen(0, 0, 800, 600);
    const QSize popup(187, 124);
    EXPECT_EQ(PopupPosition(QRect(300, 100, 87, 21), popup, screen, epaRight), QPoint(200, 121));
    // Near the bottom the calendar opens above the edit.
    EXPECT_EQ(PopupPosition(QRect(300, 560, 87, 21), popup, screen, epaRight), QPoint(200, 436));
    // Right-aligned would leave the screen at the left: left edges line up.
    EXPECT_EQ(PopupPosition(QRect(10, 100, 87, 21), popup, screen, epaRight), QPoint(10, 121));
    // epaLeft at the right edge: right edges line up.
    EXPECT_EQ(PopupPosition(QRect(700, 100, 87, 21), popup, screen, epaLeft), QPoint(600, 121));
    EXPECT_EQ(PopupPosition(QRect(790, 100, 87, 21), popup, screen, epaLeft), QPoint(613, 121));
}

TEST(TDateEdit, DropDownPicksADate) {
    FormHost host;
    auto* e = new TDateEdit(&host);
    e->setGeometry(250, 10, 87, 21);
    int changes = 0;
    e->OnChange = [&] { ++changes; };
    host.Start(e);
    e->SetDateValue(D(2019, 1, 31));
    changes = 0;
    QTest::keyClick(e, Qt::Key_Down, Qt::AltModifier);  // ClickKey
    ASSERT_TRUE(e->PopupVisible());
    TPopupCalendar* popup = e->PopupCalendar();
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->Calendar()->CalendarDate(), D(2019, 1, 31));
    EXPECT_EQ(popup->TitleLabel()->text(), "január, 2019");
    EXPECT_EQ(popup->pos(), e->mapToGlobal(QPoint(e->width() - popup->width(), e->height())));
    EXPECT_TRUE(e->isReadOnly());
    QTest::keyClick(e, Qt::Key_PageDown);  // forwarded: next month
    EXPECT_EQ(popup->Calendar()->CalendarDate(), D(2019, 2, 28));
    EXPECT_EQ(popup->TitleLabel()->text(), "február, 2019");
    QTest::keyClick(e, Qt::Key_Right);
    EXPECT_EQ(popup->Calendar()->CalendarDate(), D(2019, 3, 1));
    EXPECT_EQ(e->Text(), "2019.01.31");  // nothing taken yet
    QTest::keyClick(e, Qt::Key_Return);
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(e->Text(), "2019.03.01");
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(e->isReadOnly());

    // Esc closes without taking the date.
    e->ButtonAction();
    QTest::keyClick(e, Qt::Key_PageUp, Qt::ControlModifier);
    QTest::keyClick(e, Qt::Key_Escape);
    EXPECT_EQ(e->Text(), "2019.03.01");

    // A click on a day closes the drop-down with that day; a blank cell does nothing.
    e->ButtonAction();
    TLocCalendar* cal = popup->Calendar();
    QTest::mouseClick(cal, Qt::LeftButton, {}, cal->CellRect(0, 1).center());  // before 1 March (a Friday)
    EXPECT_TRUE(e->PopupVisible());
    EXPECT_EQ(cal->CalendarDate(), D(2019, 3, 1));
    const int c = (15 - cal->MonthColumnOffset()) % 7, r = (15 - cal->MonthColumnOffset()) / 7 + 1;
    ASSERT_EQ(cal->CellCaption(c, r), "15");
    QTest::mouseClick(cal, Qt::LeftButton, {}, cal->CellRect(c, r).center());
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_EQ(e->DateValue(), D(2019, 3, 15));
}

TEST(TDateEdit, ButtonPressWhileOpenAcceptsAndDoesNotReopen) {
    FormHost host;
    auto* e = new TDateEdit(&host);
    e->setGeometry(10, 10, 87, 21);
    host.Start(e);
    e->SetDateValue(D(2019, 5, 10));
    QTest::mouseClick(e->Button(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(e->PopupVisible());
    e->PopupCalendar()->Calendar()->SetDay(20);
    QTest::mouseClick(e->Button(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_EQ(e->DateValue(), D(2019, 5, 20));
}

TEST(TDateEdit, NearTheScreenBottomTheCalendarOpensAbove) {
    FormHost host;
    auto* e = new TDateEdit(&host);
    e->setGeometry(10, 200, 87, 21);
    host.Start(e);
    const QRect screen = host.screen()->geometry();
    host.move(host.x(), screen.bottom() - 230 - (host.frameGeometry().height() - host.height()));
    const QPoint editTop = e->mapToGlobal(QPoint(0, 0));
    ASSERT_GT(editTop.y() + e->height() + 124, screen.bottom());
    e->ButtonAction();
    ASSERT_TRUE(e->PopupVisible());
    EXPECT_EQ(e->PopupCalendar()->y(), editTop.y() - e->PopupCalendar()->height());
    e->ClosePopup(false);
}

TEST(TDateEdit, ReadOnlyDirectInputAndNoButton) {
    const os::FixedClock clock(os::EncodeDate(2019, 12, 31) + os::EncodeTime(14, 30, 5));
    FormHost host;
    auto* e = new TDateEdit(&host);
    host.Start(e);
    e->SetReadOnly(true);
    e->ButtonAction();
    EXPECT_FALSE(e->PopupVisible());
    QTest::keyClicks(e, "2019");
    EXPECT_EQ(e->Text(), "    .  .  ");
    e->SetReadOnly(false);
    e->SetDirectInput(false);
    QTest::keyClicks(e, "2019");
    EXPECT_EQ(e->Text(), "    .  .  ");
    e->ButtonAction();
    ASSERT_TRUE(e->PopupVisible());
    e->ClosePopup(true);  // the calendar still works
    EXPECT_EQ(e->DateValue(), D(2019, 12, 31));
    e->SetDirectInput(true);
    e->SetButtonWidth(0);
    EXPECT_EQ(e->ButtonWidth(), 0);
    QTest::keyClick(e, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(e->PopupVisible());
    testsupport::KeypadKey(e, Qt::Key_Plus);
    EXPECT_EQ(e->DateValue(), D(2020, 1, 1));
    e->SetCalendarHints({"a", "b", "c", "d", "e", "f"});
    EXPECT_EQ(e->CalendarHints().size(), 4);
}

TEST(TDateEdit, DialogStyleAndAcceptHook) {
    TDateEdit e;
    e.SetCalendarStyle(csDialog);
    EXPECT_EQ(e.PopupCalendar(), nullptr);
    e.SetDateValue(D(2019, 1, 31));
    testsupport::ScriptedDialogs dialogs;
    dialogs.AnswerModal([](QDialog& d) {
        auto& dlg = static_cast<TSelectDateDlg&>(d);
        EXPECT_EQ(dlg.windowTitle(), "Select a Date");
        EXPECT_EQ(dlg.TitleLabel->text(), "január, 2019");
        QTest::keyClick(dlg.Calendar, Qt::Key_Tab);  // a month forward, not the focus
        EXPECT_EQ(dlg.PickedDate(), D(2019, 2, 28));
        QTest::keyClick(dlg.Calendar, Qt::Key_PageDown, Qt::ControlModifier);
        return int(QDialog::Accepted);
    });
    double seen = 0;
    e.OnAcceptDate = [&](double& d, bool& accept) {
        seen = d;
        accept = true;
    };
    e.ButtonAction();
    EXPECT_EQ(seen, D(2020, 2, 28));
    EXPECT_EQ(e.DateValue(), D(2020, 2, 28));
}

TEST(TCalendarGrid, LayoutAndSteps) {
    const os::FixedClock clock(os::EncodeDate(2019, 3, 15) + os::EncodeTime(14, 30, 5));
    TCalendarGrid g;
    g.SetCalendarDate(D(2019, 9, 15));  // 1 September 2019 is a Sunday
    EXPECT_EQ(g.CellCaption(6, 1), "1");
    EXPECT_EQ(g.CellCaption(0, 1), "");
    EXPECT_EQ(g.CellCaption(0, 0), "H");
    EXPECT_EQ(g.CellCaption(6, 0), "V");
    EXPECT_EQ(g.SelectedColumn(), 6);  // the 15th is a Sunday
    EXPECT_EQ(g.SelectedRow(), 3);
    g.SetCalendarDate(D(2019, 1, 31));
    g.MonthForward();
    EXPECT_EQ(g.CalendarDate(), D(2019, 2, 28));
    g.SetCalendarDate(D(2020, 1, 31));
    g.MonthForward();
    EXPECT_EQ(g.CalendarDate(), D(2020, 2, 29));
    g.YearForward();
    EXPECT_EQ(g.CalendarDate(), D(2021, 2, 28));
    g.SetCalendarDate(D(2019, 3, 1));
    g.HandleKey(Qt::Key_Left, {});
    EXPECT_EQ(g.CalendarDate(), D(2019, 2, 28));
    g.SetCalendarDate(D(2019, 12, 31));
    g.HandleKey(Qt::Key_Right, {});
    EXPECT_EQ(g.CalendarDate(), D(2020, 1, 1));
    g.HandleChar('t');
    EXPECT_EQ(g.CalendarDate(), D(2019, 3, 15));
    // Month ends and leap years: the day is kept, capped at the month reached.
    struct Step {
        double from;
        void (TCalendarGrid::*step)();
        double to;
    };
    const Step steps[] = {
        {D(2020, 3, 31), &TCalendarGrid::MonthBack, D(2020, 2, 29)},
        {D(2019, 3, 31), &TCalendarGrid::MonthBack, D(2019, 2, 28)},
        {D(2019, 12, 31), &TCalendarGrid::MonthForward, D(2020, 1, 31)},
        {D(2019, 1, 15), &TCalendarGrid::MonthBack, D(2018, 12, 15)},
        {D(2020, 2, 29), &TCalendarGrid::YearBack, D(2019, 2, 28)},
        {D(2019, 2, 28), &TCalendarGrid::YearForward, D(2020, 2, 28)},
    };
    for (const Step& s : steps) {
        g.SetCalendarDate(s.from);
        (g.*s.step)();
        EXPECT_EQ(g.CalendarDate(), s.to) << os::DateToText(s.from);
    }
    g.SetCalendarDate(D(2020, 3, 1));
    g.HandleKey(Qt::Key_Left, {});
    EXPECT_EQ(g.CalendarDate(), D(2020, 2, 29));
    // Date parts out of range are ignored.
    g.SetCalendarDate(D(2019, 4, 10));
    g.SetMonth(13);
    g.SetDay(31);
    g.SetYear(0);
    EXPECT_EQ(g.CalendarDate(), D(2019, 4, 10));
    g.SetStartOfWeek(Sun);
    EXPECT_EQ(g.CellCaption(0, 0), "V");
}
