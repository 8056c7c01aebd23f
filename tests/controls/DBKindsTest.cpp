#include <gtest/gtest.h>

#include <QLabel>

#include "FormHost.h"
#include "controls/DBControls.h"
#include "controls/DBKinds.h"
#include "controls/DBText.h"
#include "platform/db/ListDataset.h"
#include "platform/os/DayNumber.h"
#include "platform/ui/ControlKinds.h"

using testsupport::FormHost;

namespace {

struct EntryForm : FormHost {
    TDBText* DBText1 = nullptr;
    TDBDateEdit* DBDateEdit1 = nullptr;
    TDBDateEdit* DBDateEdit2 = nullptr;
    QLabel* Label1 = nullptr;
    TDBEdit* DBEdit1 = nullptr;
    TDBDateEdit* DBDateEdit3 = nullptr;
};

using F = EntryForm;

// clang-format off
const ui::ControlRow<F> kRows[] = {
//   member           kind        name           field          cell
    {&F::DBText1,     DBText,     "DBText1",     "DG_NEV",      {0, 1}},
    {&F::DBDateEdit1, DBDateEdit, "DBDateEdit1", "DG_BELEPDAT", {1, 1}},
    {&F::Label1,      ui::Label,  "Label1",      "Kilépés :",   {2, 0}},
    {&F::DBDateEdit2, DBDateEdit, "DBDateEdit2", "DG_KILEPDAT", {2, 1}},
    {&F::DBEdit1,     UnboundDBEdit,     "DBEdit1",     "DG_NEV",      {3, 1}},
    {&F::DBDateEdit3, UnboundDBDateEdit, "DBDateEdit3", "DG_BELEPDAT", {4, 1}},
};
// clang-format on

// Two employees, the dataset's persistent fields carrying captions; the
// form built from the table with a handler that reads the field on exit.
struct DBKindsTest : testing::Test {
    void SetUp() override {
        const db::FieldDefs defs = {{"DG_NEV", db::FieldType::String, 30},
                                    {"DG_BELEPDAT", db::FieldType::Date},
                                    {"DG_KILEPDAT", db::FieldType::Date}};
        ds.SetFieldDefs(defs);
        ds.AddField(defs[0]).DisplayLabel = "Név :";
        db::Field& entry = ds.AddField(defs[1]);
        entry.DisplayLabel = "Belépés :";
        ds.AddField(defs[2]).DisplayLabel = "Kilépés dátuma :";
        ds.Open();
        for (const char* name : {"Kiss Anna", "Nagy Béla"}) {
            ds.Append();
            ds.FieldByName("DG_NEV").SetAsString(name);
            ds.Post();
        }
        ds.First();
        entry.Required = true;
        ui::ControlBuilder b;
        b.source = &src;
        b.events.OnExit = [this](QWidget* w) {
            exits.push_back(w->objectName().toStdString() + " " + ds.FieldByName("DG_BELEPDAT").AsString());
        };
        b.Build(form, &form, kRows);
    }

    db::ListDataset ds;
    db::DataSource src{&ds};
    EntryForm form;
    std::vector<std::string> exits;
};

}  // namespace

TEST_F(DBKindsTest, BoundControlsFollowTheSourceAndCarryTheirFieldsCaption) {
    EXPECT_EQ(form.DBText1->text(), "Kiss Anna");
    ds.Next();
    EXPECT_EQ(form.DBText1->text(), "Nagy Béla");
    EXPECT_EQ(form.DBDateEdit1->DataField(), "DG_BELEPDAT");

    // The caption beside the edit, bold for a required field; none where the
    // table puts its own label, and none for a label that shows the field.
    QLabel* caption = ui::CaptionOf(form.DBDateEdit1);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->objectName(), "DBDateEdit1Caption");
    EXPECT_EQ(caption->text(), "Belépés :");
    EXPECT_TRUE(caption->font().bold());
    EXPECT_EQ(ui::CaptionOf(form.DBDateEdit2), nullptr);
    EXPECT_EQ(ui::CaptionOf(form.DBText1), nullptr);
}

TEST_F(DBKindsTest, ExitHandlerSeesTheDateWritten) {
    form.Start(form.DBDateEdit1);
    ds.Edit();
    QTest::keyClicks(form.DBDateEdit1, "20190601");
    form.Leave();
    EXPECT_EQ(exits, std::vector<std::string>{"DBDateEdit1 2019.06.01"});
    ds.Cancel();
}

// The unbound kinds show nothing of the record the builder's source stands
// on until the form binds them; then they follow it like the bound ones.
TEST_F(DBKindsTest, UnboundControlsWaitForTheFormToBindThem) {
    for (QLineEdit* e : std::initializer_list<QLineEdit*>{form.DBEdit1, form.DBDateEdit3}) {
        SCOPED_TRACE(e->objectName().toStdString());
        EXPECT_EQ(ui::CaptionOf(e), nullptr);
        EXPECT_NE(e->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);  // as wide as its cell
    }
    EXPECT_EQ(form.DBEdit1->DataSource(), nullptr);
    EXPECT_EQ(form.DBEdit1->text(), "");
    EXPECT_EQ(form.DBDateEdit3->DataSource(), nullptr);
    EXPECT_EQ(form.DBDateEdit3->DataField(), "DG_BELEPDAT");

    form.DBEdit1->SetDataSource(&src);
    EXPECT_EQ(form.DBEdit1->text(), "Kiss Anna");
    ds.Next();
    EXPECT_EQ(form.DBEdit1->text(), "Nagy Béla");
}
