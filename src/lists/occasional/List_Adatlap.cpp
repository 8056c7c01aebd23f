#include "lists/occasional/List_Adatlap.h"

#include <QBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <stdexcept>

#include "core/JogcimHelyek.h"
#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "core/helpers/TaxRate.h"
#include "lists/occasional/List_AdatlapQR.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/Text.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"

namespace {

ListDecl AdatlapDecl() {
    ListDecl s;
    s.objectName = "List_AdatlapForm";
    s.caption = QStringLiteral("Eseti listák/Adatlap");
    ParamField munkahely = params::Munkahely();
    munkahely.hidden = true;  // defaulted and required, not used by the data
    s.fields = {munkahely, params::Dolgozo()};
    s.tables = {&TDM1::TableMhely, &TDM1::TableJogcim, &TDM1::TableDolgozo, &TDM1::TableSzamfejt,
                &TDM1::TableCegek};
    s.progressBars = 1;
    s.lastEdit = "MaskEdit6";
    return s;
}

bool BroughtForward(const std::string& code) { return code >= "800"; }

const std::vector<WorkField>& Mezok() {
    using T = db::FieldType;
    static const std::vector<WorkField> mezok = [] {
        static std::deque<std::string> nevek;  // keeps the generated names alive
        std::vector<WorkField> m = {
            {"DOLGKOD", T::String, 11},         {"DOLGNEV", T::String, 30},
            {"DOLGTITULUS", T::String, 6},      {"DOLGADOAZON", T::String, 11},
            {"DOLGNYUGTORZSSZ", T::String, 10}, {"DOLGSZULDAT", T::Date},
            {"DOLGSZULHELY", T::String, 20},    {"DOLGCIM", T::String, 152},
            {"DOLGKILEPDAT", T::Date},          {"MNYP", T::String, 4},
            {"CEGNEV", T::String, 60},          {"CEGCIM", T::String, 66},
            {"CEGADOSZ", T::String, 11},        {"S0", T::String, 1},
        };
        auto add = [&](const std::string& name, T type, int size = 0) {
            nevek.push_back(name);
            m.push_back({nevek.back().c_str(), type, size});
        };
        auto cells = [&](const std::string& row, const std::string& columns) {
            for (char c : columns) add("S" + row + c, T::Integer);
        };
        cells("1", "D");
        for (const char* row : {"2", "3"}) add(std::string("S") + row + "A", T::String, 1), cells(row, "BCD");
        cells("4", "D");
        cells("5", "D");
        for (const char* row : {"6", "7"}) add(std::string("S") + row + "A", T::String, 1), cells(row, "BCD");
        for (const char* row : {"8", "14", "16", "17"}) cells(row, "BCD");
        cells("18", "D");
        cells("65", "B");
        for (const char* row : {"165", "167", "168", "173"}) cells(row, "BCDE");
        add("S175A", T::String, 20);
        cells("175", "BCDE");
        cells("176", "BCDE");
        cells("67", "E");
        add("S610A", T::String, 1);
        cells("610", "B");
        add("S611A", T::String, 1);
        cells("611", "B");
        add("S45A", T::Date);
        add("S45C", T::Date);
        cells("45", "B");
        cells("55", "B");
        cells("56", "AB");
        cells("57", "B");
        for (int row = 900; row <= 913; ++row) cells(std::to_string(row), "ABCD");
        return m;
    }();
    return mezok;
}

const std::map<std::string, size_t>& Helyek() {
    static const std::map<std::string, size_t> helyek = [] {
        std::map<std::string, size_t> h;
        for (size_t i = 0; i < Mezok().size(); ++i) h[Mezok()[i].name] = i;
        return h;
    }();
    return helyek;
}

// A placement naming a cell the work table does not have.
struct NincsMezo : std::runtime_error {
    using std::runtime_error::runtime_error;
};

bool EgeszMezo(size_t i) { return Mezok()[i].type == db::FieldType::Integer; }

// The cells of one employee's record by name.
class Lap {
public:
    explicit Lap(db::Record& r) : r_(r) {}
    // The position of a field; a name the table lacks raises the engine's text.
    static size_t Hely(const std::string& name) {
        auto it = Helyek().find(name);
        if (it == Helyek().end()) throw NincsMezo("Field '" + name + "' not found");
        return it->second;
    }
    long long operator[](const std::string& name) const { return r_[Hely(name)].ToInt(); }
    void Set(const std::string& name, long long v) { r_[Hely(name)] = v; }
    void Add(const std::string& name, long long v) { Set(name, (*this)[name] + v); }
    void SetText(const std::string& name, const std::string& v) { r_[Hely(name)] = v; }

private:
    db::Record& r_;
};

long long Kerekitve(const db::Field& f) {
    return f.IsNull() ? 0 : Kerekit(static_cast<long double>(f.AsFloat()));
}

struct Elhelyezes {
    std::string sor, oszlop;
};

std::string Felso(const std::string& s) { return os::UpperAscii(os::TrimWhitespace(s)); }

// The placement of every pay item of the company.
std::map<std::string, Elhelyezes> Elhelyezesek() {
    std::map<std::string, Elhelyezes> e;
    db::Table& j = *DM1->TableJogcim;
    const db::Bookmark hol = j.GetBookmark();
    for (j.First(); !j.Eof(); j.Next())
        e[j.FieldByName("JC_KOD").AsString()] = {Felso(j.FieldByName("JC_ADATLSOR").AsString()),
                                                 Felso(j.FieldByName("JC_ADATLOSZL").AsString())};
    if (!j.IsEmpty()) j.GotoBookmark(hol);
    return e;
}

// Adds one payroll row into its cells. An integer cell receives amounts; a
// text or date cell nothing; a name the table lacks raises.
void Elhelyez(Lap& lap, const std::string& kod, const Elhelyezes& e, long long osszeg, long long adoalap,
              long long jaralap, int honap, std::string& cella) {
    const std::string& r = e.sor;
    const std::string& c = e.oszlop;
    if (r != "900") {
        cella = "S" + r + c;
        const size_t i = Lap::Hely(cella);
        if (!EgeszMezo(i)) return;
        lap.Add(cella, osszeg);
        static const std::set<std::string> adoalapos = {"2B", "3B", "6B", "7B", "14B", "16B", "17B"};
        if (adoalapos.count(r + c)) lap.Add("S" + r + "D", adoalap);
        if (BroughtForward(kod)) return;
        if (r + c == "55B") lap.Add("S1D", -osszeg);
        if (r + c == "8B") {
            lap.Add("S7B", osszeg);
            lap.Add("S8D", adoalap);
            lap.Add("S7D", adoalap);
        }
        return;
    }
    if (c != "B" && c != "D") return;
    for (const std::string& sor : {std::string("900"), std::to_string(900 + honap)}) {
        cella = "S" + sor + c;
        lap.Add(cella, osszeg);
        lap.Add("S" + sor + "C", c == "B" ? osszeg : -osszeg);
        if (c == "D" && kod == "300") lap.Add("S" + sor + "A", jaralap);
    }
}

std::string Szoveg(const db::Field& f) { return f.AsString(); }

}  // namespace

