#include "platform/ui/WindowSize.h"

#include <QEvent>
#include <QLayout>
#include <QWidget>

namespace ui {
namespace {

class ShownSize : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show) return false;
        auto* window = static_cast<QWidget*>(watched);
        if (QLayout* layout = window->layout()) {
            layout->activate();
            window->setMinimumSize(window->size());
            layout->setSizeConstraint(QLayout::SetNoConstraint);
        }
        window->removeEventFilter(this);
        deleteLater();
        return false;
    }
};

}  // namespace

void KeepShownSize(QWidget* window) { window->installEventFilter(new ShownSize(window)); }

}  // namespace ui
