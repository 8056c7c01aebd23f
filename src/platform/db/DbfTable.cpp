#include "platform/db/DbfTable.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/os/AtomicFile.h"
#include "platform/os/CodePage.h"
#include "platform/os/DayNumber.h"
#include "platform/os/Text.h"

namespace db {
namespace {

namespace fs = std::filesystem;

unsigned U16(const std::string& b, size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}
unsigned long U32(const std::string& b, size_t at) {
    return U16(b, at) | static_cast<unsigned long>(U16(b, at + 2)) << 16;
}

struct DbfField {
    FieldDef def;
    char type;
    size_t offset, length;
};

// The memo file beside a .dbf: the same name with ".dbt", in any letter case
// (files copied from DOS are often in capitals).
std::string MemoFilePath(const std::string& dbf) {
    const fs::path p(dbf);
    const std::string stem = p.stem().string();
    std::error_code ec;
    const fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
    for (const auto& e : fs::directory_iterator(dir, ec)) {
        const std::string name = e.path().filename().string();
        if (os::SameAsciiName(name, stem + ".dbt")) return e.path().string();
    }
    return (dir / (stem + ".dbt")).string();
}

// The texts of a memo file: dBASE III blocks of 512 bytes ending at the first
// 0x1A, or dBASE IV blocks that start with FF FF 08 00 and their length.
class MemoFile {
public:
    MemoFile(std::string path, bool dBase3) : path_(std::move(path)), dBase3_(dBase3) {}

    std::string Read(unsigned long block) {
        Load();
        const size_t at = static_cast<size_t>(block) * blockSize_;
        if (block == 0 || at >= data_.size() || at / blockSize_ != block)
            Fail("block " + std::to_string(block) + " lies outside the file");
        if (data_.compare(at, 4, "\xff\xff\x08\x00", 4) == 0 && data_.size() - at >= 8) {
            const unsigned long length = U32(data_, at + 4);
            if (length < 8 || length - 8 > data_.size() - at - 8)
                Fail("block " + std::to_string(block) + " is damaged");
            return data_.substr(at + 8, length - 8);
        }
        const size_t end = data_.find('\x1a', at);
        return data_.substr(at, end == std::string::npos ? std::string::npos : end - at);
    }

private:
    [[noreturn]] void Fail(const std::string& why) const { throw EngineError(0, path_ + ": " + why); }

    void Load() {
        if (loaded_) return;
        try {
            data_ = os::ReadFile(path_);
        } catch (const std::exception& e) {
            throw EngineError(0, path_ + ": the memo file cannot be read (" + e.what() + ")");
        }
        if (data_.size() < 512) Fail("not a memo file (too short)");
        const unsigned size = U16(data_, 20);
        blockSize_ = dBase3_ || size == 0 ? 512 : size;
        loaded_ = true;
    }

