#include "lists/summary/List_JarulOsszQR.h"

#include <algorithm>

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

constexpr double kNev = 22;     // mm
constexpr double kElso = 69;    // mm: the first column; the last ends at the right margin
constexpr double kSzeles = 16;  // mm: a column

double OszlopX(size_t i) { return kElso + i * kSzeles; }

// The kind's name of the value set; empty when the set has none.
QString FajtaNev(const std::string& kod) {
    db::Table& t = *DM1->TableErtekkeszlet;
    if (!t.Locate("EK_TIPUS;EK_ERTEK", {db::Variant(std::string("2")), db::Variant(kod)})) return {};
    return QString::fromStdString(t.FieldByName("EK_ERTEKNEV").AsString());
}

}  // namespace

// clang-format off
const std::array<TList_JarulOsszQRForm::Oszlop, 13> TList_JarulOsszQRForm::Oszlopok = {{
    {"SZJA",          false, {"320", "321", "322"}},
    {"NYJ",           true,  {"300", "301"}},
    {"EBJ term",      true,  {"306"}},
    {"EBJ pénz",      true,  {"307"}},
    {"MPJ dolg.",     true,  {"304"}},
    {"SZHA",          true,  {"330"}},
    {"SZHA lev.",     true,  {"326"}},
    {"Termadó",       true,  {"334A", "334B"}},
    {"SZHA term.",    true,  {"341A", "341B"}},
    {"Szakkép.",      true,  {"351"}},
    {"EÜ szolg.jár.", true,  {"342"}},
    {"SZHA kedv.",    false, {"328"}, true},
    {"EFO közteher",  false, {"281B"}},
}};
// clang-format on

TList_JarulOsszQRForm::TList_JarulOsszQRForm() : QuickRep1(QStringLiteral("List_JarulOsszQRForm")) {
    QuickRep1.Page.orientation = report::Orientation::Landscape;
    QuickRep1.DataSet = &Query1;
    QuickRep1.BeforePrint = [this](bool&) {
        for (auto* totals : {&fajta_, &mind_})
            for (auto& cell : *totals)
                for (Int32Total& t : cell) t.Reset();
        Query1.First();
        // Unticked, the employees are still summed but take no room.
        QRSubDetail1->Height = tetelesen_ ? 10 : 0;
        LocateCompany();
    };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_JarulOsszQRForm")); };

    auto& header = QuickRep1.AddPageHeader(40);
    QRBand1 =
        AddListHeader(header, QStringLiteral("Járulék összesítő"), false, PrintableWidth(QuickRep1.Page));
    double y = QRBand1.bottom + 1;
    const ParamLines line(header, y, 24, 174);
    line.Add(QStringLiteral("Hónap :"), Parameterek, &Parameterek::honap);
    line.Add(QStringLiteral("Munkahely :"), Parameterek, &Parameterek::munkahely);
    line.Add(QStringLiteral("Dolgozó :"), Parameterek, &Parameterek::dolgozo);
    header.Height = y + 1;

    auto& columns = QuickRep1.AddColumnHeader(12);
    columns.HLine(0, 0.5, 277);
    columns.Label(0, 1, kNev, QStringLiteral("Törzsszám")).Bold();
    columns.Label(kNev, 1, 45, QStringLiteral("Név")).Bold();
    for (size_t i = 0; i < Oszlopok.size(); ++i) {
        if (Oszlopok[i].alap)
            columns.Label(OszlopX(i), 1, kSzeles, QStringLiteral("alap"), Align::Right).Bold();
        columns.Label(OszlopX(i), 6, kSzeles, QString::fromUtf8(Oszlopok[i].cim), Align::Right)
            .Size(6.5)
            .Bold();
    }
    columns.HLine(0, 11.5, 277);

    // Two lines of cells: the bases above, the amounts below.
    auto cells = [](report::Band& band, double top, std::function<long long(size_t, int)> value) {
        for (size_t i = 0; i < Oszlopok.size(); ++i) {
            if (Oszlopok[i].alap)
                band.Computed(
                        OszlopX(i), top, kSzeles, [value, i] { return QString::number(value(i, 0)); },
                        Align::Right)
                    .Size(8);  // 999 999 999 fits a column only at this size
            band.Computed(
                    OszlopX(i), top + 5, kSzeles, [value, i] { return QString::number(value(i, 1)); },
                    Align::Right)
                .Size(8);
        }
    };

    auto& detail = QuickRep1.AddDetail(6);
    detail.BeforePrint = [this](bool&) {
        fajtaNev_ = FajtaNev(Query1.FieldByName("pALKMIN").AsString());
        for (auto& cell : fajta_)
            for (Int32Total& t : cell) t.Reset();
        ReopenChained(Query2, Query1);
    };
    detail.Label(0, 0.5, 40, QStringLiteral("Alkalmazási minőség :")).Bold();
    detail.Field(40, 0.5, 10, "pALKMIN").From(Query1).Bold();
    detail.Computed(50, 0.5, 120, [this] { return fajtaNev_; }).Bold();

    QRSubDetail1 = &QuickRep1.AddSubDetail(10, Query2);
    QRSubDetail1->BeforePrint = [this](bool&) { DolgozoBeforePrint(); };
    QRSubDetail1->Field(0, 0, kNev, "pDOLGOZO").From(Query2);
    QRSubDetail1->Field(kNev, 0, kElso - kNev - 1, "DG_NEV").From(Query2).Shrink();
    cells(*QRSubDetail1, 0, [this](size_t i, int s) { return dolgozo_[i][s]; });

    // Printed once after the kind's employees.
    auto& footer = QuickRep1.AddSubDetail(11, std::function<bool()>());
    footer.Label(kNev, 0.5, 40, QStringLiteral("Összesen :")).Bold();
    cells(footer, 0.5, [this](size_t i, int s) { return fajta_[i][s].Value(); });

    auto& summary = QuickRep1.AddSummary(12);
    summary.HLine(0, 0.5, 277);
    summary.Label(kNev, 1.5, 40, QStringLiteral("Összesen :")).Bold();
    cells(summary, 1.5, [this](size_t i, int s) { return mind_[i][s].Value(); });
}

