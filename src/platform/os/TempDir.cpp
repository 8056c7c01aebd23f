#include "platform/os/TempDir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/os/AtomicFile.h"
#include "platform/os/System.h"

namespace os {

std::string TempFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

int OpenTempFile(const std::string& prefix, std::string& path) {
    std::string pattern = prefix + "XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) return -1;
    fchmod(fd, DefaultFileMode());
    path = pattern;
    return fd;
}

std::string CreateTempFile(const std::string& prefix) {
    std::string path;
    const int fd = OpenTempFile(prefix, path);
    if (fd < 0) {
        const size_t slash = prefix.find_last_of('/');
        const std::string folder = slash == std::string::npos ? "." : prefix.substr(0, slash);
        throw FileError("Nem hozható létre ideiglenes fájl a(z) " + folder +
                        " mappában: " + std::strerror(errno));
    }
    ::close(fd);
    return path;
}

TempFile::~TempFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
}

TempDir::TempDir(const std::string& prefix, const std::string& parent) {
    std::string pattern = (parent.empty() ? TempFolder() : parent) + "/" + prefix + "-XXXXXX";
    if (!mkdtemp(pattern.data())) throw FileError("Az ideiglenes mappa nem hozható létre: " + pattern);
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void TempDir::Write(const std::string& name, std::string_view bytes) const {
    const std::string path = File(name);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw FileError("A fájl nem hozható létre: " + path);
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !ok) throw FileError("A fájl írása nem sikerült: " + path);
}

}  // namespace os
