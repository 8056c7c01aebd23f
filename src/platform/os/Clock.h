// The one clock of the program: every read of today's date or the time of day
// (list headers, default dates, file names, file stamps, the PDF creation
// date) goes through here, so a test can fix it and get the same output in
// every run.
#pragma once

#include <cstdint>

namespace os {

double Today();  // local date as a day number, no fraction
double Now();    // local date and time as a day number
// Now as seconds since 1970 (the file system's stamps).
std::int64_t NowUnixTime();
// A local date and time (day number) as seconds since 1970.
std::int64_t ToUnixTime(double dayNumber);

// While one lives, the clock stands still at `now` (a day number with the time
// of day as its fraction). Nested fixed clocks restore the previous one.
class FixedClock {
public:
    explicit FixedClock(double now);
    ~FixedClock();
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

private:
    double previous_;
};

}  // namespace os
