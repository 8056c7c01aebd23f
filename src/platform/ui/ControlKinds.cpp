#include "platform/ui/ControlKinds.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

namespace ui {

QWidget* MakeLabel(const ControlDecl& row, const KindContext& context) {
    return new QLabel(row.Text(), context.parent);
}

QWidget* MakeButton(const ControlDecl& row, const KindContext& context) {
    auto* b = new QPushButton(row.Text(), context.parent);
    if (auto click = context.events.OnClick)
        QObject::connect(b, &QPushButton::clicked, b, [b, click] { click(b); });
    return b;
}

QWidget* MakeGlyphButton(const ControlDecl& row, const KindContext& context) {
    auto* b = new QToolButton(context.parent);
    b->setText(row.Text());
    b->setFocusPolicy(Qt::NoFocus);
    if (auto click = context.events.OnClick)
        QObject::connect(b, &QToolButton::clicked, b, [b, click] { click(b); });
    return b;
}

QWidget* MakeEdit(const ControlDecl& row, const KindContext& context) {
    auto* e = new QLineEdit(row.Text(), context.parent);
    if (auto change = context.events.OnChange)
        QObject::connect(e, &QLineEdit::textChanged, e, [e, change] { change(e); });
    RelayInput(e, context.events, true, true);
    return e;
}

QWidget* MakeCheckBox(const ControlDecl& row, const KindContext& context) {
    auto* c = new QCheckBox(row.Text(), context.parent);
    if (auto click = context.events.OnClick)
        QObject::connect(c, &QCheckBox::clicked, c, [c, click] { click(c); });
    RelayInput(c, context.events, false, true);
    return c;
}

QWidget* MakeGroupBox(const ControlDecl& row, const KindContext& context) {
    return new QGroupBox(row.Text(), context.parent);
}

QWidget* MakePageControl(const ControlDecl&, const KindContext& context) {
    return new QTabWidget(context.parent);
}

QWidget* MakeTabPage(const ControlDecl&, const KindContext& context) { return new QWidget(context.parent); }

}  // namespace ui
