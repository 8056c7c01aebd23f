// The data-aware kinds of the page tables: controls bound to a field of the
// form's data source, their edit mask, width and caption from the field.
#pragma once

#include "platform/ui/ControlTable.h"

QWidget* MakeDBText(const ui::ControlSpec& row, const ui::KindContext& context);
QWidget* MakeDBDateEdit(const ui::ControlSpec& row, const ui::KindContext& context);

// A TDBText showing the field; no events.
inline constexpr ui::ControlKind DBText{"DBText", &MakeDBText, true};
// A TDBDateEdit of the field, its caption beside it; OnChange, OnExit (after
// the date went into the field), OnKeyDown, OnKeyPress, OnClick.
inline constexpr ui::ControlKind DBDateEdit{"DBDateEdit", &MakeDBDateEdit, true, true};
