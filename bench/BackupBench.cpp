// The backup of a year folder of 50 companies, each with employees and a
// year of payroll rows, against `zip -r -6` of the same folder in the same
// run. The backup's consistent copies of the open tables are part of its time.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "backup/DataFolderBackup.h"
#include "backup/zip/Zipper.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "platform/os/TempDir.h"
#include "support/CompanyFixture.h"

namespace {

namespace fs = std::filesystem;

// Copies the one row of a table `times` times over, each with its own number.
void Multiply(const std::string& file, const std::string& table, const std::string& numberField, int times) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    const std::string t = "\"" + table + "\"";
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_exec(db, ("CREATE TEMP TABLE x AS SELECT * FROM " + t).c_str(), nullptr, nullptr, nullptr);
    for (int i = 2; i <= times; ++i) {
        const std::string n = std::to_string(i);
        sqlite3_exec(
            db,
            ("UPDATE x SET " + numberField + " = " + n + "; INSERT INTO " + t + " SELECT * FROM x").c_str(),
            nullptr, nullptr, nullptr);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

struct YearFolder {
    os::TempDir home{"backupbench"};
    std::string data;
    YearFolder() {
        setenv("HOME", home.Path().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home.Path() + "/.config").c_str(), 1);
        AliasLetrehoz(AktualisAlias, EvKonyvtar());
        PrepareYearFolder(AktualisAlias);
        data = AliasUtvonal(AktualisAlias);
        for (int c = 1; c <= 50; ++c) {
            char code[8];
            std::snprintf(code, sizeof code, "%03d", c);
            testsupport::MakeCompany(code, std::string("Cég ") + code, code);
            db::Table employees;
            employees.DatabaseName = AktualisAlias;
            employees.TableName = std::string("Dolgozo_") + code;
            employees.Open();
            testsupport::AddEmployees(employees, {{"10000000001", "Minta Dolgozó"}});
            employees.Close();
            db::Table payroll;
            payroll.DatabaseName = AktualisAlias;
            payroll.TableName = std::string("Szamfejt_") + code;
            payroll.Open();
            payroll.Append();
            payroll.FieldByName("SF_DGTORZSSZAM").SetAsString("10000000001");
            payroll.FieldByName("SF_JCNEV").SetAsString("Alapbér");
            payroll.FieldByName("SF_OSSZEG").SetAsFloat(350000);
            testsupport::FillRequired(payroll);
            payroll.Post();
            payroll.Close();
            // About 25 employees with 40 rows a month, for a year.
            Multiply(data + "/Szamfejt_" + code + ".DB", std::string("Szamfejt_") + code, "SF_SORSZAM",
                     12000);
            Multiply(data + "/Dolgozo_" + code + ".DB", std::string("Dolgozo_") + code, "DG_TORZSSZAM", 25);
        }
    }
};

YearFolder& Fixture() {
    static YearFolder f;
    return f;
}

std::uintmax_t oursSize = 0, toolSize = 0;

double Ours(YearFolder& f) {
    const std::string out = f.home.File("ours.zip");
    fs::remove(out);
    const auto t0 = std::chrono::steady_clock::now();
    TZipper z;
    benchmark::DoNotOptimize(BackupDataFolder(z, f.data, out));
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    oursSize = fs::file_size(out);
    return s;
}

double Tool(YearFolder& f) {
    const std::string out = f.home.File("tool.zip");
    fs::remove(out);
    const auto t0 = std::chrono::steady_clock::now();
    const std::string cmd = "cd '" + f.home.Path() + "' && zip -q -r -6 tool.zip Tavrina/2019";
    if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", cmd.c_str());
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    toolSize = fs::file_size(out);
    return s;
}

void BM_BackupDataFolder(benchmark::State& state) {
    for (auto _ : state) state.SetIterationTime(Ours(Fixture()));
}

void BM_ZipR6(benchmark::State& state) {
    for (auto _ : state) state.SetIterationTime(Tool(Fixture()));
}

BENCHMARK(BM_BackupDataFolder)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_ZipR6)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// On a shared machine the load changes from second to second: the two run in
// turn, round by round, and the medians are compared.
void PairedRounds(int rounds) {
    YearFolder& f = Fixture();
    std::vector<double> ours, tool;
    for (int i = 0; i < rounds; ++i) {
        ours.push_back(Ours(f));
        tool.push_back(Tool(f));
    }
    const double o = Median(ours), t = Median(tool);
    std::printf(
        "Backup of 50 companies (zip -r -6), median of %d rounds in turn: ours %.1f ms, tool %.1f ms, "
        "ratio ours/tool %.2f\n",
        rounds, o * 1000, t * 1000, o / t);
    std::printf("Archive size: ours %ju bytes, zip %ju bytes\n", oursSize, toolSize);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    PairedRounds(9);
    benchmark::Shutdown();
    return 0;
}
