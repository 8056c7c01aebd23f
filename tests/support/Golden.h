// Golden files: what a unit writes for an outside reader, compared with the
// expected file a person has reviewed. A case is the folder
// tests/<folder>/golden/<unit>/<case>/ holding a one-line README (what the case
// shows) and the expected file, UTF-8 with the format's own line ends.
//
// A mismatch writes <case>.actual into the build folder and shows the first
// differing line under a column ruler. TAVRINA_UPDATE_GOLDEN=1 writes the
// expected file instead (a new case, or a change made on purpose: review the
// diff before committing it).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testsupport {

// How the unit wrote the bytes: the comparison decodes them with the program's
// own code pages, so the expected file reads as text.
enum class Encoding { Utf8, Cp1250, Cp852 };

// `unit` is "<folder>/golden/<unit>" under tests/, e.g. "core/golden/Naplo".
::testing::AssertionResult MatchesGolden(const std::string& unit, const std::string& caseName,
                                         const std::string& written, Encoding encoding = Encoding::Utf8,
                                         const std::string& expectedFile = "expected.txt");

// The case folders of a unit, sorted, for INSTANTIATE_TEST_SUITE_P.
std::vector<std::string> GoldenCases(const std::string& unit);

// Where a mismatch of `unit`/`caseName` leaves the written text.
std::string GoldenActualPath(const std::string& unit, const std::string& caseName);

}  // namespace testsupport
