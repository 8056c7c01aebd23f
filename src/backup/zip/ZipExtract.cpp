// Extraction of the reader: selection, overwrite rules, password check, the
// input and output paths of the decoders with their CRC and size checks. Each entry is
// written under a temporary name beside its target and renamed over it only
// after its CRC matched, so a damaged entry never replaces a good file.
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <limits>

#include "backup/zip/UnZipper.h"
#include "backup/zip/ZipDecompress.h"
#include "platform/os/AtomicFile.h"

namespace {

// The entry's data cannot be decoded (corrupt deflate stream, data ending
// early, more or fewer bytes than declared): the entry fails, the run goes on.
struct EntryDataError {};

constexpr std::int64_t BlockSize = 32768;

// Absolute, drive-qualified or climbing out with "..": never written. A
// component of dots alone ("...") counts as "..", as trailing dots and blanks
// are dropped on the file systems the archives come from.
bool UnsafeName(const std::string& name) {
    if (name.empty()) return false;
    if (name[0] == '\\' || name[0] == '/') return true;
    if (name.size() >= 2 && name[1] == ':') return true;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("\\/", start);
        if (end == std::string::npos) end = name.size();
        std::string part = name.substr(start, end - start);
        while (!part.empty() && part.back() == ' ') part.pop_back();
        if (part.size() >= 2 && part.find_first_not_of('.') == std::string::npos) return true;
        start = end + 1;
    }
    return false;
}

// Declared sizes as signed values (a rebuilt directory's come unchecked from
// local headers), and totals that saturate instead of overflowing.
std::int64_t Size64(std::uint64_t v) {
    return static_cast<std::int64_t>(std::min<std::uint64_t>(v, std::numeric_limits<std::int64_t>::max()));
}
std::int64_t Plus(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    return sum;
}

bool ReadOnlyFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

// The state of one extraction run.
class TZipExtractor : public TDecoderIo {
public:
    explicit TZipExtractor(TUnZipper& z) : z_(z), in_(BlockSize + 1), out_(BlockSize + 1) {}
    int Run();

private:
    void ExtractEntry(int index, bool& retry);
    std::string DestinationDir(const TZipHeaderInfo& e) const;
    void SkipEntry(const TZipHeaderInfo& e);
    bool PasswordPasses(const TZipHeaderInfo& e, std::int64_t dataStart);
    std::int64_t ReadBlock(unsigned char* buf);
    int ReadInputByte(std::uint8_t& b) override;
    void FlushOutput(const unsigned char* data, std::int64_t count) override;
    void OutOfMemory() override;
    void CopyStored();
    void InflateEntry();
    TDecodeWorkArea& WorkArea();

    TUnZipper& z_;
    std::vector<unsigned char> in_, out_;
    std::unique_ptr<TDecodeWorkArea> work_;  // the first old-method entry makes it
    std::int64_t totalBytes_ = 0, totalWritten_ = 0;
    int filesToDo_ = 0, extracted_ = 0;

    // Current entry.
    const TZipHeaderInfo* entry_ = nullptr;
    TLFNFileStream* target_ = nullptr;
    std::int64_t remaining_ = 0, expected_ = 0, written_ = 0;
    std::int64_t inPos_ = 0, inCount_ = 0;
    std::uint32_t crc_ = 0xFFFFFFFF;
    bool encrypted_ = false;
    TZipKeys keys_;
};

int TUnZipper::ExtractFiles() {
    const bool prev = SetBusy(true);
    Cancel = false;
    int count = 0;
    try {
        if (destDir_ == "?") {
            SetBusy(prev);
            return 0;
        }
        ReadZip();
        OpenZip();
        count = ExtractEntries();
        CloseZip();
    } catch (...) {
        SetBusy(prev);
        Cancel = false;
        throw;
    }
    SetBusy(prev);
    Cancel = false;
    return count;
}

int TUnZipper::ExtractEntries() {
    TZipExtractor x(*this);
    return x.Run();
}

