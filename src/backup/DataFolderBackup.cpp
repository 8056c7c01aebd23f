#include "backup/DataFolderBackup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>
#include <thread>

#include "backup/zip/UnZipper.h"
#include "backup/zip/ZipSupport.h"
#include "backup/zip/Zipper.h"
#include "platform/db/Table.h"
#include "platform/os/AtomicFile.h"
#include "platform/os/DayNumber.h"
#include "platform/os/System.h"
#include "platform/os/TempDir.h"
#include "platform/os/Text.h"
#include "platform/os/Volume.h"

namespace fs = std::filesystem;

std::function<void(const char* step)> RestoreCheckpoint;

namespace {

bool EndsWithNoCase(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() &&
           os::LowerAscii(s.substr(s.size() - tail.size())) == os::LowerAscii(tail);
}

// Files beside a table that belong to the engine's own bookkeeping.
bool EngineSideFile(const std::string& name) {
    return EndsWithNoCase(name, "-journal") || EndsWithNoCase(name, "-wal") || EndsWithNoCase(name, "-shm");
}

bool IsTableFile(const std::string& path) {
    static const char kMagic[] = "SQLite format 3";  // with its NUL: 16 bytes
    char head[16] = {};
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    const size_t got = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
    return got == sizeof head && std::equal(head, head + sizeof head, kMagic);
}

// Plain, visible files directly in a folder, by name.
std::vector<std::string> PlainFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
        const std::string name = e.path().filename().string();
        std::error_code fec;
        if (name.empty() || name[0] == '.' || !e.is_regular_file(fec)) continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void SyncPath(const std::string& path, bool folder) {
    const int fd = ::open(path.c_str(), (folder ? O_RDONLY | O_DIRECTORY : O_RDONLY) | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Commits the named files of a folder to disk on several threads: the
// waits of one file's sync overlap the others' and the file system joins
// them in fewer journal commits, where one after the other each waits its
// own. Returns "name: reason" of the first file in order that failed, or "".
std::string SyncFiles(const std::string& folder, const std::vector<std::string>& names) {
    std::vector<int> errors(names.size(), 0);
    std::atomic<size_t> next{0};
    auto sync = [&] {
        for (size_t i; (i = next++) < names.size();) {
            const int fd = ::open((folder + "/" + names[i]).c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0 || ::fsync(fd) != 0) errors[i] = errno;
            if (fd >= 0) ::close(fd);
        }
    };
    const size_t threads = std::clamp<size_t>(names.size() / 8, 1, 8);
    std::vector<std::thread> workers;
    for (size_t t = 1; t < threads; ++t) workers.emplace_back(sync);
    sync();
    for (std::thread& w : workers) w.join();
    for (size_t i = 0; i < names.size(); ++i)
        if (errors[i]) return names[i] + ": " + std::strerror(errors[i]);
    return {};
}

// Where a restore of this workstation keeps its extracted files and its
// record of the swap; hidden, so neither a backup nor a listing takes them.
std::string StagingFolder(const std::string& dataFolder) {
    return dataFolder + "/.visszatoltes-" + os::ComputerName();
}
std::string SwapRecord(const std::string& dataFolder) { return StagingFolder(dataFolder) + ".lst"; }

// One line per step: "R\t<staged name>\t<target name>" renames a staged file
// over its target, "D\t<target name>" removes a table the archive lacks.
struct SwapStep {
    char kind;
    std::string staged, target;
};

std::string FormatSwap(const std::vector<SwapStep>& steps) {
    std::string text;
    for (const SwapStep& s : steps)
        text += s.kind == 'R' ? "R\t" + s.staged + "\t" + s.target + "\n" : "D\t" + s.target + "\n";
    return text;
}

std::vector<SwapStep> ParseSwap(const std::string& text) {
    std::vector<SwapStep> steps;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> parts;
        size_t start = 0;
        for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            parts.push_back(line.substr(start, tab - start));
        parts.push_back(line.substr(start));
        if (parts.size() == 3 && parts[0] == "R") steps.push_back({'R', parts[1], parts[2]});
        if (parts.size() == 2 && parts[0] == "D") steps.push_back({'D', {}, parts[1]});
    }
    return steps;
}

// Carries out a recorded swap; a step already done is passed over, so a
// swap broken off anywhere can be run again. The record goes last.
std::vector<std::string> RunSwap(const std::string& dataFolder, const std::vector<SwapStep>& steps,
                                 int* renamed) {
    const std::string staging = StagingFolder(dataFolder);
    std::vector<std::string> undeletable;
    std::error_code ec;
    for (const SwapStep& s : steps) {
        const std::string target = dataFolder + "/" + s.target;
        if (s.kind == 'R') {
            const std::string staged = staging + "/" + s.staged;
            if (!fs::exists(staged, ec)) continue;
            // The old file's rollback journal would be replayed into the new one.
            fs::remove(target + "-journal", ec);
            if (::rename(staged.c_str(), target.c_str()) != 0) {
                const std::string reason = std::strerror(errno);
                SyncPath(dataFolder, true);
                throw RestoreError(s.target + ": " + reason);
            }
            if (renamed) ++*renamed;
            if (RestoreCheckpoint) RestoreCheckpoint("renamed");
        } else {
            fs::remove(target + "-journal", ec);
            if (::unlink(target.c_str()) != 0 && errno != ENOENT) undeletable.push_back(target);
        }
    }
    SyncPath(dataFolder, true);
    fs::remove(SwapRecord(dataFolder), ec);
    fs::remove_all(staging, ec);
    SyncPath(dataFolder, true);
    return undeletable;
}

// Whether each table file of a folder passes the engine's quick check; on a
// few threads, as a restore stages thousands of small tables.
std::vector<char> CheckTables(const std::string& folder, const std::vector<std::string>& names) {
    std::vector<char> sound(names.size(), 0);
    std::atomic<size_t> next{0};
    auto check = [&] {
        for (size_t i; (i = next++) < names.size();) sound[i] = db::TableFileSound(folder + "/" + names[i]);
    };
    const size_t threads = std::min<size_t>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u),
                                            std::max<size_t>(names.size() / 16, 1));
    std::vector<std::thread> workers;
    for (size_t t = 1; t < threads; ++t) workers.emplace_back(check);
    check();
    for (std::thread& w : workers) w.join();
    return sound;
}

