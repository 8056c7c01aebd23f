// Decoders of the zip methods older tools wrote: shrink (1), reduce (2 to 5)
// and implode (6). They read the entry's bytes and write its output through
// the extraction, so CRC, size check, progress, cancel and decryption are the
// same as for stored and deflated entries.
#pragma once

#include <cstdint>
#include <vector>

// What a decoder needs of the extraction of one entry.
class TDecoderIo {
public:
    virtual ~TDecoderIo() = default;
    // 8 when a byte was delivered, 0 when the entry's data is exhausted.
    virtual int ReadInputByte(std::uint8_t& b) = 0;
    virtual void FlushOutput(const std::uint8_t* data, std::int64_t count) = 0;
    // A decoding table could not be allocated (the entry then fails).
    virtual void OutOfMemory() = 0;
};

// The entry's data is corrupt: the entry fails, the extraction goes on.
struct EDecodeError {};

// Windows and tables of the decoders, allocated once per extraction.
struct TDecodeWorkArea {
    static constexpr int ShrinkCodes = 8192;
    std::vector<std::uint8_t> window = std::vector<std::uint8_t>(32768);
    std::vector<std::uint16_t> prefix = std::vector<std::uint16_t>(ShrinkCodes);
    std::vector<std::uint8_t> suffix = std::vector<std::uint8_t>(ShrinkCodes);
    std::vector<std::uint8_t> used = std::vector<std::uint8_t>(ShrinkCodes);
    std::vector<std::uint8_t> stack = std::vector<std::uint8_t>(ShrinkCodes);
    std::vector<std::uint8_t> followers = std::vector<std::uint8_t>(256 * 64);
    std::vector<std::uint8_t> followerCount = std::vector<std::uint8_t>(256);
};

// Each decodes the whole entry; `size` is the declared uncompressed size.
void Unshrink(TDecoderIo& io, TDecodeWorkArea& work);
void Unreduce(TDecoderIo& io, TDecodeWorkArea& work, int factor, std::int64_t size);
void Explode(TDecoderIo& io, TDecodeWorkArea& work, std::uint16_t flags, std::int64_t size,
             std::int64_t compressedSize);

// A lookup table of a prefix code, indexed by the code's bits as read (first
// bit lowest). An entry is a leaf (op = its extra bits, at most 16), a link
// to a sub-table of op - 16 bits starting at `value`, or invalid (99).
struct THuffEntry {
    std::uint8_t op = 99;
    std::uint8_t bits = 0;
    std::uint16_t value = 0;
};
struct THuffTable {
    int rootBits = 0;
    std::vector<THuffEntry> entries;
};

enum { HuffComplete = 0, HuffIncomplete = 1, HuffOversubscribed = 2, HuffOutOfMemory = 3 };

// Builds the table of `count` code lengths (1 to 16 bits; 0 = no code) with
// codes given in canonical order. A symbol's value is base[symbol] with
// extra[symbol] extra bits when base is given, else the symbol itself.
int BuildHuffTable(const std::uint8_t* lengths, int count, int rootBits, const std::uint16_t* base,
                   const std::uint8_t* extra, THuffTable& table);
