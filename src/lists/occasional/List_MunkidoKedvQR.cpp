#include "lists/occasional/List_MunkidoKedvQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "core/StartValues.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

namespace {

QString Dolgozo(const char* field) {
    return QString::fromStdString(DM1->TableDolgozo->FieldByName(field).AsString());
}

}  // namespace

TList_MunkidoKedvQRForm::TList_MunkidoKedvQRForm() : QuickRep1(QStringLiteral("List_MunkidoKedvQRForm")) {
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_MunkidoKedvQRForm")); };

    auto& band = QuickRep1.AddTitle(250);
    band.BeforePrint = [this](bool&) { QRBand1BeforePrint(); };
    Fejlec = AddListHeader(band, QStringLiteral("Munkaidő kedvezmény"));
    Fejlec.DatumMutat(true);
    double y = Fejlec.bottom + 10;
    Szoveg = &band.Memo(10, y, 180, 12);
    y += 20;
    auto sor = [&](const QString& cim, std::function<QString()> ertek) {
        band.Label(20, y, 70, cim);
        band.Computed(90, y, 90, std::move(ertek));
        y += 7;
    };
    sor(QStringLiteral("A dolgozó neve :"), [] { return Dolgozo("DG_NEV"); });
    sor(QStringLiteral("Törzsszáma :"), [] { return Dolgozo("DG_TORZSSZAM"); });
    sor(QStringLiteral("Adóazonosító jele :"), [] { return Dolgozo("DG_ADOAZ"); });
    y += 5;
    sor(QStringLiteral("A kedvezményezett napok száma :"), [this] { return QString::number(Napok); });
    y += 10;
    band.Label(10, y, 180, QStringLiteral("A fenti igazolást volt dolhozónk kérésére adtuk ki."));
    y += 20;
    const QString datumSor = QStringLiteral("......................... ") +
                             QString::fromStdString(FeldolgozasiEv) + ". ............hó ......nap";
    auto alairas = [&](const QString& kie) {
        band.Label(10, y, 90, datumSor);
        band.Label(120, y, 70, QStringLiteral("..................................."), report::Align::Center);
        band.Label(120, y + 5, 70, kie, report::Align::Center);
        y += 20;
    };
    alairas(QStringLiteral("a munkáltató aláírása"));
    band.Label(10, y, 180, QStringLiteral("A nyilatkozatot átvettem."));
    y += 20;
    alairas(QStringLiteral("a dolgozó aláírása"));
}

void TList_MunkidoKedvQRForm::QuickRep1BeforePrint() {
    DM1->Query1->First();
    LocateCompany();
}

void TList_MunkidoKedvQRForm::QRBand1BeforePrint() {
    Szoveg->Lines = {QStringLiteral("Igazoljuk, hogy volt dolgozónk ") + Dolgozo("DG_NEV"),
                     QStringLiteral("vér szerinti (vagy örökbebogadott) gyermeke születése miatt a következő "
                                    "munkaidő kedvezményben részesült :")};
    Napok = 0;
    db::Query& sorok = *DM1->Query1;
    for (sorok.First(); !sorok.Eof(); sorok.Next()) Napok += sorok.FieldByName("SF_NAP").AsInteger();
}
