// Dates as day numbers, the way the database framework hands them over: the
// whole part counts days from 1899.12.30 (day 0), the fraction is the time of
// day. Day 0 doubles as the empty date everywhere in the program. Every layer
// that turns a date into year, month and day (or back) calls these.
#pragma once

#include <string>

#include "platform/os/Clock.h"  // Today() and Now()

namespace os {

struct YMD {
    int year = 0, month = 0, day = 0;
    bool operator==(const YMD&) const = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);            // 0 for a month outside 1..12
bool IsValidDate(int year, int month, int day);  // years 1..9999

// Day number of a date; throws std::invalid_argument for an invalid one.
double EncodeDate(int year, int month, int day);
// False (and `result` untouched) for an invalid date.
bool TryEncodeDate(int year, int month, int day, double& result);
// True for a finite day number of a date in years 1..9999 (with any time of
// day): the only ones that decode.
bool IsValidDayNumber(double dayNumber);
// The date part of a day number (the fraction is ignored; negative day
// numbers count back from 1899.12.30 with the time as a positive fraction).
// Throws std::out_of_range for one that is not valid.
YMD DecodeDate(double dayNumber);
// Time of day as a fraction of a day.
double EncodeTime(int hour, int minute, int second, int msec = 0);
void DecodeTime(double dayNumber, int& hour, int& minute, int& second, int& msec);

// 1 = Sunday ... 7 = Saturday, as the framework counts.
int DayOfWeek(double dayNumber);

// ISO text "YYYY-MM-DD" (with " HH:MM:SS" when `withTime` and a fraction is
// present) and back; the empty date is the empty text.
std::string DayNumberToIso(double dayNumber, bool withTime = false);
// Parses "YYYY-MM-DD" or "YYYY-MM-DD HH:MM:SS[.mmm]"; false when malformed.
bool IsoToDayNumber(const std::string& iso, double& result);

// The program's short date format "YYYY.MM.DD" (2019.03.05); the empty date is
// the empty text. The time of day is not shown.
std::string DateToText(double dayNumber);
// The time of day of a day number as "HH:MM:SS".
std::string TimeToText(double dayNumber);
// A date and time spelled by `pattern`: "yyyy", "yy", "MM", "dd", "hh", "mm"
// and "ss" stand for the year, month, day, hour, minute and second with
// leading zeros ("yyyy-MM-dd_hh-mm-ss": "2019-05-02_14-30-05"); every other
// character is copied.
std::string FormatDateTime(double dayNumber, const std::string& pattern);

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

// Two-digit years read with a 60-year window before this year: in 2019, 0..58
// become 2000..2058 and 59..99 become 1959..1999. Years of 100 and above stay.
int WidenYear(int year, int thisYear);

// The free-form reading of a typed date (the platform's text-to-date
// conversion): numbers of up to four digits separated by `separator`, blanks
// allowed around them, in the given order; two numbers are day and month (or
// month and day) of `thisYear`. False for anything else or an invalid date.
bool ScanDate(const std::string& text, DateOrder order, char separator, int thisYear, double& result);
// ScanDate with the program's settings (year-month-day, ".", this year).
bool TextToDate(const std::string& text, double& result);

// The same day `months` months later (or earlier), capped at the length of the
// month reached: 2019.01.31 + 1 month = 2019.02.28. The time of day is kept;
// the empty date stays empty.
double IncMonth(double dayNumber, int months);

}  // namespace os
