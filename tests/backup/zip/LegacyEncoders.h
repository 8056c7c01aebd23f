// Encoders of the old zip methods (shrink, reduce, implode) and a writer of
// archives holding their entries: test fixtures only, since no tool of the
// distribution writes these methods any more.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <queue>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "backup/zip/ZipSupport.h"

namespace legacyzip {

// Bits first-lowest, as the decoders read them.
class BitWriter {
public:
    void Put(std::uint32_t value, int bits) {
        for (int i = 0; i < bits; ++i) {
            if (count_ % 8 == 0) out_.push_back('\0');
            if ((value >> i) & 1) out_.back() = static_cast<char>(out_.back() | (1 << (count_ % 8)));
            ++count_;
        }
    }
    // A prefix code's bits, its first (highest) bit first.
    void PutCode(std::uint32_t code, int bits) {
        for (int i = bits - 1; i >= 0; --i) Put((code >> i) & 1, 1);
    }
    const std::string& Bytes() const { return out_; }
    std::size_t Bits() const { return count_; }

private:
    std::string out_;
    std::size_t count_ = 0;
};

struct Encoded {
    std::string data;
    std::size_t bits = 0;
};

// Dynamic LZW with the width step (256, 1) and partial clears (256, 2) once
// `clearAt` codes are in use. A clear is only sent right after a literal
// while no code above the last defined one is in use, so that every reading
// of the clear's range agrees.
inline Encoded Shrink(const std::string& input, int clearAt = 7000) {
    constexpr int Codes = 8192, Control = 256;
    BitWriter w;
    if (input.empty()) return {};
    std::vector<int> prefix(Codes, 0), used(Codes, 0);
    std::fill(used.begin(), used.begin() + Control + 1, 1);
    std::unordered_map<std::uint32_t, int> dict;
    auto key = [](int p, std::uint8_t c) { return static_cast<std::uint32_t>(p) << 8 | c; };
    std::vector<std::uint8_t> suffix(Codes, 0);
    int width = 9, lastDefined = Control, maxUsed = Control, inUse = 0;
    bool wantClear = false;
    auto emit = [&](int code) {
        while (code >= (1 << width)) {
            w.Put(Control, width);
            w.Put(1, width);
            ++width;
        }
        w.Put(static_cast<std::uint32_t>(code), width);
    };
    auto partialClear = [&] {
        w.Put(Control, width);
        w.Put(2, width);
        int end = lastDefined + 1;
        while (end < Codes && used[end]) ++end;
        std::vector<int> parent(Codes, 0);
        for (int c = Control + 1; c < end; ++c)
            if (used[c] && prefix[c] > Control) parent[prefix[c]] = 1;
        for (int c = Control + 1; c < end; ++c)
            if (used[c] && !parent[c]) {
                used[c] = 0;
                dict.erase(key(prefix[c], suffix[c]));
                --inUse;
            }
        lastDefined = Control;
        maxUsed = Control;
        for (int c = Control + 1; c < Codes; ++c)
            if (used[c]) maxUsed = c;
    };
    int cur = static_cast<std::uint8_t>(input[0]);
    for (std::size_t pos = 1; pos < input.size(); ++pos) {
        const auto c = static_cast<std::uint8_t>(input[pos]);
        const bool forceLiteral = wantClear && maxUsed <= lastDefined;
        if (!forceLiteral) {
            auto it = dict.find(key(cur, c));
            if (it != dict.end()) {
                cur = it->second;
                continue;
            }
        }
        emit(cur);
        if (wantClear && cur < Control && maxUsed <= lastDefined) {
            partialClear();
            wantClear = false;
        }
        // The decoder defines (cur, c) when it reads the next code.
        int free = lastDefined + 1;
        while (free < Codes && used[free]) ++free;
        if (free >= Codes) throw std::logic_error("shrink table full");
        prefix[free] = cur;
        suffix[free] = c;
        used[free] = 1;
        dict[key(cur, c)] = free;
        lastDefined = free;
        maxUsed = std::max(maxUsed, free);
        if (++inUse >= clearAt) wantClear = true;
        cur = c;
    }
    emit(cur);
    return {w.Bytes(), w.Bits()};
}

// LZ77 tokens: a literal (length 0) or a match.
struct Token {
    std::uint8_t byte = 0;
    int length = 0, distance = 0;
};

// Greedy matching over hash chains; `allowed` can refuse a match.
inline std::vector<Token> Tokens(const std::string& s, int minLength, int maxLength, int maxDistance,
                                 const std::function<bool(int, int)>& allowed = nullptr) {
    std::vector<Token> out;
    std::unordered_map<std::uint32_t, std::vector<int>> chains;
    auto hash = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[i])) << 16 |
               static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[i + 1])) << 8 |
               static_cast<std::uint8_t>(s[i + 2]);
    };
    auto remember = [&](std::size_t i) {
        if (i + 2 < s.size()) chains[hash(i)].push_back(static_cast<int>(i));
    };
    std::size_t i = 0;
    while (i < s.size()) {
        int bestLength = 0, bestDistance = 0;
        if (i + 2 < s.size()) {
            const auto it = chains.find(hash(i));
            if (it != chains.end()) {
                int tried = 0;
                for (auto c = it->second.rbegin(); c != it->second.rend() && tried < 48; ++c, ++tried) {
                    const int d = static_cast<int>(i) - *c;
                    if (d > maxDistance) break;
                    int l = 0;
                    while (l < maxLength && i + l < s.size() && s[*c + l] == s[i + l]) ++l;
                    if (l > bestLength && (!allowed || allowed(l, d))) bestLength = l, bestDistance = d;
                }
            }
        }
        if (bestLength >= minLength) {
            out.push_back({0, bestLength, bestDistance});
            for (int k = 0; k < bestLength; ++k) remember(i + k);
            i += bestLength;
        } else {
            out.push_back({static_cast<std::uint8_t>(s[i]), 0, 0});
            remember(i);
            ++i;
        }
    }
    return out;
}

