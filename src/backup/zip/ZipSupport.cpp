#include "backup/zip/ZipSupport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "platform/os/AtomicFile.h"
#include "platform/os/DayNumber.h"
#include "platform/os/System.h"
#include "platform/os/TempDir.h"
#include "platform/os/Text.h"

namespace fs = std::filesystem;

namespace {

struct CharSet {
    bool negated = false;
    std::string singles;
    std::vector<std::pair<unsigned char, unsigned char>> ranges;
    bool Has(char ch) const {
        const auto c = static_cast<unsigned char>(ch);
        bool in = singles.find(ch) != std::string::npos;
        for (const auto& [lo, hi] : ranges) in = in || (c >= lo && c <= hi);
        return in != negated;
    }
};

// Parses the set starting at p[i] == '<'; returns the index after '>' or
// npos when the set is unclosed or empty.
size_t ParseSet(const std::string& p, size_t i, CharSet& set) {
    size_t j = i + 1;
    if (j < p.size() && (p[j] == '^' || p[j] == '!')) set.negated = true, ++j;
    const size_t start = j;
    while (j < p.size() && p[j] != '>') {
        if (j + 2 < p.size() && p[j + 1] == '-' && p[j + 2] != '>') {
            const auto lo = static_cast<unsigned char>(p[j]), hi = static_cast<unsigned char>(p[j + 2]);
            if (lo <= hi) set.ranges.emplace_back(lo, hi);
            j += 3;
        } else {
            set.singles += p[j++];
        }
    }
    if (j >= p.size() || j == start) return std::string::npos;
    return j + 1;
}

bool MatchFrom(const std::string& p, size_t pi, const std::string& t, size_t ti);

bool StarMatch(const std::string& p, size_t pi, const std::string& t, size_t ti) {
    ++pi;  // the '*'
    CharSet starSet;
    bool restricted = false;
    if (pi < p.size() && p[pi] == '<') {
        pi = ParseSet(p, pi, starSet);
        if (pi == std::string::npos) return false;
        restricted = true;
    }
    while (pi < p.size() && (p[pi] == '*' || p[pi] == '?')) {
        if (p[pi] == '?') {
            if (ti == t.size()) return false;
            ++ti;
        }
        ++pi;
    }
    if (ti == t.size()) return pi == p.size();
    if (pi == p.size()) {
        // The star takes the rest of the text.
        for (; ti < t.size(); ++ti)
            if (restricted && !starSet.Has(t[ti])) return false;
        return true;
    }
    for (; ti < t.size(); ++ti) {
        if ((p[pi] == t[ti] || p[pi] == '<') && MatchFrom(p, pi, t, ti)) return true;
        if (restricted && !starSet.Has(t[ti])) return false;
    }
    return false;
}

bool MatchFrom(const std::string& p, size_t pi, const std::string& t, size_t ti) {
    while (true) {
        if (pi == p.size()) return ti == t.size();
        if (ti == t.size()) return p.compare(pi, std::string::npos, "*") == 0;
        const char c = p[pi];
        if (c == '?') {
            ++pi, ++ti;
        } else if (c == '<') {
            CharSet set;
            const size_t next = ParseSet(p, pi, set);
            if (next == std::string::npos || !set.Has(t[ti])) return false;
            pi = next, ++ti;
        } else if (c == '*') {
            return StarMatch(p, pi, t, ti);
        } else {
            if (c != t[ti]) return false;
            ++pi, ++ti;
        }
    }
}

}  // namespace

bool WildcardMatch(const std::string& pattern, const std::string& text) {
    const std::string p = os::LowerAscii(pattern), t = os::LowerAscii(text);
    if (p == "*") return true;
    return MatchFrom(p, 0, t, 0);
}

bool HasWildcards(const std::string& text) { return text.find_first_of("*?<>|") != std::string::npos; }

int Percentage(std::int64_t part, std::int64_t whole) {
    if (whole <= 0) return 0;
    const __int128 n = static_cast<__int128>(part) * 100;
    __int128 q = n / whole;
    const __int128 r2 = (n % whole) * 2;
    if (r2 > whole || (r2 == whole && (q & 1))) ++q;
    return q > 100 ? 100 : static_cast<int>(q);
}

