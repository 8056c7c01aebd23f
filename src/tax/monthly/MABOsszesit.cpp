#include "tax/monthly/MABOsszesit.h"

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>
#include <tuple>

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "platform/os/DayNumber.h"
#include "platform/os/Text.h"
#include "tax/monthly/MABLapok.h"
#include "tax/monthly/MABSzamfejtes.h"
#include "tax/monthly/MABTablak.h"

namespace {

std::vector<db::Table*> OlvasottTablak() {
    return {DM1->TableJogcim, DM1->TableDolgozo, DM1->TableSzamfejt,
            DM1->TableCegek,  DM1->TableNyugP,   DM1->TableHozzatartozo};
}

// The SQL name of a data-module table.
std::string Nev(const db::Table* t) { return db::SqlName(t->TableName); }

// The range's condition on the payroll rows, with its three bound values.
const char* const kTartomany =
    " WHERE tSzamf.SF_DGTORZSSZAM >= :tol AND tSzamf.SF_DGTORZSSZAM <= :ig AND tSzamf.SF_HONAP = :honap";

void Parameterek(db::Query& q, const MABOsszesitKellekek& k) {
    q.ParamByName("tol").SetAsString(k.tol);
    q.ParamByName("ig").SetAsString(k.ig);
    q.ParamByName("honap").SetAsInteger(k.honap);
}

void Lezar(db::Query& q) {
    q.Close();
    q.SetSQL("");
}

class Futas {
public:
    explicit Futas(const MABOsszesitKellekek& k)
        : k_(k), futas_{MABHonapja(k.honap), k.jelleg, k.tol, k.ig}, q_(*DM1->Query1) {}

    void RegiTorlese();
    void Ellenorzes();
    void Szetosztas();
    void Lapszamitas();
    void Osszevonas();

private:
    void Halad(int bar, int pos, int max = -1) const {
        if (k_.halad) k_.halad(bar, pos, max);
    }
    void Uzenet(const std::string& s) const {
        if (k_.uzenet) k_.uzenet(s);
    }
    // Finds the group's header by its whole key, or makes it with its first pages.
    void Fejlec(const std::string& torzsszam, int honap);

