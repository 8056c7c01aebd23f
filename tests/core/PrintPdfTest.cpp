// The PDF writer and the report-to-PDF export, checked by the bytes the
// writer promises and by qpdf and poppler, the tools PDF readers trust.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <regex>

#include "core/ExportQR.h"
#include "core/PrintPDF.h"
#include "platform/os/AtomicFile.h"
#include "platform/os/DayNumber.h"
#include "platform/os/TempDir.h"
#include "platform/report/Report.h"
#include "support/DialogTest.h"
#include "support/TestSupport.h"

namespace {

QImage Picture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(Qt::white);
    for (int y = 10; y < h - 10; ++y) image.setPixelColor(w / 2, y, Qt::black);
    return image;
}

std::string Shell(const std::string& command, int* status = nullptr) {
    std::string out;
    int rc = testsupport::RunCommand(command, &out);
    if (status) *status = rc;
    return out;
}

// Every xref entry points at its "n 0 obj" line, startxref at "xref".
void ExpectConsistentXref(const std::string& pdf) {
    std::smatch m;
    ASSERT_TRUE(std::regex_search(pdf, m, std::regex("startxref\r\n(\\d+)\r\n%%EOF\r\n$")));
    size_t xref = std::stoul(m[1]);
    ASSERT_EQ(pdf.compare(xref, 6, "xref\r\n"), 0);
    std::regex header("xref\r\n0 (\\d+)\r\n");
    ASSERT_TRUE(std::regex_search(pdf.begin() + long(xref), pdf.end(), m, header));
    int size = std::stoi(m[1]);
    size_t entry = xref + m.length(0) + 20;  // past the free entry
    for (int n = 1; n < size; ++n, entry += 20) {
        size_t offset = std::stoul(pdf.substr(entry, 10));
        std::string expected = std::to_string(n) + " 0 obj\r\n";
        EXPECT_EQ(pdf.compare(offset, expected.size(), expected), 0) << "object " << n;
    }
}

std::string WriteOnePage(const std::string& path, bool compress) {
    TPrintPDF pdf;
    pdf.FileName = path;
    pdf.Compress = compress;
    pdf.BeginDoc();
    pdf.DrawPageImage(0, 0, Picture(794, 1123));
    pdf.EndDoc();
    return os::ReadFile(path);
}

}  // namespace

TEST(PrintPDF, OnePageOneImageHasTheFixedObjectsAndPassesQpdf) {
    os::TempDir dir;
    for (bool compress : {true, false}) {
        SCOPED_TRACE(compress ? "compressed" : "uncompressed");
        std::string path = dir.File(compress ? "c.pdf" : "u.pdf");
        std::string pdf = WriteOnePage(path, compress);
        EXPECT_EQ(pdf.substr(0, 10), "%PDF-1.4\r\n");
        EXPECT_NE(pdf.find("trailer\r\n<< /Size 24\r\n/Root 23 0 R\r\n/Info 1 0 R\r\n>>"), std::string::npos);
        EXPECT_NE(pdf.find("23 0 obj\r\n<< /Type /Catalog\r\n/Pages 19 0 R\r\n/Outlines 4 0 R"),
                  std::string::npos);
        EXPECT_NE(pdf.find("21 0 obj\r\n<< /Type /XObject"), std::string::npos);
        EXPECT_NE(pdf.find("/Kids [\r\n22 0 R\r\n]"), std::string::npos);
        EXPECT_NE(pdf.find("/XObject << \r\n/Im1 21 0 R\r\n>>"), std::string::npos);
        EXPECT_NE(
            pdf.find(
                "18 0 obj\r\n<< /Type /Font\r\n/Subtype /Type1\r\n/Name /F14\r\n/BaseFont /ZapfDingbats"),
            std::string::npos);
        EXPECT_EQ(pdf.find("/Filter") != std::string::npos, compress);
        ExpectConsistentXref(pdf);

        // The image's /Length counts the bytes between "stream" and the line
        // break before "endstream".
        std::smatch m;
        ASSERT_TRUE(std::regex_search(pdf, m, std::regex("/Length (\\d+)\r\n/Name /Im1\r\n")));
        size_t length = std::stoul(m[1]);
        size_t start = pdf.find("stream\r\n", m.position(0)) + 8;
        EXPECT_EQ(pdf.compare(start + length, 11, "\r\nendstream"), 0);
        // The page content's length object holds the content stream's size.
        ASSERT_TRUE(std::regex_search(pdf, m, std::regex("3 0 obj\r\n(\\d+)\r\nendobj")));
        size_t contentStart = pdf.find("stream\r\n", pdf.find("2 0 obj")) + 8;
        EXPECT_EQ(pdf.compare(contentStart + std::stoul(m[1]), 9, "endstream"), 0);

        int rc;
        std::string out = Shell("qpdf --check " + path, &rc);
        EXPECT_EQ(rc, 0) << out;
        EXPECT_NE(out.find("No syntax or stream encoding errors"), std::string::npos) << out;
    }
}

