// The kinds of the page tables for the edits of src/controls that bind to no
// field: a date edit and a masked edit.
#pragma once

#include "platform/ui/ControlTable.h"

class TCustomComboEdit;

QWidget* MakeDateEdit(const ui::ControlDecl& row, const ui::KindContext& context);
QWidget* MakeMaskEdit(const ui::ControlDecl& row, const ui::KindContext& context);

// A TDateEdit; OnChange, OnExit, OnKeyDown, OnKeyPress through its own hooks,
// OnClick.
inline constexpr ui::ControlKind DateEdit{"DateEdit", &MakeDateEdit};
// A QLineEdit whose input mask is the row's text, written as the forms write
// masks ("999999;1; "); it starts empty. Events as ui::Edit.
inline constexpr ui::ControlKind MaskEdit{"MaskEdit", &MakeMaskEdit};

// For the factories of kinds built on TCustomComboEdit: connects the events
// to the edit's own hooks (its key handling comes first) and relays clicks.
void ConnectComboEdit(TCustomComboEdit* edit, const ui::ControlEvents& events);
