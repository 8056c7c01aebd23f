// The layout of "Listázás jogcímenként": every payroll row of the query in
// print order (employee, amount, payment date, bank account) and the total.
#pragma once

#include <QString>

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_JogcimQRForm {
public:
    TList_JogcimQRForm();

    // The parameters the page header prints, as the parameter form shows them.
    JogcimParameterek Parameterek;

    report::Report QuickRep1;
    ListHeader QRBand1;
    double Osszesen = 0;

    void QuickRep1BeforePrint();
};
