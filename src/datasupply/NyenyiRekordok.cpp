#include "datasupply/NyenyiRekordok.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <stdexcept>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "controls/MemDataSet.h"
#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/ControlsOff.h"
#include "platform/db/Table.h"
#include "platform/os/DayNumber.h"
#include "platform/os/ScopeGuard.h"
#include "platform/os/Text.h"
#include "platform/ui/Dialogs.h"

namespace {

using db::FieldType;
constexpr FieldType S = FieldType::String;
constexpr FieldType I = FieldType::Integer;
constexpr FieldType F = FieldType::Float;
constexpr FieldType D = FieldType::Date;

struct Mezo {
    const char* name;
    FieldType type;
    int size;
    const char* title;
};

// clang-format off
const Mezo kMezok[] = {
    {"Torzsszam",           S, 11, "Törzsszám"},
    {"Rekordjel",           S, 2,  "rekordjel"},
    {"01_Targyev",          S, 4,  "01 Tárgyév"},
    {"02_TBtorzsszam",      S, 8,  "02 TB törzsszám"},
    {"02_Adoszam",          S, 11, "02 Adószám"},
    {"02_Adoazonosito",     S, 10, "02 Adóazonosító"},
    {"03_TAJ",              S, 9,  "03 TAJ-szám"},
    {"04_TAJ",              S, 9,  "04 TAJ-szám"},
    {"04_Titulus",          S, 6,  "04 Titulus"},
    {"04_Nev",              S, 40, "04 Név"},
    {"04_SzulNev",          S, 40, "04 Születési név"},
    {"04_AnyjaNev",         S, 40, "04 Anyja neve"},
    {"04_SzulHely",         S, 40, "04 Születési hely"},
    {"04_SzulIdo",          D, 0,  "04 Születési idő"},
    {"04_Nem",              S, 1,  "04 Neme"},
    {"04_Allampolg",        S, 3,  "04 Állampolgárság"},
    {"05_IRSZ",             S, 4,  "05 IRSZ"},
    {"05_Helyseg",          S, 30, "05 Helység"},
    {"05_Kozter",           S, 30, "05 Közterület"},
    {"05_KozterJel",        S, 8,  "05 Közterület jellege"},
    {"05_HazSz",            S, 11, "05 Házszám"},
    {"05_Epulet",           S, 4,  "05 Épület"},
    {"05_Lepcsohaz",        S, 4,  "05 Lépcsőház"},
    {"05_Emelet",           S, 2,  "05 Emelet"},
    {"05_Ajto",             S, 4,  "05 Ajtó"},
    {"05_KulfIRSZ",         S, 16, "05 Külföldi IRSZ"},
    {"05_Orszag",           S, 30, "05 Ország"},
    {"06_ElozoNev",         S, 40, "06 Előző név"},
    {"07_JogvSorsz",        I, 0,  "07 Jogv. sorszám"},
    {"07_AlkMinNYENYI",     S, 2,  "07 Alkalm. min."},
    {"08_JogvSorsz",        I, 0,  "08 Jogv. sorszám"},
    {"08_MNYP",             S, 4,  "08 MNYP"},
    {"08_MNYPnev",          S, 60, "08 MNYP név"},
    {"08_MNYPbeDat",        D, 0,  "08 Tagság kezdete"},
    {"08_MNYPkiDat",        D, 0,  "08 Tagság vége"},
    {"09_JogvSorsz",        I, 0,  "09 Jogv. sorszám"},
    {"09_BiztTol",          D, 0,  "09 Bizt. -Tól"},
    {"09_BiztIg",           D, 0,  "09 Bizt. -Ig"},
    {"09_SzolgIdo",         I, 0,  "09 Szolg. idő"},
    {"09_NYJkotKerJov",     I, 0,  "09 NYJ köt. jöv."},
    {"09_NYJkotKerJut",     I, 0,  "09 NYJ köt. jut."},
    {"09_NYJlevont",        I, 0,  "09 Levont NYJ"},
    {"09_NYJbefiz",         I, 0,  "09 Befizetett NYJ"},
    {"09_NYBJalap",         I, 0,  "09 NYBJ alap"},
    {"09_NYBJbefiz",        I, 0,  "09 NYBJ befizetett"},
    {"09_KedvKod",          S, 2,  "09 Kedv. kód"},
    {"09_START15alap",      I, 0,  "09 START kedv. 15%/10% alap"},
    {"09_START15szam",      I, 0,  "09 START kedv. jár. 15%/10% szám."},
    {"09_START15befiz",     I, 0,  "09 START kedv. jár. 15%/10% befiz."},
    {"09_START25alap",      I, 0,  "09 START kedv. 25%/20% alap"},
    {"09_START25szam",      I, 0,  "09 START kedv. jár. 25%/20% szám."},
    {"09_START25befiz",     I, 0,  "09 START kedv. jár. 25%/20% befiz."},
    {"10_JogcimKod",        S, 3,  "10 Jogcim kód"},
    {"10_JogcimNev",        S, 30, "10 Jogcim név"},
    {"10_JogvSorsz",        I, 0,  "10 Jogv. sorszám"},
    {"10_SzunTol",          D, 0,  "10 -Tól"},
    {"10_SzunIg",           D, 0,  "10 -Ig"},
    {"10_JarulKod",         S, 2,  "10 Járulék kód"},
    {"11_JogvSorsz",        I, 0,  "11 Jogv. sorszám"},
    {"11_MunkIdoTip",       S, 1,  "11 Munk. idő típ."},
    {"11_HetiOra",          F, 0,  "11 Heti óra"},
    {"11_Tol",              D, 0,  "11 -Tól"},
    {"11_Ig",               D, 0,  "11 -Ig"},
    {"12_JogvSorsz",        I, 0,  "12 Jogv. sorszám"},
    {"12_Tol",              D, 0,  "12 -Tól"},
    {"12_Ig",               D, 0,  "12 -Ig"},
    {"12_FEOR",             S, 4,  "12 FEOR"},
    {"12_FEORnev",          S, 60, "12 Munkakör"},
    {"14_JogvSorsz",        I, 0,  "14 Jogv. sorszám"},
    {"14_Megjegyzes",       S, 78, "14 Megjegyzés"},
    {"15_JogvSorsz",        I, 0,  "15 Jogv. sorszám"},
    {"15_Tol",              D, 0,  "15 -Tól"},
    {"15_Ig",               D, 0,  "15 -Ig"},
    {"15_TEAOR",            S, 4,  "15 TEAOR"},
    {"15_TEAORnev",         S, 60, "15 Tevékenység"},
    {"16_JogvSorsz",        I, 0,  "16 Jogv. sorszám"},
    {"16_Oraszam",          I, 0,  "16 Többlet óraszám"},
    {"17_JogvSorsz",        I, 0,  "17 Jogv. sorszám"},
    {"17_Tol",              D, 0,  "17 -Tól"},
    {"17_Ig",               D, 0,  "17 -IG"},
    {"17_KorkedvKod",       S, 5,  "17 Korkedv. munkakör kód"},
    {"18_JogvSorsz",        I, 0,  "18 Jogv. sorszám"},
    {"18_Tol",              D, 0,  "18 -Tól"},
    {"18_Ig",               D, 0,  "18 -Ig"},
    {"18_JarulFizTipus",    S, 1,  "18 Járulék fiz. típusa"},
    {"18_NYJkotJov",        I, 0,  "18 NYJ köt. jöv."},
    {"18_NYJ",              I, 0,  "18 Megállapított NYJ"},
    {"18_NYJbefiz",         I, 0,  "18 Befizetett NYJ"},
    {"18_NYBJalap",         I, 0,  "18 NYBJ alap"},
    {"18_NYBJ",             I, 0,  "18 NYBJ"},
    {"18_NYBJbefiz",        I, 0,  "18 NYBJ befizetett"},
    {"19_Tol",              D, 0,  "19 Saját jogú nyug. kezd."},
    {"19_Ig",               D, 0,  "19 Saját jogú nyug. vége"},
    {"20_JogvSorsz",        I, 0,  "20 Jogv. sorszám"},
    {"20_FelszolgOsszeg",   I, 0,  "20 Felszolg. díj"},
    {"20_JarulOsszeg",      I, 0,  "20 Járulék befiz"},
};
// clang-format on

// The sums of a record 09, a month's sums of one kind, or a period.
struct Sum09 {
    double tol = 0, ig = 0;
    long long szolgIdo = 0;
    // Amounts in field order from 09_NYJkotKerJov; see kOsszegMezok.
    long long kotJov = 0, kotJut = 0, levont = 0, befiz = 0, nybjAlap = 0, nybjBefiz = 0;
    long long s15alap = 0, s15szam = 0, s15befiz = 0, s25alap = 0, s25szam = 0, s25befiz = 0;
    std::string kedvKod;
};

// The amounts a month's sums hand to its periods.
constexpr long long Sum09::*kOsszegek[] = {
    &Sum09::kotJov,  &Sum09::kotJut,  &Sum09::levont,   &Sum09::befiz,   &Sum09::nybjAlap, &Sum09::nybjBefiz,
    &Sum09::s15alap, &Sum09::s15szam, &Sum09::s15befiz, &Sum09::s25alap, &Sum09::s25szam,  &Sum09::s25befiz};

// An employee as the build reads it.
struct Dolgozo {
    std::string torzsszam, mhkod, jogvkod, alkmin, startPlusz, startExtra;
};

// A payroll row's pay item.
struct Jogcim {
    std::string kod, nev, jarulkod, jarulsor;
};

// A payroll row.
struct Sor {
    std::string jckod;
    int honap = 0;
    double nap = 0, jaralap = 0, osszeg = 0;
    double tol = 0, ig = 0;
};

// A record of the set, its values by field name.
struct Rekord {
    std::string torzsszam, rekordjel;
    std::vector<std::pair<const char*, db::Variant>> ertekek;
    int ev09 = -1;  // a yearly record 09: the index of its sums
    bool torolt = false;
};

long long Egesz(double x) { return Kerekit(static_cast<long double>(x)); }

// NyenyiSorOsszegez: the payroll row into `s`.
void SorOsszegez(Sum09& s, const Sor& sor, const Jogcim& jc, const Dolgozo* dg) {
    if (jc.jarulkod > "00" && dg && dg->alkmin != "1") {
        if (dg->alkmin == "6")
            s.szolgIdo = 0;
        else
            s.szolgIdo -= Egesz(sor.nap);
    }
    if (jc.kod == "300") {
        s.kotJov += Egesz(sor.jaralap);
        s.levont += Egesz(sor.osszeg);
        s.befiz += Egesz(sor.osszeg);
    }
    if (jc.jarulsor == "2") {
        s.kotJov -= Egesz(sor.osszeg);
        s.kotJut += Egesz(sor.osszeg);
    }
    if (jc.kod == "330") {
        s.nybjAlap += Egesz(sor.jaralap);
        s.nybjBefiz += Egesz(sor.osszeg);
    }
    auto start = [&](long long& alap, long long& szam, long long& befiz) {
        s.kedvKod = "01";
        if (dg && dg->startPlusz == "I") s.kedvKod = "05";
        if (dg && dg->startExtra == "I") s.kedvKod = "06";
        alap += Egesz(sor.jaralap);
        szam += Egesz(sor.osszeg);
        befiz += Egesz(sor.osszeg);
        s.nybjAlap += Egesz(sor.jaralap);
    };
    if (jc.kod == "327") start(s.s15alap, s.s15szam, s.s15befiz);
    if (jc.kod == "328") start(s.s25alap, s.s25szam, s.s25befiz);
}

bool Van(std::initializer_list<const char*> kodok, const std::string& kod) {
    return std::any_of(kodok.begin(), kodok.end(), [&](const char* k) { return kod == k; });
}

int Honapja(double day) { return os::DecodeDate(day).month; }

// The employee's days of the year with their kinds.
struct Napok {
    double elso = 0;
    std::vector<std::string> jogv;  // one per day from `elso`
};

class Epites {
public:
    Epites(TMemoryData& rekordok, const NyenyiTartomany& t) : rekordok_(rekordok), t_(t) {}

