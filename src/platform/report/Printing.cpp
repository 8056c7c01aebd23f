#include "platform/report/Printing.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <stdexcept>

#include "platform/report/Report.h"
#include "platform/ui/Dialogs.h"

namespace report {
namespace {

// The printer, the copies, the page's orientation and a stored range that
// still lies within `lastPage` (0: no limit).
void Configure(Report& report, QPrinter& printer, int lastPage = 0) {
    if (!report.Printer.printerName.isEmpty()) printer.setPrinterName(report.Printer.printerName);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(report.Page.orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                                 : QPageLayout::Portrait);
    printer.setCopyCount(std::max(1, report.Printer.copies));
    int from = report.Printer.fromPage, to = report.Printer.toPage;
    if (from < 1 || to < from || (lastPage > 0 && to > lastPage)) from = to = 0;
    printer.setFromTo(from, to);
    printer.setPrintRange(from > 0 ? QPrinter::PageRange : QPrinter::AllPages);
}

void Store(Report& report, const QPrinter& printer) {
    report.Printer.printerName = printer.printerName();
    report.Printer.copies = printer.copyCount();
    report.Printer.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape
                                     ? Orientation::Landscape
                                     : Orientation::Portrait;
    const bool range = printer.printRange() == QPrinter::PageRange;
    report.Printer.fromPage = range ? printer.fromPage() : 0;
    report.Printer.toPage = range ? printer.toPage() : 0;
}

}  // namespace

void PrintPages(const PagePrinter& pages, QPrinter& printer, int from, int to) {
    int count = pages.PageCount();
    from = from <= 0 ? 1 : std::min(from, count);
    to = to <= 0 ? count : std::min(to, count);
    if (count == 0 || from > to) return;
    // A printer that does not start (none installed, a file that cannot be
    // written) must not pass for a printed list.
    auto failed = [&printer] {
        return std::runtime_error(("A nyomtató nem indítható: " + printer.printerName()).toStdString());
    };
    QPainter painter;
    if (!painter.begin(&printer)) throw failed();
    double dotsPerMm = printer.resolution() / 25.4;
    for (int n = from; n <= to; ++n) {
        if (n > from && !printer.newPage()) throw failed();
        pages.GetPage(n)->Draw(painter, dotsPerMm, count);
    }
    if (!painter.end()) throw failed();
}

bool PrintReport(Report& report) {
    // The range may name the pages produced; while pages are still being
    // produced their count is not known yet.
    const PagePrinter& pages = report.PagePrinter();
    const bool finished = pages.Status() == PrinterStatus::Finished;
    const int lastPage = finished ? std::max(1, pages.PageCount()) : 9999;
    QPrinter printer(QPrinter::HighResolution);
    Configure(report, printer, lastPage);
    if (!ui::PrintDialog(printer, finished ? 1 : 0, lastPage)) return false;
    Store(report, printer);
    PrintPages(report.PagePrinter(), printer, report.Printer.fromPage, report.Printer.toPage);
    return true;
}

bool PrinterSetup(Report& report) {
    QPrinter printer(QPrinter::HighResolution);
    Configure(report, printer);
    if (!ui::PrinterSetup(printer)) return false;
    Store(report, printer);
    return true;
}

}  // namespace report
