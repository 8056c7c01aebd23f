// The payslip layout: the work table of the payslip one row per line, each
// employee on a new page with the workplace, payment place, month and date
// in the header, closed by the receipt and the banknote split of the payable.
#pragma once

#include <array>

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_BerlapQRForm {
public:
    TList_BerlapQRForm();

    // The options: monthly payslip (no payment date, no "Alap" column, no
    // denominations), the receipt's date line, the current date in the header.
    void Beallit(bool havi, bool atvetelDatuma, bool listaDatum);

    report::Report QuickRep1;
    report::Band* QRBand1;       // page header
    report::Band* QRBand2;       // one work-table row
    report::Band* QRChildBand1;  // receipt
    report::Band* QRChildBand2;  // denominations
    ListHeader Fejlec;
    report::Control *Munkahely, *KifizetoHely, *DolgozoKod, *DolgozoNev, *Honap, *KifizDatCimke, *KifizDat;
    report::Control *ThJc, *ThMegn;
    std::array<report::Control*, 6> Th;
    report::Control* Vonal;  // closes a block
    report::Control *Atvetel, *AtvetelDatumCimke, *AtvetelDatumVonal;
    std::array<report::Control*, 14> CimletCimke, CimletDarab;

    int Kifizetendo = 0;  // the employee's payable, kept from its payable row to its end row

    void QuickRep1BeforePrint();
    void QRBand1BeforePrint();
    void QRBand2BeforePrint();
    void QRBand2AfterPrint();

private:
    bool havi_ = false;
    bool atvetelDatuma_ = false;
};
