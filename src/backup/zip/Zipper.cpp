#include "backup/zip/Zipper.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <thread>

#include "platform/os/AtomicFile.h"
#include "platform/os/Clock.h"
#include "platform/os/CodePage.h"
#include "platform/os/TempDir.h"
#include "platform/os/Text.h"
#include "platform/os/Volume.h"

namespace {

constexpr std::int64_t CopyBlock = 16384;

// Moves a stream being written: its buffered bytes reach the file first, and
// a disk that is full then is the writer's error, not the stream's.
void SeekWritten(TLFNFileStream& s, std::int64_t position) {
    if (!s.Flush()) throw ENotEnoughRoom(ZipMessage(204));
    s.Seek(position);
}

}  // namespace

namespace {

// A file deflated ahead on a worker thread: an archive of many files is
// compressed on several cores while the entries are still written one after
// the other, the bytes the same as deflating them in turn.
struct Deflated {
    bool ok = false;
    std::int64_t size = 0;
    std::uint32_t crc = 0xFFFFFFFF;  // running form, as Run::crc
    std::string bytes;
};

Deflated DeflateWhole(const std::string& path, int level, std::int64_t limit) {
    // Each worker keeps its buffers from file to file: fresh ones for every
    // table were zeroed and faulted in page by page, and handed back to the
    // system, which costs more than deflating the tables itself.
    thread_local std::vector<unsigned char> data, out;
    Deflated d;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > limit) return d;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return d;
    const size_t size = static_cast<size_t>(st.st_size);
    if (data.size() < size) data.resize(size);
    const size_t read = std::fread(data.data(), 1, size, f);
    const bool whole = read == size && std::fgetc(f) == EOF;
    std::fclose(f);
    if (!whole) return d;
    z_stream zs{};
    if (deflateInit2(&zs, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return d;
    const size_t bound = deflateBound(&zs, static_cast<uLong>(size));
    if (out.size() < bound) out.resize(bound);
    zs.next_in = data.data();
    zs.avail_in = static_cast<uInt>(size);
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(bound);
    const int ret = deflate(&zs, Z_FINISH);
    deflateEnd(&zs);
    if (ret != Z_STREAM_END) return d;
    d.bytes.assign(reinterpret_cast<const char*>(out.data()), zs.total_out);
    d.size = st.st_size;
    d.crc = UpdateCRC(0xFFFFFFFF, data.data(), size);
    d.ok = true;
    return d;
}

class DeflateAhead {
public:
    DeflateAhead(std::vector<std::string> files, int level) : files_(std::move(files)), level_(level) {
        const size_t threads = std::min<size_t>(
            std::clamp<unsigned>(std::thread::hardware_concurrency(), 1u, 4u), files_.size());
        done_.resize(files_.size());
        ready_.assign(files_.size(), false);
        window_ = 4 * threads;
        for (size_t t = 0; t < threads; ++t) workers_.emplace_back([this] { Work(); });
    }
    ~DeflateAhead() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        for (std::thread& w : workers_) w.join();
    }
    // The deflated file of entry `index`, waiting for its worker; entries are
    // taken in order.
    Deflated Take(size_t index) {
        std::unique_lock<std::mutex> lock(mutex_);
        taken_ = index;
        wake_.notify_all();
        done_cv_.wait(lock, [&] { return ready_[index]; });
        return std::move(done_[index]);
    }

private:
    void Work() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (true) {
            wake_.wait(lock, [&] { return stop_ || (next_ < files_.size() && next_ <= taken_ + window_); });
            if (stop_) return;
            const size_t i = next_++;
            lock.unlock();
            Deflated d = DeflateWhole(files_[i], level_, kLimit);
            lock.lock();
            done_[i] = std::move(d);
            ready_[i] = true;
            done_cv_.notify_all();
        }
    }
    // Larger files are deflated in turn, without holding them in memory.
    static constexpr std::int64_t kLimit = 16 << 20;
    std::vector<std::string> files_;
    int level_;
    std::vector<Deflated> done_;
    std::vector<bool> ready_;
    size_t next_ = 0, taken_ = 0, window_ = 0;
    bool stop_ = false;
    std::mutex mutex_;
    std::condition_variable wake_, done_cv_;
    std::vector<std::thread> workers_;
};

}  // namespace

struct TZipper::Run {
    std::unique_ptr<TLFNFileStream> out;
    std::string outName;  // the temporary archive, or the current disk or part
    bool single = true, updating = false;
    std::unique_ptr<TSortedZip> physical;
    std::set<std::string> storedNames;  // lower case, for duplicate stored paths
    TEndCentral end;
    int disk = 0;
    std::int64_t capacity = 0;
    std::int64_t totalBytes = 0, bytesDone = 0;
    int compressed = 0;
    std::vector<std::string> dispose;
    std::int64_t pathLengthSum = 0, averagePath = 0;
    // Current entry.
    std::uint32_t crc = 0xFFFFFFFF;
    std::int64_t entryRead = 0, entrySize = 0;
    bool encrypt = false;
    TZipKeys keys;
    std::vector<unsigned char> cryptBuf;
    std::unique_ptr<DeflateAhead> ahead;  // plain single archives only
    Deflated current;                     // the entry's deflated file, when done ahead
};

