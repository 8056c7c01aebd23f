#include "platform/report/Page.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <memory>

namespace report {
namespace {

// Drawing unit: 1/100 mm, fine enough that a font's pixel size (an integer
// in Qt) keeps its point size to 0.3 % and text lands alike at every dpi.
constexpr double kUnit = 100.0;

QString FontKey(const Font& f) {
    return f.name + QLatin1Char('|') + QString::number(f.size) + QLatin1Char('|') + QString::number(f.style);
}

const QFontMetricsF& Metrics(const Font& font) {
    // Never freed: the metrics must not outlive the application's font database.
    static auto* cache = new QHash<QString, std::shared_ptr<QFontMetricsF>>;
    auto& m = (*cache)[FontKey(font)];
    if (!m) m = std::make_shared<QFontMetricsF>(MakeQFont(font));
    return *m;
}

int QtAlign(Align a) {
    switch (a) {
        case Align::Right:
            return Qt::AlignRight;
        case Align::Center:
            return Qt::AlignHCenter;
        case Align::Left:
            break;
    }
    return Qt::AlignLeft;
}

QRectF Scaled(const QRectF& r) {
    return QRectF(r.x() * kUnit, r.y() * kUnit, r.width() * kUnit, r.height() * kUnit);
}

struct Drawer {
    QPainter& p;
    int pageCount;

    void operator()(const TextRun& t) const {
        int flags = QtAlign(t.align) | Qt::AlignTop;
        if (t.wrap) flags |= Qt::TextWordWrap;
        if (!t.clip) flags |= Qt::TextDontClip;
        p.setFont(MakeQFont(t.font));
        p.setPen(Qt::black);
        p.drawText(Scaled(t.rect), flags, t.Resolved(pageCount));
    }
    void operator()(const LineShape& l) const {
        p.setPen(QPen(Qt::black, l.width * kUnit, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(l.from * kUnit, l.to * kUnit);
    }
    void operator()(const BoxShape& b) const {
        if (b.penWidth > 0)
            p.setPen(QPen(Qt::black, b.penWidth * kUnit, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        else
            p.setPen(Qt::NoPen);
        p.setBrush(b.fill.isValid() ? QBrush(b.fill) : QBrush(Qt::NoBrush));
        p.drawRect(Scaled(b.rect));
        p.setBrush(Qt::NoBrush);
    }
    void operator()(const ImageShape& i) const { p.drawImage(Scaled(i.rect), i.image); }
};

}  // namespace

QString FontFamily(const QString& name) {
    if (name.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    if (name.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Serif");
    if (name.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Mono");
    return name;
}

QFont MakeQFont(const Font& font) {
    QFont f(FontFamily(font.name));
    f.setPixelSize(std::max(1, int(std::lround(font.size * 25.4 / 72.0 * kUnit))));
    f.setBold(font.style & Bold);
    f.setItalic(font.style & Italic);
    f.setUnderline(font.style & Underline);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

double LineHeight(const Font& font) { return Metrics(font).height() / kUnit; }

double TextWidth(const Font& font, const QString& text) {
    const QFontMetricsF& m = Metrics(font);
    double w = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) w = std::max(w, m.horizontalAdvance(line));
    return w / kUnit;
}

double WrappedHeight(const Font& font, const QString& text, double width) {
    QRectF r =
        Metrics(font).boundingRect(QRectF(0, 0, width * kUnit, 1e9), Qt::TextWordWrap | Qt::AlignLeft, text);
    return r.height() / kUnit;
}

QString TextRun::Resolved(int pageCount) const {
    if (!text.contains(kPageCountMark)) return text;
    QString s = text;
    return s.replace(kPageCountMark, QString::number(pageCount));
}

std::vector<std::vector<PlacedText>> Page::Lines(int pageCount) const {
    std::vector<PlacedText> runs;
    for (const PageItem& item : items_)
        if (auto* t = std::get_if<TextRun>(&item))
            runs.push_back({t->rect.x(), t->rect.y(), t->Resolved(pageCount)});
    // (A tolerance inside one comparison would not be an ordering:
    // 0 ~ 0.3 ~ 0.6 but 0 < 0.6.)
    std::stable_sort(runs.begin(), runs.end(),
                     [](const PlacedText& a, const PlacedText& b) { return a.y < b.y; });
    std::vector<std::vector<PlacedText>> lines;
    for (size_t line = 0; line < runs.size();) {
        size_t end = line + 1;
        while (end < runs.size() && runs[end].y - runs[line].y < 0.5) ++end;
        std::stable_sort(runs.begin() + long(line), runs.begin() + long(end),
                         [](const PlacedText& a, const PlacedText& b) { return a.x < b.x; });
        lines.emplace_back(runs.begin() + long(line), runs.begin() + long(end));
        line = end;
    }
    return lines;
}

std::vector<PlacedText> Page::Texts(int pageCount) const {
    std::vector<PlacedText> out;
    for (const std::vector<PlacedText>& line : Lines(pageCount))
        out.insert(out.end(), line.begin(), line.end());
    return out;
}

bool Page::Contains(const QString& text, int pageCount) const {
    for (const PageItem& item : items_)
        if (auto* t = std::get_if<TextRun>(&item); t && t->Resolved(pageCount).contains(text)) return true;
    return false;
}

void Page::Draw(QPainter& painter, double dotsPerMm, int pageCount) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(dotsPerMm / kUnit, dotsPerMm / kUnit);
    Drawer drawer{painter, pageCount};
    for (const PageItem& item : items_) std::visit(drawer, item);
    painter.restore();
}

QImage Page::Render(double dpi, int pageCount, QImage::Format format) const {
    double dotsPerMm = dpi / 25.4;
    QImage image(int(std::lround(width_ * dotsPerMm)), int(std::lround(height_ * dotsPerMm)), format);
    image.setDotsPerMeterX(int(std::lround(dotsPerMm * 1000)));
    image.setDotsPerMeterY(int(std::lround(dotsPerMm * 1000)));
    image.fill(Qt::white);
    QPainter painter(&image);
    Draw(painter, dotsPerMm, pageCount);
    return image;
}

}  // namespace report
