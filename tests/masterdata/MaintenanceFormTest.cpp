// The maintenance pattern driven through its simplest members, the payment
// places and the workplaces, the way a user drives them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "controls/DBControls.h"
#include "core/Kivalaszt.h"
#include "masterdata/TorzskezKifhely.h"
#include "masterdata/TorzskezMhely.h"
#include "support/ActiveWindow.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"

namespace {

class MaintenanceTest : public testsupport::CompanyTest {
protected:
    static void AddRows(db::Table& t,
                        const std::vector<std::vector<std::pair<const char*, const char*>>>& rows) {
        t.Open();
        for (const auto& row : rows) {
            t.Append();
            for (auto [field, value] : row) t.FieldByName(field).SetAsString(value);
            t.Post();
        }
        t.Close();
    }
    void AddPaymentPlaces(std::initializer_list<const char*> codes) {
        for (const char* c : codes) AddRows(*dm->TableKifhely, {{{"KH_KOD", c}, {"KH_NEV", "Hely"}}});
    }
    void AddWorkplace(const char* code, const char* paymentPlace) {
        AddRows(*dm->TableMhely, {{{"MH_KOD", code}, {"MH_NEV", "Műhely"}, {"MH_KHKOD", paymentPlace}}});
    }

    // Shows the form as the active window.
    template <class Form>
    std::unique_ptr<Form> Open() {
        return testsupport::OpenActive<Form>();
    }

    static std::vector<std::string> Codes(db::Table& t, const char* field) {
        std::vector<std::string> out;
        const db::Bookmark here = t.GetBookmark();
        for (t.First(); !t.Eof(); t.Next()) out.push_back(t.FieldByName(field).AsString());
        if (here) t.GotoBookmark(here);
        return out;
    }

    testsupport::ScriptedDialogs dialogs;
};

QString Focused() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

}  // namespace

TEST_F(MaintenanceTest, OpeningAnEmptyTableLeavesOnlyInsertAndBrowsing) {
    auto form = Open<TTorzskezKifhelyForm>();
    EXPECT_EQ(form->windowTitle(), "Törzskezelés/Kifizetőhely");
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             form->BitBtn1, form->BitBtn2, form->BitBtn3, form->BitBtn4, form->BitBtn5, form->BitBtn10})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             form->BitBtn6, form->BitBtn7, form->BitBtn8, form->BitBtn9, form->BitBtn11})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    dialogs.Answer(ui::Yes);  // "Valóban kilép a törzskezelésből?"
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(dialogs.Text(0), "Valóban kilép a törzskezelésből?");
    EXPECT_EQ(dialogs.Shown()[0].icon, ui::Icon::Question);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(dm->TableKifhely->Active());
    EXPECT_EQ(KivalasztForm, nullptr);
}

