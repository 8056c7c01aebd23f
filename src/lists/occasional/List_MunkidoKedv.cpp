#include "lists/occasional/List_MunkidoKedv.h"

#include "lists/occasional/List_MunkidoKedvQR.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

namespace {

ListDecl MunkidoKedvDecl() {
    ParamField dolgozo = params::Dolgozo();
    dolgozo.to = "";
    dolgozo.fromDefault = nullptr;
    dolgozo.toDefault = nullptr;

    ListDecl s;
    s.objectName = "List_MunkidoKedvForm";
    s.caption = QStringLiteral("Eseti listák/Munkaidő kedvezmény");
    s.fields = {dolgozo};
    s.tables = {&TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "MaskEdit5";
    return s;
}

}  // namespace

TList_MunkidoKedvForm::TList_MunkidoKedvForm(QWidget* parent)
    : ListForm(MunkidoKedvDecl(), parent),
      List_MunkidoKedvQRForm(std::make_unique<TList_MunkidoKedvQRForm>()) {}

TList_MunkidoKedvForm::~TList_MunkidoKedvForm() = default;

void TList_MunkidoKedvForm::BitBtn1Click() {
    RunQueryList([this] {
        // Text() is trimmed: the query and the lookup use the same code, so a
        // code typed shorter than the mask finds the employee it names.
        const QString kod = Text("MaskEdit5");
        ListSql sql;
        sql.Line("Select * From " + ListSql::Table(*DM1->TableSzamfejt));
        sql.Equal("SF_DGTORZSSZAM", kod);
        sql.Equal("SF_JCKOD", QStringLiteral("108"));
        Query1Open(sql);
        if (!DM1->TableDolgozo->Locate("DG_TORZSSZAM", kod.toStdString())) return;
        List_MunkidoKedvQRForm->QuickRep1.Preview();
    });
}
