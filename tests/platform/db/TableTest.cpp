// Tables on SQLite files, aliases, queries and the transaction guard, checked
// against real files, second processes and the sqlite3 shell.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>

#include "platform/db/Engine.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/db/Transaction.h"
#include "platform/os/AtomicFile.h"
#include "platform/os/DayNumber.h"
#include "support/TestSupport.h"

namespace {

using db::FieldType;
using db::Variant;
namespace fs = std::filesystem;

// Runs `child` in a forked process; returns its exit status.
template <typename F>
int InChild(F child) {
    const pid_t pid = fork();
    if (pid == 0) {
        int rc = 99;
        try {
            rc = child();
        } catch (...) {
        }
        _exit(rc);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Shell(const std::string& file, const std::string& sql) {
    std::string out;
    testsupport::RunCommand("sqlite3 '" + file + "' \"" + sql + "\"", &out);
    return out;
}

class TableTest : public testsupport::HomeTest {
protected:
    void SetUp() override {
        folder = home.Path() + "/Tavrina/2019";
        fs::create_directories(folder);
        db::Engine::AddStandardAlias("TR19", folder);
        db::CreateTable("TR19", "Szamfejt_001",
                        {{"SF_DGTORZSSZAM", FieldType::String, 6, true},
                         {"SF_HONAP", FieldType::SmallInt, 0, true},
                         {"SF_JCKOD", FieldType::String, 4, true},
                         {"SF_OSSZEG", FieldType::Float},
                         {"SF_KIFIZDAT", FieldType::Date},
                         {"SF_MEGJ", FieldType::String, 20}},
                        "SF_DGTORZSSZAM; SF_HONAP; SF_JCKOD");
    }

    static void Put(db::Table& t, const std::string& id, int month, const std::string& code, double amount) {
        t.Append();
        t.FieldByName("SF_DGTORZSSZAM").SetAsString(id);
        t.FieldByName("SF_HONAP").SetAsInteger(month);
        t.FieldByName("SF_JCKOD").SetAsString(code);
        t.FieldByName("SF_OSSZEG").SetAsFloat(amount);
        t.Post();
    }

    void OpenPayroll(db::Table& t) {
        t.DatabaseName = "TR19";
        t.TableName = "szamfejt_001";  // names resolve case-insensitively
        t.Open();
    }

    std::string folder;
};

TEST_F(TableTest, AliasSeenByASecondProcessAndConfigEntries) {
    EXPECT_EQ(InChild([] { return db::Engine::IsAlias("tr19") && !db::Engine::IsAlias("TR18") ? 0 : 1; }), 0);
    EXPECT_EQ(db::Engine::AliasPath("TR19"), folder);
    EXPECT_EQ(db::Engine::AliasParams("TR19").front(), "PATH=" + folder);
    EXPECT_THROW(db::Engine::AliasPath("NINCS"), db::EngineError);

    auto localShare = [] {
        for (auto& [k, v] : db::Engine::ConfigParams("\\SYSTEM\\INIT"))
            if (k == "LOCAL SHARE") return v;
        return std::string("?");
    };
    EXPECT_EQ(localShare(), "FALSE");
    EXPECT_TRUE(db::Engine::SetConfigValue("\\SYSTEM\\INIT\\", "LOCAL SHARE", "TRUE"));
    EXPECT_FALSE(db::Engine::SetConfigValue("\\SYSTEM\\INIT", "NO SUCH ENTRY", "x"));
    EXPECT_EQ(InChild([&] { return localShare() == "TRUE" ? 0 : 1; }), 0);
    EXPECT_EQ(db::Engine::AliasNames(), std::vector<std::string>{"TR19"});
    EXPECT_GT(db::Engine::Version().engineVersion, 300);
}

TEST_F(TableTest, KeyOrderKeyViolationRequiredFieldAndDurability) {
    db::Table t;
    OpenPayroll(t);
    std::vector<std::tuple<std::string, int, std::string>> keys;
    for (const char* id : {"000002", "000010", "000001"})
        for (int m : {12, 3, 1})
            for (const char* code : {"300", "102F", "102", "750"}) keys.emplace_back(id, m, code);
    std::shuffle(keys.begin(), keys.end(), std::mt19937(7));
    for (auto& [id, m, code] : keys) Put(t, id, m, code, m * 10);
    std::sort(keys.begin(), keys.end());
    std::vector<std::tuple<std::string, int, std::string>> read;
    for (t.First(); !t.Eof(); t.Next())
        read.emplace_back(t.FieldByName("SF_DGTORZSSZAM").AsString(), t.FieldByName("SF_HONAP").AsInteger(),
                          t.FieldByName("SF_JCKOD").AsString());
    EXPECT_EQ(read, keys);  // "102" < "102F" < "300" < "750": byte order

    // Locate and Lookup on leading key fields search the keys, in any field order.
    EXPECT_TRUE(
        t.Locate("SF_JCKOD;SF_HONAP;SF_DGTORZSSZAM", {Variant("102F"), Variant(3), Variant("000010")}));
    EXPECT_EQ(t.RecNo(), 30);
    EXPECT_TRUE(t.Locate("SF_DGTORZSSZAM", Variant("000002")));
    EXPECT_EQ(t.RecNo(), 13);  // the first row of that employee
    EXPECT_FALSE(t.Locate("SF_DGTORZSSZAM;SF_HONAP", {Variant("000002"), Variant(2)}));
    EXPECT_EQ(t.RecNo(), 13);
    EXPECT_EQ(t.Lookup("SF_DGTORZSSZAM;SF_HONAP;SF_JCKOD", {Variant("000001"), Variant(12), Variant("750")},
                       "SF_OSSZEG")
                  .ToDouble(),
              120);
    EXPECT_TRUE(t.Locate("SF_OSSZEG", Variant(30)));  // not a key field: a scan
    EXPECT_EQ(t.FieldByName("SF_HONAP").AsInteger(), 3);

    int code = 0;
    t.OnPostError = [&](db::Dataset&, const db::DatabaseError& e, db::DataAction& a) {
        code = dynamic_cast<const db::EngineError&>(e).Code();
        a = db::DataAction::Abort;
    };
    t.Append();
    t.FieldByName("SF_DGTORZSSZAM").SetAsString("000001");
    t.FieldByName("SF_HONAP").SetAsInteger(3);
    t.FieldByName("SF_JCKOD").SetAsString("300");
    EXPECT_THROW(t.Post(), db::AbortError);
    EXPECT_EQ(code, 9729);
    EXPECT_EQ(t.State(), db::DatasetState::Insert);  // the user's values stay
    t.FieldByName("SF_JCKOD").SetAsString("");       // empty text is NULL: required field missing
    EXPECT_THROW(t.Post(), db::AbortError);
    EXPECT_EQ(code, 9732);
    t.Cancel();
    EXPECT_EQ(t.RecordCount(), 36);

    // A posted row is on disk at once: another process sees it without a close.
    Put(t, "000003", 5, "100", 1.5);
    t.Edit();
    t.FieldByName("SF_KIFIZDAT").SetAsDateTime(os::EncodeDate(2019, 6, 10));
    t.Post();
    EXPECT_EQ(InChild([&] {
                  db::Table other;
                  OpenPayroll(other);
                  return other.RecordCount() == 37 &&
                                 other.Locate("SF_DGTORZSSZAM;SF_HONAP", {Variant("000003"), Variant(5)})
                             ? 0
                             : 1;
              }),
              0);
    // Dates are ISO text in the file, empty texts NULL.
    const std::string file = t.FilePath();
    EXPECT_EQ(fs::path(file).filename(), "Szamfejt_001.DB");
    EXPECT_EQ(
        Shell(file, "SELECT SF_KIFIZDAT, SF_MEGJ IS NULL FROM Szamfejt_001 WHERE SF_DGTORZSSZAM='000003'"),
        "2019-06-10|1\n");
    EXPECT_DOUBLE_EQ(t.FieldByName("SF_KIFIZDAT").AsDateTime(), os::EncodeDate(2019, 6, 10));
    // Edit starts from what another workstation saved meanwhile.
    Shell(file, "UPDATE Szamfejt_001 SET SF_MEGJ = 'máshol' WHERE SF_DGTORZSSZAM = '000003'");
    t.Edit();
    EXPECT_EQ(t.FieldByName("SF_MEGJ").AsString(), "máshol");
    t.Cancel();
    // A changed key moves the row to its place; the row stays current.
    t.Edit();
    t.FieldByName("SF_DGTORZSSZAM").SetAsString("000000");
    t.Post();
    EXPECT_EQ(t.RecNo(), 1);
    t.Delete();
    EXPECT_EQ(t.RecordCount(), 36);
    EXPECT_EQ(Shell(file, "SELECT count(*) FROM Szamfejt_001"), "36\n");
}

TEST_F(TableTest, EmptyKeyFieldsCountAsEqualValues) {
    // A payroll row made without a standing item leaves SF_RJSORSZAM empty.
    db::CreateTable("TR19", "Szamfejt_002",
                    {{"SF_DGTORZSSZAM", FieldType::String, 11, true},
                     {"SF_SORSZAM", FieldType::Integer},
                     {"SF_RJSORSZAM", FieldType::SmallInt},
                     {"SF_OSSZEG", FieldType::Float}},
                    "SF_DGTORZSSZAM;SF_SORSZAM;SF_RJSORSZAM");
    db::Table t;
    t.DatabaseName = "TR19";
    t.TableName = "Szamfejt_002";
    t.Open();
    int code = 0;
    t.OnPostError = [&](db::Dataset&, const db::DatabaseError& e, db::DataAction& a) {
        code = dynamic_cast<const db::EngineError&>(e).Code();
        a = db::DataAction::Abort;
    };
    auto post = [&](int sorszam, std::optional<int> rj) {
        code = 0;
        t.Append();
        t.FieldByName("SF_DGTORZSSZAM").SetAsString("00000000001");
        t.FieldByName("SF_SORSZAM").SetAsInteger(sorszam);
        if (rj) t.FieldByName("SF_RJSORSZAM").SetAsInteger(*rj);
        try {
            t.Post();
        } catch (const db::AbortError&) {
            t.Cancel();
        }
        return code;
    };
    EXPECT_EQ(post(1, std::nullopt), 0);
    EXPECT_EQ(post(1, std::nullopt), 9729);  // same key, both empty
    EXPECT_EQ(post(1, 1), 0);
    EXPECT_EQ(post(2, std::nullopt), 0);
    EXPECT_EQ(post(1, 1), 9729);
    EXPECT_EQ(t.RecordCount(), 3);
    // Changing a row's other fields is no duplicate of itself; moving it onto
    // another row's key with an empty field is.
    ASSERT_TRUE(t.Locate("SF_SORSZAM;SF_RJSORSZAM", {Variant(2), Variant()}));
    t.Edit();
    t.FieldByName("SF_OSSZEG").SetAsFloat(5);
    t.Post();
    t.Edit();
    t.FieldByName("SF_SORSZAM").SetAsInteger(1);
    EXPECT_THROW(t.Post(), db::AbortError);
    EXPECT_EQ(code, 9729);
    t.Cancel();
    EXPECT_EQ(Shell(t.FilePath(), "SELECT count(*) FROM Szamfejt_002 WHERE SF_SORSZAM = 2"), "1\n");
}

TEST_F(TableTest, FilterAndHandlerOnATable) {
    db::Table t;
    OpenPayroll(t);
    for (int m = 1; m <= 4; ++m)
        for (const char* code : {"100", "299", "300", "301", "750"}) Put(t, "000001", m, code, 1);
    t.SetFilter("SF_HONAP = 3 and SF_JCKOD >= '300'");
    t.SetFiltered(true);
    EXPECT_EQ(t.RecordCount(), 3);
    t.SetOnFilterRecord(
        [](db::Dataset& d, bool& accept) { accept = d.FieldByName("SF_JCKOD").AsString() != "301"; });
    EXPECT_EQ(t.RecordCount(), 2);
    EXPECT_FALSE(t.Locate("SF_JCKOD", Variant("301")));
    EXPECT_TRUE(t.Locate("SF_JCKOD", Variant("750")));
    EXPECT_EQ(t.FieldByName("SF_HONAP").AsInteger(), 3);
    EXPECT_TRUE(t.FindKey({Variant("000001"), Variant(3), Variant("300")}));
}

TEST_F(TableTest, TableFiles) {
    EXPECT_TRUE(db::TableExists("TR19", "SZAMFEJT_001"));
    db::CopyTable("TR19", "Szamfejt_001", "Szamfejt_002");
    {
        db::Table t;
        t.DatabaseName = "TR19";
        t.TableName = "Szamfejt_002.DB";
        t.Open();
        Put(t, "1", 1, "100", 1);
    }
    // The copy holds a table of its own name, so queries find it.
    EXPECT_EQ(Shell(folder + "/Szamfejt_002.DB", "SELECT count(*) FROM Szamfejt_002"), "1\n");
    db::CopyTable("TR19", "Szamfejt_001", "Szamfejt_002");  // overwrite
    EXPECT_EQ(Shell(folder + "/Szamfejt_002.DB", "SELECT count(*) FROM Szamfejt_002"), "0\n");
    std::string pk;
    const db::FieldDefs defs = db::ReadTableStructure("TR19", "Szamfejt_002", &pk);
    EXPECT_EQ(pk, "SF_DGTORZSSZAM;SF_HONAP;SF_JCKOD");
    ASSERT_EQ(defs.size(), 6u);
    EXPECT_EQ(defs[5].type, FieldType::String);
    EXPECT_EQ(defs[5].size, 20);
    EXPECT_EQ(defs[4].type, FieldType::Date);
    EXPECT_TRUE(defs[0].required);
    // A blank index text: no primary index, rows in insertion order.
    db::CreateTable("TR19", "List_Proba_PC", {{"A", FieldType::String, 5}}, "  ");
    EXPECT_EQ(db::ReadTableStructure("TR19", "List_Proba_PC", &pk).size(), 1u);
    EXPECT_EQ(pk, "");
    db::DeleteTable("TR19", "szamfejt_002");
    EXPECT_FALSE(db::TableExists("TR19", "Szamfejt_002"));
    EXPECT_THROW(db::DeleteTable("TR19", "Szamfejt_002"), db::EngineError);
    EXPECT_THROW(db::CreateTable("TR19", "X", {{"A", FieldType::String, 5}}, "B"), db::DatabaseError);
    EXPECT_FALSE(db::TableExists("TR19", "X"));
}

TEST_F(TableTest, ATableMadeAnewIgnoresTheJournalOfAKilledWriter) {
    // A writer killed mid-transaction leaves its rollback journal beside the
    // file; a table created or copied over that file must not get it replayed.
    for (const bool copy : {false, true}) {
        db::CreateTable("TR19", "List_Berlap_PC", {{"A", FieldType::String, 5}, {"M", FieldType::Memo}}, "A");
        const int rc = InChild([&] {
            db::Table t;
            t.DatabaseName = "TR19";
            t.TableName = "List_Berlap_PC";
            t.Open();
            db::Transaction tx{&t};
            // Enough to spill the page cache, so the journal is synced with its records.
            for (int i = 0; i < 300; ++i) {
                t.Append();
                t.FieldByName("A").SetAsString(std::to_string(i));
                t.FieldByName("M").SetAsString(std::string(40000, 'x'));
                t.Post();
            }
            kill(getpid(), SIGKILL);
            return 0;
        });
        ASSERT_EQ(rc, -1);
        ASSERT_TRUE(fs::exists(folder + "/List_Berlap_PC.DB-journal")) << copy;
        if (copy)
            db::CopyTable("TR19", "Szamfejt_001", "List_Berlap_PC");
        else
            db::CreateTable("TR19", "List_Berlap_PC",
                            {{"B", FieldType::Integer}, {"C", FieldType::Float}, {"D", FieldType::Date}},
                            "B");
        EXPECT_EQ(Shell(folder + "/List_Berlap_PC.DB",
                        "PRAGMA integrity_check; SELECT count(*) FROM List_Berlap_PC"),
                  "ok\n0\n")
            << copy;
        EXPECT_EQ(db::ReadTableStructure("TR19", "List_Berlap_PC").size(), copy ? 6u : 3u);
    }
}

TEST_F(TableTest, BadFilesGiveEngineErrorsNamingTheTable) {
    // Not a database: a clear error and the file left as it was.
    const std::string junk = folder + "/Cegek.DB";
    os::WriteFileAtomic(junk, std::string(3000, 'x'));
    db::Table t;
    t.DatabaseName = "TR19";
    t.TableName = "Cegek";
    try {
        t.Open();
        FAIL();
    } catch (const db::EngineError& e) {
        EXPECT_NE(std::string(e.what()).find("Cegek"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(t.Active());
    EXPECT_EQ(os::ReadFile(junk), std::string(3000, 'x'));
    // Each failed open gives its file back: a form retried on the bad file
    // must not run out of descriptors.
    const auto openFiles = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
    };
    const auto filesBefore = openFiles();
    for (int i = 0; i < 200; ++i) EXPECT_THROW(t.Open(), db::EngineError);
    EXPECT_EQ(openFiles(), filesBefore);
    // A missing alias and a missing table name the table too.
    for (const auto& [alias, table] : {std::pair{"NINCSILYEN", "Cegek"}, std::pair{"TR19", "Hianyzik"}}) {
        t.DatabaseName = alias;
        t.TableName = table;
        try {
            t.Open();
            FAIL() << alias;
        } catch (const db::EngineError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(std::string(table) + ": ", 0), 0u) << e.what();
        }
    }

    // Locked by another process mid-write: the post fails naming the table,
    // the row stays in insert state.
    db::Engine::SetLockWait(100);
    db::Table p;
    OpenPayroll(p);
    sqlite3* other = nullptr;
    sqlite3_open((folder + "/Szamfejt_001.DB").c_str(), &other);
    sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    p.Append();
    p.FieldByName("SF_DGTORZSSZAM").SetAsString("9");
    p.FieldByName("SF_HONAP").SetAsInteger(1);
    p.FieldByName("SF_JCKOD").SetAsString("1");
    try {
        p.Post();
        FAIL();
    } catch (const db::EngineError& e) {
        EXPECT_NE(std::string(e.what()).find("Szamfejt_001"), std::string::npos) << e.what();
    }
    EXPECT_EQ(p.State(), db::DatasetState::Insert);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    p.Post();
    EXPECT_EQ(p.RecordCount(), 1);
    db::Engine::SetLockWait(3000);
}

// A page of the payroll table zeroed: whatever reaches it, a read, a save
// that replaces an employee's rows or a query, reports the table as damaged
// by its name, and never as a duplicate key.
TEST_F(TableTest, ADamagedTableIsNamedAsDamagedNeverAsADuplicate) {
    {
        db::Table t;
        OpenPayroll(t);
        db::Transaction tx{&t};
        for (int e = 1; e <= 40; ++e)
            for (int m = 1; m <= 12; ++m) {
                Put(t, std::to_string(100000 + e), m, "100", 1000);
                t.Edit();
                t.FieldByName("SF_MEGJ").SetAsString(std::string(20, 'a' + m));
                t.Post();
            }
        tx.Commit();
    }
    const std::string file = folder + "/Szamfejt_001.DB";
    const std::string sound = os::ReadFile(file);
    const size_t pageSize = 4096;
    ASSERT_EQ(Shell(file, "PRAGMA page_size"), std::to_string(pageSize) + "\n");
    int damaged = 0;
    for (size_t page = 1; page < sound.size() / pageSize; ++page) {
        std::string bytes = sound;
        std::fill_n(bytes.begin() + static_cast<long>(page * pageSize), pageSize, '\0');
        os::WriteFileAtomic(file, bytes);
        const auto check = [&](const char* what, const std::function<void()>& run) {
            try {
                run();
            } catch (const db::EngineError& e) {
                ++damaged;
                EXPECT_NE(e.Code(), db::EngineError::KeyViolation) << what << ", page " << page;
                EXPECT_EQ(std::string(e.what()).rfind("Szamfejt_001: A tábla megsérült! (", 0), 0u)
                    << what << ", page " << page << ": " << e.what();
            }
        };
        check("a re-save", [&] {
            db::Table t;
            OpenPayroll(t);
            db::Transaction tx{&t};
            const std::string employee = std::to_string(100000 + page % 40 + 1);
            bool found = t.Locate("SF_DGTORZSSZAM", Variant(employee));
            while (found && !t.Eof() && t.FieldByName("SF_DGTORZSSZAM").AsString() == employee) t.Delete();
            for (int m = 1; m <= 12; ++m) Put(t, employee, m, "100", 2000);
            tx.Commit();
        });
        check("a query", [&] {
            db::Query q;
            q.DatabaseName = "TR19";
            q.SetSQL("SELECT SF_HONAP, SUM(SF_OSSZEG) FROM Szamfejt_001 GROUP BY SF_MEGJ, SF_HONAP");
            q.Open();
        });
    }
    EXPECT_GT(damaged, 0);
}

// The quick check of a table file at rest: sound as written, not sound with
// records garbled or a page zeroed, nor when it is no table at all.
TEST_F(TableTest, QuickCheckOfATableFile) {
    {
        db::Table t;
        OpenPayroll(t);
        db::Transaction tx{&t};
        for (int e = 1; e <= 40; ++e)
            for (int m = 1; m <= 12; ++m) Put(t, std::to_string(100000 + e), m, "100", 1000);
        tx.Commit();
    }
    const std::string file = folder + "/Szamfejt_001.DB";
    const std::string sound = os::ReadFile(file);
    ASSERT_GT(sound.size(), 3 * 4096u);
    std::string garbled = sound;
    for (size_t i = garbled.size() - 1500; i < garbled.size(); ++i)
        garbled[i] = static_cast<char>(0xA5 ^ (i * 31));
    std::string zeroed = sound;
    std::fill_n(zeroed.begin() + 2 * 4096, 4096, '\0');
    struct Case {
        const char* what;
        std::string bytes;
        bool sound;
    };
    const Case cases[] = {{"as written", sound, true},
                          {"last 1500 bytes garbled", garbled, false},
                          {"third page zeroed", zeroed, false},
                          {"no table", "an older program's file", false}};
    for (const Case& c : cases) {
        os::WriteFileAtomic(file, c.bytes);
        EXPECT_EQ(db::TableFileSound(file), c.sound) << c.what;
    }
    EXPECT_FALSE(db::TableFileSound(folder + "/Nincs.DB"));
}

TEST_F(TableTest, FullDiskLeavesTheTableAsItWas) {
    db::CreateTable("TR19", "Megjegyzes", {{"KOD", FieldType::Integer}, {"SZOVEG", FieldType::Memo}}, "KOD");
    auto put = [](db::Table& t, int code) {
        t.Append();
        t.FieldByName("KOD").SetAsInteger(code);
        t.FieldByName("SZOVEG").SetAsString(std::string(40000, 'a' + code));
        t.Post();
    };
    {
        db::Table t;
        t.DatabaseName = "TR19";
        t.TableName = "Megjegyzes";
        t.Open();
        put(t, 1);
    }
    const std::string file = folder + "/Megjegyzes.DB";
    const std::string before = os::ReadFile(file);
    const std::string report = folder + "/error.txt";
    struct Case {
        const char* why;
        rlimit limit;
        bool transaction;
    };
    // The file size limit of the writing process stands for a full disk: a
    // write past it fails as a write on a full disk does.
    const Case cases[] = {
        {"the rollback journal cannot be written", {1024, 1024}, false},
        {"the table file cannot grow", {before.size(), before.size()}, false},
        {"a transaction's commit cannot be written", {before.size(), before.size()}, true},
    };
    for (const Case& c : cases) {
        const int rc = InChild([&] {
            signal(SIGXFSZ, SIG_IGN);
            setrlimit(RLIMIT_FSIZE, &c.limit);
            db::Table t;
            t.DatabaseName = "TR19";
            t.TableName = "Megjegyzes";
            t.Open();
            if (c.transaction) {
                db::Transaction tx{&t};
                put(t, 2);
                try {
                    tx.Commit();
                } catch (const db::EngineError& e) {
                    std::ofstream(report) << e.what();
                    // Rolled back at once: the table shows the rows of the file again.
                    return t.RecordCount() == 1 ? 0 : 2;
                }
                return 1;
            }
            try {
                put(t, 2);
            } catch (const db::EngineError& e) {
                std::ofstream(report) << e.what();
                return t.State() == db::DatasetState::Insert ? 0 : 2;
            }
            return 1;
        });
        EXPECT_EQ(rc, 0) << c.why;
        const std::string message = os::ReadFile(report);
        EXPECT_EQ(message.rfind("Megjegyzes: ", 0), 0u) << c.why << ": " << message;
        EXPECT_EQ(Shell(file, "PRAGMA integrity_check; SELECT count(*) FROM Megjegyzes"), "ok\n1\n") << c.why;
        EXPECT_EQ(os::ReadFile(file), before) << c.why;
        fs::remove(report);
    }
}

// Every record as the file holds it, in key order, fields as text.
std::vector<std::string> FreshRows(const std::string& alias, const std::string& table) {
    db::Table fresh;
    fresh.DatabaseName = alias;
    fresh.TableName = table;
    fresh.ReadOnly = true;
    fresh.Open();
    std::vector<std::string> rows;
    for (fresh.First(); !fresh.Eof(); fresh.Next()) {
        std::string r;
        for (int f = 0; f < fresh.FieldCount(); ++f) r += fresh.Fields(f).AsString() + "|";
        rows.push_back(r);
    }
    return rows;
}

// Posts, appends and deletes keep the records read ahead around them: what the
// table shows afterwards, moving either way from where it stands, is what a
// table opened anew reads. The table is large enough for its rows to be kept
// in several blocks.
TEST_F(TableTest, RecordsAroundOwnChangesReadAsTheFileHoldsThem) {
    db::Table t;
    OpenPayroll(t);
    const int rows = 1300;
    {
        db::Transaction tx{&t};
        for (int i = 0; i < rows; ++i) Put(t, "00" + std::to_string(1000 + i * 3), 1 + i % 12, "100", i);
        tx.Commit();
    }
    t.OnPostError = [](db::Dataset&, const db::DatabaseError&, db::DataAction& a) {
        a = db::DataAction::Abort;
    };
    std::mt19937 rng(11);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto put = [&](const std::string& id, int month, const std::string& code, double amount) {
        try {
            Put(t, id, month, code, amount);
        } catch (const db::AbortError&) {  // a key drawn twice
            t.Cancel();
        }
    };
    auto id = [&] { return "00" + std::to_string(1000 + pick(3 * rows)); };
    for (int step = 0; step < 80; ++step) {
        SCOPED_TRACE(step);
        // Somewhere to stand, read ahead from there.
        switch (pick(4)) {
            case 0:
                t.MoveBy(pick(160) - 80);
                break;
            case 1:
                t.Locate("SF_DGTORZSSZAM", Variant(id()));
                break;
            case 2:
                t.Last();
                t.MoveBy(-pick(70));
                break;
            default:
                t.First();
                t.MoveBy(pick(70));
                break;
        }
        const db::Bookmark stood = t.GetBookmark();
        // A change of one's own, inside a transaction or on its own.
        std::optional<db::Transaction> tx;
        if (pick(2)) tx.emplace(std::initializer_list<db::Table*>{&t});
        switch (pick(5)) {
            case 0:
                put(id(), 1 + pick(12), std::to_string(100 + pick(5)), pick(1000));
                break;
            case 1:
                if (!t.IsEmpty()) t.Delete();
                break;
            case 2:  // a new key moves the row
                t.Edit();
                t.FieldByName("SF_DGTORZSSZAM").SetAsString(id());
                t.FieldByName("SF_MEGJ").SetAsString("áthelyezve " + std::to_string(step));
                try {
                    t.Post();
                } catch (const db::AbortError&) {
                    t.Cancel();
                }
                break;
            case 3:  // a duplicate key is refused and changes nothing
                t.Edit();
                t.FieldByName("SF_HONAP").SetAsInteger(t.FieldByName("SF_HONAP").AsInteger());
                t.FieldByName("SF_OSSZEG").SetAsFloat(pick(1000) + 0.5);
                t.Post();
                if (t.RecNo() > 1) {
                    const std::string key = t.FieldByName("SF_DGTORZSSZAM").AsString();
                    const int month = t.FieldByName("SF_HONAP").AsInteger();
                    const std::string code = t.FieldByName("SF_JCKOD").AsString();
                    t.Prior();
                    t.Edit();
                    t.FieldByName("SF_DGTORZSSZAM").SetAsString(key);
                    t.FieldByName("SF_HONAP").SetAsInteger(month);
                    t.FieldByName("SF_JCKOD").SetAsString(code);
                    EXPECT_THROW(t.Post(), db::AbortError);
                    t.Cancel();
                }
                break;
            default:  // appended at the end
                put("009999", 12, std::to_string(900 + step), step);
                break;
        }
        if (tx) tx->Commit();
        const std::vector<std::string> want = FreshRows("TR19", "Szamfejt_001");
        ASSERT_EQ(t.RecordCount(), static_cast<int>(want.size()));
        const db::Bookmark here = t.GetBookmark();
        const int at = t.RecNo();
        auto row = [&] {
            std::string r;
            for (int f = 0; f < t.FieldCount(); ++f) r += t.Fields(f).AsString() + "|";
            return r;
        };
        // Where the change was made (the rows read ahead before it) and where
        // it left the table, each way, then all of it.
        if (stood && t.BookmarkValid(stood)) {
            t.GotoBookmark(stood);
            const int from = t.RecNo();
            for (int n = from; !t.Eof() && n < from + 80; ++n, t.Next())
                ASSERT_EQ(row(), want[n - 1]) << "row " << n;
            t.GotoBookmark(stood);
            for (int n = from; n >= 1 && n > from - 80; --n, t.Prior())
                ASSERT_EQ(row(), want[n - 1]) << "row " << n;
        }
        if (here) t.GotoBookmark(here);
        for (int n = at; n >= 1 && n > at - 80; --n, t.Prior()) ASSERT_EQ(row(), want[n - 1]) << "row " << n;
        int n = 1;
        for (t.First(); !t.Eof(); t.Next(), ++n) ASSERT_EQ(row(), want[n - 1]) << "row " << n;
        if (here) t.GotoBookmark(here);
    }
}

// What others committed meanwhile is read after one's own post as before: the
// records read ahead are read again once another connection, or another table
// of this process sharing a transaction, wrote the file.
TEST_F(TableTest, OthersWritesAreSeenAfterOwnPostsAndDeletes) {
    db::Table t;
    OpenPayroll(t);
    for (int i = 1; i <= 10; ++i) Put(t, "00000" + std::to_string(i - 1), 1, "100", i);
    const std::string file = t.FilePath();
    auto note = [&] {
        EXPECT_TRUE(t.Locate("SF_DGTORZSSZAM", Variant("000004")));
        return t.FieldByName("SF_MEGJ").AsString();
    };
    struct Case {
        const char* what;
        std::function<void()> ownChange;
    };
    const std::vector<Case> cases = {
        {"post",
         [&] {
             t.First();
             t.Edit();
             t.FieldByName("SF_OSSZEG").SetAsFloat(5);
             t.Post();
         }},
        {"append", [&] { Put(t, "000000", 2, "100", 1); }},
        {"delete",
         [&] {
             t.Last();
             t.Delete();
         }},
        {"edit",
         [&] {
             t.First();
             t.Edit();
             t.Cancel();
         }},
    };
    int round = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string other = "máshol " + std::to_string(++round);
        t.First();
        EXPECT_NE(note(), other);  // the records from there on are read ahead
        Shell(file, "UPDATE Szamfejt_001 SET SF_MEGJ = '" + other + "' WHERE SF_DGTORZSSZAM = '000004'");
        c.ownChange();
        EXPECT_EQ(note(), other);
    }

    // Two tables on one file in one transaction share its connection.
    db::Table second;
    OpenPayroll(second);
    {
        db::Transaction tx{&t, &second};
        t.First();
        EXPECT_EQ(note(), "máshol 4");
        second.Locate("SF_DGTORZSSZAM", Variant("000004"));
        second.Edit();
        second.FieldByName("SF_MEGJ").SetAsString("a másik");
        second.Post();
        t.First();
        t.Edit();
        t.FieldByName("SF_OSSZEG").SetAsFloat(6);
        t.Post();
        EXPECT_EQ(note(), "a másik");
        tx.Commit();
    }
}

// A record one posted reads, before and after an edit inside a transaction,
// as the file gives it back: an empty text is null, a date a whole day, a
// time of day as stored.
TEST_F(TableTest, PostedRecordsReadAsTheFileGivesThemBack) {
    db::CreateTable("TR19", "Ertekek",
                    {{"KOD", FieldType::String, 6, true},
                     {"SZOVEG", FieldType::String, 20},
                     {"DARAB", FieldType::SmallInt},
                     {"OSSZEG", FieldType::Float},
                     {"NAP", FieldType::Date},
                     {"IDOPONT", FieldType::DateTime},
                     {"JELZO", FieldType::Boolean}},
                    "KOD");
    struct Case {
        const char* what;
        std::function<void(db::Table&)> set;
    };
    const double day = os::EncodeDate(2019, 3, 4);
    const std::vector<Case> cases = {
        {"empty text", [](db::Table& t) { t.FieldByName("SZOVEG").SetAsString(""); }},
        {"text and number",
         [](db::Table& t) {
             t.FieldByName("SZOVEG").SetAsString("Őrség");
             t.FieldByName("DARAB").SetAsInteger(7);
             t.FieldByName("OSSZEG").SetAsFloat(1234.5);
         }},
        {"date with a time of day", [&](db::Table& t) { t.FieldByName("NAP").SetAsDateTime(day + 0.75); }},
        {"date and time", [&](db::Table& t) { t.FieldByName("IDOPONT").SetAsDateTime(day + 0.5); }},
        {"whole day as date and time", [&](db::Table& t) { t.FieldByName("IDOPONT").SetAsDateTime(day); }},
        {"day zero", [](db::Table& t) { t.FieldByName("NAP").SetAsDateTime(0); }},
        {"flag", [](db::Table& t) { t.FieldByName("JELZO").SetAsBoolean(true); }},
    };
    auto row = [](db::Dataset& t) {
        std::string r;
        for (int f = 0; f < t.FieldCount(); ++f)
            r += t.Fields(f).IsNull() ? std::string("null|") : "'" + t.Fields(f).AsString() + "'|";
        return r;
    };
    auto fresh = [&](const std::string& kod) {
        db::Table f;
        f.DatabaseName = "TR19";
        f.TableName = "Ertekek";
        f.ReadOnly = true;
        f.Open();
        EXPECT_TRUE(f.Locate("KOD", Variant(kod)));
        return row(f);
    };
    db::Table t;
    t.DatabaseName = "TR19";
    t.TableName = "Ertekek";
    t.Open();
    int n = 0;
    for (bool inTransaction : {false, true})
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (inTransaction ? ", in a transaction" : ""));
            const std::string kod = "K" + std::to_string(++n);
            std::optional<db::Transaction> tx;
            if (inTransaction) tx.emplace(std::initializer_list<db::Table*>{&t});
            t.Append();
            t.FieldByName("KOD").SetAsString(kod);
            c.set(t);
            t.Post();
            if (tx) tx->Commit();
            EXPECT_EQ(row(t), fresh(kod));
            // An edit of the record just posted, and the neighbours around it.
            if (inTransaction) tx.emplace(std::initializer_list<db::Table*>{&t});
            t.Edit();
            EXPECT_EQ(row(t), fresh(kod));
            t.FieldByName("DARAB").SetAsInteger(n);
            t.Post();
            t.Prior();
            t.Next();
            t.Edit();
            t.FieldByName("SZOVEG").SetAsString(t.FieldByName("SZOVEG").AsString());
            t.Post();
            if (tx) tx->Commit();
            EXPECT_EQ(row(t), fresh(kod));
        }
}

// The rows of a month in a table ordered by employee first are found from
// the keys of the order, in that order, with what one posted included.
TEST_F(TableTest, KeyMatchesFindTheRowsOfAFieldOfTheOrder) {
    db::Table t;
    t.DatabaseName = "TR19";
    t.TableName = "Szamfejt_001";
    t.IndexFieldNames = "SF_DGTORZSSZAM;SF_HONAP";
    t.Open();
    for (const char* id : {"000003", "000001", "000002"})
        for (int m : {12, 3, 1}) Put(t, id, m, "100", m);
    Put(t, "000002", 3, "200", 3);
    auto scan = [&](const std::function<bool()>& match) {
        std::vector<db::Bookmark> out;
        for (t.First(); !t.Eof(); t.Next())
            if (match()) out.push_back(t.GetBookmark());
        return out;
    };
    struct Case {
        const char* field;
        Variant value;
        std::function<bool()> match;
    };
    const std::vector<Case> cases = {
        {"SF_HONAP", Variant(3), [&] { return t.FieldByName("SF_HONAP").AsInteger() == 3; }},
        {"SF_HONAP", Variant("12"), [&] { return t.FieldByName("SF_HONAP").AsInteger() == 12; }},
        {"SF_HONAP", Variant(5), [] { return false; }},
        {"SF_DGTORZSSZAM", Variant("000002"),
         [&] { return t.FieldByName("SF_DGTORZSSZAM").AsString() == "000002"; }},
        {"sf_dgtorzsszam", Variant("00000"), [] { return false; }},
    };
    for (int round = 0; round < 2; ++round) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.field) + " " + c.value.ToString() + " round " + std::to_string(round));
            EXPECT_EQ(t.KeyMatches(c.field, c.value), scan(c.match));
        }
        // A row moved to another employee and month by one's own post.
        ASSERT_TRUE(t.Locate("SF_DGTORZSSZAM;SF_HONAP", {Variant("000003"), Variant(round == 0 ? 1 : 12)}));
        t.Edit();
        t.FieldByName("SF_DGTORZSSZAM").SetAsString("000001");
        t.FieldByName("SF_HONAP").SetAsInteger(3 + round);
        t.FieldByName("SF_JCKOD").SetAsString("300");
        t.Post();
    }
    EXPECT_THROW(t.KeyMatches("SF_JCKOD", Variant("100")), db::DatabaseError);
}