void TList_JarulOsszQRForm::DolgozoBeforePrint() {
    ReopenChained(Query3, Query2);
    std::array<std::array<double, 2>, 13> osszeg{};
    for (Query3.First(); !Query3.Eof(); Query3.Next()) {
        const std::string kod = Query3.FieldByName("SF_JCKOD").AsString();
        for (size_t i = 0; i < Oszlopok.size(); ++i) {
            const auto& kodok = Oszlopok[i].kodok;
            if (std::find(kodok.begin(), kodok.end(), kod) == kodok.end()) continue;
            osszeg[i][0] += Query3.FieldByName("SF_JARALAP").AsFloat();
            osszeg[i][1] += Query3.FieldByName("SF_OSSZEG").AsFloat();
        }
    }
    // Each cell is rounded per employee, then enters the 32-bit totals.
    for (size_t i = 0; i < Oszlopok.size(); ++i)
        for (int s = 0; s < 2; ++s) {
            if (s == 0 && !Oszlopok[i].alap) {
                dolgozo_[i][s] = 0;
                continue;
            }
            const double v = Oszlopok[i].levonas ? -osszeg[i][s] : osszeg[i][s];
            dolgozo_[i][s] = static_cast<long long>(Kerekit(v));
            fajta_[i][s].Add(dolgozo_[i][s]);
            mind_[i][s].Add(dolgozo_[i][s]);
        }
}

void TList_JarulOsszQRForm::Beallit(const ListSql& fajtak, const ListSql& dolgozok, const ListSql& sorok,
                                    bool tetelesen, bool listaDatum) {
    tetelesen_ = tetelesen;
    for (db::Query* q : {&Query1, &Query2, &Query3}) {
        q->Close();
        q->DatabaseName = DM1->TableSzamfejt->DatabaseName;
    }
    fajtak.Apply(Query1);
    dolgozok.Apply(Query2);
    sorok.Apply(Query3);
    Query1.Open();
    QRBand1.DatumMutat(listaDatum);
}

void TList_JarulOsszQRForm::Bezar() {
    for (db::Query* q : {&Query3, &Query2, &Query1}) {
        try {
            q->Close();
        } catch (const std::exception&) {
            // Closing a read-only query loses nothing.
        }
        q->SetSQL("");
    }
}
