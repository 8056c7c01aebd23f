#include "controls/DateUtil.h"

#include <QLocale>
#include <cmath>

bool FourDigitYears = true;

QString ShortDateFormat() { return QStringLiteral("YYYY.MM.DD"); }
QChar DateSeparator() { return u'.'; }

QLocale CalendarLocale() { return QLocale(QLocale::Hungarian, QLocale::Hungary); }

bool DateTimeValid(double date) {
    if (!std::isfinite(date) || date < -693593 || date >= 2958466) return false;
    const os::YMD d = os::DecodeDate(date);
    return os::IsValidDate(d.year, d.month, d.day);
}

int ThisYear() { return os::DecodeDate(os::Today()).year; }

int WidenYear(int year) { return os::WidenYear(year, ThisYear()); }

os::DateOrder DateOrderOf(const QString& format) {
    for (QChar c : format) {
        switch (c.toUpper().unicode()) {
            case 'D':
                return os::DateOrder::DayMonthYear;
            case 'E':
            case 'Y':
                return os::DateOrder::YearMonthDay;
            case 'M':
                return os::DateOrder::MonthDayYear;
        }
    }
    return os::DateOrder::DayMonthYear;
}

int MonthByName(const QString& text, int length) {
    const QLocale locale = CalendarLocale();
    for (int m = 1; m <= 12; ++m) {
        const QString name = locale.monthName(m, QLocale::LongFormat);
        if (!name.isEmpty() && name.left(length).compare(text.left(length), Qt::CaseInsensitive) == 0)
            return m;
    }
    return 0;
}

QString StandardDateFormat(bool fourDigitYear) {
    const QString year = fourDigitYear ? QStringLiteral("YYYY") : QStringLiteral("YY");
    switch (DateOrderOf(ShortDateFormat())) {
        case os::DateOrder::MonthDayYear:
            return "MM/DD/" + year;
        case os::DateOrder::DayMonthYear:
            return "DD/MM/" + year;
        case os::DateOrder::YearMonthDay:
            break;
    }
    return year + "/MM/DD";
}

QString StandardDateMask(QChar blank, bool fourDigitYear) {
    const QString year = fourDigitYear ? QStringLiteral("9999") : QStringLiteral("99");
    const QString mask = DateOrderOf(ShortDateFormat()) == os::DateOrder::YearMonthDay ? "!" + year + "/99/99"
                                                                                       : "!99/99/" + year;
    return mask + ";1;" + blank;
}

namespace {

// The digits under the first run of `count` letters of the format.
int PickMaskField(const QString& format, const QString& text, QChar letter, int count, int fallback,
                  int blank) {
    if (text.size() > format.size()) return fallback;
    const QString run(count, letter);
    const qsizetype start = format.indexOf(run, 0, Qt::CaseInsensitive);
    if (start < 0) return fallback;
    QString collected;
    for (qsizetype i = start; i < format.size() && format[i].toUpper() == letter.toUpper() && i < text.size();
         ++i)
        if (text[i] != u' ' && collected.size() < 20) collected += text[i];
    if (collected.isEmpty()) return blank;
    if (count == 1) {
        bool ok = false;
        const int v = collected.toInt(&ok);
        return ok ? v : -1;
    }
    const int m = MonthByName(collected, static_cast<int>(collected.size()));
    return m == 0 ? -1 : m;
}

}  // namespace

bool TryDateByFormat(const QString& format, const QString& text, double& date) {
    if (text.isEmpty()) {
        date = EmptyDate;
        return true;
    }
    int month = PickMaskField(format, text, u'M', 3, 0, -1);
    if (month == 0) month = PickMaskField(format, text, u'M', 1, 0, -1);
    const int day = PickMaskField(format, text, u'D', 1, 1, -1);
    int year = PickMaskField(format, text, u'Y', 1, ThisYear(), -1);
    year = WidenYear(year);
    if (os::TryEncodeDate(year, month, day, date)) return true;
    return os::ScanDate(text.toStdString(), DateOrderOf(format), DateSeparator().toLatin1(), ThisYear(),
                        date);
}

double DateByFormat(const QString& format, const QString& text) {
    double d;
    if (!TryDateByFormat(format, text, d))
        throw DateConversionError(("'" + text + "' is not a valid date").toStdString());
    return d;
}

double DateByFormatOr(const QString& format, const QString& text, double fallback) {
    double d;
    return TryDateByFormat(format, text, d) ? d : std::trunc(fallback);
}

double DateOrDefault(double date, double fallback) { return date == EmptyDate ? fallback : date; }

QString FormatDateByFormat(const QString& format, double date) {
    const os::YMD d = os::DecodeDate(date);
    QString out;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i].toUpper();
        qsizetype n = 1;
        while (i + n < format.size() && format[i + n].toUpper() == c) ++n;
        if (c == u'Y')
            out += n <= 2 ? QString::asprintf("%02d", d.year % 100) : QString::asprintf("%04d", d.year);
        else if (c == u'M')
            out += n == 1 ? QString::number(d.month) : QString::asprintf("%02d", d.month);
        else if (c == u'D')
            out += n == 1 ? QString::number(d.day) : QString::asprintf("%02d", d.day);
        else if (c == u'/')
            out += QString(n, DateSeparator());
        else
            out += format.mid(i, n);
        i += n;
    }
    return out;
}
