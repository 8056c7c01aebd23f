// The cash denomination list's layout: per payment place its code, total and
// the count of each note and coin, then the same for all places together.
#pragma once

#include <array>

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

// The counts of one payment place, or of all of them.
struct Cimletek {
    double osszeg = 0;
    std::array<long long, 14> darab{};
    // Adds one employee's payable: it counts in the total, and only a
    // payable above 0 is split into notes and coins.
    void Hozzaad(double kifizetendo);
    void Hozzaad(const Cimletek& masik);
};

class TList_CimletjegyzQRForm {
public:
    TList_CimletjegyzQRForm();

    // The payment date as typed and the payment-place range, for the header.
    QString KifizDat, KifizHely;

    report::Report QuickRep1;
    ListHeader Fejlec;
    Cimletek Hely;        // the current place
    Cimletek Mindosszes;  // every place

    void QuickRep1BeforePrint();
    void QRBand2BeforePrint();
};
