// Helpers of the zip component's tests: small file trees, running the real
// zip tools and Python's zipfile, comparing folders byte for byte.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "backup/zip/TableLike.h"
#include "support/TestSupport.h"

namespace ziptest {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

// Relative path -> content of every file under root.
inline std::map<std::string, std::string> Tree(const std::string& root) {
    std::map<std::string, std::string> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root))
        if (e.is_regular_file())
            out[std::filesystem::relative(e.path(), root).string()] = ReadBytes(e.path().string());
    return out;
}

// Runs a command in a folder; the test fails when it fails.
inline std::string Sh(const std::string& command) {
    std::string out;
    const int rc = testsupport::RunCommand(command, &out);
    EXPECT_EQ(rc, 0) << command << "\n" << out;
    return out;
}

inline std::string Quote(const std::string& s) { return "'" + s + "'"; }

// Runs a Python program (text) with arguments.
inline std::string Python(const std::string& dir, const std::string& program, const std::string& args = "") {
    WriteBytes(dir + "/prog.py", program);
    return Sh("python3 " + Quote(dir + "/prog.py") + " " + args);
}

}  // namespace ziptest
