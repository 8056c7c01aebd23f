// Companies for tests, made the way the company register leaves them: the
// company's row in Cegek and its core tables copied from the templates.
// Header-only: it needs the core library, which tests/support does not link.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/CegTablak.h"
#include "core/DataModule1.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "core/TableCatalog.h"
#include "core/TableLayouts.h"
#include "platform/db/Table.h"
#include "support/TestSupport.h"

namespace testsupport {

// Fills every empty required field of the current record with a plain value.
inline void FillRequired(db::Table& t) {
    const TableLayout* layout = FindTableLayout(t.TableName);
    if (!layout) return;
    for (const FieldLayout& f : layout->fields) {
        if (!f.required || !t.FieldByName(f.name).IsNull()) continue;
        switch (f.type) {
            case db::FieldType::String:
                t.FieldByName(f.name).SetAsString("1");
                break;
            case db::FieldType::Date:
                t.FieldByName(f.name).SetAsDateTime(43466);
                break;
            default:
                t.FieldByName(f.name).SetAsInteger(1);
                break;
        }
    }
}

// The company's row in the company register, the other required fields plain.
inline void AddCompanyRow(const std::string& code, const std::string& name, const std::string& shortName) {
    db::Table cegek;
    cegek.DatabaseName = AktualisAlias;
    cegek.TableName = "Cegek";
    cegek.Open();
    cegek.Append();
    cegek.FieldByName("CG_KOD").SetAsString(code);
    cegek.FieldByName("CG_NEV").SetAsString(name);
    cegek.FieldByName("CG_RNEV").SetAsString(shortName);
    FillRequired(cegek);
    cegek.Post();
    cegek.Close();
}

inline void MakeCompany(const std::string& code, const std::string& name, const std::string& shortName) {
    AddCompanyRow(code, name, shortName);
    CegTablakLetrehozasa(code);
}

// Makes a company as the company register saves a new one: the mark, the
// row, the table set, then the mark removed; `afterRow` runs between the row
// and the tables (a crash trial stops there).
inline void RegisterNewCompany(const std::string& code, const std::string& name,
                               const std::function<void()>& afterRow = {}) {
    CegLetrehozasJelIr(code);
    AddCompanyRow(code, name, name);
    if (afterRow) afterRow();
    CegTablakLetrehozasa(code);
    CegLetrehozasJelTorol(code);
}

// Appends employees (id, name) to the open employee table; the other
// required fields get plain values.
inline void AddEmployees(db::Table& employees, const std::vector<std::pair<const char*, const char*>>& rows) {
    for (auto [id, name] : rows) {
        employees.Append();
        employees.FieldByName("DG_TORZSSZAM").SetAsString(id);
        employees.FieldByName("DG_NEV").SetAsString(name);
        FillRequired(employees);
        employees.Post();
    }
    employees.First();
}

// Writes the year's folder as PrepareYearFolder leaves it, with a company
// made in it as MakeCompany does when `code` is given. Making them took most
// of a short test's time and always gives the same files, so a process makes
// each kind once, under a home of its own, and keeps their bytes for the
// tests after.
inline void WritePreparedYearFolder(const std::string& code = "", const std::string& name = "",
                                    const std::string& shortName = "") {
    namespace fs = std::filesystem;
    static std::map<std::string, std::map<std::string, std::string>> kept;  // relative path -> bytes
    const std::string key = code + '\t' + name + '\t' + shortName;
    auto files = kept.find(key);
    if (files == kept.end()) {
        std::map<std::string, std::string> made;
        {
            TempHome own;
            AliasLetrehoz(AktualisAlias, EvKonyvtar());
            PrepareYearFolder(AktualisAlias);
            if (!code.empty()) MakeCompany(code, name, shortName);
            for (const fs::directory_entry& e : fs::recursive_directory_iterator(EvKonyvtar()))
                if (e.is_regular_file())
                    made[fs::relative(e.path(), EvKonyvtar()).string()] = ReadBytes(e.path().string());
        }
        files = kept.emplace(key, std::move(made)).first;
    }
    fs::create_directories(EvKonyvtar());
    for (const auto& [file, bytes] : files->second) WriteBytes(EvKonyvtar() + "/" + file, bytes);
}

// A year folder prepared by the program under the year's alias, and a data
// module pointed at it.
class YearFolderTest : public HomeTest {
protected:
    void SetUp() override { SetUpYearFolder(); }
    void TearDown() override { DM1 = nullptr; }

    // The folder, with a company made in it when `code` is given.
    void SetUpYearFolder(const std::string& code = "", const std::string& name = "",
                         const std::string& shortName = "") {
        AliasLetrehoz(AktualisAlias, EvKonyvtar());
        WritePreparedYearFolder(code, name, shortName);
        dm = std::make_unique<TDM1>();
        DM1 = dm.get();
        dm->SetDatabaseName(AktualisAlias);
    }

    std::unique_ptr<TDM1> dm;
};

// The year folder with the sample company "001", the data module on its tables.
class CompanyTest : public YearFolderTest {
protected:
    void SetUp() override {
        SetUpYearFolder("001", "Minta Kft", "Minta");
        dm->SetCompanyTableNames("001");
    }
};

}  // namespace testsupport
