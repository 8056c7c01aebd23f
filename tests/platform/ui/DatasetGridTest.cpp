#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QTest>

#include "platform/db/ListDataset.h"
#include "platform/ui/DatasetGrid.h"

namespace {

// Three days with a read-only date and an editable schedule value.
struct Days : testing::Test {
    void SetUp() override {
        ds.SetFieldDefs({{"NAP", db::FieldType::String, 3}, {"ERTEK", db::FieldType::String, 1}});
        ds.Open();
        for (const char* day : {"H", "K", "Sze"}) {
            ds.Append();
            ds.FieldByName("NAP").SetAsString(day);
            ds.FieldByName("ERTEK").SetAsString("1");
            ds.Post();
        }
        ds.First();
        ds.AfterPost = [this](db::Dataset&) { ++posts; };
        grid.SetColumns({{"NAP", "Nap", 40, false}, {"ERTEK", "1", 30, false}});
        grid.Model()->SetColumnEditing(0, {true, {}});
        grid.Model()->SetColumnEditing(1, {false, {{"0", "0 - pihenőnap"}, {"1", "1 - munkanap"}}});
        grid.SetDataSet(&ds);
        grid.resize(200, 200);
        grid.show();
        grid.setFocus();
        grid.setCurrentIndex(grid.Model()->index(0, 1));
    }
    std::string Value() const { return ds.FieldByName("ERTEK").AsString(); }

    db::ListDataset ds;
    ui::DatasetGrid grid;
    int posts = 0;
};

}  // namespace

TEST_F(Days, EditingIsOffUntilSwitchedOn) {
    ui::DatasetGridModel& model = *grid.Model();
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.setData(model.index(0, 1), "0"));
    QTest::keyClick(&grid, Qt::Key_0);
    EXPECT_EQ(Value(), "1");
    grid.SetEditing(true);
    EXPECT_TRUE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);  // read-only column
    grid.SetEditing(false);
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
}

TEST_F(Days, ATypedCodeIsStoredAndPostedWhenTheRowIsLeft) {
    grid.SetEditing(true);
    QTest::keyClick(&grid, Qt::Key_5);  // no item has this code
    EXPECT_EQ(ds.State(), db::DatasetState::Browse);
    QTest::keyClick(&grid, Qt::Key_0);
    EXPECT_EQ(ds.State(), db::DatasetState::Edit);
    EXPECT_EQ(Value(), "0");
    EXPECT_EQ(grid.Model()->data(grid.Model()->index(0, 1)).toString(), "0");
    EXPECT_EQ(posts, 0);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(ds.State(), db::DatasetState::Browse);
    EXPECT_EQ(ds.FieldByName("NAP").AsString(), "K");
    ds.First();
    EXPECT_EQ(Value(), "0");
}

TEST_F(Days, TheDropDownStoresTheChosenItemsCode) {
    grid.SetEditing(true);
    grid.setCurrentIndex(grid.Model()->index(2, 1));
    grid.edit(grid.currentIndex());
    auto* box = grid.findChild<QComboBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->currentText(), "1 - munkanap");
    box->setCurrentIndex(0);
    QTest::keyClick(box, Qt::Key_Return);
    QCoreApplication::processEvents();  // the delegate commits through a queued call
    EXPECT_EQ(ds.FieldByName("NAP").AsString(), "Sze");
    EXPECT_EQ(Value(), "0");
    grid.Model()->PostRow();
    EXPECT_EQ(posts, 1);
}
