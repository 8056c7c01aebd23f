#include "lists/occasional/List_MunkigQR1.h"

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/Nyomtatas.h"
#include "lists/occasional/Igazolasok.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

}  // namespace

TList_MunkigQR1Form::TList_MunkigQR1Form() : QuickRep1(QStringLiteral("List_MunkigQR1Form")) {
    QuickRep1.NeedData = [] { return !DM1->Query1->Eof(); };
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_MunkigQR1Form")); };

    auto& header = QuickRep1.AddPageHeader(18);
    header.Label(0, 0, 190, QStringLiteral("Munkáltatói igazolás"), Align::Center).Size(14).Bold();
    header.Label(0, 8, 190, QStringLiteral("Munkaviszony megszünése (megszüntetése esetén)"), Align::Center)
        .Bold();

    auto& band = QuickRep1.AddDetail(240);
    band.ForceNewPage = true;
    band.BeforePrint = [this](bool&) { QRBand3BeforePrint(); };
    band.AfterPrint = [] { DM1->Query1->Next(); };
    double y = 0;
    auto sor = [&](double x, const QString& cim, std::function<QString()> ertek, double szeles = 60) {
        band.Label(x, y, szeles, cim);
        band.Computed(x + szeles, y, 190 - x - szeles, std::move(ertek));
        y += 6;
    };
    band.Label(0, y, 190, QStringLiteral("1. A munkáltató adatai")).Bold();
    y += 7;
    sor(5, QStringLiteral("1.1 Neve :"), [] { return CegMezo("CG_NEV"); });
    sor(5, QStringLiteral("1.2 Címe :"), [] { return CegCime(); });
    sor(5, QStringLiteral("1.3 Adószáma :"), [] { return CegMezo("CG_ADOSZAM"); });
    y += 4;
    sor(0, QStringLiteral("A dolgozó neve :"), [this] { return Adat.nev; });
    sor(0, QStringLiteral("Születési neve :"), [this] { return Adat.szuletesiNev; });
    sor(0, QStringLiteral("Születési helye :"), [this] { return Adat.szulHely; });
    sor(0, QStringLiteral("Születési ideje :"), [this] { return Adat.szulDatum; });
    sor(0, QStringLiteral("TAJ :"), [this] { return Adat.taj; });
    sor(0, QStringLiteral("Adó azonosító :"), [this] { return Adat.adoaz; });
    y += 4;
    band.Label(0, y, 40, QStringLiteral("Fent nevezett dolgozó"));
    band.Computed(40, y, 22, [this] { return Adat.belepes; });
    band.Label(62, y, 12, QStringLiteral("-tól"));
    band.Computed(74, y, 22, [this] { return Adat.kilepes; });
    band.Label(96, y, 10, QStringLiteral("-ig"));
    band.Label(106, y, 84, QStringLiteral("állt nálunk alkalmazásban."));
    y += 8;
    band.Label(0, y, 60, QStringLiteral("Igénybe vett betegszabadsága :"));
    band.Computed(
        60, y, 20, [this] { return QString::number(Adat.betegszabadsag); }, Align::Right);
    band.Label(82, y, 20, QStringLiteral("nap"));
    y += 8;
    auto allitas = [&](const QString& szoveg, const QString& egyik, const QString& masik) {
        band.Label(0, y, 100, szoveg);
        band.Label(100, y, 90, egyik);
        band.Label(100, y + 5, 90, masik);
        y += 12;
    };
    allitas(QStringLiteral("A dolgozó az 50%-os utazási kedvezményt"), QStringLiteral("igénybe vette."),
            QStringLiteral("nem vette igénybe."));
    allitas(QStringLiteral("A dolgozó munkabérét jogerős határozat alapján"),
            QStringLiteral("tartozás nem terheli."),
            QStringLiteral(".................... összegű tartozás terheli."));
    band.Label(0, y, 30, QStringLiteral("Melléklet :"));
    for (const char* m :
         {"1 db Igazolás a munkanélküli járadék megállapításához.", "TB igazolvány",
          "Igazolás a tárgyévben levont járulékokról", "Adatlap a bírósági végzésről", "Adó Adatlap"}) {
        band.Label(30, y, 160, QString::fromUtf8(m));
        y += 5;
    }
    y += 4;
    band.Label(0, y, 30, QStringLiteral("Megjegyzés :"));
    y += 6;
    sor(
        5, QStringLiteral("Magánnyugdíjpénzári tag :"), [this] { return Adat.mnypBelepes; }, 50);
    sor(
        5, QStringLiteral("Kód :"), [this] { return Adat.mnypKod; }, 50);
    sor(
        5, QStringLiteral("Név :"), [this] { return Adat.penztarNev; }, 50);
    sor(
        5, QStringLiteral("IRSZ :"), [this] { return Adat.penztarIrsz; }, 50);
    sor(
        5, QStringLiteral("Cím :"), [this] { return Adat.penztarCim; }, 50);
    sor(
        5, QStringLiteral("Bankszámla :"), [this] { return Adat.penztarSzamla; }, 50);
    y += 6;
    band.Label(0, y, 20, QStringLiteral("Dátum :"));
    band.Computed(20, y, 120, [] { return DatumSor(AdatEv()); });
    y += 16;
    band.Label(10, y, 70, QStringLiteral("..................................."), Align::Center);
    band.Label(120, y, 70, QStringLiteral("..................................."), Align::Center);
    band.Label(90, y, 28, QStringLiteral("átvettem :"));
    y += 5;
    band.Label(10, y, 70, QStringLiteral("munkáltató"), Align::Center);
    band.Label(120, y, 70, QStringLiteral("munkavállaló"), Align::Center);
    band.Height = y + 6;
}

