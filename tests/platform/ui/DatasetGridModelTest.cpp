#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <tuple>

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

// Records replaced as a whole while the controls are off, with the same count
// and so the same first bookmark (identifiers start again): the grid reads
// them again instead of taking the change for a move.
TEST(DatasetGridModel, RecordsReplacedWithTheSameCountAreReadAgain) {
    struct Refillable : Names {
        void Replace(const std::vector<std::string>& names) {
            DisableControls();
            ClearStored();
            Resync(0);
            for (const std::string& n : names) {
                Append();
                FieldByName("NEV").SetAsString(n);
                Post();
            }
            First();
            EnableControls();
        }
    } ds;
    ui::DatasetGridModel model;
    model.SetColumns({{"NEV", "", 200, false}});
    model.SetDataSet(&ds);
    ds.Replace({"Delta Kft", "Epszilon Bt", "Zéta Zrt"});
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "Delta Kft");
    EXPECT_EQ(model.data(model.index(2, 0)).toString(), "Zéta Zrt");
}

// A number field's display format is what the grid shows, its edit format
// what an editor starts from; the field's own text stays plain.
TEST(DatasetGridModel, ShowsTheDisplayTextAndEditsTheEditText) {
    db::ListDataset ds;
    ds.SetFieldDefs({{"OSSZEG", db::FieldType::Float, 0}});
    ds.Open();
    for (double v : {1234567.0, -270005.0}) {
        ds.Append();
        ds.FieldByName("OSSZEG").SetAsFloat(v);
        ds.Post();
    }
    ds.Append();
    ds.Post();  // null
    db::Field& f = ds.FieldByName("OSSZEG");
    f.DisplayFormat = "## ### ##0";
    f.EditFormat = "########";
    ui::DatasetGridModel model;
    model.SetColumns({{"OSSZEG", "", 58, false}});
    model.SetDataSet(&ds);
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "1 234 567");
    EXPECT_EQ(model.data(model.index(0, 0), Qt::EditRole).toString(), "1234567");
    EXPECT_EQ(model.data(model.index(1, 0)).toString(), "-270 005");
    EXPECT_EQ(model.data(model.index(2, 0)).toString(), "");
    ds.First();
    EXPECT_EQ(f.AsString(), "1234567");
}

// Amounts are typed as they are shown: grouped with blanks or no-break
// spaces. Anything else is still refused with the typed text named.
TEST(DatasetGridModel, NumberCellsTakeGroupedThousands) {
    db::ListDataset ds;
    ds.SetFieldDefs({{"OSSZEG", db::FieldType::Float, 0}, {"NAP", db::FieldType::Integer, 0}});
    ds.Open();
    ds.Append();
    ds.Post();
    ui::DatasetGridModel model;
    model.SetColumns({{"OSSZEG", "", 58, false}, {"NAP", "", 26, false}});
    model.SetDataSet(&ds);
    model.SetEditing(true);
    const std::tuple<int, const char*, double> cases[] = {
        {0, "250 000", 250000}, {0, "1\u00a0234,5", 1234.5}, {1, "1 000", 1000}};
    for (const auto& [column, typed, stored] : cases) {
        EXPECT_TRUE(model.setData(model.index(0, column), QString::fromUtf8(typed)));
        EXPECT_EQ(ds.Fields(column).AsFloat(), stored) << typed;
    }
    try {
        model.setData(model.index(0, 0), "25 0000");
        ADD_FAILURE() << "no error";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "'25 0000' is not a valid floating point value");
    }
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
