#include "tax/monthly/MABLap11.h"

#include <algorithm>

#include "core/DataModule1.h"
#include "core/helpers/SegedUnit.h"
#include "tax/monthly/MABLapok.h"

namespace {

std::string Dg(const char* field) { return DM1->TableDolgozo->FieldByName(field).AsString(); }

void Masol(db::Dataset& p, const char* cel, db::Dataset& forras, const char* cella) {
    p.FieldByName(cel).SetValue(forras.FieldByName(cella).Value());
}

// The base of tax code 258 on the first 1908-06 page into a row's A and C.
void Alap06(db::Dataset& p, const MABKulcs& fej, const char* a, const char* c) {
    db::Table& mab06 = *DM1->TableMAB06;
    if (!ElsoLap(mab06, fej)) return;
    Masol(p, a, mab06, "S385C");
    Masol(p, c, mab06, "S386C");
}

void Lap11(db::Table& p, MABFejMunka& m) {
    AlkalmazasFejKitolt(p, m.ablak);
    const long long kedvezmenyek = Osszeg(p, "S639C") + Osszeg(p, "S640C") + Osszeg(p, "S641C");
    if (kedvezmenyek > 0) {
        Alap06(p, m.fej, "S638A", "S638C");
        Masol(p, "S642A", p, "S639A");
        Masol(p, "S643A", p, "S640A");
        Masol(p, "S644A", p, "S641A");
        if (Osszeg(p, "S642A") > 0) OsszegBeir(p, "S642C", 0);
        OsszegBeir(p, "S643C", RoundProduct(double(Osszeg(p, "S643A")), 0.1));
        OsszegBeir(p, "S644C", RoundProduct(double(Osszeg(p, "S644A")), 0.2));
        if (Osszeg(p, "S642A") + Osszeg(p, "S643A") + Osszeg(p, "S644A") > 0) {
            OsszegBeir(p, "S645A",
                       Osszeg(p, "S638A") - Osszeg(p, "S639A") - Osszeg(p, "S640A") - Osszeg(p, "S641A"));
            OsszegBeir(p, "S645C", RoundProduct(double(Osszeg(p, "S645A")), 0.27));
        }
    }
    if (Osszeg(p, "S662A") > 0) {
        p.FieldByName("S660A").SetAsDateTime(m.ablak.kezdet);
        p.FieldByName("S660C").SetAsDateTime(m.ablak.veg);
        Alap06(p, m.fej, "S661A", "S661C");
        if (p.FieldByName("S664A").IsNull()) {
            OsszegBeir(p, "S663C", -Osszeg(p, "S663C"));
            OsszegBeir(p, "S664C", Osszeg(p, "S662C") - Osszeg(p, "S663C"));
            OsszegBeir(p, "S665C", Osszeg(p, "S661C") - Osszeg(p, "S664C"));
        } else {
            const double alapber = DM1->TableDolgozo->FieldByName("DG_ALAPBER").AsFloat();
            const std::string berforma = Dg("DG_BERFORM");
            // The monthly wage, or the hourly wage for 174 hours.
            if (berforma == "1") OsszegBeir(p, "S659C", std::max(Osszeg(p, "S661A"), Kerekit(alapber)));
            if (berforma == "2")
                OsszegBeir(p, "S659C", std::max(Osszeg(p, "S661A"), RoundProduct(alapber, 174)));
            OsszegBeir(p, "S663A", std::max(0LL, Osszeg(p, "S659C") - Osszeg(p, "S662A")));
            OsszegBeir(p, "S665C", Osszeg(p, "S661C") - Osszeg(p, "S664A"));
        }
    }
    if (Osszeg(p, "S638A") + Osszeg(p, "S661A") > 0) m.szhaAlap = true;
    if ((Osszeg(p, "S664C") > 0 || Osszeg(p, "S664A") > 0) && kedvezmenyek > 0) {
        OsszegBeir(p, "S668C", Osszeg(p, "S638C") - kedvezmenyek - Osszeg(p, "S664C") - Osszeg(p, "S664A"));
        for (const char* c :
             {"S642A", "S643A", "S644A", "S642C", "S643C", "S644C", "S645A", "S645C", "S665C"})
            Urit(p, c);
    }
    if (Osszeg(p, "S662A") > 0) p.FieldByName("ERTMEGORZADOKEDV").SetAsString("X");
}

// The employee's identification for the allowance of a mother of children.
void Azonositas(db::Dataset& p) {
    db::Table& dg = *DM1->TableDolgozo;
    const auto text = [&](const char* cel, const char* mezo) { p.FieldByName(cel).SetAsString(Dg(mezo)); };
    text("L12_DOLGADOAZ", "DG_ADOAZ");
    text("L12_DOLGTBAZON", "DG_TAJSZ");
    text("L12_DOLGTITULUS", "DG_TITULUS");
    DolgozoNevei(p, "L12_");
    text("L12_DOLGSZULHELY", "DG_SZULHELY");
    // The birth date, as the field's name says (nothing reads it).
    p.FieldByName("L12_DOLGSZULDAT").SetValue(dg.FieldByName("DG_SZULDAT").Value());
    text("L12_KEDVMIN", "DG_ALKMINADATSZ");
}

void Lap12(db::Table& p, MABFejMunka& m) {
    AlkalmazasFejKitolt(p, m.ablak);
    if (Osszeg(p, "S674C") > 0 || Osszeg(p, "S675C") > 0 || Osszeg(p, "S676C") > 0) {
        const std::string jogcim = Dg("DG_SZHAKEDVKOD");
        p.FieldByName("ADOKEDVJOGC").SetAsString(jogcim);
        if (jogcim == "20" || jogcim == "21") {
            if (jogcim == "20")
                Urit(p, "L12_SOKGYEREK");
            else
                p.FieldByName("L12_SOKGYEREK").SetAsString("X");
            Azonositas(p);
        }
        p.FieldByName("S670A").SetAsDateTime(m.ablak.kezdet);
        p.FieldByName("S670C").SetAsDateTime(m.ablak.veg);
        Alap06(p, m.fej, "S673A", "S673C");
        const double r = SzhaSzazalek(DatumResz(1, m.ablak.kezdet));
        if (Osszeg(p, "S674A") > 0) {
            Masol(p, "S677A", p, "S674A");
            OsszegBeir(p, "S677C", 0);
        }
        if (Osszeg(p, "S675A") > 0) {
            Masol(p, "S678A", p, "S675A");
            OsszegBeir(p, "S678C", RoundPercent(double(Osszeg(p, "S678A")), r * 0.5));
        }
        if (Osszeg(p, "S676A") > 0) {
            Masol(p, "S679A", p, "S676A");
            OsszegBeir(p, "S679C", RoundPercent(double(Osszeg(p, "S679A")), r - 7));
        }
        const auto sum = [&p](std::initializer_list<const char*> cellak) {
            long long s = 0;
            for (const char* c : cellak) s += Osszeg(p, c);
            return s;
        };
        OsszegBeir(p, "S680A", Osszeg(p, "S673A") - sum({"S674A", "S675A", "S676A"}));
        OsszegBeir(p, "S680C",
                   Osszeg(p, "S673C") - sum({"S674C", "S675C", "S676C", "S677C", "S678C", "S679C"}));
        if (Osszeg(p, "S673A") > 0) OsszegBeir(p, "S680A", std::max(0LL, Osszeg(p, "S680A")));
        if (Osszeg(p, "S673C") > 0) OsszegBeir(p, "S680C", std::max(0LL, Osszeg(p, "S680C")));
    }
    if (Osszeg(p, "S673A") > 0) m.szhaAlap = true;

    // From July these allowances are declared in rows 690-696.
    const std::string jogcim = p.FieldByName("ADOKEDVJOGC").AsString();
    if (m.futas.ho.honap >= 7 && (jogcim == "06" || jogcim == "09" || jogcim == "10" || jogcim == "11")) {
        // clang-format off
        const char* const kAthelyez[][2] = {
            {"S690A", "S670A"}, {"S690C", "S670C"}, {"S691A", "S673A"}, {"S691C", "S673C"},
            {"S692A", "S674A"}, {"S692C", "S674C"}, {"S693A", "S675A"}, {"S693C", "S675C"},
            {"S694A", "S677A"}, {"S694C", "S677C"}, {"S695A", "S678A"},
        };
        // clang-format on
        for (const auto& [cel, forras] : kAthelyez) Masol(p, cel, p, forras);
        OsszegBeir(p, "S695C", RoundProduct(double(Osszeg(p, "S695A")), 0.0775));
        OsszegBeir(p, "S696A", Osszeg(p, "S691A") - Osszeg(p, "S692A") - Osszeg(p, "S693A"));
        if (Osszeg(p, "S692C") > 0) {
            OsszegBeir(p, "S696C", Osszeg(p, "S691C") - Osszeg(p, "S692C"));
            Urit(p, "S696A");
        }
        if (Osszeg(p, "S693C") > 0) OsszegBeir(p, "S696C", RoundProduct(double(Osszeg(p, "S696A")), 0.175));
        for (const char* c : {"S670A", "S670C", "S673A", "S673C", "S674A", "S674C", "S675A", "S675C", "S677A",
                              "S677C", "S678A", "S678C", "S680A", "S680C"})
            Urit(p, c);
    }
}

}  // namespace

void Lap11Szamitas(MABFejMunka& munka) {
    munka.szhaAlap = false;
    LapokSzamitasa(*DM1->TableMAB11, munka.fej, [&munka](db::Table& p) { Lap11(p, munka); });
}

void Lap12Szamitas(MABFejMunka& munka) {
    LapokSzamitasa(*DM1->TableMAB12, munka.fej, [&munka](db::Table& p) { Lap12(p, munka); });
}

void Lap06Atdolgozas(MABFejMunka& munka) {
    if (!munka.szhaAlap) return;
    // The base an allowance page took over stays on 1908-06 only as far as
    // its own amounts give it.
    ElsoLapModosit(*DM1->TableMAB06, munka.fej, [](db::Table& p) {
        Urit(p, "S385C");
        Urit(p, "S386C");
        if (Osszeg(p, "S385A") > 0) Masol(p, "S385C", p, "S385A");
        if (Osszeg(p, "S386A") + Osszeg(p, "S386D") > 0)
            OsszegBeir(p, "S386C", Osszeg(p, "S386A") + Osszeg(p, "S386D"));
    });
}
