#include "controls/EditKinds.h"

#include "controls/ComboEdits.h"
#include "controls/ControlUtils.h"
#include "platform/ui/ControlKinds.h"

void ConnectComboEdit(TCustomComboEdit* e, const ui::ControlEvents& events) {
    if (auto f = events.OnChange) e->OnChange = [e, f] { f(e); };
    if (auto f = events.OnExit) e->OnExit = [e, f] { f(e); };
    if (auto f = events.OnKeyDown)
        e->OnKeyDown = [e, f](int& key, Qt::KeyboardModifiers mods) { f(e, key, mods); };
    if (auto f = events.OnKeyPress) e->OnKeyPress = [e, f](QChar& c) { f(e, c); };
    // Keys and leaving come through the hooks above.
    ui::ControlEvents clicks;
    clicks.OnClick = events.OnClick;
    ui::RelayInput(e, clicks, true, false);
}

QWidget* MakeDateEdit(const ui::ControlDecl&, const ui::KindContext& context) {
    auto* e = new TDateEdit(context.parent);
    ConnectComboEdit(e, context.events);
    return e;
}

QWidget* MakeMaskEdit(const ui::ControlDecl& row, const ui::KindContext& context) {
    ui::ControlDecl empty = row;
    empty.text = "";
    auto* e = static_cast<QLineEdit*>(ui::MakeEdit(empty, context));
    e->setInputMask(QtEditMask(row.Text()));
    return e;
}
