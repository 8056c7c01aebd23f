#include "backup/zip/ZipRecords.h"

#include <algorithm>
#include <cstring>

#include "backup/zip/ZipSupport.h"
#include "platform/os/CodePage.h"

namespace {

std::uint16_t Get16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t Get32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint64_t Get64(const unsigned char* p) {
    return Get32(p) | static_cast<std::uint64_t>(Get32(p + 4)) << 32;
}

void Put16(std::string& s, std::uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, std::uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}
void Put64(std::string& s, std::uint64_t v) {
    Put32(s, static_cast<std::uint32_t>(v));
    Put32(s, static_cast<std::uint32_t>(v >> 32));
}

bool WriteAll(TLFNFileStream& s, const std::string& bytes) {
    return s.Write(bytes.data(), static_cast<std::int64_t>(bytes.size())) ==
           static_cast<std::int64_t>(bytes.size());
}

bool ValidUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (n < 0 || i + static_cast<size_t>(n) >= s.size() + (n == 0 ? 1 : 0)) return false;
        for (int k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + static_cast<size_t>(k)]) >> 6) != 2) return false;
        i += static_cast<size_t>(n) + 1;
    }
    return true;
}

// Name bytes of the archive to the program's UTF-8.
std::string DecodeName(const std::string& raw, bool oem, std::uint16_t madeBy, std::uint16_t flags) {
    if (flags & 0x800) return raw;
    if (oem && (madeBy >> 8) == 0) return os::Cp852ToUtf8(raw);
    if (ValidUtf8(raw)) return raw;
    try {
        return os::Cp1250ToUtf8(raw);
    } catch (const os::CodePageError&) {
        return raw;
    }
}

// A narrow field that holds its escape stands for the wide value kept in the
// Zip64 record; a value at or above the escape goes there and escapes the field.
template <class Field, class Record, class Member>
std::uint64_t Wide(Field field, Field escape, const std::optional<Record>& rec, Member Record::*member) {
    return field == escape && rec ? static_cast<std::uint64_t>((*rec).*member) : field;
}

template <class Field, class Record, class Member>
void SetWide(Field& field, Field escape, std::optional<Record>& rec, Member Record::*member, std::uint64_t v,
             bool mirror) {
    if (v >= escape) {
        field = escape;
        if (!rec) rec.emplace();
        (*rec).*member = static_cast<Member>(v);
    } else {
        field = static_cast<Field>(v);
        if (mirror && rec) (*rec).*member = static_cast<Member>(v);
    }
}

// Walks the blocks of an extra field (tag, data position, data size) until
// `f` returns false; false when a block overruns the field. A tail shorter
// than a block header is padding.
bool ForEachBlock(const std::string& extra, const std::function<bool(std::uint16_t, size_t, size_t)>& f) {
    const auto* p = reinterpret_cast<const unsigned char*>(extra.data());
    for (size_t i = 0; i + 4 <= extra.size();) {
        const std::uint16_t tag = Get16(p + i), size = Get16(p + i + 2);
        if (i + 4 + size > extra.size()) return false;
        if (!f(tag, i + 4, size)) return true;
        i += 4 + size;
    }
    return true;
}

}  // namespace

bool TZipHeaderInfo::TakeZip64(const unsigned char* p, size_t size, bool central) {
    // Only the escaped values are present, in this order.
    TZip64Data z;
    size_t q = 0;
    auto take = [&](auto& v, size_t width) {
        if (q + width > size) return false;
        v = static_cast<std::remove_reference_t<decltype(v)>>(width == 8 ? Get64(p + q) : Get32(p + q));
        q += width;
        return true;
    };
    const bool ok = (UncompressedSizeField != 0xFFFFFFFF || take(z.UncompressedSize, 8)) &&
                    (CompressedSizeField != 0xFFFFFFFF || take(z.CompressedSize, 8)) &&
                    (!central || RelativeOffsetField != 0xFFFFFFFF || take(z.RelativeOffset, 8)) &&
                    (!central || DiskNumberStartField != 0xFFFF || take(z.DiskNumberStart, 4));
    Zip64 = z;
    return ok;
}

