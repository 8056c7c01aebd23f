#include "tax/annual/List_AdoelolegElsoHazasNyil.h"

#include "tax/annual/List_AdoelolegElsoHazasNyilQR.h"

TList_AdoelolegElsoHazasNyilForm::TList_AdoelolegElsoHazasNyilForm(QWidget* parent)
    : AdoelolegNyilForm("List_AdoelolegElsoHazasNyilForm",
                        QStringLiteral("Első házas kedvezmény nyilatkozat"), parent),
      List_AdoelolegElsoHazasNyilQRForm(std::make_unique<TList_AdoelolegElsoHazasNyilQRForm>()) {
    layout_ = &List_AdoelolegElsoHazasNyilQRForm->QuickRep1;
}

TList_AdoelolegElsoHazasNyilForm::~TList_AdoelolegElsoHazasNyilForm() = default;
