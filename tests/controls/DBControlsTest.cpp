#include <gtest/gtest.h>

#include "FormHost.h"
#include "controls/DBControls.h"
#include "platform/db/ListDataset.h"

using testsupport::FormHost;

namespace {

// One payment place with a masked code and a flag, behind a source that never
// starts an edit itself (as the data module's sources).
struct Bound : testing::Test {
    void SetUp() override {
        ds.SetFieldDefs({{"KH_KOD", db::FieldType::String, 6},
                         {"KH_NEV", db::FieldType::String, 10},
                         {"KH_JEL", db::FieldType::String, 1}});
        ds.Open();
        ds.FieldByName("KH_KOD").EditMask = "999999;1;_";
        ds.Append();
        ds.FieldByName("KH_KOD").SetAsString("7");
        ds.FieldByName("KH_NEV").SetAsString("Első");
        ds.FieldByName("KH_JEL").SetAsString("I");
        ds.Post();
        src.AutoEdit = false;
        code = new TDBEdit(&host);
        name = new TDBEdit(&host);
        flag = new TDBCheckBox(&host);
        code->SetDataSource(&src);
        code->SetDataField("KH_KOD");
        name->SetDataSource(&src);
        name->SetDataField("KH_NEV");
        flag->SetDataSource(&src);
        flag->SetDataField("KH_JEL");
        name->move(0, 30);
        flag->move(0, 60);
        host.Start(code);
    }

    db::ListDataset ds;
    db::DataSource src{&ds};
    FormHost host;
    TDBEdit* code = nullptr;
    TDBEdit* name = nullptr;
    TDBCheckBox* flag = nullptr;
};

}  // namespace

TEST_F(Bound, BrowseModeTypingAndClickingChangeNothing) {
    EXPECT_EQ(code->Text(), "7");
    EXPECT_EQ(code->displayText(), "7_____");
    EXPECT_EQ(name->maxLength(), 10);
    EXPECT_TRUE(flag->isChecked());
    QTest::keyClicks(name, "xyz");
    QTest::keyClick(name, Qt::Key_Backspace);
    flag->click();
    host.Leave();
    EXPECT_EQ(ds.State(), db::DatasetState::Browse);
    EXPECT_EQ(ds.FieldByName("KH_NEV").AsString(), "Első");
    EXPECT_EQ(ds.FieldByName("KH_JEL").AsString(), "I");
    EXPECT_EQ(name->Text(), "Első");
    EXPECT_TRUE(flag->isChecked());
}

TEST_F(Bound, InsertStateTypingReachesTheFieldsOnLeaveAndOnPost) {
    ds.Append();
    EXPECT_FALSE(code->isReadOnly());
    EXPECT_EQ(code->Text(), "");
    code->setFocus();
    QTest::keyClicks(code, "12");
    EXPECT_EQ(code->displayText(), "12____");
    name->setFocus();  // leaving the code writes it
    EXPECT_EQ(ds.FieldByName("KH_KOD").AsString(), "12");
    QTest::keyClicks(name, "Masodik");
    flag->click();
    EXPECT_EQ(ds.FieldByName("KH_NEV").AsString(), "");  // still in the edit
    ds.Post();                                           // the post takes what the edits hold
    EXPECT_EQ(ds.FieldByName("KH_NEV").AsString(), "Masodik");
    EXPECT_EQ(ds.FieldByName("KH_JEL").AsString(), "I");
    ds.Edit();
    flag->click();
    ds.Post();
    EXPECT_EQ(ds.FieldByName("KH_JEL").AsString(), "N");
    EXPECT_FALSE(flag->isChecked());
    EXPECT_TRUE(code->isReadOnly());
}

TEST_F(Bound, EscDropsWhatWasTyped) {
    ds.Edit();
    QTest::keyClicks(name, "xx");
    QTest::keyClick(name, Qt::Key_Escape);
    EXPECT_EQ(name->Text(), "Első");
    ds.Post();
    EXPECT_EQ(ds.FieldByName("KH_NEV").AsString(), "Első");
}

// Another window coming up (a pick list opened with F2) neither leaves nor
// enters the edit: no exit check runs and the caret stays where it was.
TEST_F(Bound, AnotherWindowIsNoLeavingOfTheEdit) {
    int exits = 0;
    QObject::connect(name, &TDBEdit::Exited, [&exits] { ++exits; });
    ds.Edit();
    name->setFocus();
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClicks(name, "x");
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(name, &away);
    QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(name, &back);
    EXPECT_EQ(exits, 0);
    EXPECT_FALSE(name->hasSelectedText());
    QFocusEvent left(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(name, &left);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(ds.FieldByName("KH_NEV").AsString(), "Elsőx");
}

// A flag holding neither "I" nor "N" is undecided: grey until a click
// decides it, and a grey box writes an empty field.
TEST_F(Bound, AFlagWithoutAValueIsGreyUntilClicked) {
    ds.Append();
    EXPECT_TRUE(flag->Grey());
    flag->click();
    EXPECT_EQ(flag->checkState(), Qt::Checked);
    flag->click();
    EXPECT_EQ(flag->checkState(), Qt::Unchecked);  // clicks never make it grey again
    ds.Post();
    EXPECT_EQ(ds.FieldByName("KH_JEL").AsString(), "N");

    ds.Edit();
    ds.FieldByName("KH_JEL").SetAsString("x");
    EXPECT_TRUE(flag->Grey());
    ds.Post();
    ds.Edit();
    flag->click();
    flag->click();
    ds.Cancel();
    EXPECT_TRUE(flag->Grey());
    EXPECT_EQ(ds.FieldByName("KH_JEL").AsString(), "x");
}

// The fixed-items combo shows the stored code, nothing for a value that is
// no item, and writes a chosen code only while the record is edited.
TEST_F(Bound, AFixedItemsComboWritesTheChosenCodeOnlyWhileEditing) {
    auto* combo = new TDBComboBox(&host);
    combo->addItems({"1", "2", "3", "0"});
    combo->SetDataSource(&src);
    combo->SetDataField("KH_JEL");
    EXPECT_EQ(combo->currentIndex(), -1);  // "I" is no item
    combo->setCurrentIndex(1);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(ds.FieldByName("KH_JEL").AsString(), "I");

    ds.Edit();
    combo->setCurrentIndex(3);
    EXPECT_EQ(ds.FieldByName("KH_JEL").AsString(), "0");
    ds.Post();
    ds.Edit();
    ds.FieldByName("KH_JEL").SetAsString("2");
    EXPECT_EQ(combo->currentText(), "2");
    ds.Cancel();
    EXPECT_EQ(combo->currentText(), "0");
}

// An amount typed as the program shows it ("250 000") is the number.
TEST(TDBEdit, AmountsTakeGroupedThousands) {
    db::ListDataset ds;
    ds.SetFieldDefs({{"DG_ALAPBER", db::FieldType::Float, 0}});
    ds.Open();
    db::DataSource src{&ds};
    FormHost host;
    auto* wage = new TDBEdit(&host);
    auto* other = new TDBEdit(&host);
    wage->SetDataSource(&src);
    wage->SetDataField("DG_ALAPBER");
    other->move(0, 30);
    host.Start(wage);
    for (const auto& [typed, stored] :
         {std::pair{"250 000", 250000.0}, {"1 234,5", 1234.5}, {"250\u00a0000", 250000.0}}) {
        ds.Append();
        wage->setFocus();
        QTest::keyClicks(wage, QString::fromUtf8(typed));
        other->setFocus();
        EXPECT_EQ(ds.FieldByName("DG_ALAPBER").AsFloat(), stored) << typed;
        ds.Post();
    }
}
