// Writing a file whole or not at all: the bytes go to a temporary file in the
// target's folder, are flushed to disk, and only then renamed over the target.
// A failure at any point leaves the old file as it was and no temporary behind.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace os {

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class AtomicFileWriter {
public:
    // Opens the temporary file beside `target`; throws FileError.
    explicit AtomicFileWriter(std::string target);
    // Without Commit() the temporary file is removed and the target untouched.
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void Write(std::string_view bytes);  // throws FileError (disk full ...)
    void Write(const void* data, size_t size);
    // Bytes written so far.
    unsigned long long Size() const { return size_; }
    // Flushes, syncs and renames over the target; throws FileError.
    void Commit();
    // Drops the temporary file now.
    void Abort();

    const std::string& Target() const { return target_; }
    const std::string& TempPath() const { return temp_; }

private:
    std::string target_;
    std::string temp_;
    int fd_ = -1;
    unsigned long long size_ = 0;
};

// The whole file in one call.
void WriteFileAtomic(const std::string& target, std::string_view bytes);

// Reads a whole file; throws FileError.
std::string ReadFile(const std::string& path);

}  // namespace os
