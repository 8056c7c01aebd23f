#include "datasupply/MNYPadatszolg.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>
#include <filesystem>

#include "controls/NumEdits.h"
#include "core/StartValues.h"
#include "core/helpers/KimenetiMappa.h"
#include "core/helpers/SegedUnit.h"
#include "datasupply/AdatszolgFajl.h"
#include "datasupply/List_MNYPadatszOsszQR.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/os/ScopeGuard.h"
#include "platform/os/System.h"
#include "platform/ui/DatasetGrid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/QtString.h"

namespace {

ListDecl MnypDecl() {
    ParamField honap = params::Honap("CurrencyEdit1", "");
    honap.caption = QStringLiteral("Hónap :");
    honap.fromDefault = defaults::LastMonthOr1();
    ParamField kod;
    kod.from = "MaskEdit7";
    kod.caption = QStringLiteral("MNYP (F2) :");
    kod.mask = "9999;1; ";
    kod.code = &lookups::Nyugdijpenztar;
    kod.fromDefault = defaults::First("SF_DGMNYP");
    auto nev = [](const char* from, const char* caption) {
        ParamField f;
        f.kind = ParamKind::Text;
        f.from = from;
        f.caption = QString::fromUtf8(caption);
        f.disabled = true;
        return f;
    };

    ListDecl s;
    s.objectName = "MNYPadatszolgForm";
    s.caption = QStringLiteral("Szerviz/MNYP adatszolgáltatás");
    s.fields = {honap,
                kod,
                params::BevallasJellege(),
                params::BevallasFajtaja(),
                nev("Edit1", "Adatszolgáltatás könyvtára :"),
                nev("Edit4", "Fájlnév kontrol :"),
                nev("Edit5", "Alkönyvtár :"),
                nev("Edit2", "Fájlnév fej :"),
                nev("Edit3", "Fájlnév tétel :")};
    s.tables = {&TDM1::TableNyugP,   &TDM1::TableKifhely,  &TDM1::TableMhely, &TDM1::TableJogcim,
                &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "ComboBox2";
    s.progressBars = 1;
    return s;
}

struct MezoDef {
    const char* name;
    int size;
    const char* label;
};

// clang-format off
const std::vector<MezoDef> kHaviForgMezok = {
    {"HF_TAJSZ", 9, "Tajszám"}, {"HF_NEV", 40, "Név"}, {"HF_AZONTIP", 1, "Azonosító típus"},
    {"HF_MUNKADOSZ", 11, "Munk. adósz/adóazon"}, {"HF_FORGKOD", 2, "Forgalom kód"},
    {"HF_BEVALLIDOSZ", 6, "Bevallási időszak"}, {"HF_JARALAP", 8, "Járulékalap"}, {"HF_TAGDIJ", 7, "Tagdíj"},
    {"HF_MUNKKIEG", 7, "Munkáltatói kieg."}, {"HF_MUNKVALLKIEGSZAZ", 6, "Munkváll. kieg. %"},
    {"HF_MUNKVALLKIEG", 7, "Munkváll. kieg."}, {"HF_OSSZBEVALL", 7, "Össz. bevallás"},
    {"HF_ALKMINKEZD", 8, "Jogv. kezd."}, {"HF_ALKMINVEG", 8, "Jogv. vége"}, {"HF_ALKMINKOD", 2, "Jogv. kód"},
    {"HF_ASZOLGDAT", 8, "Adatsz. dátuma"}, {"HF_PENZTARKOD", 4, "Péztárkód"},
    {"HF_UTLEVELSZ", 20, "Útlevélszám"}, {"HF_ELTEROADAT", 1, "Eltérő adat"}, {"HF_EKHO", 1, "EKHO"},
};
const std::vector<MezoDef> kFoglOsszMezok = {
    {"FO_AZONTIP", 1, "Azon. típ."}, {"FO_FOGLADOSZ", 11, "Fogl. adósz/adóazon"},
    {"FO_PENZFJELZ", 24, "Pénzforgalmi jelzőszám"}, {"FO_FOGLMEGN", 100, "Foglalkoztató megnevezése"},
    {"FO_S05", 17, "Nem értelmezett"}, {"FO_TERMSZEM", 1, "Term. szem."}, {"FO_IRSZ", 5, "IRSZ"},
    {"FO_TELEPULES", 30, "Település"}, {"FO_CIM", 40, "Cím"}, {"FO_KAPCSSZEM", 30, "Kapcsolattartó"},
    {"FO_KAPCSTEL", 20, "Kapcsolattartó tel."}, {"FO_PENZTARNEV", 100, "Pénztár neve"},
    {"FO_PENZTARKOD", 4, "Pénztárkód"}, {"FO_PENZTARPENZFJ", 24, "Pénztár pénzforg. jelzősz."},
    {"FO_TAGSZAM", 5, "Tagok száma"}, {"FO_S16", 10, "Nem értelmezett"}, {"FO_S17", 10, "Nem értelmezett"},
    {"FO_JARALAP", 10, "Járulékalap"}, {"FO_TAGDIJ", 12, "Tagdíj"}, {"FO_MUNKVALLKIEG", 10, "Munkváll. kieg."},
    {"FO_MUNKKIEG", 10, "Munkáltatói kieg."}, {"FO_MUNKKIEGMERT", 6, "Munk. kieg. mért."},
    {"FO_KESPOTL", 10, "Kés. pótl."}, {"FO_BEFIZ", 10, "Befizetendő"},
    {"FO_VISSZATEROSSZ", 10, "Visszatérítési ig. össz."}, {"FO_VISSZAIGOSSZ", 10, "Visszaigénylendő össz."},
    {"FO_BEVALLIDOSZ", 6, "Bevallási idősz."}, {"FO_BEVALLDAT", 8, "Bevallás dátuma"},
    {"FO_BEVALLTIP", 1, "Bevallás típusa"}, {"FO_HFAJLNEV", 12, "3. fájl neve"},
    {"FO_HFAJLREKORDSZ", 5, "3. fájl rekordsz."}, {"FO_S32", 12, "Nem értelmezett"},
    {"FO_S33", 5, "Nem értelmezett"}, {"FO_BEVALLHATIDO", 2, "Bevallás határidő"},
    {"FO_KFAJLNEV", 12, "7. fájl neve"}, {"FO_BEVALLJELL", 1, "Bevallás jellege"},
    {"FO_BEVALLFAJT", 1, "bevallás fajtája"}, {"FO_KULFMUNKNEV", 100, "Külf. munkáltató neve"},
    {"FO_KULFMUNKORSZ", 2, "Külf. munkáltató orsz."}, {"FO_KULFMUNKIRSZ", 10, "Külf. munkáltató IRSZ"},
    {"FO_KULFMUNKTELEP", 30, "Külf. munkáltató települése"}, {"FO_KULFMUNKCIM", 40, "Külf. munkáltató címe"},
    {"FO_BEVALLTELJADOSZ", 11, "Bevallás telj. adósz."},
};
// clang-format on

void Definial(TMemoryData& md, const std::vector<MezoDef>& mezok) {
    std::vector<db::FieldDef> defs;
    for (const MezoDef& m : mezok) defs.push_back({m.name, db::FieldType::String, m.size});
    md.SetFieldDefs(defs);
}

// Columns wide enough for their titles and values, none wider than 240.
void Oszlopok(ui::DatasetGrid& grid, const std::vector<MezoDef>& mezok) {
    const QFontMetrics fm(grid.font());
    std::vector<ui::DatasetGridModel::Column> columns;
    for (const MezoDef& m : mezok) {
        const QString label = QString::fromUtf8(m.label);
        const int width =
            std::max(fm.horizontalAdvance(label) + 16, fm.horizontalAdvance(QString(m.size, u'0')) + 8);
        columns.push_back({m.name, label, std::min(width, 240)});
    }
    grid.SetColumns(columns);
}

// A text cut to its field, as the table's fields keep it.
void Szoveg(db::Dataset& md, const char* field, const std::string& value) {
    db::Field& f = md.FieldByName(field);
    f.SetAsString(Q(value).left(f.Size()).toStdString());
}

// An amount or count: cutting would change it, so it is refused.
void Osszeg(db::Dataset& md, const char* field, long long value) {
    db::Field& f = md.FieldByName(field);
    const std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) > f.Size())
        throw FieldFormatError("A(z) " + text + " érték nem fér el a(z) " + std::to_string(f.Size()) +
                               " karakter széles mezőben.");
    f.SetAsString(text);
}

