// Helpers shared by the test executables.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/TempDir.h"

namespace testsupport {

// Points HOME, XDG_CONFIG_HOME and TMPDIR at a fresh temporary folder for the
// scope, so the engine configuration, the base folder, the year folders and
// the temporary files of a test never meet the real ones or another test run's.
// Database files are not synced to the disk from the first one on
// (NoSyncVfs.h), unless the home keeps them: benchmarks measure real commits.
class TempHome {
public:
    enum class Syncs { Skip, Keep };
    explicit TempHome(Syncs syncs = Syncs::Skip);
    ~TempHome();
    const std::string& Path() const { return dir_.Path(); }

private:
    os::TempDir dir_;
    std::string oldHome_, oldXdg_, oldTmp_;
    bool hadHome_ = false, hadXdg_ = false, hadTmp_ = false;
};

// A gtest fixture with its own temporary HOME.
class HomeTest : public ::testing::Test {
protected:
    TempHome home;
};

// The bytes of a text as numbers 0..255, for comparing file contents.
std::vector<int> Bytes(const std::string& s);

// The bytes of a file, "" when it cannot be read: what the program wrote.
std::string ReadBytes(const std::string& path);
// Writes `bytes` as the whole file, making its folders: fixtures, damaged files.
void WriteBytes(const std::string& path, std::string_view bytes);

// The source tree (for fixtures kept beside the tests).
std::string SourceDir();

// Runs a shell command; returns its exit status and fills `output` with what
// it printed (stdout and stderr).
int RunCommand(const std::string& command, std::string* output = nullptr);

}  // namespace testsupport
