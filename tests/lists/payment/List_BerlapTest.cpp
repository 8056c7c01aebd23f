// "Bérlap": the parameter form as a user drives it, the work table the fill
// builds from the payroll rows (compared with a golden table), and the pages
// of the payslips with the receipt and the banknote split.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "controls/ComboEdits.h"
#include "controls/NumEdits.h"
#include "core/Kivalaszt.h"
#include "core/MainWindowLink.h"
#include "core/SegedUnitDb.h"
#include "lists/payment/List_Berlap.h"
#include "lists/payment/List_BerlapQR.h"
#include "platform/db/Table.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/os/System.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

double Day(int y, int m, int d) { return os::EncodeDate(y, m, d); }

class ListBerlapTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("KifHely_001", {"KH_KOD", "KH_NEV"}, {{"000001", "Pénztár"}, {"000002", "Bankszámla"}});
        AddRows("MHely_001", {"MH_KOD", "MH_NEV", "MH_KHKOD"},
                {{"000001", "Központ", "000002"}, {"000002", "Telep", "000001"}});
        // clang-format off
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV",           "JC_TIPUS", "JC_KIFIZ", "JC_SZJAKOT", "JC_ELKULADO", "JC_SZABTIP"},
                {{"100",      "Alapbér",                     "1",        "I",        "I",          "N",           ""},
                 {"110",      "Jutalom természetben",        "2",        "N",        "I",          "N",           ""},
                 {"160",      "Étkezési hozzájárulás",       "1",        "N",        "N",          "N",           ""},
                 {"300",      "Nyugdíjjárulék",              "3",        "I",        "N",          "N",           ""},
                 {"305",      "Különadó",                    "E",        "I",        "N",          "N",           ""},
                 {"320",      "Személyi jövedelemadó",       "4",        "I",        "N",          "N",           ""},
                 {"330",      "Szociális hozzájárulási adó", "5",        "I",        "I",          "N",           ""},
                 {"340",      "Szakképzési hozzájárulás",    "C",        "I",        "N",          "N",           ""},
                 {"500",      "Szabadság",                   "5",        "I",        "N",          "N",           "1"},
                 {"510",      "Betegszabadság",              "5",        "I",        "N",          "N",           "2"}});
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV",      "DG_TITULUS", "DG_MHKOD", "DG_ALAPBER", "DG_SZABKER", "DG_BETEGSZABKER"},
                {{"00000000001", "Zoltán Kiss", "dr.",        "000001",   50000.0,      20.0,         15.0},
                 {"00000000002", "Béla Nagy",   "",           "000002",   12348.0,      21.0,         15.0},
                 {"00000000003", "Ábel Szabó",  "",           "000001",   1000.0,       22.0,         15.0}});
        Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_NAP", "SF_ORA", "SF_OSSZEG", "SF_ADOALAP", "SF_JARALAP", "SF_DGMHKOD", "SF_DGKHKOD"},
                {{"00000000001",   3,          "2019.03.05",  "100",      21,       168.0,    50000.0,     50000.0,      50000.0,      "000001",     "000002"},
                 {"00000000001",   3,          "2019.03.05",  "110",      0,        0.0,      10000.0,     10000.0,      0.0,          "000001",     "000002"},
                 {"00000000001",   3,          "2019.03.05",  "160",      0,        0.0,      2000.0,      2000.0,       0.0,          "000001",     "000002"},
                 {"00000000001",   3,          "2019.03.05",  "300",      0,        0.0,      7000.0,      0.0,          50000.0,      "000001",     "000002"},
                 {"00000000001",   3,          "2019.03.05",  "305",      0,        0.0,      653.0,       0.0,          0.0,          "000001",     "000002"},
                 {"00000000001",   3,          "2019.03.05",  "320",      0,        0.0,      30000.0,     0.0,          0.0,          "000001",     "000002"},
                 {"00000000001",   3,          "2019.03.05",  "330",      0,        0.0,      8750.0,      99.0,         50000.0,      "000001",     "000002"},
                 {"00000000001",   3,          "2019.03.05",  "340",      0,        0.0,      750.0,       0.0,          0.0,          "000001",     "000002"},
                 {"00000000001",   3,          "2019.03.05",  "999",      0,        0.0,      123.0,       0.0,          0.0,          "000001",     "000002"},
                 {"00000000001",   3,          "2019.03.05",  "510",      4,        0.0,      0.0,         0.0,          0.0,          "000001",     "000002"},
                 {"00000000001",   2,          "2019.02.05",  "500",      3,        0.0,      0.0,         0.0,          0.0,          "000001",     "000002"},
                 {"00000000001",   2,          "2019.02.28",  "100",      20,       160.0,    50000.0,     50000.0,      50000.0,      "000001",     "000002"},
                 {"00000000002",   3,          "2019.03.05",  "100",      10,       80.0,     12348.0,     12348.0,      12348.0,      "000002",     "000001"},
                 {"00000000002",   3,          "2019.03.20",  "100",      2,        16.0,     2.0,         2.0,          2.0,          "000002",     "000001"},
                 {"00000000003",   3,          "2019.03.05",  "100",      1,        8.0,      1000.0,      1000.0,       1000.0,       "000001",     "000002"},
                 {"00000000003",   3,          "2019.03.05",  "300",      0,        0.0,      1007.0,      0.0,          1000.0,       "000001",     "000002"},
                 {"00000000009",   3,          "2019.03.05",  "100",      1,        8.0,      0.0,         0.0,          0.0,          "000002",     "000001"}});
        // clang-format on
    }

    void Start(TList_BerlapForm& form) { Show(form); }

    // Types into an edit after selecting its text, as a user retypes a field.
    static void Retype(QWidget* w, const QString& text) {
        w->setFocus(Qt::TabFocusReason);
        if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
        QTest::keyClicks(w, text);
    }

    // The work table in key order, one line per row.
    static std::vector<std::string> WorkTableLines(const std::string& name, bool withEmployee) {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = name;
        t.Open();
        std::vector<std::string> lines;
        for (t.First(); !t.Eof(); t.Next()) {
            std::string line;
            std::vector<std::string> fields = {"BLOKK", "SOR",  "TH_JC", "TH_MEGN", "TH_1",
                                               "TH_2",  "TH_3", "TH_4",  "TH_5",    "TH_6"};
            if (withEmployee)
                fields.insert(fields.begin(), {"DOLGOZO_KOD", "DOLGOZO_NEV", "HONAP", "KIFIZDAT"});
            for (const std::string& f : fields)
                line += (line.empty() ? "" : "|") + t.FieldByName(f).AsString();
            lines.push_back(line);
        }
        return lines;
    }
};

