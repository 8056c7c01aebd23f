// The layout of "Járulék összesítő", A4 landscape: kinds (Query1), their
// employees (Query2) and an employee's rows (Query3), chained; thirteen
// columns of a base (upper line) and an amount (lower line).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/ListaKeret.h"
#include "platform/db/Query.h"
#include "platform/report/Report.h"

class TList_JarulOsszQRForm {
public:
    TList_JarulOsszQRForm();

    struct Oszlop {
        const char* cim;  // the lower heading
        bool alap;        // the upper line prints the base
        std::vector<std::string> kodok;
        bool levonas = false;  // printed with its sign turned
    };
    static const std::array<Oszlop, 13> Oszlopok;

    // Sets the three statements and the options before the preview.
    void Beallit(const ListSql& fajtak, const ListSql& dolgozok, const ListSql& sorok, bool tetelesen,
                 bool listaDatum);
    // Closes the queries and clears their statements.
    void Bezar();

    struct Parameterek {
        QString honap, munkahely, dolgozo;
    };
    Parameterek Parameterek;

    db::Query Query1, Query2, Query3;
    report::Report QuickRep1;
    ListHeader QRBand1;
    report::Band* QRSubDetail1 = nullptr;  // an employee

private:
    // A cell of every column: [0] the base, [1] the amount.
    using Cellak = std::array<std::array<long long, 2>, 13>;
    using Osszegek = std::array<std::array<Int32Total, 2>, 13>;
    void DolgozoBeforePrint();
    bool tetelesen_ = false;
    QString fajtaNev_;
    Cellak dolgozo_{};
    Osszegek fajta_, mind_;
};
