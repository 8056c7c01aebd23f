#include "masterdata/SzervizErtekkeszlet.h"

#include "controls/DBControls.h"
#include "core/DataModule1.h"
#include "masterdata/TblSearch.h"

namespace {

// The edits in tab order with their captions; the table search window lists
// the same fields under the same titles.
struct Row {
    TDBEdit* TSzervizErtekkeszletForm::*member;
    const char* field;
    const char* caption;
};
// clang-format off
const Row kRows[] = {
    {&TSzervizErtekkeszletForm::EK_TIPUS,     "EK_TIPUS",     "Típus :"},
    {&TSzervizErtekkeszletForm::EK_TIPUSNEV,  "EK_TIPUSNEV",  "Típus név :"},
    {&TSzervizErtekkeszletForm::EK_ERTEK,     "EK_ERTEK",     "Értek :"},
    {&TSzervizErtekkeszletForm::EK_ERTEKNEV,  "EK_ERTEKNEV",  "Érték név :"},
    {&TSzervizErtekkeszletForm::EK_ERTEKCHAR, "EK_ERTEKCHAR", "Szöveg :"},
    {&TSzervizErtekkeszletForm::EK_ERTEKNUM,  "EK_ERTEKNUM",  "Szám :"},
};
// clang-format on

}  // namespace

TSzervizErtekkeszletForm::TSzervizErtekkeszletForm(QWidget* parent)
    : MaintenanceForm(DM1->TableErtekkeszlet, parent) {
    setObjectName("SzervizErtekkeszletForm");
    setWindowTitle(QStringLiteral("Szerviz/Értékkészlet karbantartás"));
    for (const Row& r : kRows) this->*r.member = AddEdit(r.field, QString::fromUtf8(r.caption), 0);
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
    std::vector<std::string> fields, titles;
    for (const Row& r : kRows) {
        fields.push_back(r.field);
        titles.push_back(r.caption);
    }
    const db::Bookmark chosen =
        KeresoAblakMutat(fields, std::vector<std::int16_t>(fields.size(), 1), titles, t.DatabaseName,
                         t.TableName, nullptr, t.GetBookmark(), "#NoAbout#", QChar(u'H'));
    if (chosen) t.GotoBookmark(chosen);
}
