// The program's save paths, run so that scripts/crash-trials.sh can kill them
// at random moments, and the check of what a killed run left:
//   crash_trial prepare <kind>   the data folder under $HOME before the run
//   crash_trial run <kind>       the save path; "<HOME>/started" marks its start
//   crash_trial snapshot <kind>  what the data folder holds, one line a unit
//   crash_trial check <kind> <before> <after>
//                                the start-up's recovery, then every table file
//                                sound and every unit as before or as after
// Kinds: payroll (the month of 50 employees saved one by one), backup,
// restore (company 001 from an archive), company (a new company 002).
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "backup/DataFolderBackup.h"
#include "backup/zip/UnZipper.h"
#include "backup/zip/Zipper.h"
#include "core/CegTablak.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "core/TableCatalog.h"
#include "platform/db/Table.h"
#include "platform/os/DayNumber.h"
#include "support/CompanyFixture.h"
#include "support/TestCompany.h"

namespace {

namespace fs = std::filesystem;

const int kEmployees = 50;

std::string Home() { return std::getenv("HOME"); }
std::string Data() { return AliasUtvonal(AktualisAlias); }
std::string Archive() { return Home() + "/backup/company.zip"; }

std::string Id(int i) {
    char id[12];
    std::snprintf(id, sizeof id, "%011d", i + 1);
    return id;
}

// Rows of a statement as one text, and whether it ran.
bool Rows(sqlite3* db, const std::string& sql, std::string& out) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) return false;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            const unsigned char* v = sqlite3_column_text(st, c);
            out += v ? reinterpret_cast<const char*>(v) : "\x01";
            out += '\t';
        }
        out += '\n';
    }
    sqlite3_finalize(st);
    return rc == SQLITE_DONE;
}

// Opens a table file read-write, so a journal a killed writer left is rolled
// back as any later opening would.
sqlite3* OpenFile(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, 5000);
    return db;
}

std::vector<std::string> TableFiles() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(Data()))
        if (e.path().extension() == ".DB") names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Every unit of the data folder and a digest of what it holds: a table file