    std::string path_;
    bool dBase3_;
    bool loaded_ = false;
    std::string data_;
    size_t blockSize_ = 512;
};

}  // namespace

void DbfTable::InternalOpen() {
    ClearStored();
    const std::string name = FileName;
    auto fail = [&](const std::string& why) -> void { throw EngineError(0, name + ": " + why); };
    std::string data;
    try {
        data = os::ReadFile(FileName);
    } catch (const std::exception& e) {
        throw EngineError(0, e.what());
    }
    if (data.size() < 32) fail("not a dBASE file (too short)");
    const unsigned char version = data[0];
    if ((version & 0x07) != 0x03 && version != 0x04) fail("not a dBASE III/IV file");
    const unsigned long count = U32(data, 4);
    const size_t headerLength = U16(data, 8), recordLength = U16(data, 10);
    if (headerLength < 33 || headerLength > data.size() || recordLength < 1) fail("damaged header");

    DbfCodePage cp = CodePage;
    if (cp == DbfCodePage::Auto) {
        const unsigned char ldid = data[29];
        cp = ldid == 0xC8 || ldid == 0x57 ? DbfCodePage::Cp1250 : DbfCodePage::Cp852;
    }
    auto text = [&](const std::string& raw) {
        try {
            switch (cp) {
                case DbfCodePage::Cp1250:
                    return os::Cp1250ToUtf8(raw);
                case DbfCodePage::Cp852:
                    return os::Cp852ToUtf8(raw);
                default:
                    return raw;
            }
        } catch (const os::CodePageError& e) {
            fail(e.what());
        }
        return raw;
    };

    std::vector<DbfField> fields;
    size_t offset = 1;  // after the deletion flag
    for (size_t at = 32; at + 32 <= headerLength && data[at] != '\r'; at += 32) {
        const char* raw = data.data() + at;
        const std::string fname(raw, strnlen(raw, 11));
        const char type = os::UpperAscii(data[at + 11]);
        const size_t len = static_cast<unsigned char>(data[at + 16]);
        const int dec = static_cast<unsigned char>(data[at + 17]);
        if (fname.empty()) fail("damaged field list");
        // Both fields would read as the first one: the file is not what it says.
        for (const DbfField& other : fields)
            if (os::SameAsciiName(other.def.name, fname)) fail("damaged field list (" + fname + " twice)");
        FieldDef d{fname, FieldType::String, 0};
        switch (type) {
            case 'C':
                d.type = FieldType::String, d.size = static_cast<int>(len);
                break;
            case 'N':
            case 'F':
                d.type = dec > 0 || len > 9 ? FieldType::Float : FieldType::Integer;
                break;
            case 'D':
                d.type = FieldType::Date;
                break;
            case 'L':
                d.type = FieldType::Boolean;
                break;
            case 'M':
                d.type = FieldType::Memo;
                break;
            default:
                fail("field " + fname + " has an unknown type '" + std::string(1, type) + "'");
        }
        fields.push_back({d, type, offset, len});
        offset += len;
    }
    if (fields.empty()) fail("no fields");
    // A header length a byte off would shift every value into its neighbour:
    // the field list must end where the header says, and every record must
    // start with its deletion flag.
    const size_t terminator = 32 + 32 * fields.size();
    if (terminator >= headerLength || data[terminator] != '\r')
        fail("damaged header (the field list does not end at byte " + std::to_string(terminator) + ")");
    if (offset != recordLength) fail("damaged header (record length)");
    if (headerLength + count * recordLength > data.size()) fail("the file is truncated");
    for (unsigned long r = 0; r < count; ++r) {
        const char flag = data[headerLength + r * recordLength];
        if (flag != ' ' && flag != '*')
            fail("damaged record " + std::to_string(r + 1) + " (it starts with neither a blank nor \"*\")");
    }

    MemoFile memo(MemoFilePath(FileName), version == 0x83);
    fieldDefs_.clear();
    for (const DbfField& f : fields) fieldDefs_.push_back(f.def);
    for (unsigned long r = 0; r < count; ++r) {
        const size_t at = headerLength + r * recordLength;
        if (data[at] == '*') continue;  // deleted
        Record rec(fields.size());
        for (size_t i = 0; i < fields.size(); ++i) {
            const DbfField& f = fields[i];
            const std::string raw = data.substr(at + f.offset, f.length);
            switch (f.type) {
                case 'C': {
                    const std::string s = os::TrimRightSpacesAndNuls(raw);
                    if (!s.empty()) rec[i] = Variant(text(s));
                    break;
                }
                case 'N':
                case 'F': {
                    const std::string s = os::TrimSpacesAndNuls(raw);
                    if (s.empty() || s[0] == '*') break;
                    char* end = nullptr;
                    const double v = std::strtod(s.c_str(), &end);
                    if (!end || *end)
                        fail("record " + std::to_string(r + 1) + ", field " + f.def.name + ": '" + s +
                             "' is no number");
                    rec[i] = f.def.type == FieldType::Integer
                                 ? Variant(static_cast<long long>(std::llround(v)))
                                 : Variant(v);
                    break;
                }
                case 'D': {
                    const std::string s = os::TrimSpacesAndNuls(raw);
                    if (s.empty() || s == "00000000") break;
                    double day;
                    if (s.size() != 8 || s.find_first_not_of("0123456789") != std::string::npos ||
                        !os::TryEncodeDate(std::atoi(s.substr(0, 4).c_str()),
                                           std::atoi(s.substr(4, 2).c_str()),
                                           std::atoi(s.substr(6, 2).c_str()), day))
                        fail("record " + std::to_string(r + 1) + ", field " + f.def.name + ": '" + s +
                             "' is no date");
                    rec[i] = Variant(day);
                    break;
                }
                case 'L': {
                    const char c = raw.empty() ? '?' : os::UpperAscii(raw[0]);
                    if (c == 'T' || c == 'Y')
                        rec[i] = Variant(true);
                    else if (c == 'F' || c == 'N')
                        rec[i] = Variant(false);
                    break;
                }
                case 'M': {
                    // The block number as digits, or 4 binary bytes in the later variants.
                    unsigned long block = 0;
                    if (f.length == 4) {
                        block = U32(raw, 0);
                    } else {
                        const std::string s = os::TrimSpacesAndNuls(raw);
                        if (s.size() > 10 || s.find_first_not_of("0123456789") != std::string::npos)
                            fail("record " + std::to_string(r + 1) + ", field " + f.def.name + ": '" + s +
                                 "' is no memo block");
                        block = s.empty() ? 0 : std::stoul(s);
                    }
                    if (block == 0) break;
                    const std::string s = memo.Read(block);
                    if (!s.empty()) rec[i] = Variant(text(s));
                    break;
                }
                default:
                    break;
            }
        }
        AddStored(std::move(rec));
    }
}

}  // namespace db
