// A small active window holding a control under test and a second edit to
// move the focus to, so entering and leaving run as on a form.
#pragma once

#include <QLineEdit>
#include <QWidget>

#include "support/ActiveWindow.h"

namespace testsupport {

class FormHost : public QWidget {
public:
    FormHost() {
        resize(400, 300);
        other = new QLineEdit(this);
        other->setObjectName("Other");
        other->setGeometry(10, 250, 100, 21);
    }
    // Shows the window, makes it active and focuses `w`.
    void Start(QWidget* w) {
        Activate(*this);
        w->setFocus(Qt::TabFocusReason);
    }
    void Leave() { other->setFocus(Qt::TabFocusReason); }
    QLineEdit* other;
};

inline void Type(QWidget* w, const QString& text) { QTest::keyClicks(w, text); }
inline void KeypadKey(QWidget* w, Qt::Key key) { QTest::keyClick(w, key, Qt::KeypadModifier); }

}  // namespace testsupport
