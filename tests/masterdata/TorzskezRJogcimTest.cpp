// The standing pay items driven the way a user drives them.
#include "masterdata/TorzskezRJogcim.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "controls/DBControls.h"
#include "controls/DBDateEdits.h"
#include "support/ActiveWindow.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"

namespace {

class RJogcimTest : public testsupport::CompanyTest {
protected:
    void SetUp() override {
        CompanyTest::SetUp();
        dm->TableDolgozo->Open();
        testsupport::AddEmployees(*dm->TableDolgozo,
                                  {{"00000000001", "Kiss Anna"}, {"00000000002", "Nagy Béla"}});
        dm->TableDolgozo->Close();
        db::Table& jc = *dm->TableJogcim;
        jc.Open();
        // The shipped catalogue holds the code: it gets the test's name.
        if (jc.Locate("JC_KOD", db::Variant("210")))
            jc.Edit();
        else
            jc.Append();
        jc.FieldByName("JC_KOD").SetAsString("210");
        jc.FieldByName("JC_NEV").SetAsString("Letiltás");
        testsupport::FillRequired(jc);
        jc.Post();
        jc.Close();
    }

    std::unique_ptr<TTorzskezRJogcimForm> Open() { return testsupport::OpenActive<TTorzskezRJogcimForm>(); }
    // Felvitel, employee number and code typed, saved with Yes; `then`
    // answers what the save shows next.
    void Add(TTorzskezRJogcimForm& form, const char* employee, const char* code, int then) {
        form.BitBtn5->click();
        QTest::keyClicks(form.RJ_DGTORZSSZAM, employee);
        QTest::keyClick(form.RJ_DGTORZSSZAM, Qt::Key_Return);
        QTest::keyClicks(form.RJ_JCKOD, code);
        form.RJ_SORSZAM->setFocus();
        dialogs.Answer(ui::Yes).Answer(then);
        form.BitBtn11->click();
    }
    std::string Value(const char* field) { return dm->TableRJogcim->FieldByName(field).AsString(); }

    testsupport::ScriptedDialogs dialogs;
};

QString Focused() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

}  // namespace

TEST_F(RJogcimTest, NewItemGetsZerosAndTheEmployeesNameOfTheMomentAndRefusesItsKeyTwice) {
    auto form = Open();
    EXPECT_FALSE(form->BitBtn8->isVisible());
    form->BitBtn5->click();
    QTest::keyClicks(form->RJ_DGTORZSSZAM, "00000000001");
    QTest::keyClick(form->RJ_DGTORZSSZAM, Qt::Key_Return);
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_EQ(Focused(), "RJ_JCKOD");
    EXPECT_EQ(form->findChild<QLabel*>("RJ_szarmDGTORZSSZAMDGNEV")->text(), "Kiss Anna");
    QTest::keyClicks(form->RJ_JCKOD, "210");
    form->RJ_SORSZAM->setFocus();
    EXPECT_EQ(form->findChild<QLabel*>("RJ_szarmJCKODJCNEV")->text(), "Letiltás");
    EXPECT_TRUE(form->BitBtn11->isEnabled());  // the defaults fill the rest
    dialogs.Answer(ui::Yes);
    form->BitBtn11->click();
    EXPECT_EQ(form->Mode(), 0);
    EXPECT_EQ(Value("RJ_SORSZAM"), "0");
    EXPECT_EQ(Value("RJ_OSSZEG"), "0");
    EXPECT_EQ(Value("RJ_SZAZ"), "0");
    EXPECT_EQ(Value("RJ_DGNEV"), "Kiss Anna");

    // A later rename of the employee, and a change of the item, leave the stored name.
    db::Table dg;
    dg.DatabaseName = AktualisAlias;
    dg.TableName = dm->TableDolgozo->TableName;
    dg.Open();
    dg.Edit();
    dg.FieldByName("DG_NEV").SetAsString("Kovács Anna");
    dg.Post();
    dg.Close();
    form->BitBtn6->click();
    EXPECT_FALSE(form->RJ_DGTORZSSZAM->isEnabled());
    EXPECT_TRUE(form->RJ_JCKOD->isEnabled());
    EXPECT_EQ(Focused(), "RJ_JCKOD");
    QTest::keyClicks(form->RJ_OSSZEG, "5000");
    dialogs.Answer(ui::Yes);
    form->BitBtn11->click();
    EXPECT_EQ(Value("RJ_DGNEV"), "Kiss Anna");
    EXPECT_EQ(Value("RJ_OSSZEG"), "5000");

    // The same employee, code and sequence number again: the data module's
    // message, and the record is still being typed.
    Add(*form, "00000000001", "210", ui::Ok);
    EXPECT_EQ(dialogs.Shown().back().text, "Ez a rekord már szerepel a nyilvántartásban!");
    EXPECT_EQ(form->Mode(), 1);
    form->BitBtn9->click();
    EXPECT_EQ(dm->TableRJogcim->RecordCount(), 1);
}

