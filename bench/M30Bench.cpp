// The income certificate totals over 120,000 payroll rows: 500 employees,
// 12 months, 20 rows a month on placed pay items (wages, cost items,
// separately taxed income, month rows), the records written included.
// Goal: under 5 s.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "BenchCompany.h"
#include "QtBench.h"
#include "core/CegKival.h"
#include "core/SegedUnitDb.h"
#include "platform/db/Transaction.h"
#include "support/CompanyFixture.h"
#include "tax/annual/Ado_M30ossz.h"

namespace {

using bench::Kod;
using bench::Write;

constexpr int kEmployees = 500;
constexpr int kMonths = 12;

struct Item {
    const char* kod;
    int sor;
    const char* oszlop;
    const char* ktg;
};
// Twenty pay items with their certificate cells.
const Item kItems[] = {
    {"100", 1, "D", ""},   {"101", 1, "D", ""},   {"102", 1, "D", ""},    {"103", 4, "D", ""},
    {"104", 5, "D", ""},   {"201", 2, "B", "C"},  {"202", 3, "B", "C"},   {"203", 6, "B", "C"},
    {"204", 8, "B", "C"},  {"205", 14, "B", ""},  {"206", 165, "B", ""},  {"207", 167, "B", ""},
    {"208", 175, "B", ""}, {"209", 55, "B", ""},  {"210", 65, "B", ""},   {"211", 289, "G", ""},
    {"600", 900, "B", ""}, {"601", 900, "D", ""}, {"700A", 900, "B", ""}, {"212", 56, "B", ""}};

struct Company : bench::CompanyBase {
    Company() {
        dm->SetCompanyTableNames("001");
        TablaSablonbol("M30", "001");
        Write("Jogcim_001", [](db::Table& t) {
            for (const Item& i : kItems) {
                t.Locate("JC_KOD", i.kod) ? t.Edit() : t.Append();
                t.FieldByName("JC_KOD").SetAsString(i.kod);
                t.FieldByName("JC_NEV").SetAsString(std::string("Jogcím ") + i.kod);
                t.FieldByName("JC_ADOELSOR").SetAsInteger(i.sor);
                t.FieldByName("JC_ADOELOSZ").SetAsString(i.oszlop);
                t.FieldByName("JC_ADOELKTG").SetAsString(i.ktg);
                testsupport::FillRequired(t);
                t.Post();
            }
        });
        Write("Dolgozo_001", [](db::Table& t) {
            for (int e = 1; e <= kEmployees; ++e) {
                t.Append();
                t.FieldByName("DG_TORZSSZAM").SetAsString(Kod(e));
                t.FieldByName("DG_NEV").SetAsString("Dolgozó Ödön " + std::to_string(e));
                t.FieldByName("DG_MHKOD").SetAsString("000001");
                t.FieldByName("DG_ALKMIN").SetAsString("1");
                testsupport::FillRequired(t);
                t.Post();
            }
        });
        Write("Szamfejt_001", [](db::Table& t) {
            int n = 0;
            for (int e = 1; e <= kEmployees; ++e)
                for (int m = 1; m <= kMonths; ++m)
                    for (const Item& i : kItems) {
                        t.Append();
                        t.FieldByName("SF_DGTORZSSZAM").SetAsString(Kod(e));
                        t.FieldByName("SF_HONAP").SetAsInteger(m);
                        t.FieldByName("SF_KIFIZDAT")
                            .SetAsString("2019." + std::string(m < 10 ? "0" : "") + std::to_string(m) +
                                         ".05");
                        t.FieldByName("SF_JCKOD").SetAsString(i.kod);
                        t.FieldByName("SF_SORSZAM").SetAsInteger(++n);
                        t.FieldByName("SF_RJSORSZAM").SetAsInteger(0);
                        t.FieldByName("SF_OSSZEG").SetAsFloat(1000 + n % 977);
                        t.FieldByName("SF_ADOALAP").SetAsFloat(600 + n % 311);
                        t.FieldByName("SF_JARALAP").SetAsFloat(1000 + n % 977);
                        t.FieldByName("SF_DGMHKOD").SetAsString("000001");
                        t.Post();
                    }
        });
        for (db::Table* t : {DM1->TableJogcim, DM1->TableDolgozo, DM1->TableSzamfejt}) {
            t->ReadOnly = true;
            t->Open();
        }
        DM1->TableErtekkeszlet->Open();
        DM1->TableM30->Open();
    }
};

void BM_M30Totals(benchmark::State& state) {
    static Company company;
    int records = 0;
    for (auto _ : state) {
        M30osszesit({"000001", "000001", Kod(1), Kod(kEmployees)}, "2019");
        records = DM1->TableM30->RecordCount();
    }
    state.counters["records"] = records;
    if (records != kEmployees) state.SkipWithError("records missing");
}
BENCHMARK(BM_M30Totals)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    RunQtBenchmarks(argc, argv);
    std::printf("Goal: one run over 120,000 payroll rows under 5 s.\n");
    return 0;
}
