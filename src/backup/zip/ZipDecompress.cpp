#include "backup/zip/ZipDecompress.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace {

constexpr std::uint32_t Mask(int bits) { return bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1; }

// Bits of the entry, first bit lowest. Bits looked at past the end of the
// data read as zero; consuming one of them means the data ended early.
class BitReader {
public:
    explicit BitReader(TDecoderIo& io) : io_(io) {}

    std::uint32_t Peek(int n) {
        while (count_ < n) {
            std::uint8_t b = 0;
            if (!ended_ && io_.ReadInputByte(b) == 8) {
                buffer_ |= static_cast<std::uint64_t>(b) << count_;
                real_ += 8;
                ++bytesRead_;
            } else {
                ended_ = true;
            }
            count_ += 8;
        }
        return static_cast<std::uint32_t>(buffer_) & Mask(n);
    }
    void Drop(int n) {
        if (n > real_) throw EDecodeError();
        buffer_ >>= n;
        count_ -= n;
        real_ -= n;
    }
    std::uint32_t Get(int n) {
        const std::uint32_t v = Peek(n);
        Drop(n);
        return v;
    }
    // At least n bits of the data are left.
    bool Have(int n) {
        Peek(n);
        return real_ >= n;
    }
    std::int64_t BytesRead() const { return bytesRead_; }

private:
    TDecoderIo& io_;
    std::uint64_t buffer_ = 0;
    int count_ = 0, real_ = 0;
    bool ended_ = false;
    std::int64_t bytesRead_ = 0;
};

// The sliding window of reduce and implode: passed to the output each time
// it is full and at the end. Before the first pass is over, positions before
// the start of the output read as zero bytes.
class Window {
public:
    Window(TDecoderIo& io, std::uint8_t* data, std::size_t size) : io_(io), data_(data), size_(size) {}

    void Put(std::uint8_t b) {
        data_[pos_++] = b;
        if (pos_ == size_) Flush();
    }
    void Copy(std::size_t distance, std::size_t length) {
        while (length > 0) {
            const std::size_t src = (pos_ - distance) & (size_ - 1);
            std::size_t n = std::min(length, size_ - std::max(src, pos_));
            if (firstPass_ && distance > pos_) {
                n = std::min(n, distance - pos_);
                std::memset(data_ + pos_, 0, n);
            } else if (src + n <= pos_ || src > pos_) {
                // Apart, or ahead of the output: what a forward copy reads.
                std::memmove(data_ + pos_, data_ + src, n);
            } else {
                for (std::size_t i = 0; i < n; ++i) data_[pos_ + i] = data_[src + i];
            }
            pos_ += n;
            length -= n;
            if (pos_ == size_) Flush();
        }
    }
    void Flush() {
        io_.FlushOutput(data_, static_cast<std::int64_t>(pos_));
        pos_ = 0;
        firstPass_ = false;
    }

private:
    TDecoderIo& io_;
    std::uint8_t* data_;
    std::size_t size_, pos_ = 0;
    bool firstPass_ = true;
};

std::uint32_t Reverse(std::uint32_t code, int bits) {
    std::uint32_t r = 0;
    for (int i = 0; i < bits; ++i, code >>= 1) r = (r << 1) | (code & 1);
    return r;
}

// Implode stores its codes complemented against the canonical ones.
const THuffEntry& Decode(BitReader& in, const THuffTable& t) {
    const THuffEntry* e = &t.entries[~in.Peek(t.rootBits) & Mask(t.rootBits)];
    if (e->op > 16 && e->op != 99) {
        in.Drop(t.rootBits);
        const int bits = e->op - 16;
        e = &t.entries[e->value + (~in.Peek(bits) & Mask(bits))];
    }
    if (e->op > 16) throw EDecodeError();
    in.Drop(e->bits);
    return *e;
}

}  // namespace

