// A form laid out once keeps its size while the texts in it change: a name
// label filled while the user types must not make the window jump.
#pragma once

class QWidget;

namespace ui {

// From its first showing on, `window` keeps the size it was shown with (the
// user may still make it larger); its layout no longer resizes it.
void KeepShownSize(QWidget* window);

}  // namespace ui