TEST_F(ListBerlapTest, FormDefaultsChecksAndPickList) {
    TList_BerlapForm form;
    Start(form);
    if (const char* shot = std::getenv("TAVRINA_BERLAP_FORM_SHOT")) form.grab().save(shot);
    EXPECT_EQ(form.windowTitle(), "Kifizetési listák/Bérlap");
    EXPECT_EQ(form.MonthEdit("CurrencyEdit1")->FormattedDisplayText(), "03");
    EXPECT_EQ(form.Date("DateEdit1"), Day(2019, 3, 20));
    EXPECT_EQ(form.Text("MaskEdit1"), "000001");
    EXPECT_EQ(form.Text("MaskEdit2"), "000002");
    EXPECT_EQ(form.Text("MaskEdit3"), "000001");
    EXPECT_EQ(form.Text("MaskEdit4"), "000002");
    EXPECT_EQ(form.Text("MaskEdit5"), "00000000001");
    EXPECT_EQ(form.Text("MaskEdit6"), "00000000009");
    EXPECT_EQ(form.NameText("MaskEdit1"), "Központ");
    EXPECT_EQ(form.NameText("MaskEdit6"), "");  // not in the employee table
    EXPECT_TRUE(form.BitBtn1->isEnabled());

    // Leaving the month reloads that month's last payment date.
    form.Edit("MaskEdit6")->setText("00000000003");
    Retype(form.MonthEdit("CurrencyEdit1"), "2");
    EXPECT_EQ(form.MonthEdit("CurrencyEdit1")->Text().toStdString(), "2");
    QTest::keyClick(form.MonthEdit("CurrencyEdit1"), Qt::Key_Tab);
    EXPECT_EQ(form.Date("DateEdit1"), Day(2019, 2, 28));
    EXPECT_TRUE(form.DateEdit("DateEdit1")->hasFocus());

    // A date that does not exist is cleared; one out of range is kept.
    dialogs.Answer(ui::Ok).Answer(ui::Ok);
    Retype(form.DateEdit("DateEdit1"), "2019.02.30");
    QTest::keyClick(form.DateEdit("DateEdit1"), Qt::Key_Tab);
    EXPECT_EQ(dialogs.Text(0), "Ilyen dátum nem létezik!");
    EXPECT_FALSE(form.DateEdit("DateEdit1")->HasDateContent());
    EXPECT_TRUE(form.DateEdit("DateEdit1")->hasFocus());
    EXPECT_FALSE(form.BitBtn1->isEnabled());
    Retype(form.DateEdit("DateEdit1"), "2021.01.01");
    QTest::keyClick(form.DateEdit("DateEdit1"), Qt::Key_Tab);
    EXPECT_EQ(dialogs.Text(1), "Ellenőrizze le helyesen írta-e be a dátumot!");
    EXPECT_EQ(form.Text("DateEdit1"), "2021.01.01");
    EXPECT_TRUE(form.DateEdit("DateEdit1")->hasFocus());
    form.DateEdit("DateEdit1")->SetDateValue(Day(2019, 3, 5));

    // A workplace that does not exist.
    dialogs.Answer(ui::Ok);
    Retype(form.Edit("MaskEdit1"), "999999");
    QTest::keyClick(form.Edit("MaskEdit1"), Qt::Key_Tab);
    EXPECT_EQ(dialogs.Text(2), "Ilyen munkahely nem létezik!");
    EXPECT_EQ(form.Text("MaskEdit1"), "");
    EXPECT_TRUE(form.Edit("MaskEdit1")->hasFocus());
    EXPECT_FALSE(form.BitBtn1->isEnabled());

    // F2: the chosen workplace's code and name; Esc keeps the edit.
    dialogs.AnswerModal([](QDialog& d) {
        auto& pick = static_cast<TKivalasztForm&>(d);
        QTest::keyClick(pick.DBGrid1, Qt::Key_Down);
        QTest::keyClick(pick.DBGrid1, Qt::Key_Return);
        return 0;
    });
    QTest::keyClick(form.Edit("MaskEdit1"), Qt::Key_F2);
    EXPECT_EQ(form.Text("MaskEdit1"), "000002");
    EXPECT_EQ(form.NameText("MaskEdit1"), "Telep");
    dialogs.AnswerModal([](QDialog& d) {
        QTest::keyClick(static_cast<TKivalasztForm&>(d).DBGrid1, Qt::Key_Escape);
        return 0;
    });
    QTest::keyClick(form.Edit("MaskEdit1"), Qt::Key_F2);
    EXPECT_EQ(form.Text("MaskEdit1"), "000002");
    EXPECT_TRUE(form.BitBtn1->isEnabled());

    // Enter on the last edit goes to "Lekérdezés".
    form.Edit("MaskEdit6")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.Edit("MaskEdit6"), Qt::Key_Return);
    EXPECT_TRUE(form.BitBtn1->hasFocus());

    // The monthly payslip hides the date, which is still required.
    QCheckBox* havi = form.Check("CheckBox3");
    havi->click();
    EXPECT_TRUE(form.DateEdit("DateEdit1")->isHidden());
    EXPECT_FALSE(form.CaptionLabel("DateEdit1")->isEnabled());
    form.DateEdit("DateEdit1")->SetDateValue(0);
    form.NyomtatasMehet();
    EXPECT_FALSE(form.BitBtn1->isEnabled());
    havi->click();
    EXPECT_FALSE(form.DateEdit("DateEdit1")->isHidden());
    EXPECT_TRUE(form.CaptionLabel("DateEdit1")->isEnabled());
}