    bool Fut(const NyenyiFolyamat& folyamat);

private:
    void Beolvas();
    void Fej();
    void UjDolgozo(const Dolgozo& dg);
    void Idoszakok();
    void Betolt();
    void Korrekciok();

    Rekord& Uj(const std::string& torzsszam, const char* rekordjel) {
        sorok_.push_back({torzsszam, rekordjel, {}});
        return sorok_.back();
    }
    static void Set(Rekord& r, const char* mezo, db::Variant v) {
        r.ertekek.emplace_back(mezo, std::move(v));
    }
    static void Datum(Rekord& r, const char* mezo, double day) {
        if (day != 0) Set(r, mezo, day);
    }
    static std::vector<std::pair<const char*, db::Variant>> Ertekek09(const Sum09& s);

    TMemoryData& rekordok_;
    const NyenyiTartomany& t_;
    std::vector<Rekord> sorok_;
    std::unordered_map<std::string, Dolgozo> dolgozok_;
    std::unordered_map<std::string, Jogcim> jogcimek_;
    // Employees with records, in the order they were made.
    std::vector<std::string> sorrend_;
    std::unordered_map<std::string, int> ev09_;  // employee -> yearly sums index (-1: deleted)
    std::vector<Sum09> evesek_;
    std::unordered_map<std::string, Napok> napok_;
    // A month's sums by employee, month and kind.
    std::map<std::tuple<std::string, int, std::string>, Sum09> haviak_;
    double jan1_ = 0, dec31_ = 0;
    bool betoltve_ = false;
};

void Epites::Beolvas() {
    db::Table& dg = *DM1->TableDolgozo;
    // The START flags are read where the employee table has them.
    auto jelzo = [&dg](const char* name) {
        const db::Field* f = dg.FindField(name);
        return f ? f->AsString() : std::string();
    };
    for (dg.First(); !dg.Eof(); dg.Next()) {
        Dolgozo d;
        d.torzsszam = dg.FieldByName("DG_TORZSSZAM").AsString();
        d.mhkod = dg.FieldByName("DG_MHKOD").AsString();
        d.jogvkod = dg.FieldByName("DG_NYENYIJOGVKOD").AsString();
        d.alkmin = dg.FieldByName("DG_ALKMIN").AsString();
        d.startPlusz = jelzo("DG_STARTPLUSZ");
        d.startExtra = jelzo("DG_STARTEXTRA");
        dolgozok_.emplace(d.torzsszam, d);
    }
    db::Table& jc = *DM1->TableJogcim;
    for (jc.First(); !jc.Eof(); jc.Next()) {
        Jogcim j;
        j.kod = jc.FieldByName("JC_KOD").AsString();
        j.nev = jc.FieldByName("JC_NEV").AsString();
        j.jarulkod = jc.FieldByName("JC_JARULKOD").AsString();
        j.jarulsor = jc.FieldByName("JC_JARULSOR").AsString();
        jogcimek_.emplace(j.kod, j);
    }
}

void Epites::Fej() {
    Set(Uj("", "01"), "01_Targyev", FeldolgozasiEv);
    Rekord& r02 = Uj("", "02");
    db::Table& cg = *DM1->TableCegek;
    if (cg.Locate("CG_KOD", CegKod())) {
        Set(r02, "02_TBtorzsszam", cg.FieldByName("CG_TBTORZSSZAM").AsString());
        const std::string adoszam = cg.FieldByName("CG_ADOSZAM").AsString();
        const size_t hossz = os::TrimWhitespace(adoszam).size();
        if (hossz == 11) Set(r02, "02_Adoszam", adoszam);
        if (hossz == 10) Set(r02, "02_Adoazonosito", adoszam);
    }
}

void Epites::UjDolgozo(const Dolgozo& d) {
    db::Table& dg = *DM1->TableDolgozo;
    dg.Locate("DG_TORZSSZAM", d.torzsszam);
    auto mezo = [&dg](const char* name) { return dg.FieldByName(name).AsString(); };
    auto datum = [&dg](const char* name) { return dg.FieldByName(name).AsDateTime(); };
    const std::string& tsz = d.torzsszam;
    sorrend_.push_back(tsz);

    Rekord& r04 = Uj(tsz, "04");
    Set(r04, "04_TAJ", mezo("DG_TAJSZ"));
    Set(r04, "04_Titulus", mezo("DG_TITULUS"));
    Set(r04, "04_Nev", mezo("DG_NEV"));
    Set(r04, "04_SzulNev", mezo("DG_LEANYKNEV"));
    Set(r04, "04_AnyjaNev", mezo("DG_ANYJANEV"));
    Set(r04, "04_SzulHely", mezo("DG_SZULHELY"));
    Datum(r04, "04_SzulIdo", datum("DG_SZULDAT"));
    const std::string nem = mezo("DG_NEM");
    if (nem == "1" || nem == "2") Set(r04, "04_Nem", nem == "1" ? "F" : "N");
    Set(r04, "04_Allampolg", "HUN");

    Rekord& r05 = Uj(tsz, "05");
    Set(r05, "05_IRSZ", mezo("DG_IRSZ"));
    Set(r05, "05_Helyseg", mezo("DG_VAROS"));
    Set(r05, "05_Kozter", mezo("DG_KOZTER"));
    Set(r05, "05_KozterJel", mezo("DG_KOZTERJEL"));
    Set(r05, "05_HazSz", mezo("DG_HAZSZ"));
    Set(r05, "05_Epulet", mezo("DG_EPULET"));
    Set(r05, "05_Emelet", mezo("DG_EMELET"));
    Set(r05, "05_Ajto", mezo("DG_AJTO"));
    Set(r05, "05_KulfIRSZ", mezo("DG_KULFIRSZ"));
    Set(r05, "05_Orszag", "Magyar");

    Rekord& r07 = Uj(tsz, "07");
    Set(r07, "07_JogvSorsz", 1);
    Set(r07, "07_AlkMinNYENYI", d.jogvkod == "64" ? std::string("20") : d.jogvkod);

    // The employee's period of the year.
    auto evben = [this](double day) { return day != 0 && day >= jan1_ && day <= dec31_; };
    const double belep = std::floor(datum("DG_BELEPDAT")), kilep = std::floor(datum("DG_KILEPDAT"));
    const double kezdet = evben(belep) ? belep : jan1_;
    const double veg = evben(kilep) ? kilep : dec31_;

    Rekord& r08 = Uj(tsz, "08");
    Set(r08, "08_JogvSorsz", 1);
    const std::string mnyp = mezo("DG_MNYP");
    Set(r08, "08_MNYP", mnyp);
    if (!mnyp.empty()) {
        db::Table& ek = *DM1->TableErtekkeszlet;
        if (ek.Locate("EK_TIPUS;EK_ERTEK", {"F", mnyp}))
            Set(r08, "08_MNYPnev", ek.FieldByName("EK_ERTEKNEV").AsString());
    }
    double bedat = datum("DG_MNYPBEDAT");
    if (!os::TrimWhitespace(mnyp).empty() && bedat == 0) {
        ui::ShowMessage(
            QString::fromStdString(tsz) +
            QStringLiteral(" törzsszámú dolgozó \"MNYP belép. dát.\" mezője üres a dolgozó törzsben!"));
        bedat = kezdet;
    }
    Datum(r08, "08_MNYPbeDat", bedat);
    Datum(r08, "08_MNYPkiDat", datum("DG_ELOZOMNYPKIDAT"));

    // NyenyiNapokFeltolt: the days of the period, all work.
    Napok& n = napok_[tsz];
    n.elso = kezdet;
    if (veg >= kezdet) n.jogv.assign(static_cast<size_t>(veg - kezdet + 1), "MUNK");

    // The yearly record 09.
    Sum09 ev;
    ev.tol = kezdet;
    ev.ig = veg;
    ev.szolgIdo = d.alkmin == "1" || d.alkmin == "6" ? 0 : Egesz(veg - kezdet + 1);
    evesek_.push_back(ev);
    ev09_[tsz] = static_cast<int>(evesek_.size()) - 1;
    Uj(tsz, "09").ev09 = ev09_[tsz];

    const std::string& kod = d.jogvkod;
    if (!Van({"30", "46", "80", "91", "35", "37", "39", "34", "53", "47", "41", "65", "75", "24", "76", "77"},
             kod)) {
        Rekord& r = Uj(tsz, "11");
        const bool teljes = d.alkmin == "1";
        double ora = dg.FieldByName("DG_HETIKOTORA").AsFloat();
        if (ora == 0) ora = teljes ? 40 : 20;
        Set(r, "11_JogvSorsz", 1);
        Set(r, "11_MunkIdoTip", teljes ? "T" : "R");
        Set(r, "11_HetiOra", ora);
        Datum(r, "11_Tol", kezdet);
        Datum(r, "11_Ig", veg);
    }
    if (!Van({"46", "80", "91", "41", "65", "75", "24", "76", "77"}, kod)) {
        Rekord& r = Uj(tsz, "12");
        Set(r, "12_JogvSorsz", 1);
        Datum(r, "12_Tol", kezdet);
        Datum(r, "12_Ig", veg);
        Set(r, "12_FEOR", mezo("DG_FEOR"));
        Set(r, "12_FEORnev", mezo("DG_MUNKAKOR"));
    }
    if (Van({"21", "26", "36", "38", "39"}, kod)) {
        Rekord& r = Uj(tsz, "15");
        Set(r, "15_JogvSorsz", 1);
        Datum(r, "15_Tol", kezdet);
        Datum(r, "15_Ig", veg);
        db::Table& cg = *DM1->TableCegek;
        if (cg.Locate("CG_KOD", CegKod())) {
            Set(r, "15_TEAOR", cg.FieldByName("CG_TEAOR").AsString());
            Set(r, "15_TEAORnev", cg.FieldByName("CG_FOTEV").AsString());
        }
    }
    Set(Uj(tsz, "16"), "16_JogvSorsz", 1);
    Set(Uj(tsz, "17"), "17_JogvSorsz", 1);
    Rekord& r18 = Uj(tsz, "18");
    Set(r18, "18_JogvSorsz", 1);
    for (const char* m : {"18_NYJkotJov", "18_NYJ", "18_NYJbefiz", "18_NYBJalap", "18_NYBJ", "18_NYBJbefiz"})
        Set(r18, m, 0);
    if (mezo("DG_NYUGDIJAS") == "I") {
        Rekord& r = Uj(tsz, "19");
        Datum(r, "19_Tol", kezdet);
        Datum(r, "19_Ig", veg);
    }
    Rekord& r20 = Uj(tsz, "20");
    Set(r20, "20_JogvSorsz", 1);
    Set(r20, "20_FelszolgOsszeg", 0);
    Set(r20, "20_JarulOsszeg", 0);
}

std::vector<std::pair<const char*, db::Variant>> Epites::Ertekek09(const Sum09& s) {
    std::vector<std::pair<const char*, db::Variant>> v = {
        {"09_JogvSorsz", 1},           {"09_SzolgIdo", s.szolgIdo},     {"09_NYJkotKerJov", s.kotJov},
        {"09_NYJkotKerJut", s.kotJut}, {"09_NYJlevont", s.levont},      {"09_NYJbefiz", s.befiz},
        {"09_NYBJalap", s.nybjAlap},   {"09_NYBJbefiz", s.nybjBefiz},   {"09_START15alap", s.s15alap},
        {"09_START15szam", s.s15szam}, {"09_START15befiz", s.s15befiz}, {"09_START25alap", s.s25alap},
        {"09_START25szam", s.s25szam}, {"09_START25befiz", s.s25befiz}};
    if (s.tol != 0) v.emplace_back("09_BiztTol", s.tol);
    if (s.ig != 0) v.emplace_back("09_BiztIg", s.ig);
    if (!s.kedvKod.empty()) v.emplace_back("09_KedvKod", s.kedvKod);
    return v;
}

// NyenyiIdoszakok: the runs of days of one kind within a month of the
// employees who lost their yearly record, each with its month's sums.
void Epites::Idoszakok() {
    struct Idoszak {
        std::string jogv, torzsszam;
        Sum09 s;
    };
    std::vector<Idoszak> idoszakok;
    for (const std::string& tsz : sorrend_) {
        if (ev09_[tsz] >= 0) continue;  // keeps its yearly record
        const Dolgozo& d = dolgozok_.at(tsz);
        const Napok& n = napok_[tsz];
        for (size_t i = 0; i < n.jogv.size();) {
            const double elso = n.elso + static_cast<double>(i);
            const int honap = Honapja(elso);
            size_t j = i + 1;
            while (j < n.jogv.size() && n.jogv[j] == n.jogv[i] &&
                   Honapja(n.elso + static_cast<double>(j)) == honap)
                ++j;
            Idoszak p{n.jogv[i], tsz, {}};
            p.s.tol = elso;
            p.s.ig = n.elso + static_cast<double>(j - 1);
            p.s.szolgIdo = d.alkmin == "1" || d.alkmin == "6" ? 0 : static_cast<long long>(j - i);
            idoszakok.push_back(std::move(p));
            i = j;
        }
    }
    // A month's sums are shared by its periods of the kind in proportion to
    // their calendar days, so a month split by a child-care absence is
    // counted once; the last period takes what rounding leaves.
    for (const auto& [kulcs, havi] : haviak_) {
        const auto& [tsz, honap, jogv] = kulcs;
        if (jogv == "MUNK" && havi.nybjAlap == 0) continue;
        std::vector<Idoszak*> illo;
        long long osszNap = 0;
        for (Idoszak& p : idoszakok)
            if (p.torzsszam == tsz && p.jogv == jogv && Honapja(p.s.tol) == honap &&
                Honapja(p.s.ig) == honap) {
                illo.push_back(&p);
                osszNap += static_cast<long long>(p.s.ig - p.s.tol + 1);
            }
        if (illo.empty()) continue;
        auto oszt = [&](long long Sum09::*mezo, long long osszeg) {
            long long maradek = osszeg;
            for (size_t i = 0; i < illo.size(); ++i) {
                Sum09& s = illo[i]->s;
                if (i + 1 == illo.size()) {
                    s.*mezo += maradek;
                } else {
                    const long double nap = s.ig - s.tol + 1;
                    const long long resz = Kerekit(static_cast<long double>(osszeg) * nap / osszNap);
                    s.*mezo += resz;
                    maradek -= resz;
                }
            }
        };
        oszt(&Sum09::szolgIdo, havi.szolgIdo);
        for (long long Sum09::*m : kOsszegek) oszt(m, havi.*m);
        for (Idoszak* p : illo) p->s.kedvKod = havi.kedvKod;
    }
    for (const Idoszak& p : idoszakok) {
        Rekord& r = Uj(p.torzsszam, "09");
        r.ertekek = Ertekek09(p.s);
    }
}

void Epites::Betolt() {
    if (betoltve_) return;
    betoltve_ = true;
    db::ControlsOff off(rekordok_);
    rekordok_.SetCapacity(static_cast<int>(sorok_.size()));
    for (Rekord& r : sorok_) {
        if (r.torolt) continue;
        if (r.ev09 >= 0) r.ertekek = Ertekek09(evesek_[static_cast<size_t>(r.ev09)]);
        rekordok_.Append();
        // Records 01 and 02 leave it null, as a record added by hand does.
        if (!r.torzsszam.empty()) rekordok_.FieldByName("Torzsszam").SetAsString(r.torzsszam);
        rekordok_.FieldByName("Rekordjel").SetAsString(r.rekordjel);
        for (const auto& [mezo, ertek] : r.ertekek) rekordok_.FieldByName(mezo).SetValue(ertek);
        rekordok_.Post();
    }
}

// NyenyiStartKorrekcio and NyenyiAranyosSzolgIdo over the set's records 09.
void Epites::Korrekciok() {
    TMemoryData& md = rekordok_;
    db::Field& jel = md.FieldByName("Rekordjel");
    auto ertek = [&md](const char* mezo) { return md.FieldByName(mezo).AsInteger(); };
    for (md.First(); !md.Eof(); md.Next()) {
        if (jel.AsString() != "09") continue;
        if (ertek("09_START15alap") + ertek("09_START25alap") > 0) {
            md.Edit();
            md.FieldByName("09_NYBJbefiz")
                .SetAsInteger(ertek("09_NYBJbefiz") + ertek("09_START15szam") + ertek("09_START25szam"));
            md.Post();
        }
    }
    double p = 0;
    for (md.First(); !md.Eof(); md.Next()) {
        if (jel.AsString() != "09") continue;
        const long long szolgIdo = ertek("09_SzolgIdo");
        const auto dg = dolgozok_.find(md.FieldByName("Torzsszam").AsString());
        if (szolgIdo <= 0 || dg == dolgozok_.end() || dg->second.alkmin == "1") continue;
        if (p == 0) p = NyenyiMinimalber();
        const double napok =
            md.FieldByName("09_BiztIg").AsDateTime() - md.FieldByName("09_BiztTol").AsDateTime() + 1;
        const int uj = NyenyiAranyosNapok(p, ertek("09_NYJkotKerJov"), static_cast<int>(szolgIdo),
                                          static_cast<int>(napok));
        if (uj != szolgIdo) {
            md.Edit();
            md.FieldByName("09_SzolgIdo").SetAsInteger(uj);
            md.Post();
        }
    }
}

bool Epites::Fut(const NyenyiFolyamat& folyamat) {
    jan1_ = os::EncodeDate(std::stoi(FeldolgozasiEv), 1, 1);
    dec31_ = os::EncodeDate(std::stoi(FeldolgozasiEv), 12, 31);
    const std::string mhTol = os::TrimWhitespace(t_.munkahelyTol), mhIg = os::TrimWhitespace(t_.munkahelyIg);
    const std::string dgTol = os::TrimWhitespace(t_.dolgozoTol), dgIg = os::TrimWhitespace(t_.dolgozoIg);
    bool tbKifHely = false;
    Beolvas();

    db::Table& sf = *DM1->TableSzamfejt;
    if (folyamat.kezd) folyamat.kezd(sf.RecordCount());
    Fej();
    // What was built stays in the set also when a step fails.
    os::ScopeGuard vegul([this] {
        if (std::uncaught_exceptions() == 0) return;
        // The first error is the one reported; a second one here would end the program.
        try {
            Betolt();
        } catch (...) {
        }
    });

    db::Field& fTsz = sf.FieldByName("SF_DGTORZSSZAM");
    db::Field& fJc = sf.FieldByName("SF_JCKOD");
    db::Field& fHonap = sf.FieldByName("SF_HONAP");
    db::Field& fNap = sf.FieldByName("SF_NAP");
    db::Field& fJaralap = sf.FieldByName("SF_JARALAP");
    db::Field& fOsszeg = sf.FieldByName("SF_OSSZEG");
    db::Field& fTol = sf.FieldByName("SF_TOL");
    db::Field& fIg = sf.FieldByName("SF_IG");
    for (sf.First(); !sf.Eof(); sf.Next()) {
        os::ScopeGuard lep([&folyamat] {
            if (folyamat.lepes) folyamat.lepes();
        });
        Sor sor;
        sor.jckod = fJc.AsString();
        if (sor.jckod == "200" || sor.jckod == "205" || sor.jckod == "210") tbKifHely = true;
        const auto dgIt = dolgozok_.find(fTsz.AsString());
        const auto jcIt = jogcimek_.find(sor.jckod);
        if (dgIt == dolgozok_.end() || jcIt == jogcimek_.end()) continue;
        const Dolgozo& d = dgIt->second;
        const Jogcim& jc = jcIt->second;
        if (d.torzsszam < dgTol || d.torzsszam > dgIg || d.mhkod < mhTol || d.mhkod > mhIg ||
            d.jogvkod <= "00")
            continue;
        sor.honap = static_cast<int>(fHonap.AsInteger());
        sor.nap = fNap.AsFloat();
        sor.jaralap = fJaralap.AsFloat();
        sor.osszeg = fOsszeg.AsFloat();
        sor.tol = std::floor(fTol.AsDateTime());
        sor.ig = std::floor(fIg.AsDateTime());

        if (!ev09_.count(d.torzsszam)) UjDolgozo(d);
        bool gyermek = false;
        if (jc.jarulkod > "00" && sor.tol != 0 && sor.ig != 0) {
            Rekord& r = Uj(d.torzsszam, "10");
            Set(r, "10_JogcimKod", jc.kod);
            Set(r, "10_JogcimNev", jc.nev);
            Set(r, "10_JogvSorsz", 1);
            Datum(r, "10_SzunTol", sor.tol);
            Datum(r, "10_SzunIg", sor.ig);
            Set(r, "10_JarulKod", jc.jarulkod);
            if (jc.kod == "205" || jc.kod == "210") {
                gyermek = true;
                const std::string jogv = jc.kod == "205" ? "GYED" : "GYES";
                int& ev = ev09_[d.torzsszam];
                if (ev >= 0) {
                    for (Rekord& rk : sorok_)
                        if (rk.ev09 == ev) rk.torolt = true;
                    ev = -1;
                }
                // NyenyiNapokJelol
                Napok& n = napok_[d.torzsszam];
                for (double day = sor.tol; day <= sor.ig; ++day) {
                    const double i = day - n.elso;
                    if (i >= 0 && i < static_cast<double>(n.jogv.size()))
                        n.jogv[static_cast<size_t>(i)] = jogv;
                }
                SorOsszegez(haviak_[{d.torzsszam, sor.honap, jogv}], sor, jc, &d);
            }
        }
        // A child-care row's days are already outside the work periods:
        // its days and sums belong to its own kind only.
        if (!gyermek) SorOsszegez(haviak_[{d.torzsszam, sor.honap, "MUNK"}], sor, jc, &d);
        if (const int ev = ev09_[d.torzsszam]; ev >= 0)
            SorOsszegez(evesek_[static_cast<size_t>(ev)], sor, jc, &d);
    }
    Idoszakok();
    Betolt();
    rekordok_.SortByFields("Torzsszam; Rekordjel", true);
    Korrekciok();
    rekordok_.First();
    return tbKifHely;
}

}  // namespace

