// The layout of the declaration check / amounts to transfer: the work table
// in key order, a line per row; each account row with its amounts in
// thousands and, when transferring, its account number and name.
#pragma once

#include <array>

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_BevEllQRForm {
public:
    TList_BevEllQRForm();

    // The mode and the months ticked (transfer mode prints only those).
    void Beallit(bool utalando, const std::array<bool, 12>& honapok);

    report::Report QuickRep1;
    ListHeader Fejlec;
    report::Band* QRGroup1 = nullptr;
    report::Band* ChildBand1 = nullptr;  // the thousands
    report::Band* ChildBand2 = nullptr;  // account number and name

private:
    // Per month, then the total: the heading, the amount and the thousands.
    std::array<std::array<report::Control*, 3>, 13> oszlopok_{};
    report::Control* utalando_ = nullptr;
    std::array<int, 13> ezrek_{};
};
