// "Első házas kedvezmény nyilatkozat": the declaration on the first-marriage
// allowance, a page per employee of the ranges.
#pragma once

#include <memory>

#include "tax/annual/AdoelolegNyilKeret.h"

class TList_AdoelolegElsoHazasNyilQRForm;

class TList_AdoelolegElsoHazasNyilForm : public AdoelolegNyilForm {
    Q_OBJECT
public:
    explicit TList_AdoelolegElsoHazasNyilForm(QWidget* parent = nullptr);
    ~TList_AdoelolegElsoHazasNyilForm() override;

    std::unique_ptr<TList_AdoelolegElsoHazasNyilQRForm> List_AdoelolegElsoHazasNyilQRForm;
};
