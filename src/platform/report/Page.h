// A produced report page as a display list in millimetres: text runs, lines,
// rectangles and images in drawing order. The preview, the printer and the PDF
// export all draw from these, at whatever resolution their device has; tests
// read a page's text runs.
#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

class QPainter;
class QFont;

namespace report {

constexpr double kA4Width = 210.0;  // mm
constexpr double kA4Height = 297.0;

// Millimetres of a length given in screen pixels of the layout designer (96 dpi).
constexpr double Px(double pixels) { return pixels * 25.4 / 96.0; }

enum FontStyle : int { Regular = 0, Bold = 1, Italic = 2, Underline = 4 };

// A font as the layouts name it ("Arial", "Times New Roman", "Courier New"),
// size in points.
struct Font {
    QString name = QStringLiteral("Arial");
    double size = 10;
    int style = Regular;
    bool operator==(const Font&) const = default;
};

// The installed family that stands in for a font name: the metric-compatible
// Liberation fonts for the three Windows names, the name itself otherwise.
QString FontFamily(const QString& name);

// The Qt font of `font`, sized in the drawing unit (1/100 mm).
QFont MakeQFont(const Font& font);

// Text measurements in millimetres, the same at every resolution.
double LineHeight(const Font& font);
double TextWidth(const Font& font, const QString& text);
double WrappedHeight(const Font& font, const QString& text, double width);

enum class Align { Left, Right, Center };

// Marks the place of the final page count inside a text run: the count is not
// known while pages are produced, so it is filled in when the page is read.
inline const QChar kPageCountMark(0xE000);

struct TextRun {
    QRectF rect;  // mm on the page
    QString text;
    Font font;
    Align align = Align::Left;
    bool wrap = false;
    bool clip = true;  // false: may run past its rectangle (auto-sized text)
    QString Resolved(int pageCount) const;
};

struct LineShape {
    QPointF from, to;  // mm
    double width = 0.25;
};

struct BoxShape {
    QRectF rect;
    double penWidth = 0.25;  // 0: no outline
    QColor fill;             // invalid: not filled
};

struct ImageShape {
    QRectF rect;
    QImage image;
};

using PageItem = std::variant<TextRun, LineShape, BoxShape, ImageShape>;

// A text run as a test reads it: top left corner in mm and its final text.
struct PlacedText {
    double x = 0, y = 0;
    QString text;
};

class Page {
public:
    Page(double width = kA4Width, double height = kA4Height) : width_(width), height_(height) {}

    double Width() const { return width_; }    // mm
    double Height() const { return height_; }  // mm
    const std::vector<PageItem>& Items() const { return items_; }
    void Add(PageItem item) { items_.push_back(std::move(item)); }

    // Text runs top to bottom, left to right (the page count filled in).
    std::vector<PlacedText> Texts(int pageCount) const;
    // The same runs as printed lines: runs whose tops lie less than 0.5 mm
    // below a line's first run stand on that line.
    std::vector<std::vector<PlacedText>> Lines(int pageCount) const;
    bool Contains(const QString& text, int pageCount) const;

    // Draws the page with its top left corner at the painter's origin, at
    // `dotsPerMm` device pixels per millimetre.
    void Draw(QPainter& painter, double dotsPerMm, int pageCount) const;
    // The page as an image on white at `dpi` dots per inch.
    QImage Render(double dpi, int pageCount, QImage::Format format = QImage::Format_RGB32) const;

private:
    double width_, height_;
    std::vector<PageItem> items_;
};

}  // namespace report
