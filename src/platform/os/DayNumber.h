// Dates as day numbers, the way the database framework hands them over: the
// whole part counts days from 1899.12.30 (day 0), the fraction is the time of
// day. Day 0 doubles as the empty date everywhere in the program. Every layer
// that turns a date into year, month and day (or back) calls these.
#pragma once

#include <string>

namespace os {

struct YMD {
    int year = 0, month = 0, day = 0;
    bool operator==(const YMD&) const = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1..12
bool IsValidDate(int year, int month, int day);  // years 1..9999

// Day number of a date; throws std::invalid_argument for an invalid one.
double EncodeDate(int year, int month, int day);
// False (and `result` untouched) for an invalid date.
bool TryEncodeDate(int year, int month, int day, double& result);
// The date part of a day number (the fraction is ignored; negative day
// numbers count back from 1899.12.30 with the time as a positive fraction).
YMD DecodeDate(double dayNumber);
// Time of day as a fraction of a day.
double EncodeTime(int hour, int minute, int second, int msec = 0);
void DecodeTime(double dayNumber, int& hour, int& minute, int& second, int& msec);

// 1 = Sunday ... 7 = Saturday, as the framework counts.
int DayOfWeek(double dayNumber);

double Today();  // local date, no fraction
double Now();    // local date and time

// ISO text "YYYY-MM-DD" (with " HH:MM:SS" when `withTime` and a fraction is
// present) and back; the empty date is the empty text.
std::string DayNumberToIso(double dayNumber, bool withTime = false);
// Parses "YYYY-MM-DD" or "YYYY-MM-DD HH:MM:SS[.mmm]"; false when malformed.
bool IsoToDayNumber(const std::string& iso, double& result);

}  // namespace os