TEST(PrintPDF, PicturesKeepTheirTrueSizeAndShrinkByOneScaleToFit) {
    struct Case {
        int pageW, pageH, x, bitmapW, bitmapH;
        const char* placement;
        const char* why;
    };
    const Case cases[] = {
        {595, 842, 0, 794, 1123, "595 0 0 842 0 0 cm", "A4 portrait picture at 96 dpi fills the page"},
        {842, 595, 0, 1123, 794, "842 0 0 595 0 0 cm", "A4 landscape picture fills the landscape page"},
        {842, 595, 52, 400, 300, "300 0 0 225 52 370 cm", "a small picture keeps its size and corner"},
        {595, 842, 0, 1000, 100, "595 0 0 59 0 783 cm", "too wide: shrunk to the width, proportions kept"},
        {842, 595, 52, 1123, 794, "790 0 0 558 52 37 cm", "too wide right of its corner: shrunk to the room"},
    };
    os::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TPrintPDF pdf;
        pdf.FileName = dir.File("g.pdf");
        pdf.Compress = false;
        pdf.BeginDoc();
        pdf.PageWidth = c.pageW;
        pdf.PageHeight = c.pageH;
        pdf.DrawPageImage(c.x, 0, Picture(c.bitmapW, c.bitmapH));
        pdf.EndDoc();
        const std::string bytes = os::ReadFile(pdf.FileName);
        EXPECT_NE(bytes.find(std::string("q\r\n") + c.placement + "\r\n/Im1 Do\r\nQ\r\n"), std::string::npos);
        EXPECT_NE(
            bytes.find("/MediaBox [ 0 0 " + std::to_string(c.pageW) + " " + std::to_string(c.pageH) + "]"),
            std::string::npos);
    }
}

TEST(PrintPDF, JpegPagesAndSeveralPagesPassQpdf) {
    testsupport::TempHome home;  // a private temporary folder, so other runs' files don't count
    os::TempDir dir;
    TPrintPDF pdf;
    pdf.FileName = dir.File("j.pdf");
    pdf.TITLE = "Bérlap (május)";  // brackets must not end the string
    pdf.BeginDoc();
    pdf.DrawPageJpeg(52, 0, Picture(400, 600));
    pdf.NewPage();
    pdf.DrawPageImage(52, 0, Picture(400, 600));
    pdf.NewPage();
    pdf.DrawPageJpeg(52, 0, Picture(400, 600));
    EXPECT_EQ(pdf.PageNumber(), 3);
    pdf.EndDoc();
    std::string bytes = os::ReadFile(pdf.FileName);
    EXPECT_NE(bytes.find("/Filter [/DCTDecode]"), std::string::npos);
    EXPECT_NE(bytes.find("/Title (Bérlap \\(május\\))"), std::string::npos);
    ExpectConsistentXref(bytes);
    int rc;
    std::string out = Shell("qpdf --check " + pdf.FileName, &rc);
    EXPECT_EQ(rc, 0) << out;
    EXPECT_NE(Shell("pdfinfo " + pdf.FileName).find("Pages:           3"), std::string::npos);
    // The temporary image files went with the document.
    EXPECT_EQ(QDir(QDir::tempPath()).entryList({"tavrina-pdf-*"}, QDir::Dirs).size(), 0);
}

