#include "core/FormTables.h"

#include <gtest/gtest.h>

#include "core/DataModule1.h"
#include "support/CompanyFixture.h"

namespace {

using FormTablesTest = testsupport::YearFolderTest;

struct Case {
    db::DataSource* TDM1::*source;
    const char* field;
    db::FieldType type;
    int size;
    const char* mask;
    const char* label;
    bool required;
    const char* why;
};

}  // namespace

TEST_F(FormTablesTest, BoundFieldsReadTheTableLayouts) {
    const Case cases[] = {
        {&TDM1::DataSourceKifhely, "KH_KOD", db::FieldType::String, 6, "999999;1;_", "Kifizetőhely :", true,
         "mask, size and the caption on its form"},
        {&TDM1::DataSourceCegek, "cg_kod", db::FieldType::String, 3, "999;1;_", "Kód", true,
         "any case, a label"},
        {&TDM1::DataSourceDolgRegi, "DG_BELEPDAT", db::FieldType::Date, 0, "", "Belépés dátuma :", false,
         "a component that has no table name before a company is selected"},
        {&TDM1::DataSourceRJogcim, "RJ_szarmJCKODJCNEV", db::FieldType::String, 30, "", "", false,
         "a lookup"},
    };
    for (const Case& c : cases) {
        const ui::FieldInfo f = LayoutField(dm.get()->*c.source, c.field);
        EXPECT_EQ(f.type, c.type) << c.why;
        EXPECT_EQ(f.size, c.size) << c.why;
        EXPECT_EQ(f.mask, c.mask) << c.why;
        EXPECT_EQ(f.label, c.label) << c.why;
        EXPECT_EQ(f.required, c.required) << c.why;
    }
    // A page table naming a field its table does not hold.
    EXPECT_THROW(LayoutField(dm->DataSourceKifhely, "KH_NINCS"), std::logic_error);
}