// A session keeps its connection from one Open to the next, and still reads
// what the files hold: rows others added, a column others added, a table
// made anew, a table gone.
TEST_F(TableTest, QueriesOfASessionReadTheFilesAsTheyAreNow) {
    db::Table t;
    OpenPayroll(t);
    Put(t, "000001", 1, "100", 10);
    Put(t, "000002", 1, "100", 20);
    const std::string file = t.FilePath();
    t.Close();
    db::CreateTable("TR19", "Dolgozo_001", {{"DG_TORZSSZAM", FieldType::String, 6}}, "DG_TORZSSZAM");
    db::Session session;
    db::Query rows, employees;
    for (db::Query* q : {&rows, &employees}) {
        q->DatabaseName = "TR19";
        q->SetSession(&session);
    }
    rows.SetSQL("SELECT * FROM Szamfejt_001 WHERE SF_DGTORZSSZAM = :e ORDER BY SF_JCKOD");
    employees.SetSQL("SELECT COUNT(*) AS N FROM dolgozo_001");
    auto read = [&](const std::string& id) {
        rows.Close();
        rows.ParamByName("e").SetAsString(id);
        rows.Open();
        std::string out;
        for (; !rows.Eof(); rows.Next())
            out += rows.FieldByName("SF_JCKOD").AsString() + "=" + rows.FieldByName("SF_OSSZEG").AsString() +
                   ";";
        return out;
    };
    EXPECT_EQ(read("000001"), "100=10;");
    employees.Open();
    EXPECT_EQ(employees.FieldByName("N").AsInteger(), 0);
    EXPECT_EQ(read("000002"), "100=20;");

    Shell(file,
          "INSERT INTO Szamfejt_001 (SF_DGTORZSSZAM, SF_HONAP, SF_JCKOD, SF_OSSZEG) VALUES "
          "('000001', 1, '200', 5)");
    EXPECT_EQ(read("000001"), "100=10;200=5;");

    Shell(file, "ALTER TABLE Szamfejt_001 ADD COLUMN SF_UJ INTEGER; UPDATE Szamfejt_001 SET SF_UJ = 7");
    read("000001");
    ASSERT_NE(rows.FindField("SF_UJ"), nullptr);
    rows.First();
    EXPECT_EQ(rows.FieldByName("SF_UJ").AsInteger(), 7);

    // Made anew: another file under the same name.
    db::CreateTable("TR19", "Szamfejt_001",
                    {{"SF_DGTORZSSZAM", FieldType::String, 6, true},
                     {"SF_JCKOD", FieldType::String, 4, true},
                     {"SF_OSSZEG", FieldType::Float}},
                    "SF_DGTORZSSZAM;SF_JCKOD");
    Shell(file, "INSERT INTO Szamfejt_001 VALUES ('000001', '300', 1.5)");
    EXPECT_EQ(read("000001"), "300=1.5;");
    EXPECT_EQ(rows.FindField("SF_HONAP"), nullptr);
    employees.Close();
    employees.Open();
    EXPECT_EQ(employees.FieldByName("N").AsInteger(), 0);

    db::DeleteTable("TR19", "Szamfejt_001");
    rows.Close();
    EXPECT_THROW(rows.Open(), db::DatabaseError);
}