int BuildHuffTable(const std::uint8_t* lengths, int count, int rootBits, const std::uint16_t* base,
                   const std::uint8_t* extra, THuffTable& table) {
    constexpr int MaxBits = 16;
    int perLength[MaxBits + 1] = {};
    for (int s = 0; s < count; ++s) {
        if (lengths[s] > MaxBits) return HuffOversubscribed;
        ++perLength[lengths[s]];
    }
    perLength[0] = 0;  // no code
    std::int32_t left = 1;
    for (int len = 1; len <= MaxBits; ++len) {
        left = (left << 1) - perLength[len];
        if (left < 0) return HuffOversubscribed;
    }
    if (left > 0) return HuffIncomplete;

    std::uint32_t next[MaxBits + 2] = {};
    std::uint32_t code = 0;
    for (int len = 1; len <= MaxBits; ++len) {
        code = (code + static_cast<std::uint32_t>(perLength[len - 1])) << 1;
        next[len] = code;
    }
    const std::uint32_t rootSize = 1u << rootBits;
    try {
        table.rootBits = rootBits;
        table.entries.assign(rootSize, THuffEntry{});
        std::vector<std::uint32_t> reversed(static_cast<std::size_t>(count));
        std::vector<int> subBits(rootSize, 0);
        for (int s = 0; s < count; ++s) {
            const int len = lengths[s];
            if (len == 0) continue;
            reversed[s] = Reverse(next[len]++, len);
            if (len > rootBits) {
                int& sb = subBits[reversed[s] & (rootSize - 1)];
                sb = std::max(sb, len - rootBits);
            }
        }
        for (std::uint32_t r = 0; r < rootSize; ++r) {
            if (subBits[r] == 0) continue;
            table.entries[r] = {static_cast<std::uint8_t>(16 + subBits[r]),
                                static_cast<std::uint8_t>(rootBits),
                                static_cast<std::uint16_t>(table.entries.size())};
            table.entries.resize(table.entries.size() + (std::size_t{1} << subBits[r]));
        }
        for (int s = 0; s < count; ++s) {
            const int len = lengths[s];
            if (len == 0) continue;
            THuffEntry leaf;
            leaf.op = extra ? extra[s] : 0;
            leaf.value = base ? base[s] : static_cast<std::uint16_t>(s);
            std::uint32_t first = reversed[s], size = rootSize, offset = 0;
            int bits = len;
            if (len > rootBits) {
                const THuffEntry& link = table.entries[reversed[s] & (rootSize - 1)];
                offset = link.value;
                size = 1u << (link.op - 16);
                first = reversed[s] >> rootBits;
                bits = len - rootBits;
            }
            leaf.bits = static_cast<std::uint8_t>(bits);
            for (std::uint32_t i = first; i < size; i += 1u << bits) table.entries[offset + i] = leaf;
        }
    } catch (const std::bad_alloc&) {
        table.entries.clear();
        return HuffOutOfMemory;
    }
    return HuffComplete;
}

void Unshrink(TDecoderIo& io, TDecodeWorkArea& work) {
    constexpr int Codes = TDecodeWorkArea::ShrinkCodes, Control = 256, MaxWidth = 13;
    BitReader in(io);
    std::uint16_t* prefix = work.prefix.data();
    std::uint8_t* suffix = work.suffix.data();
    std::uint8_t* used = work.used.data();
    std::uint8_t* stackEnd = work.stack.data() + work.stack.size();
    std::uint8_t* out = work.window.data();
    const std::size_t outSize = work.window.size();
    std::size_t outCount = 0;
    auto put = [&](const std::uint8_t* p, std::size_t n) {
        while (n > 0) {
            const std::size_t k = std::min(n, outSize - outCount);
            std::memcpy(out + outCount, p, k);
            outCount += k;
            p += k;
            n -= k;
            if (outCount == outSize) {
                io.FlushOutput(out, static_cast<std::int64_t>(outCount));
                outCount = 0;
            }
        }
    };

    std::fill(used, used + Codes, 0);
    std::fill(used, used + Control, 1);
    int width = 9;
    int lastDefined = Control;  // the search for a free code starts after it
    if (!in.Have(width)) return;
    int previous = static_cast<int>(in.Get(width));
    if (previous >= Control) throw EDecodeError();
    std::uint8_t first = static_cast<std::uint8_t>(previous);
    put(&first, 1);

    while (in.Have(width)) {
        int code = static_cast<int>(in.Get(width));
        if (code == Control) {
            if (!in.Have(width)) break;
            const std::uint32_t sub = in.Get(width);
            if (sub == 1) {
                if (++width > MaxWidth) throw EDecodeError();
            } else if (sub == 2) {
                // Free every code that is no other code's prefix.
                int end = lastDefined + 1;
                while (end < Codes && used[end]) ++end;
                std::vector<std::uint8_t>& parent = work.stack;  // free until the next string
                std::fill(parent.begin(), parent.end(), 0);
                for (int c = Control + 1; c < end; ++c)
                    if (used[c] && prefix[c] > Control) parent[prefix[c]] = 1;
                for (int c = Control + 1; c < end; ++c)
                    if (!parent[c]) used[c] = 0;
                lastDefined = Control;
            }
            continue;
        }
        const int current = code;
        std::uint8_t* sp = stackEnd;
        if (code > Control && !used[code]) {
            // Not defined yet: the previous string and its own first byte.
            *--sp = first;
            code = previous;
        }
        while (code > Control) {
            // A freed code inside a chain, or a chain longer than any table
            // (a loop): not data a shrinker writes.
            if (!used[code] || sp == work.stack.data()) throw EDecodeError();
            *--sp = suffix[code];
            code = prefix[code];
        }
        if (sp == work.stack.data()) throw EDecodeError();
        first = static_cast<std::uint8_t>(code);
        *--sp = first;
        put(sp, static_cast<std::size_t>(stackEnd - sp));

        int free = lastDefined + 1;
        while (free < Codes && used[free]) ++free;
        if (free < Codes) {
            prefix[free] = static_cast<std::uint16_t>(previous);
            suffix[free] = first;
            used[free] = 1;
            lastDefined = free;
        }
        previous = current;
    }
    if (outCount > 0) io.FlushOutput(out, static_cast<std::int64_t>(outCount));
}

