// The per-employee declaration editor driven as a user drives it: what it
// opens on, a header added from the employee and the company, a sheet page's
// employment fields, the date checks, and a header deleted with its pages at
// once or not at all.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "controls/DBControls.h"
#include "platform/ui/Dialogs.h"
#include "tax/monthly/MAB.h"
#include "tax/monthly/MABFixture.h"

namespace mabtest {
namespace {

using V = db::Variant;

class MABEditTest : public MABTest {
protected:
    void SetUp() override {
        MABTest::SetUp();
        Employees({{"00000000001", "Kiss Anna", "8000000001"},
                   {"00000000002", "Nagy Béla", "12345678242"},
                   {"00000000003", "Tóth Ede", "8000000003"}});
    }

    // Headers: employee, month, nature; the period is the month's.
    static void Headers(const RowTable& rows) {
        RowTable full;
        for (const auto& r : rows) {
            const MABHonap ho = MABHonapja(int(r[1].ToInt()));
            full.push_back({r[0], "8000000001", r[1], r[2], V(ho.elsoNap), V(ho.utolsoNap)});
        }
        testsupport::AddRows("MAB00_001", {"TORZSSZAM", "ADOSZAM", "HONAP", "JELLEG", "TOL", "IG"}, full);
    }
    // Pages of March, nature E, of the employee in the sheet: one per value of the cell.
    static void Pages(const std::string& table, const std::string& torzsszam, const std::string& cell,
                      const std::vector<V>& values) {
        const MABHonap ho = MABHonapja(3);
        RowTable rows;
        for (const V& v : values)
            rows.push_back({torzsszam, "8000000001", 3, "E", V(ho.elsoNap), V(ho.utolsoNap), v});
        testsupport::AddRows(table + "_001", {"TORZSSZAM", "ADOSZAM", "HONAP", "JELLEG", "TOL", "IG", cell},
                             rows);
    }

    std::unique_ptr<TMABForm> OpenForm() {
        auto form = std::make_unique<TMABForm>();
        Show(*form);
        return form;
    }
    static void Leave(QWidget* w) {
        w->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w, Qt::Key_Tab);
    }
    static std::string Field(const char* name) { return DM1->TableMAB00->FieldByName(name).AsString(); }
    static int Count(const std::string& table) {
        db::Query q;
        q.DatabaseName = AktualisAlias;
        q.SetSQL("SELECT COUNT(*) AS N FROM " + table + "_001");
        q.Open();
        return int(q.FieldByName("N").AsInteger());
    }
};

TEST_F(MABEditTest, OpensOnTheHighestMonthWithTheHeadersCountsAndPages) {
    Headers(
        {{"00000000001", 2, "E"}, {"00000000001", 3, "E"}, {"00000000002", 3, "E"}, {"00000000003", 3, "H"}});
    Pages("MAB08", "00000000001", "S526A", {V("10"), V("11"), V("12")});
    Pages("MAB04", "00000000001", "S300D", {V(1000)});
    ASSERT_EQ(testsupport::RunCommand("sqlite3 '" + EvKonyvtar() +
                                      "/MAB00_001.DB' \"UPDATE MAB00_001 SET DOLGNEV = 'Kiss', DOLGUTONEV = "
                                      "'Anna' WHERE TORZSSZAM = '00000000001'\""),
              0);
    auto form = OpenForm();
    EXPECT_EQ(form->windowTitle(), "Havi adó/Havi adóbevallás");
    EXPECT_EQ(form->findChild<QLabel*>("DBTextNev")->text() + " " +
                  form->findChild<QLabel*>("DBTextUtonev")->text(),
              "Kiss Anna");
    EXPECT_EQ(form->PageControl1->count(), 12);
    EXPECT_EQ(form->ComboBoxHo->currentText(), "3");
    EXPECT_EQ(form->ComboBoxJelleg->currentText(), "E");
    EXPECT_EQ(Field("TORZSSZAM"), "00000000001");
    EXPECT_EQ(form->findChild<QLabel*>("Darab08")->text(), "3");
    EXPECT_EQ(form->findChild<QLabel*>("Darab04")->text(), "1");
    EXPECT_EQ(form->findChild<QLabel*>("Darab13")->text(), "0");
    EXPECT_EQ(form->LabelLap->text(), "Lap : 2");
    EXPECT_TRUE(form->BitBtn5->isEnabled());
    EXPECT_FALSE(form->BitBtn9->isEnabled());
    EXPECT_EQ(form->GroupBox2->title(), "1908M (fej) parancsok");

    form->PageControl1->setCurrentIndex(Lap(*form, "1908-08"));
    EXPECT_EQ(form->LabelLap->text(), "Lap : 3");
    if (const char* shot = std::getenv("TAVRINA_MAB_SHOT")) Shot(*form, shot);
    EXPECT_EQ(form->GroupBox2->title(), "1908-08 parancsok");
    EXPECT_EQ(qobject_cast<TDBEdit*>(form->Bemenet(Lap(*form, "1908-08"), "S526A"))->text(), "10");
    form->BitBtn2->click();
    EXPECT_EQ(qobject_cast<TDBEdit*>(form->Bemenet(Lap(*form, "1908-08"), "S526A"))->text(), "11");

    // The next header has no pages.
    form->PageControl1->setCurrentIndex(0);
    form->BitBtn2->click();
    EXPECT_EQ(Field("TORZSSZAM"), "00000000002");
    EXPECT_EQ(form->findChild<QLabel*>("Darab08")->text(), "0");

    // A month without headers: no page can be added, and nothing deleted.
    form->ComboBoxHo->setCurrentIndex(0);
    form->PageControl1->setCurrentIndex(Lap(*form, "1908-04"));
    EXPECT_FALSE(form->BitBtn5->isEnabled());
    EXPECT_FALSE(form->BitBtn6->isEnabled());
    QTest::keyClick(form->BitBtn10, Qt::Key_Insert);
    EXPECT_EQ(form->Mode(), 0);
    dialogs.Answer(ui::Ok);
    QTest::keyClick(form->BitBtn10, Qt::Key_Delete);
    EXPECT_EQ(dialogs.Text(0), "Üres az adatbázis!");
}

TEST_F(MABEditTest, ANewHeaderTakesTheEmployeeAndTheCompany) {
    testsupport::AddRows("Cegek", {"CG_KOD", "CG_NEV", "CG_ADOSZAM", "CG_EVADOAZ"},
                         {{"001", "Kovácsné Tóth Éva", "12345678242", "8111111111"}});
    testsupport::AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_LEANYKNEV", "DG_ALLAMP", "DG_ALKMINADATSZ"},
                         {{"00000000001", "Kovács", "hu", "20"}, {"00000000003", "Tóth Edit", "hu", V()}});
    DM1->TableCegek->Close();
    auto form = OpenForm();
    EXPECT_EQ(form->ComboBoxHo->currentText(), "1");