// A session's query that runs again keeps its fields while the columns stay
// as they were, and takes a column's new type when the table is made anew
// with it (same names, same statement).
TEST_F(TableTest, SessionQueryTakesTheNewTypeOfAColumn) {
    const auto make = [](FieldType amount, const std::string& value) {
        db::CreateTable(
            "TR19", "Adat",
            {{"KOD", FieldType::String, 6, true}, {"ERTEK", amount, amount == FieldType::Float ? 0 : 10}},
            "KOD");
        Shell(db::TableFilePath("TR19", "Adat"), "INSERT INTO Adat VALUES ('1', " + value + ")");
    };
    db::Session session;
    db::Query q;
    q.DatabaseName = "TR19";
    q.SetSession(&session);
    q.SetSQL("SELECT * FROM Adat WHERE KOD = :k");
    q.ParamByName("k").SetAsString("1");
    const auto read = [&] {
        q.Close();
        q.Open();
        return std::pair{q.FieldByName("ERTEK").DataType(), q.FieldByName("ERTEK").AsString()};
    };
    make(FieldType::Float, "1.5");
    EXPECT_EQ(read(), std::pair(FieldType::Float, std::string("1.5")));
    q.FieldByName("ERTEK").DisplayLabel = "Érték";
    EXPECT_EQ(read(), std::pair(FieldType::Float, std::string("1.5")));
    EXPECT_EQ(q.FieldByName("ERTEK").DisplayName(), "ERTEK") << "an open makes its fields anew";
    make(FieldType::String, "'sok'");
    EXPECT_EQ(read(), std::pair(FieldType::String, std::string("sok")));
}

