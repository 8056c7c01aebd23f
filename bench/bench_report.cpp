// Recording a payslip-like report: 500 pages of a page header, 30 detail rows
// and a page footer. Compared with Qt's rich-text document paginating the
// same rows as an HTML table (what a Qt program would otherwise print with).
#include "QtBench.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QTextDocument>
#include <cstdlib>

#include "PlainPayslips.h"
#include "platform/report/Report.h"

namespace {

using plain::Cell;
using plain::kPages;
using plain::kRowsPerPage;
using plain::Payslips;

void BM_RecordPayslips(benchmark::State& state) {
    double firstPage = 0;
    for (auto _ : state) {
        Payslips p;
        QElapsedTimer timer;
        timer.start();
        QObject::connect(&p.r.PagePrinter(), &report::PagePrinter::PageAvailable, [&](int n) {
            if (n == 1) firstPage = timer.nsecsElapsed() / 1e9;
        });
        p.r.Prepare();
        if (p.r.PagePrinter().PageCount() != kPages) state.SkipWithError("wrong page count");
    }
    state.counters["first_page_s"] = firstPage;
}
BENCHMARK(BM_RecordPayslips)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_QtTextDocumentBaseline(benchmark::State& state) {
    QString html = "<table>";
    for (int row = 0; row < kPages * kRowsPerPage; ++row) {
        html +=
            "<tr><td>" + QString::number(100 + row % kRowsPerPage) + "</td><td>Alapbér és pótlékok őűŐŰ</td>";
        for (int c = 0; c < 6; ++c) html += "<td align=right>" + Cell(row, c) + "</td>";
        html += "</tr>";
    }
    html += "</table>";
    for (auto _ : state) {
        QTextDocument doc;
        doc.setDefaultFont(QFont("Liberation Sans", 10));
        doc.setPageSize(QSizeF(595, 842));
        doc.setHtml(html);
        benchmark::DoNotOptimize(doc.pageCount());
    }
}
BENCHMARK(BM_QtTextDocumentBaseline)->Unit(benchmark::kMillisecond)->Iterations(1);

// Prints our figure beside the baseline's and the 5-second budget as ratios.
class Reporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            double s = run.GetAdjustedRealTime() / 1e3;  // ms -> s
            if (run.benchmark_name().find("Record") != std::string::npos) {
                ours_ = s;
                firstPage_ = run.counters.at("first_page_s");
            }
            if (run.benchmark_name().find("Baseline") != std::string::npos) qt_ = s;
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf(
            "\nRecording %d pages: %.3f s; budget 5 s: ratio %.4f; first page after %.1f us; Qt "
            "QTextDocument paginating the same rows: "
            "%.3f s, ratio ours/Qt %.4f\n",
            kPages, ours_, ours_ / 5.0, firstPage_ * 1e6, qt_, qt_ > 0 ? ours_ / qt_ : 0.0);
    }

private:
    double ours_ = 0, qt_ = 0, firstPage_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    Reporter reporter;
    return RunQtBenchmarks(argc, argv, reporter);
}
