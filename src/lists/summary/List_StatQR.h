// The layout of the labour statistics: the one row of the work table as the
// lines of the return's two sections.
#pragma once

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_StatQRForm {
public:
    TList_StatQRForm();

    report::Report QuickRep1;
    ListHeader Fejlec;
};