TEST(PrintPDF, WriteErrorLeavesNoFile) {
    os::TempDir dir;
    // The target's name is taken by a folder: the final rename fails.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir.File("taken.pdf"))));
    TPrintPDF pdf;
    pdf.FileName = dir.File("taken.pdf");
    pdf.BeginDoc();
    pdf.DrawPageImage(52, 0, Picture(100, 100));
    EXPECT_THROW(pdf.EndDoc(), os::FileError);
    EXPECT_EQ(QDir(QString::fromStdString(dir.Path())).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

namespace {

// A list of `rows` rows with a header line, in the given orientation.
struct ListFixture {
    report::Report r{QStringLiteral("List_TorzsKifhelyQRForm")};
    int row = 0;
    ListFixture(int rows, report::Orientation orientation = report::Orientation::Portrait,
                double bottomMargin = 10) {
        r.Page.orientation = orientation;
        r.Page.bottomMargin = bottomMargin;
        auto& header = r.AddPageHeader(20);
        header.Label(0, 0, 120, "Kifizető hely lista").SetFont("Arial", 16, report::Bold);
        header.SysData(0, 0, r.Page.Width() - 20, report::SysKind::PageOfPages, report::Align::Right,
                       "Lapszám : ");
        r.AddDetail(8).Computed(0, 0, 100, [this] { return QString("Kifizető hely ŐŰ őű %1").arg(row); });
        auto& footer = r.AddPageFooter(10);
        footer.HLine(0, 0, r.Page.Width() - 20);
        footer.Label(0, 2, 100, "Lista vége").SetFont("Arial", 14);
        r.NeedData = [this, rows] { return ++row <= rows; };
        r.Prepare();
    }
};

}  // namespace

TEST(ExportQR, ThreePageListRendersWithItsHeader) {
    ListFixture list(80);
    ASSERT_EQ(list.r.PagePrinter().PageCount(), 3);
    os::TempDir dir;
    TExportQR exporter;
    exporter.QuickRep = &list.r;
    ASSERT_TRUE(exporter.ExportReportPdf(QString::fromStdString(dir.File("lista.pdf")), 1, false));
    EXPECT_EQ(exporter.LastProgressText(), "Page... 3 of 3");
    std::string path = dir.File("lista.pdf.PDF");
    int rc;
    std::string out = Shell("qpdf --check " + path, &rc);
    EXPECT_EQ(rc, 0) << out;
    std::string pdf = os::ReadFile(path);
    EXPECT_NE(pdf.find("/Count 3"), std::string::npos);
    EXPECT_NE(pdf.find("/Im3 "), std::string::npos);

    ASSERT_EQ(testsupport::RunCommand("pdftoppm -r 60 -png " + path + " " + dir.File("page")), 0);
    for (int page = 1; page <= 3; ++page)
        EXPECT_TRUE(QFile::exists(QString::fromStdString(dir.File("page-" + std::to_string(page) + ".png"))));
    QImage first(QString::fromStdString(dir.File("page-1.png")));
    ASSERT_FALSE(first.isNull());
    if (const char* keep = std::getenv("TAVRINA_KEEP_PAGE")) first.save(keep);
    // The bold header stands at the top left of the page.
    int dark = 0;
    for (int y = 0; y < first.height() / 20; ++y)
        for (int x = 0; x < first.width() / 2; ++x) dark += qGray(first.pixel(x, y)) < 128;
    EXPECT_GT(dark, 50);
}

// The export reduces pages to 8 bits itself: the same bytes as Qt's exact
// conversion (palette in order of first appearance), and Qt's own quantizing
// past 256 colours.
TEST(PrintPDF, IndexedImagesMatchQtsConversion) {
    ListFixture list(40);
    const report::PagePrinter& pages = list.r.PagePrinter();
    auto colours = [](int count) {
        QImage image(61, 37, QImage::Format_RGB888);  // odd width: padded 8-bit rows
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int c = (y * image.width() + x) * 7919 % count;
                image.setPixel(x, y, qRgb(c * 37 % 256, c / 3 % 256, 255 - c % 256));
            }
        return image;
    };
    const struct {
        const char* name;
        QImage image;
    } cases[] = {
        {"rendered page", pages.GetPage(1)->Render(96, pages.PageCount(), QImage::Format_RGB888)},
        {"256 colours", colours(256)},
        {"257 colours", colours(257)},
        {"one colour",
         [] {
             QImage image(5, 3, QImage::Format_RGB888);
             image.fill(qRgb(1, 2, 3));
             return image;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool compress : {false, true}) {
            const PdfImage ours = EncodeIndexedImage(c.image, compress);
            const PdfImage qt = EncodeIndexedImage(
                c.image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither), compress);
            EXPECT_EQ(ours.width, qt.width);
            EXPECT_EQ(ours.height, qt.height);
            EXPECT_EQ(ours.colorSpace, qt.colorSpace);
            EXPECT_TRUE(ours.data == qt.data);
        }
    }
}

// Pages encoded on worker threads land in the file as one page after the
// other reduced by Qt and placed by hand.
TEST(ExportQR, ParallelExportGivesTheBytesOfPageByPagePlacing) {
    const os::FixedClock clock(os::EncodeDate(2019, 5, 2) + os::EncodeTime(14, 30, 5));
    ListFixture list(300);
    const report::PagePrinter& pages = list.r.PagePrinter();
    ASSERT_GT(pages.PageCount(), 8);  // more pages than workers
    os::TempDir dir;
    ExportPagesToPdf(pages, false, dir.File("parallel.PDF"), 1, true, 96);
    TPrintPDF pdf;
    pdf.FileName = dir.File("serial.PDF");
    pdf.BeginDoc();
    for (int i = 1; i <= pages.PageCount(); ++i) {
        const QImage page = pages.GetPage(i)->Render(96, pages.PageCount(), QImage::Format_RGB888);
        pdf.DrawPageImage(0, 0, page.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither));
        if (i < pages.PageCount()) pdf.NewPage();
    }
    pdf.EndDoc();
    EXPECT_TRUE(os::ReadFile(dir.File("parallel.PDF")) == os::ReadFile(dir.File("serial.PDF")));
}