void TUnZipper::ValidateLocalHeaders() {
    // Only a single file can be checked without asking for disks.
    if (numberOfDisks_ != 1 || rebuilt_ || !entries_) return;
    const std::int64_t size = stream_->Size();
    const auto& items = entries_->Items();
    for (size_t i = 0; i < items.size(); ++i) {
        const TZipHeaderInfo& c = *items[i];
        TZipHeaderInfo l;
        l.OEMNames = c.OEMNames;
        stream_->Seek(static_cast<std::int64_t>(c.RelativeOffset()));
        if (!l.ReadLocalHeader(*stream_)) BadZip();
        bool agree = l.RawName == c.RawName && l.Method == c.Method && l.Encrypted() == c.Encrypted();
        if (agree && !l.HasDataDescriptor() && !c.HasDataDescriptor()) {
            // Sizes escaped in the local header without a Zip64 block of their
            // own (an entry of 4 GiB or more) are known from the central one.
            const bool localSizes =
                l.Zip64 || (l.CompressedSizeField != 0xFFFFFFFF && l.UncompressedSizeField != 0xFFFFFFFF);
            agree = l.CRC32 == c.CRC32 && (!localSizes || (l.CompressedSize() == c.CompressedSize() &&
                                                           l.UncompressedSize() == c.UncompressedSize()));
        }
        if (!agree) BadZip();
        const unsigned __int128 dataEnd = static_cast<unsigned __int128>(c.RelativeOffset()) + 30 +
                                          l.FileNameLength + l.LocalExtraLength + c.CompressedSize();
        const std::uint64_t limit =
            i + 1 < items.size() ? items[i + 1]->RelativeOffset() : end_.CentralOffset();
        if (dataEnd > limit || dataEnd > static_cast<std::uint64_t>(size)) BadZip();
    }
}

int TZipExtractor::Run() {
    TUnZipper& z = z_;
    z.ValidateLocalHeaders();
    z.extracting_ = true;
    z.Cancel = false;
    const bool savedKeep = z.KeepZipOpen;
    z.KeepZipOpen = true;
    const TZipSortMode savedSort = z.sortMode_;
    auto cleanup = [&] {
        z.FilesList.clear();
        if (z.sortMode_ != savedSort) z.SortEntries(savedSort);
        if (z.OnUnZipComplete) z.OnUnZipComplete(&z, extracted_);
        z.KeepZipOpen = savedKeep;
        z.extracting_ = false;
    };
    try {
        if (!z.destDir_.empty() && !DirExists(z.destDir_)) ForceDirs(z.destDir_);
        if (z.numberOfDisks_ > 1 && z.sortMode_ != ByNone) z.SortEntries(ByNone);

        const int count = z.Count();
        filesToDo_ = count;
        for (int i = 0; i < count; ++i) {
            TZipHeaderInfo& e = *(*z.View())[i];
            e.Selected = false;
            if (z.DoAll) {
                e.Selected = !e.FileName().empty() || z.RecreateDirs;
            } else if (!e.FileName().empty() || z.RecreateDirs) {
                for (const std::string& p : z.FilesList)
                    if (WildcardMatch(p, e.FullName())) {
                        e.Selected = true;
                        break;
                    }
            }
            if (e.Selected)
                totalBytes_ = Plus(totalBytes_, Size64(e.UncompressedSize()));
            else
                --filesToDo_;
            if ((i & 255) == 0) z.ProcessMessages();
        }
        bool stop = false;
        if (z.OnStartUnZipInfo) z.OnStartUnZipInfo(&z, filesToDo_, totalBytes_, stop);
        if (filesToDo_ > 0 && !stop) {
            for (int i = 0; i < count; ++i) {
                if (!z.DoAll && !(*z.View())[i]->Selected) continue;
                bool retry = false;
                do ExtractEntry(i, retry);
                while (retry);
            }
        }
    } catch (...) {
        cleanup();
        throw;
    }
    cleanup();
    return extracted_;
}

