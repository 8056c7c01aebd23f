#include "core/helpers/TypedDate.h"

#include <gtest/gtest.h>

#include "platform/os/DayNumber.h"

TEST(TypedDate, EmptyUnreadableOutsideTheYearsOrValid) {
    struct Case {
        const char* text;
        TypedDate result;
    };
    const Case cases[] = {
        {"    .  .  ", TypedDate::Empty},      {"2019.13.45", TypedDate::NoDate},
        {"2019.02.29", TypedDate::NoDate},     {"1899.12.31", TypedDate::OutOfRange},
        {"2021.01.01", TypedDate::OutOfRange}, {"1900.01.01", TypedDate::Valid},
        {"2020.12.31", TypedDate::Valid},
    };
    for (const Case& c : cases) {
        double date = -1;
        EXPECT_EQ(CheckTypedDate(c.text, date), c.result) << c.text;
    }
    double date = 0;
    CheckTypedDate("2021.01.01", date);
    EXPECT_EQ(date, os::EncodeDate(2021, 1, 1));  // kept for the edit
}
