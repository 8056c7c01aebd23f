#include "masterdata/TorzskezKifhely.h"

#include <QGridLayout>
#include <QWidget>

#include "controls/DBControls.h"
#include "controls/DBKinds.h"
#include "core/DataModule1.h"
#include "core/FormTables.h"
#include "masterdata/List_TorzsKifhely.h"

namespace {

using F = TTorzskezKifhelyForm;

// clang-format off
const ui::ControlRow<F> kPage[] = {
//   member      kind    name      field     cell    tag
    {&F::KH_KOD, DBEdit, "KH_KOD", "KH_KOD", {0, 1}},
    {&F::KH_NEV, DBEdit, "KH_NEV", "KH_NEV", {1, 1}, 1},
};
// clang-format on

}  // namespace

TTorzskezKifhelyForm::TTorzskezKifhelyForm(QWidget* parent) : MaintenanceForm(DM1->TableKifhely, parent) {
    setObjectName("TorzskezKifhelyForm");
    setWindowTitle(QStringLiteral("Törzskezelés/Kifizetőhely"));
    auto* page = new QWidget(this);
    page->setObjectName("PanelLap");
    Page()->addWidget(page, 0, 0);
    FormBuilder(DM1->DataSourceKifhely).Build(*this, page, kPage);
    AdoptBuilt();

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

std::unique_ptr<QDialog> TTorzskezKifhelyForm::CreateListForm() {
    return std::make_unique<TList_TorzsKifhelyForm>(this);
}
