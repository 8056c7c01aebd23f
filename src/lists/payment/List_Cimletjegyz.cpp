#include "lists/payment/List_Cimletjegyz.h"

#include "lists/payment/List_CimletjegyzQR.h"
#include "lists/payment/List_Kifiz.h"
#include "platform/db/Query.h"

TList_CimletjegyzForm::TList_CimletjegyzForm(QWidget* parent)
    : ListForm(
          KifizetesiParameterek("List_CimletjegyzForm", QStringLiteral("Kifizetési listák/Címletjegyzék")),
          parent),
      List_CimletjegyzQRForm(std::make_unique<TList_CimletjegyzQRForm>()) {}

TList_CimletjegyzForm::~TList_CimletjegyzForm() = default;

void TList_CimletjegyzForm::BitBtn1Click() {
    RunQueryList([this] {
        KifizetesiHelyekNyitas(*this, "SF_DGKHKOD");
        SetPayrollFilter(&TDM1::List_CimletjegyzFilter);

        TList_CimletjegyzQRForm& layout = *List_CimletjegyzQRForm;
        layout.KifizDat = Text("DateEdit1");
        layout.KifizHely = RangeText(*this, "MaskEdit3", "MaskEdit4");
        layout.QuickRep1.Preview();
    });
}
