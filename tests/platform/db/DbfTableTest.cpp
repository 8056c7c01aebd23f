// dBASE files written by an independent tool read back with their values;
// damaged copies fail cleanly.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "platform/db/DbfTable.h"
#include "platform/os/AtomicFile.h"
#include "platform/os/DayNumber.h"
#include "platform/os/TempDir.h"
#include "support/TestSupport.h"

namespace {

TEST(DbfTable, ReadsAFileOfShapelibAndRejectsDamagedCopies) {
    os::TempDir dir;
    const std::string f = dir.File("DOLGOZO.dbf");
    // "Kovács Ödön" in code page 852: á = 0xA0, Ö = 0x99, ö = 0x94.
    ASSERT_EQ(testsupport::RunCommand("dbfcreate '" + f + "' -s NEV 20 -n OSSZEG 10 2 -n KOD 5 0"), 0);
    ASSERT_EQ(
        testsupport::RunCommand("dbfadd '" + f + "' \"$(printf 'Kov\\240cs \\231d\\224n')\" 1234.50 17"), 0);
    ASSERT_EQ(testsupport::RunCommand("dbfadd '" + f + "' '' 0 ''"), 0);

    db::DbfTable t;
    t.FileName = f;
    t.CodePage = db::DbfCodePage::Cp852;
    t.Open();
    ASSERT_EQ(t.RecordCount(), 2);
    EXPECT_EQ(t.FieldByName("NEV").AsString(), "Kovács Ödön");
    EXPECT_EQ(t.FieldByName("NEV").Size(), 20);
    EXPECT_DOUBLE_EQ(t.FieldByName("OSSZEG").AsFloat(), 1234.5);
    EXPECT_EQ(t.FieldByName("KOD").DataType(), db::FieldType::Integer);
    EXPECT_EQ(t.FieldByName("KOD").AsInteger(), 17);
    t.Next();
    EXPECT_TRUE(t.FieldByName("NEV").IsNull());
    EXPECT_TRUE(t.FieldByName("KOD").IsNull());
    EXPECT_THROW(t.Edit(), db::DatabaseError);
    t.Close();

    // Truncated in the records, in the header, and a file that is no dBASE file.
    const std::string whole = os::ReadFile(f);
    for (size_t cut : {whole.size() - 5, size_t{40}, size_t{10}}) {
        os::WriteFileAtomic(f, whole.substr(0, cut));
        EXPECT_THROW(t.Open(), db::EngineError) << cut;
        EXPECT_FALSE(t.Active());
    }
    os::WriteFileAtomic(f, std::string(200, 'x'));
    try {
        t.Open();
        FAIL();
    } catch (const db::EngineError& e) {
        EXPECT_NE(std::string(e.what()).find("DOLGOZO.dbf"), std::string::npos);
    }
}

TEST(DbfTable, DatesLogicalsAndDeletedRecords) {
    // A dBASE III file built byte by byte: D and L fields, one deleted record.
    std::string h(32, '\0');
    h[0] = 0x03;
    auto field = [](const char* name, char type, int len) {
        std::string d(32, '\0');
        std::memcpy(d.data(), name, std::strlen(name));
        d[11] = type;
        d[16] = static_cast<char>(len);
        return d;
    };
    const std::string fields = field("BELEPES", 'D', 8) + field("AKTIV", 'L', 1);
    const int headerLength = 32 + static_cast<int>(fields.size()) + 1, recordLength = 10;
    h[4] = 3;
    h[8] = static_cast<char>(headerLength);
    h[10] = static_cast<char>(recordLength);
    const std::string data = h + fields + "\r" + " 20190131T" + "*20180101F" + "         ?" + "\x1a";
    os::TempDir dir;
    os::WriteFileAtomic(dir.File("a.dbf"), data);
    db::DbfTable t;
    t.FileName = dir.File("a.dbf");
    t.Open();
    ASSERT_EQ(t.RecordCount(), 2);
    EXPECT_EQ(t.FieldByName("BELEPES").AsDateTime(), os::EncodeDate(2019, 1, 31));
    EXPECT_TRUE(t.FieldByName("AKTIV").AsBoolean());
    t.Next();
    EXPECT_TRUE(t.FieldByName("BELEPES").IsNull());
    EXPECT_TRUE(t.FieldByName("AKTIV").IsNull());
}

}  // namespace
