// The yearly certificates: contributions, the insurance record sheet, the
// EKHO certificate and the simplified employment certificate.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <memory>

#include "lists/occasional/List_EFOigazolas.h"
#include "lists/occasional/List_EFOigazolasQR.h"
#include "lists/occasional/List_EKHOigazolas.h"
#include "lists/occasional/List_Foglig.h"
#include "lists/occasional/List_NYENYI.h"
#include "lists/occasional/List_NYENYIQR.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

constexpr double kMinimalber = 149000;

class ListIgazolasTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Cegek",
                {"CG_KOD", "CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ", "CG_ADOSZAM",
                 "CG_TBTORZSSZAM"},
                {{"001", "9970", "Szentgotthárd", "Fő", "utca", "3.", "12345678218", "1234567890"}});
        AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKNUM"}, {{"0", "32", kMinimalber}});
        AddRows("Mhely_001", {"MH_KOD", "MH_NEV"}, {{"000001", "Erdő"}});
        AddRows("Kifhely_001", {"KH_KOD", "KH_NEV"}, {{"000001", "Pénztár"}});
    }

    // Exports the preview of "Lekérdezés" and checks the file.
    void Pdf(ListForm& form, int pages) {
        testsupport::PdfExport pdf(dialogs);
        form.BitBtn1->click();
        ASSERT_FALSE(pdf.pdf.empty());
        pdf.Check();
        EXPECT_EQ(pdf.pages, pages);
    }

    bool Golden(const char* unit, const char* kase) {
        return testsupport::MatchesGolden(std::string("lists/occasional/golden/") + unit, kase, pagesText,
                                          testsupport::Encoding::Utf8, "pages.txt");
    }
};

// --- Contributions certificate ---------------------------------------------

class FogligTest : public ListIgazolasTest {
protected:
    void SetUp() override {
        ListIgazolasTest::SetUp();
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV", "JC_SZHALEV"},
                {{"100", "Havi bér", "I"}, {"105", "Jutalom", "N"}});
        // clang-format off
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV",    "DG_MHKOD", "DG_ANYJANEV", "DG_BELEPDAT", "DG_KILEPDAT"},
                {{"00000000001",  "Kiss Anna", "000001",   "Tóth Mária",  "2019.03.15",  "2019.09.30"},
                 {"00000000002",  "Nagy Béla", "000001",   "Kis Ilona",   "2010.05.01",  ""}});
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV",  "SF_DGMHKOD", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_JCTIPUS", "SF_OSSZEG", "SF_JARALAP", "SF_ADOALAP", "SF_SZHASZAZLEV"},
                {{"00000000001",   "Kiss Anna", "000001",     3,          "2019.04.05",  "100",      "1",          300000,      0,            300000,       19.5},
                 // July at the first half's rate: not deducted at the month's rate
                 {"00000000001",   "Kiss Anna", "000001",     7,          "2019.08.05",  "100",      "1",          300000,      0,            300000,       19.5},
                 {"00000000001",   "Kiss Anna", "000001",     7,          "2019.08.05",  "100",      "1",          200000,      0,            200000,       17.5},
                 {"00000000001",   "Kiss Anna", "000001",     7,          "2019.08.05",  "105",      "1",          50000,       0,            50000,        17.5},
                 {"00000000001",   "Kiss Anna", "000001",     3,          "2019.04.05",  "304",      "8",          4500,        300000,       0,            0},
                 {"00000000001",   "Kiss Anna", "000001",     7,          "2019.08.05",  "304",      "8",          7500,        500000,       0,            0},
                 {"00000000001",   "Kiss Anna", "000001",     3,          "2019.04.05",  "306",      "8",          12000,       300000,       0,            0},
                 {"00000000001",   "Kiss Anna", "000001",     3,          "2019.04.05",  "307",      "8",          6000,        300000,       0,            0},
                 {"00000000001",   "Kiss Anna", "000001",     3,          "2019.04.05",  "300",      "9",          30000,       300000,       0,            0},
                 {"00000000001",   "Kiss Anna", "000001",     3,          "2019.04.05",  "326",      "8",          1500.5,      0,            0,            0},
                 {"00000000001",   "Kiss Anna", "000001",     3,          "2019.04.05",  "340",      "G",          58500,       0,            0,            0},
                 {"00000000001",   "Kiss Anna", "000001",     3,          "2019.04.05",  "328",      "8",          8500,        0,            0,            0},
                 {"00000000002",   "Nagy Béla", "000001",     3,          "2019.04.05",  "100",      "1",          250000,      0,            0,            19.5}});
        // clang-format on
    }
};