    // An employee without his employment code: named, and the fields emptied.
    form->BitBtn5->click();
    EXPECT_EQ(form->Mode(), 1);
    EXPECT_TRUE(form->DBEditTorzsszam->hasFocus());
    dialogs.Answer(ui::Ok);
    Type(form->DBEditTorzsszam, "00000000003");
    QTest::keyClick(form->DBEditTorzsszam, Qt::Key_Tab);
    EXPECT_EQ(dialogs.Text(0),
              "A dolgozó \"Alk. min. adatsz.\" mezője nincs kitöltve, ezért a dolgozó adóbevallása nem "
              "készíthető el!");
    EXPECT_EQ(Field("TORZSSZAM"), "");
    EXPECT_EQ(Field("DOLGNEV"), "");
    EXPECT_TRUE(form->DBEditTorzsszam->hasFocus());
    EXPECT_FALSE(form->BitBtn11->isEnabled());

    // Tax number or tax id, by its length.
    struct Case {
        const char* torzsszam;
        const char* field;
        const char* value;
    };
    const Case cases[] = {
        {"00000000002", "DOLGADOSZAM", "12345678242"},
        {"00000000002", "DOLGADOAZ", ""},
        {"00000000002", "ADOSZAM", "12345678242"},
        {"00000000002", "DOLGNEV", "Nagy"},
        {"00000000002", "DOLGUTONEV", "Béla"},
        {"00000000001", "DOLGADOAZ", "8000000001"},
        {"00000000001", "DOLGADOSZAM", ""},
        {"00000000001", "ADOSZAM", "8000000001"},
        {"00000000001", "DOLGSZULNEV", "Kovács"},
        {"00000000001", "DOLGSZULUTONEV", ""},
        {"00000000001", "DOLGALLAMP", "HU"},
        {"00000000001", "CEGNEV", ""},
        {"00000000001", "CEGCSALADINEV", "Kovácsné"},
        {"00000000001", "CEGUTONEV", "Tóth Éva"},
        {"00000000001", "CEGADOAZ", "8111111111"},
        {"00000000001", "HONAP", "1"},
        {"00000000001", "JELLEG", "E"},
    };
    for (const Case& c : cases) {
        Type(form->DBEditTorzsszam, c.torzsszam);
        QTest::keyClick(form->DBEditTorzsszam, Qt::Key_Tab);
        EXPECT_EQ(Field(c.field), c.value) << c.torzsszam << " " << c.field;
    }

