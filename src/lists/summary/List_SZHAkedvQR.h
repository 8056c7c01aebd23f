// The layout of the allowance summary: months (Query1), the allowance codes
// of a month with their totals (Query2) and the rows of a month and code
// (Query3), chained; a line per month, per code and per row, and the code's
// total after its rows.
#pragma once

#include <QString>
#include <vector>

#include "core/ListaKeret.h"
#include "platform/db/Query.h"
#include "platform/report/Report.h"

class TList_SZHAkedvQRForm {
public:
    TList_SZHAkedvQRForm();

    // Sets the three statements before the preview.
    void Beallit(const ListSql& honapok, const ListSql& kodok, const ListSql& sorok);
    // Closes the queries and clears their statements.
    void Bezar();

    struct Parameterek {
        QString honap, datum, munkahely, dolgozo, kod;
    };
    Parameterek Parameterek;

    db::Query Query1, Query2, Query3;
    report::Report QuickRep1;
    ListHeader Fejlec;

    // One printed row with the month and code it belongs to.
    struct Sor {
        QString honap, kod, kodNev, osszesen;
        QString torzsszam, nev, jogcim, jogcimNev, osszeg;
    };
    // Walks the chained queries into the rows the report prints.
    std::vector<Sor> Sorok();

    void QuickRep1BeforePrint();

private:
    std::vector<Sor> sorok_;
    size_t kovetkezo_ = 0;
    const Sor* aktualis_ = nullptr;
    // Kept when the code's line prints: the footer follows after the
    // report has moved on to the next row.
    QString kodOsszesen_;
};
