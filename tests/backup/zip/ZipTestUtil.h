// Helpers of the zip component's tests: small file trees, running the real
// zip tools and Python's zipfile, comparing folders byte for byte.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "backup/zip/TableLike.h"
#include "support/TestSupport.h"

namespace ziptest {

inline void Put(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string Get(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Relative path -> content of every file under root.
inline std::map<std::string, std::string> Tree(const std::string& root) {
    std::map<std::string, std::string> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root))
        if (e.is_regular_file())
            out[std::filesystem::relative(e.path(), root).string()] = Get(e.path().string());
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
    Put(dir + "/prog.py", program);
    return Sh("python3 " + Quote(dir + "/prog.py") + " " + args);
}

}  // namespace ziptest
