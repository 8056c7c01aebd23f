// A bookkeeper's month in the real program, from an empty home: the first
// start and the company, the master data typed into their forms, the group
// payroll of March 2019, the lists and files of the month, a backup and a
// restore. Every payroll figure below is worked out by hand from the 2019
// rates the program ships; every written file goes to its own judge.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ScenarioSupport.h"
#include "app/Fomenu.h"
#include "backup/MentesZip.h"
#include "controls/ComboEdits.h"
#include "controls/DBControls.h"
#include "controls/DBDateEdits.h"
#include "controls/NumEdits.h"
#include "core/DataModule1.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "core/helpers/KimenetiMappa.h"
#include "datasupply/BankiUt.h"
#include "datasupply/NyugPMod.h"
#include "lists/payment/List_Berlap.h"
#include "lists/payment/List_Cimletjegyz.h"
#include "lists/payment/List_Kifiz.h"
#include "masterdata/TorzskezCegek.h"
#include "masterdata/TorzskezDolgozo.h"
#include "masterdata/TorzskezKifhely.h"
#include "masterdata/TorzskezMhely.h"
#include "masterdata/TorzskezRJogcim.h"
#include "payroll/Szamfejt.h"
#include "payroll/UjJogcim.h"
#include "platform/db/Engine.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/ui/DatasetGrid.h"
#include "platform/ui/DatasetGridModel.h"
#include "support/DialogTest.h"
#include "support/ListFixture.h"
#include "support/TestSupport.h"
#include "tax/annual/Ado_M30mod.h"
#include "tax/annual/Ado_M30ossz.h"
#include "tax/monthly/MABOSZosszesites.h"
#include "tax/monthly/MABadatsz.h"
#include "tax/monthly/MABosszesites.h"

