// The summary declaration editor: a new declaration from the company, saved
// as seven records at once or, when refused, not at all with what was typed
// still there; the sheets following the header; Enter through the pages; a
// declaration deleted with its sheets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "controls/DBControls.h"
#include "core/KivalasztSQL.h"
#include "platform/ui/Dialogs.h"
#include "tax/monthly/MABFixture.h"
#include "tax/monthly/MABOSZ.h"

namespace mabtest {
namespace {

using V = db::Variant;

const char* const kLapok[] = {"MABOSZ01", "MABOSZ01b", "MABOSZ01c", "MABOSZ02", "MABOSZ02b", "MABOSZ02c"};

class MABOSZEditTest : public MABTest {
protected:
    // Declarations of month and nature with the value of S97C on 1908-02-02.
    static void Declarations(const RowTable& rows) {
        for (const auto& r : rows) {
            const MABHonap ho = MABHonapja(int(r[0].ToInt()));
            testsupport::AddRows("MABOSZ_001", {"HONAP", "JELLEG", "TOL", "IG"},
                                 {{r[0], r[1], V(ho.elsoNap), V(ho.utolsoNap)}});
            for (const char* lap : kLapok)
                testsupport::AddRows(std::string(lap) + "_001", {"HONAP", "JELLEG"}, {{r[0], r[1]}});
            testsupport::AddRows("MABOSZ02b_001", {"HONAP", "JELLEG", "S97C"}, {{r[0], r[1], r[2]}});
        }
    }
    std::unique_ptr<TMABOSZForm> OpenForm() {
        auto form = std::make_unique<TMABOSZForm>();
        Show(*form);
        return form;
    }
    // Typed and left with Tab.
    static void Type(QWidget* w, const QString& text) {
        MABTest::Type(w, text);
        QTest::keyClick(w, Qt::Key_Tab);
    }
    // A new declaration of March, nature E, typed in the key box.
    void TypeMarch(TMABOSZForm& form) {
        form.BitBtn5->click();
        ASSERT_EQ(form.Mode(), 1);
        Type(form.DBEditHonap, "3");
        Type(form.TolEdit, "20190301");
        Type(form.IgEdit, "20190331");
    }
    static std::string Field(const char* name) { return DM1->TableMABOSZ->FieldByName(name).AsString(); }
    static std::string Rows(const std::string& table) {
        db::Query q;
        q.DatabaseName = AktualisAlias;
        q.SetSQL("SELECT HONAP, JELLEG FROM " + table + "_001 ORDER BY HONAP");
        q.Open();
        std::string s;
        for (; !q.Eof(); q.Next())
            s += q.FieldByName("HONAP").AsString() + q.FieldByName("JELLEG").AsString() + " ";
        return s;
    }
};

TEST_F(MABOSZEditTest, ANewDeclarationTakesTheCompanyAndSavesAllSevenRecords) {
    testsupport::AddRows(
        "Cegek", {"CG_KOD", "CG_NEV", "CG_ADOSZAM", "CG_EVADOAZ", "CG_KIVA", "CG_VAROS", "CG_LEVVAROS"},
        {{"001", "Kovácsné Tóth Éva", "12345678242", "8111111111", "I", "Őriszentpéter", "Szalafő"}});
    DM1->TableCegek->Close();
    auto form = OpenForm();
    EXPECT_EQ(form->windowTitle(), "Havi adó/Havi adóbevallás összesített adatok");
    EXPECT_FALSE(form->BitBtn6->isEnabled());
    form->BitBtn5->click();
    struct Case {
        const char* field;
        const char* value;
    };
    for (const Case& c :
         {Case{"KIVA", "X"}, Case{"MAGNEV", "Kovácsné"}, Case{"MAGUTONEV", "Tóth Éva"}, Case{"CEGNEV", ""},
          Case{"CEGADOAZ", "8111111111"}, Case{"CEGVAROS", "Őriszentpéter"}, Case{"CEGLEVVAROS", "Szalafő"},
          Case{"JELLEG", "E"}})
        EXPECT_EQ(Field(c.field), c.value) << c.field;
    EXPECT_TRUE(form->DBEditHonap->hasFocus());

    dialogs.Answer(ui::Ok);
    Type(form->DBEditHonap, "13");
    EXPECT_EQ(dialogs.Text(0), "Ilyen hónap nem létezik!");
    EXPECT_TRUE(form->DBEditHonap->hasFocus());
    form->BitBtn9->click();
    EXPECT_EQ(form->Mode(), 0);

    // Only the key typed: the six sheets get a record of the month and nature.
    TypeMarch(*form);
    ASSERT_TRUE(form->BitBtn11->isEnabled());
    dialogs.Answer(ui::Yes);
    form->BitBtn11->click();
    EXPECT_EQ(form->Mode(), 0);
    EXPECT_EQ(Rows("MABOSZ"), "3E ");
    for (const char* lap : kLapok) EXPECT_EQ(Rows(lap), "3E ") << lap;
    EXPECT_TRUE(form->BitBtn6->isEnabled());

    // Deleted with its sheets.
    dialogs.Answer(ui::Yes);
    form->PageControl1->setCurrentIndex(Lap(*form, "1908-02-02"));
    QTest::keyClick(form->BitBtn5, Qt::Key_Delete);
    EXPECT_EQ(dialogs.Text(2), "Valóban törölni szeretné a rekordot és a hozzá tartozó összes lapot?");
    EXPECT_EQ(Rows("MABOSZ"), "");
    for (const char* lap : kLapok) EXPECT_EQ(Rows(lap), "") << lap;
    EXPECT_FALSE(form->BitBtn7->isEnabled());
}

TEST_F(MABOSZEditTest, ARefusedSaveSavesNothingAndKeepsWhatWasTyped) {
    Declarations({{3, "E", 100}});
    // A sheet record left behind for April refuses April's new declaration
    // after its header was posted.
    testsupport::AddRows("MABOSZ02c_001", {"HONAP", "JELLEG"}, {{4, "E"}});
    auto form = OpenForm();
    for (const char* honap : {"3", "4"}) {
        TypeMarch(*form);
        Type(form->DBEditHonap, honap);
        Type(form->Bemenet(0, "VONALKOD"), "12345");
        dialogs.Answer(ui::Yes).Answer(ui::Ok);
        form->BitBtn11->click();
        EXPECT_EQ(dialogs.Shown().back().text.toStdString(), "Ez a rekord már szerepel a nyilvántartásban!");
        EXPECT_EQ(form->Mode(), 1) << honap;
        EXPECT_EQ(form->DBEditHonap->text().toStdString(), honap);
        EXPECT_EQ(qobject_cast<TDBEdit*>(form->Bemenet(0, "VONALKOD"))->text(), "12345");
        EXPECT_EQ(Rows("MABOSZ"), "3E ") << honap;
        EXPECT_EQ(Rows("MABOSZ02c"), "3E 4E ") << honap;
        EXPECT_EQ(Rows("MABOSZ01"), "3E ") << honap;
        form->BitBtn9->click();
    }
}

TEST_F(MABOSZEditTest, TheSheetsFollowTheHeaderAndEnterLeadsThroughThePages) {
    Declarations({{2, "E", 200}, {3, "E", 300}});
    auto form = OpenForm();
    EXPECT_EQ(Field("HONAP"), "3");
    const int lap = Lap(*form, "1908-02-02");
    form->PageControl1->setCurrentIndex(lap);
    auto* s97c = qobject_cast<TDBEdit*>(form->Bemenet(lap, "S97C"));
    EXPECT_EQ(s97c->text(), "300");
    if (const char* shot = std::getenv("TAVRINA_MABOSZ_SHOT")) Shot(*form, shot);
    form->BitBtn3->click();
    EXPECT_EQ(s97c->text(), "200");
    form->BitBtn2->click();
    EXPECT_EQ(s97c->text(), "300");
    // F2 on a sheet page picks a header.
    dialogs.AnswerModal([](QDialog& d) {
        auto& pick = static_cast<TKivalasztSQLForm&>(d);
        pick.show();
        EXPECT_EQ(pick.ColumnFields(), (std::vector<std::string>{"HONAP", "JELLEG", "TOL", "IG"}));
        pick.DBGrid1->setCurrentIndex(pick.DBGrid1->model()->index(0, 0));
        QTest::keyClick(pick.DBGrid1, Qt::Key_Return);
        return pick.result();
    });
    QTest::keyClick(form->BitBtn5, Qt::Key_F2);
    EXPECT_EQ(Field("HONAP"), "2");
    EXPECT_EQ(s97c->text(), "200");
    form->BitBtn4->click();
    EXPECT_EQ(s97c->text(), "300");

    form->BitBtn6->click();
    ASSERT_EQ(form->Mode(), 2);
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_FALSE(form->DBEditHonap->isEnabled());
    const struct {
        const char* from;
        const char* page;
        const char* to;
    } steps[] = {{"EFOBEV", "1908A (fej)", "S1C"}, {"S28C", "1908-01-01", "BEVALLASOKA"},
                 {"S43D", "1908-01-02", "S50A"},   {"S50N", "1908-01-03", "S70C"},
                 {"S96C", "1908-02-01", "S97C"},   {"S139E", "1908-02-02", "S150C"}};
    for (const auto& s : steps) {
        QWidget* from = form->Bemenet(Lap(*form, s.page), s.from);
        ASSERT_TRUE(from) << s.from;
        form->PageControl1->setCurrentIndex(Lap(*form, s.page));
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "",
                  s.to)
            << s.from;
    }
    Type(s97c, "301");
    dialogs.Answer(ui::Yes);
    form->BitBtn11->click();
    EXPECT_EQ(dialogs.Text(1), "Valóban módosítani szeretné a rekordot?");
    EXPECT_EQ(DM1->TableMABOSZ02b->FieldByName("S97C").AsString(), "301");
}

}  // namespace
}  // namespace mabtest
