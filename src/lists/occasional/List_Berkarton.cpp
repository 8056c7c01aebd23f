#include "lists/occasional/List_Berkarton.h"

#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <map>
#include <utility>

#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "lists/occasional/List_BerkartonQR.h"
#include "lists/occasional/List_TavolletQR.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"

namespace {

constexpr int kHonapok = 12;
// Field positions of the work table's record.
constexpr size_t kNap(int honap) { return 4 + 3 * (honap - 1); }
constexpr size_t kOsszeg(int honap) { return kNap(honap) + 2; }
constexpr size_t kSumNap = kNap(kHonapok + 1);
constexpr size_t kMezok = kSumNap + 3;

const char kErv[] = "Érv";

ListDecl BerkartonDecl() {
    ListDecl s;
    s.objectName = "List_BerkartonForm";
    s.caption = QStringLiteral("Eseti listák/Bérkarton");
    s.fields = {params::Munkahely(), params::Dolgozo()};
    s.tables = {&TDM1::TableMhely, &TDM1::TableJogcim, &TDM1::TableDolgozo, &TDM1::TableSzamfejt,
                &TDM1::TableCegek};
    s.startButtons = {{"BitBtn3", QStringLiteral("Távollétek")}};
    s.progressBars = 2;
    s.lastEdit = "MaskEdit6";
    return s;
}

long long Egesz(const db::Field& f) {
    return f.IsNull() ? 0 : RoundHalfEven(static_cast<long double>(f.AsFloat()));
}

}  // namespace

WorkTable BerkartonTabla() {
    using T = db::FieldType;
    WorkTable t;
    t.name = "List_Berkarton";
    t.key = "DOLGOZO_KOD; JOGCIM_KOD";
    t.fields = {{"DOLGOZO_KOD", T::String, 11},
                {"JOGCIM_KOD", T::String, 4},
                {"DOLGOZO_NEV", T::String, 50},
                {"JOGCIM_NEV", T::String, 50}};
    static std::vector<std::string> nevek;
    if (nevek.empty()) {
        for (int h = 1; h <= kHonapok + 1; ++h) {
            const std::string elo = h > kHonapok ? "SUM" : "H" + std::to_string(h);
            for (const char* vege : {"_NAP", "_ORA", "_OSSZEG"}) nevek.push_back(elo + vege);
        }
    }
    for (const std::string& n : nevek) t.fields.push_back({n.c_str(), T::Integer});
    return t;
}

std::vector<db::Record> BerkartonSorok(const BerkartonParameterek& p,
                                       const std::function<void(int, int)>& start,
                                       const std::function<void(int)>& step) {
    ListSql sql;
    sql.Line("Select tSzamf.SF_DGTORZSSZAM, tSzamf.SF_JCKOD, tSzamf.SF_HONAP, tSzamf.SF_DGMHKOD,");
    sql.Line("SUM(tSzamf.SF_NAP) As Nap, SUM(tSzamf.SF_ORA) As Ora, SUM(tSzamf.SF_OSSZEG) As Osszeg From " +
             ListSql::Table(*DM1->TableSzamfejt) + " tSzamf");
    sql.Line("Inner Join " + ListSql::Table(*DM1->TableJogcim) + " tJogc On tJogc.JC_KOD=tSzamf.SF_JCKOD");
    sql.Range("tSzamf.SF_DGTORZSSZAM", p.dgTol, p.dgIg);
    sql.Range("tSzamf.SF_DGMHKOD", p.mhTol, p.mhIg);
    sql.Equal("tJogc.JC_BERKARTONRA", QStringLiteral("I"));
    sql.Line("Group By tSzamf.SF_DGTORZSSZAM, tSzamf.SF_JCKOD, tSzamf.SF_HONAP, tSzamf.SF_DGMHKOD");
    sql.Line("Order By tSzamf.SF_DGTORZSSZAM, tSzamf.SF_JCKOD, tSzamf.SF_HONAP, tSzamf.SF_DGMHKOD");
    Query1Fill fill;
    db::Query& q = *DM1->Query1;
    sql.Apply(q);
    q.Open();
    if (start) start(1, q.RecordCount());

    // First pass: a record per employee and item, months and totals summed.
    std::map<std::pair<std::string, std::string>, db::Record> kartonok;
    for (q.First(); !q.Eof(); q.Next()) {
        const std::string dolgozo = q.FieldByName("SF_DGTORZSSZAM").AsString();
        const std::string jogcim = q.FieldByName("SF_JCKOD").AsString();
        db::Record& r = kartonok[{dolgozo, jogcim}];
        if (r.empty()) {
            r.assign(kMezok, db::Variant(0LL));
            r[0] = dolgozo;
            r[1] = jogcim;
            r[2] = S(LookupText(*DM1->TableDolgozo, "DG_TORZSSZAM", dolgozo, "DG_NEV"));
            r[3] = S(LookupText(*DM1->TableJogcim, "JC_KOD", jogcim, "JC_NEV"));
        }
        const long long ertek[3] = {Egesz(q.FieldByName("Nap")), Egesz(q.FieldByName("Ora")),
                                    Egesz(q.FieldByName("Osszeg"))};
        const long long honap = q.FieldByName("SF_HONAP").AsInteger();
        for (size_t i = 0; i < 3; ++i) {
            // A month outside the year counts only in the totals.
            if (honap >= 1 && honap <= kHonapok) r[kNap(honap) + i] = r[kNap(honap) + i].ToInt() + ertek[i];
            r[kSumNap + i] = r[kSumNap + i].ToInt() + ertek[i];
        }
        if (step) step(1);
    }

    // Second pass: each employee's lines closed by the allowance line with
    // item 328's months ("Érv" sorts after the digit codes).
    std::vector<db::Record> sorok;
    if (start) start(2, static_cast<int>(kartonok.size()));
    for (auto it = kartonok.begin(); it != kartonok.end();) {
        const std::string dolgozo = it->first.first;
        db::Record erv(kMezok);
        erv[0] = dolgozo;
        erv[1] = std::string(kErv);
        erv[2] = it->second[2];
        erv[3] = std::string("kedv");
        long long osszes = 0;
        for (int h = 1; h <= kHonapok; ++h) erv[kOsszeg(h)] = 0LL;
        for (; it != kartonok.end() && it->first.first == dolgozo; ++it) {
            if (it->first.second == "328") {
                for (int h = 1; h <= kHonapok; ++h) {
                    erv[kOsszeg(h)] = it->second[kOsszeg(h)];
                    osszes += it->second[kOsszeg(h)].ToInt();
                }
            }
            sorok.push_back(it->second);
            if (step) step(2);
        }
        erv[kSumNap + 2] = osszes;
        sorok.push_back(std::move(erv));
    }
    return sorok;
}

