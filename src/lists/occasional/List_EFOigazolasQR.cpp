#include "lists/occasional/List_EFOigazolasQR.h"

#include <algorithm>
#include <cmath>

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "lists/occasional/Igazolasok.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

// clang-format off
struct Oszlop { const char* cim; double x, szeles; Align igazitas; };
const Oszlop kOszlopok[] = {
    {"Kifizetés dátuma",   0,   30, Align::Left},
    {"Érintett hónap",     32,  26, Align::Center},
    {"Munkavégzés -tól",   60,  30, Align::Left},
    {"Munkavégzés -ig",    92,  30, Align::Left},
    {"Jogosultsági napok", 124, 32, Align::Right},
    {"Kifizetett összeg",  158, 32, Align::Right},
};
// clang-format on

const char kMinimalber[] =
    "A magánszemély egyszerűsített foglalkoztatás keretében végzett tevékenysége nem igényel középfokú "
    "végzettséget, vagy középfokú szakképzettséget, bérét a minimálbér figyelembevételével állapítottuk meg.";
const char kGarancialis[] =
    "A magánszemély egyszerűsített foglalkoztatás keretében végzett tevékenysége legalább középfokú "
    "végzettséget, vagy középfokú szakképzettséget igényel, bérét a garantált bérminimum figyelembevételével "
    "állapítottuk meg.";
const char* const kTajekoztatas[] = {
    "Tájékoztatás a 19SZJA bevallás kitöltéséhez:",
    "",
    "Önnek csak abban az esetben kell bevallania a 2019. évi szja bevallásában az egyszerűsített "
    "foglalkoztatásból származó jövedelmét, ha az egyszerűsített foglalkoztatásból származó bevétele "
    "meghaladja "
    "a mentesített keretösszeget, és akkor is csak a mentesített keretösszeg feletti jövedelmrészt kell "
    "szerepeltetni a 19SZJA bevallás 1. sorában.",
    "Mentesített keretösszeg számítása: foglalkoztatás naptári napjainak száma szorozva az 1 napi minimálbér "
    "130%-ával (8918 Ft/nap), vagy szakképzettséget igénylő tevékenység esetén 1 napi garantált bérminimum "
    "130%-ával (11661 Ft/nap). Amennyiben jövedelme e szorzat (mentesített keretösszeg) alatt van, akkor nem "
    "kell a 2019. évi szja bevallásban egyszerűsített foglalkoztatásból származó jövedelmét feltüntetni, de "
    "ha "
    "a jövedelme felette van a mentesített keretösszegnek, akkor a mentesített keretösszeg feletti "
    "jövedelmet "
    "fel kell tüntetni a 2019. évi szja bevallásban.",
};

}  // namespace

int JogosultsagiNapok(double tol, double ig) {
    if (tol == 0 || ig == 0) return 1;
    return ToInt32(Kerekit(ig) - Kerekit(tol) + 1);
}

