#include "payroll/PayrollForms.h"

#include "controls/NumEdits.h"
#include "platform/db/Table.h"

void OpenTable(db::Table* t, bool readOnly) {
    if (t->Active()) t->Close();
    t->ReadOnly = readOnly;
    t->Open();
}

void CloseTable(db::Table* t) {
    if (t->Active()) t->Close();
    t->ReadOnly = false;
}

TCurrencyEdit* HonapEdit(QWidget* parent) {
    auto* e = new TCurrencyEdit(parent);
    e->setObjectName("CurrencyEdit1");
    e->SetDecimalPlaces(0);
    e->SetDisplayFormat(QStringLiteral("00"));
    e->SetMaxLength(2);
    e->SetMinValue(1);
    e->SetMaxValue(12);
    e->SetValue(1);
    e->setFixedWidth(48);
    return e;
}
