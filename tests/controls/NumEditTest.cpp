#include <gtest/gtest.h>

#include <QClipboard>

#include "FormHost.h"
#include "controls/NumEdits.h"
#include "support/DialogTest.h"

using testsupport::FormHost;

namespace {

// The month field every form places.
TCurrencyEdit* MonthField(QWidget* parent) {
    auto* e = new TCurrencyEdit(parent);
    e->SetDisplayFormat("00");
    e->SetMaxLength(2);
    e->SetMinValue(1);
    e->SetMaxValue(12);
    e->SetValue(1);
    return e;
}

}  // namespace

TEST(FormatFloat, Pictures) {
    struct Case {
        const char* format;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"00", 5, "05"},
        {"00", 12, "12"},
        {"0.##", 2.5, "2.5"},
        {"0.##", 3, "3"},
        {"0.##", 2.345, "2.35"},
        {",0.00", 1234.5, "1,234.50"},
        {"#,##0;(#,##0)", -1234, "(1,234)"},
        {"0.00;-0.00;'nulla'", 0, "nulla"},
        {"0", -2.5, "-3"},
        {"0 'Ft'", 12, "12 Ft"},
        // Blanks between placeholders keep their places once a digit stands left of them.
        {"## ### ##0", 1234567, "1 234 567"},
        {"## ### ##0", -270005, "-270 005"},
        {"## ### ##0", 300000, "300 000"},
        {"## ### ##0", 5, "5"},
        {"## ### ##0", 0, "0"},
        {"## ### ##0", 1234567890, "1234 567 890"},
        {"########", 1234567, "1234567"},
        {"########", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFloat(c.format, c.value), c.text) << c.format << " " << c.value;
}

TEST(TCurrencyEdit, MonthFieldTextAndValue) {
    QWidget parent;
    TCurrencyEdit* e = MonthField(&parent);
    EXPECT_EQ(e->ButtonWidth(), 0);
    EXPECT_EQ(e->Text(), "1");
    e->SetValue(5);
    EXPECT_EQ(e->Text(), "5");
    EXPECT_EQ(e->FormattedDisplayText(), "05");
    e->SetText("13");
    EXPECT_EQ(e->Text(), "12");
    e->SetText("");
    EXPECT_EQ(e->Text(), "1");
    e->SetText("0");
    EXPECT_EQ(e->Text(), "1");
    EXPECT_THROW(e->SetText("x"), NumberConversionError);
    e->SetValue(40);
    EXPECT_EQ(e->Value(), 12);
    e->setText("");  // as typed
    EXPECT_EQ(e->Value(), 1);
}

TEST(TCurrencyEdit, LeavingCorrectsToTheNearerBoundBeforeOnExit) {
    FormHost host;
    TCurrencyEdit* e = MonthField(&host);
    QString seenAtExit;
    int changes = 0;
    e->OnExit = [&] { seenAtExit = e->Text(); };
    e->OnChange = [&] { ++changes; };
    host.Start(e);
    e->selectAll();
    QTest::keyClicks(e, "13");
    EXPECT_EQ(e->Text(), "13");
    EXPECT_EQ(changes, 2);
    host.Leave();
    EXPECT_EQ(seenAtExit, "12");
    EXPECT_EQ(changes, 2);  // the exit rewrite does not notify

    struct Case {
        const char* typed;
        const char* left;
    };
    for (const Case& c : {Case{"0", "1"}, Case{"", "1"}, Case{"7", "7"}}) {
        e->setFocus(Qt::TabFocusReason);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, c.typed);
        host.Leave();
        EXPECT_EQ(seenAtExit, c.left) << c.typed;
    }
}

TEST(TCurrencyEdit, KeysAreFilteredToANonNegativeNumber) {
    FormHost host;
    TCurrencyEdit* e = MonthField(&host);
    host.Start(e);
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, "-");
    EXPECT_EQ(e->Text(), "-");  // "-0" is not negative yet
    QTest::keyClicks(e, "5");
    EXPECT_EQ(e->Text(), "-");  // -5 would be
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, "a9x");
    EXPECT_EQ(e->Text(), "9");
    QTest::keyClicks(e, "99");  // MaxLength 2
    EXPECT_EQ(e->Text(), "99");
    QTest::keyClick(e, Qt::Key_Escape);  // back to the stored value
    EXPECT_EQ(e->Text(), "1");
    EXPECT_EQ(e->selectedText(), "1");

    QApplication::clipboard()->setText("ab");
    e->selectAll();
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e->Text(), "1");
    EXPECT_TRUE(e->hasFocus());
}

TEST(TCustomNumEdit, DecimalsRangesAndZero) {
    FormHost host;
    auto* e = new TCustomNumEdit(&host);
    host.Start(e);
    EXPECT_EQ(e->Text(), "");  // ZeroEmpty
    EXPECT_EQ(e->Value(), 0);
    QTest::keyClicks(e, "1.255");  // a third decimal is refused
    EXPECT_EQ(e->Text(), "1.25");
    e->SetValue(-1e6);  // no range
    EXPECT_EQ(e->Value(), -1e6);
    e->SetMinValue(5);  // MaxValue 0: only the lower bound acts
    EXPECT_EQ(e->Value(), 5);
    e->SetValue(1e6);
    EXPECT_EQ(e->Value(), 1e6);
    EXPECT_EQ(e->FormattedDisplayText(), "1,000,000");
    e->CheckOnExit = true;
    e->SetMaxValue(10);
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, "11");
    testsupport::ScriptedDialogs dialogs;
    dialogs.Answer(ui::Ok);
    host.Leave();
    EXPECT_EQ(dialogs.Text(0), "Value must be between 5.00 and 10.00");
    EXPECT_TRUE(e->hasFocus());
}

// Hungarian thousands are grouped with a no-break space; a typed blank or
// no-break space both group, and a letter is still no number.
TEST(TCustomNumEdit, HungarianGroupingBlanks) {
    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    {
        FormHost host;
        auto* e = new TCustomNumEdit(&host);
        host.Start(e);
        for (const char* typed : {"250 000", "250\u00a0000"}) {
            e->SetText(QString::fromUtf8(typed));
            EXPECT_EQ(e->Value(), 250000) << typed;
        }
        EXPECT_THROW(e->SetText("25o 000"), NumberConversionError);
    }
    QLocale::setDefault(old);
}
