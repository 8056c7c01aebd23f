#include "controls/NumEdits.h"

#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>

#include "controls/ControlUtils.h"
#include "platform/os/NumberFormat.h"

namespace {

QChar DecimalSep() { return QLocale().decimalPoint().at(0); }
QChar ThousandSep() { return QLocale().groupSeparator().at(0); }
bool IsBlank(QChar c) { return c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F); }

QString Grouped(const QString& digits, QChar separator) {
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return out;
}

}  // namespace

QString FormatFloat(const QString& format, double value) {
    return FormatFloat(format, value, DecimalSep(), ThousandSep());
}

QString FormatFloat(const QString& format, double value, QChar decimalSep, QChar thousandSep) {
    return QString::fromStdString(os::FormatFloat(
        format.toStdString(), value, QString(decimalSep).toStdString(), QString(thousandSep).toStdString()));
}

// --- TCustomNumEdit ----------------------------------------------------------------

namespace {

// "CEDITBMP": two 14 x 12 images of a small calculator, normal and disabled.
QPixmap NumEditGlyph() {
    static const QPixmap glyph = [] {
        QImage img(28, 12, QImage::Format_RGB32);
        img.fill(QColor(255, 0, 255));
        QPainter p(&img);
        for (int i = 0; i < 2; ++i) {
            const int x0 = i * 14 + 3;
            p.fillRect(x0, 1, 8, 10, i == 0 ? QColor(0, 0, 0) : QColor(128, 128, 128));
            p.fillRect(x0 + 1, 2, 6, 2, i == 0 ? QColor(0, 255, 0) : QColor(192, 192, 192));
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 3; ++c) img.setPixel(x0 + 1 + c * 2, 5 + r * 2, qRgb(255, 255, 255));
        }
        return QPixmap::fromImage(img);
    }();
    return glyph;
}

}  // namespace

TCustomNumEdit::TCustomNumEdit(QWidget* parent) : TCustomComboEdit(parent) {
    SetMaxLength(0);
    ApplyStandardDisplayFormat();
    setAlignment(Qt::AlignLeft);
    RefreshEditText();
    SetGlyphKind(gkDefault);
    SetButtonWidth(20);
}

QPixmap TCustomNumEdit::DefaultButtonGlyph() const { return NumEditGlyph(); }

QString TCustomNumEdit::EditText() const { return text(); }

void TCustomNumEdit::SetMaxLength(int n) { setMaxLength(n > 0 ? n : 32767); }

QString TCustomNumEdit::NormaliseNumberText(const QString& text) const {
    const QChar dec = DecimalSep(), thou = ThousandSep();
    QString s = text;
    while (s.startsWith(u' ')) s.remove(0, 1);
    while (s.endsWith(u' ')) s.chop(1);
    if (dec != thou) {
        s.remove(thou);
        // Where thousands are grouped with a no-break space, people type a blank.
        if (IsBlank(thou))
            for (QChar blank : {QChar(u' '), QChar(0x00A0), QChar(0x202F)}) s.remove(blank);
    }
    if (dec != u'.' && thou != u'.') s.replace(u'.', dec);
    if (dec != u',' && thou != u',') s.replace(u',', dec);
    if (s.isEmpty()) return QStringLiteral("0");
    if (s == "-") return QStringLiteral("-0");
    return s;
}

double TCustomNumEdit::Convert(const QString& normalised) const {
    QString s = normalised;
    s.replace(DecimalSep(), u'.');
    const QByteArray bytes = s.toLatin1();
    char* end = nullptr;
    const double v = std::strtod(bytes.constData(), &end);
    if (bytes.isEmpty() || end != bytes.constData() + bytes.size() || s.contains(u' ') || !std::isfinite(v) ||
        s.contains(u'x', Qt::CaseInsensitive) || s.contains(u'n', Qt::CaseInsensitive))
        throw NumberConversionError(
            ("'" + normalised + "' is not a valid floating point value").toStdString());
    return v;
}

bool TCustomNumEdit::ValidFloatText(const QString& text, double& value) const {
    if (!AllCharsIn(text, QStringLiteral("+-0123456789Ee") + DecimalSep())) return false;
    try {
        value = Convert(text.left(63));
        return true;
    } catch (const NumberConversionError&) {
        return false;
    }
}

