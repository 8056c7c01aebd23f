#include <gtest/gtest.h>

#include "FormHost.h"
#include "controls/DBDateEdits.h"
#include "platform/db/ListDataset.h"
#include "platform/os/DayNumber.h"
#include "support/DialogTest.h"

using testsupport::FormHost;

namespace {

double D(int y, int m, int d) { return os::EncodeDate(y, m, d); }

// Two employees: one with a date of entry at 06:00, one without.
struct Employees : testing::Test {
    void SetUp() override {
        ds.SetFieldDefs({{"DG_NEV", db::FieldType::String, 20}, {"DG_BELEPDAT", db::FieldType::DateTime}});
        ds.Open();
        ds.Append();
        ds.FieldByName("DG_NEV").SetAsString("Kiss Anna");
        ds.FieldByName("DG_BELEPDAT").SetAsDateTime(D(2019, 5, 10) + 0.25);
        ds.Post();
        ds.Append();
        ds.FieldByName("DG_NEV").SetAsString("Nagy Béla");
        ds.Post();
        ds.First();
        edit = new TDBDateEdit(&host);
        edit->SetButtonWidth(0);
        edit->SetDataSource(&src);
        edit->SetDataField("DG_BELEPDAT");
        host.Start(edit);
    }
    db::Field& Date() { return ds.FieldByName("DG_BELEPDAT"); }

    db::ListDataset ds;
    db::DataSource src{&ds};
    FormHost host;
    TDBDateEdit* edit = nullptr;
};

}  // namespace

TEST_F(Employees, ShowsTheFieldAsTheRecordMoves) {
    EXPECT_EQ(edit->Text(), "2019.05.10");
    int changes = 0;
    edit->OnChange = [&] { ++changes; };
    ds.Next();
    EXPECT_EQ(edit->Text(), "    .  .  ");
    EXPECT_EQ(changes, 1);
    ds.First();
    EXPECT_EQ(edit->DateValue(), D(2019, 5, 10));
    EXPECT_TRUE(edit->isReadOnly());  // browsing: the window refuses typing
}

TEST_F(Employees, TypingEditsTheDatasetAndLeavingWritesTheField) {
    int exits = 0;
    edit->OnExit = [&] {
        ++exits;
        EXPECT_EQ(Date().AsDateTime(), D(2019, 6, 1) + 0.25);  // written before OnExit
    };
    edit->setCursorPosition(5);
    QTest::keyClicks(edit, "06");
    EXPECT_EQ(ds.State(), db::DatasetState::Edit);
    EXPECT_EQ(edit->Text(), "2019.06.10");
    QTest::keyClicks(edit, "01");
    host.Leave();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(Date().AsDateTime(), D(2019, 6, 1) + 0.25);  // the time of day survives
    ds.Post();
    EXPECT_EQ(Date().AsDateTime(), D(2019, 6, 1) + 0.25);
}

TEST_F(Employees, ClearingAndLeavingMakesTheFieldNull) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(ds.State(), db::DatasetState::Edit);
    EXPECT_EQ(edit->Text(), "    .  .  ");
    host.Leave();
    EXPECT_TRUE(Date().IsNull());
}

TEST_F(Employees, EscRestoresTheStoredDate) {
    edit->selectAll();
    QTest::keyClicks(edit, "20200101");
    EXPECT_EQ(edit->Text(), "2020.01.01");
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->Text(), "2019.05.10");
    host.Leave();
    EXPECT_EQ(Date().AsDateTime(), D(2019, 5, 10) + 0.25);
}

TEST_F(Employees, PostWritesThePendingTextAndLettersAreRefused) {
    const os::FixedClock clock(os::EncodeDate(2019, 12, 31) + os::EncodeTime(14, 30, 5));
    edit->selectAll();
    QTest::keyClicks(edit, "2019x0909");
    EXPECT_EQ(edit->Text(), "2019.09.09");
    ds.Post();  // without leaving the control
    EXPECT_EQ(Date().AsDateTime(), D(2019, 9, 9) + 0.25);
    EXPECT_TRUE(edit->isReadOnly());
    ds.Next();
    testsupport::KeypadKey(edit, Qt::Key_Plus);  // an empty date: tomorrow
    EXPECT_EQ(ds.State(), db::DatasetState::Edit);
    host.Leave();
    EXPECT_EQ(Date().AsDateTime(), D(2020, 1, 1));
}

TEST_F(Employees, AnEditBeingDestroyedFiresNoEvents) {
    int changes = 0;
    edit->OnChange = [&] { ++changes; };
    ds.Edit();
    delete edit;
    edit = nullptr;
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(Date().AsDateTime(), D(2019, 5, 10) + 0.25);
    ds.Next();  // the dataset no longer knows the edit
    EXPECT_EQ(changes, 0);
}

TEST_F(Employees, ReadOnlyAndAFreedDataSource) {
    edit->SetReadOnly(true);
    QTest::keyClicks(edit, "1");
    EXPECT_EQ(ds.State(), db::DatasetState::Browse);
    edit->SetReadOnly(false);
    {
        db::DataSource temporary(&ds);
        edit->SetDataSource(&temporary);
        EXPECT_EQ(edit->Field(), &Date());
    }
    EXPECT_EQ(edit->DataSource(), nullptr);
    EXPECT_EQ(edit->Field(), nullptr);
    EXPECT_EQ(edit->Text(), "    .  .  ");
}

TEST_F(Employees, ADatasetThatRefusesEditingKeepsTheDate) {
    ds.ReadOnly = true;
    int exits = 0;
    edit->OnExit = [&] { ++exits; };
    testsupport::KeypadKey(edit, Qt::Key_Plus);
    QTest::keyClicks(edit, "t");
    EXPECT_EQ(edit->Text(), "2019.05.10");
    EXPECT_EQ(ds.State(), db::DatasetState::Browse);
    testsupport::ScriptedDialogs dialogs;  // leaving shows nothing
    host.Leave();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(Date().AsDateTime(), D(2019, 5, 10) + 0.25);
}