std::string Ketjegyu(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

std::string Datum8(double day) {
    const os::YMD d = os::DecodeDate(day);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.year, d.month, d.day);
    return buf;
}

// The day of a date when it falls in the month of the year, else `none`.
int NapAHonapban(db::Dataset& ds, const char* field, int ev, int honap, int none) {
    const db::Field& f = ds.FieldByName(field);
    if (f.IsNull() || f.AsDateTime() == 0) return none;
    const os::YMD d = os::DecodeDate(f.AsDateTime());
    return d.year == ev && d.month == honap ? d.day : none;
}

// A private person's tax id has ten characters.
bool Maganszemely(db::Dataset& ceg) {
    return TrimText(ceg.FieldByName("CG_ADOSZAM").AsString()).size() == 10;
}

std::string Mezo(db::Dataset& ds, const char* field) { return ds.FieldByName(field).AsString(); }

std::vector<RecordValue> Ertekek(const RecordLayout& layout, db::Dataset& md) {
    std::vector<RecordValue> values;
    for (const RecordField& f : layout.fields)
        values.push_back({f.name, TrimText(md.FieldByName(f.name).AsString())});
    return values;
}

constexpr auto T = FieldKind::Text;
constexpr auto L = Align::Left;
constexpr auto R = Align::Right;

}  // namespace