std::uint32_t ValidDosDateTime(std::uint32_t stamp) {
    const std::uint32_t time = stamp & 0xFFFF, date = stamp >> 16;
    std::uint32_t hour = time >> 11, minute = (time >> 5) & 0x3F, sec2 = time & 0x1F;
    std::uint32_t year = (date >> 9) + 1980, month = (date >> 5) & 0x0F, day = date & 0x1F;
    const std::uint32_t h0 = hour, m0 = minute, s0 = sec2, y0 = year, mo0 = month, d0 = day;
    if (hour > 23) hour = 23;
    if (minute > 59) minute = 59;
    if (sec2 * 2 > 59) sec2 = 29;
    if (year > 2099) year = 2099;
    if (month < 1) month = 1;
    if (month > 12) month = 12;
    if (day < 1) day = 1;
    if (day > 31) day = 31;
    if (h0 == hour && m0 == minute && s0 == sec2 && y0 == year && mo0 == month && d0 == day) return stamp;
    return (((year - 1980) << 9 | month << 5 | day) << 16) | (hour << 11 | minute << 5 | sec2);
}

bool DosDateTimeToDayNumber(std::uint32_t stamp, double& dayNumber) {
    stamp = ValidDosDateTime(stamp);
    const int date = static_cast<int>(stamp >> 16), time = static_cast<int>(stamp & 0xFFFF);
    double d = 0;
    if (!os::TryEncodeDate((date >> 9) + 1980, (date >> 5) & 0x0F, date & 0x1F, d)) return false;
    dayNumber = d + os::EncodeTime(time >> 11, (time >> 5) & 0x3F, (time & 0x1F) * 2);
    return true;
}

std::uint32_t UnixTimeToDosDateTime(std::int64_t unixTime) {
    const time_t t = static_cast<time_t>(unixTime);
    tm lt{};
    localtime_r(&t, &lt);
    int year = lt.tm_year + 1900;
    if (year < 1980) return (1u << 5 | 1u) << 16;  // 1980.01.01 00:00
    if (year > 2107) year = 2107;
    const std::uint32_t date =
        static_cast<std::uint32_t>((year - 1980) << 9 | (lt.tm_mon + 1) << 5 | lt.tm_mday);
    const std::uint32_t time = static_cast<std::uint32_t>(lt.tm_hour << 11 | lt.tm_min << 5 | lt.tm_sec / 2);
    return date << 16 | time;
}

std::int64_t DosDateTimeToUnixTime(std::uint32_t stamp) {
    stamp = ValidDosDateTime(stamp);
    tm lt{};
    lt.tm_year = static_cast<int>(stamp >> 25) + 80;
    lt.tm_mon = static_cast<int>((stamp >> 21) & 0x0F) - 1;
    lt.tm_mday = static_cast<int>((stamp >> 16) & 0x1F);
    lt.tm_hour = static_cast<int>((stamp >> 11) & 0x1F);
    lt.tm_min = static_cast<int>((stamp >> 5) & 0x3F);
    lt.tm_sec = static_cast<int>(stamp & 0x1F) * 2;
    lt.tm_isdst = -1;
    return static_cast<std::int64_t>(mktime(&lt));
}

std::int64_t FileDosDateTime(const std::string& path) {
    struct stat st {};
    if (stat(StripTrailingSlash(path).c_str(), &st) != 0) return -1;
    return UnixTimeToDosDateTime(st.st_mtime);
}

double FileDateTime(const std::string& path) {
    const std::int64_t stamp = FileDosDateTime(path);
    double d = 0;
    if (stamp < 0 || !DosDateTimeToDayNumber(static_cast<std::uint32_t>(stamp), d)) return os::Now();
    return d;
}

