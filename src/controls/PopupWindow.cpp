#include "controls/PopupWindow.h"

#include <QMouseEvent>

#include "controls/ComboEdits.h"

TPopupWindow::TPopupWindow(TCustomComboEdit* owner)
    : QFrame(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), owner_(owner) {
    // Shown without activation: the edit keeps the focus and the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    hide();
}

void TPopupWindow::CloseUp(bool accept) { owner_->ClosePopup(accept); }

void TPopupWindow::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) CloseUp(contentsRect().contains(e->position().toPoint()));
}