// Removes the staging folder whatever way the restore leaves.
struct StagingGuard {
    std::string folder;
    bool keep = false;
    ~StagingGuard() {
        std::error_code ec;
        if (!keep) fs::remove_all(folder, ec);
    }
};

}  // namespace

std::string MentesiNevKepez(double dateTime) { return os::FormatDateTime(dateTime, "yy-MM-dd_hh-mm-ss"); }

bool BackupNameValid(const std::string& fileName, const std::string& alias) {
    const size_t n = alias.size();
    if (fileName.size() != n + 22 || fileName.compare(0, n, alias) != 0) return false;
    // What follows the alias, "d" standing for any digit.
    static const char kShape[] = "_dd-dd-dd_dd-dd-dd.zip";
    for (size_t i = 0; i < 22; ++i) {
        const char c = fileName[n + i];
        if (kShape[i] == 'd' ? (c < '0' || c > '9') : c != kShape[i]) return false;
    }
    return true;
}

std::string StoredDataFolder(const std::string& dataFolder) {
    const fs::path base = fs::path(os::BaseFolder()).lexically_normal();
    const fs::path parent = base.parent_path();
    const fs::path data = fs::path(dataFolder).lexically_normal();
    const fs::path rel = data.lexically_relative(parent);
    std::string stored = !rel.empty() && *rel.begin() != ".." ? rel.generic_string() : data.generic_string();
    while (!stored.empty() && stored.front() == '/') stored.erase(0, 1);
    while (!stored.empty() && stored.back() == '/') stored.pop_back();
    return stored;
}

std::string SnapshotParent(const std::string& memoryRoot, std::uintmax_t bytes) {
    struct statvfs vfs {};
    if (::access(memoryRoot.c_str(), W_OK | X_OK) != 0 || ::statvfs(memoryRoot.c_str(), &vfs) != 0) return {};
    // Room to spare: tables grow while they are copied, and other programs
    // share the memory file system.
    const std::uintmax_t room = static_cast<std::uintmax_t>(vfs.f_bavail) * vfs.f_frsize;
    const std::uintmax_t needed = bytes + bytes / 8 + (std::uintmax_t{1} << 20);
    return needed <= room ? memoryRoot : std::string();
}

