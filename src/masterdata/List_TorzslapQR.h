// "Dolgozó törzslapja": the page header on every page and one band of the
// employee's master data per employee of the query (DM1->Query1).
#pragma once

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_TorzslapQRForm {
public:
    TList_TorzslapQRForm();

    report::Report QuickRep1;
    ListHeader QRBand1;

    void QuickRep1BeforePrint();
};
