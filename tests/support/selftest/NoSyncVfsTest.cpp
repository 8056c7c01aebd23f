// The tests' no-sync file system: the default once a temporary home is made,
// and a database on it behaves as on the default one in every journal mode
// (commits last past a reopen, a rollback takes back, the journal goes).
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "support/NoSyncVfs.h"
#include "support/TestSupport.h"

namespace {

int Exec(sqlite3* db, const std::string& sql) {
    return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
}

// The first column of the first row, "" without one.
std::string First(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
    std::string v;
    if (st && sqlite3_step(st) == SQLITE_ROW) v = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    return v;
}

TEST(NoSyncVfs, IsTheDefaultOnceAHomeIsMade) {
    testsupport::TempHome home;
    sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    ASSERT_NE(vfs, nullptr);
    EXPECT_STREQ(vfs->zName, testsupport::kNoSyncVfs);
    testsupport::TempHome second;  // registered once, not stacked on itself
    EXPECT_EQ(sqlite3_vfs_find(nullptr), vfs);
}

TEST(NoSyncVfs, KeepsCommitsAndRollbacksInEveryJournalMode) {
    testsupport::TempHome home;
    for (const char* mode : {"DELETE", "TRUNCATE", "PERSIST", "WAL"}) {
        SCOPED_TRACE(mode);
        const std::string path = home.Path() + "/" + mode + ".db";
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(Exec(db, std::string("PRAGMA journal_mode = ") + mode), SQLITE_OK);
        EXPECT_EQ(Exec(db, "PRAGMA synchronous = EXTRA"), SQLITE_OK);
        EXPECT_EQ(Exec(db, "CREATE TABLE t(v)"), SQLITE_OK);
        EXPECT_EQ(Exec(db, "BEGIN; INSERT INTO t VALUES (1), (2); COMMIT"), SQLITE_OK);
        EXPECT_EQ(Exec(db, "BEGIN; INSERT INTO t VALUES (3); ROLLBACK"), SQLITE_OK);
        EXPECT_EQ(First(db, "SELECT count(*) FROM t"), "2");
        sqlite3_close(db);
        if (std::string(mode) == "DELETE") {
            EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
        }

        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(First(db, "SELECT count(*) FROM t"), "2");
        EXPECT_EQ(First(db, "PRAGMA integrity_check"), "ok");
        sqlite3_close(db);
    }
}

TEST(NoSyncVfs, AFileThatCannotBeOpenedFailsAsOnTheDefault) {
    testsupport::TempHome home;
    sqlite3* db = nullptr;
    const std::string path = home.Path() + "/missing/folder/x.db";
    EXPECT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_CANTOPEN);
    sqlite3_close(db);
}

}  // namespace
