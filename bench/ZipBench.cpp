// The zip component against the tools a user would otherwise run, on a year
// folder of 50 companies with a year of payroll rows: extracting the folder's
// archive (against `unzip -o`) and compressing the folder (against
// `zip -r -6`), each pair in turn in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "InTurn.h"
#include "YearOfPayroll.h"
#include "backup/zip/UnZipper.h"
#include "backup/zip/Zipper.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 5;

struct Data {
    bench::YearOfPayroll year;
    std::string dir = year.home.Path(), archive = dir + "/data.zip";
    Data() { bench::Shell("cd '" + dir + "' && zip -q -r -6 data.zip Tavrina"); }
};

Data& Fixture() {
    static Data d;
    return d;
}

std::string Megabytes(std::uintmax_t bytes) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f MB", bytes / 1e6);
    return buf;
}

void BM_ExtractVsUnzip(benchmark::State& state) {
    Data& d = Fixture();
    const std::string ours = d.dir + "/out-ours", tool = d.dir + "/out-unzip";
    auto extract = [&] {
        TUnZipper z;
        z.SetZipName(d.archive);
        z.SetDestDir(ours);
        z.DoAll = true;
        z.OverwriteMode = Always;
        benchmark::DoNotOptimize(z.ExtractFiles());
    };
    auto unzip = [&] { bench::Shell("unzip -o -q -j '" + d.archive + "' -d '" + tool + "'"); };
    for (auto _ : state) {
        const bench::InTurnResult r = bench::InTurn(kRounds, extract, unzip);
        state.SetIterationTime(r.ours);
        state.counters["ratio"] = r.Ratio();
        bench::PrintInTurn("Extract " + Megabytes(d.year.Bytes()) + " of tables", "unzip -o", kRounds, r);
    }
}
BENCHMARK(BM_ExtractVsUnzip)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

void BM_CompressVsZipR6(benchmark::State& state) {
    Data& d = Fixture();
    const std::string ours = d.dir + "/ours.zip", tool = d.dir + "/tool.zip";
    auto compress = [&] {
        fs::remove(ours);
        TZipper z;
        z.SetZipName(ours);
        z.SetRootDir(d.dir + "/");
        z.SetRelativePaths(true);
        z.FilesList = {">" + d.year.data + "/*"};
        benchmark::DoNotOptimize(z.CompressFiles());
    };
    auto zip = [&] {
        fs::remove(tool);
        bench::Shell("cd '" + d.dir + "' && zip -q -r -6 tool.zip Tavrina/2019");
    };
    for (auto _ : state) {
        const bench::InTurnResult r = bench::InTurn(kRounds, compress, zip);
        state.SetIterationTime(r.ours);
        state.counters["ratio"] = r.Ratio();
        bench::PrintInTurn("Compress " + Megabytes(d.year.Bytes()) + " of tables at level 6", "zip -r -6",
                           kRounds, r);
        std::printf("Compressed size: ours %s, zip %s, ratio %.4f\n", Megabytes(fs::file_size(ours)).c_str(),
                    Megabytes(fs::file_size(tool)).c_str(),
                    static_cast<double>(fs::file_size(ours)) / static_cast<double>(fs::file_size(tool)));
    }
}
BENCHMARK(BM_CompressVsZipR6)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
