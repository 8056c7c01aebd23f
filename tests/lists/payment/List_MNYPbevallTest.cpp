// The two fund returns of one month: the employer's (a summary sheet per fund
// and insert sheets of two members) and the self-employed members' (a page
// per member), their parameter forms and the start and end in the month.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "controls/NumEdits.h"
#include "lists/payment/List_EVMNYPbevall.h"
#include "lists/payment/List_MNYPbevall.h"
#include "platform/db/ListDataset.h"
#include "platform/db/Table.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

double Day(int y, int m, int d) { return os::EncodeDate(y, m, d); }

class ListMnypBevallTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Cegek", {"CG_KOD", "CG_ADOSZAM", "CG_IRSZ", "CG_VAROS", "CG_ASZOLG"},
                {{"001", "12345678211", "9941", "Őriszentpéter", "Adat Szolga"}});
        AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKCHAR"}, {{"0", "04", "2019"}});
        AddRows("NyugP", {"NP_KOD", "NP_NEV"},
                {{"0101", "Első Pénztár"}, {"0202", "Második Pénztár"}, {"0303", "Harmadik Pénztár"}});
        // clang-format off
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV",       "DG_ALKMIN", "DG_MNYP", "DG_MNYPJOGVKOD", "DG_TAJSZ",  "DG_UTLEVELSZ", "DG_MNYPDOLKIEG", "DG_MNYPVALKIEG", "DG_MNYPBEDAT", "DG_BELEPDAT", "DG_ELOZOMNYPKIDAT", "DG_KILEPDAT", "DG_EVA", "DG_VAROS"},
                {{"00000000001", "Kiss Anna",    "1",         "0101",    "",               "111222333", "",             0.02,             0.015,            "2019.03.10",   "2019.03.03",  "",                  "",            "N",      ""},
                 {"00000000002", "Nagy Béla",    "1",         "0101",    "11",             db::Variant(), "AB123456",   0.0,              0.0,              "2019.03.10",   "2010.01.01",  "2018.05.05",        "2019.03.20",  "N",      ""},
                 {"00000000003", "Tóth Ede",     "1",         "0101",    "",               "333444555", "",             db::Variant(),    0.0,              "2019.03.15",   "2019.03.15",  "2019.03.15",        "2019.03.15",  "N",      ""},
                 {"00000000004", "Fekete Ida",   "1",         "0202",    "",               "444555666", "",             0.0,              0.0,              "",             "2010.01.01",  "",                  "",            "N",      ""},
                 {"00000000005", "Vállalkozó Vera", "6",      "0303",    "21",             "555666777", "",             0.015,            0.0,              "2019.03.05",   "2019.01.01",  "",                  "",            "I",      "Vasvár"},
                 {"00000000006", "Hat Huba",     "6",         "0202",    "22",             "666777888", "",             0.0,              0.0,              "",             "",            "",                  "",            "N",      ""},
                 {"00000000007", "Hét Hanna",    "1",         "0303",    "21",             "777888999", "",             0.0,              0.0,              "",             "",            "",                  "",            "N",      ""}});
        Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_JCTIPUS", "SF_OSSZEG", "SF_JARALAP", "SF_ADOALAP", "SF_DGMNYP"},
                {{"00000000001",   3,          "2019.04.05",  "301",      "A",          1000.0,      10000.0,      0.0,          "0101"},
                 {"00000000001",   3,          "2019.04.05",  "333",      "C",          200.0,       0.0,          0.0,          "0101"},
                 {"00000000001",   3,          "2019.04.05",  "302",      "B",          100.0,       0.0,          0.0,          "0101"},
                 {"00000000002",   3,          "2019.04.05",  "301",      "A",          500.0,       5000.0,       0.0,          "0101"},
                 {"00000000003",   3,          "2019.04.05",  "301",      "A",          300.0,       3000.0,       0.0,          "0101"},
                 {"00000000003",   3,          "2019.04.05",  "333",      "C",          50.0,        0.0,          0.0,          "0101"},
                 {"00000000001",   2,          "2019.03.05",  "301",      "A",          999.0,       9990.0,       0.0,          "0101"},
                 {"00000000004",   3,          "2019.04.05",  "301",      "A",          700.0,       7000.0,       0.0,          "0202"},
                 {"00000000006",   3,          "2019.04.05",  "301",      "A",          100.0,       1000.0,       0.0,          "0202"},
                 {"00000000007",   3,          "2019.04.05",  "301",      "A",          100.0,       1000.0,       0.0,          "0303"},
                 {"00000000005",   3,          "2019.04.05",  "146",      "",           5000.4,      0.0,          0.0,          "0303"},
                 {"00000000005",   3,          "2019.04.05",  "147",      "",           1000.0,      0.0,          0.0,          "0303"},
                 {"00000000005",   3,          "2019.04.05",  "100",      "",           0.0,         0.0,          4000.0,       "0303"},
                 {"00000000005",   3,          "2019.04.05",  "105",      "",           0.0,         0.0,          500.0,        "0303"},
                 {"00000000005",   3,          "2019.04.05",  "205",      "",           0.0,         0.0,          100.0,        "0303"},
                 {"00000000005",   3,          "2019.04.05",  "270",      "",           0.0,         0.0,          9999.0,       "0303"},
                 {"00000000005",   3,          "2019.04.05",  "301",      "A",          2500.0,      25000.0,      7777.0,       "0303"},
                 {"00000000005",   3,          "2019.04.05",  "302",      "B",          300.0,       0.0,          0.0,          "0303"},
                 {"00000000005",   3,          "2019.04.05",  "333",      "C",          200.0,       0.0,          0.0,          "0303"},
                 {"00000000005",   3,          "2019.04.05",  "750",      "",           0.0,         0.0,          5555.0,       "0303"},
                 {"00000000008",   5,          "2019.06.05",  "100",      "",           10.0,        0.0,          0.0,          ""}});
        // clang-format on
    }

    std::vector<QStringList> Run(ListForm& form) {
        return ListFixtureTest::Run(form, nullptr, [](TNyomtatasForm& preview) {
            // For a look at the sheets: TAVRINA_MNYP_SHOT=/tmp/mnyp saves every page.
            const report::PagePrinter& p = preview.QuickRep->PagePrinter();
            if (const char* shot = std::getenv("TAVRINA_MNYP_SHOT"))
                for (int i = 1; i <= p.PageCount(); ++i)
                    p.GetPage(i)->Render(100, p.PageCount()).save(QString("%1-%2.png").arg(shot).arg(i));
        });
    }
    // An unknown fund is refused and cleared, and the list may not start.
    void UnknownFund(ListForm& form) {
        QLineEdit* tol = form.Edit("MaskEdit7");
        tol->setFocus(Qt::TabFocusReason);
        tol->selectAll();
        QTest::keyClicks(tol, "9999");
        const size_t before = dialogs.Shown().size();
        dialogs.Answer(ui::Ok);
        QTest::keyClick(tol, Qt::Key_Tab);
        EXPECT_EQ(dialogs.Text(before), "Ez a kód nem létezik!");
        EXPECT_EQ(form.Text("MaskEdit7"), "");
        EXPECT_TRUE(tol->hasFocus());
        EXPECT_FALSE(form.BitBtn1->isEnabled());
    }
    static bool Has(const QStringList& page, const QString& text) { return page.join("\n").contains(text); }
};

