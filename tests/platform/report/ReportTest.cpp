#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <regex>

#include "platform/db/ListDataset.h"
#include "platform/report/Page.h"
#include "platform/report/PagePrinter.h"
#include "platform/report/PageText.h"
#include "platform/report/Preview.h"
#include "platform/report/Printing.h"
#include "platform/report/Report.h"
#include "support/DialogTest.h"
#include "support/Golden.h"
#include "support/TestSupport.h"

using namespace report;

namespace {

// Rows 1..n walked by a need-data callback: `row` is the record printing.
struct Rows {
    int n;
    int row = 0;
    std::function<bool()> NeedData() {
        return [this] { return ++row <= n; };
    }
};

// Bounding box of the dark pixels of an image, in pixels.
QRect Ink(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    return box;
}

// A list dataset of `n` records: SORSZAM 1..n, NEV "Sor i", CSOPORT "Csoport k"
// for runs of 25.
void FillRows(db::ListDataset& ds, int n) {
    ds.SetFieldDefs({{"SORSZAM", db::FieldType::Integer},
                     {"NEV", db::FieldType::String, 20},
                     {"CSOPORT", db::FieldType::String, 20}});
    ds.Open();
    for (int i = 1; i <= n; ++i) {
        ds.Append();
        ds.FieldByName("SORSZAM").SetAsInteger(i);
        ds.FieldByName("NEV").SetAsString("Sor " + std::to_string(i));
        ds.FieldByName("CSOPORT").SetAsString("Csoport " + std::to_string((i - 1) / 25 + 1));
        ds.Post();
    }
}

// 100 records in four groups of 25, each group on a new page. Heights are
// chosen so the page breaks can be counted by hand: the body is 230 mm below
// the page header (20), the column header (7) and above the footer (10); the
// title takes 10 on page 1; a record is a 10 mm detail and a 5 mm sub-detail.
struct GroupedFixture {
    db::ListDataset rows;
    Report r{QStringLiteral("Lista")};
    int subRow = 0;

    GroupedFixture() {
        FillRows(rows, 100);
        r.DataSet = &rows;
        r.AddPageHeader(20).Computed(0, 0, 100, [this] { return "Fej " + FieldText(rows, "SORSZAM"); });
        r.AddTitle(10).Label(0, 0, 100, "Cím");
        r.AddColumnHeader(7).Label(0, 0, 100, "Oszlopok");
        auto& group = r.AddGroupHeader(10, QStringLiteral("CSOPORT"));
        group.ForceNewPage = true;
        group.Field(0, 0, 100, "CSOPORT");
        r.AddGroupFooter(group, 5).Label(0, 0, 50, "Csoport vége");
        r.AddDetail(10).Field(0, 0, 50, "NEV");
        r.AddSubDetail(5, [this] { return subRow++ % 2 == 0; }).Computed(0, 0, 50, [this] {
            return "Alsor " + FieldText(rows, "SORSZAM");
        });
        r.AddSummary(10).Label(0, 0, 50, "Összesen");
        r.AddPageFooter(10).SysData(0, 0, 190, SysKind::PageOfPages, Align::Right);
    }
};

}  // namespace