// each, but for the payroll run one employee's month each.
std::map<std::string, std::string> Snapshot(const std::string& kind) {
    std::map<std::string, std::string> units;
    for (const std::string& name : TableFiles()) {
        sqlite3* db = OpenFile(Data() + "/" + name);
        std::string rows;
        std::string tables;
        if (!db || !Rows(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name", tables)) {
            units["file " + name] = "unreadable";
            sqlite3_close(db);
            continue;
        }
        const std::string table = tables.substr(0, tables.find('\t'));
        if (kind == "payroll" && name == "Szamfejt_001.DB") {
            std::string all;
            Rows(db,
                 "SELECT SF_DGTORZSSZAM, SF_SORSZAM, SF_JCKOD, SF_OSSZEG, SF_HONAP FROM \"" + table +
                     "\" ORDER BY SF_DGTORZSSZAM, SF_SORSZAM, SF_JCKOD",
                 all);
            std::map<std::string, std::string> byEmployee;
            for (size_t at = 0; at < all.size();) {
                const size_t end = all.find('\n', at);
                const std::string line = all.substr(at, end - at + 1);
                byEmployee[line.substr(0, line.find('\t'))] += line;
                at = end + 1;
            }
            for (int i = 0; i < kEmployees; ++i)
                units["employee " + Id(i)] = std::to_string(std::hash<std::string>{}(byEmployee[Id(i)]));
        } else {
            Rows(db, "SELECT * FROM \"" + table + "\" ORDER BY rowid", rows);
            units["file " + name] = std::to_string(std::hash<std::string>{}(rows));
        }
        sqlite3_close(db);
    }
    return units;
}

void WriteSnapshot(const std::map<std::string, std::string>& units) {
    for (const auto& [unit, digest] : units) std::cout << unit << '\t' << digest << '\n';
}

std::map<std::string, std::string> ReadSnapshot(const std::string& path) {
    std::map<std::string, std::string> units;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const size_t tab = line.rfind('\t');
        units[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return units;
}

void SetStanding(int amount) {
    db::Table t;
    t.DatabaseName = AktualisAlias;
    t.TableName = "RJogcim_001";
    t.Open();
    for (t.First(); !t.Eof(); t.Next())
        if (t.FieldByName("RJ_JCKOD").AsString() == "120") {
            t.Edit();
            t.FieldByName("RJ_OSSZEG").SetAsFloat(amount);
            t.Post();
        }
}

void SavePayroll() {
    payroll::RunLoader loader({AktualisAlias, "TR18", "001", 2019});
    db::Table table;
    table.DatabaseName = AktualisAlias;
    table.TableName = "Szamfejt_001";
    for (int i = 0; i < kEmployees; ++i)
        enginetest::RunAndSave(loader, table, Id(i), 3, os::EncodeDate(2019, 4, 10));
}

// Company 001 with 50 employees whose March is saved, an archive of the
// folder, then March saved again with other standing items, which change once
// more, so that the run saves other rows again.
void Prepare() {
    enginetest::MakeTestCompany(AktualisAlias);
    enginetest::Lines employees = {{"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD", "DG_BELEPDAT", "DG_BERFORM",
                                    "DG_ALKMIN", "DG_ALAPBER", "DG_NAPIKOTORA", "DG_NYUGJAR",
                                    "DG_EGBIZJARTERM", "DG_EGBIZJARPENZ", "DG_SZHA"}};
    enginetest::Lines standing = {{"RJ_DGTORZSSZAM", "RJ_JCKOD", "RJ_SORSZAM", "RJ_DGNEV", "RJ_OSSZEG"}};
    for (int i = 0; i < kEmployees; ++i) {
        employees.push_back({Id(i), "Dolgozó " + Id(i), "000001", "2015.01.01", "1", "1",
                             std::to_string(200000 + i * 1000), "8", "I", "I", "I", "I"});
        standing.push_back({Id(i), "120", "1", "Dolgozó", "25000"});
    }
    enginetest::WriteRows(AktualisAlias, "Dolgozo_001", employees);
    enginetest::WriteRows(AktualisAlias, "RJogcim_001", standing);
    SavePayroll();
    fs::create_directories(Home() + "/backup");
    TZipper zipper;
    BackupDataFolder(zipper, Data(), Archive());
    SetStanding(30000);
    SavePayroll();
    SetStanding(35000);
}

void Started() { std::ofstream(Home() + "/started") << "started\n"; }

void Run(const std::string& kind) {
    if (kind == "payroll") {
        Started();
        SavePayroll();
    } else if (kind == "backup") {
        TZipper zipper;
        Started();
        BackupDataFolder(zipper, Data(), Home() + "/backup/TR19_19-04-10_12-00-00.zip");
    } else if (kind == "restore") {
        TUnZipper unzipper;
        Started();
        RestoreDataFolder(unzipper, Data(), Archive(), RestoreScope::Company, "001");
    } else if (kind == "company") {
        Started();
        testsupport::RegisterNewCompany("002", "Második Kft.");
    }
}

// A new company is there whole (its row and every core table, each sound)
// or not at all.
std::string CompanyWholeOrAbsent() {
    sqlite3* db = OpenFile(Data() + "/Cegek.DB");
    std::string rows;
    if (!db || !Rows(db, "SELECT CG_KOD FROM Cegek WHERE CG_KOD = '002'", rows)) {
        sqlite3_close(db);
        return "Cegek cannot be read";
    }
    sqlite3_close(db);
    int files = 0;
    for (const std::string& name : TableFiles()) files += name.find("_002.") != std::string::npos;
    if (rows.empty())
        return files == 0 ? "" : "company 002 has no row but " + std::to_string(files) + " tables";
    for (const TableComponent& c : TableComponents()) {
        if (c.set != ComponentSet::Core) continue;
        const std::string name = CompanyTableName(c.baseName, "002");
        try {
            db::Table t;
            t.DatabaseName = AktualisAlias;
            t.TableName = name;
            t.Open();
        } catch (const std::exception& e) {
            return "company 002 lacks " + name + ": " + e.what();
        }
    }
    return "";
}

// The start-up's recovery, then the checks; prints the outcome.
int Check(const std::string& kind, const std::string& beforePath, const std::string& afterPath) {
    CompleteInterruptedRestore(Data());
    FelbeszakadtCegekTorlese();
    for (const std::string& name : TableFiles()) {
        sqlite3* db = OpenFile(Data() + "/" + name);
        std::string result;
        if (!db || !Rows(db, "PRAGMA integrity_check", result) || result != "ok\t\n") {
            std::cout << "LOST: " << name << " fails the integrity check: " << result << '\n';
            sqlite3_close(db);
            return 1;
        }
        sqlite3_close(db);
    }
    if (kind == "company") {
        const std::string fault = CompanyWholeOrAbsent();
        if (!fault.empty()) {
            std::cout << "LOST: " << fault << '\n';
            return 1;
        }
        std::cout << "sound\n";
        return 0;
    }
    const auto before = ReadSnapshot(beforePath), after = ReadSnapshot(afterPath), now = Snapshot(kind);
    std::set<std::string> units;
    for (const auto* s : {&before, &after, &now})
        for (const auto& [unit, digest] : *s) units.insert(unit);
    int old = 0, renewed = 0;
    for (const std::string& unit : units) {
        auto at = [&](const std::map<std::string, std::string>& s) {
            auto it = s.find(unit);
            return it == s.end() ? std::string("absent") : it->second;
        };
        const std::string n = at(now);
        if (n != at(before) && n != at(after)) {
            std::cout << "LOST: " << unit << " is neither as before nor as after the run\n";
            return 1;
        }
        if (at(before) != at(after)) (n == at(before) ? old : renewed)++;
    }
    std::cout << "sound: " << old << " units as before, " << renewed << " as after\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: crash_trial prepare|run|snapshot|check <kind> [before after]\n";
        return 2;
    }
    const std::string mode = argv[1], kind = argv[2];
    try {
        // The data folder under this HOME (a copied HOME comes without the
        // configuration, whose alias would name the folder it was copied from).
        fs::create_directories(EvKonyvtar());
        AliasLetrehoz(AktualisAlias, EvKonyvtar());
        if (mode == "prepare") Prepare();
        if (mode == "run") Run(kind);
        if (mode == "snapshot") WriteSnapshot(Snapshot(kind));
        if (mode == "check" && argc == 5) return Check(kind, argv[3], argv[4]);
    } catch (const std::exception& e) {
        std::cerr << mode << " " << kind << ": " << e.what() << '\n';
        return 1;
    }
    return 0;
}
