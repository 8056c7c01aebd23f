#include "lists/payment/List_KifizQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

constexpr char kAlairas[] = "...................................";

// clang-format off
const std::vector<ListColumn> kOszlopok = {
    {"Dolgozó",     "SF_DGTORZSSZAM", 0,   24, Align::Left,  ColumnFormat::Text},
    {"",            "SF_DGNEV",       24,  60, Align::Left,  ColumnFormat::Text},
    {"Kif. dát.",   "SF_KIFIZDAT",    86,  22, Align::Left,  ColumnFormat::Date},
    {"Kifizetendő", "SF_OSSZEG",      110, 28, Align::Right, ColumnFormat::Amount},
};
// clang-format on

}  // namespace

TList_KifizQRForm::TList_KifizQRForm() : QuickRep1(QStringLiteral("List_KifizQRForm")) {
    QuickRep1.DataSet = DM1->Query1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_KifizQRForm")); };

    auto& header = QuickRep1.AddPageHeader(40);
    Fejlec = AddListHeader(header, QStringLiteral("Kifizetési lista"));
    const double y = Fejlec.bottom + 1;
    header.Label(0, y, 30, QStringLiteral("Kifizető hely :"));
    // A page belongs to the place whose detail band started it.
    header.Computed(30, y, 160, [] {
        return LookupText(*DM1->TableKifhely, "KH_KOD", DM1->Query1->FieldByName("SF_DGKHKOD").AsString(),
                          "KH_NEV");
    });
    header.Height = y + 6;

    auto& columns = QuickRep1.AddColumnHeader(6);
    // One per payment place: it only starts the page and the place's total.
    auto& detail = QuickRep1.AddDetail(0);
    detail.ForceNewPage = true;
    detail.BeforePrint = [this](bool&) { DetailBeforePrint(); };

    db::Table& szamfejt = *DM1->TableSzamfejt;
    auto& rows = QuickRep1.AddSubDetail(5, szamfejt);
    AddColumns(columns, 0, rows, szamfejt, kOszlopok);
    columns.HLine(0, 5.5, 190);
    rows.Label(140, 0, 50, QString::fromLatin1(kAlairas));
    rows.BeforePrint = [this, &szamfejt](bool&) { Osszesen += szamfejt.FieldByName("SF_OSSZEG").AsFloat(); };

    // Printed once after the place's rows.
    auto& footer = QuickRep1.AddSubDetail(8, std::function<bool()>());
    footer.HLine(0, 1, 190);
    footer.Label(40, 2, 60, QStringLiteral("Kifizetőhely összesen :")).Bold();
    footer
        .Computed(
            100, 2, 38, [this] { return SzamSzoveg(Osszesen); }, Align::Right)
        .Bold();
    footer.Label(140, 2, 50, QString::fromLatin1(kAlairas));
}

void TList_KifizQRForm::QuickRep1BeforePrint() {
    DM1->Query1->First();
    Osszesen = 0;
    LocateCompany();
}

void TList_KifizQRForm::DetailBeforePrint() {
    DM1->TableSzamfejt->First();
    Osszesen = 0;
}
