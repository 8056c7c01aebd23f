#include "lists/payment/List_CimletjegyzQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

// The captions of the denominations; those of 2 and 1 are not printed.
const std::array<const char*, 14> kCimkek = {"20e", "10e", "5000", "2000", "1000", "500", "200",
                                             "100", "50",  "20",   "10",   "5",    "2",   "1"};
constexpr size_t kNyomtatott = 12;
constexpr double kOszlop = 13;  // mm a denomination

// "Kifizetőhely :"/"Összesen :" with the total, then "Címlet :" with the
// captions and the counts of `c`.
void CimletSorok(report::Band& band, const QString& cim, std::function<QString()> kod, const Cimletek* c) {
    band.Label(0, 1, 30, cim).Bold();
    if (kod) band.Computed(30, 1, 30, std::move(kod));
    band.Computed(
            60, 1, 30, [c] { return SzamSzoveg(c->osszeg); }, Align::Right)
        .Bold();
    band.Label(0, 7, 22, QStringLiteral("Címlet :"));
    for (size_t i = 0; i < kNyomtatott; ++i) {
        const double x = 22 + i * kOszlop;
        band.Label(x, 7, kOszlop, QString::fromLatin1(kCimkek[i]), Align::Right);
        band.Computed(
            x, 12, kOszlop, [c, i] { return QString::number(c->darab[i]); }, Align::Right);
    }
}

}  // namespace

void Cimletek::Hozzaad(double kifizetendo) {
    osszeg += kifizetendo;
    const long long kerekitett = static_cast<long long>(Kerekit(kifizetendo));
    if (kerekitett <= 0) return;  // no envelope to fill
    const auto d = CimletBontas(kerekitett);
    for (size_t i = 0; i < darab.size(); ++i) darab[i] += d[i];
}

void Cimletek::Hozzaad(const Cimletek& masik) {
    osszeg += masik.osszeg;
    for (size_t i = 0; i < darab.size(); ++i) darab[i] += masik.darab[i];
}

TList_CimletjegyzQRForm::TList_CimletjegyzQRForm() : QuickRep1(QStringLiteral("List_CimletjegyzQRForm")) {
    QuickRep1.DataSet = DM1->Query1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_CimletjegyzQRForm")); };

    auto& header = QuickRep1.AddPageHeader(40);
    Fejlec = AddListHeader(header, QStringLiteral("Címletjegyzék"));
    const double y = Fejlec.bottom + 1;
    header.Label(0, y, 28, QStringLiteral("Kifiz. dat. :"));
    header.Computed(28, y, 60, [this] { return KifizDat; });
    header.Label(0, y + 5, 28, QStringLiteral("Kifiz. hely :"));
    header.Computed(28, y + 5, 60, [this] { return KifizHely; });
    header.HLine(0, y + 11, 190);
    header.Height = y + 12;

    auto& detail = QuickRep1.AddDetail(19);
    detail.BeforePrint = [this](bool&) { QRBand2BeforePrint(); };
    CimletSorok(
        detail, QStringLiteral("Kifizetőhely :"),
        [] { return QString::fromStdString(DM1->Query1->FieldByName("SF_DGKHKOD").AsString()); }, &Hely);

    auto& summary = QuickRep1.AddSummary(20);
    summary.HLine(0, 0.5, 190);
    CimletSorok(summary, QStringLiteral("Összesen :"), nullptr, &Mindosszes);
}

void TList_CimletjegyzQRForm::QuickRep1BeforePrint() {
    DM1->Query1->First();
    Mindosszes = {};
    LocateCompany();
}

void TList_CimletjegyzQRForm::QRBand2BeforePrint() {
    // Each employee's payable is split by itself: the counts fill the pay
    // envelopes, they are not the split of the place's total.
    Hely = {};
    db::Table& t = *DM1->TableSzamfejt;
    for (t.First(); !t.Eof(); t.Next())
        if (t.FieldByName("SF_JCKOD").AsString() == "750") Hely.Hozzaad(t.FieldByName("SF_OSSZEG").AsFloat());
    Mindosszes.Hozzaad(Hely);
}
