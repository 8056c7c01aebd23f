// The layouts of the assessment printout: the main form 16M29M (three pages
// per row of DM1->Query1), the children sheet 16M29M-02 (an employee per
// page, three children a page) and the declaration sheets 16M29M-03 and
// 16M29M-04 (a page per row of DM1->Query1).
#pragma once

#include <QString>

#include "platform/db/Query.h"
#include "platform/report/Report.h"

class TList_M29QRForm {
public:
    TList_M29QRForm();
    report::Report QuickRep1;
    report::Band* QRBand1 = nullptr;
    report::Band* QRSubDetail3 = nullptr;
    report::Band* QRSubDetail1 = nullptr;
};

class TList_M293QRForm {
public:
    TList_M293QRForm();
    report::Report QuickRep1;
    db::Query Query1;  // the employees (pDOLGOZO)
    db::Query Query2;  // the children of the current employee
    report::Band* QRBand1 = nullptr;
    report::Band* QRSubDetail1 = nullptr;

private:
    int gyermek_ = 0;
    bool nyilat_ = false;  // the employee's declaration was found
};

// A declaration sheet: title, subtitle and its hinted rows.
class TList_M29NyilatkozatQRForm {
public:
    struct Sor {
        const char* caption;
        const char* field;
        bool mark = false;  // "X" for "I"
    };
    TList_M29NyilatkozatQRForm(const QString& name, const QString& title, const QString& subtitle,
                               std::vector<Sor> rows);
    report::Report QuickRep1;
};

class TList_M294QRForm : public TList_M29NyilatkozatQRForm {
public:
    TList_M294QRForm();
};

class TList_M295QRForm : public TList_M29NyilatkozatQRForm {
public:
    TList_M295QRForm();
};
