#include "tax/monthly/MABLap09.h"

#include <algorithm>
#include <stdexcept>

#include "core/DataModule1.h"
#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "core/helpers/TaxRate.h"
#include "tax/monthly/MABTablak.h"

namespace {

std::string Dg(const char* field) { return DM1->TableDolgozo->FieldByName(field).AsString(); }

// The pension contribution rate in percent.
double JarulekMerteke() { return ErtekkeszletSzam("17"); }

bool Ures(db::Dataset& p, const char* cella) { return p.FieldByName(cella).IsNull(); }

void NullaHaUres(db::Dataset& p, const char* cella) {
    if (Ures(p, cella)) OsszegBeir(p, cella, 0);
}

// Two shares of V by the months since entry, each rounded by itself.
void SzolgalatiIdoMegosztas(db::Dataset& p, int honap) {
    const long long v = Osszeg(p, "S555C");
    const double belep = DM1->TableDolgozo->FieldByName("DG_BELEPDAT").AsDateTime();
    // Without an entry date the count is the year's own, far beyond 48.
    const int m = 12 * (std::stoi(FeldolgozasiEv) - DatumResz(0, belep)) + (honap - DatumResz(1, belep));
    const int szazalekA = m >= 48 ? 0 : m >= 36 ? 25 : m >= 24 ? 50 : m >= 12 ? 75 : 100;
    OsszegBeir(p, "S555A", RoundPercent(double(v), szazalekA));
    OsszegBeir(p, "S555C", RoundPercent(double(v), 100 - szazalekA));
}

void Lap09(db::Table& p, MABFejMunka& m) {
    AlkalmazasFejKitolt(p, m.ablak);
    const std::string kod = Dg("DG_ALKMINADATSZ");
    const bool megorzott = MegorzottLapKod(kod);
    if (megorzott) {
        db::Field& nemUres = p.FieldByName("L09_NEMURESLAP");
        if ((Ures(p, "S574C") && Ures(p, "S579C")) ||
            (Osszeg(p, "S574C") == 0 && nemUres.AsString() == "I")) {
            for (const char* c : {"S574C", "S577C", "S579C"}) NullaHaUres(p, c);
            nemUres.SetAsString("I");
        }
        // The base that belongs to the pension contribution.
        if (Osszeg(p, "S574C") == 0 && Osszeg(p, "S577C") > 0) {
            const double mertek = JarulekMerteke();
            if (mertek == 0)
                throw std::runtime_error(
                    "Nulla az értékkészlet 0 típusú, 17 értékű sora, a nyugdíjjárulék alapja nem "
                    "számítható!");
            OsszegBeir(p, "S574C", RoundQuotient(double(Osszeg(p, "S577C")) * 100, mertek));
        }
        if (Ures(p, "S577C") && Osszeg(p, "S574C") == 0 && Osszeg(p, "S579C") == 0) OsszegBeir(p, "S577C", 0);
    }

    const long long s561 = (Osszeg(p, "S565C") - Osszeg(p, "S567C")) +
                           (Osszeg(p, "S569C") - Osszeg(p, "S571C")) +
                           (Osszeg(p, "S577C") - Osszeg(p, "S579C"));
    OsszegBeir(p, "S561C", s561);
    OsszegBeir(p, "S560C", RoundQuotient(double(s561), kIncomeTaxRate));
    OsszegBeir(p, "S563C", s561);
    if (s561 < 1) {
        p.FieldByName("CSALJARKEDV").SetAsString("N");
    } else {
        p.FieldByName("CSALJARKEDV").SetAsString("I");
        OsszegBeir(p, "S566C", Osszeg(p, "S565C") - Osszeg(p, "S567C"));
        OsszegBeir(p, "S570C", Osszeg(p, "S569C") - Osszeg(p, "S571C"));
        OsszegBeir(p, "S578C", Osszeg(p, "S577C") - Osszeg(p, "S579C"));
        db::Table& mab04 = *DM1->TableMAB04;
        if (ElsoLap(mab04, m.fej)) {
            if (megorzott)
                p.FieldByName("S562C").SetValue(mab04.FieldByName("S304D").Value());
            else
                Urit(p, "S562C");
        }
    }
    OsszegBeir(p, "S574C", Osszeg(p, "S574C") - Osszeg(p, "S575C"));
    if (Dg("DG_NYUGDIJAS") == "I") p.FieldByName("S569A").SetAsString("2");
    // A pensioner's contributions are declared in one sum.
    const std::string alkmin1 = p.FieldByName("ALKMIN1").AsString();
    for (const char* k : {"1", "2", "3", "6", "7", "8", "9", "10"})
        if (alkmin1 == k) {
            OsszegBeir(p, "S576C", Osszeg(p, "S574C") + Osszeg(p, "S575C"));
            Urit(p, "S574C");
            Urit(p, "S575C");
            break;
        }
    if (kod == "17") SzolgalatiIdoMegosztas(p, m.futas.ho.honap);
    for (const char* c : {"S567C", "S570C", "S571C", "S578C"}) {
        if (s561 < 1 && !Ures(p, c) && Osszeg(p, c) == 0) Urit(p, c);
        if (s561 >= 1) NullaHaUres(p, c);
    }
    bool semmi = true;
    for (const char* c : {"S555C", "S558C", "S562C", "S564C", "S574C", "S575C", "S576C"})
        if (Osszeg(p, c) != 0) semmi = false;
    if (semmi && kod != "34" && kod != "35") LapCellakTorlese(p);
}

void Lap09a(db::Table& p, MABFejMunka& m) {
    AlkalmazasFejKitolt(p, m.ablak);
    db::Table& mab09 = *DM1->TableMAB09;
    const long long s600 = Osszeg(p, "S600C"), s601 = Osszeg(p, "S601C");
    if (ElsoLap(mab09, m.fej) && Osszeg(mab09, "S565C") != Osszeg(mab09, "S567C"))
        ElsoLapModosit(mab09, m.fej, [&](db::Table& p09) {
            OsszegBeir(p09, "S574C", Osszeg(p09, "S574C") - s600 - s601);
            OsszegBeir(p09, "S578C", Osszeg(p09, "S577C") - Osszeg(p09, "S579C"));
        });
    OsszegBeir(p, "S603C", RoundPercent(double(s600 + s601), JarulekMerteke()));
    const long long s603 = Osszeg(p, "S603C");
    ElsoLapModosit(mab09, m.fej, [&](db::Table& p09) {
        OsszegBeir(p09, "S577C", Osszeg(p09, "S577C") - s603);
        const long long s577 = Osszeg(p09, "S577C"), s578 = Osszeg(p09, "S578C");
        OsszegBeir(p, "S604C", std::max(0LL, s578 - s577));
        OsszegBeir(p09, "S578C", std::min(s577, s578));
    });
    const long long s604 = Osszeg(p, "S604C");
    OsszegBeir(p, "S605C", std::max(0LL, s603 - s604));
    const long long s605 = Osszeg(p, "S605C");
    ElsoLapModosit(mab09, m.fej,
                   [&](db::Table& p09) { OsszegBeir(p09, "S579C", Osszeg(p09, "S579C") - s605); });
    OsszegBeir(p, "S599C", s604);
    OsszegBeir(p, "S598C", RoundQuotient(double(s604), kIncomeTaxRate));
    p.FieldByName("CSALJARKEDV").SetAsString(s604 > 0 ? "I" : "N");
}

}  // namespace

void Lap09aSzamitas(MABFejMunka& munka) {
    LapokSzamitasa(*DM1->TableMAB09a, munka.fej, [&munka](db::Table& p) { Lap09a(p, munka); });
}

void Lap09Szamitas(MABFejMunka& munka) {
    LapokSzamitasa(*DM1->TableMAB09, munka.fej, [&munka](db::Table& p) { Lap09(p, munka); });
}
