// A year folder with one company's tables made from the program's own table
// layouts, and a previous year's folder, for the engine's loader.
#pragma once

#include <filesystem>
#include <string>

#include "core/DataModule1.h"
#include "core/TableLayouts.h"
#include "payroll/engine/ResultRow.h"
#include "platform/db/Engine.h"
#include "platform/db/Table.h"
#include "platform/os/DayNumber.h"
#include "support/CompanyFixture.h"

namespace enginetest {

class YearFolderTest : public testsupport::HomeTest {
protected:
    void SetUp() override {
        folder = home.Path() + "/Tavrina/2019";
        previousFolder = home.Path() + "/Tavrina/2018";
        std::filesystem::create_directories(folder);
        std::filesystem::create_directories(previousFolder);
        db::Engine::AddStandardAlias("TR19", folder);
        db::Engine::AddStandardAlias("TR18", previousFolder);
        PrepareYearFolder("TR19");
        testsupport::MakeCompany("001", "Teszt Kft", "Teszt");
        db::Table cegek;
        cegek.DatabaseName = "TR19";
        cegek.TableName = "Cegek";
        cegek.Open();
        cegek.Edit();
        cegek.FieldByName("CG_NYITMOD").SetAsString("E");
        cegek.FieldByName("CG_ELOZOEVIKOD").SetAsString("123");
        cegek.FieldByName("CG_POTLSZAMFIX").SetAsString("N");
        cegek.Post();
    }

    // Appends one row to a table of this year's folder. A shipped row with the
    // same key (a pay item of the catalogue) is replaced, so the row holds
    // only the values given here.
    void Append(const std::string& table, std::initializer_list<std::pair<const char*, db::Variant>> values,
                const std::string& databaseName = "TR19") {
        db::Table t;
        t.DatabaseName = databaseName;
        t.TableName = table;
        t.Open();
        if (const TableLayout* layout = FindTableLayout(table); layout && layout->primaryIndex) {
            std::string keyFields;
            std::vector<db::Variant> key;
            for (const std::string& k : layout->key)
                for (const auto& [name, value] : values)
                    if (k == name) {
                        keyFields += (keyFields.empty() ? "" : ";") + k;
                        key.push_back(value);
                    }
            if (key.size() == layout->key.size() && t.Locate(keyFields, key)) t.Delete();
        }
        t.Append();
        for (const auto& [name, value] : values) t.FieldByName(name).SetValue(value);
        testsupport::FillRequired(t);
        t.Post();
    }

    // The previous year's payroll table of the company (code 123).
    void MakePreviousYear() {
        const TableLayout* layout = FindTableLayout("Szamfejt");
        std::string key;
        for (const std::string& k : layout->key) key += (key.empty() ? "" : ";") + k;
        db::CreateTable(previousFolder, "Szamfejt_123", layout->FieldDefs(), key);
    }

    // A saved payroll row: employee, month, payment date, code, amount, hours.
    void Saved(const std::string& databaseName, const std::string& table, int month, double paid,
               const char* code, double amount, double hours, int number = 1,
               const char* employee = "00001") {
        db::Table t;
        t.DatabaseName = databaseName;
        t.TableName = table;
        t.Open();
        t.Append();
        t.FieldByName("SF_DGTORZSSZAM").SetAsString(employee);
        t.FieldByName("SF_HONAP").SetAsInteger(month);
        t.FieldByName("SF_KIFIZDAT").SetAsDateTime(paid);
        t.FieldByName("SF_JCKOD").SetAsString(code);
        t.FieldByName("SF_SORSZAM").SetAsInteger(number);
        t.FieldByName("SF_OSSZEG").SetAsFloat(amount);
        t.FieldByName("SF_ORA").SetAsFloat(hours);
        t.Post();
    }

    std::string folder, previousFolder;
};

}  // namespace enginetest
