#include "tax/annual/Ado_K30ossz.h"

#include <QPushButton>
#include <algorithm>
#include <charconv>
#include <functional>
#include <map>

#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "platform/os/DayNumber.h"
#include "platform/os/Text.h"
#include "platform/ui/ControlTable.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"
#include "tax/annual/EvesRekordok.h"

// --- Adding into a cell -------------------------------------------------------------

void K30MezoNovel(db::Dataset& row, db::Dataset& record, const std::string& field, char sign, char source,
                  double factor) {
    if (field.empty() || (sign != '+' && sign != '-')) return;
    const char* name = source == 'O'   ? "SF_OSSZEG"
                       : source == 'A' ? "SF_ADOALAP"
                       : source == 'J' ? "SF_JARALAP"
                                       : "";
    if (!*name) return;
    const db::Field& from = row.FieldByName(name);
    if (from.IsNull()) return;
    // The binary factor as it is stored: its exact product decides the half.
    long double x = static_cast<long double>(from.AsFloat()) * static_cast<long double>(factor);
    if (sign == '-') x = -x;
    db::Field& cell = record.FieldByName(field);
    const long long v = cell.IsNull() ? ToInt32(Kerekit(x)) : ToInt32(cell.AsInteger() + Kerekit(x));
    if (db::IsTextType(cell.DataType()))
        cell.SetAsString(std::to_string(v));
    else
        cell.SetAsInteger(v);
}

// --- The K30 placement ------------------------------------------------------------

namespace {

// A placement rule: the keys it applies to (JC_ADOELSOR followed by
// JC_ADOELOSZ, case-sensitive; "|" between alternatives; "2*" is every
// column of row 2) and the cells it changes: cell, sign and source (O
// amount, A tax base, J contribution base), and "x factor" where one is
// given. Every rule that applies is applied, in this order.
struct K30Szabaly {
    const char* kulcs;
    const char* cellak;
    bool csakS7A12Alatt = false;  // only while the record's S7A is below 12
};

// clang-format off
const K30Szabaly kK30Szabalyok[] = {
    {"1b",       "S1D +O"},
    {"102b",     "S1D -O"},
    {"2b",       "S2B +O"},
    {"2*",       "S2C +O, S2C -A, S2D +A"},
    {"3b",       "S3B +O"},
    {"3*",       "S3C +O, S3C -A, S3D +A"},
    {"4b",       "S4D +O"},
    {"5b",       "S5D +O"},
    {"6b",       "S6B +O"},
    {"6a",       "S6C +O, S6C -A, S6D +A"},
    {"7a",       "S7A +O", true},
    {"7a|101ho", "S38A +O"},
    {"7b",       "S7D +O, S40A +O x 0.2"},
    {"7b",       "S39A +O"},
    {"11b",      "S8B +O, S8D +O x 0.9"},
    {"12b",      "S9B +O, S9D +O x 0.9"},
    {"13b",      "S10D +O"},
    {"16b",      "S12B +O"},
    {"16*",      "S12C +O, S12C -A, S12D +A"},
    {"17b",      "S13D +O"},
    {"18a",      "S14A +O"},
    {"18b",      "S14D +O"},
    {"19a",      "S15A +O"},
    {"19b",      "S15D +O"},
    {"57b",      "S19B +O"},
    {"58b",      "S20B +O, S20C +O, S20D +O x 0.2"},
    {"60b",      "S22B +O, S22C +O, S22D +O x 0.2"},
    {"61b",      "S23B +O, S23C +O, S23D +O x 0.35"},
    {"63b",      "S25B +O, S25C +O, S25D +O x 0.2"},
    {"65b",      "S26B +O, S26C +O, S26D +O x 0.2"},
    {"64b",      "S27B +O"},
    {"66a",      "S28A +O"},
    {"66b",      "S28B +O, S28C +O"},
    {"82b",      "S30B +O"},
    {"7b|101b",  "S37A +O"},
    {"102b",     "S41A +O"},
    {"111b",     "S45A +O"},
    {"112b",     "S46A +O"},
    {"35b",      "S49A +O, S50A +O"},
};
// clang-format on

struct Valtozas {
    std::string cella;
    char elojel;
    char forras;
    double szorzo = 1;
};

struct Szabaly {
    std::vector<std::string> kulcsok;
    std::vector<Valtozas> valtozasok;
    bool csakS7A12Alatt;
};

std::vector<std::string> Darabol(const std::string& text, char sep) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t pos; (pos = text.find(sep, start)) != std::string::npos; start = pos + 1)
        out.push_back(os::TrimWhitespace(text.substr(start, pos - start)));
    out.push_back(os::TrimWhitespace(text.substr(start)));
    return out;
}

