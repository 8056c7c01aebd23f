#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>

#include "platform/db/ListDataset.h"
#include "platform/ui/DatasetGridModel.h"
#include "platform/ui/FieldLink.h"

namespace {

class Names : public db::ListDataset {
public:
    Names() {
        SetFieldDefs({{"KOD", db::FieldType::String, 3}, {"NEV", db::FieldType::String, 30}});
        Open();
        for (auto [kod, nev] : {std::pair{"001", "Alfa Kft"}, {"002", "Béta Bt"}, {"003", "Gamma Zrt"}}) {
            Append();
            FieldByName("KOD").SetAsString(kod);
            FieldByName("NEV").SetAsString(nev);
            Post();
        }
        First();
    }
};

}  // namespace

TEST(DatasetGridModel, RowsFollowTheDatasetBothWays) {
    Names ds;
    ds.FieldByName("NEV").DisplayLabel = "Név";
    ui::DatasetGridModel model;
    model.SetColumns({{"KOD", "", 25, true}, {"NEV", "", 200, false}});
    model.SetDataSet(&ds);
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), "Béta Bt");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Név");
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "KOD");
    EXPECT_TRUE(model.headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());

    int signalled = -2;
    QObject::connect(&model, &ui::DatasetGridModel::CurrentRowChanged, [&](int row) { signalled = row; });
    ds.Last();
    EXPECT_EQ(model.CurrentRow(), 2);
    EXPECT_EQ(signalled, 2);
    model.GotoRow(1);
    EXPECT_EQ(ds.FieldByName("KOD").AsString(), "002");

    // Reading the rows leaves the dataset where it was.
    model.Reload();
    EXPECT_EQ(ds.FieldByName("KOD").AsString(), "002");

    ds.Delete();
    EXPECT_EQ(model.rowCount(), 2);
    ds.Close();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.CurrentRow(), -1);
}

TEST(FieldLink, ShowsTheCurrentRecordsField) {
    Names ds;
    QLabel label;
    QLineEdit edit;
    ui::FieldLink toLabel(&label, &ds, "NEV");
    ui::FieldLink toEdit(&edit, &ds, "KOD");
    EXPECT_EQ(label.text(), "Alfa Kft");
    EXPECT_EQ(edit.text(), "001");
    ds.Next();
    EXPECT_EQ(label.text(), "Béta Bt");
    ds.Edit();
    ds.FieldByName("NEV").SetAsString("Béta Kft");
    EXPECT_EQ(label.text(), "Béta Kft");
    ds.Cancel();
    ds.Close();
    EXPECT_EQ(label.text(), "");
}