WorkTable AdatlapTabla() {
    WorkTable t;
    t.name = "List_Adatlap";
    t.key = "DOLGKOD";
    t.fields = Mezok();
    return t;
}

void MezoertekSzamol(db::Record& rec) {
    Lap lap(rec);
    for (const char* r : {"2", "3", "6", "7", "8"})
        lap.Set(std::string("S") + r + "C",
                lap[std::string("S") + r + "B"] - lap[std::string("S") + r + "D"]);
    for (const char* r : {"2", "3", "6", "7"})
        if (lap[std::string("S") + r + "D"] > 0) lap.SetText(std::string("S") + r + "A", "1");
    for (const char* r : {"14", "16", "17"})
        lap.Set(std::string("S") + r + "C",
                lap[std::string("S") + r + "B"] - lap[std::string("S") + r + "D"]);
    long long s18 = 0;
    for (const char* r : {"1", "2", "3", "4", "5", "6", "7", "14", "16", "17"})
        s18 += lap[std::string("S") + r + "D"];
    lap.Set("S18D", s18);
    // The validated contribution allowance turned back into tax base at 15 %.
    const long long s610 = lap["S610B"] - RoundQuotient(static_cast<double>(lap["S900C"]), kIncomeTaxRate);
    if (s610 < 1)
        lap.Set("S610B", 0);
    else
        lap.Set("S610B", s610), lap.SetText("S610A", "1");
    if (lap["S611B"] < 1)
        lap.Set("S611B", 0);
    else
        lap.SetText("S611A", "1");
    const char* kulon[] = {"165", "167", "168", "173", "175"};
    for (const char* r : kulon) {
        const std::string s = std::string("S") + r;
        const long long b = lap[s + "B"];
        lap.Set(s + "C", b);
        lap.Set(s + "D", RoundProduct(static_cast<double>(b), kIncomeTaxRate));
        lap.Set(s + "E", lap[s + "D"]);
    }
    for (const char* c : {"B", "C", "D", "E"}) {
        long long sum = 0;
        for (const char* r : kulon) sum += lap[std::string("S") + r + c];
        lap.Set(std::string("S176") + c, sum);
    }
    lap.Set("S67E", lap["S176E"]);
    lap.Set("S56A", RoundProduct(static_cast<double>(lap["S56B"]), kIncomeTaxRate));
    for (const char* c : {"A", "B", "C", "D"}) {
        long long sum = 0;
        for (int r = 901; r <= 912; ++r) sum += lap["S" + std::to_string(r) + c];
        lap.Set(std::string("S913") + c, sum);
    }
}