TZipper::TZipper() = default;
TZipper::~TZipper() = default;

void TZipper::SetStorePaths(bool v) {
    storePaths_ = v;
    if (!v) storeVolumes_ = relativePaths_ = false;
}

void TZipper::SetRelativePaths(bool v) {
    relativePaths_ = v;
    if (v) storePaths_ = Recurse = true;
}

void TZipper::SetStoreVolumes(bool v) {
    storeVolumes_ = v;
    if (v) storePaths_ = true;
}

// The stored folder ("\" separators, ending in "\" or empty) of a folder of
// this system ("/" separators, ending in "/").
std::string TZipper::StoredFolderOf(const std::string& folder) const {
    std::string f = folder;
    UnixToDosSlashes(f);
    if (relativePaths_ && !RelativePathList.empty()) f = StripRootDir(f);
    if (!storeVolumes_) {
        if (f.size() >= 2 && f[1] == ':') f.erase(0, 2);
        if (!f.empty() && f[0] == '\\') f.erase(0, 1);
    }
    while (f.size() >= 2 && f.compare(f.size() - 2, 2, "\\\\") == 0) f.pop_back();
    return f == "\\" ? std::string() : f;
}

namespace {

// What the search attribute mask lets through.
struct Mask {
    bool hidden, system, readOnly;
    bool Passes(const std::string& path, const struct stat& st) const {
        const std::string name = ExtractName(StripTrailingSlash(path));
        if (!hidden && !name.empty() && name[0] == '.') return false;
        if (!system && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) return false;
        if (!readOnly && S_ISREG(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return false;
        return true;
    }
};

std::vector<std::string> SortedListing(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* d = opendir(folder.c_str())) {
        while (dirent* e = readdir(d)) {
            const std::string n = e->d_name;
            if (n != "." && n != "..") names.push_back(n);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The folder walker: a folder is reported (name + "/") before its contents;
// files whose name (with "." added when it has none) matches the pattern.
void Walk(const std::string& folder, const std::string& pattern, bool recurse, const Mask& mask, int depth,
          const std::function<void(const std::string&)>& found) {
    for (const std::string& n : SortedListing(folder)) {
        const std::string path = folder + "/" + n;
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0 || !mask.Passes(path, st)) continue;
        if (S_ISDIR(st.st_mode)) {
            if (recurse && depth < 64) {
                found(path + "/");
                Walk(path, pattern, recurse, mask, depth + 1, found);
            }
        } else if (WildcardMatch(pattern, n.find('.') == std::string::npos ? n + "." : n)) {
            found(path);
        }
    }
}

// A search folder holding wildcards: each wild component selects folders.
void WalkWild(const std::string& base, const std::vector<std::string>& parts, size_t i,
              const std::string& pattern, bool recurse, const Mask& mask,
              const std::function<void(const std::string&)>& found) {
    if (i == parts.size()) return Walk(base, pattern, recurse, mask, 0, found);
    if (!HasWildcards(parts[i]))
        return WalkWild(base + "/" + parts[i], parts, i + 1, pattern, recurse, mask, found);
    for (const std::string& n : SortedListing(base)) {
        const std::string path = base + "/" + n;
        if (DirExists(path) && WildcardMatch(parts[i], n))
            WalkWild(path, parts, i + 1, pattern, recurse, mask, found);
    }
}

}  // namespace

void TZipper::ExpandFilesList(Run& r) {
    const Mask mask{IncludeHiddenFiles, IncludeSysFiles, IncludeReadOnlyFiles};
    const std::string root = !rootDir_.empty() && rootDir_.back() == '/' ? rootDir_ : std::string();
    std::set<std::string> inArchive;
    if (ZipAction == zaFreshen && entries_)
        for (const TZipHeaderInfo* e : entries_->Items()) inArchive.insert(os::LowerAscii(e->FullName()));
    auto excluded = [&](const std::string& name) {
        for (const std::string& p : ExcludeList)
            if (WildcardMatch(p, name) || WildcardMatch(p, ExtractName(name))) return true;
        return false;
    };
    auto skip = [&](TSkipReason reason, const std::string& name) {
        bool retry = false;
        if (OnSkippingFile) OnSkippingFile(this, reason, name, -1, retry);
    };
    auto freshenMissing = [&](const std::string& name) {
        return ZipAction == zaFreshen && !inArchive.count(os::LowerAscii(
                                             StoredFolderOf(ExtractFolder(name) + "/") + ExtractName(name)));
    };
    std::vector<std::string> kept, wild;
    for (const std::string& entry : FilesList) {
        if (!entry.empty() && entry.back() == '/') {
            kept.push_back(entry);
            continue;
        }
        if (HasWildcards(entry)) {
            wild.push_back(entry);
            continue;
        }
        const std::string name = entry.find('/') == std::string::npos ? root + entry : entry;
        struct stat st {};
        if (excluded(name)) {
            skip(srExcludeList, name);
        } else if (stat(name.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !mask.Passes(name, st)) {
            if (OnNoSuchFile) OnNoSuchFile(this, name);
        } else if (freshenMissing(name)) {
            skip(srNoFileToFreshen, name);
        } else {
            r.totalBytes += st.st_size;
            kept.push_back(name);
        }
    }
    for (std::string entry : wild) {
        bool recurse = Recurse;
        if (entry[0] == '|')
            recurse = false, entry.erase(0, 1);
        else if (entry[0] == '>')
            recurse = true, entry.erase(0, 1);
        std::string folder =
            entry.find('/') == std::string::npos ? StripTrailingSlash(root) : ExtractFolder(entry);
        std::string pattern = ExtractName(entry);
        if (pattern == "*.*") pattern = "*";
        if (folder.empty()) folder = ".";
        auto found = [&](const std::string& name) {
            if (OnRecursingFile) OnRecursingFile(this, name);
            if (name.back() == '/') {
                if (recurse && AddDirEntriesOnRecurse) kept.push_back(name);
                return;
            }
            if (excluded(name)) return skip(srExcludeList, name);
            ProcessMessages();
            if (os::LowerAscii(name) == os::LowerAscii(zipName_)) return;
            if (freshenMissing(name)) return skip(srNoFileToFreshen, name);
            r.totalBytes += FileSize64(name);
            kept.push_back(name);
        };
        if (HasWildcards(folder)) {
            std::vector<std::string> parts;
            std::string base;
            size_t start = folder[0] == '/' ? 1 : 0;
            bool wildSeen = false;
            while (start <= folder.size()) {
                size_t end = folder.find('/', start);
                if (end == std::string::npos) end = folder.size();
                const std::string part = folder.substr(start, end - start);
                wildSeen = wildSeen || HasWildcards(part);
                if (wildSeen)
                    parts.push_back(part);
                else
                    base += (base.empty() && folder[0] != '/' ? "" : "/") + part;
                start = end + 1;
            }
            WalkWild(base.empty() ? "." : base, parts, 0, pattern, recurse, mask, found);
        } else if (DirExists(folder)) {
            Walk(folder, pattern, recurse, mask, 0, found);
        } else if (OnNoSuchFile) {
            OnNoSuchFile(this, entry);
        }
    }
    if (MultiMode() != mmNone && MultiZipInfo.SaveZipInfoOnFirstDisk && storePaths_) {
        for (const std::string& n : kept) r.pathLengthSum += static_cast<std::int64_t>(n.size()) - 2;
        if (r.pathLengthSum > 0 && !kept.empty())
            r.averagePath = r.pathLengthSum / static_cast<std::int64_t>(kept.size());
    }
    FilesList = std::move(kept);
}

std::int64_t TZipper::RoomLeft(Run& r) const { return r.capacity - r.out->Size(); }

void TZipper::OpenFirstDisk(Run& r) {
    std::string name;
    if (MultiMode() == mmSpan) {
        name = zipName_;
        AskForDisk(1, name);
        if (name.empty()) throw EUserCanceled(ZipMessage(187));
        if (FileExists(name)) ::unlink(name.c_str());
        if (OnPrepareNextDisk) OnPrepareNextDisk(this, 1);
    } else {
        name = partBase_;
        PartFileName(name, 1, spFirst);
    }
    if (MultiZipInfo.SaveZipInfoOnFirstDisk) {
        std::int64_t reserve = static_cast<std::int64_t>(FilesList.size()) * (r.averagePath + 46) + 22 +
                               end_.CommentLength + 2048;
        if (MultiMode() == mmSpan) {
            const std::int64_t cluster = os::VolumeClusterSize(name);
            reserve += cluster > 0 ? cluster : 4096;
        }
        MultiZipInfo.SaveOnFirstDisk += reserve;
    }
    r.outName = name;
    r.out = std::make_unique<TLFNFileStream>(name, TLFNFileStream::fmCreate, 65536, FlushFilesOnClose);
    if (MultiMode() == mmSpan) {
        r.capacity = os::VolumeFreeBytes(name) - MultiZipInfo.SaveOnFirstDisk;
        // A disk without room beyond the directory's reserve would hold an
        // empty archive that reads as one without entries: another disk 1.
        while (r.capacity <= 0) {
            r.out.reset();
            ::unlink(name.c_str());
            r.outName.clear();
            name = zipName_;
            AskForDisk(1, name);
            if (name.empty()) throw EUserCanceled(ZipMessage(187));
            if (FileExists(name)) ::unlink(name.c_str());
            r.outName = name;
            r.out =
                std::make_unique<TLFNFileStream>(name, TLFNFileStream::fmCreate, 65536, FlushFilesOnClose);
            r.capacity = os::VolumeFreeBytes(name) - MultiZipInfo.SaveOnFirstDisk;
        }
    } else
        r.capacity = (MultiZipInfo.FirstBlockSize ? MultiZipInfo.FirstBlockSize : MultiZipInfo.BlockSize) -
                     MultiZipInfo.SaveOnFirstDisk;
}

void TZipper::WriteDiskLabel(Run& r) {
    if (MultiMode() != mmSpan || !MultiZipInfo.WriteDiskLabels) return;
    const std::string folder = ExtractFolder(r.outName).empty() ? "." : ExtractFolder(r.outName);
    if (!os::IsRemovableVolume(folder)) return;
    char label[32];
    std::snprintf(label, sizeof label, "PKBACK# %03d", r.disk + 1);
    os::SetVolumeLabel(folder, "");
    os::SetVolumeLabel(folder, label);
}

void TZipper::StartNextDisk(Run& r) {
    if (r.single) return;
    const bool closed = r.out->Close();
    r.out.reset();
    if (!closed) throw ENotEnoughRoom(ZipMessage(204));
    std::string name = r.outName;
    if (MultiMode() == mmSpan) {
        WriteDiskLabel(r);
        // The finished disk keeps its file: it is no longer ours to delete.
        r.outName.clear();
        AskForDisk(r.disk + 2, name);
        if (name.empty()) throw EUserCanceled(ZipMessage(187));
        ++r.disk;
        if (FileExists(name)) ::unlink(name.c_str());
        if (OnPrepareNextDisk) OnPrepareNextDisk(this, r.disk + 1);
    } else {
        r.outName.clear();
        name = partBase_;
        PartFileName(name, r.disk + 2, spMiddle);
        ++r.disk;
    }
    r.outName = name;
    r.out = std::make_unique<TLFNFileStream>(name, TLFNFileStream::fmCreate, 65536, FlushFilesOnClose);
    r.capacity = MultiMode() == mmSpan ? os::VolumeFreeBytes(name) : MultiZipInfo.BlockSize;
}

void TZipper::WriteOutput(Run& r, TLFNFileStream& to, const void* data, std::int64_t count) {
    const void* bytes = data;
    if (r.encrypt) {
        r.cryptBuf.assign(static_cast<const unsigned char*>(data),
                          static_cast<const unsigned char*>(data) + count);
        if (OnEncrypt)
            OnEncrypt(this, r.cryptBuf.data(), static_cast<int>(count), Password);
        else
            r.keys.EncryptBuffer(r.cryptBuf.data(), r.cryptBuf.size());
        bytes = r.cryptBuf.data();
    }
    if (to.Write(bytes, count) != count) throw ENotEnoughRoom(ZipMessage(204));
    ProcessMessages();
}

std::int64_t TZipper::ReadInput(Run& r, TLFNFileStream& in, void* data, std::int64_t count) {
    const std::int64_t n = in.Read(data, count);
    if (n <= 0) return 0;
    r.crc = UpdateCRC(r.crc, data, static_cast<size_t>(n));
    r.entryRead += n;
    r.bytesDone += n;
    if (OnFilePercentDone) {
        const int p = Percentage(r.entryRead, r.entrySize);
        OnFilePercentDone(this, r.single ? p : p / 2);
    }
    if (OnTotalPercentDone) OnTotalPercentDone(this, Percentage(r.bytesDone, r.totalBytes));
    return n;
}

void TZipper::SpanCopy(Run& r, TZipHeaderInfo& h, TLFNFileStream& temp) {
    const std::int64_t size = temp.Size();
    if (OnStartSpanCopy) OnStartSpanCopy(this, h.FileName(), size);
    if (RoomLeft(r) <= 0) StartNextDisk(r);
    const auto uncompressed = static_cast<std::int64_t>(h.UncompressedSize());
    r.totalBytes -= uncompressed - size;
    SeekWritten(temp, 0);
    std::vector<unsigned char> buf(CopyBlock);
    std::int64_t remaining = size, copied = 0;
    std::int64_t piece = std::min(remaining, RoomLeft(r));
    while (remaining > 0) {
        if (piece <= 0) throw ENotEnoughRoom(ZipMessage(204));
        for (std::int64_t left = piece; left > 0;) {
            const std::int64_t n = std::min(left, CopyBlock);
            if (temp.Read(buf.data(), n) != n || r.out->Write(buf.data(), n) != n)
                throw ENotEnoughRoom(ZipMessage(204));
            left -= n, copied += n, r.bytesDone += n;
            if (OnFilePercentDone)
                OnFilePercentDone(this, Percentage(uncompressed + copied, uncompressed + size));
            if (OnTotalPercentDone) OnTotalPercentDone(this, Percentage(r.bytesDone, r.totalBytes));
            ProcessMessages();
        }
        remaining -= piece;
        if (remaining > 0 || RoomLeft(r) <= 0) StartNextDisk(r);
        piece = std::min(remaining, RoomLeft(r));
    }
}

bool TZipper::CompressEntry(Run& r, TZipHeaderInfo& h, const std::string& name) {
    const bool folder = !name.empty() && name.back() == '/';
    std::unique_ptr<TLFNFileStream> in;
    std::int64_t size = 0;
    if (folder) {
        const std::string path = StripTrailingSlash(name);
        const std::int64_t stamp = FileDosDateTime(path);
        h.LastMod = stamp < 0 ? UnixTimeToDosDateTime(os::NowUnixTime()) : static_cast<std::uint32_t>(stamp);
        h.SetCompressedSize(0);
        h.SetUncompressedSize(0);
        h.Method = 0;
        h.CRC32 = 0;
        h.ExternalAttributes = DirExists(path) ? FileDosAttributes(path) : 0x10;
        // A listed folder keeps its path even without StorePaths.
        const bool saved = storePaths_;
        storePaths_ = true;
        h.SetDirectory(StoredFolderOf(name));
        storePaths_ = saved;
        h.SetFileName("");
    } else {
        if (!FileExists(name)) {
            if (OnNoSuchFile) OnNoSuchFile(this, name);
            return false;
        }
        while (!in) {
            try {
                in = std::make_unique<TLFNFileStream>(name, TLFNFileStream::fmOpenRead, 8192);
            } catch (const os::FileError&) {
                bool retry = false;
                if (OnSkippingFile) OnSkippingFile(this, srFileOpenError, name, -1, retry);
                if (!retry) return false;
            }
        }
        h.ExternalAttributes = FileDosAttributes(name);
        h.LastMod = static_cast<std::uint32_t>(std::max<std::int64_t>(0, FileDosDateTime(name)));
        size = in->Size();
        h.SetUncompressedSize(static_cast<std::uint64_t>(size));
        // Decided before any data is written, as the local header keeps its
        // size: room for deflate's worst expansion and the encryption header.
        h.LocalZip64 = size + (size >> 10) + 65536 >= 0xFFFFFFFF;
        h.LocalExtraLength = h.LocalZip64 ? 20 : 0;
        h.SetDirectory(storePaths_ ? StoredFolderOf(ExtractFolder(name) + "/") : std::string());
        h.SetFileName(ExtractName(name));
    }
    // A name the OEM code page cannot hold is stored in UTF-8 and marked so.
    const std::string full = h.FullName();
    if (std::any_of(full.begin(), full.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
        bool oemOk = h.OEMNames;
        if (oemOk) try {
                os::Utf8ToCp852(full);
            } catch (const os::CodePageError&) {
                oemOk = false;
            }
        if (!oemOk) h.Flags |= 0x800;
        h.SetFileName(h.FileName());
    }
    h.InternalAttributes = 0;
    h.SetDiskNumberStart(static_cast<std::uint32_t>(r.disk));

    auto dropped = [&](TSkipReason reason) {
        r.totalBytes -= size;
        bool retry = false;
        if (OnSkippingFile) OnSkippingFile(this, reason, name, -1, retry);
        return false;
    };
    if (r.storedNames.count(os::LowerAscii(h.FullName()))) return dropped(srNoOverwrite);
    bool skip = false;
    if (OnStartZip) OnStartZip(this, name, h, skip);
    if (skip) return dropped(srSkippedInStartZip);

    if (!r.single && RoomLeft(r) <= h.LocalHeaderSize()) StartNextDisk(r);
    h.SetDiskNumberStart(static_cast<std::uint32_t>(r.disk));
    if (r.single || folder) {
        if (!h.WriteLocalHeader(*r.out)) throw ENotEnoughRoom(ZipMessage(204));
    }
    if (folder) {
        if (OnEndZip) OnEndZip(this, name, 0, 0, 0);
        return true;
    }

    std::unique_ptr<os::TempFile> tempName;
    std::unique_ptr<TLFNFileStream> temp;
    if (!r.single) {
        const std::string tempFolder = !TempPath.empty() && DirExists(TempPath) ? TempPath : os::TempFolder();
        tempName = std::make_unique<os::TempFile>(TempFileName(tempFolder));
        temp = std::make_unique<TLFNFileStream>(tempName->Path(), TLFNFileStream::fmOpenReadWrite, 65536);
    }
    TLFNFileStream& dst = r.single ? *r.out : *temp;
    const std::int64_t start = dst.Position();
    r.entryRead = 0;
    r.entrySize = size;
    r.encrypt = false;
    if (!Password.empty()) {
        // The header's check byte is the high byte of the CRC, known only after a pass.
        std::uint32_t crc = 0xFFFFFFFF;
        std::vector<unsigned char> buf(8192);
        for (std::int64_t n; (n = in->Read(buf.data(), 8192)) > 0;)
            crc = UpdateCRC(crc, buf.data(), static_cast<size_t>(n));
        in->Seek(0);
        crc = ~crc;
        h.CRC32 = crc;
        r.keys.InitKeys(Password);
        r.encrypt = true;
        static std::mt19937 random(static_cast<unsigned>(std::time(nullptr)));
        unsigned char header[12];
        for (int i = 0; i < 10; ++i) header[i] = static_cast<unsigned char>((random() & 0x7FFF) >> 7);
        header[10] = static_cast<unsigned char>(crc >> 16);
        header[11] = static_cast<unsigned char>(crc >> 24);
        WriteOutput(r, dst, header, 12);
    }
    r.crc = 0xFFFFFFFF;
    bool store = PackLevel == 0;
    for (const std::string& p : NoCompressList) store = store || WildcardMatch(p, h.FileName());
    std::vector<unsigned char> inBuf(65536), outBuf(65536);
    if (store) {
        h.Method = 0;
        for (std::int64_t n; (n = ReadInput(r, *in, inBuf.data(), 32768)) > 0;)
            WriteOutput(r, dst, inBuf.data(), n);
    } else {
        h.Method = 8;
    }
    if (!store && r.current.ok && r.current.size == size) {
        r.crc = r.current.crc;
        r.entryRead = size;
        r.bytesDone += size;
        if (OnFilePercentDone) OnFilePercentDone(this, 100);
        if (OnTotalPercentDone) OnTotalPercentDone(this, Percentage(r.bytesDone, r.totalBytes));
        const std::string& bytes = r.current.bytes;
        for (size_t at = 0; at < bytes.size(); at += outBuf.size())
            WriteOutput(r, dst, bytes.data() + at, std::min<std::int64_t>(outBuf.size(), bytes.size() - at));
    } else if (!store) {
        z_stream zs{};
        if (deflateInit2(&zs, PackLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw EZCompressionError("error");
        struct Guard {
            z_stream& s;
            ~Guard() { deflateEnd(&s); }
        } guard{zs};
        int flush = Z_NO_FLUSH;
        while (true) {
            if (zs.avail_in == 0 && flush != Z_FINISH) {
                const std::int64_t n =
                    ReadInput(r, *in, inBuf.data(), static_cast<std::int64_t>(inBuf.size()));
                if (n == 0) flush = Z_FINISH;
                zs.next_in = inBuf.data();
                zs.avail_in = static_cast<uInt>(n);
            }
            zs.next_out = outBuf.data();
            zs.avail_out = static_cast<uInt>(outBuf.size());
            const int ret = deflate(&zs, flush);
            if (ret < 0 && ret != Z_BUF_ERROR) throw EZCompressionError("error");
            const std::int64_t produced = static_cast<std::int64_t>(outBuf.size() - zs.avail_out);
            if (produced > 0) WriteOutput(r, dst, outBuf.data(), produced);
            if (ret == Z_STREAM_END) break;
        }
    }
    r.encrypt = false;
    if (r.entryRead < size) {
        HandleMessage(208, ZipMessage(208) + name, name, mbOK);
    }
    h.SetUncompressedSize(static_cast<std::uint64_t>(r.entryRead));
    if (Password.empty()) h.CRC32 = ~r.crc;
    if (PackLevel <= 2) h.Flags |= 4;
    if (PackLevel >= 8) h.Flags |= 2;
    if (!Password.empty()) h.Flags |= 1;
    const std::int64_t compressed = dst.Position() - start;
    h.SetCompressedSize(static_cast<std::uint64_t>(compressed));
    if (r.single) {
        const std::int64_t after = r.out->Position();
        SeekWritten(*r.out, static_cast<std::int64_t>(h.RelativeOffset()));
        if (!h.WriteLocalHeader(*r.out)) throw ENotEnoughRoom(ZipMessage(204));
        SeekWritten(*r.out, after);
    } else {
        if (RoomLeft(r) <= h.LocalHeaderSize()) StartNextDisk(r);
        h.SetDiskNumberStart(static_cast<std::uint32_t>(r.disk));
        if (!h.WriteLocalHeader(*r.out)) throw ENotEnoughRoom(ZipMessage(204));
        SpanCopy(r, h, *temp);
    }
    in.reset();
    if (OnEndZip) OnEndZip(this, name, r.entryRead, compressed, r.out->Size());
    return true;
}

void TZipper::RegisterEntry(Run& r, TZipHeaderInfo* h, const std::string& name) {
    r.storedNames.insert(os::LowerAscii(h->FullName()));
    r.physical->Add(h);
    ++r.compressed;
    r.end.SetTotalEntries(r.end.TotalEntries() + 1);
    if (Dispose && !name.empty() && name.back() != '/') r.dispose.push_back(name);
}

void TZipper::CopyExistingEntry(Run& r, TZipHeaderInfo& h, int index) {
    const TZipHeaderInfo& e = Entry(index);
    TLFNFileStream& old = *stream_;
    old.Seek(static_cast<std::int64_t>(e.RelativeOffset()));
    unsigned char lh[30];
    if (!old.ReadExact(lh, 30) || lh[0] != 'P' || lh[1] != 'K' || lh[2] != 3 || lh[3] != 4) BadZip();
    const int nameLength = lh[26] | lh[27] << 8, extraLength = lh[28] | lh[29] << 8;
    old.Seek(static_cast<std::int64_t>(e.RelativeOffset()) + 30 + nameLength);
    h.LocalExtraLength = static_cast<std::uint16_t>(extraLength);
    h.Flags &= static_cast<std::uint16_t>(~8u);
    h.SetDiskNumberStart(0);
    if (!h.WriteLocalHeader(*r.out)) throw ENotEnoughRoom(ZipMessage(204));
    const std::int64_t length = extraLength + static_cast<std::int64_t>(e.CompressedSize());
    std::vector<unsigned char> buf(CopyBlock);
    for (std::int64_t copied = 0; copied < length;) {
        const std::int64_t n = std::min(CopyBlock, length - copied);
        if (old.Read(buf.data(), n) != n) throw EFatalUnzipError(ZipMessage(194));
        if (r.out->Write(buf.data(), n) != n) throw ENotEnoughRoom(ZipMessage(204));
        copied += n;
        r.bytesDone += n;
        if (OnFilePercentDone) OnFilePercentDone(this, Percentage(copied, length));
        if (OnTotalPercentDone) OnTotalPercentDone(this, Percentage(r.bytesDone, r.totalBytes));
        ProcessMessages();
    }
}

void TZipper::MergeExistingEntries(Run& r) {
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        ProcessMessages();
        const TZipHeaderInfo& e = Entry(i);
        std::unique_ptr<TZipHeaderInfo> h(NewHeaderInfo());
        h->Assign(e);
        if (e.FileCommentLength && !e.FileComment) h->SetFileCommentText(FileComment(i));
        const std::string stored = os::LowerAscii(e.FullName());
        auto match = std::find_if(FilesList.begin(), FilesList.end(), [&](const std::string& f) {
            const bool folder = !f.empty() && f.back() == '/';
            const std::string path =
                folder ? StoredFolderOf(f)
                       : (storePaths_ ? StoredFolderOf(ExtractFolder(f) + "/") : "") + ExtractName(f);
            return os::LowerAscii(path) == stored;
        });
        if (match != FilesList.end()) {
            const std::string file = *match;
            const std::int64_t fileStamp = FileDosDateTime(StripTrailingSlash(file));
            const bool replace =
                ZipAction == zaReplace || static_cast<std::int64_t>(ValidDosDateTime(e.LastMod)) < fileStamp;
            FilesList.erase(match);
            if (replace) {
                if (OnUpdate) OnUpdate(this, uaReplacing, i);
                std::unique_ptr<TZipHeaderInfo> n(NewHeaderInfo());
                if (CompressEntry(r, *n, file)) {
                    RegisterEntry(r, n.release(), file);
                    continue;
                }
                // The file was not added (it could not be read, or was
                // skipped): the archive keeps the copy it had.
                if (r.storedNames.count(stored)) continue;
            } else {
                if (Dispose && file.back() != '/') r.dispose.push_back(file);
                r.totalBytes += static_cast<std::int64_t>(e.CompressedSize()) -
                                std::max<std::int64_t>(0, FileSize64(file));
            }
        }
        if (OnUpdate) OnUpdate(this, uaKeeping, i);
        CopyExistingEntry(r, *h, i);
        r.storedNames.insert(os::LowerAscii(h->FullName()));
        r.physical->Add(h.release());
        r.end.SetTotalEntries(r.end.TotalEntries() + 1);
    }
}

void TZipper::WriteConfigFile(Run& r) {
    try {
        TLFNFileStream zfc(ChangeFileExt(zipName_, ".zfc"), TLFNFileStream::fmCreate, 65536,
                           FlushFilesOnClose);
        bool ok = true;
        for (TZipHeaderInfo* h : r.physical->Items()) ok = ok && h->WriteCentralHeader(zfc);
        TEndCentral end;
        end.Assign(r.end);
        end.Zip64End = r.end.Zip64End;
        ok = ok && end.WriteEndRecords(zfc) && zfc.Close();
        if (!ok) throw ENotEnoughRoom(ZipMessage(204));
    } catch (const std::exception&) {
        throw EConfigFileSaveError(ZipMessage(205));
    }
}

int TZipper::CompressFiles() {
    Cancel = false;
    if (zipName_.empty()) return 0;
    const bool prevBusy = SetBusy(true);
    const TZipSortMode savedSort = sortMode_;
    const bool savedKeep = KeepZipOpen;
    KeepZipOpen = true;
    if (sortMode_ != ByNone) SortEntries(ByNone);
    Run r;
    auto restore = [&] {
        if (sortMode_ != savedSort) SortEntries(savedSort);
        KeepZipOpen = savedKeep;
        CloseZip();
        SetBusy(prevBusy);
        FilesList.clear();
    };
    try {
        r.single = MultiMode() == mmNone;
        r.updating = r.single && FileExists(zipName_);
        if (r.updating || ZipAction == zaFreshen) {
            if (FileExists(zipName_)) OpenZip();
        }
        // Kept entries are copied with their local extra fields: a damaged
        // archive is refused rather than rewritten into one that reads as
        // damaged, and so is the last part of a set, which is not one file.
        if (r.updating) {
            if (numberOfDisks_ > 1) BadZip();
            ValidateLocalHeaders();
        }
        ExpandFilesList(r);
        if (!FilesList.empty() && OnStartZipInfo) {
            bool stop = false;
            OnStartZipInfo(this, static_cast<int>(FilesList.size()), r.totalBytes, end_, stop);
            if (stop) throw EUserCanceled(ZipMessage(187));
        }
        r.physical = std::make_unique<TSortedZip>(ByNone, TSortedZip::dupError, true);
        r.physical->Reserve(FilesList.size() + static_cast<size_t>(r.updating ? Count() : 0));
        if (r.single) {
            // Beside the target, so that the finished archive replaces it in one rename.
            const std::string folder = ExtractFolder(zipName_);
            r.outName = TempFileName(folder.empty() ? "." : folder);
            r.out = std::make_unique<TLFNFileStream>(r.outName, TLFNFileStream::fmCreate, 65536, true);
        } else {
            OpenFirstDisk(r);
            r.totalBytes *= 2;
        }
        if (r.updating) {
            r.end.Assign(end_);
            r.end.SetTotalEntries(0);
            r.end.SetEntriesThisDisk(0);
            MergeExistingEntries(r);
        }
        const std::vector<std::string> files = FilesList;
        if (r.single && Password.empty() && !OnEncrypt && PackLevel > 0)
            r.ahead = std::make_unique<DeflateAhead>(files, PackLevel);
        for (size_t i = 0; i < files.size(); ++i) {
            const std::string& name = files[i];
            if (r.ahead) r.current = r.ahead->Take(i);
            std::unique_ptr<TZipHeaderInfo> h(NewHeaderInfo());
            if (CompressEntry(r, *h, name)) RegisterEntry(r, h.release(), name);
            r.current = {};
        }
        r.ahead.reset();

        // Central directory; in a set no header is split over two disks.
        r.end.SetCentralOffset(static_cast<std::uint64_t>(r.out->Position()));
        r.end.SetStartDisk(static_cast<std::uint32_t>(r.disk));
        std::int64_t directorySize = 0, startOnDisk = r.out->Position();
        std::uint64_t onDisk = 0;
        bool first = true;
        for (TZipHeaderInfo* h : r.physical->Items()) {
            const std::int64_t need = 46 + static_cast<std::int64_t>(h->StoredName().size()) +
                                      (h->Zip64 ? 32 : 0) + (h->FileComment ? h->FileCommentLength : 0);
            if (!r.single && need > RoomLeft(r)) {
                directorySize += r.out->Position() - startOnDisk;
                StartNextDisk(r);
                startOnDisk = 0;
                onDisk = 0;
                if (first) {
                    r.end.SetCentralOffset(0);
                    r.end.SetStartDisk(static_cast<std::uint32_t>(r.disk));
                }
            }
            if (!h->WriteCentralHeader(*r.out)) throw ENotEnoughRoom(ZipMessage(204));
            ++onDisk;
            first = false;
        }
        directorySize += r.out->Position() - startOnDisk;
        r.end.SetCentralSize(static_cast<std::uint64_t>(directorySize));
        const std::int64_t endSize = r.end.EndRecordSize() + (r.end.Zip64End ? 76 : 0);
        if (!r.single && endSize > RoomLeft(r)) {
            StartNextDisk(r);
            onDisk = 0;
        }
        r.end.SetThisDisk(static_cast<std::uint32_t>(r.disk));
        // Entries this disk: the central headers on the disk of the end record.
        r.end.SetEntriesThisDisk(r.single ? r.end.TotalEntries() : onDisk);
        if (!r.end.WriteEndRecords(*r.out)) throw ENotEnoughRoom(ZipMessage(204));
        if (MultiMode() == mmSpan) WriteDiskLabel(r);
        const bool closed = r.out->Close();
        r.out.reset();
        if (!closed) throw ENotEnoughRoom(ZipMessage(204));

        if (r.single) {
            stream_.reset();
            if (::rename(r.outName.c_str(), zipName_.c_str()) != 0)
                throw os::FileError("A(z) " + zipName_ + " fájl nem írható felül: " + std::strerror(errno));
            r.outName.clear();
        } else if (MultiMode() == mmBlocks) {
            std::string last = partBase_;
            PartFileName(last, r.disk + 1, spLast);
            if (::rename(r.outName.c_str(), last.c_str()) != 0)
                throw os::FileError("A(z) " + last + " fájl nem hozható létre: " + std::strerror(errno));
            r.outName.clear();
            zipName_ = last;
        } else {
            r.outName.clear();
        }
        for (const std::string& f : r.dispose) {
            bool skip = false;
            if (OnDisposeFile) OnDisposeFile(this, f, skip);
            if (!skip) ::unlink(f.c_str());
        }
        // The new archive is the loaded one now.
        sorted_.reset();
        entries_ = std::move(r.physical);
        end_.Clear();
        end_.Assign(r.end);
        end_.Zip64End = r.end.Zip64End;
        end_.Locator = r.end.Locator;
        rebuilt_ = false;
        numberOfDisks_ = r.disk + 1;
        currentDisk_ = r.disk;
        RecordArchiveStamp(zipName_);
        if (OnTotalPercentDone) OnTotalPercentDone(this, 100);
        if (!r.single && MultiZipInfo.SaveZipInfoOnFirstDisk && r.end.ThisDisk() != 0) {
            if (MultiMode() == mmSpan) OpenDisk(1);
            stream_.reset();
            r.physical = std::make_unique<TSortedZip>(ByNone, TSortedZip::dupError, false);
            for (TZipHeaderInfo* h : entries_->Items()) r.physical->Add(h);
            WriteConfigFile(r);
        }
    } catch (...) {
        r.out.reset();
        if (!r.outName.empty()) ::unlink(r.outName.c_str());
        restore();
        throw;
    }
    restore();
    if (OnZipComplete) OnZipComplete(this, r.compressed);
    return r.compressed;
}
