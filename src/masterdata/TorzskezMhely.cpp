#include "masterdata/TorzskezMhely.h"

#include <QGridLayout>
#include <QLabel>

#include "controls/DBControls.h"
#include "controls/DBKinds.h"
#include "core/DataModule1.h"
#include "core/FormTables.h"
#include "masterdata/List_TorzsMhely.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/Dialogs.h"

namespace {

using F = TTorzskezMhelyForm;

// clang-format off
const ui::ControlRow<F> kPage[] = {
//   member             kind       name              field          cell    tag
    {&F::MH_KOD,        DBEdit,    "MH_KOD",         "MH_KOD",      {0, 1}},
    {&F::MH_NEV,        DBEdit,    "MH_NEV",         "MH_NEV",      {1, 1}},
    {&F::MH_KHKOD,      DBEdit,    "MH_KHKOD",       "MH_KHKOD",    {2, 1}},
    {&F::LabelMH_KHKOD, ui::Label, "LabelMH_KHKOD",  "",            {2, 2}},
    {&F::MH_MUNKSZAM,   DBEdit,    "MH_MUNKSZAM",    "MH_MUNKSZAM", {3, 1}},
    {&F::MH_GYUJTO,     DBEdit,    "MH_GYUJTO",      "MH_GYUJTO",   {4, 1}, 1},
};
// clang-format on

}  // namespace

TTorzskezMhelyForm::TTorzskezMhelyForm(QWidget* parent) : MaintenanceForm(DM1->TableMhely, parent) {
    setObjectName("TorzskezMhelyForm");
    setWindowTitle(QStringLiteral("Törzskezelés/Munkehely"));
    auto* page = new QWidget(this);
    page->setObjectName("PanelLap");
    Page()->addWidget(page, 0, 0);
    FormBuilder(DM1->DataSourceMhely).Build(*this, page, kPage);
    LabelMH_KHKOD->setMinimumWidth(200);
    AdoptBuilt();
    AddRecordCode(MH_KHKOD, LabelMH_KHKOD, 2, DM1->TableKifhely, "KH_KOD", 43, "KH_NEV", 226,
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
    LabelMH_KHKOD->clear();
    MaintenanceForm::Felvitel();
}

std::unique_ptr<QDialog> TTorzskezMhelyForm::CreateListForm() {
    return std::make_unique<TList_TorzsMhelyForm>(this);
}
