// The sheet of the two declarations on the employer's tax assessment: the
// employee's and the employer's data at the top of every page, the two
// declarations to sign one of, and the receipt with its retention note.
#pragma once

#include <QString>

#include "platform/db/Query.h"
#include "platform/report/Report.h"

class TList_NyilatQRForm {
public:
    TList_NyilatQRForm();

    // The employees; the layout owns its query.
    db::Query Query1;
    report::Report QuickRep1;

    void QuickRep1BeforePrint();

private:
    QString datum_, megorzes_;
};
