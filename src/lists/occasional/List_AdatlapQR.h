// The data sheet's three pages per employee over the work table in
// DM1->Table1: page I the combined tax base, page II the separately taxed
// income and other data, page III the family contribution allowance by month.
#pragma once

#include "platform/report/Report.h"

class TList_AdatlapQRForm {
public:
    TList_AdatlapQRForm();

    report::Report QuickRep1;
    report::Band* DetailBand1 = nullptr;  // page I
    report::Band* SubDetail1 = nullptr;   // page II
    report::Band* SubDetail2 = nullptr;   // page III

    void QuickRep1BeforePrint();

private:
    bool lap2_ = false, lap3_ = false;  // the current employee's page still to print
};