bool SetFileDosDateTime(const std::string& path, std::uint32_t stamp) {
    timespec times[2];
    times[0].tv_sec = times[1].tv_sec = static_cast<time_t>(DosDateTimeToUnixTime(stamp));
    times[0].tv_nsec = times[1].tv_nsec = 0;
    return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

void DosToUnixSlashes(std::string& s) {
    for (char& c : s)
        if (c == '\\') c = '/';
}

void UnixToDosSlashes(std::string& s) {
    for (char& c : s)
        if (c == '/') c = '\\';
}

std::string StripTrailingSlash(std::string s) {
    while (s.size() > 1 && (s.back() == '/' || s.back() == '\\')) s.pop_back();
    return s;
}

std::string ExtractFolder(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string ExtractName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ChangeFileExt(const std::string& name, const std::string& ext) {
    const size_t slash = name.rfind('/');
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return name + ext;
    return name.substr(0, dot) + ext;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirs(const std::string& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    return DirExists(path);
}

std::int64_t FileSize64(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<std::int64_t>(st.st_size) : -1;
}

std::uint32_t FileDosAttributes(const std::string& path) {
    struct stat st {};
    if (stat(StripTrailingSlash(path).c_str(), &st) != 0) return 0;
    std::uint32_t a = S_ISDIR(st.st_mode) ? 0x10 : 0x20;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) a |= 0x01;
    return a;
}

void SetFileDosAttributes(const std::string& path, std::uint32_t attributes) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return;
    mode_t mode = st.st_mode & 07777;
    if (attributes & 0x01)
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    else
        mode |= S_IWUSR;
    if (mode != (st.st_mode & 07777)) chmod(path.c_str(), mode);
}

std::string TempFileName(const std::string& folder) {
    return os::CreateTempFile((folder.empty() ? std::string(".") : StripTrailingSlash(folder)) + "/QJZ");
}

std::uint32_t UpdateCRC(std::uint32_t crc, const void* data, std::size_t count) {
    // zlib keeps the complemented form between calls.
    const auto* p = static_cast<const Bytef*>(data);
    uLong c = ~crc & 0xFFFFFFFFu;
    while (count > 0) {
        const auto n = static_cast<uInt>(std::min<std::size_t>(count, 1u << 30));
        c = crc32(c, p, n);
        p += n, count -= n;
    }
    return ~static_cast<std::uint32_t>(c);
}

namespace {
std::uint32_t CrcStep(std::uint32_t crc, std::uint8_t b) {
    static const z_crc_t* table = get_crc_table();
    return table[(crc ^ b) & 0xFF] ^ (crc >> 8);
}
}  // namespace

void TZipKeys::InitKeys(const std::string& password) {
    key0 = 0x12345678, key1 = 0x23456789, key2 = 0x34567890;
    for (char c : password) UpdateKeys(static_cast<std::uint8_t>(c));
}

void TZipKeys::UpdateKeys(std::uint8_t b) {
    key0 = CrcStep(key0, b);
    key1 = (key1 + (key0 & 0xFF)) * 134775813u + 1;
    key2 = CrcStep(key2, static_cast<std::uint8_t>(key1 >> 24));
}

std::uint8_t TZipKeys::DecryptByte() const {
    const std::uint32_t t = (key2 & 0xFFFF) | 2;
    return static_cast<std::uint8_t>((t * (t ^ 1)) >> 8);
}

void TZipKeys::DecryptBuffer(void* data, std::size_t count) {
    auto* p = static_cast<std::uint8_t*>(data);
    for (std::size_t i = 0; i < count; ++i) {
        p[i] ^= DecryptByte();
        UpdateKeys(p[i]);
    }
}

void TZipKeys::EncryptBuffer(void* data, std::size_t count) {
    auto* p = static_cast<std::uint8_t*>(data);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t plain = p[i];
        p[i] ^= DecryptByte();
        UpdateKeys(plain);
    }
}

// ---------------------------------------------------------------- stream

TLFNFileStream::TLFNFileStream(const std::string& name, Mode mode, std::size_t bufferSize, bool flushOnClose)
    : name_(name),
      buf_(bufferSize > 0 ? bufferSize : 8192),
      flushOnClose_(flushOnClose && mode != fmOpenRead) {
    const int flags = mode == fmOpenRead ? O_RDONLY : mode == fmCreate ? O_RDWR | O_CREAT | O_TRUNC : O_RDWR;
    fd_ = ::open(name.c_str(), flags | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        const char* what = mode == fmCreate ? "nem hozható létre" : "nem nyitható meg";
        throw os::FileError("A(z) " + name + " fájl " + what + ": " + std::strerror(errno));
    }
}

TLFNFileStream::~TLFNFileStream() { Close(); }

std::int64_t TLFNFileStream::Position() const {
    switch (state_) {
        case Reading:
            return filePos_ + static_cast<std::int64_t>(bufPos_);
        case Writing:
            return filePos_ + static_cast<std::int64_t>(bufEnd_);
        default:
            return filePos_;
    }
}

bool TLFNFileStream::Flush() {
    if (state_ == Writing) {
        size_t done = 0;
        while (done < bufEnd_) {
            const ssize_t n =
                ::pwrite(fd_, buf_.data() + done, bufEnd_ - done, filePos_ + static_cast<off_t>(done));
            if (n <= 0) {
                if (n < 0 && errno == EINTR) continue;
                error_ = n < 0 ? errno : ENOSPC;
                // What did not reach the file is dropped; the caller sees a short write.
                filePos_ += static_cast<std::int64_t>(done);
                bufPos_ = bufEnd_ = 0;
                state_ = Idle;
                return false;
            }
            done += static_cast<size_t>(n);
        }
        filePos_ += static_cast<std::int64_t>(bufEnd_);
    } else if (state_ == Reading) {
        filePos_ += static_cast<std::int64_t>(bufPos_);
    }
    bufPos_ = bufEnd_ = 0;
    state_ = Idle;
    return true;
}

