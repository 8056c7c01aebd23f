// The layout of the fund-choice data supply: the shared page header, then a
// page per member with the employer's and the member's numbered items.
#pragma once

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_PenztarAdatszQRForm {
public:
    TList_PenztarAdatszQRForm();

    report::Report QuickRep1;
    ListHeader QRBand1;
};
