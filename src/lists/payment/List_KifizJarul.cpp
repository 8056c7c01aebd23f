#include "lists/payment/List_KifizJarul.h"

#include "lists/payment/List_KifizJarulQR.h"
#include "platform/db/Query.h"
#include "platform/os/ScopeGuard.h"

namespace {

ListDecl KifizJarulDecl() {
    ParamField datum = params::KifizetesDatuma();
    datum.fromDefault = defaults::FirstDayOfMonth("CurrencyEdit1");

    ListDecl s;
    s.objectName = "List_KifizJarulForm";
    s.caption = QStringLiteral("Kifizetési listák/Kifizetési lista levonásokkal");
    s.fields = {params::Honap(), datum, params::Munkahely("SF_MHKOD"), params::Dolgozo()};
    s.options = {{"CheckBox1", QStringLiteral("Tételes :"), false},
                 {"CheckBoxListaDatum", QStringLiteral("Aktuális dátum megjelenítése :"), true}};
    s.tables = {&TDM1::TableMhely, &TDM1::TableJogcim, &TDM1::TableDolgozo, &TDM1::TableSzamfejt,
                &TDM1::TableCegek};
    s.lastEdit = "CheckBox1";
    return s;
}

}  // namespace

TList_KifizJarulForm::TList_KifizJarulForm(QWidget* parent)
    : ListForm(KifizJarulDecl(), parent), List_KifizJarulQRForm(std::make_unique<TList_KifizJarulQRForm>()) {}

TList_KifizJarulForm::~TList_KifizJarulForm() = default;

void TList_KifizJarulForm::BitBtn1Click() {
    RunQueryList([this] {
        TList_KifizJarulQRForm& layout = *List_KifizJarulQRForm;
        // The conditions the employees and their payment dates share.
        auto szures = [this](ListSql& sql) {
            sql.Range("SF_HONAP", Month("CurrencyEdit1"), Month("CurrencyEdit2"));
            sql.Range("SF_MHKOD", Text("MaskEdit1"), Text("MaskEdit2"));
            sql.DateRange("SF_KIFIZDAT", Date("DateEdit1"), Date("DateEdit2"));
        };
        const std::string szamfejt = ListSql::Table(*DM1->TableSzamfejt);
        const std::string dolgozo = ListSql::Table(*DM1->TableDolgozo);

        ListSql dolgozok;
        dolgozok.Line("Select Distinct SF_DGTORZSSZAM As pDOLGOZO, DG_NEV From " + szamfejt);
        dolgozok.Line("Join " + dolgozo + " On SF_DGTORZSSZAM=DG_TORZSSZAM");
        dolgozok.Range("SF_DGTORZSSZAM", Text("MaskEdit5"), Text("MaskEdit6"));
        szures(dolgozok);
        dolgozok.Line("Order By SF_DGTORZSSZAM");

        ListSql datumok;
        datumok.Line("Select Distinct SF_DGTORZSSZAM As pDOLGOZO2, SF_KIFIZDAT As pKIFIZDAT From " +
                     szamfejt);
        datumok.Line("Join " + dolgozo + " On SF_DGTORZSSZAM=DG_TORZSSZAM");
        datumok.Condition("SF_DGTORZSSZAM = :pDOLGOZO");
        szures(datumok);
        datumok.Line("Order By SF_DGTORZSSZAM, SF_KIFIZDAT");

        // No workplace condition: once an employee's payment date is chosen
        // through a row of the range, all his rows of that date count.
        ListSql sorok;
        sorok.Line("Select * From " + szamfejt);
        sorok.Condition("SF_DGTORZSSZAM = :pDOLGOZO2");
        sorok.Range("SF_HONAP", Month("CurrencyEdit1"), Month("CurrencyEdit2"));
        sorok.Condition("SF_KIFIZDAT = :pKIFIZDAT");

        layout.Beallit(dolgozok, datumok, sorok, Checked("CheckBox1"), Checked("CheckBoxListaDatum"));
        layout.Parameterek = {RangeText(*this, "CurrencyEdit1", "CurrencyEdit2"),
                              RangeText(*this, "MaskEdit1", "MaskEdit2"),
                              RangeText(*this, "MaskEdit5", "MaskEdit6")};
        os::ScopeGuard bezar([&layout] { layout.Bezar(); });
        layout.QuickRep1.Preview();
    });
}
