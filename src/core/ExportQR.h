// Report-to-PDF export: each recorded page of a report is painted into a
// bitmap at screen resolution and placed as one image on one PDF page, while
// a small progress window counts the pages.
#pragma once

#include <QDialog>
#include <QObject>
#include <functional>
#include <string>

class QLabel;
class QProgressBar;

namespace report {
class PagePrinter;
class Preview;
class Report;
}  // namespace report

// The work of the export, with plain values: pages of `pages` to the PDF file
// `fileName` (taken as it is), image mode 1 indexed 8-bit, 0 JPEG; A4 pages,
// 595 x 842 points, landscape 842 x 595; with `to8Bit` each page bitmap is reduced to 8
// bits per pixel before it is placed. `progress` is told each page (1-based)
// before it is drawn. Throws on any error; the file exists only when complete.
void ExportPagesToPdf(const report::PagePrinter& pages, bool landscape, const std::string& fileName,
                      int imageMode, bool to8Bit, double dpi,
                      const std::function<void(int page, int count)>& progress = {});

// The progress window of the export.
class TFPrgrs : public QDialog {
    Q_OBJECT
public:
    explicit TFPrgrs(QWidget* parent = nullptr);
    QLabel* Accion;
    QProgressBar* PB;
};

class TExportQR : public QObject {
    Q_OBJECT
public:
    explicit TExportQR(QObject* parent = nullptr) : QObject(parent) {}

    report::Report* QuickRep = nullptr;    // the report to export, set before each export
    report::Preview* QRPreview = nullptr;  // the page source when exporting from the preview
    int PixelFormat = 8;

    // Writes fileName + ".PDF". Errors end in the box "Error exporting report"
    // and are not passed on; false then.
    bool ExportReportPdf(const QString& fileName, int imageMode, bool fromPreview);

    // The last progress window's label text (tests).
    QString LastProgressText() const { return lastProgress_; }

private:
    QString lastProgress_;
};

// The screen resolution the page pictures are made at (dots per inch).
double ScreenDpi();
