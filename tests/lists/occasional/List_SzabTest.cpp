// The leave list, the leave-frame usage and the working-time allowance
// certificate: frames and days taken per workplace and per employee, leave
// rows by type, negative corrections, and the days of item "108".
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "lists/occasional/List_MunkidoKedv.h"
#include "lists/occasional/List_Szab.h"
#include "lists/occasional/List_SzabKerFelh.h"
#include "platform/db/Query.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class ListSzabTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Mhely_001", {"MH_KOD", "MH_NEV"}, {{"000001", "Erdő"}, {"000002", "Telep"}});
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV", "JC_SZABTIP"},
                {{"100", "Havi bér", "0"},
                 {"108", "Munkaidő kedvezmény", "0"},
                 {"201", "Szabadság", "1"},
                 {"202", "Betegszabadság", "2"},
                 {"203", "Tanulmányi szabadság", "3"}});
        // clang-format off
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV",     "DG_MHKOD", "DG_SZABKER", "DG_BETEGSZABKER", "DG_ADOAZ"},
                {{"00000000001",   "Kiss Anna",  "000001",   25,           15,                "8123456789"},
                 {"00000000002",   "Nagy Béla",  "000001",   20,           15,                "8123456790"},
                 {"00000000003",   "Tóth Ede",   "000002",   21,           15,                "8123456791"},
                 {"123",           "Rövid Kód",  "000002",   22,           15,                "8123456792"}});
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV",  "SF_DGMHKOD", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_NAP", "SF_TOL",     "SF_IG"},
                {{"00000000001",   "Kiss Anna", "000001",     3,          "2019.04.05",  "100",      20,       "2019.03.01", "2019.03.31"},
                 {"00000000001",   "Kiss Anna", "000001",     3,          "2019.04.05",  "201",      5,        "2019.03.04", "2019.03.08"},
                 {"00000000001",   "Kiss Anna", "000001",     3,          "2019.04.05",  "108",      2,        "2019.03.11", "2019.03.12"},
                 {"00000000001",   "Kiss Anna", "000002",     4,          "2019.05.06",  "201",      3,        "2019.04.01", "2019.04.03"},
                 {"00000000001",   "Kiss Anna", "000002",     5,          "2019.06.05",  "202",      2,        "2019.05.06", "2019.05.07"},
                 {"00000000001",   "Kiss Anna", "000001",     6,          "2019.07.05",  "201",      -2,       "2019.06.03", "2019.06.04"},
                 {"00000000001",   "Kiss Anna", "000001",     6,          "2019.07.05",  "203",      4,        "2019.06.10", "2019.06.13"},
                 {"00000000001",   "Kiss Anna", "000001",     7,          "2019.07.20",  "108",      1,        "2019.07.15", "2019.07.15"},
                 {"00000000001",   "Kiss Anna", "000001",     7,          "2019.08.05",  "108",      1,        "2019.07.22", "2019.07.22"},
                 {"00000000002",   "Nagy Béla", "000001",     3,          "2019.04.05",  "201",      1,        "2019.03.15", "2019.03.15"},
                 {"123",           "Rövid Kód", "000002",     3,          "2019.04.05",  "108",      3,        "2019.03.18", "2019.03.20"}});
        // clang-format on
    }
};

TEST_F(ListSzabTest, LeaveListPrintsAPagePerWorkplaceWithThatWorkplacesDays) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10));
    TList_SzabForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Eseti listák/Szabadság lista");
    EXPECT_EQ(form.Text("MaskEdit1"), "000001");
    EXPECT_EQ(form.Text("MaskEdit2"), "000002");
    const std::vector<QStringList> pages = Run(form);
    ASSERT_EQ(pages.size(), 2u) << pagesText;
    // Under 000001: 5 days, then a correction of -2; the type "3" row and
    // the other workplace's rows do not count.
    EXPECT_TRUE(pages[0].contains("00000000001 | Kiss Anna | 000001 | 25 | 15 | 3 | 0")) << pagesText;
    EXPECT_TRUE(pages[0].contains("00000000002 | Nagy Béla | 000001 | 20 | 15 | 1 | 0")) << pagesText;
    EXPECT_TRUE(pages[1].contains("00000000001 | Kiss Anna | 000002 | 25 | 15 | 3 | 2")) << pagesText;
    // One line per employee: 123 has no leave, yet is paid under 000002.
    EXPECT_TRUE(pages[1].contains("123 | Rövid Kód | 000002 | 22 | 15 | 0 | 0")) << pagesText;
    EXPECT_EQ(pages[1].filter("Kiss Anna").size(), 1);
    EXPECT_TRUE(testsupport::MatchesGolden("lists/occasional/golden/List_Szab", "two-workplaces", pagesText,
                                           testsupport::Encoding::Utf8, "pages.txt"));
}

