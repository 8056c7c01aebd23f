#include "platform/report/Report.h"

#include <algorithm>

#include "platform/db/Dataset.h"
#include "platform/os/DayNumber.h"

namespace report {

// ---------------------------------------------------------------- controls

Control& Control::SetFont(const QString& name, double size, int style) {
    Font = report::Font{name, size, style};
    return *this;
}

Control& Band::Add(ControlKind kind, double x, double y, double width, double height) {
    Control& c = controls_.emplace_back();
    c.Kind = kind;
    c.Left = x;
    c.Top = y;
    c.Width = width;
    c.Height = height;
    c.Font = Font;
    return c;
}

Control& Band::Label(double x, double y, double width, const QString& caption, Align align) {
    Control& c = Add(ControlKind::Label, x, y, width, 0);
    c.Caption = caption;
    c.Alignment = align;
    return c;
}

Control& Band::Field(double x, double y, double width, const QString& field, Align align) {
    Control& c = Add(ControlKind::Field, x, y, width, 0);
    c.DataField = field;
    c.Alignment = align;
    return c;
}

Control& Band::Computed(double x, double y, double width, std::function<QString()> text, Align align) {
    Control& c = Add(ControlKind::Computed, x, y, width, 0);
    c.Expression = std::move(text);
    c.Alignment = align;
    return c;
}

Control& Band::SysData(double x, double y, double width, SysKind kind, Align align, const QString& prefix) {
    Control& c = Add(ControlKind::SysData, x, y, width, 0);
    c.Data = kind;
    c.Alignment = align;
    c.Caption = prefix;
    return c;
}

Control& Band::Memo(double x, double y, double width, double height, const QString& text) {
    Control& c = Add(ControlKind::Memo, x, y, width, height);
    if (!text.isEmpty()) c.Lines = text.split(QLatin1Char('\n'));
    c.WordWrap = true;
    return c;
}

Control& Band::HLine(double x, double y, double width) { return Add(ControlKind::HLine, x, y, width, 0); }
Control& Band::VLine(double x, double y, double height) { return Add(ControlKind::VLine, x, y, 0, height); }
Control& Band::Rectangle(double x, double y, double width, double height) {
    return Add(ControlKind::Rectangle, x, y, width, height);
}

Control& Band::Image(double x, double y, double width, double height, const QImage& image) {
    Control& c = Add(ControlKind::Image, x, y, width, height);
    c.Picture = image;
    return c;
}

Band& Band::AddChild(double height) {
    child_ = std::make_unique<Band>(BandType::Child, height, Font);
    return *child_;
}

Control* Band::FindControl(const QString& name) {
    for (Control& c : controls_)
        if (c.Name == name) return &c;
    return nullptr;
}

QString FieldText(db::Dataset& dataset, const QString& field) {
    return QString::fromStdString(dataset.FieldByName(field.toStdString()).AsString());
}

// ------------------------------------------------------------------ report

Report::Report(const QString& title)
    : ReportTitle(title), printer_(std::make_unique<report::PagePrinter>()) {}
Report::~Report() = default;

Band& Report::Set(std::unique_ptr<Band>& slot, BandType type, double height) {
    slot = std::make_unique<Band>(type, height, Font);
    return *slot;
}

Band& Report::AddTitle(double height) { return Set(title_, BandType::Title, height); }
Band& Report::AddPageHeader(double height) { return Set(pageHeader_, BandType::PageHeader, height); }
Band& Report::AddColumnHeader(double height) { return Set(columnHeader_, BandType::ColumnHeader, height); }
Band& Report::AddDetail(double height) { return Set(detail_, BandType::Detail, height); }
Band& Report::AddSummary(double height) { return Set(summary_, BandType::Summary, height); }
Band& Report::AddPageFooter(double height) { return Set(pageFooter_, BandType::PageFooter, height); }

Band& Report::AddSubDetail(double height, db::Dataset& dataset) {
    Band& b = *subDetails_.emplace_back(std::make_unique<Band>(BandType::SubDetail, height, Font));
    b.DataSet = &dataset;
    return b;
}

Band& Report::AddSubDetail(double height, std::function<bool()> needData) {
    Band& b = *subDetails_.emplace_back(std::make_unique<Band>(BandType::SubDetail, height, Font));
    b.NeedData = std::move(needData);
    return b;
}

Band& Report::AddGroupHeader(double height, std::function<QString()> key) {
    Band& b = *groups_.emplace_back(std::make_unique<Band>(BandType::GroupHeader, height, Font));
    b.Expression = std::move(key);
    return b;
}

Band& Report::AddGroupHeader(double height, const QString& field) {
    return AddGroupHeader(height, [this, field] { return DataSet ? FieldText(*DataSet, field) : QString(); });
}

Band& Report::AddGroupFooter(Band& groupHeader, double height) {
    Band& b = *footers_.emplace_back(std::make_unique<Band>(BandType::GroupFooter, height, Font));
    groupHeader.Footer = &b;
    return b;
}

// ---------------------------------------------------------------- producer

namespace {
struct Cancelled {};

QString DateText(double day) {
    os::YMD d = os::DecodeDate(day);
    return QString::asprintf("%04d.%02d.%02d", d.year, d.month, d.day);
}

QString TimeText(double day) {
    int h, m, s, ms;
    os::DecodeTime(day, h, m, s, ms);
    return QString::asprintf("%02d:%02d:%02d", h, m, s);
}

// A text control of height 0 is one line of its own font high.
double TextHeight(const Control& c) { return c.Height > 0 ? c.Height : LineHeight(c.Font); }

// The largest size up to the font's own at which `text` fits `width` mm.
void ShrinkInto(Font& font, const QString& text, double width) {
    double w = TextWidth(font, text);
    if (w <= width || w <= 0) return;
    font.size = std::max(kMinShrunkSize, font.size * width / w);
    // Hinted metrics do not scale exactly with the size.
    while (font.size > kMinShrunkSize && TextWidth(font, text) > width)
        font.size = std::max(kMinShrunkSize, font.size - 0.1);
}

bool IsText(ControlKind k) {
    return k == ControlKind::Label || k == ControlKind::Field || k == ControlKind::Computed ||
           k == ControlKind::SysData || k == ControlKind::Memo;
}
}  // namespace

class Producer {
public:
    explicit Producer(Report& report) : r_(report), out_(report.PagePrinter()) {}

