#include "tax/annual/Ado_M29ossz.h"

#include <QPushButton>
#include <algorithm>
#include <climits>
#include <set>

#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "core/helpers/TaxRate.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "platform/os/Text.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"
#include "platform/ui/WaitingButton.h"

namespace {

const char* const kHonapok[] = {"JANUAR", "FEBRUAR",   "MARCIUS",    "APRILIS", "MAJUS",    "JUNIUS",
                                "JULIUS", "AUGUSZTUS", "SZEPTEMBER", "OKTOBER", "NOVEMBER", "DECEMBER"};

long long Checked32(long long v) {
    if (v < INT_MIN || v > INT_MAX) throw std::overflow_error("Integer overflow");
    return v;
}

// The cells of one M29 record; an empty cell reads as 0, every write is a
// checked 32-bit number.
class Cells {
public:
    explicit Cells(db::Dataset& m29) : m29_(m29) {}
    long long operator()(const std::string& cell) const {
        return m29_.FieldByName("M29_S" + cell).AsInteger();
    }
    void Set(const std::string& cell, long long v) {
        m29_.FieldByName("M29_S" + cell).SetAsInteger(Checked32(v));
    }

private:
    db::Dataset& m29_;
};

long long Sum(std::initializer_list<long long> values) {
    long long s = 0;
    for (long long v : values) s = Checked32(s + v);
    return s;
}

long long K15(long long amount) { return RoundProduct(static_cast<double>(amount), kIncomeTaxRate); }

}  // namespace

void M29SorSzamitas(db::Dataset& m29) {
    Cells s(m29);
    for (const char* row : {"165", "167", "173"})
        s.Set(std::string(row) + "E", K15(s(std::string(row) + "D")));
    for (const char* row : {"2", "3", "6"})
        s.Set(std::string(row) + "B", Sum({s(std::string(row) + "C"), s(std::string(row) + "D")}));
    s.Set("18D", Sum({s("1D"), s("2D"), s("3D"), s("4D"), s("5D"), s("6D"), s("7D"), s("14D")}));
    s.Set("21B", Sum({s("18D"), -s("20B")}));
    s.Set("22B", s("22A"));
    s.Set("23B", RoundProduct(static_cast<double>(s("23A")), 6.67));
    s.Set("24B", RoundProduct(static_cast<double>(s("24A")), 6.67));
    s.Set("25B", Sum({s("22B"), -s("23B"), -s("24B")}));
    // The limit of the allowance claimed: the base the withheld contributions
    // stand for, plus the consolidated base (64 bits).
    const long long limit = RoundQuotient(static_cast<double>(s("30B")), kIncomeTaxRate) + s("18D");
    const long long claimed = s("26B");
    if (!(claimed > 0 && claimed <= limit)) s.Set("26B", std::min(limit, s("25B")));
    s.Set("27B", std::min(s("26B"), s("21B")));
    s.Set("28B", std::max(Sum({s("26B"), -s("27B")}), 0LL));
    s.Set("29B", std::max(Sum({s("21B"), -s("27B")}), 0LL));
    if (s("28B") == 0) {
        s.Set("30B", 0);
        s.Set("31B", 0);
    }
    s.Set("32B", std::min(K15(s("28B")), s("31B")));
    s.Set("36C", std::max(s("29B"), 0LL));
    s.Set("40C", K15(s("36C")));
    s.Set("44C", s("40C"));
    s.Set("56A", K15(s("56B")));
    s.Set("178D", Sum({s("165D"), s("167D"), s("173D")}));
    s.Set("178E", Sum({s("165E"), s("167E"), s("173E")}));
    s.Set("47C", s("45C"));
    s.Set("48C", std::max(Sum({s("44C"), -s("47C")}), 0LL));
    s.Set("61C", Sum({s("48C"), s("178E")}));
    s.Set("69B", Sum({s("65B"), s("66B"), s("67B")}));
    s.Set("76C", Sum({s("32B"), s("69B")}));
    s.Set("79C", std::max(Sum({s("61C"), -s("76C")}), 0LL));
    s.Set("80C", std::max(Sum({s("76C"), -s("61C")}), 0LL));
}

