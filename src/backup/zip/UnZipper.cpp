#include "backup/zip/UnZipper.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <thread>
#include <tuple>

#include "platform/os/DayNumber.h"
#include "platform/os/Text.h"
#include "platform/os/Volume.h"

std::string ZipMessage(int id) {
    switch (id) {
        case 176:
            return "Open a Zip File";
        case 177:
            return "Zip Files (*.ZIP)|*.zip|SFX Files (*.EXE)|*.exe|Jar Files (*.JAR)|*.jar|All Files "
                   "(*.*)|*.*";
        case 178:
            return "User canceled Set Desination Directory";
        case 179:
            return "Index %d is out of range";
        case 181:
            return "User Aborted Operation";
        case 182:
            return "Incomplete Zip File";
        case 183:
            return "Not a valid zip file!";
        case 184:
            return "Please insert disk ";
        case 185:
            return " of the multi-disk set.";
        case 186:
            return "User canceled setting zip file name.";
        case 187:
            return "User canceled Zip operation";
        case 193:
            return "*** inflate out of memory ***";
        case 194:
            return "Premature end of file reached";
        case 195:
            return "Replace existing file ";
        case 196:
            return "File Exists Alert";
        case 197:
            return "Unknown Compression Method";
        case 198:
            return "Zip Error";
        case 199:
            return "File is larger than uncompressed size!";
        case 202:
            return "Could not copy from ";
        case 203:
            return "Error";
        case 204:
            return "Not enough room to write archive";
        case 205:
            return "Unable to save Zip Configuration File to disk";
        case 207:
            return "Cant write uncompressed file";
        case 208:
            return "The file became shorter while it was being compressed: ";
        default:
            return "";
    }
}

std::function<int(int, const std::string&, const std::string&, int)> TUnZipper::DefaultMessageHandler;
std::function<void()> TUnZipper::MessagePump;

namespace {

std::string IndexMessage(int index) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "Index %d is out of range", index);
    return buf;
}

}  // namespace

TUnZipper::TUnZipper() = default;

TUnZipper::~TUnZipper() = default;

void TUnZipper::SetZipName(const std::string& name) {
    if (os::LowerAscii(name) == os::LowerAscii(zipName_)) return;
    zipName_ = name;
    const size_t slash = name.rfind('/');
    const size_t dot = name.find('.', slash == std::string::npos ? 0 : slash + 1);
    partBase_ = dot == std::string::npos ? name : name.substr(0, dot);
    sorted_.reset();
    entries_.reset();
    recordedStamp_ = 0, recordedSize_ = -1;
    diskStamps_.clear();
    end_.Clear();
    stream_.reset();
    rebuilt_ = false;
}

void TUnZipper::SetDestDir(const std::string& dir) { destDir_ = dir == "?" ? dir : StripTrailingSlash(dir); }

void TUnZipper::SetRootDir(const std::string& dir) {
    // A folder of this system ends in "/", a stored folder in "\".
    const char sep = dir.find('/') != std::string::npos ? '/' : '\\';
    rootDir_ = dir.empty() || dir.back() == sep ? dir : dir + sep;
    RelativePathList.assign(1, rootDir_);
}

std::string TUnZipper::StripRootDir(const std::string& folder) const {
    for (std::string root : RelativePathList) {
        UnixToDosSlashes(root);
        if (!root.empty() && root.size() <= folder.size() &&
            os::LowerAscii(folder.substr(0, root.size())) == os::LowerAscii(root))
            return folder.substr(root.size());
    }
    return folder;
}

bool TUnZipper::SetBusy(bool value) {
    const bool old = busy_;
    busy_ = value;
    return old;
}

int TUnZipper::HandleMessage(int MessageID, const std::string& Msg1, const std::string& Msg2, int Flags) {
    if (OnHandleMessage) {
        int ret = 0;
        OnHandleMessage(this, MessageID, Msg1, Msg2, Flags, ret);
        return ret;
    }
    if (DefaultMessageHandler) return DefaultMessageHandler(MessageID, Msg1, Msg2, Flags);
    // Nobody to ask: the cautious answer.
    return Flags == mbOKCancel ? idCancel : Flags == mbYesNo ? idNo : idOK;
}

void TUnZipper::WaitWhilePaused() {
    while (Pause) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        if (MessagePump) MessagePump();
    }
}

