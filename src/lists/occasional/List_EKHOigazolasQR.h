// The EKHO certificate: one title band over the employee located in
// DM1->TableDolgozo and five sums of his payroll rows of the year.
#pragma once

#include <QString>

#include "platform/report/Report.h"

class TList_EKHOigazolasQRForm {
public:
    TList_EKHOigazolasQRForm();

    report::Report QuickRep1;
    // "Bevétel", "15%", "11,1%", the income-tax part and the months.
    QString Bevetel, Ekho15, Ekho111, Szja, Honapok;

    void QuickRep1BeforePrint();
    void QRBand1BeforePrint();
};
