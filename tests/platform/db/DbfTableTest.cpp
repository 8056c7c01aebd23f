// dBASE files written by an independent tool read back with their values;
// damaged copies fail cleanly.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "platform/db/DbfTable.h"
#include "platform/db/ListDataset.h"
#include "platform/os/AtomicFile.h"
#include "platform/os/DayNumber.h"
#include "platform/os/TempDir.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

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

// A dBASE III file of the given field descriptors and records.
std::string DbfFile(const std::vector<std::string>& fields, const std::vector<std::string>& records) {
    std::string h(32, '\0');
    h[0] = 0x03;
    size_t headerLength = 33, recordLength = records.empty() ? 1 : records.front().size();
    for (const std::string& f : fields) headerLength += f.size();
    h[4] = static_cast<char>(records.size());
    h[8] = static_cast<char>(headerLength);
    h[10] = static_cast<char>(recordLength);
    std::string data = h;
    for (const std::string& f : fields) data += f;
    data += "\r";
    for (const std::string& r : records) data += r;
    return data;
}

std::string FieldDescriptor(const char* name, char type, int len) {
    std::string d(32, '\0');
    std::memcpy(d.data(), name, std::strlen(name));
    d[11] = type;
    d[16] = static_cast<char>(len);
    return d;
}

// The same file with the header length in its header changed by `delta`.
std::string HeaderLengthOff(std::string file, int delta) {
    file[8] = static_cast<char>(file[8] + delta);
    return file;
}

TEST(DbfTable, DamagedFieldsAreRefusedNamingTheFile) {
    const std::vector<std::string> amountAndName = {FieldDescriptor("OSSZEG", 'N', 6),
                                                    FieldDescriptor("NEV", 'C', 3)};
    // clang-format off
    const struct { const char* why; std::string file; const char* error; } cases[] = {
        {"a field named twice: both would read the first one's value",
         DbfFile({FieldDescriptor("NEV", 'C', 14), FieldDescriptor("NEV", 'C', 14)},
                 {" Kiss Anna     Nagy Béla    "}), "damaged field list (NEV twice)"},
        {"the same name in other letters",
         DbfFile({FieldDescriptor("Nev", 'C', 4), FieldDescriptor("NEV", 'C', 4)}, {" abcdefgh"}),
         "damaged field list (NEV twice)"},
        {"a letter among the date's digits", DbfFile({FieldDescriptor("BELEP", 'D', 8)}, {" 2019013a"}),
         "'2019013a' is no date"},
        {"a month that does not exist", DbfFile({FieldDescriptor("BELEP", 'D', 8)}, {" 20191301"}),
         "'20191301' is no date"},
        {"a sign inside the date", DbfFile({FieldDescriptor("BELEP", 'D', 8)}, {" 2019-1-1"}),
         "'2019-1-1' is no date"},
        // Read a byte early or late, 250000 would become 25000 and "Egy" "0Egy".
        {"a header one byte short", HeaderLengthOff(DbfFile(amountAndName, {" 250000Egy"}) + "\x1a", -1),
         "damaged header (the field list does not end at byte 96)"},
        {"a header one byte long", HeaderLengthOff(DbfFile(amountAndName, {" 250000Egy"}) + "\x1a", 1),
         "damaged record 1 (it starts with neither a blank nor \"*\")"},
        {"a record without its deletion flag", DbfFile(amountAndName, {"*250000Egy", "x100000Ket"}),
         "damaged record 2"},
    };
    // clang-format on
    os::TempDir dir;
    EXPECT_EQ(cases[0].file.size(), 126u);
    for (const auto& c : cases) {
        os::WriteFileAtomic(dir.File("a.dbf"), c.file);
        db::DbfTable t;
        t.FileName = dir.File("a.dbf");
        try {
            t.Open();
            ADD_FAILURE() << c.why << ": opened";
        } catch (const db::EngineError& e) {
            EXPECT_NE(std::string(e.what()).find(dir.File("a.dbf") + ": "), std::string::npos) << c.why;
            EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << c.why << ": " << e.what();
        }
        EXPECT_FALSE(t.Active()) << c.why;
    }
}

