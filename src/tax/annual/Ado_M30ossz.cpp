#include "tax/annual/Ado_M30ossz.h"

#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <climits>
#include <set>

#include "core/JogcimHelyek.h"
#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "core/helpers/TaxRate.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "platform/os/Text.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"
#include "platform/ui/WaitingButton.h"
#include "tax/annual/EvesRekordok.h"

// --- Cells ------------------------------------------------------------------------

namespace {

db::Field& Cell(db::Dataset& m30, const std::string& row, const std::string& col) {
    db::Field* f = m30.FindField("M30_S" + row + col);
    if (!f) throw M30PlacementError("M30_S" + row + col);
    return *f;
}

long long Checked32(long long v) {
    if (v < INT_MIN || v > INT_MAX) throw std::overflow_error("Integer overflow");
    return v;
}

// An empty cell takes x, a filled one gets x added; the cell is a whole number.
void AddTo(db::Field& cell, long double x) {
    const long long sum = Kerekit(static_cast<long double>(cell.AsInteger()) + x);
    cell.SetAsInteger(Checked32(sum));
}

std::string Upper(const std::string& s) { return os::UpperAscii(s); }

}  // namespace

void MapRowsToM30Cells(db::Dataset& row, db::Dataset& m30) {
    std::string sor = row.FieldByName("JC_ADOELSOR").AsString();
    const std::string oszlop = row.FieldByName("JC_ADOELOSZ").AsString();
    const std::string oszlopU = Upper(oszlop);
    const std::string ktg = os::TrimWhitespace(row.FieldByName("JC_ADOELKTG").AsString());
    const std::string jckod = row.FieldByName("SF_JCKOD").AsString();
    const bool alkmin6 = row.FieldByName("DG_ALKMIN").AsString() == "6";
    const int honap = static_cast<int>(row.FieldByName("SF_HONAP").AsInteger());
    const long double osszeg = row.FieldByName("SF_OSSZEG").AsFloat();
    const long double adoalap = row.FieldByName("SF_ADOALAP").AsFloat();
    const long double jaralap = row.FieldByName("SF_JARALAP").AsFloat();

    // 1. Ordinary and cost-type placement.
    if (sor != "900") {
        if (Upper(ktg) == "C") {
            AddTo(Cell(m30, sor, oszlop), osszeg);
            AddTo(Cell(m30, sor, "C"), osszeg - adoalap);
            if (sor == "8") {
                AddTo(Cell(m30, "7", "B"), osszeg);
                AddTo(Cell(m30, "7", "C"), osszeg - adoalap);
            }
        } else if (ktg.empty()) {
            AddTo(Cell(m30, sor, oszlop), osszeg);
            if (sor == "289") AddTo(Cell(m30, "289", "F"), jaralap);
        }
    }
    // 2. Brought-in family contribution allowance: the allowance base it stands for.
    const int sorSzam = std::atoi(sor.c_str());
    if (jckod >= "800" && oszlopU == "C" && sorSzam >= 901 && sorSzam <= 912)
        AddTo(Cell(m30, "610", "B"), RoundQuotient(static_cast<double>(osszeg), kIncomeTaxRate));
    // 3. Employment kind "6": item 155A lowers its month's base and contributions.
    if (alkmin6 && jckod == "155A") {
        sor = std::to_string(900 + honap);
        AddTo(Cell(m30, sor, "A"), -adoalap);
        AddTo(Cell(m30, sor, "B"), -RoundProduct(static_cast<double>(adoalap), 0.17));
    }
    // 4. Month rows.
    if (sor == "900") {
        sor = std::to_string(900 + honap);
        if (!alkmin6) {
            if (oszlopU == "B" && (jckod == "700A" || jckod == "701A")) AddTo(Cell(m30, sor, "A"), jaralap);
            if (oszlopU == "B") {
                AddTo(Cell(m30, sor, oszlop), osszeg);
                AddTo(Cell(m30, sor, "C"), osszeg);
            } else if (oszlopU == "D") {
                AddTo(Cell(m30, sor, oszlop), osszeg);
                AddTo(Cell(m30, sor, "C"), -osszeg);
            }
        } else {
            if (oszlopU == "T" && jckod == "309") {
                AddTo(Cell(m30, sor, "A"), adoalap);
                AddTo(Cell(m30, sor, "B"), RoundProduct(static_cast<double>(adoalap), 0.17));
            }
            if (oszlopU == "B")
                AddTo(Cell(m30, sor, "C"), osszeg);
            else if (oszlopU == "D")
                AddTo(Cell(m30, sor, "C"), -osszeg);
        }
    }
}