TEST_F(FogligTest, SumsTheYearsContributionsOfEachEmployee) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10));
    TList_FogligForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Eseti listák/Foglalkoztatói igazolás");
    const std::vector<QStringList> pages = Run(form);
    ASSERT_EQ(pages.size(), 2u) << pagesText;
    const QStringList& anna = pages[0];
    EXPECT_TRUE(anna.contains("A bizosított neve : | Kiss Anna")) << pagesText;
    EXPECT_TRUE(anna.contains("Jogviszony időtartama : | 2019.03.15-2019.09.30")) << pagesText;
    EXPECT_TRUE(anna.contains("- munkaerőpiaci járulék : | 12000 | (Alapja : | 800000 | )")) << pagesText;
    // 300000 in March and 200000 at July's 17.5; July's 19.5 row and the
    // item without the deduction stay out.
    EXPECT_TRUE(anna.contains("- SZHA levonás : | 1500.5 | (Alapja : | 500000 | )")) << pagesText;
    EXPECT_TRUE(anna.contains("- szociális hozzájárulási adó (kedvezménnyel csökkentett) : | 50000"))
        << pagesText;
    const QStringList& bela = pages[1];
    EXPECT_TRUE(bela.contains("Jogviszony időtartama : | 2019.01.01-2019.12.31")) << pagesText;
    EXPECT_TRUE(bela.contains("- szociális hozzájárulási adó (kedvezménnyel csökkentett) : | 0"))
        << pagesText;
    EXPECT_TRUE(Golden("List_FogligQR", "two-employees")) << pagesText;
}

TEST_F(FogligTest, WithoutLeaversDropsEveryoneWithAnExitDate) {
    TList_FogligForm form;
    Show(form);
    form.Check("CheckBox1")->setChecked(true);
    const std::vector<QStringList> pages = Run(form);
    ASSERT_EQ(pages.size(), 1u) << pagesText;
    EXPECT_TRUE(pages[0].contains("A bizosított neve : | Nagy Béla")) << pagesText;
}

TEST_F(FogligTest, ExportsToPdf) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10) + os::EncodeTime(9, 0, 0));
    TList_FogligForm form;
    Show(form);
    Pdf(form, 2);
}

// --- Insurance record sheet ---------------------------------------------------

TEST(SzolgalatiNapok, ShareOfTheBaseCappedByTheDaysWithContribution) {
    struct Case {
        long long napok, mentes;
        double alap;
        long long expected;
    };
    for (const Case& c : {
             Case{365, 0, 12 * kMinimalber, 365},  // a full year's minimum wage
             Case{365, 0, 6 * kMinimalber, 183},   // half of it
             Case{365, 0, 24 * kMinimalber, 365},  // never above the days
             Case{31, 31, kMinimalber, 0},         // every day contribution-free
             Case{-364, 0, kMinimalber, 0},        // left before the year
             Case{365, 0, 0, 0},                   // no pension base
         })
        EXPECT_EQ(SzolgalatiNapok(c.napok, c.mentes, c.alap, kMinimalber, 365), c.expected)
            << c.napok << " " << c.mentes << " " << c.alap;
}

