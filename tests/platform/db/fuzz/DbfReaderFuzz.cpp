// Fuzz target of the dBASE reader, run by hand (not part of the build):
//
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined \
//     -fno-sanitize-recover=all -Isrc tests/platform/db/fuzz/DbfReaderFuzz.cpp \
//     src/platform/db/*.cpp src/platform/os/*.cpp -lsqlite3 -licui18n -licuuc -o /tmp/dbffuzz
//   /tmp/dbffuzz -max_len=2048 -max_total_time=600 CORPUS_DIR
//
// Each input is read as a .dbf file (its first half also as the memo file
// beside it), and every field of every record is read as text, number and
// date. A database error is an expected outcome; a crash, a sanitizer report
// or another exception is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/db/DbfTable.h"
#include "platform/db/Field.h"

namespace fs = std::filesystem;

namespace {

const std::string& Folder() {
    static const std::string folder = [] {
        std::string t = (fs::temp_directory_path() / "dbffuzzXXXXXX").string();
        if (!mkdtemp(t.data())) std::abort();
        return t;
    }();
    return folder;
}

void Write(const std::string& path, const std::uint8_t* data, size_t size) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string dbf = Folder() + "/take.dbf";
    Write(dbf, data, size);
    Write(Folder() + "/take.dbt", data, size / 2);
    db::DbfTable t;
    t.FileName = dbf;
    try {
        t.Open();
        for (t.First(); !t.Eof(); t.Next()) {
            for (int i = 0; i < t.FieldCount(); ++i) {
                db::Field& f = t.Fields(i);
                (void)f.IsNull();
                (void)f.AsString();
                try {
                    (void)f.AsFloat();
                    (void)f.AsInteger();
                    (void)f.AsDateTime();
                } catch (const db::DatabaseError&) {
                    // a conversion the field's type refuses
                } catch (const std::invalid_argument&) {
                }
            }
        }
    } catch (const db::DatabaseError&) {
    }
    return 0;
}
