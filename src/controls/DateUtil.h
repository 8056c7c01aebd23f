// The date routines under the date edits: the date order of a format, the
// standard date format and edit mask, and reading a text by a date format.
// Day arithmetic itself is os::DayNumber's.
#pragma once

#include <QLocale>
#include <QString>
#include <stdexcept>

#include "platform/os/DayNumber.h"

constexpr double EmptyDate = 0;

// The days of the week as the calendars name them; a set of days is a bit mask.
enum TDayOfWeekName { Sun, Mon, Tue, Wed, Thu, Fri, Sat };
using TDaysOfWeek = unsigned;  // bit (1 << TDayOfWeekName)
constexpr int CenturyWindow = 60;

// True when the system's short date format has four-digit years; the program
// shows "YYYY.MM.DD", so it holds.
extern bool FourDigitYears;
// The system's short date format and separator as the program forces them.
QString ShortDateFormat();
QChar DateSeparator();

// The locale of month and day names: Hungarian.
QLocale CalendarLocale();

bool DateTimeValid(double date);
int ThisYear();
int WidenYear(int year);
os::DateOrder DateOrderOf(const QString& format);
// 1..12 for the first `length` letters of a long month name, else 0.
int MonthByName(const QString& text, int length);
// "YYYY/MM/DD" (or "YY/MM/DD"); "/" stands for the date separator.
QString StandardDateFormat(bool fourDigitYear);
// The edit mask in the forms' own notation ("!9999/99/99;1; ");
// QtEditMask turns it into Qt's.
QString StandardDateMask(QChar blank, bool fourDigitYear);

bool TryDateByFormat(const QString& format, const QString& text, double& date);
// Raises DateConversionError "'<text>' is not a valid date".
double DateByFormat(const QString& format, const QString& text);
// The whole-day part of `fallback` when the text does not read.
double DateByFormatOr(const QString& format, const QString& text, double fallback);
double DateOrDefault(double date, double fallback);
// The date in the format, "/" printing the date separator ("2019.01.31").
QString FormatDateByFormat(const QString& format, double date);

class DateConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
