// Start-up to a usable window with 200 companies in the year folder (each with
// its core, tax-form and declaration tables: some 8,000 table files): from the
// main window's preparation until the company selection dialog is on screen.
// Beside it a company switch, and `ls -l` of the same folder, the listing a
// user's file manager makes.
#include <QApplication>
#include <QDialog>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "QtBench.h"
#include "app/Fomenu.h"
#include "core/CegKival.h"
#include "core/DataModule1.h"
#include "core/StartValues.h"
#include "core/TableCatalog.h"
#include "platform/db/Table.h"
#include "platform/ui/DialogScript.h"
#include "support/CompanyFixture.h"
#include "support/TestSupport.h"

namespace {

constexpr int kCompanies = 200;

std::string Code(int i) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%03d", i);
    return buf;
}

struct YearFolder {
    testsupport::TempHome home{testsupport::TempHome::Syncs::Keep};
    YearFolder() {
        TDM1 dm;
        DM1 = &dm;
        {
            ui::DialogScript script;
            script.AnswerText("Minta Iroda");
            // Without a company a first start opens the company register: closed unused.
            script.AnswerModal([](QDialog&) { return int(QDialog::Rejected); });
            TFomenuForm form;
            form.FormShow();
        }
        for (int i = 1; i <= kCompanies; ++i) {
            testsupport::MakeCompany(Code(i), "Cég " + Code(i), "C" + Code(i));
            for (const TableComponent& c : TableComponents())
                if (c.set == ComponentSet::Optional || c.set == ComponentSet::Declaration)
                    db::CopyTable(AktualisAlias, c.baseName, CompanyTableName(c.baseName, Code(i)));
        }
        DM1 = nullptr;
    }
};

YearFolder& Folder() {
    static YearFolder f;
    return f;
}

double g_startup = 0, g_switch = 0, g_ls = 0;

void BM_StartupToSelectionDialog(benchmark::State& state) {
    Folder();
    for (auto _ : state) {
        TDM1 dm;
        DM1 = &dm;
        ui::DialogScript script;
        std::chrono::steady_clock::time_point shown;
        script.AnswerModal([&](QDialog& d) {
            d.show();
            QApplication::processEvents();
            shown = std::chrono::steady_clock::now();
            return int(QDialog::Rejected);
        });
        TFomenuForm form;
        const auto start = std::chrono::steady_clock::now();
        form.FormShow();
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
        DM1 = nullptr;
    }
}
BENCHMARK(BM_StartupToSelectionDialog)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void BM_CompanySwitch(benchmark::State& state) {
    Folder();
    TDM1 dm;
    DM1 = &dm;
    dm.SetDatabaseName(AktualisAlias);
    int i = 0;
    for (auto _ : state) {
        if (!CegAtallas(Code(1 + i++ % kCompanies))) state.SkipWithError("switch failed");
    }
    DM1 = nullptr;
}
BENCHMARK(BM_CompanySwitch)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ListFolderWithLs(benchmark::State& state) {
    Folder();
    const std::string command = "ls -l '" + EvKonyvtar() + "' > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("ls failed");
}
BENCHMARK(BM_ListFolderWithLs)->Unit(benchmark::kMillisecond)->Iterations(5);

class Reporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const double s = run.GetAdjustedRealTime() / 1e3;
            const std::string name = run.benchmark_name();
            (name.find("Startup") != std::string::npos  ? g_startup
             : name.find("Switch") != std::string::npos ? g_switch
                                                        : g_ls) = s;
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf(
            "%d companies: start-up to the selection dialog %.0f ms (goal: under 200 ms), a company switch "
            "%.1f ms, ls -l of the year folder %.1f ms; ratio start-up/ls %.1f\n",
            kCompanies, g_startup * 1e3, g_switch * 1e3, g_ls * 1e3, g_ls > 0 ? g_startup / g_ls : 0.0);
    }
};

}  // namespace

int main(int argc, char** argv) {
    Reporter reporter;
    return RunQtBenchmarks(argc, argv, reporter);
}
