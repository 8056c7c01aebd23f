#include "tax/monthly/MABLap06.h"

#include <algorithm>

#include "core/DataModule1.h"
#include "core/helpers/SegedUnit.h"
#include "core/helpers/TaxRate.h"

namespace {

long long Tizenot(long long x) { return RoundProduct(double(x), kIncomeTaxRate); }

long long Sum(db::Dataset& p, std::initializer_list<int> rows, char column) {
    long long s = 0;
    for (int r : rows) s += Osszeg(p, Cella(r, column));
    return s;
}

// The 1908-04 tax advance after a withheld tax was taken off: floored at 0,
// and empty where there is no base and nothing is left.
void AdoelolegRendez(db::Dataset& p04) {
    const bool nincsAlap = Osszeg(p04, "S312D") <= 0;
    for (const char* c : {"S330B", "S331B"}) {
        OsszegBeir(p04, c, std::max(0LL, Osszeg(p04, c)));
        if (nincsAlap && Osszeg(p04, c) == 0) Urit(p04, c);
    }
}

}  // namespace

void Lap06Szamitas(MABFejMunka& munka) {
    LapokSzamitasa(*DM1->TableMAB06, munka.fej, [&munka](db::Table& p) {
        for (int r = 363; r <= 368; ++r) OsszegBeir(p, Cella(r, 'D'), Tizenot(Osszeg(p, Cella(r, 'B'))));
        for (int r = 363; r <= 368; ++r) OsszegBeir(p, Cella(r, 'E'), Tizenot(Osszeg(p, Cella(r, 'B'))));
        OsszegBeir(p, "S369B", Sum(p, {360, 361, 362, 363, 364, 365, 366, 367, 368}, 'B'));
        OsszegBeir(p, "S369C", Sum(p, {363, 367, 368}, 'C'));
        OsszegBeir(p, "S369D", Sum(p, {363, 364, 365, 366, 367, 368}, 'D'));
        OsszegBeir(p, "S369E", Sum(p, {363, 364, 365, 366, 367, 368}, 'E'));
        const long long levont = Osszeg(p, "S369E");
        ElsoLapModosit(*DM1->TableMAB04, munka.fej, [levont](db::Table& p04) {
            OsszegBeir(p04, "S331B", Osszeg(p04, "S331B") - levont);
            OsszegBeir(p04, "S330B", std::max(Osszeg(p04, "S330B"), Osszeg(p04, "S331B")));
            OsszegBeir(p04, "S332B", Osszeg(p04, "S330B") - Osszeg(p04, "S331B"));
            AdoelolegRendez(p04);
        });
        if (DM1->TableDolgozo->FieldByName("DG_ALKMINADATSZ").AsString() == "46")
            p.FieldByName("S386A").SetValue(p.FieldByName("S386C").Value());
    });
}

void Lap07Szamitas(MABFejMunka& munka) {
    LapokSzamitasa(*DM1->TableMAB07, munka.fej, [&munka](db::Table& p) {
        OsszegBeir(p, "S398A", Tizenot(Osszeg(p, "S397A")));
        if (Osszeg(p, "S399A") > 0) p.FieldByName("S400A").SetAsString("1");
        const long long ado = Osszeg(p, "S398A");
        ElsoLapModosit(*DM1->TableMAB04, munka.fej, [ado](db::Table& p04) {
            OsszegBeir(p04, "S331B", Osszeg(p04, "S331B") - ado);
            OsszegBeir(p04, "S330B", Osszeg(p04, "S330B") - ado);
            AdoelolegRendez(p04);
        });
    });
}
