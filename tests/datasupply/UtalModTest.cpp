// The transfer definitions editor: the grid editor's keys and states over
// the company's transfer table, keyed on the pay item and the identifier.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "datasupply/UtalMod.h"
#include "platform/db/Table.h"
#include "platform/ui/DatasetGrid.h"
#include "platform/ui/DatasetGridModel.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;

class UtalModTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV"}, {{"301", "Magánnyugdíjpénztári tagdíj"}});
        AddRows("Utal_001", {"UT_JCKOD", "UT_AZON", "UT_SZAMLA"},
                {{"301", "A", "11111111-22222222"}, {"999", "", "33333333-44444444"}});
    }
    static QPushButton* Button(QWidget& form, const char* name) { return form.findChild<QPushButton*>(name); }
    // The open cell editor (a closed one may linger until deleted).
    static QLineEdit* Editor(TUtalModForm& form) {
        for (QLineEdit* e : form.DBGrid1->findChildren<QLineEdit*>())
            if (e->isVisible()) return e;
        return nullptr;
    }
    // Types `text` into the cell of `column` of the current row.
    static void Type(TUtalModForm& form, int column, const char* text) {
        ui::DatasetGridModel& model = *form.DBGrid1->Model();
        form.DBGrid1->setCurrentIndex(model.index(model.CurrentRow(), column));
        QTest::keyClick(form.DBGrid1, Qt::Key_F2);
        auto* edit = Editor(form);
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
};

TEST_F(UtalModTest, AddsChangesAndRefusesARepeatedKey) {
    TUtalModForm form;
    Show(form);
    db::Table& utal = *DM1->TableUtal;
    EXPECT_EQ(form.windowTitle(), "Szerviz/Utalandó tételek karbantartása");
    ui::DatasetGridModel& model = *form.DBGrid1->Model();
    EXPECT_EQ(model.Columns()[1].field, "UT_szarmJCNEV");
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), "Magánnyugdíjpénztári tagdíj");
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), "");  // not in the catalogue
    EXPECT_FALSE(Button(form, "BitBtn11")->isEnabled());

    // A second "301" with another identifier posts.
    Button(form, "BitBtn5")->click();
    ASSERT_EQ(utal.State(), db::DatasetState::Insert);
    EXPECT_FALSE(Button(form, "BitBtn5")->isEnabled());
    Type(form, 0, "301");
    Type(form, 2, "B");
    Button(form, "BitBtn11")->click();
    EXPECT_EQ(utal.State(), db::DatasetState::Browse);
    EXPECT_EQ(utal.RecordCount(), 3);

    // Del inside a cell being edited deletes neither a character nor the row.
    QTest::keyClick(form.DBGrid1, Qt::Key_F12);
    ASSERT_EQ(utal.State(), db::DatasetState::Edit);
    Type(form, 2, "BC");
    QLineEdit* edit = Editor(form);
    ASSERT_NE(edit, nullptr);
    edit->setCursorPosition(0);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->text(), "BC");
    EXPECT_TRUE(dialogs.Shown().empty());
    // Esc cancels the change; a second Esc asks to leave.
    QTest::keyClick(form.DBGrid1, Qt::Key_Escape);
    EXPECT_EQ(utal.State(), db::DatasetState::Browse);
    EXPECT_EQ(utal.RecordCount(), 3);

    // The same pay item and identifier again: refused, the row stays new.
    Button(form, "BitBtn5")->click();
    Type(form, 0, "301");
    Type(form, 2, "A");
    dialogs.Answer(ui::Ok);
    Button(form, "BitBtn11")->click();
    EXPECT_EQ(dialogs.Text(0), "Ez a rekord már szerepel a nyilvántartásban!");
    EXPECT_EQ(utal.State(), db::DatasetState::Insert);
    Button(form, "BitBtn9")->click();
    EXPECT_EQ(utal.RecordCount(), 3);

    dialogs.Answer(ui::No);
    QTest::keyClick(form.DBGrid1, Qt::Key_Escape);
    EXPECT_EQ(dialogs.Text(1), "Valóban ki szeretne lépni?");
    EXPECT_TRUE(form.isVisible());
    dialogs.Answer(ui::Yes);
    form.close();
    EXPECT_FALSE(utal.Active());
}

TEST_F(UtalModTest, DeleteAsksWithYesFirstAndAnEmptyTableAsksNothing) {
    TUtalModForm form;
    Show(form);
    db::Table& utal = *DM1->TableUtal;
    dialogs.Answer(ui::Yes).Answer(ui::Yes);
    QTest::keyClick(form.DBGrid1, Qt::Key_Delete);
    QTest::keyClick(form.DBGrid1, Qt::Key_Delete);
    EXPECT_EQ(dialogs.Shown()[0].defaultButton, ui::Yes);
    EXPECT_TRUE(utal.IsEmpty());
    QTest::keyClick(form.DBGrid1, Qt::Key_Delete);  // nothing left: no question
    EXPECT_EQ(dialogs.Shown().size(), 2u);
    dialogs.Answer(ui::Yes);
    form.close();
}

}  // namespace
