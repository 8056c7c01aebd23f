#include "backup/DataFolderBackup.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include "BackupFixture.h"
#include "backup/zip/UnZipper.h"
#include "platform/os/DayNumber.h"
#include "platform/os/System.h"
#include "platform/os/TempDir.h"
#include "support/Golden.h"

using namespace backuptest;

TEST(BackupNames, ProposedNameAndNameCheck) {
    EXPECT_EQ(MentesiNevKepez(os::EncodeDate(2019, 5, 2) + os::EncodeTime(14, 30, 5)), "19-05-02_14-30-05");
    EXPECT_EQ(MentesiNevKepez(os::EncodeDate(2020, 12, 31) + os::EncodeTime(23, 59, 59)),
              "20-12-31_23-59-59");
    struct Case {
        const char* name;
        bool valid;
    };
    const Case cases[] = {
        {"TR19_19-05-02_14-30-05.zip", true},
        {"TR19_99-99-99_99-99-99.zip", true},   // the digits are no date
        {"tr19_19-05-02_14-30-05.zip", false},  // the alias as written
        {"TR19_19-05-02_14-30-05.ZIP", false},  // the extension in lower case
        {"TR19-19-05-02_14-30-05.zip", false},  // separator after the alias
        {"TR19_19-05-02_14-30-0a.zip", false},  // a letter for a digit
        {"TR19_19-05-02-14-30-05.zip", false},  // "_" between date and time
        {"TR19_19-05-02_14-30-05.zi", false},   // another length
    };
    for (const Case& c : cases) EXPECT_EQ(BackupNameValid(c.name, "TR19"), c.valid) << c.name;
}

// The copies go into the memory file system only when they fit in its free
// space with room to spare; else (or when it cannot be written) into the
// temporary folder.
TEST(BackupStaging, MemoryFileSystemOnlyWhenTheCopiesFit) {
    os::TempDir root("tavrina-shm");
    struct statvfs vfs {};
    ASSERT_EQ(statvfs(root.Path().c_str(), &vfs), 0);
    const std::uintmax_t free = static_cast<std::uintmax_t>(vfs.f_bavail) * vfs.f_frsize;
    struct Case {
        std::string memoryRoot;
        std::uintmax_t bytes;
        std::string parent;
    };
    const Case cases[] = {
        {root.Path(), 1 << 20, root.Path()},
        {root.Path(), free, ""},
        {root.Path(), free - free / 16, ""},
        {root.Path() + "/missing", 1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SnapshotParent(c.memoryRoot, c.bytes), c.parent) << c.memoryRoot << " " << c.bytes;
}

TEST_F(BackupTest, StoredFolderIsRelativeToTheBaseFoldersParent) {
    EXPECT_EQ(StoredDataFolder(data), "Tavrina/2019");
    EXPECT_EQ(StoredDataFolder("/srv/data/2019/"), "srv/data/2019");
}

// The archive is a valid zip of every plain file of the folder, stored as
// "Tavrina/2019/...", while another process commits to a table in a loop;
// every table in it is whole.
TEST_F(BackupTest, BackupWhileAnotherProcessWritesIsWholeAndReadable) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        // The writer runs until it is killed and never returns into the test
        // runner: a post refused while the backup reads is tried again, and a
        // writer that cannot go on leaves, so the read below fails at once.
        try {
            db::Table t;
            t.DatabaseName = AktualisAlias;
            t.TableName = "Szamfejt_001";
            t.Open();
            for (int i = 1, refused = 0; refused < 1000;) {
                try {
                    t.Append();
                    t.FieldByName("SF_DGTORZSSZAM").SetAsString("11111111111");
                    t.FieldByName("SF_SORSZAM").SetAsInteger(i);
                    t.FieldByName("SF_JCNEV").SetAsString(std::string(200, 'x'));
                    testsupport::FillRequired(t);
                    t.Post();
                } catch (...) {
                    ++refused;
                    if (t.State() != db::DatasetState::Browse) t.Cancel();
                    usleep(2000);
                    continue;
                }
                if (i++ == 20) (void)!write(ready[1], "x", 1);
            }
        } catch (...) {
        }
        _exit(1);
    }
    close(ready[1]);  // the writer's end alone: its exit ends the read
    char c;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    // A journal beside a table is never archived.
    Put(data + "/Dolgozo_002.DB-journal", "");
    const std::string archive = Archive();
    TZipper z;
    const int n = BackupDataFolder(z, data, archive);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(ready[0]);

    std::string out;
    ASSERT_EQ(testsupport::RunCommand("unzip -t '" + archive + "'", &out), 0) << out;
    ASSERT_EQ(testsupport::RunCommand("unzip -Z1 '" + archive + "'", &out), 0) << out;
    std::istringstream names(out);
    int entries = 0;
    for (std::string line; std::getline(names, line); ++entries) {
        EXPECT_EQ(line.rfind("Tavrina/2019/", 0), 0u) << line;
        EXPECT_EQ(line.find("-journal"), std::string::npos) << line;
    }
    size_t plain = 0;
    for (const auto& e : fs::directory_iterator(data))
        if (e.is_regular_file() && e.path().filename().string().find("-journal") == std::string::npos)
            ++plain;
    EXPECT_EQ(entries, n);
    EXPECT_EQ(static_cast<size_t>(n), plain);

    const std::string out2 = home.Path() + "/x";
    ASSERT_EQ(testsupport::RunCommand("unzip -q -d '" + out2 + "' '" + archive + "'"), 0);
    for (const auto& [name, bytes] : Tables(out2 + "/Tavrina/2019")) {
        std::string check;
        testsupport::RunCommand("sqlite3 '" + out2 + "/Tavrina/2019/" + name + "' 'PRAGMA integrity_check'",
                                &check);
        EXPECT_EQ(check, "ok\n") << name;
    }
    // The open tables of this program were left open.
    EXPECT_TRUE(fs::exists(archive));
}