void Unreduce(TDecoderIo& io, TDecodeWorkArea& work, int factor, std::int64_t size) {
    constexpr std::uint8_t Escape = 144;
    BitReader in(io);
    std::uint8_t* followers = work.followers.data();
    std::fill(work.followers.begin(), work.followers.end(), 0);
    for (int set = 255; set >= 0; --set) {
        const int n = static_cast<int>(in.Get(6));
        work.followerCount[set] = static_cast<std::uint8_t>(n);
        for (int i = 0; i < n; ++i) followers[set * 64 + i] = static_cast<std::uint8_t>(in.Get(8));
    }
    const std::uint32_t lengthMask = 0x7Fu >> (factor - 1);
    const int distanceShift = 8 - factor;
    const std::uint32_t distanceMask = (1u << factor) - 1;

    Window window(io, work.window.data(), 16384);
    std::int64_t left = size;
    std::uint32_t last = 0, v = 0, length = 0;
    int state = 0;
    while (left > 0) {
        std::uint32_t symbol;
        const int n = work.followerCount[last];
        if (n == 0 || in.Get(1)) {
            symbol = in.Get(8);
        } else {
            const int bits = n <= 1 ? 1 : std::bit_width(static_cast<unsigned>(n - 1));
            symbol = followers[last * 64 + in.Get(bits)];
        }
        last = symbol;
        switch (state) {
            case 0:
                if (symbol == Escape) {
                    state = 1;
                } else {
                    window.Put(static_cast<std::uint8_t>(symbol));
                    --left;
                }
                break;
            case 1:
                if (symbol == 0) {
                    window.Put(Escape);
                    --left;
                    state = 0;
                } else {
                    v = symbol;
                    length = v & lengthMask;
                    state = length == lengthMask ? 2 : 3;
                }
                break;
            case 2:
                length += symbol;
                state = 3;
                break;
            default: {
                const std::size_t distance = ((v >> distanceShift) & distanceMask) * 256 + symbol + 1;
                const std::int64_t count = std::min<std::int64_t>(length + 3, left);
                window.Copy(distance, static_cast<std::size_t>(count));
                left -= count;
                state = 0;
            }
        }
    }
    window.Flush();
}

void Explode(TDecoderIo& io, TDecodeWorkArea& work, std::uint16_t flags, std::int64_t size,
             std::int64_t compressedSize) {
    const bool bigWindow = (flags & 2) != 0, literalTree = (flags & 4) != 0;
    BitReader in(io);
    std::uint8_t lengths[256];
    // A tree: a byte counting the bytes that follow less one, each a repeat
    // count (high nibble) and a code length (low nibble), both less one.
    auto readTree = [&](int codes) {
        int bytes = static_cast<int>(in.Get(8)) + 1, k = 0;
        while (bytes-- > 0) {
            const std::uint32_t b = in.Get(8);
            int repeat = static_cast<int>(b >> 4) + 1;
            if (k + repeat > codes) throw EDecodeError();
            while (repeat-- > 0) lengths[k++] = static_cast<std::uint8_t>((b & 15) + 1);
        }
        if (k != codes) throw EDecodeError();
    };
    auto build = [&](int codes, int rootBits, const std::uint16_t* base, const std::uint8_t* extra,
                     THuffTable& table) {
        const int r = BuildHuffTable(lengths, codes, rootBits, base, extra, table);
        if (r == HuffOutOfMemory) io.OutOfMemory();
        if (r != HuffComplete) throw EDecodeError();
    };

    const int minMatch = literalTree ? 3 : 2, lowBits = bigWindow ? 7 : 6;
    std::uint16_t lengthBase[64], distanceBase[64];
    std::uint8_t lengthExtra[64] = {};
    for (int i = 0; i < 64; ++i) {
        lengthBase[i] = static_cast<std::uint16_t>(minMatch + i);
        distanceBase[i] = static_cast<std::uint16_t>((i << lowBits) + 1);
    }
    lengthExtra[63] = 8;

    THuffTable literals, matchLengths, distances;
    if (literalTree) {
        readTree(256);
        build(256, 9, nullptr, nullptr, literals);
    }
    readTree(64);
    build(64, 7, lengthBase, lengthExtra, matchLengths);
    readTree(64);
    build(64, compressedSize - in.BytesRead() > 200000 ? 8 : 7, distanceBase, nullptr, distances);

    Window window(io, work.window.data(), 32768);
    std::int64_t left = size;
    while (left > 0) {
        if (in.Get(1)) {
            window.Put(static_cast<std::uint8_t>(literalTree ? Decode(in, literals).value : in.Get(8)));
            --left;
            continue;
        }
        std::size_t distance = in.Get(lowBits);
        distance += Decode(in, distances).value;
        const THuffEntry& len = Decode(in, matchLengths);
        std::int64_t count = len.value;
        if (len.op != 0) count += in.Get(len.op);
        count = std::min(count, left);
        window.Copy(distance, static_cast<std::size_t>(count));
        left -= count;
    }
    window.Flush();
}
