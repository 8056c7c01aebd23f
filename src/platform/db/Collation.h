// Text helpers of the database layer: the Hungarian collation (ICU) for
// names and case folding for case-insensitive matching.
#pragma once

#include <string>
#include <string_view>

namespace db {

// <0, 0, >0 in Hungarian order; case-insensitive when asked.
int CollateHu(std::string_view a, std::string_view b, bool caseInsensitive = false);
// Case-folded copy of a UTF-8 text.
std::string FoldCase(std::string_view s);

}  // namespace db
