// The layout of the payment list with deductions: employees (Query3), their
// payment dates (Query1) and the rows of one date (Query2), chained; a line
// per payment date with the eight column sums, employee and grand totals.
#pragma once

#include <array>

#include "core/ListaKeret.h"
#include "platform/db/Query.h"
#include "platform/report/Report.h"

class TList_KifizJarulQRForm {
public:
    TList_KifizJarulQRForm();

    // The headings and the pay items each column sums.
    struct Oszlop {
        const char* cim;
        std::vector<std::string> kodok;
    };
    static const std::array<Oszlop, 8> Oszlopok;

    // Sets the three statements and the options before the preview.
    void Beallit(const ListSql& dolgozok, const ListSql& datumok, const ListSql& sorok, bool tetelesen,
                 bool listaDatum);
    // Closes the queries and clears their statements.
    void Bezar();

    struct Parameterek {
        QString honap, munkahely, dolgozo;
    };
    Parameterek Parameterek;

    db::Query Query1, Query2, Query3;
    report::Report QuickRep1;
    ListHeader Fejlec;
    report::Band* QRSubDetail1 = nullptr;  // a payment date
    report::Control* KifizDatumCim = nullptr;
    report::Control* OsszesenCim = nullptr;

    std::array<long long, 8> Sor{};  // the payment date's rounded sums
    std::array<Int32Total, 8> Dolgozo, Mind;

    void QuickRep1BeforePrint();
    void DetailBeforePrint();
    void QRSubDetail1BeforePrint();

private:
    bool tetelesen_ = false;
};
