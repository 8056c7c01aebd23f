#include "lists/summary/List_UtalTetel.h"

#include <stdexcept>

#include "core/TableLayouts.h"
#include "lists/summary/List_UtalTetelQR.h"
#include "platform/db/Query.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"

namespace {

ListDecl UtalTetelDecl() {
    ListDecl s;
    s.objectName = "List_UtalTetelForm";
    s.caption = QStringLiteral("Összesítő listák/Utalandó tételek");
    s.fields = {params::Honap(), params::Munkahely()};
    s.tables = {&TDM1::TableNyugP, &TDM1::TableMhely, &TDM1::TableSzamfejt, &TDM1::TableCegek,
                &TDM1::TableJogcim};
    s.lastEdit = "MaskEdit2";
    return s;
}

// The employee link names a field of the employee table or nothing usable:
// it goes into the statement as a name, so only a known field may.
bool DolgozoMezo(const std::string& name) {
    const TableLayout* dolgozo = FindTableLayout("Dolgozo");
    return dolgozo && dolgozo->Field(name) != nullptr;
}

}  // namespace

TList_UtalTetelForm::TList_UtalTetelForm(QWidget* parent)
    : ListForm(UtalTetelDecl(), parent), List_UtalTetelQRForm(std::make_unique<TList_UtalTetelQRForm>()) {}

TList_UtalTetelForm::~TList_UtalTetelForm() = default;

double TList_UtalTetelForm::UtalOsszeg(db::Dataset& utal) {
    const std::string kapcs = utal.FieldByName("UT_DOLGKAPCS").AsString();
    ListSql sql;
    sql.Line("Select SF_OSSZEG From " + ListSql::Table(*DM1->TableSzamfejt));
    if (!kapcs.empty()) {
        if (!DolgozoMezo(kapcs)) throw std::runtime_error("no employee field " + kapcs);
        sql.Line("Join " + ListSql::Table(*DM1->TableDolgozo) + " As Dolg On SF_DGTORZSSZAM = DG_TORZSSZAM");
    }
    sql.Equal("SF_JCKOD", Q(utal.FieldByName("UT_JCKOD").AsString()));
    if (!kapcs.empty()) sql.Equal("Dolg." + kapcs, Q(utal.FieldByName("UT_AZON").AsString()));
    sql.Range("SF_HONAP", Month("CurrencyEdit1"), Month("CurrencyEdit2"));
    sql.Range("SF_DGMHKOD", Text("MaskEdit1"), Text("MaskEdit2"));
    db::Query& q = *DM1->Query1;
    Query1Reset();
    double osszeg = 0;
    try {
        sql.Apply(q);
        q.Open();
        for (q.First(); !q.Eof(); q.Next()) osszeg += q.FieldByName("SF_OSSZEG").AsFloat();
    } catch (...) {
        Query1Reset();
        throw;
    }
    Query1Reset();
    return osszeg;
}

QStringList TList_UtalTetelForm::UtalOsszegFrissit() {
    db::Table& utal = *DM1->TableUtal;
    QStringList hibas;
    for (utal.First(); !utal.Eof(); utal.Next()) {
        utal.Edit();
        utal.FieldByName("UT_OSSZEG").Clear();
        utal.Post();
        double osszeg = 0;
        try {
            osszeg = UtalOsszeg(utal);
        } catch (const std::exception&) {
            hibas << Q(utal.FieldByName("UT_JCKOD").AsString()) + " / " +
                         Q(utal.FieldByName("UT_AZON").AsString());
            continue;
        }
        utal.Edit();
        utal.FieldByName("UT_OSSZEG").SetAsFloat(osszeg);
        utal.Post();
    }
    utal.First();
    return hibas;
}

void TList_UtalTetelForm::BitBtn1Click() {
    db::Table& utal = *DM1->TableUtal;
    const bool readOnly = utal.ReadOnly;
    RunQueryList([&] {
        utal.Close();
        utal.ReadOnly = false;
        utal.Open();
        const QStringList hibas = UtalOsszegFrissit();

        ListSql sql;
        sql.Line("Select Utal.*, Jogc.JC_NEV From " + ListSql::Table(utal) + " As Utal");
        sql.Line("Join " + ListSql::Table(*DM1->TableJogcim) + " As Jogc On Utal.UT_JCKOD = Jogc.JC_KOD");
        sql.Line("Where Utal.UT_OSSZEG Is Not Null And Utal.UT_OSSZEG <> 0");
        sql.Line("Order By UT_SZAMLA");
        Query1Open(sql);
        TList_UtalTetelQRForm& layout = *List_UtalTetelQRForm;
        layout.Munkahely = RangeText(*this, "MaskEdit1", "MaskEdit2");
        layout.Honap = RangeText(*this, "CurrencyEdit1", "CurrencyEdit2");
        layout.QuickRep1.Preview();
        if (!hibas.isEmpty())
            ui::MessageBox(
                QStringLiteral("Üzenet"),
                QStringLiteral("Az alábbi utalandó tételek összege nem számítható ki, üresen maradt:") +
                    "\r" + hibas.join("\r"),
                ui::Icon::Warning, ui::Ok);
    });
    utal.Close();
    utal.ReadOnly = readOnly;
}
