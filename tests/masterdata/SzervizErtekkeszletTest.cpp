// The value-set form: the table is writable only while the form is open, the
// key pair is typed once and posted as typed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "controls/DBControls.h"
#include "masterdata/SzervizErtekkeszlet.h"
#include "masterdata/uTblSearch.h"
#include "support/ActiveWindow.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"

namespace {

class ErtekkeszletTest : public testsupport::CompanyTest {
protected:
    void SetUp() override {
        CompanyTest::SetUp();
        form = std::make_unique<TSzervizErtekkeszletForm>();
        testsupport::Activate(*form);
    }
    std::string Field(const char* name) { return dm->TableErtekkeszlet->FieldByName(name).AsString(); }

    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<TSzervizErtekkeszletForm> form;
};

}  // namespace

TEST_F(ErtekkeszletTest, TheKeyPairIsTypedOnceAndTheTableIsReadOnlyAgainAfterwards) {
    db::Table& ek = *dm->TableErtekkeszlet;
    EXPECT_TRUE(ek.Active());
    EXPECT_FALSE(ek.ReadOnly);
    EXPECT_FALSE(form->BitBtn8->isVisible());
    const int rows = ek.RecordCount();

    form->BitBtn5->click();
    QTest::keyClicks(form->EK_TIPUS, "S");
    QTest::keyClick(form->EK_TIPUS, Qt::Key_Return);
    QTest::keyClicks(form->EK_TIPUSNEV, "Munkarend");
    QTest::keyClick(form->EK_TIPUSNEV, Qt::Key_Return);
    EXPECT_FALSE(form->BitBtn11->isEnabled());
    QTest::keyClicks(form->EK_ERTEK, " 3");
    QTest::keyClick(form->EK_ERTEK, Qt::Key_Return);
    EXPECT_TRUE(form->BitBtn11->isEnabled());
    QTest::keyClicks(form->EK_ERTEKNEV, "Harmadik");
    QTest::keyClick(form->EK_ERTEKNEV, Qt::Key_Return);
    QTest::keyClick(form->EK_ERTEKCHAR, Qt::Key_Return);
    QTest::keyClicks(form->EK_ERTEKNUM, "12345678901");
    EXPECT_EQ(form->EK_ERTEKNUM->Text(), "1234567890");  // at most ten characters
    form->EK_ERTEKNUM->clear();
    QTest::keyClicks(form->EK_ERTEKNUM, "18,5");
    dialogs.Answer(ui::Yes);
    form->BitBtn11->click();
    EXPECT_EQ(form->Mode(), 0);
    EXPECT_EQ(ek.RecordCount(), rows + 1);
    EXPECT_EQ(Field("EK_ERTEK"), " 3");  // posted as typed
    EXPECT_EQ(ek.FieldByName("EK_ERTEKNUM").AsFloat(), 18.5);

    form->BitBtn6->click();
    EXPECT_FALSE(form->EK_TIPUS->isEnabled());
    EXPECT_FALSE(form->EK_ERTEK->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), form->EK_TIPUSNEV);
    form->BitBtn9->click();
    EXPECT_TRUE(form->EK_TIPUS->isEnabled());
    EXPECT_TRUE(form->EK_ERTEK->isEnabled());

    dialogs.Answer(ui::No).Answer(ui::Yes);
    form->BitBtn7->click();
    EXPECT_EQ(ek.RecordCount(), rows + 1);
    form->BitBtn7->click();
    EXPECT_EQ(ek.RecordCount(), rows);

    dialogs.Answer(ui::Yes);
    form->BitBtn10->click();
    EXPECT_EQ(dialogs.Text(3), "Valóban kilép az értékkészlet karbantartásából?");
    EXPECT_FALSE(ek.Active());
    EXPECT_TRUE(ek.ReadOnly);
}

TEST_F(ErtekkeszletTest, F2SearchesEveryRowAndMovesToTheChosenOne) {
    db::Table& ek = *dm->TableErtekkeszlet;
    ASSERT_GE(ek.RecordCount(), 2);
    ek.First();
    const std::string first = Field("EK_ERTEK");
    auto search = [&](Qt::Key key) {
        dialogs.AnswerModal([key](QDialog& d) {
            auto& f = static_cast<TfrmTblSearch&>(d);
            f.show();
            EXPECT_FALSE(f.MNU_Sugo_Nevjegy->isVisible());
            EXPECT_EQ(f.DBGrid1->model()->columnCount(), 6);
            EXPECT_EQ(f.DBGrid1->model()->headerData(2, Qt::Horizontal).toString(), "Értek :");
            EXPECT_EQ(f.DBGrid1->currentIndex().row(), 0);  // the current row
            QTest::keyClick(f.DBGrid1, Qt::Key_Down);
            QTest::keyClick(f.DBGrid1, key);
            return f.result();
        });
        QTest::keyClick(form->BitBtn5, Qt::Key_F2);
    };
    search(Qt::Key_Escape);
    EXPECT_EQ(Field("EK_ERTEK"), first);
    EXPECT_EQ(ek.RecNo(), 1);
    search(Qt::Key_Return);
    EXPECT_EQ(ek.RecNo(), 2);  // the row chosen in the window
}