    const MABOsszesitKellekek& k_;
    MABFutas futas_;
    db::Query& q_;
    int fazis_ = 0;
};

void Futas::RegiTorlese() {
    q_.Close();
    q_.SetSQL("SELECT DISTINCT tDolg.DG_ADOAZ FROM " + Nev(DM1->TableDolgozo) + " tDolg INNER JOIN " +
              Nev(DM1->TableSzamfejt) + " tSzamf ON tDolg.DG_TORZSSZAM = tSzamf.SF_DGTORZSSZAM" + kTartomany);
    Parameterek(q_, k_);
    q_.Open();
    std::set<std::string> adoazok;
    for (q_.First(); !q_.Eof(); q_.Next())
        if (!q_.FieldByName("DG_ADOAZ").IsNull()) adoazok.insert(q_.FieldByName("DG_ADOAZ").AsString());
    Lezar(q_);

    db::Table& mab00 = *DM1->TableMAB00;
    mab00.First();
    while (!mab00.Eof()) {
        const MABKulcs fej = KulcsOlvas(mab00);
        const bool torlendo = fej.honap == k_.honap && fej.jelleg == k_.jelleg &&
                              ((fej.torzsszam >= k_.tol && fej.torzsszam <= k_.ig) ||
                               adoazok.count(mab00.FieldByName("ADOSZAM").AsString()));
        if (!torlendo) {
            mab00.Next();
            continue;
        }
        bool marad = false;
        for (db::Table* lap : MABTorlesiSorrend()) {
            while (ElsoLap(*lap, fej)) lap->Delete();
            if (ElsoLap(*lap, fej)) marad = true;
        }
        if (!marad) {
            mab00.Locate(kMABKulcs, fej.Ertekek());
            mab00.Delete();
            continue;
        }
        Uzenet("A \"" + fej.torzsszam + "\" törzsszámú dolgozó meglévő összesítése nem törölhető." +
               " A törlést próbálja meg a módosítás menüpontban elvégezni!");
        mab00.Locate(kMABKulcs, fej.Ertekek());
        mab00.Next();
    }
}

void Futas::Ellenorzes() {
    q_.Close();
    q_.SetSQL("SELECT DISTINCT tSzamf.SF_DGTORZSSZAM FROM " + Nev(DM1->TableSzamfejt) + " tSzamf" +
              kTartomany + " ORDER BY tSzamf.SF_DGTORZSSZAM");
    Parameterek(q_, k_);
    q_.Open();
    db::Table& dg = *DM1->TableDolgozo;
    // clang-format off
    const char* const kNincsKitoltve[][2] = {
        {"DG_ADOAZ",         "Adóazonosító jel"},
        {"DG_ALKMINADATSZ",  "Adatsz. Alk. min."},
        {"DG_JSORSZADATSZ",  "Adatsz. Alk. min. - Jogv. sorsz."},
    };
    // clang-format on
    for (q_.First(); !q_.Eof(); q_.Next()) {
        const std::string torzsszam = q_.FieldByName("SF_DGTORZSSZAM").AsString();
        if (!dg.Locate("DG_TORZSSZAM", db::Variant(torzsszam))) continue;
        const std::string a = "A \"" + torzsszam + "\"";
        for (const auto& [field, caption] : kNincsKitoltve)
            if (dg.FieldByName(field).IsNull())
                Uzenet(a + " törzsszámú dolgozó \"" + caption +
                       "\" mezője nincs kitöltve, ezért a dolgozó adóbevallása nem készíthető el!");
        const std::string nyugdijas = dg.FieldByName("DG_NYUGDIJAS").AsString();
        const bool nyugKod = !dg.FieldByName("DG_NYUGALKMIN2").IsNull();
        if (nyugdijas == "I" && !nyugKod)
            Uzenet(a +
                   " törzsszámú nyugdíjas dolgozó \"Adatsz. Alk. min. - Nyugdíjas\" mezője nincs kitöltve!");
        if (nyugdijas == "N" && nyugKod)
            Uzenet(a +
                   " törzsszámú dolgozó nem nyugdíjas, de az \"Adatsz. Alk. min. - Nyugdíjas\" mezője ki van "
                   "töltve!\"");
    }
    Lezar(q_);
}

void Futas::Fejlec(const std::string& torzsszam, int honap) {
    db::Table& mab00 = *DM1->TableMAB00;
    db::Table& dg = *DM1->TableDolgozo;
    const MABKulcs fej{torzsszam, honap, k_.jelleg, futas_.ho.elsoNap, futas_.ho.utolsoNap};
    // A header that the deletion had to keep takes the rows as they come.
    if (mab00.Locate(kMABKulcs, fej.Ertekek())) return;
    const std::string adoaz = dg.FieldByName("DG_ADOAZ").AsString();
    mab00.Append();
    const auto set = [&mab00](const char* field, const std::string& v) {
        mab00.FieldByName(field).SetAsString(v);
    };
    const auto dgText = [&dg](const char* field) { return dg.FieldByName(field).AsString(); };
    set("TORZSSZAM", torzsszam);
    set("ADOSZAM", adoaz);
    mab00.FieldByName("HONAP").SetAsInteger(honap);
    set("JELLEG", k_.jelleg);
    mab00.FieldByName("TOL").SetAsDateTime(fej.tol);
    mab00.FieldByName("IG").SetAsDateTime(fej.ig);
    db::Table& cegek = *DM1->TableCegek;
    if (LocateCompany()) {
        const std::string cegNev = cegek.FieldByName("CG_NEV").AsString();
        set("CEGNEV", cegNev);
        set("CEGADOSZAM", cegek.FieldByName("CG_ADOSZAM").AsString());
        set("CEGADOAZ", cegek.FieldByName("CG_EVADOAZ").AsString());
        if (!cegek.FieldByName("CG_EVADOAZ").IsNull()) {
            const NameParts nev = SplitName(cegNev);
            set("CEGCSALADINEV", nev.family);
            set("CEGUTONEV", nev.given);
            set("CEGNEV", "");
        }
    }
    set(adoaz.size() == 11 ? "DOLGADOSZAM" : "DOLGADOAZ", adoaz);
    set("DOLGNEM", dgText("DG_NEM"));
    set("DOLGALLAMP", os::UpperAscii(dgText("DG_ALLAMP")));
    set("DOLGOSTERMIGSZAM", dgText("DG_OSTERMIGSZAM"));
    set("DOLGCSALGAZDNYILVSZAM", dgText("DG_CSALGAZDNYILVSZAM"));
    set("DOLGTITULUS", dgText("DG_TITULUS"));
    DolgozoNevei(mab00, "");
    set("DOLGSZULHELY", dgText("DG_SZULHELY"));
    mab00.FieldByName("DOLGSZULDAT").SetAsDateTime(dg.FieldByName("DG_SZULDAT").AsDateTime());
    set("DOLGTBAZON", dgText("DG_TAJSZ"));
    set("TVADOSZAM", dgText("DG_TARSASZ"));
    set("TVNEV", dgText("DG_TARSNEV"));
    set("HELYESBITES", k_.jelleg == "E" ? "" : "H");
    mab00.Post();

    std::vector<db::Table*> elsoLapok = {DM1->TableMAB04, DM1->TableMAB06, DM1->TableMAB07};
    if (MegorzottLapKod(dgText("DG_ALKMINADATSZ"))) elsoLapok.push_back(DM1->TableMAB09);
    for (db::Table* lap : elsoLapok) {
        UjLap(*lap, fej, adoaz);
        lap->Post();
    }
}

void Futas::Szetosztas() {
    q_.Close();
    q_.SetSQL("SELECT tSzamf.*, tJogc.* FROM " + Nev(DM1->TableSzamfejt) + " tSzamf INNER JOIN " +
              Nev(DM1->TableJogcim) + " tJogc ON tJogc.JC_KOD = tSzamf.SF_JCKOD INNER JOIN " +
              Nev(DM1->TableDolgozo) + " tDolg ON tDolg.DG_TORZSSZAM = tSzamf.SF_DGTORZSSZAM" + kTartomany +
              " AND NULLIF(tDolg.DG_ADOAZ, '') IS NOT NULL AND NULLIF(tDolg.DG_ALKMINADATSZ, '') IS NOT NULL"
              " AND tDolg.DG_JSORSZADATSZ IS NOT NULL"
              " ORDER BY tSzamf.SF_DGTORZSSZAM, tSzamf.SF_HONAP, tSzamf.SF_KIFIZDAT, tSzamf.SF_JCKOD,"
              " tSzamf.SF_SORSZAM, tSzamf.SF_RJSORSZAM");
    Parameterek(q_, k_);
    q_.Open();
    Halad(1, 0, q_.RecordCount());
    const ElsoLapTar tar;
    std::string torzsszam;
    int honap = -1, sor = 0;
    MABDolgozoAllapot allapot;
    for (q_.First(); !q_.Eof(); q_.Next()) {
        const std::string t = q_.FieldByName("SF_DGTORZSSZAM").AsString();
        const int h = int(q_.FieldByName("SF_HONAP").AsInteger());
        if (t != torzsszam || h != honap) {
            torzsszam = t;
            honap = h;
            DM1->TableDolgozo->Locate("DG_TORZSSZAM", db::Variant(t));
            allapot = {};
            Fejlec(t, h);
        }
        SzamfejtesiSorFeltoltes(q_, allapot);
        Halad(1, ++sor);
    }
    Lezar(q_);
    Halad(2, ++fazis_);
}

void Futas::Lapszamitas() {
    Halad(1, 0, DM1->TableMAB00->RecordCount());
    int sor = 0;
    MABLapszamitas(futas_, MABSzamitasiLepesek(), [&] { Halad(1, ++sor); });
    Halad(2, ++fazis_);
}

void Futas::Osszevonas() {
    AdoszamraOsszevon(*DM1->TableMAB00, futas_.ho, [this](int pos, int max) { Halad(1, pos, max); });
    for (db::Table* lap : MABTorlesiSorrend())
        AdoszamraOsszevon(*lap, futas_.ho, [this](int pos, int max) { Halad(1, pos, max); });
    Halad(2, ++fazis_);
    // Only a header with more than one page of a single-page sheet has pages
    // to merge: each sheet is gone through once to find them, and they are
    // merged in the order of the headers, every month's and nature's.
    using Kulcs = std::tuple<std::string, int, std::string, double, double>;
    const auto kulcs = [](db::Dataset& t) {
        const MABKulcs k = KulcsOlvas(t);
        return Kulcs{k.torzsszam, k.honap, k.jelleg, k.tol, k.ig};
    };
    const std::vector<db::Table*> lapok = {DM1->TableMAB04, DM1->TableMAB06, DM1->TableMAB07};
    std::map<Kulcs, std::vector<db::Table*>> tobbLapos;
    for (db::Table* lap : lapok) {
        std::map<Kulcs, int> lapszam;
        if (lap->IndexFieldNames == kMABKulcs) {
            // The pages' keys are the order's: counted without reading a page.
            lap->CheckBrowseMode();
            for (const db::Record& k : lap->OrderKeys())
                ++lapszam[Kulcs{k[0].ToString(), int(k[1].ToInt()), k[2].ToString(), k[3].ToDouble(),
                                k[4].ToDouble()}];
            lap->Last();
            lap->Next();  // where going through the pages left it
        } else {
            for (lap->First(); !lap->Eof(); lap->Next()) ++lapszam[kulcs(*lap)];
        }
        for (const auto& [k, n] : lapszam)
            if (n > 1) tobbLapos[k].push_back(lap);
    }
    db::Table& mab00 = *DM1->TableMAB00;
    std::vector<std::pair<int, const std::vector<db::Table*>*>> sorrend;
    for (const auto& [k, tablak] : tobbLapos) {
        const MABKulcs fej{std::get<0>(k), std::get<1>(k), std::get<2>(k), std::get<3>(k), std::get<4>(k)};
        if (mab00.Locate(kMABKulcs, fej.Ertekek())) sorrend.emplace_back(mab00.RecNo(), &tablak);
    }
    std::sort(sorrend.begin(), sorrend.end());
    for (const auto& [recNo, tablak] : sorrend) {
        mab00.SetRecNo(recNo);
        for (db::Table* lap : lapok)
            if (std::find(tablak->begin(), tablak->end(), lap) != tablak->end()) LapokOsszevonasa(*lap);
    }
    mab00.Last();
    mab00.Next();
    Halad(2, ++fazis_);
}

}  // namespace

