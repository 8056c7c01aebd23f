// The layout of the income certificate: per M30 record of DM1->Query1 the
// certificate's first page (employer, employee, the consolidated and the
// separately taxed income) and its second page (other data, the family
// contribution allowance by month, the signatures).
#pragma once

#include <QString>

#include "platform/report/Report.h"

class TList_M30QRForm {
public:
    TList_M30QRForm();

    report::Report QuickRep1;
    report::Band* QRBand1 = nullptr;       // page 1
    report::Band* QRSubDetail1 = nullptr;  // page 2

    void QuickRep1BeforePrint();
    void QRBand1BeforePrint();

    // The tax number as "99999999-9-99" ("*" where a digit is missing).
    static QString AdoszamFormaz(const QString& stored);

private:
    QString cegNev_, cegCim_, cegAdoszam_, dolgozoCim_;
};
