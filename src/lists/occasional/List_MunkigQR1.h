// The termination certificate: a page per employee of DM1->Query1, the sums
// read from the payroll table filtered to that employee.
#pragma once

#include <QString>

#include "platform/report/Report.h"

class TList_MunkigQR1Form {
public:
    TList_MunkigQR1Form();

    report::Report QuickRep1;

    // The current certificate, read before its band prints (the query moves
    // on once it has printed).
    struct Adatok {
        long long betegszabadsag = 0;  // days of item "103"
        QString nev, szuletesiNev, szulHely, szulDatum, taj, adoaz, belepes, kilepes;
        QString mnypBelepes, mnypKod, penztarNev, penztarIrsz, penztarCim, penztarSzamla;
    };
    Adatok Adat;

    void QuickRep1BeforePrint();
    void QRBand3BeforePrint();
};