// clang-format off
const RecordLayout kMnypTetel = {"MNYP tétel", 163, RecordCodePage::Cp852Hungarian, "", "", "\r\n", {
    {"HF_TAJSZ",            1,   9,  T, ' ', R, "", kCut},
    {"HF_NEV",              10,  40, T, ' ', L, "", kCut},
    {"HF_AZONTIP",          50,  1,  T, ' ', R, "", kCut},
    {"HF_MUNKADOSZ",        51,  11, T, ' ', R, "", kCut},
    {"HF_FORGKOD",          62,  2,  T, ' ', L, "", kCut},
    {"HF_BEVALLIDOSZ",      64,  6,  T, ' ', R},
    {"HF_JARALAP",          70,  8,  T, ' ', R},
    {"HF_TAGDIJ",           78,  7,  T, ' ', R},
    {"HF_MUNKKIEG",         85,  7,  T, ' ', R},
    {"HF_MUNKVALLKIEGSZAZ", 92,  6,  T, '0', R},
    {"HF_MUNKVALLKIEG",     98,  7,  T, ' ', R},
    {"HF_OSSZBEVALL",       105, 7,  T, ' ', R},
    {"HF_ALKMINKEZD",       112, 8,  T, ' ', R},
    {"HF_ALKMINVEG",        120, 8,  T, ' ', R},
    {"HF_ALKMINKOD",        128, 2,  T, ' ', R, "", kCut},
    {"HF_ASZOLGDAT",        130, 8,  T, ' ', R},
    {"HF_PENZTARKOD",       138, 4,  T, ' ', R, "", kCut},
    {"HF_UTLEVELSZ",        142, 20, T, ' ', L, "", kCut},
    {"HF_ELTEROADAT",       162, 1,  T, ' ', L, "", kCut},
    {"HF_EKHO",             163, 1,  T, ' ', L, "", kCut},
}};
const RecordLayout kMnypFej = {"MNYP fej", 778, RecordCodePage::Cp852Hungarian, "", "", "\r\n", {
    {"FO_AZONTIP",         1,   1,   T, ' ', R, "", kCut},
    {"FO_FOGLADOSZ",       2,   11,  T, ' ', R, "", kCut},
    {"FO_PENZFJELZ",       13,  24,  T, ' ', R, "", kCut},
    {"FO_FOGLMEGN",        37,  100, T, ' ', L, "", kCut},
    {"FO_S05",             137, 17,  T, ' ', L, "", kCut},
    {"FO_TERMSZEM",        154, 1,   T, ' ', L, "", kCut},
    {"FO_IRSZ",            155, 5,   T, ' ', R, "", kCut},
    {"FO_TELEPULES",       160, 30,  T, ' ', L, "", kCut},
    {"FO_CIM",             190, 40,  T, ' ', L, "", kCut},
    {"FO_KAPCSSZEM",       230, 30,  T, ' ', L, "", kCut},
    {"FO_KAPCSTEL",        260, 20,  T, ' ', L, "", kCut},
    {"FO_PENZTARNEV",      280, 100, T, ' ', L, "", kCut},
    {"FO_PENZTARKOD",      380, 4,   T, ' ', R, "", kCut},
    {"FO_PENZTARPENZFJ",   384, 24,  T, ' ', R, "", kCut},
    {"FO_TAGSZAM",         408, 5,   T, ' ', R},
    {"FO_S16",             413, 10,  T, ' ', L, "", kCut},
    {"FO_S17",             423, 10,  T, ' ', L, "", kCut},
    {"FO_JARALAP",         433, 10,  T, ' ', R},
    {"FO_TAGDIJ",          443, 12,  T, ' ', R},
    {"FO_MUNKVALLKIEG",    455, 10,  T, ' ', R},
    {"FO_MUNKKIEG",        465, 10,  T, ' ', R},
    {"FO_MUNKKIEGMERT",    475, 6,   T, '0', R},
    {"FO_KESPOTL",         481, 10,  T, ' ', R},
    {"FO_BEFIZ",           491, 10,  T, ' ', R},
    {"FO_VISSZATEROSSZ",   501, 10,  T, ' ', R},
    {"FO_VISSZAIGOSSZ",    511, 10,  T, ' ', R},
    {"FO_BEVALLIDOSZ",     521, 6,   T, ' ', R},
    {"FO_BEVALLDAT",       527, 8,   T, ' ', R},
    {"FO_BEVALLTIP",       535, 1,   T, ' ', L, "", kCut},
    {"FO_HFAJLNEV",        536, 12,  T, ' ', L, "", kCut},
    {"FO_HFAJLREKORDSZ",   548, 5,   T, ' ', R},
    {"FO_S32",             553, 12,  T, ' ', L, "", kCut},
    {"FO_S33",             565, 5,   T, ' ', L, "", kCut},
    {"FO_BEVALLHATIDO",    570, 2,   T, ' ', R, "", kCut},
    {"FO_KFAJLNEV",        572, 12,  T, ' ', L, "", kCut},
    {"FO_BEVALLJELL",      584, 1,   T, ' ', L, "", kCut},
    {"FO_BEVALLFAJT",      585, 1,   T, ' ', L, "", kCut},
    {"FO_KULFMUNKNEV",     586, 100, T, ' ', L, "", kCut},
    {"FO_KULFMUNKORSZ",    686, 2,   T, ' ', L, "", kCut},
    {"FO_KULFMUNKIRSZ",    688, 10,  T, ' ', R, "", kCut},
    {"FO_KULFMUNKTELEP",   698, 30,  T, ' ', L, "", kCut},
    {"FO_KULFMUNKCIM",     728, 40,  T, ' ', L, "", kCut},
    {"FO_BEVALLTELJADOSZ", 768, 11,  T, ' ', R, "", kCut},
}};
const RecordLayout kMnypKontrol = {"MNYP kontrol", 273, RecordCodePage::Cp852Hungarian, "", "", "", {
    {"idoszak",     1,   6,   T},
    {"aszolg",      7,   100, T, ' ', L, "", kCut},
    {"aszolgtel",   107, 20,  T, ' ', L, "", kCut},
    {"penztarnev",  127, 100, T, ' ', L, "", kCut},
    {"penztarkod",  227, 4,   T, ' ', L, "", kCut},
    {"penztarszla", 231, 24,  FieldKind::Digits, ' ', R},
    {"datum",       255, 8,   T},
    {"T",           263, 1,   FieldKind::Constant, ' ', L, "T"},
    {"1",           264, 1,   FieldKind::Constant, ' ', L, "1"},
    {"BF330",       265, 5,   FieldKind::Constant, ' ', L, "BF330"},
    {"cegek",       270, 4,   FieldKind::Whole, ' ', R},
}};
const RecordLayout kMnypKontrolCeg = {"MNYP kontrol cég", 12, RecordCodePage::Cp852Hungarian, "", "", "", {
    {"fejfajl", 1, 12, T, ' ', L, "", kCut},
}};
// clang-format on

