// The data-aware kinds of the page tables: controls bound to a field of the
// form's data source, their edit mask, width and caption from the field.
#pragma once

#include "platform/ui/ControlTable.h"

QWidget* MakeDBText(const ui::ControlDecl& row, const ui::KindContext& context);
QWidget* MakeDBDateEdit(const ui::ControlDecl& row, const ui::KindContext& context);
QWidget* MakeDBEdit(const ui::ControlDecl& row, const ui::KindContext& context);
QWidget* MakeDBCheckBox(const ui::ControlDecl& row, const ui::KindContext& context);
QWidget* MakeDBFixedCombo(const ui::ControlDecl& row, const ui::KindContext& context);

// A TDBText showing the field; no events.
inline constexpr ui::ControlKind DBText{"DBText", &MakeDBText, true};
// A TDBDateEdit of the field, its caption beside it; OnChange, OnExit (after
// the date went into the field), OnKeyDown, OnKeyPress, OnClick.
inline constexpr ui::ControlKind DBDateEdit{"DBDateEdit", &MakeDBDateEdit, true, true};
// A TDBEdit of the field (its mask from the field), as wide as the field,
// its caption beside it; OnChange, OnExit (after the text went into the
// field), OnKeyDown, OnKeyPress, OnClick.
inline constexpr ui::ControlKind DBEdit{"DBEdit", &MakeDBEdit, true, true};
// A DBEdit and a DBDateEdit of the field left without a data source, for a
// form that binds them (SetDataSource) once there is a record to edit: no
// caption beside them, as wide as their cells. Events as the bound kinds.
inline constexpr ui::ControlKind UnboundDBEdit{"UnboundDBEdit", &MakeDBEdit};
inline constexpr ui::ControlKind UnboundDBDateEdit{"UnboundDBDateEdit", &MakeDBDateEdit};
// A TDBCheckBox of an "I"/"N" field showing the field's caption as its text
// (bold when required); OnClick, OnExit, OnKeyDown, OnKeyPress.
inline constexpr ui::ControlKind DBCheckBox{"DBCheckBox", &MakeDBCheckBox, true};
// A TDBComboBox of the fixed codes "1", "2", "3" and "0" in this order (the
// month codes of the declarations), its caption beside it; OnChange (a code
// chosen), OnExit, OnKeyDown, OnKeyPress.
inline constexpr ui::ControlKind DBFixedCombo{"DBFixedCombo", &MakeDBFixedCombo, true, true};
QWidget* MakeDBMarkCombo(const ui::ControlDecl& row, const ui::KindContext& context);
// A TDBComboBox of an empty item and "X" (a mark field such as "lives
// abroad"), its caption beside it; a typed "x" chooses "X". Events as
// DBFixedCombo.
inline constexpr ui::ControlKind DBMarkCombo{"DBMarkCombo", &MakeDBMarkCombo, true, true};
