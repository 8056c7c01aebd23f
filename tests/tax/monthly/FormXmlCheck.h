// What every form-import file the declaration writes must be for its reader:
// well formed for xmllint, no byte-order mark, every line ended by CR LF.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/TestSupport.h"

namespace mabtest {

inline void FormXmlCheck(const std::string& path, const std::string& bytes) {
    std::string out;
    EXPECT_EQ(testsupport::RunCommand("xmllint --noout '" + path + "' 2>&1", &out), 0) << out;
    EXPECT_EQ(bytes.rfind("<?xml", 0), 0u);
    size_t crlf = 0;
    for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++crlf;
    EXPECT_EQ(crlf, size_t(std::count(bytes.begin(), bytes.end(), '\n')));
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

}  // namespace mabtest
