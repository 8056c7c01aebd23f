#include "tax/monthly/MABadatsz.h"

#include <QLineEdit>
#include <QProgressBar>
#include <set>

#include "core/DataModule1.h"
#include "core/helpers/FormXml.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Table.h"
#include "platform/os/Text.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/QtString.h"
#include "tax/monthly/MABOSZosszesites.h"
#include "tax/monthly/MABTablak.h"

namespace {

// The cells the form shows also when they hold 0.
const std::set<std::string>& Kotelezok() {
    static const std::set<std::string> s = {
        "S301D", "S302D", "S305D", "S306D", "S310D", "S311D", "S301C", "S302C", "S305C", "S306C", "S310C",
        "S311C", "S315D", "S330B", "S331B", "S562C", "S567C", "S570C", "S571C", "S574C", "S576C", "S577C",
        "S578C", "S579C", "S605C", "S642C", "S645A", "S645C", "S664A", "S677C", "S680A", "S680C", "S694C",
        "S696A", "S696C",
        // the summary's
        "S30C", "S32C", "S33C", "S43C", "S74D", "S109D", "S123D", "S124D", "S125D", "S135D", "S139D", "S153D",
        "S154D", "S155D", "S156D", "S157D", "S173C"};
    return s;
}

bool EgyszerusitettDatum(const std::string& mezo) {
    if (mezo.size() != 5 || mezo[0] != 'S' || (mezo[4] != 'B' && mezo[4] != 'C')) return false;
    const int sor = std::atoi(mezo.substr(1, 3).c_str());
    return sor >= 700 && sor <= 715;
}

// "YYYYMMDD", or "" for the empty date (never the zero date "18991230").
std::string Datum(double d) { return d == 0 ? std::string() : FixDatum(8, d); }

std::string Szoveg(db::Dataset& t, const char* mezo) { return t.FieldByName(mezo).AsString(); }
std::string Trim(const std::string& s) { return os::TrimWhitespace(s); }

struct Munkaltato {
    std::string nev, adoszam, adoaz;
};

struct Dolgozo {
    std::string adoaz, adoszam, titulus, nev, utonev;
};

void Azonositas(FormXmlWriter& xml, const char* azonosito, const char* verzio, const Munkaltato& m,
                const Dolgozo* d, double tol, double ig) {
    xml.Tag("nyomtatvany");
    xml.Tag("nyomtatvanyinformacio");
    xml.Element("nyomtatvanyazonosito", azonosito);
    if (verzio) xml.Element("nyomtatvanyverzio", verzio);
    xml.Tag("adozo");
    xml.Element("nev", m.nev);
    xml.Element("adoszam", m.adoszam);
    xml.Element("adoazonosito", m.adoaz);
    xml.Tag("/adozo");
    if (d) {
        xml.Tag("munkavallalo");
        xml.Element("nev", Trim(d->titulus + " " + d->nev + " " + d->utonev));
        xml.Element("adoazonosito", d->adoaz);
        xml.Tag("/munkavallalo");
    }
    xml.Tag("idoszak");
    xml.Element("tol", Datum(tol));
    xml.Element("ig", Datum(ig));
    xml.Tag("/idoszak");
    xml.Tag("/nyomtatvanyinformacio");
    xml.Tag("mezok");
}

void Zaras(FormXmlWriter& xml) {
    xml.Tag("/mezok");
    xml.Tag("/nyomtatvany");
}

void OszFejMezok(FormXmlWriter& xml, db::Table& osz) {
    // clang-format off
    const char* const kMezok[][2] = {
        {"0A0001C001A", "VONALKOD"},        {"0A0001C002A", "CEGADOSZAM"},
        {"0A0001C003A", "CEGJOGELADOSZ"},   {"0A0001C004A", "CEGADOAZ"},
        {"0A0001C005A", "CEGAZONSZAM"},     {"0A0001C006A", "CEGKULFOLDIALLAM"},
        {"0A0001C007A", "CEGCSALGAZDNYILVSZAM"},
        {"0A0001C008A", "MAGTITULUS"},      {"0A0001C009A", "MAGNEV"},
        {"0A0001C010A", "MAGUTONEV"},       {"0A0001C011A", "MAGELOZOTITULUS"},
        {"0A0001C012A", "MAGELOZONEV"},     {"0A0001C013A", "MAGELOZOUTONEV"},
        {"0A0001C014A", "CEGNEV"},          {"0A0001C015A", "CEGKULFOLDI"},
        {"0A0001C016A", "CEGORSZAG"},       {"0A0001C017A", "CEGIRSZ"},
        {"0A0001C018A", "CEGVAROS"},        {"0A0001C019A", "CEGKOZTER"},
        {"0A0001C020A", "CEGKOZTERJEL"},    {"0A0001C021A", "CEGHAZSZ"},
        {"0A0001C022A", "CEGEPULET"},       {"0A0001C023A", "CEGLEPCSOHAZ"},
        {"0A0001C024A", "CEGEMELET"},       {"0A0001C025A", "CEGAJTO"},
        {"0A0001C026A", "CEGLEVKULFOLDI"},  {"0A0001C027A", "CEGLEVORSZAG"},
        {"0A0001C028A", "CEGLEVIRSZ"},      {"0A0001C029A", "CEGLEVVAROS"},
        {"0A0001C030A", "CEGLEVKOZTER"},    {"0A0001C031A", "CEGLEVKOZTERJEL"},
        {"0A0001C032A", "CEGLEVHAZSZ"},     {"0A0001C033A", "CEGLEVEPULET"},
        {"0A0001C034A", "CEGLEVLEPCSOHAZ"}, {"0A0001C035A", "CEGLEVEMELET"},
        {"0A0001C036A", "CEGLEVAJTO"},      {"0A0001C037A", "CEGUGYINT"},
    };
    // clang-format on
    for (const auto& [eazon, mezo] : kMezok) xml.Cell(eazon, Szoveg(osz, mezo));
    xml.Cell("0A0001C038A", CsakSzam(Szoveg(osz, "CEGUGYINTTEL")));
    xml.Cell("0A0001C039A", Datum(osz.FieldByName("TOL").AsDateTime()));
    xml.Cell("0A0001C040A", Datum(osz.FieldByName("IG").AsDateTime()));
    const std::string jelleg = Trim(Szoveg(osz, "JELLEG"));
    if (!jelleg.empty() && jelleg != "E") xml.Cell("0A0001C041A", jelleg.substr(0, 1));
    xml.Cell("0A0001C042A", Szoveg(osz, "TIPUS"));
    xml.Cell("0A0001C043A", Szoveg(osz, "FAJTA"));
    xml.Cell("0A0001C044A", Szoveg(osz, "BEVSZAM"));
    if (osz.FieldByName("NYUGBEVSZAM").AsInteger() > 0) xml.Cell("0A0001C045A", Szoveg(osz, "NYUGBEVSZAM"));
    const char* const kJelek[][2] = {{"0A0001C046A", "KIVA"},  {"0A0001C047A", "HIVATAL"},
                                     {"0A0001C048A", "MAK"},   {"0A0001C049A", "TBJ56"},
                                     {"0A0001C050A", "AJBEV"}, {"0A0001C051A", "EFOBEV"}};
    for (const auto& [eazon, mezo] : kJelek) xml.Cell(eazon, Szoveg(osz, mezo));
}

// The fixed cells each 1908A sheet row begins with.
void OszLapFejek(FormXmlWriter& xml, db::Table& lap, const std::string& lapKod, const Munkaltato& m) {
    int tetel = 1;
    const auto fej = [&](const std::string& ertek) {
        xml.Cell(lapKod + "0001B" + FixEgesz(tetel++, 3) + "A", ertek);
    };
    if (&lap == DM1->TableMABOSZ01c) fej("1");
    fej(m.adoszam);
    fej(m.adoaz);
    if (&lap == DM1->TableMABOSZ01b) {
        const char* const kMezok[][2] = {{"0C0001C001A", "BEVALLASOKA"},
                                         {"0C0001C002A", "KISVALLALKOZAS"},
                                         {"0C0001C003A", "FELTETELKOD"},
                                         {"0C0001C004A", "JOGUTODLAS"}};
        for (const auto& [eazon, mezo] : kMezok) MezoIr(xml, lap.FieldByName(mezo), eazon);
    }
}

void FejMezok(FormXmlWriter& xml, db::Table& fej, const Munkaltato& m) {
    xml.Cell("0A0001C001A", m.adoszam);
    xml.Cell("0A0001C002A", m.adoaz);
    // clang-format off
    const char* const kMezok[][2] = {
        {"0A0001C003A", "CEGNEV"},           {"0A0001C004A", "CEGTITULUS"},
        {"0A0001C005A", "CEGCSALADINEV"},    {"0A0001C006A", "CEGUTONEV"},
        {"0A0001C007A", "DOLGADOAZ"},        {"0A0001C008A", "DOLGNEM"},
        {"0A0001C009A", "DOLGALLAMP"},       {"0A0001C010A", "DOLGADOSZAM"},
        {"0A0001C011A", "DOLGTULKOZADOSZAM"},{"0A0001C012A", "DOLGKULFOLDI"},
        {"0A0001C013A", "DOLGOSTERMIGSZAM"}, {"0A0001C014A", "DOLGKULFOLDIALLAM"},
        {"0A0001C015A", "DOLGCSALGAZDNYILVSZAM"},
    };
    const char* const kNevek[][2] = {
        {"0A0001C016A", "DOLGTITULUS"},      {"0A0001C017A", "DOLGNEV"},
        {"0A0001C018A", "DOLGUTONEV"},
    };
    const char* const kTovabbiak[][2] = {
        {"0A0001C019A", "DOLGELOZOTITULUS"}, {"0A0001C020A", "DOLGELOZONEV"},
        {"0A0001C021A", "DOLGELOZOUTONEV"},  {"0A0001C022A", "DOLGSZULNEV"},
        {"0A0001C023A", "DOLGSZULUTONEV"},   {"0A0001C024A", "DOLGANYJASZULNEV"},
        {"0A0001C025A", "DOLGANYJASZULUTONEV"}, {"0A0001C026A", "DOLGSZULHELY"},
    };
    // clang-format on
    for (const auto& [eazon, mezo] : kMezok) xml.Cell(eazon, Szoveg(fej, mezo));
    for (const auto& [eazon, mezo] : kNevek) xml.Cell(eazon, Trim(Szoveg(fej, mezo)));
    for (const auto& [eazon, mezo] : kTovabbiak) xml.Cell(eazon, Szoveg(fej, mezo));
    xml.Cell("0A0001C027A", Datum(fej.FieldByName("DOLGSZULDAT").AsDateTime()));
    xml.Cell("0A0001D001A", Szoveg(fej, "DOLGTBAZON"));
    xml.Cell("0A0001D002A", Szoveg(fej, "DOLGKULFTBNELKUL"));
    xml.Cell("0A0001E001A", Datum(fej.FieldByName("TOL").AsDateTime()));
    xml.Cell("0A0001E002A", Datum(fej.FieldByName("IG").AsDateTime()));
    xml.Cell("0A0001E003A", Szoveg(fej, "HELYESBITES"));
    xml.Cell("0A0001E004A", Szoveg(fej, "BEVKOT"));
    xml.Cell("0A0001E005A", Szoveg(fej, "TBJ56"));
    xml.Cell("0A0001F001A", Szoveg(fej, "TVADOSZAM"));
    xml.Cell("0A0001F002A", Szoveg(fej, "TVNEV"));
}

struct LapTabla {
    db::Table* TDM1::*tabla;
    const char* komponens;
    bool sorszammal;                    // the page heads begin with the page number
    std::vector<const char*> lapMezok;  // after the page's period and employment header
    bool alkalmazas = true;             // BIZTOL, BIZIG and ALKMIN1 to ALKMIN4
};

// The sheets of a 1908M form in their order.
const std::vector<LapTabla>& LapTablak() {
    // clang-format off
    static const std::vector<LapTabla> t = {
        {&TDM1::TableMAB04,  "TableMAB04",  false, {}, false},
        {&TDM1::TableMAB06,  "TableMAB06",  false, {}, false},
        {&TDM1::TableMAB07,  "TableMAB07",  false, {}, false},
        {&TDM1::TableMAB08,  "TableMAB08",  true,  {"NEMBIZTOSITOTT"}},
        {&TDM1::TableMAB09,  "TableMAB09",  true,  {"CSALJARKEDV"}},
        {&TDM1::TableMAB10,  "TableMAB10",  true,  {"EKHOERTHAT", "EKHOVALTELJ", "EKHOSPORTOLO"}},
        {&TDM1::TableMAB11,  "TableMAB11",  true,  {"KARTYATIPUS", "ERTMEGORZADOKEDV"}},
        {&TDM1::TableMAB12,  "TableMAB12",  true,  {"ADOKEDVJOGC"}},
        {&TDM1::TableMAB13,  "TableMAB13",  true,  {"MASHOLBIZT"}},
        {&TDM1::TableMAB09a, "TableMAB09a", true,  {"TBKIFHELY", "CSALJARKEDV"}},
        {&TDM1::TableMAB05,  "TableMAB05",  true,  {}, false},
    };
    // clang-format on
    return t;
}

void LapIras(FormXmlWriter& xml, const LapTabla& lt, const MABKulcs& fej, const Munkaltato& m,
             const Dolgozo& d) {
    db::Table& lap = *(DM1->*lt.tabla);
    std::vector<db::Bookmark> lapok;
    for (bool ok = ElsoLap(lap, fej); ok; ok = KovetkezoLap(lap, fej)) lapok.push_back(lap.GetBookmark());
    if (lapok.empty()) return;
    const std::string kod = TablaLapKod(lt.komponens);
    const int n = int(lapok.size());
    const auto azon = [&](int lapSzam, char csoport, int tetel) {
        return kod + FixEgesz(lapSzam, 4) + csoport + FixEgesz(tetel, 3) + "A";
    };
    std::vector<std::function<std::string(int)>> fejek;
    if (lt.sorszammal) fejek.push_back([](int i) { return std::to_string(i); });
    for (const std::string* v : {&m.adoszam, &m.adoaz, &d.adoaz, &d.adoszam, &d.titulus, &d.nev, &d.utonev})
        fejek.push_back([v](int) { return *v; });
    for (size_t t = 0; t < fejek.size(); ++t)
        for (int i = 1; i <= n; ++i) xml.Cell(azon(i, 'B', int(t) + 1), fejek[t](i));

    const bool k13 = lt.tabla == &TDM1::TableMAB13;
    for (int i = 1; i <= n; ++i) {
        lap.GotoBookmark(lapok[size_t(i - 1)]);
        int tetel = 1;
        if (lt.alkalmazas && !k13) {
            // An empty period date writes nothing rather than the zero date.
            xml.Cell(azon(i, 'C', tetel++), Datum(lap.FieldByName("BIZTOL").AsDateTime()));
            xml.Cell(azon(i, 'C', tetel++), Datum(lap.FieldByName("BIZIG").AsDateTime()));
        }
        if (lt.alkalmazas)
            for (const char* f : {"ALKMIN1", "ALKMIN2", "ALKMIN3", "ALKMIN4"})
                xml.Cell(azon(i, 'C', tetel++), Szoveg(lap, f));
        for (const char* f : lt.lapMezok) xml.Cell(azon(i, 'C', tetel++), Szoveg(lap, f));
    }
    LapMezoiIr(xml, lap, lapok, MABCsalad::M);
}

}  // namespace

