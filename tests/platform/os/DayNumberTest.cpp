#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <stdexcept>
#include <vector>

#include "platform/os/DayNumber.h"

using namespace os;

TEST(DayNumber, KnownDatesAndBack) {
    struct Case {
        int y, m, d;
        double n;
    };
    const Case cases[] = {
        {1899, 12, 30, 0},   {1899, 12, 31, 1},       {1900, 1, 1, 2},      {1900, 3, 1, 61},
        {2019, 1, 1, 43466}, {2019, 12, 31, 43830},   {2020, 2, 29, 43890}, {1899, 12, 29, -1},
        {1, 1, 1, -693593},  {9999, 12, 31, 2958465},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "." << c.m << "." << c.d);
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.n);
        EXPECT_EQ(DecodeDate(c.n), (YMD{c.y, c.m, c.d}));
        // The time of day does not move the date, also before day 0, where it
        // counts forward from midnight as a negative fraction.
        EXPECT_EQ(DecodeDate(c.n < 0 ? c.n - 0.75 : c.n + 0.75), (YMD{c.y, c.m, c.d}));
    }
}

TEST(DayNumber, InvalidDatesAreRefused) {
    double r = 123;
    EXPECT_FALSE(TryEncodeDate(2019, 2, 29, r));
    EXPECT_FALSE(TryEncodeDate(1900, 2, 29, r));  // not a leap year
    EXPECT_FALSE(TryEncodeDate(2019, 13, 1, r));
    EXPECT_FALSE(TryEncodeDate(2019, 4, 31, r));
    EXPECT_EQ(r, 123);
    EXPECT_THROW(EncodeDate(2019, 0, 1), std::invalid_argument);
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_EQ(DaysInMonth(2019, 2), 28);
}

TEST(DayNumber, WeekdayTimeAndIsoText) {
    EXPECT_EQ(DayOfWeek(EncodeDate(2019, 12, 1)), 1);  // a Sunday
    EXPECT_EQ(DayOfWeek(0), 7);                        // 1899.12.30 was a Saturday
    EXPECT_EQ(DayOfWeek(-1.25), 6);                    // 1899.12.29 06:00, a Friday
    const double t = EncodeDate(2019, 3, 5) + EncodeTime(13, 45, 10);
    EXPECT_EQ(DayNumberToIso(t), "2019-03-05");
    EXPECT_EQ(DayNumberToIso(t, true), "2019-03-05 13:45:10");
    EXPECT_EQ(DayNumberToIso(0), "");
    // Every digit place, padded with zeros; noon of the day gives the same
    // text, and the text reads back as the day.
    const struct {
        int y, m, d;
        const char* iso;
    } dates[] = {{1, 1, 1, "0001-01-01"},     {999, 10, 9, "0999-10-09"},   {1899, 12, 29, "1899-12-29"},
                 {2000, 2, 29, "2000-02-29"}, {2019, 12, 31, "2019-12-31"}, {9999, 12, 31, "9999-12-31"}};
    for (const auto& d : dates) {
        const double day = EncodeDate(d.y, d.m, d.d);
        EXPECT_EQ(DayNumberToIso(day), d.iso);
        EXPECT_EQ(DayNumberToIso(day < 0 ? day - 0.5 : day + 0.5), d.iso);
        double read = 0;
        EXPECT_TRUE(IsoToDayNumber(d.iso, read) && read == day) << d.iso;
    }
    double back = 0;
    ASSERT_TRUE(IsoToDayNumber("2019-03-05 13:45:10", back));
    EXPECT_NEAR(back, t, 1e-9);
    EXPECT_TRUE(IsoToDayNumber("2019-03-05", back));
    EXPECT_EQ(back, EncodeDate(2019, 3, 5));
    ASSERT_TRUE(IsoToDayNumber("2019-03-05 13:45:10.250", back));
    EXPECT_NEAR(back, t + EncodeTime(0, 0, 0, 250), 1e-9);
    EXPECT_TRUE(IsoToDayNumber("2019-3-5", back));  // short fields, as other writers store them
    EXPECT_EQ(back, EncodeDate(2019, 3, 5));
    for (const char* bad : {"", "2019-02-30", "2019.03.05", "2019-03-05 25:00:00", "2019-03-05x"})
        EXPECT_FALSE(IsoToDayNumber(bad, back)) << bad;
}

TEST(DayNumber, ProgramDateTextAndMonthSteps) {
    EXPECT_EQ(DateToText(EncodeDate(2019, 3, 5) + 0.5), "2019.03.05");
    EXPECT_EQ(DateToText(0), "");
    EXPECT_EQ(TimeToText(EncodeDate(2019, 3, 5) + EncodeTime(7, 5, 9)), "07:05:09");
    EXPECT_EQ(IncMonth(EncodeDate(2019, 1, 31), 1), EncodeDate(2019, 2, 28));
    EXPECT_EQ(IncMonth(EncodeDate(2020, 1, 31), 1), EncodeDate(2020, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2019, 1, 15), -1), EncodeDate(2018, 12, 15));
    EXPECT_EQ(IncMonth(EncodeDate(1899, 12, 29) - 0.25, -1), EncodeDate(1899, 11, 29) - 0.25);  // keeps 06:00
    EXPECT_EQ(IncMonth(EncodeDate(2019, 12, 31) + 0.25, 14), EncodeDate(2021, 2, 28) + 0.25);
    EXPECT_EQ(IncMonth(0, 3), 0);
}