namespace {

// The cells of one record as checked 32-bit integers; an empty cell is 0.
class Cells {
public:
    explicit Cells(db::Dataset& m30) : m30_(m30) {}
    long long operator()(const std::string& name) const {
        return m30_.FieldByName("M30_S" + name).AsInteger();
    }
    void Set(const std::string& name, long long v) {
        m30_.FieldByName("M30_S" + name).SetAsInteger(Checked32(v));
    }
    static long long Plus(long long a, long long b) { return Checked32(a + b); }
    static long long Minus(long long a, long long b) { return Checked32(a - b); }

private:
    db::Dataset& m30_;
};

const char* const kSeparateRows[] = {"165", "167", "168", "173", "175"};

}  // namespace

void ComputeM30Totals(db::Dataset& m30, const M30TotalsOptions& options) {
    Cells s(m30);
    if (options.inPlaceCorrections) s.Set("1D", Cells::Minus(s("1D"), s("55B")));
    for (const char* row : {"2", "3", "6", "7", "8", "14", "16", "17"})
        s.Set(std::string(row) + "D", Cells::Minus(s(std::string(row) + "B"), s(std::string(row) + "C")));
    long long s18 = 0;
    for (const char* cell : {"1D", "2D", "3D", "4D", "5D", "6D", "7D", "14D", "16D", "17D"})
        s18 = Cells::Plus(s18, s(cell));
    s.Set("18D", s18);
    for (const char* row : kSeparateRows) {
        const std::string r = row;
        s.Set(r + "C", s(r + "B"));
        s.Set(r + "D", RoundProduct(static_cast<double>(s(r + "B")), kIncomeTaxRate));
        s.Set(r + "E", s(r + "D"));
    }
    for (const char* col : {"B", "C", "D", "E"}) {
        long long sum = 0;
        for (const char* row : kSeparateRows) sum = Cells::Plus(sum, s(std::string(row) + col));
        s.Set(std::string("176") + col, sum);
    }
    long long s67 = 0;
    for (const char* row : kSeparateRows) s67 = Cells::Plus(s67, s(std::string(row) + "E"));
    s.Set("67E", s67);
    for (int month = 901; month <= 912; ++month) {
        const std::string r = std::to_string(month);
        s.Set(r + "D", Cells::Minus(s(r + "B"), s(r + "C")));
    }
    for (const char* col : {"A", "B", "C", "D"}) {
        long long sum = 0;
        for (int month = 901; month <= 912; ++month) sum = Cells::Plus(sum, s(std::to_string(month) + col));
        s.Set(std::string("913") + col, sum);
    }
    if (options.inPlaceCorrections)
        s.Set("610B", Cells::Minus(s("610B"),
                                   Checked32(RoundQuotient(static_cast<double>(s("913C")), kIncomeTaxRate))));
    s.Set("56A", RoundProduct(static_cast<double>(s("56B")), kIncomeTaxRate));
    if (options.s45Cap && s("45B") > *options.s45Cap) s.Set("45B", *options.s45Cap);
    s.Set("286G", Cells::Plus(s("18D"), s("55B")));
    s.Set("287G", s("176C"));
}

std::optional<long long> M30S45Cap(db::Table& ertekkeszlet) {
    const db::Variant v = ertekkeszlet.Lookup("EK_TIPUS;EK_ERTEK", {"0", "31"}, "EK_ERTEKNUM");
    if (v.IsNull()) return std::nullopt;
    return Kerekit(static_cast<long double>(v.ToDouble()) * 12);
}

// --- The run ----------------------------------------------------------------------

namespace {

QString PlacementMessage(db::Dataset& row) {
    return "A " + Q(row.FieldByName("SF_DGTORZSSZAM").AsString()) + " Törzsszámú dolgozónak a " +
           Q(row.FieldByName("SF_JCKOD").AsString()) +
           " kódú jogcím Adóelsz. sor és Adóelsz. oszl. mezők értékeit ellenőrizze le!";
}

}  // namespace