std::string MonthAbbrev(int month) {
    static const char* const kNevek[] = {"jan", "feb", "mar", "apr", "maj", "jun",
                                         "jul", "aug", "sze", "okt", "nov", "dec"};
    return month >= 1 && month <= 12 ? kNevek[month - 1] : "";
}

MnypFajlNevek ProposeMnypFileNames(const std::string& base, const std::string& cegKod, const std::string& ev,
                                   int honap, const std::string& penztarKod) {
    MnypFajlNevek n;
    const std::string kod = penztarKod;
    if (cegKod.empty() || TrimText(kod).empty() || ev.size() < 2) return n;
    const std::string y = ev.substr(ev.size() - 1), yy = ev.substr(ev.size() - 2);
    n.alkonyvtar = base + "F00" + cegKod + "/";
    n.fej = n.alkonyvtar + "B00" + cegKod + "F" + y + "." + MonthAbbrev(honap);
    n.tetel = n.alkonyvtar + "B00" + cegKod + "T" + y + "." + MonthAbbrev(honap);
    n.kontrol = base + "BEVA" + yy + Ketjegyu(honap) + "." + kod.substr(1, 3);
    return n;
}

std::string MnypAlapMappa(const std::string& ev, const std::string& penztarKod, int honap) {
    bool ok = false;
    const int kod = Q(penztarKod).trimmed().toInt(&ok);
    if (!ok || kod < 0 || kod > 9999) return {};
    char buf[16];
    std::snprintf(buf, sizeof buf, "MNYP_%04d", kod);
    return os::BaseFolder() + "/ADATSZLG/" + ev + "/" + buf + "/" + Ketjegyu(honap) + "/";
}

std::string MnypSzazalek(double rate) {
    char buf[32];
    // KerekitN first: the printf rounding of a binary fraction is not the program's.
    std::snprintf(buf, sizeof buf, "%.3f", static_cast<double>(KerekitN(3, static_cast<long double>(rate))));
    std::string s = buf;
    if (s.size() < 6) s.insert(0, 6 - s.size(), '0');
    return s;
}

void MnypTablak(TMemoryData& haviForg, TMemoryData& foglOssz) {
    Definial(haviForg, kHaviForgMezok);
    Definial(foglOssz, kFoglOsszMezok);
}

