#include "platform/ui/Hourglass.h"

#include <QCursor>
#include <QGuiApplication>

namespace ui {

Hourglass::Hourglass() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

Hourglass::~Hourglass() { QGuiApplication::restoreOverrideCursor(); }

}  // namespace ui