class NYENYITest : public ListIgazolasTest {
protected:
    void SetUp() override {
        ListIgazolasTest::SetUp();
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV", "JC_JARULKOD", "JC_JARULSOR"},
                {{"100", "Havi bér", "00", 1},
                 {"105", "Jutalom", "00", 2},
                 {"110", "Fizetés nélküli szabadság", "10", 0},
                 {"111", "Igazolatlan távollét", "12", 0}});
        AddRows("NyugP", {"NP_KOD", "NP_NEV"}, {{"0101", "Első Pénztár"}, {"0202", "Régi Pénztár"}});
        // clang-format off
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV",    "DG_MHKOD", "DG_NYENYIJOGVKOD", "DG_NEM", "DG_ALKMIN", "DG_BELEPDAT", "DG_KILEPDAT", "DG_MNYP", "DG_MNYPBEDAT", "DG_ELOZOMNYP", "DG_ELOZOMNYPBEDAT", "DG_ELOZOMNYPKIDAT", "DG_HETIKOTORA", "DG_FEOR", "DG_MUNKAKOR"},
                {{"00000000001",  "Kiss Anna", "000001",   "20",               "2",      "2",         "2018.11.05",  "",            "",        "",             "0202",         "2010.01.01",        "2018.12.31",        40,              "4131",    "Könyvelő"},
                 {"00000000002",  "Nagy Béla", "000001",   "20",               "1",      "2",         "2019.03.04",  "2019.10.15",  "0101",    "2019.05.01",   "0202",         "2012.01.01",        "2019.04.30",        40,              "9112",    "Rakodó"},
                 {"00000000003",  "Tóth Ede",  "000001",   "00",               "1",      "2",         "2019.01.01",  "",            "",        "",             "",             "",                  "",                  40,              "",        ""}});
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV",  "SF_DGMHKOD", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG",        "SF_JARALAP",      "SF_NAP", "SF_TOL",     "SF_IG"},
                {{"00000000001",   "Kiss Anna", "000001",     1,          "2019.02.05",  "300",      0.1 * kMinimalber, 12 * kMinimalber, 0,        "",           ""},
                 {"00000000002",   "Nagy Béla", "000001",     3,          "2019.04.05",  "100",      300000,            0,                 20,       "2019.03.04", "2019.03.31"},
                 {"00000000002",   "Nagy Béla", "000001",     4,          "2019.05.06",  "110",      0,                 0,                 3,        "2019.04.01", "2019.04.03"},
                 {"00000000002",   "Nagy Béla", "000001",     4,          "2019.05.06",  "105",      50000,             0,                 0,        "",           ""},
                 {"00000000002",   "Nagy Béla", "000001",     5,          "2019.06.05",  "111",      0,                 0,                 1,        "2019.05.10", "2019.05.10"},
                 {"00000000002",   "Nagy Béla", "000001",     5,          "2019.06.05",  "300",      10000,             100000,            0,        "",           ""},
                 {"00000000002",   "Nagy Béla", "000001",     6,          "2019.07.05",  "110",      0,                 0,                 2,        "2019.06.10", "2019.06.11"},
                 {"00000000003",   "Tóth Ede",  "000001",     1,          "2019.02.05",  "100",      200000,            0,                 20,       "",           ""}});
        // clang-format on
    }
};

