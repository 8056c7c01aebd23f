// The zip component against the tools a user would otherwise run: extracting
// a 50 MB archive of table-like files (against `unzip -o`) and compressing
// the same folder (against `zip -r -6`). Each pair prints its ratio.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "backup/zip/TableLike.h"
#include "backup/zip/Zipper.h"
#include "platform/os/TempDir.h"

namespace {

namespace fs = std::filesystem;

using ziptest::TableLike;

struct Data {
    os::TempDir dir{"zipbench"};
    std::string src = dir.File("Tavrina"), archive = dir.File("data.zip");
    Data() {
        // 50 MB: a few big tables and many small ones, as in a data folder.
        fs::create_directories(src + "/2019");
        size_t total = 0;
        for (unsigned i = 0; total < 50u << 20; ++i) {
            const size_t size = i % 10 == 0 ? (4u << 20) : (200u << 10);
            std::ofstream(src + "/2019/T" + std::to_string(i) + "_001.DB", std::ios::binary)
                << TableLike(size, i);
            total += size;
        }
        Run("cd " + dir.Path() + " && zip -q -r -6 data.zip Tavrina");
    }
    static void Run(const std::string& cmd) {
        if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", cmd.c_str());
    }
};

Data& Fixture() {
    static Data d;
    return d;
}

std::map<std::string, double> seconds;  // mean seconds per iteration

void Record(benchmark::State& state, const char* name, double total) {
    seconds[name] = total / static_cast<double>(state.iterations());
}

void BM_ExtractTUnZipper(benchmark::State& state) {
    Data& d = Fixture();
    const std::string dest = d.dir.File("out-ours");
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        TUnZipper z;
        z.SetZipName(d.archive);
        z.SetDestDir(dest);
        z.DoAll = true;
        z.OverwriteMode = Always;
        benchmark::DoNotOptimize(z.ExtractFiles());
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    Record(state, "extract-ours", total);
}

void BM_ExtractUnzip(benchmark::State& state) {
    Data& d = Fixture();
    const std::string dest = d.dir.File("out-unzip");
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        Data::Run("unzip -o -q -j " + d.archive + " -d " + dest);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    Record(state, "extract-unzip", total);
}

std::map<std::string, std::uintmax_t> sizes;

void BM_CompressTZipper(benchmark::State& state) {
    Data& d = Fixture();
    const std::string out = d.dir.File("ours.zip");
    double total = 0;
    for (auto _ : state) {
        fs::remove(out);
        const auto t0 = std::chrono::steady_clock::now();
        TZipper z;
        z.SetZipName(out);
        z.SetRootDir(d.dir.Path() + "/");
        z.SetRelativePaths(true);
        z.FilesList = {">" + d.src + "/*"};
        benchmark::DoNotOptimize(z.CompressFiles());
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    Record(state, "compress-ours", total);
    sizes["ours"] = fs::file_size(out);
}

void BM_CompressZip(benchmark::State& state) {
    Data& d = Fixture();
    const std::string out = d.dir.File("tool.zip");
    double total = 0;
    for (auto _ : state) {
        fs::remove(out);
        const auto t0 = std::chrono::steady_clock::now();
        Data::Run("cd " + d.dir.Path() + " && zip -q -r -6 tool.zip Tavrina");
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    Record(state, "compress-zip", total);
    sizes["zip"] = fs::file_size(out);
}

BENCHMARK(BM_ExtractTUnZipper)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ExtractUnzip)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CompressTZipper)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CompressZip)->Unit(benchmark::kMillisecond)->Iterations(3);

void PrintRatio(const char* what, const char* ours, const char* tool) {
    if (!seconds.count(ours) || !seconds.count(tool)) return;
    std::printf("%s: ours %.1f ms, tool %.1f ms, ratio ours/tool %.2f\n", what, seconds[ours] * 1000,
                seconds[tool] * 1000, seconds[ours] / seconds[tool]);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    PrintRatio("Extract 50 MB (unzip -o)", "extract-ours", "extract-unzip");
    PrintRatio("Compress 50 MB at level 6 (zip -r -6)", "compress-ours", "compress-zip");
    if (sizes.count("ours") && sizes.count("zip"))
        std::printf("Compressed size: ours %ju bytes, zip %ju bytes, ratio %.4f\n", sizes["ours"],
                    sizes["zip"], static_cast<double>(sizes["ours"]) / static_cast<double>(sizes["zip"]));
    benchmark::Shutdown();
    return 0;
}
