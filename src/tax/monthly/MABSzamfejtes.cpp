#include "tax/monthly/MABSzamfejtes.h"

#include <string>
#include <vector>

#include "core/DataModule1.h"
#include "platform/os/Text.h"
#include "tax/monthly/MABLapok.h"
#include "tax/monthly/MABTablak.h"

namespace {

constexpr bool kElsoLap = false;
constexpr bool kUresLap = true;

// A cell that receives a payroll field whenever a pay item is placed in
// another cell of its sheet.
struct Tarscella {
    const char* cella;
    const char* forras;
};
struct Elhelyezes {
    const char* cella;
    std::vector<Tarscella> tarsak;
    bool kod136 = false;  // the companions go where the code-136 flag says
};

// clang-format off
const Elhelyezes kElhelyezesek[] = {
    {"S301B", {{"S301D", "SF_ADOALAP"}}},
    {"S302B", {{"S302D", "SF_ADOALAP"}}},
    {"S305B", {{"S305D", "SF_ADOALAP"}}},
    {"S306B", {{"S306D", "SF_ADOALAP"}}},
    {"S307B", {{"S307D", "SF_ADOALAP"}, {"S306B", "SF_OSSZEG"}, {"S306D", "SF_ADOALAP"}}},
    {"S310B", {{"S310D", "SF_ADOALAP"}}},
    {"S311B", {{"S311D", "SF_ADOALAP"}}},
    {"S386D", {{"S386C", "SF_OSSZEG"}, {"S385C", "SF_JARALAP"}, {"S385A", "SF_JARALAP"}}},
    {"S386C", {{"S385C", "SF_JARALAP"}}},
    {"S363B", {{"S363C", "SF_ADOALAP"}}},
    {"S367B", {{"S367C", "SF_ADOALAP"}}},
    {"S368B", {{"S368C", "SF_ADOALAP"}}},
    {"S567C", {{"S564C", "SF_JARALAP"}}, true},
    {"S571C", {{"S568C", "SF_JARALAP"}}, true},
    {"S573C", {{"S572C", "SF_JARALAP"}}, true},
    {"S557C", {{"S556C", "SF_JARALAP"}}, true},
    {"S639C", {{"S639A", "SF_JARALAP"}}},
    {"S640C", {{"S640A", "SF_JARALAP"}}},
    {"S641C", {{"S641A", "SF_JARALAP"}}},
    {"S662C", {{"S662A", "SF_JARALAP"}}},
    {"S663C", {{"S663A", "SF_JARALAP"}}},
    {"S416C", {{"S415C", "SF_JARALAP"}}},
    {"S418C", {{"S417C", "SF_JARALAP"}}},
};
// clang-format on

std::string Dg(const char* field) { return DM1->TableDolgozo->FieldByName(field).AsString(); }

class Sor {
public:
    Sor(db::Dataset& sor, MABDolgozoAllapot& allapot) : sor_(sor), st_(allapot) {}

    std::string Text(const char* field) const { return sor_.FieldByName(field).AsString(); }
    db::Variant Value(const char* field) const { return sor_.FieldByName(field).Value(); }
    bool Empty(const char* field) const { return sor_.FieldByName(field).IsNull(); }

    // Adds a payroll field to a cell, rounded to whole forints.
    void Add(db::Table& lap, const std::string& cella, const char* field, bool lapJelzo,
             const char* muvelet = "+") const {
        const db::Field& f = sor_.FieldByName(field);
        MezoFeltolt(cella, lap, f.Value(), f.DataType(), muvelet, 1, lapJelzo);
    }
    // Puts a value into a cell as it is.
    static void Put(db::Table& lap, const std::string& cella, const db::Variant& v, bool lapJelzo) {
        MezoFeltolt(cella, lap, v, db::FieldType::String, "", 0, lapJelzo);
    }

    // The first row of `elso`..`utolso` whose `oszlop` cell is empty on the
    // header's first page (`utolso` when all before it are taken).
    static int SzabadSor(db::Table& lap, int elso, int utolso, char oszlop) {
        const MABKulcs fej = KulcsOlvas(*DM1->TableMAB00);
        if (!ElsoLap(lap, fej)) return elso;
        int r = elso;
        while (r < utolso) {
            const db::Field* f = lap.FindField("S" + std::to_string(r) + oszlop);
            if (!f || f->IsNull()) break;
            ++r;
        }
        return r;
    }