// Only the company's tables come back; the other company and the shared
// tables keep their later state; a stale journal beside a restored table goes.
TEST_F(BackupTest, RestoreOfOneCompanyReplacesOnlyItsTables) {
    const std::string archive = Backup();
    const auto atBackup = ArchivedTables(archive);
    AddEmployee("001", "33333333333", "Új Ede");
    AddEmployee("002", "44444444444", "Új Feri");
    testsupport::MakeCompany("003", "Harmadik Zrt", "Harmadik");
    Put(data + "/Dolgozo_001.DB-journal", "stale");
    const auto changed = Tables(data);

    TUnZipper u;
    const RestoreResult r = RestoreDataFolder(u, data, archive, RestoreScope::Company, "001");
    int expected = 0;
    for (const auto& [name, bytes] : Tables(data)) {
        if (name.size() > 7 && name.compare(name.size() - 7, 7, "_001.DB") == 0) {
            ++expected;
            EXPECT_EQ(bytes, atBackup.at(name)) << name;
        } else {
            EXPECT_EQ(bytes, changed.at(name)) << name;
        }
    }
    EXPECT_EQ(r.files, expected);
    EXPECT_FALSE(fs::exists(data + "/Dolgozo_001.DB-journal"));
    EXPECT_TRUE(r.undeletable.empty());
}

// A full restore brings back every table and removes those made since;
// other files (the log) stay.
TEST_F(BackupTest, FullRestoreReturnsTheWholeSetOfTables) {
    const std::string archive = Backup();
    const auto atBackup = ArchivedTables(archive);
    testsupport::MakeCompany("003", "Harmadik Zrt", "Harmadik");
    AddEmployee("002", "44444444444", "Új Feri");
    Put(data + "/Tavrina19.log", "log");
    TUnZipper u;
    const RestoreResult r = RestoreDataFolder(u, data, archive, RestoreScope::Full);
    EXPECT_EQ(Tables(data), atBackup);
    EXPECT_EQ(r.files, static_cast<int>(atBackup.size()));
    EXPECT_EQ(Get(data + "/Tavrina19.log"), "log");
}

