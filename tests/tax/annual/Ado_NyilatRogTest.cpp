// The declarations editor driven as a user drives it: the defaults of a new
// declaration, the registration number's check and the address it brings,
// the grey declaration box that keeps Rögzítés off, one declaration per
// employee, the abandoned addition, the delete of the last one and Enter
// across the pages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "controls/DBControls.h"
#include "core/CegKival.h"
#include "platform/db/Table.h"
#include "support/ListFixture.h"
#include "tax/annual/Ado_NyilatRog.h"

namespace {

using testsupport::AddRows;

QString Focused() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

class NyilatRogTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        ASSERT_TRUE(TablaSablonbol("Nyilat", "001"));
        // clang-format off
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV",    "DG_IRSZ", "DG_VAROS",      "DG_KOZTER",              "DG_KOZTERJEL", "DG_HAZSZ", "DG_EPULET", "DG_EMELET", "DG_AJTO"},
                {{"1001",          "Kiss Anna", "9941",    "Őriszentpéter", "Kossuth",                "utca",         "12",       "",          "",          ""},
                 {"1002",          "Nagy Béla", "9942",    "Szalafő",       "Szent István király",    "útja",         "112/B",    "C",         "3",         "14"},
                 {"1003",          "Tóth Ede",  "9942",    "Szalafő",       "Petőfi",                 "tér",          "4",        "",          "",          ""}});
        // clang-format on
    }

    std::unique_ptr<TAdo_NyilatRogForm> Open() {
        auto form = std::make_unique<TAdo_NyilatRogForm>();
        Show(*form);
        return form;
    }
    void Declarations(const testsupport::RowTable& rows) {
        AddRows("Nyilat_001", {"NY_DGTORZSSZAM", "NY_DGNEV", "NY_ONADOZO"}, rows);
    }
    static std::string Field(const char* name) { return DM1->TableNyilat->FieldByName(name).AsString(); }
};

