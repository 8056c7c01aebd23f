#include "lists/summary/List_MunkidoKedvOsszQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

constexpr double kAlap = 90, kOsszeg = 125, kDatum = 160;  // mm

}  // namespace

TList_MunkidoKedvOsszQRForm::TList_MunkidoKedvOsszQRForm()
    : QuickRep1(QStringLiteral("List_MunkidoKedvOsszQRForm")) {
    QuickRep1.DataSet = DM1->Query1;
    QuickRep1.BeforePrint = [this](bool&) {
        DM1->Query1->First();
        AlapOssz = OsszegOssz = 0;
        LocateCompany();
    };
    QuickRep1.OnPreview = [this] {
        ShowReportPreview(QuickRep1, QStringLiteral("List_MunkidoKedvOsszQRForm"));
    };

    auto& header = QuickRep1.AddPageHeader(40);
    QRBand1 = AddListHeader(header, QStringLiteral("Munkaidő kedvezmény összesítő"));
    const double y = QRBand1.bottom + 1;
    header.Label(0, y, 35, QStringLiteral("Bevallási időszak :"));
    header.Computed(35, y, 100, [this] { return Idoszak; });
    header.Height = y + 6;

    auto& columns = QuickRep1.AddColumnHeader(12);
    columns.HLine(0, 0.5, 190);
    columns.Label(0, 1, 30, QStringLiteral("Törzsszám")).Bold();
    columns.Label(30, 1, 60, QStringLiteral("Név")).Bold();
    columns.Label(kDatum, 1, 30, QStringLiteral("Kifiz. dat."), Align::Right).Bold();
    columns.Label(kAlap, 6, 30, QStringLiteral("Összeg"), Align::Right).Bold();
    columns.Label(kOsszeg, 6, 30, QStringLiteral("Váll. NYB jár."), Align::Right).Bold();
    columns.HLine(0, 11.5, 190);

    auto& detail = QuickRep1.AddDetail(10);
    detail.BeforePrint = [this](bool&) { DetailBeforePrint(); };
    detail.Computed(0, 0, 30, [this] { return torzsszam_; });
    detail.Computed(30, 0, 100, [this] { return nev_; });
    detail.Computed(
        kDatum, 0, 30, [this] { return kifizDat_; }, Align::Right);
    detail.Computed(
        kAlap, 5, 30, [this] { return SzamSzoveg(alap_); }, Align::Right);
    detail.Computed(
        kOsszeg, 5, 30, [this] { return SzamSzoveg(osszeg_); }, Align::Right);

    auto& summary = QuickRep1.AddSummary(9);
    summary.HLine(0, 0.5, 190);
    summary.Label(0, 2, 30, QStringLiteral("Összesen :")).Bold();
    summary
        .Computed(
            kAlap, 2, 30, [this] { return SzamSzoveg(AlapOssz); }, Align::Right)
        .Bold();
    summary
        .Computed(
            kOsszeg, 2, 30, [this] { return SzamSzoveg(OsszegOssz); }, Align::Right)
        .Bold();
    summary.HLine(0, 8, 190);
}

void TList_MunkidoKedvOsszQRForm::DetailBeforePrint() {
    // The employee's rows of the payment date, whatever their month.
    db::Table& sorok = *DM1->TableSzamfejt;
    alap_ = osszeg_ = 0;
    for (sorok.First(); !sorok.Eof(); sorok.Next())
        if (sorok.FieldByName("SF_JCKOD").AsString() == "390") {
            alap_ += sorok.FieldByName("SF_JARALAP").AsFloat();
            osszeg_ += sorok.FieldByName("SF_OSSZEG").AsFloat();
        }
    sorok.First();
    torzsszam_ = QString::fromStdString(sorok.FieldByName("SF_DGTORZSSZAM").AsString());
    nev_ = QString::fromStdString(sorok.FieldByName("SF_DGNEV").AsString());
    kifizDat_ = QString::fromStdString(sorok.FieldByName("SF_KIFIZDAT").AsString());
    AlapOssz += alap_;
    OsszegOssz += osszeg_;
}
