// The preview control: shows one page of a PagePrinter at a zoom, follows the
// printer while it produces pages, and pages and zooms on request.
#pragma once

#include <QPointer>
#include <QScrollArea>

#include "platform/report/PagePrinter.h"

namespace report {

class Preview : public QScrollArea {
    Q_OBJECT
public:
    explicit Preview(QWidget* parent = nullptr);

    void SetPagePrinter(report::PagePrinter* printer);
    report::PagePrinter* PagePrinter() const { return printer_; }

    int PageNumber() const { return pageNumber_; }
    // Shows page `number` from its top left corner; a number outside
    // 1..PageCount() is ignored.
    void SetPageNumber(int number);

    int Zoom() const { return zoom_; }  // percent
    void SetZoom(int percent);
    void ZoomToFit();  // the whole page in the window
    void Zoom100();
    void ZoomToWidth();  // the page's width fills the window

signals:
    void PageAvailable(int pageCount);

private:
    class PageView;
    void OnPageAvailable(int pageCount);
    void Relayout();
    double PageWidthMm() const;
    double PageHeightMm() const;
    double DotsPerMm() const;  // at 100 %

    QPointer<report::PagePrinter> printer_;
    PageView* view_;
    int pageNumber_ = 1;
    int zoom_ = 100;
};

}  // namespace report
