// What the scenarios share: typing into forms as a user does, the main
// window's menu items opened as modal forms, and the judge of the tax
// authority's XML files.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/Fomenu.h"
#include "controls/DBControls.h"
#include "core/DataModule1.h"
#include "masterdata/TorzskezKifhely.h"
#include "masterdata/TorzskezMhely.h"
#include "payroll/UjJogcim.h"
#include "platform/db/Table.h"
#include "platform/os/Clock.h"
#include "support/ActiveWindow.h"
#include "support/DialogTest.h"
#include "support/TestSupport.h"

namespace scenario {

// Makes a form the active window, so entering and leaving its edits run as
// for a user.
using testsupport::Activate;

// Types a text key by key; letters beyond ASCII go as the keyboard sends them.
inline void Keys(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClicks(w, QString(c));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Types over what an edit holds and leaves it, on its tab when it has one.
inline void Type(QTabWidget* pages, QWidget* w, const QString& text, QWidget* leaveTo) {
    ASSERT_NE(w, nullptr) << text.toStdString();
    if (pages && pages->indexOf(w->parentWidget()) >= 0) pages->setCurrentWidget(w->parentWidget());
    testsupport::Erase(w);
    Keys(w, text);
    leaveTo->setFocus();
}

// An XML file for the tax authority: well formed, windows-1250 declared,
// every line ended by CR LF.
inline void CheckXml(const std::string& path) {
    std::string out;
    EXPECT_EQ(testsupport::RunCommand("xmllint --noout '" + path + "' 2>&1", &out), 0) << path << out;
    const std::string bytes = testsupport::ReadBytes(path);
    ASSERT_FALSE(bytes.empty()) << path;
    const std::string head = bytes.substr(0, bytes.find("?>"));
    EXPECT_NE(head.find("encoding=\"windows-1250\""), std::string::npos) << head;
    size_t crlf = 0;
    for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++crlf;
    EXPECT_EQ(crlf, size_t(std::count(bytes.begin(), bytes.end(), '\n'))) << path;
}

// A home of its own, the data module, the clock the test sets, the scripted
// dialogs and, once the test has started it, the main window.
class ScenarioTest : public testsupport::HomeTest {
protected:
    ScenarioTest() { DM1 = dm.get(); }
    ~ScenarioTest() override { DM1 = nullptr; }

    // Opens a menu item's form and drives it; the form is shown modally.
    template <class Form>
    void Through(const char* item, std::function<void(Form&)> drive) {
        bool opened = false;
        dialogs.AnswerModal([&](QDialog& d) {
            opened = true;
            auto* form = dynamic_cast<Form*>(&d);
            EXPECT_NE(form, nullptr) << item << ": " << d.objectName().toStdString();
            if (!form) return 0;
            Activate(*form);
            drive(*form);
            return 0;
        });
        ASSERT_TRUE(main->Item(item)->isEnabled()) << item;
        main->Item(item)->trigger();
        EXPECT_TRUE(opened) << item;
    }

    // Payment place 000001 "Pénztár" and its workplace 000001 "Műhely".
    void PaymentPlaceAndWorkplace() {
        Through<TTorzskezKifhelyForm>("MNU_Torzsk_KH", [this](TTorzskezKifhelyForm& f) {
            f.BitBtn5->click();
            QTest::keyClicks(f.KH_KOD, "000001");
            QTest::keyClick(f.KH_KOD, Qt::Key_Return);
            Keys(f.KH_NEV, "Pénztár");
            dialogs.Answer(ui::Yes);  // "Valóban hozzá szeretné adni a rekordot?"
            f.BitBtn11->click();
            EXPECT_EQ(f.Mode(), 0);
            EXPECT_EQ(DM1->TableKifhely->RecordCount(), 1);
        });
        Through<TTorzskezMhelyForm>("MNU_Torzsk_MH", [this](TTorzskezMhelyForm& f) {
            f.BitBtn5->click();
            QTest::keyClicks(f.MH_KOD, "000001");
            QTest::keyClick(f.MH_KOD, Qt::Key_Return);
            Keys(f.MH_NEV, "Műhely");
            Type(nullptr, f.MH_KHKOD, "000001", f.MH_NEV);
            EXPECT_EQ(f.LabelMH_KHKOD->text(), "Pénztár");
            dialogs.Answer(ui::Yes);
            f.BitBtn11->click();
            EXPECT_EQ(f.Mode(), 0);
            EXPECT_EQ(DM1->TableMhely->RecordCount(), 1);
        });
    }

    // A row of the payroll form through its row dialog (`button` is
    // "Felvitel" or "Módosít"), confirmed with OK; `messages` message boxes of
    // the recalculation that follows are answered.
    void RowDialog(QPushButton* button, std::function<void(TUjJogcimForm&)> drive, int messages = 0) {
        dialogs.AnswerModal([drive](QDialog& d) {
            auto& dialog = static_cast<TUjJogcimForm&>(d);
            Activate(dialog);
            drive(dialog);
            dialog.BitBtn1->click();  // OK
            return dialog.result();
        });
        for (int i = 0; i < messages; ++i) dialogs.Answer(ui::Ok);
        button->click();
    }
    // Types over a field of the row dialog and leaves it.
    static void TypeInto(QLineEdit* edit, const char* text, QWidget* leaveTo) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        leaveTo->setFocus();
    }

    std::unique_ptr<TDM1> dm = std::make_unique<TDM1>();
    std::optional<os::FixedClock> clock;
    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<TFomenuForm> main;
};

}  // namespace scenario
