// Sorting the payroll working set: 20,000 rows of the in-memory dataset on
// the six payroll-row key fields, against the sqlite3 shell sorting the same
// rows (unindexed) with ORDER BY. Prints the ratio.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "controls/MemDataSet.h"
#include "platform/os/DayNumber.h"
#include "platform/os/TempDir.h"

namespace {

constexpr int kRows = 20000;
const char* kKey = "SF_DGTORZSSZAM;SF_HONAP;SF_KIFIZDAT;SF_JCKOD;SF_SORSZAM;SF_RJSORSZAM";

struct Row {
    std::string id, code;
    int month, seq, rj;
    double payday;
};
Row MakeRow(int i) {
    unsigned x = static_cast<unsigned>(i) * 2654435761u;
    char id[8];
    std::snprintf(id, sizeof id, "%06u", x % 300);
    return {id,
            std::to_string(100 + (x >> 9) % 60 * 5),
            static_cast<int>(1 + (x >> 3) % 12),
            static_cast<int>((x >> 13) % 20),
            static_cast<int>((x >> 17) % 3),
            os::EncodeDate(2019, 1 + (x >> 5) % 12, 10)};
}

void Fill(TMemoryData& m) {
    using T = db::FieldType;
    m.AddField({"SF_DGTORZSSZAM", T::String, 6});
    m.AddField({"SF_HONAP", T::SmallInt});
    m.AddField({"SF_KIFIZDAT", T::Date});
    m.AddField({"SF_JCKOD", T::String, 4});
    m.AddField({"SF_SORSZAM", T::Integer});
    m.AddField({"SF_RJSORSZAM", T::Integer});
    m.AddField({"SF_OSSZEG", T::Float});
    m.AddField({"SF_MEGJ", T::String, 30});
    m.SetCapacity(kRows);
    m.Open();
    for (int i = 0; i < kRows; ++i) {
        const Row r = MakeRow(i);
        m.Append();
        m.FieldByName("SF_DGTORZSSZAM").SetAsString(r.id);
        m.FieldByName("SF_HONAP").SetAsInteger(r.month);
        m.FieldByName("SF_KIFIZDAT").SetAsDateTime(r.payday);
        m.FieldByName("SF_JCKOD").SetAsString(r.code);
        m.FieldByName("SF_SORSZAM").SetAsInteger(r.seq);
        m.FieldByName("SF_RJSORSZAM").SetAsInteger(r.rj);
        m.FieldByName("SF_OSSZEG").SetAsFloat(i);
        m.FieldByName("SF_MEGJ").SetAsString("Alapbér");
        m.Post();
    }
}

std::map<std::string, double> seconds;

void BM_SortTMemoryData(benchmark::State& state) {
    double total = 0;
    for (auto _ : state) {
        TMemoryData m;
        Fill(m);
        const auto t0 = std::chrono::steady_clock::now();
        m.SortByFields(kKey);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    seconds["ours"] = total / static_cast<double>(state.iterations());
}

void BM_SortSqlite3Shell(benchmark::State& state) {
    os::TempDir dir("memsort");
    const std::string script = dir.File("rows.sql"), file = dir.File("rows.db");
    {
        std::ofstream out(script);
        out << "CREATE TABLE r (SF_DGTORZSSZAM TEXT, SF_HONAP INT, SF_KIFIZDAT TEXT, SF_JCKOD TEXT, "
               "SF_SORSZAM INT, "
               "SF_RJSORSZAM INT, SF_OSSZEG REAL, SF_MEGJ TEXT);\nBEGIN;\n";
        for (int i = 0; i < kRows; ++i) {
            const Row r = MakeRow(i);
            out << "INSERT INTO r VALUES ('" << r.id << "'," << r.month << ",'"
                << os::DayNumberToIso(r.payday) << "','" << r.code << "'," << r.seq << "," << r.rj << "," << i
                << ",'Alapbér');\n";
        }
        out << "COMMIT;\n";
    }
    if (std::system(("sqlite3 " + file + " < " + script).c_str()) != 0) state.SkipWithError("sqlite3 failed");
    std::string order = kKey;
    for (char& c : order)
        if (c == ';') c = ',';
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        if (std::system(
                ("sqlite3 " + file + " 'SELECT * FROM r ORDER BY " + order + "' > /dev/null").c_str()) != 0)
            state.SkipWithError("sqlite3 failed");
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    seconds["shell"] = total / static_cast<double>(state.iterations());
}

BENCHMARK(BM_SortTMemoryData)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SortSqlite3Shell)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (seconds.count("ours") && seconds.count("shell"))
        std::printf(
            "Sort 20,000 rows on the six payroll keys: ours %.1f ms, sqlite3 shell %.1f ms, ratio ours/shell "
            "%.2f\n",
            seconds["ours"] * 1000, seconds["shell"] * 1000, seconds["ours"] / seconds["shell"]);
    benchmark::Shutdown();
    return 0;
}
