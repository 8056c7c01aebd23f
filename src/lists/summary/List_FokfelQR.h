// The layout of "Főkönyvi feladás": one line per ledger account of the run
// with its debit and credit, and their totals.
#pragma once

#include <QString>
#include <vector>

#include "core/ListaKeret.h"
#include "lists/summary/List_Fokfel.h"
#include "platform/report/Report.h"

class TList_FokfelQRForm {
public:
    TList_FokfelQRForm();

    // What the page header prints, and the run's accounts.
    QString Honap, KifizDat;
    bool MunkaszamMutat = false;
    std::vector<FokFelSor> Sorok;

    report::Report QuickRep1;
    ListHeader QRBand1;
    double Tartozik = 0, Kovetel = 0;

private:
    size_t next_ = 0;
    report::Control* munkaszamFej_ = nullptr;
    report::Control* munkaszam_ = nullptr;
};