TEST_F(NYENYITest, ASheetPerInsuredEmployee) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10));
    TList_NYENYIForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Eseti listák/NYENYI 2019");
    const std::vector<QStringList> pages = Run(form);
    // Tóth Ede's code "00" gives no sheet.
    ASSERT_EQ(pages.size(), 2u) << pagesText;
    EXPECT_TRUE(pagesText.find("Tóth Ede") == std::string::npos) << pagesText;
    const QStringList& anna = pages[0];
    EXPECT_TRUE(anna.contains("Neme : | N")) << pagesText;
    // Entered last year, no exit; a whole year of minimum wages; the fund
    // that ended last year is not shown.
    EXPECT_EQ(anna.filter("01/01 | 12/31 | 365 | 1788000 | 0 | 14900 | 14900").size(), 1) << pagesText;
    EXPECT_TRUE(anna.filter("Régi Pénztár").isEmpty()) << pagesText;
    const QStringList& bela = pages[1];
    EXPECT_TRUE(bela.contains("Első Pénztár | 0101 | 2019.05.01")) << pagesText;
    EXPECT_FALSE(bela.filter("03/04 | 10/15").isEmpty()) << pagesText;
    // Three absence lines in the payroll table's order.
    const QStringList tavollet = bela.filter(QRegularExpression("^11[01] \\|"));
    ASSERT_EQ(tavollet.size(), 3) << pagesText;
    EXPECT_EQ(tavollet[0], "110 | Fizetés nélküli szabadság | 10 | 2019.04.01 | 2019.04.03");
    EXPECT_EQ(tavollet[1], "111 | Igazolatlan távollét | 12 | 2019.05.10 | 2019.05.10");
    EXPECT_EQ(tavollet[2], "110 | Fizetés nélküli szabadság | 10 | 2019.06.10 | 2019.06.11");
    EXPECT_TRUE(Golden("List_NYENYIQR", "two-sheets")) << pagesText;
}

TEST_F(NYENYITest, WithoutAMinimumWageNoSheetIsMade) {
    for (const db::Variant& ertek : {db::Variant(0.0), db::Variant()}) {
        AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKNUM"}, {{"0", "32", ertek}});
        TList_NYENYIForm form;
        Show(form);
        dialogs.Answer(ui::Ok);
        form.BitBtn1->click();
        ASSERT_FALSE(dialogs.Shown().empty());
        EXPECT_EQ(dialogs.Shown().back().caption, "Üzenet");
        EXPECT_EQ(
            dialogs.Shown().back().text,
            "Hiányzik vagy nulla a minimálbér (az értékkészlet 0 típusú, 32 értékű sora), a nyilvántartó "
            "lap nem készíthető el!");
        EXPECT_TRUE(form.BitBtn1->isEnabled());
        form.close();
    }
}

TEST_F(NYENYITest, ExportsToPdf) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10) + os::EncodeTime(9, 0, 0));
    TList_NYENYIForm form;
    Show(form);
    Pdf(form, 2);
}

// --- EKHO certificate ---------------------------------------------------------

class EKHOTest : public ListIgazolasTest {
protected:
    void SetUp() override {
        ListIgazolasTest::SetUp();
        // clang-format off
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV",    "DG_ADOAZ",   "DG_VAROS", "DG_KOZTER", "DG_KOZTERJEL", "DG_HAZSZ", "DG_IRSZ", "DG_FEOR"},
                {{"00000000001",  "Kiss Anna", "8123456789", "Győr",     "Fő",        "tér",          "1.",       "9021",    "4131"},
                 {"123",          "Rövid Kód", "8123456790", "Pécs",     "Kert",      "utca",         "2.",       "7621",    ""},
                 {"00000000003",  "Tóth Ede",  "8123456791", "Vác",      "Híd",       "utca",         "3.",       "2600",    ""}});
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV",  "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG"},
                {{"00000000001",   "Kiss Anna", 1,          "2019.02.05",  "282A",     100000},
                 {"00000000001",   "Kiss Anna", 3,          "2019.04.05",  "282A",     120000},
                 {"00000000001",   "Kiss Anna", 3,          "2019.04.20",  "282A",     30000},
                 {"00000000001",   "Kiss Anna", 1,          "2019.02.05",  "320A",     9500},
                 {"00000000001",   "Kiss Anna", 1,          "2019.02.05",  "320B",     3000},
                 {"00000000001",   "Kiss Anna", 3,          "2019.04.05",  "320C",     2500},
                 {"00000000001",   "Kiss Anna", 3,          "2019.04.05",  "340C",     11100},
                 {"00000000001",   "Kiss Anna", 3,          "2019.04.05",  "100",      99999},
                 {"123",           "Rövid Kód", 5,          "2019.06.05",  "282A",     5000}});
        // clang-format on
    }
};

