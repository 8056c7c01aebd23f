// The jobseeker allowance certificate's layout over its work table
// (DM1->Table1): a page per employee with the numbered rows of the form.
#pragma once

#include "platform/report/Report.h"

class TList_MunkigQR3Form {
public:
    TList_MunkigQR3Form();

    report::Report QuickRep1;
    report::Control* QRLabelDatum = nullptr;  // the undated date line with the data year

    void QuickRep1BeforePrint();
};