// ---------------------------------------------------------------- TZipHeaderInfo

void TZipHeaderInfo::UpdateNameLength() {
    try {
        FileNameLength = static_cast<std::uint16_t>(StoredName().size());
    } catch (const os::CodePageError&) {
        FileNameLength = static_cast<std::uint16_t>(FullName().size());
    }
}

void TZipHeaderInfo::SplitName(std::string name) {
    UnixToDosSlashes(name);
    const size_t slash = name.rfind('\\');
    directory_ = slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
    fileName_ = slash == std::string::npos ? name : name.substr(slash + 1);
}

void TZipHeaderInfo::SetFileName(const std::string& name) {
    fileName_ = name;
    UpdateNameLength();
}

void TZipHeaderInfo::SetDirectory(const std::string& dir) {
    directory_ = dir;
    if (!directory_.empty() && directory_.back() != '\\') directory_ += '\\';
    UpdateNameLength();
}

void TZipHeaderInfo::SetFileCommentText(const std::string& text) {
    if (text.empty()) {
        FileComment.reset();
        FileCommentLength = 0;
    } else {
        FileComment = text;
        FileCommentLength = static_cast<std::uint16_t>(text.size());
    }
}

std::uint64_t TZipHeaderInfo::CompressedSize() const {
    return Wide(CompressedSizeField, 0xFFFFFFFFu, Zip64, &TZip64Data::CompressedSize);
}
std::uint64_t TZipHeaderInfo::UncompressedSize() const {
    return Wide(UncompressedSizeField, 0xFFFFFFFFu, Zip64, &TZip64Data::UncompressedSize);
}
std::uint64_t TZipHeaderInfo::RelativeOffset() const {
    return Wide(RelativeOffsetField, 0xFFFFFFFFu, Zip64, &TZip64Data::RelativeOffset);
}
std::uint32_t TZipHeaderInfo::DiskNumberStart() const {
    return Wide(DiskNumberStartField, std::uint16_t{0xFFFF}, Zip64, &TZip64Data::DiskNumberStart);
}
void TZipHeaderInfo::SetCompressedSize(std::uint64_t v) {
    SetWide(CompressedSizeField, 0xFFFFFFFFu, Zip64, &TZip64Data::CompressedSize, v, false);
}
void TZipHeaderInfo::SetUncompressedSize(std::uint64_t v) {
    SetWide(UncompressedSizeField, 0xFFFFFFFFu, Zip64, &TZip64Data::UncompressedSize, v, false);
}
void TZipHeaderInfo::SetRelativeOffset(std::uint64_t v) {
    SetWide(RelativeOffsetField, 0xFFFFFFFFu, Zip64, &TZip64Data::RelativeOffset, v, false);
}
void TZipHeaderInfo::SetDiskNumberStart(std::uint32_t v) {
    SetWide(DiskNumberStartField, std::uint16_t{0xFFFF}, Zip64, &TZip64Data::DiskNumberStart, v, false);
}

std::string TZipHeaderInfo::StoredName() const {
    std::string name = FullName();
    DosToUnixSlashes(name);
    if (OEMNames && (VersionMadeBy >> 8) == 0 && !(Flags & 0x800)) return os::Utf8ToCp852(name);
    return name;
}

bool TZipHeaderInfo::WriteLocalHeader(TLFNFileStream& s) {
    const std::string name = StoredName();
    FileNameLength = static_cast<std::uint16_t>(name.size());
    SetRelativeOffset(static_cast<std::uint64_t>(s.Position()));
    if (LocalZip64) LocalExtraLength = 20;
    std::string b;
    b.reserve(30 + name.size() + (LocalZip64 ? 20 : 0));
    Put32(b, LocalSignature);
    Put16(b, LocalZip64 ? 45 : VersionNeeded);
    Put16(b, Flags);
    Put16(b, Method);
    Put32(b, LastMod);
    Put32(b, CRC32);
    Put32(b, LocalZip64 ? 0xFFFFFFFF : CompressedSizeField);
    Put32(b, LocalZip64 ? 0xFFFFFFFF : UncompressedSizeField);
    Put16(b, FileNameLength);
    Put16(b, LocalExtraLength);  // a kept entry's old extra field follows, copied by the writer
    b += name;
    RawName = name;
    if (LocalZip64) {
        Put16(b, 1);
        Put16(b, 16);
        Put64(b, UncompressedSize());
        Put64(b, CompressedSize());
    }
    return WriteAll(s, b);
}