double TCustomNumEdit::ClampToRange(double v, bool raise) const {
    double r = v;
    if (maxValue_ > minValue_) {
        r = v < minValue_ ? minValue_ : (v > maxValue_ ? maxValue_ : v);
    } else if (maxValue_ < minValue_) {
        if (maxValue_ == 0) {
            if (v < minValue_) r = minValue_;
        } else if (minValue_ == 0) {
            if (v > maxValue_) r = maxValue_;
        }
    }
    if (raise && r != v)
        throw NumberConversionError(QString::asprintf("Value must be between %.*f and %.*f", decimalPlaces_,
                                                      minValue_, decimalPlaces_, maxValue_)
                                        .toStdString());
    return r;
}

QString TCustomNumEdit::GroupThousands(const QString& text, bool on) const {
    if (!on) return text;
    QString sign;
    QString s = text;
    if (s.startsWith(u'-') || s.startsWith(u'+')) {
        sign = s.left(1);
        s.remove(0, 1);
    }
    qsizetype end = s.size();
    for (qsizetype i = 0; i < s.size(); ++i)
        if (s[i] == DecimalSep() || s[i] == u'E' || s[i] == u'e') {
            end = i;
            break;
        }
    return sign + Grouped(s.left(end), ThousandSep()) + s.mid(end);
}

void TCustomNumEdit::RefreshEditText() {
    const QString format = decimalPlaces_ > 0 ? "0." + QString(decimalPlaces_, u'#') : QStringLiteral("0");
    setText(value_ == 0 && zeroEmpty_ ? QString() : FormatFloat(format, value_));
}

QString TCustomNumEdit::FormattedDisplayText() const { return FormatFloat(displayFormat_, value_); }

bool TCustomNumEdit::AcceptsKey(QChar c) const {
    QString s = EditText();
    int start = hasSelectedText() ? selectionStart() : cursorPosition();
    if (hasSelectedText()) s.remove(start, selectedText().size());
    s.insert(start, c);
    s = NormaliseNumberText(s);
    const qsizetype dot = s.indexOf(DecimalSep());
    if (dot >= 0) {
        qsizetype e = s.indexOf(u'E', dot, Qt::CaseInsensitive);
        if (e < 0) e = s.size();
        if (e - dot - 1 > decimalPlaces_) return false;
    }
    double v;
    if (!ValidFloatText(s, v)) return false;
    if (minValue_ >= 0 && maxValue_ > 0 && v < 0) return false;
    return true;
}

void TCustomNumEdit::ParseIntoValue() {
    value_ = ClampToRange(Convert(NormaliseNumberText(EditText())), false);
}

double TCustomNumEdit::Value() {
    try {
        ParseIntoValue();
    } catch (const std::exception&) {
        value_ = minValue_;
    }
    return value_;
}

void TCustomNumEdit::SetValue(double value) {
    value_ = ClampToRange(value, false);
    RefreshEditText();
    update();
}

void TCustomNumEdit::SetText(const QString& text) {
    value_ = ClampToRange(Convert(NormaliseNumberText(text)), false);
    RefreshEditText();
    update();
}

void TCustomNumEdit::SetMinValue(double v) {
    if (v == minValue_) return;
    minValue_ = v;
    SetValue(value_);
}

void TCustomNumEdit::SetMaxValue(double v) {
    if (v == maxValue_) return;
    maxValue_ = v;
    SetValue(value_);
}

void TCustomNumEdit::SetDecimalPlaces(int n) {
    decimalPlaces_ = n;
    RefreshEditText();
}

void TCustomNumEdit::SetDisplayFormat(const QString& format) {
    displayFormat_ = format;
    update();
}

void TCustomNumEdit::SetZeroEmpty(bool on) {
    zeroEmpty_ = on;
    RefreshEditText();
}

void TCustomNumEdit::SetAlignment(Qt::Alignment a) {
    alignment_ = a;
    if (formatOnEditing_) setAlignment(a);
    update();
}

