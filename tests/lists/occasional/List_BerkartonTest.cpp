// The pay card and the absences: month cells summed over workplaces and
// rounded half to even, the allowance line of item 328, the day/hour line
// only where there are days or hours, and the absence rows of marked items.
#include <gtest/gtest.h>

#include <QPushButton>

#include "lists/occasional/List_Berkarton.h"
#include "platform/db/Query.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class ListBerkartonTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Mhely_001", {"MH_KOD", "MH_NEV"}, {{"000001", "Erdő"}, {"000002", "Telep"}});
        // clang-format off
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV",        "JC_BERKARTONRA", "JC_SZABTIP", "JC_JARULKOD"},
                {{"100",       "Havi bér",                "I",              "0",          "00"},
                 {"150",       "Jutalom",                 "I",              "0",          "00"},
                 {"201",       "Szabadság",               "I",              "1",          "00"},
                 {"230",       "Fizetés nélküli",         "I",              "0",          "13"},
                 {"328",       "SZHA kedvezmény",         "I",              "0",          "00"},
                 {"400",       "Nem kartonra",            "N",              "1",          "00"}});
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV",    "DG_MHKOD", "DG_ALAPBER", "DG_BELEPDAT"},
                {{"00000000001",   "Kiss Anna", "000001",   300000.0,     "2015.02.01"},
                 {"00000000002",   "Nagy Béla", "000001",   200000.0,     "2016.03.01"},
                 {"00000000003",   "Tóth Ede",  "000002",   180000.0,     "2017.04.01"}});
        Payroll({"SF_DGTORZSSZAM", "SF_DGMHKOD", "SF_HONAP", "SF_JCKOD", "SF_NAP", "SF_ORA", "SF_OSSZEG", "SF_TOL",     "SF_IG"},
                {{"00000000001",   "000001",     3,          "100",      0,        0.0,      100000.0,    "2019.03.01", "2019.03.31"},
                 {"00000000001",   "000002",     3,          "100",      0,        0.0,      50000.0,     "2019.03.01", "2019.03.31"},
                 {"00000000001",   "000001",     4,          "100",      0,        0.0,      150000.0,    "2019.04.01", "2019.04.30"},
                 {"00000000001",   "000001",     3,          "150",      0,        0.0,      3000.0,      "2019.03.01", "2019.03.31"},
                 {"00000000001",   "000001",     3,          "201",      2,        7.5,      20000.0,     "2019.03.04", "2019.03.05"},
                 {"00000000001",   "000001",     4,          "201",      1,        6.5,      10000.0,     "2019.04.08", "2019.04.08"},
                 {"00000000001",   "000001",     5,          "230",      3,        0.0,      0.0,         "2019.05.13", "2019.05.15"},
                 {"00000000001",   "000001",     3,          "328",      0,        0.0,      5000.0,      "2019.03.01", "2019.03.31"},
                 {"00000000001",   "000001",     4,          "328",      0,        0.0,      5000.0,      "2019.04.01", "2019.04.30"},
                 {"00000000002",   "000001",     3,          "400",      1,        8.0,      1000.0,      "2019.03.20", "2019.03.20"},
                 {"00000000003",   "000002",     3,          "100",      0,        0.0,      90000.0,     "2019.03.01", "2019.03.31"}});
        // clang-format on
    }

    std::vector<QStringList> Run(QPushButton* button) {
        std::vector<QStringList> pages;
        testsupport::AnswerPreview(dialogs, [&](TNyomtatasForm& preview) {
            const report::PagePrinter& p = preview.QuickRep->PagePrinter();
            for (int i = 1; i <= p.PageCount(); ++i) pages.push_back(PageLines(p, i));
            pagesText = report::PagesText(p);
        });
        button->click();
        EXPECT_TRUE(button->isEnabled());
        EXPECT_EQ(DM1->Query1->SQL(), "");
        EXPECT_TRUE(DM1->Table1->TableName.empty());
        return pages;
    }
    std::string pagesText;
};

TEST_F(ListBerkartonTest, CardSumsMonthsAndClosesWithTheAllowanceLine) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10));
    TList_BerkartonForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Eseti listák/Bérkarton");
    EXPECT_EQ(form.BitBtn1->text(), "Bérkarton");
    const std::vector<QStringList> pages = Run(form.BitBtn1);
    // Nagy Béla's only item is not marked for the card: no page.
    ASSERT_EQ(pages.size(), 2u) << pagesText;
    const QStringList& anna = pages[0];
    // March under two workplaces is one cell; the months add up to the total.
    EXPECT_TRUE(
        anna.contains("100 | Havi bér | 0 | 0 | 150000 | 150000 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 300000"))
        << pagesText;
    // 7.5 hours print 8, 6.5 print 6 (half to even).
    const int szab =
        anna.indexOf("201 | Szabadság | 0 | 0 | 20000 | 10000 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 30000");
    ASSERT_GE(szab, 0) << pagesText;
    EXPECT_TRUE(anna[szab + 1].contains("2 | 8 | 1 | 6")) << pagesText;
    EXPECT_TRUE(anna[szab + 1].endsWith("3 | 14")) << pagesText;
    // No days nor hours: no day/hour line.
    const int jutalom =
        anna.indexOf("150 | Jutalom | 0 | 0 | 3000 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 3000");
    ASSERT_GE(jutalom, 0) << pagesText;
    EXPECT_TRUE(anna[jutalom + 1].startsWith("201")) << pagesText;
    EXPECT_EQ(anna.last(), "Érv | kedv | 0 | 0 | 5000 | 5000 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 10000");
    EXPECT_EQ(pages[1].last(), "Érv | kedv | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0");
    EXPECT_TRUE(testsupport::MatchesGolden("lists/occasional/golden/List_Berkarton", "two-employees",
                                           pagesText, testsupport::Encoding::Utf8, "pages.txt"));
}

TEST_F(ListBerkartonTest, AbsencesListLeaveAndInterruptingItemsMarkedForTheCard) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10));
    TList_BerkartonForm form;
    Show(form);
    QPushButton* tavollet = form.findChild<QPushButton*>("BitBtn3");
    ASSERT_NE(tavollet, nullptr);
    EXPECT_EQ(tavollet->text(), "Távollétek");
    const std::vector<QStringList> pages = Run(tavollet);
    ASSERT_EQ(pages.size(), 1u) << pagesText;
    const QString p = pages[0].join("\n");
    EXPECT_TRUE(pages[0].contains("201 | Szabadság | 2 | 2019.03.04 | - | 2019.03.05")) << pagesText;
    EXPECT_TRUE(pages[0].contains("201 | Szabadság | 1 | 2019.04.08 | - | 2019.04.08")) << pagesText;
    EXPECT_TRUE(pages[0].contains("230 | Fizetés nélküli | 3 | 2019.05.13 | - | 2019.05.15")) << pagesText;
    EXPECT_FALSE(p.contains("Jutalom"));       // leave type "0", contribution code "00"
    EXPECT_FALSE(p.contains("Nem kartonra"));  // not marked for the card
}

TEST_F(ListBerkartonTest, CardAndAbsencesExportToPdf) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10) + os::EncodeTime(9, 0, 0));
    TList_BerkartonForm form;
    Show(form);
    for (const auto& [button, pages] :
         {std::pair{form.BitBtn1, 2}, std::pair{form.findChild<QPushButton*>("BitBtn3"), 1}}) {
        testsupport::PdfExport pdf(dialogs);
        button->click();
        ASSERT_FALSE(pdf.pdf.empty());
        pdf.Check();
        EXPECT_EQ(pdf.pages, pages);
    }
}

}  // namespace
