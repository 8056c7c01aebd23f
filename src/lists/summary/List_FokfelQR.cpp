#include "lists/summary/List_FokfelQR.h"

#include "core/Nyomtatas.h"

namespace {

using report::Align;

QString Osszeg(const std::optional<double>& v) { return v ? SzamSzoveg(*v) : QString(); }

}  // namespace

TList_FokfelQRForm::TList_FokfelQRForm() : QuickRep1(QStringLiteral("List_FokfelQRForm")) {
    // The run's accounts, not what FokFel holds by the time the page is drawn.
    QuickRep1.NeedData = [this] {
        if (next_ >= Sorok.size()) return false;
        const FokFelSor& s = Sorok[next_++];
        Tartozik += s.tartozik.value_or(0);
        Kovetel += s.kovetel.value_or(0);
        return true;
    };
    QuickRep1.BeforePrint = [this](bool&) {
        next_ = 0;
        Tartozik = Kovetel = 0;
        munkaszamFej_->Enabled = munkaszam_->Enabled = MunkaszamMutat;
        LocateCompany();
    };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_FokfelQRForm")); };

    auto& header = QuickRep1.AddPageHeader(40);
    QRBand1 = AddListHeader(header, QStringLiteral("Főkönyvi Feladás"));
    const double y = QRBand1.bottom + 1;
    header.Label(0, y, 28, QStringLiteral("Hónap :"));
    header.Computed(28, y, 162, [this] { return Honap; });
    header.Label(0, y + 5, 28, QStringLiteral("Kifiz. dát. :"));
    header.Computed(28, y + 5, 162, [this] { return KifizDat; });
    const double cy = y + 12;
    header.Label(0, cy, 40, QStringLiteral("Név")).Bold();
    header.Label(50, cy, 35, QStringLiteral("Tartozik"), Align::Right).Bold();
    header.Label(90, cy, 35, QStringLiteral("Követel"), Align::Right).Bold();
    munkaszamFej_ = &header.Label(130, cy, 30, QStringLiteral("Munkaszám"), Align::Right).Bold();
    header.HLine(0, cy + 5.5, 190);
    header.Height = cy + 7;

    // The detail prints the row NeedData just moved past.
    auto& detail = QuickRep1.AddDetail(5);
    auto current = [this]() -> const FokFelSor& { return Sorok[next_ - 1]; };
    detail.Computed(0, 0, 45, [current] { return QString::fromStdString(current().kod); });
    detail.Computed(
        50, 0, 35, [current] { return Osszeg(current().tartozik); }, Align::Right);
    detail.Computed(
        90, 0, 35, [current] { return Osszeg(current().kovetel); }, Align::Right);
    munkaszam_ = &detail.Computed(
        130, 0, 30, [current] { return QString::fromStdString(current().munkaszam); }, Align::Right);

    auto& summary = QuickRep1.AddSummary(8);
    summary.HLine(0, 1, 190);
    summary.Label(0, 2, 40, QStringLiteral("Összesen :")).Bold();
    summary
        .Computed(
            50, 2, 35, [this] { return SzamSzoveg(Tartozik); }, Align::Right)
        .Bold();
    summary
        .Computed(
            90, 2, 35, [this] { return SzamSzoveg(Kovetel); }, Align::Right)
        .Bold();
}
