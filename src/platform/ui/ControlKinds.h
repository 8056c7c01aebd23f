// The generic kinds of the page tables: controls that bind to no field.
// The data-aware kinds live beside their controls in src/controls.
#pragma once

#include "platform/ui/ControlTable.h"

namespace ui {

QWidget* MakeLabel(const ControlDecl& row, const KindContext& context);
QWidget* MakeButton(const ControlDecl& row, const KindContext& context);
QWidget* MakeGlyphButton(const ControlDecl& row, const KindContext& context);
QWidget* MakeEdit(const ControlDecl& row, const KindContext& context);
QWidget* MakeCheckBox(const ControlDecl& row, const KindContext& context);
QWidget* MakeGroupBox(const ControlDecl& row, const KindContext& context);
QWidget* MakePageControl(const ControlDecl& row, const KindContext& context);
QWidget* MakeTabPage(const ControlDecl& row, const KindContext& context);
QWidget* MakePanel(const ControlDecl& row, const KindContext& context);
QWidget* MakeSplitter(const ControlDecl& row, const KindContext& context);
QWidget* MakeListBox(const ControlDecl& row, const KindContext& context);
QWidget* MakeComboBox(const ControlDecl& row, const KindContext& context);
QWidget* MakeProgressBar(const ControlDecl& row, const KindContext& context);
QWidget* MakeDBGrid(const ControlDecl& row, const KindContext& context);
QWidget* MakeMemo(const ControlDecl& row, const KindContext& context);

// A QLabel showing the caption.
inline constexpr ControlKind Label{"Label", &MakeLabel};
// A QPushButton with the caption; OnClick.
inline constexpr ControlKind Button{"Button", &MakeButton};
// A QToolButton showing the caption as its glyph, never focused by Tab; OnClick.
inline constexpr ControlKind GlyphButton{"GlyphButton", &MakeGlyphButton};
// A QLineEdit bound to nothing; OnChange, OnKeyDown, OnKeyPress, OnClick, OnExit.
inline constexpr ControlKind Edit{"Edit", &MakeEdit};
// A QCheckBox with the caption; OnClick, OnKeyDown, OnKeyPress, OnExit.
inline constexpr ControlKind CheckBox{"CheckBox", &MakeCheckBox};
// A QGroupBox with the caption; its own table fills it.
inline constexpr ControlKind GroupBox{"GroupBox", &MakeGroupBox};
// A QTabWidget; the tab pages that follow it go into it.
inline constexpr ControlKind PageControl{"PageControl", &MakePageControl};
// A page of the last page control, the caption on its tab; its own table fills it.
inline constexpr ControlKind TabPage{"TabPage", &MakeTabPage, false, false, ControlKind::Place::Tab};
// A QWidget without a frame; its own table fills it.
inline constexpr ControlKind Panel{"Panel", &MakePanel};
// A QSplitter of panes one above the other; a table built on it adds its
// controls as the panes, in row order.
inline constexpr ControlKind Splitter{"Splitter", &MakeSplitter};
// A QListWidget of lines the form adds.
inline constexpr ControlKind ListBox{"ListBox", &MakeListBox};
// A QComboBox of items the form adds; OnChange (another item chosen), OnExit,
// OnKeyDown, OnKeyPress.
inline constexpr ControlKind ComboBox{"ComboBox", &MakeComboBox};
// A QProgressBar standing at 0 of 100.
inline constexpr ControlKind ProgressBar{"ProgressBar", &MakeProgressBar};
// A ui::DatasetGrid; the form gives it its columns and its dataset.
inline constexpr ControlKind DBGrid{"DBGrid", &MakeDBGrid};
// A read-only QPlainTextEdit showing the caption, "\n" between its lines.
inline constexpr ControlKind Memo{"Memo", &MakeMemo};

}  // namespace ui
