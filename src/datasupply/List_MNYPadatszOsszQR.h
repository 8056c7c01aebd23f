// The summary sheet handed over with a pension fund's data supply: the
// employer row of the data supply form, its file names and the data
// supplier, on one signed page.
#pragma once

#include "platform/report/Report.h"

class TMNYPadatszolgForm;

class TList_MNYPadatszOsszQRForm {
public:
    explicit TList_MNYPadatszOsszQRForm(TMNYPadatszolgForm& form);

    report::Report QuickRep1;
    report::Band* QRBand1 = nullptr;
};
