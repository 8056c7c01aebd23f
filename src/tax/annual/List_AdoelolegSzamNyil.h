// "Adóelőleg számítás nyilatkozat": the declaration on the costs deducted from the tax
// advance, a page per employee of the ranges.
#pragma once

#include <memory>

#include "tax/annual/AdoelolegNyilKeret.h"

class TList_AdoelolegSzamNyilQRForm;

class TList_AdoelolegSzamNyilForm : public AdoelolegNyilForm {
    Q_OBJECT
public:
    explicit TList_AdoelolegSzamNyilForm(QWidget* parent = nullptr);
    ~TList_AdoelolegSzamNyilForm() override;

    std::unique_ptr<TList_AdoelolegSzamNyilQRForm> List_AdoelolegSzamNyilQRForm;
};
