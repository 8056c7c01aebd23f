#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

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

TEST_F(Days, ReadOnlyFieldsAreNotEditedAndTheEllipsisAsksTheForm) {
    ui::DatasetGridModel& model = *grid.Model();
    model.SetColumnEditing(0, {false, {}, true});
    ds.FieldByName("ERTEK").ReadOnly = true;
    grid.SetEditing(true);
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.setData(model.index(0, 0), "X"));  // the ellipsis column is never typed
    std::vector<int> asked;
    QObject::connect(&grid, &ui::DatasetGrid::EditButtonClicked,
                     [&](int column) { asked.push_back(column); });
    grid.setCurrentIndex(model.index(1, 0));
    QTest::keyClick(&grid, Qt::Key_Return, Qt::ControlModifier);
    grid.edit(grid.currentIndex());
    auto* button = grid.findChild<QToolButton*>("EllipsisButton");
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_EQ(asked, (std::vector<int>{0, 0}));
    EXPECT_EQ(ds.FieldByName("NAP").AsString(), "K");
    EXPECT_EQ(ds.State(), db::DatasetState::Browse);
}

TEST_F(Days, AnInsertedRowIsPostedWhenTypedIntoAndCancelledWhenLeftUntouched) {
    ui::DatasetGridModel& model = *grid.Model();
    grid.SetEditing(true);
    grid.setCurrentIndex(model.index(1, 1));
    ds.Insert();
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.CurrentRow(), 1);
    QTest::keyClick(&grid, Qt::Key_Down);  // nothing typed: the new record goes
    EXPECT_EQ(ds.State(), db::DatasetState::Browse);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(posts, 0);

    ds.Append();
    EXPECT_EQ(model.CurrentRow(), 3);
    grid.setCurrentIndex(model.index(3, 1));
    QTest::keyClick(&grid, Qt::Key_0);
    EXPECT_EQ(model.data(model.index(3, 1)).toString(), "0");
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.data(model.index(3, 1)).toString(), "0");
}

TEST_F(Days, APostTakesTheTextOfAnOpenCellEditor) {
    ui::DatasetGridModel& model = *grid.Model();
    model.SetColumnEditing(0, {});
    grid.SetEditing(true);
    grid.setCurrentIndex(model.index(0, 0));
    ds.Edit();
    grid.edit(grid.currentIndex());
    auto* edit = grid.findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    edit->setText("Cs");
    ds.FieldByName("ERTEK").SetAsString("0");  // a change of another field shows at once
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), "0");
    ds.Post();
    EXPECT_EQ(ds.FieldByName("NAP").AsString(), "Cs");
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "Cs");
}

// Narrow design widths still show the whole title and a short number.
TEST(DatasetGrid, ColumnsHoldTheirTitleAndThreeDigits) {
    ui::DatasetGrid grid;
    grid.SetColumns({{"SF_JCKOD", "Jogcím kód", 61, true}, {"SF_ORA", "Óra", 25, false}});
    for (int i = 0; i < 2; ++i) {
        QFont font = grid.horizontalHeader()->font();
        font.setBold(i == 0);
        const QString title = grid.Model()->headerData(i, Qt::Horizontal).toString();
        EXPECT_GT(grid.columnWidth(i), QFontMetrics(font).horizontalAdvance(title)) << title.toStdString();
    }
    EXPECT_GT(grid.columnWidth(1), grid.fontMetrics().horizontalAdvance("160") + 8);
    EXPECT_GE(grid.sizeHint().width(), grid.columnWidth(0) + grid.columnWidth(1));  // opens without scrolling
}
