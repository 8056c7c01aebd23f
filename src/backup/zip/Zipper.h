// The writing half of the zip component: new archives and updates of existing
// ones, stored or deflated, optionally encrypted, in one file or spanned over
// removable disks or size-limited parts. A single-file archive is written
// under a temporary name beside its target and renamed over it only when it
// is complete, so a failed run never leaves a damaged or half archive.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "backup/zip/UnZipper.h"

class TMultiZipInfo {
public:
    std::int64_t BlockSize = 1457600;
    std::int64_t FirstBlockSize = 0;
    std::int64_t SaveOnFirstDisk = 0;
    bool SaveZipInfoOnFirstDisk = false;
    TMultiMode MultiMode = mmNone;
    bool CheckDiskLabels = true;
    bool WriteDiskLabels = true;
    void Assign(const TMultiZipInfo& o) { *this = o; }
};

enum TZipAction { zaUpdate, zaReplace, zaFreshen };
enum TUpdateAction { uaReplacing, uaKeeping };

class TZipper : public TUnZipper {
public:
    TZipper();
    ~TZipper() override;

    int PackLevel = 6;  // 0 stores every file
    bool Recurse = false;
    bool Dispose = false;
    bool StorePaths() const { return storePaths_; }
    void SetStorePaths(bool v);
    bool RelativePaths() const { return relativePaths_; }
    void SetRelativePaths(bool v);
    bool StoreVolumes() const { return storeVolumes_; }
    void SetStoreVolumes(bool v);
    TZipAction ZipAction = zaUpdate;
    TMultiZipInfo MultiZipInfo;
    // This file system has no short names: every component stays as it is.
    bool Store83Names = false;
    // Folder of the per-entry temporary files of a spanned run.
    std::string TempPath;
    // This file system has no archive attribute: every file counts as not yet
    // archived, so the first never skips and the second changes nothing.
    bool SkipIfArchiveBitNotSet = false;
    bool ResetArchiveBitOnZip = false;
    std::vector<std::string> ExcludeList;
    std::vector<std::string> NoCompressList;
    bool AddDirEntriesOnRecurse = false;
    bool IncludeHiddenFiles = false;  // names starting with "."
    bool IncludeSysFiles = false;     // anything but regular files and folders
    bool IncludeReadOnlyFiles = true;
    bool IncludeArchiveFiles = true;

    bool CheckDiskLabels() const override { return MultiZipInfo.CheckDiskLabels; }
    void SetCheckDiskLabels(bool v) override { MultiZipInfo.CheckDiskLabels = v; }
    TMultiMode MultiMode() const override { return MultiZipInfo.MultiMode; }
    void SetMultiMode(TMultiMode v) override { MultiZipInfo.MultiMode = v; }

    std::function<void(TZipper*, int NumFiles, std::int64_t TotalBytes, TEndCentral& EndCentralRecord,
                       bool& StopNow)>
        OnStartZipInfo;
    std::function<void(TZipper*, const std::string& FName, TZipHeaderInfo& ZipHeader, bool& Skip)> OnStartZip;
    std::function<void(TZipper*, const std::string& FName, std::int64_t UncompressedSize,
                       std::int64_t CompressedSize, std::int64_t CurrentZipSize)>
        OnEndZip;
    std::function<void(TZipper*, TUpdateAction UDAction, int FileIndex)> OnUpdate;
    std::function<void(TZipper*, const std::string& FName)> OnNoSuchFile;
    std::function<void(TZipper*, const std::string& FName)> OnRecursingFile;
    std::function<void(TZipper*, const std::string& FName, bool& Skip)> OnDisposeFile;
    std::function<void(TZipper*, int FileCount)> OnZipComplete;
    std::function<void(TZipper*, int DiskNum)> OnPrepareNextDisk;
    std::function<void(TZipper*, const std::string& FName, std::int64_t FileSize)> OnStartSpanCopy;
    std::function<void(TZipper*, void* Buffer, int Length, const std::string& Password)> OnEncrypt;

    // Writes the archive ZipName from FilesList (files, folders ending in "/",
    // wildcard patterns); returns the number of files compressed.
    int CompressFiles();

private:
    struct Run;
    void ExpandFilesList(Run& r);
    std::string StoredFolderOf(const std::string& path) const;
    bool CompressEntry(Run& r, TZipHeaderInfo& h, const std::string& name);
    void MergeExistingEntries(Run& r);
    void CopyExistingEntry(Run& r, TZipHeaderInfo& h, int index);
    void RegisterEntry(Run& r, TZipHeaderInfo* h, const std::string& name);
    void OpenFirstDisk(Run& r);
    void StartNextDisk(Run& r);
    void WriteDiskLabel(Run& r);
    std::int64_t RoomLeft(Run& r) const;
    void WriteOutput(Run& r, TLFNFileStream& to, const void* data, std::int64_t count);
    std::int64_t ReadInput(Run& r, TLFNFileStream& in, void* data, std::int64_t count);
    void SpanCopy(Run& r, TZipHeaderInfo& h, TLFNFileStream& temp);
    void WriteConfigFile(Run& r);

    bool storePaths_ = false, relativePaths_ = false, storeVolumes_ = false;
};
