// The pages of one run of a report: filled while the report is produced,
// read by the preview, the printer and the PDF export. It reports each new
// page as it is finished, so a preview can show page 1 long before the last.
#pragma once

#include <QObject>
#include <memory>
#include <vector>

#include "platform/report/Page.h"

namespace report {

enum class PrinterStatus { Idle, Busy, Finished };

class PagePrinter : public QObject {
    Q_OBJECT
public:
    explicit PagePrinter(QObject* parent = nullptr) : QObject(parent) {}

    PrinterStatus Status() const { return status_; }
    int PageCount() const { return int(pages_.size()); }
    // Page `number` (1-based), or nullptr outside 1..PageCount().
    const Page* GetPage(int number) const;
    bool PageContains(int number, const QString& text) const;

    // Stops the production at the next finished page; the pages produced so
    // far stay and the status becomes finished.
    void Cancel() { cancelRequested_ = true; }
    bool Cancelled() const { return cancelled_; }

    // While pages are produced, let the event loop run after each page (a
    // preview's buttons stay live, a wait dialog can ask to cancel).
    void SetYieldToEvents(bool on) { yield_ = on; }

    // Used by the producing report.
    void Begin();
    void AddPage(std::unique_ptr<Page> page);  // emits PageAvailable
    bool CancelRequested() const { return cancelRequested_; }
    void End();  // emits PageAvailable (status finished) and Finished

signals:
    void PageAvailable(int pageNumber);
    void Finished();

private:
    std::vector<std::unique_ptr<Page>> pages_;
    PrinterStatus status_ = PrinterStatus::Idle;
    bool cancelRequested_ = false;
    bool cancelled_ = false;
    bool yield_ = false;
};

}  // namespace report