int BackupDataFolder(TZipper& zipper, const std::string& dataFolder, const std::string& zipName,
                     std::vector<std::string>* damaged) {
    std::error_code ec;
    const fs::path archive = fs::absolute(zipName, ec).lexically_normal();
    std::vector<std::string> names;
    std::uintmax_t bytes = 0;
    for (const std::string& name : PlainFiles(dataFolder)) {
        const std::string from = dataFolder + "/" + name;
        if (EngineSideFile(name)) continue;
        if (fs::absolute(from, ec).lexically_normal() == archive) continue;
        if (EndsWithNoCase(name, ".zfc") && fs::absolute(ChangeFileExt(from, ".zip"), ec) == archive)
            continue;
        names.push_back(name);
        const std::uintmax_t size = fs::file_size(from, ec);
        if (!ec) bytes += size;
    }
    // The archive reads copies: a table taken as one consistent state while
    // this program and other workstations keep writing it, without the
    // engine's journals, and no descriptor of ours ever touches a live table
    // (closing one would drop the engine's locks on it).
    // In memory where the system offers a memory file system and the copies
    // fit in it: thousands of small files created on disk would all be
    // flushed with the archive.
    os::TempDir snapshots("tavrina-mentes", SnapshotParent("/dev/shm", bytes));
    const std::string folder = snapshots.Path() + "/" + StoredDataFolder(dataFolder);
    if (!os::ForceDirectories(folder)) throw os::FileError(folder + ": cannot create the folder");
    // A year folder holds thousands of small tables: the copies are made on a
    // few threads, each table on its own connection. The first failing file
    // in name order is the error reported, as a copy one by one would.
    std::vector<std::exception_ptr> errors(names.size());
    // A damaged table is archived all the same (kept is better than lost),
    // and named to the user.
    std::vector<char> unsound(names.size(), 0);
    std::atomic<size_t> next{0};
    auto copy = [&] {
        for (size_t i; (i = next++) < names.size();) {
            const std::string from = dataFolder + "/" + names[i];
            const std::string to = folder + "/" + names[i];
            try {
                if (EndsWithNoCase(names[i], ".DB") && IsTableFile(from)) {
                    db::SnapshotTableFile(from, to);
                    unsound[i] = !db::TableFileSound(to);
                } else {
                    // Gone since the listing (another workstation's work table): not ours to save.
                    std::error_code fec;
                    if (!fs::copy_file(from, to, fec)) continue;
                    fs::last_write_time(to, fs::last_write_time(from, fec), fec);
                }
            } catch (...) {
                errors[i] = std::current_exception();
            }
        }
    };
    const size_t threads = std::min<size_t>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u),
                                            std::max<size_t>(names.size() / 16, 1));
    std::vector<std::thread> workers;
    for (size_t t = 1; t < threads; ++t) workers.emplace_back(copy);
    copy();
    for (std::thread& w : workers) w.join();
    for (const std::exception_ptr& e : errors)
        if (e) std::rethrow_exception(e);
    if (damaged) {
        damaged->clear();
        for (size_t i = 0; i < names.size(); ++i)
            if (unsound[i]) damaged->push_back(names[i].substr(0, names[i].size() - 3));
    }

    zipper.SetZipName(zipName);
    zipper.FilesList = {folder + "/*.*"};
    zipper.SetRootDir(snapshots.Path() + "/");
    zipper.SetRelativePaths(true);
    zipper.Recurse = false;  // relative paths switch it on
    if (os::IsRemovableVolume(zipName)) {
        zipper.MultiZipInfo.MultiMode = mmSpan;
        zipper.MultiZipInfo.SaveZipInfoOnFirstDisk = true;
        zipper.MultiZipInfo.WriteDiskLabels = true;
    } else {
        zipper.MultiZipInfo.MultiMode = mmNone;
    }
    return zipper.CompressFiles();
}

