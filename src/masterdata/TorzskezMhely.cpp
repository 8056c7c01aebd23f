#include "masterdata/TorzskezMhely.h"

#include <QLabel>

#include "controls/DBControls.h"
#include "core/DataModule1.h"
#include "platform/ui/Dialogs.h"

TTorzskezMhelyForm::TTorzskezMhelyForm(QWidget* parent) : MaintenanceForm(DM1->TableMhely, parent) {
    setObjectName("TorzskezMhelyForm");
    setWindowTitle(QStringLiteral("Törzskezelés/Munkehely"));
    MH_KOD = AddEdit("MH_KOD", QStringLiteral("Munkahely :"), 0);
    MH_NEV = AddEdit("MH_NEV", QStringLiteral("Munkahely neve :"), 0);
    MH_KHKOD = AddEdit("MH_KHKOD", QStringLiteral("Kifizetőhely (F2) :"), 0);
    KH_NEV = AddNameLabel("KH_NEV");
    MH_MUNKSZAM = AddEdit("MH_MUNKSZAM", QStringLiteral("Munkaszám :"), 0);
    MH_GYUJTO = AddEdit("MH_GYUJTO", QStringLiteral("Gyüjtő :"), 1);
    AddRecordCode(MH_KHKOD, KH_NEV, 2, DM1->TableKifhely, "KH_KOD", 43, "KH_NEV", 226,
                  QStringLiteral("Kifizetőhely nem létezik!"), true);

    Member m;
    m.trimmedKey = "MH_KOD";
    m.keyEdits = {MH_KOD};
    m.required = {MH_KOD, MH_NEV, MH_KHKOD};
    m.insertFocus = MH_KOD;
    m.editFocus = MH_NEV;
    m.references = {{DM1->TableDolgozo, "DG_MHKOD"}};
    m.pickKind = 3;
    m.pickColumns = {{"MH_KOD", 43}, {"MH_NEV", 226}};
    m.megsemCancels = true;
    FormCreate(std::move(m));
}

void TTorzskezMhelyForm::TableNyitZar(int n) {
    db::Table& kifhely = *DM1->TableKifhely;
    if (n == 0) {
        kifhely.ReadOnly = true;
        kifhely.Open();
        Table().Open();
    } else {
        Table().Close();
        kifhely.Close();
        kifhely.ReadOnly = false;
    }
}

void TTorzskezMhelyForm::Felvitel() {
    if (DM1->TableKifhely->IsEmpty()) {
        ui::ShowMessage(QStringLiteral(
            "Nincs Kifizetőhely! Nem tud Munkahely-et felvinni!\nVigyen fel Kifizetőhely-et!"));
        return;
    }
    KH_NEV->clear();
    MaintenanceForm::Felvitel();
}