// Posts one after another write each record's own values: a field empty in
// one record and filled in the one before (or after) is stored as it is, by
// an insert and by an update alike.
TEST_F(TableTest, EachPostWritesItsOwnEmptyAndFilledFields) {
    db::Table t;
    OpenPayroll(t);
    struct Row {
        const char* id;
        const char* note;  // nullptr: empty
        double amount;     // 0: empty
    };
    const Row rows[] = {{"000001", "első", 10},  {"000002", nullptr, 0},   {"000003", "harmadik", 0},
                        {"000004", nullptr, 40}, {"000005", "ötödik", 50}, {"000006", nullptr, 0}};
    const auto fill = [&](const Row& r) {
        if (r.note)
            t.FieldByName("SF_MEGJ").SetAsString(r.note);
        else
            t.FieldByName("SF_MEGJ").Clear();
        if (r.amount)
            t.FieldByName("SF_OSSZEG").SetAsFloat(r.amount);
        else
            t.FieldByName("SF_OSSZEG").Clear();
    };
    for (const Row& r : rows) {
        t.Append();
        t.FieldByName("SF_DGTORZSSZAM").SetAsString(r.id);
        t.FieldByName("SF_HONAP").SetAsInteger(1);
        t.FieldByName("SF_JCKOD").SetAsString("100");
        fill(r);
        t.Post();
    }
    const auto stored = [&] {
        return Shell(t.FilePath(),
                     "SELECT SF_DGTORZSSZAM, IFNULL(SF_MEGJ, '-'), IFNULL(SF_OSSZEG, '-') FROM Szamfejt_001 "
                     "ORDER BY SF_DGTORZSSZAM");
    };
    EXPECT_EQ(stored(),
              "000001|első|10.0\n000002|-|-\n000003|harmadik|-\n000004|-|40.0\n000005|ötödik|50.0\n"
              "000006|-|-\n");
    // Updated in the reverse order, each row taking the values of its mirror.
    for (int i = 5; i >= 0; --i) {
        ASSERT_TRUE(t.Locate("SF_DGTORZSSZAM", Variant(rows[i].id)));
        t.Edit();
        fill(rows[5 - i]);
        t.Post();
    }
    EXPECT_EQ(stored(),
              "000001|-|-\n000002|ötödik|50.0\n000003|-|40.0\n000004|harmadik|-\n000005|-|-\n"
              "000006|első|10.0\n");
}

