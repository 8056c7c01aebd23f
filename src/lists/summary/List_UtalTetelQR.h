// The layout of "Utalandó tételek": the items with an amount, grouped by the
// account to credit, with the group's total and the amount to transfer in
// thousands.
#pragma once

#include <QString>

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_UtalTetelQRForm {
public:
    TList_UtalTetelQRForm();

    QString Munkahely, Honap;

    report::Report QuickRep1;
    ListHeader QRBand1;
    double CsoportOsszeg = 0;
    Int32Total CsoportEgesz;

    void QuickRep1BeforePrint();
    // The fund's short name of a 301, 302 or 333 item, empty for others and
    // for an identifier that is no fund code.
    static QString PenztarNev(const std::string& jcKod, const std::string& azon);
};