TEST_F(ListBerlapTest, WorkTableOfOnePaymentDate) {
    TList_BerlapForm form;
    Start(form);
    form.DateEdit("DateEdit1")->SetDateValue(Day(2019, 3, 5));
    ASSERT_TRUE(form.BerlapFeltolt());
    EXPECT_FALSE(DM1->Table1->Active());
    EXPECT_EQ(DM1->Table1->TableName, "");
    EXPECT_EQ(form.ProgressBar1->value(), 0);
    std::string text;
    for (const std::string& line : WorkTableLines("List_Berlap" + GepNevUtotag(), true)) text += line + "\n";
    EXPECT_TRUE(testsupport::MatchesGolden("lists/payment/golden/List_Berlap", "egy_datum", text));
}

TEST_F(ListBerlapTest, PayableRoundedToFive) {
    struct Case {
        double kifizetendo;
        long long kulonbozet;
    };
    for (Case c : {Case{12347, -2}, {12348, 2}, {12345, 0}, {-7, 2}, {-3, 3}, {12347.4, -2}, {0, 0}}) {
        SCOPED_TRACE(c.kifizetendo);
        EXPECT_EQ(KifizetendoKerekites(c.kifizetendo), c.kulonbozet);
    }
}

TEST_F(ListBerlapTest, MonthlyPayslipSumsTheDatesAndLeaveOptionOff) {
    TList_BerlapForm form;
    Start(form);
    form.Check("CheckBox3")->click();  // "Havi bérlap"
    form.Check("CheckBox2")->click();  // no leave figures
    form.Edit("MaskEdit5")->setText("00000000002");
    form.Edit("MaskEdit6")->setText("00000000002");
    ASSERT_TRUE(form.BerlapFeltolt());
    const std::vector<std::string> lines = WorkTableLines("List_Berlap" + GepNevUtotag(), true);
    const std::vector<std::string> items = {
        "00000000002|Béla Nagy|3||B01|CIM||Alapbére: ||||||",
        "00000000002|Béla Nagy|3||B01|FEJ|Kód|Jogcím|Nap|Óra||Juttatás||Kifizetés",
        "00000000002|Béla Nagy|3||B01|IR_001|100|Alapbér|12|96||12350||12350",
        "00000000002|Béla Nagy|3||B01|LAB||||||||",
    };
    ASSERT_GE(lines.size(), items.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4), items);
    for (const std::string& l : lines) EXPECT_EQ(l.find("|B06|"), std::string::npos) << l;
    EXPECT_EQ(lines.back(), "00000000002|Béla Nagy|3||LAP|VEGE||||||||");
}

