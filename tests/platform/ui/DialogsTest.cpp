#include <gtest/gtest.h>

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>

#include <QDialog>

#include "platform/ui/Dialogs.h"
#include "platform/ui/WindowSize.h"
#include "support/DialogTest.h"

using namespace ui;

TEST(Dialogs, ScriptAnswersAQuestionAndRecordsIt) {
    testsupport::ScriptedDialogs script;
    script.Answer(No);
    const int pressed =
        MessageBox("Üzenet", "Valóban törölni szeretné a rekordot?", Icon::Question, Yes | No, No);
    EXPECT_EQ(pressed, No);
    ASSERT_EQ(script.Shown().size(), 1u);
    const DialogRequest& r = script.Shown()[0];
    EXPECT_EQ(r.caption, "Üzenet");
    EXPECT_EQ(r.text, "Valóban törölni szeretné a rekordot?");
    EXPECT_EQ(r.buttons, Yes | No);
    EXPECT_EQ(r.defaultButton, No);
    EXPECT_EQ(r.icon, Icon::Question);
}

TEST(Dialogs, DefaultButtonIsTheFirstOfferedWhenNotNamed) {
    testsupport::ScriptedDialogs script;
    script.Answer(Yes);
    MessageBox("Üzenet", "Kérdés", Icon::Question, Yes | No);
    EXPECT_EQ(script.Shown()[0].defaultButton, Yes);
}

TEST(Dialogs, InputModalAndFileDialogsGoThroughTheScript) {
    testsupport::ScriptedDialogs script;
    script.AnswerText("  Kft  ")
        .AnswerText("", false)
        .AnswerModal([](QDialog& d) {
            EXPECT_EQ(d.objectName(), "ProbaForm");
            return int(QDialog::Accepted);
        })
        .AnswerText("/tmp/x.zip");

    QString name = "régi";
    EXPECT_TRUE(InputQuery("Felhasználó", "Név:", name));
    EXPECT_EQ(name, "  Kft  ");
    EXPECT_FALSE(InputQuery("Felhasználó", "Név:", name));
    EXPECT_EQ(name, "  Kft  ");  // a cancelled box leaves the value alone

    QDialog form;
    form.setObjectName("ProbaForm");
    EXPECT_EQ(ShowModal(form), QDialog::Accepted);
    EXPECT_EQ(OpenFileName("Megnyitás", "/tmp", "*.zip"), "/tmp/x.zip");
    EXPECT_EQ(script.Shown()[0].value, "régi");
}

TEST(Dialogs, UnscriptedDialogFailsAtOnceWithItsText) {
    ui::DialogScript script;
    try {
        ShowMessage("Nem létező Alias!");
        FAIL() << "the dialog was not refused";
    } catch (const UnscriptedDialog& e) {
        EXPECT_TRUE(e.description.contains("Nem létező Alias!"));
    }
    ASSERT_EQ(script.Unexpected().size(), 1u);
}

// A short message keeps its title whole: the box is as wide as the title needs.
TEST(Dialogs, MessageBoxIsWideEnoughForItsTitle) {
    QMessageBox box;
    box.setWindowTitle(QStringLiteral("Tavrina19 - Figyelmeztetés"));
    box.setText("OK");
    box.addButton(QMessageBox::Ok);
    ui::WidenForTitle(box);
    box.show();
    QFont bold = box.font();
    bold.setBold(true);
    EXPECT_GT(box.width(), QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + 100);
    box.close();
}

// A name filled in after the form was shown does not widen the form.
TEST(KeepShownSize, LongerTextLeavesTheWindowAsItWas) {
    QDialog form;
    auto* layout = new QGridLayout(&form);
    auto* name = new QLabel("Iroda", &form);
    layout->addWidget(new QLabel("Munkahely :", &form), 0, 0);
    layout->addWidget(name, 0, 1);
    ui::KeepShownSize(&form);
    form.show();
    QApplication::processEvents();
    const QSize shown = form.size();
    name->setText(QString(80, u'W'));
    QApplication::processEvents();
    EXPECT_EQ(form.size(), shown);
    form.close();
}
