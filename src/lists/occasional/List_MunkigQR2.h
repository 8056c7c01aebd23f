// The maintenance obligations sheet: a page per employee (Query1) with his
// standing deductions of category "3" (Query2), printed also without any.
#pragma once

#include <QString>

#include "platform/db/Query.h"
#include "platform/report/Report.h"

class TList_MunkigQR2Form {
public:
    TList_MunkigQR2Form();

    report::Report QuickRep1;
    db::Query Query1, Query2;
    int Darab = 0;  // the employee's obligations

    // Opens the queries for the ranges, previews, and closes them again.
    void Futtat(const QString& mhTol, const QString& mhIg, const QString& dgTol, const QString& dgIg);

    void QuickRep1BeforePrint();
    void QRBand3BeforePrint();
};
