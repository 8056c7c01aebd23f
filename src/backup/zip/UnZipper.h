// The reading half of the zip component: opens an archive (also one spanned
// over removable disks or split into numbered parts), loads its directory and
// extracts selected entries. Every decision goes through an event with a
// built-in default, every message box through OnHandleMessage, and every
// failure is an exception of the EZipperException family with the English
// text of the component's message table.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "backup/zip/ZipRecords.h"
#include "backup/zip/ZipSupport.h"

class EZipperException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
#define TAVRINA_ZIP_EXCEPTION(name)               \
    class name : public EZipperException {        \
    public:                                       \
        using EZipperException::EZipperException; \
    };
TAVRINA_ZIP_EXCEPTION(EBadZipFile)
TAVRINA_ZIP_EXCEPTION(EIncompleteZip)
TAVRINA_ZIP_EXCEPTION(ENotAZipFile)
TAVRINA_ZIP_EXCEPTION(EFatalUnzipError)
TAVRINA_ZIP_EXCEPTION(EUserCanceled)
TAVRINA_ZIP_EXCEPTION(EBiggerThanUncompressed)
TAVRINA_ZIP_EXCEPTION(ENotEnoughRoom)
TAVRINA_ZIP_EXCEPTION(ECantWriteUCF)
TAVRINA_ZIP_EXCEPTION(ECanceledUnzipToBuffer)
TAVRINA_ZIP_EXCEPTION(EConfigFileSaveError)
#undef TAVRINA_ZIP_EXCEPTION

class EZLibError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EZCompressionError : public EZLibError {
public:
    using EZLibError::EZLibError;
};

// The component's English message table (176 to 208); "" for other numbers.
std::string ZipMessage(int id);

enum TUZOverwriteMode { Prompt, Always, Never, ifNewer, ifOlder };
enum TIncompleteZipMode { izAssumeMulti, izAssumeBad, izAssumeNotAZip };
enum TBlockMode { bmStandard, bmClassic };
enum TMultiMode { mmNone, mmSpan, mmBlocks };
// srUnsafePath: the stored name is absolute, has a drive or climbs out of the
// destination with ".."; such an entry is never written.
enum TSkipReason {
    srBadPassword,
    srNoOverwrite,
    srFileOpenError,
    srCreateError,
    srExcludeList,
    srArchiveBitNotSet,
    srNoFileToFreshen,
    srSkippedInStartZip,
    srUnsafePath
};
enum TSplitPartType { spFirst, spMiddle, spLast };

class TUnZipper;

// Message box styles and results of HandleMessage.
constexpr int mbOK = 0, mbOKCancel = 1, mbYesNo = 4;
constexpr int idOK = 1, idCancel = 2, idYes = 6, idNo = 7;

class TUnZipper {
public:
    TUnZipper();
    virtual ~TUnZipper();
    TUnZipper(const TUnZipper&) = delete;
    TUnZipper& operator=(const TUnZipper&) = delete;

    // ---- properties
    int ThisVersion() const { return 304; }
    int ThisBuild() const { return 1; }
    const std::string& ZipName() const { return zipName_; }
    virtual void SetZipName(const std::string& name);
    const std::string& DestDir() const { return destDir_; }
    void SetDestDir(const std::string& dir);  // a POSIX folder; "?" leaves extraction idle
    const std::string& RootDir() const { return rootDir_; }
    // A stored folder prefix ("\" separators) for the reader; a folder of this
    // system ("/") for the writer's relative paths.
    void SetRootDir(const std::string& dir);
    std::vector<std::string> RelativePathList;
    TZipSortMode SortMode() const { return sortMode_; }
    bool RecreateDirs = false;
    TUZOverwriteMode OverwriteMode = Prompt;
    // Wildcard patterns over the stored folder ("\" separators) + file name.
    std::vector<std::string> FilesList;
    bool DoAll = false;
    TIncompleteZipMode IncompleteZipMode = izAssumeMulti;
    bool KeepZipOpen = false;
    bool DoProcessMessages = true;
    bool RetainAttributes = true;
    bool ReplaceReadOnly = false;
    bool FlushFilesOnClose = false;
    TBlockMode BlockMode = bmStandard;
    bool OEMConvert = true;
    std::string Password;
    virtual bool CheckDiskLabels() const { return checkDiskLabels_; }
    virtual void SetCheckDiskLabels(bool v) { checkDiskLabels_ = v; }
    virtual TMultiMode MultiMode() const { return multiMode_; }
    virtual void SetMultiMode(TMultiMode v) { multiMode_ = v; }

    // Set by the host (from a handler) while an operation runs.
    bool Cancel = false;
    bool Pause = false;
    bool Busy() const { return busy_; }