void CollectMnypData(db::Dataset& ceg, const MnypGyujtes& p, db::Dataset& tagok, db::Query& sorok,
                     TMemoryData& haviForg, TMemoryData& foglOssz, const std::function<void()>& lepes) {
    haviForg.Close();
    foglOssz.Close();
    haviForg.Open();
    foglOssz.Open();
    const int ev = std::atoi(p.ev.c_str());
    const std::string idoszak = p.ev + Ketjegyu(p.honap);
    const std::string ma = Datum8(p.ma);
    const bool magan = Maganszemely(ceg);
    long long tagszam = 0, alapOssz = 0, dijOssz = 0, dolgOssz = 0, munkOssz = 0;
    std::string mertek = MnypSzazalek(0);
    for (tagok.First(); !tagok.Eof(); tagok.Next()) {
        ReopenChained(sorok, tagok);
        sorok.First();
        if (sorok.Eof()) continue;
        long double alap = 0, dij = 0, dolg = 0, munk = 0;
        for (; !sorok.Eof(); sorok.Next()) {
            const std::string jc = TrimText(Mezo(sorok, "SF_JCKOD"));
            const long double osszeg = sorok.FieldByName("SF_OSSZEG").AsFloat();
            if (jc == "301") {
                dij += osszeg;
                alap += sorok.FieldByName("SF_JARALAP").AsFloat();
            } else if (jc == "302") {
                dolg += osszeg;
            } else if (jc == "333") {
                munk += osszeg;
            }
        }
        sorok.First();
        const long long a = Kerekit(alap), d = Kerekit(dij), v = Kerekit(dolg), m = Kerekit(munk);
        const db::Field& kieg = sorok.FieldByName("DG_MNYPDOLKIEG");
        const std::string taj = Mezo(sorok, "DG_TAJSZ");
        haviForg.Append();
        Szoveg(haviForg, "HF_TAJSZ", taj);
        Szoveg(haviForg, "HF_NEV", Mezo(sorok, "DG_NEV"));
        Szoveg(haviForg, "HF_AZONTIP", magan ? "8" : "1");
        Szoveg(haviForg, "HF_MUNKADOSZ", Mezo(ceg, "CG_ADOSZAM"));
        Szoveg(haviForg, "HF_FORGKOD", Mezo(sorok, "DG_MNYPFORGKOD"));
        Szoveg(haviForg, "HF_BEVALLIDOSZ", idoszak);
        Osszeg(haviForg, "HF_JARALAP", a);
        Osszeg(haviForg, "HF_TAGDIJ", d);
        Osszeg(haviForg, "HF_MUNKKIEG", m);
        Szoveg(haviForg, "HF_MUNKVALLKIEGSZAZ", MnypSzazalek(kieg.IsNull() ? 0 : kieg.AsFloat()));
        Osszeg(haviForg, "HF_MUNKVALLKIEG", v);
        Osszeg(haviForg, "HF_OSSZBEVALL", d + v + m);
        const int kezd = std::max(NapAHonapban(sorok, "DG_MNYPBEDAT", ev, p.honap, 0),
                                  NapAHonapban(sorok, "DG_BELEPDAT", ev, p.honap, 0));
        if (kezd != 0) Szoveg(haviForg, "HF_ALKMINKEZD", idoszak + Ketjegyu(kezd));
        const int veg = std::min(NapAHonapban(sorok, "DG_ELOZOMNYPKIDAT", ev, p.honap, 99),
                                 NapAHonapban(sorok, "DG_KILEPDAT", ev, p.honap, 99));
        if (veg != 99) Szoveg(haviForg, "HF_ALKMINVEG", idoszak + Ketjegyu(veg));
        Szoveg(haviForg, "HF_ALKMINKOD", Mezo(sorok, "DG_MNYPJOGVKOD"));
        Szoveg(haviForg, "HF_ASZOLGDAT", ma);
        Szoveg(haviForg, "HF_PENZTARKOD", Mezo(sorok, "DG_MNYP"));
        Szoveg(haviForg, "HF_UTLEVELSZ", TrimText(taj).empty() ? Mezo(sorok, "DG_UTLEVELSZ") : "");
        Szoveg(haviForg, "HF_ELTEROADAT", "N");
        Szoveg(haviForg, "HF_EKHO", "N");
        haviForg.Post();
        ++tagszam;
        alapOssz += a;
        dijOssz += d;
        dolgOssz += v;
        munkOssz += m;
        if (!kieg.IsNull()) mertek = MnypSzazalek(kieg.AsFloat());
        if (lepes) lepes();
    }

    foglOssz.Append();
    Szoveg(foglOssz, "FO_AZONTIP", magan ? "8" : "1");
    Szoveg(foglOssz, "FO_FOGLADOSZ", Mezo(ceg, "CG_ADOSZAM"));
    Szoveg(foglOssz, "FO_PENZFJELZ", CsakSzamjegy(Mezo(ceg, "CG_BANKSZLA")));
    Szoveg(foglOssz, "FO_FOGLMEGN", Mezo(ceg, "CG_NEV"));
    Szoveg(foglOssz, "FO_TERMSZEM", magan ? "T" : "F");
    Szoveg(foglOssz, "FO_IRSZ", Mezo(ceg, "CG_IRSZ"));
    Szoveg(foglOssz, "FO_TELEPULES", Mezo(ceg, "CG_VAROS"));
    Szoveg(foglOssz, "FO_CIM",
           CimOsszefuz(ceg, {"CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ", "CG_EPULET", "CG_LEPCSOHAZ",
                             "CG_EMELET", "CG_AJTO"})
               .toStdString());
    Szoveg(foglOssz, "FO_KAPCSSZEM", Mezo(ceg, "CG_UGYINT"));
    Szoveg(foglOssz, "FO_KAPCSTEL", Mezo(ceg, "CG_TEL"));
    Szoveg(foglOssz, "FO_PENZTARNEV", p.penztarNev);
    Szoveg(foglOssz, "FO_PENZTARKOD", p.penztarKod);
    Szoveg(foglOssz, "FO_PENZTARPENZFJ", p.penztarVan ? CsakSzamjegy(p.penztarSzla) : "");
    Osszeg(foglOssz, "FO_TAGSZAM", tagszam);
    Osszeg(foglOssz, "FO_JARALAP", alapOssz);
    Osszeg(foglOssz, "FO_TAGDIJ", dijOssz);
    Osszeg(foglOssz, "FO_MUNKVALLKIEG", dolgOssz);
    Osszeg(foglOssz, "FO_MUNKKIEG", munkOssz);
    Szoveg(foglOssz, "FO_MUNKKIEGMERT", mertek);
    Szoveg(foglOssz, "FO_KESPOTL", "0");
    Osszeg(foglOssz, "FO_BEFIZ", dijOssz + dolgOssz + munkOssz);
    Szoveg(foglOssz, "FO_VISSZATEROSSZ", "0");
    Szoveg(foglOssz, "FO_VISSZAIGOSSZ", "0");
    Szoveg(foglOssz, "FO_BEVALLIDOSZ", idoszak);
    Szoveg(foglOssz, "FO_BEVALLDAT", ma);
    Szoveg(foglOssz, "FO_BEVALLTIP", "T");
    Szoveg(foglOssz, "FO_HFAJLNEV", p.tetelFajl);
    Osszeg(foglOssz, "FO_HFAJLREKORDSZ", tagszam);
    Szoveg(foglOssz, "FO_BEVALLJELL", p.jelleg);
    Szoveg(foglOssz, "FO_BEVALLFAJT", p.fajta);
    Szoveg(foglOssz, "FO_KULFMUNKNEV", Mezo(ceg, "CG_KULFMNEV"));
    Szoveg(foglOssz, "FO_KULFMUNKORSZ", Mezo(ceg, "CG_KULFMORSZAG"));
    Szoveg(foglOssz, "FO_KULFMUNKIRSZ", Mezo(ceg, "CG_KULFMIRSZ"));
    Szoveg(foglOssz, "FO_KULFMUNKTELEP", Mezo(ceg, "CG_KULFMVAROS"));
    Szoveg(foglOssz, "FO_KULFMUNKCIM",
           CimOsszefuz(ceg, {"CG_KULFMKOZTER", "CG_KULFMKOZTERJEL", "CG_KULFMHAZSZ", "CG_KULFMEPULET",
                             "CG_KULFMLEPCSOHAZ", "CG_KULFMEMELET", "CG_KULFMAJTO"})
               .toStdString());
    Szoveg(foglOssz, "FO_BEVALLTELJADOSZ", Mezo(ceg, "CG_ASZOLGADOSZ"));
    foglOssz.Post();
    haviForg.First();
}

