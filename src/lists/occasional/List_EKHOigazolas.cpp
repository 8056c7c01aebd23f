#include "lists/occasional/List_EKHOigazolas.h"

#include "lists/occasional/List_EKHOigazolasQR.h"
#include "platform/db/Table.h"

namespace {

ListDecl EKHOigazolasDecl() {
    ParamField dolgozo = params::Dolgozo();
    dolgozo.to = "";
    dolgozo.fromDefault = nullptr;
    dolgozo.toDefault = nullptr;

    ListDecl s;
    s.objectName = "List_EKHOigazolasForm";
    s.caption = QStringLiteral("Eseti listák/EKHO igazolás");
    s.fields = {dolgozo};
    s.tables = {&TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "MaskEdit5";
    return s;
}

}  // namespace

TList_EKHOigazolasForm::TList_EKHOigazolasForm(QWidget* parent)
    : ListForm(EKHOigazolasDecl(), parent),
      List_EKHOigazolasQRForm(std::make_unique<TList_EKHOigazolasQRForm>()) {}

TList_EKHOigazolasForm::~TList_EKHOigazolasForm() = default;

void TList_EKHOigazolasForm::BitBtn1Click() {
    RunQueryList([this] {
        // The trimmed code, as the sums' statements use it: a code typed
        // shorter than the mask finds the employee it names.
        if (!DM1->TableDolgozo->Locate("DG_TORZSSZAM", Text("MaskEdit5").toStdString())) return;
        List_EKHOigazolasQRForm->QuickRep1.Preview();
    });
}
