#include "lists/occasional/JovedelemIg.h"

#include <cstdio>

#include "core/DataModule1.h"
#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "lists/occasional/Igazolasok.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/QtString.h"

namespace {

// A year's three blocks: regular incomes by month, non-regular items, absences.
struct Blokkok {
    const char* rendszeres;
    const char* nemRendszeres;
    const char* tavollet;
};
constexpr Blokkok kElozo{"B01", "B03", "B05"};
constexpr Blokkok kTargy{"B02", "B04", "B06"};

// What one employee's rows add up to.
struct Gyujto {
    std::string dolgozo;
    int n = 0;  // running number of the item rows
    std::array<long double, 12> honapok{};
    long double osszes = 0;
    long double nemRendszeres = 0;
};

QString Datum(db::Dataset& row, const char* field) { return MezoSzoveg(row, field); }

QString Osszeg(long double x) { return SzamSzoveg(static_cast<double>(x)); }

std::string Tetel(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "IR_%03d", n);
    return buf;
}

// Classifies a payroll row for the employee of this year's registration
// number `g.dolgozo`, with this year's pay item and employee.
void Besorol(db::Dataset& row, Gyujto& g, const Blokkok& b, JovedelemIgSorok& sorok) {
    db::Table& jogcim = *DM1->TableJogcim;
    db::Table& dolgozo = *DM1->TableDolgozo;
    if (!jogcim.Locate("JC_KOD", row.FieldByName("SF_JCKOD").AsString())) return;
    if (!dolgozo.Locate("DG_TORZSSZAM", g.dolgozo)) return;
    const std::string alkmin = dolgozo.FieldByName("DG_ALKMIN").AsString();
    const std::string ebjkot = jogcim.FieldByName("JC_EBJKOT").AsString();
    const std::string rendsz = jogcim.FieldByName("JC_RENDSZ").AsString();
    const long double jaralap = row.FieldByName("SF_JARALAP").AsFloat();
    const int honap = static_cast<int>(row.FieldByName("SF_HONAP").AsInteger());
    auto honaphoz = [&](long double osszeg) {
        if (honap >= 1 && honap <= 12) g.honapok[honap - 1] += osszeg;
        g.osszes += osszeg;
    };
    auto tetel = [&](const char* blokk, bool osszeggel) {
        JovedelemIgSorok::Oszlopok m;
        m[0] = MezoSzoveg(row, "SF_JCKOD");
        m[1] = MezoSzoveg(row, "SF_JCNEV");
        if (osszeggel) m[2] = QString::number(honap);
        m[3] = Datum(row, "SF_TOL");
        m[4] = Datum(row, "SF_IG");
        if (osszeggel) {
            m[5] = Osszeg(jaralap);
            m[6] = Datum(row, "SF_KIFIZDAT");
        }
        sorok.JovedelemIgSorFelvesz(g.dolgozo, blokk, Tetel(++g.n), m);
    };
    if (alkmin < "6" && ebjkot == "I" && rendsz == "N") {
        tetel(b.nemRendszeres, true);
        g.nemRendszeres += jaralap;
    }
    if (jogcim.FieldByName("JC_JARULKOD").AsString() > "00") tetel(b.tavollet, false);
    if (alkmin < "6" && ebjkot == "I" && rendsz == "I") honaphoz(row.FieldByName("SF_OSSZEG").AsFloat());
    if (alkmin >= "6" && jogcim.FieldByName("JC_KOD").AsString() == "307") honaphoz(jaralap);
}

