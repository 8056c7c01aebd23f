// Small routines the controls of the kit share: blank-only trimming and other
// text helpers, integer bounds, the embossed image of a disabled glyph, the
// foreground test, the beep, and starting a program while the interface stays
// alive. "Blank" means the space character only.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

class QFontMetrics;
class QObject;

bool AllCharsIn(const QString& text, const QString& chars);
// Left to right; a replacement is never searched again ("aa" with a -> aa
// gives "aaaa"). An empty search text leaves the text as it is.
QString ReplaceAll(const QString& text, const QString& search, const QString& replacement);
QString RemoveChar(const QString& text, QChar c);
QString TrimLeadingSpaces(const QString& text);
QString TrimTrailingSpaces(const QString& text);
QString TrimSpaces(const QString& text);
QString RepeatChar(QChar c, int count);
// Drops characters from the end, adding "...", until the text fits `width`
// pixels (or only "..." is left).
QString ShortenWithEllipsis(const QString& text, const QFontMetrics& metrics, int width);

int MaxOf(int a, int b);
int MinOf(int a, int b);
// Right minus left and bottom minus top of the rectangle's edges (Qt's
// right() is inclusive, so the exclusive edge is used); std::overflow_error
// when the difference leaves the int range.
int RectWidth(const QRect& r);
int RectHeight(const QRect& r);

// A new image of the same size in `back`, on which the pixels of `image` that
// have the outline colour appear embossed: in `highlight` one pixel right and
// down (with `withHighlight`), then in `shadow` in place.
QImage DisabledBitmapOf(const QImage& image, QColor outline, QColor back, QColor highlight, QColor shadow,
                        bool withHighlight);
// DisabledBitmapOf with the palette's button, light and dark colours.
QImage DisabledBitmapStandard(const QImage& image, QColor outline);

// Removes pending posted events of `eventType` for `receiver` (every receiver
// when null).
void DropPendingMessage(QObject* receiver, int eventType);
// True when one of the program's windows is the active window.
bool AppIsForeground();
// An edit mask as the forms write it ("!9999/99/99;1; ", "999a;1; ") in
// Qt's notation with the same meaning. The two use opposite letters for
// required and optional digits (there "0" is required and "9" optional), "/"
// and ":" stand for the date and time separators, and the last field names the
// character shown for a blank. "!" (optional positions kept as leading blanks)
// has no Qt counterpart and is dropped.
// Whether a field's edit mask stores its literal characters with the value
// (the second part of "99999999-9-99;0;_" is "0": only the typed ones).
bool MaskSavesLiterals(const QString& mask);
// The typed characters of a text shown in the Qt input mask `qtMask`: the
// literals and the blanks left out ("12345678-1-42" -> "12345678142").
QString MaskInputOnly(const QString& qtMask, const QString& text);
QString QtEditMask(const QString& mask);

// The system's default beep.
void DefaultBeep();

// Starts `file` (a program, or a document through the desktop's opener) with
// the blank-separated parameters in `folder` and waits for it while the
// interface keeps processing events. Returns the exit code, -1 when it could
// not be started, 259 when the program is quitting meanwhile. The window
// state (0 normal, 1 minimized, 2 maximized) is the started program's to honour.
int RunAndWait(const QString& file, const QString& parameters, const QString& folder, int windowState);
