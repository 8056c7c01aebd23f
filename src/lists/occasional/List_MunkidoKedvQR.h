// The working-time allowance certificate: one title band over the employee
// located in DM1->TableDolgozo and the item "108" rows of DM1->Query1.
#pragma once

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_MunkidoKedvQRForm {
public:
    TList_MunkidoKedvQRForm();

    report::Report QuickRep1;
    ListHeader Fejlec;
    report::Control* Szoveg = nullptr;  // the text block naming the employee
    long long Napok = 0;                // a correction row may be negative

    void QuickRep1BeforePrint();
    void QRBand1BeforePrint();
};