void TList_MunkigQR1Form::QuickRep1BeforePrint() {
    DM1->Query1->First();
    LocateCompany();
}

void TList_MunkigQR1Form::QRBand3BeforePrint() {
    Adat = {};
    db::Table& szamfejt = *DM1->TableSzamfejt;
    for (szamfejt.First(); !szamfejt.Eof(); szamfejt.Next())
        if (MezoSzoveg(szamfejt, "SF_JCKOD") == "103")
            Adat.betegszabadsag += szamfejt.FieldByName("SF_NAP").AsInteger();

    db::Table& d = *DM1->TableDolgozo;
    if (!d.Locate("DG_TORZSSZAM", DM1->Query1->FieldByName("SF_DGTORZSSZAM").AsString())) return;
    Adat.nev = MezoSzoveg(d, "DG_NEV");
    Adat.szuletesiNev = MezoSzoveg(d, "DG_LEANYKNEV");
    Adat.szulHely = MezoSzoveg(d, "DG_SZULHELY");
    Adat.szulDatum = MezoSzoveg(d, "DG_SZULDAT");
    Adat.taj = MezoSzoveg(d, "DG_TAJSZ");
    Adat.adoaz = MezoSzoveg(d, "DG_ADOAZ");
    Adat.belepes = MezoSzoveg(d, "DG_BELEPDAT");
    Adat.kilepes = MezoSzoveg(d, "DG_KILEPDAT");
    Adat.mnypBelepes = MezoSzoveg(d, "DG_MNYPBEDAT");
    Adat.mnypKod = MezoSzoveg(d, "DG_MNYP");
    db::Table& np = *DM1->TableNyugP;
    if (!Adat.mnypKod.isEmpty() && np.Locate("NP_KOD", Adat.mnypKod.toStdString())) {
        Adat.penztarNev = MezoSzoveg(np, "NP_NEV");
        Adat.penztarIrsz = MezoSzoveg(np, "NP_IRSZ");
        Adat.penztarCim = CimOsszefuz(np, {"NP_VAROS", "NP_KOZTER", "NP_KOZTERJEL", "NP_HAZSZ", "NP_EPULET",
                                           "NP_LEPCSOHAZ", "NP_EMELET", "NP_AJTO"});
        Adat.penztarSzamla = MezoSzoveg(np, "NP_BANKSZLA");
    }
}
