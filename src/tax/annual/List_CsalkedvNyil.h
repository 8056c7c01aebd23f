// "Családi kedvezmény nyilatkozat": the declaration on the family allowance, a landscape
// page per employee of the ranges whose allowance code takes part.
#pragma once

#include <memory>

#include "tax/annual/AdoelolegNyilKeret.h"

class TList_CsalkedvNyilQRForm;

class TList_CsalkedvNyilForm : public AdoelolegNyilForm {
    Q_OBJECT
public:
    explicit TList_CsalkedvNyilForm(QWidget* parent = nullptr);
    ~TList_CsalkedvNyilForm() override;

    std::unique_ptr<TList_CsalkedvNyilQRForm> List_CsalkedvNyilQRForm;
};
