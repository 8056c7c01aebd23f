#include "lists/payment/List_KifizJarulQR.h"

#include <algorithm>

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

constexpr double kDatum = 24;   // mm: the payment date's column
constexpr double kElso = 46;    // mm: the first amount column
constexpr double kSzeles = 18;  // mm: an amount column, 999 999 999 and a blank

double OszlopX(size_t i) { return kElso + i * kSzeles; }

}  // namespace

// clang-format off
const std::array<TList_KifizJarulQRForm::Oszlop, 8> TList_KifizJarulQRForm::Oszlopok = {{
    {"Munkabér",    {"270"}},
    {"Kereset",     {"271"}},
    {"SZJA",        {"320", "321", "322"}},
    {"NYJ 10%",     {"300", "301"}},
    {"EBJ term 4%", {"306"}},
    {"EBJ pénz 3%", {"307"}},
    {"MPJ d. 1,5%", {"304"}},
    {"Nettó",       {"755"}},
}};
// clang-format on

TList_KifizJarulQRForm::TList_KifizJarulQRForm() : QuickRep1(QStringLiteral("List_KifizJarulQRForm")) {
    QuickRep1.DataSet = &Query3;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_KifizJarulQRForm")); };

    auto& header = QuickRep1.AddPageHeader(50);
    Fejlec = AddListHeader(header, QStringLiteral("Kifizetési lista levonásokkal"));
    double y = Fejlec.bottom + 1;
    const ParamLines line(header, y, 24, 124);
    line.Add(QStringLiteral("Hónap :"), Parameterek, &Parameterek::honap);
    line.Add(QStringLiteral("Munkahely :"), Parameterek, &Parameterek::munkahely);
    line.Add(QStringLiteral("Dolgozó :"), Parameterek, &Parameterek::dolgozo);
    header.Height = y + 1;

    // Ruled above and below: the employee's captions, then the date's and the columns'.
    auto& columns = QuickRep1.AddColumnHeader(12);
    columns.HLine(0, 0.5, 190);
    columns.Label(0, 1, kDatum, QStringLiteral("Törzsszám")).Bold();
    columns.Label(kDatum, 1, 60, QStringLiteral("Név")).Bold();
    KifizDatumCim = &columns.Label(kDatum, 6, kElso - kDatum, QStringLiteral("Kifiz. dátum"));
    KifizDatumCim->Bold();
    for (size_t i = 0; i < Oszlopok.size(); ++i)
        // The heads are longer than the amounts: a smaller size keeps them whole.
        columns.Label(OszlopX(i), 6, kSzeles, QString::fromUtf8(Oszlopok[i].cim), Align::Right)
            .Bold()
            .Size(8);
    columns.HLine(0, 11.5, 190);

    auto& detail = QuickRep1.AddDetail(5);
    detail.BeforePrint = [this](bool&) { DetailBeforePrint(); };
    detail.Field(0, 0, kDatum, "pDOLGOZO").From(Query3);
    detail.Field(kDatum, 0, 100, "DG_NEV").From(Query3);

    QRSubDetail1 = &QuickRep1.AddSubDetail(5, Query1);
    QRSubDetail1->BeforePrint = [this](bool&) { QRSubDetail1BeforePrint(); };
    QRSubDetail1->Field(kDatum, 0, kElso - kDatum, "pKIFIZDAT").From(Query1);
    for (size_t i = 0; i < Sor.size(); ++i)
        QRSubDetail1->Computed(
            OszlopX(i), 0, kSzeles, [this, i] { return QString::number(Sor[i]); }, Align::Right);

    // Printed once after the employee's payment dates.
    auto& footer = QuickRep1.AddSubDetail(6, std::function<bool()>());
    OsszesenCim = &footer.Label(kDatum, 0.5, kElso - kDatum, QStringLiteral("Összesen :"));
    for (size_t i = 0; i < Dolgozo.size(); ++i)
        footer.Computed(
            OszlopX(i), 0.5, kSzeles, [this, i] { return QString::number(Dolgozo[i].Value()); },
            Align::Right);

    auto& summary = QuickRep1.AddSummary(8);
    summary.HLine(0, 0.5, 190);
    summary.Label(kDatum, 2, kElso - kDatum, QStringLiteral("Összesen :")).Bold();
    for (size_t i = 0; i < Mind.size(); ++i)
        summary
            .Computed(
                OszlopX(i), 2, kSzeles, [this, i] { return QString::number(Mind[i].Value()); }, Align::Right)
            .Bold();
}

void TList_KifizJarulQRForm::Beallit(const ListSql& dolgozok, const ListSql& datumok, const ListSql& sorok,
                                     bool tetelesen, bool listaDatum) {
    tetelesen_ = tetelesen;
    for (db::Query* q : {&Query1, &Query2, &Query3}) {
        q->Close();
        q->DatabaseName = DM1->TableSzamfejt->DatabaseName;
    }
    datumok.Apply(Query1);
    sorok.Apply(Query2);
    dolgozok.Apply(Query3);
    Query3.Open();
    Fejlec.DatumMutat(listaDatum);
    KifizDatumCim->Enabled = tetelesen;
}

void TList_KifizJarulQRForm::Bezar() {
    for (db::Query* q : {&Query2, &Query1, &Query3}) {
        try {
            q->Close();
        } catch (const std::exception&) {
            // Closing a read-only query loses nothing.
        }
        q->SetSQL("");
    }
}

void TList_KifizJarulQRForm::QuickRep1BeforePrint() {
    for (auto& t : Dolgozo) t.Reset();
    for (auto& t : Mind) t.Reset();
    Query3.First();
    // Unticked, a payment date is still summed but takes no room.
    QRSubDetail1->Height = tetelesen_ ? 5 : 0;
    OsszesenCim->Enabled = tetelesen_;
    LocateCompany();
}

void TList_KifizJarulQRForm::DetailBeforePrint() {
    ReopenChained(Query1, Query3);
    for (auto& t : Dolgozo) t.Reset();
}

void TList_KifizJarulQRForm::QRSubDetail1BeforePrint() {
    ReopenChained(Query2, Query1);
    std::array<double, 8> osszeg{};
    for (Query2.First(); !Query2.Eof(); Query2.Next()) {
        const std::string kod = Query2.FieldByName("SF_JCKOD").AsString();
        for (size_t i = 0; i < Oszlopok.size(); ++i) {
            const auto& kodok = Oszlopok[i].kodok;
            if (std::find(kodok.begin(), kodok.end(), kod) != kodok.end())
                osszeg[i] += Query2.FieldByName("SF_OSSZEG").AsFloat();
        }
    }
    // Each column is rounded once a line, then enters the 32-bit totals.
    for (size_t i = 0; i < Sor.size(); ++i) {
        Sor[i] = static_cast<long long>(Kerekit(osszeg[i]));
        Dolgozo[i].Add(Sor[i]);
        Mind[i].Add(Sor[i]);
    }
}