// A number no 64-bit integer holds reads as a float and never as a wrapped
// integer or a date.
TEST(DbfTable, AHugeNumberIsAnErrorAsIntegerOrDate) {
    os::TempDir dir;
    os::WriteFileAtomic(dir.File("a.dbf"),
                        DbfFile({FieldDescriptor("OSSZEG", 'N', 20)}, {" 11111111111111111111"}));
    db::DbfTable t;
    t.FileName = dir.File("a.dbf");
    t.Open();
    EXPECT_DOUBLE_EQ(t.FieldByName("OSSZEG").AsFloat(), 1.1111111111111111e19);
    EXPECT_THROW(t.FieldByName("OSSZEG").AsInteger(), db::DatabaseError);

    db::ListDataset dates;
    dates.SetFieldDefs({{"BELEP", db::FieldType::Date}});
    dates.Open();
    dates.Append();
    for (double bad : {t.FieldByName("OSSZEG").AsFloat(), -1e19, 3e6, std::nan("")})
        EXPECT_THROW(dates.FieldByName("BELEP").SetAsFloat(bad), db::DatabaseError) << bad;
    dates.FieldByName("BELEP").SetAsFloat(os::EncodeDate(9999, 12, 31));
    EXPECT_EQ(dates.FieldByName("BELEP").AsString(), "9999.12.31");
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

TEST(DbfTable, MemoTextsOfDBase3AndDBase4) {
    os::TempDir dir;
    // Written by Perl's XBase module: "Kovács" in code page 852 (á = 0xA0),
    // an empty memo, a memo over three blocks.
    const std::string script =
        "use XBase;"
        "my $t = XBase->create(name => '" +
        dir.File("m3.dbf") +
        "', field_names => ['NEV', 'MEGJ'],"
        " field_types => ['C', 'M'], field_lengths => [10, 10], field_decimals => [undef, undef]) or die;"
        "$t->set_record(0, 'A', \"Kov\\xa0cs\\r\\nm\\xa0sodik sor\");"
        "$t->set_record(1, 'B', '');"
        "$t->set_record(2, 'C', 'x' x 1200);"
        "$t->close;"
        "my $u = XBase->create(name => '" +
        dir.File("m4.dbf") +
        "', version => 4,"
        " field_names => ['NEV', 'MEGJ'], field_types => ['C', 'M'], field_lengths => [10, 10],"
        " field_decimals => [undef, undef]) or die;"
        "$u->set_record(0, 'A', 'y' x 700);"
        "$u->close;";
    os::WriteFileAtomic(dir.File("make.pl"), script);
    ASSERT_EQ(testsupport::RunCommand("perl '" + dir.File("make.pl") + "'"), 0);
    std::string iv = os::ReadFile(dir.File("m4.dbf"));
    iv[0] = static_cast<char>(0x8B);  // the version byte dBASE IV gives a file with memos
    os::WriteFileAtomic(dir.File("m4.dbf"), iv);
    fs::rename(dir.File("m4.dbt"), dir.File("M4.DBT"));  // the memo file is found in any letter case

    db::DbfTable t;
    t.FileName = dir.File("m3.dbf");
    t.CodePage = db::DbfCodePage::Cp852;
    t.Open();
    EXPECT_EQ(t.FieldByName("MEGJ").DataType(), db::FieldType::Memo);
    EXPECT_EQ(t.FieldByName("MEGJ").AsString(), "Kovács\r\nmásodik sor");
    t.Next();
    EXPECT_TRUE(t.FieldByName("MEGJ").IsNull());
    t.Next();
    EXPECT_EQ(t.FieldByName("MEGJ").AsString(), std::string(1200, 'x'));
    t.Close();
    t.FileName = dir.File("m4.dbf");
    t.Open();
    EXPECT_EQ(t.FieldByName("MEGJ").AsString(), std::string(700, 'y'));
    t.Close();

    // A memo file cut short, or missing: an error naming it, never an over-read.
    const std::string memo = os::ReadFile(dir.File("m3.dbt"));
    t.FileName = dir.File("m3.dbf");
    for (const std::string& damaged : {memo.substr(0, 700), std::string("gone")}) {
        if (damaged == "gone")
            fs::remove(dir.File("m3.dbt"));
        else
            os::WriteFileAtomic(dir.File("m3.dbt"), damaged);
        try {
            t.Open();
            FAIL();
        } catch (const db::EngineError& e) {
            EXPECT_NE(std::string(e.what()).find("m3.dbt"), std::string::npos) << e.what();
        }
        EXPECT_FALSE(t.Active());
    }
    std::string iv4 = os::ReadFile(dir.File("M4.DBT"));
    iv4[512 + 7] = '\x7f';  // a block length far past the end
    os::WriteFileAtomic(dir.File("M4.DBT"), iv4);
    t.FileName = dir.File("m4.dbf");
    EXPECT_THROW(t.Open(), db::EngineError);
}

}  // namespace
