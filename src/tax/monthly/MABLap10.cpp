#include "tax/monthly/MABLap10.h"

#include "core/DataModule1.h"
#include "platform/os/Text.h"

namespace {

std::string Feor() { return os::TrimUpToBlank(DM1->TableDolgozo->FieldByName("DG_FEOR").AsString()); }

}  // namespace

void Lap10Szamitas(MABFejMunka& munka) {
    LapokSzamitasa(*DM1->TableMAB10, munka.fej, [&munka](db::Table& p) {
        AlkalmazasFejKitolt(p, munka.ablak);
        p.FieldByName("EKHOERTHAT").SetAsString("1");
        // A professional athlete's charge is not declared in row 621.
        if (Feor() == "3721") {
            p.FieldByName("EKHOSPORTOLO").SetAsString("X");
            Urit(p, "S621C");
        }
        if (Osszeg(p, "S622C") > 0) p.FieldByName("S622A").SetValue(p.FieldByName("S621A").Value());
        if (Osszeg(p, "S625C") > 0) {
            OsszegBeir(p, "S623C", Osszeg(p, "S624C") + Osszeg(p, "S625C") + Osszeg(p, "S626C"));
            p.FieldByName("S623A").SetValue(p.FieldByName("S621A").Value());
        }
    });
}

void Lap13Szamitas(MABFejMunka& munka) {
    LapokSzamitasa(*DM1->TableMAB13, munka.fej, [&munka](db::Table& p) {
        AlkalmazasFejKitolt(p, munka.ablak);
        const std::string feor = Feor();
        if (!p.FieldByName("S700E").IsNull() && !feor.empty())
            p.FieldByName("S700G").SetAsString(feor[0] == '9' ? "N" : "I");
        const std::string g = p.FieldByName("S700G").AsString();
        if (!g.empty())
            for (int r = 701; r <= 715; ++r)
                if (!p.FieldByName(Cella(r, 'E')).IsNull()) p.FieldByName(Cella(r, 'G')).SetAsString(g);
        long long e = 0, f = 0;
        for (int r = 700; r <= 715; ++r) {
            e += Osszeg(p, Cella(r, 'E'));
            f += Osszeg(p, Cella(r, 'F'));
        }
        OsszegBeir(p, "S716E", e);
        OsszegBeir(p, "S716F", f);
    });
}
