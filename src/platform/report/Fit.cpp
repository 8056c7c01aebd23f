#include "platform/report/Fit.h"

#include <QFontMetricsF>
#include <QHash>
#include <algorithm>
#include <memory>

#include "platform/report/Page.h"
#include "platform/report/PagePrinter.h"

namespace report {
namespace {

constexpr double kUnit = 100.0;    // MakeQFont sizes fonts in 1/100 mm
constexpr double kSlack = 0.05;    // mm: rounding of the metrics
constexpr double kRowSlack = 0.8;  // mm: lines this close above each other do not collide

// Where a run's text is drawn: the rectangle its letters take, clipped to
// its box where the box clips.
struct Drawn {
    QRectF ink;
    QString text;
};

class Measure {
public:
    const QFontMetricsF& Of(const Font& font) {
        const QString key = font.name + '|' + QString::number(font.size) + '|' + QString::number(font.style);
        auto& m = cache_[key];
        if (!m) m = std::make_shared<QFontMetricsF>(MakeQFont(font));
        return *m;
    }

private:
    QHash<QString, std::shared_ptr<QFontMetricsF>> cache_;
};

QString Where(int page, const QRectF& r) {
    return QString::asprintf("page %d at %.1f, %.1f mm: ", page, r.x(), r.y());
}

QString Quoted(const QString& text) { return '"' + QString(text).replace('\n', "\\n") + '"'; }

}  // namespace

std::vector<QString> FitProblems(const PagePrinter& printer) {
    std::vector<QString> out;
    Measure measure;
    const int count = printer.PageCount();
    for (int n = 1; n <= count; ++n) {
        const Page& page = *printer.GetPage(n);
        std::vector<Drawn> drawn;
        for (const PageItem& item : page.Items()) {
            const auto* run = std::get_if<TextRun>(&item);
            if (!run) continue;
            const QString text = run->Resolved(count);
            if (text.trimmed().isEmpty()) continue;
            const QFontMetricsF& m = measure.Of(run->font);
            const double lineHeight = m.height() / kUnit;
            const QRectF& box = run->rect;
            double width = 0, height = 0, left = box.left();
            if (run->wrap) {
                const QRectF r = m.boundingRect(QRectF(0, 0, box.width() * kUnit, 1e9),
                                                Qt::TextWordWrap | Qt::AlignLeft, text);
                width = r.width() / kUnit;
                height = r.height() / kUnit;
            } else {
                const QStringList lines = text.split('\n');
                for (const QString& line : lines) width = std::max(width, m.horizontalAdvance(line) / kUnit);
                height = lines.size() * lineHeight;
            }
            if (run->clip && width > box.width() + kSlack)
                out.push_back(
                    Where(n, box) + Quoted(text) +
                    QString::asprintf(" needs %.1f mm, its box is %.1f mm wide", width, box.width()));
            else if (run->clip && height > box.height() + kSlack)
                out.push_back(
                    Where(n, box) + Quoted(text) +
                    QString::asprintf(" needs %.1f mm, its box is %.1f mm high", height, box.height()));
            // The letters only: blanks around the text take no ink.
            if (!run->wrap && !text.contains('\n')) {
                const QString trimmed = text.trimmed();
                const double lead = m.horizontalAdvance(text.left(text.indexOf(trimmed[0]))) / kUnit;
                const double inner = m.horizontalAdvance(trimmed) / kUnit;
                if (run->align == Align::Right)
                    left = box.right() - width + lead;
                else if (run->align == Align::Center)
                    left = box.left() + (box.width() - width) / 2 + lead;
                else
                    left = box.left() + lead;
                width = inner;
            }
            QRectF ink(left, box.top(), width, height);
            if (run->clip) ink = ink.intersected(box);
            if (ink.left() < -kSlack || ink.top() < -kSlack || ink.right() > page.Width() + kSlack ||
                ink.bottom() > page.Height() + kSlack)
                out.push_back(Where(n, box) + Quoted(text) + " runs off the paper");
            drawn.push_back({ink, text});
        }
        for (size_t i = 0; i < drawn.size(); ++i)
            for (size_t j = i + 1; j < drawn.size(); ++j) {
                const QRectF& a = drawn[i].ink;
                const QRectF& b = drawn[j].ink;
                const double across = std::min(a.right(), b.right()) - std::max(a.left(), b.left());
                const double down = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
                if (across > -kMinGap && down > kRowSlack)
                    out.push_back(Where(n, a) + Quoted(drawn[i].text) + " collides with " +
                                  Quoted(drawn[j].text));
            }
    }
    return out;
}

}  // namespace report