TEST(MnypKezdeteVege, LaterStartAndEarlierEndWithinTheMonth) {
    struct Eset {
        const char *bedat, *belepdat, *elozoKidat, *kilepdat, *kezdete, *vege;
    };
    // clang-format off
    const Eset esetek[] = {
        {"2019.03.10", "2019.03.03", "",           "",           "2019.03.10", ""},
        {"2019.03.10", "2010.01.01", "",           "",           "2019.03.10", ""},
        {"2019.02.10", "2019.03.03", "2019.04.01", "2019.03.20", "2019.03.03", "2019.03.20"},
        {"2018.03.10", "",           "2019.03.25", "2019.03.28", "",           "2019.03.25"},
        // both on one day: that day
        {"2019.03.15", "2019.03.15", "2019.03.15", "2019.03.15", "2019.03.15", "2019.03.15"},
        {"",           "",           "",           "",           "",           ""},
    };
    // clang-format on
    for (const Eset& e : esetek) {
        db::ListDataset ds;
        ds.SetFieldDefs({{"DG_MNYPBEDAT", db::FieldType::Date, 0},
                         {"DG_BELEPDAT", db::FieldType::Date, 0},
                         {"DG_ELOZOMNYPKIDAT", db::FieldType::Date, 0},
                         {"DG_KILEPDAT", db::FieldType::Date, 0}});
        ds.Open();
        ds.Append();
        int i = 0;
        for (const char* d : {e.bedat, e.belepdat, e.elozoKidat, e.kilepdat}) {
            double day = 0;
            if (*d && os::TextToDate(d, day)) ds.Fields(i).SetAsDateTime(day);
            ++i;
        }
        ds.Post();
        const MnypIdoszak p = MnypKezdeteVege(ds, 2019, 3);
        EXPECT_EQ(p.kezdete, e.kezdete) << e.bedat << " " << e.belepdat;
        EXPECT_EQ(p.vege, e.vege) << e.elozoKidat << " " << e.kilepdat;
    }
}