TEST_F(MaintenanceTest, AddingAPaymentPlaceStoresTheTypedCodeAndRefusesItTwice) {
    AddPaymentPlaces({"05"});
    auto form = Open<TTorzskezKifhelyForm>();
    db::Table& kh = *dm->TableKifhely;

    QTest::keyClick(form->KH_NEV, Qt::Key_X);  // browse mode: typing changes nothing
    EXPECT_EQ(kh.State(), db::DatasetState::Browse);
    EXPECT_EQ(form->KH_NEV->Text(), "Hely");

    form->BitBtn5->click();
    EXPECT_EQ(form->Mode(), 1);
    EXPECT_EQ(Focused(), "KH_KOD");
    EXPECT_FALSE(form->BitBtn11->isEnabled());
    EXPECT_TRUE(form->BitBtn9->isEnabled());
    QTest::keyClicks(form->KH_KOD, "12");
    EXPECT_EQ(form->KH_KOD->displayText(), "12____");
    QTest::keyClick(form->KH_KOD, Qt::Key_Return);
    EXPECT_EQ(Focused(), "KH_NEV");
    EXPECT_EQ(form->KH_KOD->displayText(), "12____");
    EXPECT_EQ(kh.FieldByName("KH_KOD").AsString(), "12");
    QTest::keyClicks(form->KH_NEV, "  ");
    EXPECT_FALSE(form->BitBtn11->isEnabled());  // only blanks
    QTest::keyClick(form->KH_NEV, Qt::Key_Return);
    EXPECT_EQ(Focused(), "KH_NEV");  // Rögzítés is off: Enter stays
    QTest::keyClicks(form->KH_NEV, "Kozpont");
    EXPECT_TRUE(form->BitBtn11->isEnabled());
    QTest::keyClick(form->KH_NEV, Qt::Key_Return);
    EXPECT_EQ(Focused(), "BitBtn11");
    dialogs.Answer(ui::Yes);
    QTest::keyClick(form->BitBtn11, Qt::Key_Space);
    EXPECT_EQ(dialogs.Text(0), "Valóban hozzá szeretné adni a rekordot?");
    EXPECT_EQ(form->Mode(), 0);
    EXPECT_EQ(Codes(kh, "KH_KOD"), (std::vector<std::string>{"05", "12"}));
    EXPECT_EQ(kh.FieldByName("KH_NEV").AsString(), "  Kozpont");
    EXPECT_EQ(Focused(), "BitBtn5");
    EXPECT_TRUE(form->BitBtn6->isEnabled());

    // The same code again: the data module's message once, the record still typed.
    form->BitBtn5->click();
    QTest::keyClicks(form->KH_KOD, "12");
    QTest::keyClick(form->KH_KOD, Qt::Key_Return);
    QTest::keyClicks(form->KH_NEV, "Masik");
    dialogs.Answer(ui::Yes).Answer(ui::Ok);
    form->BitBtn11->click();
    ASSERT_EQ(dialogs.Shown().size(), 3u);
    EXPECT_EQ(dialogs.Text(2), "Ez a rekord már szerepel a nyilvántartásban!");
    EXPECT_EQ(form->Mode(), 1);
    EXPECT_EQ(kh.State(), db::DatasetState::Insert);
    EXPECT_EQ(form->KH_KOD->Text(), "12");
    EXPECT_EQ(form->KH_NEV->Text(), "Masik");
    EXPECT_TRUE(form->BitBtn9->isEnabled());

    // No to the question abandons the record as Mégsem: the first one is current.
    dialogs.Answer(ui::No);
    form->BitBtn11->click();
    EXPECT_EQ(form->Mode(), 0);
    EXPECT_EQ(kh.State(), db::DatasetState::Browse);
    EXPECT_EQ(Codes(kh, "KH_KOD"), (std::vector<std::string>{"05", "12"}));
    EXPECT_EQ(form->KH_KOD->Text(), "05");
}

TEST_F(MaintenanceTest, ChangingKeepsTheKeyAndMegsemKeepsTheRecord) {
    AddPaymentPlaces({"1", "2", "3"});
    auto form = Open<TTorzskezKifhelyForm>();
    db::Table& kh = *dm->TableKifhely;
    form->BitBtn2->click();
    QTest::keyClick(form->BitBtn5, Qt::Key_F12);
    EXPECT_EQ(form->Mode(), 2);
    EXPECT_FALSE(form->KH_KOD->isEnabled());
    EXPECT_EQ(Focused(), "KH_NEV");
    QTest::keyClicks(form->KH_NEV, "x");
    QTest::keyClick(form->KH_NEV, Qt::Key_Escape);  // Esc in an edit: Mégsem
    EXPECT_EQ(form->Mode(), 0);
    EXPECT_TRUE(form->KH_KOD->isEnabled());
    EXPECT_EQ(kh.FieldByName("KH_KOD").AsString(), "2");
    EXPECT_EQ(kh.FieldByName("KH_NEV").AsString(), "Hely");

    form->BitBtn6->click();
    QTest::keyClick(form->KH_NEV, Qt::Key_End);  // entering selected the name
    QTest::keyClicks(form->KH_NEV, " utca");
    dialogs.Answer(ui::Yes);
    form->BitBtn11->click();
    EXPECT_EQ(dialogs.Text(0), "Valóban módosítani szeretné a rekordot?");
    EXPECT_EQ(kh.FieldByName("KH_NEV").AsString(), "Hely utca");
    EXPECT_EQ(kh.FieldByName("KH_KOD").AsString(), "2");
}