std::string TZipExtractor::DestinationDir(const TZipHeaderInfo& e) const {
    const std::string base = z_.destDir_.empty() ? std::string(".") : z_.destDir_;
    if (!z_.RecreateDirs || e.Directory().empty()) return base + "/";
    std::string folder = e.Directory();
    if (!z_.RelativePathList.empty()) folder = z_.StripRootDir(folder);
    DosToUnixSlashes(folder);
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return base + "/" + folder;
}

void TZipExtractor::SkipEntry(const TZipHeaderInfo& e) {
    totalBytes_ = Plus(totalBytes_, -Size64(e.UncompressedSize()));
    --filesToDo_;
}

bool TZipExtractor::PasswordPasses(const TZipHeaderInfo& e, std::int64_t dataStart) {
    unsigned char header[12];
    while (true) {
        z_.stream_->Seek(dataStart);
        if (!z_.stream_->ReadExact(header, 12)) throw EFatalUnzipError(ZipMessage(194));
        keys_.InitKeys(z_.Password);
        unsigned char h[12];
        std::copy(header, header + 12, h);
        keys_.DecryptBuffer(h, 12);
        const std::uint8_t check = e.HasDataDescriptor() ? static_cast<std::uint8_t>(e.LastMod >> 8)
                                                         : static_cast<std::uint8_t>(e.CRC32 >> 24);
        if (h[11] == check) return true;
        std::string password = z_.Password;
        if (!z_.OnBadPassword) return false;
        const int index = z_.View()->IndexOf(&e);
        z_.OnBadPassword(&z_, index, password);
        if (password == z_.Password) return false;
        z_.Password = password;
    }
}

