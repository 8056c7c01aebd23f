// The table layer against the sqlite3 shell a user would otherwise run:
// appending 20,000 payroll-shaped rows in one transaction, and reading them
// back in key order. Each pair prints its ratio.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/db/Table.h"
#include "platform/db/Transaction.h"
#include "platform/os/DayNumber.h"
#include "platform/os/TempDir.h"

namespace {

constexpr int kRows = 20000;
os::TempDir& Dir() {
    static os::TempDir d("dbbench");
    return d;
}

const db::FieldDefs& Layout() {
    using T = db::FieldType;
    static const db::FieldDefs defs = {{"SF_DGTORZSSZAM", T::String, 6},
                                       {"SF_HONAP", T::SmallInt},
                                       {"SF_KIFIZDAT", T::Date},
                                       {"SF_JCKOD", T::String, 4},
                                       {"SF_SORSZAM", T::Integer},
                                       {"SF_RJSORSZAM", T::Integer},
                                       {"SF_OSSZEG", T::Float},
                                       {"SF_ADOALAP", T::Float},
                                       {"SF_JARALAP", T::Float},
                                       {"SF_NAP", T::Float},
                                       {"SF_ORA", T::Float},
                                       {"SF_SZAZALEK", T::Float},
                                       {"SF_TOL", T::Date},
                                       {"SF_IG", T::Date},
                                       {"SF_SZAMLA", T::String, 24},
                                       {"SF_DGMHKOD", T::String, 4},
                                       {"SF_DGKHKOD", T::String, 4},
                                       {"SF_DGMNYP", T::String, 4},
                                       {"SF_MEGJ", T::String, 30},
                                       {"SF_GYUJTO", T::String, 1}};
    return defs;
}
const char* kKey = "SF_DGTORZSSZAM;SF_HONAP;SF_KIFIZDAT;SF_JCKOD;SF_SORSZAM;SF_RJSORSZAM";

// Row i: employees in a scrambled order so the rows do not arrive sorted.
struct Row {
    std::string id, code;
    int month, seq;
    double amount;
};
Row MakeRow(int i) {
    const int emp = (i * 7919) % 500;
    char id[8];
    std::snprintf(id, sizeof id, "%06d", emp);
    return {id, std::to_string(100 + (i / 500) % 40 * 5), 1 + (i / 20000) % 12, i / 500 + 1,
            1000.0 + i % 977};
}

std::map<std::string, double> seconds;

void Record(benchmark::State& state, const char* name, double total) {
    seconds[name] = total / static_cast<double>(state.iterations());
}

void Run(const std::string& cmd) {
    if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", cmd.c_str());
}

void BM_AppendTable(benchmark::State& state) {
    double total = 0;
    const double payday = os::EncodeDate(2019, 2, 10);
    for (auto _ : state) {
        db::CreateTable(Dir().Path(), "Szamfejt_001", Layout(), kKey);
        const auto t0 = std::chrono::steady_clock::now();
        db::Table t;
        t.DatabaseName = Dir().Path();
        t.TableName = "Szamfejt_001";
        t.Open();
        db::Field& id = t.FieldByName("SF_DGTORZSSZAM");
        db::Field& month = t.FieldByName("SF_HONAP");
        db::Field& date = t.FieldByName("SF_KIFIZDAT");
        db::Field& code = t.FieldByName("SF_JCKOD");
        db::Field& seq = t.FieldByName("SF_SORSZAM");
        db::Field& rj = t.FieldByName("SF_RJSORSZAM");
        db::Field& amount = t.FieldByName("SF_OSSZEG");
        db::Field& base = t.FieldByName("SF_ADOALAP");
        db::Field& note = t.FieldByName("SF_MEGJ");
        db::Transaction tx{&t};
        for (int i = 0; i < kRows; ++i) {
            const Row r = MakeRow(i);
            t.Append();
            id.SetAsString(r.id);
            month.SetAsInteger(r.month);
            date.SetAsDateTime(payday);
            code.SetAsString(r.code);
            seq.SetAsInteger(r.seq);
            rj.SetAsInteger(0);
            amount.SetAsFloat(r.amount);
            base.SetAsFloat(r.amount * 0.85);
            note.SetAsString("Alapbér");
            t.Post();
        }
        tx.Commit();
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    Record(state, "append-ours", total);
}

void BM_AppendSqlite3Shell(benchmark::State& state) {
    const std::string file = Dir().File("shell.DB"), script = Dir().File("append.sql");
    {
        std::ofstream out(script);
        out << "BEGIN;\n";
        for (int i = 0; i < kRows; ++i) {
            const Row r = MakeRow(i);
            out << "INSERT INTO Szamfejt_001 (SF_DGTORZSSZAM, SF_HONAP, SF_KIFIZDAT, SF_JCKOD, SF_SORSZAM, "
                   "SF_RJSORSZAM, SF_OSSZEG, SF_ADOALAP, SF_MEGJ) VALUES ('"
                << r.id << "', " << r.month << ", '2019-02-10', '" << r.code << "', " << r.seq << ", 0, "
                << r.amount << ", " << r.amount * 0.85 << ", 'Alapbér');\n";
        }
        out << "COMMIT;\n";
    }
    double total = 0;
    for (auto _ : state) {
        db::CreateTable(Dir().Path(), "shell", Layout(), kKey);
        Run("sqlite3 " + file + " 'ALTER TABLE shell RENAME TO Szamfejt_001'");
        const auto t0 = std::chrono::steady_clock::now();
        Run("sqlite3 " + file + " < " + script);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    Record(state, "append-shell", total);
}

void BM_ReadKeyOrderTable(benchmark::State& state) {
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        db::Table t;
        t.DatabaseName = Dir().Path();
        t.TableName = "Szamfejt_001";
        t.ReadOnly = true;
        t.Open();
        double sum = 0;
        int n = 0;
        const int fields = t.FieldCount();
        for (t.First(); !t.Eof(); t.Next()) {
            for (int f = 0; f < fields; ++f) benchmark::DoNotOptimize(t.Fields(f).Value());
            sum += t.FieldByName("SF_OSSZEG").AsFloat();
            ++n;
        }
        if (n != kRows) std::fprintf(stderr, "read %d rows\n", n);
        benchmark::DoNotOptimize(sum);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    Record(state, "read-ours", total);
}

void BM_ReadKeyOrderSqlite3Shell(benchmark::State& state) {
    const std::string file = Dir().File("shell.DB");
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        std::string order = kKey;
        for (char& c : order)
            if (c == ';') c = ',';
        Run("sqlite3 " + file + " 'SELECT * FROM Szamfejt_001 ORDER BY " + order + "' > /dev/null");
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    Record(state, "read-shell", total);
}

BENCHMARK(BM_AppendTable)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AppendSqlite3Shell)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadKeyOrderTable)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ReadKeyOrderSqlite3Shell)->Unit(benchmark::kMillisecond)->Iterations(5);

void PrintRatio(const char* what, const char* ours, const char* tool) {
    if (!seconds.count(ours) || !seconds.count(tool)) return;
    std::printf("%s: ours %.1f ms, sqlite3 shell %.1f ms, ratio ours/shell %.2f\n", what,
                seconds[ours] * 1000, seconds[tool] * 1000, seconds[ours] / seconds[tool]);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    PrintRatio("Append 20,000 payroll rows in one transaction", "append-ours", "append-shell");
    PrintRatio("Read 20,000 payroll rows in key order", "read-ours", "read-shell");
    benchmark::Shutdown();
    return 0;
}
