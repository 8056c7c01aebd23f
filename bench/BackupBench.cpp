// The backup and the full restore of a year folder of 50 companies, each with
// employees and a year of payroll rows, against `zip -r -6` of the same
// folder and `unzip -o` of the same archive over it, in turn in the same
// run. The backup's consistent copies of the open tables, and the restore's
// staging, recorded swap and syncs are part of their time.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "InTurn.h"
#include "YearOfPayroll.h"
#include "backup/DataFolderBackup.h"
#include "backup/zip/UnZipper.h"
#include "backup/zip/Zipper.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 7;

bench::YearOfPayroll& Folder() {
    static bench::YearOfPayroll f;
    return f;
}

std::string OursZip() { return Folder().home.Path() + "/ours.zip"; }

void Backup() {
    fs::remove(OursZip());
    TZipper z;
    benchmark::DoNotOptimize(BackupDataFolder(z, Folder().data, OursZip()));
}

void ZipR6() {
    fs::remove(Folder().home.Path() + "/tool.zip");
    bench::Shell("cd '" + Folder().home.Path() + "' && zip -q -r -6 tool.zip Tavrina/2019");
}

void BM_BackupVsZipR6(benchmark::State& state) {
    bench::YearOfPayroll& f = Folder();
    for (auto _ : state) {
        const bench::InTurnResult r = bench::InTurn(kRounds, Backup, ZipR6);
        state.SetIterationTime(r.ours);
        state.counters["zip_ms"] = r.peer * 1e3;
        state.counters["ratio"] = r.Ratio();
        const unsigned cores = std::thread::hardware_concurrency();
        char what[160];
        std::snprintf(what, sizeof what, "Backup of %d companies (%.1f MB, archive %.1f MB, zip's %.1f MB)",
                      bench::YearOfPayroll::kCompanies, f.Bytes() / 1e6, fs::file_size(OursZip()) / 1e6,
                      fs::file_size(f.home.Path() + "/tool.zip") / 1e6);
        bench::PrintInTurn(what, "zip -r -6", kRounds, r, 0.5,
                           " on >= 4 cores, " + std::to_string(cores) + " here");
    }
}
BENCHMARK(BM_BackupVsZipR6)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

void Restore() {
    TUnZipper z;
    benchmark::DoNotOptimize(RestoreDataFolder(z, Folder().data, OursZip(), RestoreScope::Full));
}

void UnzipO() { bench::Shell("cd '" + Folder().home.Path() + "' && unzip -q -o ours.zip"); }

void BM_FullRestoreVsUnzip(benchmark::State& state) {
    bench::YearOfPayroll& f = Folder();
    if (!fs::exists(OursZip())) Backup();
    for (auto _ : state) {
        const bench::InTurnResult r = bench::InTurn(kRounds, Restore, UnzipO);
        state.SetIterationTime(r.ours);
        state.counters["unzip_ms"] = r.peer * 1e3;
        state.counters["ratio"] = r.Ratio();
        char what[120];
        std::snprintf(what, sizeof what, "Full restore of %d companies (%.1f MB)",
                      bench::YearOfPayroll::kCompanies, f.Bytes() / 1e6);
        bench::PrintInTurn(what, "unzip -o", kRounds, r, 1.0);
    }
}
BENCHMARK(BM_FullRestoreVsUnzip)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
