#include "controls/ControlUtils.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPalette>
#include <QProcess>
#include <QStandardPaths>
#include <stdexcept>

#include "controls/DateUtil.h"

bool AllCharsIn(const QString& text, const QString& chars) {
    for (QChar c : text)
        if (!chars.contains(c)) return false;
    return true;
}

QString ReplaceAll(const QString& text, const QString& search, const QString& replacement) {
    if (search.isEmpty()) return text;
    QString out = text;
    return out.replace(search, replacement);
}

QString RemoveChar(const QString& text, QChar c) {
    QString out = text;
    return out.remove(c);
}

QString TrimLeadingSpaces(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ') ++i;
    return text.mid(i);
}

QString TrimTrailingSpaces(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ') --n;
    return text.left(n);
}

QString TrimSpaces(const QString& text) { return TrimLeadingSpaces(TrimTrailingSpaces(text)); }

QString RepeatChar(QChar c, int count) { return count > 0 ? QString(count, c) : QString(); }

QString ShortenWithEllipsis(const QString& text, const QFontMetrics& metrics, int width) {
    QString result = text;
    for (qsizetype i = 1; i <= text.size() && metrics.horizontalAdvance(result) > width; ++i)
        result = text.left(std::max<qsizetype>(text.size() - i, 0)) + QStringLiteral("...");
    return result;
}

int MaxOf(int a, int b) { return b < a ? a : b; }
int MinOf(int a, int b) { return a < b ? a : b; }

namespace {
int CheckedDifference(int high, int low) {
    int r;
    if (__builtin_sub_overflow(high, low, &r)) throw std::overflow_error("Egész szám túlcsordulás");
    return r;
}
}  // namespace

int RectWidth(const QRect& r) { return CheckedDifference(r.left() + r.width(), r.left()); }
int RectHeight(const QRect& r) { return CheckedDifference(r.top() + r.height(), r.top()); }

QImage DisabledBitmapOf(const QImage& image, QColor outline, QColor back, QColor highlight, QColor shadow,
                        bool withHighlight) {
    QImage src = image.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_ARGB32);
    out.fill(back);
    const QRgb key = outline.rgb();
    auto paint = [&](int dx, int dy, QColor c) {
        for (int y = 0; y < src.height(); ++y)
            for (int x = 0; x < src.width(); ++x)
                if ((src.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF) && qAlpha(src.pixel(x, y)) != 0 &&
                    out.rect().contains(x + dx, y + dy))
                    out.setPixel(x + dx, y + dy, c.rgb());
    };
    if (withHighlight) paint(1, 1, highlight);
    paint(0, 0, shadow);
    return out;
}

QImage DisabledBitmapStandard(const QImage& image, QColor outline) {
    const QPalette p = QApplication::palette();
    return DisabledBitmapOf(image, outline, p.color(QPalette::Button), p.color(QPalette::Light),
                            p.color(QPalette::Dark), true);
}

void DropPendingMessage(QObject* receiver, int eventType) {
    QCoreApplication::removePostedEvents(receiver, eventType);
}

bool AppIsForeground() { return QApplication::activeWindow() != nullptr; }

bool MaskSavesLiterals(const QString& mask) {
    const QStringList fields = mask.split(u';');
    return fields.size() < 2 || fields[1] != u"0";
}

QString MaskInputOnly(const QString& qtMask, const QString& text) {
    static const QString input = QStringLiteral("AaNnXx90Dd#HhBb");
    QString out;
    qsizetype pos = 0;
    for (qsizetype i = 0; i < qtMask.size() && pos < text.size(); ++i) {
        const QChar c = qtMask[i];
        if (c == u';') break;  // the blank character follows
        if (c == u'>' || c == u'<' || c == u'!') continue;
        if (c == u'\\') {
            ++i;  // an escaped literal
            ++pos;
            continue;
        }
        if (input.contains(c) && text[pos] != u' ') out += text[pos];
        ++pos;
    }
    return out;
}

QString QtEditMask(const QString& mask) {
    if (mask.isEmpty()) return {};
    // Fields: the picture, whether literals are kept in the text, the blank.
    const QStringList fields = mask.split(u';');
    const QString picture = fields[0];
    QChar blank = u'_';
    if (fields.size() > 2 && !fields[2].isEmpty()) blank = fields[2][0];
    static const QString qtMeta = QStringLiteral("AaNnXx90Dd#HhBb><![]{}\\");
    QString out;
    for (qsizetype i = 0; i < picture.size(); ++i) {
        const QChar c = picture[i];
        switch (c.unicode()) {
            case '!':
                break;
            case '<':
                if (i + 1 < picture.size() && picture[i + 1] == u'>') {
                    out += u'!';
                    ++i;
                } else {
                    out += u'<';
                }
                break;
            case '>':
                out += u'>';
                break;
            case '\\':
                if (++i < picture.size())
                    out += (qtMeta.contains(picture[i]) ? "\\" : "") + QString(picture[i]);
                break;
            case 'L':
                out += u'A';
                break;
            case 'l':
                out += u'a';
                break;
            case 'A':
                out += u'N';
                break;
            case 'a':
                out += u'n';
                break;
            case 'C':
                out += u'X';
                break;
            case 'c':
                out += u'x';
                break;
            case '0':
                out += u'9';
                break;
            case '9':
                out += u'0';
                break;
            case '#':
                out += u'#';
                break;
            case '/':
                out += DateSeparator();
                break;
            case ':':
                out += u':';
                break;
            case '_':
                out += u' ';
                break;
            default:
                out += (qtMeta.contains(c) ? "\\" : "") + QString(c);
        }
    }
    return out + u';' + blank;
}

void DefaultBeep() { QApplication::beep(); }

int RunAndWait(const QString& file, const QString& parameters, const QString& folder, int /*windowState*/) {
    QProcess process;
    process.setWorkingDirectory(folder);
    const QStringList args = QProcess::splitCommand(parameters);
    const QFileInfo info(QDir(folder).filePath(file));
    const bool isProgram = (info.exists() && info.isExecutable() && !info.isDir()) ||
                           (!info.exists() && !QStandardPaths::findExecutable(file).isEmpty());
    if (isProgram) {
        process.start(info.exists() ? info.absoluteFilePath() : file, args);
    } else {
        if (!info.exists()) return -1;
        process.start(QStringLiteral("xdg-open"), QStringList{info.absoluteFilePath()} + args);
    }
    if (!process.waitForStarted()) return -1;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    if (process.state() != QProcess::NotRunning) loop.exec();
    // QCoreApplication::exit() ends every running event loop: the program is
    // quitting while the child still runs.
    if (process.state() != QProcess::NotRunning) return 259;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}
