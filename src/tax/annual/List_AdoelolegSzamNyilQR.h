// The page of "Adóelőleg számítás nyilatkozat": the declaration's printed form with the employee's name
// and tax id filled in.
#pragma once

#include "tax/annual/AdoelolegNyilKeret.h"

class TList_AdoelolegSzamNyilQRForm : public AdoelolegNyilLap {
public:
    TList_AdoelolegSzamNyilQRForm();
};