TEST_F(ListBerlapTest, SecondRunReplacesTheTableAndAnotherWorkstationHasItsOwn) {
    TList_BerlapForm form;
    Start(form);
    ASSERT_TRUE(form.BerlapFeltolt());
    const std::string own = "List_Berlap" + GepNevUtotag();
    const size_t first = WorkTableLines(own, false).size();
    form.Edit("MaskEdit6")->setText("00000000001");
    ASSERT_TRUE(form.BerlapFeltolt());
    EXPECT_LT(WorkTableLines(own, false).size(), first);

    // Another workstation's table beside it.
    ASSERT_TRUE(BerlapTabla(false, std::string("_MASIKGEP")).Create());
    EXPECT_TRUE(db::TableExists(AktualisAlias, "List_Berlap_MASIKGEP"));
    EXPECT_TRUE(db::TableExists(AktualisAlias, own));
    EXPECT_NE(own, "List_Berlap_MASIKGEP");
}

TEST_F(ListBerlapTest, FillErrorIsReportedAndNothingPreviewed) {
    TList_BerlapForm form;
    Start(form);
    DM1->TableSzamfejt->Close();
    DM1->TableSzamfejt->TableName = "Szamfejt_999";
    dialogs.Answer(ui::Ok);
    form.BitBtn1->click();  // no preview is scripted: none may open
    DM1->TableSzamfejt->TableName = "Szamfejt_001";
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Caption(0), "Üzenetkezelő");
    EXPECT_EQ(dialogs.Text(0).rfind("HIBA történt a tárgyhavi adatok felgyűjtésekor! \r", 0), 0u)
        << dialogs.Text(0);
    EXPECT_TRUE(form.BitBtn1->isEnabled());
    EXPECT_TRUE(form.BitBtn2->isEnabled());
    EXPECT_FALSE(DM1->Table1->Active());
    EXPECT_EQ(DM1->Table1->TableName, "");
    EXPECT_EQ(DM1->Query1->SQL(), "");
}