bool TZipHeaderInfo::WriteCentralHeader(TLFNFileStream& s, TLFNFileStream* old) {
    const std::string name = StoredName();
    FileNameLength = static_cast<std::uint16_t>(name.size());
    std::uint16_t z64 = 0;
    if (UncompressedSizeField == 0xFFFFFFFF) z64 += 8;
    if (CompressedSizeField == 0xFFFFFFFF) z64 += 8;
    if (RelativeOffsetField == 0xFFFFFFFF) z64 += 8;
    if (DiskNumberStartField == 0xFFFF) z64 += 4;
    if (z64 == 0) Zip64.reset();

    std::string carried;
    if (CarriedExtraLength != 0 && old) {
        std::string extra(CarriedExtraLength, '\0');
        const std::int64_t back = old->Position();
        old->Seek(ExtraFieldPos);
        if (old->ReadExact(extra.data(), CarriedExtraLength)) {
            ForEachBlock(extra, [&](std::uint16_t tag, size_t at, size_t size) {
                if (tag != 1) carried.append(extra, at - 4, 4 + size);
                return true;
            });
        }
        old->Seek(back);
    }
    CentralExtraLength = static_cast<std::uint16_t>(carried.size() + (z64 ? z64 + 4 : 0));
    // Zip64 needs 4.5; the readers in use refuse a higher figure.
    VersionNeeded = z64 ? 45 : 20;

    std::string b;
    b.reserve(46 + name.size() + CentralExtraLength + FileCommentLength);
    Put32(b, CentralSignature);
    Put16(b, VersionMadeBy);
    Put16(b, VersionNeeded);
    Put16(b, Flags);
    Put16(b, Method);
    Put32(b, LastMod);
    Put32(b, CRC32);
    Put32(b, CompressedSizeField);
    Put32(b, UncompressedSizeField);
    Put16(b, FileNameLength);
    Put16(b, CentralExtraLength);
    Put16(b, FileComment ? FileCommentLength : 0);
    Put16(b, DiskNumberStartField);
    Put16(b, InternalAttributes);
    Put32(b, ExternalAttributes);
    Put32(b, RelativeOffsetField);
    b += name;
    RawName = name;
    b += carried;
    if (z64) {
        Put16(b, 1);
        Put16(b, z64);
        if (UncompressedSizeField == 0xFFFFFFFF) Put64(b, Zip64->UncompressedSize);
        if (CompressedSizeField == 0xFFFFFFFF) Put64(b, Zip64->CompressedSize);
        if (RelativeOffsetField == 0xFFFFFFFF) Put64(b, Zip64->RelativeOffset);
        if (DiskNumberStartField == 0xFFFF) Put32(b, Zip64->DiskNumberStart);
    }
    if (FileComment && FileCommentLength) b.append(*FileComment, 0, FileCommentLength);
    return WriteAll(s, b);
}