std::string MnypTetelSor(db::Dataset& haviForg) {
    return FormatRecord(kMnypTetel, Ertekek(kMnypTetel, haviForg));
}

std::string MnypFejSor(db::Dataset& foglOssz) { return FormatRecord(kMnypFej, Ertekek(kMnypFej, foglOssz)); }

std::string MnypKontrolSor(db::Dataset& ceg, const MnypGyujtes& p,
                           const std::vector<std::string>& fejFajlok) {
    std::string sor = FormatRecord(kMnypKontrol, {{"idoszak", p.ev + Ketjegyu(p.honap)},
                                                  {"aszolg", TrimText(Mezo(ceg, "CG_ASZOLG"))},
                                                  {"aszolgtel", TrimText(Mezo(ceg, "CG_ASZOLGTEL"))},
                                                  {"penztarnev", TrimText(p.penztarNev)},
                                                  {"penztarkod", TrimText(p.penztarKod)},
                                                  {"penztarszla", p.penztarVan ? p.penztarSzla : ""},
                                                  {"datum", Datum8(p.ma)},
                                                  {"cegek", static_cast<double>(fejFajlok.size())}});
    for (const std::string& f : fejFajlok) sor += FormatRecord(kMnypKontrolCeg, {{"fejfajl", f}});
    return sor + "\r\n";
}

