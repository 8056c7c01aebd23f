// The certificate of contributions: a page per employee of DM1->Query1 with
// the year's sums of the payroll table filtered to that employee.
#pragma once

#include <QString>

#include "platform/report/Report.h"

class TList_FogligQRForm {
public:
    TList_FogligQRForm();

    report::Report QuickRep1;

    // The current certificate, read before its band prints.
    struct Adatok {
        QString nev, szuletesiNev, anyjaNev, szulHely, szulDatum, taj, idotartam;
        double munkaerop = 0, munkaeropAlap = 0;          // item "304"
        double termeszetbeni = 0, termeszetbeniAlap = 0;  // item "306"
        double penzbeli = 0, penzbeliAlap = 0;            // item "307"
        double nyugdij = 0, nyugdijAlap = 0;              // category "9"
        double szhaLevonas = 0, szhaAlap = 0;             // item "326"; the base deducted at the month's rate
        double szha = 0;                                  // category "G" less item "328"
    };
    Adatok Adat;

    void QuickRep1BeforePrint();
    void QRBand3BeforePrint();
};
