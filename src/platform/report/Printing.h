// Printing a report's pages through Qt's print support; the dialogs open
// through the dialog hook.
#pragma once

class QPrinter;

namespace report {

class PagePrinter;
class Report;

// Draws pages `from` to `to` (1-based, clamped to the pages produced; 0 for
// either end: the first or the last page) on `printer`, paper corner at the
// origin. Throws std::runtime_error when the printer does not start.
void PrintPages(const PagePrinter& pages, QPrinter& printer, int from = 0, int to = 0);

// The print dialog for the report: printer, copies, orientation and page
// range from the report's settings; on confirm the choices are stored back
// and the pages printed. False when the user cancelled.
bool PrintReport(Report& report);

// The printer setup dialog; the choices are stored into the report's settings.
bool PrinterSetup(Report& report);

}  // namespace report
