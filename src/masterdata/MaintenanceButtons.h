// The record buttons of a maintenance form in one row, by tag: first 3,
// previous 1, next 2, last 4, "Felvitel" 5, "Módosít" 6, "Törlés" 7,
// "Listázás" 8, "Mégsem" 9, "Rögzítés" 11 and "Kilépés" 0. The forms that
// keep records this way (the master-data forms, the monthly return editors)
// build them here and name them BitBtn1 ... BitBtn11.
#pragma once

#include <QStyle>
#include <functional>

class QAbstractButton;
class QHBoxLayout;
class QPushButton;
class QToolButton;
class QWidget;

namespace maintenance {

struct ButtonRowStyle {
    bool autoDefault = true;         // Enter in the form presses the focused button
    bool stretchBeforeExit = false;  // "Kilépés" at the row's right end
};

QToolButton* NavigationButton(QWidget* parent, QHBoxLayout* row, const char* name,
                              QStyle::StandardPixmap pixmap, const char* hint, int tag);
QPushButton* RecordButton(QWidget* parent, QHBoxLayout* row, const char* name, const char* caption,
                          const char* hint, int tag, bool autoDefault);
void OnClicked(QAbstractButton* b, const std::function<void(QAbstractButton*)>& clicked);

// `clicked` is told of every button but "Kilépés", which the form connects.
template <typename Form>
void BuildButtonRow(Form& f, QWidget* parent, QHBoxLayout* row, ButtonRowStyle style,
                    const std::function<void(QAbstractButton*)>& clicked) {
    f.BitBtn3 = NavigationButton(parent, row, "BitBtn3", QStyle::SP_MediaSkipBackward, "Home", 3);
    f.BitBtn1 = NavigationButton(parent, row, "BitBtn1", QStyle::SP_MediaSeekBackward, "-", 1);
    f.BitBtn2 = NavigationButton(parent, row, "BitBtn2", QStyle::SP_MediaSeekForward, "+", 2);
    f.BitBtn4 = NavigationButton(parent, row, "BitBtn4", QStyle::SP_MediaSkipForward, "End", 4);
    const bool d = style.autoDefault;
    f.BitBtn5 = RecordButton(parent, row, "BitBtn5", "Felvitel", "Ins", 5, d);
    f.BitBtn6 = RecordButton(parent, row, "BitBtn6", "Módosít", "F12", 6, d);
    f.BitBtn7 = RecordButton(parent, row, "BitBtn7", "Törlés", "Del", 7, d);
    f.BitBtn8 = RecordButton(parent, row, "BitBtn8", "Listázás", nullptr, 8, d);
    f.BitBtn9 = RecordButton(parent, row, "BitBtn9", "Mégsem", nullptr, 9, d);
    f.BitBtn11 = RecordButton(parent, row, "BitBtn11", "Rögzítés", nullptr, 11, d);
    if (style.stretchBeforeExit) row->addStretch(1);
    f.BitBtn10 = RecordButton(parent, row, "BitBtn10", "Kilépés", "ESC", 0, d);
    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{f.BitBtn3, f.BitBtn1, f.BitBtn2, f.BitBtn4, f.BitBtn5,
                                                 f.BitBtn6, f.BitBtn7, f.BitBtn8, f.BitBtn9, f.BitBtn11})
        OnClicked(b, clicked);
}

}  // namespace maintenance
