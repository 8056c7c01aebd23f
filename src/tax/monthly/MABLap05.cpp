#include "tax/monthly/MABLap05.h"

#include "core/DataModule1.h"
#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"

namespace {

std::string Ht(const char* field) { return DM1->TableHozzatartozo->FieldByName(field).AsString(); }

bool Egyike(const std::string& v, std::initializer_list<const char*> kodok) {
    for (const char* k : kodok)
        if (v == k) return true;
    return false;
}

// A dependant counts for the month when the relation lasts the whole month.
bool EgeszHonap(const MABHonap& ho) {
    const double tol = DM1->TableHozzatartozo->FieldByName("HT_KAPCSTOL").AsDateTime();
    const double ig = DM1->TableHozzatartozo->FieldByName("HT_KAPCSIG").AsDateTime();
    return (tol == 0 || tol <= ho.elsoNap) && (ig == 0 || ig >= ho.utolsoNap);
}

long long ElsoLapOsszeg(db::Table& lap, const MABKulcs& fej, const char* cella) {
    return ElsoLap(lap, fej) ? Osszeg(lap, cella) : 0;
}

void Hazastars(const MABFejMunka& m) {
    db::Table& ht = *DM1->TableHozzatartozo;
    db::Table& dg = *DM1->TableDolgozo;
    db::Table& mab04 = *DM1->TableMAB04;
    db::Table& mab05 = *DM1->TableMAB05;
    for (ht.First(); !ht.Eof(); ht.Next()) {
        const std::string kapcsolat = Ht("HT_KAPCSOLAT");
        if (!EgeszHonap(m.futas.ho) || !Egyike(kapcsolat, {"1", "2"})) continue;
        if (kapcsolat == "1" && ElsoLapOsszeg(mab04, m.fej, "S313D") > 0)
            ElsoLapModosit(mab04, m.fej, [&ht](db::Table& p) {
                p.FieldByName("S338A").SetValue(ht.FieldByName("HT_ADOAZ").Value());
                p.FieldByName("S338B").SetValue(ht.FieldByName("HT_NEV").Value());
                p.FieldByName("S339A").SetValue(ht.FieldByName("HT_KAPCSTOL").Value());
            });
        if (ElsoLapOsszeg(mab04, m.fej, "S314D") > 0)
            ElsoLapModosit(mab05, m.fej, [&](db::Table& p) {
                // The allowance computed is more than the employee claims:
                // the rest goes to the spouse or partner.
                if (dg.FieldByName("DG_CSALKEDVSZAM").AsFloat() > dg.FieldByName("DG_CSALKEDV").AsFloat()) {
                    p.FieldByName("S345A").SetAsString("2");
                    p.FieldByName("S346A").SetValue(ht.FieldByName("HT_ADOAZ").Value());
                    p.FieldByName("S346B").SetValue(ht.FieldByName("HT_NEV").Value());
                }
            });
        return;
    }
}

// The column D code of an entitlement.
const char* Jogcim(const std::string& kod) {
    if (kod == "1") return "4";
    if (kod == "2") return "5";
    if (kod == "3") return "6";
    if (kod == "4") return "7";
    return nullptr;
}

void Eltartottak(const MABFejMunka& m) {
    db::Table& ht = *DM1->TableHozzatartozo;
    db::Table& mab05 = *DM1->TableMAB05;
    const int ev = std::stoi(FeldolgozasiEv);
    int sor = 0;  // the row of the next dependant on the current page; 0 before the first
    for (ht.First(); !ht.Eof(); ht.Next()) {
        const std::string eltmin = Ht("HT_ELTMIN");
        if (!EgeszHonap(m.futas.ho) || !Egyike(Ht("HT_KAPCSOLAT"), {"3", "4", "5"}) ||
            !Egyike(eltmin, {"1", "2", "3"}))
            continue;
        // Five dependants a page.
        if (sor == 350 || (sor == 0 && !ElsoLap(mab05, m.fej))) {
            UjLap(mab05, m.fej, DM1->TableDolgozo->FieldByName("DG_ADOAZ").AsString());
            mab05.Post();
        }
        if (sor == 0) sor = 350;
        LapModosit(mab05, [&](db::Table& p) {
            p.FieldByName(Cella(sor, 'A')).SetValue(ht.FieldByName("HT_ADOAZ").Value());
            p.FieldByName(Cella(sor, 'B')).SetValue(ht.FieldByName("HT_NEV").Value());
            p.FieldByName(Cella(sor, 'C')).SetAsString(eltmin);
            if (eltmin != "2")
                if (const char* jogcim = Jogcim(Ht("HT_JOGOSULTJOGC")))
                    p.FieldByName(Cella(sor, 'D')).SetAsString(jogcim);
            const double kezdet = ht.FieldByName("HT_KAPCSTOL").AsDateTime();
            if (DatumResz(0, kezdet) == ev && DatumResz(1, kezdet) == m.futas.ho.honap)
                p.FieldByName(Cella(sor, 'E')).SetAsDateTime(kezdet);
        });
        sor = sor == 354 ? 350 : sor + 1;
    }
}

}  // namespace

void Lap05Szamitas(MABFejMunka& munka) {
    Hazastars(munka);
    Eltartottak(munka);
}