TEST(Report, GroupedLayoutPaginatesWithGroupsOnNewPages) {
    GroupedFixture f;
    f.r.Prepare();
    PagePrinter& p = f.r.PagePrinter();
    ASSERT_EQ(p.Status(), PrinterStatus::Finished);
    // Group 1: 15 details and 14 sub-details fit under the title (bands break
    // one by one), the rest follows; groups 2-4: 15 records, then 10.
    ASSERT_EQ(p.PageCount(), 8);

    auto first = PageTexts(p, 1);
    std::vector<QString> expectedTop = {"Fej 1", "Cím", "Oszlopok", "Csoport 1", "Sor 1", "Alsor 1", "Sor 2"};
    ASSERT_GE(first.size(), expectedTop.size());
    EXPECT_EQ(std::vector<QString>(first.begin(), first.begin() + expectedTop.size()), expectedTop);
    EXPECT_TRUE(p.PageContains(1, "Sor 15"));
    EXPECT_FALSE(p.PageContains(1, "Alsor 15"));
    EXPECT_EQ(PageTexts(p, 2)[2], "Alsor 15");
    EXPECT_EQ(PageTexts(p, 1).back(), "1/8");

    // Page 2 ends group 1 with its footer; page 3 starts group 2, and its page
    // header saw the record that prints first on it.
    EXPECT_TRUE(p.PageContains(2, "Csoport vége"));
    EXPECT_FALSE(p.PageContains(2, "Cím"));
    auto third = PageTexts(p, 3);
    EXPECT_EQ(third[0], "Fej 26");
    EXPECT_EQ(third[1], "Oszlopok");
    EXPECT_EQ(third[2], "Csoport 2");
    EXPECT_EQ(third[3], "Sor 26");
    EXPECT_EQ(third.back(), "3/8");

    auto last = PageTexts(p, 8);
    EXPECT_TRUE(p.PageContains(8, "Sor 100"));
    EXPECT_TRUE(p.PageContains(8, "Összesen"));
    EXPECT_EQ(last.back(), "8/8");
}

TEST(Report, GroupFootersShowTheirOwnGroupsLastRecord) {
    db::ListDataset rows;
    FillRows(rows, 60);  // three groups: 25, 25 and 10 records
    Report r;
    r.DataSet = &rows;
    auto& group = r.AddGroupHeader(6, QStringLiteral("CSOPORT"));
    group.Field(0, 0, 50, "CSOPORT");
    auto& footer = r.AddGroupFooter(group, 6);
    footer.Field(0, 0, 50, "CSOPORT");
    footer.Field(60, 0, 50, "NEV");
    r.AddDetail(0);
    r.Prepare();
    std::vector<QString> texts;
    for (int page = 1; page <= r.PagePrinter().PageCount(); ++page)
        for (const QString& t : PageTexts(r.PagePrinter(), page)) texts.push_back(t);
    EXPECT_EQ(texts, (std::vector<QString>{"Csoport 1", "Csoport 1", "Sor 25", "Csoport 2", "Csoport 2",
                                           "Sor 50", "Csoport 3", "Csoport 3", "Sor 60"}));
    EXPECT_TRUE(rows.Eof());
}

TEST(Report, SubDetailWalksItsOwnDatasetForEachRecord) {
    db::ListDataset master, items;
    FillRows(master, 2);
    FillRows(items, 3);
    items.First();
    Report r;
    r.DataSet = &master;
    auto& detail = r.AddDetail(6);
    detail.Field(0, 0, 30, "NEV");
    detail.Field(40, 0, 30, "NEV").From(items);  // another dataset's current record
    r.AddSubDetail(5, items).Field(10, 0, 30, "NEV");
    r.Prepare();
    EXPECT_EQ(PageTexts(r.PagePrinter(), 1),
              (std::vector<QString>{"Sor 1", "Sor 1", "Sor 1", "Sor 2", "Sor 3",  //
                                    "Sor 2", "Sor 3", "Sor 1", "Sor 2", "Sor 3"}));
    EXPECT_TRUE(master.Eof());
}

TEST(Report, EventsSuppressBandsAndZeroHeightBandsStillRun) {
    Report r;
    Rows rows{10};
    r.NeedData = rows.NeedData();
    auto& detail = r.AddDetail(5);
    Control& text = detail.Label(0, 0, 50, "");
    detail.BeforePrint = [&](bool& print) {
        print = rows.row % 2 == 0;  // odd rows suppressed
        text.Caption = QString("Páros %1").arg(rows.row);
    };
    int counted = 0;
    auto& counter = detail.AddChild(0);
    counter.Label(0, 0, 50, "Nem látszik");
    counter.BeforePrint = [&](bool&) { ++counted; };
    auto& summary = r.AddSummary(5);
    Control& total = summary.Label(0, 0, 50, "");
    summary.BeforePrint = [&](bool&) { total.Caption = QString("Darab %1").arg(counted); };
    r.Prepare();

    auto texts = PageTexts(r.PagePrinter(), 1);
    EXPECT_EQ(texts,
              (std::vector<QString>{"Páros 2", "Páros 4", "Páros 6", "Páros 8", "Páros 10", "Darab 5"}));
    // Suppressed rows take no space: the five printed rows stand 5 mm apart.
    auto placed = r.PagePrinter().GetPage(1)->Texts(1);
    EXPECT_DOUBLE_EQ(placed[1].y - placed[0].y, 5.0);
    EXPECT_DOUBLE_EQ(placed[5].y - placed[4].y, 5.0);
}

