// The base of the drop-down windows of the combo edits (the calendar of the
// date edit is one).
#pragma once

#include <QFrame>
#include <QVariant>

class TCustomComboEdit;

// Base of the drop-down windows: shown under its edit without taking the
// focus, so the edit keeps the keyboard and forwards keys to it.
class TPopupWindow : public QFrame {
    Q_OBJECT
public:
    explicit TPopupWindow(TCustomComboEdit* owner);
    virtual QVariant GetValue() const = 0;
    virtual void SetValue(const QVariant& value) = 0;
    // Closes through the edit's ClosePopup.
    virtual void CloseUp(bool accept);
    virtual QString GetPopupText() const { return {}; }
    // Keys the edit forwards while the popup is open.
    virtual void KeyDownFromEdit(int key, Qt::KeyboardModifiers mods) {}
    virtual void KeyPressFromEdit(QChar c) {}

protected:
    void mouseReleaseEvent(QMouseEvent*) override;
    TCustomComboEdit* owner_;
};