std::string MABadatszFajlNev(const std::string& cegKod, const std::string& honap, const std::string& jelleg) {
    return cegKod + "_" + FixKitolt(honap, 2, "0", 1) + "_" + jelleg + ".xml";
}

void LapMezoiIr(FormXmlWriter& xml, db::Table& lap, const std::vector<db::Bookmark>& lapok,
                MABCsalad csalad) {
    for (int f = 0; f < lap.FieldCount(); ++f) {
        const std::string mezo = lap.Fields(f).FieldName();
        if (mezo.empty() || mezo[0] != 'S') continue;
        const bool datum = EgyszerusitettDatum(mezo);
        const bool kotelezo = Kotelezok().count(mezo) > 0;
        const bool kulon = !KulonEazon(mezo).empty();
        for (size_t i = 0; i < lapok.size(); ++i) {
            lap.GotoBookmark(lapok[i]);
            const db::Field& field = lap.Fields(f);
            const int copy = int(i) + 1;
            if (datum) {
                MezoIr(xml, field, "", copy, 4, csalad);
            } else if (kotelezo) {
                if (field.IsNull()) continue;
                if (const auto eazon = CellaEazon(mezo, csalad, copy, kulon))
                    xml.Cell(*eazon, std::to_string(field.AsInteger()), true);
            } else if (kulon) {
                if (field.IsNull()) continue;
                if (const auto eazon = CellaEazon(mezo, csalad, copy, true)) MezoIr(xml, field, *eazon);
            } else {
                MezoIr(xml, field, "", copy, 0, csalad);
            }
        }
    }
}

