// The income certificate's layout over its work table (DM1->Table1): the
// employer and the employee of the current row in the page header, a line per
// row, a rule under each block and a new page after each "VEGE" row.
#pragma once

#include "platform/report/Report.h"

class TList_JovIgQRForm {
public:
    TList_JovIgQRForm();

    report::Report QuickRep1;
    report::Control* Oszlop1 = nullptr;  // M01: a code, or a block's title
    report::Control* Vonal = nullptr;    // the rule of a "LAB" row

    void QuickRep1BeforePrint();
    void QRBand1BeforePrint();  // page header: the current row's employee
    void DetailBeforePrint();

private:
    bool vegeUtan_ = false;  // the previous row ended a page
};
