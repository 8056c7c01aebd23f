#include "tax/annual/Ado_M29mod.h"

#include <algorithm>

#include "platform/db/Transaction.h"
#include "platform/os/Text.h"
#include "platform/ui/DatasetGrid.h"
#include "tax/annual/Ado_M29ossz.h"

TAdo_M29modForm::TAdo_M29modForm(QWidget* parent) : TGridEditor(parent) {
    Member m;
    m.table = &TDM1::TableM29;
    m.source = &TDM1::DataSourceM29;
    m.objectName = "Ado_M29modForm";
    m.caption = QStringLiteral("Adó/M29 Módosítás");
    m.codeFields = {"M29_DGTORZSSZAM", "M29_DGADOAZ"};
    m.nameField = "M29_szarmDGNEV";
    m.newRecord = NewRecord::Insert;
    m.pickColumn = "M29_DGTORZSSZAM";
    m.readOnlyTables = {&TDM1::TableNyilat};
    m.extraName = "BitBtn1";
    m.extraCaption = QStringLiteral("Adószámítás");
    // The tax id and nature first, then the employee with the name.
    m.columns = {"M29_DGADOAZ", "M29_JELLEG",    "M29_DGTORZSSZAM", "M29_szarmDGNEV",
                 "M29_SORSZAM", "M29_HOZOTTJOV", "M29_KOTNEMT"};
    // Then every cell in field order and the month counts.
    db::Table& t = *DM1->TableM29;
    for (int i = 0; i < t.FieldCount(); ++i) {
        const std::string& name = t.Fields(i).FieldName();
        if (std::find(m.columns.begin(), m.columns.end(), name) == m.columns.end()) m.columns.push_back(name);
    }
    Build(std::move(m));
}

void TAdo_M29modForm::PostRecord() {
    DBGrid1->CommitEditor();
    db::Table& t = Table();
    if (t.State() == db::DatasetState::Edit) M29SorSzamitas(t);
    for (const char* field : {"M29_JELLEG", "M29_HOZOTTJOV"}) {
        db::Field& f = t.FieldByName(field);
        if (!f.IsNull()) f.SetAsString(os::UpperAscii(f.AsString()));
    }
    t.Post();
}

void TAdo_M29modForm::ExtraClick() {
    db::Table& t = Table();
    try {
        // All records or none: an error leaves the table as it was.
        db::Transaction tx({&t});
        M29Sorszamozas(t);
        tx.Commit();
    } catch (...) {
        db::HandleApplicationException(std::current_exception());
    }
}

void TAdo_M29modForm::EmployeePicked() {
    db::Table& dolgozo = *DM1->TableDolgozo;
    Table().FieldByName("M29_DGTORZSSZAM").SetAsString(dolgozo.FieldByName("DG_TORZSSZAM").AsString());
    Table().FieldByName("M29_DGADOAZ").SetAsString(dolgozo.FieldByName("DG_ADOAZ").AsString());
}
