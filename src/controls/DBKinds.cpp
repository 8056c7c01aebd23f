#include "controls/DBKinds.h"

#include <algorithm>

#include "controls/DBControls.h"
#include "controls/DBDateEdits.h"
#include "controls/DBText.h"
#include "controls/EditKinds.h"

QWidget* MakeDBText(const ui::ControlDecl& row, const ui::KindContext& context) {
    auto* t = new TDBText(context.parent);
    t->SetDataSource(context.source);
    t->SetDataField(row.Text());
    return t;
}

QWidget* MakeDBDateEdit(const ui::ControlDecl& row, const ui::KindContext& context) {
    auto* e = new TDBDateEdit(context.parent);
    if (row.kind.bound) e->SetDataSource(context.source);
    e->SetDataField(row.Text());
    ConnectComboEdit(e, context.events);
    return e;
}

QWidget* MakeDBEdit(const ui::ControlDecl& row, const ui::KindContext& context) {
    auto* e = new TDBEdit(context.parent);
    e->SetDataField(row.Text());
    if (row.kind.bound) {
        e->SetDataSource(context.source);
        // Long texts stop at a width that still fits a form.
        ui::FitToChars(e, std::min(ui::FieldChars(context.field), 40));
    }
    const ui::ControlEvents& events = context.events;
    if (auto f = events.OnChange) QObject::connect(e, &QLineEdit::textChanged, e, [e, f] { f(e); });
    if (auto f = events.OnExit) QObject::connect(e, &TDBEdit::Exited, e, [e, f] { f(e); });
    ui::RelayInput(e, events, true, false);
    return e;
}

QWidget* MakeDBCheckBox(const ui::ControlDecl& row, const ui::KindContext& context) {
    auto* c = new TDBCheckBox(context.parent);
    c->SetDataSource(context.source);
    c->SetDataField(row.Text());
    c->setText(QString::fromStdString(context.field.label));
    ui::SetBold(c, context.field.required);
    if (auto f = context.events.OnClick) QObject::connect(c, &QCheckBox::clicked, c, [c, f] { f(c); });
    ui::RelayInput(c, context.events, false, true);
    return c;
}

namespace {

QWidget* MakeCombo(const ui::ControlDecl& row, const ui::KindContext& context, const QStringList& items) {
    auto* c = new TDBComboBox(context.parent);
    c->addItems(items);
    c->SetDataSource(context.source);
    c->SetDataField(row.Text());
    if (auto f = context.events.OnChange)
        QObject::connect(c, &QComboBox::currentIndexChanged, c, [c, f] { f(c); });
    ui::RelayInput(c, context.events, false, true);
    return c;
}

}  // namespace

QWidget* MakeDBFixedCombo(const ui::ControlDecl& row, const ui::KindContext& context) {
    return MakeCombo(row, context, {"1", "2", "3", "0"});
}

QWidget* MakeDBMarkCombo(const ui::ControlDecl& row, const ui::KindContext& context) {
    return MakeCombo(row, context, {"", "X"});
}