// "S40A +O x 0.2": the factor read without the locale's decimal separator.
Valtozas Valtozasa(const std::string& text) {
    Valtozas v;
    const std::vector<std::string> parts = Darabol(text, ' ');
    v.cella = parts.at(0);
    v.elojel = parts.at(1).at(0);
    v.forras = parts.at(1).at(1);
    if (parts.size() == 4) {
        const std::string& f = parts[3];
        std::from_chars(f.data(), f.data() + f.size(), v.szorzo);
    }
    return v;
}

const std::vector<Szabaly>& Szabalyok() {
    static const std::vector<Szabaly> rules = [] {
        std::vector<Szabaly> out;
        for (const K30Szabaly& s : kK30Szabalyok) {
            Szabaly r{Darabol(s.kulcs, '|'), {}, s.csakS7A12Alatt};
            for (const std::string& c : Darabol(s.cellak, ',')) r.valtozasok.push_back(Valtozasa(c));
            out.push_back(std::move(r));
        }
        return out;
    }();
    return rules;
}

bool Illeszkedik(const std::vector<std::string>& kulcsok, const std::string& sor, const std::string& kulcs) {
    for (const std::string& k : kulcsok) {
        if (!k.empty() && k.back() == '*' ? k.substr(0, k.size() - 1) == sor : k == kulcs) return true;
    }
    return false;
}

}  // namespace

void K30MezoHozzarendeles(db::Dataset& row, db::Dataset& k30) {
    const std::string sor = row.FieldByName("JC_ADOELSOR").AsString();
    const std::string kulcs = sor + row.FieldByName("JC_ADOELOSZ").AsString();
    for (const Szabaly& s : Szabalyok()) {
        if (!Illeszkedik(s.kulcsok, sor, kulcs)) continue;
        if (s.csakS7A12Alatt && k30.FieldByName("K30_S7A").AsInteger() >= 12) continue;
        for (const Valtozas& v : s.valtozasok)
            K30MezoNovel(row, k30, "K30_" + v.cella, v.elojel, v.forras, v.szorzo);
    }
}

void K30Sor29Szamit(db::Dataset& k30) {
    auto cell = [&k30](int row, char col) {
        return k30.FieldByName("K30_S" + std::to_string(row) + col).AsInteger();
    };
    long long b = 0, c = 0, d = 0;
    for (int row = 16; row <= 28; ++row) b = ToInt32(b + cell(row, 'B'));
    for (int row = 20; row <= 28; ++row)
        if (row != 27) c = ToInt32(c + cell(row, 'C'));
    for (int row = 20; row <= 26; ++row) d = ToInt32(d + cell(row, 'D'));
    k30.FieldByName("K30_S29B").SetAsInteger(b);
    k30.FieldByName("K30_S29C").SetAsInteger(c);
    k30.FieldByName("K30_S29D").SetAsInteger(d);
}

// --- The K32 rules ------------------------------------------------------------------

