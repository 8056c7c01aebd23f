#include "masterdata/TorzskezDolgozoHozzatartozo.h"

#include <QGridLayout>
#include <QLabel>
#include <QTabWidget>

#include "controls/DBControls.h"
#include "controls/DBDateEdits.h"
#include "controls/DBKinds.h"
#include "core/DataModule1.h"
#include "core/DateEditCheck.h"
#include "core/FormTables.h"
#include "masterdata/TblSearch.h"
#include "platform/ui/ControlKinds.h"

namespace {

using F = TTorzskezDolgozoHozzatartozoForm;
using ui::Label;

// clang-format off
const ui::ControlRow<F> kHead[] = {
//   member              kind             name               caption or field          cell
    {{},                 Label,           "Label1",          "Dolgozó törzsszáma :",   {0, 0}},
    {&F::LabelTorzsszam, Label,           "LabelTorzsszam",  "",                       {0, 1}},
    {{},                 Label,           "Label2",          "neve :",                 {0, 2}},
    {&F::LabelNev,       Label,           "LabelNev",        "",                       {0, 3}},
    {&F::PageControl1,   ui::PageControl, "PageControl1",    "",                       {1, 0, 1, 5}},
    {&F::TabSheet1,      ui::TabPage,     "TabSheet1",       "Adatok"},
    {&F::TabSheet2,      ui::TabPage,     "TabSheet2",       "Lakcím"},
};

// Tag 2 on the last field of "Adatok" brings "Lakcím" forward; tag 3 on the
// last of "Lakcím" goes to Rögzítés.
const ui::ControlRow<F> kAdatok[] = {
//   member              kind                name                    caption or field   cell          tag
    {&F::HT_KAPCSOLAT,   DBEdit.Coded("X1"), "HT_KAPCSOLAT",         "HT_KAPCSOLAT",    {0, 1}},
    {{},                 Label,              "LabelHT_KAPCSOLAT",    "",                {0, 2}},
    {&F::HT_NEV,         DBEdit,             "HT_NEV",               "HT_NEV",          {1, 1, 1, 2}},
    {{},                 DBEdit,             "HT_ADOAZ",             "HT_ADOAZ",        {2, 1}},
    {{},                 DBEdit,             "HT_TAJSZ",             "HT_TAJSZ",        {3, 1}},
    {&F::HT_SZULDAT,     DBDateEdit,         "HT_SZULDAT",           "HT_SZULDAT",      {4, 1}},
    {{},                 DBEdit,             "HT_SZULHELY",          "HT_SZULHELY",     {5, 1}},
    {{},                 DBEdit,             "HT_ANYJANEV",          "HT_ANYJANEV",     {6, 1}},
    {{},                 DBEdit.Coded("X2"), "HT_ELTMIN",            "HT_ELTMIN",       {7, 1}},
    {{},                 Label,              "LabelHT_ELTMIN",       "",                {7, 2}},
    {{},                 DBEdit.Coded("X3"), "HT_JOGOSULTJOGC",      "HT_JOGOSULTJOGC", {8, 1}},
    {{},                 Label,              "LabelHT_JOGOSULTJOGC", "",                {8, 2}},
    {{},                 DBDateEdit,         "HT_KAPCSTOL",          "HT_KAPCSTOL",     {9, 1}},
    {&F::HT_KAPCSIG,     DBDateEdit,         "HT_KAPCSIG",           "HT_KAPCSIG",      {10, 1},      2},
};

const ui::ControlRow<F> kLakcim[] = {
    {&F::HT_ORSZAG,      DBEdit,             "HT_ORSZAG",            "HT_ORSZAG",       {0, 1}},
    {{},                 DBEdit,             "HT_VAROS",             "HT_VAROS",        {1, 1}},
    {{},                 DBEdit,             "HT_KOZTER",            "HT_KOZTER",       {2, 1}},
    {{},                 DBEdit,             "HT_KOZTERJEL",         "HT_KOZTERJEL",    {3, 1}},
    {{},                 DBEdit,             "HT_HAZSZ",             "HT_HAZSZ",        {4, 1}},
    {{},                 DBEdit,             "HT_EPULET",            "HT_EPULET",       {5, 1}},
    {{},                 DBEdit,             "HT_LEPCSOHAZ",         "HT_LEPCSOHAZ",    {6, 1}},
    {{},                 DBEdit,             "HT_EMELET",            "HT_EMELET",       {7, 1}},
    {{},                 DBEdit,             "HT_AJTO",              "HT_AJTO",         {8, 1}},
    {{},                 DBEdit,             "HT_IRSZ",              "HT_IRSZ",         {9, 1}},
    {&F::HT_KULFOLDI,    DBMarkCombo,        "HT_KULFOLDI",          "HT_KULFOLDI",     {10, 1},      3},
};
// clang-format on

std::string CurrentEmployee() { return DM1->TableDolgozo->FieldByName("DG_TORZSSZAM").AsString(); }

}  // namespace

