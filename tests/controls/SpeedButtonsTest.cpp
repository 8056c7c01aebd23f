#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>
#include <QTimer>
#include <map>

#include "ManualClock.h"
#include "controls/SpeedButtons.h"

TEST(TFlatSpeedButton, GlyphCountFollowsTheBitmap) {
    TButtonGlyph g;
    g.SetGlyph(QPixmap(56, 14));
    EXPECT_EQ(g.NumGlyphs(), 4);
    g.SetGlyph(QPixmap(84, 14));
    EXPECT_EQ(g.NumGlyphs(), 1);  // six would be too many
    EXPECT_EQ(g.ImageSize(), QSize(84, 14));
    TButtonGlyph empty;
    EXPECT_TRUE(empty.GlyphForState(bsUp).isNull());
}

TEST(TFlatSpeedButton, StateImagesAreDistinctAndShared) {
    QImage img(14, 14, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    for (int i = 2; i < 12; ++i) img.setPixel(i, 7, qRgb(0, 0, 0));
    img.setPixel(3, 3, qRgb(200, 0, 0));
    const QPixmap pm = QPixmap::fromImage(img);
    TButtonGlyph a, b;
    a.SetGlyph(pm);
    b.SetGlyph(pm);
    const QImage up = a.GlyphForState(bsUp).toImage();
    const QImage disabled = a.GlyphForState(bsDisabled).toImage();
    const QImage inactive = a.GlyphForState(bsInactive).toImage();
    EXPECT_NE(up, disabled);
    EXPECT_NE(up, inactive);
    EXPECT_EQ(QColor(inactive.pixel(3, 3)).red(), QColor(inactive.pixel(3, 3)).blue());  // grey
    EXPECT_EQ(a.GlyphForState(bsUp).cacheKey(), b.GlyphForState(bsUp).cacheKey());
}

TEST(TFlatSpeedButton, GroupKeepsOneButtonDown) {
    QWidget parent;
    TFlatSpeedButton b1(&parent), b2(&parent), b3(&parent);
    for (TFlatSpeedButton* b : {&b1, &b2, &b3}) b->SetGroupIndex(1);
    b1.SetDown(true);
    b2.SetDown(true);
    EXPECT_FALSE(b1.Down());
    EXPECT_TRUE(b2.Down());
    b2.SetDown(false);  // AllowAllUp off
    EXPECT_TRUE(b2.Down());
    b3.SetAllowAllUp(true);
    EXPECT_TRUE(b2.AllowAllUp());
    b2.SetDown(false);
    EXPECT_FALSE(b2.Down());
    TFlatSpeedButton loose;
    loose.SetDown(true);
    EXPECT_FALSE(loose.Down());  // outside a group
}

TEST(TFlatSpeedButton, HeldButtonRepeatsAfterInitPauseThenEveryInterval) {
    testsupport::ManualClock clock;
    TTimerSpeedButton button;
    button.resize(14, 14);
    button.show();
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    clock.Advance(499);
    EXPECT_EQ(clicks, 0);
    clock.Advance(1);
    EXPECT_EQ(clicks, 1);
    clock.Advance(99);
    EXPECT_EQ(clicks, 1);
    clock.Advance(401);  // one second held
    EXPECT_EQ(clicks, 6);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 7);  // the release inside clicks once more
    clock.Advance(1000);
    EXPECT_EQ(clicks, 7);
}

TEST(TFlatSpeedButton, ReleaseOutsideDoesNotClickAndModalResultCloses) {
    TFlatSpeedButton button;
    button.resize(20, 20);
    button.show();
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(button.State(), bsDown);
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 50), button.mapToGlobal(QPointF(50, 50)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&button, &move);
    EXPECT_EQ(button.State(), bsUp);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(clicks, 0);
}

TEST(TFlatSpeedButton, PressOpensTheDropDownMenuWithoutClicking) {
    QWidget parent;
    TFlatSpeedButton button(&parent);
    QMenu menu;
    int picked = 0, clicks = 0;
    menu.addAction("Első", [&] { ++picked; });
    button.SetDropDownMenu(&menu);
    button.OnClick = [&] { ++clicks; };
    parent.show();
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(menu.isVisible());
        EXPECT_EQ(menu.pos(), button.mapToGlobal(QPoint(-1, button.height())));
        menu.actions()[0]->trigger();
        menu.close();
    });
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(picked, 1);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(button.State(), bsUp);
}