// A damaged or foreign archive leaves the folder byte-identical and no
// staging folder, whatever the kind of restore.
TEST_F(BackupTest, FailedRestoresLeaveTheFolderUntouched) {
    const std::string good = Backup();
    const std::string bytes = Get(good);

    // One entry's data with a byte flipped.
    std::string flipped = bytes;
    const std::string entry = "Tavrina/2019/Dolgozo_001.DB";
    const size_t name = flipped.find(entry);
    ASSERT_NE(name, std::string::npos);
    const size_t header = name - 30;
    const size_t extra = static_cast<unsigned char>(flipped[header + 28]) |
                         static_cast<unsigned char>(flipped[header + 29]) << 8;
    flipped[name + entry.size() + extra + 5] ^= 0x55;
    const std::string flippedPath = Archive("TR19_19-05-02_14-30-06.zip");
    Put(flippedPath, flipped);

    const std::string truncated = Archive("TR19_19-05-02_14-30-07.zip");
    Put(truncated, bytes.substr(0, bytes.size() / 2));

    // Another year's folder: no entry matches.
    const std::string other = os::BaseFolder() + "/2018";
    fs::create_directories(other);
    for (const auto& [n, b] : Tables(data)) Put(other + "/" + n, b);
    TZipper z;
    const std::string foreign = Archive("TR19_19-05-02_14-30-08.zip");
    ASSERT_GT(BackupDataFolder(z, other, foreign), 0);

    AddEmployee("001", "33333333333", "Új Ede");
    const auto before = Folder(data);
    struct Case {
        std::string archive;
        std::string error;  // "" when nothing matched
    };
    const Case cases[] = {
        {flippedPath, "Dolgozo_001.DB"},
        {truncated, "Incomplete Zip File"},
        {foreign, ""},
    };
    for (const Case& c : cases)
        for (RestoreScope scope : {RestoreScope::Company, RestoreScope::AllCompanies, RestoreScope::Full}) {
            SCOPED_TRACE(c.archive + " scope " + std::to_string(static_cast<int>(scope)));
            TUnZipper u;
            try {
                const RestoreResult r = RestoreDataFolder(u, data, c.archive, scope, "001");
                EXPECT_EQ(c.error, "");
                EXPECT_EQ(r.files, 0);
            } catch (const std::exception& e) {
                EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
                EXPECT_NE(c.error, "");
            }
            EXPECT_EQ(Folder(data), before);
        }
}

// An archive entry that is no table (an older program's file of that name)
// is refused before anything is swapped.
TEST_F(BackupTest, AnEntryThatIsNoTableIsRefused) {
    const std::string archive = Archive();
    const std::string dir = home.Path() + "/old/Tavrina/2019";
    fs::create_directories(dir);
    Put(dir + "/Dolgozo_001.DB", "an older program's table");
    ASSERT_EQ(testsupport::RunCommand("cd '" + home.Path() + "/old' && zip -q '" + archive +
                                      "' Tavrina/2019/Dolgozo_001.DB"),
              0);
    const auto before = Folder(data);
    TUnZipper u;
    EXPECT_THROW(RestoreDataFolder(u, data, archive, RestoreScope::Company, "001"), RestoreError);
    EXPECT_EQ(Folder(data), before);
}

// A payroll table with its last 1500 bytes garbled is archived as it is, and
// named; a sound folder names none.
TEST_F(BackupTest, DamagedTableIsArchivedAndNamed) {
    AddPayrollRows("001", 40);
    AddPayrollRows("002", 40);
    std::vector<std::string> damaged = {"left over"};
    TZipper sound;
    ASSERT_GT(BackupDataFolder(sound, data, Archive("TR19_19-05-02_14-30-01.zip"), &damaged), 0);
    EXPECT_TRUE(damaged.empty());

    GarbleTail(data + "/Szamfejt_001.DB", 1500);
    const std::string archive = Archive();
    TZipper z;
    ASSERT_GT(BackupDataFolder(z, data, archive, &damaged), 0);
    EXPECT_EQ(damaged, std::vector<std::string>{"Szamfejt_001"});
    EXPECT_EQ(ArchivedTables(archive).at("Szamfejt_001.DB"), Digest(data + "/Szamfejt_001.DB"));
}

