// The layout of "Jogcím összesítő" ("Bérösszesítő"): the pay items (Query1),
// the rows of the current item (Query2) and its sums (Query3), chained.
#pragma once

#include <QString>

#include "core/ListaKeret.h"
#include "platform/db/Query.h"
#include "platform/report/Report.h"

class TList_JogcimOsszQRForm {
public:
    TList_JogcimOsszQRForm();

    // Sets the three statements and the options before the preview.
    void Beallit(const ListSql& jogcimek, const ListSql& sorok, const ListSql& osszegek, bool tetelesen,
                 bool listaDatum);
    // Closes the queries and clears their statements.
    void Bezar();

    JogcimParameterek Parameterek;

    db::Query Query1, Query2, Query3;
    report::Report QuickRep1;
    ListHeader QRBand1;
    report::Band* QRSubDetail1 = nullptr;  // a row of the item

private:
    bool tetelesen_ = false;
};