TList_EFOigazolasQRForm::TList_EFOigazolasQRForm() : QuickRep1(QStringLiteral("List_EFOigazolasQRForm")) {
    db::Query& q = *DM1->Query1;
    QuickRep1.DataSet = &q;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_EFOigazolasQRForm")); };
    const QString ev = QString::fromStdString(FeldolgozasiEv);

    auto& header = QuickRep1.AddPageHeader(30);
    header.Label(0, 0, 60, QString::fromStdString(ProgramCim));
    header.Label(40, 0, 110, QString::fromStdString(KeszitoSor), Align::Center);
    header.Label(0, 8, 190, QStringLiteral("Igazolás"), Align::Center).Size(14).Bold();
    header
        .Label(0, 15, 190,
               QStringLiteral("az egyszerűsített foglalkozás alapján történő foglalkoztatás során kifizetett "
                              "összegekről"),
               Align::Center)
        .Bold();
    header
        .Label(0, 21, 190, QStringLiteral("a ") + ev + QStringLiteral(". évi SZJA bevalláshoz"),
               Align::Center)
        .Bold();

    auto& group = QuickRep1.AddGroupHeader(60, QStringLiteral("SF_DGTORZSSZAM"));
    group.ForceNewPage = true;
    group.BeforePrint = [this](bool&) { QRGroup1BeforePrint(); };
    double y = 2;
    auto sor = [&](const QString& cim, std::function<QString()> ertek) {
        group.Label(0, y, 65, cim);
        group.Computed(65, y, 125, std::move(ertek));
        y += 6;
    };
    sor(QStringLiteral("Az igazolás kiállítójának neve :"), [] { return CegMezo("CG_NEV"); });
    sor(QStringLiteral("címe :"), [] { return CegCime(); });
    sor(QStringLiteral("adószáma :"), [] { return CegMezo("CG_ADOSZAM"); });
    y += 4;
    sor(QStringLiteral("A magánszemély neve"), [this] { return Nev; });
    sor(QStringLiteral("azonosító jele :"), [this] { return Adoaz; });
    sor(QStringLiteral("címe :"), [this] { return Cim; });
    y += 4;
    for (const Oszlop& o : kOszlopok)
        group.Label(o.x, y, o.szeles, QString::fromUtf8(o.cim), o.igazitas).Bold().Size(8);
    group.HLine(0, y + 5, 190);
    group.Height = y + 6;

    auto& detail = QuickRep1.AddDetail(5);
    detail.BeforePrint = [this](bool&) { QRBand3BeforePrint(); };
    const std::vector<std::function<QString()>> ertekek = {
        [&q] { return MezoSzoveg(q, "SF_KIFIZDAT"); },
        [&q] { return QString::fromStdString(SzamNullaKitolt(q.FieldByName("SF_HONAP").AsInteger(), 2)); },
        [&q] { return MezoSzoveg(q, "SF_TOL"); },
        [&q] { return MezoSzoveg(q, "SF_IG"); },
        [this] { return QString::number(Napok); },
        [&q] { return SzamSzoveg(q.FieldByName("SF_OSSZEG").AsFloat()); },
    };
    for (size_t i = 0; i < ertekek.size(); ++i)
        detail.Computed(kOszlopok[i].x, 0, kOszlopok[i].szeles, ertekek[i], kOszlopok[i].igazitas);

    auto& footer = QuickRep1.AddGroupFooter(group, 150);
    footer.HLine(0, 0, 190);
    footer.Label(0, 1, 30, QStringLiteral("összesen:")).Bold();
    footer
        .Computed(
            124, 1, 32, [this] { return QString::number(NapOsszesen.Value()); }, Align::Right)
        .Bold();
    footer
        .Computed(
            158, 1, 32, [this] { return SzamSzoveg(OsszegOsszesen); }, Align::Right)
        .Bold();
    y = 10;
    footer
        .Computed(0, y, 190,
                  [this] { return QString::fromUtf8(Feor.startsWith(u'9') ? kMinimalber : kGarancialis); })
        .Wrap()
        .Height = 10;
    y += 14;
    footer.Label(
        0, y, 190,
        QStringLiteral("Az igazolást a ") + ev + QStringLiteral(". évi adóbevalláshoz állítottuk ki."));
    y += 10;
    footer.Label(
        0, y, 120,
        QStringLiteral("..................................., ............év ............hó ......nap"));
    footer.Label(120, y + 8, 70, QStringLiteral("..................................."), Align::Center);
    footer.Label(120, y + 13, 70, QStringLiteral("cégszerű aláírás"), Align::Center);
    y += 22;
    footer.Label(0, y, 190,
                 QStringLiteral("Az igazolást a magánszemélynek ") + QString::number(ev.toInt() + 9) +
                     QStringLiteral(".12.31-ig kell megőriznie."));
    y += 8;
    for (const char* t : kTajekoztatas) {
        // Room for the paragraph's lines at 9 points: about 120 characters a line.
        const double sorok = std::max<double>(1, std::ceil(QString::fromUtf8(t).size() / 110.0));
        footer.Label(0, y, 190, QString::fromUtf8(t)).Size(9).Wrap().Height = 4.2 * sorok;
        y += 4.2 * sorok + 1;
    }
    footer.Height = y;
}

void TList_EFOigazolasQRForm::QuickRep1BeforePrint() { LocateCompany(); }

void TList_EFOigazolasQRForm::QRGroup1BeforePrint() {
    NapOsszesen.Reset();
    OsszegOsszesen = 0;
    db::Table& d = *DM1->TableDolgozo;
    if (d.Locate("DG_TORZSSZAM", DM1->Query1->FieldByName("SF_DGTORZSSZAM").AsString())) {
        Nev = MezoSzoveg(d, "DG_NEV");
        Adoaz = MezoSzoveg(d, "DG_ADOAZ");
        Cim = DolgozoCime();
        Feor = MezoSzoveg(d, "DG_FEOR");
    } else {
        Nev = Adoaz = Cim = Feor = QString();
    }
}

void TList_EFOigazolasQRForm::QRBand3BeforePrint() {
    db::Query& q = *DM1->Query1;
    Napok = JogosultsagiNapok(q.FieldByName("SF_TOL").AsDateTime(), q.FieldByName("SF_IG").AsDateTime());
    NapOsszesen.Add(Napok);
    OsszegOsszesen += q.FieldByName("SF_OSSZEG").AsFloat();
}
