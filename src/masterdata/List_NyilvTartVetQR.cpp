#include "masterdata/List_NyilvTartVetQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "masterdata/DolgozoLapok.h"
#include "platform/db/Table.h"

QString NyilvantartasbaVetel(const QString& belepes) {
    return QStringLiteral(
               "Igazolom, hogy a TBJ. 46.§ (1) bek. értelmében ............................ számú "
               "munkaszerződés alapján ") +
           belepes + QStringLiteral(" nappal nyilvántartásba vettük.");
}

TList_NyilvTartVetQRForm::TList_NyilvTartVetQRForm() : QuickRep1(QStringLiteral("List_NyilvTartVetQRForm")) {
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_NyilvTartVetQRForm")); };

    auto& band = QuickRep1.AddTitle(0);
    QRBand1 =
        AddListHeader(band, QStringLiteral("Munkáltatói igazolás a munkavállaló nyilvántartásba vételéről"));
    QRBand1.Title->Size(12);
    db::Table& d = *DM1->TableDolgozo;
    auto dg = [&d](const char* field) { return [&d, field] { return LapMezo(d, field); }; };
    auto cg = [](const char* field) { return [field] { return LapMezo(*DM1->TableCegek, field); }; };

    LapSorok s(band, QRBand1.bottom + 8, 10, 45);
    s.Blokk(QStringLiteral("A munkáltató :"));
    s.Sor(QStringLiteral("Neve :"), cg("CG_NEV"));
    s.Sor(QStringLiteral("Címe :"), {cg("CG_VAROS"), [] { return CegCimSor(); }, cg("CG_IRSZ")});
    s.Sor(QStringLiteral("Adószáma :"), cg("CG_ADOSZAM"));
    s.Kihagy(6);
    band.Computed(0, s.Y(), 190, [&d] { return NyilvantartasbaVetel(LapMezo(d, "DG_BELEPDAT")); })
        .Wrap()
        .Height = 10;
    s.Kihagy(16);
    s.Blokk(QStringLiteral("A munkavállaló :"));
    s.Sor(QStringLiteral("Törzsszáma :"), dg("DG_TORZSSZAM"));
    s.Sor(QStringLiteral("Neve :"), dg("DG_NEV"));
    s.Sor(QStringLiteral("Címe :"), {dg("DG_VAROS"), [&d] { return DolgozoCimSor(d); }, dg("DG_IRSZ")});
    s.Sor(QStringLiteral("Szül. hely :"), dg("DG_SZULHELY"));
    s.Sor(QStringLiteral("Szül. idő :"), dg("DG_SZULDAT"));
    s.Sor(QStringLiteral("Anyja neve :"), dg("DG_ANYJANEV"));
    s.Sor(QStringLiteral("TAJ száma :"), dg("DG_TAJSZ"));
    s.Sor(QStringLiteral("Adószáma :"), dg("DG_ADOAZ"));
    s.Sor(QStringLiteral("Alkalmazása :"),
          [&d] { return ErtekNev("2", LapMezo(d, "DG_ALKMIN").toStdString()); });
    s.Sor(QStringLiteral("Mv. kezdete :"), dg("DG_BELEPDAT"));
    s.Pontozott(QStringLiteral("Foglalk. hely :"));
    s.Sor(QStringLiteral("Kelt :"), [] { return DatumSor(AdatEv()); });
    s.Kihagy(25);
    Alairas(band, 10, s.Y(), 70, QStringLiteral("munkáltató"));
    Alairas(band, 110, s.Y(), 70, QStringLiteral("munkavállaló"));
    s.Kihagy(12);
}

void TList_NyilvTartVetQRForm::QuickRep1BeforePrint() { LocateCompany(); }
