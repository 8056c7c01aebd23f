// The absences' layout over DM1->Query1: a page per employee, a line per
// absence row with its days and period.
#pragma once

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_TavolletQRForm {
public:
    TList_TavolletQRForm();

    report::Report QuickRep1;
    ListHeader Fejlec;

    void QuickRep1BeforePrint();
};