std::int64_t TLFNFileStream::Read(void* data, std::int64_t count) {
    if (fd_ < 0 || count <= 0) return 0;
    if (state_ == Writing && !Flush()) return 0;
    auto* out = static_cast<unsigned char*>(data);
    std::int64_t total = 0;
    while (total < count) {
        if (state_ == Reading && bufPos_ < bufEnd_) {
            const size_t n = static_cast<size_t>(std::min<std::int64_t>(count - total, bufEnd_ - bufPos_));
            std::memcpy(out + total, buf_.data() + bufPos_, n);
            bufPos_ += n, total += static_cast<std::int64_t>(n);
            continue;
        }
        Flush();  // now idle at the logical position
        const std::int64_t want = count - total;
        if (want >= static_cast<std::int64_t>(buf_.size())) {
            const ssize_t n = ::pread(fd_, out + total, static_cast<size_t>(want), filePos_);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                if (n < 0) error_ = errno;
                break;
            }
            filePos_ += n, total += n;
        } else {
            const ssize_t n = ::pread(fd_, buf_.data(), buf_.size(), filePos_);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                if (n < 0) error_ = errno;
                break;
            }
            bufPos_ = 0, bufEnd_ = static_cast<size_t>(n);
            state_ = Reading;
        }
    }
    return total;
}

std::int64_t TLFNFileStream::Write(const void* data, std::int64_t count) {
    if (fd_ < 0 || count <= 0) return 0;
    if (state_ == Reading) Flush();
    written_ = true;
    const auto* in = static_cast<const unsigned char*>(data);
    std::int64_t total = 0;
    while (total < count) {
        if (state_ != Writing) state_ = Writing, bufPos_ = bufEnd_ = 0;
        const std::int64_t want = count - total;
        if (bufEnd_ == 0 && want >= static_cast<std::int64_t>(buf_.size())) {
            const ssize_t n = ::pwrite(fd_, in + total, static_cast<size_t>(want), filePos_);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                error_ = n < 0 ? errno : ENOSPC;
                break;
            }
            filePos_ += n, total += n;
            continue;
        }
        const size_t n = static_cast<size_t>(std::min<std::int64_t>(want, buf_.size() - bufEnd_));
        std::memcpy(buf_.data() + bufEnd_, in + total, n);
        bufEnd_ += n, total += static_cast<std::int64_t>(n);
        if (bufEnd_ == buf_.size() && !Flush()) return total - static_cast<std::int64_t>(n);
    }
    return total;
}

std::int64_t TLFNFileStream::Seek(std::int64_t offset, int origin) {
    std::int64_t target = 0;
    switch (origin) {
        case 0:
            target = offset;
            break;
        case 1:
            target = Position() + offset;
            break;
        case 2:
            target = std::max(Position(), Size()) - (offset < 0 ? -offset : offset);
            break;
        default:
            throw std::invalid_argument("Invalid seek origin (" + std::to_string(origin) + ")");
    }
    if (target < 0) target = 0;
    if (target == Position()) return target;
    // A seek inside the read-ahead keeps it.
    if (state_ == Reading && target >= filePos_ && target <= filePos_ + static_cast<std::int64_t>(bufEnd_)) {
        bufPos_ = static_cast<size_t>(target - filePos_);
        return target;
    }
    if (state_ == Writing && !Flush()) throw std::runtime_error("Seek error");
    bufPos_ = bufEnd_ = 0;
    state_ = Idle;
    filePos_ = target;
    return target;
}

std::int64_t TLFNFileStream::Size() {
    struct stat st {};
    if (fd_ < 0 || fstat(fd_, &st) != 0) return 0;
    std::int64_t size = st.st_size;
    if (state_ == Writing) size = std::max(size, filePos_ + static_cast<std::int64_t>(bufEnd_));
    return size;
}

bool TLFNFileStream::SetSize(std::int64_t size) {
    if (!Flush()) return false;
    return ::ftruncate(fd_, size) == 0;
}

bool TLFNFileStream::Close() {
    if (fd_ < 0) return error_ == 0;
    bool ok = Flush();
    if (ok && flushOnClose_ && written_) ok = ::fsync(fd_) == 0;
    if (::close(fd_) != 0) ok = false;
    fd_ = -1;
    if (!ok && error_ == 0) error_ = EIO;
    return ok && error_ == 0;
}
