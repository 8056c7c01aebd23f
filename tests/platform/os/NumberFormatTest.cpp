#include "platform/os/NumberFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(WithoutDigitGroups, GroupsOfThreeGoOtherBlanksStay) {
    const std::pair<const char*, const char*> cases[] = {
        {"250 000", "250000"},
        {" 1 234 567 ", "1234567"},
        {"-1 234,50", "-1234,50"},
        {"12 345.5", "12345.5"},
        {"250\xC2\xA0"
         "000",
         "250000"},  // no-break space
        {"1\xE2\x80\xAF"
         "000",
         "1000"},                // narrow no-break space
        {"250000", "250000"},    // nothing to take away
        {"25 0000", "25 0000"},  // not a grouping
        {"1234 567", "1234 567"},
        {"1 2", "1 2"},
        {"250  000", "250  000"},
        {"250 000 Ft", "250 000 Ft"},
        {"", ""},
    };
    for (const auto& [typed, plain] : cases) EXPECT_EQ(os::WithoutDigitGroups(typed), plain) << typed;
}

}  // namespace
