// The layout of the employer's fund return: per fund a summary sheet with the
// employer's, the data supplier's and the fund's data and the fund's totals,
// then insert sheets of two members a page. Driven by DM1->Query1 (one row
// per member) and the payroll table's filter (the member's rows).
#pragma once

#include <QString>
#include <vector>

#include "core/ListaKeret.h"
#include "lists/payment/List_MNYPbevall.h"
#include "platform/report/Report.h"

class TList_MNYPQRbevallForm {
public:
    TList_MNYPQRbevallForm();

    // The parameters: month and the codes of the nature and kind.
    int Honap = 0;
    QString Jelleg, Fajta;

    report::Report QuickRep1;
    ListHeader Fejlec;

    QString Penztar;           // the current fund
    int Nyomtatott = 0;        // members of the fund printed so far
    int Betetlap = 0;          // insert sheets of the fund
    bool BetetlapMod = false;  // a member follows: the page is an insert sheet

    // The totals of the fund (summary sheet) or of a member (insert sheet).
    struct Osszegek {
        double alap = 0, tagdij = 0, munkaltatoi = 0, munkavallaloi = 0;
        int tagok = 0;
        void Hozzaad(db::Dataset& sor);
        double Befizetendo() const { return tagdij + munkaltatoi + munkavallaloi; }
    };
    Osszegek PenztarOssz, Tag;

    void QuickRep1BeforePrint();
    void PageHeaderBeforePrint();
    void DetailBeforePrint();
    bool TovabbiTag();
    void TagBeforePrint();
    void TagAfterPrint();

private:
    QString valkieg_;  // "19." of the summary sheet
    QString nev_, taj_, utlevel_, dolkieg_, forgkod_, jogvkod_;
    MnypIdoszak idoszak_;
    // The page header's controls of one kind of sheet only.
    std::vector<report::Control*> osszesitoElemek_, betetlapElemek_;
};
