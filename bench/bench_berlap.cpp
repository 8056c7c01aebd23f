// Payslips of 1,000 employees with about 25 payroll rows each: the fill that
// builds the work table and the recording of every page, then 500 of those
// pages exported to PDF. Both are printed beside the plain 500-page layout of
// bench_report (30 rows a page, no data behind it) recorded and exported in
// the same run, as ratios.
#include "BenchCompany.h"
#include "PlainPayslips.h"
#include "QtBench.h"

#include <cstdio>

#include "core/ExportQR.h"
#include "core/SegedUnitDb.h"
#include "lists/payment/List_Berlap.h"
#include "lists/payment/List_BerlapQR.h"
#include "platform/db/Transaction.h"
#include "platform/os/DayNumber.h"
#include "platform/os/TempDir.h"
#include "platform/report/Report.h"
#include "support/CompanyFixture.h"

namespace {

using bench::Kod;
using bench::Write;

constexpr int kEmployees = 1000;
constexpr int kPdfPages = plain::kPages;

// A year folder with company "001", its pay items, employees and payroll rows.
struct Company : bench::CompanyBase {
    Company() {
        dm->SetCompanyTableNames("001");
        // 22 benefits and deductions, 3 employer's charges.
        std::vector<std::pair<std::string, std::string>> items;
        for (int i = 0; i < 14; ++i) items.push_back({std::to_string(100 + i * 5), "1"});
        for (int i = 0; i < 8; ++i) items.push_back({std::to_string(300 + i * 2), i == 5 ? "4" : "3"});
        for (const char* c : {"330", "340", "350"}) items.push_back({c, "C"});
        Write("Jogcim_001", [&](db::Table& t) {
            for (auto& [kod, tipus] : items) {
                if (t.Locate("JC_KOD", kod)) continue;
                t.Append();
                t.FieldByName("JC_KOD").SetAsString(kod);
                t.FieldByName("JC_NEV").SetAsString("Jogcím " + kod + " őűŐŰ");
                t.FieldByName("JC_TIPUS").SetAsString(tipus);
                t.FieldByName("JC_SZJAKOT").SetAsString("I");
                t.FieldByName("JC_ELKULADO").SetAsString("N");
                testsupport::FillRequired(t);
                t.Post();
            }
        });
        Write("Dolgozo_001", [&](db::Table& t) {
            for (int e = 1; e <= kEmployees; ++e) {
                t.Append();
                t.FieldByName("DG_TORZSSZAM").SetAsString(Kod(e));
                t.FieldByName("DG_NEV").SetAsString("Dolgozó Ödön " + std::to_string(e));
                t.FieldByName("DG_MHKOD").SetAsString("000001");
                t.FieldByName("DG_ALAPBER").SetAsFloat(300000);
                testsupport::FillRequired(t);
                t.Post();
            }
        });
        Write("Szamfejt_001", [&](db::Table& t) {
            int n = 0;
            for (int e = 1; e <= kEmployees; ++e)
                for (auto& [kod, tipus] : items) {
                    t.Append();
                    t.FieldByName("SF_DGTORZSSZAM").SetAsString(Kod(e));
                    t.FieldByName("SF_HONAP").SetAsInteger(3);
                    t.FieldByName("SF_KIFIZDAT").SetAsString("2019.03.05");
                    t.FieldByName("SF_JCKOD").SetAsString(kod);
                    t.FieldByName("SF_SORSZAM").SetAsInteger(++n);
                    t.FieldByName("SF_RJSORSZAM").SetAsInteger(0);
                    t.FieldByName("SF_NAP").SetAsInteger(21);
                    t.FieldByName("SF_ORA").SetAsFloat(168);
                    t.FieldByName("SF_OSSZEG").SetAsFloat(1000 + n % 977);
                    t.FieldByName("SF_ADOALAP").SetAsFloat(1000 + n % 977);
                    t.FieldByName("SF_JARALAP").SetAsFloat(1000 + n % 977);
                    t.FieldByName("SF_DGMHKOD").SetAsString("000001");
                    t.FieldByName("SF_DGKHKOD").SetAsString("000001");
                    t.Post();
                }
        });
        for (db::Table* t : {DM1->TableErtekkeszlet, DM1->TableKifhely, DM1->TableMhely, DM1->TableJogcim,
                             DM1->TableDolgozo, DM1->TableSzamfejt, DM1->TableCegek}) {
            t->ReadOnly = t != DM1->TableErtekkeszlet;
            t->Open();
        }
    }
};

Company& TheCompany() {
    static Company c;
    return c;
}

BerlapParameterek Parameterek() {
    BerlapParameterek p;
    p.honap = 3;
    p.kifizDat = os::EncodeDate(2019, 3, 5);
    p.mhTol = p.khTol = "000001";
    p.mhIg = p.khIg = "000001";
    p.dgTol = QString::fromStdString(Kod(1));
    p.dgIg = QString::fromStdString(Kod(kEmployees));
    return p;
}

std::unique_ptr<TList_BerlapQRForm> g_layout;
std::unique_ptr<plain::Payslips> g_plain;
double g_berlap = 0, g_plainRecord = 0, g_pdf = 0, g_plainPdf = 0;
// The processor time of every thread of an export: its work, whatever the
// machine's load leaves of the cores.
double g_pdfCpu = 0, g_plainPdfCpu = 0;
int g_pages = 0;

void BM_BerlapFillAndRecord(benchmark::State& state) {
    TheCompany();
    for (auto _ : state) {
        const BerlapParameterek p = Parameterek();
        const WorkTable tabla = BerlapTabla(false);
        tabla.Create();
        tabla.Write(BerlapSorok(p));
        db::Table& t = *DM1->Table1;
        t.TableName = tabla.TableName();
        t.Open();
        g_layout = std::make_unique<TList_BerlapQRForm>();
        g_layout->QuickRep1.Prepare();
        g_pages = g_layout->QuickRep1.PagePrinter().PageCount();
        t.Close();
        if (g_pages < kEmployees) state.SkipWithError("too few pages");
    }
    state.counters["pages"] = g_pages;
}
BENCHMARK(BM_BerlapFillAndRecord)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PlainRecord(benchmark::State& state) {
    for (auto _ : state) {
        g_plain = std::make_unique<plain::Payslips>();
        g_plain->r.Prepare();
    }
}
BENCHMARK(BM_PlainRecord)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BerlapPdf500(benchmark::State& state) {
    os::TempDir dir;
    report::PagePrinter first;
    first.Begin();
    const report::PagePrinter& all = g_layout->QuickRep1.PagePrinter();
    for (int i = 1; i <= kPdfPages && i <= all.PageCount(); ++i)
        first.AddPage(std::make_unique<report::Page>(*all.GetPage(i)));
    first.End();
    for (auto _ : state) ExportPagesToPdf(first, false, dir.File("berlap.PDF"), 1, true, 96);
}
BENCHMARK(BM_BerlapPdf500)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_PlainPdf500(benchmark::State& state) {
    os::TempDir dir;
    for (auto _ : state)
        ExportPagesToPdf(g_plain->r.PagePrinter(), false, dir.File("plain.PDF"), 1, true, 96);
}
BENCHMARK(BM_PlainPdf500)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

class Reporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const double s = run.GetAdjustedRealTime() / 1e3;
            const std::string& n = run.benchmark_name();
            if (n.find("BerlapFill") != std::string::npos) g_berlap = s;
            if (n.find("PlainRecord") != std::string::npos) g_plainRecord = s;
            const double cpu = run.GetAdjustedCPUTime() / 1e3;
            if (n.find("BerlapPdf") != std::string::npos) g_pdf = s, g_pdfCpu = cpu;
            if (n.find("PlainPdf") != std::string::npos) g_plainPdf = s, g_plainPdfCpu = cpu;
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf(
            "\nPayslips of %d employees filled and %d pages recorded: %.3f s (budget 2 s: ratio %.3f); plain "
            "500-page layout recorded: %.3f s, ratio payslips/plain %.2f\n"
            "500 payslip pages to PDF: %.3f s = %.0f pages/s (goal 100: ratio %.2f); plain 500 pages: %.3f "
            "s, ratio payslips/plain %.2f\n"
            "Processor time of all threads: payslips %.3f s (%.1f ms a page), plain %.3f s, ratio "
            "payslips/plain %.2f\n",
            kEmployees, g_pages, g_berlap, g_berlap / 2, g_plainRecord,
            g_plainRecord > 0 ? g_berlap / g_plainRecord : 0, g_pdf, g_pdf > 0 ? kPdfPages / g_pdf : 0,
            g_pdf > 0 ? kPdfPages / g_pdf / 100 : 0, g_plainPdf, g_plainPdf > 0 ? g_pdf / g_plainPdf : 0,
            g_pdfCpu, g_pdfCpu * 1000 / kPdfPages, g_plainPdfCpu,
            g_plainPdfCpu > 0 ? g_pdfCpu / g_plainPdfCpu : 0);
    }
};

}  // namespace

int main(int argc, char** argv) {
    Reporter reporter;
    return RunQtBenchmarks(argc, argv, reporter);
}
