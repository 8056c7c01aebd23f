#include "core/ReferenceData.h"

#include <algorithm>
#include <string_view>

#include "core/StartValues.h"
#include "core/TableLayouts.h"
#include "platform/os/Text.h"

// The occupation code list as shipped (src/core/data/feor08.csv), compiled in.
extern const std::string_view kFeor08Csv;

namespace {

// --- Pay items -----------------------------------------------------------------

// Which flags an item sets to "I"; every other flag is "N".
enum class Flags {
    Wage,         // payable earnings liable to tax and every contribution
    WageHours,    // the same, its hours counted in the absence-fee divisor
    Supplement,   // the same, its amount counted in the absence-fee average
    Wage108,      // the same without social contribution tax and training levy
    Benefit,      // a cash benefit of health insurance: tax and pension contribution
    PensionOnly,  // a tax-free benefit liable to the pension contribution alone
    Payable,      // paid out, no liability
    Dividend,     // paid out, taxed separately at its own rate
    NotPaid,      // counted, not paid out
    None,
};

// Where the item's placement goes: the data sheet and the income
// certificate, or the certificate alone.
enum class Placed { Both, Certificate };

struct PayItem {
    const char* code;
    const char* name;
    const char* tipus;
    Flags flags;
    const char* szamkep;
    const char* szaz;
    const char* szabtip;
    const char* jarulkod;
    const char* row;  // placement row, "" for none
    const char* column;
    Placed placed;
    const char* monthly;  // the monthly declaration's cell, row and column ("300D"), "" for none
};

constexpr Flags W = Flags::Wage, WH = Flags::WageHours, WS = Flags::Supplement, W108 = Flags::Wage108,
                BE = Flags::Benefit, PO = Flags::PensionOnly, P = Flags::Payable, D = Flags::Dividend,
                NP = Flags::NotPaid, N = Flags::None;
constexpr Placed B = Placed::Both, C = Placed::Certificate;

// The liabilities follow the 2019 rules (the rates are the yearly parameters):
//
//   items                        tax    pension  health, labour  SZHA, training  rule
//   100-107F, 109-113, 120, 121  15 %   10 %     4 + 3 %, 1.5 %  19.5 %, 1.5 %   earnings from employment
//   103 sick leave at 70 %       as the wages: the employer pays it as wage
//   108 working-time allowance   15 %   10 %     4 + 3 %, 1.5 %  rows 390, 394   the employer's part apart
//   200, 204, 205, 230, 232      15 %   10 %     -               -               health insurance benefits
//   210 flat-rate child care     -      10 %     -               -               tax-free, pension only
//   150, 152 dividends           15 % taxed apart; the SZHA on a dividend is the recipient's, capped
//                                yearly, and not computed by the run
//   220A, 281A                   by their own rows (the tax 300A; the public charge 281B)
// The SZHA is 17.5 % from July.
//
// The absence fee is the base wage and the supplements' average per hour
// worked: the shift (30 %), night (15 %) and overtime (50 %) supplements count
// in its amount, the hours of 100, 101, 104-106 and 110 in its divisor. A
// monthly wage holds its paid holidays (formula kind 1); annual leave, sick
// leave and the paid holidays of an hourly wage are paid at the absence fee
// (kind 2).
//
// On the data sheet and the income certificate the taxed benefits (200, 204,
// 205, 230, 232) are other wage income, row 4 D: their tax advance is in row
// 65 with the wages'. On the monthly declaration that income is row 303 D,
// where the tax advance sheet counts it in the consolidated base.
//
// The monthly declaration cells: the wages in 300D; the tax advance in 331B
// (330B is the sheet's own computation); the contributions as computed
// (700A-707A) and as deducted (300-307) in their 1908-09 pairs; the labour
// market contribution in 573C and the social contribution tax in 386C, each
// with its base beside it.
// clang-format off
const PayItem kPayItems[] = {
    // code    name                              cat  flags formula  %     leave contrib row   col placed monthly
    {"100",  "Munkanapok bére (havibér)",        "1", WH,   "01", "100", "0", "00", "1",   "D", B, "300D"},
    {"101",  "Munkanapok bére (órabér)",         "1", WH,   "01", "100", "0", "00", "1",   "D", B, "300D"},
    {"102",  "Fizetett ünnep (havibér)",         "1", W,    "01", "100", "0", "00", "1",   "D", B, "300D"},
    {"102F", "Fizetett ünnep (órabér)",          "1", W,    "02", "100", "0", "00", "1",   "D", B, "300D"},
    {"103",  "Betegszabadság",                   "1", W,    "02", "70",  "2", "00", "1",   "D", B, "300D"},
    {"104",  "Ledolgozott órák bére",            "1", WH,   "08", "100", "0", "00", "1",   "D", B, "300D"},
    {"105",  "Munkanapok bére (havibér, 5)",     "1", WH,   "01", "100", "0", "00", "1",   "D", B, "300D"},
    {"106",  "Munkanapok bére (órabér, 5)",      "1", WH,   "01", "100", "0", "00", "1",   "D", B, "300D"},
    {"107",  "Fizetett ünnep (havibér, 5)",      "1", W,    "01", "100", "0", "00", "1",   "D", B, "300D"},
    {"107F", "Fizetett ünnep (órabér, 5)",       "1", W,    "02", "100", "0", "00", "1",   "D", B, "300D"},
    {"108",  "Munkaidő-kedvezmény",              "1", W108, "08", "100", "0", "00", "1",   "D", B, ""},
    {"109",  "Szabadság",                        "1", W,    "02", "100", "1", "00", "1",   "D", B, "300D"},
    {"110",  "Túlóra",                           "1", WH,   "08", "100", "0", "00", "1",   "D", B, "300D"},
    {"111",  "Műszakpótlék",                     "1", WS,   "01", "30",  "0", "00", "1",   "D", B, "300D"},
    {"112",  "Éjszakai pótlék",                  "1", WS,   "01", "15",  "0", "00", "1",   "D", B, "300D"},
    {"113",  "Túlórapótlék",                     "1", WS,   "01", "50",  "0", "00", "1",   "D", B, "300D"},
    {"120",  "Prémium",                          "1", W,    "08", "100", "0", "00", "1",   "D", B, "300D"},
    {"121",  "Jutalom",                          "1", W,    "08", "100", "0", "00", "1",   "D", B, "300D"},
    {"136",  "Biztosítási időszak",              "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"146",  "EVA alap I.",                      "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"147",  "EVA alap II.",                     "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"150",  "Osztalékelőleg",                   "1", D,    "08", "100", "0", "00", "56",  "B", B, ""},
    {"152",  "Osztalék",                         "1", D,    "08", "100", "0", "00", "167", "B", B, ""},
    {"155A", "Vállalkozói kivét",                "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"160",  "Egyéb munkajövedelem",             "1", NP,   "08", "100", "0", "00", "",    "",  B, ""},
    {"161",  "Egyéb jövedelem (nem kifiz.)",     "1", NP,   "08", "100", "0", "00", "",    "",  B, ""},
    {"190",  "Tájékoztató tétel 190",            "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"191",  "Tájékoztató tétel 191",            "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"200",  "Táppénz",                          "2", BE,   "08", "100", "0", "10", "4",   "D", B, "303D"},
    {"204",  "Baleseti táppénz",                 "2", BE,   "08", "100", "0", "10", "4",   "D", B, "303D"},
    {"205",  "GYED",                             "2", BE,   "08", "100", "0", "10", "4",   "D", B, "303D"},
    {"210",  "GYES",                             "2", PO,   "08", "100", "0", "10", "",    "",  B, ""},
    {"220A", "15%-os adóköteles jövedelem",      "1", P,    "08", "100", "0", "00", "",    "",  B, ""},
    {"230",  "CSED",                             "2", BE,   "08", "100", "0", "10", "4",   "D", B, "303D"},
    {"232",  "Egyéb TB ellátás",                 "2", BE,   "08", "100", "0", "10", "4",   "D", B, "303D"},
    {"241",  "Tájékoztató tétel 241",            "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"243",  "Tájékoztató tétel 243",            "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"244",  "Tájékoztató tétel 244",            "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"245",  "Tájékoztató tétel 245",            "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"246",  "Tájékoztató tétel 246",            "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"247",  "Tájékoztató tétel 247",            "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"248",  "Tájékoztató tétel 248",            "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"249",  "Tájékoztató tétel 249",            "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"250",  "Tájékoztató tétel 250",            "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"251",  "Tájékoztató tétel 251",            "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"252",  "Tájékoztató tétel 252",            "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"270",  "Bér jellegű összesen",             "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"271",  "Kereset összesen",                 "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"280",  "Szakszervezeti tagdíj",            "F", P,    "08", "100", "0", "00", "55",  "B", B, ""},
    {"281A", "Egyszerűsített foglalkoztatás",    "1", P,    "08", "100", "0", "00", "",    "",  B, ""},
    {"281B", "Egyszerűsített fogl. közteher",    "H", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"282A", "EKHO alapja",                      "1", P,    "08", "100", "0", "00", "",    "",  B, ""},
    {"300",  "Nyugdíjjárulék",                   "9", P,    "08", "100", "0", "00", "900", "D", B, "579C"},
    {"300A", "Adó a 220A után (15%)",            "8", P,    "08", "100", "0", "00", "",    "",  B, ""},
    {"301",  "Magánnyugdíjpénztári tagdíj",      "A", P,    "08", "100", "0", "00", "900", "D", B, "579C"},
    {"302",  "Tagdíj-kiegészítés (dolgozói)",    "B", P,    "08", "100", "0", "00", "",    "",  B, ""},
    {"304",  "Munkaerő-piaci járulék",           "8", P,    "08", "100", "0", "00", "",    "",  B, "573C"},
    {"306",  "Természetbeni eb. járulék",        "8", P,    "08", "100", "0", "00", "900", "D", B, "567C"},
    {"307",  "Pénzbeli eb. járulék",             "8", P,    "08", "100", "0", "00", "900", "D", B, "571C"},
    {"309",  "Adó a családi kedv. előtt",        "0", N,    "08", "100", "0", "00", "900", "T", C, ""},
    {"313A", "Első házasok kedvezménye",         "0", N,    "08", "100", "0", "00", "611", "B", B, "313D"},
    {"314A", "Családi kedvezmény",               "0", N,    "08", "100", "0", "00", "610", "B", B, "314D"},
    {"315",  "Személyi kedvezmény",              "0", N,    "08", "100", "0", "00", "45",  "B", B, ""},
    {"320",  "Személyi jövedelemadó-előleg",     "E", P,    "08", "100", "0", "00", "65",  "B", B, "331B"},
    {"320A", "EKHO dolgozói 9,5%",               "E", P,    "08", "100", "0", "00", "",    "",  B, ""},
    {"320B", "EKHO dolgozói 3,9%",               "8", P,    "08", "100", "0", "00", "",    "",  B, ""},
    {"320C", "EKHO dolgozói 1,6%",               "8", P,    "08", "100", "0", "00", "",    "",  B, ""},
    {"321",  "Külön adózó jövedelem adója",      "E", P,    "08", "100", "0", "00", "",    "",  B, ""},
    {"322",  "Külön adózó jövedelem szja",       "E", P,    "08", "100", "0", "00", "",    "",  B, ""},
    {"324",  "Egyéb kedvezmény",                 "R", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"326",  "Dolgozótól levont SZHA",           "6", P,    "08", "100", "0", "00", "",    "",  B, ""},
    {"327",  "SZHA kedvezmény alapja",           "R", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"327L", "SZHA kedvezmény alapja (L)",       "R", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"327M", "SZHA kedvezmény alapja (M)",       "R", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"328",  "SZHA kedvezmény",                  "R", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"328L", "SZHA kedvezmény (L)",              "R", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"328M", "SZHA kedvezmény (M)",              "R", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"330",  "Szociális hozzájárulási adó",      "G", N,    "08", "100", "0", "00", "",    "",  B, "386C"},
    {"332",  "Munkáltatói járulék",              "H", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"332A", "KIVA alap",                        "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"332K", "KIVA kedvezmény",                  "R", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"333",  "Tagdíj-kiegészítés (munkált.)",    "C", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"334A", "Term. juttatás szja",              "H", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"334B", "Term. juttatás szja (1,18)",       "H", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"336",  "Munkáltatói teher I.",             "H", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"337",  "Munkáltatói teher II.",            "H", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"339",  "Munkáltatói teher III.",           "H", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"340B", "EKHO fogl.",                       "H", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"340C", "EKHO nyugdíjas 11,1%",             "8", P,    "08", "100", "0", "00", "",    "",  B, ""},
    {"341",  "Term. juttatás közterhe",          "H", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"341A", "Term. juttatás SZHA",              "H", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"341B", "Term. juttatás SZHA (1,18)",       "H", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"342",  "Eü. szolgáltatási járulék",        "H", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"351",  "Szakképzési hozzájárulás",         "H", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"360",  "Egyszerűsített vállalk. adó",      "H", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"390",  "SZHA (munkaidő-kedvezmény)",       "H", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"394",  "Szakk. hj. (munkaidő-kedv.)",      "H", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"415",  "Egyéb adó I.",                     "E", P,    "08", "100", "0", "00", "",    "",  B, ""},
    {"416",  "Egyéb adó II.",                    "E", P,    "08", "100", "0", "00", "",    "",  B, ""},
    {"500",  "Korábbi nyugdíjjárulék-alap",      "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"520",  "Egyéb adó III.",                   "E", P,    "08", "100", "0", "00", "",    "",  B, ""},
    {"700A", "Nyugdíjjárulék-számítás",          "0", N,    "08", "100", "0", "00", "900", "B", B, "577C"},
    {"701A", "Nyugdíjjárulék-számítás (MNYP)",   "0", N,    "08", "100", "0", "00", "900", "B", B, "577C"},
    {"706A", "Term. eb. járulék-számítás",       "0", N,    "08", "100", "0", "00", "900", "B", B, "565C"},
    {"707A", "Pénzb. eb. járulék-számítás",      "0", N,    "08", "100", "0", "00", "900", "B", B, "569C"},
    {"748",  "Nettó összeg",                     "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"749",  "Kerekítés",                        "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"750",  "Kifizetendő",                      "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"751",  "Nem kifizetendő",                  "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"752",  "Járulékok",                        "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"753",  "Adók",                             "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"754",  "Tagdíjak",                         "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"755",  "Nettó kereset",                    "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"756",  "Vállalati terhek",                 "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"757",  "Levonások",                        "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
    {"820",  "Hozott táppénz",                   "0", N,    "08", "100", "0", "00", "",    "",  B, ""},
};
// clang-format on

// Every yes/no flag of a pay item, as a new item has them.
const char* const kFlagFields[] = {
    "JC_KIFIZ",       "JC_SZJAKOT",      "JC_KEDVTERM",      "JC_NYJKOT",     "JC_EBJKOT",
    "JC_SZAKSZKOT",   "JC_MPJDOLGKOT",   "JC_MADOJKOT",      "JC_SZHAKOT",    "JC_EHOKIES",
    "JC_EHOSZAZ",     "JC_LETILT",       "JC_RENDSZ",        "JC_BERJELL",    "JC_ELKULADO",
    "JC_ALAP1",       "JC_ALAP2",        "JC_ALAP3",         "JC_ALAP4",      "JC_ALAP5",
    "JC_BALJKOT",     "JC_KERESET",      "JC_TERMJUTADO",    "JC_KULONADOZO", "JC_AANOV",
    "JC_BERKARTONRA", "JC_BESZAMOSSZEG", "JC_BESZAMIDOSZTO", "JC_SZAKKEPZES", "JC_EVAKOT",
    "JC_SZHALEV",     "JC_VJAR",         "JC_SZHANEMKEDV",   "JC_SZHAKEDV",
};

// The flags an earnings item carries: income tax, pension, health, union
// dues, labour-market contribution, social contribution tax, training levy,
// regular wage, earnings, garnishment base, pay card.
const char* const kWageFlags[] = {
    "JC_SZJAKOT",    "JC_NYJKOT", "JC_EBJKOT",  "JC_SZAKSZKOT", "JC_MPJDOLGKOT", "JC_SZHAKOT",
    "JC_SZAKKEPZES", "JC_RENDSZ", "JC_BERJELL", "JC_KERESET",   "JC_LETILT",     "JC_BERKARTONRA",
};

std::vector<std::string> YesFlags(Flags flags) {
    std::vector<std::string> yes;
    const bool wage = flags == Flags::Wage || flags == Flags::WageHours || flags == Flags::Supplement ||
                      flags == Flags::Wage108;
    const bool benefit = flags == Flags::Benefit || flags == Flags::PensionOnly;
    if (wage || benefit || flags == Flags::Payable || flags == Flags::Dividend) yes.push_back("JC_KIFIZ");
    if (wage) {
        for (const char* f : kWageFlags)
            if (flags != Flags::Wage108 ||
                (std::string_view(f) != "JC_SZHAKOT" && std::string_view(f) != "JC_SZAKKEPZES"))
                yes.push_back(f);
    }
    if (flags == Flags::WageHours) yes.push_back("JC_BESZAMIDOSZTO");
    if (flags == Flags::Supplement) yes.push_back("JC_BESZAMOSSZEG");
    // A benefit is an absence: the pay card lists it with its days.
    if (benefit) {
        if (flags == Flags::Benefit) yes.push_back("JC_SZJAKOT");
        yes.push_back("JC_NYJKOT");
        yes.push_back("JC_BERKARTONRA");
    }
    if (flags == Flags::Dividend) {
        yes.push_back("JC_SZJAKOT");
        yes.push_back("JC_ELKULADO");
    }
    return yes;
}

SeedRow PayItemRow(const PayItem& p) {
    SeedRow row{p.code, {}};
    auto set = [&](const char* field, std::string value) { row.values.push_back({field, std::move(value)}); };
    set("JC_KOD", p.code);
    set("JC_NEV", p.name);
    set("JC_TIPUS", p.tipus);
    set("JC_SZAMKEP", p.szamkep);
    set("JC_SZAZ", p.szaz);
    set("JC_SZABTIP", p.szabtip);
    set("JC_JARULKOD", p.jarulkod);
    const std::vector<std::string> yes = YesFlags(p.flags);
    for (const char* f : kFlagFields) set(f, std::find(yes.begin(), yes.end(), f) != yes.end() ? "I" : "N");
    if (p.flags == Flags::Dividend) set("JC_LINADO", "15");
    if (*p.row) {
        set("JC_ADOELSOR", p.row);
        set("JC_ADOELOSZ", p.column);
        if (p.placed == Placed::Both) {
            set("JC_ADATLSOR", p.row);
            set("JC_ADATLOSZL", p.column);
        }
    }
    if (*p.monthly) {
        const std::string cell = p.monthly;
        set("JC_HAVIBEVSOR", cell.substr(0, cell.size() - 1));
        set("JC_HAVIBEVOSZL", cell.substr(cell.size() - 1));
    }
    return row;
}

// --- Value sets ----------------------------------------------------------------

struct Code {
    const char* code;
    const char* name;
};

struct ValueSetType {
    const char* type;
    const char* typeName;  // the caption of the field the type codes
    std::vector<Code> codes;
};

// Codes named by the meaning the program gives them. Types whose codes the
// program gives no meaning name them by their code.
// clang-format off
const ValueSetType kValueSetTypes[] = {
    {"1", "Bérforma", {
        {"0", "Nincs alapbér (vállalkozó)"},
        {"1", "Havibér"},
        {"2", "Órabér"}}},
    {"2", "Alkalm. min.", {
        {"1", "Munkaviszony (1)"},
        {"2", "Munkaviszony (2)"},
        {"5", "Munkaviszony (5)"},
        {"6", "Egyéni vállalkozó"},
        {"7", "Vállalkozó, EVA alap 4%"},
        {"8", "Vállalkozó, EVA alap 10%"},
        {"9", "Egyéb jogviszony"}}},
    {"3", "Típusa", {
        {"0", "Tájékoztató tétel"},
        {"1", "Jövedelem"},
        {"2", "Egyéb juttatás"},
        {"3", "Letiltás"},
        {"4", "Egyéb levonás"},
        {"6", "Dolgozótól levont adó"},
        {"8", "Járulék"},
        {"9", "Nyugdíjjárulék"},
        {"A", "Magánnyugdíjpénztári tagdíj"},
        {"B", "Tagdíj-kiegészítés (dolgozói)"},
        {"C", "Tagdíj-kiegészítés (munkáltatói)"},
        {"D", "Egyéb járulék (D)"},
        {"E", "Adó"},
        {"F", "Szakszervezeti tagdíj"},
        {"G", "Szociális hozzájárulási adó"},
        {"H", "Munkáltatói teher"},
        {"I", "Munkáltatói teher (I)"},
        {"J", "Munkáltatói teher (J)"},
        {"K", "Munkáltatói teher (K)"},
        {"L", "Munkáltatói teher (L)"},
        {"M", "Egyéb tagdíj"},
        {"N", "Egyéb juttatás (nem kifizetendő)"},
        {"R", "Kedvezmény"},
        {"T", "Munkáltatói teher (T)"},
        {"U", "Munkáltatói teher (U)"},
        {"V", "Munkáltatói teher (V)"},
        {"X", "Egyéb járulék (X)"},
        {"Y", "Egyéb járulék (Y)"}}},
    {"4", "Számít. képl.", {
        {"00", "Beírt összeg"},
        {"01", "Napok, órák és alapbér"},
        {"02", "Távolléti díj"},
        {"03", "Napok, órák, alapbér és napi átlag"},
        {"04", "Alapbér százaléka"},
        {"05", "Alapbér-sorok százaléka"},
        {"06", "Letiltási alap százaléka"},
        {"07", "Kifizetendő százaléka"},
        {"08", "Beírt összeg kerekítve"},
        {"09", "Adóalap százaléka (46-os paraméter)"},
        {"10", "Távolléti díj (10)"},
        {"11", "Alap 1 százaléka"},
        {"12", "Alap 2 százaléka"}}},
    {"5", "Szabadság típ.", {
        {"0", "Nincs"},
        {"1", "Szabadság"},
        {"2", "Betegszabadság"}}},
    {"9", "SZHA kedv. kód", {
        {"06", "Pályakezdő"},
        {"09", "Álláskereső"},
        {"10", "GYES utáni munkavállaló"},
        {"11", "Szabad vállalkozási zóna"},
        {"18", "Szakképzetlen munkavállaló"},
        {"19", "Mezőgazdasági munkavállaló"},
        {"20", "SZHA kedvezmény 20"},
        {"21", "SZHA kedvezmény 21"},
        {"22", "SZHA kedvezmény 22"},
        {"23", "Közfoglalkoztatott"},
        {"24", "Kutató"},
        {"25", "Doktorjelölt"}}},
    {"A", "Adatlap oszl.", {
        {"A", "A oszlop"}, {"B", "B oszlop"}, {"C", "C oszlop"}, {"D", "D oszlop"}, {"E", "E oszlop"}}},
    {"B", "Adóelsz. oszl.", {
        {"A", "A oszlop"}, {"B", "B oszlop"}, {"C", "C oszlop"}, {"D", "D oszlop"}, {"E", "E oszlop"},
        {"F", "F oszlop"}, {"G", "G oszlop"}, {"T", "T oszlop"}}},
    {"D", "Járulék kód", {
        {"00", "Járulékköteles tétel"},
        {"10", "Távollét, járulék nélkül"},
        {"23", "Távollét, bérhónapot megszakít"}}},
    {"G", "Alk. min.", {
        {"20", "Biztosítási jogviszony 20"},
        {"30", "Biztosítási jogviszony 30"},
        {"34", "Biztosítási jogviszony 34"},
        {"35", "Biztosítási jogviszony 35"},
        {"37", "Biztosítási jogviszony 37"},
        {"39", "Biztosítási jogviszony 39"},
        {"46", "Biztosítási jogviszony 46"},
        {"53", "Biztosítási jogviszony 53"}}},
    {"L", "NYENYI jogv. kód", {
        {"21", "Jogviszony 21 (önfoglalkoztató)"},
        {"24", "Jogviszony 24"},
        {"26", "Jogviszony 26 (önfoglalkoztató)"},
        {"30", "Jogviszony 30"},
        {"34", "Jogviszony 34"},
        {"35", "Jogviszony 35"},
        {"36", "Jogviszony 36 (önfoglalkoztató)"},
        {"37", "Jogviszony 37"},
        {"38", "Jogviszony 38 (önfoglalkoztató)"},
        {"39", "Jogviszony 39 (önfoglalkoztató)"},
        {"41", "Jogviszony 41"},
        {"46", "Jogviszony 46"},
        {"47", "Jogviszony 47"},
        {"53", "Jogviszony 53"},
        {"64", "Jogviszony 64 (20-ként jelentve)"},
        {"65", "Jogviszony 65"},
        {"75", "Jogviszony 75"},
        {"76", "Jogviszony 76"},
        {"77", "Jogviszony 77"},
        {"80", "Jogviszony 80"},
        {"91", "Jogviszony 91"}}},
    {"N", "Nem", {
        {"1", "Férfi"},
        {"2", "Nő"}}},
    {"Q", "Havi bev. oszl.", {
        {"A", "A oszlop"}, {"B", "B oszlop"}, {"C", "C oszlop"}, {"D", "D oszlop"}, {"E", "E oszlop"},
        {"F", "F oszlop"}, {"G", "G oszlop"}}},
    {"R", "EV bev. oszl.", {
        {"A", "A oszlop"}, {"B", "B oszlop"}, {"C", "C oszlop"}, {"D", "D oszlop"}, {"E", "E oszlop"},
        {"F", "F oszlop"}, {"G", "G oszlop"}}},
    {"S", "Munkarend", {
        {"1", "1. munkarend"}, {"2", "2. munkarend"}, {"3", "3. munkarend"}, {"4", "4. munkarend"},
        {"5", "5. munkarend"}, {"6", "6. munkarend"}, {"7", "7. munkarend"}, {"8", "8. munkarend"},
        {"9", "9. munkarend"}}},
    {"U", "GYED-GYES melleti", {
        {"1", "GYED mellett"},
        {"2", "GYES mellett"},
        {"3", "GYED és GYES mellett"}}},
    {"X1", "Kapcsolat", {
        {"1", "Házastárs"},
        {"2", "Élettárs"},
        {"3", "Eltartott hozzátartozó (3)"},
        {"4", "Eltartott hozzátartozó (4)"},
        {"5", "Eltartott hozzátartozó (5)"}}},
    {"X2", "Eltartott min.", {
        {"1", "Kedvezményezett eltartott"},
        {"2", "Beszámító eltartott"},
        {"3", "Egyéb eltartott"}}},
    {"X3", "Jogosultság", {
        {"1", "Bevallásban 4-es jogcím"},
        {"2", "Bevallásban 5-ös jogcím"},
        {"3", "Bevallásban 6-os jogcím"},
        {"4", "Bevallásban 7-es jogcím"}}},
};
// clang-format on

struct Parameter {
    const char* code;
    const char* name;
    const char* number;
};

// The yearly parameters in the units the calculation reads them: percent,
// forints a month, or a plain factor. The company's payday ("30"), the union
// fee rate ("21") and the rate of formula kind 9 ("46") are each company's
// own and are not shipped.
// clang-format off
const Parameter kParameters[] = {
    {"17",  "Nyugdíjjárulék %",                         "10"},
    {"18",  "Nyugdíjjárulék kiegészítő része %",        "0"},
    {"19",  "Természetbeni egészségbizt. járulék %",    "4"},
    {"19p", "Pénzbeli egészségbizt. járulék %",         "3"},
    {"20",  "Munkaerő-piaci járulék %",                 "1.5"},
    {"23a", "SZHA kedvezmény \"a\" mértéke %",          "50"},
    {"23b", "SZHA kedvezmény \"b\" mértéke %",          "100"},
    {"23s", "Természetbeni juttatás alapszorzója",      "1.18"},
    {"28",  "Egészségügyi szolgáltatási járulék (Ft)",  "7500"},
    {"31",  "Súlyosan fogyatékos kedvezménye (Ft)",     "7450"},
    {"32",  "Minimálbér (Ft)",                          "149000"},
    {"32a", "Garantált bérminimum (Ft)",                "195000"},
    {"33",  "Családi kedvezmény, 1 eltartott (Ft)",     "66670"},
    {"34",  "Családi kedvezmény, 2 eltartott (Ft)",     "133330"},
    {"35",  "Családi kedvezmény, 3+ eltartott (Ft)",    "220000"},
    {"43",  "Januári minimálbér (Ft)",                  "149000"},
    {"44",  "Szakképzési hozzájárulás %",               "1.5"},
    {"45",  "Egyszerűsített vállalkozói adó %",         "37"},
    {"58",  "Természetbeni juttatás szja %",            "15"},
};
// clang-format on

SeedRow ValueSetRow(const std::string& type, const std::string& typeName, const std::string& code,
                    const std::string& name) {
    return {type + "/" + code,
            {{"EK_TIPUS", type}, {"EK_TIPUSNEV", typeName}, {"EK_ERTEK", code}, {"EK_ERTEKNEV", name}}};
}

std::vector<SeedRow> BuildValueSets() {
    std::vector<SeedRow> rows;
    for (const Parameter& p : kParameters) {
        SeedRow row = ValueSetRow("0", "Paraméterek", p.code, p.name);
        row.values.push_back({"EK_ERTEKNUM", p.number});
        rows.push_back(std::move(row));
    }
    for (const ValueSetType& t : kValueSetTypes)
        for (const Code& c : t.codes) rows.push_back(ValueSetRow(t.type, t.typeName, c.code, c.name));
    return rows;
}

// --- Occupation codes ------------------------------------------------------------

std::vector<SeedRow> ParseOccupations(std::string_view csv) {
    const TableLayout* feor = FindTableLayout("FEOR");
    const size_t width = feor->Field("FE_NEV")->size;
    std::vector<SeedRow> rows;
    while (!csv.empty()) {
        const size_t eol = csv.find('\n');
        std::string_view line = csv.substr(0, eol);
        csv.remove_prefix(eol == std::string_view::npos ? csv.size() : eol + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const size_t sep = line.find(';');
        if (sep == std::string_view::npos) continue;
        const std::string code(line.substr(0, sep));
        rows.push_back({code, {{"FE_KOD", code}, {"FE_NEV", os::Utf8Left(line.substr(sep + 1), width)}}});
    }
    return rows;
}

}  // namespace

const std::vector<SeedRow>& ShippedPayItems() {
    static const std::vector<SeedRow> rows = [] {
        std::vector<SeedRow> r;
        for (const PayItem& p : kPayItems) r.push_back(PayItemRow(p));
        return r;
    }();
    return rows;
}

std::string YearPayItemTable() { return "JC" + FeldolgozasiEv; }

const std::vector<SeedRow>& ShippedYearPayItems() {
    static const std::vector<SeedRow> rows = [] {
        std::vector<SeedRow> r;
        for (const SeedRow& row : ShippedPayItems()) {
            const bool allPlaced =
                row.Value("JC_ADATLSOR") && row.Value("JC_ADOELSOR") && row.Value("JC_HAVIBEVSOR");
            if (allPlaced || row.key >= "800") r.push_back(row);
        }
        return r;
    }();
    return rows;
}

const std::vector<SeedRow>& ShippedValueSets() {
    static const std::vector<SeedRow> rows = BuildValueSets();
    return rows;
}

const std::vector<SeedRow>& ShippedOccupations() {
    static const std::vector<SeedRow> rows = ParseOccupations(kFeor08Csv);
    return rows;
}

const std::vector<CalendarDay>& ShippedCalendarDays() {
    // clang-format off
    static const std::vector<CalendarDay> days = {
        {1, 1, '2'},  {3, 15, '2'}, {4, 19, '2'},  {4, 22, '2'},  {5, 1, '2'},   {6, 10, '2'},
        {8, 10, '1'}, {8, 19, '0'}, {8, 20, '2'},  {10, 23, '2'}, {11, 1, '2'},  {12, 7, '1'},
        {12, 14, '1'}, {12, 24, '0'}, {12, 25, '2'}, {12, 26, '2'}, {12, 27, '0'},
    };
    // clang-format on
    return days;
}