// An archive holding a damaged table: by default (no answer, or No) nothing
// changes and the error names the table; going on without it restores the
// rest and keeps the folder's own table, also in a full restore.
TEST_F(BackupTest, RestoreAsksBeforeLeavingOutADamagedTable) {
    AddPayrollRows("001", 40);
    const std::string sound = Get(data + "/Szamfejt_001.DB");
    GarbleTail(data + "/Szamfejt_001.DB", 1500);
    const std::string archive = Backup();
    const auto archived = ArchivedTables(archive);
    Put(data + "/Szamfejt_001.DB", sound);
    AddEmployee("001", "33333333333", "Új Ede");
    testsupport::MakeCompany("003", "Harmadik Zrt", "Harmadik");
    const auto before = Folder(data);
    std::map<std::string, std::string> tables;
    for (const auto& [name, digest] : Tables(data)) tables[name] = Get(data + "/" + name);

    struct Case {
        RestoreScope scope;
        int answer;  // -1: no question given, 0: No, 1: Yes
    };
    const Case cases[] = {{RestoreScope::Company, -1},     {RestoreScope::Company, 0},
                          {RestoreScope::AllCompanies, 0}, {RestoreScope::Full, 0},
                          {RestoreScope::Company, 1},      {RestoreScope::Full, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE("scope " + std::to_string(static_cast<int>(c.scope)) + " answer " +
                     std::to_string(c.answer));
        std::vector<std::string> asked;
        GoOnWithout ask;
        if (c.answer >= 0)
            ask = [&](const std::vector<std::string>& damaged) {
                asked = damaged;
                return c.answer == 1;
            };
        TUnZipper u;
        if (c.answer != 1) {
            try {
                RestoreDataFolder(u, data, archive, c.scope, "001", ask);
                ADD_FAILURE() << "restored";
            } catch (const RestoreError& e) {
                EXPECT_EQ(std::string(e.what()), "Sérült tábla: Szamfejt_001");
            }
            EXPECT_EQ(Folder(data), before);
        } else {
            const RestoreResult r = RestoreDataFolder(u, data, archive, c.scope, "001", ask);
            EXPECT_EQ(r.skipped, std::vector<std::string>{"Szamfejt_001"});
            const auto now = Tables(data);
            EXPECT_EQ(Get(data + "/Szamfejt_001.DB"), sound);
            EXPECT_EQ(now.at("Dolgozo_001.DB"), archived.at("Dolgozo_001.DB"));
            EXPECT_EQ(now.count("Dolgozo_003.DB"), c.scope == RestoreScope::Full ? 0u : 1u);
            // Back to the state before for the next case.
            for (const auto& [name, bytes] : tables) Put(data + "/" + name, bytes);
            EXPECT_EQ(Folder(data), before);
        }
        if (c.answer >= 0) {
            EXPECT_EQ(asked, std::vector<std::string>{"Szamfejt_001"});
        }
    }
}

namespace {

// Runs a company restore in a child process that kills itself at `step`
// ("extracting": after the first extracted entry), then the start-up's
// completion in this process.
void KilledRestore(const std::string& data, const std::string& archive, const std::string& step, int at) {
    const pid_t child = fork();
    if (child == 0) {
        int count = 0;
        RestoreCheckpoint = [&](const char* s) {
            if (step == s && ++count == at) raise(SIGKILL);
        };
        TUnZipper u;
        u.OnEndUnZip = [&](TUnZipper*, int, const std::string&) {
            if (step == "extracting" && ++count == at) raise(SIGKILL);
        };
        try {
            RestoreDataFolder(u, data, archive, RestoreScope::AllCompanies);
        } catch (...) {
        }
        _exit(0);  // never back into the test runner
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << step << " " << at;
}

}  // namespace

// A restore killed anywhere, or whose swap is refused halfway, leaves after
// the next start the old or the new complete set, and nothing of its own.
TEST_F(BackupTest, InterruptedRestoreEndsWithTheOldOrTheNewSet) {
    const std::string archive = Backup();
    const auto archived = ArchivedTables(archive);
    AddEmployee("001", "33333333333", "Új Ede");
    AddEmployee("002", "44444444444", "Új Feri");
    const auto oldSet = Tables(data);
    // Every company's tables from the archive, the shared ones as they are.
    auto newSet = oldSet;
    for (const auto& [name, digest] : archived)
        if (name.size() > 7 && name[name.size() - 7] == '_') newSet[name] = digest;
    const auto oldFolder = Folder(data);
    std::map<std::string, std::string> oldTables;
    for (const auto& [name, digest] : oldSet) oldTables[name] = Get(data + "/" + name);
    struct Case {
        const char* step;
        int at;
        bool completes;
    };
    const Case cases[] = {
        {"extracting", 1, false}, {"recorded", 1, true}, {"renamed", 1, true}, {"renamed", 3, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.step) + " " + std::to_string(c.at));
        KilledRestore(data, archive, c.step, c.at);
        EXPECT_TRUE(CompleteInterruptedRestore(data).empty());
        EXPECT_EQ(Tables(data), c.completes ? newSet : oldSet);
        // Back to the old state for the next case.
        for (const auto& [name, bytes] : oldTables) Put(data + "/" + name, bytes);
        EXPECT_EQ(Folder(data), oldFolder);
    }

    // A rename refused halfway keeps the record; the next start finishes it.
    fs::remove(data + "/Dolgozo_002.DB");
    fs::create_directories(data + "/Dolgozo_002.DB/in-the-way");
    TUnZipper u;
    EXPECT_THROW(RestoreDataFolder(u, data, archive, RestoreScope::AllCompanies), RestoreError);
    EXPECT_THROW(CompleteInterruptedRestore(data), RestoreError);
    fs::remove_all(data + "/Dolgozo_002.DB");
    EXPECT_TRUE(CompleteInterruptedRestore(data).empty());
    EXPECT_EQ(Tables(data), newSet);
    for (const auto& [name, bytes] : Folder(data)) {
        EXPECT_EQ(name.find("-journal"), std::string::npos) << name;
        EXPECT_NE(name[0], '.') << name;
    }
}

// The archive of a small year folder byte for byte: two tables as the engine
// writes them and a plain file, all with one fixed modification time.
TEST_F(BackupTest, ArchiveMatchesTheGoldenFile) {
    const std::string folder = home.Path() + "/Tavrina/2018";
    fs::create_directories(folder);
    const db::FieldDefs defs = {{"KH_KOD", db::FieldType::String, 6, true},
                                {"KH_NEV", db::FieldType::String, 30, false}};
    for (const char* name : {"Kifhely_001", "Kifhely_002"}) {
        db::CreateTable(folder, name, defs, "KH_KOD");
        db::Table t;
        t.DatabaseName = folder;
        t.TableName = name;
        t.Open();
        for (const char* row : {"000001", "000002"}) {
            t.Append();
            t.FieldByName("KH_KOD").SetAsString(row);
            t.FieldByName("KH_NEV").SetAsString(std::string("Pénztár ") + row);
            t.Post();
        }
    }
    Put(folder + "/Naplo.txt", "2019.05.02 14:30:04 Mentés\r\n");
    tm local{};
    local.tm_year = 119, local.tm_mon = 4, local.tm_mday = 2, local.tm_hour = 14, local.tm_min = 30;
    local.tm_sec = 4, local.tm_isdst = -1;
    const timespec times[2] = {{mktime(&local), 0}, {mktime(&local), 0}};
    for (const char* name : {"Kifhely_001.DB", "Kifhely_002.DB", "Naplo.txt"})
        ASSERT_EQ(utimensat(AT_FDCWD, (folder + "/" + name).c_str(), times, 0), 0) << name;

    const std::string archive = home.Path() + "/TR18_19-05-02_14-30-05.zip";
    TZipper z;
    EXPECT_EQ(BackupDataFolder(z, folder, archive), 3);
    std::string out;
    EXPECT_EQ(testsupport::RunCommand("unzip -t '" + archive + "'", &out), 0) << out;
    // Each table is archived as the very bytes of its file.
    const std::string unpacked = home.Path() + "/unpacked";
    ASSERT_EQ(testsupport::RunCommand("unzip -q -d '" + unpacked + "' '" + archive + "'", &out), 0) << out;
    for (const char* name : {"Kifhely_001.DB", "Kifhely_002.DB", "Naplo.txt"})
        EXPECT_EQ(Get(unpacked + "/Tavrina/2018/" + name), Get(folder + "/" + name)) << name;
    EXPECT_TRUE(testsupport::MatchesGolden("backup/golden/DataFolderBackup", "small-year-folder",
                                           Get(archive), testsupport::Encoding::Utf8, "expected.zip"));
}
