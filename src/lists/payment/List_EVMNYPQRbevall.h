// The layout of the self-employed members' fund return: members (Query1)
// and each member's payroll rows of the month with his record (Query2),
// chained; a page per member.
#pragma once

#include <QString>

#include "core/ListaKeret.h"
#include "lists/payment/List_MNYPbevall.h"
#include "platform/db/Query.h"
#include "platform/report/Report.h"

class TList_EVMNYPQRbevallForm {
public:
    TList_EVMNYPQRbevallForm();

    // Sets the two statements and the month before the preview.
    void Beallit(const ListSql& tagok, const ListSql& sorok, int honap);
    // Closes the queries and clears their statements.
    void Bezar();

    db::Query Query1, Query2;
    report::Report QuickRep1;
    ListHeader Fejlec;
    int Honap = 0;

    // The member's sums of the month.
    struct Osszegek {
        double eva = 0, kivet = 0, alap = 0, tagdij = 0, kiegeszites = 0;
    };
    Osszegek Tag;

    void QuickRep1BeforePrint();
    void DetailBeforePrint();

private:
    QString eva_, cim_, penztarNev_, kiegMertek_;
    MnypIdoszak idoszak_;
};