namespace {

using scenario::Activate;
using scenario::CheckXml;
using scenario::Keys;
using scenario::Type;
namespace fs = std::filesystem;
using Amounts = std::map<std::string, double>;

// An employee as the bookkeeper types it.
struct Employee {
    const char* id;
    const char* name;
    const char* taxId;
    const char* taj;
    const char* entry;
    const char* wageForm;  // 1 monthly, 2 hourly
    const char* wage;
    const char* children;  // "" for none
    const char* fund;      // "" for none
};

// The saved payroll rows of the month: employee -> code -> amount.
std::map<std::string, Amounts> SavedPayroll() {
    db::Query q;
    q.DatabaseName = AktualisAlias;
    q.SetSQL("SELECT SF_DGTORZSSZAM, SF_JCKOD, SF_OSSZEG FROM \"Szamfejt_001\" WHERE SF_HONAP = 3");
    q.Open();
    std::map<std::string, Amounts> out;
    for (q.First(); !q.Eof(); q.Next())
        out[q.FieldByName("SF_DGTORZSSZAM").AsString()][q.FieldByName("SF_JCKOD").AsString()] +=
            q.FieldByName("SF_OSSZEG").AsFloat();
    return out;
}

// A list's preview answered with a PDF export of its pages.
struct Exported {
    std::string pdf;
    int pages = 0;
    QStringList text;  // the printed lines of every page
};
void ExportPdf(testsupport::ScriptedDialogs& dialogs, Exported& out) {
    testsupport::AnswerPreview(dialogs, [&dialogs, &out](TNyomtatasForm& preview) {
        const report::PagePrinter& p = preview.QuickRep->PagePrinter();
        out.pages = p.PageCount();
        for (int i = 1; i <= out.pages; ++i) out.text << testsupport::PageLines(p, i).join("\n");
        dialogs.Then([&out](const ui::DialogRequest& r) {
            out.pdf = (r.value + ".PDF").toStdString();
            return ui::DialogAnswer{ui::Ok, r.value, 0};
        });
        preview.BitBtn10->click();
        preview.BitBtn2->click();
    });
}
// qpdf finds the file sound and counts the preview's pages in it.
void CheckPdf(const Exported& e) {
    std::string out;
    ASSERT_EQ(testsupport::RunCommand("qpdf --check '" + e.pdf + "'", &out), 0) << e.pdf << out;
    ASSERT_EQ(testsupport::RunCommand("qpdf --show-npages '" + e.pdf + "'", &out), 0) << out;
    EXPECT_EQ(std::stoi(out), e.pages) << e.pdf;
}
class BookkeepersMonth : public scenario::ScenarioTest {
protected:
    // The last days of March: the payroll form proposes March.
    BookkeepersMonth() { clock.emplace(os::EncodeDate(2019, 3, 29) + os::EncodeTime(16, 0, 0)); }
};

TEST_F(BookkeepersMonth, FromAnEmptyHomeToARestoredCompany) {
    // --- The first start: the user name, then the register for the first company.
    dialogs.AnswerText("Minta Bériroda");
    dialogs.AnswerModal([this](QDialog& d) {
        auto& reg = static_cast<TTorzskezCegekForm&>(d);
        EXPECT_EQ(d.objectName(), "TorzskezCegekForm");
        Activate(reg);
        reg.BitBtn5->click();  // Felvitel
        EXPECT_EQ(reg.CG_KOD->Text(), "001");
        Keys(reg.CG_NEV, "Őrség Tűzifa Kft.");
        Keys(reg.CG_RNEV, "Őrség");
        QTest::keyClicks(reg.CG_ADOSZAM, "12345676242");
        if (auto* bank = reg.findChild<QLineEdit*>("CG_BANKSZLA"))
            QTest::keyClicks(bank, "117730161111101800000000");
        dialogs.Answer(ui::Yes);  // "Valóban végrehajtja a rögzítést?"
        reg.BitBtn11->click();
        EXPECT_TRUE(reg.UjCegKesz);
        return 0;
    });
    main = std::make_unique<TFomenuForm>();
    main->show();
    ASSERT_EQ(main->FormShow(), StartState::CompanySelected);
    EXPECT_EQ(dialogs.Caption(0), "Felhasználó");
    EXPECT_EQ(main->Label2->text(), "001");
    EXPECT_EQ(main->Label4->text(), "Őrség Tűzifa Kft.");
    EXPECT_EQ(main->Label6->text(), "Őrség");
    EXPECT_EQ(db::Engine::AliasPath(AktualisAlias), home.Path() + "/Tavrina/2019");
    if (const char* shots = std::getenv("TAVRINA_SCENARIO_SHOTS"))
        QCoreApplication::processEvents(), main->grab().save(QString(shots) + "/main-window.png");

    // --- A payment place and a workplace, through their maintenance forms.
    PaymentPlaceAndWorkplace();

    // --- The private pension fund of the fund member (the register is shared
    // by every company; its grid is typed into through the dataset, as the
    // fund register's own test does).
    {
        TNyugPModForm form;
        Activate(form);
        form.findChild<QPushButton*>("BitBtn5")->click();
        db::Table& nyugp = *DM1->TableNyugP;
        ASSERT_EQ(nyugp.State(), db::DatasetState::Insert);
        nyugp.FieldByName("NP_KOD").SetAsString("0125");
        nyugp.FieldByName("NP_NEV").SetAsString("Első Magánnyugdíjpénztár");
        form.findChild<QPushButton*>("BitBtn11")->click();
        EXPECT_EQ(nyugp.State(), db::DatasetState::Browse);
        dialogs.Answer(ui::Yes);
        form.close();
    }

    // --- Seven employees through the employee form, with the defaults a new
    // record gets: the contributions of an employment are not ticked by hand.
    // clang-format off
    const Employee employees[] = {
        {"00000000001", "Havi Anna",         "8123456786", "123456788", "20150105", "1", "300000", "",  ""},
        {"00000000002", "Órabéres Olga",     "8123456794", "223456781", "20160301", "2", "1200",   "",  ""},
        {"00000000003", "Kétgyermekes Kálmán","8123456808","323456784", "20170901", "1", "350000", "2", ""},
        {"00000000004", "Pénztártag Péter",  "8123456816", "423456787", "20180115", "1", "250000", "",  "0125"},
        {"00000000005", "Belépő Bence",      "8123456824", "523456780", "20190310", "1", "210000", "",  ""},
        {"00000000006", "Alap Aladár",       "8123456832", "623456783", "20180601", "1", "300000", "",  ""},
        {"00000000007", "Beteg Béla",        "8123456840", "723456786", "20170201", "1", "300000", "",  ""},
    };
    // clang-format on
    Through<TTorzskezDolgozoForm>("MNU_Torzsk_DG", [&](TTorzskezDolgozoForm& f) {
        auto type = [&f](const char* control, const QString& text) {
            Type(f.PageControl1, f.findChild<QWidget*>(control), text, f.DG_NEV);
        };
        for (const Employee& e : employees) {
            f.BitBtn5->click();
            ASSERT_EQ(f.Mode(), 1) << e.id;
            type("DG_TORZSSZAM", e.id);
            type("DG_NEV", e.name);
            type("DG_BELEPDAT", e.entry);
            type("DG_ADOAZ", e.taxId);
            type("DG_TAJSZ", e.taj);
            type("DG_SZULDAT", "19800101");
            type("DG_MHKOD", "000001");
            type("DG_BERFORM", e.wageForm);
            type("DG_ALKMIN", "1");
            type("DG_ALKMINADATSZ", "20");  // employment, as the declaration codes it
            type("DG_ALAPBER", e.wage);
            if (*e.children) type("DG_GYERMSZAM", e.children);
            if (*e.fund) type("DG_MNYP", e.fund);
            // The contributions the employment carries, ticked by the form.
            for (const char* box :
                 {"DG_NYUGJAR", "DG_EGBIZJARTERM", "DG_EGBIZJARPENZ", "DG_MPJDOLG", "DG_SZHA"}) {
                auto* b = f.findChild<QCheckBox*>(box);
                ASSERT_NE(b, nullptr) << box;
                EXPECT_TRUE(b->isChecked()) << e.id << " " << box;
            }
            ASSERT_TRUE(f.BitBtn11->isEnabled()) << e.id;
            dialogs.Answer(ui::Yes);  // "Valóban hozzá szeretné adni a rekordot?"
            f.BitBtn11->click();
            ASSERT_EQ(f.Mode(), 0) << e.id;
        }
        EXPECT_EQ(DM1->TableDolgozo->RecordCount(), 7);
        ASSERT_TRUE(DM1->TableDolgozo->Locate("DG_TORZSSZAM", db::Variant("00000000003")));
        // Two children: 133 330 of tax base each.
        EXPECT_EQ(DM1->TableDolgozo->FieldByName("DG_CSALKEDV").AsFloat(), 266660);
    });

    // --- A standing item: Havi Anna's monthly premium of 20 000, paid by
    // transfer to her own account.
    Through<TTorzskezRJogcimForm>("MNU_Torzsk_RJ", [&](TTorzskezRJogcimForm& f) {
        f.BitBtn5->click();
        QTest::keyClicks(f.RJ_DGTORZSSZAM, "00000000001");
        QTest::keyClick(f.RJ_DGTORZSSZAM, Qt::Key_Return);
        QTest::keyClicks(f.RJ_JCKOD, "120");
        Type(f.PageControl1, f.RJ_OSSZEG, "20000", f.RJ_SORSZAM);
        Type(f.PageControl1, f.RJ_KEDVNEV, "Havi Anna", f.RJ_SORSZAM);
        Type(f.PageControl1, f.findChild<QWidget*>("RJ_KEDVSZAMLASZ"), "117730162222222200000000",
             f.RJ_SORSZAM);
        dialogs.Answer(ui::Yes);
        f.BitBtn11->click();
        EXPECT_EQ(DM1->TableRJogcim->RecordCount(), 1);
        EXPECT_EQ(DM1->TableRJogcim->FieldByName("RJ_OSSZEG").AsFloat(), 20000);
    });

    // --- The group payroll of March for the workplace, each employee saved
    // with "Rögzítés".
    // 2019 rates: pension 10 %, health 4 % in kind and 3 % in cash, labour
    // market 1.5 %, income tax 15 %; the employer's social contribution tax
    // 19.5 % and vocational contribution 1.5 %. March 2019 has 20 working
    // days and the 15th, a paid holiday on a Friday. The new company keeps
    // the register's "távolléti díj" setting: a monthly wage holds the
    // holiday ("100" alone), an hourly wage pays it as "102F". The payable
    // is rounded to 5 forints. The contributions as computed (700A to 707A)
    // are those deducted: no family allowance is left for them.
    // clang-format off
    const std::map<std::string, Amounts> expected = {
        // 300 000 + the premium 20 000 = 320 000; pension 32 000, labour
        // 4 800, health 12 800 + 9 600, tax 48 000; net 320 000 * 0.665 =
        // 212 800; employer 62 400 and 4 800.
        {"00000000001", {{"100", 300000}, {"120", 20000}, {"300", 32000}, {"700A", 32000}, {"304", 4800},
                         {"306", 12800}, {"706A", 12800}, {"307", 9600}, {"707A", 9600}, {"320", 48000},
                         {"748", 212800}, {"750", 212800}, {"330", 62400}, {"351", 4800}}},
        // 1 200 an hour: 20 days * 8 h = 160 h = 192 000 and the holiday's
        // 8 h = 9 600; 201 600 in all; pension 20 160, labour 3 024, health
        // 8 064 + 6 048, tax 30 240; net 134 064, payable 134 065 (+1);
        // employer 39 312 and 3 024.
        {"00000000002", {{"101", 192000}, {"102F", 9600}, {"300", 20160}, {"700A", 20160}, {"304", 3024},
                         {"306", 8064}, {"706A", 8064}, {"307", 6048}, {"707A", 6048}, {"320", 30240},
                         {"748", 134064}, {"749", 1}, {"750", 134065}, {"330", 39312}, {"351", 3024}}},
        // 350 000, two children: pension 35 000, labour 5 250, health
        // 14 000 + 10 500; tax base 350 000 - 2 * 133 330 = 83 340, tax
        // 12 501; net 272 749, payable 272 750 (+1); employer 68 250 and 5 250.
        {"00000000003", {{"100", 350000}, {"300", 35000}, {"700A", 35000}, {"304", 5250}, {"306", 14000},
                         {"706A", 14000}, {"307", 10500}, {"707A", 10500}, {"314A", 266660}, {"320", 12501},
                         {"748", 272749}, {"749", 1}, {"750", 272750}, {"330", 68250}, {"351", 5250}}},
        // 250 000, a fund member: the 10 % goes to the fund as "301";
        // labour 3 750, health 10 000 + 7 500, tax 37 500; net 166 250;
        // employer 48 750 and 3 750.
        {"00000000004", {{"100", 250000}, {"301", 25000}, {"701A", 25000}, {"304", 3750}, {"306", 10000},
                         {"706A", 10000}, {"307", 7500}, {"707A", 7500}, {"320", 37500}, {"748", 166250},
                         {"750", 166250}, {"330", 48750}, {"351", 3750}}},
        // 210 000 from Sunday the 10th, as the run computes it: the
        // company's monthly wage pays the 20 working days (the holiday is in
        // the wage, no "102" row), 210 000 / 20 = 10 500 a day; in the
        // employment 14 working days (11-14, 18-22, 25-29): 14 * 10 500 =
        // 147 000. Pension 14 700, labour 2 205, health 5 880 + 4 410, tax
        // 22 050; net 147 000 - 49 245 = 97 755, payable as it is (it ends
        // in 5); employer 28 665 and 2 205.
        {"00000000005", {{"100", 147000}, {"300", 14700}, {"700A", 14700}, {"304", 2205}, {"306", 5880},
                         {"706A", 5880}, {"307", 4410}, {"707A", 4410}, {"320", 22050}, {"748", 97755},
                         {"749", 0}, {"750", 97755}, {"330", 28665}, {"351", 2205}}},
        // 300 000 and nothing else: pension 30 000, labour 4 500, health
        // 12 000 + 9 000, tax 45 000; net 300 000 * 0.665 = 199 500;
        // employer 58 500 and 4 500.
        {"00000000006", {{"100", 300000}, {"300", 30000}, {"700A", 30000}, {"304", 4500}, {"306", 12000},
                         {"706A", 12000}, {"307", 9000}, {"707A", 9000}, {"320", 45000}, {"748", 199500},
                         {"749", 0}, {"750", 199500}, {"330", 58500}, {"351", 4500}}},
        // 300 000, sick from Monday the 11th to Sunday the 17th: the wage
        // of the 15 working days left, 15 * 300 000 / 20 = 225 000, and
        // 50 000 of sick pay. Tax 15 % and pension 10 % of both: 41 250 and
        // 27 500 (7 500 and 5 000 of them on the sick pay); labour 3 375 and
        // health 9 000 + 6 750 of the wage alone; net 275 000 - 87 875 =
        // 187 125; employer 43 875 and 3 375, of the wage alone.
        {"00000000007", {{"100", 225000}, {"200", 50000}, {"300", 27500}, {"700A", 27500}, {"304", 3375},
                         {"306", 9000}, {"706A", 9000}, {"307", 6750}, {"707A", 6750}, {"320", 41250},
                         {"748", 187125}, {"749", 0}, {"750", 187125}, {"330", 43875}, {"351", 3375}}},
    };
    // clang-format on
    // What the totals panel shows for each: earnings (the sick pay is a benefit) and payable.
    const std::map<std::string, std::pair<long long, long long>> panel = {
        {"00000000001", {320000, 212800}}, {"00000000002", {201600, 134065}},
        {"00000000003", {350000, 272750}}, {"00000000004", {250000, 166250}},
        {"00000000005", {147000, 97755}},  {"00000000006", {300000, 199500}},
        {"00000000007", {225000, 187125}}};
    // The sick week of 00000000007: his working-days row cut to the days he
    // worked, and the sick pay through the row dialog.
    auto sickWeek = [&](TSzamfejtForm& f) {
        ASSERT_TRUE(DM1->MemoryData1->Locate("SF_JCKOD", db::Variant("100")));
        RowDialog(f.BitBtn6, [&](TUjJogcimForm& d) {  // Módosítás
            TypeInto(d.DBEdit3, "15", d.DBEdit4);
            EXPECT_EQ(DM1->MemoryData1->FieldByName("SF_OSSZEG").AsFloat(), 225000);
        });
        EXPECT_EQ(f.Label6->text().toStdString(), "Beteg Béla");
        RowDialog(f.BitBtn5, [&](TUjJogcimForm& d) {  // Felvitel
            d.Edit1->setFocus();
            QTest::keyClicks(d.Edit1, "200");
            QTest::keyClick(d.Edit1, Qt::Key_Return);
            EXPECT_EQ(d.Label1->text().toStdString(), "Táppénz");
            TypeInto(d.DBEdit3, "7", d.DBEdit4);
            TypeInto(d.DBEdit2, "50000", d.DBEdit11);
            Type(nullptr, d.DBDateEdit1, "20190311", d.DBEdit8);
            Type(nullptr, d.DBDateEdit2, "20190317", d.DBEdit8);
        });
        EXPECT_EQ(f.Label6->text().toStdString(), "Beteg Béla");
    };
    Through<TSzamfejtForm>("MNU_Szamf_Csop", [&](TSzamfejtForm& f) {
        EXPECT_EQ(f.CurrencyEdit1->Value(), 3);
        EXPECT_EQ(f.DateEdit1->Text().toStdString(), "2019.03.31");
        f.MaskEdit3->setFocus();
        QTest::keyClicks(f.MaskEdit3, "000001");
        QTest::keyClick(f.MaskEdit3, Qt::Key_Return);
        for (const Employee& e : employees) {
            ASSERT_TRUE(f.SzamfejtesFolyamatban) << e.id;
            EXPECT_EQ(f.MaskEdit4->text().trimmed().toStdString(), e.id);
            EXPECT_EQ(f.Label6->text().toStdString(), e.name);
            const std::string id = e.id;
            if (id == "00000000007") sickWeek(f);
            EXPECT_EQ(f.Osszesen[0]->text().toLongLong(), panel.at(e.id).first) << e.id;
            EXPECT_EQ(f.Osszesen[8]->text().toLongLong(), panel.at(e.id).second) << e.id;
            if (id == "00000000005")
                if (const char* shots = std::getenv("TAVRINA_SCENARIO_SHOTS"))
                    QCoreApplication::processEvents(), f.grab().save(QString(shots) + "/payroll-form.png");
            // The next one's warnings come as the run moves on to it.
            if (id == "00000000002") dialogs.Answer(ui::Ok);  // the dependants of 00000000003
            if (id == "00000000007") dialogs.Answer(ui::Ok);  // "Nincs több dolgozó!"
            f.BitBtn11->click();                              // Rögzítés
            if (id == "00000000002") {
                EXPECT_EQ(dialogs.Shown().back().text.toStdString(),
                          "A bevallás elkészítéséig a kedvezményezett eltartottakat rögzítse!");
            }
        }
        EXPECT_EQ(dialogs.Shown().back().text, "Nincs több dolgozó!");
        EXPECT_FALSE(f.SzamfejtesFolyamatban);
    });
    const auto saved = SavedPayroll();
    for (const auto& [id, rows] : expected)
        for (const auto& [code, amount] : rows) {
            auto e = saved.find(id);
            ASSERT_NE(e, saved.end()) << id;
            auto r = e->second.find(code);
            EXPECT_TRUE(r != e->second.end() && r->second == amount)
                << id << " " << code << ": " << (r == e->second.end() ? -1 : r->second) << " instead of "
                << amount;
        }

    // --- The lists of the payment date, exported to PDF from their previews.
    const char* shots = std::getenv("TAVRINA_SCENARIO_SHOTS");
    Exported payslips, payments, notes;
    Through<TList_BerlapForm>("MNU_LIST_Kifiz_Berlap", [&](TList_BerlapForm& f) {
        EXPECT_EQ(f.Date("DateEdit1"), os::EncodeDate(2019, 3, 31));
        ExportPdf(dialogs, payslips);
        f.BitBtn1->click();
    });
    CheckPdf(payslips);
    if (shots)
        testsupport::RunCommand("pdftoppm -f 1 -l 1 -r 80 -png '" + payslips.pdf + "' '" + shots +
                                "/payslip'");
    Through<TList_KifizForm>("MNU_LIST_Kifiz_Kifiz", [&](TList_KifizForm& f) {
        ExportPdf(dialogs, payments);
        f.BitBtn1->click();
    });
    CheckPdf(payments);
    Through<TList_CimletjegyzForm>("MNU_LIST_Kifiz_Cimletjegyz", [&](TList_CimletjegyzForm& f) {
        ExportPdf(dialogs, notes);
        f.BitBtn1->click();
    });
    CheckPdf(notes);
    // One payslip a page, each with its payable; the place's list and its
    // total 212 800 + 134 065 + 272 750 + 166 250 + 97 755 + 199 500 +
    // 187 125 = 1 270 245.
    ASSERT_EQ(payslips.pages, 7);
    for (int i = 0; i < 7; ++i) {
        const Employee& e = employees[i];
        EXPECT_TRUE(payslips.text[i].contains(QString(e.id) + " | " + e.name)) << e.id;
        EXPECT_TRUE(payslips.text[i].contains("Kifizetendő | " + QString::number(panel.at(e.id).second)))
            << e.id;
    }
    EXPECT_TRUE(payslips.text[2].contains("320 | Személyi jövedelemadó-előleg | 350000 | 12501 | -12501"));
    EXPECT_TRUE(payslips.text[6].contains("200 | Táppénz |")) << payslips.text[6].toStdString();
    ASSERT_EQ(payments.pages, 1);
    EXPECT_TRUE(payments.text[0].contains("00000000002 | Órabéres Olga | 2019.03.31 | 134065"));
    EXPECT_TRUE(payments.text[0].contains("Kifizetőhely összesen : | 1270245"));
    // The notes by envelope, from 20 000 down to 5: 212 800 = 10*20 000 +
    // 10 000 + 2 000 + 500 + 200 + 100; 134 065 = 6*20 000 + 10 000 +
    // 2*2 000 + 50 + 10 + 5; 272 750 = 13*20 000 + 10 000 + 2 000 + 500 +
    // 200 + 50; 166 250 = 8*20 000 + 5 000 + 1 000 + 200 + 50; 97 755 =
    // 4*20 000 + 10 000 + 5 000 + 2 000 + 500 + 200 + 50 + 5; 199 500 =
    // 9*20 000 + 10 000 + 5 000 + 2*2 000 + 500; 187 125 = 9*20 000 +
    // 5 000 + 2 000 + 100 + 20 + 5.
    ASSERT_EQ(notes.pages, 1);
    EXPECT_TRUE(notes.text[0].contains("Kifizetőhely : | 000001 | 1270245"));
    EXPECT_TRUE(notes.text[0].contains("59 | 5 | 4 | 8 | 1 | 4 | 4 | 2 | 4 | 1 | 1 | 3"))
        << notes.text[0].toStdString();

    // --- The monthly declaration: the 1908M totals, the 1908A summary, the
    // file, from the pay items' cells as the catalogue ships them.
    Through<TMABosszesitesForm>("MNU_MAdo_MABosszesites", [&](TMABosszesitesForm& f) {
        EXPECT_EQ(f.MaskEdit1->text(), "3");
        dialogs.Answer(ui::Ok);
        f.BitBtn2->click();
        EXPECT_EQ(dialogs.Shown().back().text.toStdString(), "Az összesítés befejeződött!");
        EXPECT_EQ(f.ListBox1->count(), 0);  // no employee with a missing field
    });
    Through<TMABOSZosszesitesForm>("MNU_MAdo_MABOSZosszesites", [&](TMABOSZosszesitesForm& f) {
        EXPECT_EQ(f.MaskEdit1->text(), "3");
        dialogs.Answer(ui::Ok);
        f.BitBtn1->click();
        EXPECT_EQ(dialogs.Shown().back().text.toStdString(), "Az összesítés befejeződött!");
    });
    std::string declaration;
    Through<TMABadatszForm>("MNU_MAdo_MABadatsz", [&](TMABadatszForm& f) {
        declaration = f.Edit4->text().toStdString();
        dialogs.Answer(ui::Ok);
        f.BitBtn1->click();
        EXPECT_EQ(dialogs.Shown().back().text.toStdString(), "Az adatszolgáltatás fájl elkészült.");
    });
    // Each employee's 1908M cells tied to his payroll rows: a cell holds the
    // amounts of its items, and is empty when he has none of them.
    // 00000000006 is the plain month: 300 000 in 300D, 45 000 in 330B and
    // 331B, 30 000 in 579C, 12 000 in 567C, 9 000 in 571C, 4 500 in 573C and
    // 58 500 in 386C.
    EXPECT_EQ(testsupport::TableRecords("MAB00_001").size(), 7u);
    const std::vector<std::string> wageItems = {"100", "101", "102F", "120"};
    struct Tie {
        const char* sheet;
        const char* cell;
        std::vector<std::string> items;
    };
    // clang-format off
    const Tie ties[] = {
        {"MAB04", "S300D", wageItems},
        // The sick pay is other wage income: its tax is in 331B with the wages'.
        {"MAB04", "S303D", {"200"}},
        {"MAB04", "S312D", {"100", "101", "102F", "120", "200"}},
        {"MAB04", "S331B", {"320"}},          // the tax advance withheld
        {"MAB04", "S330B", {"320"}},          // and as the sheet computes it
        {"MAB04", "S314D", {"314A"}},
        {"MAB09", "S577C", {"700A", "701A"}}, {"MAB09", "S579C", {"300", "301"}},
        {"MAB09", "S565C", {"706A"}},         {"MAB09", "S567C", {"306"}},
        {"MAB09", "S569C", {"707A"}},         {"MAB09", "S571C", {"307"}},
        {"MAB09", "S573C", {"304"}},          {"MAB06", "S386C", {"330"}},
        // The bases: the pension's holds the sick pay, the others the wages alone.
        {"MAB09", "S574C", {"100", "101", "102F", "120", "200"}},
        {"MAB09", "S564C", wageItems}, {"MAB09", "S568C", wageItems}, {"MAB09", "S572C", wageItems},
        {"MAB06", "S385C", wageItems},
    };
    // clang-format on
    auto sum = [&expected](const std::string& id, const std::vector<std::string>& items) {
        std::optional<long long> total;
        for (const std::string& code : items)
            if (auto r = expected.at(id).find(code); r != expected.at(id).end())
                total = total.value_or(0) + static_cast<long long>(r->second);
        return total;
    };
    std::map<std::string, std::map<std::string, std::map<std::string, std::string>>> sheets;
    for (const char* sheet : {"MAB04", "MAB06", "MAB08", "MAB09"})
        sheets[sheet] = testsupport::TableRecords(std::string(sheet) + "_001");
    for (const Employee& e : employees) {
        for (const Tie& t : ties) {
            ASSERT_EQ(sheets[t.sheet].count(e.id), 1u) << e.id << " " << t.sheet;
            const std::optional<long long> amount = sum(e.id, t.items);
            EXPECT_EQ(sheets[t.sheet].at(e.id).at(t.cell), amount ? std::to_string(*amount) : "")
                << e.id << " " << t.cell;
        }
        EXPECT_EQ(sheets["MAB04"].at(e.id).at("S332B"), "0") << e.id;  // nothing left unwithheld
    }
    // The sick week is a period without contribution.
    const auto& sick = sheets["MAB08"].at("00000000007");
    EXPECT_EQ(sick.at("S526A"), "10");
    EXPECT_EQ(sick.at("S526B"), "2019.03.11");
    EXPECT_EQ(sick.at("S526C"), "2019.03.17");
    // The 1908A: the month's sums of the same rows.
    auto total = [&](const std::vector<std::string>& items) {
        long long t = 0;
        for (const Employee& e : employees) t += sum(e.id, items).value_or(0);
        return std::to_string(t);
    };
    const auto a02 = testsupport::TableRecords("MABOSZ02_001").at("3");
    const auto a02b = testsupport::TableRecords("MABOSZ02b_001").at("3");
    const auto a02c = testsupport::TableRecords("MABOSZ02c_001").at("3");
    EXPECT_EQ(a02.at("S70C"), total({"320"}));
    EXPECT_EQ(a02.at("S86C"), total({"330"}));
    EXPECT_EQ(a02b.at("S120C"), total({"300", "301"}));
    EXPECT_EQ(a02c.at("S150C"), total({"306"}));
    EXPECT_EQ(a02c.at("S151C"), total({"307"}));
    EXPECT_EQ(a02c.at("S152C"), total({"304"}));
    EXPECT_EQ(fs::path(declaration).filename(), "001_03_E.xml");
    CheckXml(declaration);
    EXPECT_NE(testsupport::ReadBytes(declaration).find(">350000<"), std::string::npos);

    // --- The bank transfer file of the premium.
    std::string bank;
    Through<TBankiUtForm>("MNU_Szerviz_BankiUt", [&](TBankiUtForm& f) {
        f.Edit("MaskEdit7")->setText("120");
        f.DateEdit("DateEdit3")->SetDateValue(os::EncodeDate(2019, 3, 31));
        f.NyomtatasMehet();
        dialogs.Then([&bank](const ui::DialogRequest& r) {
            bank = r.value.toStdString();
            return ui::DialogAnswer{ui::Ok, r.value, 0};
        });
        dialogs.Answer(ui::Ok);
        f.BitBtn1->click();
        EXPECT_EQ(dialogs.Shown().back().text.toStdString(), "A küldés befejeződött!");
    });
    // Header, the premium's record, trailer: 178 characters each, CR LF ended.
    {
        const std::string file = testsupport::ReadBytes(bank);
        std::vector<std::string> records;
        for (size_t at = 0; at < file.size();) {
            const size_t end = file.find("\r\n", at);
            ASSERT_NE(end, std::string::npos) << "a record without CR LF";
            records.push_back(file.substr(at, end - at));
            at = end + 2;
        }
        ASSERT_EQ(records.size(), 3u);
        for (const std::string& r : records) EXPECT_EQ(r.size(), 178u);
        EXPECT_NE(records[1].find("117730162222222200000000Havi Anna"), std::string::npos);
        EXPECT_EQ(records[2].substr(73, 7), "0000001");
        EXPECT_EQ(records[2].substr(80, 14), "00000000020000");
    }

    // --- The income certificate totals and one employee's return file.
    Through<TAdo_M30osszForm>("MNU_Ado_M30ossz", [&](TAdo_M30osszForm& f) {
        dialogs.Answer(ui::Ok);
        f.findChild<QPushButton*>("BitBtn1")->click();
        EXPECT_EQ(dialogs.Shown().back().text.toStdString(), "Az összesítés befejeződött!");
    });
    std::string ret;
    Through<TAdo_M30modForm>("MNU_Ado_M30mod", [&](TAdo_M30modForm& f) {
        ASSERT_TRUE(DM1->TableM30->Locate("M30_DGTORZSSZAM", db::Variant("00000000001")));
        dialogs.Then([&ret](const ui::DialogRequest& r) {
            ret = r.value.toStdString() + ".xml";
            return ui::DialogAnswer{ui::Ok, r.value, 0};
        });
        f.findChild<QPushButton*>("BitBtn1")->click();
        dialogs.Answer(ui::Yes);
        f.close();
    });
    // The income certificate tied to the payroll rows too: row 1 D the
    // wages, 4 D the sick pay (other wage income, its tax in 65 B with the
    // wages'), 65 B the tax, 610 B the family allowance, the March row 903
    // the contributions as computed (B) and as deducted (D).
    const auto m30 = testsupport::TableRecords("M30_001");
    const std::pair<const char*, std::vector<std::string>> certificate[] = {
        {"M30_S1D", wageItems},
        {"M30_S4D", {"200"}},
        {"M30_S65B", {"320"}},
        {"M30_S610B", {"314A"}},
        {"M30_S903B", {"700A", "701A", "706A", "707A"}},
        {"M30_S903D", {"300", "301", "306", "307"}},
    };
    for (const Employee& e : employees)
        for (const auto& [cell, items] : certificate) {
            const std::optional<long long> amount = sum(e.id, items);
            const std::string stored = m30.at(e.id).at(cell);  // an empty cell counts as 0
            EXPECT_EQ(stored.empty() ? "0" : stored, std::to_string(amount.value_or(0)))
                << e.id << " " << cell;
        }
    EXPECT_EQ(fs::path(ret).filename(), "19SZJA_001_8123456786.xml");
    CheckXml(ret);

    // --- A backup through "Mentés", a change, and the company restored.
    std::string archive;
    Through<TMentesZipForm>("MNU_Szerviz_Ment", [&](TMentesZipForm& f) {
        // The proposed name accepted as it stands; the form adds ".zip".
        dialogs.Then([&archive](const ui::DialogRequest& r) {
            archive = r.value.toStdString() + ".zip";
            return ui::DialogAnswer{ui::Ok, r.value, 0};
        });
        dialogs.Answer(ui::Ok);
        f.BitBtn1->click();
        EXPECT_NE(dialogs.Shown().back().text.indexOf(" Fájl sikeresen becsomagolva!"), -1);
    });
    {
        std::string out;
        EXPECT_EQ(testsupport::RunCommand("unzip -tq '" + archive + "'", &out), 0) << archive << out;
    }
    // The change: Havi Anna's wage raised (written into the table).
    testsupport::AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_ALAPBER"}, {{"00000000001", 999999.0}});
    Through<TMentesZipForm>("MNU_Szerviz_Ment", [&](TMentesZipForm& f) {
        f.PageControl1->setCurrentIndex(1);
        f.MaskEdit1->setText("001");
        f.Frissit();
        dialogs.Answer(ui::Yes);  // "Biztos benne, hogy a(z) 001 céget szeretné visszatölteni?"
        dialogs.Then([&archive](const ui::DialogRequest&) {
            return ui::DialogAnswer{ui::Ok, QString::fromStdString(archive), 0};
        });
        dialogs.Answer(ui::Ok);
        f.BitBtn6->click();
        EXPECT_NE(dialogs.Shown().back().text.indexOf(" Fájl sikeresen kicsomagolva!"), -1)
            << dialogs.Shown().back().text.toStdString();
    });
    EXPECT_EQ(testsupport::TableRecords("Dolgozo_001").at("00000000001").at("DG_ALAPBER"), "300000");
    EXPECT_EQ(SavedPayroll(), saved);
    for (const auto& e : fs::directory_iterator(EvKonyvtar())) {
        if (e.path().extension() != ".DB") continue;
        std::string out;
        EXPECT_EQ(
            testsupport::RunCommand("sqlite3 '" + e.path().string() + "' 'PRAGMA integrity_check'", &out), 0);
        EXPECT_EQ(out, "ok\n") << e.path();
    }
    main->close();
}

}  // namespace
