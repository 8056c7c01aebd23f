// The records of a zip archive: one entry (local and central header), the end
// of central directory with its Zip64 companions, and the entry list kept in
// one of eight orders. Stored folders use "\" inside the component; the
// archive itself holds "/".
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TLFNFileStream;

enum TZipSortMode {
    ByName,
    ByFileName,
    ByDirectoryName,
    ByDate,
    ByCompressedSize,
    ByUnCompressedSize,
    ByRate,
    ByNone
};

struct TZip64Data {
    std::uint64_t UncompressedSize = 0, CompressedSize = 0, RelativeOffset = 0;
    std::uint32_t DiskNumberStart = 0;
};

// Result of a header read that checks what it reads.
enum class THeaderRead { Ok, NoHeader, Damaged };

class TZipHeaderInfo {
public:
    static constexpr std::uint32_t LocalSignature = 0x04034B50, CentralSignature = 0x02014B50;

    std::uint16_t VersionMadeBy = 50;
    std::uint16_t VersionNeeded = 20;
    std::uint16_t Flags = 0;  // 1 encrypted, 2/4 deflate level, 8 data descriptor, 0x800 UTF-8 name
    std::uint16_t Method = 8;
    std::uint32_t LastMod = 0;
    std::uint32_t CRC32 = 0xFFFFFFFF;
    std::uint32_t CompressedSizeField = 0, UncompressedSizeField = 0;
    std::uint16_t FileNameLength = 0, CentralExtraLength = 0, LocalExtraLength = 0, FileCommentLength = 0;
    std::uint16_t DiskNumberStartField = 0;
    std::uint16_t InternalAttributes = 1;
    std::uint32_t ExternalAttributes = 0x20;
    std::uint32_t RelativeOffsetField = 0;
    std::int64_t CentralHeaderPos = 0;
    std::optional<TZip64Data> Zip64;
    std::optional<std::string> FileComment;
    bool Selected = false, Marked = false;
    bool OEMNames = false;
    std::int64_t ExtraFieldPos = 0;
    std::uint16_t CarriedExtraLength = 0;
    std::uint16_t Zip64BlockSize = 0;
    // The name bytes exactly as read from the archive.
    std::string RawName;
    // The local header carries both sizes in a Zip64 block and escapes its
    // size fields, as the format asks of an entry that may reach 4 GiB: a
    // reader that takes a stored entry's size from its local header needs it.
    bool LocalZip64 = false;

    const std::string& FileName() const { return fileName_; }
    const std::string& Directory() const { return directory_; }
    std::string FullName() const { return directory_ + fileName_; }
    void SetFileName(const std::string& name);
    void SetDirectory(const std::string& dir);  // appends "\" to a non-empty folder
    void SetFileCommentText(const std::string& text);

    // 64-bit values behind the escaped fields.
    std::uint64_t CompressedSize() const;
    std::uint64_t UncompressedSize() const;
    std::uint64_t RelativeOffset() const;
    std::uint32_t DiskNumberStart() const;
    void SetCompressedSize(std::uint64_t v);
    void SetUncompressedSize(std::uint64_t v);
    void SetRelativeOffset(std::uint64_t v);
    void SetDiskNumberStart(std::uint32_t v);

    bool Encrypted() const { return Flags & 1; }
    bool HasDataDescriptor() const { return Flags & 8; }
    std::int64_t LocalHeaderSize() const { return 30 + FileNameLength + LocalExtraLength; }
    std::int64_t CentralHeaderSize() const {
        return 46 + FileNameLength + CentralExtraLength + FileCommentLength;
    }

    // The name as the archive stores it ("/" separators, OEM code page when
    // OEMNames); throws os::CodePageError for a character the OEM page lacks.
    std::string StoredName() const;

    // Writes the 30-byte header and the name; the relative offset becomes the
    // stream position. Returns false on a short write.
    bool WriteLocalHeader(TLFNFileStream& s);
    // Carried extra blocks are copied from `old` (tag 1 dropped), then the
    // Zip64 block and the comment. Returns false on a short write.
    bool WriteCentralHeader(TLFNFileStream& s, TLFNFileStream* old = nullptr);
    // Reads a central header; `nextDisk` continues a header cut at the end of
    // a disk. Damaged: the signature was there but the header is malformed
    // (NUL in the name, extra blocks overrunning the field).
    THeaderRead ReadCentralHeader(TLFNFileStream& s, const std::function<TLFNFileStream*()>& nextDisk = {});
    bool ReadLocalHeader(TLFNFileStream& s);