TEST(DayNumber, TypedDatesAreScannedAsThePlatformDoes) {
    struct Case {
        const char* text;
        DateOrder order;
        int y, m, d;
    };  // y 0: refused
    const Case cases[] = {
        {"2019.01.31", DateOrder::YearMonthDay, 2019, 1, 31},
        {" 2019 . 1 . 5 ", DateOrder::YearMonthDay, 2019, 1, 5},
        {"19.01.31", DateOrder::YearMonthDay, 2019, 1, 31},
        {"59.01.31", DateOrder::YearMonthDay, 1959, 1, 31},
        {"3.4", DateOrder::YearMonthDay, 2019, 3, 4},  // month and day of this year
        {"3.4", DateOrder::DayMonthYear, 2019, 4, 3},
        {"12.31.2019", DateOrder::MonthDayYear, 2019, 12, 31},
        {"2019.02.29", DateOrder::YearMonthDay, 0, 0, 0},
        {"2019.01.", DateOrder::YearMonthDay, 0, 0, 0},
        {"2019.01.31x", DateOrder::YearMonthDay, 0, 0, 0},
        {"    .  .  ", DateOrder::YearMonthDay, 0, 0, 0},
        {"", DateOrder::YearMonthDay, 0, 0, 0},
    };
    for (const Case& c : cases) {
        double r = -1;
        const bool ok = ScanDate(c.text, c.order, '.', 2019, r);
        if (c.y == 0) {
            EXPECT_FALSE(ok) << c.text;
        } else {
            EXPECT_TRUE(ok) << c.text;
            EXPECT_EQ(r, EncodeDate(c.y, c.m, c.d)) << c.text;
        }
    }
    EXPECT_EQ(WidenYear(58, 2019), 2058);
    EXPECT_EQ(WidenYear(99, 2019), 1999);
    EXPECT_EQ(WidenYear(1900, 2019), 1900);
}

TEST(DayNumber, FormatDateTimeSpellsEachField) {
    const double at = EncodeDate(2019, 5, 2) + EncodeTime(14, 30, 5);
    // clang-format off
    const struct { const char* pattern; const char* text; } cases[] = {
        {"yyyy-MM-dd_hh-mm-ss", "2019-05-02_14-30-05"},  // proposed PDF names
        {"yy-MM-dd_hh-mm-ss",   "19-05-02_14-30-05"},    // archive stamps
        {"yyyyMMddhhmmss",      "20190502143005"},       // PDF creation date
        {"D: yyyy.",            "D: 2019."},             // other letters are copied
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(FormatDateTime(at, c.pattern), c.text) << c.pattern;
    EXPECT_EQ(FormatDateTime(EncodeDate(2009, 12, 31), "yy.MM.dd hh"), "09.12.31 00");
}

TEST(Clock, AFixedClockStandsStillAndNestedOnesRestore) {
    const double at = EncodeDate(2019, 5, 2) + EncodeTime(14, 30, 5);
    {
        const FixedClock clock(at);
        EXPECT_EQ(Now(), at);
        EXPECT_EQ(Today(), EncodeDate(2019, 5, 2));
        {
            const FixedClock inner(EncodeDate(2020, 1, 1));
            EXPECT_EQ(Today(), EncodeDate(2020, 1, 1));
        }
        EXPECT_EQ(Now(), at);
        // The file-system stamp of the same moment, in local time.
        const std::time_t t = static_cast<std::time_t>(NowUnixTime());
        std::tm tm{};
        localtime_r(&t, &tm);
        EXPECT_EQ((std::vector<int>{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                                    tm.tm_sec}),
                  (std::vector<int>{2019, 5, 2, 14, 30, 5}));
    }
    EXPECT_GT(Today(), EncodeDate(2024, 1, 1));  // the system clock again
}

TEST(DayNumber, OnlyDayNumbersOfYearsOneTo9999Decode) {
    // clang-format off
    const struct { double day; bool valid; } cases[] = {
        {EncodeDate(1, 1, 1), true},         {EncodeDate(1, 1, 1) - 1, false},
        {EncodeDate(9999, 12, 31) + 0.99, true}, {EncodeDate(9999, 12, 31) + 1, false},
        {-0.5, true},                        {1.1111111111111111e19, false},
        {-1e19, false},                      {std::nan(""), false},
        {HUGE_VAL, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidDayNumber(c.day), c.valid) << c.day;
        if (!c.valid) {
            EXPECT_THROW(DecodeDate(c.day), std::out_of_range) << c.day;
            EXPECT_THROW(DateToText(c.day), std::out_of_range) << c.day;
            EXPECT_THROW(DayOfWeek(c.day), std::out_of_range) << c.day;
        }
    }
}