void M29Sorszamozas(db::Table& m29) {
    static const std::set<std::string> natures = {"E",  "P",  "H",  "H1", "H2", "H3",
                                                  "H4", "H5", "H6", "H7", "H8", "H9"};
    std::map<std::string, long long> counters;
    for (m29.First(); !m29.Eof(); m29.Next()) {
        m29.Edit();
        M29SorSzamitas(m29);
        const std::string jelleg = m29.FieldByName("M29_JELLEG").AsString();
        if (natures.count(jelleg)) m29.FieldByName("M29_SORSZAM").SetAsInteger(++counters[jelleg]);
        m29.Post();
    }
    m29.First();
}

void M30AdatAtvetel(db::Dataset& m30, db::Dataset& m29) {
    auto add = [&](const std::string& target, long long amount) {
        db::Field& f = m29.FieldByName(target);
        f.SetAsInteger(Checked32(f.AsInteger() + amount));
    };
    auto source = [&](const std::string& field) { return m30.FieldByName(field).AsInteger(); };
    for (const char* cell :
         {"1D", "2B", "2C", "2D", "3B", "3C", "3D", "4D", "5D", "6B", "6C", "6D", "7B", "7D", "8B", "8D"})
        add(std::string("M29_S") + cell, source(std::string("M30_S") + cell));
    // clang-format off
    const std::pair<const char*, const char*> cells[] = {
        {"M29_S20B", "M30_S611B"},   {"M29_S14D", "M30_S14D"},    {"M29_S24A", "M30_S913C"},
    };
    const std::pair<const char*, const char*> later[] = {
        {"M29_S45C", "M30_S45B"},    {"M29_S55B", "M30_S55B"},    {"M29_S56A", "M30_S56A"},
        {"M29_S56B", "M30_S56B"},    {"M29_S165D", "M30_S165C"},  {"M29_S167D", "M30_S167C"},
        {"M29_S173D", "M30_S173C"},  {"M29_S165E", "M30_S165E"},  {"M29_S167E", "M30_S167E"},
        {"M29_S173E", "M30_S173E"},  {"M29_S65B", "M30_S65B"},    {"M29_S67B", "M30_S67E"},
        {"M29_S30B", "M30_S913B"},   {"M29_S31B", "M30_S913D"},
    };
    // clang-format on
    for (auto [target, from] : cells) add(target, source(from));
    add("M29_S24B", RoundProduct(static_cast<double>(source("M30_S913C")), 6.67));
    for (auto [target, from] : later) add(target, source(from));
    CsalkedvHonapok(m29);
}

void CsalkedvHonapok(db::Dataset& m29) {
    try {
        // Counted afresh: a second M30 record of the tax id adds its cells,
        // never the children again.
        for (const char* month : kHonapok)
            for (int kind = 1; kind <= 3; ++kind)
                m29.FieldByName("M29_" + std::string(month) + std::to_string(kind)).SetAsInteger(0);
        db::Query children;
        children.DatabaseName = DM1->TableSzamfejt->DatabaseName;
        ListSql sql;
        sql.Line("Select * From " + ListSql::Table(*DM1->TableM292))
            .Equal("M292_DGTORZSSZAM", Q(m29.FieldByName("M29_DGTORZSSZAM").AsString()));
        sql.Apply(children);
        for (children.Open(); !children.Eof(); children.Next())
            for (const char* month : kHonapok) {
                const std::string mark = children.FieldByName("M292_" + std::string(month)).AsString();
                if (mark == "1" || mark == "2" || mark == "3") {
                    db::Field& count = m29.FieldByName("M29_" + std::string(month) + mark);
                    count.SetAsInteger(Checked32(count.AsInteger() + 1));
                }
            }
        children.Close();
        db::Field& s22a = m29.FieldByName("M29_S22A");
        s22a.SetAsInteger(0);
        for (const char* month : kHonapok) {
            auto count = [&](int kind) {
                return m29.FieldByName("M29_" + std::string(month) + std::to_string(kind)).AsInteger();
            };
            const long long a = count(1), b = count(2), c = count(3), n = a + b + c;
            const long long amount = n >= 3 ? 220000 : n == 2 ? 83330 : 66670;
            // Half the amount for a child cared for alternately.
            const long long half = (c * amount + 1) / 2;
            s22a.SetAsInteger(Checked32(s22a.AsInteger() + a * amount + half));
        }
    } catch (const std::exception& e) {
        ui::MessageBox(
            QStringLiteral("Üzenet"),
            QStringLiteral("HIBA történt a Családi Kedvezményre jogosító hónapok mágállapításakor!\r") +
                QString::fromUtf8(e.what()),
            ui::Icon::Error, ui::Ok);
    }
}

