#include "core/helpers/RecordFilters.h"

#include <gtest/gtest.h>

namespace {

TEST(RecordFilters, StandingItemPassesSplitCodesAsText) {
    struct Case {
        const char* code;
        bool payable, other, deduction;
    };
    const Case cases[] = {
        {"269", true, false, false},  {"270", false, true, false},  {"299", false, true, false},
        {"300", false, false, true},  {"751", false, false, true},  {"1000", true, false, false},
        {"102F", true, false, false}, {"300A", false, false, true}, {"29", false, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PayableCode(c.code), c.payable) << c.code;
        EXPECT_EQ(OtherPaymentCode(c.code), c.other) << c.code;
        EXPECT_EQ(DeductionCode(c.code), c.deduction) << c.code;
        // The three passes are disjoint and together take every code.
        EXPECT_EQ(PayableCode(c.code) + OtherPaymentCode(c.code) + DeductionCode(c.code), 1) << c.code;
    }
}

TEST(RecordFilters, PayrollFiltersFollowEmployeeMonthAndDate) {
    const PayrollFilterValues v{"00000000001", 3, 43555};
    const PayrollRowKey same{"00000000001", 3, 43555, "800"};
    EXPECT_TRUE(HozottAdatokMatch(same, v));
    PayrollRowKey below = same;
    below.code = "799";
    EXPECT_FALSE(HozottAdatokMatch(below, v));  // brought-forward rows only
    EXPECT_TRUE(TorzsszamHoKifizDatMatch(below, v));
    PayrollRowKey otherDate = same;
    otherDate.paymentDate = 43556;
    EXPECT_TRUE(TorzsszamHoMatch(otherDate, v));
    EXPECT_FALSE(TorzsszamHoKifizDatMatch(otherDate, v));
    PayrollRowKey otherMonth = same;
    otherMonth.month = 4;
    EXPECT_TRUE(TorzsszamMatch(otherMonth, v));
    EXPECT_FALSE(TorzsszamHoMatch(otherMonth, v));
    PayrollRowKey otherEmployee = same;
    otherEmployee.employee = "00000000002";
    EXPECT_FALSE(TorzsszamMatch(otherEmployee, v));
}

TEST(RecordFilters, TypedWorkplaceIsTrimmedStoredIsNot) {
    EXPECT_TRUE(MunkahelyMatch("000001", "  000001 "));
    EXPECT_FALSE(MunkahelyMatch(" 000001", "000001"));
    EXPECT_FALSE(MunkahelyMatch("000001", "000002"));
}

}  // namespace
