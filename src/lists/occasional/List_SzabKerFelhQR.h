// The leave-frame usage layout: employees (Query1) and their leave rows
// (Query2, chained by the employee code), a total line per employee.
#pragma once

#include "core/ListaKeret.h"
#include "platform/db/Query.h"
#include "platform/report/Report.h"

class TList_SzabKerFelhQRForm {
public:
    TList_SzabKerFelhQRForm();

    // Sets the two statements and opens the employees.
    void Beallit(const ListSql& dolgozok, const ListSql& sorok);
    // Closes the queries and clears their statements.
    void Bezar();

    db::Query Query1, Query2;
    report::Report QuickRep1;
    ListHeader Fejlec;

    // Days used of the current employee's frames; corrections may be negative.
    long long Szabadsag = 0, Betegszabadsag = 0;
    // The current leave row's day columns (empty when not of that type).
    QString SzabNap, BetegNap;

    void QuickRep1BeforePrint();
    void QRBand2BeforePrint();
    void QRSubDetail1BeforePrint();
};
