// The dependants form opened from the employee form: a new dependant takes
// the current employee's number, the code and date checks, Enter across the
// tabs, the search over the employee's dependants, and the table closed and
// unfiltered afterwards however the form ended.
#include "masterdata/TorzskezDolgozoHozzatartozo.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <array>
#include <cstdlib>
#include <functional>

#include "controls/DBControls.h"
#include "controls/DBDateEdits.h"
#include "masterdata/TorzskezDolgozo.h"
#include "masterdata/uTblSearch.h"
#include "platform/ui/ControlTable.h"
#include "support/ActiveWindow.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"
#include "support/ListFixture.h"

namespace {

class HozzatartozoTest : public testsupport::CompanyTest {
protected:
    void SetUp() override {
        CompanyTest::SetUp();
        db::Table& t = *dm->TableDolgozo;
        t.Open();
        testsupport::AddEmployees(t, {{"00000000001", "Kiss Anna"}, {"00000000002", "Nagy Béla"}});
        t.Close();
        testsupport::AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKNEV"},
                             {{"X1", "1", "Gyermek"}, {"X2", "1", "Eltartott"}});
    }
    // Dependants as (employee, name, relation), in the order written.
    static void AddDependants(const std::vector<std::array<const char*, 3>>& rows) {
        db::Table h;
        h.DatabaseName = AktualisAlias;
        h.TableName = "Hozzatartozo_001";
        h.Open();
        for (const auto& [employee, name, relation] : rows) {
            h.Append();
            h.FieldByName("HT_DGTORZSSZAM").SetAsString(employee);
            h.FieldByName("HT_NEV").SetAsString(name);
            h.FieldByName("HT_KAPCSOLAT").SetAsString(relation);
            h.Post();
        }
    }
    // Types over what the control holds and leaves it with `leave`.
    static void Type(QWidget* w, const char* text, Qt::Key leave = Qt::Key_Tab) {
        testsupport::Erase(w);
        QTest::keyClicks(w, text);
        QTest::keyClick(w, leave);
    }
    // Opens the dependants of the employee form's current employee and
    // runs `drive` on them.
    void Dependants(TTorzskezDolgozoForm& employees,
                    std::function<void(TTorzskezDolgozoHozzatartozoForm&)> drive) {
        dialogs.AnswerModal([drive](QDialog& d) {
            auto& form = static_cast<TTorzskezDolgozoHozzatartozoForm&>(d);
            testsupport::Activate(form);
            drive(form);
            return 0;
        });
        employees.BitBtn16->click();
    }
    // The dependants table is closed and unfiltered: every row shows again.
    void ExpectClosedAndUnfiltered(size_t rows) {
        db::Table& h = *dm->TableHozzatartozo;
        EXPECT_FALSE(h.Active());
        EXPECT_FALSE(h.Filtered());
        EXPECT_FALSE(h.OnFilterRecord);
        h.Open();
        EXPECT_EQ(h.RecordCount(), static_cast<int>(rows));
        h.Close();
    }
    testsupport::ScriptedDialogs dialogs;
};

