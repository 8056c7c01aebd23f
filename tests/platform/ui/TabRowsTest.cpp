#include "platform/ui/TabRows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

namespace {

// Twelve tabs in a window narrower than one row of them: every tab is seen
// whole, the current one's row lies next to the page, a click chooses.
TEST(TabRows, TwelveTabsWrapAndTheCurrentRowTouchesThePage) {
    QDialog form;
    auto* layout = new QVBoxLayout(&form);
    auto* tabs = new QTabWidget(&form);
    for (const char* caption : {"Személyi adatok", "Munkaszerződési adatok", "Kötelezettségek", "Elérhetőség",
                                "Bérezés", "Bérfeladás", "Szabadság keret", "Tagságok", "Nyilatkozatok",
                                "Kedvezmények", "SZHA kedv.", "Kilépés"})
        tabs->addTab(new QWidget, QString::fromUtf8(caption));
    layout->addWidget(tabs);
    ui::TabRows* rows = ui::ShowTabsInRows(tabs);
    form.resize(600, 400);
    form.show();
    QApplication::processEvents();

    EXPECT_FALSE(tabs->tabBar()->isVisible());
    const int tabHeight = rows->TabRect(0).height();
    EXPECT_GT(rows->height(), tabHeight);  // more than one row
    for (int i = 0; i < tabs->count(); ++i) EXPECT_TRUE(rows->rect().contains(rows->TabRect(i))) << i;
    EXPECT_EQ(rows->TabRect(0).bottom(), rows->height() - 1);

    const QPoint last = rows->TabRect(11).center();
    QTest::mouseClick(rows, Qt::LeftButton, {}, last);
    EXPECT_EQ(tabs->currentIndex(), 11);
    EXPECT_EQ(rows->TabRect(11).bottom(), rows->height() - 1);
}

}  // namespace
