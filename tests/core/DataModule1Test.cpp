#include "core/DataModule1.h"

#include <gtest/gtest.h>

#include "core/ReferenceData.h"
#include "core/TableLayouts.h"
#include "platform/db/Table.h"
#include "support/DialogTest.h"
#include "support/TestSupport.h"

namespace {

std::string Join(const std::vector<std::string>& fields) {
    std::string s;
    for (const std::string& f : fields) s += (s.empty() ? "" : ";") + f;
    return s;
}

// A year folder prepared by the program and a data module pointed at it, its
// per-company components on the templates (as during the start-up).
class DataModuleTest : public testsupport::HomeTest {
protected:
    void SetUp() override {
        folder = home.Path() + "/Tavrina/2019";
        PrepareYearFolder(folder);
        dm = std::make_unique<TDM1>();
        DM1 = dm.get();
        dm->SetDatabaseName(folder);
    }

    void AppendPayItem(const char* code) {
        db::Table& t = *dm->TableJogcim;
        t.Append();
        t.FieldByName("JC_KOD").SetAsString(code);
        t.FieldByName("JC_NEV").SetAsString("Alapbér");
        t.FieldByName("JC_TIPUS").SetAsString("1");
        t.FieldByName("JC_SZAMKEP").SetAsString("01");
        t.FieldByName("JC_KIFIZ").SetAsString("I");
        t.FieldByName("JC_SZAZ").SetAsFloat(100);
        t.Post();
    }

