#include "platform/report/Printing.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "platform/report/Report.h"
#include "platform/ui/Dialogs.h"

namespace report {
namespace {

void Configure(Report& report, QPrinter& printer) {
    if (!report.Printer.printerName.isEmpty()) printer.setPrinterName(report.Printer.printerName);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(report.Page.orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                                 : QPageLayout::Portrait);
    printer.setCopyCount(std::max(1, report.Printer.copies));
    printer.setFromTo(report.Printer.fromPage, report.Printer.toPage);
}

void Store(Report& report, const QPrinter& printer) {
    report.Printer.printerName = printer.printerName();
    report.Printer.copies = printer.copyCount();
    report.Page.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape
                                  ? Orientation::Landscape
                                  : Orientation::Portrait;
    report.Printer.fromPage = printer.fromPage();
    report.Printer.toPage = printer.toPage();
}

}  // namespace

void PrintPages(const PagePrinter& pages, QPrinter& printer, int from, int to) {
    int count = pages.PageCount();
    from = from <= 0 ? 1 : std::min(from, count);
    to = to <= 0 ? count : std::min(to, count);
    if (count == 0 || from > to) return;
    QPainter painter(&printer);
    double dotsPerMm = printer.resolution() / 25.4;
    for (int n = from; n <= to; ++n) {
        if (n > from) printer.newPage();
        pages.GetPage(n)->Draw(painter, dotsPerMm, count);
    }
}

bool PrintReport(Report& report) {
    QPrinter printer(QPrinter::HighResolution);
    Configure(report, printer);
    if (!ui::PrintDialog(printer)) return false;
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