MABHonap MABHonapja(int honap) {
    const int ev = std::stoi(FeldolgozasiEv);
    if (honap < 1 || honap > 12) throw std::out_of_range("Ilyen hónap nem létezik!");
    return {honap, os::EncodeDate(ev, honap, 1), os::EncodeDate(ev, honap, os::DaysInMonth(ev, honap))};
}

void MABTablakNyitasa() {
    DM1->TableErtekkeszlet->Open();
    for (db::Table* t : OlvasottTablak()) {
        t->ReadOnly = true;
        t->Open();
    }
    DM1->TableHozzatartozo->Close();
    DM1->TableHozzatartozo->SetOnFilterRecord(
        [](db::Dataset& ds, bool& accept) { DM1->List_HozzatartozoFilter(ds, accept); });
    DM1->TableHozzatartozo->SetFiltered(true);
    DM1->TableHozzatartozo->Open();
    DM1->TableMAB00->Open();
    for (db::Table* lap : MABLapTablak()) {
        lap->Close();
        lap->IndexFieldNames = kMABKulcs;
        lap->Open();
    }
}

void MABTablakZarasa() {
    for (db::Table* lap : MABLapTablak()) {
        lap->Close();
        lap->IndexFieldNames.clear();
    }
    DM1->TableMAB00->Close();
    DM1->TableHozzatartozo->SetFiltered(false);
    DM1->TableHozzatartozo->SetOnFilterRecord(nullptr);
    for (db::Table* t : OlvasottTablak()) {
        t->Close();
        t->ReadOnly = false;
    }
    DM1->TableErtekkeszlet->Close();
}

void MABOsszesit(const MABOsszesitKellekek& k) {
    const auto nullaz = [&k] {
        if (!k.halad) return;
        k.halad(1, 0, -1);
        k.halad(2, 0, -1);
    };
    if (k.halad) k.halad(2, 0, 4);
    std::vector<db::Table*> tablak{DM1->TableMAB00};
    for (db::Table* lap : MABTorlesiSorrend()) tablak.push_back(lap);
    try {
        db::Transaction tx(tablak);
        Futas f(k);
        f.RegiTorlese();
        f.Ellenorzes();
        f.Szetosztas();
        f.Lapszamitas();
        f.Osszevonas();
        tx.Commit();
    } catch (...) {
        Lezar(*DM1->Query1);
        nullaz();
        throw;
    }
    nullaz();
}
