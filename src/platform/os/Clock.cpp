#include "platform/os/Clock.h"

#include <atomic>
#include <cmath>
#include <ctime>

#include "platform/os/DayNumber.h"

namespace os {

namespace {

// 0 while the system clock runs.
std::atomic<double> fixedNow{0};

}  // namespace

std::int64_t ToUnixTime(double dayNumber) {
    const YMD d = DecodeDate(dayNumber);
    int hour, minute, second, msec;
    DecodeTime(dayNumber, hour, minute, second, msec);
    std::tm tm{};
    tm.tm_year = d.year - 1900;
    tm.tm_mon = d.month - 1;
    tm.tm_mday = d.day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&tm));
}

double Today() { return std::floor(Now()); }

double Now() {
    if (const double fixed = fixedNow.load(); fixed != 0) return fixed;
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    localtime_r(&ts.tv_sec, &tm);
    return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
           EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<int>(ts.tv_nsec / 1000000));
}

std::int64_t NowUnixTime() {
    if (const double fixed = fixedNow.load(); fixed != 0) return ToUnixTime(fixed);
    return static_cast<std::int64_t>(std::time(nullptr));
}

FixedClock::FixedClock(double now) : previous_(fixedNow.exchange(now)) {}

FixedClock::~FixedClock() { fixedNow.store(previous_); }

}  // namespace os
