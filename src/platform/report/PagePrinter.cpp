#include "platform/report/PagePrinter.h"

#include <QCoreApplication>

namespace report {

const Page* PagePrinter::GetPage(int number) const {
    if (number < 1 || number > PageCount()) return nullptr;
    return pages_[number - 1].get();
}

bool PagePrinter::PageContains(int number, const QString& text) const {
    const Page* page = GetPage(number);
    return page && page->Contains(text, PageCount());
}

void PagePrinter::Begin() {
    pages_.clear();
    status_ = PrinterStatus::Busy;
    cancelRequested_ = cancelled_ = false;
}

void PagePrinter::AddPage(std::unique_ptr<Page> page) {
    pages_.push_back(std::move(page));
    emit PageAvailable(PageCount());
    if (yield_) QCoreApplication::processEvents();
}

void PagePrinter::End() {
    cancelled_ = cancelRequested_;
    status_ = PrinterStatus::Finished;
    // Once more with the status finished: a preview learns the end from it.
    emit PageAvailable(PageCount());
    emit Finished();
}

}  // namespace report
