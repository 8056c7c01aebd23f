#include "lists/summary/List_KoltsFelosztQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

constexpr double kSor = 4.2;  // mm: a row, when itemised
constexpr double kOsszeg = 52, kSzeles = 20, kElso = kOsszeg + kSzeles + 2, kResz = 18.5;

// The columns after the item: the amount and the shares; the two headed
// columns without a field stay empty.
struct Oszlop {
    const char* cim;
    const char* mezo;  // nullptr: no data
};
const Oszlop kOszlopok[] = {
    {"TBJ_EB", "MTBJ_EB"},   {"TBJ_EBP", "MTBJ_EBP"},     {"TBJ_NYB", "MTBJ_NYB"}, {"MPJ", "MMAJ"},
    {"MNYPV", "MMNYPV"},     {"TERMADO", nullptr},        {"START10", "MSTART10"}, {"START20", "MSTART20"},
    {"SZAKKEP", "MSZAKKEP"}, {"KORBIZJAR", "MKORBIZJAR"}, {"KTERMADO", nullptr},
};

double Ertek(const char* field) { return DM1->Table1->FieldByName(field).AsFloat(); }
QString Szoveg(const char* field) {
    return QString::fromStdString(DM1->Table1->FieldByName(field).AsString());
}

}  // namespace

TList_KoltsFelosztQRForm::TList_KoltsFelosztQRForm() : QuickRep1(QStringLiteral("List_KoltsFelosztQRForm")) {
    QuickRep1.Page.orientation = report::Orientation::Landscape;
    QuickRep1.DataSet = DM1->Table1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_KoltsFelosztQRForm")); };

    auto& header = QuickRep1.AddPageHeader(40);
    Fejlec = AddListHeader(header, QStringLiteral("Költségfelosztás"), false, PrintableWidth(QuickRep1.Page));
    header.Label(0, Fejlec.bottom + 1, 15, QStringLiteral("Hónap :"));
    header.Computed(16, Fejlec.bottom + 1, 20, [this] { return honap_; });
    header.Height = Fejlec.bottom + 7;

    // The amount column and the shares, by position in the sums.
    std::vector<const char*> mezok = {"OSSZEG"};
    for (const Oszlop& o : kOszlopok)
        if (o.mezo) mezok.push_back(o.mezo);

    auto& cimek = QuickRep1.AddColumnHeader(6);
    cimek.Label(0, 0, 16, QStringLiteral("Munkasz."));
    cimek.Label(16, 0, 24, QStringLiteral("Törzssz."));
    cimek.Label(40, 0, 12, QStringLiteral("Jogcím"));
    cimek.Label(kOsszeg, 0, kSzeles, QStringLiteral("Összeg"), Align::Right);
    for (size_t i = 0; i < std::size(kOszlopok); ++i)
        cimek.Label(kElso + i * kResz, 0.5, kResz, QString::fromUtf8(kOszlopok[i].cim), Align::Right).Size(8);
    cimek.HLine(0, 5.5, 277);

    // A sum's text by its column: the empty text for the columns without data.
    auto sorok = [&](report::Band& band, const std::function<QString(size_t)>& szoveg) {
        band.Computed(
                kOsszeg, 0, kSzeles, [szoveg] { return szoveg(0); }, Align::Right)
            .Size(8);
        size_t hely = 1;
        for (size_t i = 0; i < std::size(kOszlopok); ++i) {
            if (!kOszlopok[i].mezo) {
                band.Label(kElso + i * kResz, 0, kResz, QString(), Align::Right).Size(8);
                continue;
            }
            band.Computed(
                    kElso + i * kResz, 0, kResz, [szoveg, hely] { return szoveg(hely); }, Align::Right)
                .Size(8);
            ++hely;
        }
    };

    QRGroup1 = &QuickRep1.AddGroupHeader(kSor, QStringLiteral("MUNKASZAM"));
    QRGroup1->BeforePrint = [this](bool&) { csoport_.fill(0); };

    DetailBand1 = &QuickRep1.AddDetail(kSor);
    DetailBand1->Computed(0, 0, 16, [] { return Szoveg("MUNKASZAM"); }).Size(8);
    DetailBand1->Computed(16, 0, 24, [] { return Szoveg("DOLGOZO_KOD"); }).Size(8);
    DetailBand1->Computed(40, 0, 12, [] { return Szoveg("JOGCIM"); }).Size(8);
    sorok(*DetailBand1, [mezok](size_t i) { return SzamSzoveg(Ertek(mezok[i])); });
    DetailBand1->BeforePrint = [this, mezok](bool&) {
        for (size_t i = 0; i < mezok.size(); ++i) {
            csoport_[i] += Ertek(mezok[i]);
            mind_[i] += Ertek(mezok[i]);
        }
    };

    auto& lab = QuickRep1.AddGroupFooter(*QRGroup1, 6);
    lab.Computed(0, 0.5, 16, [] { return Szoveg("MUNKASZAM"); }).Size(8).Bold();
    lab.Label(16, 0.5, 30, QStringLiteral("Összesen:")).Size(8).Bold();
    sorok(lab, [this](size_t i) { return SzamSzoveg(csoport_[i]); });
    for (auto& c : lab.Controls()) c.Top = 0.5, c.Font.style |= report::Bold;

    auto& osszesen = QuickRep1.AddSummary(8);
    osszesen.HLine(0, 0.5, 277);
    osszesen.Label(0, 1.5, 40, QStringLiteral("Mindösszesen:")).Size(8).Bold();
    sorok(osszesen, [this](size_t i) { return SzamSzoveg(mind_[i]); });
    for (auto& c : osszesen.Controls())
        if (c.Kind != report::ControlKind::HLine) c.Top = 1.5, c.Font.style |= report::Bold;
}

void TList_KoltsFelosztQRForm::Beallit(bool tetelesen, const QString& honap) {
    tetelesen_ = tetelesen;
    honap_ = honap;
}

void TList_KoltsFelosztQRForm::QuickRep1BeforePrint() {
    QRGroup1->Height = tetelesen_ ? kSor : 0;
    DetailBand1->Height = tetelesen_ ? kSor : 0;
    csoport_.fill(0);
    mind_.fill(0);
    LocateCompany();
}
