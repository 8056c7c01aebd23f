// "Adóelőleg kedvezmény nyilatkozat": the declaration on the personal allowance of the
// severely disabled, a page per employee of the ranges.
#pragma once

#include <memory>

#include "tax/annual/AdoelolegNyilKeret.h"

class TList_AdoelolegKedvNyilQRForm;

class TList_AdoelolegKedvNyilForm : public AdoelolegNyilForm {
    Q_OBJECT
public:
    explicit TList_AdoelolegKedvNyilForm(QWidget* parent = nullptr);
    ~TList_AdoelolegKedvNyilForm() override;

    std::unique_ptr<TList_AdoelolegKedvNyilQRForm> List_AdoelolegKedvNyilQRForm;
};
