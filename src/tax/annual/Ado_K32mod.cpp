#include "tax/annual/Ado_K32mod.h"

#include "platform/db/Table.h"
#include "platform/ui/DatasetGrid.h"
#include "tax/annual/Ado_K30mod.h"

TAdo_K32modForm::TAdo_K32modForm(QWidget* parent) : TGridEditor(parent) {
    Member m;
    m.table = &TDM1::TableK32;
    m.source = &TDM1::DataSourceK32;
    m.objectName = "Ado_K32modForm";
    m.caption = QStringLiteral("Adó/K32 Módosítás");
    m.codeFields = {"K32_DGTORZSSZAM"};
    m.codeWritableWhileInserting = true;
    m.nameField = "K32_szarmDGNEV";
    m.newRecord = NewRecord::Insert;
    m.insKey = true;
    Build(std::move(m));
}

void TAdo_K32modForm::PostRecord() {
    DBGrid1->CommitEditor();
    if (!K30DolgozoLetezik(Table(), "K32_DGTORZSSZAM")) return;
    Table().Post();
}
