// The work behind the backup form: the data folder into one zip archive, and
// back from it. A backup archives consistent copies of the tables while they
// stay open; a restore extracts into a staging folder first and then swaps
// the files in one recorded step, so a damaged archive or a process killed
// halfway never leaves a half-restored folder.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

class TUnZipper;
class TZipper;

// The proposed backup name without extension: "YY-MM-DD_HH-NN-SS".
std::string MentesiNevKepez(double dateTime);

// Whether a file name (no folder) is a backup name of the alias:
// alias + "_" + "99-99-99_99-99-99" + ".zip", checked letter by letter.
bool BackupNameValid(const std::string& fileName, const std::string& alias);

// The data folder as a backup stores it ("Tavrina/2019"): relative to the
// base folder's parent, or the whole path without its leading "/" when the
// folder lies elsewhere.
std::string StoredDataFolder(const std::string& dataFolder);

// Writes every plain file directly in the data folder into the archive
// `zipName` (an existing archive is updated); returns the number of files
// compressed. Spans removable disks when the archive lies on a removable
// volume. Tables whose copy fails the engine's quick check are archived all
// the same and named in `damaged` (without ".DB", in name order). Throws the
// zip component's exceptions (EUserCanceled ...).
int BackupDataFolder(TZipper& zipper, const std::string& dataFolder, const std::string& zipName,
                     std::vector<std::string>* damaged = nullptr);

// Where a backup makes its copies of `bytes` bytes of files: `memoryRoot`
// (a memory file system) when it is writable and they fit in its free space
// with room to spare, else "" (the temporary folder).
std::string SnapshotParent(const std::string& memoryRoot, std::uintmax_t bytes);

enum class RestoreScope { Company, AllCompanies, Full };

struct RestoreResult {
    int files = 0;                         // tables swapped in; 0: no entry matched
    std::vector<std::string> undeletable;  // full restore: tables that could not be removed
    std::vector<std::string> skipped;      // damaged in the archive, left as they were (no ".DB")
};

// Asked when staged tables fail the engine's quick check (names without
// ".DB"): true goes on without them, false stops the restore.
using GoOnWithout = std::function<bool(const std::vector<std::string>& damaged)>;

// A restore that failed before the folder was touched, or whose swap was
// refused; what() is the reason shown after "Hiba történt a kicsomagoláskor!".
class RestoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Restores the tables of one company (`companyCode`), of every company, or
// every table (Full: tables the archive lacks are removed) from `zipName`.
// Every extracted table is checked before anything is swapped: damaged ones
// are put to `goOnWithout`; going on leaves their tables as they are (also in
// a full restore), stopping (or no question) throws RestoreError naming them.
// The data module's tables must be closed. Throws RestoreError, or the zip
// component's exceptions (the folder is then unchanged).
RestoreResult RestoreDataFolder(TUnZipper& unzipper, const std::string& dataFolder,
                                const std::string& zipName, RestoreScope scope,
                                const std::string& companyCode = {}, const GoOnWithout& goOnWithout = {});

// At start-up, before any table opens: finishes a swap a killed or failed
// restore left recorded, or drops a staging folder it left without a record.
// Returns the files that could not be removed; throws RestoreError when a
// recorded rename is still refused (the record stays for the next start).
std::vector<std::string> CompleteInterruptedRestore(const std::string& dataFolder);

// Called by a restore after the swap record is written ("recorded") and after
// each file swapped in ("renamed"), so tests can stop a restore there.
extern std::function<void(const char* step)> RestoreCheckpoint;