void M30osszesit(const M30Ranges& r, const std::string& year) {
    const QString dgTol = Q(os::TrimWhitespace(r.employeeFrom)), dgIg = Q(os::TrimWhitespace(r.employeeTo));
    const QString mhTol = Q(os::TrimWhitespace(r.workplaceFrom)), mhIg = Q(os::TrimWhitespace(r.workplaceTo));
    const std::string szamfejt = ListSql::Table(*DM1->TableSzamfejt);
    db::Table& m30 = *DM1->TableM30;
    const std::optional<long long> cap = M30S45Cap(*DM1->TableErtekkeszlet);

    // Brought-in rows per employee.
    ListSql brought;
    brought.Line("Select SF_DGTORZSSZAM, COUNT(*) AS DARAB From " + szamfejt)
        .Condition("SF_JCKOD >= :hozott")
        .Bind("hozott", std::string("800"), db::FieldType::String)
        .Range("SF_DGTORZSSZAM", dgTol, dgIg)
        .Line("Group By SF_DGTORZSSZAM");
    db::Query count;
    count.DatabaseName = DM1->TableSzamfejt->DatabaseName;
    brought.Apply(count);
    count.Open();
    std::set<std::string> hozott;
    for (; !count.Eof(); count.Next())
        if (count.FieldByName("DARAB").AsInteger() >= 1)
            hozott.insert(count.FieldByName("SF_DGTORZSSZAM").AsString());
    count.Close();

    ListSql sql;
    sql.Line(
           "Select SF_DGTORZSSZAM, SF_DGNEV, SF_HONAP, SF_OSSZEG, SF_ADOALAP, SF_JCKOD, JC_ADOELSOR, "
           "JC_ADOELOSZ, "
           "JC_ADOELKTG, SF_JARALAP, DG_CSALKEDV, DG_CSJARKEDVERV, DG_ALKMIN")
        .Line("From " + szamfejt)
        .Line("Join " + ListSql::Table(*DM1->TableJogcim))
        .Line("On SF_JCKOD=JC_KOD")
        .Line("Join " + ListSql::Table(*DM1->TableDolgozo))
        .Line("On SF_DGTORZSSZAM=DG_TORZSSZAM")
        .Condition("JC_ADOELSOR Is Not Null And JC_ADOELOSZ Is Not Null And JC_ADOELOSZ <> ''")
        .Range("SF_DGTORZSSZAM", dgTol, dgIg)
        .Range("SF_DGMHKOD", mhTol, mhIg)
        .Condition("(DG_KILEPDAT >= :datum Or DG_KILEPDAT Is Null)");
    double datum = 0;
    db::ParseDate(year + ".12.31", datum);
    sql.Bind("datum", datum, db::FieldType::Date);
    sql.Line("Order By SF_DGTORZSSZAM, SF_HONAP, SF_KIFIZDAT, SF_JCKOD, SF_SORSZAM");
    db::Query rows;
    rows.DatabaseName = DM1->TableSzamfejt->DatabaseName;
    sql.Apply(rows);

    db::Transaction tx({&m30});
    // 1. The range's records go, but those of employees paid only elsewhere.
    TartomanyRekordjaiTorol(m30, "M30_DGTORZSSZAM", dgTol, dgIg, mhTol, mhIg);

    // 2-4. One record per employee of the payroll rows, then its derived
    // cells; a record with nothing on rows 18, 176 and 57 is not kept.
    auto finish = [&](const std::string& code) {
        m30.FieldByName("M30_S0A").SetAsString(hozott.count(code) ? "I" : "N");
        ComputeM30Totals(m30, {.inPlaceCorrections = true, .s45Cap = cap});
        const bool empty = m30.FieldByName("M30_S18D").AsInteger() == 0 &&
                           m30.FieldByName("M30_S176C").AsInteger() == 0 &&
                           m30.FieldByName("M30_S57B").AsInteger() == 0;
        if (!empty) {
            m30.Post();
        } else if (m30.State() == db::DatasetState::Insert) {
            m30.Cancel();
        } else {
            m30.Cancel();
            m30.Delete();
        }
    };
    std::string current;
    for (rows.Open(); !rows.Eof(); rows.Next()) {
        const std::string code = rows.FieldByName("SF_DGTORZSSZAM").AsString();
        if (code != current) {
            if (!current.empty()) finish(current);
            current = code;
            if (m30.Locate("M30_DGTORZSSZAM", code)) {
                m30.Edit();
            } else {
                m30.Append();
                m30.FieldByName("M30_DGTORZSSZAM").SetAsString(code);
            }
        }
        try {
            MapRowsToM30Cells(rows, m30);
        } catch (const M30PlacementError&) {
            ui::ShowMessage(PlacementMessage(rows));
        }
    }
    if (!current.empty()) finish(current);
    rows.Close();
    tx.Commit();
}

