// The leave list's layout: a page per workplace (DM1->Query1) and a line per
// employee of its filtered payroll rows.
#pragma once

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_SzabQRForm {
public:
    TList_SzabQRForm();

    report::Report QuickRep1;
    ListHeader Fejlec;

    // The current employee line.
    struct Sor {
        QString torzsszam, nev, munkahely, szabKeret, betegKeret;
        long long szabadsag = 0, betegszabadsag = 0;  // days taken; corrections may be negative
    };
    Sor Sor;

    void QuickRep1BeforePrint();
    void QRSubDetail1BeforePrint();
};

// The leave days (SF_NAP) of the employee of the payroll table's current row,
// summed by the leave type of the pay item ("1" annual, "2" sick), from that
// row on while the employee stays the same; leaves the table on the next
// employee's first row (or at its end).
void SzabadsagNapok(long long& szabadsag, long long& betegszabadsag);
