#include "platform/ui/WaitingButton.h"

#include <QAbstractButton>

namespace ui {

WaitingButton::WaitingButton(QAbstractButton* button) : button_(button) {
    if (!button_) return;
    caption_ = button_->text();
    button_->setEnabled(false);
    button_->setText(QStringLiteral("Várjon"));
}

WaitingButton::~WaitingButton() {
    if (!button_) return;
    button_->setText(caption_);
    button_->setEnabled(true);
}

}  // namespace ui
