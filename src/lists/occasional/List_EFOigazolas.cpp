#include "lists/occasional/List_EFOigazolas.h"

#include "lists/occasional/List_EFOigazolasQR.h"
#include "platform/db/Query.h"

namespace {

ListDecl EFOigazolasDecl() {
    ParamField honap = params::Honap();
    honap.fromDefault = defaults::Fixed(1);
    honap.toDefault = defaults::Fixed(12);
    ParamField datum = params::KifizetesDatuma();
    datum.fromDefault = defaults::YearDate(1, 1);
    datum.toDefault = defaults::YearDate(12, 31);
    ParamField jogcim = params::Jogcim();
    jogcim.fromDefault = defaults::CodeIfExists(lookups::Jogcim, "281A");

    ListDecl s;
    s.objectName = "List_EFOigazolasForm";
    s.caption = QStringLiteral("Eseti listák/EFO igazolás");
    s.fields = {honap, datum, params::Munkahely(), params::KifizetoHely(), params::Dolgozo(), jogcim};
    s.options = {{"CheckBox1", QStringLiteral("Kilépett dolgozók nélkül")}};
    s.tables = {&TDM1::TableKifhely, &TDM1::TableMhely,    &TDM1::TableJogcim,
                &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    return s;
}

}  // namespace

TList_EFOigazolasForm::TList_EFOigazolasForm(QWidget* parent)
    : ListForm(EFOigazolasDecl(), parent),
      List_EFOigazolasQRForm(std::make_unique<TList_EFOigazolasQRForm>()) {}

TList_EFOigazolasForm::~TList_EFOigazolasForm() = default;

void TList_EFOigazolasForm::BitBtn1Click() {
    RunQueryList([this] {
        ListSql sql;
        sql.Line("Select * From " + ListSql::Table(*DM1->TableSzamfejt));
        sql.Line("Inner Join " + ListSql::Table(*DM1->TableDolgozo));
        sql.Line("On SF_DGTORZSSZAM=DG_TORZSSZAM");
        sql.Range("SF_DGTORZSSZAM", Text("MaskEdit5"), Text("MaskEdit6"));
        sql.Range("SF_HONAP", Month("CurrencyEdit1"), Month("CurrencyEdit2"));
        sql.Range("SF_DGMHKOD", Text("MaskEdit1"), Text("MaskEdit2"));
        sql.Range("SF_DGKHKOD", Text("MaskEdit3"), Text("MaskEdit4"));
        sql.Equal("SF_JCKOD", Text("MaskEdit7"));
        sql.DateRange("SF_KIFIZDAT", Date("DateEdit1"), Date("DateEdit2"));
        if (Checked("CheckBox1")) sql.Condition("DG_KILEPDAT Is Null");
        // The registration number after the name keeps each employee's rows
        // together when two share a name.
        sql.Line("Order By SF_DGNEV, SF_DGTORZSSZAM, SF_HONAP, SF_KIFIZDAT");
        Query1Open(sql);
        List_EFOigazolasQRForm->QuickRep1.Preview();
    });
}
