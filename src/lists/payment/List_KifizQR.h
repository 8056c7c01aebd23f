// The payment list's layout: a page per payment place with its name, a line
// per payable with the signature line, and the place's total.
#pragma once

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_KifizQRForm {
public:
    TList_KifizQRForm();

    report::Report QuickRep1;
    ListHeader Fejlec;
    double Osszesen = 0;  // the current place's total

    void QuickRep1BeforePrint();
    void DetailBeforePrint();
};
