#include "lists/occasional/List_SzabKerFelhQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

}  // namespace

TList_SzabKerFelhQRForm::TList_SzabKerFelhQRForm() : QuickRep1(QStringLiteral("List_SzabKerFelhQRForm")) {
    QuickRep1.DataSet = &Query1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_SzabKerFelhQRForm")); };

    auto& header = QuickRep1.AddPageHeader(40);
    Fejlec = AddListHeader(header, QStringLiteral("Szabadság lista"));
    header.Height = Fejlec.bottom + 1;

    auto& columns = QuickRep1.AddColumnHeader(12);
    columns.Label(0, 0, 90, QStringLiteral("Dolgozó")).Bold();
    columns.Label(100, 0, 22, QStringLiteral("Munkahely")).Bold();
    columns.Label(130, 0, 24, QStringLiteral("Szab. ker."), Align::Right).Bold();
    columns.Label(160, 0, 28, QStringLiteral("Bet.szab. ker."), Align::Right).Bold();
    columns.Label(10, 5, 70, QStringLiteral("Jogcím")).Bold();
    columns.Label(82, 5, 22, QStringLiteral("Tól")).Bold();
    columns.Label(106, 5, 22, QStringLiteral("Ig")).Bold();
    columns.Label(130, 5, 24, QStringLiteral("Felhasználás"), Align::Right).Bold();
    columns.Label(160, 5, 28, QStringLiteral("Felhasználás"), Align::Right).Bold();
    columns.HLine(0, 11, 190);

    auto& detail = QuickRep1.AddDetail(6);
    detail.BeforePrint = [this](bool&) { QRBand2BeforePrint(); };
    detail.Field(0, 1, 24, "pDOLGOZO").From(Query1);
    detail.Field(24, 1, 70, "DG_NEV").From(Query1);
    detail.Field(100, 1, 22, "DG_MHKOD").From(Query1);
    detail.Field(130, 1, 24, "DG_SZABKER", Align::Right).From(Query1);
    detail.Field(160, 1, 28, "DG_BETEGSZABKER", Align::Right).From(Query1);

    auto& sor = QuickRep1.AddSubDetail(5, [this] { return !Query2.Eof(); });
    sor.BeforePrint = [this](bool&) { QRSubDetail1BeforePrint(); };
    sor.AfterPrint = [this] { Query2.Next(); };
    sor.Field(10, 0, 12, "SF_JCKOD").From(Query2);
    sor.Field(22, 0, 58, "JC_NEV").From(Query2);
    sor.Field(82, 0, 22, "SF_TOL").From(Query2);
    sor.Field(106, 0, 22, "SF_IG").From(Query2);
    sor.Computed(
        130, 0, 24, [this] { return SzabNap; }, Align::Right);
    sor.Computed(
        160, 0, 28, [this] { return BetegNap; }, Align::Right);

    // Printed once after the employee's leave rows.
    auto& footer = QuickRep1.AddSubDetail(6, std::function<bool()>());
    footer.HLine(130, 0.5, 58);
    footer.Label(100, 1, 28, QStringLiteral("Összesen:")).Bold();
    footer
        .Computed(
            130, 1, 24, [this] { return QString::number(Szabadsag); }, Align::Right)
        .Bold();
    footer
        .Computed(
            160, 1, 28, [this] { return QString::number(Betegszabadsag); }, Align::Right)
        .Bold();
}

void TList_SzabKerFelhQRForm::Beallit(const ListSql& dolgozok, const ListSql& sorok) {
    for (db::Query* q : {&Query1, &Query2}) {
        q->Close();
        q->DatabaseName = DM1->TableSzamfejt->DatabaseName;
    }
    sorok.Apply(Query2);
    dolgozok.Apply(Query1);
    Query1.Open();
}

void TList_SzabKerFelhQRForm::Bezar() {
    for (db::Query* q : {&Query2, &Query1}) {
        try {
            q->Close();
        } catch (const std::exception&) {
            // Closing a read-only query loses nothing.
        }
        q->SetSQL("");
    }
}

void TList_SzabKerFelhQRForm::QuickRep1BeforePrint() {
    Query1.First();
    LocateCompany();
}

void TList_SzabKerFelhQRForm::QRBand2BeforePrint() {
    ReopenChained(Query2, Query1);
    Query2.First();
    Szabadsag = 0;
    Betegszabadsag = 0;
}

void TList_SzabKerFelhQRForm::QRSubDetail1BeforePrint() {
    const QString tipus = QString::fromStdString(Query2.FieldByName("JC_SZABTIP").AsString()).trimmed();
    const long long nap = Query2.FieldByName("SF_NAP").AsInteger();
    SzabNap.clear();
    BetegNap.clear();
    if (tipus == "1") {
        SzabNap = QString::number(nap);
        Szabadsag += nap;
    } else if (tipus == "2") {
        BetegNap = QString::number(nap);
        Betegszabadsag += nap;
    }
}
