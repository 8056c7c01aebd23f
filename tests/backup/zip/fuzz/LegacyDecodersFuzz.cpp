// Fuzz target of the shrink, reduce and implode decoders, run by hand (not
// part of the build):
//
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined \
//     -fno-sanitize-recover=all -Isrc \
//     tests/backup/zip/fuzz/LegacyDecodersFuzz.cpp src/backup/zip/ZipDecompress.cpp \
//     -o /tmp/legacyfuzz
//   /tmp/legacyfuzz -max_len=65536 -max_total_time=600 CORPUS_DIR
//
// An input is a method byte (1 to 6), a flag byte, four bytes of declared
// size (little-endian, at most 16 MiB is used) and the entry's data; seeds
// are the test encoders' streams with that head. A decoding error is an
// expected outcome; a crash, a sanitizer report, a hang or output beyond the
// declared size is a finding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "backup/zip/ZipDecompress.h"

namespace {

struct TooLong {};

class MemoryIo : public TDecoderIo {
public:
    MemoryIo(const std::uint8_t* data, std::size_t size, std::int64_t declared)
        : data_(data), size_(size), declared_(declared) {}
    int ReadInputByte(std::uint8_t& b) override {
        if (pos_ == size_) return 0;
        b = data_[pos_++];
        return 8;
    }
    // The extraction's size check.
    void FlushOutput(const std::uint8_t* data, std::int64_t count) override {
        if (count < 0 || written_ + count > declared_) throw TooLong();
        volatile std::uint8_t sink = 0;
        for (std::int64_t i = 0; i < count; ++i) sink = sink ^ data[i];
        written_ += count;
    }
    void OutOfMemory() override {}

private:
    const std::uint8_t* data_;
    std::size_t size_, pos_ = 0;
    std::int64_t declared_, written_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 6) return 0;
    static TDecodeWorkArea work;
    const int method = 1 + data[0] % 6;
    const std::uint16_t flags = data[1];
    std::uint32_t declared = 0;
    std::memcpy(&declared, data + 2, 4);
    declared &= 0xFFFFFF;
    MemoryIo io(data + 6, size - 6, declared);
    try {
        if (method == 1)
            Unshrink(io, work);
        else if (method <= 5)
            Unreduce(io, work, method - 1, declared);
        else
            Explode(io, work, flags, declared, static_cast<std::int64_t>(size - 6));
    } catch (const EDecodeError&) {
    } catch (const TooLong&) {
    }
    return 0;
}
