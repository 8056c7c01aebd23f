#include "lists/occasional/List_BerkartonQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "platform/db/Table.h"

const char* const kBerkartonHonapok[13] = {"Január",   "Február",  "Március",  "Április", "Május",
                                           "Június",   "Július",   "Auguszt.", "Szept.",  "Október",
                                           "November", "December", "Összesen"};

namespace {

using report::Align;

constexpr double kElso = 36;      // mm: the first month's column
constexpr double kSzeles = 11.8;  // mm: a month's column

double X(int i) { return kElso + i * kSzeles; }

QString Elotag(int i) { return i == 12 ? QStringLiteral("SUM") : QStringLiteral("H%1").arg(i + 1); }

QString Dolgozo(const char* field) {
    return LookupText(*DM1->TableDolgozo, "DG_TORZSSZAM", DM1->Table1->FieldByName("DOLGOZO_KOD").AsString(),
                      field);
}

}  // namespace

TList_BerkartonQRForm::TList_BerkartonQRForm() : QuickRep1(QStringLiteral("List_BerkartonQRForm")) {
    db::Table& t = *DM1->Table1;
    QuickRep1.DataSet = &t;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_BerkartonQRForm")); };

    auto& header = QuickRep1.AddPageHeader(40);
    Fejlec = AddListHeader(header, QStringLiteral("Bérkarton"));
    Fejlec.DatumMutat(true);
    header.Height = Fejlec.bottom + 1;

    // A page per employee: his data and the column heads.
    auto& csoport = QuickRep1.AddGroupHeader(30, QStringLiteral("DOLGOZO_KOD"));
    csoport.ForceNewPage = true;
    csoport.Computed(0, 0, 24,
                     [&t] { return QString::fromStdString(t.FieldByName("DOLGOZO_KOD").AsString()); });
    csoport.Computed(26, 0, 100, [] { return (Dolgozo("DG_TITULUS") + " " + Dolgozo("DG_NEV")).trimmed(); })
        .Bold();
    auto adat = [&](double x, double y, const QString& cim, std::function<QString()> ertek) {
        csoport.Label(x, y, 22, cim);
        return &csoport.Computed(x + 22, y, 40, std::move(ertek));
    };
    auto datum = [](const char* field) {
        db::Table& d = *DM1->TableDolgozo;
        if (!d.Locate("DG_TORZSSZAM", DM1->Table1->FieldByName("DOLGOZO_KOD").AsString())) return QString();
        return ColumnText(d, ListColumn{"", field, 0, 0, Align::Left, ColumnFormat::Date});
    };
    adat(0, 6, QStringLiteral("Belépés :"), [datum] { return datum("DG_BELEPDAT"); });
    adat(64, 6, QStringLiteral("Kilépés :"), [datum] { return datum("DG_KILEPDAT"); });
    adat(128, 6, QStringLiteral("Alapbér :"), [] {
        const QString s = Dolgozo("DG_ALAPBER");
        return s.isEmpty() ? s : SzamSzoveg(s.toDouble());
    });
    adat(0, 11, QStringLiteral("Fogyatékos:"), [] { return Dolgozo("DG_FOGYKEDV"); });
    adat(64, 11, QStringLiteral("Munkahely :"), [] {
        const QString mh = Dolgozo("DG_MHKOD");
        return mh + " " + LookupText(*DM1->TableMhely, "MH_KOD", mh.toStdString(), "MH_NEV");
    })->Width = 104;  // to the right margin
    csoport.Controls().back().Shrink();
    csoport.HLine(0, 17.5, 190);
    for (int i = 0; i < 13; ++i)
        csoport.Label(X(i), 19, kSzeles, QString::fromUtf8(kBerkartonHonapok[i]), Align::Right)
            .Size(6.5)
            .Bold();
    csoport.HLine(0, 24.5, 190);
    csoport.Height = 26;

    auto& detail = QuickRep1.AddDetail(4.5);
    detail.BeforePrint = [this](bool&) { QRBand2BeforePrint(); };
    detail.Field(0, 0, 8, "JOGCIM_KOD").Size(7);
    detail.Field(8, 0, 27.5, "JOGCIM_NEV").Size(7).Shrink();
    // 999 999 999 fits a month's column only at this size.
    for (int i = 0; i < 13; ++i) detail.Field(X(i), 0, kSzeles, Elotag(i) + "_OSSZEG", Align::Right).Size(6);

    // Days and hours side by side in each month's column.
    Child = &detail.AddChild(4);
    for (int i = 0; i < 13; ++i) {
        Child->Field(X(i), 0, kSzeles / 2, Elotag(i) + "_NAP", Align::Right).Size(6);
        Child->Field(X(i) + kSzeles / 2, 0, kSzeles / 2, Elotag(i) + "_ORA", Align::Right).Size(6);
    }
}

void TList_BerkartonQRForm::QuickRep1BeforePrint() { LocateCompany(); }

void TList_BerkartonQRForm::QRBand2BeforePrint() {
    db::Table& t = *DM1->Table1;
    Child->Enabled = t.FieldByName("SUM_NAP").AsInteger() != 0 || t.FieldByName("SUM_ORA").AsInteger() != 0;
}
