// The pay card's layout over the work table (DM1->Table1): a page per
// employee with his data, a line per item and its day/hour line beneath.
#pragma once

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_BerkartonQRForm {
public:
    TList_BerkartonQRForm();

    report::Report QuickRep1;
    ListHeader Fejlec;
    report::Band* Child = nullptr;  // days and hours

    void QuickRep1BeforePrint();
    void QRBand2BeforePrint();
};

// The months' column heads of the card, then "Összesen".
extern const char* const kBerkartonHonapok[13];
