// The layout of form K30: per K30 record of DM1->Query1 (joined with its
// employee) three sheets from a new page: the consolidated income (rows 1
// to 15), the separately taxed income and the tax advance (rows 16 to 35),
// and the other data with the periods of wage entitlement (rows 36 to 51);
// each row's number at both ends. The page header names the payer and the
// employee on every page.
#pragma once

#include <QString>

#include "platform/report/Report.h"

// The page header of the K30 and K32 layouts, from the band's top: the
// payer's tax number, the page number and the employee of the query's
// current record. Returns the height used.
double K30Fejlec(report::Band& band);

class TList_K30QRForm {
public:
    TList_K30QRForm();

    report::Report QuickRep1;
    report::Band* QRBand2 = nullptr;       // page header
    report::Band* QRBand1 = nullptr;       // rows 1 to 15
    report::Band* QRSubDetail1 = nullptr;  // rows 16 to 35
    report::Band* QRSubDetail2 = nullptr;  // rows 36 to 51

    void QuickRep1BeforePrint();
};