void K32MezoHozzarendeles(db::Dataset& row, db::Dataset& k32, int year) {
    auto is = [&row](const char* field, const char* value) {
        return row.FieldByName(field).AsString() == value;
    };
    const std::string jckod = row.FieldByName("SF_JCKOD").AsString();
    if (is("JC_NYJKOT", "I")) K30MezoNovel(row, k32, "K32_JARKOTJOV", '+', 'J', 1);
    if (row.FieldByName("JC_JARULKOD").AsString() > "00") {
        // The days of the absence within the year; a row without both dates
        // counts one day (the day table names it).
        const db::Field &tol = row.FieldByName("SF_TOL"), &ig = row.FieldByName("SF_IG");
        const int napok =
            tol.IsNull() || ig.IsNull() ? 1 : K30NapTabla(year).Jelol(tol.AsDateTime(), ig.AsDateTime(), 'N');
        db::Field& kieso = k32.FieldByName("K32_KIESOIDO");
        kieso.SetAsInteger(ToInt32(kieso.AsInteger() + napok));
    }
    if (jckod == "300") K30MezoNovel(row, k32, "K32_NYJ1", '+', 'O', 1);
    if (is("JC_EBJKOT", "I") && !is("DG_NYUGDIJAS", "I")) K30MezoNovel(row, k32, "K32_EBJALAP1", '+', 'J', 1);
    if (jckod == "306") K30MezoNovel(row, k32, "K32_EBJ1", '+', 'O', 1);
    if (jckod == "205" || jckod == "210") K30MezoNovel(row, k32, "K32_GYNYALAP1", '+', 'O', 1);
}

// --- The day table ----------------------------------------------------------------

K30NapTabla::K30NapTabla(int year) : jan1_(os::EncodeDate(year, 1, 1)) {
    last_ = os::IsLeapYear(year) ? 366 : 365;
    flags_.assign(last_ + 1, 'I');
    months_.assign(last_ + 1, 0);
    for (int d = 1; d <= last_; ++d) months_[d] = os::DecodeDate(Datum(d)).month;
}

void K30NapTabla::Mind(char flag) { std::fill(flags_.begin() + 1, flags_.end(), flag); }

int K30NapTabla::Jelol(double tol, double ig, char flag) {
    const long long n = static_cast<long long>(flags_.size()) - 1;
    const long long t = std::max(Kerekit(static_cast<long double>(tol) - jan1_ + 1), 1LL);
    const long long i = std::min(Kerekit(static_cast<long double>(ig) - jan1_ + 1), n);
    if (i < t) return 0;
    std::fill(flags_.begin() + t, flags_.begin() + i + 1, flag);
    return static_cast<int>(i - t + 1);
}

void K30NapTabla::Foglalkoztatas(double belepes, double kilepes) {
    const long long n = static_cast<long long>(flags_.size()) - 1;
    auto day = [this, n](double date, long long otherwise) {
        if (date == 0) return otherwise;
        const long long d = Kerekit(static_cast<long double>(date) - jan1_ + 1);
        return d >= 1 && d <= n ? d : otherwise;
    };
    first_ = static_cast<int>(day(belepes, 1));
    last_ = static_cast<int>(day(kilepes, n));
    for (long long d = 1; d <= n; ++d)
        if (d < first_ || d > last_) flags_[d] = 'X';
}

void K30NapTabla::RovidHianyzasZar() {
    const int n = static_cast<int>(flags_.size()) - 1;
    for (int d = 1; d <= n; ++d) {
        if (flags_[d] != 'N') continue;
        int e = d;
        while (e < n && flags_[e + 1] == 'N') ++e;
        if (months_[e] - months_[d] <= 1) std::fill(flags_.begin() + d, flags_.begin() + e + 1, 'I');
        d = e;
    }
}

std::vector<K30NapTabla::Szakasz> K30NapTabla::Szakaszok(char flag, size_t max) const {
    std::vector<Szakasz> out;
    const int n = static_cast<int>(flags_.size()) - 1;
    for (int d = 1; d <= n && out.size() < max; ++d) {
        if (flags_[d] != flag) continue;
        int e = d;
        while (e < n && flags_[e + 1] == flag) ++e;
        out.push_back({Datum(d), Datum(e)});
        d = e;
    }
    return out;
}

// --- The runs -----------------------------------------------------------------------

