#include "masterdata/MaintenanceButtons.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>

namespace maintenance {

QToolButton* NavigationButton(QWidget* parent, QHBoxLayout* row, const char* name,
                              QStyle::StandardPixmap pixmap, const char* hint, int tag) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(parent->style()->standardIcon(pixmap));
    b->setToolTip(QString::fromUtf8(hint));
    b->setProperty("Tag", tag);
    b->setFocusPolicy(Qt::NoFocus);
    row->addWidget(b);
    return b;
}

QPushButton* RecordButton(QWidget* parent, QHBoxLayout* row, const char* name, const char* caption,
                          const char* hint, int tag, bool autoDefault) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    if (hint) b->setToolTip(QString::fromUtf8(hint));
    b->setProperty("Tag", tag);
    if (!autoDefault) b->setAutoDefault(false);
    row->addWidget(b);
    return b;
}

void OnClicked(QAbstractButton* b, const std::function<void(QAbstractButton*)>& clicked) {
    QObject::connect(b, &QAbstractButton::clicked, b, [b, clicked] { clicked(b); });
}

}  // namespace maintenance