// Follower sets: set[b] lists the symbols (at most 63) that may follow b.
using Followers = std::vector<std::string>;

inline int IndexBits(std::size_t n) {
    int bits = 1;
    while ((std::size_t{1} << bits) < n) ++bits;
    return bits;
}

// The follower-coded bits of a symbol stream.
inline Encoded ReduceSymbols(const std::vector<std::uint8_t>& symbols, const Followers& followers) {
    BitWriter w;
    for (int set = 255; set >= 0; --set) {
        w.Put(static_cast<std::uint32_t>(followers[set].size()), 6);
        for (char c : followers[set]) w.Put(static_cast<std::uint8_t>(c), 8);
    }
    std::uint8_t last = 0;
    for (std::uint8_t sym : symbols) {
        const std::string& set = followers[last];
        if (set.empty()) {
            w.Put(sym, 8);
        } else {
            const auto at = set.find(static_cast<char>(sym));
            if (at == std::string::npos) {
                w.Put(1, 1);
                w.Put(sym, 8);
            } else {
                w.Put(0, 1);
                w.Put(static_cast<std::uint32_t>(at), IndexBits(set.size()));
            }
        }
        last = sym;
    }
    return {w.Bytes(), w.Bits()};
}

// Reduce with factor 1 to 4; each byte's followers are its most frequent
// successors, at most `maxFollowers` of them.
inline Encoded Reduce(const std::string& input, int factor, std::size_t maxFollowers = 32) {
    const int lengthMask = 0x7F >> (factor - 1), distanceShift = 8 - factor, distanceMask = (1 << factor) - 1;
    const int maxLength = lengthMask + 255 + 3, maxDistance = (distanceMask + 1) * 256;
    // A match of 3 within 256 bytes would be the escape of 144 itself.
    auto allowed = [](int length, int distance) { return length > 3 || distance > 256; };
    std::vector<std::uint8_t> symbols;
    for (const Token& t : Tokens(input, 3, maxLength, maxDistance, allowed)) {
        if (t.length == 0) {
            symbols.push_back(t.byte);
            if (t.byte == 144) symbols.push_back(0);
            continue;
        }
        const int l = t.length - 3, d = t.distance - 1;
        symbols.push_back(144);
        symbols.push_back(static_cast<std::uint8_t>((d >> 8) << distanceShift | std::min(l, lengthMask)));
        if (l >= lengthMask) symbols.push_back(static_cast<std::uint8_t>(l - lengthMask));
        symbols.push_back(static_cast<std::uint8_t>(d & 0xFF));
    }
    std::map<std::pair<int, int>, int> pairs;
    std::uint8_t last = 0;
    for (std::uint8_t s : symbols) ++pairs[{last, s}], last = s;
    Followers followers(256);
    for (int b = 0; b < 256; ++b) {
        std::vector<std::pair<int, int>> counts;
        for (auto it = pairs.lower_bound({b, 0}); it != pairs.end() && it->first.first == b; ++it)
            counts.push_back({-it->second, it->first.second});
        std::sort(counts.begin(), counts.end());
        for (std::size_t k = 0; k < counts.size() && k < std::min<std::size_t>(maxFollowers, 63); ++k)
            followers[b] += static_cast<char>(counts[k].second);
    }
    return ReduceSymbols(symbols, followers);
}

