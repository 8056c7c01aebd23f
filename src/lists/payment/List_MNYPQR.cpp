#include "lists/payment/List_MNYPQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "core/StartValues.h"
#include "platform/db/Table.h"
#include "platform/ui/QtString.h"

namespace {

using report::Align;

// clang-format off
const std::vector<ListColumn> kOszlopok = {
    {"Dolgozó",   "DOLGOZO_KOD", 0,   23, Align::Left,  ColumnFormat::Text},
    {"",          "DOLGOZO_NEV", 23,  32, Align::Left,  ColumnFormat::Text},
    {"MNYP",      "MNYP",        55.5, 10.5, Align::Left, ColumnFormat::Text},
    {"TAJ",       "TAJ",         66.5, 19.5, Align::Left, ColumnFormat::Text},
    {"Alap",      "ALAP",        86,  18, Align::Right, ColumnFormat::Amount},
    {"Normál",    "NORMAL",      104, 18, Align::Right, ColumnFormat::Amount},
    {"Dolgozói",  "DOLGOZOI",    122, 18, Align::Right, ColumnFormat::Amount},
    {"Vállalati", "VALLALATI",   140, 18, Align::Right, ColumnFormat::Amount},
    {"Összesen",  "OSSZESEN",    158, 18, Align::Right, ColumnFormat::Amount},
};
// clang-format on
constexpr const char* kOsszegek[] = {"ALAP", "NORMAL", "DOLGOZOI", "VALLALATI", "OSSZESEN"};

}  // namespace

TList_MNYPQRForm::TList_MNYPQRForm() : QuickRep1(QStringLiteral("List_MNYPQRForm")) {
    db::Table& t = *DM1->Table1;
    QuickRep1.DataSet = &t;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_MNYPQRForm")); };

    auto& header = QuickRep1.AddPageHeader(32);
    Fejlec = AddListHeader(header, QStringLiteral("Magán-nyugdíjpénztári lista"));
    const double y = Fejlec.bottom + 1;
    header.Label(0, y, 16, QStringLiteral("MNYP :"));
    header.Computed(16, y, 100, [this] { return Mnyp; });
    header.Height = y + 6;

    auto& columns = QuickRep1.AddColumnHeader(7);
    columns.HLine(0, 0.5, 190);
    auto& detail = QuickRep1.AddDetail(5);
    AddColumns(columns, 1, detail, t, kOszlopok);
    detail.Controls()[1].Shrink();  // the name
    columns.Label(177, 1, 13, QStringLiteral("Időszak")).Bold();
    columns.HLine(0, 6.5, 190);
    const QString ev = Q(FeldolgozasiEv) + "/";
    detail.Computed(177, 0, 13, [ev, &t] { return ev + Q(t.FieldByName("HONAP").AsString()); });
    detail.BeforePrint = [this, &t](bool&) {
        for (size_t i = 0; i < Csoport.size(); ++i) {
            const int v = t.FieldByName(kOsszegek[i]).AsInteger();
            Csoport[i].Add(v);
            Mind[i].Add(v);
        }
    };

    auto& group = QuickRep1.AddGroupHeader(0, QStringLiteral("MNYP"));
    group.ForceNewPage = true;
    group.BeforePrint = [this](bool&) {
        for (auto& s : Csoport) s.Reset();
    };
    auto sums = [](report::Band& band, const QString& caption, std::array<Int32Total, 5>& totals) {
        band.HLine(0, 0.5, 190);
        band.Label(40, 1.5, 40, caption).Bold();
        for (size_t i = 0; i < totals.size(); ++i) {
            const ListColumn& c = kOszlopok[4 + i];
            band.Computed(
                    c.left, 1.5, c.width, [&totals, i] { return QString::number(totals[i].Value()); },
                    Align::Right)
                .Bold();
        }
    };
    sums(QuickRep1.AddGroupFooter(group, 7), QStringLiteral("Összesen :"), Csoport);
    sums(QuickRep1.AddSummary(7), QStringLiteral("Mindösszesen :"), Mind);
}

void TList_MNYPQRForm::QuickRep1BeforePrint() {
    for (auto& s : Csoport) s.Reset();
    for (auto& s : Mind) s.Reset();
    LocateCompany();
}
