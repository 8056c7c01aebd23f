#include "app/Program.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTranslator>

#include "platform/ui/Dialogs.h"

// The program block's settings: the task-bar title, and the toolkit's own
// texts (input box buttons, edit menus) in Hungarian.
TEST(Program, SetupGivesTitleAndHungarianToolkitTexts) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    const QString oldName = app->applicationName(), oldTitle = ui::ApplicationTitle();
    ProgramSetup(*app);
    EXPECT_EQ(app->applicationName(), "Tavrina19");
    EXPECT_EQ(ui::ApplicationTitle(), "Tavrina19");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Mégse");
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Copy"), "&Másolás");
    // Leave the test program as it was.
    for (QTranslator* t : app->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    app->setApplicationName(oldName);
    ui::SetApplicationTitle(oldTitle);
}