void TUnZipper::ProcessMessages() {
    if (DoProcessMessages && MessagePump) MessagePump();
    if (Cancel) {
        Cancel = false;
        throw EUserCanceled(ZipMessage(181));
    }
    if (Pause) WaitWhilePaused();
}

TZipHeaderInfo* TUnZipper::NewHeaderInfo() const {
    auto* h = new TZipHeaderInfo;
    h->OEMNames = OEMConvert;
    return h;
}

void TUnZipper::BadZip() {
    ClearZip();
    throw EBadZipFile(ZipMessage(183));
}

namespace {

// Mtime (ns) and size of a file; size -1 when it cannot be read.
std::pair<std::int64_t, std::int64_t> FileStamp(const std::string& name) {
    struct stat st {};
    if (stat(name.c_str(), &st) != 0) return {0, -1};
    return {static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, st.st_size};
}

}  // namespace

void TUnZipper::RecordArchiveStamp(const std::string& name) {
    std::tie(recordedStamp_, recordedSize_) = FileStamp(name);
}

bool TUnZipper::ArchiveChanged() const {
    struct stat st {};
    if (stat(zipName_.c_str(), &st) != 0) return true;
    return recordedStamp_ != static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec ||
           recordedSize_ != st.st_size;
}

// ---------------------------------------------------------------- opening

void TUnZipper::ReadZip() {
    Cancel = false;
    const bool prev = SetBusy(true);
    try {
        while (true) {
            try {
                OpenZip();
                break;
            } catch (const EIncompleteZip&) {
                stream_.reset();
                // A handler that chose another mode gets another try.
                if (OnInCompleteZip && IncompleteZipMode != izAssumeMulti) continue;
                break;
            }
        }
    } catch (...) {
        ClearZip();
        SetBusy(prev);
        throw;
    }
    CloseZip();
    SetBusy(prev);
}

void TUnZipper::OpenZip() {
    // A spanned set keeps the directory it has read: the disk in the drive may
    // now be any disk of the set (reading its records again could fail or
    // ask for the directory's disks twice). The disk is known when its file
    // is the one read before; else each entry's disk is asked for.
    if (!stream_ && entries_ && !rebuilt_ && numberOfDisks_ > 1 && MultiMode() == mmSpan) {
        currentDisk_ = -1;
        const auto stamp = FileStamp(zipName_);
        for (const auto& [disk, read] : diskStamps_)
            if (stamp.second >= 0 && stamp == read) {
                stream_ = std::make_unique<TLFNFileStream>(zipName_, TLFNFileStream::fmOpenRead, 8192,
                                                           FlushFilesOnClose);
                currentDisk_ = disk;
                break;
            }
        return;
    }
    bool reopened = false;
    if (!stream_) {
        stream_ =
            std::make_unique<TLFNFileStream>(zipName_, TLFNFileStream::fmOpenRead, 8192, FlushFilesOnClose);
        reopened = true;
    }
    // A disk of a set opened afresh may be any disk: its records tell which.
    if (!entries_ || ArchiveChanged() || (reopened && numberOfDisks_ > 1)) ReadZipDirectory();
}

void TUnZipper::CloseZip() {
    if (!KeepZipOpen) stream_.reset();
}

void TUnZipper::ClearZip() {
    stream_.reset();
    sorted_.reset();
    entries_.reset();
    end_.Clear();
    rebuilt_ = false;
    recordedStamp_ = 0, recordedSize_ = -1;
    diskStamps_.clear();
    numberOfDisks_ = 1;
    SetMultiMode(mmNone);
    zipName_.clear();
}