class BerlapPages : public ListBerlapTest {
protected:
    // Runs "Lekérdezés" and returns the printed lines of every page.
    std::vector<QStringList> Run(TList_BerlapForm& form) {
        return ListFixtureTest::Run(form, nullptr, [&form](TNyomtatasForm&) {
            EXPECT_FALSE(form.BitBtn1->isEnabled());
            EXPECT_FALSE(form.BitBtn2->isEnabled());
        });
    }
    static bool Has(const QStringList& lines, const QString& text) {
        return std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(text); });
    }
};

TEST_F(BerlapPages, OnePayslipPerEmployeeWithReceiptAndSplit) {
    os::FixedClock clock(Day(2019, 3, 6) + 0.25);
    TList_BerlapForm form;
    Start(form);
    form.DateEdit("DateEdit1")->SetDateValue(Day(2019, 3, 5));
    const std::vector<QStringList> pages = Run(form);
    ASSERT_EQ(pages.size(), 4u);  // employees 1, 2, 3 and the one missing from the employee table
    EXPECT_TRUE(testsupport::MatchesGolden("lists/payment/golden/List_BerlapQR", "egy_datum", pagesText,
                                           testsupport::Encoding::Utf8, "pages.txt"));

    const QStringList& kiss = pages[0];
    ASSERT_GE(kiss.size(), 8);
    EXPECT_EQ(kiss[2], "Őrség | Dátum : | 2019.03.06");  // the short name
    EXPECT_EQ(kiss[3], "Bérlap");
    // The workplace's payment place, not the employee's own.
    EXPECT_EQ(kiss[4], "Munkahely : | Központ | Kifizető hely : | Bankszámla");
    EXPECT_EQ(kiss[5], "00000000001 | dr. Zoltán Kiss | Hónap : | 3 | Kifiz. dát. : | 2019.03.05");
    EXPECT_TRUE(kiss.contains("Kifizetendő | 12345")) << kiss.join('\n').toStdString();
    EXPECT_TRUE(kiss.contains("A fenti összeget és a bérlapot átvettem."));
    EXPECT_TRUE(
        kiss.contains("Címlet : | 20e | 10e | 5000 | 2000 | 1000 | 500 | 200 | 100 | 50 | 20 | 10 | 5"));
    EXPECT_TRUE(kiss.contains("0 | 1 | 0 | 1 | 0 | 0 | 1 | 1 | 0 | 2 | 0 | 1"))
        << kiss.join('\n').toStdString();
    EXPECT_FALSE(Has(kiss, "Dátum :  "));

    // A negative payable: the receipt, no split.
    const QStringList& szabo = pages[2];
    EXPECT_TRUE(szabo.contains("Kifizetendő | -5"));
    EXPECT_TRUE(Has(szabo, "A fenti összeget és a bérlapot átvettem."));
    EXPECT_FALSE(Has(szabo, "Címlet :"));

    // Missing from the employee table: a payslip of his own, name and
    // workplace empty; a payable of 0 gets the copy sentence, no split.
    const QStringList& senki = pages[3];
    EXPECT_EQ(senki[4], "Munkahely : | Kifizető hely :");
    EXPECT_EQ(senki[5], "00000000009 | Hónap : | 3 | Kifiz. dát. : | 2019.03.05");
    EXPECT_TRUE(Has(senki, "A bérlap 1 példányát átvettem."));
    EXPECT_FALSE(Has(senki, "Címlet :"));
}

