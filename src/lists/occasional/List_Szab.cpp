#include "lists/occasional/List_Szab.h"

#include "lists/occasional/List_SzabQR.h"
#include "platform/db/Query.h"

namespace {

ListDecl SzabDecl() {
    ListDecl s;
    s.objectName = "List_SzabForm";
    s.caption = QStringLiteral("Eseti listák/Szabadság lista");
    s.fields = {params::Munkahely()};
    s.tables = {&TDM1::TableKifhely, &TDM1::TableMhely,    &TDM1::TableJogcim,
                &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "MaskEdit2";
    return s;
}

}  // namespace

TList_SzabForm::TList_SzabForm(QWidget* parent)
    : ListForm(SzabDecl(), parent), List_SzabQRForm(std::make_unique<TList_SzabQRForm>()) {}

TList_SzabForm::~TList_SzabForm() = default;

void TList_SzabForm::BitBtn1Click() {
    RunQueryList([this] {
        ListSql sql;
        sql.Line("Select Distinct SF_DGMHKOD From " + ListSql::Table(*DM1->TableSzamfejt));
        sql.Range("SF_DGMHKOD", Text("MaskEdit1"), Text("MaskEdit2"));
        sql.Line("Order By SF_DGMHKOD");
        Query1Open(sql);
        SetPayrollFilter(&TDM1::List_SzabFilter);
        List_SzabQRForm->QuickRep1.Preview();
    });
}
