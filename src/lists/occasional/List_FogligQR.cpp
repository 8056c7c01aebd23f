#include "lists/occasional/List_FogligQR.h"

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/Nyomtatas.h"
#include "core/helpers/SegedUnit.h"
#include "lists/occasional/Igazolasok.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/DayNumber.h"

namespace {

using report::Align;

}  // namespace

TList_FogligQRForm::TList_FogligQRForm() : QuickRep1(QStringLiteral("List_FogligQRForm")) {
    QuickRep1.NeedData = [] { return !DM1->Query1->Eof(); };
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_FogligQRForm")); };

    auto& header = QuickRep1.AddPageHeader(70);
    double y = ProgramFejlec(header, true) + 4;
    header
        .Computed(
            0, y, 190,
            [] {
                return QStringLiteral("Foglalkoztatói igazolás a ") + AdatEv() +
                       QStringLiteral(". évben levont és befizetett járulékokról");
            },
            Align::Center)
        .Size(12)
        .Bold();
    y += 8;
    for (const char* sor : {"(A társadalombiztosítás ellátásaira és a magánnyugdíjra jogosultakról,",
                            "valamint e szolgáltatások fedezeteiről szóló 1997. évi LXXX. törvény",
                            "47. § (3) bekezdés alapján)"}) {
        header.Label(0, y, 190, QString::fromUtf8(sor), Align::Center);
        y += 5;
    }
    y += 5;
    auto fej = [&](const QString& cim, std::function<QString()> ertek) {
        header.Label(0, y, 45, cim);
        header.Computed(45, y, 145, std::move(ertek));
        y += 6;
    };
    fej(QStringLiteral("A foglalkoztató neve:"), [] { return CegMezo("CG_NEV"); });
    fej(QStringLiteral("Címe :"), [] { return CegCime(); });
    fej(QStringLiteral("TB törzsszáma :"), [] { return CegMezo("CG_TBTORZSSZAM"); });
    header.HLine(0, y, 190);
    header.Height = y + 2;

    auto& band = QuickRep1.AddDetail(150);
    band.ForceNewPage = true;
    band.BeforePrint = [this](bool&) { QRBand3BeforePrint(); };
    band.AfterPrint = [] { DM1->Query1->Next(); };
    y = 2;
    auto sor = [&](const QString& cim, std::function<QString()> ertek) {
        band.Label(0, y, 50, cim);
        band.Computed(50, y, 140, std::move(ertek));
        y += 6;
    };
    sor(QStringLiteral("A bizosított neve :"), [this] { return Adat.nev; });
    sor(QStringLiteral("Születési neve :"), [this] { return Adat.szuletesiNev; });
    sor(QStringLiteral("Anyja neve :"), [this] { return Adat.anyjaNev; });
    sor(QStringLiteral("Születési helye :"), [this] { return Adat.szulHely; });
    sor(QStringLiteral("Születési ideje :"), [this] { return Adat.szulDatum; });
    sor(QStringLiteral("Taj száma :"), [this] { return Adat.taj; });
    sor(QStringLiteral("Jogviszony időtartama :"), [this] { return Adat.idotartam; });
    y += 6;
    // Caption, amount and, where it has one, its base.
    auto osszeg = [&](const QString& cim, const double* ertek, const double* alap, double x = 5) {
        band.Label(x, y, 125 - x, cim).Wrap().Height = cim.size() > 60 ? 10 : 5;
        band.Computed(
            130, y, 25, [ertek] { return SzamSzoveg(*ertek); }, Align::Right);
        if (alap) {
            band.Label(157, y, 15, QStringLiteral("(Alapja :"));
            band.Computed(
                172, y, 16, [alap] { return SzamSzoveg(*alap); }, Align::Right);
            band.Label(188.5, y, 1.5, QStringLiteral(")"));
        }
        y += 7;
    };
    osszeg(
        QStringLiteral("Az egészségbiztosítási és nyugdíjjárulék alapját képező személyi jellegű kifizetések "
                       "bruttó összege :"),
        &Adat.termeszetbeniAlap, nullptr, 0);
    y += 4;
    band.Label(0, y, 120, QStringLiteral("A fenti összegből levont és befizetett")).Bold();
    y += 7;
    osszeg(QStringLiteral("- munkaerőpiaci járulék :"), &Adat.munkaerop, &Adat.munkaeropAlap);
    osszeg(QStringLiteral("- egészségbiztosítási járulék (Term) :"), &Adat.termeszetbeni,
           &Adat.termeszetbeniAlap);
    osszeg(QStringLiteral("- egészségbiztosítási járulék (Pénz) :"), &Adat.penzbeli, &Adat.penzbeliAlap);
    osszeg(QStringLiteral("- nyugdíjjárulék :"), &Adat.nyugdij, &Adat.nyugdijAlap);
    osszeg(QStringLiteral("- SZHA levonás :"), &Adat.szhaLevonas, &Adat.szhaAlap);
    y += 4;
    band.Label(0, y, 120, QStringLiteral("Megfizetett")).Bold();
    y += 7;
    osszeg(QStringLiteral("- szociális hozzájárulási adó (kedvezménnyel csökkentett) :"), &Adat.szha,
           nullptr);
    band.Height = y + 2;

    auto& footer = QuickRep1.AddPageFooter(34);
    footer.Label(0, 0, 120, QStringLiteral("................................... ............hó ......nap"));
    footer.Label(0, 10, 60, QStringLiteral("Az igazolást átvettem :"));
    footer.Label(10, 22, 70, QStringLiteral("..................................."), Align::Center);
    footer.Label(10, 27, 70, QStringLiteral("dolgozó"), Align::Center);
    footer.Label(120, 22, 70, QStringLiteral("..................................."), Align::Center);
    footer.Label(120, 27, 70, QStringLiteral("foglalkoztató"), Align::Center);
}