    void Run() {
        out_.Begin();
        try {
            Produce();
        } catch (const Cancelled&) {
        } catch (...) {
            out_.End();
            throw;
        }
        out_.End();
    }

private:
    Report& r_;
    report::PagePrinter& out_;
    std::unique_ptr<Page> page_;
    int pageNo_ = 0;
    int details_ = 0;
    double y_ = 0, bottom_ = 0;
    bool bodyUsed_ = false;  // a body band (not a header, not the title) took space on this page
    std::vector<QString> groupKeys_;

    void Produce() {
        r_.printedAt_ = os::Now();
        bool go = true;
        if (r_.BeforePrint) r_.BeforePrint(go);
        if (!go) return;
        if (r_.DataSet) r_.DataSet->First();
        bool more = MoreRecords(true);
        if (!more && !r_.PrintIfEmpty) return;
        StartPage();
        if (more) groupKeys_ = GroupKeys();
        size_t from = 0;  // the groups whose headers print before this record
        while (more) {
            ++details_;
            for (size_t i = from; i < r_.groups_.size(); ++i) Print(*r_.groups_[i], r_.DataSet, true);
            if (r_.detail_) Print(*r_.detail_, r_.DataSet, true);
            for (auto& sub : r_.subDetails_) RunSubDetail(*sub);
            if (r_.DataSet) r_.DataSet->Next();
            more = MoreRecords(false);
            if (!more) {
                EndGroups(0);
                break;
            }
            from = EndChangedGroups();
        }
        if (r_.summary_) Print(*r_.summary_, r_.DataSet, true);
        EndPage(true);
    }

    bool MoreRecords(bool first) {
        if (r_.DataSet) return !r_.DataSet->Eof();
        if (r_.NeedData) return r_.NeedData();
        return first;
    }

