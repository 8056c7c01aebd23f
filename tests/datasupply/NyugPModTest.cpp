// The pension fund register: the grid editor over the shared register, the
// fund types of value set "P" storing their code, and the register writable
// only while the editor has it open.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "datasupply/NyugPMod.h"
#include "platform/db/Table.h"
#include "platform/ui/DatasetGrid.h"
#include "platform/ui/DatasetGridModel.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;

class NyugPModTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKNEV"},
                {{"P", "1", "Magánnyugdíjpénztár"}, {"P", "2", "Önkéntes pénztár"}, {"Q", "9", "Más"}});
    }
};

TEST_F(NyugPModTest, TypesFromTheValueSetAndAWritableRegisterWhileOpen) {
    db::Table& nyugp = *DM1->TableNyugP;
    EXPECT_TRUE(nyugp.ReadOnly);
    {
        TNyugPModForm form;
        Show(form);
        EXPECT_EQ(form.windowTitle(), "Szerviz/Nyugdíjpénztárak karbantartása");
        EXPECT_FALSE(nyugp.ReadOnly);
        ui::DatasetGridModel& model = *form.DBGrid1->Model();
        ASSERT_EQ(model.Columns()[1].field, "NP_TIPUS");
        const auto& items = model.EditingOf(1).pickList;
        ASSERT_EQ(items.size(), 2u);
        EXPECT_EQ(items[0].code, "1");
        EXPECT_EQ(items[0].text, "1 Magánnyugdíjpénztár");

        form.findChild<QPushButton*>("BitBtn5")->click();
        ASSERT_EQ(nyugp.State(), db::DatasetState::Insert);
        nyugp.FieldByName("NP_KOD").SetAsString("0125");
        nyugp.FieldByName("NP_NEV").SetAsString("Első Pénztár");
        // The drop-down writes the chosen entry's code.
        ASSERT_TRUE(model.setData(model.index(model.CurrentRow(), 1), items[1].code, Qt::EditRole));
        form.findChild<QPushButton*>("BitBtn11")->click();
        EXPECT_EQ(nyugp.State(), db::DatasetState::Browse);
        EXPECT_EQ(nyugp.FieldByName("NP_TIPUS").AsString(), "2");
        dialogs.Answer(ui::Yes);
        form.close();
    }
    EXPECT_TRUE(nyugp.ReadOnly);
    nyugp.Open();
    EXPECT_TRUE(nyugp.Locate("NP_KOD", std::string("0125")));
    nyugp.Close();
}

}  // namespace
