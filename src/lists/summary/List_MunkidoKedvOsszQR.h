// The layout of "Munkaidő kedvezmény összesítő": two lines per employee and
// payment date of Query1 from the payroll rows the filter lets through.
#pragma once

#include <QString>

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_MunkidoKedvOsszQRForm {
public:
    TList_MunkidoKedvOsszQRForm();

    QString Idoszak;  // "2019. 3 - 5. ho"

    report::Report QuickRep1;
    ListHeader QRBand1;
    double AlapOssz = 0, OsszegOssz = 0;

private:
    void DetailBeforePrint();
    QString torzsszam_, nev_, kifizDat_;
    double alap_ = 0, osszeg_ = 0;
};
