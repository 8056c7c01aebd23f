#include "core/helpers/TypedDate.h"

#include <algorithm>
#include <cctype>

#include "platform/os/DayNumber.h"

TypedDate CheckTypedDate(const std::string& text, double& date, int lastYear) {
    date = 0;
    if (std::none_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        return TypedDate::Empty;
    if (!os::TextToDate(text, date)) return TypedDate::NoDate;
    if (date < os::EncodeDate(1900, 1, 1) || date > os::EncodeDate(lastYear, 12, 31))
        return TypedDate::OutOfRange;
    return TypedDate::Valid;
}