    std::vector<QString> GroupKeys() {
        std::vector<QString> keys(r_.groups_.size());
        for (size_t i = 0; i < keys.size(); ++i)
            if (r_.groups_[i]->Expression) keys[i] = r_.groups_[i]->Expression();
        return keys;
    }

    // On the next record: prints the footers of the groups its keys end and
    // returns the outermost group that changed (the count when none did).
    // The report's dataset steps back for the footers, so their fields show
    // the group's own last record, not the next group's first.
    size_t EndChangedGroups() {
        const size_t n = r_.groups_.size();
        if (n == 0) return n;
        std::vector<QString> keys = GroupKeys();
        size_t from = n;
        for (size_t i = 0; i < n; ++i)
            if (keys[i] != groupKeys_[i]) {
                from = i;
                break;
            }
        if (from < n) {
            if (r_.DataSet) r_.DataSet->Prior();
            EndGroups(from);
            if (r_.DataSet) r_.DataSet->Next();
        }
        groupKeys_ = std::move(keys);
        return from;
    }

    // Footers of the groups at `level` and deeper, innermost first.
    void EndGroups(size_t level) {
        for (size_t i = r_.groups_.size(); i-- > level;)
            if (Band* footer = r_.groups_[i]->Footer) Print(*footer, r_.DataSet, true);
    }

    void RunSubDetail(Band& sub) {
        if (!sub.Enabled) return;
        if (sub.DataSet) {
            for (sub.DataSet->First(); !sub.DataSet->Eof(); sub.DataSet->Next())
                Print(sub, sub.DataSet, true);
        } else if (sub.NeedData) {
            while (sub.NeedData()) Print(sub, r_.DataSet, true);
        } else {
            Print(sub, r_.DataSet, true);
        }
    }

    void StartPage() {
        page_ = std::make_unique<Page>(r_.Page.Width(), r_.Page.Height());
        ++pageNo_;
        y_ = r_.Page.topMargin;
        bottom_ = r_.Page.Height() - r_.Page.bottomMargin;
        if (Band* f = r_.pageFooter_.get(); f && f->Enabled) bottom_ -= f->Height;
        bodyUsed_ = false;
        if (r_.pageHeader_ && (pageNo_ > 1 || r_.FirstPageHeader)) Print(*r_.pageHeader_, r_.DataSet, false);
        if (pageNo_ == 1 && r_.title_) Print(*r_.title_, r_.DataSet, false);
        if (r_.columnHeader_) Print(*r_.columnHeader_, r_.DataSet, false);
    }

    void EndPage(bool last) {
        if (Band* f = r_.pageFooter_.get(); f && (!last || r_.LastPageFooter)) {
            y_ = r_.Page.Height() - r_.Page.bottomMargin - f->Height;
            Print(*f, r_.DataSet, false);
        }
        out_.AddPage(std::move(page_));
        if (out_.CancelRequested()) throw Cancelled{};
    }

    // Runs the band's event and places it; `body` bands start a new page when
    // they do not fit or ask for one. Returns whether the band printed.
    bool Print(Band& band, db::Dataset* dataset, bool body) {
        if (!band.Enabled) return false;
        bool print = true;
        if (band.BeforePrint) band.BeforePrint(print);
        if (!print) return false;
        std::vector<QString> texts = Texts(band, dataset);
        double height = Stretched(band, texts);
        if (body && bodyUsed_ && (band.ForceNewPage || y_ + height > bottom_ + 1e-6)) {
            EndPage(false);
            StartPage();
            // The page header's event may have moved shared state; the texts
            // stay those the band's own event prepared.
        }
        Place(band, texts, height);
        y_ += height;
        if (body && band.Type != BandType::Title && height > 0) bodyUsed_ = true;
        if (band.AfterPrint) band.AfterPrint();
        if (Band* child = band.Child()) Print(*child, dataset, body);
        return true;
    }

    QString Text(const Control& c, db::Dataset* dataset) {
        switch (c.Kind) {
            case ControlKind::Label:
                return c.Caption;
            case ControlKind::Field: {
                db::Dataset* ds = c.DataSet ? c.DataSet : dataset;
                return ds ? FieldText(*ds, c.DataField) : QString();
            }
            case ControlKind::Computed:
                return c.Expression ? c.Expression() : QString();
            case ControlKind::Memo:
                return c.Lines.join(QLatin1Char('\n'));
            case ControlKind::SysData:
                return c.Caption + SysText(c.Data);
            default:
                return {};
        }
    }

