#include "tax/annual/Ado_K30mod.h"

#include "platform/db/Table.h"
#include "platform/ui/DatasetGrid.h"
#include "platform/ui/Dialogs.h"
#include "tax/annual/Ado_K30ossz.h"

bool K30DolgozoLetezik(db::Dataset& record, const std::string& codeField) {
    if (DM1->TableDolgozo->Locate("DG_TORZSSZAM", record.FieldByName(codeField).AsString())) return true;
    ui::ShowMessage(QStringLiteral("Ilyen Törzsszámú dolgozó nem létezik!\rA tétel így nem vihető fel!"));
    return false;
}

TAdo_K30modForm::TAdo_K30modForm(QWidget* parent) : TGridEditor(parent) {
    Member m;
    m.table = &TDM1::TableK30;
    m.source = &TDM1::DataSourceK30;
    m.objectName = "Ado_K30modForm";
    m.caption = QStringLiteral("Adó/K30 Módosítás");
    m.codeFields = {"K30_DGTORZSSZAM"};
    m.codeWritableWhileInserting = true;
    m.nameField = "K30_szarmDGNEV";
    m.newRecord = NewRecord::Insert;
    m.insKey = true;
    Build(std::move(m));
}

void TAdo_K30modForm::PostRecord() {
    DBGrid1->CommitEditor();
    if (!K30DolgozoLetezik(Table(), "K30_DGTORZSSZAM")) return;
    K30Sor29Szamit(Table());
    Table().Post();
}