std::vector<db::Record> AdatlapSorok(const AdatlapParameterek& p, const std::function<void(int)>& start,
                                     const std::function<void()>& step) {
    const std::map<std::string, Elhelyezes> elhelyezesek = Elhelyezesek();
    ListSql sql;
    sql.Line("Select * From " + ListSql::Table(*DM1->TableSzamfejt));
    sql.Range("SF_DGTORZSSZAM", p.dgTol, p.dgIg);
    sql.Line("Order By SF_DGTORZSSZAM");
    Query1Fill fill;
    db::Query& q = *DM1->Query1;
    sql.Apply(q);
    q.Open();
    if (start) start(q.RecordCount());

    LocateCompany();
    db::Table& cegek = *DM1->TableCegek;
    const std::string cegKod = CegKod();
    const bool vanCeg =
        cegek.Active() && !cegek.IsEmpty() && cegek.FieldByName("CG_KOD").AsString() == cegKod;
    db::Table& dolgozok = *DM1->TableDolgozo;

    std::vector<db::Record> sorok;
    for (q.First(); !q.Eof();) {
        const std::string dolgozo = q.FieldByName("SF_DGTORZSSZAM").AsString();
        db::Record rec(Mezok().size());
        for (size_t i = 0; i < rec.size(); ++i)
            if (EgeszMezo(i)) rec[i] = 0LL;
        Lap lap(rec);
        lap.SetText("DOLGKOD", dolgozo);
        lap.SetText("S0", "N");
        if (dolgozok.Locate("DG_TORZSSZAM", dolgozo)) {
            const auto set = [&](const char* mezo, const char* dg) {
                rec[Lap::Hely(mezo)] = dolgozok.FieldByName(dg).Value();
            };
            set("DOLGNEV", "DG_NEV");
            set("DOLGTITULUS", "DG_TITULUS");
            set("DOLGADOAZON", "DG_ADOAZ");
            set("DOLGNYUGTORZSSZ", "DG_NYUGTORZSSZ");
            set("DOLGSZULDAT", "DG_SZULDAT");
            set("DOLGSZULHELY", "DG_SZULHELY");
            lap.SetText("DOLGCIM", S(CimOsszefuz(dolgozok, {"DG_IRSZ", "DG_VAROS", "DG_KOZTER",
                                                            "DG_KOZTERJEL", "DG_HAZSZ", "DG_EPULET",
                                                            "DG_LEPCSOHAZ", "DG_EMELET", "DG_AJTO"})));
            set("DOLGKILEPDAT", "DG_KILEPDAT");
            set("MNYP", "DG_MNYP");
            set("S45A", "DG_FOGYKEZD");
            set("S45C", "DG_FOGYVEG");
            for (const char* a : {"S2A", "S3A", "S6A", "S7A"}) set(a, "DG_KTGNYIL");
        }
        if (vanCeg) {
            lap.SetText("CEGNEV", Szoveg(cegek.FieldByName("CG_NEV")));
            lap.SetText("CEGCIM",
                        S(CimOsszefuz(cegek, {"CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ",
                                              "CG_EPULET", "CG_LEPCSOHAZ", "CG_EMELET", "CG_AJTO"})));
            lap.SetText("CEGADOSZ", Szoveg(cegek.FieldByName("CG_ADOSZAM")));
        }
        for (; !q.Eof() && q.FieldByName("SF_DGTORZSSZAM").AsString() == dolgozo; q.Next()) {
            if (step) step();
            const std::string kod = q.FieldByName("SF_JCKOD").AsString();
            auto it = elhelyezesek.find(kod);
            if (it == elhelyezesek.end()) continue;
            if (BroughtForward(kod)) lap.SetText("S0", "I");
            if (it->second.sor.empty() || it->second.oszlop.empty()) continue;
            std::string cella;
            try {
                Elhelyez(lap, kod, it->second, Kerekitve(q.FieldByName("SF_OSSZEG")),
                         Kerekitve(q.FieldByName("SF_ADOALAP")), Kerekitve(q.FieldByName("SF_JARALAP")),
                         static_cast<int>(q.FieldByName("SF_HONAP").AsInteger()), cella);
            } catch (const NincsMezo& e) {
                ui::MessageBox(
                    QStringLiteral("Üzenetkezelő"),
                    "HIBA történt a(z) " + Q(cella) + " mező kitöltésekor!\r" + QString::fromUtf8(e.what()),
                    ui::Icon::Error, ui::Ok);
            }
        }
        MezoertekSzamol(rec);
        sorok.push_back(std::move(rec));
    }
    return sorok;
}

