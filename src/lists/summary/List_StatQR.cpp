#include "lists/summary/List_StatQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

constexpr double kFelirat = 12;  // mm: the caption after the row number
constexpr double kElso = 110;    // mm: column A
constexpr double kSzeles = 20;   // mm: a cell

struct Sor {
    const char* szam;
    const char* felirat;
    const char* cellak[4];  // A to D; empty: no cell
};

// clang-format off
const Sor kElsoResz[] = {
    {"1.1",  "Teljes munkaidős fizikai foglalkoztatásúak",                  {"S11A", "S11B", "S11C", "S11D"}},
    {"1.2",  "Teljes munkaidős szellemi foglalkoztatásúak",                 {"S12A", "S12B", "S12C", "S12D"}},
    {"1.3",  "Nem teljes munkaidős fizikai foglalkoztatásúak",              {"S13A", "S13B", "S13C", "S13D"}},
    {"1.4",  "Nem teljes munkaidős szellemi foglalkoztatásúak",             {"S14A", "S14B", "S14C", "S14D"}},
    {"1.5",  "Havi 60 munkaóránál rövidebb munkaidőben foglalkoztatottak",  {"S15A", "S15B", "S15C", "S15D"}},
    {"1.6",  "Egyéb, állományba nem tartozó munkavállalók",                 {"",     "S16B", "S16C", "S16D"}},
    {"1.7",  "Egyéb foglalkoztatottak",                                     {"S17A", "",     "",     ""}},
    {"1.8",  "Összesen",                                                    {"S18A", "S18B", "S18C", "S18D"}},
    {"1.9",  "Nem magyar állampolgárságú munkavállalók",                    {"S19A", "S19B", "S19C", "S19D"}},
    {"1.10", "Kölcsönvett munkavállalók",                                   {"S110A", "",    "",     ""}},
    {"1.11", "Technikai összesen",                                          {"S111A", "S111B", "S111C", "S111D"}},
};
// The captions of rows 2.1 and 2.2 are printed as the return words them.
const Sor kMasodikResz[] = {
    {"2.1", "Teljes munkaidóben foglalkoztatott fizikaiak teljesített munkaórái",         {"S21A"}},
    {"2.2", "Teljes munkaidóben foglalkoztatott szellemiek teljesített munkaórái",        {"S22A"}},
    {"2.3", "Nem teljes munkaidőben legalább 60 munkaórában foglalkoztatottak",           {"S23A"}},
    {"2.4", "Nem teljes munkaidőben 60 munkaóránál rövidebb munkaidőben foglalkoztatottak", {"S24A"}},
    {"2.5", "Teljesített túlórák száma összesen",                                         {"S25A"}},
    {"2.6", "Kölcsönvett munkavállalók",                                                  {"S26A"}},
    {"2.7", "Technikai összesen",                                                         {"S27A"}},
};
// clang-format on

QString Cella(const char* field) {
    db::Field& f = DM1->Table1->FieldByName(field);
    return f.IsNull() ? QString() : SzamSzoveg(f.AsFloat());
}

}  // namespace

TList_StatQRForm::TList_StatQRForm() : QuickRep1(QStringLiteral("List_StatQRForm")) {
    QuickRep1.DataSet = DM1->Table1;
    QuickRep1.BeforePrint = [](bool&) { LocateCompany(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_StatQRForm")); };

    auto& header = QuickRep1.AddPageHeader(40);
    Fejlec = AddListHeader(header, QStringLiteral("Munkaügyi adatok"), true);
    header.Height = Fejlec.bottom + 2;

    auto& detail = QuickRep1.AddDetail(200);
    double y = 2;
    detail.HLine(0, y, 190);
    detail.Label(0, y + 1, 100, QStringLiteral("1. Létszám, kereset és egyéb munkajövedelem")).Bold();
    const char* const fejlec[] = {"Állományi létszám", "Összesen kereset 1000 Ft", "Egyéb munkajöv. 1000 Ft",
                                  "Prémium és jutalom 1000 Ft."};
    for (int o = 0; o < 4; ++o)
        detail.Memo(kElso + o * kSzeles, y + 1, kSzeles, 10, QString::fromUtf8(fejlec[o])).Size(7).Bold();
    y += 12;
    detail.HLine(0, y, 190);
    y += 1;
    // The longest caption of section 2 fits its width only in the smaller size.
    auto sor = [&](const Sor& s, int cellak, double meret) {
        detail.Label(0, y, kFelirat, QString::fromUtf8(s.szam));
        detail.Label(kFelirat, y, kElso - kFelirat, QString::fromUtf8(s.felirat)).Size(meret);
        for (int o = 0; o < cellak; ++o) {
            if (!s.cellak[o] || !*s.cellak[o]) continue;
            const char* field = s.cellak[o];
            detail.Computed(
                kElso + o * kSzeles, y, kSzeles, [field] { return Cella(field); }, Align::Right);
        }
        y += 5;
    };
    for (const Sor& s : kElsoResz) sor(s, 4, 8);
    y += 4;
    detail.HLine(0, y, 190);
    detail.Label(0, y + 1, 100, QStringLiteral("2. Teljesített munkaórák száma")).Bold();
    detail.Label(kElso, y + 1, kSzeles, QStringLiteral("Óra"), Align::Right).Bold();
    y += 6;
    detail.HLine(0, y, 190);
    y += 1;
    for (const Sor& s : kMasodikResz) sor(s, 1, 7);
    detail.Height = y + 2;
}