RestoreResult RestoreDataFolder(TUnZipper& unzipper, const std::string& dataFolder,
                                const std::string& zipName, RestoreScope scope,
                                const std::string& companyCode, const GoOnWithout& goOnWithout) {
    const std::string staging = StagingFolder(dataFolder);
    std::error_code ec;
    // A leftover of an earlier run of this workstation must not join this one.
    if (fs::exists(SwapRecord(dataFolder), ec)) CompleteInterruptedRestore(dataFolder);
    fs::remove_all(staging, ec);
    if (!os::ForceDirectories(staging)) throw RestoreError(staging + ": cannot create the folder");
    StagingGuard guard{staging};

    std::string stored = StoredDataFolder(dataFolder);
    UnixToDosSlashes(stored);
    const std::string pattern = scope == RestoreScope::Full           ? "*"
                                : scope == RestoreScope::AllCompanies ? "*_???"
                                                                      : "*_" + companyCode;
    unzipper.ClearZip();  // the disks in the drive may be another set of that name
    unzipper.SetZipName(zipName);
    unzipper.FilesList = {stored + "\\" + pattern + ".DB"};
    unzipper.SetDestDir(staging);
    unzipper.OverwriteMode = Always;
    if (os::IsRemovableVolume(zipName)) {
        unzipper.SetMultiMode(mmSpan);
        unzipper.SetCheckDiskLabels(true);
    } else {
        unzipper.SetMultiMode(mmNone);
    }
    unzipper.ExtractFiles();

    // Every selected entry must have arrived whole, and be a table.
    std::vector<std::string> staged, failed;
    for (int i = 0; i < unzipper.Count(); ++i) {
        const TZipHeaderInfo& e = unzipper.Entry(i);
        if (!e.Selected) continue;
        const std::string path = staging + "/" + e.FileName();
        if (fs::is_regular_file(path, ec) && IsTableFile(path))
            staged.push_back(e.FileName());
        else
            failed.push_back(e.FileName());
    }
    if (!failed.empty()) {
        std::string names;
        for (const std::string& f : failed) names += (names.empty() ? "" : "\r") + f;
        throw RestoreError(names);
    }

    // A damaged table must not replace a sound one unasked.
    RestoreResult result;
    const std::vector<char> sound = CheckTables(staging, staged);
    std::vector<std::string> kept;
    for (size_t i = 0; i < staged.size(); ++i)
        if (sound[i])
            kept.push_back(staged[i]);
        else
            result.skipped.push_back(staged[i].substr(0, staged[i].size() - 3));
    if (!result.skipped.empty()) {
        if (!goOnWithout || !goOnWithout(result.skipped)) {
            std::string names;
            for (const std::string& n : result.skipped)
                names += (names.empty() ? "" : "\r") + ("Sérült tábla: " + n);
            throw RestoreError(names);
        }
        staged = kept;
    }
    if (staged.empty()) return result;

    // Targets are found ignoring letter case, as the database opens tables.
    std::map<std::string, std::string> existing;
    for (const std::string& name : PlainFiles(dataFolder))
        if (EndsWithNoCase(name, ".DB")) existing.emplace(os::LowerAscii(name), name);
    // A damaged table left out keeps the folder's own, also in a full restore.
    for (const std::string& name : result.skipped) existing.erase(os::LowerAscii(name + ".DB"));
    std::vector<SwapStep> steps;
    for (const std::string& name : staged) {
        auto it = existing.find(os::LowerAscii(name));
        steps.push_back({'R', name, it != existing.end() ? it->second : name});
        if (it != existing.end()) existing.erase(it);
    }
    if (scope == RestoreScope::Full)
        for (const auto& [lower, name] : existing) steps.push_back({'D', {}, name});
    // A table not known to be on the disk is never swapped in.
    if (const std::string failure = SyncFiles(staging, staged); !failure.empty()) throw RestoreError(failure);
    SyncPath(staging, true);

    os::WriteFileAtomic(SwapRecord(dataFolder), FormatSwap(steps));
    guard.keep = true;  // from here the record owns the staging folder
    if (RestoreCheckpoint) RestoreCheckpoint("recorded");
    result.undeletable = RunSwap(dataFolder, steps, &result.files);
    return result;
}

std::vector<std::string> CompleteInterruptedRestore(const std::string& dataFolder) {
    const std::string record = SwapRecord(dataFolder);
    std::error_code ec;
    if (!fs::exists(record, ec)) {
        fs::remove_all(StagingFolder(dataFolder), ec);
        return {};
    }
    return RunSwap(dataFolder, ParseSwap(os::ReadFile(record)), nullptr);
}