TEST_F(NyilatRogTest, ANewDeclarationTakesItsDefaultsAndTheEmployeesAddress) {
    auto form = Open();
    EXPECT_EQ(form->windowTitle(), "Törzskezelés/Nyilatkozat rögzítése");
    QTabWidget* pages = form->PageControl1;
    ASSERT_EQ(pages->count(), 6);
    EXPECT_EQ(pages->tabText(5), "Rend 3.");
    EXPECT_FALSE(form->BitBtn6->isEnabled());
    EXPECT_FALSE(form->BitBtn7->isEnabled());
    EXPECT_EQ(form->NY_ONADOZO->checkState(), Qt::Unchecked);  // the empty table shows no values

    form->BitBtn5->click();
    EXPECT_EQ(form->Mode(), 1);
    EXPECT_EQ(Focused(), "DBEdit1");
    EXPECT_EQ(Field("NY_ONADOZO"), "I");
    for (const char* f :
         {"NY_S155KOZOSERV", "NY_S155MEGOSZT", "NY_S156KOZOSERV", "NY_S156MEGOSZT", "NY_S128", "NY_S138",
          "NY_S620", "NY_S103", "NY_S155JANUAR", "NY_S155DECEMBER", "NY_S156JULIUS"})
        EXPECT_EQ(Field(f), "N") << f;
    EXPECT_EQ(Field("NY_S151JANUAR"), "");
    EXPECT_EQ(form->findChild<QComboBox*>("NY_S151JANUAR")->currentIndex(), -1);
    EXPECT_FALSE(form->BitBtn11->isEnabled());

    // An unknown number is named and cleared; the edit keeps the focus.
    dialogs.Answer(ui::Ok);
    QTest::keyClicks(form->DBEdit1, "999");
    QTest::keyClick(form->DBEdit1, Qt::Key_Return);
    EXPECT_EQ(dialogs.Text(0), "Ilyen törzsszam nem létezik!");
    EXPECT_EQ(form->DBEdit1->Text(), "");
    EXPECT_EQ(Focused(), "DBEdit1");
    EXPECT_FALSE(form->BitBtn11->isEnabled());

    // A known one shows the name and copies the address, the street cut to 24.
    QTest::keyClicks(form->DBEdit1, "1002");
    QTest::keyClick(form->DBEdit1, Qt::Key_Return);
    EXPECT_EQ(form->Label2->text(), "Nagy Béla");
    EXPECT_EQ(pages->currentWidget(), form->TabSheet1);
    EXPECT_EQ(Focused(), "NY_ONADOZO");
    EXPECT_EQ(Field("NY_S656IRSZ"), "9942");
    EXPECT_EQ(Field("NY_S656VAROS"), "Szalafő");
    EXPECT_EQ(Field("NY_S656KOZTERSTB"), "Szent István király útja");
    EXPECT_TRUE(form->BitBtn11->isEnabled());

    // Undecided: no saving.
    DM1->TableNyilat->FieldByName("NY_ONADOZO").Clear();
    EXPECT_TRUE(form->NY_ONADOZO->Grey());
    form->SzerkesztesChange();
    EXPECT_FALSE(form->BitBtn11->isEnabled());
    QTest::keyClick(form->NY_ONADOZO, Qt::Key_Space);
    EXPECT_EQ(form->NY_ONADOZO->checkState(), Qt::Checked);
    EXPECT_TRUE(form->BitBtn11->isEnabled());

    dialogs.Answer(ui::Yes);
    form->BitBtn11->click();
    EXPECT_EQ(dialogs.Text(1), "Valóban hozzá szeretné adni a rekordot?");
    EXPECT_EQ(form->Mode(), 0);
    EXPECT_EQ(Field("NY_DGTORZSSZAM"), "1002");
    EXPECT_EQ(Field("NY_DGNEV"), "Nagy Béla");
    EXPECT_EQ(Field("NY_ONADOZO"), "I");
    EXPECT_TRUE(form->BitBtn6->isEnabled());

    // A second declaration of the same employee is refused; the addition stays.
    form->BitBtn5->click();
    QTest::keyClicks(form->DBEdit1, "1002");
    QTest::keyClick(form->DBEdit1, Qt::Key_Return);
    dialogs.Answer(ui::Yes).Answer(ui::Ok);
    form->BitBtn11->click();
    ASSERT_EQ(dialogs.Shown().size(), 4u);
    EXPECT_EQ(dialogs.Text(3), "Ez a rekord már szerepel a nyilvántartásban!");
    EXPECT_EQ(form->Mode(), 1);
    form->BitBtn9->click();
    EXPECT_EQ(DM1->TableNyilat->RecordCount(), 1);
}

TEST_F(NyilatRogTest, NoToTheAdditionStoresNothingAndDeletingTheLastOneDisablesChanging) {
    Declarations({{"1001", "Kiss Anna", "I"}, {"1003", "Tóth Ede", "N"}});
    auto form = Open();
    db::Table& t = *DM1->TableNyilat;
    form->BitBtn4->click();
    EXPECT_EQ(form->Label2->text(), "Tóth Ede");
    EXPECT_EQ(form->NY_ONADOZO->checkState(), Qt::Unchecked);

    form->BitBtn5->click();
    QTest::keyClicks(form->DBEdit1, "1002");
    QTest::keyClick(form->DBEdit1, Qt::Key_Return);
    dialogs.Answer(ui::No);
    form->BitBtn11->click();
    EXPECT_EQ(form->Mode(), 0);
    EXPECT_EQ(t.RecordCount(), 2);
    EXPECT_EQ(Field("NY_DGTORZSSZAM"), "1001");  // back on the first
    EXPECT_EQ(form->Label2->text(), "Kiss Anna");

    dialogs.Answer(ui::Yes).Answer(ui::Yes);
    form->BitBtn7->click();
    EXPECT_EQ(dialogs.Shown()[1].defaultButton, ui::No);
    EXPECT_TRUE(form->BitBtn6->isEnabled());
    form->BitBtn7->click();
    EXPECT_EQ(t.RecordCount(), 0);
    EXPECT_FALSE(form->BitBtn6->isEnabled());
    EXPECT_FALSE(form->BitBtn7->isEnabled());
    EXPECT_EQ(form->NY_ONADOZO->checkState(), Qt::Unchecked);
    EXPECT_EQ(form->Label2->text(), "");
}