// The month rows and the total of the regular block, the total of the
// non-regular block.
void Osszesitok(const Gyujto& g, const Blokkok& b, JovedelemIgSorok& sorok) {
    for (int h = 1; h <= 12; ++h) {
        JovedelemIgSorok::Oszlopok m;
        m[4] = QStringLiteral("%1").arg(h, 2, 10, QLatin1Char('0'));
        m[5] = Osszeg(g.honapok[h - 1]);
        sorok.JovedelemIgSorFelvesz(g.dolgozo, b.rendszeres, "IR_OSSZ_" + S(m[4]), m);
    }
    JovedelemIgSorok::Oszlopok m;
    m[4] = QStringLiteral("Összesen");
    m[5] = Osszeg(g.osszes);
    sorok.JovedelemIgSorFelvesz(g.dolgozo, b.rendszeres, "IR_OSSZ_N", m);
    m[5] = Osszeg(g.nemRendszeres);
    sorok.JovedelemIgSorFelvesz(g.dolgozo, b.nemRendszeres, "IR_OSSZ_N", m);
}

// Titles, column heads and closing rows of the six blocks.
void Keretek(const std::string& dolgozo, JovedelemIgSorok& sorok) {
    const int ev = std::stoi(FeldolgozasiEv);
    struct Blokk {
        const char* kod;
        const char* cim;
        int ev;
        int fej;  // 0 months, 1 items, 2 absences
        bool vege;
    };
    const Blokk blokkok[] = {{"B01", "Rendszeres jövedelmek %1 évben", ev - 1, 0, false},
                             {"B02", "Rendszeres jövedelmek %1 évben", ev, 0, true},
                             {"B03", "Nem rendszeres jövedelmek %1 évben", ev - 1, 1, false},
                             {"B04", "Nem rendszeres jövedelmek %1 évben", ev, 1, false},
                             {"B05", "Távollétek %1 évben", ev - 1, 2, false},
                             {"B06", "Távollétek %1 évben", ev, 2, true}};
    for (const Blokk& b : blokkok) {
        JovedelemIgSorok::Oszlopok cim;
        cim[0] = QString::fromUtf8(b.cim).arg(b.ev);
        sorok.JovedelemIgSorFelvesz(dolgozo, b.kod, "CIM", cim);
        JovedelemIgSorok::Oszlopok fej;
        if (b.fej == 0) {
            fej[4] = QStringLiteral("Hónap");
            fej[5] = QStringLiteral("Összeg");
        } else {
            fej[0] = QStringLiteral("Kód");
            fej[1] = QStringLiteral("Jogcím");
            if (b.fej == 1) fej[2] = QStringLiteral("Hónap");
            fej[3] = QStringLiteral("Tól");
            fej[4] = QStringLiteral("Ig");
            if (b.fej == 1) {
                fej[5] = QStringLiteral("Összeg");
                fej[6] = QStringLiteral("Kif. dát.");
            }
        }
        sorok.JovedelemIgSorFelvesz(dolgozo, b.kod, "FEJ", fej);
        sorok.JovedelemIgSorFelvesz(dolgozo, b.kod, "LAB");
        if (b.vege) sorok.JovedelemIgSorFelvesz(dolgozo, b.kod, "VEGE");
    }
}

// Walks the open Query1 an employee at a time (consecutive rows of
// `kodMezo`): `sor` for each row, `vege` after the employee's last.
void Dolgozonkent(const char* kodMezo, const Blokkok& b, JovedelemIgSorok& sorok, const Haladas& h,
                  const std::function<void(const std::string&)>& vege) {
    db::Query& q = *DM1->Query1;
    if (h.start) h.start(q.RecordCount());
    q.First();
    while (!q.Eof()) {
        Gyujto g;
        g.dolgozo = q.FieldByName(kodMezo).AsString();
        for (; !q.Eof() && q.FieldByName(kodMezo).AsString() == g.dolgozo; q.Next()) {
            Besorol(q, g, b, sorok);
            if (h.step) h.step();
        }
        Osszesitok(g, b, sorok);
        if (vege) vege(g.dolgozo);
    }
}

}  // namespace