void NyenyiMezok(TMemoryData& rekordok) {
    rekordok.Close();
    rekordok.ClearFields();
    db::FieldDefs defs;
    for (const Mezo& m : kMezok) defs.push_back({m.name, m.type, m.size});
    rekordok.SetFieldDefs(defs);
    for (const db::FieldDef& def : defs) rekordok.AddField(def);
    for (const Mezo& m : kMezok) rekordok.FieldByName(m.name).DisplayLabel = m.title;
}

bool NyenyiRekordokFeltolt(TMemoryData& rekordok, const NyenyiTartomany& tartomany,
                           const NyenyiFolyamat& folyamat) {
    NyenyiMezok(rekordok);
    rekordok.Open();
    Epites e(rekordok, tartomany);
    return e.Fut(folyamat);
}

int NyenyiAranyosNapok(double p, long long jov, int szolgIdo, int napok) {
    const long double x = static_cast<long double>(jov) / (p / 30 * szolgIdo) * napok;
    return static_cast<int>(std::max<long long>(0, std::min<long long>(Kerekit(x), szolgIdo)));
}

double NyenyiMinimalber() {
    db::Table& ek = *DM1->TableErtekkeszlet;
    const double p =
        ek.Locate("EK_TIPUS;EK_ERTEK", {"0", "32"}) ? ek.FieldByName("EK_ERTEKNUM").AsFloat() : 0;
    if (p == 0)
        throw std::runtime_error("Hiányzik vagy nulla az értékkészlet \"0\"/\"32\" sora (havi minimálbér)!");
    return p;
}
