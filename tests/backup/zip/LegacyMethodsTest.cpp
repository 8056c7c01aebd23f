// Entries of the old methods (shrink, reduce, implode) through the restore's
// extraction: archives of the test encoders, reduce vectors worked by hand,
// corrupt streams, and the zip tool's own test of the shrink and implode
// fixtures as a second reading.
#include "LegacyEncoders.h"
#include "ZipTestUtil.h"
#include "backup/zip/UnZipper.h"
#include "platform/os/TempDir.h"

using namespace ziptest;
using legacyzip::Archive;
using legacyzip::BitWriter;
using legacyzip::RawEntry;

namespace {

class LegacyTest : public ::testing::Test {
protected:
    os::TempDir tmp{"ziplegacy"};
    std::string dest = tmp.File("dest");
    std::vector<int> badCrc;

    // As the restore extracts: by pattern, overwriting.
    int Extract(const std::vector<RawEntry>& entries) {
        WriteBytes(tmp.File("a.zip"), Archive(entries));
        TUnZipper z;
        z.SetZipName(tmp.File("a.zip"));
        z.SetDestDir(dest);
        z.FilesList = {"*.DB"};
        z.OverwriteMode = Always;
        z.OnBadCRC = [&](TUnZipper*, std::uint32_t, std::uint32_t, int i) { badCrc.push_back(i); };
        return z.ExtractFiles();
    }
};

// Text, every byte value (144 among them) and long runs: crosses the 32 KB
// blocks, the windows and the longest match lengths.
std::string Sample() {
    std::string s = TableLike(60000, 7);
    unsigned x = 12345;
    for (int i = 0; i < 6000; ++i) {
        x = x * 1103515245u + 12345u;
        s += static_cast<char>(x >> 16);
    }
    s += std::string(3000, '\0') + std::string(700, '\x90') + TableLike(9000, 8);
    return s;
}

RawEntry Entry(const std::string& name, std::uint16_t method, std::uint16_t flags, const std::string& data,
               const std::string& plain) {
    return {name, method, flags, data, plain};
}

// The encoded form of the shortest prefix of `plain`, from `from` bytes on,
// whose last code ends exactly in its last byte.
template <class Encode>
RawEntry EndingOnAByte(const std::string& name, std::uint16_t method, std::uint16_t flags,
                       const std::string& plain, std::size_t from, Encode encode) {
    for (std::size_t n = from; n < from + 64; ++n) {
        const legacyzip::Encoded e = encode(plain.substr(0, n));
        if (e.bits % 8 == 0) return Entry(name, method, flags, e.data, plain.substr(0, n));
    }
    ADD_FAILURE() << name << ": no length ends on a byte";
    return {};
}

TEST_F(LegacyTest, EveryMethodAndFlagRoundTrips) {
    const std::string plain = Sample();
    std::vector<RawEntry> all, toolReads;
    toolReads.push_back(Entry("shrink.DB", 1, 0, legacyzip::Shrink(plain).data, plain));
    toolReads.push_back(Entry("shrinkclears.DB", 1, 0, legacyzip::Shrink(plain, 300).data, plain));
    toolReads.push_back(EndingOnAByte("shrinkend.DB", 1, 0, plain, 3000,
                                      [](const std::string& s) { return legacyzip::Shrink(s, 200); }));
    for (std::uint16_t flags : {0, 2, 4, 6}) {
        const std::string f = std::to_string(flags);
        toolReads.push_back(
            Entry("implode" + f + ".DB", 6, flags, legacyzip::Implode(plain, flags).data, plain));
        toolReads.push_back(
            EndingOnAByte("implodeend" + f + ".DB", 6, flags, plain, 20000,
                          [&](const std::string& s) { return legacyzip::Implode(s, flags); }));
    }
    all = toolReads;
    for (int factor = 1; factor <= 4; ++factor) {
        const std::string f = std::to_string(factor);
        const auto method = static_cast<std::uint16_t>(factor + 1);
        all.push_back(Entry("reduce" + f + ".DB", method, 0, legacyzip::Reduce(plain, factor).data, plain));
        all.push_back(EndingOnAByte("reduceend" + f + ".DB", method, 0, plain, 5000,
                                    [&](const std::string& s) { return legacyzip::Reduce(s, factor, 5); }));
    }
    all.push_back(Entry("empty.DB", 1, 0, "", ""));
    all.push_back(Entry("notlisted.txt", 6, 0, legacyzip::Implode(plain, 0).data, plain));

    EXPECT_EQ(Extract(all), static_cast<int>(all.size()) - 1);
    EXPECT_TRUE(badCrc.empty());
    for (const RawEntry& e : all) {
        if (e.name == "notlisted.txt") continue;
        SCOPED_TRACE(e.name);
        EXPECT_EQ(ReadBytes(dest + "/" + e.name), e.plain);
    }
    EXPECT_FALSE(std::filesystem::exists(dest + "/notlisted.txt"));

    // The zip tool reads shrink and implode (not reduce) on its own terms.
    WriteBytes(tmp.File("tool.zip"), Archive(toolReads));
    const std::string out = Sh("unzip -t " + Quote(tmp.File("tool.zip")));
    EXPECT_NE(out.find("No errors detected"), std::string::npos) << out;
}

// Reduce streams written bit by bit, their output worked out from the rules:
// 144 escapes, the length byte that follows a full length field, distances
// before the start, and the index widths of small follower sets.
TEST_F(LegacyTest, ReduceVectorsByHand) {
    auto noFollowers = [](BitWriter& w) {
        for (int set = 255; set >= 0; --set) w.Put(0, 6);
    };
    auto bytes = [](BitWriter& w, std::initializer_list<int> symbols) {
        for (int s : symbols) w.Put(static_cast<std::uint32_t>(s), 8);
    };
    std::vector<RawEntry> entries;
    for (int factor = 1; factor <= 4; ++factor) {
        const auto method = static_cast<std::uint16_t>(factor + 1);
        const std::string f = std::to_string(factor);
        const int mask = 0x7F >> (factor - 1);
        {
            BitWriter w;
            noFollowers(w);
            bytes(w, {'x', 144, 0, 'y'});
            entries.push_back(Entry("escape" + f + ".DB", method, 0, w.Bytes(), "x\x90y"));
        }
        {
            // Length field = mask: the next byte (2) adds to it; distance 3.
            BitWriter w;
            noFollowers(w);
            bytes(w, {'a', 'b', 'c', 144, mask, 2, 2});
            std::string plain = "abc";
            for (int i = 0; i < mask + 2 + 3; ++i) plain += "abc"[i % 3];
            entries.push_back(Entry("long" + f + ".DB", method, 0, w.Bytes(), plain));
        }
        {
            // Length 1 + 3 from distance 10 at the very start: four zeros.
            BitWriter w;
            noFollowers(w);
            bytes(w, {144, 1, 9, 'q'});
            entries.push_back(Entry("before" + f + ".DB", method, 0, w.Bytes(), std::string(4, '\0') + "q"));
        }
    }
    // Follower sets of 1, 2, 3 and 5 symbols index with 1, 1, 2 and 3 bits;
    // the set of the first symbol is that of byte 0.
    const struct { int size, bits; } sets[] = {{1, 1}, {2, 1}, {3, 2}, {5, 3}};
    for (const auto& s : sets) {
        BitWriter w;
        for (int set = 255; set >= 1; --set) w.Put(0, 6);
        w.Put(static_cast<std::uint32_t>(s.size), 6);
        for (int i = 0; i < s.size; ++i) w.Put(static_cast<std::uint32_t>('A' + i), 8);
        w.Put(0, 1);
        w.Put(static_cast<std::uint32_t>(s.size - 1), s.bits);
        w.Put('z', 8);  // 'A' + size - 1 has no followers: a plain byte
        entries.push_back(Entry("followers" + std::to_string(s.size) + ".DB", 2, 0, w.Bytes(),
                                std::string(1, static_cast<char>('A' + s.size - 1)) + "z"));
    }
    EXPECT_EQ(Extract(entries), static_cast<int>(entries.size()));
    EXPECT_TRUE(badCrc.empty());
    for (const RawEntry& e : entries) EXPECT_EQ(ReadBytes(dest + "/" + e.name), e.plain) << e.name;
}

// A corrupt stream fails its entry without a hang or a read out of bounds;
// the old file stays, and the next entry of the archive still extracts.
TEST_F(LegacyTest, CorruptStreamsFailTheirEntryOnly) {
    const std::string plain = Sample().substr(0, 40000);
    auto shrinkCodes = [](std::initializer_list<std::pair<int, int>> codes) {
        BitWriter w;
        for (auto [code, width] : codes) w.Put(static_cast<std::uint32_t>(code), width);
        return w.Bytes();
    };
    auto flatTrees = [](int trees) {
        std::string s;
        for (int t = 0; t < trees; ++t) s += std::string("\x03\xF5\xF5\xF5\xF5", 5);  // 64 codes of 6 bits
        return s;
    };
    std::string flipped = legacyzip::Shrink(plain).data;
    flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x10);
    const std::string imploded = legacyzip::Implode(plain, 6).data;

