// The button that started a long run, for the length of a scope: disabled and
// captioned "Várjon" when made, its caption back and enabled when it goes,
// also when an exception leaves the scope. A null button is left alone.
#pragma once

#include <QString>

class QAbstractButton;

namespace ui {

class WaitingButton {
public:
    explicit WaitingButton(QAbstractButton* button);
    ~WaitingButton();
    WaitingButton(const WaitingButton&) = delete;
    WaitingButton& operator=(const WaitingButton&) = delete;

private:
    QAbstractButton* button_;
    QString caption_;
};

}  // namespace ui