MABadatszEredmeny AdatszolgaltatasIras(const MABadatszKellekek& k) {
    db::Table& osz = *DM1->TableMABOSZ;
    const std::vector<db::Variant> kulcs = {db::Variant(k.honap), db::Variant(k.jelleg)};
    if (!osz.Locate("HONAP;JELLEG", kulcs)) return MABadatszEredmeny::NincsOsszesites;

    db::Table& mab00 = *DM1->TableMAB00;
    const auto honapFeje = [&] {
        return mab00.FieldByName("HONAP").AsInteger() == k.honap &&
               mab00.FieldByName("JELLEG").AsString() == k.jelleg;
    };
    std::vector<db::Bookmark> fejek;
    for (mab00.First(); !mab00.Eof(); mab00.Next())
        if (honapFeje()) fejek.push_back(mab00.GetBookmark());

    Munkaltato m{Trim(Szoveg(osz, "CEGNEV")), Szoveg(osz, "CEGADOSZAM"), Szoveg(osz, "CEGADOAZ")};
    if (m.nev.empty() && !fejek.empty()) {
        mab00.GotoBookmark(fejek.front());
        m.nev = Trim(Szoveg(mab00, "CEGCSALADINEV") + " " + Szoveg(mab00, "CEGUTONEV"));
    }

    FormXmlWriter xml(k.fajl);
    xml.Begin();
    Azonositas(xml, "1908A", "2.0", m, nullptr, osz.FieldByName("TOL").AsDateTime(),
               osz.FieldByName("IG").AsDateTime());
    OszFejMezok(xml, osz);
    const std::pair<db::Table*, const char*> oszLapok[] = {
        {DM1->TableMABOSZ01, "0B"}, {DM1->TableMABOSZ01b, "0C"}, {DM1->TableMABOSZ01c, "0D"},
        {DM1->TableMABOSZ02, "0E"}, {DM1->TableMABOSZ02b, "0F"}, {DM1->TableMABOSZ02c, "0G"}};
    for (const auto& [lap, kod] : oszLapok) {
        std::vector<db::Bookmark> sorok;
        for (lap->First(); !lap->Eof(); lap->Next())
            if (lap->FieldByName("HONAP").AsInteger() == k.honap &&
                lap->FieldByName("JELLEG").AsString() == k.jelleg)
                sorok.push_back(lap->GetBookmark());
        for (const db::Bookmark& sor : sorok) {
            lap->GotoBookmark(sor);
            OszLapFejek(xml, *lap, kod, m);
            LapMezoiIr(xml, *lap, {sor}, MABCsalad::A);
        }
    }
    Zaras(xml);

    if (k.halad) k.halad(0, int(fejek.size()));
    int kesz = 0;
    for (const db::Bookmark& b : fejek) {
        mab00.GotoBookmark(b);
        const MABKulcs fej = KulcsOlvas(mab00);
        const Dolgozo d{Szoveg(mab00, "DOLGADOAZ"), Szoveg(mab00, "DOLGADOSZAM"),
                        Trim(Szoveg(mab00, "DOLGTITULUS")), Trim(Szoveg(mab00, "DOLGNEV")),
                        Trim(Szoveg(mab00, "DOLGUTONEV"))};
        Azonositas(xml, "1908M", nullptr, m, &d, fej.tol, fej.ig);
        FejMezok(xml, mab00, m);
        for (const LapTabla& lt : LapTablak()) LapIras(xml, lt, fej, m, d);
        Zaras(xml);
        if (k.halad) k.halad(++kesz, -1);
    }
    xml.Finish();
    return MABadatszEredmeny::Kesz;
}

