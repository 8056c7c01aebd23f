#include "tax/annual/List_AdoelolegSzamNyil.h"

#include "tax/annual/List_AdoelolegSzamNyilQR.h"

TList_AdoelolegSzamNyilForm::TList_AdoelolegSzamNyilForm(QWidget* parent)
    : AdoelolegNyilForm("List_AdoelolegSzamNyilForm", QStringLiteral("Adóelőleg számítás nyilatkozat"),
                        parent),
      List_AdoelolegSzamNyilQRForm(std::make_unique<TList_AdoelolegSzamNyilQRForm>()) {
    layout_ = &List_AdoelolegSzamNyilQRForm->QuickRep1;
}

TList_AdoelolegSzamNyilForm::~TList_AdoelolegSzamNyilForm() = default;
