#include "payroll/PayrollForms.h"

#include <QGridLayout>

#include "controls/EditKinds.h"
#include "controls/NumEdits.h"
#include "platform/db/Table.h"
#include "platform/ui/Dialogs.h"

void OpenTable(db::Table* t, bool readOnly) {
    if (t->Active()) t->Close();
    t->ReadOnly = readOnly;
    t->Open();
}

void CloseTable(db::Table* t) {
    if (t->Active()) t->Close();
    t->ReadOnly = false;
}

QWidget* InnerPage(QWidget* form, ui::Cell cell) {
    auto* page = new QWidget(form);
    ui::PageGrid(page)->setContentsMargins(0, 0, 0, 0);
    ui::PageGrid(form)->addWidget(page, cell.row, cell.column, cell.rowSpan, cell.columnSpan);
    return page;
}

void Guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const db::AbortError&) {
    } catch (const std::exception& e) {
        ui::MessageBox(ui::ApplicationTitle(), QString::fromUtf8(e.what()), ui::Icon::Error, ui::Ok);
    }
}

QWidget* MakeMonthEdit(const ui::ControlDecl&, const ui::KindContext& context) {
    auto* e = new TCurrencyEdit(context.parent);
    e->SetDecimalPlaces(0);
    e->SetDisplayFormat(QStringLiteral("00"));
    e->SetMaxLength(2);
    e->SetMinValue(1);
    e->SetMaxValue(12);
    e->SetValue(1);
    e->setFixedWidth(48);
    ConnectComboEdit(e, context.events);
    return e;
}