    void Specialis() const;
    void Elhelyezes() const;

private:
    db::Dataset& sor_;
    MABDolgozoAllapot& st_;
};

void Sor::Specialis() const {
    const std::string kod = Text("JC_KOD");
    const std::string gyed = Dg("DG_GYEDGYESMELLETTI");
    db::Table& mab08 = *DM1->TableMAB08;
    db::Table& mab09 = *DM1->TableMAB09;
    db::Table& mab13 = *DM1->TableMAB13;

    // Day without contribution; a child-care benefit beside work is not one.
    const std::string jarulkod = Text("JC_JARULKOD");
    if ((jarulkod > "00" && kod != "205" && kod != "210") || (kod == "205" && gyed != "1" && gyed != "3") ||
        (kod == "210" && gyed != "2" && gyed != "3")) {
        const std::string r = std::to_string(SzabadSor(mab08, 526, 538, 'B'));
        Put(mab08, "S" + r + "A", db::Variant(jarulkod), kUresLap);
        if (!Empty("SF_TOL")) Put(mab08, "S" + r + "B", Value("SF_TOL"), kUresLap);
        if (!Empty("SF_IG")) Put(mab08, "S" + r + "C", Value("SF_IG"), kUresLap);
    }
    // Child-care benefit beside work.
    const auto gyedMellett = [&](const char* b, const char* c) {
        if (!Empty("SF_TOL")) Put(mab08, b, Value("SF_TOL"), kUresLap);
        if (!Empty("SF_IG")) Put(mab08, c, Value("SF_IG"), kUresLap);
    };
    if ((gyed == "1" || gyed == "3") && kod == "205") gyedMellett("S544B", "S544C");
    if ((gyed == "2" || gyed == "3") && kod == "210") gyedMellett("S545B", "S545C");
    // Insured period: each row of item 136 on a page of its own.
    if (kod == "136") {
        st_.kod136 = true;
        if (!Empty("SF_TOL")) {
            Put(mab08, "L08_BIZTOL", Value("SF_TOL"), kUresLap);
            Put(mab09, "L09_BIZTOL", Value("SF_TOL"), kUresLap);
        }
        if (!Empty("SF_IG")) {
            Put(mab08, "L08_BIZIG", Value("SF_IG"), kUresLap);
            Put(mab09, "L09_BIZIG", Value("SF_IG"), kUresLap);
        }
    }
    // Pension contribution base.
    if (Text("JC_NYJKOT") == "I" && Dg("DG_NYUGJAR") == "I") Add(mab09, "S574C", "SF_JARALAP", st_.kod136);
    // Kept page.
    if (MegorzottLapKod(Dg("DG_ALKMINADATSZ")) && sor_.FieldByName("SF_OSSZEG").AsFloat() == 0)
        Put(mab09, "L09_NEMURESLAP", db::Variant("I"), kElsoLap);
    // Social contribution tax allowance.
    if (kod == "327" || kod == "328") {
        const double szazalek = sor_.FieldByName("SF_SZHAKEDVSZAZ").AsFloat();
        const char* oszlop = kod == "327" ? "A" : "C";
        if (szazalek == 100) Add(*DM1->TableMAB12, std::string("S674") + oszlop, "SF_OSSZEG", kElsoLap);
        if (szazalek == 50) Add(*DM1->TableMAB12, std::string("S675") + oszlop, "SF_OSSZEG", kElsoLap);
    }
    // Fringe-benefit tax and social contribution tax items.
    // clang-format off
    const struct { const char* kod; const char* mezo; } kTermeszetbeni[] = {
        {"334A", "L09_TERMJUTADOKEDV"}, {"334B", "L09_TERMJUTADONKEDV"},
        {"341A", "L09_SZHATERMKEDV"},   {"341B", "L09_SZHATERMNKEDV"},
    };
    // clang-format on
    for (const auto& t : kTermeszetbeni)
        if (kod == t.kod) Add(mab09, t.mezo, "SF_OSSZEG", kElsoLap);
    // Vocational training contribution.
    if (kod == "351") {
        Add(*DM1->TableMAB04, "L04_SZAKKEPZESIALAP", "SF_JARALAP", kElsoLap);
        Add(*DM1->TableMAB04, "L04_SZAKKEPZESI", "SF_OSSZEG", kElsoLap);
    }
    // Casual employment and its public charge.
    if (kod == "281A" && !Empty("SF_TOL") && !Empty("SF_IG")) {
        const std::string r = std::to_string(SzabadSor(mab13, 700, 715, 'B'));
        Put(mab13, "S" + r + "A", db::Variant(Dg("DG_FOGLJELL")), kUresLap);
        Put(mab13, "S" + r + "B", Value("SF_TOL"), kUresLap);
        Put(mab13, "S" + r + "C", Value("SF_IG"), kUresLap);
        const long long napok = static_cast<long long>(sor_.FieldByName("SF_IG").AsDateTime()) -
                                static_cast<long long>(sor_.FieldByName("SF_TOL").AsDateTime()) + 1;
        MezoFeltolt("S" + r + "D", mab13, db::Variant(napok), db::FieldType::Integer, "", 1, kUresLap);
        Add(mab13, "S" + r + "E", "SF_OSSZEG", kUresLap);
    }
    if (kod == "281B" && !Empty("SF_OSSZEG")) {
        const std::string r = std::to_string(SzabadSor(mab13, 700, 715, 'F'));
        Add(mab13, "S" + r + "F", "SF_OSSZEG", kUresLap);
    }
    if (kod == "315") Add(*DM1->TableMAB04, "S330B", "SF_OSSZEG", kElsoLap, "-");
}

void Sor::Elhelyezes() const {
    const std::string sorSzam = os::TrimUpToBlank(Text("JC_HAVIBEVSOR"));
    const std::string oszlop = os::TrimUpToBlank(Text("JC_HAVIBEVOSZL"));
    if (sorSzam.empty() || oszlop.empty()) return;
    const std::string cella = os::UpperAscii("S" + sorSzam + oszlop);
    for (db::Table* lap : MABLapTablak()) {
        if (!lap->FindField(cella)) continue;
        for (const ::Elhelyezes& e : kElhelyezesek) {
            if (cella != e.cella) continue;
            for (const Tarscella& t : e.tarsak)
                Add(*lap, t.cella, t.forras, e.kod136 ? st_.kod136 : kElsoLap);
        }
        const bool biztositas = lap == DM1->TableMAB08 || lap == DM1->TableMAB09;
        Add(*lap, cella, "SF_OSSZEG", biztositas ? st_.kod136 : kElsoLap);
    }
}

}  // namespace

void SzamfejtesiSorFeltoltes(db::Dataset& sor, MABDolgozoAllapot& allapot) {
    const Sor s(sor, allapot);
    s.Specialis();
    s.Elhelyezes();
}