THeaderRead TZipHeaderInfo::ReadCentralHeader(TLFNFileStream& s0,
                                              const std::function<TLFNFileStream*()>& nextDisk) {
    TLFNFileStream* s = &s0;
    const std::int64_t start = s->Position();
    unsigned char h[46];
    std::int64_t got = s->Read(h, 46);
    if (nextDisk && (got == 0 || (got >= 4 && got < 46 && Get32(h) == CentralSignature))) {
        if (TLFNFileStream* next = nextDisk()) {
            s = next;
            got += s->Read(h + got, 46 - got);
        }
    }
    if (got != 46 || Get32(h) != CentralSignature) {
        if (s == &s0) s->Seek(start);
        return THeaderRead::NoHeader;
    }
    const std::uint16_t nameLen = Get16(h + 28);
    std::string raw(nameLen, '\0');
    if (!s->ReadExact(raw.data(), nameLen)) {
        s->Seek(start);
        return THeaderRead::NoHeader;
    }
    if (raw.find('\0') != std::string::npos) return THeaderRead::Damaged;
    RawName = raw;

    VersionMadeBy = Get16(h + 4);
    VersionNeeded = Get16(h + 6);
    Flags = Get16(h + 8);
    Method = Get16(h + 10);
    LastMod = ValidDosDateTime(Get32(h + 12));
    CRC32 = Get32(h + 16);
    CompressedSizeField = Get32(h + 20);
    UncompressedSizeField = Get32(h + 24);
    CentralExtraLength = Get16(h + 30);
    FileCommentLength = Get16(h + 32);
    DiskNumberStartField = Get16(h + 34);
    InternalAttributes = Get16(h + 36);
    ExternalAttributes = Get32(h + 38);
    RelativeOffsetField = Get32(h + 42);

    SplitName(DecodeName(raw, OEMNames, VersionMadeBy, Flags));
    FileNameLength = nameLen;
    FileComment.reset();
    Selected = Marked = false;
    CentralHeaderPos = start;
    Zip64.reset();
    Zip64BlockSize = 0;

    CarriedExtraLength = CentralExtraLength;
    ExtraFieldPos = s->Position();
    if (CentralExtraLength) {
        std::string extra(CentralExtraLength, '\0');
        if (!s->ReadExact(extra.data(), CentralExtraLength)) return THeaderRead::Damaged;
        bool zip64Ok = true;
        const bool blocksOk = ForEachBlock(extra, [&](std::uint16_t tag, size_t at, size_t size) {
            if (tag != 1) return true;
            Zip64BlockSize = static_cast<std::uint16_t>(size + 4);
            zip64Ok = TakeZip64(reinterpret_cast<const unsigned char*>(extra.data()) + at, size, true);
            return false;
        });
        if (!blocksOk || !zip64Ok) return THeaderRead::Damaged;
        s->Seek(ExtraFieldPos);
    }
    // An escaped field without its Zip64 value cannot be located; no file
    // reaches 2^63 bytes (the sizes and offsets are used as signed values).
    if (!Zip64 && (UncompressedSizeField == 0xFFFFFFFF || CompressedSizeField == 0xFFFFFFFF ||
                   RelativeOffsetField == 0xFFFFFFFF || DiskNumberStartField == 0xFFFF))
        return THeaderRead::Damaged;
    constexpr std::uint64_t limit = std::uint64_t{1} << 63;
    if (UncompressedSize() >= limit || CompressedSize() >= limit || RelativeOffset() >= limit)
        return THeaderRead::Damaged;
    return THeaderRead::Ok;
}

bool TZipHeaderInfo::ReadLocalHeader(TLFNFileStream& s) {
    const std::int64_t start = s.Position();
    unsigned char h[30];
    if (!s.ReadExact(h, 30) || Get32(h) != LocalSignature) {
        s.Seek(start);
        return false;
    }
    const std::uint16_t nameLen = Get16(h + 26);
    std::string raw(nameLen, '\0');
    if (!s.ReadExact(raw.data(), nameLen)) {
        s.Seek(start);
        return false;
    }
    RawName = raw;
    VersionMadeBy = 0;
    VersionNeeded = Get16(h + 4);
    Flags = Get16(h + 6);
    Method = Get16(h + 8);
    LastMod = ValidDosDateTime(Get32(h + 10));
    CRC32 = Get32(h + 14);
    CompressedSizeField = Get32(h + 18);
    UncompressedSizeField = Get32(h + 22);
    FileNameLength = nameLen;
    LocalExtraLength = Get16(h + 28);
    CentralExtraLength = FileCommentLength = DiskNumberStartField = InternalAttributes = 0;
    ExternalAttributes = 0;
    RelativeOffsetField = static_cast<std::uint32_t>(std::min<std::int64_t>(start, 0xFFFFFFFF));
    Zip64.reset();
    if (start >= 0xFFFFFFFF) SetRelativeOffset(static_cast<std::uint64_t>(start));
    SplitName(DecodeName(raw, OEMNames, 0, Flags));
    if (LocalExtraLength) {
        // The Zip64 block may follow other blocks; only the escaped values are in it.
        const std::int64_t extraPos = s.Position();
        std::string extra(LocalExtraLength, '\0');
        const std::int64_t got = s.Read(extra.data(), LocalExtraLength);
        extra.resize(static_cast<size_t>(std::max<std::int64_t>(got, 0)));
        ForEachBlock(extra, [&](std::uint16_t tag, size_t at, size_t size) {
            if (tag != 1) return true;
            TakeZip64(reinterpret_cast<const unsigned char*>(extra.data()) + at, size, false);
            return false;
        });
        s.Seek(extraPos);
    }
    return true;
}