// --- The run ----------------------------------------------------------------------

void M29osszesit(const M29Ranges& r) {
    const std::string adoTol = os::TrimWhitespace(r.taxIdFrom), adoIg = os::TrimWhitespace(r.taxIdTo);
    const QString mhTol = Q(os::TrimWhitespace(r.workplaceFrom)), mhIg = Q(os::TrimWhitespace(r.workplaceTo));
    db::Table& m29 = *DM1->TableM29;
    const std::string dolgozo = ListSql::Table(*DM1->TableDolgozo);
    const std::string database = DM1->TableSzamfejt->DatabaseName;

    // The tax ids of the workplace range's employees, and every employee.
    std::set<std::string> inWorkplaces, employees;
    {
        db::Query q;
        q.DatabaseName = database;
        ListSql sql;
        sql.Line("Select DG_TORZSSZAM, DG_ADOAZ, DG_MHKOD From " + dolgozo);
        sql.Apply(q);
        for (q.Open(); !q.Eof(); q.Next()) {
            employees.insert(q.FieldByName("DG_TORZSSZAM").AsString());
            const QString mh = Q(os::TrimWhitespace(q.FieldByName("DG_MHKOD").AsString()));
            if (mh >= mhTol && mh <= mhIg) inWorkplaces.insert(q.FieldByName("DG_ADOAZ").AsString());
        }
    }

    ListSql sql;
    sql.Line("Select M30.*, Dolg.DG_ADOAZ, Dolg.DG_CSALKEDV")
        .Line("From " + ListSql::Table(*DM1->TableM30) + " As M30")
        .Line("Join " + dolgozo + " As Dolg")
        .Line("On M30_DGTORZSSZAM=DG_TORZSSZAM")
        .Line("Join " + ListSql::Table(*DM1->TableNyilat) + " As Nyilat")
        .Line("On M30_DGTORZSSZAM=NY_DGTORZSSZAM")
        .Equal("NY_ONADOZO", QStringLiteral("N"))
        .Range("DG_ADOAZ", Q(adoTol), Q(adoIg))
        .Range("DG_MHKOD", mhTol, mhIg)
        .Line("Order By DG_ADOAZ, M30_DGTORZSSZAM");
    db::Query rows;
    rows.DatabaseName = database;
    sql.Apply(rows);

    db::Transaction tx({&m29});
    // 1. The range's own records go; hand-made natures and other workplaces stay.
    for (m29.First(); !m29.Eof();) {
        const std::string adoaz = m29.FieldByName("M29_DGADOAZ").AsString();
        const bool own =
            m29.FieldByName("M29_JELLEG").AsString() == "E" && adoaz >= adoTol && adoaz <= adoIg &&
            (inWorkplaces.count(adoaz) || !employees.count(m29.FieldByName("M29_DGTORZSSZAM").AsString()));
        if (own)
            m29.Delete();
        else
            m29.Next();
    }
    // 3. One "E" record per tax id; a second M30 record of it adds its cells.
    for (rows.Open(); !rows.Eof(); rows.Next()) {
        const std::string adoaz = rows.FieldByName("DG_ADOAZ").AsString();
        if (m29.Locate("M29_DGADOAZ;M29_JELLEG", {adoaz, std::string("E")})) {
            m29.Edit();
        } else {
            m29.Append();
            m29.FieldByName("M29_DGADOAZ").SetAsString(adoaz);
            m29.FieldByName("M29_DGTORZSSZAM").SetAsString(rows.FieldByName("M30_DGTORZSSZAM").AsString());
            m29.FieldByName("M29_JELLEG").SetAsString("E");
            m29.FieldByName("M29_HOZOTTJOV").SetAsString(rows.FieldByName("M30_S0A").AsString());
            m29.FieldByName("M29_S66B").SetAsInteger(0);  // entered by hand only
        }
        M30AdatAtvetel(rows, m29);
        m29.Post();
    }
    rows.Close();
    // 4. Every record renumbered and recomputed.
    M29Sorszamozas(m29);
    tx.Commit();
}

