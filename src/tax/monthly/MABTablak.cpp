#include "tax/monthly/MABTablak.h"

#include <map>
#include <tuple>

#include "core/DataModule1.h"

const std::vector<std::string>& MABJellegek() {
    static const std::vector<std::string> jellegek = {"E",  "O",  "O1", "O2", "O3", "O4", "O5",
                                                      "O6", "O7", "O8", "O9", "H",  "H1", "H2",
                                                      "H3", "H4", "H5", "H6", "H7", "H8", "H9"};
    return jellegek;
}

std::vector<db::Table*> MABTorlesiSorrend() {
    return {DM1->TableMAB04, DM1->TableMAB05, DM1->TableMAB06,  DM1->TableMAB07,
            DM1->TableMAB08, DM1->TableMAB09, DM1->TableMAB09a, DM1->TableMAB10,
            DM1->TableMAB11, DM1->TableMAB12, DM1->TableMAB13};
}

std::vector<db::Table*> MABLapTablak() {
    return {DM1->TableMAB04, DM1->TableMAB06,  DM1->TableMAB07, DM1->TableMAB08,
            DM1->TableMAB09, DM1->TableMAB10,  DM1->TableMAB11, DM1->TableMAB12,
            DM1->TableMAB13, DM1->TableMAB09a, DM1->TableMAB05};
}

bool MegorzottLapKod(const std::string& kod) {
    for (const char* k : {"30", "34", "35", "37", "39", "53"})
        if (kod == k) return true;
    return false;
}

MezoFajta MezoFajtaja(const db::Field& field) {
    switch (field.DataType()) {
        case db::FieldType::String:
        case db::FieldType::FixedChar:
        case db::FieldType::WideString:
            return MezoFajta::Szoveg;
        case db::FieldType::SmallInt:
        case db::FieldType::Integer:
        case db::FieldType::Word:
        case db::FieldType::LargeInt:
            return MezoFajta::Egesz;
        case db::FieldType::Float:
        case db::FieldType::Currency:
        case db::FieldType::BCD:
            return MezoFajta::Valos;
        case db::FieldType::Date:
        case db::FieldType::DateTime:
            return MezoFajta::Datum;
        default:
            return MezoFajta::Egyeb;
    }
}

std::string MezoTipusHiba(const db::Field& field) {
    return "Nem található a mező típusa: " + field.FieldName();
}

std::vector<db::Variant> MABKulcs::Ertekek() const {
    // An empty period date (an editor's header) is null in the table, not day 0.
    const auto datum = [](double d) { return d == 0 ? db::Variant() : db::Variant(d); };
    return {db::Variant(torzsszam), db::Variant(honap), db::Variant(jelleg), datum(tol), datum(ig)};
}

MABKulcs KulcsOlvas(db::Dataset& table) {
    return {table.FieldByName("TORZSSZAM").AsString(), int(table.FieldByName("HONAP").AsInteger()),
            table.FieldByName("JELLEG").AsString(), table.FieldByName("TOL").AsDateTime(),
            table.FieldByName("IG").AsDateTime()};
}

bool FejLapja(db::Table& lap, const MABKulcs& fej) {
    return lap.FieldByName("TORZSSZAM").AsString() == fej.torzsszam &&
           lap.FieldByName("HONAP").AsInteger() == fej.honap &&
           lap.FieldByName("JELLEG").AsString() == fej.jelleg &&
           lap.FieldByName("TOL").AsDateTime() == fej.tol && lap.FieldByName("IG").AsDateTime() == fej.ig;
}

namespace {

using Kulcs = std::tuple<const db::Table*, std::string, int, std::string, double, double>;

struct ElsoLapok {
    bool on = false;
    std::map<Kulcs, db::Bookmark> first;
};

ElsoLapok& Tar() {
    static ElsoLapok t;
    return t;
}

Kulcs TarKulcs(const db::Table& lap, const MABKulcs& fej) {
    return {&lap, fej.torzsszam, fej.honap, fej.jelleg, fej.tol, fej.ig};
}

}  // namespace

ElsoLapTar::ElsoLapTar() {
    Tar().first.clear();
    Tar().on = true;
}

ElsoLapTar::~ElsoLapTar() {
    Tar().on = false;
    Tar().first.clear();
}

bool ElsoLap(db::Table& lap, const MABKulcs& fej) {
    ElsoLapok& tar = Tar();
    Kulcs kulcs;
    if (tar.on) {
        kulcs = TarKulcs(lap, fej);
        const auto it = tar.first.find(kulcs);
        if (it != tar.first.end()) {
            if (lap.GetBookmark() != it->second) lap.GotoBookmark(it->second);
            return true;
        }
    }
    // Locate stays on the current record when it matches, else it finds the
    // header's first page: only from a page of the header is the way back to
    // its first one stepped.
    const bool rajtaAll = !lap.IsEmpty() && FejLapja(lap, fej);
    if (!lap.Locate(kMABKulcs, fej.Ertekek())) return false;
    while (rajtaAll) {
        lap.Prior();
        if (!FejLapja(lap, fej)) {
            lap.Next();
            break;
        }
        if (lap.Bof()) break;
    }
    if (tar.on) tar.first[kulcs] = lap.GetBookmark();
    return true;
}

bool KovetkezoLap(db::Table& lap, const MABKulcs& fej) {
    lap.Next();
    return !lap.Eof() && FejLapja(lap, fej);
}

int LapokSzama(db::Table& lap, const MABKulcs& fej) {
    int n = 0;
    for (bool ok = ElsoLap(lap, fej); ok; ok = KovetkezoLap(lap, fej)) ++n;
    return n;
}

void UjLap(db::Table& lap, const MABKulcs& fej, const std::string& adoszam) {
    lap.Append();
    lap.FieldByName("TORZSSZAM").SetAsString(fej.torzsszam);
    lap.FieldByName("HONAP").SetAsInteger(fej.honap);
    lap.FieldByName("JELLEG").SetAsString(fej.jelleg);
    lap.FieldByName("TOL").SetAsDateTime(fej.tol);
    lap.FieldByName("IG").SetAsDateTime(fej.ig);
    lap.FieldByName("ADOSZAM").SetAsString(adoszam);
}
