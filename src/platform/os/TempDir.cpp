#include "platform/os/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/os/AtomicFile.h"

namespace os {

TempDir::TempDir(const std::string& prefix) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + prefix + "-XXXXXX";
    if (!mkdtemp(pattern.data())) throw FileError("Az ideiglenes mappa nem hozható létre: " + pattern);
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace os