void TCustomNumEdit::SetFormatOnEditing(bool on) {
    formatOnEditing_ = on;
    setAlignment(on ? alignment_ : Qt::AlignLeft);
    if (!hasFocus()) return;
    if (on) {
        RegroupWhileTyping();
    } else {
        try {
            ParseIntoValue();
        } catch (const std::exception&) {
        }
        SetTextQuietly(text());
        RefreshEditText();
    }
}

void TCustomNumEdit::RegroupWhileTyping() {
    const QString t = text();
    if (t.isEmpty() || t == "-") return;
    const int fromEnd = int(t.size()) - cursorPosition();
    SetTextQuietly(GroupThousands(NormaliseNumberText(t), displayFormat_.contains(u',')));
    setCursorPosition(std::max(0, int(text().size()) - fromEnd));
}

void TCustomNumEdit::Change() {
    if (formatOnEditing_ && hasFocus() && !formatting_) RegroupWhileTyping();
    TCustomComboEdit::Change();
}

void TCustomNumEdit::KeyPress(QChar& c) {
    if ((c == u'.' || c == u',') && c != ThousandSep()) c = DecimalSep();
    TCustomComboEdit::KeyPress(c);
    if (c.isNull()) return;
    if (c >= u' ' && !AcceptsKey(c)) {
        if (BeepOnError) DefaultBeep();
        c = QChar();
    } else if (c == QChar(27)) {
        // Back to the stored value; Esc still goes on to the form.
        RefreshEditText();
        if (DirectInput()) selectAll();
    }
}

void TCustomNumEdit::keyPressEvent(QKeyEvent* e) {
    if (e->matches(QKeySequence::Paste)) {
        if (!DirectInput() || ReadOnly()) return;
        const QString old = text();
        QLineEdit::keyPressEvent(e);
        try {
            ParseIntoValue();
        } catch (const std::exception&) {
            setText(old);
            selectAll();
            setFocus();
            if (BeepOnError) DefaultBeep();
        }
        return;
    }
    TCustomComboEdit::keyPressEvent(e);
}

void TCustomNumEdit::DoEnter(Qt::FocusReason reason) {
    formatting_ = true;
    RefreshEditText();
    formatting_ = false;
    if (formatOnEditing_) RegroupWhileTyping();
    TCustomComboEdit::DoEnter(reason);
}

bool TCustomNumEdit::DoExit() {
    try {
        if (CheckOnExit) ClampToRange(Convert(NormaliseNumberText(EditText())), true);
        ParseIntoValue();
    } catch (const NumberConversionError& e) {
        if (DirectInput()) selectAll();
        setFocus();
        ShowError(QString::fromStdString(e.what()));
        return false;
    }
    formatting_ = true;
    RefreshEditText();
    formatting_ = false;
    setCursorPosition(0);
    return true;
}

void TCustomNumEdit::paintEvent(QPaintEvent* e) {
    if (hasFocus() && !PopupVisible()) {
        QLineEdit::paintEvent(e);
        return;
    }
    // Unfocused: the value in DisplayFormat ("05" for a month field holding 5).
    QPainter p(this);
    QStyleOptionFrame opt;
    initStyleOption(&opt);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &opt, &p, this);
    QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &opt, this);
    r.setRight(r.right() - ButtonWidth());
    r.adjust(2, 0, -2, 0);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    p.drawText(r, int(alignment_ & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter, FormattedDisplayText());
}

// --- TCurrencyEdit ----------------------------------------------------------------

TCurrencyEdit::TCurrencyEdit(QWidget* parent) : TCustomNumEdit(parent) {
    ApplyStandardDisplayFormat();
    SetButtonWidth(0);
}

QString TCurrencyEdit::StandardDisplayFormat() const {
    const QLocale locale;
    QString symbol = locale.currencySymbol();
    symbol.replace(",", "','").replace(".", "'.'");
    const QString sample = locale.toCurrencyString(1.0);
    const QString number = ",0.00";
    QString positive;
    if (sample.startsWith(locale.currencySymbol()))
        positive = symbol + (sample.at(locale.currencySymbol().size()) == u' ' ? " " : "") + number;
    else
        positive = number + (sample.contains(" " + locale.currencySymbol()) ? " " : "") + symbol;
    return positive + ";-" + positive;
}