void TZipExtractor::ExtractEntry(int index, bool& retry) {
    retry = false;
    TUnZipper& z = z_;
    const TZipHeaderInfo& e = *(*z.View())[index];
    entry_ = &e;

    if (UnsafeName(e.FullName())) {
        bool r = false;
        if (z.OnSkippingFile) z.OnSkippingFile(&z, srUnsafePath, e.FullName(), index, r);
        SkipEntry(e);
        return;
    }
    if (e.FileName().empty()) {
        if (z.RecreateDirs) {
            const std::string dir = DestinationDir(e);
            if (!DirExists(dir)) ForceDirs(dir);
        }
        ++extracted_;
        return;
    }

    if (z.numberOfDisks_ > 1 && static_cast<int>(e.DiskNumberStart()) != z.currentDisk_)
        z.OpenDisk(static_cast<int>(e.DiskNumberStart()) + 1);
    z.stream_->Seek(static_cast<std::int64_t>(e.RelativeOffset()));
    TZipHeaderInfo local;
    local.OEMNames = e.OEMNames;
    if (!local.ReadLocalHeader(*z.stream_) || local.RawName != e.RawName || local.Method != e.Method)
        z.BadZip();
    const std::int64_t dataStart =
        static_cast<std::int64_t>(e.RelativeOffset()) + 30 + local.FileNameLength + local.LocalExtraLength;

    std::string dest = DestinationDir(e) + e.FileName();
    bool skip = false;
    if (z.OnStartUnZip) z.OnStartUnZip(&z, index, dest, skip);
    if (skip) return;
    const std::string folder = ExtractFolder(dest);
    if (!folder.empty() && !DirExists(folder)) ForceDirs(folder);

    encrypted_ = e.Encrypted();
    if (encrypted_ && !PasswordPasses(e, dataStart)) {
        bool r = false;
        if (z.OnSkippingFile) z.OnSkippingFile(&z, srBadPassword, e.FullName(), index, r);
        SkipEntry(e);
        return;
    }

    struct stat st {};
    const bool exists = lstat(dest.c_str(), &st) == 0;
    if (exists && z.OverwriteMode != Always) {
        bool overwrite = false;
        switch (z.OverwriteMode) {
            case Prompt:
                if (z.OnPromptForOverwrite) {
                    z.OnPromptForOverwrite(&z, overwrite, index, dest);
                } else {
                    const std::string text = (ZipMessage(195) + z.Filename(index) + "?").substr(0, 300);
                    overwrite = z.HandleMessage(196, text, ZipMessage(196), mbYesNo) == idYes;
                }
                break;
            case ifNewer:
                overwrite = ValidDosDateTime(e.LastMod) > static_cast<std::uint32_t>(FileDosDateTime(dest));
                break;
            case ifOlder:
                overwrite = ValidDosDateTime(e.LastMod) < static_cast<std::uint32_t>(FileDosDateTime(dest));
                break;
            default:
                break;
        }
        if (!overwrite) {
            bool r = false;
            if (z.OnSkippingFile) z.OnSkippingFile(&z, srNoOverwrite, dest, index, r);
            SkipEntry(e);
            return;
        }
    }
    if (exists && (S_ISDIR(st.st_mode) || (ReadOnlyFile(dest) && !z.ReplaceReadOnly))) {
        bool r = false;
        if (z.OnSkippingFile) z.OnSkippingFile(&z, srCreateError, dest, index, r);
        SkipEntry(e);
        return;
    }

    std::string temp;
    std::unique_ptr<TLFNFileStream> out;
    try {
        temp = TempFileName(folder.empty() ? "." : folder);
        // A file that replaces one is on the disk before the rename, so that
        // a crash leaves the old file or the new one, never an empty one.
        out = std::make_unique<TLFNFileStream>(temp, TLFNFileStream::fmOpenReadWrite, 8192,
                                               z.FlushFilesOnClose || exists);
    } catch (const os::FileError&) {
        if (!temp.empty()) ::unlink(temp.c_str());
        bool r = false;
        if (z.OnSkippingFile) z.OnSkippingFile(&z, srCreateError, dest, index, r);
        SkipEntry(e);
        return;
    }

    target_ = out.get();
    // A size no file can have fails the entry (below) like a short one.
    remaining_ = e.CompressedSize() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())
                     ? -1
                     : Size64(e.CompressedSize()) - (encrypted_ ? 12 : 0);
    expected_ = Size64(e.UncompressedSize());
    written_ = 0;
    inPos_ = inCount_ = 0;
    crc_ = 0xFFFFFFFF;
    bool ok = true;
    try {
        z.stream_->Seek(dataStart + (encrypted_ ? 12 : 0));
        if (remaining_ < 0) throw EntryDataError();
        switch (e.Method) {
            case 0:
                CopyStored();
                break;
            case 1:
                Unshrink(*this, WorkArea());
                break;
            case 2:
            case 3:
            case 4:
            case 5:
                Unreduce(*this, WorkArea(), e.Method - 1, expected_);
                break;
            case 6:
                Explode(*this, WorkArea(), e.Flags, expected_, remaining_);
                break;
            case 8:
                InflateEntry();
                break;
            default:
                z.HandleMessage(197, ZipMessage(197), ZipMessage(198), mbOK);
                ok = false;
        }
        if (written_ != expected_) ok = false;
        if (!out->Close()) throw ECantWriteUCF(ZipMessage(207));
    } catch (const EBiggerThanUncompressed&) {
        ok = false;
    } catch (const EntryDataError&) {
        ok = false;
    } catch (const EDecodeError&) {
        ok = false;
    } catch (...) {
        out.reset();
        ::unlink(temp.c_str());
        throw;
    }
    out.reset();
    target_ = nullptr;

    const std::uint32_t crc = ~crc_;
    if (ok && crc == e.CRC32) {
        SetFileDosDateTime(temp, e.LastMod);
        if (z.RetainAttributes) SetFileDosAttributes(temp, e.ExternalAttributes);
        if (::rename(temp.c_str(), dest.c_str()) != 0) {
            ::unlink(temp.c_str());
            bool r = false;
            if (z.OnSkippingFile) z.OnSkippingFile(&z, srCreateError, dest, index, r);
            SkipEntry(e);
            return;
        }
        if (z.OnEndUnZip) z.OnEndUnZip(&z, index, dest);
        ++extracted_;
        return;
    }
    ::unlink(temp.c_str());
    if (encrypted_) {
        std::string password = z.Password;
        if (z.OnBadPassword) z.OnBadPassword(&z, index, password);
        if (password != z.Password) {
            z.Password = password;
            retry = true;
        } else {
            bool r = false;
            if (z.OnSkippingFile) z.OnSkippingFile(&z, srBadPassword, e.FullName(), index, r);
        }
    } else if (z.OnBadCRC) {
        z.OnBadCRC(&z, crc, e.CRC32, index);
    }
    if (!retry) --filesToDo_;
}