// Enter on a page's last control goes on to the next page's first, only
// while a declaration is changed; the key cannot be changed.
TEST_F(NyilatRogTest, EnterWalksThePagesWhileChanging) {
    Declarations({{"1001", "Kiss Anna", "I"}});
    auto form = Open();
    EXPECT_FALSE(form->TabSheet2->isEnabled());
    form->BitBtn6->click();
    EXPECT_EQ(form->Mode(), 2);
    EXPECT_FALSE(form->DBEdit1->isEnabled());
    EXPECT_EQ(Focused(), "NY_ONADOZO");
    QTest::keyClicks(form->findChild<QWidget*>("NY_S125"), "123456789");
    EXPECT_EQ(form->findChild<TDBEdit*>("NY_S125")->Text(), "12345678");
    const struct {
        const char* from;
        QWidget* page;
        const char* to;
    } steps[] = {{"NY_ONADOZO", form->TabSheet1, "NY_RENYIL"},
                 {"NY_RENYIL", form->TabSheet2, "NY_S151HADOAZ"},
                 {"NY_S151DECEMBER", form->TabSheet3, "NY_S155HADOAZ"},
                 {"NY_S156DECEMBER", form->TabSheet4, "NY_S125"},
                 {"NY_S128", form->TabSheet5, "NY_S131"},
                 {"NY_S138", form->TabSheet6, "NY_S144"},
                 {"NY_S656KOZTERSTB", form->TabSheet6, "BitBtn11"}};
    for (const auto& s : steps) {
        auto* from = form->findChild<QWidget*>(s.from);
        ASSERT_NE(from, nullptr) << s.from;
        form->PageControl1->setCurrentWidget(from->parentWidget());
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Return);
        EXPECT_EQ(form->PageControl1->currentWidget(), s.page) << s.from;
        EXPECT_EQ(Focused(), s.to) << s.from;
    }
    auto* januar = form->findChild<QComboBox*>("NY_S151JANUAR");
    januar->setCurrentIndex(2);
    dialogs.Answer(ui::Yes);
    form->BitBtn11->click();
    EXPECT_EQ(dialogs.Text(0), "Valóban módosítani szeretné a rekordot?");
    EXPECT_EQ(Field("NY_S151JANUAR"), "3");
    EXPECT_EQ(Field("NY_S125"), "12345678");
    EXPECT_TRUE(form->DBEdit1->isEnabled());
}

// An older declarations table gets its key at the company switch, its rows kept.
TEST_F(NyilatRogTest, AnOlderTableGetsTheKeyOnePerEmployee) {
    db::DeleteTable(AktualisAlias, "Nyilat_001");
    db::CreateTable(AktualisAlias, "Nyilat_001", FindTableLayout("Nyilat")->FieldDefs(), "");
    Declarations({{"1001", "Kiss Anna", "I"}, {"1002", "Nagy Béla", "N"}});
    AddNewerTableKey(AktualisAlias, "Nyilat_001");
    std::string stored;
    db::ReadTableStructure(AktualisAlias, "Nyilat_001", &stored);
    EXPECT_EQ(stored, "NY_DGTORZSSZAM");
    DM1->TableNyilat->Open();
    EXPECT_EQ(DM1->TableNyilat->RecordCount(), 2);
    DM1->TableNyilat->Close();
}

}  // namespace
