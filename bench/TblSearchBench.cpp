// The table search window over 200,000 payroll rows with the employee form's
// payroll-row columns, from the call until the first page is painted; beside
// it the sqlite3 shell running the same SELECT into /dev/null (on a copy in
// byte order: the shell has no Hungarian collation).
#include <QApplication>
#include <QDialog>
#include <chrono>
#include <cstdlib>
#include <fstream>

#include "QtBench.h"
#include "core/TableLayouts.h"
#include "masterdata/TblSearch.h"
#include "platform/db/Table.h"
#include "platform/db/Transaction.h"
#include "platform/os/DayNumber.h"
#include "platform/os/TempDir.h"
#include "platform/ui/DialogScript.h"

namespace {

constexpr int kRows = 200000;
const std::vector<std::string> kColumns = {
    "SF_DGTORZSSZAM", "SF_DGNEV",    "SF_HONAP",       "SF_KIFIZDAT", "SF_JCKOD",   "SF_JCNEV",
    "SF_OSSZEG",      "SF_SZAZALEK", "SF_SZHASZAZLEV", "SF_ADOALAP",  "SF_JARALAP", "SF_NAP",
    "SF_ORA",         "SF_TOL",      "SF_IG",          "SF_MHKOD",    "SF_MUNKSZAM"};

struct Payroll {
    os::TempDir dir{"tblsearchbench"};
    Payroll() {
        const TableLayout* layout = FindTableLayout("Szamfejt");
        std::string key;
        for (const std::string& k : layout->key) key += (key.empty() ? "" : ";") + k;
        db::CreateTable(dir.Path(), "Szamfejt_001", layout->FieldDefs(), key);
        db::Table t;
        t.DatabaseName = dir.Path();
        t.TableName = "Szamfejt_001";
        db::Transaction tr{&t};
        t.Open();
        for (int i = 0; i < kRows; ++i) {
            const int emp = (i * 7919) % 1000, month = 1 + i % 12;
            t.Append();
            t.FieldByName("SF_DGTORZSSZAM").SetAsString(std::to_string(10000000000LL + emp));
            t.FieldByName("SF_DGNEV").SetAsString("Dolgozó Őrző " + std::to_string(emp));
            t.FieldByName("SF_HONAP").SetAsInteger(month);
            t.FieldByName("SF_KIFIZDAT").SetAsDateTime(os::EncodeDate(2019, month, 10));
            t.FieldByName("SF_JCKOD").SetAsString(std::to_string(100 + i % 400));
            t.FieldByName("SF_SORSZAM").SetAsInteger(i);
            t.FieldByName("SF_RJSORSZAM").SetAsInteger(0);
            t.FieldByName("SF_JCNEV").SetAsString("Jogcím " + std::to_string(i % 400));
            t.FieldByName("SF_OSSZEG").SetAsFloat(i % 500000);
            t.FieldByName("SF_ADOALAP").SetAsFloat(i % 400000);
            t.FieldByName("SF_NAP").SetAsInteger(i % 31);
            t.FieldByName("SF_MHKOD").SetAsString("000001");
            t.Post();
        }
        tr.Commit();
        // The shell knows no Hungarian collation: it gets the same rows in a
        // copy whose texts sort byte by byte.
        const std::string script = dir.File("plain.sql");
        {
            std::ofstream out(script);
            out << "CREATE TABLE Szamfejt_001 (";
            for (size_t i = 0; i < kColumns.size(); ++i) out << (i ? "," : "") << kColumns[i];
            out << ");\nBEGIN;\n";
            for (t.First(); !t.Eof(); t.Next()) {
                out << "INSERT INTO Szamfejt_001 VALUES (";
                for (size_t i = 0; i < kColumns.size(); ++i) {
                    const db::Field& f = t.FieldByName(kColumns[i]);
                    out << (i ? "," : "");
                    if (f.IsNull())
                        out << "NULL";
                    else if (db::IsTextType(f.DataType()) || db::IsDateType(f.DataType()))
                        out << "'" << f.AsString() << "'";
                    else
                        out << f.AsString();
                }
                out << ");\n";
            }
            out << "COMMIT;\n";
        }
        const std::string load = "sqlite3 '" + dir.File("plain.db") + "' < '" + script + "'";
        if (std::system(load.c_str()) != 0) std::fprintf(stderr, "sqlite3 load failed\n");
    }
};

Payroll& Data() {
    static Payroll p;
    return p;
}

double g_window = 0, g_shell = 0;

void BM_TblSearchFirstPage(benchmark::State& state) {
    Payroll& data = Data();
    const std::vector<std::int16_t> widths(kColumns.size(), 1);
    for (auto _ : state) {
        ui::DialogScript script;
        std::chrono::steady_clock::time_point shown;
        script.AnswerModal([&](QDialog& d) {
            d.show();
            d.repaint();
            QApplication::processEvents();
            shown = std::chrono::steady_clock::now();
            return int(QDialog::Rejected);
        });
        const auto start = std::chrono::steady_clock::now();
        KeresoAblakMutat(kColumns, widths, {}, data.dir.Path(), "Szamfejt_001", nullptr, {}, "#NoAbout#",
                         'H');
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
    }
}
BENCHMARK(BM_TblSearchFirstPage)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void BM_Sqlite3Shell(benchmark::State& state) {
    Payroll& data = Data();
    std::string select = "SELECT ";
    for (size_t i = 0; i < kColumns.size(); ++i) select += (i ? "," : "") + kColumns[i];
    select += " FROM Szamfejt_001 ORDER BY ";
    for (size_t i = 1; i <= kColumns.size(); ++i) select += (i > 1 ? "," : "") + std::to_string(i);
    const std::string command = "sqlite3 '" + data.dir.File("plain.db") + "' '" + select + "' > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("sqlite3 failed");
}
BENCHMARK(BM_Sqlite3Shell)->Unit(benchmark::kMillisecond)->Iterations(3);

class Reporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const double s = run.GetAdjustedRealTime() / 1e3;
            if (run.benchmark_name().find("TblSearch") != std::string::npos)
                g_window = s;
            else
                g_shell = s;
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf(
            "\nSearch window over %d payroll rows until the first page shows: %.3f s (goal under 2 s); "
            "sqlite3 shell SELECT of the same rows: %.3f s; ratio window/shell %.2f\n",
            kRows, g_window, g_shell, g_shell > 0 ? g_window / g_shell : 0.0);
    }
};

}  // namespace

int main(int argc, char** argv) {
    Reporter reporter;
    return RunQtBenchmarks(argc, argv, reporter);
}
