#include "tax/monthly/MABOSZosszesites.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <stdexcept>

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "platform/os/ScopeGuard.h"
#include "platform/os/Text.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"
#include "tax/monthly/MABLapok.h"
#include "tax/monthly/MABLapszamitas.h"

namespace {

std::vector<db::Table*> OszTablak() {
    return {DM1->TableMABOSZ01, DM1->TableMABOSZ01b, DM1->TableMABOSZ01c,
            DM1->TableMABOSZ02, DM1->TableMABOSZ02b, DM1->TableMABOSZ02c};
}
enum Lap { L01, L01b, L01c, L02, L02b, L02c };

std::vector<db::Table*> OlvasottTablak() { return {DM1->TableDolgozo, DM1->TableCegek, DM1->TableMAB00}; }

// How a term of an addition picks its pages.
enum class Feltetel { Nincs, DolgozoEgyenlo, DolgozoKulonbozo, Adokedv };

struct Tag {
    const char* cella;
    Feltetel feltetel = Feltetel::Nincs;
    std::vector<std::string> kodok = {};
};

struct Hozzaadas {
    Lap lap;
    const char* cel;
    std::vector<Tag> tagok;
};

const std::vector<std::string> kKozfoglalkoztatas = {"25", "42", "81", "83", "92", "93"};
const std::vector<std::string> kKod46 = {"46"};

Tag Dg(const char* cella, const std::vector<std::string>& kodok) {
    return {cella, Feltetel::DolgozoEgyenlo, kodok};
}
Tag DgNem(const char* cella, const std::vector<std::string>& kodok) {
    return {cella, Feltetel::DolgozoKulonbozo, kodok};
}
Tag Jogc(const char* cella, const char* kod) { return {cella, Feltetel::Adokedv, {kod}}; }

// What each 1908M header adds to the summary cells.
const std::vector<Hozzaadas>& Hozzaadasok() {
    // clang-format off
    static const std::vector<Hozzaadas> t = {
        {L01,  "S2C",   {{"L09_TERMJUTADONKEDV"}}},
        {L01,  "S3C",   {{"L09_TERMJUTADOKEDV"}}},
        {L01,  "S14C",  {{"L09_SZHATERMKEDV"}, {"L09_SZHATERMNKEDV"}}},
        {L01b, "S30C",  {{"L09_SZAKKEPZESIALAP"}, {"L04_SZAKKEPZESIALAP"}, {"S674A"}}},
        {L01b, "S31C",  {{"S674A"}}},
        {L01b, "S33C",  {{"L09_SZAKKEPZESI"}, {"L04_SZAKKEPZESI"}}},
        {L02,  "S70C",  {{"S331B"}}},
        {L02,  "S71C",  {{"S369E"}}},
        {L02,  "S72C",  {{"S398A"}}},
        {L02,  "S73C",  {{"S406A"}}},
        {L02,  "S86C",  {{"S386C"}, {"S645C"}, {"S680C"}, {"S696C"}}},
        {L02,  "S92C",  {{"S665C"}}},
        {L02,  "S93C",  {{"S668C"}}},
        {L02,  "S94C",  {{"S679C"}}},
        {L02,  "S95C",  {Jogc("S678C", "02")}},
        {L02,  "S96C",  {Jogc("S678C", "05")}},
        {L02b, "S97C",  {Jogc("S678C", "07")}},
        {L02b, "S98C",  {Jogc("S678C", "08")}},
        {L02b, "S99C",  {Jogc("S678C", "09"), Jogc("S695C", "09")}},
        {L02b, "S100C", {Jogc("S678C", "10"), Jogc("S695C", "10")}},
        {L02b, "S101C", {Jogc("S678C", "11"), Jogc("S695C", "11")}},
        {L02b, "S102C", {Jogc("S678C", "13")}},
        {L02b, "S103C", {Jogc("S678C", "15")}},
        {L02b, "S104C", {Jogc("S678C", "16")}},
        {L02b, "S105C", {Jogc("S678C", "18")}},
        {L02b, "S106C", {Jogc("S678C", "19")}},
        {L02b, "S107C", {Jogc("S678C", "23")}},
        {L02b, "S108C", {Jogc("S678C", "25")}},
        {L02b, "S120C", {DgNem("S579C", kKozfoglalkoztatas), DgNem("S605C", kKozfoglalkoztatas)}},
        {L02b, "S121C", {Dg("S605C", {"25", "42", "81"})}},
        {L02b, "S122C", {Dg("S605C", {"83", "92", "93"})}},
        {L02b, "S124C", {{"S557C"}}},
        {L02b, "S125C", {{"S559C"}}},
        {L02b, "S135C", {{"S555C"}}},
        {L02b, "S136C", {{"S416C"}, {"S418C"}}},
        {L02b, "S137C", {{"S585C"}}},
        {L02b, "S138C", {{"S586C"}}},
        {L02c, "S150C", {{"S567C"}}},
        {L02c, "S151C", {{"S571C"}}},
        {L02c, "S152C", {{"S573C"}}},
        {L02c, "S154C", {{"S620C"}}},
        {L02c, "S155C", {{"S621C"}}},
        {L02c, "S156C", {{"S622C"}}},
        {L02c, "S157C", {{"S623C"}}},
        {L02c, "S158C", {{"S625C"}}},
        {L02c, "S159C", {{"S626C"}}},
        {L02c, "S160C", {{"S716F"}}},
        {L02c, "S170B", {{"S566C"}}},
        {L02c, "S171B", {{"S570C"}}},
        {L02c, "S172B", {{"S578C"}, {"S604C"}}},
        {L02c, "S176B", {{"S386A"}}},
        {L02c, "S177B", {Dg("S579C", kKod46), Dg("S605C", kKod46)}},
        {L02c, "S178B", {Dg("S567C", kKod46)}},
        {L02c, "S179B", {Dg("S571C", kKod46)}},
    };
    // clang-format on
    return t;
}

bool Egyik(const std::string& ertek, const std::vector<std::string>& kodok) {
    const std::string e = os::TrimUpToBlank(ertek);
    for (const std::string& k : kodok)
        if (e == os::TrimUpToBlank(k)) return true;
    return false;
}

// Walks the header's pages of every sheet with the cell; `szamit` decides
// for a page whether it counts.
long long LapokOsszege(const MABKulcs& fej, const std::string& cella,
                       const std::function<bool(db::Table&)>& szamit) {
    long long osszeg = 0;
    for (db::Table* lap : MABLapTablak()) {
        if (!lap->FindField(cella)) continue;
        for (bool ok = ElsoLap(*lap, fej); ok; ok = KovetkezoLap(*lap, fej))
            if (szamit(*lap)) osszeg += Osszeg(*lap, cella);
    }
    return osszeg;
}

// K(x): forints into thousands, half away from zero.
long long Ezer(long long x) { return Kerekit(static_cast<long double>(x) / 1000); }

void Lezar(db::Query& q) {
    q.Close();
    q.SetSQL("");
}

db::Query& Lekerdezes(const std::string& sql) {
    db::Query& q = *DM1->Query1;
    q.Close();
    q.DatabaseName = DM1->TableMAB00->DatabaseName;
    q.SetSQL(sql);
    return q;
}

// Runs a counting query; a failure is shown with `uzenet` and raised again.
template <class Fn>
auto Szamlalas(const QString& uzenet, Fn&& fn) {
    try {
        return fn();
    } catch (const std::exception& e) {
        Lezar(*DM1->Query1);
        ui::MessageBox(QStringLiteral("Üzenet"), uzenet + "\r" + QString::fromUtf8(e.what()), ui::Icon::Error,
                       ui::Ok);
        throw;
    }
}

std::string Nev(const db::Table* t) { return db::SqlName(t->TableName); }

void Fejlec(db::Table& osz, const MABOSZKellekek& k, int bevszam, int nyugbevszam) {
    osz.Append();
    osz.FieldByName("HONAP").SetAsInteger(k.honap);
    osz.FieldByName("JELLEG").SetAsString(k.jelleg);
    db::Table& cegek = *DM1->TableCegek;
    if (LocateCompany()) {
        const auto ceg = [&cegek](const char* f) { return cegek.FieldByName(f).AsString(); };
        const bool egyeni = !cegek.FieldByName("CG_EVADOAZ").IsNull();
        if (egyeni) {
            const NameParts nev = SplitName(ceg("CG_NEV"));
            osz.FieldByName("MAGNEV").SetAsString(nev.family);
            osz.FieldByName("MAGUTONEV").SetAsString(nev.given);
        } else {
            osz.FieldByName("CEGNEV").SetAsString(ceg("CG_NEV"));
        }
        // clang-format off
        const char* const kMezok[][2] = {
            {"CEGADOSZAM", "CG_ADOSZAM"}, {"CEGADOAZ", "CG_EVADOAZ"}, {"CEGJOGELADOSZ", "CG_JOGELADOSZ"},
            {"CEGCSALGAZDNYILVSZAM", "CG_CSALGAZDNYILVSZAM"},
            {"CEGIRSZ", "CG_IRSZ"}, {"CEGVAROS", "CG_VAROS"}, {"CEGKOZTER", "CG_KOZTER"},
            {"CEGKOZTERJEL", "CG_KOZTERJEL"}, {"CEGHAZSZ", "CG_HAZSZ"}, {"CEGEPULET", "CG_EPULET"},
            {"CEGLEPCSOHAZ", "CG_LEPCSOHAZ"}, {"CEGEMELET", "CG_EMELET"}, {"CEGAJTO", "CG_AJTO"},
            {"CEGLEVIRSZ", "CG_LEVIRSZ"}, {"CEGLEVVAROS", "CG_LEVVAROS"}, {"CEGLEVKOZTER", "CG_LEVKOZTER"},
            {"CEGLEVKOZTERJEL", "CG_LEVKOZTERJEL"}, {"CEGLEVHAZSZ", "CG_LEVHAZSZ"},
            {"CEGLEVEPULET", "CG_LEVEPULET"}, {"CEGLEVLEPCSOHAZ", "CG_LEVLEPCSOHAZ"},
            {"CEGLEVEMELET", "CG_LEVEMELET"}, {"CEGLEVAJTO", "CG_LEVAJTO"},
            {"CEGUGYINTTEL", "CG_TEL"}, {"CEGUGYINT", "CG_UGYINT"},
        };
        // clang-format on
        for (const auto& [cel, forras] : kMezok) osz.FieldByName(cel).SetAsString(ceg(forras));
        osz.FieldByName("KIVA").SetAsString(ceg("CG_KIVA") == "I" ? "X" : "");
    }
    osz.FieldByName("BEVSZAM").SetAsInteger(bevszam);
    osz.FieldByName("NYUGBEVSZAM").SetAsInteger(nyugbevszam);
    osz.Post();
}

void RegiTorlese(const MABOSZKellekek& k) {
    db::Table& osz = *DM1->TableMABOSZ;
    const std::vector<db::Variant> kulcs = {db::Variant(k.honap), db::Variant(k.jelleg)};
    while (osz.Locate("HONAP;JELLEG", kulcs)) osz.Delete();
    for (db::Table* t : OszTablak())
        while (t->Locate("HONAP;JELLEG", kulcs)) t->Delete();
}

// The finishing conversions of one sheet, on its row in edit state.
void Befejezes(const std::vector<db::Table*>& lapok, int honap, const std::string& jelleg) {
    const auto K = [](db::Dataset& l, const char* c) {
        if (Osszeg(l, c) != 0) OsszegBeir(l, c, Ezer(Osszeg(l, c)));
    };
    // The D cell of a row (or `cel`) in thousands when the C cell is not 0.
    const auto KD = [](db::Dataset& l, const std::string& c, const std::string& cel) {
        if (Osszeg(l, c) != 0) OsszegBeir(l, cel, Ezer(Osszeg(l, c)));
    };
    const auto Sum = [](db::Dataset& l, std::initializer_list<const char*> cellak) {
        long long s = 0;
        for (const char* c : cellak) s += Osszeg(l, c);
        return s;
    };
    const auto szerkeszt = [](db::Table& t, const std::function<void(db::Table&)>& fn) {
        t.Edit();
        fn(t);
        t.Post();
    };
    db::Table& l02 = *lapok[L02];
    szerkeszt(l02, [&](db::Table& l) {
        OsszegBeir(l, "S74C", Sum(l, {"S70C", "S71C", "S72C", "S73C"}));
        KD(l, "S74C", "S74D");
    });
    szerkeszt(*lapok[L02b], [&](db::Table& l) {
        long long s = 0;
        for (int sor = 86; sor <= 96; ++sor) s += Osszeg(l02, "S" + std::to_string(sor) + "C");
        for (int sor = 97; sor <= 108; ++sor) s += Osszeg(l, "S" + std::to_string(sor) + "C");
        OsszegBeir(l, "S109C", s);
        KD(l, "S109C", "S109D");
        OsszegBeir(l, "S123C", Sum(l, {"S120C", "S121C", "S122C"}));
        KD(l, "S123C", "S123D");
        for (const char* sor : {"S124", "S125", "S135"})
            KD(l, std::string(sor) + "C", std::string(sor) + "D");
        OsszegBeir(l, "S139C", Sum(l, {"S136C", "S137C", "S138C"}));
        KD(l, "S139C", "S139D");
    });
    szerkeszt(*lapok[L02c], [&](db::Table& l) {
        OsszegBeir(l, "S153C", Sum(l, {"S150C", "S151C", "S152C"}));
        KD(l, "S153C", "S153D");
        for (const char* sor : {"S154", "S155", "S156", "S157"})
            KD(l, std::string(sor) + "C", std::string(sor) + "D");
        OsszegBeir(l, "S173B", Sum(l, {"S170B", "S171B", "S172B"}));
        KD(l, "S173B", "S173C");
    });
    szerkeszt(*lapok[L01b], [&](db::Table& l) {
        if (honap == 12) {
            const std::string t04 = Nev(DM1->TableMAB04), t09 = Nev(DM1->TableMAB09),
                              t12 = Nev(DM1->TableMAB12);
            const long long s674 = EvesOsszeg(t12, "S674A", jelleg);
            OsszegBeir(l, "S30C",
                       EvesOsszeg(t09, "L09_SZAKKEPZESIALAP", jelleg) +
                           EvesOsszeg(t04, "L04_SZAKKEPZESIALAP", jelleg) + s674);
            OsszegBeir(l, "S31C", s674);
            OsszegBeir(
                l, "S33C",
                EvesOsszeg(t09, "L09_SZAKKEPZESI", jelleg) + EvesOsszeg(t04, "L04_SZAKKEPZESI", jelleg));
        }
        K(l, "S30C");
        K(l, "S31C");
        OsszegBeir(l, "S32C", Osszeg(l, "S30C") - Osszeg(l, "S31C"));
        K(l, "S33C");
        K(l, "S34C");
        OsszegBeir(l, "S43C", Osszeg(l, "S33C") - Osszeg(l, "S34C"));
        const db::Variant p44 = DM1->TableErtekkeszlet->Lookup(
            "EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant("44")}, "EK_ERTEKNUM");
        if (p44.IsNull() || p44.ToDouble() != 0) {
            l.FieldByName("BEVALLASOKA").SetAsString(honap == 12 ? "2" : "1");
            l.FieldByName("KISVALLALKOZAS").SetAsString("I");
        } else {
            for (const char* c : {"S30C", "S31C", "S32C", "S33C", "S34C", "S43C"})
                if (Osszeg(l, c) == 0) Urit(l, c);
        }
    });
    szerkeszt(*lapok[L01], [&](db::Table& l) {
        const auto KU = [&l](const char* c) {
            if (Osszeg(l, c) != 0)
                OsszegBeir(l, c, Ezer(Osszeg(l, c)));
            else
                Urit(l, c);
        };
        const auto SumU = [&](const char* cel, std::initializer_list<const char*> cellak) {
            const long long s = Sum(l, cellak);
            if (s != 0)
                OsszegBeir(l, cel, s);
            else
                Urit(l, cel);
        };
        for (const char* c : {"S2C", "S3C", "S4C", "S5C", "S6C", "S8C", "S9C", "S10C", "S11C", "S12C", "S13C",
                              "S13A", "S14C"})
            KU(c);
        SumU("S1C", {"S2C", "S3C", "S4C", "S5C", "S6C"});
        SumU("S7C", {"S8C", "S9C", "S10C", "S11C", "S12C", "S13C"});
        KU("S21B");
        if (Osszeg(l, "S21B") > 0) l.FieldByName("S20A").SetAsString("X");
        KU("S22B");
        OsszegBeir(l, "S25C", Sum(l, {"S26C", "S27C", "S28C"}));
        KU("S25C");
    });
}

}  // namespace

void MABOSZTablakNyitasa() {
    DM1->TableErtekkeszlet->Open();
    for (db::Table* t : OlvasottTablak()) {
        t->ReadOnly = true;
        t->Open();
    }
    DM1->TableMABOSZ->Open();
    for (db::Table* t : OszTablak()) t->Open();
    for (db::Table* lap : MABLapTablak()) {
        lap->Close();
        lap->ReadOnly = true;
        lap->IndexFieldNames = kMABKulcs;
        lap->Open();
    }
}

void MABOSZTablakZarasa() {
    for (db::Table* lap : MABLapTablak()) {
        lap->Close();
        lap->IndexFieldNames.clear();
        lap->ReadOnly = false;
    }
    for (db::Table* t : OszTablak()) t->Close();
    DM1->TableMABOSZ->Close();
    for (db::Table* t : OlvasottTablak()) {
        t->Close();
        t->ReadOnly = false;
    }
    DM1->TableErtekkeszlet->Close();
}

long long SzurtCellaOsszeg(const MABKulcs& fej, const std::string& cella,
                           const std::vector<std::string>& kodok, const std::string& mezo,
                           const std::string& muvelet) {
    if (mezo.empty() || muvelet.empty()) return LapokOsszege(fej, cella, [](db::Table&) { return true; });
    db::Table& dg = *DM1->TableDolgozo;
    return LapokOsszege(fej, cella, [&](db::Table& lap) {
        if (!dg.Locate("DG_TORZSSZAM", db::Variant(lap.FieldByName("TORZSSZAM").AsString()))) return false;
        const bool egyik = Egyik(dg.FieldByName(mezo).AsString(), kodok);
        return muvelet == "=" ? egyik : !egyik;
    });
}

long long AdokedvCellaOsszeg(const MABKulcs& fej, const std::string& cella,
                             const std::vector<std::string>& kodok, const std::string& lapMezo) {
    return LapokOsszege(fej, cella, [&](db::Table& lap) {
        const db::Field* f = lap.FindField(lapMezo);
        return f && Egyik(f->AsString(), kodok);
    });
}

int DarabszamMegallapit(int honap, const std::string& jelleg) {
    return Szamlalas(QStringLiteral("HIBA történt a darabszám megállapításakor!"), [&] {
        db::Query& q = Lekerdezes("SELECT TORZSSZAM FROM " + Nev(DM1->TableMAB06) +
                                  " WHERE HONAP = :Phonap AND JELLEG = :Pjelleg GROUP BY TORZSSZAM"
                                  " HAVING SUM(S386A) IS NOT NULL");
        q.ParamByName("Phonap").SetAsInteger(honap);
        q.ParamByName("Pjelleg").SetAsString(jelleg);
        q.Open();
        const int n = q.RecordCount();
        Lezar(q);
        return n;
    });
}

int NyugdijMellettDarab(int honap, const std::string& jelleg) {
    return Szamlalas(
        QStringLiteral("HIBA történt a nyugdíj mellett foglalkoztatottak számának megállapításakor!"), [&] {
            std::string sql =
                "SELECT COUNT(DISTINCT T00.ADOSZAM) AS NYUGDARAB FROM " + Nev(DM1->TableMAB00) + " AS T00";
            const std::pair<db::Table*, const char*> lapok[] = {
                {DM1->TableMAB08, "T08"}, {DM1->TableMAB09, "T09"}, {DM1->TableMAB09a, "T09a"},
                {DM1->TableMAB10, "T10"}, {DM1->TableMAB11, "T11"}, {DM1->TableMAB12, "T12"},
                {DM1->TableMAB13, "T13"}};
            std::string feltetel;
            for (const auto& [t, a] : lapok) {
                const std::string al = a;
                sql += " LEFT JOIN " + Nev(t) + " AS " + al + " ON (T00.ADOSZAM = " + al +
                       ".ADOSZAM AND T00.HONAP = " + al + ".HONAP AND T00.JELLEG = " + al + ".JELLEG)";
                feltetel += std::string(feltetel.empty() ? "" : " OR ") + al + ".ALKMIN1 IN ('7', '8')";
            }
            sql += " WHERE T00.HONAP = :Phonap AND T00.JELLEG = :Pjelleg AND (" + feltetel + ")";
            db::Query& q = Lekerdezes(sql);
            q.ParamByName("Phonap").SetAsInteger(honap);
            q.ParamByName("Pjelleg").SetAsString(jelleg);
            q.Open();
            const int n = int(q.FieldByName("NYUGDARAB").AsInteger());
            Lezar(q);
            return n;
        });
}

long long EvesOsszeg(const std::string& tabla, const std::string& mezo, const std::string& jelleg) {
    return Szamlalas(QStringLiteral("HIBA történt az éves összesítéskor!\r") + Q(tabla) + "\r" + Q(mezo),
                     [&] {
                         db::Query& q = Lekerdezes("SELECT SUM(" + mezo + ") AS OSSZESEN FROM " + tabla +
                                                   " AS T09 WHERE T09.JELLEG = :Pjelleg");
                         q.ParamByName("Pjelleg").SetAsString(jelleg);
                         q.Open();
                         const long long s =
                             q.FieldByName("OSSZESEN").IsNull() ? 0 : q.FieldByName("OSSZESEN").AsInteger();
                         Lezar(q);
                         return s;
                     });
}

MABOSZEredmeny MABOSZOsszesit(const MABOSZKellekek& k) {
    const auto halad = [&k](int bar, int pos, int max = -1) {
        if (k.halad) k.halad(bar, pos, max);
    };
    os::ScopeGuard nullaz([&h = k.halad] {
        if (!h) return;
        h(1, 0, -1);
        h(2, 0, -1);
    });
    halad(2, 0, 10);

    db::Query& q = Lekerdezes("SELECT DISTINCT ADOSZAM FROM " + Nev(DM1->TableMAB00) +
                              " WHERE HONAP = :Phonap AND JELLEG = :Pjelleg");
    q.ParamByName("Phonap").SetAsInteger(k.honap);
    q.ParamByName("Pjelleg").SetAsString(k.jelleg);
    q.Open();
    const int bevszam = q.RecordCount();
    Lezar(q);
    if (bevszam == 0) return MABOSZEredmeny::NincsAdat;
    const int nyugbevszam = NyugdijMellettDarab(k.honap, k.jelleg);
    halad(2, 1);

    std::vector<db::Table*> tablak{DM1->TableMABOSZ};
    for (db::Table* t : OszTablak()) tablak.push_back(t);
    db::Transaction tx(tablak);
    RegiTorlese(k);
    halad(2, 2);
    db::Table& osz = *DM1->TableMABOSZ;
    Fejlec(osz, k, bevszam, nyugbevszam);
    for (db::Table* t : OszTablak()) {
        t->Append();
        t->FieldByName("HONAP").SetAsInteger(k.honap);
        t->FieldByName("JELLEG").SetAsString(k.jelleg);
        t->Post();
    }
    halad(2, 3);

    const std::vector<db::Table*> lapok = OszTablak();
    db::Table& mab00 = *DM1->TableMAB00;
    int fejek = 0;
    for (mab00.First(); !mab00.Eof(); mab00.Next())
        if (mab00.FieldByName("HONAP").AsInteger() == k.honap &&
            mab00.FieldByName("JELLEG").AsString() == k.jelleg)
            ++fejek;
    halad(1, 0, fejek);
    int sorszam = 0;
    std::optional<int> darab;
    const ElsoLapTar tar;
    for (mab00.First(); !mab00.Eof(); mab00.Next()) {
        if (mab00.FieldByName("HONAP").AsInteger() != k.honap ||
            mab00.FieldByName("JELLEG").AsString() != k.jelleg)
            continue;
        const MABKulcs fej = KulcsOlvas(mab00);
        osz.Edit();
        // An empty date of a header counts as neither the earliest nor the latest.
        osz.FieldByName("TOL").SetAsDateTime(KisebbDatum(osz.FieldByName("TOL").AsDateTime(), fej.tol));
        osz.FieldByName("IG").SetAsDateTime(NagyobbDatum(osz.FieldByName("IG").AsDateTime(), fej.ig));
        osz.Post();
        for (int i = L01; i <= L02c; ++i) {
            db::Table& lap = *lapok[i];
            lap.Edit();
            for (const Hozzaadas& h : Hozzaadasok()) {
                if (h.lap != i) continue;
                long long s = Osszeg(lap, h.cel);
                for (const Tag& t : h.tagok) {
                    switch (t.feltetel) {
                        case Feltetel::Nincs:
                            s += SzurtCellaOsszeg(fej, t.cella);
                            break;
                        case Feltetel::DolgozoEgyenlo:
                            s += SzurtCellaOsszeg(fej, t.cella, t.kodok, "DG_ALKMINADATSZ", "=");
                            break;
                        case Feltetel::DolgozoKulonbozo:
                            s += SzurtCellaOsszeg(fej, t.cella, t.kodok, "DG_ALKMINADATSZ", "#");
                            break;
                        case Feltetel::Adokedv:
                            s += AdokedvCellaOsszeg(fej, t.cella, t.kodok, "ADOKEDVJOGC");
                            break;
                    }
                }
                OsszegBeir(lap, h.cel, s);
            }
            if (i == L02c) {
                // The same count for every header of the month: asked once.
                if (!darab) darab = DarabszamMegallapit(k.honap, k.jelleg);
                OsszegBeir(lap, "S175A", *darab);
            }
            lap.Post();
        }
        halad(1, ++sorszam);
    }
    halad(2, 4);
    Befejezes(lapok, k.honap, k.jelleg);
    halad(2, 5);
    tx.Commit();
    return MABOSZEredmeny::Kesz;
}

TMABOSZosszesitesForm::TMABOSZosszesitesForm(QWidget* parent)
    : TMABKeretForm(
          {"MABOSZosszesitesForm", QStringLiteral("Havi adó/Havi adóbevallás összesített adatok összesítés"),
           QStringLiteral("Összesítés"), false, 2},
          parent) {
    MABOSZTablakNyitasa();
}

TMABOSZosszesitesForm::~TMABOSZosszesitesForm() {
    if (DM1) MABOSZTablakZarasa();
}

void TMABOSZosszesitesForm::Inditas() {
    MABOSZKellekek k;
    k.honap = std::stoi(Szoveg(MaskEdit1));
    k.jelleg = Jelleg();
    k.halad = [this](int bar, int pos, int max) {
        QProgressBar* p = bar == 1 ? ProgressBar1 : ProgressBar2;
        if (max >= 0) p->setMaximum(std::max(max, 1));
        p->setValue(std::min(pos, p->maximum()));
    };
    try {
        if (MABOSZOsszesit(k) == MABOSZEredmeny::NincsAdat) {
            ui::ShowMessage(QStringLiteral("Nincs összesíthető adat!"));
            return;
        }
        ui::MessageBox(QStringLiteral("Üzenetkezelő"), QStringLiteral("Az összesítés befejeződött!"),
                       ui::Icon::Information, ui::Ok);
    } catch (const std::exception& e) {
        ui::MessageBox(QStringLiteral("Üzenetkezelő"),
                       QStringLiteral("HIBA történt az összesítéskor! \r") + QString::fromUtf8(e.what()),
                       ui::Icon::Error, ui::Ok);
    }
}
