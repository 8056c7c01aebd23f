#include "tax/annual/List_CsalkedvNyil.h"

#include "tax/annual/List_CsalkedvNyilQR.h"

TList_CsalkedvNyilForm::TList_CsalkedvNyilForm(QWidget* parent)
    : AdoelolegNyilForm("List_CsalkedvNyilForm", QStringLiteral("Családi kedvezmény nyilatkozat"), parent),
      List_CsalkedvNyilQRForm(std::make_unique<TList_CsalkedvNyilQRForm>()) {
    layout_ = &List_CsalkedvNyilQRForm->QuickRep1;
    csakCsaladi_ = true;
}

TList_CsalkedvNyilForm::~TList_CsalkedvNyilForm() = default;
