// The page of "Első házas kedvezmény nyilatkozat": the declaration's printed form with the employee's name
// and tax id filled in.
#pragma once

#include "tax/annual/AdoelolegNyilKeret.h"

class TList_AdoelolegElsoHazasNyilQRForm : public AdoelolegNyilLap {
public:
    TList_AdoelolegElsoHazasNyilQRForm();
};