void TUnZipper::ReadZipDirectory() {
    RecordArchiveStamp(zipName_);
    diskStamps_.clear();
    sorted_.reset();
    entries_.reset();
    rebuilt_ = false;
    end_.Clear();
    // An archive without entries; but an empty first disk whose directory
    // went into the configuration file beside it is a set to read from there.
    if (stream_->Size() == 0 && !FileExists(ChangeFileExt(zipName_, ".zfc"))) {
        entries_ = std::make_unique<TSortedZip>(ByNone, TSortedZip::dupError, true);
        numberOfDisks_ = 1, currentDisk_ = 0;
        SortEntries(sortMode_);
        return;
    }
    bool damaged = false;
    bool found = end_.ReadEndRecords(*stream_, &damaged);
    if (found && (end_.ThisDisk() > 999 || end_.StartDisk() > 999 || end_.StartDisk() > end_.ThisDisk()))
        found = false;

    std::unique_ptr<TLFNFileStream> zfc;
    if (!found) {
        const std::string zfcName = ChangeFileExt(zipName_, ".zfc");
        if (FileExists(zfcName)) {
            zfc = std::make_unique<TLFNFileStream>(zfcName, TLFNFileStream::fmOpenRead);
            end_.Clear();
            if (end_.ReadEndRecords(*zfc, &damaged))
                found = true;
            else
                zfc.reset();
        }
    }
    if (found && damaged) BadZip();

    if (found) {
        currentDisk_ = zfc ? 0 : static_cast<int>(end_.ThisDisk());
        diskStamps_[currentDisk_] = {recordedStamp_, recordedSize_};
        if (end_.ThisDisk() > 0 && MultiMode() == mmNone)
            SetMultiMode(os::IsRemovableVolume(zipName_) ? mmSpan : mmBlocks);
        else if (end_.ThisDisk() == 0)
            SetMultiMode(mmNone);
        numberOfDisks_ = static_cast<int>(end_.ThisDisk()) + 1;
        if (!zfc && MultiMode() == mmNone) {
            // One file: the records must account for every byte up to its end.
            const std::int64_t size = stream_->Size();
            const std::int64_t limit = end_.Zip64EndPos >= 0 ? end_.Zip64EndPos : end_.EndRecordPos;
            if (end_.EndRecordPos + 22 + end_.CommentLength != size) BadZip();
            if (end_.CentralOffset() > static_cast<std::uint64_t>(limit) ||
                end_.CentralSize() > static_cast<std::uint64_t>(limit) - end_.CentralOffset())
                BadZip();
            if (end_.TotalEntries() > end_.CentralSize() / 46) BadZip();
            if (end_.EntriesThisDisk() != end_.TotalEntries()) BadZip();
        }
        if (end_.TotalEntries() > 0) {
            if (!zfc && MultiMode() != mmNone && static_cast<int>(end_.StartDisk()) != currentDisk_)
                OpenDisk(static_cast<int>(end_.StartDisk()) + 1);
            (zfc ? *zfc : *stream_).Seek(zfc ? 0 : static_cast<std::int64_t>(end_.CentralOffset()));
        }
    } else {
        if (!repairMode_) {
            if (OnInCompleteZip) OnInCompleteZip(this, IncompleteZipMode);
            if (IncompleteZipMode == izAssumeNotAZip) throw ENotAZipFile(ZipMessage(183));
            if (IncompleteZipMode == izAssumeMulti) throw EIncompleteZip(ZipMessage(182));
        }
        if (!RebuildZipDirectory()) BadZip();
        stream_->Seek(static_cast<std::int64_t>(end_.CentralOffset()));
    }

    if (!entries_) entries_ = std::make_unique<TSortedZip>(ByNone, TSortedZip::dupError, true);
    auto cur = [&]() -> TLFNFileStream& { return zfc ? *zfc : *stream_; };
    const bool multi = end_.ThisDisk() > 0;
    std::function<TLFNFileStream*()> next;
    if (!rebuilt_ && MultiMode() != mmNone && !zfc) next = [this] { return NextDisk(); };
    entries_->Reserve(static_cast<size_t>(std::min<std::uint64_t>(end_.TotalEntries(), 1u << 20)));
    for (std::uint64_t i = 0; i < end_.TotalEntries(); ++i) {
        ProcessMessages();
        std::unique_ptr<TZipHeaderInfo> h(NewHeaderInfo());
        const THeaderRead r = h->ReadCentralHeader(cur(), next);
        if (r == THeaderRead::Damaged) BadZip();
        if (r == THeaderRead::NoHeader) {
            if (rebuilt_) break;
            BadZip();
        }
        const std::int64_t after = cur().Position() + h->CentralExtraLength;
        if (rebuilt_) {
            // The rebuilt entry at the same place takes the central data.
            TZipHeaderInfo* match = nullptr;
            for (TZipHeaderInfo* e : entries_->Items())
                if (e->DiskNumberStart() == h->DiskNumberStart() &&
                    e->RelativeOffset() == h->RelativeOffset())
                    match = e;
            if (match) {
                const std::uint64_t offset = match->RelativeOffset();
                match->Assign(*h);
                match->SetRelativeOffset(offset);
                match->RawName = h->RawName;
            }
        } else {
            TZipHeaderInfo* e = h.release();
            try {
                entries_->Add(e);
            } catch (const EListError&) {
                // Two entries at one place: the archive overlaps itself.
                delete e;
                BadZip();
            }
            if (multi && e->FileCommentLength) {
                std::string c(e->FileCommentLength, '\0');
                cur().Seek(after);
                if (cur().ReadExact(c.data(), e->FileCommentLength)) e->FileComment = c;
            }
            cur().Seek(after + e->FileCommentLength);
            continue;
        }
        cur().Seek(after + h->FileCommentLength);
    }
    if (!rebuilt_ && !zfc && MultiMode() == mmNone &&
        cur().Position() != static_cast<std::int64_t>(end_.CentralOffset() + end_.CentralSize()))
        BadZip();
    numberOfDisks_ = static_cast<int>(end_.ThisDisk()) + 1;
    SortEntries(sortMode_);
}