void TZipHeaderInfo::Assign(const TZipHeaderInfo& o) {
    VersionMadeBy = o.VersionMadeBy;
    VersionNeeded = o.VersionNeeded;
    Flags = o.Flags;
    Method = o.Method;
    LastMod = o.LastMod;
    CRC32 = o.CRC32;
    CompressedSizeField = o.CompressedSizeField;
    UncompressedSizeField = o.UncompressedSizeField;
    FileNameLength = o.FileNameLength;
    CentralExtraLength = o.CentralExtraLength;
    LocalExtraLength = o.LocalExtraLength;
    FileCommentLength = o.FileCommentLength;
    DiskNumberStartField = o.DiskNumberStartField;
    InternalAttributes = o.InternalAttributes;
    ExternalAttributes = o.ExternalAttributes;
    RelativeOffsetField = o.RelativeOffsetField;
    CentralHeaderPos = o.CentralHeaderPos;
    fileName_ = o.fileName_;
    directory_ = o.directory_;
    Zip64 = o.Zip64;
    FileComment = o.FileComment;
    Selected = o.Selected;
    Marked = o.Marked;
}

// ---------------------------------------------------------------- TEndCentral

// The counts are mirrored into an existing Zip64 end record also when they fit.
std::uint32_t TEndCentral::ThisDisk() const {
    return Wide(ThisDiskField, std::uint16_t{0xFFFF}, Zip64End, &TZip64EndRecord::ThisDisk);
}
std::uint32_t TEndCentral::StartDisk() const {
    return Wide(StartDiskField, std::uint16_t{0xFFFF}, Zip64End, &TZip64EndRecord::StartDisk);
}
std::uint64_t TEndCentral::EntriesThisDisk() const {
    return Wide(EntriesThisDiskField, std::uint16_t{0xFFFF}, Zip64End, &TZip64EndRecord::EntriesThisDisk);
}
std::uint64_t TEndCentral::TotalEntries() const {
    return Wide(TotalEntriesField, std::uint16_t{0xFFFF}, Zip64End, &TZip64EndRecord::TotalEntries);
}
std::uint64_t TEndCentral::CentralSize() const {
    return Wide(CentralSizeField, 0xFFFFFFFFu, Zip64End, &TZip64EndRecord::CentralSize);
}
std::uint64_t TEndCentral::CentralOffset() const {
    return Wide(CentralOffsetField, 0xFFFFFFFFu, Zip64End, &TZip64EndRecord::CentralOffset);
}
void TEndCentral::SetThisDisk(std::uint32_t v) {
    SetWide(ThisDiskField, std::uint16_t{0xFFFF}, Zip64End, &TZip64EndRecord::ThisDisk, v, true);
}
void TEndCentral::SetStartDisk(std::uint32_t v) {
    SetWide(StartDiskField, std::uint16_t{0xFFFF}, Zip64End, &TZip64EndRecord::StartDisk, v, true);
}
void TEndCentral::SetEntriesThisDisk(std::uint64_t v) {
    SetWide(EntriesThisDiskField, std::uint16_t{0xFFFF}, Zip64End, &TZip64EndRecord::EntriesThisDisk, v,
            true);
}
void TEndCentral::SetTotalEntries(std::uint64_t v) {
    SetWide(TotalEntriesField, std::uint16_t{0xFFFF}, Zip64End, &TZip64EndRecord::TotalEntries, v, true);
}
void TEndCentral::SetCentralSize(std::uint64_t v) {
    SetWide(CentralSizeField, 0xFFFFFFFFu, Zip64End, &TZip64EndRecord::CentralSize, v, true);
}
void TEndCentral::SetCentralOffset(std::uint64_t v) {
    SetWide(CentralOffsetField, 0xFFFFFFFFu, Zip64End, &TZip64EndRecord::CentralOffset, v, true);
}

