#include "lists/occasional/List_NYENYIQR.h"

#include <algorithm>

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/Nyomtatas.h"
#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "lists/occasional/Igazolasok.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/DayNumber.h"

namespace {

using report::Align;

// The pay item's field of a payroll row.
QString Jogcim(db::Dataset& sor, const char* field) {
    return LookupText(*DM1->TableJogcim, "JC_KOD", MezoSzoveg(sor, "SF_JCKOD").toStdString(), field)
        .trimmed();
}

// Days without contribution-bearing pay: a contribution code above "00".
bool Jarulekmentes(db::Dataset& sor) { return Jogcim(sor, "JC_JARULKOD") > QStringLiteral("00"); }

QString HonapNap(double datum) {
    return QString::fromStdString(SzamNullaKitolt(DatumResz(1, datum), 2) + "/" +
                                  SzamNullaKitolt(DatumResz(2, datum), 2));
}

}  // namespace

long long SzolgalatiNapok(long long napok, long long mentes, double alap, double minimalber, int evNapjai) {
    const long long d = napok - mentes;
    long long p = 0;
    if (d > 0 && alap > 0) {
        const long double m = static_cast<long double>(minimalber) * 12 / evNapjai;
        p = Kerekit(alap / (m * d) * napok + 0.5L);
    }
    return std::max(0LL, std::min(d, p));
}