    // The nature decides the correction mark when it is left.
    auto* jelleg = form->DBComboBox1;
    for (const auto& [nature, mark] : {std::pair{"H3", "H"}, std::pair{"O1", ""}}) {
        jelleg->setFocus(Qt::TabFocusReason);
        jelleg->setCurrentIndex(jelleg->findText(nature));
        QTest::keyClick(jelleg, Qt::Key_Tab);
        EXPECT_EQ(Field("HELYESBITES"), mark) << nature;
    }

    Type(form->TolEdit, "20190101");
    Leave(form->TolEdit);
    EXPECT_FALSE(form->BitBtn11->isEnabled());
    Type(form->IgEdit, "20190131");
    Leave(form->IgEdit);
    ASSERT_TRUE(form->BitBtn11->isEnabled());
    dialogs.Answer(ui::Yes);
    form->BitBtn11->click();
    EXPECT_EQ(dialogs.Text(1), "Valóban hozzá szeretné adni a rekordot?");
    EXPECT_EQ(form->Mode(), 0);
    EXPECT_EQ(Count("MAB00"), 1);
}

TEST_F(MABEditTest, ANewPageTakesTheHeaderAndTheEmployment) {
    Headers({{"00000000001", 3, "E"}, {"00000000002", 3, "E"}});
    testsupport::AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_JSORSZADATSZ", "DG_BELEPDAT", "DG_NYUGALKMIN2"},
                         {{"00000000001", 7, "2019.03.05", V()}, {"00000000002", 12, V(), "N1"}});
    // An entry date left empty by an older version of the program.
    ASSERT_EQ(testsupport::RunCommand("sqlite3 '" + EvKonyvtar() +
                                      "/Dolgozo_001.DB' \"UPDATE Dolgozo_001 SET DG_BELEPDAT = '', "
                                      "DG_ALKMINADATSZ = NULL WHERE DG_TORZSSZAM = '00000000002'\""),
              0);
    auto form = OpenForm();
    const int lap = Lap(*form, "1908-08");
    form->PageControl1->setCurrentIndex(lap);
    struct Case {
        const char* alkmin1;
        const char* alkmin2;
        const char* alkmin3;
        const char* alkmin4;
    };
    const Case cases[] = {{"0", "20", "190305", "007"}, {"N1", "20", "000000", "012"}};
    for (const Case& c : cases) {
        form->BitBtn5->click();
        ASSERT_EQ(form->Mode(), 1);
        EXPECT_TRUE(form->Bemenet(lap, "ALKMIN1")->hasFocus());
        EXPECT_FALSE(form->PageControl1->isTabVisible(0));
        db::Table& t = *DM1->TableMAB08;
        EXPECT_EQ(t.FieldByName("ALKMIN1").AsString(), c.alkmin1);
        EXPECT_EQ(t.FieldByName("ALKMIN2").AsString(), c.alkmin2);
        EXPECT_EQ(t.FieldByName("ALKMIN3").AsString(), c.alkmin3);
        EXPECT_EQ(t.FieldByName("ALKMIN4").AsString(), c.alkmin4);
        EXPECT_EQ(t.FieldByName("TORZSSZAM").AsString(), Field("TORZSSZAM"));
        Type(form->Bemenet(lap, "S526A"), "x1");
        EXPECT_EQ(qobject_cast<TDBEdit*>(form->Bemenet(lap, "S526A"))->text(), "X1");
        dialogs.Answer(ui::Yes);
        form->BitBtn11->click();
        EXPECT_EQ(form->Mode(), 0);
        EXPECT_EQ(form->LabelLap->text(), "Lap : 1");
        EXPECT_EQ(form->findChild<QLabel*>("Darab08")->text(), "1");
        form->PageControl1->setCurrentIndex(0);
        form->BitBtn2->click();
        form->PageControl1->setCurrentIndex(lap);
    }
    EXPECT_EQ(Count("MAB08"), 2);
}

TEST_F(MABEditTest, DatesAreCheckedWhenLeft) {
    auto form = OpenForm();
    form->BitBtn5->click();
    ASSERT_EQ(form->Mode(), 1);
    Type(form->TolEdit, "20190301");
    Leave(form->TolEdit);
    dialogs.Answer(ui::Ok).Answer(ui::Ok).Answer(ui::Ok);
    Type(form->IgEdit, "20190228");
    Leave(form->IgEdit);
    EXPECT_EQ(dialogs.Text(0), "Hibás intervallum!");
    EXPECT_TRUE(form->IgEdit->hasFocus());
    Type(form->IgEdit, "20210101");
    QTest::keyClick(form->IgEdit, Qt::Key_Tab);
    EXPECT_EQ(dialogs.Text(1), "Ellenőrizze le helyesen írta-e be a dátumot!");
    Type(form->IgEdit, "20190230");
    QTest::keyClick(form->IgEdit, Qt::Key_Tab);
    EXPECT_EQ(dialogs.Text(2), "Ilyen dátum nem létezik!");
    EXPECT_FALSE(form->IgEdit->HasDateContent());
    EXPECT_TRUE(form->IgEdit->hasFocus());
}