// --- The form ---------------------------------------------------------------------

namespace {

const CodeLookup kAdoazonosito{.table = &TDM1::TableDolgozo,
                               .keyField = "DG_ADOAZ",
                               .nameField = "",
                               .message = "Ilyen Adóazonosító nem létezik!",
                               .sqlColumns = {{"DG_TORZSSZAM", 73}, {"DG_NEV", 336}, {"DG_ADOAZ", 79}}};

// The smallest or largest tax id of the employees with payroll rows.
ParamDefault AdoazonositoSzele(bool last) {
    return [last](ListForm&) -> db::Variant {
        db::Query q;
        q.DatabaseName = DM1->TableSzamfejt->DatabaseName;
        ListSql sql;
        sql.Line("Select DG_ADOAZ From " + ListSql::Table(*DM1->TableSzamfejt))
            .Line("Join " + ListSql::Table(*DM1->TableDolgozo))
            .Line("On SF_DGTORZSSZAM=DG_TORZSSZAM")
            .Condition("DG_ADOAZ Is Not Null And DG_ADOAZ <> ''")
            .Line(std::string("Order By DG_ADOAZ") + (last ? " Desc" : "") + " Limit 1");
        sql.Apply(q);
        q.Open();
        return q.Eof() ? db::Variant() : db::Variant(q.Fields(0).AsString());
    };
}

ListDecl M29osszDecl() {
    ParamField munkahely = params::Munkahely(lookups::MunkahelySQL);
    ParamField adoaz;
    adoaz.kind = ParamKind::Code;
    adoaz.from = "MaskEdit5";
    adoaz.to = "MaskEdit6";
    adoaz.caption = QStringLiteral("Adóazonosító (F2) :");
    adoaz.mask = "99999999999;1; ";
    adoaz.code = &kAdoazonosito;
    adoaz.fromDefault = AdoazonositoSzele(false);
    adoaz.toDefault = AdoazonositoSzele(true);
    ListDecl d;
    d.objectName = "Ado_M29osszForm";
    d.caption = QStringLiteral("Adó/M29 összesítés");
    d.fields = {munkahely, adoaz};
    d.tables = {&TDM1::TableMhely, &TDM1::TableJogcim,  &TDM1::TableSzamfejt,
                &TDM1::TableCegek, &TDM1::TableDolgozo, &TDM1::TableNyilat};
    d.lastEdit = "MaskEdit6";
    d.noStartButton1 = true;
    d.startButtons = {{"BitBtn1", QStringLiteral("Összesít")}};
    return d;
}

}  // namespace

TAdo_M29osszForm::TAdo_M29osszForm(QWidget* parent) : ListForm(M29osszDecl(), parent) {
    BitBtn1 = qobject_cast<QPushButton*>(Control("BitBtn1"));
    DM1->TableM29->Close();
    DM1->TableM29->ReadOnly = false;
    DM1->TableM29->Open();
}

TAdo_M29osszForm::~TAdo_M29osszForm() { DM1->TableM29->Close(); }

void TAdo_M29osszForm::StartButtonClick(int index) {
    if (index == 0) BitBtn1Click();
}

void TAdo_M29osszForm::BitBtn1Click() {
    try {
        // The transaction is rolled back and the button given back before the error shows.
        ui::WaitingButton waiting(BitBtn1);
        M29osszesit({S(Text("MaskEdit1")), S(Text("MaskEdit2")), S(Text("MaskEdit5")), S(Text("MaskEdit6"))});
    } catch (...) {
        db::HandleApplicationException(std::current_exception());
        return;
    }
    ui::MessageBox(QStringLiteral("Üzenet"), QStringLiteral("Az összesítés befejeződött!"),
                   ui::Icon::Information, ui::Ok);
}
