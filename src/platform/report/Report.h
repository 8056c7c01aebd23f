// Banded report layouts defined in code. A Report holds bands (title, page
// header, column header, detail with sub-details and child bands, group
// headers and footers, summary, page footer); each band holds controls placed
// in millimetres. Prepare() walks the data and records the pages into the
// report's PagePrinter.
//
//   report::Report r("List_TorzsKifhelyQRForm");
//   r.DataSet = &query;
//   auto& header = r.AddPageHeader(12);
//   header.Label(0, 0, 40, "Kód").Bold();
//   header.SysData(150, 0, 40, report::SysKind::PageNumber, report::Align::Right, "Lapszám : ");
//   auto& detail = r.AddDetail(5);
//   detail.Field(0, 0, 20, "KH_KOD");
//   detail.Field(22, 0, 100, "KH_NEV");
//   r.Prepare();
#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/report/Page.h"
#include "platform/report/PagePrinter.h"

namespace db {
class Dataset;
}

namespace report {

enum class Orientation { Portrait, Landscape };

struct PageSetup {
    Orientation orientation = Orientation::Portrait;
    double leftMargin = 10, topMargin = 10, rightMargin = 10, bottomMargin = 10;  // mm
    double Width() const { return orientation == Orientation::Portrait ? kA4Width : kA4Height; }
    double Height() const { return orientation == Orientation::Portrait ? kA4Height : kA4Width; }
};

// What the print dialog stores for the report. The orientation chosen there
// is the paper's: the pages keep the layout's own (PageSetup).
struct PrinterSettings {
    QString printerName;  // empty: the default printer
    int copies = 1;
    Orientation orientation = Orientation::Portrait;
    int fromPage = 0, toPage = 0;  // 0: all pages
};

inline constexpr double kMinShrunkSize = 5;  // points

enum class ControlKind { Label, Field, Computed, SysData, Memo, HLine, VLine, Rectangle, Image };
enum class SysKind { PageNumber, PageCount, PageOfPages, Date, Time, DateTime, ReportTitle, DetailNumber };

class Control {
public:
    ControlKind Kind = ControlKind::Label;
    QString Name;
    double Left = 0, Top = 0, Width = 0;  // mm, from the band's top left corner
    double Height = 0;                    // mm; text controls: 0 is one line of the control's font
    bool Enabled = true;
    report::Font Font;
    Align Alignment = Align::Left;
    bool AutoSize = false;                // width follows the text (the aligned edge stays)
    bool WordWrap = false;                // text wraps inside Width
    bool AutoStretch = false;             // with WordWrap or a memo: the band grows to the text
    bool ShrinkToFit = false;             // one line wider than Width is printed in a smaller size
    QString Caption;                      // Label: the text; SysData: the text before the value
    QString DataField;                    // Field: the field's name
    db::Dataset* DataSet = nullptr;       // Field: the dataset; nullptr: the band's
    std::function<QString()> Expression;  // Computed
    SysKind Data = SysKind::PageNumber;   // SysData
    QStringList Lines;                    // Memo
    double PenWidth = 0.25;               // lines and rectangles, mm
    QColor Fill;                          // Rectangle: invalid for no fill
    QImage Picture;                       // Image

    // Chainable setters for short layout definitions.
    Control& Named(const QString& name) {
        Name = name;
        return *this;
    }
    Control& SetFont(const QString& name, double size, int style = Regular);
    Control& SetFont(const report::Font& font) {
        Font = font;
        return *this;
    }
    Control& Size(double size) {
        Font.size = size;
        return *this;
    }
    Control& Bold() {
        Font.style |= report::Bold;
        return *this;
    }
    Control& Italic() {
        Font.style |= report::Italic;
        return *this;
    }
    Control& Wrap(bool stretch = false) {
        WordWrap = true;
        AutoStretch = stretch;
        return *this;
    }
    Control& AutoSized() {
        AutoSize = true;
        return *this;
    }
    // For a field whose longest value does not fit at the layout's size (a
    // long name): such a value is printed whole in a smaller size, down to
    // kMinShrunkSize points, instead of being cut.
    Control& Shrink() {
        ShrinkToFit = true;
        return *this;
    }
    Control& Disabled() {
        Enabled = false;
        return *this;
    }
    Control& From(db::Dataset& dataset) {
        DataSet = &dataset;
        return *this;
    }
};

enum class BandType {
    Title,
    PageHeader,
    ColumnHeader,
    Detail,
    SubDetail,
    GroupHeader,
    GroupFooter,
    Summary,
    PageFooter,
    Child
};

class Band {
public:
    Band(BandType type, double height, const report::Font& font) : Type(type), Height(height), Font(font) {}
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;

    BandType Type;
    QString Name;
    double Height;              // mm; 0: the band runs its events and takes no space
    bool Enabled = true;        // a disabled band neither prints nor runs its events
    bool ForceNewPage = false;  // starts on a new page (unless the page holds no body band yet)
    report::Font Font;          // the font of the controls added from now on