TEST_F(MABEditTest, AHeaderGoesWithAllItsPagesOrNotAtAll) {
    Headers({{"00000000001", 3, "E"}, {"00000000002", 3, "E"}});
    Pages("MAB04", "00000000001", "S300D", {V(1000)});
    Pages("MAB08", "00000000001", "S526A", {V("10"), V("11")});
    Pages("MAB11", "00000000001", "S636C", {V(5)});
    Pages("MAB13", "00000000001", "S700A", {V("01")});
    Pages("MAB08", "00000000002", "S526A", {V("20")});
    auto form = OpenForm();

    // A failure half-way leaves every table as it was.
    int failures = 0;
    db::SetApplicationExceptionHandler([&failures](std::exception_ptr) { ++failures; });
    DM1->TableMAB11->BeforeDelete = [](db::Dataset&) { throw std::runtime_error("disk"); };
    dialogs.Answer(ui::Yes);
    QTest::keyClick(form->BitBtn5, Qt::Key_Delete);
    EXPECT_EQ(dialogs.Text(0), "Valóban törölni szeretné a rekordot és a hozzá tartozó összes lapot?");
    EXPECT_EQ(failures, 1);
    for (const auto& [table, n] : {std::pair{"MAB00", 2}, std::pair{"MAB04", 1}, std::pair{"MAB08", 3},
                                   std::pair{"MAB11", 1}, std::pair{"MAB13", 1}})
        EXPECT_EQ(Count(table), n) << table;
    EXPECT_EQ(form->findChild<QLabel*>("Darab08")->text(), "2");

    DM1->TableMAB11->BeforeDelete = nullptr;
    db::SetApplicationExceptionHandler(nullptr);
    dialogs.Answer(ui::Yes);
    QTest::keyClick(form->BitBtn5, Qt::Key_Delete);
    for (const auto& [table, n] : {std::pair{"MAB00", 1}, std::pair{"MAB04", 0}, std::pair{"MAB08", 1},
                                   std::pair{"MAB11", 0}, std::pair{"MAB13", 0}})
        EXPECT_EQ(Count(table), n) << table;
    EXPECT_EQ(Field("TORZSSZAM"), "00000000002");
    EXPECT_EQ(form->findChild<QLabel*>("Darab08")->text(), "1");
}

TEST_F(MABEditTest, CaptionsFromTableMABAndTheFieldKindsChecked) {
    testsupport::AddRows("MAB", {"MAB_SOR", "MAB_SZOVEG"}, {{300, "Bérjövedelem"}});
    const auto sql = [](const std::string& file, const std::string& statement) {
        ASSERT_EQ(
            testsupport::RunCommand("sqlite3 '" + EvKonyvtar() + "/" + file + ".DB' \"" + statement + "\""),
            0);
    };
    // A field of a kind the editor has no input for is named, and the form goes on.
    sql("MAB13_001", "ALTER TABLE MAB13_001 ADD COLUMN KEP BLOB");
    dialogs.Answer(ui::Ok);
    {
        auto form = OpenForm();
        EXPECT_EQ(dialogs.Text(0), "Nem található a mező típusa: KEP");
        const int lap = Lap(*form, "1908-04");
        EXPECT_EQ(form->findChild<QLabel*>("LabelSor300")->text(), "300    Bérjövedelem");
        EXPECT_EQ(form->findChild<QLabel*>("LabelSor301")->text(), "301.");
        EXPECT_EQ(form->findChild<QLabel*>("LabelSor300")->parentWidget(),
                  form->Bemenet(lap, "S300D")->parentWidget());
    }
    sql("MAB13_001", "ALTER TABLE MAB13_001 DROP COLUMN KEP");

    // Table MAB unreadable: the page keeps its design captions.
    sql("MAB", "ALTER TABLE MAB DROP COLUMN MAB_SZOVEG");
    dialogs.Answer(ui::Ok);
    auto form = OpenForm();
    ASSERT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(dialogs.Text(1).rfind("Konstans nem található! \n", 0), 0u) << dialogs.Text(1);
    EXPECT_EQ(form->findChild<QLabel*>("LabelSor300")->text(), "300.");
    EXPECT_TRUE(form->BitBtn5->isEnabled());
}

}  // namespace
}  // namespace mabtest
