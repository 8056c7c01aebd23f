#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QTimer>

#include "controls/ControlUtils.h"
#include "support/TestSupport.h"

TEST(ControlUtils, TextHelpers) {
    EXPECT_EQ(ReplaceAll("1.234.5", ".", ","), "1,234,5");
    EXPECT_EQ(ReplaceAll("aa", "a", "aa"), "aaaa");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(RemoveChar("2019.01.31", '.'), "20190131");
    EXPECT_EQ(TrimSpaces("  a b \t "), "a b \t");  // blanks only
    EXPECT_EQ(TrimLeadingSpaces("  a "), "a ");
    EXPECT_EQ(TrimTrailingSpaces("  a "), "  a");
    EXPECT_EQ(RepeatChar('x', 2), "xx");
    EXPECT_EQ(RepeatChar('x', 0), "");
    EXPECT_EQ(RepeatChar('x', -3), "");
    EXPECT_TRUE(AllCharsIn("", "01"));
    EXPECT_TRUE(AllCharsIn("1001", "01"));
    EXPECT_FALSE(AllCharsIn("102", "01"));
    EXPECT_EQ(MaxOf(3, 5), 5);
    EXPECT_EQ(MinOf(3, 5), 3);
    EXPECT_EQ(RectWidth(QRect(QPoint(2, 3), QPoint(11, 7))), 10);
    EXPECT_EQ(RectHeight(QRect(2, 3, 10, 5)), 5);
}

TEST(ControlUtils, EditMasksInQtNotation) {
    struct Case {
        const char* original;
        const char* qt;
    };
    const Case cases[] = {
        {"!9999/99/99;1; ", "0000.00.00; "},  // optional digits, date separator
        {"999a;1; ", "000n; "},               // a pay-item code: three digits and a letter or digit
        {"9999/99/99", "0000.00.00;_"},
        {"00:00;1;_", "99:99;_"},  // required digits
        {">LL<ll<>C;0;*", ">AA<aa!X;*"},
        {"\\DH-0", "\\D\\H-9;_"},  // literals Qt would read as mask letters
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(QtEditMask(c.original), c.qt) << c.original;
}

TEST(ControlUtils, ShortenWithEllipsis) {
    const QFontMetrics fm(QApplication::font());
    EXPECT_EQ(ShortenWithEllipsis("Kilépés", fm, 1000), "Kilépés");
    const QString s = ShortenWithEllipsis("Previous Month", fm, fm.horizontalAdvance("Previous..."));
    EXPECT_TRUE(s.endsWith("...")) << s.toStdString();
    EXPECT_LE(fm.horizontalAdvance(s), fm.horizontalAdvance("Previous..."));
    EXPECT_EQ(ShortenWithEllipsis("abc", fm, 0), "...");
}

TEST(ControlUtils, DisabledGlyphIsEmbossed) {
    QImage img(3, 3, QImage::Format_ARGB32);
    img.fill(Qt::white);
    img.setPixel(0, 0, qRgb(0, 0, 0));
    const QImage out = DisabledBitmapOf(img, Qt::black, Qt::gray, Qt::white, Qt::darkGray, true);
    EXPECT_EQ(out.pixel(0, 0), QColor(Qt::darkGray).rgb());
    EXPECT_EQ(out.pixel(1, 1), QColor(Qt::white).rgb());
    EXPECT_EQ(out.pixel(2, 2), QColor(Qt::gray).rgb());
    EXPECT_EQ(DisabledBitmapOf(img, Qt::black, Qt::gray, Qt::white, Qt::darkGray, false).pixel(1, 1),
              QColor(Qt::gray).rgb());
}

TEST(ControlUtils, RunAndWaitReportsTheExitCodeAndKeepsEventsFlowing) {
    bool ticked = false;
    QTimer::singleShot(0, [&] { ticked = true; });
    EXPECT_EQ(RunAndWait("/bin/sh", "-c \"sleep 0.2; exit 3\"", "/tmp", 0), 3);
    EXPECT_TRUE(ticked);
    EXPECT_EQ(RunAndWait("/nonexistent/WINHLP32.EXE", "help.hlp", "/tmp", 0), -1);
}