TEST(ExportQR, SameReportAtTheSameTimeGivesTheSameBytes) {
    const os::FixedClock clock(os::EncodeDate(2019, 5, 2) + os::EncodeTime(14, 30, 5));
    ListFixture list(50);
    os::TempDir dir;
    std::string files[2];
    for (int i = 0; i < 2; ++i) {
        TExportQR exporter;
        exporter.QuickRep = &list.r;
        const std::string name = dir.File("lista" + std::to_string(i));
        ASSERT_TRUE(exporter.ExportReportPdf(QString::fromStdString(name), 1, false));
        files[i] = os::ReadFile(name + ".PDF");
    }
    EXPECT_NE(files[0].find("/CreationDate (D:20190502143005)"), std::string::npos);
    EXPECT_TRUE(files[0] == files[1]) << "the two exports differ";
}

TEST(ExportQR, LandscapePageIsLandscapeA4AtTrueSize) {
    ListFixture list(5, report::Orientation::Landscape, 2);
    os::TempDir dir;
    TExportQR exporter;
    exporter.QuickRep = &list.r;
    ASSERT_TRUE(exporter.ExportReportPdf(QString::fromStdString(dir.File("fekvo")), 1, false));
    std::string path = dir.File("fekvo.PDF");
    EXPECT_NE(os::ReadFile(path).find("/MediaBox [ 0 0 842 595]"), std::string::npos);
    ASSERT_EQ(testsupport::RunCommand("pdftoppm -r 72 -png -singlefile " + path + " " + dir.File("fekvo")),
              0);
    QImage page(QString::fromStdString(dir.File("fekvo.png")));
    ASSERT_EQ(page.size(), QSize(842, 595));
    if (const char* keep = std::getenv("TAVRINA_KEEP_LANDSCAPE")) page.save(keep);
    // Ink stands where the layout put it, in millimetres of the paper: the
    // page number ends at the right margin (287 mm), the footer's text about
    // 5 mm above the bottom edge.
    auto points = [](double mm) { return int(mm * 72 / 25.4); };
    int lastInk = 0, rightInk = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 128) {
                lastInk = y;
                if (y < points(20)) rightInk = std::max(rightInk, x);
            }
    EXPECT_GT(lastInk, points(200));
    EXPECT_LT(lastInk, points(207));
    EXPECT_GT(rightInk, points(285));
    EXPECT_LE(rightInk, points(287) + 1);
}

TEST(ExportQR, WriteErrorShowsTheMessageAndLeavesNoFile) {
    testsupport::TempHome home;  // a private temporary folder for the image files
    ListFixture list(3);
    os::TempDir dir;
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir.File("x.PDF"))));
    testsupport::ScriptedDialogs dialogs;
    dialogs.Answer(ui::Ok);
    TExportQR exporter;
    exporter.QuickRep = &list.r;
    EXPECT_FALSE(exporter.ExportReportPdf(QString::fromStdString(dir.File("x")), 1, false));
    EXPECT_EQ(dialogs.Text(0), "Error exporting report");
    EXPECT_EQ(QDir(QString::fromStdString(dir.Path())).entryList(QDir::Files | QDir::Hidden).size(), 0);
    // The page images' temporary files went too.
    EXPECT_EQ(QDir(QDir::tempPath()).entryList({"tavrina-pdf-*"}, QDir::Dirs).size(), 0);
}
