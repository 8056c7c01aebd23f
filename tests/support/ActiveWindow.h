// A form under test as the active window, so focus changes, entering and
// leaving its edits and key clicks run as for a user. Header-only: it needs
// Qt Widgets, which tests/support does not link.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <memory>

namespace testsupport {

// Shows the form and waits until it is the active window.
inline void Activate(QWidget& form) {
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

// Focuses an edit and deletes what it holds with the keys a user presses,
// leaving the cursor at its start.
inline void Erase(QWidget* w) {
    w->setFocus();
    QTest::keyClick(w, Qt::Key_Home);
    QTest::keyClick(w, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(w, Qt::Key_Delete);
    QTest::keyClick(w, Qt::Key_Home);
}

// A new form, shown and active.
template <class Form>
std::unique_ptr<Form> OpenActive() {
    auto form = std::make_unique<Form>();
    Activate(*form);
    return form;
}

}  // namespace testsupport
