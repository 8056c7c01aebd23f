#include "lists/payment/List_JogcimQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "core/helpers/SegedUnit.h"

namespace {

using report::Align;

// clang-format off
const std::vector<ListColumn> kOszlopok = {
    {"Dolgozó",     "SF_DGTORZSSZAM", 0,   24, Align::Left,  ColumnFormat::Text},
    {"",            "SF_DGNEV",       24,  66, Align::Left,  ColumnFormat::Text},
    {"Összeg",      "SF_OSSZEG",      90,  30, Align::Right, ColumnFormat::Amount},
    {"Kifiz. dát.", "SF_KIFIZDAT",    125, 22, Align::Left,  ColumnFormat::Date},
    {"Számlaszám",  "SF_SZAMLA",      148, 42, Align::Left,  ColumnFormat::Text},
};
// clang-format on

}  // namespace

TList_JogcimQRForm::TList_JogcimQRForm() : QuickRep1(QStringLiteral("List_JogcimQRForm")) {
    QuickRep1.DataSet = DM1->Query1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_JogcimQRForm")); };

    auto& header = QuickRep1.AddPageHeader(50);
    QRBand1 = AddListHeader(header, QStringLiteral("Listázás jogcímenként"));
    double y = QRBand1.bottom + 1;
    JogcimParamSorok(header, y, Parameterek);
    header.Height = y + 1;

    auto& columns = QuickRep1.AddColumnHeader(6);
    auto& detail = QuickRep1.AddDetail(5);
    AddColumns(columns, 0, detail, *DM1->Query1, kOszlopok);
    columns.HLine(0, 5.5, 190);
    detail.BeforePrint = [this](bool&) { Osszesen += DM1->Query1->FieldByName("SF_OSSZEG").AsFloat(); };

    auto& summary = QuickRep1.AddSummary(8);
    summary.HLine(0, 1, 190);
    summary.Label(60, 2, 28, QStringLiteral("összesen :")).Bold();
    summary
        .Computed(
            90, 2, 30, [this] { return QString::number(Kerekit(Osszesen)); }, Align::Right)
        .Bold();
}

void TList_JogcimQRForm::QuickRep1BeforePrint() {
    DM1->Query1->First();
    Osszesen = 0;
    LocateCompany();
}