TEST_F(ListMnypBevallTest, ContributionReturnForm) {
    TList_MNYPbevallForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Kifizetési listák/Magán-nyugdíjpénztári tagdíjbevallás");
    EXPECT_EQ(form.MonthEdit("CurrencyEdit1")->FormattedDisplayText(), "05");
    EXPECT_EQ(form.Text("MaskEdit7"), "0101");  // the empty fund is skipped
    EXPECT_EQ(form.Text("MaskEdit8"), "0303");
    EXPECT_EQ(form.Text("ComboBox1"), "Nincs");
    EXPECT_EQ(form.NameText("ComboBox1"), "");
    form.Combo("ComboBox1")->setCurrentIndex(2);
    form.Combo("ComboBox2")->setCurrentIndex(2);
    EXPECT_EQ(form.Text("ComboBox1"), "Végelszámolás");
    EXPECT_EQ(form.NameText("ComboBox1"), "V");
    EXPECT_EQ(form.Text("ComboBox2"), "Felszámolási eljárás alatti időszak");
    EXPECT_EQ(form.NameText("ComboBox2"), "2");
    EXPECT_TRUE(form.BitBtn1->isEnabled());
    form.Combo("ComboBox2")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.Combo("ComboBox2"), Qt::Key_Return);
    EXPECT_TRUE(form.BitBtn1->hasFocus());
    UnknownFund(form);
}