TEST(Report, AfterPrintForcesNewPageAndDisabledBandsAreSkipped) {
    // The payslip pattern: the end row of an employee forces the next detail
    // onto a new page; the receipt child band is enabled only on that row.
    Report r;
    Rows rows{6};
    r.NeedData = rows.NeedData();
    r.AddPageHeader(10).Computed(0, 0, 80, [&] { return QString("Dolgozó %1").arg((rows.row - 1) / 3 + 1); });
    auto& detail = r.AddDetail(Px(16));
    detail.Computed(0, 0, 50, [&] { return QString("Sor %1").arg(rows.row); });
    auto& receipt = detail.AddChild(20);
    receipt.Label(0, 0, 50, "Aláírás");
    detail.BeforePrint = [&](bool&) { receipt.Enabled = rows.row % 3 == 0; };
    detail.AfterPrint = [&] { detail.ForceNewPage = rows.row % 3 == 0; };
    r.Prepare();
    PagePrinter& p = r.PagePrinter();
    ASSERT_EQ(p.PageCount(), 2);
    EXPECT_EQ(PageTexts(p, 1), (std::vector<QString>{"Dolgozó 1", "Sor 1", "Sor 2", "Sor 3", "Aláírás"}));
    EXPECT_EQ(PageTexts(p, 2), (std::vector<QString>{"Dolgozó 2", "Sor 4", "Sor 5", "Sor 6", "Aláírás"}));
}

TEST(Report, EmptyAndDatalessReports) {
    Report empty;
    Rows none{0};
    empty.NeedData = none.NeedData();
    empty.AddPageHeader(10).Label(0, 0, 50, "Fejléc");
    empty.AddDetail(5).Label(0, 0, 50, "Sor");
    empty.Prepare();
    ASSERT_EQ(empty.PagePrinter().PageCount(), 1);
    EXPECT_EQ(PageTexts(empty.PagePrinter(), 1), std::vector<QString>{"Fejléc"});
    empty.PrintIfEmpty = false;
    none.row = 0;
    empty.Prepare();
    EXPECT_EQ(empty.PagePrinter().PageCount(), 0);

    // Neither dataset nor callback: a certificate in one title band and a
    // detail band that prints once.
    Report certificate(QStringLiteral("Igazolás"));
    certificate.AddTitle(20).SysData(0, 0, 100, SysKind::ReportTitle);
    certificate.AddDetail(5).Label(0, 0, 50, "Egyszer");
    certificate.Prepare();
    EXPECT_EQ(PageTexts(certificate.PagePrinter(), 1), (std::vector<QString>{"Igazolás", "Egyszer"}));

    // The report's own event can stop everything.
    certificate.BeforePrint = [](bool& print) { print = false; };
    certificate.Prepare();
    EXPECT_EQ(certificate.PagePrinter().PageCount(), 0);
    EXPECT_EQ(certificate.PagePrinter().Status(), PrinterStatus::Finished);
}

TEST(Report, CancelAfterThirdPageKeepsThreePages) {
    GroupedFixture f;
    PagePrinter& p = f.r.PagePrinter();
    int finished = 0;
    QObject::connect(&p, &PagePrinter::PageAvailable, [&](int n) {
        if (n == 3 && p.Status() == PrinterStatus::Busy) p.Cancel();
    });
    QObject::connect(&p, &PagePrinter::Finished, [&] { ++finished; });
    f.r.Prepare();
    EXPECT_EQ(p.PageCount(), 3);
    EXPECT_EQ(p.Status(), PrinterStatus::Finished);
    EXPECT_TRUE(p.Cancelled());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(PageTexts(p, 3).back(), "3/3");
    EXPECT_EQ(p.GetPage(4), nullptr);
}

