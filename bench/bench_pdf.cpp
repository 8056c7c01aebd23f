// Exporting a 100-page list to PDF as page images, with the share of the time
// spent in Flate compression; beside it Qt's own PDF printer drawing the same
// pages as vector text (what a Qt program would otherwise save PDFs with).
#include "QtBench.h"

#include <QApplication>
#include <QPrinter>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/ExportQR.h"
#include "core/PrintPDF.h"
#include "platform/os/TempDir.h"
#include "platform/report/Printing.h"
#include "platform/report/Report.h"

namespace {

constexpr int kPages = 100;

struct List {
    report::Report r{QStringLiteral("List_KifizQRForm")};
    int row = 0;
    List() {
        auto& header = r.AddPageHeader(20);
        header.Label(0, 0, 100, "Kifizetési lista").SetFont("Arial", 14, report::Bold);
        header.SysData(100, 0, 90, report::SysKind::PageOfPages, report::Align::Right, "Lapszám : ");
        header.HLine(0, 15, 190);
        auto& detail = r.AddDetail(report::Px(32));
        detail.Computed(0, 0, 20, [this] { return QString::number(10000 + row); });
        detail.Computed(22, 0, 90, [this] { return QString("Dolgozó Őrző Űrsula %1").arg(row); });
        detail.Computed(
            120, 0, 30, [this] { return QString::number(row * 3517 % 900000); }, report::Align::Right);
        r.NeedData = [this] { return ++row <= kPages * 30; };
        r.Prepare();
    }
};

List& Pages() {
    static List list;
    return list;
}

double g_export = 0, g_serial = 0, g_deflate = 0, g_qt = 0;

void BM_ExportPdf(benchmark::State& state) {
    os::TempDir dir;
    for (auto _ : state) ExportPagesToPdf(Pages().r.PagePrinter(), false, dir.File("lista.PDF"), 1, true, 96);
}
BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

// One page after the other on this thread, and the Flate compression of the
// same pages' pixels alone: its share of a page's work. (Without compression
// the file is ten times larger and its writing outweighs the saving.)
void BM_SerialPdf(benchmark::State& state) {
    os::TempDir dir;
    const report::PagePrinter& pages = Pages().r.PagePrinter();
    for (auto _ : state) {
        TPrintPDF pdf;
        pdf.FileName = dir.File("lista.PDF");
        pdf.BeginDoc();
        for (int i = 1; i <= pages.PageCount(); ++i) {
            pdf.DrawPageImage(52, 0, pages.GetPage(i)->Render(96, pages.PageCount(), QImage::Format_RGB888));
            if (i < pages.PageCount()) pdf.NewPage();
        }
        pdf.EndDoc();
    }
}
BENCHMARK(BM_SerialPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DeflateOnly(benchmark::State& state) {
    const report::PagePrinter& pages = Pages().r.PagePrinter();
    std::vector<std::string> pixels;
    for (int i = 1; i <= pages.PageCount(); ++i)
        pixels.push_back(
            EncodeIndexedImage(pages.GetPage(i)->Render(96, pages.PageCount(), QImage::Format_RGB888), false)
                .data);
    for (auto _ : state)
        for (const std::string& page : pixels) benchmark::DoNotOptimize(Deflate(page));
}
BENCHMARK(BM_DeflateOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_QtPdfPrinter(benchmark::State& state) {
    os::TempDir dir;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(dir.File("qt.pdf")));
        printer.setFullPage(true);
        report::PrintPages(Pages().r.PagePrinter(), printer);
    }
}
BENCHMARK(BM_QtPdfPrinter)->Unit(benchmark::kMillisecond)->Iterations(3);

class Reporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            double s = run.GetAdjustedRealTime() / 1e3;
            const std::string name = run.benchmark_name();
            if (name.find("DeflateOnly") != std::string::npos)
                g_deflate = s;
            else if (name.find("SerialPdf") != std::string::npos)
                g_serial = s;
            else if (name.find("ExportPdf") != std::string::npos)
                g_export = s;
            else if (name.find("QtPdf") != std::string::npos)
                g_qt = s;
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf(
            "\nExporting %d pages to PDF: %.3f s (%.1f ms a page); page by page on one thread %.3f s, "
            "compression share about %.0f %% (%.3f s of it); Qt's PDF printer on the same pages: %.3f "
            "s, "
            "ratio ours/Qt %.2f\n",
            kPages, g_export, g_export * 1000 / kPages, g_serial,
            g_serial > 0 ? 100 * g_deflate / g_serial : 0.0, g_deflate, g_qt,
            g_qt > 0 ? g_export / g_qt : 0.0);
    }
};

}  // namespace

int main(int argc, char** argv) {
    Reporter reporter;
    return RunQtBenchmarks(argc, argv, reporter);
}