bool TUnZipper::RebuildZipDirectory() {
    if (rebuilt_) return false;
    rebuilt_ = true;
    entries_.reset();
    const std::string lower = os::LowerAscii(zipName_);
    std::int64_t pos = lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".exe") == 0 ? 14000 : 0;
    const std::int64_t size = stream_->Size();
    std::vector<unsigned char> buf(65536 + 6);
    std::int64_t start = -1, sinceMessages = 0;
    while (pos < size && start < 0) {
        stream_->Seek(pos);
        const std::int64_t n = stream_->Read(buf.data(), static_cast<std::int64_t>(buf.size()));
        if (n < 6) break;
        for (std::int64_t i = 0; i + 6 <= n; ++i) {
            if (buf[i] == 0x50 && buf[i + 1] == 0x4B && buf[i + 2] == 3 && buf[i + 3] == 4 &&
                buf[i + 5] < 10) {
                start = pos + i;
                break;
            }
        }
        pos += n - 5;
        sinceMessages += n;
        if (sinceMessages >= 10240) ProcessMessages(), sinceMessages = 0;
    }
    if (start < 0) return false;
    entries_ = std::make_unique<TSortedZip>(ByNone, TSortedZip::dupError, true);
    stream_->Seek(start);
    std::uint64_t count = 0;
    while (true) {
        ProcessMessages();
        std::unique_ptr<TZipHeaderInfo> h(NewHeaderInfo());
        if (!h->ReadLocalHeader(*stream_)) break;
        // A size that points past the end of the file ends the walk after this entry.
        const std::uint64_t skip =
            h->LocalExtraLength + h->CompressedSize() + (h->HasDataDescriptor() ? 16 : 0);
        const std::int64_t here = stream_->Position();
        const bool last = skip > static_cast<std::uint64_t>(size - here);
        try {
            entries_->Add(h.get());
        } catch (const EListError&) {
            break;
        }
        h.release();
        ++count;
        if (last) break;
        stream_->Seek(here + static_cast<std::int64_t>(skip));
    }
    end_.SetThisDisk(0);
    end_.SetCentralOffset(static_cast<std::uint64_t>(stream_->Position()));
    end_.SetTotalEntries(count);
    end_.SetEntriesThisDisk(count);
    currentDisk_ = 0;
    numberOfDisks_ = 1;
    return true;
}

void TUnZipper::SortEntries(TZipSortMode mode) {
    sorted_.reset();
    if (mode != ByNone && entries_) {
        sorted_ = std::make_unique<TSortedZip>(mode, TSortedZip::dupAccept, false);
        sorted_->Reserve(entries_->Items().size());
        for (TZipHeaderInfo* e : entries_->Items()) sorted_->Add(e);
    }
    sortMode_ = mode;
}

// ---------------------------------------------------------------- multi-disk

TLFNFileStream* TUnZipper::OpenDisk(int n) {
    stream_.reset();
    std::string name;
    if (MultiMode() == mmBlocks) {
        name = partBase_;
        // The last part is also the one the directory names while it is read.
        const TSplitPartType type = n == numberOfDisks_ ? spLast : n == 1 ? spFirst : spMiddle;
        PartFileName(name, n, type);
        if (!FileExists(name)) throw EFatalUnzipError(ZipMessage(194));
    } else {
        name = zipName_;
        while (true) {
            AskForDisk(n, name);
            if (!CheckDiskLabels() || name.empty() || DiskLabelMatches(n)) {
                if (name.empty()) throw EUserCanceled("User canceled loading new disk.");
                if (FileExists(name)) break;
            }
        }
    }
    stream_ = std::make_unique<TLFNFileStream>(name, TLFNFileStream::fmOpenRead, 8192, FlushFilesOnClose);
    currentDisk_ = n - 1;
    RecordArchiveStamp(name);
    diskStamps_[currentDisk_] = {recordedStamp_, recordedSize_};
    zipName_ = name;
    return stream_.get();
}

