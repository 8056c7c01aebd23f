// The cost allocation's landscape layout over the work table in DM1->Table1:
// its rows grouped by work number (printed only when itemised), each group's
// totals and the month's.
#pragma once

#include <array>

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

class TList_KoltsFelosztQRForm {
public:
    TList_KoltsFelosztQRForm();

    report::Report QuickRep1;
    ListHeader Fejlec;
    report::Band* QRGroup1 = nullptr;
    report::Band* DetailBand1 = nullptr;

    // "Tételes :" and the month edit's text.
    void Beallit(bool tetelesen, const QString& honap);
    void QuickRep1BeforePrint();

private:
    static constexpr size_t kSumok = 10;  // the amount and the shares
    std::array<double, kSumok> csoport_{}, mind_{};
    bool tetelesen_ = false;
    QString honap_;
};
