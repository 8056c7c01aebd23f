#include "masterdata/TorzskezKifhely.h"

#include "controls/DBControls.h"

#include "core/DataModule1.h"

TTorzskezKifhelyForm::TTorzskezKifhelyForm(QWidget* parent) : MaintenanceForm(DM1->TableKifhely, parent) {
    setObjectName("TorzskezKifhelyForm");
    setWindowTitle(QStringLiteral("Törzskezelés/Kifizetőhely"));
    KH_KOD = AddEdit("KH_KOD", QStringLiteral("Kifizetőhely :"), 0);
    KH_NEV = AddEdit("KH_NEV", QStringLiteral("Kifzetőhely neve :"), 1);

    Member m;
    m.trimmedKey = "KH_KOD";
    m.keyEdits = {KH_KOD};
    m.required = {KH_KOD, KH_NEV};
    m.insertFocus = KH_KOD;
    m.editFocus = KH_NEV;
    m.references = {{DM1->TableMhely, "MH_KHKOD"}};
    m.pickKind = 2;
    m.pickColumns = {{"KH_KOD", 43}, {"KH_NEV", 226}};
    FormCreate(std::move(m));
}