TEST_F(BerlapPages, MonthlyNamesOrderAndReceiptDate) {
    TList_BerlapForm form;
    Start(form);
    form.Check("CheckBox3")->click();              // monthly
    form.Check("CheckBox4")->click();              // by name
    form.Check("CheckBoxAtvetelDatuma")->click();  // the receipt's date line
    form.Check("CheckBoxListaDatum")->click();     // no current date
    form.Edit("MaskEdit6")->setText("00000000003");
    const std::vector<QStringList> pages = Run(form);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0][5], "00000000003 | Ábel Szabó | Hónap : | 3");
    EXPECT_EQ(pages[1][5], "00000000002 | Béla Nagy | Hónap : | 3");
    EXPECT_EQ(pages[2][5], "00000000001 | dr. Zoltán Kiss | Hónap : | 3");
    for (const QStringList& page : pages) {
        EXPECT_EQ(page[2], "Őrség");
        EXPECT_TRUE(page.contains("Kód | Jogcím | Levonás | Kifizetés"));  // no "Alap" column
        EXPECT_FALSE(Has(page, "Címlet :"));
        EXPECT_TRUE(page.contains("Dátum :"));  // the receipt's own line
    }
    // The summed month of employee 2: 12 350 paid in full.
    EXPECT_TRUE(pages[1].contains("Kifizetendő | 12350"));
}

TEST_F(BerlapPages, PdfThroughThePreview) {
    os::FixedClock clock(Day(2019, 3, 6) + os::EncodeTime(14, 30, 5));
    testsupport::CompanyWindow window;
    SetMainWindow(&window);
    TList_BerlapForm form;
    Start(form);
    form.DateEdit("DateEdit1")->SetDateValue(Day(2019, 3, 5));
    QString pdf;
    int pages = 0;
    testsupport::AnswerPreview(dialogs, [&](TNyomtatasForm& preview) {
        pages = preview.QuickRep->PagePrinter().PageCount();
        if (const char* shot = std::getenv("TAVRINA_BERLAP_SHOT")) {
            preview.BitBtn9->click();
            for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
            preview.grab().save(shot);
        }
        dialogs.Then([&](const ui::DialogRequest& request) {
            pdf = request.value;
            return ui::DialogAnswer{ui::Ok, request.value, 0};
        });
        preview.BitBtn10->click();
        preview.BitBtn2->click();
    });
    form.BitBtn1->click();
    SetMainWindow(nullptr);
    ASSERT_EQ(pages, 4);
    EXPECT_TRUE(pdf.endsWith("/PDF/2019/001/Berlap_2019-03-06_14-30-05")) << pdf.toStdString();
    const std::string file = (pdf + ".PDF").toStdString();
    std::string out;
    ASSERT_EQ(testsupport::RunCommand("qpdf --check '" + file + "'", &out), 0) << out;
    ASSERT_EQ(testsupport::RunCommand("pdftotext '" + file + "' -", &out), 0) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\f'), pages);
}

}  // namespace
