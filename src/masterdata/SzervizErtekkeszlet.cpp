#include "masterdata/SzervizErtekkeszlet.h"

#include <QGridLayout>
#include <QLabel>

#include "controls/DBControls.h"
#include "controls/DBKinds.h"
#include "core/DataModule1.h"
#include "core/FormTables.h"
#include "masterdata/TblSearch.h"

namespace {

using F = TSzervizErtekkeszletForm;

// clang-format off
const ui::ControlRow<F> kPage[] = {
//   member            kind    name            field           cell
    {&F::EK_TIPUS,     DBEdit, "EK_TIPUS",     "EK_TIPUS",     {0, 1}},
    {&F::EK_TIPUSNEV,  DBEdit, "EK_TIPUSNEV",  "EK_TIPUSNEV",  {1, 1}},
    {&F::EK_ERTEK,     DBEdit, "EK_ERTEK",     "EK_ERTEK",     {2, 1}},
    {&F::EK_ERTEKNEV,  DBEdit, "EK_ERTEKNEV",  "EK_ERTEKNEV",  {3, 1}},
    {&F::EK_ERTEKCHAR, DBEdit, "EK_ERTEKCHAR", "EK_ERTEKCHAR", {4, 1}},
    {&F::EK_ERTEKNUM,  DBEdit, "EK_ERTEKNUM",  "EK_ERTEKNUM",  {5, 1}},
};
// clang-format on

}  // namespace

TSzervizErtekkeszletForm::TSzervizErtekkeszletForm(QWidget* parent)
    : MaintenanceForm(DM1->TableErtekkeszlet, parent) {
    setObjectName("SzervizErtekkeszletForm");
    setWindowTitle(QStringLiteral("Szerviz/Értékkészlet karbantartás"));
    auto* page = new QWidget(this);
    page->setObjectName("PanelLap");
    Page()->addWidget(page, 0, 0);
    FormBuilder(DM1->DataSourceErtekkeszlet).Build(*this, page, kPage);
    AdoptBuilt();
    EK_ERTEKNUM->setMaxLength(10);

    Member m;
    m.exitQuestion = QStringLiteral("Valóban kilép az értékkészlet karbantartásából?");
    m.keyEdits = {EK_TIPUS, EK_ERTEK};
    m.required = {EK_TIPUS, EK_ERTEK};
    m.insertFocus = EK_TIPUS;
    m.editFocus = EK_TIPUSNEV;
    m.pickList = false;
    m.listButton = false;
    FormCreate(std::move(m));
}

void TSzervizErtekkeszletForm::TableNyitZar(int n) {
    db::Table& t = Table();
    if (n == 0) {
        t.SetFiltered(false);
        t.ReadOnly = false;
        t.Open();
    } else {
        t.Close();
        t.ReadOnly = true;
    }
}

void TSzervizErtekkeszletForm::BrowsePick() {
    db::Table& t = Table();
    // The edits' fields under the captions beside them.
    std::vector<std::string> fields, titles;
    for (const auto& r : kPage) {
        fields.push_back(r.text);
        titles.push_back(ui::CaptionOf(findChild<QWidget*>(r.name))->text().toStdString());
    }
    const db::Bookmark chosen =
        KeresoAblakMutat(fields, std::vector<std::int16_t>(fields.size(), 1), titles, t.DatabaseName,
                         t.TableName, nullptr, t.GetBookmark(), "#NoAbout#", QChar(u'H'));
    if (chosen) t.GotoBookmark(chosen);
}