TMABadatszForm::TMABadatszForm(QWidget* parent)
    : TMABKeretForm({"MABadatszForm", QStringLiteral("Havi adó/Havi adóbevallás adatszolgáltatás"),
                     QStringLiteral("Adatszolg."), true},
                    parent) {
    MABOSZTablakNyitasa();
}

TMABadatszForm::~TMABadatszForm() {
    if (DM1) MABOSZTablakZarasa();
}

std::string TMABadatszForm::FajlNev(const std::string& cegKod) {
    return MABadatszFajlNev(cegKod, Szoveg(MaskEdit1), Jelleg());
}

void TMABadatszForm::Inditas() {
    MABadatszKellekek k;
    k.honap = std::stoi(Szoveg(MaskEdit1));
    k.jelleg = Jelleg();
    k.fajl = S(Edit4->text());
    k.halad = [this](int pos, int max) {
        if (max >= 0) ProgressBar1->setMaximum(std::max(max, 1));
        ProgressBar1->setValue(std::min(pos, ProgressBar1->maximum()));
    };
    FajlIras(k.fajl, [&] {
        if (AdatszolgaltatasIras(k) == MABadatszEredmeny::Kesz) return true;
        ui::MessageBox(QStringLiteral("Üzenet"), QStringLiteral("Nem létezik ilyen összesítés!"),
                       ui::Icon::Warning, ui::Ok);
        return false;
    });
}