TEST_F(ListMnypBevallTest, ContributionReturnPrintsASummaryAndInsertSheetsPerFund) {
    os::FixedClock clock(Day(2019, 4, 6) + os::EncodeTime(9, 0, 0));
    TList_MNYPbevallForm form;
    Show(form);
    form.SetValue("CurrencyEdit1", 3);
    form.Combo("ComboBox1")->setCurrentIndex(2);
    const std::vector<QStringList> pages = Run(form);
    ASSERT_EQ(pages.size(), 5u) << pagesText;

    // Fund 0101: three members, two insert sheets.
    const QStringList& osszesito = pages[0];
    EXPECT_TRUE(Has(osszesito, "Összesítő adatlap"));
    EXPECT_TRUE(Has(osszesito, "1. Bevallási időszak : | 2019/03"));
    EXPECT_TRUE(Has(osszesito, "3. A bevallás jellege: | V"));
    EXPECT_TRUE(Has(osszesito, "4. Csatolt betétlapok száma :  | 02"));
    EXPECT_TRUE(Has(osszesito, "9. Adószáma : | 12345678211"));
    EXPECT_TRUE(Has(osszesito, "15. Pénztártagok száma : | 3"));
    EXPECT_TRUE(Has(osszesito, "16. Járulékalap összesen : | 18000"));
    EXPECT_TRUE(Has(osszesito, "17. Tagdíj összesen : | 1800"));
    EXPECT_TRUE(Has(osszesito, "18. Munkáltatói kieg. összesen : | 250"));
    EXPECT_TRUE(Has(osszesito, "19. Munkáltatói kieg. %-os mértéke : | 0.015"));
    EXPECT_TRUE(Has(osszesito, "20. Munkavállalói kieg. összesen : | 100"));
    EXPECT_TRUE(Has(osszesito, "21. Késedelmi pótlék összege* : | 0"));
    EXPECT_TRUE(Has(osszesito, "22. Befizetendő (17+18+20+21) : | 2150"));
    EXPECT_FALSE(Has(osszesito, "Betétlap"));

    const QStringList& elso = pages[1];
    EXPECT_TRUE(Has(elso, "4. Lapszám : | 01"));
    EXPECT_TRUE(Has(elso, "5. Pénztárkód : | 0101"));
    EXPECT_TRUE(Has(elso, "8. Adószáma : | 12345678211"));
    EXPECT_FALSE(Has(elso, "Érkeztetés"));
    EXPECT_TRUE(Has(elso, "8. Neve : | Kiss Anna"));
    EXPECT_TRUE(Has(elso, "10. TAJ : | 111222333 | 11. Útlevélszám :\n"));
    EXPECT_TRUE(Has(elso, "20. Összes bevallás : | 1300"));
    EXPECT_TRUE(Has(elso, "21. Munkavállalói kieg. % : | 20"));
    EXPECT_TRUE(Has(elso, "24. Kezdete tárgyhóban : | 2019.03.10 | Vége : | Jogcím kódja:"));
    EXPECT_TRUE(Has(elso, "8. Neve : | Nagy Béla"));
    EXPECT_TRUE(Has(elso, "10. TAJ : | 11. Útlevélszám : | AB123456"));
    EXPECT_TRUE(Has(elso, "21. Munkavállalói kieg. % : | -"));
    EXPECT_TRUE(
        Has(elso, "24. Kezdete tárgyhóban : | 2019.03.10 | Vége : | 2019.03.20 | Jogcím kódja: | 11"));
    const QStringList& masodik = pages[2];
    EXPECT_TRUE(Has(masodik, "4. Lapszám : | 02"));
    EXPECT_TRUE(Has(masodik, "8. Neve : | Tóth Ede"));
    EXPECT_TRUE(Has(masodik, "21. Munkavállalói kieg. % : | -"));
    EXPECT_TRUE(Has(masodik, "24. Kezdete tárgyhóban : | 2019.03.15 | Vége : | 2019.03.15"));

    // Fund 0202 restarts its insert sheets; kind 6 with code 22 is listed,
    // the self-employed codes are not.
    EXPECT_TRUE(Has(pages[3], "15. Pénztártagok száma : | 2"));
    EXPECT_TRUE(Has(pages[3], "4. Csatolt betétlapok száma :  | 01"));
    EXPECT_TRUE(Has(pages[3], "19. Munkáltatói kieg. %-os mértéke : | -"));
    EXPECT_TRUE(Has(pages[4], "4. Lapszám : | 01"));
    EXPECT_TRUE(Has(pages[4], "Hat Huba"));
    for (const QStringList& p : pages) {
        EXPECT_FALSE(Has(p, "Vera"));
        EXPECT_FALSE(Has(p, "Hanna"));
    }
    EXPECT_TRUE(testsupport::MatchesGolden("lists/payment/golden/List_MNYPQRbevall", "ket_penztar", pagesText,
                                           testsupport::Encoding::Utf8, "pages.txt"));
}

// A month without a member of the funds still shows the empty return's
// page: the header's count of members finds none instead of failing.
TEST_F(ListMnypBevallTest, ContributionReturnWithoutMembersPrintsAnEmptySummary) {
    os::FixedClock clock(Day(2019, 4, 6) + os::EncodeTime(9, 0, 0));
    TList_MNYPbevallForm form;
    Show(form);
    form.SetValue("CurrencyEdit1", 1);
    const std::vector<QStringList> pages = Run(form);
    ASSERT_EQ(pages.size(), 1u) << pagesText;
    EXPECT_TRUE(Has(pages[0], "1. Bevallási időszak : | 2019/01"));
    EXPECT_TRUE(Has(pages[0], "Összesítő adatlap"));
}

