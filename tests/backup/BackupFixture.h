// A year folder with two companies for the backup and restore tests, and
// helpers that read a folder whole so a test can say "byte-identical".
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>

#include "backup/DataFolderBackup.h"
#include "backup/zip/Zipper.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "platform/db/Table.h"
#include "support/CompanyFixture.h"
#include "support/TestSupport.h"

namespace backuptest {

namespace fs = std::filesystem;

inline std::string Get(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A short digest of a file's bytes (size and hash), readable in a failure.
inline std::string Digest(const std::string& path) {
    const std::string bytes = Get(path);
    return std::to_string(bytes.size()) + ":" + std::to_string(std::hash<std::string>{}(bytes));
}

// The rows and structure of a table, as the sqlite3 shell dumps them.
inline std::string Dump(const std::string& path) {
    std::string out;
    EXPECT_EQ(testsupport::RunCommand("sqlite3 '" + path + "' .dump", &out), 0) << out;
    return out;
}

// Every entry under a folder (hidden ones and folders too) with its digest.
inline std::map<std::string, std::string> Folder(const std::string& root) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string rel = fs::relative(e.path(), root).string();
        out[rel] = e.is_regular_file() ? Digest(e.path().string()) : std::string("<folder>");
    }
    return out;
}

// The table files of a folder by name, with their digests.
inline std::map<std::string, std::string> Tables(const std::string& root) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::directory_iterator(root))
        if (e.path().extension() == ".DB") out[e.path().filename().string()] = Digest(e.path().string());
    return out;
}

inline void AddEmployee(const std::string& code, const char* id, const char* name) {
    db::Table t;
    t.DatabaseName = AktualisAlias;
    t.TableName = "Dolgozo_" + code;
    t.Open();
    testsupport::AddEmployees(t, {{id, name}});
}

// Payroll rows of one employee, filling a few pages of the table.
inline void AddPayrollRows(const std::string& code, int rows) {
    db::Table t;
    t.DatabaseName = AktualisAlias;
    t.TableName = "Szamfejt_" + code;
    t.Open();
    for (int i = 1; i <= rows; ++i) {
        t.Append();
        t.FieldByName("SF_DGTORZSSZAM").SetAsString("11111111111");
        t.FieldByName("SF_HONAP").SetAsInteger(1 + i % 12);
        t.FieldByName("SF_JCKOD").SetAsString(std::to_string(100 + i));
        t.FieldByName("SF_SORSZAM").SetAsInteger(i);
        t.FieldByName("SF_JCNEV").SetAsString("Tétel " + std::to_string(i));
        t.FieldByName("SF_OSSZEG").SetAsFloat(1000 * i);
        testsupport::FillRequired(t);
        t.Post();
    }
}

// Overwrites the last `bytes` bytes of a file with a fixed pattern, as a
// disk fault would: the header stays, the last page's records do not.
inline void GarbleTail(const std::string& path, size_t bytes) {
    std::string b = Get(path);
    ASSERT_GT(b.size(), bytes);
    for (size_t i = b.size() - bytes; i < b.size(); ++i) b[i] = static_cast<char>(0xA5 ^ (i * 31));
    Put(path, b);
}

// A table of `bytes` random bytes that no compression shrinks.
inline void AddBigTable(const std::string& path, int bytes) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "CREATE TABLE Adat(id INTEGER PRIMARY KEY, b BLOB)", nullptr, nullptr, nullptr);
    std::mt19937 gen(7);
    std::string blob(static_cast<size_t>(bytes), '\0');
    for (char& c : blob) c = static_cast<char>(gen());
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO Adat(b) VALUES (?)", -1, &st, nullptr);
    sqlite3_bind_blob(st, 1, blob.data(), bytes, SQLITE_STATIC);
    sqlite3_step(st);
    sqlite3_finalize(st);
    sqlite3_close(db);
}

// A prepared year folder with companies 001 and 002, each with an employee.
class BackupTest : public testsupport::YearFolderTest {
protected:
    void SetUp() override {
        YearFolderTest::SetUp();
        dm->ClearCompanyTableNames();
        testsupport::MakeCompany("001", "Első Kft", "Első");
        testsupport::MakeCompany("002", "Második Bt", "Második");
        AddEmployee("001", "11111111111", "Kovács Anna");
        AddEmployee("002", "22222222222", "Szabó Béla");
        data = AliasUtvonal(AktualisAlias);
    }

    std::string Archive(const std::string& name = "TR19_19-05-02_14-30-05.zip") const {
        fs::create_directories(data + "/Ment");
        return data + "/Ment/" + name;
    }

    // A backup of the folder as it is now.
    std::string Backup(const std::string& name = "TR19_19-05-02_14-30-05.zip") {
        TZipper z;
        const std::string path = Archive(name);
        EXPECT_GT(BackupDataFolder(z, data, path), 0);
        return path;
    }

    // The tables an archive holds, as Info-ZIP's unzip reads them.
    std::map<std::string, std::string> ArchivedTables(const std::string& archive) {
        const std::string dir = home.Path() + "/unzipped-" + std::to_string(++unzips_);
        std::string out;
        EXPECT_EQ(testsupport::RunCommand("unzip -q -d '" + dir + "' '" + archive + "'", &out), 0) << out;
        return Tables(dir + "/" + StoredDataFolder(data));
    }

    std::string data;

private:
    int unzips_ = 0;
};

}  // namespace backuptest