    const struct {
        const char* name;
        RawEntry bad;
    } cases[] = {
        {"truncated", Entry("x.DB", 6, 6, imploded.substr(0, imploded.size() / 2), plain)},
        {"flipped bit", Entry("x.DB", 1, 0, flipped, plain)},
        {"14-bit code", Entry("x.DB", 1, 0,
                              shrinkCodes({{'a', 9},
                                           {256, 9},
                                           {1, 9},
                                           {256, 10},
                                           {1, 10},
                                           {256, 11},
                                           {1, 11},
                                           {256, 12},
                                           {1, 12},
                                           {256, 13},
                                           {1, 13},
                                           {'b', 14}}),
                              "ab")},
        // 257 is freed by the clear and defined again with itself as prefix.
        {"looping chain",
         Entry("x.DB", 1, 0, shrinkCodes({{'a', 9}, {257, 9}, {256, 9}, {2, 9}, {'b', 9}, {257, 9}}),
               "aaab" + std::string(20, 'b'))},
        {"tree counts", Entry("x.DB", 6, 0, std::string("\x00\xF5", 2) + flatTrees(1) + "data", "xxxx")},
        {"over-subscribed tree",
         Entry("x.DB", 6, 0, std::string("\x03\xF0\xF0\xF0\xF0", 5) + flatTrees(1) + "data", "xxxx")},
        {"2^40 bytes declared",
         RawEntry{"x.DB", 6, 0, flatTrees(2) + std::string(90, '\0'), "", std::uint64_t{1} << 40}},
    };
    const std::string good = TableLike(5000, 3);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(dest);
        WriteBytes(dest + "/x.DB", "old table");
        badCrc.clear();
        EXPECT_EQ(Extract({c.bad, Entry("y.DB", 6, 2, legacyzip::Implode(good, 2).data, good)}), 1);
        EXPECT_EQ(badCrc, std::vector<int>{0});
        EXPECT_EQ(ReadBytes(dest + "/x.DB"), "old table");
        EXPECT_EQ(ReadBytes(dest + "/y.DB"), good);
        EXPECT_EQ(Tree(dest).size(), 2u);
    }
}

}  // namespace
