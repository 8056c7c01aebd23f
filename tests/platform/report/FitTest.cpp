// The fit check: texts measured with their fonts' metrics against their
// boxes, the paper and each other.
#include <gtest/gtest.h>

#include <functional>

#include "platform/report/Fit.h"
#include "platform/report/Report.h"

using namespace report;

namespace {

QString Joined(const std::vector<QString>& findings) {
    QString all;
    for (const QString& f : findings) all += f + '\n';
    return all;
}

}  // namespace

TEST(Fit, FindsCutTextsCollisionsAndTextOffThePaper) {
    struct Case {
        const char* what;
        std::function<void(Band&)> layout;
        const char* finding;  // empty: none
    };
    const Case cases[] = {
        {"amount in a box that holds it", [](Band& b) { b.Label(0, 0, 25, "999 999 999", Align::Right); },
         ""},
        {"amount cut by a narrow box", [](Band& b) { b.Label(0, 0, 15, "999 999 999", Align::Right); },
         "mm wide"},
        {"head cut on its left by right alignment",
         [](Band& b) { b.Label(0, 0, 17.5, "EBJ term 4%", Align::Right).Bold(); }, "\"EBJ term 4%\" needs"},
        {"wrapped text higher than its box",
         [](Band& b) { b.Label(0, 0, 25, "Kifizetési lista levonásokkal").Wrap().Height = 5; }, "mm high"},
        {"wrapped text that stretches its band",
         [](Band& b) { b.Label(0, 0, 25, "Kifizetési lista levonásokkal").Wrap(true); }, ""},
        {"two lines 4 mm apart",
         [](Band& b) {
             b.Label(0, 0, 40, "Összesen");
             b.Label(0, 4, 40, "Állomány");
         },
         ""},
        {"auto-sized heads running together",
         [](Band& b) {
             b.Label(0, 0, 12, "Október").AutoSized();
             b.Label(12, 0, 14, "November").AutoSized();
         },
         "\"Október\" collides with \"November\""},
        {"amount touching the next column's text",
         [](Band& b) {
             b.Label(0, 0, 19.2, "999 999 999", Align::Right).AutoSized();
             b.Label(19.2, 0, 30, "Kiss Anna");
         },
         "collides"},
        {"columns with a blank between",
         [](Band& b) {
             b.Label(0, 0, 20, "999 999 999", Align::Right);
             b.Label(21, 0, 30, "Kiss Anna");
         },
         ""},
        {"text past the paper's right edge", [](Band& b) { b.Label(185, 0, 30, "Lapszám : 1"); },
         "runs off the paper"},
        {"long name shrunk into its box",
         [](Band& b) {
             b.Label(0, 0, 30, "Hegedűs-Szentmártoni Ágnes Éva").Shrink();
             b.Label(30.5, 0, 20, "999 999 999", Align::Right);
         },
         ""},
        {"name too long even at the smallest size",
         [](Band& b) { b.Label(0, 0, 10, "Hegedűs-Szentmártoni Ágnes Éva").Shrink(); }, "mm wide"},
        {"page count filled in before measuring",
         [](Band& b) { b.SysData(0, 0, 13, SysKind::PageOfPages, Align::Right, "Lap: "); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Report r;
        c.layout(r.AddPageHeader(20));
        r.Prepare();
        const QString found = Joined(FitProblems(r.PagePrinter()));
        if (QString(c.finding).isEmpty())
            EXPECT_TRUE(found.isEmpty()) << found.toStdString();
        else
            EXPECT_TRUE(found.contains(QString::fromUtf8(c.finding))) << found.toStdString();
    }
}

// A shrinking box keeps the layout's size for a text that fits and prints a
// longer one whole in the largest size that fits, on the box's own line.
TEST(Fit, ShrinkingBoxChangesOnlyTheSizeOfWhatDoesNotFit) {
    Report r;
    auto& band = r.AddPageHeader(20);
    band.Label(0, 0, 30, "Kiss Anna").Shrink();
    band.Label(0, 5, 30, "Hegedűs-Szentmártoni Ágnes Éva").Shrink();
    r.Prepare();
    std::vector<TextRun> runs;
    for (const PageItem& item : r.PagePrinter().GetPage(1)->Items())
        if (const auto* run = std::get_if<TextRun>(&item)) runs.push_back(*run);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].font.size, 10);
    EXPECT_LT(runs[1].font.size, 10);
    EXPECT_GT(runs[1].font.size, 0.9 * 10 * 30 / TextWidth(Font{}, runs[1].text));  // no smaller than need be
    EXPECT_LE(TextWidth(runs[1].font, runs[1].text), 30);
    EXPECT_DOUBLE_EQ(runs[1].rect.width(), 30);
}
