#include "core/TableLayouts.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(TableLayouts, EveryTableHasItsFieldsAndKey) {
    // Stored fields of each layout (lookup fields are not stored).
    const std::pair<const char*, size_t> counts[] = {
        {"Szamfejt", 54},    {"KifHely", 7}, {"MHely", 10},    {"Jogcim", 82},    {"RJogcim", 39},
        {"Ertekkeszlet", 6}, {"Naptar", 14}, {"Dolgozo", 174}, {"DolgRegi", 175}, {"Hozzatartozo", 35},
        {"Cegek", 71},       {"FEOR", 2},    {"NyugP", 15},    {"Utal", 18},      {"FokFel", 5},
        {"Nyilat", 87},      {"M30", 132},   {"M29", 102},     {"K30", 134},      {"K32", 87},
        {"M292", 38},        {"M294", 21},
    };
    for (const auto& [name, count] : counts) {
        const TableLayout* t = FindTableLayout(name);
        ASSERT_NE(t, nullptr) << name;
        EXPECT_EQ(t->fields.size(), count) << name;
    }
    for (const TableLayout& t : TableLayouts()) {
        std::set<std::string> names;
        for (const FieldLayout& f : t.fields) {
            EXPECT_TRUE(names.insert(f.name).second) << t.name << " repeats " << f.name;
            EXPECT_EQ(f.type == db::FieldType::String, f.size > 0) << t.name << "." << f.name;
        }
        for (const std::string& k : t.key) EXPECT_NE(t.Field(k), nullptr) << t.name << " key " << k;
        for (const LookupLayout& l : t.lookups) EXPECT_NE(t.Field(l.keyField), nullptr) << l.name;
    }
}

TEST(TableLayouts, NamesResolveAsTableNamesDo) {
    EXPECT_EQ(FindTableLayout("szamfejt_001"), FindTableLayout("Szamfejt"));
    EXPECT_EQ(FindTableLayout("NyugP.DB"), FindTableLayout("NyugP"));
    EXPECT_EQ(FindTableLayout("Cegek_001"), nullptr);  // global: no company copies
    EXPECT_EQ(FindTableLayout("List_Berlap_GEP"), nullptr);
    const TableLayout* mab04 = FindTableLayout("MAB04_002");
    ASSERT_NE(mab04, nullptr);
    EXPECT_EQ(mab04->Field("S301A")->type, db::FieldType::String);
    EXPECT_EQ(mab04->Field("S301B")->type, db::FieldType::Integer);
    EXPECT_EQ(mab04->Field("S339A")->type, db::FieldType::Date);
    EXPECT_EQ(mab04->Field("s338b")->size, 40);
    for (const AddedFields& added : FieldsAddedToOlderTables())
        for (const std::string& f : added.fields)
            EXPECT_NE(FindTableLayout(added.table)->Field(f), nullptr) << f;
}

}  // namespace