    std::string folder;
    std::unique_ptr<TDM1> dm;
};

TEST_F(DataModuleTest, NewFolderGetsEveryTemplateWithItsLayoutAndKey) {
    for (const TableLayout& layout : TableLayouts()) {
        if (!layout.hasTemplate) {
            EXPECT_FALSE(db::TableExists(folder, layout.name)) << layout.name;
            continue;
        }
        ASSERT_TRUE(db::TableExists(folder, layout.name)) << layout.name;
        std::string primary;
        const db::FieldDefs stored = db::ReadTableStructure(folder, layout.name, &primary);
        ASSERT_EQ(stored.size(), layout.fields.size()) << layout.name;
        for (size_t i = 0; i < stored.size(); ++i) {
            EXPECT_EQ(stored[i].name, layout.fields[i].name) << layout.name;
            EXPECT_EQ(stored[i].type, layout.fields[i].type) << layout.fields[i].name;
            if (layout.fields[i].type == db::FieldType::String) {
                EXPECT_EQ(stored[i].size, layout.fields[i].size) << layout.fields[i].name;
            }
        }
        EXPECT_EQ(primary, layout.primaryIndex ? Join(layout.key) : "") << layout.name;
    }
    // The calendar starts with the processing year's days.
    dm->TableNaptar->Open();
    EXPECT_EQ(dm->TableNaptar->RecordCount(), 365);
    dm->TableNaptar->Close();
    // A prepared folder is left as it is: nothing is made again, rows stay.
    dm->TableCegek->Open();
    dm->TableCegek->Append();
    dm->TableCegek->FieldByName("CG_KOD").SetAsString("001");
    dm->TableCegek->FieldByName("CG_NEV").SetAsString("Próba Kft.");
    dm->TableCegek->FieldByName("CG_RNEV").SetAsString("Próba");
    dm->TableCegek->FieldByName("CG_ADOSZAM").SetAsString("12345678-1-12");
    dm->TableCegek->Post();
    dm->TableCegek->Close();
    EXPECT_TRUE(PrepareYearFolder(folder).empty());
    dm->TableCegek->Open();
    EXPECT_EQ(dm->TableCegek->RecordCount(), 1);
}

TEST_F(DataModuleTest, ComponentsAndDataSourcesFollowTheCatalogue) {
    ASSERT_EQ(dm->Tables().size(), 42u);
    for (db::Table* t : dm->Tables()) {
        EXPECT_EQ(dm->Component(t->Name), t);
        db::DataSource* source = dm->DataSourceOf(t);
        if (t == dm->Table1) {
            EXPECT_EQ(source, nullptr);
            continue;
        }
        ASSERT_NE(source, nullptr) << t->Name;
        EXPECT_FALSE(source->AutoEdit) << t->Name;
    }
    EXPECT_EQ(dm->TableMAB09a->Name, "TableMAB09a");
    EXPECT_EQ(dm->DataSourceMAB09a->DataSet(), dm->TableMAB09a);
    EXPECT_EQ(dm->DataSourceCegek->DataSet(), dm->TableCegek);
    EXPECT_EQ(dm->TableNyugP->TableName, "NyugP");
    EXPECT_EQ(dm->TableDolgRegi->TableName, "");
    EXPECT_TRUE(dm->TableErtekkeszlet->ReadOnly);
    // Persistent fields carry the layout's labels; the sheets take the file's fields.
    EXPECT_EQ(dm->TableCegek->FieldByName("CG_RNEV").DisplayLabel, "Rövid név");
    EXPECT_FALSE(dm->TableMAB04->HasPersistentFields());
    // Persistent fields per component, lookup fields included.
    const std::pair<db::Table*, int> persistent[] = {
        {dm->TableCegek, 71},    {dm->TableErtekkeszlet, 6},  {dm->TableKifhely, 7},  {dm->TableMhely, 10},
        {dm->TableDolgozo, 174}, {dm->TableJogcim, 82},       {dm->TableRJogcim, 41}, {dm->TableSzamfejt, 54},
        {dm->TableUtal, 19},     {dm->TableHozzatartozo, 36}, {dm->TableNaptar, 14},  {dm->TableFEOR, 2},
        {dm->TableNyugP, 15},    {dm->TableNyilat, 87},       {dm->TableM30, 133},    {dm->TableM29, 103},
        {dm->TableK30, 135},     {dm->TableK32, 88},          {dm->TableM292, 40},    {dm->TableM294, 23},
    };
    for (const auto& [table, count] : persistent) EXPECT_EQ(table->FieldCount(), count) << table->Name;
    // Lookup fields carry their own labels.
    EXPECT_EQ(dm->TableHozzatartozo->FieldByName("HT_szarmDGNEV").DisplayLabel, "Név");
    EXPECT_EQ(dm->TableUtal->FieldByName("UT_szarmJCNEV").DisplayLabel, "Jogcím név");
    EXPECT_EQ(dm->TableK32->FieldByName("K32_szarmDGNEV").DisplayLabel, "Dolgozó neve");
}

TEST_F(DataModuleTest, DependantsShowTheEmployeesName) {
    dm->TableDolgozo->Open();
    dm->TableDolgozo->Append();
    for (const auto& [field, value] :
         std::initializer_list<std::pair<const char*, const char*>>{{"DG_TORZSSZAM", "00000000001"},
                                                                    {"DG_NEV", "Kiss Anna"},
                                                                    {"DG_BELEPDAT", "2019.01.01"},
                                                                    {"DG_ADOAZ", "8123456789"},
                                                                    {"DG_MHKOD", "1"},
                                                                    {"DG_BERFORM", "1"},
                                                                    {"DG_ALKMIN", "1"},
                                                                    {"DG_MUNKAREND", "1"}})
        dm->TableDolgozo->FieldByName(field).SetAsString(value);
    for (const char* field : {"DG_ALAPBER", "DG_NAPIKOTORA", "DG_HETIKOTORA", "DG_NAPIATL"})
        dm->TableDolgozo->FieldByName(field).SetAsFloat(0);
    dm->TableDolgozo->Post();
    dm->TableDolgozo->Close();
    // Opening the dependants opens the employees their name comes from.
    db::Table& ht = *dm->TableHozzatartozo;
    ht.Open();
    EXPECT_TRUE(dm->TableDolgozo->Active());
    ht.Append();
    ht.FieldByName("HT_DGTORZSSZAM").SetAsString("00000000001");
    ht.FieldByName("HT_NEV").SetAsString("Kiss Péter");
    ht.Post();
    EXPECT_EQ(ht.FieldByName("HT_szarmDGNEV").AsString(), "Kiss Anna");
}

TEST_F(DataModuleTest, TestOpenLeavesNoTableOpenBehind) {
    // Each table with lookup fields opens the tables they read; a test open
    // closes those again, as the start-up and the company switch rely on.
    for (db::Table* t : {dm->TableRJogcim, dm->TableUtal, dm->TableHozzatartozo, dm->TableM30, dm->TableM292,
                         dm->TableNyilat, dm->TableCegek}) {
        dm->TestOpen(*t);
        for (db::Table* other : {t, dm->TableDolgozo, dm->TableJogcim})
            EXPECT_FALSE(other->Active()) << t->Name << " left " << other->Name << " open";
    }
    // A table that cannot be read raises the engine's error.
    dm->TableSzamfejt->TableName = "Szamfejt_999";
    EXPECT_THROW(dm->TestOpen(*dm->TableSzamfejt), db::DatabaseError);
}

TEST_F(DataModuleTest, CompanyTableNamesAreSetAndCleared) {
    dm->SetCompanyTableNames("007");
    EXPECT_EQ(dm->TableSzamfejt->TableName, "Szamfejt_007");
    EXPECT_EQ(dm->TableDolgRegi->TableName, "DolgRegi_007");
    EXPECT_EQ(dm->TableMABOSZ02c->TableName, "MABOSZ02c_007");
    EXPECT_EQ(dm->TableCegek->TableName, "Cegek");
    dm->ClearCompanyTableNames();
    EXPECT_EQ(dm->TableSzamfejt->TableName, "");
    EXPECT_EQ(dm->TableM294->TableName, "");
    EXPECT_EQ(dm->TableMAB04->TableName, "MAB04_007");  // the sheets keep theirs
    dm->ClearAllCompanyTableNames();
    EXPECT_EQ(dm->TableMAB04->TableName, "");
    EXPECT_EQ(dm->TableNaptar->TableName, "Naptar");
}

TEST_F(DataModuleTest, OlderSheetTablesGetTheNewerFields) {
    // A MAB12 of an older version: the template without the rows 690 to 696.
    const TableLayout* mab12 = FindTableLayout("MAB12");
    db::FieldDefs older;
    for (const FieldLayout& f : mab12->fields)
        if (f.name.rfind("S69", 0) != 0) older.push_back(f);
    db::CreateTable(folder, "MAB12_001", older, "");
    AddNewerSheetFields(folder, "MAB12_001");
    AddNewerSheetFields(folder, "MAB12_001");  // a second time changes nothing
    const db::FieldDefs now = db::ReadTableStructure(folder, "MAB12_001");
    ASSERT_EQ(now.size(), mab12->fields.size());
    EXPECT_EQ(now[now.size() - 14].name, "S690A");
    EXPECT_EQ(now[now.size() - 14].type, db::FieldType::Date);
    EXPECT_EQ(now.back().name, "S696C");
    EXPECT_EQ(now.back().type, db::FieldType::Integer);
}

TEST_F(DataModuleTest, NewValueSetTemplateAsksForTheUserName) {
    db::Table& ek = *dm->TableErtekkeszlet;
    ek.Open();
    ASSERT_TRUE(ek.Locate("EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant("02")}));
    EXPECT_TRUE(ek.FieldByName("EK_ERTEKCHAR").IsNull());
    // The data year is known to the program itself.
    ASSERT_TRUE(ek.Locate("EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant("04")}));
    EXPECT_EQ(ek.FieldByName("EK_ERTEKCHAR").AsString(), "2019");
}

TEST_F(DataModuleTest, DuplicateKeyIsShownOnceAndTheRecordStaysInInsert) {
    testsupport::ScriptedDialogs dialogs;
    dialogs.Answer(ui::Ok);
    dm->TableJogcim->Open();
    AppendPayItem("999");
    EXPECT_THROW(AppendPayItem("999"), db::AbortError);
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Text(0), "Ez a rekord már szerepel a nyilvántartásban!");
    EXPECT_EQ(dm->TableJogcim->State(), db::DatasetState::Insert);
    EXPECT_EQ(dm->TableJogcim->FieldByName("JC_KOD").AsString(), "999");
    EXPECT_EQ(dm->TableJogcim->FieldByName("JC_NEV").AsString(), "Alapbér");
    dm->TableJogcim->Cancel();
    EXPECT_EQ(dm->TableJogcim->RecordCount(), static_cast<int>(ShippedPayItems().size()) + 1);
}

TEST_F(DataModuleTest, PayrollRowWithoutStandingItemIsADuplicateToo) {
    testsupport::ScriptedDialogs dialogs;
    dialogs.Answer(ui::Ok);
    db::Table& sf = *dm->TableSzamfejt;
    sf.Open();
    auto append = [&] {
        sf.Append();
        sf.FieldByName("SF_DGTORZSSZAM").SetAsString("00000000001");
        sf.FieldByName("SF_HONAP").SetAsInteger(3);
        sf.FieldByName("SF_KIFIZDAT").SetAsString("2019.04.03");
        sf.FieldByName("SF_JCKOD").SetAsString("100");
        sf.FieldByName("SF_SORSZAM").SetAsInteger(1);  // SF_RJSORSZAM stays empty
        sf.Post();
    };
    append();
    EXPECT_THROW(append(), db::AbortError);
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Text(0), "Ez a rekord már szerepel a nyilvántartásban!");
    EXPECT_EQ(sf.State(), db::DatasetState::Insert);
    sf.Cancel();
    EXPECT_EQ(sf.RecordCount(), 1);
}

TEST_F(DataModuleTest, OtherPostErrorsTakeTheirDefaultCourse) {
    testsupport::ScriptedDialogs dialogs;  // nothing shown
    db::DataAction action = db::DataAction::Fail;
    dm->PostError(*dm->TableJogcim, db::DatabaseError("Field 'JC_NEV' must have a value"), action);
    dm->PostError(*dm->TableJogcim, db::EngineError(10024, "locked"), action);
    EXPECT_EQ(action, db::DataAction::Fail);
}

TEST_F(DataModuleTest, TablaBezarClosesOnlyOpenTablesInItsOrder) {
    std::vector<std::string> closed;
    for (db::Table* t : dm->Tables())
        t->AfterClose = [&closed](db::Dataset& ds) { closed.push_back(ds.Name); };
    dm->TablaBezar();
    EXPECT_TRUE(closed.empty());
    dm->Table1->TableName = "Cegek";
    dm->TableSzamfejt->Open();
    dm->Table1->Open();
    dm->TablaBezar();
    EXPECT_EQ(closed, (std::vector<std::string>{"Table1", "TableSzamfejt"}));
    EXPECT_FALSE(dm->TableSzamfejt->Active());
    EXPECT_EQ(dm->Table1->TableName, "Cegek");
}

TEST_F(DataModuleTest, CalendarInsertGuardCancelsTheInsert) {
    db::Table& naptar = *dm->TableNaptar;
    naptar.AfterInsert = [this](db::Dataset& ds) { dm->TableNaptarAfterInsert(ds); };
    naptar.Open();
    const int days = naptar.RecordCount();
    naptar.Append();
    EXPECT_EQ(naptar.State(), db::DatasetState::Browse);
    EXPECT_EQ(naptar.RecordCount(), days);
}

TEST_F(DataModuleTest, SeedingTheTemplatesAddsTheStandardRowsOnce) {
    AlapertekFeltolt();
    AlapertekFeltolt();
    for (db::Table* t : dm->Tables()) EXPECT_FALSE(t->Active()) << t->Name;
    EXPECT_TRUE(dm->TableErtekkeszlet->ReadOnly);
    EXPECT_TRUE(dm->TableNyugP->ReadOnly);
    dm->TableJogcim->Open();
    // The shipped catalogue and the nine standard codes.
    EXPECT_EQ(dm->TableJogcim->RecordCount(), static_cast<int>(ShippedPayItems().size()) + 9);
    ASSERT_TRUE(dm->TableJogcim->Locate("JC_KOD", db::Variant("119A")));
    EXPECT_EQ(dm->TableJogcim->FieldByName("JC_HAVIBEVSOR").AsInteger(), 304);
    dm->TableErtekkeszlet->Open();
    // The shipped rows, user name, data year and "9"/"17".
    EXPECT_EQ(dm->TableErtekkeszlet->RecordCount(), static_cast<int>(ShippedValueSets().size()) + 3);
}

TEST_F(DataModuleTest, FiltersCompareWithTheCurrentEmployeeAndHandedInValues) {
    db::Table& sf = *dm->TableSzamfejt;
    sf.Open();
    auto row = [&](const char* employee, int month, double date, const char* code) {
        sf.Append();
        sf.FieldByName("SF_DGTORZSSZAM").SetAsString(employee);
        sf.FieldByName("SF_HONAP").SetAsInteger(month);
        sf.FieldByName("SF_KIFIZDAT").SetAsDateTime(date);
        sf.FieldByName("SF_JCKOD").SetAsString(code);
        sf.FieldByName("SF_SORSZAM").SetAsInteger(sf.RecordCount() + 1);
        sf.Post();
    };
    row("1", 3, 43555, "100");
    row("1", 3, 43555, "800");
    row("1", 3, 43556, "801");
    row("2", 3, 43555, "800");
    db::Table& dg = *dm->TableDolgozo;
    dg.Open();
    dg.Append();
    dg.FieldByName("DG_TORZSSZAM").SetAsString("1");
    dg.FieldByName("DG_NEV").SetAsString("Kiss Anna");
    dg.FieldByName("DG_BELEPDAT").SetAsDateTime(43466);
    dg.FieldByName("DG_ADOAZ").SetAsString("8123456789");
    dg.FieldByName("DG_MHKOD").SetAsString("000001");
    dg.FieldByName("DG_BERFORM").SetAsString("1");
    dg.FieldByName("DG_ALKMIN").SetAsString("1");
    dg.FieldByName("DG_ALAPBER").SetAsFloat(0);
    dg.FieldByName("DG_NAPIKOTORA").SetAsFloat(8);
    dg.FieldByName("DG_HETIKOTORA").SetAsFloat(40);
    dg.FieldByName("DG_MUNKAREND").SetAsString("1");
    dg.FieldByName("DG_NAPIATL").SetAsFloat(0);
    dg.Post();
    dm->SzuroAdatok = {3, 43555, ""};
    auto count = [&](void (TDM1::*handler)(db::Dataset&, bool&)) {
        sf.SetOnFilterRecord(dm->FilterHandler(handler));
        sf.SetFiltered(true);
        const int n = sf.RecordCount();
        sf.SetFiltered(false);
        return n;
    };
    EXPECT_EQ(count(&TDM1::TorzsszamFilter), 3);
    EXPECT_EQ(count(&TDM1::TorzsszamHoKifizDatFilter), 2);
    EXPECT_EQ(count(&TDM1::HozottAdatokFilter), 1);
}

TEST_F(DataModuleTest, PostsAreOnDiskForOtherWorkstationsAtOnce) {
    dm->TableJogcim->Open();
    const int shipped = dm->TableJogcim->RecordCount();
    AppendPayItem("999");
    db::Table other;  // another workstation's component on the same file
    other.DatabaseName = folder;
    other.TableName = "jogcim";
    other.Open();
    EXPECT_EQ(other.RecordCount(), shipped + 1);
    other.Close();
    dm->TableJogcim->Delete();
    other.Open();
    EXPECT_EQ(other.RecordCount(), shipped);
}

TEST_F(DataModuleTest, ListFiltersCompareWithTheQuerysRowEmptyMatchingEmpty) {
    db::Table& sf = *dm->TableSzamfejt;
    sf.Open();
    auto row = [&](int n, const char* fund) {
        sf.Append();
        sf.FieldByName("SF_DGTORZSSZAM").SetAsString("1");
        sf.FieldByName("SF_HONAP").SetAsInteger(5);
        sf.FieldByName("SF_KIFIZDAT").SetAsDateTime(43600);
        sf.FieldByName("SF_JCKOD").SetAsString("100");
        sf.FieldByName("SF_SORSZAM").SetAsInteger(n);
        sf.FieldByName("SF_DGMNYP").SetAsString(fund);
        sf.Post();
    };
    row(1, "");
    row(2, "0042");
    row(3, "");
    dm->Query1->SetSQL("SELECT * FROM Szamfejt WHERE SF_SORSZAM = 1");
    dm->Query1->Open();
    sf.SetOnFilterRecord(dm->FilterHandler(&TDM1::List_MNYPbevallFilter));
    sf.SetFiltered(true);
    EXPECT_EQ(sf.RecordCount(), 2);
    sf.SetFiltered(false);
    dm->Query1->Close();
    dm->Query1->SetSQL("SELECT * FROM Szamfejt WHERE SF_SORSZAM = 2");
    dm->Query1->Open();
    sf.SetFiltered(true);
    EXPECT_EQ(sf.RecordCount(), 1);
}

TEST_F(DataModuleTest, WorkingSetIsInKeyOrderAfterEveryPost) {
    dm->TableSzamfejt->Open();
    TMemoryData& md = *dm->MemoryData1;
    md.CopyFieldLayout(*dm->TableSzamfejt);
    md.AfterPost = [this](db::Dataset& ds) { dm->MemoryData1AfterPost(ds); };
    md.Open();
    auto row = [&](const char* code, int n) {
        md.Append();
        md.FieldByName("SF_DGTORZSSZAM").SetAsString("1");
        md.FieldByName("SF_HONAP").SetAsInteger(1);
        md.FieldByName("SF_KIFIZDAT").SetAsDateTime(43500);
        md.FieldByName("SF_JCKOD").SetAsString(code);
        md.FieldByName("SF_SORSZAM").SetAsInteger(n);
        md.Post();
    };
    row("300", 1);
    row("102F", 2);
    row("270", 3);
    row("102F", 1);
    std::vector<std::string> order;
    for (md.First(); !md.Eof(); md.Next())
        order.push_back(md.FieldByName("SF_JCKOD").AsString() + "/" +
                        md.FieldByName("SF_SORSZAM").AsString());
    EXPECT_EQ(order, (std::vector<std::string>{"102F/1", "102F/2", "270/3", "300/1"}));
}

TEST_F(DataModuleTest, SheetPagesFollowTheirHeader) {
    auto key = [](db::Table& t, double tol) {
        t.Append();
        t.FieldByName("TORZSSZAM").SetAsString("1");
        t.FieldByName("HONAP").SetAsInteger(1);
        t.FieldByName("JELLEG").SetAsString("E");
        t.FieldByName("TOL").SetAsDateTime(tol);
        t.FieldByName("IG").SetAsDateTime(43496);
        t.Post();
    };
    dm->TableMAB00->Open();
    key(*dm->TableMAB00, 43466);
    dm->TableMAB04->Open();
    key(*dm->TableMAB04, 43466);
    key(*dm->TableMAB04, 43467);  // its header's period starts a day later
    dm->TableMAB04->SetOnFilterRecord(dm->FilterHandler(&TDM1::MABFilter));
    dm->TableMAB04->SetFiltered(true);
    EXPECT_EQ(dm->TableMAB04->RecordCount(), 1);
}

}  // namespace