namespace {

struct Tartomany {
    QString dgTol, dgIg, mhTol, mhIg;
    explicit Tartomany(const K30Ranges& r)
        : dgTol(Q(os::TrimWhitespace(r.employeeFrom))),
          dgIg(Q(os::TrimWhitespace(r.employeeTo))),
          mhTol(Q(os::TrimWhitespace(r.workplaceFrom))),
          mhIg(Q(os::TrimWhitespace(r.workplaceTo))) {}
};

std::string Szamfejt() { return ListSql::Table(*DM1->TableSzamfejt); }

// The payroll rows in their key order.
const char* const kSorrend =
    "Order By SF_DGTORZSSZAM, SF_HONAP, SF_KIFIZDAT, SF_JCKOD, SF_SORSZAM, SF_RJSORSZAM";

void Megnyit(db::Query& q, const ListSql& sql) {
    q.DatabaseName = DM1->TableSzamfejt->DatabaseName;
    sql.Apply(q);
    q.Open();
}

// An absence row of the day table.
struct Tavollet {
    double tol = 0, ig = 0;
    bool datumos = false;
    std::string jckod;
};

// The employees' absence rows of the pay items whose contribution code
// meets `feltetel` (bound as :kod), every workplace, in payroll order.
std::map<std::string, std::vector<Tavollet>> Tavolletek(const Tartomany& r, const std::string& feltetel,
                                                        const std::string& kod) {
    ListSql sql;
    sql.Line("Select SF_TOL, SF_IG, SF_JCKOD, SF_DGTORZSSZAM")
        .Line("From " + Szamfejt())
        .Line("Join " + ListSql::Table(*DM1->TableJogcim))
        .Line("On SF_JCKOD=JC_KOD")
        .Condition(feltetel)
        .Bind("kod", kod, db::FieldType::String)
        .Range("SF_DGTORZSSZAM", r.dgTol, r.dgIg)
        .Line(kSorrend);
    db::Query q;
    Megnyit(q, sql);
    std::map<std::string, std::vector<Tavollet>> out;
    for (; !q.Eof(); q.Next()) {
        const db::Field &tol = q.FieldByName("SF_TOL"), &ig = q.FieldByName("SF_IG");
        out[q.FieldByName("SF_DGTORZSSZAM").AsString()].push_back({tol.AsDateTime(), ig.AsDateTime(),
                                                                   !tol.IsNull() && !ig.IsNull(),
                                                                   q.FieldByName("SF_JCKOD").AsString()});
    }
    return out;
}

// Marks an employee's absences 'N'; a row without both dates is named and skipped.
void TavolletJelol(K30NapTabla& napok, const std::string& dolgozo, const std::vector<Tavollet>& sorok) {
    for (const Tavollet& t : sorok) {
        if (t.datumos)
            napok.Jelol(t.tol, t.ig, 'N');
        else
            ui::ShowMessage("Ellenőrizze le a " + Q(dolgozo) + " törzsszámú dolgozó " + Q(t.jckod) +
                            " kódú jogcímének -Tól és -Ig mezőit!");
    }
}

void HelyezesiHiba(db::Dataset& row, const std::exception& e) {
    ui::MessageBox(QStringLiteral("Üzenet"),
                   "A " + Q(row.FieldByName("SF_DGTORZSSZAM").AsString()) + " Törzsszámú dolgozónak a " +
                       Q(row.FieldByName("SF_JCKOD").AsString()) +
                       " kódú jogcím Adóelsz. sor és Adóelsz. oszl. mezők értékeit ellenőrizze le!\r" +
                       QString::fromUtf8(e.what()),
                   ui::Icon::Error, ui::Ok);
}

// The values of an employee's first payroll row, by field name (the DG_
// fields are the same on every row of the employee).
class Sor {
public:
    Sor() = default;
    explicit Sor(db::Dataset& row) {
        for (int i = 0; i < row.FieldCount(); ++i) values_[row.Fields(i).FieldName()] = row.Fields(i).Value();
    }
    std::string Text(const std::string& field) const { return values_.at(field).ToString(); }
    double Date(const std::string& field) const { return values_.at(field).ToDouble(); }

private:
    std::map<std::string, db::Variant> values_;
};

// A run: the payroll rows of `sql` within both ranges in key order; then in
// one transaction the range's records deleted and, employee by employee,
// the record located or appended (`uj`), every row placed (`helyez`; an
// error is named and the row's other rules skipped), the record finished
// (`befejez`) and posted.
void Osszesit(ListSql sql, db::Table& table, const std::string& kodMezo, const Tartomany& r,
              const std::function<void(db::Dataset&)>& uj, const std::function<void(db::Dataset&)>& helyez,
              const std::function<void(const Sor&)>& befejez) {
    sql.Range("SF_DGTORZSSZAM", r.dgTol, r.dgIg).Range("SF_DGMHKOD", r.mhTol, r.mhIg).Line(kSorrend);
    db::Query q;
    Megnyit(q, sql);
    db::Transaction tx({&table});
    TartomanyRekordjaiTorol(table, kodMezo, r.dgTol, r.dgIg, r.mhTol, r.mhIg);

    bool open = false;
    std::string current;
    Sor first;
    auto finish = [&] {
        befejez(first);
        table.Post();
    };
    for (; !q.Eof(); q.Next()) {
        const std::string code = q.FieldByName("SF_DGTORZSSZAM").AsString();
        if (!open || code != current) {
            if (open) finish();
            open = true;
            current = code;
            first = Sor(q);
            if (table.Locate(kodMezo, code)) {
                table.Edit();
            } else {
                table.Append();
                table.FieldByName(kodMezo).SetAsString(code);
                uj(q);
            }
        }
        try {
            helyez(q);
        } catch (const std::exception& e) {
            HelyezesiHiba(q, e);
        }
    }
    if (open) finish();
    q.Close();
    tx.Commit();
}

// Whether |base x rate - amount| exceeds 20, the rate as an exact decimal.
bool Tul20(long long alap, double rate, long long osszeg) {
    const Decimal diff = Subtract(Multiply(ToDecimal(static_cast<double>(alap)), ToDecimal(rate)),
                                  ToDecimal(static_cast<double>(osszeg)));
    __int128 limit = 20;
    for (int i = 0; i < diff.scale; ++i) limit *= 10;
    return diff.units > limit || diff.units < -limit;
}

bool AzEvben(double date, int ev) { return date != 0 && os::DecodeDate(date).year == ev; }

int Ev(const std::string& year) { return std::stoi(year); }

}  // namespace

