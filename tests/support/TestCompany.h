// A company for whole-month runs: a catalogue holding every code the engine
// writes or reads, with categories that fill every group of the totals rows,
// the yearly parameters the steps read (example rates), and employees
// written from compact tables. Used by the golden run and the benchmark.
#pragma once

#include <string>
#include <vector>

#include "core/DataModule1.h"
#include "payroll/engine/Pipeline.h"
#include "payroll/engine/RunLoader.h"
#include "platform/db/Engine.h"
#include "platform/db/Table.h"
#include "support/CompanyFixture.h"

namespace enginetest {

using Lines = std::vector<std::vector<std::string>>;

// Writes one row per line: line 0 names the fields, an empty value leaves
// the field empty; required fields left empty get plain values. A row whose
// key is already in the table (a shipped row) is overwritten.
inline void WriteRows(const std::string& databaseName, const std::string& table, const Lines& lines) {
    db::Table t;
    t.DatabaseName = databaseName;
    t.TableName = table;
    t.Open();
    const std::vector<std::string> key = db::Dataset::SplitFieldNames(t.KeyFieldNames());
    for (size_t i = 1; i < lines.size(); ++i) {
        std::vector<db::Variant> values;
        for (const std::string& k : key)
            for (size_t c = 0; c < lines[0].size(); ++c)
                if (lines[0][c] == k) values.emplace_back(lines[i][c]);
        std::string keyNames;
        for (const std::string& k : key) keyNames += (keyNames.empty() ? "" : ";") + k;
        if (!key.empty() && values.size() == key.size() && t.Locate(keyNames, values))
            t.Edit();
        else
            t.Append();
        for (size_t c = 0; c < lines[0].size(); ++c)
            if (!lines[i][c].empty()) t.FieldByName(lines[0][c]).SetAsString(lines[i][c]);
        testsupport::FillRequired(t);
        t.Post();
    }
}

// Wage-like items: liable to tax, every contribution and the totals 270/271.
inline const std::vector<std::string>& WageFlags() {
    static const std::vector<std::string> flags = {
        "JC_SZJAKOT", "JC_NYJKOT",  "JC_EBJKOT",    "JC_MPJDOLGKOT", "JC_SZHAKOT", "JC_SZAKKEPZES",
        "JC_BERJELL", "JC_KERESET", "JC_SZAKSZKOT", "JC_BALJKOT",    "JC_EVAKOT"};
    return flags;
}

// The company's pay items are exactly these (rows shipped with the
// template go).
inline void WriteCatalogue(const std::string& databaseName, const std::string& table) {
    {
        db::Table t;
        t.DatabaseName = databaseName;
        t.TableName = table;
        t.Open();
        t.EmptyTable();
    }
    // clang-format off
    const Lines items = {
        {"JC_KOD", "JC_NEV",                   "JC_TIPUS", "JC_SZAMKEP", "JC_KIFIZ", "JC_SZAZ", "JC_SZABTIP", "JC_JARULKOD", "JC_ELKULADO", "JC_LINADO", "JC_TERMJUTADO", "JC_SZHANEMKEDV", "JC_LETILT", "JC_SZHALEV", "JC_BESZAMOSSZEG", "JC_BESZAMIDOSZTO", "wage"},
        {"100",  "Havi alapbér",               "1", "1",  "I", "100", "",  "00", "N", "",   "",  "",  "I", "",  "",  "I", "I"},
        {"101",  "Órabér",                     "1", "1",  "I", "100", "",  "00", "N", "",   "",  "",  "I", "",  "",  "I", "I"},
        {"102",  "Fizetett ünnep",             "1", "1",  "I", "100", "",  "00", "N", "",   "",  "",  "I", "",  "",  "I", "I"},
        {"102F", "Fizetett ünnep órabér",      "1", "1",  "I", "100", "",  "00", "N", "",   "",  "",  "I", "",  "",  "I", "I"},
        {"105",  "Alapbér (5)",                "1", "1",  "I", "100", "",  "00", "N", "",   "",  "",  "I", "",  "",  "I", "I"},
        {"106",  "Órabér (5)",                 "1", "1",  "I", "100", "",  "00", "N", "",   "",  "",  "I", "",  "",  "I", "I"},
        {"107",  "Fizetett ünnep (5)",         "1", "1",  "I", "100", "",  "00", "N", "",   "",  "",  "I", "",  "",  "I", "I"},
        {"107F", "Fizetett ünnep órabér (5)",  "1", "1",  "I", "100", "",  "00", "N", "",   "",  "",  "I", "",  "",  "I", "I"},
        {"108",  "Munkaidő-kedvezmény",        "1", "0",  "I", "100", "",  "00", "N", "",   "",  "",  "",  "",  "",  "",  "I"},
        {"120",  "Jutalom",                    "1", "0",  "I", "100", "",  "00", "N", "",   "",  "",  "I", "",  "I", "",  "I"},
        {"130",  "Műszakpótlék",               "1", "4",  "I", "100", "",  "00", "N", "",   "",  "",  "I", "",  "I", "",  "I"},
        {"140",  "Szabadság",                  "1", "2",  "I", "100", "1", "00", "N", "",   "",  "",  "I", "",  "",  "",  "I"},
        {"150",  "Betegszabadság",             "1", "2",  "I", "70",  "2", "01", "N", "",   "",  "",  "I", "",  "",  "",  "I"},
        {"152",  "Táppénz",                    "N", "0",  "N", "100", "",  "02", "N", "",   "",  "",  "",  "",  "",  "",  ""},
        {"220A", "Osztalékjellegű",            "1", "0",  "I", "100", "",  "00", "I", "",   "",  "",  "",  "",  "",  "",  ""},
        {"250",  "Természetbeni juttatás",     "2", "0",  "N", "100", "",  "00", "N", "",   "I", "I", "",  "",  "",  "",  ""},
        {"255",  "Ajándékutalvány",            "2", "0",  "N", "100", "",  "00", "N", "",   "I", "N", "",  "",  "",  "",  ""},
        {"260",  "Különadózó jövedelem",       "1", "0",  "I", "100", "",  "00", "I", "15", "",  "",  "",  "I", "",  "",  ""},
        {"270",  "Bérjellegű összesen",        "0", "0",  "N", "100"},
        {"271",  "Kereset összesen",           "0", "0",  "N", "100"},
        {"275",  "Utazási költségtérítés",     "2", "0",  "I", "100"},
        {"280",  "Szakszervezeti tagdíj",      "F", "0",  "I", "100"},
        {"282A", "EKHO alap",                  "1", "0",  "I", "100"},
        {"285",  "Önkéntes pénztári tagdíj",   "M", "8",  "I", "100"},
        {"286",  "Egyesületi tagdíj",          "B", "8",  "I", "100"},
        {"300",  "Nyugdíjjárulék",             "8", "0",  "I", "100"},
        {"300A", "Adó 220A után",              "E", "0",  "I", "100"},
        {"301",  "Nyugdíjjárulék (pénztártag)","Y", "0",  "I", "100"},
        {"304",  "Munkaerő-piaci járulék",     "9", "0",  "I", "100"},
        {"306",  "Természetbeni eg. járulék",  "A", "0",  "I", "100"},
        {"307",  "Pénzbeli eg. járulék",       "D", "0",  "I", "100"},
        {"309",  "Adó családi kedvezmény előtt","0", "0", "N", "100"},
        {"313A", "Első házasok kedvezménye",   "0", "0",  "N", "100"},
        {"314A", "Családi kedvezmény",         "0", "0",  "N", "100"},
        {"315",  "Személyi kedvezmény",        "0", "0",  "N", "100"},
        {"320",  "Személyi jövedelemadó",      "6", "0",  "I", "100"},
        {"320A", "EKHO szja",                  "E", "0",  "I", "100"},
        {"320B", "EKHO nyugdíjjárulék",        "E", "0",  "I", "100"},
        {"320C", "EKHO egészségbiztosítás",    "E", "0",  "I", "100"},
        {"321",  "Különadó",                   "E", "0",  "I", "100"},
        {"322",  "Különadó szja",              "E", "0",  "I", "100"},
        {"326",  "Levont szociális hozzájárulási adó","X", "0", "I", "100"},
        {"327",  "Kedvezmény alapja",          "0", "0",  "N", "100"},
        {"328",  "Szocho kedvezmény",          "K", "0",  "N", "100"},
        {"330",  "Szociális hozzájárulási adó","C", "0",  "N", "100"},
        {"332A", "KIVA alap",                  "0", "0",  "N", "100"},
        {"332K", "KIVA kedvezmény",            "0", "0",  "N", "100"},
        {"334A", "Béren kívüli szja",          "G", "0",  "N", "100"},
        {"334B", "Béren kívüli szja (emelt)",  "G", "0",  "N", "100"},
        {"340B", "EKHO munkáltatói",           "H", "0",  "N", "100"},
        {"340C", "EKHO nyugdíjas",             "E", "0",  "I", "100"},
        {"341A", "Béren kívüli szocho",        "I", "0",  "N", "100"},
        {"341B", "Béren kívüli szocho (emelt)","I", "0",  "N", "100"},
        {"342",  "Egészségügyi szolgáltatási járulék","J", "0", "N", "100"},
        {"351",  "Szakképzési hozzájárulás",   "L", "0",  "N", "100"},
        {"360",  "EVA",                        "T", "0",  "N", "100"},
        {"390",  "Szocho 108 után",            "U", "0",  "N", "100"},
        {"394",  "Szakképzési 108 után",       "V", "0",  "N", "100"},
        {"400",  "Letiltás",                   "3", "6",  "I", "100"},
        {"410",  "Előleg",                     "4", "8",  "I", "100"},
        {"500",  "Korábbi nyugdíjalap",        "0", "0",  "N", "100"},
        {"700A", "Nyugdíjjárulék számított",   "0", "0",  "N", "100"},
        {"701A", "Pénztártag járuléka",        "0", "0",  "N", "100"},
        {"706A", "Term. eg. járulék számított","0", "0",  "N", "100"},
        {"707A", "Pénzb. eg. járulék számított","0", "0", "N", "100"},
        {"748",  "Nettó",                      "0", "0",  "N", "100"},
        {"749",  "Kerekítés",                  "0", "0",  "N", "100"},
        {"750",  "Kifizetendő",                "0", "0",  "N", "100"},
        {"751",  "Nem kifizetendő",            "0", "0",  "N", "100"},
        {"752",  "Járulékok",                  "0", "0",  "N", "100"},
        {"753",  "Adók",                       "0", "0",  "N", "100"},
        {"754",  "Tagdíjak",                   "0", "0",  "N", "100"},
        {"755",  "Nettó kereset",              "0", "0",  "N", "100"},
        {"756",  "Munkáltatói terhek",         "0", "0",  "N", "100"},
        {"757",  "Levonások",                  "0", "0",  "N", "100"},
    };
    // clang-format on
    Lines lines;
    std::vector<std::string> header(items[0].begin(), items[0].end() - 1);
    for (const std::string& f : WageFlags()) header.push_back(f);
    lines.push_back(header);
    for (size_t i = 1; i < items.size(); ++i) {
        std::vector<std::string> row = items[i];
        row.resize(items[0].size());
        const bool wage = row.back() == "I";
        row.pop_back();
        for (size_t f = 0; f < WageFlags().size(); ++f) row.push_back(wage ? "I" : "N");
        lines.push_back(row);
    }
    WriteRows(databaseName, table, lines);
}

// The example rates of the year's parameters.
inline void WriteParameters(const std::string& databaseName, const std::string& table) {
    Lines lines = {{"EK_TIPUS", "EK_ERTEK", "EK_ERTEKNEV", "EK_ERTEKNUM"}};
    // clang-format off
    const std::vector<std::pair<const char*, const char*>> rates = {
        {"17", "10"}, {"18", "0"}, {"19", "4"}, {"19p", "3"}, {"20", "1.5"}, {"21", "1"}, {"23a", "100"},
        {"23b", "50"}, {"23s", "1.18"}, {"28", "7710"}, {"31", "7450"}, {"32", "149000"}, {"43", "138000"},
        {"44", "1.5"}, {"45", "15"}, {"46", "10"}, {"58", "15"},
    };
    // clang-format on
    for (auto [code, value] : rates) lines.push_back({"0", code, std::string("Paraméter ") + code, value});
    WriteRows(databaseName, table, lines);
}

// A year folder under the alias with company 001 holding the catalogue and
// the parameters.
inline void MakeTestCompany(const std::string& alias) {
    PrepareYearFolder(alias);
    testsupport::MakeCompany("001", "Próba Kft", "Próba");
    WriteCatalogue(alias, "Jogcim_001");
    WriteParameters(alias, "Ertekkeszlet_001");
    WriteRows(alias, "MHely_001", {{"MH_KOD", "MH_NEV", "MH_KHKOD"}, {"000001", "Iroda", "000100"}});
}

// Computes and saves one employee's run: a month already computed under
// another payment date gets no second base wage.
inline void RunAndSave(const payroll::RunLoader& loader, db::Table& payroll, const std::string& employee,
                       int month, double paymentDate) {
    payroll::RunContext ctx = loader.Load(employee, month, paymentDate);
    ctx.HonapSzamfejtve = payroll::MonthAlreadyComputed(ctx);
    payroll::PayrollRun run(ctx);
    payroll::Szamf(run);
    payroll::SaveRun(run, payroll);
}

}  // namespace enginetest
