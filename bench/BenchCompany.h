// The benchmarks' company: a year folder under a temporary home holding
// company 001 ("Őrség Tűzifa Kft."), the data module pointed at the year;
// tables filled in one transaction each, employees numbered on 11 digits.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "core/SegedUnitDb.h"
#include "platform/db/Transaction.h"
#include "support/CompanyFixture.h"

namespace bench {

inline std::string Kod(int e) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%011d", e);
    return buf;
}

template <class Fill>
void Write(const std::string& name, Fill fill) {
    db::Table t;
    t.DatabaseName = AktualisAlias;
    t.TableName = name;
    db::Transaction tx{&t};
    t.Open();
    fill(t);
    tx.Commit();
    t.Close();
}

struct CompanyBase {
    testsupport::TempHome home{testsupport::TempHome::Syncs::Keep};
    std::unique_ptr<TDM1> dm;

    CompanyBase() {
        AliasLetrehoz(AktualisAlias, EvKonyvtar());
        PrepareYearFolder(AktualisAlias);
        dm = std::make_unique<TDM1>();
        DM1 = dm.get();
        dm->SetDatabaseName(AktualisAlias);
        testsupport::MakeCompany("001", "Őrség Tűzifa Kft.", "Őrség");
    }
    ~CompanyBase() { DM1 = nullptr; }
};

}  // namespace bench
