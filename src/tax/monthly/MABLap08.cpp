#include "tax/monthly/MABLap08.h"

#include <algorithm>

#include "core/DataModule1.h"
#include "core/helpers/SegedUnit.h"
#include "platform/os/Text.h"
#include "tax/monthly/MABLapok.h"
#include "tax/monthly/MABTablak.h"

namespace {

std::string Dg(const char* field) { return DM1->TableDolgozo->FieldByName(field).AsString(); }

void Jelol(db::Dataset& p) {
    p.FieldByName("NEMBIZTOSITOTT").SetAsString("X");
    p.FieldByName("L08_NEMURESLAP").SetAsString("I");
}

bool AzonosIdoszak(db::Dataset& a, db::Dataset& b) {
    return a.FieldByName("BIZTOL").AsDateTime() == b.FieldByName("BIZTOL").AsDateTime() &&
           a.FieldByName("BIZIG").AsDateTime() == b.FieldByName("BIZIG").AsDateTime();
}

// Positions 1908-09 on the page with the insured period of the 1908-08 page
// `p`, or else on page `tartalek` (the header's last when it has fewer);
// false when 1908-09 has no page.
bool Lap09Idoszakra(db::Dataset& p, const MABKulcs& fej, int tartalek) {
    db::Table& mab09 = *DM1->TableMAB09;
    for (bool ok = ElsoLap(mab09, fej); ok; ok = KovetkezoLap(mab09, fej))
        if (AzonosIdoszak(mab09, p)) return true;
    const int lapok = LapokSzama(mab09, fej);
    if (lapok == 0) return false;
    ElsoLap(mab09, fej);
    for (int i = 0; i < std::min(tartalek, lapok - 1); ++i) KovetkezoLap(mab09, fej);
    return true;
}

void Lap08(db::Table& p, MABFejMunka& m, int& lapSzam) {
    AlkalmazasFejKitolt(p, m.ablak);
    const std::string kod = Dg("DG_ALKMINADATSZ");
    if (kod != "46" && kod != "60") {
        const std::string feor = os::TrimUpToBlank(Dg("DG_FEOR"));
        if (!feor.empty()) {
            p.FieldByName("S520A").SetAsString(feor);
            p.FieldByName("S520B").SetValue(p.FieldByName("BIZTOL").Value());
            p.FieldByName("S520C").SetValue(p.FieldByName("BIZIG").Value());
        }
        const long long h = Kerekit(DM1->TableDolgozo->FieldByName("DG_HETIKOTORA").AsFloat());
        const std::string alkmin = Dg("DG_ALKMIN");
        int sor = 0;
        if (alkmin == "2" ? h > 0 : h >= 1 && h <= 39)
            sor = 523;
        else if ((alkmin == "1" || alkmin == "5") && h >= 40)
            sor = 524;
        if (sor) {
            p.FieldByName(Cella(sor, 'A')).SetAsString(std::to_string(h));
            p.FieldByName(Cella(sor, 'B')).SetValue(p.FieldByName("BIZTOL").Value());
            p.FieldByName(Cella(sor, 'C')).SetValue(p.FieldByName("BIZIG").Value());
        }
    }
    p.FieldByName("S543B").SetValue(DM1->TableDolgozo->FieldByName("DG_KILEPDAT").Value());

    db::Table& mab09 = *DM1->TableMAB09;
    if (!MegorzottLapKod(kod) && kod != "60") {
        // The service time of the 1908-09 page of the same insured period.
        // Without one, the first page reads the page the creation left
        // 1908-09 on, the later ones the last.
        const int tartalek = lapSzam == 0 ? m.lap09Hely : LapokSzama(mab09, m.fej) - 1;
        const bool van = Lap09Idoszakra(p, m.fej, tartalek);
        p.FieldByName("S542B").SetAsString(van && AranyosSzolgIdo(mab09, m.futas.ho) > 0 ? "I" : "N");
    }
    const std::string nyug = Dg("DG_NYUGALKMIN2");
    if ((nyug == "3" || nyug == "7" || nyug == "8") && kod != "53") Jelol(p);
    if (kod == "41" && (!ElsoLap(mab09, m.fej) || Osszeg(mab09, "S564C") == 0)) Jelol(p);
    if (kod == "34" || kod == "35")
        for (bool ok = ElsoLap(mab09, m.fej); ok; ok = KovetkezoLap(mab09, m.fej)) {
            const char* const cellak[] = {"S574C", "S575C", "S576C"};
            bool mind = true;
            long long osszeg = 0;
            for (const char* c : cellak) {
                mind = mind && !mab09.FieldByName(c).IsNull();
                osszeg += Osszeg(mab09, c);
            }
            if (AzonosIdoszak(mab09, p) && mind && osszeg == 0) Jelol(p);
        }
    ++lapSzam;
}

}  // namespace

void Lap08Letrehozas(MABFejMunka& munka) {
    db::Table& mab04 = *DM1->TableMAB04;
    db::Table& mab08 = *DM1->TableMAB08;
    db::Table& mab09 = *DM1->TableMAB09;
    // A taxed employee without an insured period still gets a page.
    if (!ElsoLap(mab08, munka.fej) && ElsoLap(mab04, munka.fej) && Osszeg(mab04, "S312D") > 0 &&
        Osszeg(mab04, "S312D") != Osszeg(mab04, "S307D")) {
        UjLap(mab08, munka.fej, mab04.FieldByName("ADOSZAM").AsString());
        mab08.FieldByName("L08_NEMURESLAP").SetAsString("I");
        mab08.Post();
    }
    // 1908-09 moves on with each page made, and stays on its last.
    int hely = 0;
    const int lapok09 = LapokSzama(mab09, munka.fej);
    int lapok08 = LapokSzama(mab08, munka.fej);
    if (ElsoLap(mab09, munka.fej))
        for (; lapok08 < lapok09; ++lapok08) {
            UjLap(mab08, munka.fej, mab09.FieldByName("ADOSZAM").AsString());
            mab08.Post();
            if (hely + 1 < lapok09 && KovetkezoLap(mab09, munka.fej)) ++hely;
        }
    munka.lap09Hely = hely;
}

void Lap08Szamitas(MABFejMunka& munka) {
    int lapSzam = 0;
    LapokSzamitasa(*DM1->TableMAB08, munka.fej, [&](db::Table& p) { Lap08(p, munka, lapSzam); });
}