// --- The form ---------------------------------------------------------------------

namespace {

ListDecl M30osszDecl() {
    // F2 opens the SQL pick list over the workplaces and the employees.
    ParamField munkahely = params::Munkahely(lookups::MunkahelySQL);
    ParamField dolgozo = params::Dolgozo(lookups::DolgozoSQL);
    ListDecl d;
    d.objectName = "Ado_M30osszForm";
    d.caption = QStringLiteral("Adó/M30 összesítés");
    d.fields = {munkahely, dolgozo};
    d.tables = {&TDM1::TableMhely, &TDM1::TableJogcim, &TDM1::TableDolgozo, &TDM1::TableSzamfejt,
                &TDM1::TableCegek};
    d.lastEdit = "MaskEdit6";
    d.noStartButton1 = true;
    d.startButtons = {{"BitBtn1", QStringLiteral("Összesít")}};
    return d;
}

}  // namespace

TAdo_M30osszForm::TAdo_M30osszForm(QWidget* parent) : ListForm(M30osszDecl(), parent) {
    BitBtn1 = qobject_cast<QPushButton*>(Control("BitBtn1"));
    BitBtn3 = new QPushButton(QStringLiteral("Összesítő kódok feltöltése"), this);
    BitBtn3->setObjectName("BitBtn3");
    BitBtn3->setAutoDefault(false);
    connect(BitBtn3, &QPushButton::clicked, this, [this] { JogcimFeltolt(); });
    layout()->addWidget(BitBtn3);
    DM1->TableM30->Close();
    DM1->TableM30->ReadOnly = false;
    DM1->TableM30->Open();
}

TAdo_M30osszForm::~TAdo_M30osszForm() { DM1->TableM30->Close(); }

void TAdo_M30osszForm::showEvent(QShowEvent* event) {
    ListForm::showEvent(event);
    if (placementChecked_) return;
    placementChecked_ = true;
    // The placement has never been loaded while item 100 has none.
    db::Table& jogcim = *DM1->TableJogcim;
    if (jogcim.Locate("JC_KOD", "100") && jogcim.FieldByName("JC_ADOELSOR").IsNull()) JogcimFeltolt();
}

void TAdo_M30osszForm::StartButtonClick(int index) {
    if (index == 0) BitBtn1Click();
}

void TAdo_M30osszForm::BitBtn1Click() {
    try {
        // The transaction is rolled back and the button given back before the error shows.
        ui::WaitingButton waiting(BitBtn1);
        M30osszesit({S(Text("MaskEdit1")), S(Text("MaskEdit2")), S(Text("MaskEdit5")), S(Text("MaskEdit6"))},
                    FeldolgozasiEv);
    } catch (...) {
        db::HandleApplicationException(std::current_exception());
        return;
    }
    ui::MessageBox(QStringLiteral("Üzenet"), QStringLiteral("Az összesítés befejeződött!"),
                   ui::Icon::Information, ui::Ok);
}

void TAdo_M30osszForm::JogcimFeltolt() {
    JogcimHelyMasolas how;
    how.columns = {"JC_ADOELKTG", "JC_ADOELSOR", "JC_ADOELOSZ"};
    how.missingText = QStringLiteral(" adatállomány nem elérhető! A feltöltés nem történt meg!");
    how.button = BitBtn3;
    JogcimHelyekMasolasa(how);
}
