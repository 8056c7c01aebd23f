#include "core/CegKival.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "controls/MemDataSet.h"
#include "core/DataModule1.h"
#include "core/Kivalaszt.h"
#include "core/MainWindowLink.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "core/TableCatalog.h"
#include "core/TableLayouts.h"
#include "platform/db/Engine.h"
#include "platform/db/Table.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"
#include "support/TestSupport.h"

namespace {

// Records what the company switch tells the main window.
class FakeMainWindow : public MainWindowLink {
public:
    QString CompanyCode() const override { return code; }
    void ShowCompany(const QString& c, const QString& n, const QString& s) override {
        code = c;
        name = n;
        shortName = s;
    }
    void EnableCompanyItems(const CompanyTables& t) override {
        enabled = true;
        tables = t;
    }
    void DisableCompanyItems() override { enabled = false; }

    QString code, name, shortName;
    bool enabled = false;
    CompanyTables tables;
};

// A year folder prepared by the program, the data module on its alias as the
// start-up leaves it, and a fake main window.
class CompanyTest : public testsupport::YearFolderTest {
protected:
    void SetUp() override {
        YearFolderTest::SetUp();
        dm->ClearCompanyTableNames();
        SetMainWindow(&main);
    }
    void TearDown() override {
        SetMainWindow(nullptr);
        YearFolderTest::TearDown();
    }

    // The state a failed switch leaves: the message shown, no component on a
    // company's table, no company item usable, an empty status line.
    void ExpectFailedSwitch() {
        ASSERT_FALSE(dialogs.Shown().empty());
        EXPECT_EQ(dialogs.Text(0), "Hiba az átállás során!");
        for (const TableComponent& c : TableComponents())
            if (c.perCompany) {
                EXPECT_EQ(dm->Component(c.component)->TableName, "") << c.component;
            }
        EXPECT_FALSE(main.enabled);
        EXPECT_EQ(main.code, "");
        EXPECT_EQ(main.name, "");
    }