// Keys that act in browse mode do nothing while a record is typed.
TEST_F(MaintenanceTest, BrowseKeysAreOffWhileTyping) {
    AddPaymentPlaces({"1", "2", "3"});
    auto form = Open<TTorzskezKifhelyForm>();
    db::Table& kh = *dm->TableKifhely;
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
    };
    const Key keys[] = {
        {Qt::Key_Insert, Qt::NoModifier},    {Qt::Key_Delete, Qt::NoModifier},
        {Qt::Key_F12, Qt::NoModifier},       {Qt::Key_Home, Qt::NoModifier},
        {Qt::Key_End, Qt::NoModifier},       {Qt::Key_PageUp, Qt::NoModifier},
        {Qt::Key_PageDown, Qt::NoModifier},  {Qt::Key_Plus, Qt::KeypadModifier},
        {Qt::Key_Minus, Qt::KeypadModifier},
    };
    form->BitBtn2->click();
    form->BitBtn6->click();
    for (const Key& k : keys) {
        QTest::keyClick(form->KH_NEV, k.key, k.mods);
        EXPECT_EQ(form->Mode(), 2) << k.key;
        EXPECT_EQ(kh.State(), db::DatasetState::Edit) << k.key;
        EXPECT_EQ(kh.FieldByName("KH_KOD").AsString(), "2") << k.key;
    }
    EXPECT_EQ(kh.RecordCount(), 3);

    // The same keys in browse mode: numpad + and - move, the main keys do not.
    form->BitBtn9->click();
    QTest::keyClick(form->BitBtn5, Qt::Key_Plus);
    EXPECT_EQ(kh.FieldByName("KH_KOD").AsString(), "2");
    QTest::keyClick(form->BitBtn5, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(kh.FieldByName("KH_KOD").AsString(), "3");
    QTest::keyClick(form->BitBtn5, Qt::Key_Home);
    EXPECT_EQ(form->KH_KOD->Text(), "1");
    QTest::keyClick(form->BitBtn5, Qt::Key_PageDown);
    EXPECT_EQ(form->KH_KOD->Text(), "3");
    QTest::keyClick(form->BitBtn5, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(form->KH_KOD->Text(), "2");
    QTest::keyClick(form->BitBtn5, Qt::Key_Insert);
    EXPECT_EQ(form->Mode(), 1);
}

TEST_F(MaintenanceTest, APaymentPlaceInUseIsKeptUntilNoWorkplaceNamesIt) {
    AddPaymentPlaces({"1", "2"});
    AddWorkplace("10", "1");
    auto form = Open<TTorzskezKifhelyForm>();
    db::Table& kh = *dm->TableKifhely;

    dialogs.Answer(ui::Ok);
    form->BitBtn7->click();
    EXPECT_EQ(dialogs.Text(0), "A rekord nem torolhető, használatban van!");
    EXPECT_EQ(kh.RecordCount(), 2);
    EXPECT_FALSE(dm->TableMhely->Active());
    EXPECT_FALSE(dm->TableMhely->ReadOnly);

    dm->TableMhely->Open();
    dm->TableMhely->Edit();
    dm->TableMhely->FieldByName("MH_KHKOD").SetAsString("2");
    dm->TableMhely->Post();
    dm->TableMhely->Close();

    dialogs.Answer(ui::No);
    QTest::keyClick(form->BitBtn5, Qt::Key_Delete);
    EXPECT_EQ(dialogs.Text(1), "Valóban törölni szeretné a rekordot?");
    EXPECT_EQ(dialogs.Shown()[1].defaultButton, ui::No);
    EXPECT_EQ(kh.RecordCount(), 2);
    dialogs.Answer(ui::Yes);
    form->BitBtn7->click();
    EXPECT_EQ(Codes(kh, "KH_KOD"), (std::vector<std::string>{"2"}));

    dialogs.Answer(ui::Ok);  // the last one is in use now
    form->BitBtn7->click();
    EXPECT_EQ(dialogs.Text(3), "A rekord nem torolhető, használatban van!");
    dm->TableMhely->Open();
    dm->TableMhely->Delete();
    dm->TableMhely->Close();
    dialogs.Answer(ui::Yes).Answer(ui::Ok);
    form->BitBtn7->click();
    EXPECT_TRUE(kh.IsEmpty());
    EXPECT_FALSE(form->BitBtn6->isEnabled());
    EXPECT_FALSE(form->BitBtn7->isEnabled());
    EXPECT_FALSE(form->BitBtn8->isEnabled());
    QTest::keyClick(form->BitBtn5, Qt::Key_Delete);
    EXPECT_EQ(dialogs.Text(5), "Üres az adatbázis!");
}

TEST_F(MaintenanceTest, ClosingWhileTypingAsksFirst) {
    auto form = Open<TTorzskezKifhelyForm>();
    form->BitBtn5->click();
    QTest::keyClicks(form->KH_KOD, "3");
    dialogs.Answer(ui::No);
    form->close();
    EXPECT_EQ(dialogs.Text(0), "Félbeszakítja a műveletet?");
    EXPECT_EQ(dialogs.Shown()[0].icon, ui::Icon::Warning);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Mode(), 1);
    dialogs.Answer(ui::Yes);
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(dm->TableKifhely->Active());
    dm->TableKifhely->Open();
    EXPECT_TRUE(dm->TableKifhely->IsEmpty());
    dm->TableKifhely->Close();
}

