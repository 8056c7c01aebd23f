// The layout of the declaration aid: one title band with the company's data,
// the lines of the declaration (each the rounded sum of its pay items) and the
// headcount.
#pragma once

#include <QString>
#include <array>

#include "core/ListaKeret.h"
#include "core/helpers/SegedUnit.h"
#include "platform/report/Report.h"

class TList_BevalSegQRForm {
public:
    TList_BevalSegQRForm();

    QString m1, m2, KifizDat;
    double Allomany = 0;

    report::Report QuickRep1;
    ListHeader QRBand1;
    // The lines' sums, in the order they print.
    static constexpr int kSorok = 23;
    std::array<Decimal, kSorok> Osszegek{};

    void QRBand1BeforePrint();
    QString LetszamSor() const;
};