// Values drawn from a table are read again when what it gives may have
// changed: its rows read again after a commit, or a write of its own.
TEST_F(TableTest, ContentVersionChangesWhenTheRowsMayHave) {
    db::Table t;
    OpenPayroll(t);
    Put(t, "000001", 1, "100", 10);
    long long seen = t.ContentVersion();
    const auto changed = [&] {
        const bool c = t.ContentVersion() != seen;
        seen = t.ContentVersion();
        return c;
    };
    t.Refresh();  // reads once after its own post
    changed();
    t.Refresh();
    EXPECT_FALSE(changed()) << "nobody wrote the file";
    Shell(t.FilePath(), "UPDATE Szamfejt_001 SET SF_OSSZEG = 11");
    t.Refresh();
    EXPECT_TRUE(changed()) << "another connection's commit";
    db::Table other;
    OpenPayroll(other);
    Put(other, "000002", 1, "100", 20);
    t.Refresh();
    EXPECT_TRUE(changed()) << "another table of the process";
    Put(t, "000003", 1, "100", 30);
    EXPECT_TRUE(changed()) << "its own post";
    t.Last();
    t.Delete();
    EXPECT_TRUE(changed()) << "its own delete";
}

TEST_F(TableTest, QueryJoinGroupNotInAndBoundParameters) {
    db::CreateTable("TR19", "Dolgozo_001",
                    {{"DG_TORZSSZAM", FieldType::String, 6}, {"DG_NEV", FieldType::String, 30}},
                    "DG_TORZSSZAM");
    db::Table d, s;
    d.DatabaseName = "TR19";
    d.TableName = "Dolgozo_001";
    d.Open();
    for (auto [id, name] :
         {std::pair{"1", "Zoltán Ödön"}, {"2", "Ábel Anna"}, {"3", "Csaba O'Brien"}, {"4", "Cecil Éva"}}) {
        d.Append();
        d.FieldByName("DG_TORZSSZAM").SetAsString(id);
        d.FieldByName("DG_NEV").SetAsString(name);
        d.Post();
    }
    OpenPayroll(s);
    Put(s, "1", 1, "100", 1000);
    Put(s, "1", 2, "100", 500);
    Put(s, "2", 1, "100", 700);
    Put(s, "3", 1, "300", 50);
    s.Edit();
    s.FieldByName("SF_KIFIZDAT").SetAsDateTime(os::EncodeDate(2019, 2, 5));
    s.Post();

    db::Query q;
    q.DatabaseName = "TR19";
    q.SetSQL(
        "SELECT d.DG_NEV, SUM(s.SF_OSSZEG) AS OSSZ, COUNT(*) AS DB FROM Dolgozo_001 d JOIN Szamfejt_001 s "
        "ON s.SF_DGTORZSSZAM = d.DG_TORZSSZAM WHERE s.SF_JCKOD < :kod GROUP BY d.DG_NEV ORDER BY d.DG_NEV "
        "COLLATE HU");
    q.ParamByName("kod").SetAsString("300");
    q.Open();
    ASSERT_EQ(q.RecordCount(), 2);
    EXPECT_EQ(q.FieldByName("DG_NEV").AsString(), "Ábel Anna");  // Hungarian order: Á before Z
    EXPECT_EQ(q.FieldByName("OSSZ").AsFloat(), 700);
    q.Next();
    EXPECT_EQ(q.FieldByName("OSSZ").AsFloat(), 1500);
    EXPECT_EQ(q.FieldByName("DB").AsInteger(), 2);
    EXPECT_THROW(q.Edit(), db::DatabaseError);

    // NOT IN subselect; a parameter with an apostrophe is bound, not pasted.
    q.SetSQL(
        "SELECT DG_NEV FROM Dolgozo_001 WHERE DG_TORZSSZAM NOT IN (SELECT SF_DGTORZSSZAM FROM Szamfejt_001) "
        "OR DG_NEV = :nev ORDER BY DG_NEV");
    q.ParamByName("nev").SetAsString("Csaba O'Brien");
    q.Open();
    std::vector<std::string> names;
    for (; !q.Eof(); q.Next()) names.push_back(q.FieldByName("DG_NEV").AsString());
    EXPECT_EQ(names,
              (std::vector<std::string>{"Cecil Éva", "Csaba O'Brien"}));  // "Cs" is one letter after "C"

    q.SetSQL("SELECT SF_KIFIZDAT FROM Szamfejt_001 WHERE SF_KIFIZDAT = :datum");
    q.ParamByName("datum").SetAsDate(os::EncodeDate(2019, 2, 5));
    q.Open();
    EXPECT_EQ(q.RecordCount(), 1);
    EXPECT_EQ(q.FieldByName("SF_KIFIZDAT").AsString(), "2019.02.05");
    EXPECT_THROW(q.ParamByName("nincs"), db::DatabaseError);

    q.SetSQL("ALTER TABLE Dolgozo_001 ADD DG_UJ INT");
    q.ExecSQL();
    d.Close();
    d.Open();
    EXPECT_EQ(d.FieldByName("DG_UJ").DataType(), FieldType::Integer);
}