TEST_F(EKHOTest, FiveSumsOfTheYear) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10));
    struct Case {
        const char* typed;
        const char* sor;  // the table's line: income, 15%, 11,1%, 9,5%
        const char* honapok;
        const char* szja;
    };
    // A code typed shorter than the mask finds its employee; no rows give zeros.
    for (const Case& c :
         {Case{"00000000001", "250000 | 15000 | 11100 | 0", "2", "9500"},
          Case{"123", "5000 | 0 | 0 | 0", "1", "0"}, Case{"00000000003", "0 | 0 | 0 | 0", "0", "0"}}) {
        TList_EKHOigazolasForm form;
        Show(form);
        EXPECT_EQ(form.windowTitle(), "Eseti listák/EKHO igazolás");
        EXPECT_FALSE(form.BitBtn1->isEnabled());
        QLineEdit* edit = form.Edit("MaskEdit5");
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(edit, c.typed);
        QTest::keyClick(edit, Qt::Key_Tab);
        ASSERT_TRUE(form.BitBtn1->isEnabled()) << c.typed;
        const std::vector<QStringList> pages = Run(form);
        ASSERT_EQ(pages.size(), 1u) << c.typed;
        const QStringList& p = pages[0];
        EXPECT_FALSE(
            p.filter(QStringLiteral("EKHO-s munkaviszonyból származó bevétel és levont adója | ") + c.sor)
                .isEmpty())
            << pagesText;
        EXPECT_TRUE(p.contains(QStringLiteral("Jogosultsági hónapok száma : | ") + c.honapok)) << pagesText;
        EXPECT_TRUE(p.contains(QStringLiteral("A levont adóból 9,5% az SZJA összege :  | ") + c.szja))
            << pagesText;
        if (QString(c.typed) == "00000000001") {
            EXPECT_TRUE(Golden("List_EKHOigazolasQR", "one-employee"));
        }
        form.close();
    }
}

TEST_F(EKHOTest, ExportsToPdf) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10) + os::EncodeTime(9, 0, 0));
    TList_EKHOigazolasForm form;
    Show(form);
    form.SetValue("MaskEdit5", "00000000001");
    form.Frissit();
    Pdf(form, 1);
}

// --- Simplified employment certificate ------------------------------------------

TEST(JogosultsagiNapok, BothDatesInclusiveAndOneDayWithoutAPeriod) {
    const double marc4 = os::EncodeDate(2019, 3, 4), marc6 = os::EncodeDate(2019, 3, 6);
    EXPECT_EQ(JogosultsagiNapok(marc4, marc6), 3);
    EXPECT_EQ(JogosultsagiNapok(marc4, marc4), 1);
    EXPECT_EQ(JogosultsagiNapok(0, 0), 1);
    EXPECT_EQ(JogosultsagiNapok(marc4, 0), 1);
    EXPECT_EQ(JogosultsagiNapok(0, marc6), 1);
}

class EFOTest : public ListIgazolasTest {
protected:
    void SetUp() override {
        ListIgazolasTest::SetUp();
        // clang-format off
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV",    "DG_MHKOD", "DG_ADOAZ",   "DG_FEOR", "DG_KILEPDAT"},
                {{"00000000001",  "Kiss Anna", "000001",   "8123456789", "9112",    ""},
                 {"00000000002",  "Kiss Anna", "000001",   "8123456790", "8121",    ""},
                 {"00000000003",  "Tóth Ede",  "000001",   "8123456791", "",        "2019.07.31"}});
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV",  "SF_DGMHKOD", "SF_DGKHKOD", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_TOL",     "SF_IG"},
                {{"00000000001",   "Kiss Anna", "000001",     "000001",     3,          "2019.03.06",  "281A",     10000,       "2019.03.04", "2019.03.06"},
                 {"00000000002",   "Kiss Anna", "000001",     "000001",     4,          "2019.04.10",  "281A",     8000,        "",           ""},
                 {"00000000001",   "Kiss Anna", "000001",     "000001",     5,          "2019.05.10",  "281A",     9000,        "2019.05.09", ""},
                 {"00000000002",   "Kiss Anna", "000001",     "000001",     6,          "2019.06.10",  "281A",     7000,        "2019.06.03", "2019.06.04"},
                 {"00000000001",   "Kiss Anna", "000001",     "000001",     6,          "2019.06.10",  "100",      99999,       "",           ""},
                 {"00000000003",   "Tóth Ede",  "000001",     "000001",     7,          "2019.07.31",  "281A",     6000,        "2019.07.29", "2019.07.31"}});
        // clang-format on
    }
};

