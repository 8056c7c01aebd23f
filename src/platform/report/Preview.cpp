#include "platform/report/Preview.h"

#include <QPainter>
#include <QScrollBar>
#include <cmath>

namespace report {

class Preview::PageView : public QWidget {
public:
    explicit PageView(Preview* owner) : QWidget(owner), owner_(owner) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        report::PagePrinter* printer = owner_->PagePrinter();
        if (!printer) return;
        if (const Page* page = printer->GetPage(owner_->PageNumber()))
            page->Draw(p, owner_->DotsPerMm() * owner_->Zoom() / 100.0, printer->PageCount());
    }

private:
    Preview* owner_;
};

Preview::Preview(QWidget* parent) : QScrollArea(parent), view_(new PageView(this)) {
    setWidget(view_);
    setWidgetResizable(false);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackgroundRole(QPalette::Dark);
    Relayout();
}

void Preview::SetPagePrinter(report::PagePrinter* printer) {
    if (printer_) disconnect(printer_, nullptr, this, nullptr);
    printer_ = printer;
    pageNumber_ = 1;
    if (printer_) connect(printer_, &PagePrinter::PageAvailable, this, &Preview::OnPageAvailable);
    Relayout();
}

void Preview::OnPageAvailable(int pageCount) {
    if (pageCount == pageNumber_ || pageCount == 1) Relayout();
    emit PageAvailable(pageCount);
}

void Preview::SetPageNumber(int number) {
    if (!printer_ || number < 1 || number > printer_->PageCount()) return;
    pageNumber_ = number;
    Relayout();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void Preview::SetZoom(int percent) {
    zoom_ = std::max(5, percent);
    Relayout();
}

double Preview::PageWidthMm() const {
    const Page* page = printer_ ? printer_->GetPage(pageNumber_) : nullptr;
    return page ? page->Width() : kA4Width;
}

double Preview::PageHeightMm() const {
    const Page* page = printer_ ? printer_->GetPage(pageNumber_) : nullptr;
    return page ? page->Height() : kA4Height;
}

double Preview::DotsPerMm() const { return logicalDpiX() / 25.4; }

void Preview::ZoomToFit() {
    QSize area = maximumViewportSize();
    double zx = area.width() / (PageWidthMm() * DotsPerMm());
    double zy = area.height() / (PageHeightMm() * DotsPerMm());
    SetZoom(int(std::floor(std::min(zx, zy) * 100)));
}

void Preview::Zoom100() { SetZoom(100); }

void Preview::ZoomToWidth() {
    int width = maximumViewportSize().width() - verticalScrollBar()->sizeHint().width();
    SetZoom(int(std::floor(width / (PageWidthMm() * DotsPerMm()) * 100)));
}

void Preview::Relayout() {
    double scale = DotsPerMm() * zoom_ / 100.0;
    view_->resize(int(std::lround(PageWidthMm() * scale)), int(std::lround(PageHeightMm() * scale)));
    view_->update();
}

}  // namespace report
