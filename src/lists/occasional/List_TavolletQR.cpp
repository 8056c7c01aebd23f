#include "lists/occasional/List_TavolletQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

// clang-format off
const std::vector<ListColumn> kOszlopok = {
    {"Jogcím", "SF_JCKOD", 0,   13, Align::Left,  ColumnFormat::Text},
    {"",       "JC_NEV",   13,  68, Align::Left,  ColumnFormat::Text},
    {"Nap",    "SF_NAP",   82,  14, Align::Right, ColumnFormat::Amount},
    {"Tól",    "SF_TOL",   100, 22, Align::Left,  ColumnFormat::Date},
    {"Ig",     "SF_IG",    128, 22, Align::Left,  ColumnFormat::Date},
};
// clang-format on

}  // namespace

TList_TavolletQRForm::TList_TavolletQRForm() : QuickRep1(QStringLiteral("List_TavolletQRForm")) {
    db::Query& q = *DM1->Query1;
    QuickRep1.DataSet = &q;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_TavolletQRForm")); };

    auto& header = QuickRep1.AddPageHeader(40);
    Fejlec = AddListHeader(header, QStringLiteral("Távollétek"));
    Fejlec.DatumMutat(true);
    header.Height = Fejlec.bottom + 1;

    auto& csoport = QuickRep1.AddGroupHeader(18, QStringLiteral("SF_DGTORZSSZAM"));
    csoport.ForceNewPage = true;
    csoport.Computed(0, 0, 24,
                     [&q] { return QString::fromStdString(q.FieldByName("SF_DGTORZSSZAM").AsString()); });
    csoport
        .Computed(26, 0, 100,
                  [&q] {
                      return LookupText(*DM1->TableDolgozo, "DG_TORZSSZAM",
                                        q.FieldByName("SF_DGTORZSSZAM").AsString(), "DG_NEV");
                  })
        .Bold();
    auto& detail = QuickRep1.AddDetail(5);
    AddColumns(csoport, 8, detail, q, kOszlopok);
    csoport.Label(122, 8, 6, QStringLiteral("-"));
    csoport.HLine(0, 13.5, 190);
    detail.Label(122, 0, 6, QStringLiteral("-"));
}

void TList_TavolletQRForm::QuickRep1BeforePrint() {
    DM1->Query1->First();
    LocateCompany();
}
