// The layout of form K32: per K32 record of DM1->Query1 (joined with its
// employee) one page of sections I to V: the income and the pension limit,
// the insured periods, payments for another year, the child-care periods
// and the periods exempt from contributions.
#pragma once

#include "platform/report/Report.h"

class TList_K32QRForm {
public:
    TList_K32QRForm();

    report::Report QuickRep1;
    report::Band* QRBand2 = nullptr;  // page header
    report::Band* QRBand1 = nullptr;  // one employee

    void QuickRep1BeforePrint();
};