void TList_FogligQRForm::QuickRep1BeforePrint() {
    DM1->Query1->First();
    LocateCompany();
}

void TList_FogligQRForm::QRBand3BeforePrint() {
    Adat = {};
    db::Table& d = *DM1->TableDolgozo;
    if (d.Locate("DG_TORZSSZAM", DM1->Query1->FieldByName("SF_DGTORZSSZAM").AsString())) {
        Adat.nev = MezoSzoveg(d, "DG_NEV");
        Adat.szuletesiNev = MezoSzoveg(d, "DG_LEANYKNEV");
        Adat.anyjaNev = MezoSzoveg(d, "DG_ANYJANEV");
        Adat.szulHely = MezoSzoveg(d, "DG_SZULHELY");
        Adat.szulDatum = MezoSzoveg(d, "DG_SZULDAT");
        Adat.taj = MezoSzoveg(d, "DG_TAJSZ");
        const int ev = AdatEvSzam();
        const double tol = NagyobbDatum(d.FieldByName("DG_BELEPDAT").AsDateTime(), os::EncodeDate(ev, 1, 1));
        const double ig = KisebbDatum(d.FieldByName("DG_KILEPDAT").AsDateTime(), os::EncodeDate(ev, 12, 31));
        Adat.idotartam = QString::fromStdString(DatumSzoveg(tol) + "-" + DatumSzoveg(ig));
    }
    double g = 0, kedvezmeny = 0;
    db::Table& sorok = *DM1->TableSzamfejt;
    for (sorok.First(); !sorok.Eof(); sorok.Next()) {
        const std::string jogcim = MezoSzoveg(sorok, "SF_JCKOD").toStdString();
        const QString tipus = MezoSzoveg(sorok, "SF_JCTIPUS");
        const double osszeg = sorok.FieldByName("SF_OSSZEG").AsFloat();
        const double jarAlap = sorok.FieldByName("SF_JARALAP").AsFloat();
        if (jogcim == "304") Adat.munkaerop += osszeg, Adat.munkaeropAlap += jarAlap;
        if (jogcim == "306") Adat.termeszetbeni += osszeg, Adat.termeszetbeniAlap += jarAlap;
        if (jogcim == "307") Adat.penzbeli += osszeg, Adat.penzbeliAlap += jarAlap;
        if (tipus == "9") Adat.nyugdij += osszeg, Adat.nyugdijAlap += jarAlap;
        if (jogcim == "326") Adat.szhaLevonas += osszeg;
        if (LookupText(*DM1->TableJogcim, "JC_KOD", jogcim, "JC_SZHALEV").trimmed() == "I" &&
            sorok.FieldByName("SF_SZHASZAZLEV").AsFloat() ==
                SzhaSzazalek(static_cast<int>(sorok.FieldByName("SF_HONAP").AsInteger())))
            Adat.szhaAlap += sorok.FieldByName("SF_ADOALAP").AsFloat();
        if (tipus == "G") g += osszeg;
        if (jogcim == "328") kedvezmeny += osszeg;
    }
    Adat.szha = g - kedvezmeny;
}