    FakeMainWindow main;
    testsupport::ScriptedDialogs dialogs;
};

bool CompanyTableExists(const std::string& base, const std::string& code) {
    return db::TableExists(AktualisAlias, CompanyTableName(base, code));
}

TEST_F(CompanyTest, SwitchPointsComponentsAndMakesOptionalTablesOnce) {
    testsupport::MakeCompany("001", "Minta Kft", "Minta");
    dm->TableCegek->Open();
    ASSERT_TRUE(CegAtallas("001"));
    EXPECT_EQ(dm->TableSzamfejt->TableName.substr(9, 3), "001");
    EXPECT_EQ(dm->TableDolgozo->TableName, "Dolgozo_001");
    EXPECT_EQ(dm->TableMAB09a->TableName, "MAB09a_001");
    EXPECT_EQ(main.code, "001");
    EXPECT_EQ(main.name, "Minta Kft");
    EXPECT_EQ(main.shortName, "Minta");
    EXPECT_TRUE(main.enabled);
    EXPECT_TRUE(main.tables.Nyilat && main.tables.M30 && main.tables.M29 && main.tables.K30K32 &&
                main.tables.M292 && main.tables.M294 && main.tables.HaviAdo);
    for (const char* base : {"Nyilat", "M30", "K32", "MAB00", "MABOSZ02c"})
        EXPECT_TRUE(CompanyTableExists(base, "001")) << base;
    // The declaration sheet of an older layout gets the newer fields.
    EXPECT_NE(db::ReadTableStructure(AktualisAlias, "MAB12_001").size(), 0u);

    // A row written between two switches survives the second one: the
    // optional table is not made again.
    db::Table& m30 = *dm->TableM30;
    m30.Open();
    m30.Append();
    testsupport::FillRequired(m30);
    m30.FieldByName("M30_DGTORZSSZAM").SetAsString("12345678901");
    m30.Post();
    m30.Close();
    dm->TableDolgozo->Close();
    ASSERT_TRUE(CegAtallas("001"));
    m30.Open();
    EXPECT_EQ(m30.RecordCount(), 1);
    m30.Close();
    dm->TableCegek->Close();
}

TEST_F(CompanyTest, MissingOptionalTemplatesDisableTheirItemsAndClearTheirComponents) {
    testsupport::MakeCompany("001", "Első Kft", "Első");
    testsupport::MakeCompany("002", "Második Bt", "Második");
    dm->TableCegek->Open();
    ASSERT_TRUE(CegAtallas("001"));
    EXPECT_EQ(dm->TableK30->TableName, "K30_001");

    db::DeleteTable(AktualisAlias, "K32");
    db::DeleteTable(AktualisAlias, "MAB07");
    db::DeleteTable(AktualisAlias, "M30");
    ASSERT_TRUE(CegAtallas("002"));
    EXPECT_TRUE(CompanyTableExists("K30", "002"));
    EXPECT_FALSE(CompanyTableExists("K32", "002"));
    EXPECT_FALSE(main.tables.K30K32);
    EXPECT_FALSE(main.tables.M30);
    EXPECT_FALSE(main.tables.HaviAdo);
    EXPECT_TRUE(main.tables.M29);
    // The other eighteen declaration tables are still made.
    EXPECT_TRUE(CompanyTableExists("MAB06", "002"));
    EXPECT_TRUE(CompanyTableExists("MABOSZ02c", "002"));
    EXPECT_FALSE(CompanyTableExists("MAB07", "002"));
    // No component keeps the previous company's table.
    for (db::Table* t : {dm->TableK30, dm->TableK32, dm->TableM30, dm->TableMAB00, dm->TableMAB07})
        EXPECT_EQ(t->TableName, "") << t->Name;
    EXPECT_EQ(main.code, "002");
    dm->TableCegek->Close();
}

TEST_F(CompanyTest, MissingCoreTableFailsTheSwitchAndClearsEverything) {
    testsupport::MakeCompany("001", "Első Kft", "Első");
    testsupport::MakeCompany("002", "Második Bt", "Második");
    dm->TableCegek->Open();
    ASSERT_TRUE(CegAtallas("001"));
    db::DeleteTable(AktualisAlias, "Utal_002");
    dialogs.Answer(ui::Ok);
    EXPECT_FALSE(CegAtallas("002"));
    ExpectFailedSwitch();
    dm->TableCegek->Close();
}

TEST_F(CompanyTest, RefusedPostFailsTheSwitchAndKeepsTheCompanyTableOpen) {
    testsupport::MakeCompany("001", "Első Kft", "Első");
    dm->TableCegek->Open();
    // The seeding of the pay items is refused after the core tables were switched.
    dm->TableJogcim->BeforePost = [](db::Dataset&) { db::Abort(); };
    dialogs.Answer(ui::Ok);
    EXPECT_FALSE(CegAtallas("001"));
    dm->TableJogcim->BeforePost = nullptr;
    EXPECT_EQ(dialogs.Shown().size(), 1u);
    ExpectFailedSwitch();
    // The selection dialog still shows the companies to choose from.
    EXPECT_TRUE(dm->TableCegek->Active());
    dm->TableCegek->Close();
}

TEST_F(CompanyTest, ValueSetFilterOfAPickListDoesNotFailTheNextSwitch) {
    testsupport::MakeCompany("001", "Első Kft", "Első");
    dm->TableCegek->Open();
    ASSERT_TRUE(CegAtallas("001"));
    // A form's F2 on a coded field lists the value set of one type, and the
    // filter stays set after the list closes.
    db::Table& ek = *dm->TableErtekkeszlet;
    ek.Open();
    {
        TKivalasztForm list;
        list.KivalasztBeallit(1, "3", "EK_ERTEK", 35, "EK_ERTEKNEV", 226, "", 0, 0);
        list.reject();
    }
    ek.Close();
    ASSERT_TRUE(ek.Filtered());
    EXPECT_TRUE(CegAtallas("001"));
    EXPECT_TRUE(dialogs.Shown().empty());
    EXPECT_EQ(main.code, "001");
    dm->TableCegek->Close();
}

TEST_F(CompanyTest, DialogOkNeedsACompanyAndKeysMoveByTen) {
    dm->TableCegek->Open();
    {
        TCegKivalForm form;
        dialogs.Answer(ui::Ok);
        form.BitBtn6Click();
        EXPECT_EQ(dialogs.Text(0), "Nincsen cég kiválasztva!");
    }
    dm->TableCegek->Close();

    for (const char* code : {"001", "002", "003", "004", "005"})
        testsupport::MakeCompany(code, "Cég " + std::string(code), code);
    dm->TableCegek->Open();
    TCegKivalForm form;
    EXPECT_EQ(form.DBEdit1->text(), "001");
    form.FormKeyDown(Qt::Key_PageDown, Qt::NoModifier);
    EXPECT_EQ(form.DBEdit1->text(), "005");
    form.FormKeyDown(Qt::Key_PageUp, Qt::NoModifier);
    EXPECT_EQ(form.DBEdit1->text(), "001");
    form.FormKeyDown(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(form.DBText1->text(), "Cég 002");
    form.FormKeyDown(Qt::Key_Plus, Qt::NoModifier);  // only the keypad's plus moves
    EXPECT_EQ(form.DBEdit1->text(), "002");
    form.BitBtnClick(form.BitBtn4);
    EXPECT_EQ(form.DBEdit1->text(), "005");

    // F2 lists the companies on the current one; the pick moves the table.
    dialogs.AnswerModal([](QDialog& list) {
        auto* grid = list.findChild<QTableView*>("DBGrid1");
        EXPECT_EQ(grid->currentIndex().row(), 4);
        QTest::keyClicks(grid, "003");
        QTest::keyClick(grid, Qt::Key_Return);
        return list.result();
    });
    form.FormKeyDown(Qt::Key_F2, Qt::NoModifier);
    EXPECT_EQ(form.DBEdit1->text(), "003");
    EXPECT_EQ(form.DBText2->text(), "003");

    form.BitBtn6Click();
    EXPECT_EQ(main.code, "003");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    dm->TableCegek->Close();
}

// --- Pick list --------------------------------------------------------------

class PickListTest : public CompanyTest {
protected:
    void SetUp() override {
        CompanyTest::SetUp();
        testsupport::MakeCompany("001", "Minta Kft", "Minta");
        dm->TableCegek->Open();
        ASSERT_TRUE(CegAtallas("001"));
        dm->TableCegek->Close();
        dm->TableDolgozo->Open();
        testsupport::AddEmployees(*dm->TableDolgozo, {{"00000000003", "Szabó Éva"},
                                                      {"00000000001", "Kovács Péter"},
                                                      {"00000000002", "Antal Béla"},
                                                      {"00000000004", "kovács anna"}});
        form = std::make_unique<TKivalasztForm>();
    }
    void TearDown() override {
        form.reset();
        dm->TableDolgozo->Close();
        CompanyTest::TearDown();
    }
    std::string Current() const { return dm->TableDolgozo->FieldByName("DG_NEV").AsString(); }

    std::unique_ptr<TKivalasztForm> form;
};

TEST_F(PickListTest, TypeAheadFindsCaseInsensitivelyAndEscRestores) {
    dm->TableDolgozo->Last();  // "kovács anna"
    form->KivalasztBeallit(5, "", "DG_TORZSSZAM", 73, "DG_NEV", 336, "DG_MHKOD", 0, 0);
    form->show();
    EXPECT_EQ(form->DBGrid1->model()->rowCount(), 4);
    form->TitleClick(1);  // sort and search by name
    EXPECT_EQ(form->SearchColumn(), 1);
    EXPECT_EQ(form->DBGrid1->model()->index(0, 1).data().toString(), "Antal Béla");
    QTest::keyClicks(form->DBGrid1, "s");
    EXPECT_EQ(Current(), "Szabó Éva");
    // Backspace to an empty text goes to the first row.
    QTest::keyClick(form->DBGrid1, Qt::Key_Backspace);
    EXPECT_EQ(form->Edit1->text(), "");
    EXPECT_EQ(Current(), "Antal Béla");
    QTest::keyClicks(form->DBGrid1, "ko");
    EXPECT_EQ(form->Edit1->text(), "ko");
    // The first "ko" in name order, whatever its case; the table follows.
    EXPECT_EQ(Current(), "kovács anna");
    EXPECT_EQ(form->DBGrid1->currentIndex().row(), 1);
    // A text that matches nothing leaves the row where it was.
    QTest::keyClicks(form->DBGrid1, "x");
    EXPECT_EQ(Current(), "kovács anna");
    QTest::keyClick(form->DBGrid1, Qt::Key_Escape);
    EXPECT_FALSE(form->ErtekAtad());
    EXPECT_EQ(Current(), "kovács anna");
    EXPECT_FALSE(dm->MemoryData2->Active());
}

// Titles read as on the forms, not as field names.
TEST_F(PickListTest, TitlesComeFromTheFormsCaptions) {
    auto titles = [this] {
        QStringList out;
        for (int i = 0; i < form->DBGrid1->model()->columnCount(); ++i)
            out << form->DBGrid1->model()->headerData(i, Qt::Horizontal).toString();
        return out;
    };
    form->KivalasztBeallit(5, "", "DG_TORZSSZAM", 73, "DG_NEV", 336, "DG_MHKOD", 0, 0);
    EXPECT_EQ(titles(), QStringList({"Törzsszám", "Dolgozó neve", "Munkahely"}));
    form->reject();
    dm->TableMhely->Open();
    form->KivalasztBeallit(3, "", "MH_KOD", 43, "MH_NEV", 226, "", 0, 0);
    EXPECT_EQ(titles(), QStringList({"Munkahely", "Munkahely neve"}));
    form->reject();
    dm->TableMhely->Close();
    // The standing items' stored name has no caption of its own on the form.
    dm->TableRJogcim->Open();
    form->KivalasztBeallit(6, "", "RJ_DGTORZSSZAM", 73, "RJ_DGNEV", 336, "RJ_JCKOD", 37, 0);
    EXPECT_EQ(titles(), QStringList({"Törzsszám", "Dolgozó neve", "Jogcím kód"}));
    form->reject();
    dm->TableRJogcim->Close();
}

// Four employees: a window for four rows, all of them seen without scrolling.
TEST_F(PickListTest, ShortListGetsAShortWindow) {
    form->KivalasztBeallit(5, "", "DG_TORZSSZAM", 73, "DG_NEV", 336, "", 0, 0);
    form->show();
    QApplication::processEvents();
    EXPECT_LT(form->height(), form->Px(400) / 2);
    EXPECT_EQ(form->DBGrid1->verticalScrollBar()->maximum(), 0);
    form->reject();
}

TEST_F(PickListTest, EnterLeavesTheTableOnTheChosenRecord) {
    form->KivalasztBeallit(5, "", "DG_TORZSSZAM", 73, "DG_NEV", 336, "", 0, 0);
    form->show();
    QTest::keyClicks(form->DBGrid1, "00000000003");
    QTest::keyClick(form->DBGrid1, Qt::Key_Return);
    EXPECT_TRUE(form->ErtekAtad());
    EXPECT_EQ(Current(), "Szabó Éva");
}

TEST_F(PickListTest, PositionFlagAndGridWidths) {
    dm->TableDolgozo->Locate("DG_TORZSSZAM", db::Variant("00000000003"));
    form->KivalasztBeallit(5, "", "DG_TORZSSZAM", 43, "DG_NEV", 226, "", 0, 1);
    EXPECT_EQ(form->DBGrid1->width(), form->Px(43 + 226 + 2 + 32));
    EXPECT_EQ(form->width(), form->Px(303) + 6);
    EXPECT_EQ(form->DBGrid1->currentIndex().row(), 2);
    form->reject();
    form->KivalasztBeallit(5, "", "DG_TORZSSZAM", 40, "", 0, "", 0, 0);
    EXPECT_EQ(form->DBGrid1->width(), form->Px(121));
    EXPECT_EQ(form->DBGrid1->currentIndex().row(), 0);
    form->reject();
}

TEST_F(PickListTest, ValueSetListKeepsItsTypeFilter) {
    db::Table& ek = *dm->TableErtekkeszlet;
    ek.Open();
    form->KivalasztBeallit(1, "0", "EK_ERTEK", 35, "EK_ERTEKNEV", 226, "", 0, 0);
    const int rows = form->DBGrid1->model()->rowCount();
    EXPECT_GT(rows, 0);
    form->reject();
    EXPECT_TRUE(ek.Filtered());
    EXPECT_EQ(ek.Filter(), "EK_TIPUS='0'");
    EXPECT_EQ(ek.RecordCount(), rows);
    ek.SetFiltered(false);
    ek.Close();
}

TEST_F(PickListTest, TimerClearsTheTypedTextOnTheTenthTick) {
    form->KivalasztBeallit(5, "", "DG_TORZSSZAM", 73, "DG_NEV", 336, "", 0, 0);
    form->show();
    QTest::keyClicks(form->DBGrid1, "0");
    EXPECT_TRUE(form->Timer1->isActive());
    for (int i = 0; i < 9; ++i) form->Timer1Timer();
    EXPECT_EQ(form->Edit1->text(), "0");
    form->Timer1Timer();
    EXPECT_EQ(form->Edit1->text(), "");
    EXPECT_FALSE(form->Timer1->isActive());
    form->reject();
}

}  // namespace

namespace {

// An older company table of transfer items, keyed on the pay-item code alone
// (`key` "" for a table without a key), with its rows.
void OlderTransferItems(const std::string& name, const std::string& key,
                        const std::vector<std::pair<std::string, std::string>>& rows) {
    db::CreateTable(AktualisAlias, name, FindTableLayout("Utal")->FieldDefs(), key);
    db::Table t;
    t.DatabaseName = AktualisAlias;
    t.TableName = name;
    t.Open();
    for (const auto& [code, id] : rows) {
        t.Append();
        t.FieldByName("UT_JCKOD").SetAsString(code);
        t.FieldByName("UT_AZON").SetAsString(id);
        t.FieldByName("UT_SZAMLA").SetAsString("10032000-06056353");
        t.Post();
    }
    t.Close();
}

std::string StoredKey(const std::string& name) {
    std::string key;
    db::ReadTableStructure(AktualisAlias, name, &key);
    return key;
}

TEST_F(CompanyTest, OlderTransferItemsGetTheNewKeyWithTheirRows) {
    testsupport::MakeCompany("001", "Első Kft", "Első");
    OlderTransferItems("Utal_001", "UT_JCKOD", {{"301", "0101"}, {"302", ""}});
    dm->TableCegek->Open();
    ASSERT_TRUE(CegAtallas("001"));
    EXPECT_EQ(StoredKey("Utal_001"), "UT_JCKOD;UT_AZON");
    db::Table& utal = *dm->TableUtal;
    utal.ReadOnly = false;
    utal.Open();
    EXPECT_EQ(utal.RecordCount(), 2);
    EXPECT_EQ(utal.FieldByName("UT_SZAMLA").AsString(), "10032000-06056353");
    // A second fund's item of the same code can now be stored.
    utal.Append();
    utal.FieldByName("UT_JCKOD").SetAsString("301");
    utal.FieldByName("UT_AZON").SetAsString("0102");
    utal.Post();
    EXPECT_EQ(utal.RecordCount(), 3);
    utal.Close();
    EXPECT_FALSE(db::TableExists(AktualisAlias, "KulcsUj_Utal"));
    // A second switch finds the key in place.
    ASSERT_TRUE(CegAtallas("001"));
    EXPECT_TRUE(dialogs.Shown().empty());
    dm->TableCegek->Close();
}

TEST_F(CompanyTest, RepeatedRowsKeepTheOlderTableAndAreNamed) {
    testsupport::MakeCompany("001", "Első Kft", "Első");
    OlderTransferItems("Utal_001", "",
                       {{"301", "0101"}, {"301", "0101"}, {"333", ""}, {"333", ""}, {"302", ""}});
    dm->TableCegek->Open();
    dialogs.Answer(ui::Ok);
    ASSERT_TRUE(CegAtallas("001"));
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(
        dialogs.Text(0),
        "A(z) Utal_001 tábla nem kapta meg az új kulcsát (UT_JCKOD;UT_AZON), mert több sora azonos rajta:\r"
        "301 / 0101\r333 / (üres)\r"
        "A tábla sorai változatlanok maradtak; az ismétlődő sorokat javítsa!");
    EXPECT_EQ(StoredKey("Utal_001"), "");
    dm->TableUtal->Open();
    EXPECT_EQ(dm->TableUtal->RecordCount(), 5);
    dm->TableUtal->Close();
    dm->TableCegek->Close();
}

TEST_F(CompanyTest, OlderTemplateGetsTheNewKey) {
    OlderTransferItems("Utal", "UT_JCKOD", {});
    AddNewerTableKey(AktualisAlias, "Utal");
    EXPECT_EQ(StoredKey("Utal"), "UT_JCKOD;UT_AZON");
    // A new company's copy carries it.
    testsupport::MakeCompany("002", "Második Bt", "Második");
    EXPECT_EQ(StoredKey("Utal_002"), "UT_JCKOD;UT_AZON");
}

}  // namespace