// Huffman code lengths of at most 16 bits, every symbol getting a code.
inline std::vector<std::uint8_t> CodeLengths(std::vector<long> freq) {
    const std::size_t n = freq.size();
    for (long& f : freq) ++f;
    while (true) {
        using Node = std::pair<long, int>;
        std::priority_queue<Node, std::vector<Node>, std::greater<>> q;
        std::vector<int> parent(2 * n, -1);
        for (std::size_t i = 0; i < n; ++i) q.push({freq[i], static_cast<int>(i)});
        int next = static_cast<int>(n);
        while (q.size() > 1) {
            const Node a = q.top();
            q.pop();
            const Node b = q.top();
            q.pop();
            parent[a.second] = parent[b.second] = next;
            q.push({a.first + b.first, next++});
        }
        std::vector<std::uint8_t> lengths(n);
        bool fits = true;
        for (std::size_t i = 0; i < n; ++i) {
            int depth = 0;
            for (int p = parent[i]; p != -1; p = parent[p]) ++depth;
            fits = fits && depth <= 16;
            lengths[i] = static_cast<std::uint8_t>(depth);
        }
        if (fits) return lengths;
        for (long& f : freq) f = f / 2 + 1;
    }
}

// Canonical codes of the lengths (shortest first, then by symbol).
inline std::vector<std::uint32_t> CanonicalCodes(const std::vector<std::uint8_t>& lengths) {
    std::vector<std::uint32_t> codes(lengths.size());
    std::uint32_t code = 0;
    for (int len = 1; len <= 16; ++len) {
        for (std::size_t s = 0; s < lengths.size(); ++s)
            if (lengths[s] == len) codes[s] = code++;
        code <<= 1;
    }
    return codes;
}

// A tree as stored: a count byte, then (repeat - 1, length - 1) nibbles.
inline void PutTree(BitWriter& w, const std::vector<std::uint8_t>& lengths) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < lengths.size();) {
        std::size_t run = 1;
        while (run < 16 && i + run < lengths.size() && lengths[i + run] == lengths[i]) ++run;
        bytes.push_back(static_cast<std::uint8_t>((run - 1) << 4 | (lengths[i] - 1)));
        i += run;
    }
    w.Put(static_cast<std::uint32_t>(bytes.size() - 1), 8);
    for (std::uint8_t b : bytes) w.Put(b, 8);
}