    QString SysText(SysKind kind) {
        switch (kind) {
            case SysKind::PageNumber:
                return QString::number(pageNo_);
            case SysKind::PageCount:
                return QString(kPageCountMark);
            case SysKind::PageOfPages:
                return QString::number(pageNo_) + QLatin1Char('/') + kPageCountMark;
            case SysKind::Date:
                return DateText(r_.printedAt_);
            case SysKind::Time:
                return TimeText(r_.printedAt_);
            case SysKind::DateTime:
                return DateText(r_.printedAt_) + QLatin1Char(' ') + TimeText(r_.printedAt_);
            case SysKind::ReportTitle:
                return r_.ReportTitle;
            case SysKind::DetailNumber:
                return QString::number(details_);
        }
        return {};
    }

    // Texts of the band's text controls, in control order; computed once so a
    // computed text with side effects runs once per print.
    std::vector<QString> Texts(const Band& band, db::Dataset* dataset) {
        std::vector<QString> texts;
        if (band.Height <= 0) return texts;
        for (const Control& c : band.Controls())
            texts.push_back(c.Enabled && IsText(c.Kind) && c.Top < band.Height ? Text(c, dataset)
                                                                               : QString());
        return texts;
    }

    static bool Visible(const Band& band, const Control& c) { return c.Enabled && c.Top < band.Height; }

    static double Stretched(const Band& band, const std::vector<QString>& texts) {
        double h = std::max(0.0, band.Height);
        size_t i = 0;
        for (const Control& c : band.Controls()) {
            const QString& t = i < texts.size() ? texts[i] : QString();
            ++i;
            if (!Visible(band, c) || !c.AutoStretch || !c.WordWrap) continue;
            h = std::max(h, c.Top + std::max(TextHeight(c), WrappedHeight(c.Font, t, c.Width)));
        }
        return h;
    }

    void Place(const Band& band, const std::vector<QString>& texts, double height) {
        if (band.Height <= 0) return;
        double x0 = r_.Page.leftMargin, y0 = y_;
        size_t i = 0;
        for (const Control& c : band.Controls()) {
            const QString& text = texts[i++];
            if (!Visible(band, c)) continue;
            double x = x0 + c.Left, y = y0 + c.Top;
            switch (c.Kind) {
                case ControlKind::HLine:
                    page_->Add(LineShape{{x, y}, {x + c.Width, y}, c.PenWidth});
                    break;
                case ControlKind::VLine:
                    page_->Add(LineShape{{x, y}, {x, y + c.Height}, c.PenWidth});
                    break;
                case ControlKind::Rectangle:
                    page_->Add(BoxShape{{x, y, c.Width, c.Height}, c.PenWidth, c.Fill});
                    break;
                case ControlKind::Image:
                    page_->Add(ImageShape{{x, y, c.Width, c.Height}, c.Picture});
                    break;
                default: {
                    if (text.isEmpty()) break;
                    TextRun run{{x, y, c.Width, TextHeight(c)}, text, c.Font, c.Alignment, c.WordWrap, true};
                    if (c.AutoSize && !c.WordWrap) {
                        double w = TextWidth(c.Font, text);
                        if (c.Alignment == Align::Right) run.rect.setLeft(x + c.Width - w);
                        if (c.Alignment == Align::Center) run.rect.setLeft(x + (c.Width - w) / 2);
                        run.rect.setWidth(w);
                        run.clip = false;
                    }
                    if (c.ShrinkToFit && !c.WordWrap && !text.contains('\n'))
                        ShrinkInto(run.font, text, c.Width);
                    if (c.WordWrap && c.AutoStretch)
                        run.rect.setHeight(std::max(TextHeight(c), height - c.Top));
                    page_->Add(std::move(run));
                }
            }
        }
    }
};

void Report::Prepare() { Producer(*this).Run(); }

void Report::Preview() {
    if (OnPreview)
        OnPreview();
    else
        Prepare();
}

}  // namespace report
