// The employer's certificates form: its four start buttons, the termination
// certificate (sick-leave days, the fund, the present workplace) and the
// maintenance obligations sheet (standing deductions of category "3").
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "lists/occasional/List_Munkig.h"
#include "platform/db/Query.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class ListMunkigTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Cegek",
                {"CG_KOD", "CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ", "CG_ADOSZAM"},
                {{"001", "9970", "Szentgotthárd", "Fő", "utca", "3.", "12345678218"}});
        AddRows("Mhely_001", {"MH_KOD", "MH_NEV"}, {{"000001", "Erdő"}, {"000002", "Telep"}});
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV", "JC_TIPUS"},
                {{"100", "Havi bér", "1"},
                 {"103", "Betegszabadság", "1"},
                 {"401", "Tartásdíj", "3"},
                 {"402", "Letiltás", "3"}});
        AddRows("NyugP",
                {"NP_KOD", "NP_NEV", "NP_IRSZ", "NP_VAROS", "NP_KOZTER", "NP_KOZTERJEL", "NP_HAZSZ",
                 "NP_BANKSZLA"},
                {{"0101", "Első Pénztár", "1111", "Budapest", "Bank", "utca", "1.", "11111111-22222222"}});
        // clang-format off
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV",    "DG_MHKOD", "DG_LEANYKNEV", "DG_ANYJANEV", "DG_SZULHELY", "DG_SZULDAT", "DG_TAJSZ",  "DG_ADOAZ",   "DG_BELEPDAT", "DG_KILEPDAT", "DG_MNYP", "DG_MNYPBEDAT"},
                {{"00000000001",  "Kiss Anna", "000001",   "Nagy Anna",    "Tóth Mária",  "Győr",        "1980.02.03", "111222333", "8123456789", "2015.04.01",  "2019.06.30",  "0101",    "2015.04.01"},
                 {"00000000002",  "Nagy Béla", "000001",   "Nagy Béla",    "Kis Ilona",   "Pécs",        "1975.07.08", "444555666", "8123456790", "2018.01.01",  "",            "",        ""},
                 // paid here, yet working elsewhere now
                 {"00000000003",  "Tóth Ede",  "000002",   "Tóth Ede",     "Szűcs Éva",   "Vác",         "1990.01.01", "777888999", "8123456791", "2019.01.01",  "",            "",        ""},
                 // no payroll row this year
                 {"00000000004",  "Szabó Éva", "000001",   "Szabó Éva",    "Kovács Irén", "Eger",        "1985.05.05", "123123123", "8123456792", "2019.01.01",  "",            "",        ""}});
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV",  "SF_DGMHKOD", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_NAP", "SF_OSSZEG"},
                {{"00000000001",   "Kiss Anna", "000001",     1,          "2019.02.05",  "100",      20,       300000},
                 {"00000000001",   "Kiss Anna", "000001",     2,          "2019.03.05",  "103",      2,        20000},
                 {"00000000001",   "Kiss Anna", "000001",     4,          "2019.05.06",  "103",      5,        50000},
                 {"00000000001",   "Kiss Anna", "000001",     4,          "2019.05.20",  "103",      1,        10000},
                 {"00000000002",   "Nagy Béla", "000001",     1,          "2019.02.05",  "100",      20,       250000},
                 {"00000000003",   "Tóth Ede",  "000001",     1,          "2019.02.05",  "100",      20,       200000}});
        AddRows("RJogcim_001", {"RJ_DGTORZSSZAM", "RJ_JCKOD", "RJ_SORSZAM", "RJ_TELJOSSZ", "RJ_EDDIGLEVONT", "RJ_HATAROZAT", "RJ_HATRALEK", "RJ_KEZD",    "RJ_KEDVNEV", "RJ_KEDVSZAMLASZ"},
                {{"00000000002",   "401",      1,            600000,        120000,           "P.1234/2018",  480000,        "2018.06.01", "Nagy Júlia", "11773016-11111111-00000000"},
                 {"00000000002",   "402",      2,            90000,         30000,            "V.55/2019",    60000,         "2019.02.01", "NAV",        "10032000-06056353-00000000"},
                 // category "1": not a deduction
                 {"00000000002",   "100",      3,            1000,          0,                "",             0,             "2019.01.01", "",           ""}});
        // clang-format on
    }

    // Shows the form with the workplace range 000001-000001.
    void Start(TList_MunkigForm& form) {
        Show(form);
        form.SetValue("MaskEdit1", "000001");
        form.SetValue("MaskEdit2", "000001");
        form.Frissit();
    }

    // Clicks a start button and returns the printed lines of every page.
    std::vector<QStringList> Run(TList_MunkigForm& form, QPushButton* button) {
        std::vector<QStringList> pages = ListFixtureTest::Run(form, button, [&form](TNyomtatasForm&) {
            // Kilépés and every start button wait for the preview.
            EXPECT_FALSE(form.BitBtn2->isEnabled());
            for (QPushButton* b : {form.BitBtn11, form.BitBtn12, form.BitBtn13, form.BitBtn14})
                EXPECT_FALSE(b->isEnabled());
        });
        EXPECT_TRUE(form.BitBtn11->isEnabled());
        EXPECT_TRUE(form.BitBtn12->isEnabled());
        return pages;
    }
};

