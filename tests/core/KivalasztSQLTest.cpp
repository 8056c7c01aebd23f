#include "core/KivalasztSQL.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QHeaderView>
#include <QListWidget>
#include <QTableView>
#include <QTest>

#include "core/DataModule1.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "support/CompanyFixture.h"
#include "support/TestSupport.h"

namespace {

// Company 001's employee table with four employees, one with an apostrophe.
class SqlPickListTest : public testsupport::YearFolderTest {
protected:
    void SetUp() override {
        YearFolderTest::SetUp();
        testsupport::MakeCompany("001", "Minta Kft", "Minta");
        dm->TableDolgozo->TableName = "Dolgozo_001";
        dm->TableDolgozo->Open();
        testsupport::AddEmployees(*dm->TableDolgozo, {{"00000000001", "Kovács Péter"},
                                                      {"00000000002", "O'Brien Tamás"},
                                                      {"00000000003", "Antal Béla"},
                                                      {"00000000004", "Szabó Éva"}});
        form = std::make_unique<TKivalasztSQLForm>();
    }
    void TearDown() override {
        form.reset();
        dm->TableDolgozo->Close();
        YearFolderTest::TearDown();
    }

    std::vector<db::Field*> Fields(std::initializer_list<const char*> names) {
        std::vector<db::Field*> fields;
        for (const char* n : names) fields.push_back(&dm->TableDolgozo->FieldByName(n));
        return fields;
    }
    int Rows() const { return form->DBGrid1->model()->rowCount(); }
    std::string Current() const { return dm->TableDolgozo->FieldByName("DG_NEV").AsString(); }

