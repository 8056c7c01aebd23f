// "Munkáltatói igazolás a munkavállaló nyilvántartásba vételéről": one
// band of the employer and the current employee of DM1->TableDolgozo, with
// the sentence of the entry date and two signature blocks.
#pragma once

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_NyilvTartVetQRForm {
public:
    TList_NyilvTartVetQRForm();

    report::Report QuickRep1;
    ListHeader QRBand1;

    void QuickRep1BeforePrint();
};

// The certificate's sentence with the entry date ("2019.03.01").
QString NyilvantartasbaVetel(const QString& belepes);