void K30osszesit(db::Table& k30, const K30Ranges& ranges, bool hozottTappenz, const std::string& year) {
    const Tartomany r(ranges);
    const int ev = Ev(year);

    // Months with a wage-flagged row, every pay item and workplace.
    ListSql honapSql;
    honapSql.Line("Select SF_DGTORZSSZAM, COUNT(Distinct SF_HONAP) AS DARAB")
        .Line("From " + Szamfejt())
        .Line("Join " + ListSql::Table(*DM1->TableJogcim))
        .Line("On SF_JCKOD=JC_KOD")
        .Condition("JC_BERJELL = :berjell")
        .Bind("berjell", std::string("I"), db::FieldType::String)
        .Range("SF_DGTORZSSZAM", r.dgTol, r.dgIg)
        .Line("Group By SF_DGTORZSSZAM");
    std::map<std::string, long long> honapok;
    {
        db::Query q;
        Megnyit(q, honapSql);
        for (; !q.Eof(); q.Next())
            honapok[q.FieldByName("SF_DGTORZSSZAM").AsString()] = q.FieldByName("DARAB").AsInteger();
    }
    const auto tavolletek = Tavolletek(r, "JC_JARULKOD = :kod", "23");

    ListSql sql;
    sql.Line(
           "Select SF_DGTORZSSZAM, SF_DGNEV, SF_OSSZEG, SF_ADOALAP, SF_JARALAP, SF_JCKOD, JC_ADOELSOR, "
           "JC_ADOELOSZ, JC_ADOELKTG, DG_ADOAZ, DG_BELEPDAT, DG_KILEPDAT, DG_ALKMIN")
        .Line("From " + Szamfejt())
        .Line("Left Outer Join " + ListSql::Table(*DM1->TableNyilat))
        .Line("On SF_DGTORZSSZAM=NY_DGTORZSSZAM")
        .Line("Join " + ListSql::Table(*DM1->TableJogcim))
        .Line("On SF_JCKOD=JC_KOD")
        .Line("Join " + ListSql::Table(*DM1->TableDolgozo))
        .Line("On SF_DGTORZSSZAM=DG_TORZSSZAM")
        .Condition("JC_ADOELSOR Is Not Null And JC_ADOELOSZ Is Not Null")
        .Condition(hozottTappenz ? "(JC_KOD < :hatar Or JC_KOD = :hozott)" : "JC_KOD < :hatar")
        .Bind("hatar", std::string("800"), db::FieldType::String);
    if (hozottTappenz) sql.Bind("hozott", std::string("820"), db::FieldType::String);
    sql.Condition("(NY_ONADOZO <> :onado Or NY_ONADOZO Is Null)")
        .Bind("onado", std::string("N"), db::FieldType::String);

    auto uj = [&k30](db::Dataset& row) {
        k30.FieldByName("K30_DGADOAZ").SetAsString(row.FieldByName("DG_ADOAZ").AsString());
        k30.FieldByName("K30_JELLEG").SetAsString("E");
    };
    auto helyez = [&k30](db::Dataset& row) { K30MezoHozzarendeles(row, k30); };
    auto befejez = [&](const Sor& row) {
        const std::string code = row.Text("SF_DGTORZSSZAM");
        auto cell = [&k30](const char* name) -> db::Field& {
            return k30.FieldByName(std::string("K30_") + name);
        };
        cell("S36A").SetAsDateTime(row.Date("DG_KILEPDAT"));
        for (const char* sor : {"8", "9"}) {
            const std::string s = sor;
            db::Field &b = cell(("S" + s + "B").c_str()), &c = cell(("S" + s + "C").c_str()),
                      &d = cell(("S" + s + "D").c_str());
            if (b.IsNull() || d.IsNull())
                c.Clear();
            else
                c.SetAsInteger(ToInt32(b.AsInteger() - d.AsInteger()));
        }
        K30Sor29Szamit(k30);
        const auto h = honapok.find(code);
        cell("S48A").SetAsInteger(std::min(12LL, h == honapok.end() ? 0 : h->second));
        if (cell("S49A").AsInteger() > 108000)
            cell("S49A").SetAsInteger(0);
        else
            cell("S50A").SetAsInteger(0);

        K30NapTabla napok(ev);
        const auto t = tavolletek.find(code);
        if (t != tavolletek.end()) TavolletJelol(napok, code, t->second);
        napok.Foglalkoztatas(row.Date("DG_BELEPDAT"), row.Date("DG_KILEPDAT"));
        napok.RovidHianyzasZar();
        if (row.Text("DG_ALKMIN") >= "6") napok.Mind('X');
        char betu = 'A';
        for (const K30NapTabla::Szakasz& s : napok.Szakaszok('I', 11)) {
            const std::string period = std::string("K30_S51") + betu++;
            k30.FieldByName(period + "A").SetAsDateTime(s.tol);
            k30.FieldByName(period + "B").SetAsDateTime(s.ig);
        }
    };
    Osszesit(sql, k30, "K30_DGTORZSSZAM", r, uj, helyez, befejez);
}