TEST_F(ListMunkigTest, StartButtonsGoTogetherAndEnterOnTheLastEditFocusesTheFirst) {
    TList_MunkigForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Eseti listák/Munkáltatói igazolás");
    EXPECT_EQ(form.BitBtn11->text(), "Munkaviszony megszünése");
    EXPECT_EQ(form.BitBtn12->text(), "Birósági kötelezettségek");
    EXPECT_EQ(form.BitBtn13->text(), "Álláskeresési járadék");
    EXPECT_EQ(form.BitBtn14->text(), "Jövedelemigazolás");
    const QPushButton* buttons[] = {form.BitBtn11, form.BitBtn12, form.BitBtn13, form.BitBtn14};
    for (const QPushButton* b : buttons) EXPECT_TRUE(b->isEnabled());
    for (const char* edit : {"MaskEdit1", "MaskEdit2", "MaskEdit5", "MaskEdit6"}) {
        const QString kept = form.Edit(edit)->text();
        form.Edit(edit)->clear();
        for (const QPushButton* b : buttons) EXPECT_FALSE(b->isEnabled()) << edit;
        form.Edit(edit)->setText(kept);
        for (const QPushButton* b : buttons) EXPECT_TRUE(b->isEnabled()) << edit;
    }
    QLineEdit* last = form.Edit("MaskEdit6");
    last->setFocus(Qt::TabFocusReason);
    QTest::keyClick(last, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form.BitBtn11);
}

TEST_F(ListMunkigTest, TerminationCertificateOfEachEmployeeWorkingInTheRange) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10));
    TList_MunkigForm form;
    Start(form);
    const std::vector<QStringList> pages = Run(form, form.BitBtn11);
    // Tóth Ede now works at 000002; Szabó Éva has no payroll row.
    ASSERT_EQ(pages.size(), 2u) << pagesText;
    const QStringList& anna = pages[0];
    EXPECT_TRUE(anna.contains("A dolgozó neve : | Kiss Anna")) << pagesText;
    EXPECT_TRUE(anna.contains("Igénybe vett betegszabadsága : | 8 | nap")) << pagesText;
    EXPECT_TRUE(anna.contains("Név : | Első Pénztár")) << pagesText;
    EXPECT_TRUE(anna.contains("Cím : | Budapest Bank utca 1.    ")) << pagesText;
    EXPECT_TRUE(anna.contains("Dátum : | ......................... 2019. ............hó ......nap"))
        << pagesText;
    const QStringList& bela = pages[1];
    EXPECT_TRUE(bela.contains("A dolgozó neve : | Nagy Béla")) << pagesText;
    EXPECT_TRUE(bela.contains("Igénybe vett betegszabadsága : | 0 | nap")) << pagesText;
    for (const char* empty : {"Név :", "IRSZ :", "Cím :", "Bankszámla :"}) EXPECT_TRUE(bela.contains(empty));
    EXPECT_TRUE(testsupport::MatchesGolden("lists/occasional/golden/List_MunkigQR1", "two-employees",
                                           pagesText, testsupport::Encoding::Utf8, "pages.txt"));
}

TEST_F(ListMunkigTest, MaintenanceSheetListsTheDeductionsOfCategory3) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10));
    TList_MunkigForm form;
    Start(form);
    const std::vector<QStringList> pages = Run(form, form.BitBtn12);
    ASSERT_EQ(pages.size(), 2u) << pagesText;
    // Without standing deductions: the sheet with 0 and no rows.
    EXPECT_TRUE(pages[0].contains("Letiltási kötelezettségek darabszáma : | 0")) << pagesText;
    EXPECT_TRUE(pages[0].filter("P.1234").isEmpty());
    EXPECT_TRUE(pages[1].contains("Letiltási kötelezettségek darabszáma : | 2")) << pagesText;
    EXPECT_TRUE(pages[1].contains("401")) << pagesText;
    EXPECT_TRUE(pages[1].contains("402")) << pagesText;
    EXPECT_TRUE(pages[1].filter("P.1234/2018").size() == 1) << pagesText;
    EXPECT_TRUE(testsupport::MatchesGolden("lists/occasional/golden/List_MunkigQR2", "two-employees",
                                           pagesText, testsupport::Encoding::Utf8, "pages.txt"));
}

TEST_F(ListMunkigTest, AFailingQueryLeavesTheButtonsDisabled) {
    TList_MunkigForm form;
    Start(form);
    for (QPushButton* button : {form.BitBtn11, form.BitBtn12}) {
        DM1->TableSzamfejt->TableName = "Szamfejt_999";  // no such table
        EXPECT_THROW(button->click(), std::exception);
        DM1->TableSzamfejt->TableName = "Szamfejt_001";
        EXPECT_FALSE(form.BitBtn2->isEnabled());
        EXPECT_FALSE(form.BitBtn11->isEnabled());
        EXPECT_FALSE(form.BitBtn12->isEnabled());
        EXPECT_EQ(DM1->Query1->SQL(), "");
        form.BitBtn2->setEnabled(true);
        form.NyomtatasMehet();
    }
}

TEST_F(ListMunkigTest, BothDocumentsExportToPdf) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10) + os::EncodeTime(9, 0, 0));
    TList_MunkigForm form;
    Start(form);
    for (QPushButton* button : {form.BitBtn11, form.BitBtn12}) {
        testsupport::PdfExport pdf(dialogs);
        button->click();
        ASSERT_FALSE(pdf.pdf.empty());
        pdf.Check();
        EXPECT_EQ(pdf.pages, 2);
    }
}

}  // namespace
