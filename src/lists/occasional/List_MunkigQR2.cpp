#include "lists/occasional/List_MunkigQR2.h"

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/Nyomtatas.h"
#include "lists/occasional/Igazolasok.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

// clang-format off
struct Oszlop { const char* cim; const char* mezo; double x, szeles; Align igazitas; ColumnFormat forma; };
const Oszlop kOszlopok[] = {
    {"Teljes össz.",     "RJ_TELJOSSZ",     0,   22, Align::Right, ColumnFormat::Amount},
    {"Eddig lev. össz.", "RJ_EDDIGLEVONT",  23,  24, Align::Right, ColumnFormat::Amount},
    {"Határozat száma",  "RJ_HATAROZAT",    49,  28, Align::Left,  ColumnFormat::Text},
    {"Hátralék",         "RJ_HATRALEK",     78,  20, Align::Right, ColumnFormat::Amount},
    {"Kezdete",          "RJ_KEZD",         100, 20, Align::Left,  ColumnFormat::Text},
    {"Kedvezményezett",  "RJ_KEDVNEV",      121, 34, Align::Left,  ColumnFormat::Text},
    {"Bankszámlaszám",   "RJ_KEDVSZAMLASZ", 156, 34, Align::Left,  ColumnFormat::Text},
};
// clang-format on

}  // namespace

TList_MunkigQR2Form::TList_MunkigQR2Form() : QuickRep1(QStringLiteral("List_MunkigQR2Form")) {
    QuickRep1.DataSet = &Query1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_MunkigQR2Form")); };

    auto& header = QuickRep1.AddPageHeader(34);
    header.Label(0, 0, 190, QStringLiteral("Adatlap"), Align::Center).Size(14).Bold();
    header
        .Label(0, 8, 190, QStringLiteral("A bírósági végzéssel meghatározott tartási kötelezettségekről"),
               Align::Center)
        .Bold();
    header.Label(0, 18, 45, QStringLiteral("A munkáltató neve :"));
    header.Computed(45, 18, 145, [] { return MezoSzoveg(*DM1->TableCegek, "CG_NEV"); });
    header.Label(0, 24, 45, QStringLiteral("Címe:"));
    header.Computed(45, 24, 145, [] { return CegCime(); });

    auto& detail = QuickRep1.AddDetail(50);
    detail.ForceNewPage = true;
    detail.BeforePrint = [this](bool&) { QRBand3BeforePrint(); };
    double y = 2;
    auto sor = [&](const QString& cim, const char* mezo) {
        detail.Label(0, y, 50, cim);
        detail.Field(50, y, 140, mezo);
        y += 6;
    };
    sor(QStringLiteral("A munkavállaló neve :"), "DG_NEV");
    sor(QStringLiteral("Anyja neve :"), "DG_ANYJANEV");
    sor(QStringLiteral("Születési ideje :"), "DG_SZULDAT");
    sor(QStringLiteral("Születési helye :"), "DG_SZULHELY");
    y += 4;
    detail.Label(0, y, 80, QStringLiteral("Letiltási kötelezettségek darabszáma :"));
    detail.Computed(80, y, 20, [this] { return QString::number(Darab); });
    y += 8;
    detail.Label(0, y, 20, QStringLiteral("Kód")).Bold();
    for (const Oszlop& o : kOszlopok)
        detail.Label(o.x, y + 5, o.szeles, QString::fromUtf8(o.cim), o.igazitas).Bold().Size(9);
    detail.HLine(0, y + 10, 190);
    detail.Height = y + 11;

    auto& tetel = QuickRep1.AddSubDetail(11, Query2);
    tetel.Field(0, 0, 20, "RJ_JCKOD").From(Query2);
    for (const Oszlop& o : kOszlopok) {
        const ListColumn oszlop{{}, o.mezo, o.x, o.szeles, o.igazitas, o.forma};
        tetel.Computed(
            o.x, 5, o.szeles, [this, oszlop] { return ColumnText(Query2, oszlop); }, o.igazitas);
    }

    auto& lab = QuickRep1.AddSubDetail(30, std::function<bool()>());
    lab.Computed(0, 8, 120, [] { return DatumSor(AdatEv()); });
    lab.Label(120, 16, 70, QStringLiteral("..................................."), Align::Center);
    lab.Label(120, 21, 70, QStringLiteral("cégszerű aláírás"), Align::Center);
}

void TList_MunkigQR2Form::Futtat(const QString& mhTol, const QString& mhIg, const QString& dgTol,
                                 const QString& dgIg) {
    struct Bezar {
        TList_MunkigQR2Form& f;
        ~Bezar() {
            for (db::Query* q : {&f.Query2, &f.Query1}) {
                try {
                    q->Close();
                } catch (const std::exception&) {
                    // Closing a read-only query loses nothing.
                }
                q->SetSQL("");
            }
        }
    } bezar{*this};
    for (db::Query* q : {&Query1, &Query2}) {
        q->Close();
        q->DatabaseName = DM1->TableSzamfejt->DatabaseName;
    }
    ListSql dolgozok;
    dolgozok.Line("Select Distinct tSzamf.SF_DGTORZSSZAM As pTORZSSZAM, tDolg.* From " +
                  ListSql::Table(*DM1->TableSzamfejt) + " tSzamf");
    dolgozok.Line("Inner Join " + ListSql::Table(*DM1->TableDolgozo) + " tDolg");
    dolgozok.Line("On tSzamf.SF_DGTORZSSZAM=tDolg.DG_TORZSSZAM");
    dolgozok.Range("tSzamf.SF_DGTORZSSZAM", dgTol, dgIg);
    dolgozok.Range("tDolg.DG_MHKOD", mhTol, mhIg);
    dolgozok.Line("Order By tSzamf.SF_DGTORZSSZAM");
    dolgozok.Apply(Query1);
    ListSql levonasok;
    levonasok.Line("Select tRJogc.* From " + ListSql::Table(*DM1->TableRJogcim) + " tRJogc");
    levonasok.Line("Inner Join " + ListSql::Table(*DM1->TableJogcim) + " tJogc");
    levonasok.Line("On tJogc.JC_KOD=tRJogc.RJ_JCKOD");
    levonasok.Condition("tRJogc.RJ_DGTORZSSZAM = :pTORZSSZAM");
    levonasok.Equal("tJogc.JC_TIPUS", QStringLiteral("3"));
    levonasok.Apply(Query2);
    Query1.Open();
    Query1.First();
    QuickRep1.Preview();
}

void TList_MunkigQR2Form::QuickRep1BeforePrint() {
    Query1.First();
    LocateCompany();
}

void TList_MunkigQR2Form::QRBand3BeforePrint() {
    ReopenChained(Query2, Query1);
    Query2.First();
    Darab = Query2.RecordCount();
}