void K32osszesit(db::Table& k32, const K30Ranges& ranges, const std::string& year) {
    const Tartomany r(ranges);
    const int ev = Ev(year);
    const double jan1 = os::EncodeDate(ev, 1, 1), dec31 = os::EncodeDate(ev, 12, 31);
    const auto tavolletek = Tavolletek(r, "JC_JARULKOD <> :kod", "00");

    ListSql sql;
    sql.Line(
           "Select SF_DGTORZSSZAM, SF_DGNEV, SF_OSSZEG, SF_ADOALAP, SF_JARALAP, SF_TOL, SF_IG, SF_JCKOD, "
           "JC_ADOELSOR, JC_ADOELOSZ, JC_ADOELKTG, JC_NYJKOT, JC_JARULKOD, DG_BELEPDAT, DG_KILEPDAT, "
           "DG_MNYP, "
           "DG_NYUGDIJAS, DG_HETIKOTORA, DG_ADOAZ, DG_NYUGJAR, JC_EBJKOT")
        .Line("From " + Szamfejt())
        .Line("Join " + ListSql::Table(*DM1->TableDolgozo))
        .Line("On SF_DGTORZSSZAM=DG_TORZSSZAM")
        .Line("Join " + ListSql::Table(*DM1->TableJogcim))
        .Line("On SF_JCKOD=JC_KOD")
        .Condition("DG_ALKMIN <> :alkmin")
        .Bind("alkmin", std::string("8"), db::FieldType::String)
        .Condition("JC_KOD < :hatar")
        .Bind("hatar", std::string("800"), db::FieldType::String);

    auto uj = [&k32](db::Dataset& row) {
        k32.FieldByName("K32_DGADOAZ").SetAsString(row.FieldByName("DG_ADOAZ").AsString());
        k32.FieldByName("K32_KIESOIDO").SetAsInteger(0);
        k32.FieldByName("K32_JELLEG").SetAsString("E");
        k32.FieldByName("K32_ELMARAD1").SetAsString("0");
    };
    auto helyez = [&k32, ev](db::Dataset& row) { K32MezoHozzarendeles(row, k32, ev); };
    auto befejez = [&](const Sor& row) {
        const std::string code = row.Text("SF_DGTORZSSZAM");
        auto cell = [&k32](const char* name) -> db::Field& {
            return k32.FieldByName(std::string("K32_") + name);
        };
        const double belepes = row.Date("DG_BELEPDAT"), kilepes = row.Date("DG_KILEPDAT");

        // The pension limit: the insured days of a year counted as 366.
        long long hatar = 366 - cell("KIESOIDO").AsInteger();
        if (AzEvben(belepes, ev)) hatar -= Kerekit(static_cast<long double>(belepes) - jan1);
        if (AzEvben(kilepes, ev)) hatar -= Kerekit(static_cast<long double>(dec31) - kilepes);
        hatar = ToInt32(hatar * 14500);
        cell("FELSOHATAR").SetAsInteger(hatar);
        cell("NYJALAP1").SetAsInteger(std::min(hatar, cell("JARKOTJOV").AsInteger()));
        const bool tag = !row.Text("DG_MNYP").empty();
        cell("MNYPTAG1").SetAsString(tag ? "I" : "N");
        const long long gyAlap = cell("GYNYALAP1").AsInteger();
        cell("GYNYJ1").SetAsInteger(ToInt32(RoundProduct(static_cast<double>(gyAlap), tag ? 0.015 : 0.085)));
        cell("NYJALAP1").SetAsInteger(ToInt32(cell("NYJALAP1").AsInteger() - gyAlap));
        cell("NYJ1").SetAsInteger(ToInt32(cell("NYJ1").AsInteger() - cell("GYNYJ1").AsInteger()));

        // The reason of a missing or deviating contribution; a later rule wins.
        std::string ok = cell("ELMARAD1").AsString();
        if (row.Text("DG_NYUGDIJAS") == "I") ok = "2";
        if (cell("JARKOTJOV").AsInteger() > 0 && row.Text("DG_NYUGJAR") == "N") ok = "3";
        if (Tul20(cell("NYJALAP1").AsInteger(), tag ? 0.005 : 0.085, cell("NYJ1").AsInteger())) ok = "4";
        cell("ELMARAD1").SetAsString(ok);

        K30NapTabla napok(ev);
        const auto t = tavolletek.find(code);
        if (t != tavolletek.end()) TavolletJelol(napok, code, t->second);
        napok.Foglalkoztatas(belepes, kilepes);
        int k = 1;
        for (const K30NapTabla::Szakasz& s : napok.Szakaszok('N', 9)) {
            cell(("KIESTOL" + std::to_string(k)).c_str()).SetAsDateTime(s.tol);
            cell(("KIESIG" + std::to_string(k)).c_str()).SetAsDateTime(s.ig);
            ++k;
        }
        cell("BIZTTOL1").SetAsDateTime(napok.ElsoNap());
        cell("BIZTIG1").SetAsDateTime(napok.UtolsoNap());
    };
    Osszesit(sql, k32, "K32_DGTORZSSZAM", r, uj, helyez, befejez);
}

