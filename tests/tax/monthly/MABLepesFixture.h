// The sheet pass on fixture headers: employees with the fields a step
// reads, a header and its pages written through the database layer, the
// pass run over them, and each page of a sheet read back as its filled
// fields.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tax/monthly/MABFixture.h"
#include "tax/monthly/MABLapszamitas.h"
#include "tax/monthly/MABOsszesit.h"

namespace mabtest {

using Fields = std::vector<std::pair<std::string, db::Variant>>;
// A page as its non-null fields, every value as text.
using PageCells = std::map<std::string, std::string>;

class MABLepesTest : public MABTest {
protected:
    // An employee of insured category "20" with the given fields.
    void Employee(const std::string& id, const Fields& fields) {
        Employees({{id, "Teszt Elek", "81" + id.substr(3)}});
        std::vector<std::string> header{"DG_TORZSSZAM"};
        std::vector<db::Variant> row{db::Variant(id)};
        for (const auto& [name, value] : fields) {
            header.push_back(name);
            row.push_back(value);
        }
        testsupport::AddRows("Dolgozo_001", header, {row});
    }

    // The header of the month (nature "E") of an employee.
    MABKulcs Header(const std::string& id, int honap = 3) {
        if (!open) Open();
        const MABHonap ho = MABHonapja(honap);
        const MABKulcs k{id, honap, "E", ho.elsoNap, ho.utolsoNap};
        db::Table& t = *DM1->TableMAB00;
        t.Append();
        t.FieldByName("TORZSSZAM").SetAsString(id);
        t.FieldByName("ADOSZAM").SetAsString("81" + id.substr(3));
        t.FieldByName("HONAP").SetAsInteger(honap);
        t.FieldByName("JELLEG").SetAsString("E");
        t.FieldByName("TOL").SetAsDateTime(k.tol);
        t.FieldByName("IG").SetAsDateTime(k.ig);
        t.Post();
        return k;
    }

    // A page of the header with the given fields (dates as "YYYY.MM.DD").
    static void Page(db::Table* sheet, const MABKulcs& fej, const Fields& fields = {}) {
        UjLap(*sheet, fej, "81" + fej.torzsszam.substr(3));
        for (const auto& [name, value] : fields) sheet->FieldByName(name).SetValue(value);
        sheet->Post();
    }

    // The pass over the month's headers.
    static void Pass(int honap = 3) {
        MABLapszamitas({MABHonapja(honap), "E", "00000000000", "99999999999"}, MABSzamitasiLepesek());
    }

    // The pages of an employee on a sheet, in page order.
    static std::vector<PageCells> Read(const std::string& sheet, const std::string& id) {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = sheet + "_001";
        t.IndexFieldNames = kMABKulcs;
        t.Open();
        std::vector<PageCells> pages;
        for (; !t.Eof(); t.Next()) {
            if (t.FieldByName("TORZSSZAM").AsString() != id) continue;
            PageCells page;
            for (int i = 0; i < t.FieldCount(); ++i)
                if (!t.Fields(i).IsNull()) page[t.Fields(i).FieldName()] = t.Fields(i).AsString();
            pages.push_back(page);
        }
        return pages;
    }

    // Compares the listed fields of each page ("" for a null field) and the
    // number of pages.
    static void ExpectPages(const std::string& sheet, const std::string& id,
                            const std::vector<PageCells>& want, const std::string& why) {
        const std::vector<PageCells> got = Read(sheet, id);
        ASSERT_EQ(got.size(), want.size()) << why << ": pages of " << sheet;
        for (size_t i = 0; i < want.size(); ++i)
            for (const auto& [field, value] : want[i]) {
                const auto it = got[i].find(field);
                EXPECT_EQ(it == got[i].end() ? "" : it->second, value)
                    << why << ": " << sheet << " page " << i + 1 << " " << field;
            }
    }
};

}  // namespace mabtest