TEST(Report, EventErrorEndsProductionAndPassesOn) {
    Report r;
    Rows rows{50};
    r.NeedData = rows.NeedData();
    r.AddDetail(20).BeforePrint = [&](bool&) {
        if (rows.row == 30) throw std::runtime_error("Hibás rekord");
    };
    EXPECT_THROW(r.Prepare(), std::runtime_error);
    EXPECT_EQ(r.PagePrinter().Status(), PrinterStatus::Finished);
    EXPECT_EQ(r.PagePrinter().PageCount(), 2);  // 13 records a page: pages 1 and 2 were complete
}

TEST(Report, WrappedTextStretchesItsBand) {
    Report r;
    auto& detail = r.AddDetail(5);
    detail.Memo(0, 0, 30, 5, "Hosszú szöveg, amely több sorba törik a keskeny oszlopban").Wrap(true);
    r.AddSummary(5).Label(0, 0, 50, "Utána");
    r.Prepare();
    auto texts = r.PagePrinter().GetPage(1)->Texts(1);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_GT(texts[1].y - texts[0].y, 2.5 * LineHeight(Font{}));
}

TEST(Report, AutoSizeKeepsTheAlignedEdge) {
    Report r;
    auto& band = r.AddDetail(10);
    band.Label(100, 0, 40, "Jobbra").AutoSized().Alignment = Align::Right;
    band.Label(0, 5, 5, "Hosszabb mint az oszlop").AutoSized();
    r.Prepare();
    const Page& page = *r.PagePrinter().GetPage(1);
    const auto& right = std::get<TextRun>(page.Items()[0]);
    EXPECT_NEAR(right.rect.right(), 10 + 140, 1e-9);
    EXPECT_NEAR(right.rect.width(), TextWidth(Font{}, "Jobbra"), 1e-9);
    const auto& wide = std::get<TextRun>(page.Items()[1]);
    EXPECT_GT(wide.rect.width(), 30);
    EXPECT_FALSE(wide.clip);
}

TEST(Page, TextLandsAtTheSameMillimetresAt96And300Dpi) {
    Page page;
    Font font{"Arial", 20, Bold};
    page.Add(TextRun{{50, 40, 60, 10}, "Ő", font, Align::Left});
    page.Add(TextRun{{50, 80, 60, 10}, "Tű", {"Times New Roman", 20}, Align::Right});
    page.Add(LineShape{{20, 150}, {120, 150}, 0.5});
    QRect lo = Ink(page.Render(96, 1)), hi = Ink(page.Render(300, 1));
    auto mm = [](int px, double dpi) { return px * 25.4 / dpi; };
    EXPECT_NEAR(mm(lo.left(), 96), mm(hi.left(), 300), 0.4);
    EXPECT_NEAR(mm(lo.top(), 96), mm(hi.top(), 300), 0.4);
    EXPECT_NEAR(mm(lo.right(), 96), mm(hi.right(), 300), 0.4);
    EXPECT_NEAR(mm(lo.bottom(), 96), mm(hi.bottom(), 300), 0.4);
    EXPECT_NEAR(mm(hi.left(), 300), 20, 0.3);  // the line starts the ink
}

TEST(Page, HungarianLettersReachTextAndImage) {
    Report r;
    auto& band = r.AddDetail(20);
    band.Label(0, 0, 100, "Tűrő ŐŰ őű").SetFont("Arial", 24);
    r.Prepare();
    EXPECT_TRUE(r.PagePrinter().PageContains(1, "ŐŰ őű"));

    // The double acute accents add ink above the capitals' top.
    auto inkTop = [](const QString& text) {
        Page page;
        page.Add(TextRun{{10, 10, 100, 20}, text, Font{"Arial", 40}, Align::Left});
        return Ink(page.Render(150, 1)).top();
    };
    EXPECT_LT(inkTop("ŐŰ"), inkTop("OU") - 3);
    Page lower;
    lower.Add(TextRun{{10, 10, 100, 20}, "őű", Font{"Arial", 40}, Align::Left});
    Page plain;
    plain.Add(TextRun{{10, 10, 100, 20}, "öü", Font{"Arial", 40}, Align::Left});
    EXPECT_NE(lower.Render(150, 1), plain.Render(150, 1));
}

