#include "platform/os/DayNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace os {
namespace {

// Days from 0001.01.01 to the given date (proleptic Gregorian).
long long DaysFromCivilStart(int y, int m, int d) {
    static const int before[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const long long yy = y - 1;
    long long days = yy * 365 + yy / 4 - yy / 100 + yy / 400 + before[m - 1] + (d - 1);
    if (m > 2 && IsLeapYear(y)) ++days;
    return days;
}

// 1899.12.30 counted the same way.
const long long kEpoch = DaysFromCivilStart(1899, 12, 30);

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

bool TryEncodeDate(int year, int month, int day, double& result) {
    if (!IsValidDate(year, month, day)) return false;
    result = static_cast<double>(DaysFromCivilStart(year, month, day) - kEpoch);
    return true;
}

double EncodeDate(int year, int month, int day) {
    double r;
    if (!TryEncodeDate(year, month, day, r)) throw std::invalid_argument("Érvénytelen dátum");
    return r;
}

bool IsValidDayNumber(double dayNumber) {
    static const double first = static_cast<double>(DaysFromCivilStart(1, 1, 1) - kEpoch);
    static const double last = static_cast<double>(DaysFromCivilStart(9999, 12, 31) - kEpoch);
    // NaN fails both comparisons.
    return std::trunc(dayNumber) >= first && std::trunc(dayNumber) <= last;
}

YMD DecodeDate(double dayNumber) {
    if (!IsValidDayNumber(dayNumber)) throw std::out_of_range("Érvénytelen dátum");
    // Civil-from-days (Howard Hinnant's algorithm), shifted to our epoch.
    long long z = static_cast<long long>(std::trunc(dayNumber)) + kEpoch + 306;  // days from 0000.03.01
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    YMD r;
    r.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    r.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    r.year = static_cast<int>(yoe + era * 400 + (r.month <= 2 ? 1 : 0));
    return r;
}

double EncodeTime(int hour, int minute, int second, int msec) {
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / 86400000.0;
}

void DecodeTime(double dayNumber, int& hour, int& minute, int& second, int& msec) {
    if (!std::isfinite(dayNumber)) dayNumber = 0;
    double frac = std::fabs(dayNumber - std::trunc(dayNumber));
    long long ms = std::llround(frac * 86400000.0);
    if (ms >= 86400000) ms = 86399999;
    hour = static_cast<int>(ms / 3600000);
    minute = static_cast<int>(ms / 60000 % 60);
    second = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

int DayOfWeek(double dayNumber) {
    // Day 0 (1899.12.30) was a Saturday.
    if (!IsValidDayNumber(dayNumber)) throw std::out_of_range("Érvénytelen dátum");
    long long d = static_cast<long long>(std::trunc(dayNumber));
    return static_cast<int>(((d % 7) + 7 + 6) % 7) + 1;
}

std::string DayNumberToIso(double dayNumber, bool withTime) {
    if (dayNumber == 0) return "";
    const YMD d = DecodeDate(dayNumber);
    char buf[32];
    std::string s;
    if (d.year >= 0 && d.year <= 9999) {
        // Every date a table stores is formatted here: digits by hand, as a
        // formatted print of them costs several times as much.
        s = "0000-00-00";
        for (int i = 3, y = d.year; i >= 0; --i, y /= 10) s[i] = static_cast<char>('0' + y % 10);
        s[5] = static_cast<char>('0' + d.month / 10), s[6] = static_cast<char>('0' + d.month % 10);
        s[8] = static_cast<char>('0' + d.day / 10), s[9] = static_cast<char>('0' + d.day % 10);
    } else {
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
        s = buf;
    }
    if (withTime && dayNumber != std::floor(dayNumber)) {
        int h, m, sec, ms;
        DecodeTime(dayNumber, h, m, sec, ms);
        std::snprintf(buf, sizeof buf, " %02d:%02d:%02d", h, m, sec);
        s += buf;
        if (ms) {
            std::snprintf(buf, sizeof buf, ".%03d", ms);
            s += buf;
        }
    }
    return s;
}

namespace {

// The digits at `p` as a number; false when one of the n characters is no digit.
bool Digits(const char* p, int n, int& out) {
    out = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9') return false;
        out = out * 10 + (p[i] - '0');
    }
    return true;
}

// The shapes the database layer itself writes, read without the scanner:
// every stored date passes through here when a table is read.
bool ParseStoredIso(const std::string& iso, int& y, int& mo, int& d, int& h, int& mi, int& s, int& ms) {
    const char* p = iso.c_str();
    const size_t n = iso.size();
    if (n != 10 && n != 19 && n != 23) return false;
    if (!Digits(p, 4, y) || p[4] != '-' || !Digits(p + 5, 2, mo) || p[7] != '-' || !Digits(p + 8, 2, d))
        return false;
    if (n == 10) return true;
    if (p[10] != ' ' || !Digits(p + 11, 2, h) || p[13] != ':' || !Digits(p + 14, 2, mi) || p[16] != ':' ||
        !Digits(p + 17, 2, s))
        return false;
    return n == 19 || (p[19] == '.' && Digits(p + 20, 3, ms));
}

}  // namespace

bool IsoToDayNumber(const std::string& iso, double& result) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0, used = -1;
    bool ok = ParseStoredIso(iso, y, mo, d, h, mi, s, ms);
    if (!ok) {
        y = mo = d = h = mi = s = ms = 0;
        const char* p = iso.c_str();
        // The whole text must be consumed by one of the three accepted shapes.
        auto whole = [&](int n, int expected) {
            return n == expected && used == static_cast<int>(iso.size());
        };
        ok = whole(std::sscanf(p, "%4d-%2d-%2d%n", &y, &mo, &d, &used), 3);
        if (!ok) ok = whole(std::sscanf(p, "%4d-%2d-%2d %2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &s, &used), 6);
        if (!ok)
            ok = whole(std::sscanf(p, "%4d-%2d-%2d %2d:%2d:%2d.%3d%n", &y, &mo, &d, &h, &mi, &s, &ms, &used),
                       7);
    }
    if (!ok) return false;
    double date;
    if (!TryEncodeDate(y, mo, d, date)) return false;
    if (h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59 || ms < 0) return false;
    result = date + EncodeTime(h, mi, s, ms);
    return true;
}

std::string DateToText(double dayNumber) {
    if (dayNumber == 0) return "";
    const YMD d = DecodeDate(dayNumber);  // years 1..9999
    std::string text = "0000.00.00";
    auto put = [&text](int at, int width, int value) {
        for (int i = width - 1; i >= 0; --i, value /= 10) text[at + i] = static_cast<char>('0' + value % 10);
    };
    put(0, 4, d.year);
    put(5, 2, d.month);
    put(8, 2, d.day);
    return text;
}

std::string TimeToText(double dayNumber) {
    int h, m, s, ms;
    DecodeTime(dayNumber, h, m, s, ms);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, m, s);
    return buf;
}

std::string FormatDateTime(double dayNumber, const std::string& pattern) {
    const YMD d = DecodeDate(dayNumber);
    int hour, minute, second, msec;
    DecodeTime(dayNumber, hour, minute, second, msec);
    // clang-format off
    const struct { const char* token; int value; int width; } fields[] = {
        {"yyyy", d.year, 4}, {"yy", d.year % 100, 2}, {"MM", d.month, 2}, {"dd", d.day, 2},
        {"hh", hour, 2},     {"mm", minute, 2},       {"ss", second, 2},
    };
    // clang-format on
    std::string out;
    for (size_t i = 0; i < pattern.size();) {
        bool matched = false;
        for (const auto& f : fields) {
            if (pattern.compare(i, std::strlen(f.token), f.token) == 0) {
                char buf[16];
                std::snprintf(buf, sizeof buf, "%0*d", f.width, f.value);
                out += buf;
                i += std::strlen(f.token);
                matched = true;
                break;
            }
        }
        if (!matched) out += pattern[i++];
    }
    return out;
}

int WidenYear(int year, int thisYear) {
    if (year >= 100) return year;
    const int n = thisYear - 60;
    year += n / 100 * 100;
    if (year < n) year += 100;
    return year;
}

bool ScanDate(const std::string& text, DateOrder order, char separator, int thisYear, double& result) {
    size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && text[pos] == ' ') ++pos;
    };
    // Digits while the value read so far is below 1000: at most four of a number.
    auto readNumber = [&](int& n) {
        skipBlanks();
        const size_t start = pos;
        n = 0;
        while (pos < text.size() && n < 1000 && text[pos] >= '0' && text[pos] <= '9')
            n = n * 10 + (text[pos++] - '0');
        return pos > start;
    };
    auto readSeparator = [&] {
        skipBlanks();
        if (pos < text.size() && text[pos] == separator) {
            ++pos;
            return true;
        }
        return false;
    };
    int n1 = 0, n2 = 0, n3 = 0, y = 0, m = 0, d = 0;
    if (!readNumber(n1) || !readSeparator() || !readNumber(n2)) return false;
    if (readSeparator()) {
        if (!readNumber(n3)) return false;
        switch (order) {
            case DateOrder::MonthDayYear:
                m = n1, d = n2, y = n3;
                break;
            case DateOrder::DayMonthYear:
                d = n1, m = n2, y = n3;
                break;
            case DateOrder::YearMonthDay:
                y = n1, m = n2, d = n3;
                break;
        }
        y = WidenYear(y, thisYear);
    } else {
        y = thisYear;
        if (order == DateOrder::DayMonthYear)
            d = n1, m = n2;
        else
            m = n1, d = n2;
    }
    readSeparator();
    skipBlanks();
    if (pos != text.size()) return false;
    return TryEncodeDate(y, m, d, result);
}

bool TextToDate(const std::string& text, double& result) {
    return ScanDate(text, DateOrder::YearMonthDay, '.', DecodeDate(Today()).year, result);
}

double IncMonth(double dayNumber, int months) {
    if (dayNumber == 0) return 0;
    const YMD d = DecodeDate(dayNumber);
    long long total = static_cast<long long>(d.year) * 12 + (d.month - 1) + months;
    const int year = static_cast<int>(total / 12);
    const int month = static_cast<int>(total % 12) + 1;
    const int day = std::min(d.day, DaysInMonth(year, month));
    // Before day 0 the time of day still counts forward from midnight, so it
    // is subtracted from a negative date (-1.25 is 1899.12.29 06:00).
    const double date = EncodeDate(year, month, day);
    const double time = std::fabs(dayNumber - std::trunc(dayNumber));
    return date < 0 ? date - time : date + time;
}

}  // namespace os