    // Runs before the band is placed; set `print` false to suppress it. The
    // event may change captions, control widths, Enabled and Height.
    std::function<void(bool& print)> BeforePrint;
    // Runs after the band was placed (only when it printed).
    std::function<void()> AfterPrint;

    // Sub-detail: the dataset walked (First..Eof) or the callback that says
    // whether another record follows; with neither the band prints once.
    db::Dataset* DataSet = nullptr;
    std::function<bool()> NeedData;
    // Group header: the key whose change starts a new group.
    std::function<QString()> Expression;
    Band* Footer = nullptr;  // group header: its footer

    // Controls; each returns the new control, whose address stays valid.
    Control& Label(double x, double y, double width, const QString& caption, Align align = Align::Left);
    Control& Field(double x, double y, double width, const QString& field, Align align = Align::Left);
    Control& Computed(double x, double y, double width, std::function<QString()> text,
                      Align align = Align::Left);
    Control& SysData(double x, double y, double width, SysKind kind, Align align = Align::Left,
                     const QString& prefix = {});
    Control& Memo(double x, double y, double width, double height, const QString& text = {});
    Control& HLine(double x, double y, double width);
    Control& VLine(double x, double y, double height);
    Control& Rectangle(double x, double y, double width, double height);
    Control& Image(double x, double y, double width, double height, const QImage& image);

    // A band printed right after this one whenever this one prints.
    Band& AddChild(double height);
    Band* Child() const { return child_.get(); }

    std::deque<Control>& Controls() { return controls_; }
    const std::deque<Control>& Controls() const { return controls_; }
    Control* FindControl(const QString& name);

private:
    Control& Add(ControlKind kind, double x, double y, double width, double height);
    std::deque<Control> controls_;
    std::unique_ptr<Band> child_;
};

class Report {
public:
    explicit Report(const QString& title = {});
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    PageSetup Page;
    QString ReportTitle;
    report::Font Font;  // default font of new bands
    PrinterSettings Printer;
    bool PrintIfEmpty = true;     // without records: one page with headers and summary
    bool FirstPageHeader = true;  // page header on the first page too
    bool LastPageFooter = true;   // page footer on the last page too

    // Driving: the dataset walked from First to Eof, or the callback asked
    // before each record; with neither the detail band prints once.
    db::Dataset* DataSet = nullptr;
    std::function<bool()> NeedData;
    // Before the first page; set `print` false to produce nothing.
    std::function<void(bool& print)> BeforePrint;
    // What Preview() does (normally: the preview window); without it Preview()
    // only produces the pages.
    std::function<void()> OnPreview;

    Band& AddTitle(double height);
    Band& AddPageHeader(double height);
    Band& AddColumnHeader(double height);
    Band& AddDetail(double height);
    Band& AddSubDetail(double height, db::Dataset& dataset);
    Band& AddSubDetail(double height, std::function<bool()> needData);
    // Group header on a key computed for each record, or on a field of the
    // report's dataset; groups nest in the order they are added.
    Band& AddGroupHeader(double height, std::function<QString()> key);
    Band& AddGroupHeader(double height, const QString& field);
    // Printed when the group's key changes or the records end. With a report
    // dataset the footer's fields show the group's last record; with a
    // need-data callback the state has already moved on, so a footer shows
    // what the layout kept (its accumulators).
    Band& AddGroupFooter(Band& groupHeader, double height);
    Band& AddSummary(double height);
    Band& AddPageFooter(double height);

    Band* Title() const { return title_.get(); }
    Band* PageHeader() const { return pageHeader_.get(); }
    Band* ColumnHeader() const { return columnHeader_.get(); }
    Band* Detail() const { return detail_.get(); }
    Band* Summary() const { return summary_.get(); }
    Band* PageFooter() const { return pageFooter_.get(); }
    const std::vector<std::unique_ptr<Band>>& SubDetails() const { return subDetails_; }
    const std::vector<std::unique_ptr<Band>>& Groups() const { return groups_; }

    // Produces every page into PagePrinter(); an exception of an event ends
    // the production (the printer is finished) and is passed on.
    void Prepare();
    void Preview();
    report::PagePrinter& PagePrinter() { return *printer_; }

    // The date and time the system data show; fixed at the start of Prepare().
    double PrintedAt() const { return printedAt_; }

private:
    friend class Producer;
    Band& Set(std::unique_ptr<Band>& slot, BandType type, double height);
    std::unique_ptr<Band> title_, pageHeader_, columnHeader_, detail_, summary_, pageFooter_;
    std::vector<std::unique_ptr<Band>> subDetails_, groups_, footers_;
    std::unique_ptr<report::PagePrinter> printer_;
    double printedAt_ = 0;
};

// The text of field `field` of the dataset's current record, as the report prints it.
QString FieldText(db::Dataset& dataset, const QString& field);

}  // namespace report