// Implode; flag 2 = 8 KB window, flag 4 = a literal tree (three trees).
// Codes are sent complemented, as the method stores them.
inline Encoded Implode(const std::string& input, std::uint16_t flags) {
    const bool bigWindow = (flags & 2) != 0, literalTree = (flags & 4) != 0;
    const int minMatch = literalTree ? 3 : 2, lowBits = bigWindow ? 7 : 6;
    const std::vector<Token> tokens = Tokens(input, minMatch, minMatch + 63 + 255, bigWindow ? 8192 : 4096);
    std::vector<long> litFreq(256), lenFreq(64), distFreq(64);
    for (const Token& t : tokens) {
        if (t.length == 0) {
            ++litFreq[t.byte];
        } else {
            ++lenFreq[std::min(t.length - minMatch, 63)];
            ++distFreq[(t.distance - 1) >> lowBits];
        }
    }
    const auto litLen = CodeLengths(litFreq), lenLen = CodeLengths(lenFreq), distLen = CodeLengths(distFreq);
    const auto litCode = CanonicalCodes(litLen), lenCode = CanonicalCodes(lenLen),
               distCode = CanonicalCodes(distLen);
    auto put = [](BitWriter& w, std::uint32_t code, int len) { w.PutCode(~code & ((1u << len) - 1), len); };
    BitWriter w;
    if (literalTree) PutTree(w, litLen);
    PutTree(w, lenLen);
    PutTree(w, distLen);
    for (const Token& t : tokens) {
        if (t.length == 0) {
            w.Put(1, 1);
            if (literalTree)
                put(w, litCode[t.byte], litLen[t.byte]);
            else
                w.Put(t.byte, 8);
            continue;
        }
        w.Put(0, 1);
        const int d = t.distance - 1, code = d >> lowBits, lc = std::min(t.length - minMatch, 63);
        w.Put(static_cast<std::uint32_t>(d & ((1 << lowBits) - 1)), lowBits);
        put(w, distCode[code], distLen[code]);
        put(w, lenCode[lc], lenLen[lc]);
        if (lc == 63) w.Put(static_cast<std::uint32_t>(t.length - minMatch - 63), 8);
    }
    return {w.Bytes(), w.Bits()};
}

// One entry of a crafted archive.
struct RawEntry {
    std::string name;
    std::uint16_t method = 0, flags = 0;
    std::string data;        // as stored
    std::string plain;       // for the CRC and the size
    std::uint64_t size = 0;  // declared; plain.size() when 0 and plain is set
};

inline void Le(std::string& s, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A single-disk archive; a declared size of 4 GiB or more goes into a Zip64
// block of the central header.
inline std::string Archive(const std::vector<RawEntry>& entries) {
    constexpr std::uint32_t DosTime = (39u << 9 | 3u << 5 | 15u) << 16 | (10u << 11 | 30u << 5);
    std::string out, central;
    for (const RawEntry& e : entries) {
        const std::uint64_t size = e.size ? e.size : e.plain.size();
        const std::uint32_t crc = UpdateCRC(0xFFFFFFFF, e.plain.data(), e.plain.size()) ^ 0xFFFFFFFF;
        const bool big = size >= 0xFFFFFFFFu;
        const std::uint64_t offset = out.size();
        auto header = [&](std::string& s, bool isCentral) {
            Le(s, isCentral ? 0x02014b50 : 0x04034b50, 4);
            if (isCentral) Le(s, 20, 2);
            Le(s, big ? 45 : 10, 2);
            Le(s, e.flags, 2);
            Le(s, e.method, 2);
            Le(s, DosTime, 4);
            Le(s, crc, 4);
            Le(s, e.data.size(), 4);
            Le(s, big ? 0xFFFFFFFFu : size, 4);
            Le(s, e.name.size(), 2);
            Le(s, isCentral && big ? 12 : 0, 2);
            if (isCentral) {
                Le(s, 0, 2);  // comment
                Le(s, 0, 2);  // disk
                Le(s, 0, 2);  // internal attributes
                Le(s, 0, 4);  // external attributes
                Le(s, offset, 4);
            }
            s += e.name;
            if (isCentral && big) {
                Le(s, 1, 2);
                Le(s, 8, 2);
                Le(s, size, 8);
            }
        };
        header(out, false);
        out += e.data;
        header(central, true);
    }
    const std::uint64_t centralOffset = out.size();
    out += central;
    Le(out, 0x06054b50, 4);
    Le(out, 0, 4);
    Le(out, entries.size(), 2);
    Le(out, entries.size(), 2);
    Le(out, central.size(), 4);
    Le(out, centralOffset, 4);
    Le(out, 0, 2);
    return out;
}

}  // namespace legacyzip