WorkTable JovedelemIgTabla() {
    using T = db::FieldType;
    WorkTable t;
    t.name = "List_JovedelemIg";
    t.key = "DOLGOZO_KOD; BLOKK; SOR;";
    t.fields = {{"DOLGOZO_KOD", T::String, 11},
                {"BLOKK", T::String, 10},
                {"SOR", T::String, 10},
                {"DOLGOZO_NEV", T::String, 50},
                {"DOLGOZO_ADOAZON", T::String, 11}};
    static const char* const kM[] = {"M01", "M02", "M03", "M04", "M05", "M06", "M07", "M08", "M09", "M10"};
    for (const char* m : kM) t.fields.push_back({m, T::String, 50});
    return t;
}

void JovedelemIgSorok::JovedelemIgSorFelvesz(const std::string& dolgozo, const std::string& blokk,
                                             const std::string& sor, const Oszlopok& m) {
    if (!kulcsok_.emplace(dolgozo, blokk, sor).second) return;
    db::Record r;
    r.push_back(db::Variant(dolgozo));
    r.push_back(db::Variant(blokk));
    r.push_back(db::Variant(sor));
    r.push_back(db::Variant(S(LookupText(*DM1->TableDolgozo, "DG_TORZSSZAM", dolgozo, "DG_NEV"))));
    r.push_back(db::Variant(S(LookupText(*DM1->TableDolgozo, "DG_TORZSSZAM", dolgozo, "DG_ADOAZ"))));
    for (const QString& s : m) r.push_back(db::Variant(S(s)));
    uj_.push_back(std::move(r));
}

void JovedelemIgSorok::Kiir() {
    JovedelemIgTabla().Write(uj_);
    uj_.clear();
}

void JovedelemIgTargyev(const JovedelemIgParameterek& p, JovedelemIgSorok& sorok, const Haladas& h) {
    ListSql sql;
    sql.Line("Select * From " + ListSql::Table(*DM1->TableSzamfejt));
    sql.Range("SF_DGTORZSSZAM", p.dgTol, p.dgIg);
    sql.Range("SF_DGMHKOD", p.mhTol, p.mhIg);
    sql.Line("Order By SF_DGTORZSSZAM, SF_KIFIZDAT, SF_JCKOD");
    Query1Fill fill;
    sql.Apply(*DM1->Query1);
    DM1->Query1->Open();
    Dolgozonkent("SF_DGTORZSSZAM", kTargy, sorok, h, [&](const std::string& kod) { Keretek(kod, sorok); });
}

void JovedelemIgElozoEvSorai(const std::string& elozoKod, JovedelemIgSorok& sorok, const Haladas& h) {
    const std::string elozo = std::string(kElozoEv) + ".";
    Query1Fill fill;
    db::Query& q = *DM1->Query1;
    // A row belongs to this year's employee of the same tax id; a blank tax id
    // is no tax id, so employees without one never take each other's rows.
    q.SetSQL("Select regiSzamf.*, ujDolg.DG_TORZSSZAM as ujDG_TORZSSZAM From " + elozo +
             db::SqlName("Szamfejt_" + elozoKod) + " regiSzamf\nInner Join " + elozo +
             db::SqlName("Dolgozo_" + elozoKod) +
             " regiDolg\nOn regiSzamf.SF_DGTORZSSZAM=regiDolg.DG_TORZSSZAM\nInner Join " +
             ListSql::Table(*DM1->TableDolgozo) +
             " ujDolg\nOn regiDolg.DG_ADOAZ=ujDolg.DG_ADOAZ\nWhere Trim(ujDolg.DG_ADOAZ) <> '' And "
             "ujDolg.DG_TORZSSZAM In (Select Distinct "
             "DOLGOZO_KOD From " +
             db::SqlName(JovedelemIgTabla().TableName()) +
             ")\nOrder By ujDG_TORZSSZAM, SF_KIFIZDAT, SF_JCKOD");
    q.AddSchema(kElozoEv, ElozoEviAlias);
    q.Open();
    Dolgozonkent("ujDG_TORZSSZAM", kElozo, sorok, h, {});
}
