#include "tax/monthly/MABLapszamitas.h"

#include <stdexcept>

#include "core/DataModule1.h"
#include "core/helpers/SegedUnit.h"
#include "platform/os/DayNumber.h"
#include "tax/monthly/MABLap04.h"
#include "tax/monthly/MABLap05.h"
#include "tax/monthly/MABLap06.h"
#include "tax/monthly/MABLap08.h"
#include "tax/monthly/MABLap09.h"
#include "tax/monthly/MABLap10.h"
#include "tax/monthly/MABLap11.h"

FoglalkoztatasiAblak FoglalkoztatasiAblakSzamit(double belepDat, double kilepDat, const MABHonap& ho) {
    FoglalkoztatasiAblak a{ho.elsoNap, ho.utolsoNap};
    const auto inMonth = [&ho](double d) { return d != 0 && d >= ho.elsoNap && d <= ho.utolsoNap; };
    if (inMonth(belepDat)) a.kezdet = belepDat;
    if (inMonth(kilepDat)) a.veg = kilepDat;
    return a;
}

long long Osszeg(db::Dataset& lap, const std::string& cella) {
    const db::Field& f = lap.FieldByName(cella);
    return f.IsNull() ? 0 : f.AsInteger();
}

void OsszegBeir(db::Dataset& lap, const std::string& cella, long long ertek) {
    lap.FieldByName(cella).SetAsInteger(Int32Cella(ertek, cella));
}

void Urit(db::Dataset& lap, const std::string& cella) { lap.FieldByName(cella).Clear(); }

std::string Cella(int sor, char oszlop) { return "S" + std::to_string(sor) + oszlop; }

void LapModosit(db::Table& lap, const std::function<void(db::Table&)>& modosit) {
    lap.Edit();
    try {
        modosit(lap);
        lap.Post();
    } catch (...) {
        lap.Cancel();
        throw;
    }
}

bool ElsoLapModosit(db::Table& lap, const MABKulcs& fej, const std::function<void(db::Table&)>& modosit) {
    if (!ElsoLap(lap, fej)) return false;
    LapModosit(lap, modosit);
    return true;
}

void LapokSzamitasa(db::Table& lap, const MABKulcs& fej, const std::function<void(db::Table&)>& lepes) {
    for (bool ok = ElsoLap(lap, fej); ok; ok = KovetkezoLap(lap, fej)) LapModosit(lap, lepes);
}

double ErtekkeszletSzam(const std::string& kod) {
    const db::Variant v = DM1->TableErtekkeszlet->Lookup("EK_TIPUS;EK_ERTEK",
                                                         {db::Variant("0"), db::Variant(kod)}, "EK_ERTEKNUM");
    if (v.IsNull()) throw std::runtime_error("Hiányzik az értékkészlet 0 típusú, " + kod + " értékű sora!");
    return v.ToDouble();
}

const MABLepesek& MABSzamitasiLepesek() {
    static const MABLepesek lepesek{
        .lap04 = Lap04Szamitas,
        .csaladi = Lap05Szamitas,
        .lap06 = Lap06Szamitas,
        .lap07 = Lap07Szamitas,
        .lap09a = Lap09aSzamitas,
        .lap09 = Lap09Szamitas,
        .lap08Letrehozas = Lap08Letrehozas,
        .lap08 = Lap08Szamitas,
        .lap10 = Lap10Szamitas,
        .lap11 = Lap11Szamitas,
        .lap12 = Lap12Szamitas,
        .lap06Atdolgozas = Lap06Atdolgozas,
        .lap13 = Lap13Szamitas,
    };
    return lepesek;
}

namespace {

std::string Dg(const char* field) { return DM1->TableDolgozo->FieldByName(field).AsString(); }

}  // namespace

std::string BelepesKod() {
    const double belep = DM1->TableDolgozo->FieldByName("DG_BELEPDAT").AsDateTime();
    return belep == 0 ? "000000" : FixDatum(6, belep);
}