void TEndCentral::SetCommentText(const std::string& text) {
    if (text.empty()) {
        Comment.reset();
        CommentLength = 0;
    } else {
        Comment = text.substr(0, 0xFFFF);
        CommentLength = static_cast<std::uint16_t>(Comment->size());
    }
    Modified = true;
}

bool TEndCentral::WriteEndRecords(TLFNFileStream& s) {
    if (Zip64End) {
        if (!Locator) Locator.emplace();
        Locator->EndRecordOffset = static_cast<std::uint64_t>(s.Position());
        const bool escaped = ThisDiskField == 0xFFFF || StartDiskField == 0xFFFF ||
                             EntriesThisDiskField == 0xFFFF || TotalEntriesField == 0xFFFF ||
                             CentralSizeField == 0xFFFFFFFF || CentralOffsetField == 0xFFFFFFFF;
        if (ThisDiskField != 0xFFFF) Zip64End->ThisDisk = ThisDiskField;
        if (StartDiskField != 0xFFFF) Zip64End->StartDisk = StartDiskField;
        if (EntriesThisDiskField != 0xFFFF) Zip64End->EntriesThisDisk = EntriesThisDiskField;
        if (TotalEntriesField != 0xFFFF) Zip64End->TotalEntries = TotalEntriesField;
        if (CentralSizeField != 0xFFFFFFFF) Zip64End->CentralSize = CentralSizeField;
        if (CentralOffsetField != 0xFFFFFFFF) Zip64End->CentralOffset = CentralOffsetField;
        if (escaped) {
            // The locator names the disk that holds the Zip64 end record.
            Locator->EndRecordDisk = ThisDisk();
            Locator->TotalDisks = ThisDisk() + 1;
            std::string b;
            Put32(b, Zip64Signature);
            Put64(b, Zip64End->RecordSize);
            Put16(b, Zip64End->VersionMadeBy);
            Put16(b, Zip64End->VersionNeeded);
            Put32(b, Zip64End->ThisDisk);
            Put32(b, Zip64End->StartDisk);
            Put64(b, Zip64End->EntriesThisDisk);
            Put64(b, Zip64End->TotalEntries);
            Put64(b, Zip64End->CentralSize);
            Put64(b, Zip64End->CentralOffset);
            Put32(b, LocatorSignature);
            Put32(b, Locator->EndRecordDisk);
            Put64(b, Locator->EndRecordOffset);
            Put32(b, Locator->TotalDisks);
            if (!WriteAll(s, b)) return false;
        } else {
            Zip64End.reset();
            Locator.reset();
        }
    }
    std::string b;
    Put32(b, Signature);
    Put16(b, ThisDiskField);
    Put16(b, StartDiskField);
    Put16(b, EntriesThisDiskField);
    Put16(b, TotalEntriesField);
    Put32(b, CentralSizeField);
    Put32(b, CentralOffsetField);
    Put16(b, Comment ? CommentLength : 0);
    if (Comment && CommentLength) b.append(*Comment, 0, CommentLength);
    return WriteAll(s, b);
}