// --- The form -----------------------------------------------------------------------

namespace {

const QString kK30Felirat = QStringLiteral("K30 összesít");
const QString kK32Felirat = QStringLiteral("K32 összesít");

ListDecl K30osszDecl() {
    ParamField munkahely = params::Munkahely(lookups::MunkahelySQL);
    ParamField dolgozo = params::Dolgozo(lookups::DolgozoSQL);
    ListDecl d;
    d.objectName = "Ado_K30osszForm";
    d.caption = QStringLiteral("Adó/K30,32 összesítés");
    d.fields = {munkahely, dolgozo};
    d.options = {{"CheckBox1", QStringLiteral("Hozott táppénz összesítésével")}};
    d.tables = {&TDM1::TableMhely, &TDM1::TableJogcim, &TDM1::TableDolgozo, &TDM1::TableSzamfejt,
                &TDM1::TableCegek};
    d.lastEdit = "MaskEdit6";
    d.noStartButton1 = true;
    d.startButtons = {{"BitBtn1", kK30Felirat}, {"BitBtn4", kK32Felirat}};
    return d;
}

void OpenForWriting(db::Table& t) {
    t.Close();
    t.ReadOnly = false;
    t.Open();
}

}  // namespace

TAdo_K30osszForm::TAdo_K30osszForm(QWidget* parent) : ListForm(K30osszDecl(), parent) {
    BitBtn1 = qobject_cast<QPushButton*>(Control("BitBtn1"));
    BitBtn4 = qobject_cast<QPushButton*>(Control("BitBtn4"));
    BitBtn1->setProperty("Tag", 30);
    BitBtn4->setProperty("Tag", 32);
    OpenForWriting(*DM1->TableK30);
    OpenForWriting(*DM1->TableK32);
}