void AlkalmazasFejKitolt(db::Table& lap, const FoglalkoztatasiAblak& ablak) {
    const std::string nyug = Dg("DG_NYUGALKMIN2");
    const std::string alkmin1 = nyug.empty() ? "0" : nyug;
    const std::string alkmin2 = Dg("DG_ALKMINADATSZ");
    if (&lap == DM1->TableMAB13) {
        lap.FieldByName("ALKMIN1").SetAsString(alkmin1);
        lap.FieldByName("ALKMIN2").SetAsString(alkmin2);
        lap.FieldByName("ALKMIN3").SetAsString("000000");
        lap.FieldByName("ALKMIN4").SetAsString("000");
        return;
    }
    const db::Field& sorsz = DM1->TableDolgozo->FieldByName("DG_JSORSZADATSZ");
    const std::string alkmin4 = FixEgesz(int(sorsz.AsInteger()), 3);
    const bool csakUres = &lap == DM1->TableMAB08;
    const std::string elotag = &lap == DM1->TableMAB08 ? "L08_" : &lap == DM1->TableMAB09 ? "L09_" : "";
    const auto text = [&](const char* field, const std::string& v) {
        db::Field& f = lap.FieldByName(field);
        if (!csakUres || f.IsNull()) f.SetAsString(v);
    };
    const auto date = [&](const char* field, const char* sajat, double ablakNap) {
        db::Field& f = lap.FieldByName(field);
        if (csakUres && !f.IsNull()) return;
        double v = ablakNap;
        if (!elotag.empty()) {
            const db::Field& s = lap.FieldByName(elotag + sajat);
            if (!s.IsNull()) v = s.AsDateTime();
        }
        f.SetAsDateTime(v);
    };
    text("ALKMIN1", alkmin1);
    text("ALKMIN2", alkmin2);
    text("ALKMIN3", BelepesKod());
    text("ALKMIN4", alkmin4);
    date("BIZTOL", "BIZTOL", ablak.kezdet);
    date("BIZIG", "BIZIG", ablak.veg);
}

void UresLapokTorlese(const MABKulcs& fej) {
    // clang-format off
    const struct { db::Table* lap; const char* elotag; } kMarad[] = {
        {DM1->TableMAB04,  "L04"},
        {DM1->TableMAB05,  nullptr},
        {DM1->TableMAB06,  nullptr},
        {DM1->TableMAB07,  nullptr},
        {DM1->TableMAB08,  "L08_NEMURESLAP"},
        {DM1->TableMAB09,  "L09"},
        {DM1->TableMAB09a, nullptr},
        {DM1->TableMAB11,  nullptr},
    };
    // clang-format on
    for (const auto& m : kMarad) {
        db::Table& lap = *m.lap;
        bool ok = ElsoLap(lap, fej);
        while (ok) {
            const bool marad = m.elotag ? LapKitoltottElotag(lap, m.elotag) : LapKitoltott(lap);
            if (marad) {
                ok = KovetkezoLap(lap, fej);
            } else {
                // The next page takes the deleted one's place.
                lap.Delete();
                ok = !lap.Eof() && FejLapja(lap, fej);
            }
        }
    }
}

void MABLapszamitas(const MABFutas& futas, const MABLepesek& lepesek, const std::function<void()>& halad) {
    db::Table& mab00 = *DM1->TableMAB00;
    db::Table& dg = *DM1->TableDolgozo;
    for (mab00.First(); !mab00.Eof(); mab00.Next()) {
        const MABKulcs fej = KulcsOlvas(mab00);
        if (fej.honap == futas.ho.honap && fej.jelleg == futas.jelleg && fej.torzsszam >= futas.tol &&
            fej.torzsszam <= futas.ig) {
            if (!dg.Locate("DG_TORZSSZAM", db::Variant(fej.torzsszam)))
                throw std::runtime_error("Az összesítésben szereplő dolgozó törzsszáma nem található!");
            MABFejMunka munka{
                futas, fej,
                FoglalkoztatasiAblakSzamit(dg.FieldByName("DG_BELEPDAT").AsDateTime(),
                                           dg.FieldByName("DG_KILEPDAT").AsDateTime(), futas.ho)};
            const auto run = [&munka](const MABLepes& lepes) {
                if (lepes) lepes(munka);
            };
            run(lepesek.lap04);
            if (dg.FieldByName("DG_CSALKEDV").AsFloat() > 0 ||
                dg.FieldByName("DG_ELSOHAZASOSSZ").AsFloat() > 0)
                run(lepesek.csaladi);
            for (const MABLepes* l :
                 {&lepesek.lap06, &lepesek.lap07, &lepesek.lap09a, &lepesek.lap09, &lepesek.lap08Letrehozas,
                  &lepesek.lap08, &lepesek.lap10, &lepesek.lap11, &lepesek.lap12, &lepesek.lap06Atdolgozas,
                  &lepesek.lap13})
                run(*l);
            UresLapokTorlese(fej);
        }
        if (halad) halad();
    }
}