    // ---- events
    std::function<void(TUnZipper*, int NumFiles, std::int64_t TotalBytes, bool& StopNow)> OnStartUnZipInfo;
    std::function<void(TUnZipper*, int Percent)> OnFilePercentDone;
    std::function<void(TUnZipper*, int Percent)> OnTotalPercentDone;
    std::function<void(TUnZipper*, int FileIndex, std::string& FName, bool& Skip)> OnStartUnZip;
    std::function<void(TUnZipper*, int FileIndex, const std::string& FName)> OnEndUnZip;
    std::function<void(TUnZipper*, bool& OverWriteIt, int FileIndex, std::string& FName)>
        OnPromptForOverwrite;
    std::function<void(TUnZipper*, TSkipReason Reason, const std::string& FName, int FileIndex, bool& Retry)>
        OnSkippingFile;
    std::function<void(TUnZipper*, int FileIndex, std::string& NewPassword)> OnBadPassword;
    std::function<void(TUnZipper*, std::uint32_t CalcCRC, std::uint32_t StoredCRC, int FileIndex)> OnBadCRC;
    std::function<void(TUnZipper*, TIncompleteZipMode& IncompleteMode)> OnInCompleteZip;
    std::function<void(TUnZipper*, int NextDisk, std::string& FName)> OnGetNextDisk;
    std::function<void(TUnZipper*, int FileCount)> OnUnZipComplete;
    std::function<void(TUnZipper*, void* Buffer, int Length, const std::string& Password)> OnDecrypt;
    std::function<void(TUnZipper*, std::string& FName, int PartNum, TSplitPartType SplitType)>
        OnFileNameForSplitPart;
    std::function<void(TUnZipper*, int MessageID, const std::string& Msg1, const std::string& Msg2, int Flags,
                       int& Return)>
        OnHandleMessage;

    // What the program installs once so that the component's boxes and its
    // message pumping reach the user interface (the component has no forms).
    static std::function<int(int MessageID, const std::string& Msg1, const std::string& Msg2, int Flags)>
        DefaultMessageHandler;
    static std::function<void()> MessagePump;

    // ---- operations
    int ExtractFiles();
    void ReadZip();
    void OpenZip();
    void CloseZip();
    void ClearZip();
    int Count() const;
    std::string Filename(int index) const;
    double DateTime(int index) const;
    std::string FileComment(int index);
    void SetFileComment(int index, const std::string& text);
    std::string ZipComment();
    void SetZipComment(const std::string& text);
    void SortEntries(TZipSortMode mode);
    // The entry at a position of the sorted view.
    const TZipHeaderInfo& Entry(int index) const;
    int HandleMessage(int MessageID, const std::string& Msg1, const std::string& Msg2, int Flags);
    bool SetBusy(bool value);
    int NumberOfDisks() const { return numberOfDisks_; }

protected:
    TLFNFileStream* OpenDisk(int n);
    TLFNFileStream* NextDisk();
    void AskForDisk(int n, std::string& name);
    void DefaultDiskPrompt(int n, std::string& name);
    void PartFileName(std::string& name, int n, TSplitPartType type);
    std::string DefaultPartFileName(const std::string& name, int n, TSplitPartType type) const;
    bool DiskLabelMatches(int n) const;
    void ReadZipDirectory();
    bool RebuildZipDirectory();
    void ProcessMessages();  // pumps, honours Cancel and Pause
    void WaitWhilePaused();
    TZipHeaderInfo* NewHeaderInfo() const;
    // Takes the first matching line of RelativePathList off a stored folder
    // ("\" separators; the lines may use either separator).
    std::string StripRootDir(const std::string& folder) const;
    [[noreturn]] void BadZip();

    std::string zipName_, destDir_, rootDir_, partBase_;
    TZipSortMode sortMode_ = ByNone;
    bool checkDiskLabels_ = true;
    TMultiMode multiMode_ = mmNone;
    std::unique_ptr<TLFNFileStream> stream_;
    std::unique_ptr<TSortedZip> entries_;  // physical order, owns
    std::unique_ptr<TSortedZip> sorted_;   // the view when SortMode is not ByNone
    TEndCentral end_;
    std::int64_t recordedStamp_ = 0;  // archive mtime (ns) and size when the directory was read
    std::int64_t recordedSize_ = -1;
    // Mtime (ns) and size of the archive file of each disk of a spanned set
    // as it was read, so a reopened set knows which disk is in the drive.
    std::map<int, std::pair<std::int64_t, std::int64_t>> diskStamps_;
    int numberOfDisks_ = 1, currentDisk_ = 0;
    bool busy_ = false, extracting_ = false, rebuilt_ = false, repairMode_ = false;
    TSortedZip* View() const { return sorted_ ? sorted_.get() : entries_.get(); }

    void RecordArchiveStamp(const std::string& name);
    // Every local header of a single-file archive must agree with its central
    // header and its data must lie between it and the next entry; else
    // EBadZipFile. Checked before anything is extracted or copied.
    void ValidateLocalHeaders();

private:
    friend class TZipExtractor;
    bool ArchiveChanged() const;
    int ExtractEntries();
};