TAdo_K30osszForm::~TAdo_K30osszForm() {
    DM1->TableK30->Close();
    DM1->TableK32->Close();
}

void TAdo_K30osszForm::NyomtatasMehet() {
    ListForm::NyomtatasMehet();
    // "K32 összesít" never waits for the ranges.
    if (BitBtn4 && BitBtn4->text() == kK32Felirat) BitBtn4->setEnabled(true);
}

void TAdo_K30osszForm::StartButtonClick(int index) { BitBtnOsszClick(index == 0 ? BitBtn1 : BitBtn4); }

void TAdo_K30osszForm::BitBtnOsszClick(QPushButton* sender) {
    const bool k30 = ui::TagOf(sender) == 30;
    for (QPushButton* b : {BitBtn1, BitBtn4}) {
        b->setEnabled(false);
        b->setText(QStringLiteral("Várjon"));
    }
    auto restore = [this] {
        BitBtn1->setText(kK30Felirat);
        BitBtn4->setText(kK32Felirat);
        NyomtatasMehet();
    };
    const K30Ranges ranges{S(Text("MaskEdit1")), S(Text("MaskEdit2")), S(Text("MaskEdit5")),
                           S(Text("MaskEdit6"))};
    try {
        if (k30)
            K30osszesit(*DM1->TableK30, ranges, Checked("CheckBox1"), FeldolgozasiEv);
        else
            K32osszesit(*DM1->TableK32, ranges, FeldolgozasiEv);
    } catch (...) {
        // The run is rolled back; the buttons are given back.
        restore();
        db::HandleApplicationException(std::current_exception());
        return;
    }
    ui::MessageBox(QStringLiteral("Üzenet"), QStringLiteral("Az összesítés befejeződött!"),
                   ui::Icon::Information, ui::Ok);
    restore();
}