TEST_F(EFOTest, OneCertificatePerEmployeeEvenWhenNamesRepeat) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10));
    TList_EFOigazolasForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Eseti listák/EFO igazolás");
    EXPECT_EQ(form.Text("MaskEdit7"), "281A");
    EXPECT_EQ(form.Text("CurrencyEdit1"), "01");
    EXPECT_EQ(form.Text("CurrencyEdit2"), "12");
    const std::vector<QStringList> pages = Run(form);
    ASSERT_EQ(pages.size(), 3u) << pagesText;
    // Two "Kiss Anna"s with interleaved months: each her own rows and totals.
    EXPECT_TRUE(pages[0].contains("azonosító jele : | 8123456789")) << pagesText;
    EXPECT_TRUE(pages[0].contains("2019.03.06 | 03 | 2019.03.04 | 2019.03.06 | 3 | 10000")) << pagesText;
    EXPECT_TRUE(pages[0].contains("2019.05.10 | 05 | 2019.05.09 | 1 | 9000")) << pagesText;
    EXPECT_TRUE(pages[0].contains("összesen: | 4 | 19000")) << pagesText;
    EXPECT_FALSE(pages[0].filter("minimálbér figyelembevételével").isEmpty()) << pagesText;
    EXPECT_TRUE(pages[1].contains("azonosító jele : | 8123456790")) << pagesText;
    EXPECT_TRUE(pages[1].contains("2019.04.10 | 04 | 1 | 8000")) << pagesText;
    EXPECT_TRUE(pages[1].contains("összesen: | 3 | 15000")) << pagesText;
    EXPECT_FALSE(pages[1].filter("garantált bérminimum figyelembevételével").isEmpty()) << pagesText;
    // An empty occupation code: the guaranteed minimum.
    EXPECT_FALSE(pages[2].filter("garantált bérminimum figyelembevételével").isEmpty()) << pagesText;
    EXPECT_TRUE(pages[2].contains("Az igazolást a magánszemélynek 2028.12.31-ig kell megőriznie."))
        << pagesText;
    EXPECT_TRUE(Golden("List_EFOigazolasQR", "three-employees")) << pagesText;
}

TEST_F(EFOTest, LeaversLeftOutAndTheItemWaitsForACode) {
    {
        TList_EFOigazolasForm form;
        Show(form);
        form.Check("CheckBox1")->setChecked(true);
        EXPECT_EQ(Run(form).size(), 2u) << pagesText;
        EXPECT_TRUE(pagesText.find("Tóth Ede") == std::string::npos) << pagesText;
    }
    db::Table jogcim;
    jogcim.DatabaseName = AktualisAlias;
    jogcim.TableName = "Jogcim_001";
    jogcim.Open();
    ASSERT_TRUE(jogcim.Locate("JC_KOD", std::string("281A")));
    jogcim.Delete();
    jogcim.Close();
    TList_EFOigazolasForm form;
    Show(form);
    EXPECT_EQ(form.Text("MaskEdit7"), "");
    EXPECT_FALSE(form.BitBtn1->isEnabled());
}

TEST_F(EFOTest, ExportsToPdf) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10) + os::EncodeTime(9, 0, 0));
    TList_EFOigazolasForm form;
    Show(form);
    Pdf(form, 3);
}

}  // namespace