    // Copies what a rewrite needs (not the OEM flag nor the extra position).
    void Assign(const TZipHeaderInfo& other);

private:
    void UpdateNameLength();
    // A stored name ("/" or "\\") into directory and file name.
    void SplitName(std::string name);
    // Takes the Zip64 values of the escaped fields from a tag-1 block; false
    // when the block is too short (the local block holds only the sizes).
    bool TakeZip64(const unsigned char* data, size_t size, bool central);
    std::string fileName_, directory_;
};

struct TZip64EndRecord {
    std::uint64_t RecordSize = 44;
    std::uint16_t VersionMadeBy = 50, VersionNeeded = 45;
    std::uint32_t ThisDisk = 0, StartDisk = 0;
    std::uint64_t EntriesThisDisk = 0, TotalEntries = 0, CentralSize = 0, CentralOffset = 0;
};

struct TZip64Locator {
    std::uint32_t EndRecordDisk = 0;
    std::uint64_t EndRecordOffset = 0;
    std::uint32_t TotalDisks = 1;
};

class TEndCentral {
public:
    static constexpr std::uint32_t Signature = 0x06054B50, Zip64Signature = 0x06064B50,
                                   LocatorSignature = 0x07064B50;

    std::uint16_t ThisDiskField = 0, StartDiskField = 0, EntriesThisDiskField = 0, TotalEntriesField = 0;
    std::uint32_t CentralSizeField = 0, CentralOffsetField = 0;
    std::uint16_t CommentLength = 0;
    std::optional<std::string> Comment;
    std::int64_t CommentPos = 0;
    bool Modified = false;
    std::optional<TZip64EndRecord> Zip64End;
    std::optional<TZip64Locator> Locator;

    // Where the records were found by ReadEndRecords.
    std::int64_t EndRecordPos = -1;
    std::int64_t Zip64EndPos = -1;

    std::uint32_t ThisDisk() const;
    std::uint32_t StartDisk() const;
    std::uint64_t EntriesThisDisk() const;
    std::uint64_t TotalEntries() const;
    std::uint64_t CentralSize() const;
    std::uint64_t CentralOffset() const;
    void SetThisDisk(std::uint32_t v);
    void SetStartDisk(std::uint32_t v);
    void SetEntriesThisDisk(std::uint64_t v);
    void SetTotalEntries(std::uint64_t v);
    void SetCentralSize(std::uint64_t v);
    void SetCentralOffset(std::uint64_t v);
    void SetCommentText(const std::string& text);
    std::int64_t EndRecordSize() const { return 22 + CommentLength; }

    bool WriteEndRecords(TLFNFileStream& s);
    // False when no end record is found. A Zip64 end record whose signature is
    // missing or whose values contradict the classic record sets `damaged`.
    bool ReadEndRecords(TLFNFileStream& s, bool* damaged = nullptr);
    void Assign(const TEndCentral& other);
    void Clear();
};

// Entries in one of the sort orders. An owning list frees its entries.
class TSortedZip {
public:
    enum Duplicates { dupIgnore, dupAccept, dupError };
    TSortedZip(TZipSortMode mode, Duplicates dup, bool owns);
    ~TSortedZip();
    TSortedZip(const TSortedZip&) = delete;
    TSortedZip& operator=(const TSortedZip&) = delete;

    // Inserts in order; an equal entry is dropped (ignore, the entry is then
    // freed when owned), raises EListError "Duplicate Object index" (error)
    // or goes before the equal ones (accept).
    void Add(TZipHeaderInfo* entry);
    int Count() const { return static_cast<int>(items_.size()); }
    TZipHeaderInfo* operator[](int i) const { return items_[static_cast<size_t>(i)]; }
    TZipHeaderInfo* Item(int i) const;  // EListError outside 0..Count-1
    int IndexOf(const TZipHeaderInfo* e) const;
    // Removes without freeing.
    TZipHeaderInfo* Extract(int i);
    void Reserve(size_t n) { items_.reserve(n); }
    void SetOwns(bool owns) { owns_ = owns; }
    TZipSortMode SortMode() const { return mode_; }
    bool HasZip64() const { return zip64_; }
    int Compare(const TZipHeaderInfo& a, const TZipHeaderInfo& b) const;
    const std::vector<TZipHeaderInfo*>& Items() const { return items_; }

private:
    bool Find(const TZipHeaderInfo& key, int& index) const;
    TZipSortMode mode_;
    Duplicates dup_;
    bool owns_;
    bool zip64_ = false;
    std::vector<TZipHeaderInfo*> items_;
};
