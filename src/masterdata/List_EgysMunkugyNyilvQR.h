// "Adatlap az Egységes Munkaügyi Nyilvántartásba történő bejelentésekhez":
// one band of the employer, the current employee of DM1->TableDolgozo and
// the employment, with dotted lines to fill in and the signature block.
#pragma once

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_EgysMunkugyNyilvQRForm {
public:
    TList_EgysMunkugyNyilvQRForm();

    report::Report QuickRep1;
    ListHeader QRBand1;

    void QuickRep1BeforePrint();
};