std::int64_t TZipExtractor::ReadBlock(unsigned char* buf) {
    z_.ProcessMessages();
    const std::int64_t want = std::min(BlockSize, remaining_);
    std::int64_t got = z_.stream_->Read(buf, want);
    while (got < want) {
        if (z_.numberOfDisks_ <= 1) throw EFatalUnzipError(ZipMessage(194));
        // The data goes on at the start of the next disk or part.
        const std::int64_t more = z_.NextDisk()->Read(buf + got, want - got);
        if (more <= 0) throw EFatalUnzipError(ZipMessage(194));
        got += more;
    }
    remaining_ -= got;
    if (encrypted_) {
        if (z_.OnDecrypt)
            z_.OnDecrypt(&z_, buf, static_cast<int>(got), z_.Password);
        else
            keys_.DecryptBuffer(buf, static_cast<size_t>(got));
    }
    return got;
}

TDecodeWorkArea& TZipExtractor::WorkArea() {
    if (!work_) work_ = std::make_unique<TDecodeWorkArea>();
    return *work_;
}

int TZipExtractor::ReadInputByte(std::uint8_t& b) {
    if (inPos_ == inCount_) {
        if (remaining_ <= 0) return 0;
        inCount_ = ReadBlock(in_.data());
        inPos_ = 0;
    }
    b = in_[static_cast<std::size_t>(inPos_++)];
    return 8;
}

void TZipExtractor::OutOfMemory() { z_.HandleMessage(193, ZipMessage(193), ZipMessage(203), mbOK); }

void TZipExtractor::FlushOutput(const unsigned char* data, std::int64_t count) {
    if (count <= 0) return;
    if (written_ + count > expected_) throw EBiggerThanUncompressed(ZipMessage(199));
    if (target_->Write(data, count) != count) throw ECantWriteUCF(ZipMessage(207));
    crc_ = UpdateCRC(crc_, data, static_cast<size_t>(count));
    written_ += count;
    totalWritten_ = Plus(totalWritten_, count);
    if (z_.OnFilePercentDone) z_.OnFilePercentDone(&z_, Percentage(written_, expected_));
    if (z_.OnTotalPercentDone) z_.OnTotalPercentDone(&z_, Percentage(totalWritten_, totalBytes_));
}

void TZipExtractor::CopyStored() {
    while (remaining_ > 0) {
        const std::int64_t n = ReadBlock(out_.data());
        FlushOutput(out_.data(), n);
    }
}

void TZipExtractor::InflateEntry() {
    z_stream zs{};
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) throw EZCompressionError("error");
    struct Guard {
        z_stream& s;
        ~Guard() { inflateEnd(&s); }
    } guard{zs};
    zs.next_out = out_.data();
    zs.avail_out = BlockSize;
    while (true) {
        if (zs.avail_in == 0) {
            // The deflate stream must end inside the entry's compressed data.
            if (remaining_ <= 0) throw EntryDataError();
            zs.avail_in = static_cast<uInt>(ReadBlock(in_.data()));
            zs.next_in = in_.data();
        }
        const int ret = inflate(&zs, Z_NO_FLUSH);
        if (ret == Z_DATA_ERROR || ret == Z_NEED_DICT) throw EntryDataError();
        if (ret < 0 && ret != Z_BUF_ERROR) throw EZCompressionError("error");
        if (zs.avail_out == 0 || ret == Z_STREAM_END) {
            FlushOutput(out_.data(), BlockSize - zs.avail_out);
            zs.next_out = out_.data();
            zs.avail_out = BlockSize;
        }
        if (ret == Z_STREAM_END) return;
    }
}