TEST_F(ListSzabTest, UsageListsEveryEmployeeOfTheRangesWithTheirLeaveRows) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10));
    TList_SzabKerFelhForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Eseti listák/Szabadsag keret felhasználás");
    // The defaults come from the employee table.
    EXPECT_EQ(form.Text("MaskEdit5"), "00000000001");
    EXPECT_EQ(form.Text("MaskEdit6"), "123");
    const std::vector<QStringList> pages = Run(form);
    ASSERT_EQ(pages.size(), 1u) << pagesText;
    const QStringList& p = pages[0];
    const int anna = p.indexOf("00000000001 | Kiss Anna | 000001 | 25 | 15");
    ASSERT_GE(anna, 0) << pagesText;
    EXPECT_TRUE(p[anna + 1].startsWith("201 | Szabadság | 2019.03.04 | 2019.03.08 | 5")) << pagesText;
    EXPECT_EQ(p[anna + 3], "202 | Betegszabadság | 2019.05.06 | 2019.05.07 | 2");
    // The correction lowers the total; type "3" fills neither day column.
    EXPECT_EQ(p[anna + 4], "201 | Szabadság | 2019.06.03 | 2019.06.04 | -2");
    EXPECT_EQ(p[anna + 5], "203 | Tanulmányi szabadság | 2019.06.10 | 2019.06.13");
    EXPECT_EQ(p[anna + 6], "Összesen: | 6 | 2");
    // Never paid: the line and zeros.
    const int ede = p.indexOf("00000000003 | Tóth Ede | 000002 | 21 | 15");
    ASSERT_GE(ede, 0) << pagesText;
    EXPECT_EQ(p[ede + 1], "Összesen: | 0 | 0");
    EXPECT_TRUE(testsupport::MatchesGolden("lists/occasional/golden/List_SzabKerFelh", "all-employees",
                                           pagesText, testsupport::Encoding::Utf8, "pages.txt"));
}

TEST_F(ListSzabTest, LeaveListsExportToPdf) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10) + os::EncodeTime(9, 0, 0));
    for (const bool felhasznalas : {false, true}) {
        std::unique_ptr<ListForm> form;
        if (felhasznalas)
            form = std::make_unique<TList_SzabKerFelhForm>();
        else
            form = std::make_unique<TList_SzabForm>();
        Show(*form);
        testsupport::PdfExport pdf(dialogs);
        form->BitBtn1->click();
        ASSERT_FALSE(pdf.pdf.empty());
        pdf.Check();
        EXPECT_EQ(pdf.pages, felhasznalas ? 1 : 2);
        form->close();
    }
}

TEST_F(ListSzabTest, CertificateAddsTheDaysOfItem108) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10));
    struct Case {
        const char* typed;
        const char* napok;
    };
    // Every month and payment date adds; none gives 0; a code typed shorter
    // than the mask finds its employee.
    for (const Case& c : {Case{"00000000001", "4"}, Case{"00000000002", "0"}, Case{"123", "3"}}) {
        TList_MunkidoKedvForm form;
        Show(form);
        EXPECT_EQ(form.windowTitle(), "Eseti listák/Munkaidő kedvezmény");
        EXPECT_FALSE(form.BitBtn1->isEnabled());
        QLineEdit* edit = form.Edit("MaskEdit5");
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(edit, c.typed);
        QTest::keyClick(edit, Qt::Key_Tab);
        ASSERT_TRUE(form.BitBtn1->isEnabled()) << c.typed;
        const std::vector<QStringList> pages = Run(form);
        ASSERT_EQ(pages.size(), 1u) << c.typed;
        EXPECT_TRUE(pages[0].contains(QStringLiteral("A kedvezményezett napok száma : | ") + c.napok))
            << pagesText;
        form.close();
    }
}

TEST_F(ListSzabTest, CertificateReadsAsWrittenAndExportsToPdf) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10) + os::EncodeTime(9, 0, 0));
    TList_MunkidoKedvForm form;
    Show(form);
    form.SetValue("MaskEdit5", "00000000001");
    form.Frissit();
    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    ASSERT_FALSE(pdf.pdf.empty());
    pdf.Check();
    EXPECT_EQ(pdf.pages, 1);
}

TEST_F(ListSzabTest, CertificateTextAsPrinted) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10));
    TList_MunkidoKedvForm form;
    Show(form);
    form.SetValue("MaskEdit5", "00000000001");
    form.Frissit();
    Run(form);
    EXPECT_TRUE(testsupport::MatchesGolden("lists/occasional/golden/List_MunkidoKedv", "four-days", pagesText,
                                           testsupport::Encoding::Utf8, "pages.txt"));
}

}  // namespace