TList_BerkartonForm::TList_BerkartonForm(QWidget* parent)
    : ListForm(BerkartonDecl(), parent), List_TavolletQRForm(std::make_unique<TList_TavolletQRForm>()) {
    BitBtn1->setText(QStringLiteral("Bérkarton"));
}

TList_BerkartonForm::~TList_BerkartonForm() = default;

BerkartonParameterek TList_BerkartonForm::Parameterek() const {
    return {Text("MaskEdit1"), Text("MaskEdit2"), Text("MaskEdit5"), Text("MaskEdit6")};
}

bool TList_BerkartonForm::TablaLetrehoz() {
    return FillWorkTable(BerkartonTabla(), [this] {
        auto bar = [this](int pass) { return pass == 1 ? ProgressBar1 : ProgressBar2; };
        return BerkartonSorok(
            Parameterek(), [bar](int pass, int max) { ProgressStart(bar(pass))(max); },
            [bar](int pass) { ProgressStep(bar(pass))(); });
    });
}

void TList_BerkartonForm::BitBtn1Click() {
    RunWorkTableList([this] { return TablaLetrehoz(); },
                     [this] {
                         BerkartonTabla().OpenInTable1();
                         List_BerkartonQRForm = std::make_unique<TList_BerkartonQRForm>();
                         struct Free {
                             std::unique_ptr<TList_BerkartonQRForm>& layout;
                             ~Free() { layout.reset(); }
                         } free{List_BerkartonQRForm};
                         List_BerkartonQRForm->QuickRep1.Preview();
                     });
}

void TList_BerkartonForm::StartButtonClick(int) {
    RunQueryList([this] {
        const BerkartonParameterek p = Parameterek();
        ListSql sql;
        sql.Line(
            "Select tSzamf.SF_DGTORZSSZAM, tSzamf.SF_DGMHKOD, tSzamf.SF_JCKOD, tSzamf.SF_NAP, "
            "tSzamf.SF_TOL,");
        sql.Line("tSzamf.SF_IG, tJogc.JC_NEV From " + ListSql::Table(*DM1->TableSzamfejt) + " tSzamf");
        sql.Line("Inner Join " + ListSql::Table(*DM1->TableJogcim) +
                 " tJogc On tJogc.JC_KOD=tSzamf.SF_JCKOD");
        sql.Range("tSzamf.SF_DGTORZSSZAM", p.dgTol, p.dgIg);
        sql.Range("tSzamf.SF_DGMHKOD", p.mhTol, p.mhIg);
        sql.Equal("tJogc.JC_BERKARTONRA", QStringLiteral("I"));
        sql.Condition(
            "((tJogc.JC_SZABTIP <> '0' And tJogc.JC_SZABTIP <> '') Or (tJogc.JC_JARULKOD <> '00' And "
            "tJogc.JC_JARULKOD <> ''))");
        sql.Line("Order By tSzamf.SF_DGTORZSSZAM, tSzamf.SF_TOL");
        Query1Open(sql);
        List_TavolletQRForm->QuickRep1.Preview();
    });
}