TLFNFileStream* TUnZipper::NextDisk() { return OpenDisk(currentDisk_ + 2); }

void TUnZipper::AskForDisk(int n, std::string& name) {
    if (OnGetNextDisk)
        OnGetNextDisk(this, n, name);
    else
        DefaultDiskPrompt(n, name);
}

void TUnZipper::DefaultDiskPrompt(int n, std::string& name) {
    if (MultiMode() != mmSpan) return;
    if (HandleMessage(184, ZipMessage(184) + std::to_string(n) + ZipMessage(185), "", mbOKCancel) == idCancel)
        name.clear();
}

void TUnZipper::PartFileName(std::string& name, int n, TSplitPartType type) {
    if (OnFileNameForSplitPart)
        OnFileNameForSplitPart(this, name, n, type);
    else
        name = DefaultPartFileName(name, n, type);
}

std::string TUnZipper::DefaultPartFileName(const std::string& name, int n, TSplitPartType type) const {
    char buf[16];
    if (BlockMode == bmClassic) {
        std::snprintf(buf, sizeof buf, ".%03d", n);
        return name + buf;
    }
    if (type == spLast) return name + ".zip";
    std::snprintf(buf, sizeof buf, ".z%02d", n);
    return name + buf;
}

bool TUnZipper::DiskLabelMatches(int n) const {
    if (MultiMode() != mmSpan) return true;
    const std::string folder = ExtractFolder(zipName_).empty() ? "." : ExtractFolder(zipName_);
    // Disks written on a volume this system cannot label carry no number to check.
    if (!os::VolumeLabelWritable(folder)) return true;
    std::string label = os::GetVolumeLabel(folder);
    for (char& c : label)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    label = label.substr(0, 11);
    char want[16];
    std::snprintf(want, sizeof want, "%03d", n);
    return label.size() >= 3 && label.compare(label.size() - 3, 3, want) == 0;
}

// ---------------------------------------------------------------- entries

int TUnZipper::Count() const { return entries_ ? entries_->Count() : 0; }

const TZipHeaderInfo& TUnZipper::Entry(int index) const {
    if (index < 0 || index >= Count()) throw EListError(IndexMessage(index));
    return *(*View())[index];
}

std::string TUnZipper::Filename(int index) const { return Entry(index).FileName(); }

double TUnZipper::DateTime(int index) const {
    double d = 0;
    if (!DosDateTimeToDayNumber(Entry(index).LastMod, d)) return os::Now();
    return d;
}

std::string TUnZipper::FileComment(int index) {
    TZipHeaderInfo& e = const_cast<TZipHeaderInfo&>(Entry(index));
    if (e.FileCommentLength == 0) return {};
    if (e.FileComment) return *e.FileComment;
    OpenZip();
    TZipHeaderInfo& again = const_cast<TZipHeaderInfo&>(Entry(index));
    const std::int64_t back = stream_->Position();
    stream_->Seek(again.CentralHeaderPos + 46 + again.FileNameLength + again.CentralExtraLength);
    std::string c(again.FileCommentLength, '\0');
    if (stream_->ReadExact(c.data(), again.FileCommentLength)) again.FileComment = c;
    stream_->Seek(back);
    if (MultiMode() == mmNone) CloseZip();
    return again.FileComment ? *again.FileComment : std::string();
}

void TUnZipper::SetFileComment(int index, const std::string& text) {
    TZipHeaderInfo& e = const_cast<TZipHeaderInfo&>(Entry(index));
    if (text == (e.FileComment ? *e.FileComment : std::string())) return;
    e.SetFileCommentText(text);
    end_.Modified = true;
}

std::string TUnZipper::ZipComment() { return end_.Comment ? *end_.Comment : std::string(); }

void TUnZipper::SetZipComment(const std::string& text) {
    if (text != ZipComment()) end_.SetCommentText(text);
}
