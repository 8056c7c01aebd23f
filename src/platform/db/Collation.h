// Text helpers of the database layer: the Hungarian collation (ICU) for
// names, case folding for case-insensitive matching, trimming.
#pragma once

#include <string>
#include <string_view>

namespace db {

// <0, 0, >0 in Hungarian order; case-insensitive when asked.
int CollateHu(std::string_view a, std::string_view b, bool caseInsensitive = false);
// Case-folded copy of a UTF-8 text.
std::string FoldCase(std::string_view s);
// The first `chars` characters of a UTF-8 text.
std::string Utf8Left(std::string_view s, size_t chars);
size_t Utf8Length(std::string_view s);
// ASCII upper case (names of fields, entries, parameters).
std::string UpperAscii(std::string s);
// Without leading and trailing blanks, tabs and line ends.
std::string TrimText(std::string_view s);

}  // namespace db
