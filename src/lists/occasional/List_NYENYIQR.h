// The insurance record sheet: a page per employee of DM1->Query1, its sums,
// service days and absence lines from the payroll table filtered to him,
// and the closing part once per sheet.
#pragma once

#include <QString>

#include "platform/report/Report.h"

class TList_NYENYIQRForm {
public:
    TList_NYENYIQRForm();

    report::Report QuickRep1;
    double Minimalber = 0;  // monthly, value set "32"; above 0 (the form checks it)

    struct Adatok {
        QString szulDatum, taj, nev, szuletesiNev, anyjaNev, szulHely, neme, jogviszony, lakcim;
        QString penztarNev, penztarKod, tagsagKezdete, tagsagVege;
        QString tol, ig;  // "MM/DD"
        double levont = 0, alap = 0, jutalom = 0;
        long long szolgalatiNapok = 0;
        QString hetiOra, feor, munkakor;
    };
    Adatok Adat;
    // The absence line being printed.
    struct Tavollet {
        QString jogcim, nev, jarulekKod, tol, ig;
    };
    Tavollet Tavol;
    bool ZaroResz = false;  // the closing part of the sheet has printed

    void QuickRep1BeforePrint();
    void QRBand3BeforePrint();
    bool QRSubDetail1NeedData();
};

// Calendar days of service time: `napok` insured days of the year, `mentes`
// of them without contribution-bearing pay, `alap` the pension base and
// `minimalber` the monthly minimum wage (above 0) of a year of `evNapjai`
// days. Never below 0; a base of 0 gives 0.
long long SzolgalatiNapok(long long napok, long long mentes, double alap, double minimalber, int evNapjai);