TEST(Page, TextsReadLineByLineLeftToRight) {
    Page page;
    auto add = [&page](double x, double y, const char* text) {
        page.Add(TextRun{{x, y, 20, 5}, text, Font{}, Align::Left});
    };
    // Tops a little apart still read as one line, even where the first and
    // the last of them lie further apart than the tolerance allows a pair.
    add(100, 10.3, "c");
    add(50, 10.0, "b");
    add(10, 10.45, "a");
    add(0, 20.0, "d");
    add(60, 10.6, "e");  // 0.6 below "b": the next line
    std::vector<QString> read;
    for (const PlacedText& t : page.Texts(1)) read.push_back(t.text);
    EXPECT_EQ(read, (std::vector<QString>{"a", "b", "c", "e", "d"}));
}

TEST(Page, FontNamesMapToLiberation) {
    EXPECT_EQ(FontFamily("Arial"), "Liberation Sans");
    EXPECT_EQ(FontFamily("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(FontFamily("Courier New"), "Liberation Mono");
    for (QString name : {"Arial", "Times New Roman", "Courier New"})
        EXPECT_EQ(QFontInfo(MakeQFont(Font{name, 10})).family(), FontFamily(name)) << name.toStdString();
}

TEST(Preview, FollowsPagesPagesAndZooms) {
    GroupedFixture f;
    Preview preview;
    preview.resize(800, 600);
    preview.SetPagePrinter(&f.r.PagePrinter());
    std::vector<int> signalled;
    QObject::connect(&preview, &Preview::PageAvailable, [&](int n) { signalled.push_back(n); });
    f.r.Prepare();
    EXPECT_EQ(signalled.front(), 1);
    EXPECT_EQ(signalled.back(), 8);
    EXPECT_EQ(preview.PageNumber(), 1);
    preview.SetPageNumber(9);
    EXPECT_EQ(preview.PageNumber(), 1);
    preview.SetPageNumber(8);
    EXPECT_EQ(preview.PageNumber(), 8);
    preview.SetPageNumber(0);
    EXPECT_EQ(preview.PageNumber(), 8);

    preview.Zoom100();
    EXPECT_EQ(preview.Zoom(), 100);
    preview.ZoomToFit();
    int fit = preview.Zoom();
    EXPECT_LE(preview.widget()->height(), preview.maximumViewportSize().height());
    preview.ZoomToWidth();
    EXPECT_GT(preview.Zoom(), fit);
    EXPECT_LE(preview.widget()->width(), preview.maximumViewportSize().width());
}

TEST(Printing, PrintsThePageRangeThroughQtPrintSupport) {
    GroupedFixture f;
    f.r.Prepare();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("out.pdf"));
    printer.setFullPage(true);
    PrintPages(f.r.PagePrinter(), printer, 3, 4);
    std::string text;
    ASSERT_EQ(
        testsupport::RunCommand("pdftotext -layout " + dir.filePath("out.pdf").toStdString() + " -", &text),
        0);
    EXPECT_NE(text.find("Csoport 2"), std::string::npos);
    EXPECT_NE(text.find("4/8"), std::string::npos);
    EXPECT_EQ(text.find("Csoport 1"), std::string::npos);
    std::string info;
    testsupport::RunCommand("pdfinfo " + dir.filePath("out.pdf").toStdString(), &info);
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages: +2\n"))) << info;
}

TEST(Printing, DialogLimitsTheRangeToThePagesAndKeepsTheLayoutsOrientation) {
    GroupedFixture f;
    PagePrinter& pages = f.r.PagePrinter();
    testsupport::ScriptedDialogs dialogs;
    // While pages are still produced their count is open: 0 to 9999.
    bool asked = false;
    QObject::connect(&pages, &PagePrinter::PageAvailable, [&](int n) {
        if (n != 2 || asked) return;
        asked = true;
        dialogs.Answer(ui::Cancel);
        EXPECT_FALSE(PrintReport(f.r));
        EXPECT_EQ(dialogs.Shown().back().minPage, 0);
        EXPECT_EQ(dialogs.Shown().back().maxPage, 9999);
    });
    f.r.Prepare();
    ASSERT_EQ(pages.PageCount(), 8);

    QTemporaryDir dir;
    const QString out = dir.filePath("nyomtatott.pdf");
    dialogs.Then([&](const ui::DialogRequest& request) {
        EXPECT_EQ(request.kind, ui::DialogKind::Print);
        EXPECT_EQ(request.minPage, 1);
        EXPECT_EQ(request.maxPage, 8);
        EXPECT_EQ(request.printer->printRange(), QPrinter::AllPages);
        // The user prints pages 3 to 4 on landscape paper.
        request.printer->setOutputFormat(QPrinter::PdfFormat);
        request.printer->setOutputFileName(out);
        request.printer->setPageOrientation(QPageLayout::Landscape);
        request.printer->setPrintRange(QPrinter::PageRange);
        request.printer->setFromTo(3, 4);
        request.printer->setCopyCount(2);
        ui::DialogAnswer a;
        a.button = ui::Ok;
        return a;
    });
    ASSERT_TRUE(PrintReport(f.r));
    EXPECT_EQ(f.r.Printer.fromPage, 3);
    EXPECT_EQ(f.r.Printer.toPage, 4);
    EXPECT_EQ(f.r.Printer.copies, 2);
    EXPECT_EQ(f.r.Printer.orientation, Orientation::Landscape);
    // The layout stays portrait: a later export or run keeps its pages.
    EXPECT_EQ(f.r.Page.orientation, Orientation::Portrait);
    std::string text;
    ASSERT_EQ(testsupport::RunCommand("pdftotext " + out.toStdString() + " -", &text), 0);
    EXPECT_NE(text.find("Csoport 2"), std::string::npos);
    EXPECT_EQ(text.find("Csoport 1"), std::string::npos);

    // The next dialog offers the stored range; a range past the pages of a
    // shorter run is dropped; a cancelled dialog prints nothing.
    dialogs.Then([&](const ui::DialogRequest& request) {
        EXPECT_EQ(request.printer->fromPage(), 3);
        EXPECT_EQ(request.printer->toPage(), 4);
        EXPECT_EQ(request.printer->pageLayout().orientation(), QPageLayout::Portrait);
        ui::DialogAnswer a;
        a.button = ui::Cancel;
        return a;
    });
    EXPECT_FALSE(PrintReport(f.r));
    f.r.Printer.fromPage = 7;
    f.r.Printer.toPage = 12;
    dialogs.Then([&](const ui::DialogRequest& request) {
        EXPECT_EQ(request.printer->fromPage(), 0);
        EXPECT_EQ(request.printer->printRange(), QPrinter::AllPages);
        ui::DialogAnswer a;
        a.button = ui::Cancel;
        return a;
    });
    EXPECT_FALSE(PrintReport(f.r));
    EXPECT_EQ(f.r.Printer.fromPage, 7);  // nothing stored on cancel
}

// The text form lists are compared in: a line per printed line, whole
// millimetres, runs in reading order, a memo's line break kept visible.
TEST(PageText, PagesReadAsLinesOfRunsInWholeMillimetres) {
    db::ListDataset rows;
    FillRows(rows, 30);
    Report r;
    r.DataSet = &rows;
    r.AddPageHeader(12).Label(0, 0, 100, "Dolgozók").Bold();
    r.AddTitle(14).Memo(0, 0, 120, 12, "Első sor\nmásodik sor");
    Band& detail = r.AddDetail(10);
    detail.Field(0, 0, 30, "SORSZAM", Align::Right);
    detail.Field(40.3, 0.2, 60, "NEV");
    r.AddPageFooter(8).SysData(0, 0, 190, SysKind::PageOfPages, Align::Right);
    r.Prepare();
    ASSERT_EQ(r.PagePrinter().PageCount(), 2);
    EXPECT_EQ(PageTexts(r.PagePrinter(), 2).front(), "Dolgozók");
    EXPECT_TRUE(testsupport::MatchesGolden("platform/report/golden/PageText", "two-pages",
                                           PagesText(r.PagePrinter()), testsupport::Encoding::Utf8,
                                           "pages.txt"));
}
