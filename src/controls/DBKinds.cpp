#include "controls/DBKinds.h"

#include "controls/DBDateEdits.h"
#include "controls/DBText.h"

QWidget* MakeDBText(const ui::ControlSpec& row, const ui::KindContext& context) {
    auto* t = new TDBText(context.parent);
    t->SetDataSource(context.source);
    t->SetDataField(row.Text());
    return t;
}

QWidget* MakeDBDateEdit(const ui::ControlSpec& row, const ui::KindContext& context) {
    auto* e = new TDBDateEdit(context.parent);
    e->SetDataSource(context.source);
    e->SetDataField(row.Text());
    const ui::ControlEvents& events = context.events;
    if (auto f = events.OnChange) e->OnChange = [e, f] { f(e); };
    if (auto f = events.OnExit) e->OnExit = [e, f] { f(e); };
    if (auto f = events.OnKeyDown)
        e->OnKeyDown = [e, f](int& key, Qt::KeyboardModifiers mods) { f(e, key, mods); };
    if (auto f = events.OnKeyPress) e->OnKeyPress = [e, f](QChar& c) { f(e, c); };
    // Keys and leaving come through the edit's own hooks above.
    ui::ControlEvents clicks;
    clicks.OnClick = events.OnClick;
    ui::RelayInput(e, clicks, true, false);
    return e;
}