bool TEndCentral::ReadEndRecords(TLFNFileStream& s, bool* damaged) {
    if (damaged) *damaged = false;
    EndRecordPos = Zip64EndPos = -1;
    const std::int64_t size = s.Size();
    if (size < 22) return false;
    const std::int64_t blockSize = std::min<std::int64_t>(65557, size);
    std::vector<unsigned char> block(static_cast<size_t>(blockSize));
    s.Seek(size - blockSize);
    if (!s.ReadExact(block.data(), blockSize)) return false;
    std::int64_t found = -1;
    for (std::int64_t i = blockSize - 22; i >= 0; --i) {
        if (block[static_cast<size_t>(i)] == 0x50 && Get32(&block[static_cast<size_t>(i)]) == Signature) {
            found = i;
            break;
        }
    }
    if (found < 0) return false;
    const unsigned char* p = &block[static_cast<size_t>(found)];
    ThisDiskField = Get16(p + 4);
    StartDiskField = Get16(p + 6);
    EntriesThisDiskField = Get16(p + 8);
    TotalEntriesField = Get16(p + 10);
    CentralSizeField = Get32(p + 12);
    CentralOffsetField = Get32(p + 16);
    CommentLength = Get16(p + 20);
    Comment.reset();
    EndRecordPos = size - blockSize + found;
    CommentPos = EndRecordPos + 22;
    if (CommentLength && found + 22 + CommentLength <= blockSize)
        Comment = std::string(reinterpret_cast<const char*>(p + 22), CommentLength);
    Zip64End.reset();
    Locator.reset();
    if (EndRecordPos >= 20) {
        unsigned char loc[20];
        s.Seek(EndRecordPos - 20);
        if (s.ReadExact(loc, 20) && Get32(loc) == LocatorSignature) {
            TZip64Locator l;
            l.EndRecordDisk = Get32(loc + 4);
            l.EndRecordOffset = Get64(loc + 8);
            l.TotalDisks = Get32(loc + 16);
            Locator = l;
            unsigned char z[56];
            // The end record lies on this disk in every set we read.
            const bool here = l.EndRecordDisk == ThisDiskField || ThisDiskField == 0xFFFF;
            if (!here || l.EndRecordOffset + 56 > static_cast<std::uint64_t>(EndRecordPos - 20)) {
                if (here && damaged) *damaged = true;
                return true;
            }
            s.Seek(static_cast<std::int64_t>(l.EndRecordOffset));
            if (!s.ReadExact(z, 56) || Get32(z) != Zip64Signature) {
                if (damaged) *damaged = true;
                return true;
            }
            TZip64EndRecord e;
            e.RecordSize = Get64(z + 4);
            e.VersionMadeBy = Get16(z + 12);
            e.VersionNeeded = Get16(z + 14);
            e.ThisDisk = Get32(z + 16);
            e.StartDisk = Get32(z + 20);
            e.EntriesThisDisk = Get64(z + 24);
            e.TotalEntries = Get64(z + 32);
            e.CentralSize = Get64(z + 40);
            e.CentralOffset = Get64(z + 48);
            Zip64End = e;
            Zip64EndPos = static_cast<std::int64_t>(l.EndRecordOffset);
            const bool agrees =
                (ThisDiskField == 0xFFFF || ThisDiskField == e.ThisDisk) &&
                (StartDiskField == 0xFFFF || StartDiskField == e.StartDisk) &&
                (EntriesThisDiskField == 0xFFFF || EntriesThisDiskField == e.EntriesThisDisk) &&
                (TotalEntriesField == 0xFFFF || TotalEntriesField == e.TotalEntries) &&
                (CentralSizeField == 0xFFFFFFFF || CentralSizeField == e.CentralSize) &&
                (CentralOffsetField == 0xFFFFFFFF || CentralOffsetField == e.CentralOffset);
            if (!agrees && damaged) *damaged = true;
        }
    }
    return true;
}

void TEndCentral::Assign(const TEndCentral& o) {
    ThisDiskField = o.ThisDiskField;
    StartDiskField = o.StartDiskField;
    EntriesThisDiskField = o.EntriesThisDiskField;
    TotalEntriesField = o.TotalEntriesField;
    CentralSizeField = o.CentralSizeField;
    CentralOffsetField = o.CentralOffsetField;
    Comment = o.Comment;
    CommentLength = Comment ? static_cast<std::uint16_t>(Comment->size()) : o.CommentLength;
    CommentPos = o.CommentPos;
}

