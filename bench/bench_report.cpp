// Recording a payslip-like report: 500 pages of a page header, 30 detail rows
// and a page footer. Compared with Qt's rich-text document paginating the
// same rows as an HTML table (what a Qt program would otherwise print with).
#include "QtBench.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QTextDocument>
#include <cstdlib>

#include "platform/report/Report.h"

namespace {

constexpr int kPages = 500;
constexpr int kRowsPerPage = 30;

QString Cell(int row, int col) { return QString::number(row * 7 + col * 1013); }

struct Payslips {
    report::Report r{QStringLiteral("List_BerlapQRForm")};
    int row = 0;

    Payslips() {
        auto& header = r.AddPageHeader(40);
        header.Label(0, 0, 60, "Tavrina bérszámfejtés");
        header.Label(70, 0, 60, "Készítette: Tavrina", report::Align::Center);
        header.SysData(150, 0, 40, report::SysKind::PageOfPages, report::Align::Right, "Lapszám : ");
        header.Label(0, 6, 100, "Felhasználó : Minta Könyvelő Bt.");
        header.Computed(0, 12, 100, [this] { return QString("Dolgozó %1").arg(row / kRowsPerPage + 1); });
        header.Label(80, 18, 30, "Bérlap", report::Align::Center).Bold();
        header.SysData(150, 18, 40, report::SysKind::Date, report::Align::Right, "Dátum : ");
        header.HLine(0, 25, 190);
        auto& detail = r.AddDetail(report::Px(16));
        std::vector<report::Control*> cells;
        cells.push_back(&detail.Label(0, 0, 12, ""));
        cells.push_back(&detail.Label(13, 0, 60, ""));
        for (int c = 0; c < 6; ++c)
            cells.push_back(&detail.Label(75 + c * 19, 0, 18, "", report::Align::Right));
        detail.BeforePrint = [this, cells](bool&) {
            cells[0]->Caption = QString::number(100 + row % kRowsPerPage);
            cells[1]->Caption = QStringLiteral("Alapbér és pótlékok őűŐŰ");
            for (int c = 0; c < 6; ++c) cells[c + 2]->Caption = Cell(row, c);
        };
        detail.AfterPrint = [this, &detail] { detail.ForceNewPage = row % kRowsPerPage == 0; };
        r.AddPageFooter(8).HLine(0, 0, 190);
        r.NeedData = [this] { return row++ < kPages * kRowsPerPage; };
    }
};

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
