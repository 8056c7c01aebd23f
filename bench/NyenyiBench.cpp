// The pension insurance records of a company's year: 300 employees, twelve
// months of payroll rows (about 40,000 rows), 20 of them with a child-care
// absence splitting a month; the record set built and the XML written.
// Goal: both together under 2 s.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "BenchCompany.h"
#include "QtBench.h"
#include "controls/MemDataSet.h"
#include "core/SegedUnitDb.h"
#include "datasupply/NyenyiRekordok.h"
#include "datasupply/NyenyiXml.h"
#include "platform/db/Transaction.h"
#include "support/CompanyFixture.h"

namespace {

using bench::Kod;
using bench::Write;

constexpr int kEmployees = 300;
constexpr int kChildCare = 20;

// Pay items of the rows: code, contribution code.
const std::pair<const char*, const char*> kItems[] = {
    {"100", "00"}, {"101", "00"}, {"102", "00"}, {"103", "00"}, {"120", "00"}, {"300", "00"}, {"301", "00"},
    {"306", "00"}, {"327", "00"}, {"328", "00"}, {"330", "00"}, {"200", "10"}, {"205", "12"}};

std::string Datum(int m, int d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "2019.%02d.%02d", m, d);
    return buf;
}

struct Company : bench::CompanyBase {
    int rows = 0;

    Company() {
        dm->SetCompanyTableNames("001");
        Write("Cegek", [](db::Table& t) {
            t.Locate("CG_KOD", "001");
            t.Edit();
            t.FieldByName("CG_ADOSZAM").SetAsString("12345678123");
            t.FieldByName("CG_TBTORZSSZAM").SetAsString("87654321");
            t.Post();
        });
        Write("Ertekkeszlet_001", [](db::Table& t) {
            t.Locate("EK_TIPUS;EK_ERTEK", std::vector<db::Variant>{"0", "32"}) ? t.Edit() : t.Append();
            t.FieldByName("EK_TIPUS").SetAsString("0");
            t.FieldByName("EK_ERTEK").SetAsString("32");
            t.FieldByName("EK_ERTEKNUM").SetAsFloat(149000);
            testsupport::FillRequired(t);
            t.Post();
        });
        Write("Jogcim_001", [](db::Table& t) {
            for (const auto& [kod, jarul] : kItems) {
                t.Locate("JC_KOD", kod) ? t.Edit() : t.Append();
                t.FieldByName("JC_KOD").SetAsString(kod);
                t.FieldByName("JC_NEV").SetAsString(std::string("Jogcím ") + kod);
                t.FieldByName("JC_JARULKOD").SetAsString(jarul);
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
                t.FieldByName("DG_ALKMIN").SetAsString("2");
                t.FieldByName("DG_NYENYIJOGVKOD").SetAsString("20");
                testsupport::FillRequired(t);
                t.Post();
            }
        });
        Write("Szamfejt_001", [this](db::Table& t) {
            for (int e = 1; e <= kEmployees; ++e)
                for (int m = 1; m <= 12; ++m)
                    for (const auto& [kod, jarul] : kItems) {
                        const bool absence = std::string(jarul) != "00";
                        // Child care in March for the first few, sick pay in May for every tenth.
                        if (kod == std::string("205") && !(m == 3 && e <= kChildCare)) continue;
                        if (kod == std::string("200") && !(m == 5 && e % 10 == 0)) continue;
                        t.Append();
                        t.FieldByName("SF_DGTORZSSZAM").SetAsString(Kod(e));
                        t.FieldByName("SF_HONAP").SetAsInteger(m);
                        t.FieldByName("SF_KIFIZDAT").SetAsString(Datum(m, 5));
                        t.FieldByName("SF_JCKOD").SetAsString(kod);
                        t.FieldByName("SF_SORSZAM").SetAsInteger(++rows);
                        t.FieldByName("SF_RJSORSZAM").SetAsInteger(0);
                        t.FieldByName("SF_OSSZEG").SetAsFloat(1000 + rows % 977);
                        t.FieldByName("SF_JARALAP").SetAsFloat(absence ? 0 : 200000 + rows % 977);
                        t.FieldByName("SF_DGMHKOD").SetAsString("000001");
                        if (absence) {
                            t.FieldByName("SF_NAP").SetAsInteger(11);
                            t.FieldByName("SF_TOL").SetAsString(Datum(m, 10));
                            t.FieldByName("SF_IG").SetAsString(Datum(m, 20));
                        }
                        t.Post();
                    }
        });
        for (db::Table* t : {DM1->TableErtekkeszlet, DM1->TableMhely, DM1->TableJogcim, DM1->TableDolgozo,
                             DM1->TableSzamfejt, DM1->TableCegek}) {
            t->ReadOnly = true;
            t->Open();
        }
        DM1->TableCegek->Locate("CG_KOD", "001");
    }
};

double seconds = 0;

void BM_NyenyiBuildAndXml(benchmark::State& state) {
    static Company company;
    TMemoryData set;
    int records = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        const bool tbKifHely = NyenyiRekordokFeltolt(set, {"000000", "999999", "00000000000", "99999999999"});
        NyenyiXmlIr(company.home.Path() + "/NY001.xml", set, tbKifHely, *DM1->TableCegek);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        records = set.RecordCount();
    }
    state.counters["payroll rows"] = company.rows;
    state.counters["records"] = records;
}
BENCHMARK(BM_NyenyiBuildAndXml)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
    RunQtBenchmarks(argc, argv);
    std::printf(
        "Pension insurance records of %d employees, built and written: %.3f s (goal 2 s: ratio %.2f)\n",
        kEmployees, seconds, seconds / 2.0);
    return 0;
}