TList_NYENYIQRForm::TList_NYENYIQRForm() : QuickRep1(QStringLiteral("List_NYENYIQRForm")) {
    QuickRep1.NeedData = [] { return !DM1->Query1->Eof(); };
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_NYENYIQRForm")); };

    auto& header = QuickRep1.AddPageHeader(10);
    header
        .Label(0, 0, 150,
               QStringLiteral("Nyugdíj- és Egészségbiztosítási Egyéni Nyilvántartó Lap ") +
                   QString::fromStdString(FeldolgozasiEv) + QStringLiteral(". évre"))
        .Bold();
    header.SysData(150, 0, 40, report::SysKind::PageNumber, Align::Right, QStringLiteral("Lapszám : "));
    header.HLine(0, 7, 190);

    auto& band = QuickRep1.AddDetail(200);
    band.ForceNewPage = true;
    band.BeforePrint = [this](bool&) { QRBand3BeforePrint(); };
    double y = 0;
    auto sor = [&](double x, double szeles, const QString& cim, std::function<QString()> ertek) {
        band.Label(x, y, szeles, cim);
        band.Computed(x + szeles, y, 190 - x - szeles, std::move(ertek));
        y += 5.5;
    };
    band.Label(0, y, 100, QStringLiteral("Biztosított adatai :")).Bold();
    y += 6;
    sor(5, 55, QStringLiteral("A biztosított születési dátuma :"), [this] { return Adat.szulDatum; });
    sor(5, 55, QStringLiteral("TAJ :"), [this] { return Adat.taj; });
    sor(5, 55, QStringLiteral("Neve :"), [this] { return Adat.nev; });
    sor(5, 55, QStringLiteral("Születési neve :"), [this] { return Adat.szuletesiNev; });
    sor(5, 55, QStringLiteral("Anyja neve :"), [this] { return Adat.anyjaNev; });
    sor(5, 55, QStringLiteral("Születési helye :"), [this] { return Adat.szulHely; });
    sor(5, 55, QStringLiteral("Neme :"), [this] { return Adat.neme; });
    sor(5, 55, QStringLiteral("Alkalmazás min. :"), [this] { return Adat.jogviszony; });
    sor(5, 55, QStringLiteral("Lakcíme :"), [this] { return Adat.lakcim; });
    y += 3;
    band.Label(0, y, 100, QStringLiteral("Munkáltató adatai :")).Bold();
    y += 6;
    sor(5, 55, QStringLiteral("TB törzsszáma :"), [] { return CegMezo("CG_TBTORZSSZAM"); });
    sor(5, 55, QStringLiteral("Neve :"), [] { return CegMezo("CG_NEV"); });
    sor(5, 55, QStringLiteral("Címe :"), [] { return CegCime(); });
    sor(5, 55, QStringLiteral("Telephelye :"), [] { return CegCime(); });
    sor(5, 55, QStringLiteral("TB kifizetőhely :"), [] { return QStringLiteral("N"); });
    sor(5, 55, QStringLiteral("Adószám :"), [] { return CegMezo("CG_ADOSZAM"); });
    sor(5, 55, QStringLiteral("Adóazonosító :"), [] { return QString(); });
    y += 3;
    // The fund: four columns of captions over their values.
    const struct {
        const char* cim;
        QString Adatok::*mezo;
        double x, szeles;
    } penztar[] = {{"08. Magánnyugdíjpénztár neve", &Adatok::penztarNev, 0, 90},
                   {"Azonosítója", &Adatok::penztarKod, 92, 30},
                   {"Tagság kezdete", &Adatok::tagsagKezdete, 124, 32},
                   {"Tagság vége", &Adatok::tagsagVege, 158, 32}};
    for (const auto& p : penztar) {
        band.Label(p.x, y, p.szeles, QString::fromUtf8(p.cim)).Bold();
        // The fund's full name may be 60 characters long.
        band.Computed(p.x, y + 5, p.szeles, [this, m = p.mezo] { return Adat.*m; }).Shrink();
    }
    y += 13;
    // Section 9: a row of headed cells.
    const struct {
        QStringList cim;
        std::function<QString()> ertek;
        double x, szeles;
    } kilenc[] = {
        {{"9. Bitosításban", "töltött idő", "-tól"}, [this] { return Adat.tol; }, 0, 24},
        {{"", "", "-ig"}, [this] { return Adat.ig; }, 24, 14},
        {{"9.5. A szolgál.", "idő naptári", "napjai"},
         [this] { return QString::number(Adat.szolgalatiNapok); },
         40,
         24},
        {{"9.6. Jövedelem"}, [this] { return SzamSzoveg(Adat.alap - Adat.jutalom); }, 66, 24},
        {{"9.7. Jutalom,", "év végi r."}, [this] { return SzamSzoveg(Adat.jutalom); }, 92, 20},
        {{"9.8. levont"}, [this] { return SzamSzoveg(Adat.levont); }, 114, 18},
        {{"9.9. befizetett"}, [this] { return SzamSzoveg(Adat.levont); }, 134, 20},
        {{"9.10. alapja"}, [] { return QString(); }, 156, 16},
        {{"9.11. befiz."}, [] { return QString(); }, 174, 16},
    };
    for (const auto& k : kilenc) {
        for (int i = 0; i < k.cim.size(); ++i) band.Label(k.x, y + 4.5 * i, k.szeles, k.cim[i]).Size(8);
        band.Computed(k.x, y + 15, k.szeles, k.ertek, Align::Right);
    }
    y += 22;
    band.Label(0, y, 190, QStringLiteral("10. Biztosítás szüneteltetése (munkabérrel ellátatlanság)")).Bold();
    y += 6;
    const struct {
        const char* cim;
        QString Tavollet::*mezo;
        double x, szeles;
    } tavol[] = {{"jogcím", &Tavollet::jogcim, 0, 14},
                 {"", &Tavollet::nev, 16, 80},
                 {"járulék kód", &Tavollet::jarulekKod, 98, 22},
                 {"-tól", &Tavollet::tol, 122, 24},
                 {"-ig", &Tavollet::ig, 148, 24}};
    for (const auto& t : tavol) band.Label(t.x, y, t.szeles, QString::fromUtf8(t.cim)).Size(8);
    band.Height = y + 6;

    auto& tavolSor = QuickRep1.AddSubDetail(5, [this] { return QRSubDetail1NeedData(); });
    for (const auto& t : tavol) tavolSor.Computed(t.x, 0, t.szeles, [this, m = t.mezo] { return Tavol.*m; });

    auto& zaro = QuickRep1.AddSubDetail(70, [this] { return !std::exchange(ZaroResz, true); });
    zaro.AfterPrint = [] { DM1->Query1->Next(); };
    y = 4;
    zaro.Label(0, y, 40, QStringLiteral("11. Munkaidő")).Bold();
    zaro.Label(40, y, 25, QStringLiteral("Heti óra"));
    zaro.Label(66, y, 25, QStringLiteral("Teljes rész"));
    zaro.Label(122, y, 24, QStringLiteral("-tól"));
    zaro.Label(148, y, 24, QStringLiteral("-ig"));
    y += 5;
    zaro.Computed(40, y, 25, [this] { return Adat.hetiOra; });
    zaro.Computed(122, y, 24, [this] { return Adat.tol; });
    zaro.Computed(148, y, 24, [this] { return Adat.ig; });
    y += 8;
    zaro.Label(0, y, 60, QStringLiteral("12. Munkakör, foglalkozás:")).Bold();
    zaro.Label(60, y, 14, QStringLiteral("FEOR"));
    zaro.Label(76, y, 44, QStringLiteral("megnevezés"));
    zaro.Label(122, y, 24, QStringLiteral("-tól"));
    zaro.Label(148, y, 24, QStringLiteral("-ig"));
    y += 5;
    zaro.Computed(60, y, 14, [this] { return Adat.feor; });
    zaro.Computed(76, y, 44, [this] { return Adat.munkakor; });
    zaro.Computed(122, y, 24, [this] { return Adat.tol; });
    zaro.Computed(148, y, 24, [this] { return Adat.ig; });
    y += 8;
    zaro.Label(0, y, 60, QStringLiteral("14. Megjegyzés :")).Bold();
    y += 10;
    zaro.Label(0, y, 190,
               QStringLiteral("Kijelentjük, hogy a fenti adatokat a valóságnak megfelelően közöltük."));
    y += 10;
    zaro.Label(0, y, 90, QStringLiteral("Kelt : ..................................."));
    zaro.Label(120, y, 70, QStringLiteral("..................................."), Align::Center);
    zaro.Label(120, y + 5, 70, QStringLiteral("cégszerű aláírás"), Align::Center);
    zaro.Height = y + 12;
}

