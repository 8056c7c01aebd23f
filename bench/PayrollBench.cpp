// A group payroll: 1,000 employees with three standing items each, every
// month computed by the engine and saved one transaction per employee,
// beside the sqlite3 shell appending the same rows to a copy of the table
// the same way. Prints the ratio, and the disk's time for one write and
// fdatasync in the same folder: a durable commit of a table file with its
// rollback journal costs four of them (journal, its folder, journal header,
// table); even one of them a save bounds any one-transaction-per-employee
// save from below.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

#include "payroll/engine/TestCompany.h"
#include "platform/os/DayNumber.h"
#include "support/TestSupport.h"

namespace {

const int kEmployees = std::getenv("BENCH_EMPLOYEES") ? std::atoi(std::getenv("BENCH_EMPLOYEES")) : 1000;
std::map<std::string, double> seconds;

std::string Id(int i) {
    char id[12];
    std::snprintf(id, sizeof id, "%05d", i + 1);
    return id;
}

testsupport::TempHome& Home() {
    static testsupport::TempHome home;
    return home;
}

void Prepare() {
    static bool done = false;
    if (done) return;
    done = true;
    Home();
    const std::string folder = Home().Path() + "/Tavrina/2019";
    std::filesystem::create_directories(folder);
    db::Engine::AddStandardAlias("TR19", folder);
    enginetest::MakeTestCompany("TR19");
    enginetest::Lines employees = {{"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD", "DG_BELEPDAT", "DG_BERFORM",
                                    "DG_ALKMIN", "DG_ALAPBER", "DG_NAPIKOTORA", "DG_NYUGJAR",
                                    "DG_EGBIZJARTERM", "DG_EGBIZJARPENZ", "DG_SZHA", "DG_SZABKER",
                                    "DG_BETEGSZABKER"}};
    enginetest::Lines standing = {
        {"RJ_DGTORZSSZAM", "RJ_JCKOD", "RJ_SORSZAM", "RJ_DGNEV", "RJ_OSSZEG", "RJ_SZAZ"}};
    for (int i = 0; i < kEmployees; ++i) {
        const std::string id = Id(i);
        employees.push_back({id, "Dolgozó " + id, "000001", "2015.01.01", "1", "1",
                             std::to_string(200000 + i * 100), "8", "I", "I", "I", "I", "20", "15"});
        standing.push_back({id, "120", "1", "Dolgozó", "25000", ""});
        standing.push_back({id, "275", "1", "Dolgozó", "8000", ""});
        standing.push_back({id, "400", "1", "Dolgozó", "", "10"});
    }
    enginetest::WriteRows("TR19", "Dolgozo_001", employees);
    enginetest::WriteRows("TR19", "RJogcim_001", standing);
}

void Empty(const std::string& table) {
    db::Table t;
    t.DatabaseName = "TR19";
    t.TableName = table;
    t.Open();
    t.EmptyTable();
}

void BM_GroupPayrollEngine(benchmark::State& state) {
    Prepare();
    double total = 0;
    for (auto _ : state) {
        Empty("Szamfejt_001");
        const auto t0 = std::chrono::steady_clock::now();
        payroll::RunLoader loader({"TR19", "TR18", "001", 2019});
        db::Table table;
        table.DatabaseName = "TR19";
        table.TableName = "Szamfejt_001";
        for (int i = 0; i < kEmployees; ++i)
            enginetest::RunAndSave(loader, table, Id(i), 3, os::EncodeDate(2019, 4, 10));
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    seconds["engine"] = total / static_cast<double>(state.iterations());
}

// The rows the engine saved, as the shell's statements: one transaction per
// employee, as the engine's save does.
void BM_GroupPayrollSqlite3Shell(benchmark::State& state) {
    Prepare();
    const std::string folder = Home().Path() + "/Tavrina/2019";
    const std::string script = Home().Path() + "/append.sql";
    {
        db::Table t;
        t.DatabaseName = "TR19";
        t.TableName = "Szamfejt_001";
        t.Open();
        std::ofstream out(script);
        std::string employee;
        for (t.First(); !t.Eof(); t.Next()) {
            const std::string id = t.FieldByName("SF_DGTORZSSZAM").AsString();
            if (id != employee) {
                if (!employee.empty()) out << "COMMIT;\n";
                out << "BEGIN;\n";
                employee = id;
            }
            std::ostringstream values;
            values.precision(17);
            values << "'" << id << "', 3, '2019-04-10', '" << t.FieldByName("SF_JCKOD").AsString() << "', "
                   << t.FieldByName("SF_SORSZAM").AsInteger() << ", '" << t.FieldByName("SF_DGNEV").AsString()
                   << "', '" << t.FieldByName("SF_JCNEV").AsString() << "', "
                   << t.FieldByName("SF_OSSZEG").AsFloat();
            out << "INSERT INTO Szamfejt_copy (SF_DGTORZSSZAM, SF_HONAP, SF_KIFIZDAT, SF_JCKOD, SF_SORSZAM, "
                   "SF_DGNEV, SF_JCNEV, SF_OSSZEG) VALUES ("
                << values.str() << ");\n";
        }
        if (!employee.empty()) out << "COMMIT;\n";
    }
    double total = 0;
    for (auto _ : state) {
        db::CopyTable("TR19", "Szamfejt", "Szamfejt_copy");
        const std::string file = db::TableFilePath("TR19", "Szamfejt_copy");
        const auto t0 = std::chrono::steady_clock::now();
        if (std::system(("sqlite3 " + file + " < " + script).c_str()) != 0)
            std::fprintf(stderr, "sqlite3 failed\n");
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    seconds["shell"] = total / static_cast<double>(state.iterations());
}

// One page written and synced, as a commit's steps do.
void BM_DiskSync(benchmark::State& state) {
    Prepare();
    const std::string file = Home().Path() + "/Tavrina/2019/sync.tmp";
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT, 0644);
    const std::string page(4096, 'x');
    const int rounds = 200;
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < rounds; ++i)
            if (::pwrite(fd, page.data(), page.size(), (i % 8) * 4096) < 0 || ::fdatasync(fd) != 0)
                state.SkipWithError("write or fdatasync failed");
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / rounds;
    }
    ::close(fd);
    ::unlink(file.c_str());
    seconds["sync"] = total / static_cast<double>(state.iterations());
}

BENCHMARK(BM_DiskSync)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_GroupPayrollEngine)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_GroupPayrollSqlite3Shell)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (seconds.count("engine") && seconds.count("shell"))
        std::printf(
            "Group payroll of %d employees computed and saved: engine %.0f ms, sqlite3 shell appending "
            "the rows %.0f ms, ratio engine/shell %.2f\n",
            kEmployees, seconds["engine"] * 1000, seconds["shell"] * 1000,
            seconds["engine"] / seconds["shell"]);
    if (seconds.count("sync"))
        std::printf(
            "One 4 KiB write and fdatasync: %.2f ms; for %d saves at least %.0f ms at one sync a save, "
            "%.0f ms at the four of a durable commit\n",
            seconds["sync"] * 1000, kEmployees, seconds["sync"] * kEmployees * 1000,
            seconds["sync"] * 4 * kEmployees * 1000);
    benchmark::Shutdown();
    return 0;
}