TTorzskezDolgozoHozzatartozoForm::TTorzskezDolgozoHozzatartozoForm(QWidget* parent)
    : MaintenanceForm(DM1->TableHozzatartozo, parent) {
    setObjectName("TorzskezDolgozoHozzatartozoForm");
    setWindowTitle(QStringLiteral("Törzskezelés/Dolgozó/Hozzátartozó"));

    ui::ControlBuilder b = FormBuilder(DM1->DataSourceHozzatartozo);
    QWidget* head = TablePage();
    b.Build(*this, head, kHead);
    ui::PageGrid(head)->setColumnStretch(2, 0);
    ui::PageGrid(head)->setColumnStretch(4, 1);
    b.Build(*this, TabSheet1, kAdatok);
    b.Build(*this, TabSheet2, kLakcim);
    for (QWidget* page : {TabSheet1, TabSheet2}) {
        ui::PageGrid(page)->setColumnStretch(3, 1);
        ui::PageGrid(page)->setRowStretch(ui::PageGrid(page)->rowCount(), 1);
    }

    AdoptBuilt();
    for (TDBDateEdit* date : findChildren<TDBDateEdit*>()) {
        AddBuilt(date);
        date->OnExit = [this, date] {
            if (Mode() != Browse) DateEditExitCheck(date);
        };
        date->OnChange = [this] { SzerkesztesChange(); };
    }
    AddBuilt(HT_KULFOLDI);
    HT_KULFOLDI->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);  // as wide as "X"

    Member m;
    m.insertFocus = HT_KAPCSOLAT;
    m.editFocus = HT_KAPCSOLAT;
    m.saveTag = 3;
    m.pickList = false;  // the employee form's pick list serves
    m.listButton = false;
    m.pages = PageControl1;
    FormCreate(std::move(m));
}

void TTorzskezDolgozoHozzatartozoForm::Frissit() {
    db::Table& dolgozo = *DM1->TableDolgozo;
    const bool any = dolgozo.Active() && !dolgozo.IsEmpty();
    LabelTorzsszam->setText(any ? QString::fromStdString(CurrentEmployee()) : QString());
    LabelNev->setText(any ? QString::fromStdString(dolgozo.FieldByName("DG_NEV").AsString()) : QString());
    MaintenanceForm::Frissit();
}

void TTorzskezDolgozoHozzatartozoForm::Postazas() {
    // A change is saved only for the employee the form was opened for.
    if (Mode() == Edit && LabelTorzsszam->text().toStdString() != CurrentEmployee()) {
        Megsem();
        return;
    }
    MaintenanceForm::Postazas();
}

bool TTorzskezDolgozoHozzatartozoForm::RogzitesMehetVizs() const {
    return !LabelTorzsszam->text().trimmed().isEmpty() && !HT_KAPCSOLAT->Text().trimmed().isEmpty() &&
           !HT_NEV->Text().trimmed().isEmpty();
}

void TTorzskezDolgozoHozzatartozoForm::BeforePost() {
    if (Mode() == Insert)
        Table().FieldByName("HT_DGTORZSSZAM").SetAsString(LabelTorzsszam->text().toStdString());
}

void TTorzskezDolgozoHozzatartozoForm::EnterTag(int tag) {
    if (tag != 2) return;
    PageControl1->setCurrentWidget(TabSheet2);
    HT_ORSZAG->setFocus();
}

void TTorzskezDolgozoHozzatartozoForm::BrowsePick() {
    db::Table& t = Table();
    const db::Bookmark chosen = KeresoAblakMutat(
        {"HT_NEV", "HT_SZULDAT", "HT_KAPCSOLAT"}, {350, 75, 50}, {"Név", "Születési dátum", "Kapcsolat"},
        t.DatabaseName, t.TableName, nullptr, t.IsEmpty() ? db::Bookmark() : t.GetBookmark(),
        NoAboutWhereEquals("HT_DGTORZSSZAM", CurrentEmployee()), QChar(u'H'));
    if (chosen) t.GotoBookmark(chosen);
    Frissit();
}