TEST_F(ListMnypBevallTest, SelfEmployedReturnForm) {
    TList_EVMNYPbevallForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(),
              "Kifizetési listák/MNYP-i tagdíjbevallás havi bevallásra kötelezett egyéni váll.  részére");
    EXPECT_EQ(form.Text("ComboBox1"), "05");
    EXPECT_TRUE(form.BitBtn1->isEnabled());
    UnknownFund(form);
    form.close();

    // Without payroll rows the month is "01".
    db::Table t;
    t.DatabaseName = AktualisAlias;
    t.TableName = "Szamfejt_001";
    t.Open();
    while (!t.Eof()) t.Delete();
    t.Close();
    TList_EVMNYPbevallForm ures;
    Show(ures);
    EXPECT_EQ(ures.Text("ComboBox1"), "01");
}

TEST_F(ListMnypBevallTest, SelfEmployedReturnPrintsAPagePerMember) {
    os::FixedClock clock(Day(2019, 4, 6) + os::EncodeTime(9, 0, 0));
    for (const char* eva : {"I", "N"}) {
        const bool evas = std::string(eva) == "I";
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_EVA", "DG_MNYPDOLKIEG"},
                {{"00000000005", eva, evas ? db::Variant(0.015) : db::Variant()}});
        TList_EVMNYPbevallForm form;
        Show(form);
        form.SetValue("ComboBox1", 3);
        const std::vector<QStringList> pages = Run(form);
        ASSERT_EQ(pages.size(), 1u) << pagesText;  // only Vera: kind 6 and code 21
        const QStringList& p = pages[0];
        EXPECT_TRUE(Has(p, "1. vonatkozási időszak : | 201903"));
        EXPECT_TRUE(Has(p, "5. Név : | Vállalkozó Vera"));
        EXPECT_TRUE(Has(p, "13. Név : | Harmadik Pénztár | Pénztárkód : | 0303"));
        EXPECT_TRUE(Has(p, "15. Kezdete : | 2019.03.05 | Vége : | Kódja : | 21"));
        if (std::string(eva) == "I")
            EXPECT_TRUE(Has(p, "18. EVA alap összege : | 6000")) << pagesText;
        else
            EXPECT_TRUE(Has(p, "18. EVA alap összege :\n")) << pagesText;
        EXPECT_TRUE(Has(p, "19. Vállakozói kivét összege : | 4600"));
        EXPECT_TRUE(Has(p, "21. Járulékalap összege : | 25000"));
        EXPECT_TRUE(Has(p, "22. Tagdíj összege : | 2500"));
        EXPECT_TRUE(Has(p, "23. Kiegészítés összege : | 500"));
        EXPECT_TRUE(Has(p, evas ? "Kiegészítés mértéke : | 15" : "Kiegészítés mértéke : | 0"));
        EXPECT_TRUE(Has(p, "24. Összesen (22+23) : | 3000"));
        EXPECT_TRUE(Has(p, "26. Befizetendő (24+25) : | 3000"));
        if (std::string(eva) == "I") {
            EXPECT_TRUE(testsupport::MatchesGolden("lists/payment/golden/List_EVMNYPQRbevall", "egy_tag",
                                                   pagesText, testsupport::Encoding::Utf8, "pages.txt"));
        }
    }
}

TEST_F(ListMnypBevallTest, BothReturnsExportToPdf) {
    os::FixedClock clock(Day(2019, 4, 6) + os::EncodeTime(9, 0, 0));
    {
        TList_MNYPbevallForm form;
        Show(form);
        form.SetValue("CurrencyEdit1", 3);
        testsupport::PdfExport pdf(dialogs);
        form.BitBtn1->click();
        pdf.Check();
        EXPECT_EQ(pdf.pages, 5);
    }
    TList_EVMNYPbevallForm form;
    Show(form);
    form.SetValue("ComboBox1", 3);
    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    pdf.Check();
    EXPECT_EQ(pdf.pages, 1);
}

}  // namespace