TEST_F(TableTest, QueryJoinsTheSameTableNameOfASecondAlias) {
    // Last year's folder: a path the SQL could not carry, tables of the same names.
    const std::string old = home.Path() + "/Tavrina/O'Brien 2018";
    fs::create_directories(old);
    db::Engine::AddStandardAlias("TR18", old);
    db::CreateTable("TR18", "Szamfejt_001",
                    {{"SF_DGTORZSSZAM", FieldType::String, 6}, {"SF_OSSZEG", FieldType::Float}},
                    "SF_DGTORZSSZAM");
    for (const char* alias : {"TR19", "TR18"})
        db::CreateTable(alias, "Dolgozo_001",
                        {{"DG_TORZSSZAM", FieldType::String, 6}, {"DG_ADOAZ", FieldType::String, 10}},
                        "DG_TORZSSZAM");
    db::Table s, d, olds, oldd;
    OpenPayroll(s);
    Put(s, "1", 1, "100", 1000);
    auto open = [](db::Table& t, const char* alias, const char* name) {
        t.DatabaseName = alias;
        t.TableName = name;
        t.Open();
    };
    auto row = [](db::Table& t, std::vector<std::pair<const char*, Variant>> values) {
        t.Append();
        for (auto& [f, v] : values) t.FieldByName(f).SetValue(v);
        t.Post();
    };
    open(d, "TR19", "Dolgozo_001");
    open(olds, "TR18", "Szamfejt_001");
    open(oldd, "TR18", "Dolgozo_001");
    row(d, {{"DG_TORZSSZAM", Variant("1")}, {"DG_ADOAZ", Variant("8888")}});
    row(oldd, {{"DG_TORZSSZAM", Variant("7")}, {"DG_ADOAZ", Variant("8888")}});
    row(olds, {{"SF_DGTORZSSZAM", Variant("7")}, {"SF_OSSZEG", Variant(70.0)}});

    db::Query q;
    q.DatabaseName = "TR19";
    // An unqualified name stays this year's table, the schema's name last year's,
    // in either spelling; the same name joined with itself across the years.
    q.SetSQL(
        "Select d.DG_TORZSSZAM, s.SF_OSSZEG From Szamfejt_001 s Inner Join Dolgozo_001 d "
        "On s.SF_DGTORZSSZAM = d.DG_TORZSSZAM Union All "
        "Select d.DG_TORZSSZAM, os.SF_OSSZEG From ELOZO.szamfejt_001 os "
        "Inner Join Elozo.\"Dolgozo_001\" od On os.SF_DGTORZSSZAM = od.DG_TORZSSZAM "
        "Inner Join Dolgozo_001 d On d.DG_ADOAZ = od.DG_ADOAZ And od.DG_ADOAZ = :adoaz "
        "Order By 2");
    q.AddSchema("Elozo", "TR18");
    q.ParamByName("adoaz").SetAsString("8888");
    q.Open();
    ASSERT_EQ(q.RecordCount(), 2);
    EXPECT_EQ(q.FieldByName("DG_TORZSSZAM").AsString(), "1");
    EXPECT_EQ(q.FieldByName("SF_OSSZEG").AsFloat(), 70);
    q.Next();
    EXPECT_EQ(q.FieldByName("SF_OSSZEG").AsFloat(), 1000);

    // A column named through its schema and table.
    q.SetSQL("Select Elozo.Szamfejt_001.SF_OSSZEG From Elozo.Szamfejt_001");
    q.AddSchema("elozo", "TR18");
    q.Open();
    EXPECT_EQ(q.FieldByName("SF_OSSZEG").AsFloat(), 70);

    // A new statement forgets the schema; a missing file of the schema is
    // the engine's error naming the table.
    q.SetSQL("Select * From Elozo.Szamfejt_001");
    EXPECT_THROW(q.Open(), db::DatabaseError);
    q.SetSQL("Select * From Elozo.Jogcim_001");
    q.AddSchema("Elozo", "TR18");
    try {
        q.Open();
        ADD_FAILURE() << "no error";
    } catch (const db::DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("Jogcim_001"), std::string::npos) << e.what();
    }
}

