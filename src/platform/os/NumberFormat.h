// Numbers by a picture, for the numeric edit and the fields' display and edit
// formats: "0" a digit always shown, "#" a digit shown when there is one,
// "." the decimal point, "," anywhere in the whole part groups thousands,
// sections "positive;negative;zero", quoted literals. Any other character
// is a literal; between digit placeholders it keeps its place and shows once
// a digit stands left of it ("## ### ##0": 1234567 "1 234 567", 5 "5").
#pragma once

#include <string>

namespace os {

// Half away from zero at the last decimal the picture shows. An empty
// picture gives the number's plain text (up to 15 significant digits).
std::string FormatFloat(const std::string& format, double value, const std::string& decimalSep = ".",
                        const std::string& thousandSep = ",");

// A number typed as it is shown, its thousands grouped by blanks ("250 000",
// "-1 234 567,50"; a non-breaking space counts as a blank): the text without
// them. A text with blanks anywhere else ("25 0000", "12 ab") comes back as
// it is, so that its conversion fails naming what was typed.
std::string WithoutDigitGroups(const std::string& text);

}  // namespace os
