#include "lists/summary/List_JogcimOsszQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"

namespace {

using report::Align;

// The field's text; "0" for an empty one.
QString Szam(db::Dataset& d, const char* field) {
    const db::Field& f = d.FieldByName(field);
    return f.IsNull() ? QStringLiteral("0") : SzamSzoveg(f.AsFloat());
}

}  // namespace

TList_JogcimOsszQRForm::TList_JogcimOsszQRForm() : QuickRep1(QStringLiteral("List_JogcimOsszQRForm")) {
    QuickRep1.DataSet = &Query1;
    QuickRep1.BeforePrint = [this](bool&) {
        Query1.First();
        // Unticked, the rows are still walked but take no room.
        QRSubDetail1->Height = tetelesen_ ? 5 : 0;
        LocateCompany();
    };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_JogcimOsszQRForm")); };

    auto& header = QuickRep1.AddPageHeader(50);
    QRBand1 = AddListHeader(header, QStringLiteral("Bérösszesítő"));
    double y = QRBand1.bottom + 1;
    JogcimParamSorok(header, y, Parameterek);
    header.Height = y + 1;

    auto& columns = QuickRep1.AddColumnHeader(7);
    columns.HLine(0, 0.5, 190);
    columns.Label(0, 1, 60, QStringLiteral("Jogcím")).Bold();
    columns.Label(60, 1, 28, QStringLiteral("Összeg"), Align::Right).Bold();
    columns.Label(90, 1, 14, QStringLiteral("Nap"), Align::Right).Bold();
    columns.Label(106, 1, 14, QStringLiteral("Óra"), Align::Right).Bold();
    columns.Label(124, 1, 66, QStringLiteral("Dolgozó")).Bold();
    columns.HLine(0, 6.5, 190);

    // The item itself prints nothing; its rows and sums follow it.
    auto& detail = QuickRep1.AddDetail(0);
    detail.BeforePrint = [this](bool&) {
        ReopenChained(Query2, Query1);
        ReopenChained(Query3, Query1);
    };

    QRSubDetail1 = &QuickRep1.AddSubDetail(5, Query2);
    auto rowNumber = [this](const char* field) {
        return [this, field] { return tetelesen_ ? Szam(Query2, field) : QString(); };
    };
    QRSubDetail1->Computed(0, 0, 10, [this] {
        return tetelesen_ ? QString::fromStdString(Query2.FieldByName("SF_JCKOD").AsString()) : QString();
    });
    QRSubDetail1->Computed(10, 0, 50, [this] {
        return tetelesen_ ? QString::fromStdString(Query2.FieldByName("SF_JCNEV").AsString()) : QString();
    });
    QRSubDetail1->Computed(60, 0, 28, rowNumber("SF_OSSZEG"), Align::Right);
    QRSubDetail1->Computed(90, 0, 14, rowNumber("SF_NAP"), Align::Right);
    QRSubDetail1->Computed(106, 0, 14, rowNumber("SF_ORA"), Align::Right);
    QRSubDetail1->Computed(124, 0, 22, [this] {
        return tetelesen_ ? QString::fromStdString(Query2.FieldByName("SF_DGTORZSSZAM").AsString())
                          : QString();
    });
    QRSubDetail1
        ->Computed(146, 0, 44,
                   [this] {
                       return tetelesen_ ? QString::fromStdString(Query2.FieldByName("SF_DGNEV").AsString())
                                         : QString();
                   })
        .Shrink();

    // The item's total, once after its rows.
    auto& total = QuickRep1.AddSubDetail(6, std::function<bool()>());
    total
        .Computed(0, 0.5, 10,
                  [this] { return QString::fromStdString(Query3.FieldByName("SF_JCKOD").AsString()); })
        .Bold();
    total
        .Computed(10, 0.5, 35.5,
                  [this] {
                      return LookupText(*DM1->TableJogcim, "JC_KOD",
                                        Query3.FieldByName("SF_JCKOD").AsString(), "JC_NEV");
                  })
        .Bold()
        .Shrink();
    total.Label(46, 0.5, 19, QStringLiteral("összesen :")).Bold();  // ends before the widest amount
    total
        .Computed(
            60, 0.5, 28, [this] { return Szam(Query3, "Osszeg"); }, Align::Right)
        .Bold();
    total
        .Computed(
            90, 0.5, 14, [this] { return Szam(Query3, "Nap"); }, Align::Right)
        .Bold();
    total
        .Computed(
            106, 0.5, 14, [this] { return Szam(Query3, "Ora"); }, Align::Right)
        .Bold();
}

void TList_JogcimOsszQRForm::Beallit(const ListSql& jogcimek, const ListSql& sorok, const ListSql& osszegek,
                                     bool tetelesen, bool listaDatum) {
    tetelesen_ = tetelesen;
    for (db::Query* q : {&Query1, &Query2, &Query3}) {
        q->Close();
        q->DatabaseName = DM1->TableSzamfejt->DatabaseName;
    }
    jogcimek.Apply(Query1);
    sorok.Apply(Query2);
    osszegek.Apply(Query3);
    Query1.Open();
    QRBand1.DatumMutat(listaDatum);
}

void TList_JogcimOsszQRForm::Bezar() {
    for (db::Query* q : {&Query3, &Query2, &Query1}) {
        try {
            q->Close();
        } catch (const std::exception&) {
            // Closing a read-only query loses nothing.
        }
        q->SetSQL("");
    }
}