TEST_F(TableTest, TransactionOverTwoTables) {
    db::CreateTable("TR19", "Dolgozo_001", {{"DG_TORZSSZAM", FieldType::String, 6}}, "DG_TORZSSZAM");
    {
        db::Table s, d;
        OpenPayroll(s);
        Put(s, "1", 1, "100", 1);
        d.DatabaseName = "TR19";
        d.TableName = "Dolgozo_001";
        d.Open();
        // An exception inside the guard rolls both back.
        try {
            db::Transaction tx{&s, &d};
            Put(s, "1", 2, "100", 1);
            d.Append();
            d.FieldByName("DG_TORZSSZAM").SetAsString("1");
            d.Post();
            throw std::runtime_error("stop");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(s.RecordCount(), 1);
        EXPECT_EQ(d.RecordCount(), 0);
        {
            db::Transaction tx{&s, &d};
            s.First();
            s.Delete();
            d.Append();
            d.FieldByName("DG_TORZSSZAM").SetAsString("2");
            d.Post();
            tx.Commit();
        }
        EXPECT_EQ(Shell(folder + "/Szamfejt_001.DB", "SELECT count(*) FROM Szamfejt_001"), "0\n");
        EXPECT_EQ(Shell(folder + "/Dolgozo_001.DB", "SELECT count(*) FROM Dolgozo_001"), "1\n");
    }
    // A process killed inside the transaction leaves both files as they were.
    const int rc = InChild([&] {
        db::Table s, d;
        OpenPayroll(s);
        d.DatabaseName = "TR19";
        d.TableName = "Dolgozo_001";
        d.Open();
        db::Transaction tx{&s, &d};
        for (int i = 0; i < 2000; ++i) Put(s, std::to_string(i), 1, "100", i);
        d.First();
        d.Delete();
        kill(getpid(), SIGKILL);
        return 0;
    });
    EXPECT_EQ(rc, -1);
    EXPECT_EQ(Shell(folder + "/Szamfejt_001.DB", "PRAGMA integrity_check; SELECT count(*) FROM Szamfejt_001"),
              "ok\n0\n");
    EXPECT_EQ(
        Shell(folder + "/Dolgozo_001.DB", "PRAGMA integrity_check; SELECT DG_TORZSSZAM FROM Dolgozo_001"),
        "ok\n2\n");
}

// Twelve tables are more files than one SQLite connection may attach: the
// guard still makes or undoes their writes together, also when the commit of
// the last ones fails after the first ones were committed.
TEST_F(TableTest, TransactionOverTwelveTables) {
    std::vector<std::unique_ptr<db::Table>> tables;
    std::vector<db::Table*> all;
    for (int i = 0; i < 12; ++i) {
        const std::string name = "Lap" + std::to_string(i) + "_001";
        db::CreateTable("TR19", name, {{"K", FieldType::String, 6}, {"V", FieldType::Integer}}, "K");
        auto t = std::make_unique<db::Table>();
        t->DatabaseName = "TR19";
        t->TableName = name;
        t->Open();
        all.push_back(t.get());
        tables.push_back(std::move(t));
    }
    const auto addRow = [&](const std::string& key) {
        for (db::Table* t : all) {
            t->Append();
            t->FieldByName("K").SetAsString(key);
            t->FieldByName("V").SetAsInteger(1);
            t->Post();
        }
    };
    const auto counts = [&] {
        std::string out;
        for (int i = 0; i < 12; ++i) {
            const std::string name = "Lap" + std::to_string(i) + "_001";
            out += Shell(folder + "/" + name + ".DB", "SELECT count(*) FROM " + name);
        }
        return out;
    };
    const auto same = [](const std::string& line) {
        std::string out;
        for (int i = 0; i < 12; ++i) out += line;
        return out;
    };
    try {
        db::Transaction tx(all);
        addRow("a");
        throw std::runtime_error("stop");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(counts(), same("0\n"));
    for (db::Table* t : all) EXPECT_EQ(t->RecordCount(), 0);
    {
        db::Transaction tx(all);
        addRow("b");
        tx.Commit();
    }
    EXPECT_EQ(counts(), same("1\n"));

    // A reader of the last table keeps its file from being committed.
    sqlite3* reader = nullptr;
    ASSERT_EQ(sqlite3_open((folder + "/Lap11_001.DB").c_str(), &reader), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(reader, "BEGIN; SELECT count(*) FROM Lap11_001", nullptr, nullptr, nullptr),
              SQLITE_OK);
    db::Engine::SetLockWait(50);
    {
        db::Transaction tx(all);
        addRow("c");
        EXPECT_THROW(tx.Commit(), db::EngineError);
    }
    db::Engine::SetLockWait(3000);
    sqlite3_exec(reader, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(reader);
    EXPECT_EQ(counts(), same("1\n"));
    for (db::Table* t : all) EXPECT_EQ(t->RecordCount(), 1);
    EXPECT_EQ(Shell(folder + "/Lap0_001.DB", "PRAGMA integrity_check"), "ok\n");
}

}  // namespace
