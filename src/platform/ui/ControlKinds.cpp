#include "platform/ui/ControlKinds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>

#include "platform/ui/DatasetGrid.h"

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

QWidget* MakePanel(const ControlDecl&, const KindContext& context) { return new QWidget(context.parent); }

QWidget* MakeSplitter(const ControlDecl&, const KindContext& context) {
    return new QSplitter(Qt::Vertical, context.parent);
}

QWidget* MakeListBox(const ControlDecl&, const KindContext& context) {
    return new QListWidget(context.parent);
}

QWidget* MakeComboBox(const ControlDecl&, const KindContext& context) {
    auto* c = new QComboBox(context.parent);
    if (auto change = context.events.OnChange)
        QObject::connect(c, &QComboBox::currentIndexChanged, c, [c, change] { change(c); });
    RelayInput(c, context.events, false, true);
    return c;
}

QWidget* MakeProgressBar(const ControlDecl&, const KindContext& context) {
    auto* p = new QProgressBar(context.parent);
    p->setValue(0);
    return p;
}

QWidget* MakeDBGrid(const ControlDecl&, const KindContext& context) {
    return new DatasetGrid(context.parent);
}

QWidget* MakeMemo(const ControlDecl& row, const KindContext& context) {
    auto* m = new QPlainTextEdit(row.Text(), context.parent);
    m->setReadOnly(true);
    return m;
}

}  // namespace ui
