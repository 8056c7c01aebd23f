#include "masterdata/List_EgysMunkugyNyilvQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "masterdata/DolgozoLapok.h"
#include "platform/db/Table.h"

TList_EgysMunkugyNyilvQRForm::TList_EgysMunkugyNyilvQRForm()
    : QuickRep1(QStringLiteral("List_EgysMunkugyNyilvQRForm")) {
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] {
        ShowReportPreview(QuickRep1, QStringLiteral("List_EgysMunkugyNyilvQRForm"));
    };

    auto& band = QuickRep1.AddTitle(0);
    QRBand1 = AddListHeader(
        band, QStringLiteral("Adatlap az Egységes Munkaügyi Nyilvántartásba történő bejelentésekhez"));
    QRBand1.Title->Size(12);
    db::Table& d = *DM1->TableDolgozo;
    auto dg = [&d](const char* field) { return [&d, field] { return LapMezo(d, field); }; };
    auto cg = [](const char* field) { return [field] { return LapMezo(*DM1->TableCegek, field); }; };
    auto nev = [&d](const char* type, const char* field) {
        return [&d, type, field] { return ErtekNev(type, LapMezo(d, field).toStdString()); };
    };
    const QString pontok = PontozottSor(40);
    auto pontozott = [pontok] { return pontok; };

    LapSorok s(band, QRBand1.bottom + 6, 10, 60);
    s.Blokk(QStringLiteral("I. Munkaadóra vonatkozó adatok"));
    s.Sor(QStringLiteral("Adószám/adóazonosító jel :"), cg("CG_ADOSZAM"));
    s.Sor(QStringLiteral("Megnevezés :"), cg("CG_NEV"));
    s.Sor(QStringLiteral("Székhely címe :"), {cg("CG_VAROS"), [] { return CegCimSor(); }, cg("CG_IRSZ")});
    const QString sor = PontozottSor(120);
    s.Sor(QStringLiteral("Telephely címe :"),
          {[sor] { return sor; }, [sor] { return sor; }, [sor] { return sor; }});
    s.Kihagy(4);
    s.Blokk(QStringLiteral("II. Munkavállalóra vonatkozó adatok"));
    s.Sor(QStringLiteral("TAJ szám :"), dg("DG_TAJSZ"));
    s.Sor(QStringLiteral("Név :"), dg("DG_NEV"));
    s.Mellette(130, QStringLiteral("Törzsszáma :"), dg("DG_TORZSSZAM"), 155);
    s.Sor(QStringLiteral("Neme :"), nev("N", "DG_NEM"));
    s.Sor(QStringLiteral("Anyja neve :"), dg("DG_ANYJANEV"));
    s.Sor(QStringLiteral("Szül. helye :"), dg("DG_SZULHELY"));
    s.Mellette(130, QStringLiteral("Szül. dátuma :"), dg("DG_SZULDAT"), 155);
    s.Sor(QStringLiteral("Állampolgársága :"), dg("DG_ALLAMP"));
    s.Mellette(130, QStringLiteral("Kód :"), pontozott, 145);
    s.Pontozott(QStringLiteral("Iskolai végzettség :"), 120);
    s.Pontozott(QStringLiteral("Szakképz. megnev. :"), 60);
    s.Mellette(130, QStringLiteral("Kód :"), pontozott, 145);
    s.Kihagy(4);
    s.Blokk(QStringLiteral("III. Munkaviszonyra vonatkozó adatok"));
    s.Sor(QStringLiteral("Munkaviszony kezdete :"), dg("DG_BELEPDAT"));
    s.Sor(QStringLiteral("Munkaviszony vége :"), dg("DG_KILEPDAT"));
    s.Sor(QStringLiteral("Munkaidő hossza :"), nev("2", "DG_ALKMIN"));
    s.Sor(QStringLiteral("Heti munkaidő hossza :"), dg("DG_HETIKOTORA"));
    s.Sor(QStringLiteral("Személyi alapbére :"), dg("DG_ALAPBER"));
    s.Mellette(110, QStringLiteral("Fajtája :"), nev("1", "DG_BERFORM"), 130);
    s.Kihagy(10);
    const double y = s.Y();
    band.Label(10, y, 20, QStringLiteral("Dátum :"));
    band.Computed(30, y, 100, [] { return AdatEv() + QStringLiteral(". ............hó ......nap"); });
    band.Label(10, y + 20, 20, QStringLiteral("P.H."));
    Alairas(band, 110, y + 20, 70, QStringLiteral("munkáltató"));
    s.Kihagy(32);
}

void TList_EgysMunkugyNyilvQRForm::QuickRep1BeforePrint() { LocateCompany(); }