TList_AdatlapForm::TList_AdatlapForm(QWidget* parent) : ListForm(AdatlapDecl(), parent) {
    BitBtn3 = new QPushButton(QStringLiteral("Jogcímek aktualizálása"), this);
    BitBtn3->setObjectName("BitBtn3");
    BitBtn3->setAutoDefault(false);
    // Beside "Kilépés", in the frame's button row.
    for (QBoxLayout* row : findChildren<QBoxLayout*>()) {
        const int at = row->indexOf(BitBtn2);
        if (at >= 0) {
            row->insertWidget(at, BitBtn3);
            break;
        }
    }
    connect(BitBtn3, &QPushButton::clicked, this, [this] { JogcimFeltolt(); });
}

TList_AdatlapForm::~TList_AdatlapForm() = default;

void TList_AdatlapForm::showEvent(QShowEvent* event) {
    ListForm::showEvent(event);
    if (checked_) return;
    checked_ = true;
    // Placements never loaded: item "100" without a data-sheet row.
    db::Table& j = *DM1->TableJogcim;
    if (j.Locate("JC_KOD", std::string("100")) && j.FieldByName("JC_ADATLSOR").IsNull()) JogcimFeltolt();
}

bool TList_AdatlapForm::JogcimFeltolt() {
    JogcimHelyMasolas how;
    how.columns = {"JC_ADATLSOR", "JC_ADATLOSZL"};
    how.replaceBroughtForward = true;
    how.button = BitBtn3;
    return JogcimHelyekMasolasa(how);
}

AdatlapParameterek TList_AdatlapForm::Parameterek() const { return {Text("MaskEdit5"), Text("MaskEdit6")}; }

bool TList_AdatlapForm::TablaLetrehoz() {
    return FillWorkTable(AdatlapTabla(), [this] {
        return AdatlapSorok(Parameterek(), ProgressStart(ProgressBar1), ProgressStep(ProgressBar1));
    });
}

void TList_AdatlapForm::BitBtn1Click() {
    BitBtn3->setEnabled(false);
    RunWorkTableList([this] { return TablaLetrehoz(); },
                     [this] {
                         AdatlapTabla().OpenInTable1();
                         List_AdatlapQRForm = std::make_unique<TList_AdatlapQRForm>();
                         struct Free {
                             std::unique_ptr<TList_AdatlapQRForm>& layout;
                             ~Free() { layout.reset(); }
                         } free{List_AdatlapQRForm};
                         List_AdatlapQRForm->QuickRep1.Preview();
                     });
    BitBtn3->setEnabled(true);
}
