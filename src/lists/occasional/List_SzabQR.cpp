#include "lists/occasional/List_SzabQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

// clang-format off
struct Oszlop { const char* cim; double x, szeles; Align igazitas; };
const Oszlop kOszlopok[] = {
    {"Törzsszám", 0,   24, Align::Left},
    {"Név",       24,  62, Align::Left},
    {"Munkahely", 86,  22, Align::Left},
    {"Szab.",     110, 18, Align::Right},
    {"B. szab.",  130, 18, Align::Right},
    {"Szab.",     150, 18, Align::Right},
    {"B. szab.",  170, 18, Align::Right},
};
// clang-format on

}  // namespace

void SzabadsagNapok(long long& szabadsag, long long& betegszabadsag) {
    db::Table& szamfejt = *DM1->TableSzamfejt;
    const std::string dolgozo = szamfejt.FieldByName("SF_DGTORZSSZAM").AsString();
    for (; !szamfejt.Eof() && szamfejt.FieldByName("SF_DGTORZSSZAM").AsString() == dolgozo; szamfejt.Next()) {
        const QString tipus =
            LookupText(*DM1->TableJogcim, "JC_KOD", szamfejt.FieldByName("SF_JCKOD").AsString(), "JC_SZABTIP")
                .trimmed();
        const long long nap = szamfejt.FieldByName("SF_NAP").AsInteger();
        if (tipus == "1") szabadsag += nap;
        if (tipus == "2") betegszabadsag += nap;
    }
}

TList_SzabQRForm::TList_SzabQRForm() : QuickRep1(QStringLiteral("List_SzabQRForm")) {
    QuickRep1.DataSet = DM1->Query1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_SzabQRForm")); };

    auto& header = QuickRep1.AddPageHeader(40);
    Fejlec = AddListHeader(header, QStringLiteral("Szabadság lista"));
    header.Height = Fejlec.bottom + 1;

    auto& columns = QuickRep1.AddColumnHeader(12);
    columns.Label(150, 0, 38, QStringLiteral("Kivett"), Align::Center).Bold();
    for (const Oszlop& o : kOszlopok)
        columns.Label(o.x, 5, o.szeles, QString::fromUtf8(o.cim), o.igazitas).Bold();
    columns.HLine(0, 11, 190);

    // One per workplace: it only starts the page and its rows.
    auto& detail = QuickRep1.AddDetail(0);
    detail.ForceNewPage = true;
    detail.BeforePrint = [](bool&) { DM1->TableSzamfejt->First(); };

    auto& sor = QuickRep1.AddSubDetail(5, [] { return !DM1->TableSzamfejt->Eof(); });
    sor.BeforePrint = [this](bool&) { QRSubDetail1BeforePrint(); };
    const std::vector<std::function<QString()>> ertekek = {
        [this] { return Sor.torzsszam; },
        [this] { return Sor.nev; },
        [this] { return Sor.munkahely; },
        [this] { return Sor.szabKeret; },
        [this] { return Sor.betegKeret; },
        [this] { return QString::number(Sor.szabadsag); },
        [this] { return QString::number(Sor.betegszabadsag); },
    };
    for (size_t i = 0; i < ertekek.size(); ++i)
        sor.Computed(kOszlopok[i].x, 0, kOszlopok[i].szeles, ertekek[i], kOszlopok[i].igazitas);
}

void TList_SzabQRForm::QuickRep1BeforePrint() {
    DM1->Query1->First();
    LocateCompany();
}

void TList_SzabQRForm::QRSubDetail1BeforePrint() {
    db::Table& szamfejt = *DM1->TableSzamfejt;
    Sor = {};
    Sor.torzsszam = QString::fromStdString(szamfejt.FieldByName("SF_DGTORZSSZAM").AsString());
    Sor.nev = QString::fromStdString(szamfejt.FieldByName("SF_DGNEV").AsString());
    Sor.munkahely = QString::fromStdString(szamfejt.FieldByName("SF_DGMHKOD").AsString());
    const std::string kod = szamfejt.FieldByName("SF_DGTORZSSZAM").AsString();
    SzabadsagNapok(Sor.szabadsag, Sor.betegszabadsag);
    Sor.szabKeret = LookupText(*DM1->TableDolgozo, "DG_TORZSSZAM", kod, "DG_SZABKER");
    Sor.betegKeret = LookupText(*DM1->TableDolgozo, "DG_TORZSSZAM", kod, "DG_BETEGSZABKER");
}
