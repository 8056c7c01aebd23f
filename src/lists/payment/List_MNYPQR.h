// The fund list's layout: a page per fund, a line per employee and month,
// the fund's totals and the grand total.
#pragma once

#include <QString>
#include <array>

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_MNYPQRForm {
public:
    TList_MNYPQRForm();

    QString Mnyp;  // "MNYP :" of the page header: the two fund fields
    report::Report QuickRep1;
    ListHeader Fejlec;
    // ALAP, NORMAL, DOLGOZOI, VALLALATI, OSSZESEN: of the fund and of all.
    std::array<Int32Total, 5> Csoport, Mind;

    void QuickRep1BeforePrint();
};
