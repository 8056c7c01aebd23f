#include "lists/summary/List_BevEllQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "lists/summary/List_BevEll.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

constexpr double kNev = 0, kAnem = 24, kElso = 33, kSzeles = 12;  // mm

QString Mezo(const std::string& field) {
    const db::Field& f = DM1->Table1->FieldByName(field);
    return f.IsNull() ? QString() : QString::fromStdString(f.AsString());
}
QString Osszeg(const std::string& field) {
    const db::Field& f = DM1->Table1->FieldByName(field);
    return f.IsNull() ? QString() : SzamSzoveg(f.AsFloat());
}
// A row of the accounts block (not its heading or end).
bool SzamlaSor() {
    const QString sor = Mezo("SOR");
    return Mezo("BLOKK") == QLatin1String("B002") && sor != QLatin1String("FEJ") &&
           sor != QLatin1String("VEGE");
}

}  // namespace

TList_BevEllQRForm::TList_BevEllQRForm() : QuickRep1(QStringLiteral("List_BevEllQRForm")) {
    QuickRep1.DataSet = DM1->Table1;
    QuickRep1.BeforePrint = [](bool&) { LocateCompany(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_BevEllQRForm")); };

    const char* const honapok[] = {"Január", "Február", "Március", "Április", "Május", "Június",  "Július",
                                   "Aug.",   "Szept.",  "Október", "Nov.",    "Dec.",  "Összesen"};
    auto& header = QuickRep1.AddPageHeader(40);
    Fejlec = AddListHeader(header, QStringLiteral("Bevallás ellenőrző"));
    const double y = Fejlec.bottom + 1;
    header.Label(kNev, y, kAnem - kNev, QStringLiteral("Megnevezés")).Size(8);
    header.Label(kAnem, y, kElso - kAnem, QStringLiteral("Adónem")).Size(6.5);
    for (int m = 0; m < 13; ++m)
        oszlopok_[m][0] =
            &header.Label(kElso + m * kSzeles, y, kSzeles, QString::fromUtf8(honapok[m]), Align::Right)
                 .Size(7);
    header.Height = y + 5;

    // A block starts on a new page once the previous one has ended.
    QRGroup1 = &QuickRep1.AddGroupHeader(2, QStringLiteral("BLOKK"));
    QRGroup1->HLine(0, 1, 190);

    auto& detail = QuickRep1.AddDetail(4);
    detail.Computed(kNev, 0, kAnem - kNev, [] { return Mezo("NEV"); }).Size(7);
    detail.Computed(kAnem, 0, kElso - kAnem, [] { return Mezo("ANEM"); }).Size(7);
    for (int m = 0; m < 13; ++m) {
        const std::string field = m < 12 ? std::to_string(m + 1) + "_OSSZEG" : "SUM_OSSZEG";
        // Half a millimetre before each keeps a shrunk amount apart from the
        // one on its left.
        oszlopok_[m][1] =
            &detail
                 .Computed(
                     kElso + m * kSzeles + 0.5, 0, kSzeles - 0.5, [field] { return Osszeg(field); },
                     Align::Right)
                 .Size(6.5)  // 999 999 999 fits a month's column only at this size
                 .Shrink();  // a wider total or a negative one in a smaller size
    }
    detail.AfterPrint = [this] { QRGroup1->ForceNewPage = Mezo("SOR") == QLatin1String("VEGE"); };

    ChildBand1 = &detail.AddChild(5);
    ChildBand1->BeforePrint = [this](bool& print) {
        print = SzamlaSor();
        if (!print) return;
        std::array<double, 12> h{};
        for (int m = 0; m < 12; ++m)
            h[m] = DM1->Table1->FieldByName(std::to_string(m + 1) + "_OSSZEG").AsFloat();
        ezrek_ = EzerForintok(h);
    };
    utalando_ = &ChildBand1->Label(kNev, 0.5, kAnem - kNev, QStringLiteral("Utalandó")).Size(7);
    ChildBand1->Label(kAnem, 0.5, kElso - kAnem, QStringLiteral("ezer Ft")).Size(7);
    for (int m = 0; m < 13; ++m)
        oszlopok_[m][2] = &ChildBand1
                               ->Computed(
                                   kElso + m * kSzeles, 0.5, kSzeles,
                                   [this, m] { return QString::number(ezrek_[m]); }, Align::Right)
                               .Size(6.5);

    ChildBand2 = &ChildBand1->AddChild(8);
    ChildBand2->Computed(kNev, 0.5, 40, [] { return Mezo("BANKSZLA"); }).Size(7);
    ChildBand2->Computed(40, 0.5, 150, [] { return Mezo("SZOVEG"); }).Size(7);
    ChildBand2->HLine(0, 6, 190);
}

void TList_BevEllQRForm::Beallit(bool utalando, const std::array<bool, 12>& honapok) {
    Fejlec.Title->Caption =
        utalando ? QStringLiteral("Utalandó tételek") : QStringLiteral("Bevallás ellenőrző");
    utalando_->Enabled = utalando;
    bool mind = true;
    for (int m = 0; m < 12; ++m) {
        mind = mind && honapok[m];
        for (report::Control* c : oszlopok_[m]) c->Enabled = !utalando || honapok[m];
    }
    for (report::Control* c : oszlopok_[12]) c->Enabled = !utalando || mind;
    QRGroup1->ForceNewPage = false;
}
