#include "lists/occasional/List_SzabKerFelh.h"

#include "lists/occasional/List_SzabKerFelhQR.h"
#include "platform/db/Query.h"
#include "platform/os/ScopeGuard.h"

namespace {

ListDecl SzabKerFelhDecl() {
    // The ranges come from the employee table: employees never paid count too.
    ParamField munkahely = params::MunkahelyDolgozokbol();
    ParamField dolgozo = params::DolgozoDolgozokbol();

    ListDecl s;
    s.objectName = "List_SzabKerFelhForm";
    s.caption = QStringLiteral("Eseti listák/Szabadsag keret felhasználás");
    s.fields = {munkahely, dolgozo};
    s.tables = {&TDM1::TableMhely, &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "MaskEdit6";
    return s;
}

}  // namespace

TList_SzabKerFelhForm::TList_SzabKerFelhForm(QWidget* parent)
    : ListForm(SzabKerFelhDecl(), parent),
      List_SzabKerFelhQRForm(std::make_unique<TList_SzabKerFelhQRForm>()) {}

TList_SzabKerFelhForm::~TList_SzabKerFelhForm() = default;

void TList_SzabKerFelhForm::BitBtn1Click() {
    RunQueryList([this] {
        ListSql dolgozok;
        dolgozok.Line(
            "Select Distinct DG_TORZSSZAM As pDOLGOZO, DG_NEV, DG_MHKOD, DG_SZABKER, DG_BETEGSZABKER");
        dolgozok.Line("From " + ListSql::Table(*DM1->TableDolgozo));
        dolgozok.Range("DG_TORZSSZAM", Text("MaskEdit5"), Text("MaskEdit6"));
        dolgozok.Range("DG_MHKOD", Text("MaskEdit1"), Text("MaskEdit2"));
        dolgozok.Line("Order By DG_TORZSSZAM");

        // The leave rows in the payroll table's key order.
        ListSql sorok;
        sorok.Line("Select Szamf.SF_JCKOD, Szamf.SF_KIFIZDAT, Szamf.SF_TOL, Szamf.SF_IG, Szamf.SF_NAP,");
        sorok.Line("Jogc.JC_NEV, Jogc.JC_SZABTIP");
        sorok.Line("From " + ListSql::Table(*DM1->TableSzamfejt) + " As Szamf");
        sorok.Line("Join " + ListSql::Table(*DM1->TableJogcim) + " As Jogc On Jogc.JC_KOD=Szamf.SF_JCKOD");
        sorok.Condition("Szamf.SF_DGTORZSSZAM = :pDOLGOZO");
        sorok.Condition("Jogc.JC_SZABTIP > '0'");
        sorok.Line(
            "Order By Szamf.SF_HONAP, Szamf.SF_KIFIZDAT, Szamf.SF_JCKOD, Szamf.SF_SORSZAM, "
            "Szamf.SF_RJSORSZAM");

        TList_SzabKerFelhQRForm& layout = *List_SzabKerFelhQRForm;
        layout.Beallit(dolgozok, sorok);
        os::ScopeGuard bezar([&layout] { layout.Bezar(); });
        layout.QuickRep1.Preview();
    });
}
