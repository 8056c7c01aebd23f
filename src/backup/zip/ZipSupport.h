// Small services the zip component rests on: wildcard matching, percentages,
// DOS date-times, CRC-32 and the traditional cipher, path helpers and the
// buffered file stream every archive and extracted file goes through.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class EListError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// Case-insensitive (A-Z only) match with * ? and <set> (negated by ^ or !,
// ranges a-z); a star also takes "\" characters.
bool WildcardMatch(const std::string& pattern, const std::string& text);
bool HasWildcards(const std::string& text);

// part * 100 / whole rounded half to even, at most 100; 0 when whole <= 0.
int Percentage(std::int64_t part, std::int64_t whole);

// DOS stamps: time in the low 16 bits, date in the high 16 bits, local time.
std::uint32_t ValidDosDateTime(std::uint32_t stamp);
// False when the (sanitised) stamp is no date.
bool DosDateTimeToDayNumber(std::uint32_t stamp, double& dayNumber);
std::uint32_t UnixTimeToDosDateTime(std::int64_t unixTime);
std::int64_t DosDateTimeToUnixTime(std::uint32_t stamp);
// Last-write stamp of a file or folder; -1 when not found.
std::int64_t FileDosDateTime(const std::string& path);
// Last-write time as a day number; now when the file is not found.
double FileDateTime(const std::string& path);
bool SetFileDosDateTime(const std::string& path, std::uint32_t stamp);

void DosToUnixSlashes(std::string& s);
void UnixToDosSlashes(std::string& s);
std::string StripTrailingSlash(std::string s);
// The folder part of a POSIX path, without the final "/" ("" for a bare name).
std::string ExtractFolder(const std::string& path);
std::string ExtractName(const std::string& path);
// The name with the extension of its file part replaced (or added).
std::string ChangeFileExt(const std::string& name, const std::string& ext);
bool FileExists(const std::string& path);
bool DirExists(const std::string& path);
bool ForceDirs(const std::string& path);
std::int64_t FileSize64(const std::string& path);

// DOS attribute bits of a file as the archive stores them (read-only 1,
// folder 16, archive 32); read-only when nobody may write it.
std::uint32_t FileDosAttributes(const std::string& path);
// Gives the file the read-only bit of `attributes` (the only bit a POSIX
// file system can hold).
void SetFileDosAttributes(const std::string& path, std::uint32_t attributes);

// A new empty file "QJZ..." in the folder; returns its name, throws
// os::FileError.
std::string TempFileName(const std::string& folder);

// Running CRC-32 of the archive format: start at 0xFFFFFFFF, complement at
// the end (the CRC of no bytes is 0).
std::uint32_t UpdateCRC(std::uint32_t crc, const void* data, std::size_t count);

// State of the traditional zip cipher.
struct TZipKeys {
    std::uint32_t key0 = 0, key1 = 0, key2 = 0;
    void InitKeys(const std::string& password);
    void UpdateKeys(std::uint8_t b);
    std::uint8_t DecryptByte() const;
    void DecryptBuffer(void* data, std::size_t count);
    void EncryptBuffer(void* data, std::size_t count);
};

// Buffered random-access file stream with 64-bit positions. A read or write
// larger than the buffer goes straight to the file. I/O errors do not throw:
// Read and Write return what they moved, Flush and Close report success.
class TLFNFileStream {
public:
    enum Mode { fmOpenRead, fmCreate, fmOpenReadWrite };
    // Throws os::FileError when the file cannot be opened or created.
    TLFNFileStream(const std::string& name, Mode mode, std::size_t bufferSize = 8192,
                   bool flushOnClose = false);
    ~TLFNFileStream();
    TLFNFileStream(const TLFNFileStream&) = delete;
    TLFNFileStream& operator=(const TLFNFileStream&) = delete;

    std::int64_t Read(void* data, std::int64_t count);
    // Reads exactly `count` bytes or returns false.
    bool ReadExact(void* data, std::int64_t count) { return Read(data, count) == count; }
    std::int64_t Write(const void* data, std::int64_t count);
    // origin 0 start, 1 current, 2 end; returns the new position.
    std::int64_t Seek(std::int64_t offset, int origin = 0);
    std::int64_t Position() const;
    std::int64_t Size();
    bool SetSize(std::int64_t size);
    bool Flush();
    // Flushes (and with flush-on-close commits to disk) and closes.
    bool Close();
    const std::string& Name() const { return name_; }
    int LastError() const { return error_; }

private:
    enum State { Idle, Reading, Writing };
    std::string name_;
    int fd_ = -1;
    std::vector<unsigned char> buf_;
    std::size_t bufPos_ = 0, bufEnd_ = 0;
    std::int64_t filePos_ = 0;  // file offset of buf_[0] (read) or of pending bytes (write)
    State state_ = Idle;
    bool flushOnClose_ = false, written_ = false;
    int error_ = 0;
};
