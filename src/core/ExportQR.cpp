#include "core/ExportQR.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QThreadPool>
#include <QVBoxLayout>
#include <algorithm>
#include <deque>
#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "core/PrintPDF.h"
#include "platform/os/ScopeGuard.h"
#include "platform/report/Preview.h"
#include "platform/report/Report.h"
#include "platform/ui/Dialogs.h"

double ScreenDpi() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

void ExportPagesToPdf(const report::PagePrinter& pages, bool landscape, const std::string& fileName,
                      int imageMode, bool to8Bit, double dpi, const std::function<void(int, int)>& progress) {
    const int count = pages.PageCount();
    TPrintPDF pdf;
    pdf.FileName = fileName;
    pdf.ScreenDpiX = pdf.ScreenDpiY = dpi;
    pdf.BeginDoc();
    if (landscape) std::swap(pdf.PageWidth, pdf.PageHeight);
    // Pages are painted and encoded on worker threads and placed into the file
    // in their order. The workers are the application's pool, which keeps its
    // threads a while: fonts are cached per thread, and a fresh thread for
    // each page (or export) would load them again.
    auto encode = [&](int page) {
        QImage bitmap = pages.GetPage(page)->Render(dpi, count, QImage::Format_RGB888);
        // The indexed image is reduced to 8 bits by its encoder either way.
        if (imageMode == 1) return EncodeIndexedImage(bitmap, pdf.Compress);
        if (to8Bit)
            bitmap = bitmap.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AutoColor);
        return EncodeJpegImage(bitmap);
    };
    // A window of pages in work: a page is started as soon as the oldest
    // one is placed, so no worker waits for the slowest page of a batch.
    const int window = std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
    std::deque<std::future<PdfImage>> jobs;
    // The tasks use this frame: however it is left, wait for those still out.
    os::ScopeGuard drain([&jobs] {
        for (auto& job : jobs)
            if (job.valid()) job.wait();
    });
    int started = 0;
    for (int i = 1; i <= count; ++i) {
        while (started < count && started < i - 1 + window) {
            auto task = std::make_shared<std::packaged_task<PdfImage()>>(
                [&encode, page = ++started] { return encode(page); });
            jobs.push_back(task->get_future());
            QThreadPool::globalInstance()->start([task] { (*task)(); });
        }
        if (progress) progress(i, count);
        PdfImage image = jobs.front().get();
        jobs.pop_front();
        pdf.DrawImage(0, 0, image);  // an A4 picture fills the A4 page
        if (i < count) pdf.NewPage();
    }
    pdf.EndDoc();
}

TFPrgrs::TFPrgrs(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Accion(new QLabel(this)),
      PB(new QProgressBar(this)) {
    setObjectName("FPrgrs");
    Accion->setObjectName("Accion");
    PB->setObjectName("PB");
    PB->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Accion);
    layout->addWidget(PB);
    resize(265, 84);
}

bool TExportQR::ExportReportPdf(const QString& fileName, int imageMode, bool fromPreview) {
    try {
        report::PagePrinter* pages = fromPreview ? (QRPreview ? QRPreview->PagePrinter() : nullptr)
                                                 : (QuickRep ? &QuickRep->PagePrinter() : nullptr);
        if (!pages) throw std::runtime_error("no pages");
        const int count = pages->PageCount();
        // Over the preview window, centred on it.
        auto progress = std::make_unique<TFPrgrs>(qobject_cast<QWidget*>(parent()));
        progress->setWindowTitle("Exporting...");
        progress->PB->setRange(0, std::max(0, count - 1));
        progress->PB->setValue(0);
        progress->Accion->setText("Page... 1 of" + QString::number(count));
        lastProgress_ = progress->Accion->text();
        progress->show();
        // The paper follows the pages themselves, whichever printer they come from.
        const report::Page* first = pages->GetPage(1);
        bool landscape = first ? first->Width() > first->Height()
                               : QuickRep && QuickRep->Page.orientation == report::Orientation::Landscape;
        ExportPagesToPdf(*pages, landscape, (fileName + ".PDF").toStdString(), imageMode, !fromPreview,
                         ScreenDpi(), [&](int page, int total) {
                             if (page > 1) progress->PB->setValue(page - 1);
                             progress->Accion->setText(QString("Page... %1 of %2").arg(page).arg(total));
                             lastProgress_ = progress->Accion->text();
                             QCoreApplication::processEvents();
                         });
        return true;
    } catch (const std::exception&) {
        ui::MessageBox(ui::ApplicationTitle(), "Error exporting report", ui::Icon::Error, ui::Ok);
        return false;
    }
}
