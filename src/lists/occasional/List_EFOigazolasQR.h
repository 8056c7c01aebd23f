// The simplified employment certificate over DM1->Query1: a group per
// employee on its own page, a line per payment, the totals and the texts.
#pragma once

#include <QString>

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_EFOigazolasQRForm {
public:
    TList_EFOigazolasQRForm();

    report::Report QuickRep1;
    // The employee of the group, read by its header.
    QString Nev, Adoaz, Cim, Feor;
    Int32Total NapOsszesen;
    double OsszegOsszesen = 0;
    int Napok = 0;  // of the current line

    void QuickRep1BeforePrint();
    void QRGroup1BeforePrint();
    void QRBand3BeforePrint();
};

// Days of a period: both dates inclusive; a row missing either date counts 1.
int JogosultsagiNapok(double tol, double ig);