TEST_F(HozzatartozoTest, ANewDependantTakesTheCurrentEmployeesNumberAfterItsChecks) {
    AddDependants({{"00000000002", "Nagy Ede", "1"}});
    TTorzskezDolgozoForm employees;
    ASSERT_EQ(dm->TableDolgozo->FieldByName("DG_TORZSSZAM").AsString(), "00000000001");
    // Dialog 0 is the form itself.
    Dependants(employees, [this](TTorzskezDolgozoHozzatartozoForm& form) {
        EXPECT_EQ(form.windowTitle(), "Törzskezelés/Dolgozó/Hozzátartozó");
        EXPECT_EQ(form.LabelTorzsszam->text(), "00000000001");
        EXPECT_EQ(form.LabelNev->text(), "Kiss Anna");
        EXPECT_TRUE(dm->TableHozzatartozo->IsEmpty());  // the other employee's row is filtered out
        EXPECT_FALSE(form.BitBtn8->isVisible());
        EXPECT_EQ(ui::CaptionOf(form.HT_NEV)->text(), "Neve :");
        EXPECT_EQ(ui::CaptionOf(form.HT_KAPCSOLAT)->text(), "Kapcsolat (F2) :");

        form.BitBtn5->click();
        ASSERT_EQ(form.Mode(), 1);
        EXPECT_TRUE(form.HT_KAPCSOLAT->hasFocus());
        dialogs.Answer(ui::Ok);
        Type(form.HT_KAPCSOLAT, "9");
        EXPECT_EQ(dialogs.Text(1), "Ez a kód nem létezik!");
        EXPECT_TRUE(form.HT_KAPCSOLAT->hasFocus());
        EXPECT_EQ(form.HT_KAPCSOLAT->Text().trimmed(), "");
        Type(form.HT_KAPCSOLAT, "1");
        EXPECT_EQ(form.findChild<QLabel*>("LabelHT_KAPCSOLAT")->text(), "Gyermek");
        EXPECT_FALSE(form.BitBtn11->isEnabled());  // the name is still missing
        Type(form.HT_NEV, "Kiss Dani");
        EXPECT_TRUE(form.BitBtn11->isEnabled());

        dialogs.Answer(ui::Ok);
        Type(form.HT_SZULDAT, "20210101");
        EXPECT_EQ(dialogs.Text(2), "Ellenőrizze le helyesen írta-e be a dátumot!");
        EXPECT_TRUE(form.HT_SZULDAT->hasFocus());
        Type(form.HT_SZULDAT, "20150304");

        // Enter on the last field of "Adatok" brings "Lakcím" forward, on
        // the last of "Lakcím" goes to Rögzítés.
        Type(form.HT_KAPCSIG, "", Qt::Key_Return);
        EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet2);
        EXPECT_TRUE(form.HT_ORSZAG->hasFocus());
        form.HT_KULFOLDI->setFocus();
        QTest::keyClicks(form.HT_KULFOLDI, "x");
        EXPECT_EQ(form.HT_KULFOLDI->currentText(), "X");
        QTest::keyClick(form.HT_KULFOLDI, Qt::Key_Return);
        EXPECT_TRUE(form.BitBtn11->hasFocus());

        dialogs.Answer(ui::Yes);
        form.BitBtn11->click();
        EXPECT_EQ(dialogs.Text(3), "Valóban hozzá szeretné adni a rekordot?");
        EXPECT_EQ(form.Mode(), 0);
        EXPECT_EQ(dm->TableHozzatartozo->RecordCount(), 1);
        if (const char* shot = std::getenv("TAVRINA_HOZZATARTOZO_SHOT")) {
            form.PageControl1->setCurrentWidget(form.TabSheet1);
            form.grab().save(shot);
        }
    });
    ExpectClosedAndUnfiltered(2);
    db::Table& h = *dm->TableHozzatartozo;
    h.Open();
    ASSERT_TRUE(h.Locate("HT_NEV", db::Variant("Kiss Dani")));
    EXPECT_EQ(h.FieldByName("HT_DGTORZSSZAM").AsString(), "00000000001");
    EXPECT_EQ(h.FieldByName("HT_SZULDAT").AsString(), "2015.03.04");
    EXPECT_EQ(h.FieldByName("HT_KULFOLDI").AsString(), "X");
    h.Close();
}

TEST_F(HozzatartozoTest, F2SearchesTheEmployeesDependantsAndMovesOnlyWhenOneIsChosen) {
    AddDependants({{"00000000001", "Kiss Dani", "1"},
                   {"00000000002", "Nagy Ede", "1"},
                   {"00000000001", "Kiss Bori", "1"},
                   {"00000000001", "O'Neil Kata", "1"}});
    TTorzskezDolgozoForm employees;
    Dependants(employees, [this](TTorzskezDolgozoHozzatartozoForm& form) {
        db::Table& h = *dm->TableHozzatartozo;
        ASSERT_EQ(h.FieldByName("HT_NEV").AsString(), "Kiss Dani");
        // The window lists the employee's three by name; Down goes from
        // "Kiss Dani" to "O'Neil Kata".
        auto search = [&](Qt::Key key) {
            dialogs.AnswerModal([key](QDialog& d) {
                auto& f = static_cast<TfrmTblSearch&>(d);
                f.show();
                QAbstractItemModel& m = *f.DBGrid1->model();
                EXPECT_EQ(m.rowCount(), 3);
                EXPECT_EQ(m.columnCount(), 3);
                EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), "Születési dátum");
                EXPECT_EQ(f.DBGrid1->currentIndex().row(), 1);  // the current dependant
                QTest::keyClick(f.DBGrid1, Qt::Key_Down);
                QTest::keyClick(f.DBGrid1, key);
                return f.result();
            });
            QTest::keyClick(form.BitBtn5, Qt::Key_F2);
        };
        search(Qt::Key_Escape);
        EXPECT_EQ(h.FieldByName("HT_NEV").AsString(), "Kiss Dani");
        search(Qt::Key_Return);
        EXPECT_EQ(h.FieldByName("HT_NEV").AsString(), "O'Neil Kata");
    });
    ExpectClosedAndUnfiltered(4);
}

TEST_F(HozzatartozoTest, AFailureIsNamedAndLeavesTheTableClosedAndUnfiltered) {
    TTorzskezDolgozoForm employees;
    db::Table& h = *dm->TableHozzatartozo;
    const std::string name = h.TableName;
    h.TableName = "Nincs_001";
    dialogs.Answer(ui::Ok);
    employees.BitBtn16->click();
    EXPECT_EQ(dialogs.Caption(0), "Üzenetkezelő");
    EXPECT_EQ(dialogs.Text(0).rfind("HIBA történt a hozzátartozók megjelenítésekor! \r", 0), 0u)
        << dialogs.Text(0);
    h.TableName = name;
    ExpectClosedAndUnfiltered(0);
}

}  // namespace
