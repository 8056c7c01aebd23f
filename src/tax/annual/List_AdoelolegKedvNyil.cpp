#include "tax/annual/List_AdoelolegKedvNyil.h"

#include "tax/annual/List_AdoelolegKedvNyilQR.h"

TList_AdoelolegKedvNyilForm::TList_AdoelolegKedvNyilForm(QWidget* parent)
    : AdoelolegNyilForm("List_AdoelolegKedvNyilForm", QStringLiteral("Adóelőleg kedvezmény nyilatkozat"),
                        parent),
      List_AdoelolegKedvNyilQRForm(std::make_unique<TList_AdoelolegKedvNyilQRForm>()) {
    layout_ = &List_AdoelolegKedvNyilQRForm->QuickRep1;
}

TList_AdoelolegKedvNyilForm::~TList_AdoelolegKedvNyilForm() = default;
