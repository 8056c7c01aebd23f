// The database helpers: work tables, the alias, the shared-access setting,
// columns added to old tables, record copy by position.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/SegedUnitDb.h"
#include "platform/db/Engine.h"
#include "platform/db/ListDataset.h"
#include "platform/db/Table.h"
#include "platform/os/System.h"
#include "support/DialogTest.h"
#include "support/TestSupport.h"

namespace {

using db::FieldType;

class SegedUnitDbTest : public testsupport::HomeTest {
protected:
    void SetUp() override {
        folder = home.Path() + "/Tavrina/2019";
        std::filesystem::create_directories(folder);
        db::Engine::AddStandardAlias("TR19", folder);
    }
    std::string folder;
};

TEST_F(SegedUnitDbTest, ParadoxTablaLetrehozReplacesAndReports) {
    const std::string name = "List_MNYP" + GepNevUtotag();
    const std::vector<std::string> names{"MNYP", "DOLGOZO_KOD", "HONAP", "OSSZEG", "DATUM"};
    const std::vector<FieldType> types{FieldType::String, FieldType::String, FieldType::SmallInt,
                                       FieldType::Float, FieldType::Date};
    ASSERT_TRUE(
        ParadoxTablaLetrehoz("TR19", name, names, "MNYP; DOLGOZO_KOD; HONAP", types, {4, 6, 0, 0, 0}));
    std::string pk;
    db::FieldDefs defs = db::ReadTableStructure("TR19", name, &pk);
    EXPECT_EQ(pk, "MNYP;DOLGOZO_KOD;HONAP");
    EXPECT_EQ(defs[1].size, 6);
    {
        db::Table t;
        t.DatabaseName = "TR19";
        t.TableName = name;
        t.Open();
        t.Append();
        t.FieldByName("MNYP").SetAsString("A");
        t.Post();
    }
    // Made again: the old rows are gone; a blank index text gives no index.
    ASSERT_TRUE(ParadoxTablaLetrehoz("TR19", name, names, "  ", types, {4, 6, 0, 0, 0}));
    db::ReadTableStructure("TR19", name, &pk);
    EXPECT_EQ(pk, "");
    db::Table t;
    t.DatabaseName = "TR19";
    t.TableName = name;
    t.Open();
    EXPECT_EQ(t.RecordCount(), 0);
    t.Close();

    // A failure: one error box, false, nothing half-made.
    testsupport::ScriptedDialogs dialogs;
    dialogs.Answer(ui::Ok).Answer(ui::Ok);
    EXPECT_FALSE(ParadoxTablaLetrehoz("TR19", "List_Rossz", names, "", {FieldType::String}, {4}));
    EXPECT_EQ(dialogs.Text(0).rfind("HIBA történt a tábla létrehozásakor! \r", 0), 0u) << dialogs.Text(0);
    EXPECT_FALSE(ParadoxTablaLetrehoz("NINCS", "List_Rossz", names, "", types, {4, 6, 0, 0, 0}));
    EXPECT_FALSE(db::TableExists("TR19", "List_Rossz"));
    EXPECT_EQ(dialogs.Shown().size(), 2u);
}

TEST_F(SegedUnitDbTest, AliasAndSharedAccessSetting) {
    testsupport::ScriptedDialogs dialogs;
    AliasLetrehoz("TR19", "/mashol");  // existing: nothing changes, nothing shown
    EXPECT_EQ(AliasUtvonal("TR19"), folder);
    AliasLetrehoz("TR18", folder + "/../2018");
    EXPECT_TRUE(db::Engine::IsAlias("TR18"));
    EXPECT_THROW(AliasUtvonal("TR17"), db::EngineError);

    EXPECT_FALSE(LocalShareEllenoriz());
    dialogs.Answer(ui::Ok).Answer(ui::Ok);
    BdeKonfigBeallit("LOCAL SHARE", "TRUE");
    EXPECT_EQ(dialogs.Text(0),
              "Invalid parameter passed to function. There must be a semi-colon delimited sting passed.");
    BdeKonfigBeallit("\\SYSTEM\\INIT\\;LOCAL SHAR", "TRUE");
    EXPECT_EQ(dialogs.Text(1), "\\SYSTEM\\INIT\\;LOCAL SHAR entry was not found in configuration file");
    EXPECT_FALSE(LocalShareEllenoriz());
    BdeKonfigBeallit("\\SYSTEM\\INIT\\;LOCAL SHARE", "TRUE");
    EXPECT_TRUE(LocalShareEllenoriz());
    EXPECT_EQ(GepNevUtotag(), "_" + os::ComputerName());
}

TEST_F(SegedUnitDbTest, MezoHozzaadAddsOnlyAMissingColumn) {
    db::CreateTable("TR19", "MAB04", {{"TORZSSZAM", FieldType::String, 6}}, "TORZSSZAM");
    testsupport::ScriptedDialogs dialogs;
    MezoHozzaad("TR19", "MAB04", "S401A", "INT");
    MezoHozzaad("TR19", "mab04", "s401a", "INT");  // present already: no second ALTER
    db::FieldDefs defs = db::ReadTableStructure("TR19", "MAB04");
    ASSERT_EQ(defs.size(), 2u);
    EXPECT_EQ(defs[1].type, FieldType::Integer);
    dialogs.Answer(ui::Ok);
    MezoHozzaad("TR19", "Nincs", "X", "INT");
    EXPECT_EQ(dialogs.Shown().size(), 1u);
}

TEST_F(SegedUnitDbTest, RekordMasolCopiesByPosition) {
    db::ListDataset source, target;
    source.SetFieldDefs({{"A", FieldType::String, 5}, {"B", FieldType::Integer}});
    target.SetFieldDefs({{"X", FieldType::String, 5}, {"Y", FieldType::Float}, {"Z", FieldType::String, 3}});
    source.Open();
    target.Open();
    source.Append();
    source.FieldByName("A").SetAsString("abc");
    source.Post();  // B stays null
    target.Append();
    target.FieldByName("Y").SetAsFloat(9);
    target.FieldByName("Z").SetAsString("zz");
    RekordMasol(source, target);
    EXPECT_EQ(target.FieldByName("X").AsString(), "abc");
    EXPECT_TRUE(target.FieldByName("Y").IsNull());
    EXPECT_EQ(target.FieldByName("Z").AsString(), "zz");
    target.Post();
    EXPECT_THROW(RekordMasol(source, target), db::DatabaseError);  // not in edit mode
}

}  // namespace