void TList_NYENYIQRForm::QuickRep1BeforePrint() {
    DM1->Query1->First();
    LocateCompany();
}

void TList_NYENYIQRForm::QRBand3BeforePrint() {
    Adat = {};
    db::Table& d = *DM1->TableDolgozo;
    d.Locate("DG_TORZSSZAM", DM1->Query1->FieldByName("SF_DGTORZSSZAM").AsString());
    auto dg = [&d](const char* field) { return MezoSzoveg(d, field); };
    Adat.szulDatum = dg("DG_SZULDAT");
    Adat.taj = dg("DG_TAJSZ");
    Adat.nev = dg("DG_NEV");
    Adat.szuletesiNev = dg("DG_LEANYKNEV");
    Adat.anyjaNev = dg("DG_ANYJANEV");
    Adat.szulHely = dg("DG_SZULHELY");
    const QString nem = dg("DG_NEM").left(1);
    Adat.neme = nem == "1" ? QStringLiteral("F") : nem == "2" ? QStringLiteral("N") : QString();
    Adat.jogviszony = dg("DG_NYENYIJOGVKOD");
    Adat.lakcim = DolgozoCime();

    const int ev = std::stoi(FeldolgozasiEv);
    auto penztar = [](const QString& kod) {
        return LookupText(*DM1->TableNyugP, "NP_KOD", kod.toStdString(), "NP_NEV");
    };
    if (!dg("DG_ELOZOMNYP").isEmpty() &&
        DatumResz(0, d.FieldByName("DG_ELOZOMNYPKIDAT").AsDateTime()) == ev) {
        Adat.penztarKod = dg("DG_ELOZOMNYP");
        Adat.penztarNev = penztar(Adat.penztarKod);
        Adat.tagsagKezdete = dg("DG_ELOZOMNYPBEDAT");
        Adat.tagsagVege = dg("DG_ELOZOMNYPKIDAT");
    }
    if (!dg("DG_MNYP").isEmpty()) {
        Adat.penztarKod = dg("DG_MNYP");
        Adat.penztarNev = penztar(Adat.penztarKod);
        Adat.tagsagKezdete = dg("DG_MNYPBEDAT");
        Adat.tagsagVege.clear();
    }

    const double belepes = d.FieldByName("DG_BELEPDAT").AsDateTime();
    const double kilepes = d.FieldByName("DG_KILEPDAT").AsDateTime();
    if (belepes != 0) Adat.tol = DatumResz(0, belepes) == ev ? HonapNap(belepes) : QStringLiteral("01/01");
    Adat.ig = kilepes == 0 || DatumResz(0, kilepes) != ev ? QStringLiteral("12/31") : HonapNap(kilepes);

    long long mentes = 0;
    db::Table& sorok = *DM1->TableSzamfejt;
    for (sorok.First(); !sorok.Eof(); sorok.Next()) {
        const QString jogcim = MezoSzoveg(sorok, "SF_JCKOD");
        const double osszeg = sorok.FieldByName("SF_OSSZEG").AsFloat();
        if (jogcim == "300" || jogcim == "301") {
            Adat.levont += osszeg;
            Adat.alap += sorok.FieldByName("SF_JARALAP").AsFloat();
        }
        if (Jogcim(sorok, "JC_JARULSOR") == "2") Adat.jutalom += osszeg;
        if (Jarulekmentes(sorok)) mentes += sorok.FieldByName("SF_NAP").AsInteger();
    }
    if (dg("DG_ALKMIN") != "1") {
        const int adatEv = AdatEvSzam();
        const double tol = NagyobbDatum(belepes, os::EncodeDate(adatEv, 1, 1));
        const double ig = KisebbDatum(kilepes, os::EncodeDate(adatEv, 12, 31));
        const long long napok = static_cast<long long>(ig - tol) + 1;
        const int evNapjai = static_cast<int>(os::EncodeDate(ev, 12, 31) - os::EncodeDate(ev, 1, 1)) + 1;
        Adat.szolgalatiNapok = SzolgalatiNapok(napok, mentes, Adat.alap, Minimalber, evNapjai);
    }
    Adat.hetiOra = SzamSzoveg(d.FieldByName("DG_HETIKOTORA").AsFloat());
    Adat.feor = dg("DG_FEOR");
    Adat.munkakor = dg("DG_MUNKAKOR");

    ZaroResz = false;
    sorok.First();
}

bool TList_NYENYIQRForm::QRSubDetail1NeedData() {
    db::Table& sorok = *DM1->TableSzamfejt;
    for (; !sorok.Eof(); sorok.Next()) {
        if (!Jarulekmentes(sorok)) continue;
        Tavol.jogcim = MezoSzoveg(sorok, "SF_JCKOD");
        Tavol.nev = Jogcim(sorok, "JC_NEV");
        Tavol.jarulekKod = Jogcim(sorok, "JC_JARULKOD");
        Tavol.tol = MezoSzoveg(sorok, "SF_TOL");
        Tavol.ig = MezoSzoveg(sorok, "SF_IG");
        sorok.Next();
        return true;
    }
    return false;
}
