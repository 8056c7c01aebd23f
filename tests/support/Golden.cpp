#include "support/Golden.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/os/CodePage.h"
#include "platform/os/Text.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace testsupport {
namespace {

std::string CaseDir(const std::string& unit, const std::string& caseName) {
    return SourceDir() + "/tests/" + unit + "/" + caseName;
}

bool Updating() {
    const char* u = std::getenv("TAVRINA_UPDATE_GOLDEN");
    return u && std::string(u) == "1";
}

std::string Decode(const std::string& bytes, Encoding encoding) {
    switch (encoding) {
        case Encoding::Cp1250:
            return os::Cp1250ToUtf8(bytes);
        case Encoding::Cp852:
            return os::Cp852ToUtf8(bytes);
        case Encoding::Utf8:
            break;
    }
    return bytes;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) lines.push_back(line);
    if (!text.empty() && text.back() == '\n') lines.push_back("");  // the end mark of the last line
    return lines;
}

// A line as the report shows it: a CR stays visible, the rest as it is.
std::string Shown(std::string line) {
    if (!line.empty() && line.back() == '\r') line.replace(line.size() - 1, 1, "\\r");
    return line;
}

std::string Ruler(size_t width) {
    std::string tens, ones;
    for (size_t i = 1; i <= width; ++i) {
        tens += i % 10 == 0 ? static_cast<char>('0' + i / 10 % 10) : ' ';
        ones += static_cast<char>('0' + i % 10);
    }
    return "           " + tens + "\n           " + ones + "\n";
}

std::string FirstDifference(const std::string& expected, const std::string& actual) {
    const std::vector<std::string> e = Lines(expected), a = Lines(actual);
    size_t n = 0;
    while (n < e.size() && n < a.size() && e[n] == a[n]) ++n;
    const std::string el = n < e.size() ? Shown(e[n]) : "(no more lines)";
    const std::string al = n < a.size() ? Shown(a[n]) : "(no more lines)";
    size_t same = 0;
    while (same < el.size() && same < al.size() && el[same] == al[same]) ++same;
    const size_t column = os::Utf8Length(os::Utf8Left(el, os::Utf8Length(el.substr(0, same))));
    std::ostringstream out;
    out << "first difference in line " << n + 1 << ", column " << column + 1 << ":\n"
        << Ruler(std::max(os::Utf8Length(el), os::Utf8Length(al))) << "  expected " << el << "\n"
        << "  actual   " << al << "\n"
        << std::string(11 + column, ' ') << "^\n";
    return out.str();
}

}  // namespace

std::string GoldenActualPath(const std::string& unit, const std::string& caseName) {
    const char* build = std::getenv("TAVRINA_BINARY_DIR");
    return std::string(build && *build ? build : ".") + "/tests/" + unit + "/" + caseName + ".actual";
}

std::vector<std::string> GoldenCases(const std::string& unit) {
    std::vector<std::string> cases;
    std::error_code ec;
    for (fs::directory_iterator it(SourceDir() + "/tests/" + unit, ec), end; !ec && it != end;
         it.increment(ec))
        if (it->is_directory()) cases.push_back(it->path().filename().string());
    std::sort(cases.begin(), cases.end());
    return cases;
}

::testing::AssertionResult MatchesGolden(const std::string& unit, const std::string& caseName,
                                         const std::string& written, Encoding encoding,
                                         const std::string& expectedFile) {
    const std::string dir = CaseDir(unit, caseName);
    const std::string expectedPath = dir + "/" + expectedFile;
    const std::string actual = Decode(written, encoding);
    const std::string actualPath = GoldenActualPath(unit, caseName);
    std::error_code ec;
    fs::remove(actualPath, ec);

    if (Updating()) {
        WriteBytes(expectedPath, actual);
    } else if (!fs::exists(expectedPath)) {
        WriteBytes(actualPath, actual);
        return ::testing::AssertionFailure()
               << "no expected file " << expectedPath << "\nthe written text is in " << actualPath
               << "\nto make the case: TAVRINA_UPDATE_GOLDEN=1, run this test again, review the new file";
    }
    const std::string readme = ReadBytes(dir + "/README");
    if (os::TrimWhitespace(readme).empty() || os::TrimWhitespace(readme).find('\n') != std::string::npos)
        return ::testing::AssertionFailure()
               << "the case " << dir << " needs a README of one line saying what it shows";
    if (Updating()) return ::testing::AssertionSuccess() << "rewrote " << expectedPath;

    const std::string expected = ReadBytes(expectedPath);
    if (expected == actual) return ::testing::AssertionSuccess();
    WriteBytes(actualPath, actual);
    return ::testing::AssertionFailure()
           << "golden " << expectedPath << " differs\n"
           << FirstDifference(expected, actual) << "the written text is in " << actualPath
           << "\nif the change is meant: TAVRINA_UPDATE_GOLDEN=1, run this test again, review the diff";
}

}  // namespace testsupport
