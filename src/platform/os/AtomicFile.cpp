#include "platform/os/AtomicFile.h"

#include "platform/os/System.h"
#include "platform/os/TempDir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace os {
namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

[[noreturn]] void Fail(const std::string& what, const std::string& path, int err) {
    throw FileError(what + ": " + path + " (" + std::strerror(err) + ")");
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string target) : target_(std::move(target)) {
    fd_ = OpenTempFile(target_ + ".", temp_);
    if (fd_ < 0) Fail("A fájl nem hozható létre", target_, errno);
}

AtomicFileWriter::~AtomicFileWriter() { Abort(); }

void AtomicFileWriter::Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }

void AtomicFileWriter::Write(const void* data, size_t size) {
    if (fd_ < 0) throw FileError("A fájl már le van zárva: " + target_);
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd_, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            Abort();
            Fail("A fájl írása nem sikerült", target_, err);
        }
        p += n;
        size -= static_cast<size_t>(n);
        size_ += static_cast<unsigned long long>(n);
    }
}

void AtomicFileWriter::Commit() {
    if (fd_ < 0) throw FileError("A fájl már le van zárva: " + target_);
    if (::fsync(fd_) != 0 || ::close(fd_) != 0) {
        const int err = errno;
        fd_ = -1;
        ::unlink(temp_.c_str());
        temp_.clear();
        Fail("A fájl írása nem sikerült", target_, err);
    }
    fd_ = -1;
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp_.c_str());
        temp_.clear();
        Fail("A fájl nem nevezhető át", target_, err);
    }
    temp_.clear();
    // The rename itself must reach the disk too.
    const int dir = ::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void AtomicFileWriter::Abort() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

void WriteFileAtomic(const std::string& target, std::string_view bytes) {
    AtomicFileWriter w(target);
    w.Write(bytes);
    w.Commit();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail("A fájl nem olvasható", path, errno);
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) Fail("A fájl nem olvasható", path, errno);
    return ss.str();
}

}  // namespace os