void TEndCentral::Clear() {
    ThisDiskField = StartDiskField = EntriesThisDiskField = TotalEntriesField = 0;
    CentralSizeField = CentralOffsetField = 0;
    CommentLength = 0;
    Comment.reset();
    CommentPos = 0;
    Modified = false;
    Zip64End.reset();
    Locator.reset();
    EndRecordPos = Zip64EndPos = -1;
}

// ---------------------------------------------------------------- TSortedZip

TSortedZip::TSortedZip(TZipSortMode mode, Duplicates dup, bool owns) : mode_(mode), dup_(dup), owns_(owns) {}

TSortedZip::~TSortedZip() {
    if (owns_)
        for (TZipHeaderInfo* e : items_) delete e;
}

namespace {

int CompareText(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        auto fold = [](char c) { return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 32 : c); };
        const int d = fold(a[i]) - fold(b[i]);
        if (d) return d;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

}  // namespace

int TSortedZip::Compare(const TZipHeaderInfo& a, const TZipHeaderInfo& b) const {
    switch (mode_) {
        case ByName:
            return CompareText(a.FullName(), b.FullName());
        case ByFileName:
            return CompareText(a.FileName(), b.FileName());
        case ByDirectoryName:
            return CompareText(a.Directory(), b.Directory());
        case ByDate: {
            double da = -1e9, db = -1e9;
            DosDateTimeToDayNumber(a.LastMod, da);
            DosDateTimeToDayNumber(b.LastMod, db);
            return db > da ? 1 : -1;
        }
        case ByCompressedSize:
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(b.CompressedSize()) -
                                             static_cast<std::uint32_t>(a.CompressedSize())) > 0
                       ? 1
                       : -1;
        case ByUnCompressedSize:
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(b.UncompressedSize()) -
                                             static_cast<std::uint32_t>(a.UncompressedSize())) > 0
                       ? 1
                       : -1;
        case ByRate:
            return Percentage(static_cast<std::int64_t>(b.CompressedSize()),
                              static_cast<std::int64_t>(b.UncompressedSize())) -
                   Percentage(static_cast<std::int64_t>(a.CompressedSize()),
                              static_cast<std::int64_t>(a.UncompressedSize()));
        case ByNone:
        default:
            if (a.DiskNumberStart() != b.DiskNumberStart())
                return a.DiskNumberStart() < b.DiskNumberStart() ? -1 : 1;
            return a.RelativeOffset() > b.RelativeOffset()    ? 1
                   : a.RelativeOffset() == b.RelativeOffset() ? 0
                                                              : -1;
    }
}

bool TSortedZip::Find(const TZipHeaderInfo& key, int& index) const {
    int low = 0, high = Count() - 1;
    bool found = false;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const int c = Compare(*items_[static_cast<size_t>(mid)], key);
        if (c < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (c == 0) {
                found = true;
                if (dup_ != dupAccept) low = mid;
            }
        }
    }
    index = low;
    return found;
}

void TSortedZip::Add(TZipHeaderInfo* entry) {
    int index = 0;
    // Fast path: entries read in archive order arrive sorted.
    if (!items_.empty() && Compare(*items_.back(), *entry) < 0) {
        index = Count();
    } else if (Find(*entry, index)) {
        if (dup_ == dupIgnore) {
            if (owns_) delete entry;
            return;
        }
        if (dup_ == dupError) throw EListError("Duplicate Object index");
    }
    items_.insert(items_.begin() + index, entry);
    if (entry->Zip64) zip64_ = true;
}

TZipHeaderInfo* TSortedZip::Item(int i) const {
    if (i < 0 || i >= Count()) throw EListError("List index out of bounds (" + std::to_string(i) + ")");
    return items_[static_cast<size_t>(i)];
}

int TSortedZip::IndexOf(const TZipHeaderInfo* e) const {
    auto it = std::find(items_.begin(), items_.end(), e);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TZipHeaderInfo* TSortedZip::Extract(int i) {
    TZipHeaderInfo* e = Item(i);
    items_.erase(items_.begin() + i);
    return e;
}