TMNYPadatszolgForm::TMNYPadatszolgForm(QWidget* parent) : ListForm(MnypDecl(), parent) {
    BitBtn5 = MappaGomb(*this, [this] {
        valasztottAlap_ = ChooseMnypFolder();
        ProposeMnypFileNames();
        NyomtatasMehet();
    });
    for (const char* e : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"}) Edit(e)->setMinimumWidth(380);
    HonapVagyKodValtozas(*this, "MaskEdit7", [this] {
        ProposeMnypFileNames();
        NyomtatasMehet();
    });

    MnypTablak(mdHaviForg, mdFoglOssz);
    DBGrid1 = new ui::DatasetGrid(this);
    DBGrid1->setObjectName("DBGrid1");
    Oszlopok(*DBGrid1, kFoglOsszMezok);
    DBGrid1->SetEditing(true);
    DBGrid1->SetDataSet(&mdFoglOssz);
    DBGrid1->setMinimumSize(600, 70);
    DBGrid1->setMaximumHeight(90);
    DBGrid2 = new ui::DatasetGrid(this);
    DBGrid2->setObjectName("DBGrid2");
    Oszlopok(*DBGrid2, kHaviForgMezok);
    DBGrid2->SetEditing(true);
    DBGrid2->SetDataSet(&mdHaviForg);
    DBGrid2->setMinimumSize(600, 160);

    Label3 = new QLabel(this);
    Label3->setObjectName("Label3");
    BitBtn4 = new QPushButton(QStringLiteral("Adatszolg."), this);
    BitBtn4->setObjectName("BitBtn4");
    BitBtn4->setAutoDefault(false);
    connect(BitBtn4, &QPushButton::clicked, this, [this] { WriteMnypFiles(); });
    BitBtn3 = new QPushButton(QStringLiteral("Összesítő"), this);
    BitBtn3->setObjectName("BitBtn3");
    BitBtn3->setAutoDefault(false);
    connect(BitBtn3, &QPushButton::clicked, this, [this] { Osszesito(); });
    if (auto* outer = qobject_cast<QVBoxLayout*>(layout())) {
        outer->insertWidget(1, Label3);
        outer->insertWidget(2, DBGrid1);
        outer->insertWidget(3, DBGrid2, 1);
        for (QHBoxLayout* row : findChildren<QHBoxLayout*>())
            if (const int at = row->indexOf(BitBtn2); at >= 0) {
                row->insertWidget(at, BitBtn4);
                row->insertWidget(at + 1, BitBtn3);
            }
    }
}

TMNYPadatszolgForm::~TMNYPadatszolgForm() { Bezar(); }

void TMNYPadatszolgForm::Bezar() {
    mdHaviForg.Close();
    mdFoglOssz.Close();
}

void TMNYPadatszolgForm::showEvent(QShowEvent* event) {
    Label3->clear();
    ListForm::showEvent(event);
    ProposeMnypFileNames();
    NyomtatasMehet();
}

void TMNYPadatszolgForm::done(int result) {
    Bezar();
    ListForm::done(result);
}

QString TMNYPadatszolgForm::CegKod() const { return AdatszolgCegKod(); }

void TMNYPadatszolgForm::ProposeMnypFileNames() {
    const std::string kod = Text("MaskEdit7").toStdString();
    const int honap = Month("CurrencyEdit1");
    const std::string base =
        valasztottAlap_.isEmpty() ? MnypAlapMappa(FeldolgozasiEv, kod, honap) : valasztottAlap_.toStdString();
    const MnypFajlNevek n = ::ProposeMnypFileNames(base, CegKod().toStdString(), FeldolgozasiEv, honap,
                                                   Edit("MaskEdit7")->text().toStdString());
    Edit("Edit1")->setText(Q(base));
    Edit("Edit4")->setText(Q(n.kontrol));
    Edit("Edit5")->setText(Q(n.alkonyvtar));
    Edit("Edit2")->setText(Q(n.fej));
    Edit("Edit3")->setText(Q(n.tetel));
}

QString TMNYPadatszolgForm::ChooseMnypFolder() {
    try {
        bool ok = false;
        const int kod = Text("MaskEdit7").toInt(&ok);
        if (!ok)
            throw std::runtime_error("'" + Text("MaskEdit7").toStdString() + "' nem érvényes pénztárkód.");
        char buf[16];
        std::snprintf(buf, sizeof buf, "MNYP_%04d", kod);
        const std::string mappa =
            KimenetiMappa({"ADATSZLG", FeldolgozasiEv, buf, Ketjegyu(Month("CurrencyEdit1"))});
        const QString valasztott = ui::ExistingFolder(QStringLiteral("Célkönyvtár kiválasztása"), Q(mappa));
        if (valasztott.isEmpty()) return {};
        return valasztott.endsWith('/') ? valasztott : valasztott + '/';
    } catch (const std::exception& e) {
        ui::MessageBox(QStringLiteral("Üzenetkezelő"), QString::fromUtf8(e.what()), ui::Icon::Error, ui::Ok);
        return {};
    }
}

void TMNYPadatszolgForm::AfterExit(const ParamField&, QWidget*) { GyujtesEllenoriz(); }

void TMNYPadatszolgForm::GyujtesEllenoriz() {
    if (mdHaviForg.Active() &&
        (Month("CurrencyEdit1") != gyujtottHonap_ || Text("MaskEdit7") != gyujtottKod_))
        Bezar();
}

bool TMNYPadatszolgForm::Kesz() {
    GyujtesEllenoriz();
    return !CegKod().isEmpty() && mdHaviForg.Active() && mdFoglOssz.Active() && mdFoglOssz.RecordCount() > 0;
}

MnypGyujtes TMNYPadatszolgForm::Gyujtes() const {
    MnypGyujtes p;
    p.ev = FeldolgozasiEv;
    p.honap = Month("CurrencyEdit1");
    p.penztarKod = Edit("MaskEdit7")->text().toStdString();
    db::Table& np = *DM1->TableNyugP;
    p.penztarVan = np.Active() && np.Locate("NP_KOD", Text("MaskEdit7").toStdString());
    if (p.penztarVan) {
        p.penztarNev = np.FieldByName("NP_NEV").AsString();
        p.penztarSzla = np.FieldByName("NP_BANKSZLA").AsString();
    }
    p.jelleg = NameText("ComboBox1").toStdString();
    p.fajta = NameText("ComboBox2").toStdString();
    p.tetelFajl = std::filesystem::path(Text("Edit3").toStdString()).filename().string();
    p.ma = os::Today();
    return p;
}

void TMNYPadatszolgForm::BitBtn1Click() {
    const auto gyujt = [this] {
        const int honap = Month("CurrencyEdit1");
        const QString kod = Text("MaskEdit7");
        ListSql tagSql;
        tagSql.Line("Select Distinct SF_DGTORZSSZAM as pDOLGOZO From " + ListSql::Table(*DM1->TableSzamfejt));
        tagSql.Equal("SF_HONAP", honap);
        tagSql.Equal("SF_DGMNYP", kod);
        tagSql.Line("Order By SF_DGTORZSSZAM");
        db::Query tagok;
        tagok.DatabaseName = DM1->TableSzamfejt->DatabaseName;
        tagSql.Apply(tagok);
        tagok.Open();
        ListSql sorSql;
        sorSql.Line("Select * From " + ListSql::Table(*DM1->TableSzamfejt));
        sorSql.Line("Join " + ListSql::Table(*DM1->TableDolgozo));
        sorSql.Line("On SF_DGTORZSSZAM=DG_TORZSSZAM");
        sorSql.Condition("SF_DGTORZSSZAM = :pDOLGOZO");
        sorSql.Bind("pDOLGOZO", std::string(), db::FieldType::String);
        sorSql.Equal("SF_HONAP", honap);
        sorSql.Equal("SF_DGMNYP", kod);
        sorSql.Line("Order By SF_JCKOD");
        db::Query sorok;
        sorok.DatabaseName = DM1->TableSzamfejt->DatabaseName;
        sorSql.Apply(sorok);

        Label3->setText(QStringLiteral("Tétel"));
        ProgressBar1->setMaximum(std::max(1, tagok.RecordCount()));
        ProgressBar1->setValue(0);
        CollectMnypData(*DM1->TableCegek, Gyujtes(), tagok, sorok, mdHaviForg, mdFoglOssz,
                        [this] { ProgressBar1->setValue(ProgressBar1->value() + 1); });
        gyujtottHonap_ = honap;
        gyujtottKod_ = kod;
    };
    // A part of the month is not the month: nothing to write or print.
    const auto elvet = [this] { Bezar(); };
    if (Lekerdezes(*this, Label3, gyujt, elvet)) BitBtn4->setFocus();
}

void TMNYPadatszolgForm::WriteMnypFiles() {
    if (!Kesz()) {
        MuveletNemLehet();
        return;
    }
    const std::string cegKod = CegKod().toStdString();
    const std::string alap = Text("Edit1").toStdString(), alkonyvtar = Text("Edit5").toStdString();
    const std::string fej = Text("Edit2").toStdString(), tetel = Text("Edit3").toStdString();
    const std::string kontrol = Text("Edit4").toStdString();
    const MnypGyujtes p = Gyujtes();
    bool tetelKesz = false, fejKesz = false, kontrolKesz = false;
    {
        ui::Hourglass hourglass;
        for (TMemoryData* md : {&mdHaviForg, &mdFoglOssz}) {
            if (md->State() != db::DatasetState::Browse) md->Cancel();
            md->First();
        }
        // The proposed folder is the program's own; a chosen one must exist.
        // (A failure shows in the stages: their folder cannot be made.)
        if (valasztottAlap_.isEmpty()) os::ForceDirectories(alap);
        auto szakasz = [this](const QString& fazis, const std::string& fajl, bool alkonyvtarKell,
                              const std::string& alk, const std::function<std::string()> tartalom) {
            Label3->setText(fazis);
            const bool kesz = AdatszolgFajlIr(QStringLiteral("Üzenet"), fajl, [&] {
                if (alkonyvtarKell && !std::filesystem::is_directory(alk)) {
                    std::error_code ec;
                    if (!std::filesystem::create_directory(alk, ec) || ec)
                        throw std::runtime_error(alk + " mappa nem hozható létre.");
                }
                return tartalom();
            });
            ProgressBar1->setValue(0);
            return kesz;
        };
        tetelKesz = szakasz(QStringLiteral("Tétel"), tetel, true, alkonyvtar, [this] {
            ProgressBar1->setMaximum(std::max(1, mdHaviForg.RecordCount()));
            std::string out;
            for (mdHaviForg.First(); !mdHaviForg.Eof(); mdHaviForg.Next()) {
                out += MnypTetelSor(mdHaviForg);
                ProgressBar1->setValue(ProgressBar1->value() + 1);
            }
            mdHaviForg.First();
            return out;
        });
        fejKesz = szakasz(QStringLiteral("Fej"), fej, true, alkonyvtar, [this] {
            ProgressBar1->setMaximum(std::max(1, mdFoglOssz.RecordCount()));
            mdFoglOssz.First();
            std::string out = MnypFejSor(mdFoglOssz);
            ProgressBar1->setValue(1);
            return out;
        });
        kontrolKesz = szakasz(QStringLiteral("Kontrol"), kontrol, false, {}, [&] {
            ProgressBar1->setMaximum(100);
            ProgressBar1->setValue(20);
            // Every company whose two files of the month are in this folder,
            // in register order; this one only when both were written now.
            std::vector<std::string> fejek;
            db::Table& cegek = *DM1->TableCegek;
            for (cegek.First(); !cegek.Eof(); cegek.Next()) {
                const std::string kod = TrimText(cegek.FieldByName("CG_KOD").AsString());
                const MnypFajlNevek n = ::ProposeMnypFileNames(alap, kod, p.ev, p.honap, p.penztarKod);
                const bool van = kod == cegKod ? tetelKesz && fejKesz
                                               : std::filesystem::is_regular_file(n.fej) &&
                                                     std::filesystem::is_regular_file(n.tetel);
                if (van) fejek.push_back(std::filesystem::path(n.fej).filename().string());
            }
            cegek.Locate("CG_KOD", cegKod);
            std::string out = MnypKontrolSor(cegek, p, fejek);
            ProgressBar1->setValue(100);
            return out;
        });
        Label3->clear();
    }
    if (tetelKesz && fejKesz && kontrolKesz)
        ui::ShowMessage(QStringLiteral("Az adatszolgáltatás fájlok elkészültek."));
}

void TMNYPadatszolgForm::Osszesito() {
    if (!Kesz()) {
        MuveletNemLehet();
        return;
    }
    for (TMemoryData* md : {&mdHaviForg, &mdFoglOssz})
        if (md->State() != db::DatasetState::Browse) md->Post();
    std::unique_ptr<TList_MNYPadatszOsszQRForm> lista;
    {
        ui::Hourglass hourglass;
        lista = std::make_unique<TList_MNYPadatszOsszQRForm>(*this);
    }
    lista->QuickRep1.Preview();
}
