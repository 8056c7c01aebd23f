#include "tax/monthly/MABLap04.h"

#include <algorithm>
#include <cstdlib>

#include "core/DataModule1.h"
#include "core/helpers/SegedUnit.h"
#include "core/helpers/TaxRate.h"

namespace {

// The value of a cell on the header's first page of another sheet, or none.
bool ElsoLapErtek(db::Table& lap, const MABKulcs& fej, const char* cella, long long& ertek) {
    if (!ElsoLap(lap, fej)) return false;
    ertek = Osszeg(lap, cella);
    return true;
}

void Lap(db::Table& p, MABFejMunka& m) {
    db::Table& dg = *DM1->TableDolgozo;
    long long v = 0;
    if (ElsoLapErtek(*DM1->TableMAB07, m.fej, "S396A", v)) OsszegBeir(p, "S300D", Osszeg(p, "S300D") - v);
    if (ElsoLapErtek(*DM1->TableMAB09, m.fej, "S575C", v)) OsszegBeir(p, "S300D", Osszeg(p, "S300D") + v);

    for (int r : {301, 302, 305, 306, 307, 310, 311}) {
        const long long b = Osszeg(p, Cella(r, 'B'));
        if (b != 0 && p.FieldByName(Cella(r, 'D')).IsNull()) OsszegBeir(p, Cella(r, 'D'), 0);
        if (b == 0) Urit(p, Cella(r, 'D'));
        if (b > 0) OsszegBeir(p, Cella(r, 'C'), b - Osszeg(p, Cella(r, 'D')));
    }
    // clang-format off
    const struct { int row; const char* code; } kKodok[] = {{301, "2"}, {302, "1"}, {305, "2"}};
    // clang-format on
    for (const auto& k : kKodok)
        if (Osszeg(p, Cella(k.row, 'B')) > 0) p.FieldByName(Cella(k.row, 'A')).SetAsString(k.code);
    if (const long long b306 = Osszeg(p, "S306B"); b306 > 0) {
        // |B × 0.1 − C| >= 100, exactly: |B − 10 C| >= 1000.
        const long long diff = std::llabs(b306 - 10 * Osszeg(p, "S306C"));
        p.FieldByName("S306A").SetAsString(diff >= 1000 ? "2" : "1");
    }

    long long s312 = 0;
    for (int r : {300, 301, 302, 303, 304, 305, 306, 308, 309, 310, 311}) s312 += Osszeg(p, Cella(r, 'D'));
    OsszegBeir(p, "S312D", s312);

    const double elsoHazas = dg.FieldByName("DG_ELSOHAZASOSSZ").AsFloat();
    OsszegBeir(p, "S313A", Kerekit(elsoHazas));
    OsszegBeir(p, "S313D", std::min(Osszeg(p, "S313D"), s312));
    if (Osszeg(p, "S313D") > 0) p.FieldByName("S337A").SetAsString(elsoHazas >= 33335 ? "1" : "2");

    const long long csalkedv = Kerekit(dg.FieldByName("DG_CSALKEDV").AsFloat());
    if (csalkedv > 0) {
        const long long s313d = Osszeg(p, "S313D");
        OsszegBeir(p, "S314A", csalkedv);
        OsszegBeir(p, "S314D", std::min(Osszeg(p, "S314D"), s312 - s313d));
        if (dg.FieldByName("DG_FOGYKEDV").AsString() == "I") {
            // The monthly disability allowance is an amount of tax: its base
            // is the amount divided by the payroll's tax rate.
            const long long k = RoundQuotient(ErtekkeszletSzam("31"), kIncomeTaxRate);
            OsszegBeir(p, "S314D", (s312 - s313d) - std::min(k, Osszeg(p, "S314D")));
        }
        OsszegBeir(p, "S314D", std::min(Osszeg(p, "S314A"), Osszeg(p, "S314D")));
    }
    if (Osszeg(p, "S314D") > 0) {
        db::Table& mab05 = *DM1->TableMAB05;
        if (ElsoLap(mab05, m.fej))
            mab05.Edit();
        else
            UjLap(mab05, m.fej, dg.FieldByName("DG_ADOAZ").AsString());
        mab05.FieldByName("S345A").SetAsString("1");
        mab05.Post();
    }

    const long long s315 = std::max(0LL, s312 - Osszeg(p, "S313D") - Osszeg(p, "S314D"));
    OsszegBeir(p, "S315D", s315);
    if (s312 == 0 && s315 == 0) Urit(p, "S315D");
    OsszegBeir(p, "S316D",
               Osszeg(p, "S300D") + Osszeg(p, "S301D") + Osszeg(p, "S302D") + Osszeg(p, "S303D") +
                   Osszeg(p, "S310A") + Osszeg(p, "S311A"));
    OsszegBeir(p, "S330B", std::max(0LL, RoundProduct(double(s315), kIncomeTaxRate) + Osszeg(p, "S330B")));
    if (s312 <= 0 && Osszeg(p, "S330B") == 0) Urit(p, "S330B");
    OsszegBeir(p, "S331B", std::max(0LL, Osszeg(p, "S331B")));
    if (s312 <= 0 && Osszeg(p, "S331B") == 0) Urit(p, "S331B");
    if (dg.FieldByName("DG_FOGYKEDV").AsString() == "I") p.FieldByName("S333A").SetAsString("X");
}

}  // namespace

void Lap04Szamitas(MABFejMunka& munka) {
    LapokSzamitasa(*DM1->TableMAB04, munka.fej, [&munka](db::Table& p) { Lap(p, munka); });
}
