#include "masterdata/TblSearchWorkbook.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "platform/os/AtomicFile.h"
#include "platform/os/DayNumber.h"
#include "platform/os/TempDir.h"
#include "support/Golden.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

std::string Part(const std::string& workbook, const std::string& part) {
    std::string out;
    EXPECT_EQ(testsupport::RunCommand("unzip -p '" + workbook + "' " + part, &out), 0) << part;
    return out;
}

WorkbookContent Sample() {
    using T = db::FieldType;
    WorkbookContent c;
    c.columns = {{"Név", T::String, 30},
                 {"Összeg", T::Float, 10},
                 {"Dátum", T::Date, 10},
                 {"Db", T::Integer, 11},
                 {"Aktív", T::Boolean, 6.5}};
    c.rows = {{"Kovács Péter", 1500.5, os::EncodeDate(2019, 3, 5), 3, true},
              {"Őri Ödön", -2000.0, db::Variant(), db::Variant(), false}};
    c.filterCaption = "Szűrő feltételek";
    c.totalsCaption = "Összegek";
    c.filterLines = {"Név > Antal Béla"};
    c.totalLines = {"2019.03.05 10:20:30",
                    "Szűrő feltételek",
                    "Név > Antal Béla",
                    "Összegek",
                    "Összeg cellák összege: -499,50",
                    ""};
    c.created = os::EncodeDate(2019, 3, 5) + os::EncodeTime(10, 20, 30);
    return c;
}

TEST(TblSearchWorkbook, ColumnLettersRunFromAToIV) {
    const std::pair<int, const char*> cases[] = {{0, "A"},   {25, "Z"},  {26, "AA"}, {29, "AD"},
                                                 {51, "AZ"}, {52, "BA"}, {255, "IV"}};
    for (auto [column, letters] : cases) EXPECT_EQ(ColumnLetters(column), letters) << column;
}

// The parts of the package that carry the list, compared byte for byte with
// the expected files; the archive itself is checked by unzip.
TEST(TblSearchWorkbook, WritesTheExpectedSheet) {
    // The document's creation time is stored in UTC: the local time is UTC here.
    struct UtcZone {
        std::string old;
        bool had = std::getenv("TZ") != nullptr;
        UtcZone() {
            if (had) old = std::getenv("TZ");
            setenv("TZ", "UTC", 1);
            tzset();
        }
        ~UtcZone() {
            had ? setenv("TZ", old.c_str(), 1) : unsetenv("TZ");
            tzset();
        }
    } utc;
    os::TempDir dir;
    const std::string file = dir.File("lista.xlsx");
    WriteWorkbook(file, Sample());
    EXPECT_EQ(testsupport::RunCommand("unzip -tq '" + file + "'"), 0);
    for (const char* part :
         {"xl/worksheets/sheet1.xml", "xl/sharedStrings.xml", "xl/styles.xml", "docProps/core.xml"}) {
        EXPECT_TRUE(testsupport::MatchesGolden("masterdata/golden/TblSearchWorkbook", "sample",
                                               Part(file, part), testsupport::Encoding::Utf8,
                                               fs::path(part).filename().string()));
    }
}

TEST(TblSearchWorkbook, AFailedWriteKeepsThePreviousFileAndLeavesNothingBehind) {
    os::TempDir dir;
    const std::string file = dir.File("lista.xlsx");
    os::WriteFileAtomic(file, "previous");
    WorkbookContent c = Sample();
    c.rows.push_back({std::string(40000, 'x'), 1.0, db::Variant(), 1, true});  // longer than a cell holds
    EXPECT_THROW(WriteWorkbook(file, c), WorkbookError);
    EXPECT_EQ(os::ReadFile(file), "previous");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);

    EXPECT_THROW(WriteWorkbook(dir.File("nincs/lista.xlsx"), Sample()), WorkbookError);
}

}  // namespace