TEST_F(RJogcimTest, UnknownEmployeeOrCodeIsRefusedOnLeaving) {
    auto form = Open();
    form->BitBtn5->click();
    struct Case {
        TDBEdit* edit;
        const char* typed;
        const char* message;
    };
    const Case cases[] = {{form->RJ_DGTORZSSZAM, "00000000009", "Ilyen törzsszam nem létezik!"},
                          {form->RJ_JCKOD, "999", "Ilyen kód nem létezik!"}};
    // F2 lists the employees with their workplace; the chosen one's number goes in.
    dialogs.AnswerModal([](QDialog& list) {
        auto* grid = list.findChild<QTableView*>("DBGrid1");
        EXPECT_EQ(grid->model()->columnCount(), 3);
        QTest::keyClicks(grid, "00000000002");
        QTest::keyClick(grid, Qt::Key_Return);
        return list.result();
    });
    QTest::keyClick(form->RJ_DGTORZSSZAM, Qt::Key_F2);
    EXPECT_EQ(form->RJ_DGTORZSSZAM->Text(), "00000000002");
    for (const Case& c : cases) {
        c.edit->setFocus();
        QTest::keyClick(c.edit, Qt::Key_Home);
        QTest::keyClicks(c.edit, c.typed);
        dialogs.Answer(ui::Ok);
        form->RJ_SORSZAM->setFocus();
        EXPECT_EQ(dialogs.Shown().back().text, c.message);
        EXPECT_EQ(Focused(), c.edit->objectName());
        EXPECT_EQ(c.edit->Text(), "");
    }
    form->BitBtn9->click();
}

TEST_F(RJogcimTest, DatesOutsideTheYearsAreQuestionedAndKept) {
    auto form = Open();
    form->BitBtn5->click();
    form->RJ_KEZD->setFocus();
    QTest::keyClicks(form->RJ_KEZD, "20200301");
    form->RJ_VEG->setFocus();
    QTest::keyClicks(form->RJ_VEG, "20190101");  // before the start: accepted
    form->RJ_KEZD->setFocus();
    EXPECT_TRUE(dialogs.Shown().empty());
    EXPECT_EQ(Value("RJ_VEG"), "2019.01.01");

    QTest::keyClick(form->RJ_KEZD, Qt::Key_Home);
    QTest::keyClicks(form->RJ_KEZD, "20210101");
    dialogs.Answer(ui::Ok);
    form->RJ_VEG->setFocus();
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Text(0), "Ellenőrizze le helyesen írta-e be a dátumot!");
    EXPECT_EQ(Focused(), "RJ_KEZD");
    EXPECT_EQ(form->RJ_KEZD->Text(), "2021.01.01");
    form->BitBtn9->click();
}

TEST_F(RJogcimTest, EnterWalksTheTabsByTag) {
    auto form = Open();
    form->BitBtn5->click();
    struct Step {
        QWidget* from;
        int tab;
        const char* focus;
    };
    const Step steps[] = {{form->RJ_VEG, 1, "RJ_KEDVNEV"},
                          {form->findChild<QWidget*>("RJ_KEDVSZAMLASZ"), 2, "RJ_MUNKSZAM"},
                          {form->RJ_MUNKSZAM, 2, "RJ_GYUJTO"}};
    for (const Step& s : steps) {
        form->PageControl1->setCurrentWidget(s.from->parentWidget());
        s.from->setFocus();
        QTest::keyClick(s.from, Qt::Key_Return);
        EXPECT_EQ(form->PageControl1->currentIndex(), s.tab) << s.focus;
        EXPECT_EQ(Focused(), s.focus);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Focused(), "RJ_GYUJTO");  // Rögzítés is not enabled yet
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(form->Mode(), 0);
}