TEST_F(MaintenanceTest, AWorkplaceNeedsAnExistingPaymentPlace) {
    auto form = Open<TTorzskezMhelyForm>();
    EXPECT_EQ(form->windowTitle(), "Törzskezelés/Munkehely");
    EXPECT_TRUE(dm->TableKifhely->ReadOnly);
    dialogs.Answer(ui::Ok);
    form->BitBtn5->click();
    EXPECT_EQ(dialogs.Text(0),
              "Nincs Kifizetőhely! Nem tud Munkahely-et felvinni!\nVigyen fel Kifizetőhely-et!");
    EXPECT_EQ(form->Mode(), 0);
    EXPECT_TRUE(dm->TableMhely->IsEmpty());
    dialogs.Answer(ui::Yes);
    form->BitBtn10->click();
    EXPECT_FALSE(dm->TableKifhely->ReadOnly);

    AddPaymentPlaces({"1", "2"});
    form = Open<TTorzskezMhelyForm>();
    form->BitBtn5->click();
    QTest::keyClicks(form->MH_KOD, "7");
    QTest::keyClick(form->MH_KOD, Qt::Key_Return);
    QTest::keyClicks(form->MH_NEV, "Iroda");
    QTest::keyClick(form->MH_NEV, Qt::Key_Return);
    EXPECT_EQ(Focused(), "MH_KHKOD");
    QTest::keyClicks(form->MH_KHKOD, "999");
    dialogs.Answer(ui::Ok);
    QTest::keyClick(form->MH_KHKOD, Qt::Key_Return);  // leaving runs the check
    EXPECT_EQ(dialogs.Text(2), "Kifizetőhely nem létezik!");
    EXPECT_EQ(Focused(), "MH_KHKOD");
    EXPECT_EQ(form->MH_KHKOD->Text(), "");
    QTest::keyClick(form->MH_KHKOD, Qt::Key_Return);
    QTest::keyClick(form->MH_MUNKSZAM, Qt::Key_Return);
    EXPECT_EQ(Focused(), "MH_GYUJTO");
    QTest::keyClick(form->MH_GYUJTO, Qt::Key_Return);
    EXPECT_EQ(Focused(), "MH_GYUJTO");  // the payment place is missing

    // F2 in the payment-place edit picks from the payment places.
    form->MH_KHKOD->setFocus();
    dialogs.AnswerModal([](QDialog& list) {
        auto* grid = list.findChild<QTableView*>("DBGrid1");
        EXPECT_EQ(grid->currentIndex().row(), 0);  // started on the first row
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Return);
        return list.result();
    });
    QTest::keyClick(form->MH_KHKOD, Qt::Key_F2);
    EXPECT_EQ(form->MH_KHKOD->Text(), "2");
    EXPECT_EQ(form->LabelMH_KHKOD->text(), "Hely");
    form->MH_GYUJTO->setFocus();
    QTest::keyClick(form->MH_GYUJTO, Qt::Key_Return);
    EXPECT_EQ(Focused(), "BitBtn11");
    dialogs.Answer(ui::Yes);
    form->BitBtn11->click();
    EXPECT_EQ(dm->TableMhely->FieldByName("MH_KHKOD").AsString(), "2");
    EXPECT_EQ(dm->TableMhely->FieldByName("MH_KOD").AsString(), "7");
}