    std::unique_ptr<TKivalasztSQLForm> form;
};

TEST_F(SqlPickListTest, FiltersWithoutConditionStartWithWhereAndBindTheValue) {
    form->KivalasztSQLBeallit(*dm->TableDolgozo, Fields({"DG_NEV", "DG_TORZSSZAM"}), {200, 73}, "", 0);
    form->show();
    EXPECT_EQ(form->SqlLines(), (std::vector<std::string>{"Select DG_NEV, DG_TORZSSZAM From \"Dolgozo_001\"",
                                                          "Order By 1, 2"}));
    EXPECT_EQ(Rows(), 4);
    EXPECT_EQ(form->DBGrid1->model()->index(0, 0).data().toString(), "Antal Béla");

    QTest::keyClicks(form->DBGrid1, "o'b");
    EXPECT_EQ(Current(), "O'Brien Tamás");
    form->PopupTol->trigger();
    EXPECT_EQ(form->SqlLines()[1], "Where \"DG_NEV\" >= :Szuro1");
    // A name with an apostrophe is only a value.
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(form->ListBox1->item(0)->text(), "Dolgozó neve..........O'Brien Tamás -tól");

    // The second column's title makes it the first; a filter on it adds "And".
    form->TitleClick(1);
    EXPECT_EQ(form->ColumnFields(), (std::vector<std::string>{"DG_TORZSSZAM", "DG_NEV"}));
    EXPECT_EQ(form->SqlLines()[0], "Select DG_TORZSSZAM, DG_NEV From \"Dolgozo_001\"");
    EXPECT_EQ(form->DBGrid1->model()->index(0, 0).data().toString(), "00000000002");
    form->PopupIg->trigger();
    EXPECT_EQ(form->SqlLines()[2], "And \"DG_TORZSSZAM\" <= :Szuro2");
    EXPECT_EQ(Rows(), 1);

    form->PopupTorles->trigger();
    EXPECT_EQ(form->SqlLines().size(), 2u);
    EXPECT_EQ(Rows(), 4);
    EXPECT_EQ(form->ListBox1->count(), 0);
    form->reject();
}

TEST_F(SqlPickListTest, ConditionStaysAndEveryFilterIsAnAnd) {
    form->KivalasztSQLBeallit(*dm->TableDolgozo, Fields({"DG_TORZSSZAM", "DG_NEV"}), {73, 336},
                              "Where DG_TORZSSZAM <> '00000000003'", 0);
    EXPECT_EQ(Rows(), 3);
    form->PopupTol->trigger();  // from the first row, 00000000001
    EXPECT_EQ(form->SqlLines()[2], "And \"DG_TORZSSZAM\" >= :Szuro1");
    EXPECT_EQ(Rows(), 3);
    form->PopupTorles->trigger();
    EXPECT_EQ(form->SqlLines(),
              (std::vector<std::string>{"Select DG_TORZSSZAM, DG_NEV From \"Dolgozo_001\"",
                                        "Where DG_TORZSSZAM <> '00000000003'", "Order By 1, 2"}));
    form->reject();
}

TEST_F(SqlPickListTest, HiddenFieldStaysHiddenAndWidths) {
    form->KivalasztSQLBeallit(*dm->TableDolgozo, Fields({"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD"}), {73, 336, 0},
                              "", 0);
    EXPECT_EQ(form->SqlLines()[0], "Select DG_TORZSSZAM, DG_NEV, DG_MHKOD From \"Dolgozo_001\"");
    EXPECT_TRUE(form->DBGrid1->isColumnHidden(2));
    EXPECT_EQ(form->DBGrid1->model()->headerData(1, Qt::Horizontal).toString(), "Dolgozó neve");
    form->TitleClick(1);
    EXPECT_EQ(form->DBGrid1->model()->headerData(1, Qt::Horizontal).toString(), "Törzsszám");
    EXPECT_TRUE(form->DBGrid1->isColumnHidden(2));
    EXPECT_FALSE(form->DBGrid1->isColumnHidden(0));
    EXPECT_EQ(form->width(), form->Px(73 + 1 + 336 + 1 + 1 + 42));  // the hidden column counts its separator
    form->reject();

    form->KivalasztSQLBeallit(*dm->TableDolgozo, Fields({"DG_TORZSSZAM", "DG_NEV"}), {73, 336}, "", 0);
    EXPECT_EQ(form->width(), form->Px(453));
    form->reject();
    form->KivalasztSQLBeallit(*dm->TableDolgozo, Fields({"DG_TORZSSZAM"}), {50}, "", 0);
    EXPECT_EQ(form->width(), form->Px(146));
    form->reject();
}

TEST_F(SqlPickListTest, DraggedColumnBecomesTheStatementsOrder) {
    form->KivalasztSQLBeallit(*dm->TableDolgozo, Fields({"DG_TORZSSZAM", "DG_NEV"}), {73, 336}, "", 0);
    form->DBGrid1->horizontalHeader()->moveSection(1, 0);
    EXPECT_EQ(form->SqlLines()[0], "Select DG_NEV, DG_TORZSSZAM From \"Dolgozo_001\"");
    EXPECT_EQ(form->DBGrid1->model()->index(0, 0).data().toString(), "Antal Béla");
    EXPECT_EQ(form->DBGrid1->horizontalHeader()->visualIndex(0), 0);
    QTest::keyClicks(form->DBGrid1, "sz");  // typing searches the new first column
    EXPECT_EQ(Current(), "Szabó Éva");
    form->reject();
}

TEST_F(SqlPickListTest, EscRestoresAndEnterChooses) {
    dm->TableDolgozo->Last();
    form->KivalasztSQLBeallit(*dm->TableDolgozo, Fields({"DG_NEV", "DG_TORZSSZAM"}), {200, 73}, "", 0);
    form->show();
    EXPECT_EQ(Current(), "Antal Béla");  // the table follows the first row
    QTest::keyClick(form->DBGrid1, Qt::Key_Escape);
    EXPECT_FALSE(form->ErtekAtadSQL());
    EXPECT_EQ(Current(), "Szabó Éva");

    dm->TableDolgozo->First();  // "Kovács Péter"
    form->KivalasztSQLBeallit(*dm->TableDolgozo, Fields({"DG_NEV", "DG_TORZSSZAM"}), {200, 73}, "", 1);
    form->show();
    EXPECT_EQ(form->DBGrid1->currentIndex().row(), 1);
    QTest::keyClick(form->DBGrid1, Qt::Key_Down);
    QTest::keyClick(form->DBGrid1, Qt::Key_Return);
    EXPECT_TRUE(form->ErtekAtadSQL());
    EXPECT_EQ(Current(), "O'Brien Tamás");
}

}  // namespace
