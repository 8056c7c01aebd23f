#include "masterdata/TorzskezRJogcim.h"

#include <QGridLayout>
#include <QTabWidget>

#include "controls/DBControls.h"
#include "controls/DBKinds.h"
#include "core/DataModule1.h"
#include "core/DateEditCheck.h"
#include "core/FormTables.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/Dialogs.h"

namespace {

using F = TTorzskezRJogcimForm;

// clang-format off
const ui::ControlRow<F> kHead[] = {
//   member              kind             name                        caption or field              cell          tag
    {&F::RJ_DGTORZSSZAM, DBEdit,          "RJ_DGTORZSSZAM",           "RJ_DGTORZSSZAM",             {0, 1},       1},
    {{},                 DBText,          "RJ_szarmDGTORZSSZAMDGNEV", "RJ_szarmDGTORZSSZAMDGNEV",   {0, 2}},
    {&F::PageControl1,   ui::PageControl, "PageControl1",             "",                           {1, 0, 1, 3}},
    {&F::TabSheet1,      ui::TabPage,     "TabSheet1",                "Általános"},
    {&F::TabSheet2,      ui::TabPage,     "TabSheet2",                "Kedvezményezett"},
    {&F::TabSheet3,      ui::TabPage,     "TabSheet3",                "Bérfeladás"},
};

const ui::ControlRow<F> kAltalanos[] = {
    {&F::RJ_JCKOD,       DBEdit,          "RJ_JCKOD",                 "RJ_JCKOD",                   {0, 1}},
    {{},                 DBText,          "RJ_szarmJCKODJCNEV",       "RJ_szarmJCKODJCNEV",         {0, 2}},
    {&F::RJ_SORSZAM,     DBEdit,          "RJ_SORSZAM",               "RJ_SORSZAM",                 {1, 1}},
    {&F::RJ_OSSZEG,      DBEdit,          "RJ_OSSZEG",                "RJ_OSSZEG",                  {2, 1}},
    {&F::RJ_SZAZ,        DBEdit,          "RJ_SZAZ",                  "RJ_SZAZ",                    {3, 1}},
    {{},                 DBEdit,          "RJ_TELJOSSZ",              "RJ_TELJOSSZ",                {4, 1}},
    {{},                 DBEdit,          "RJ_MIN",                   "RJ_MIN",                     {5, 1}},
    {{},                 DBEdit,          "RJ_EDDIGLEVONT",           "RJ_EDDIGLEVONT",             {6, 1}},
    {{},                 DBEdit,          "RJ_HATAROZAT",             "RJ_HATAROZAT",               {7, 1}},
    {{},                 DBEdit,          "RJ_HATRALEK",              "RJ_HATRALEK",                {8, 1}},
    {&F::RJ_KEZD,        DBDateEdit,      "RJ_KEZD",                  "RJ_KEZD",                    {9, 1}},
    {&F::RJ_VEG,         DBDateEdit,      "RJ_VEG",                   "RJ_VEG",                     {10, 1},      2},
    {{},                 DBEdit.Hidden(), "RJ_SZAMLASZ",              "RJ_SZAMLASZ",                {11, 1}},
};

const ui::ControlRow<F> kKedvezmenyezett[] = {
    {&F::RJ_KEDVNEV,     DBEdit,          "RJ_KEDVNEV",               "RJ_KEDVNEV",                 {0, 1}},
    {{},                 DBEdit,          "RJ_KEDVIRSZ",              "RJ_KEDVIRSZ",                {1, 1}},
    {{},                 DBEdit,          "RJ_KEDVVAROS",             "RJ_KEDVVAROS",               {2, 1}},
    {{},                 DBEdit,          "RJ_KEDVUTCA",              "RJ_KEDVUTCA",                {3, 1}},
    {{},                 DBEdit,          "RJ_KEDVHAZSZ",             "RJ_KEDVHAZSZ",               {4, 1}},
    {{},                 DBEdit,          "RJ_KEDVSZAMLASZ",          "RJ_KEDVSZAMLASZ",            {5, 1},       3},
};

const ui::ControlRow<F> kBerfeladas[] = {
    {&F::RJ_MUNKSZAM,    DBEdit,          "RJ_MUNKSZAM",              "RJ_MUNKSZAM",                {0, 1}},
    {{},                 DBEdit,          "RJ_GYUJTO",                "RJ_GYUJTO",                  {1, 1},       4},
};
// clang-format on

}  // namespace

TTorzskezRJogcimForm::TTorzskezRJogcimForm(QWidget* parent) : MaintenanceForm(DM1->TableRJogcim, parent) {
    setObjectName("TorzskezRJogcimForm");
    setWindowTitle(QStringLiteral("Törzskezelés/Rendszeres jogcím"));

    QWidget* head = TablePage();
    ui::ControlBuilder b = FormBuilder(DM1->DataSourceRJogcim);
    b.Build(*this, head, kHead);
    b.Build(*this, TabSheet1, kAltalanos);
    b.Build(*this, TabSheet2, kKedvezmenyezett);
    b.Build(*this, TabSheet3, kBerfeladas);
    for (QWidget* page : {TabSheet1, TabSheet2, TabSheet3}) ui::PageGrid(page)->setColumnStretch(2, 1);

    for (QWidget* w : findChildren<QWidget*>())
        if (qobject_cast<TDBEdit*>(w) || qobject_cast<TDBDateEdit*>(w)) AddBuilt(w);
    AddRecordCode(RJ_DGTORZSSZAM, nullptr, 5, DM1->TableDolgozo, "DG_TORZSSZAM", 73, "DG_NEV", 336,
                  QStringLiteral("Ilyen törzsszam nem létezik!"), false, "DG_MHKOD", 43);
    AddRecordCode(RJ_JCKOD, nullptr, 4, DM1->TableJogcim, "JC_KOD", 37, "JC_NEV", 226,
                  QStringLiteral("Ilyen kód nem létezik!"), false);
    for (TDBDateEdit* date : {RJ_KEZD, RJ_VEG}) date->OnExit = [this, date] { DBDateEditExit(date); };

    Member m;
    m.trimmedKey = "RJ_DGTORZSSZAM";
    m.keyEdits = {RJ_DGTORZSSZAM};
    m.required = {RJ_DGTORZSSZAM, RJ_JCKOD, RJ_SORSZAM, RJ_OSSZEG, RJ_SZAZ};
    m.insertFocus = RJ_DGTORZSSZAM;
    m.editFocus = RJ_JCKOD;
    m.saveTag = 4;
    m.pickKind = 6;
    m.pickColumns = {{"RJ_DGTORZSSZAM", 73}, {"RJ_DGNEV", 336}, {"RJ_JCKOD", 37}};
    m.listButton = false;
    m.pages = PageControl1;
    FormCreate(std::move(m));
}

void TTorzskezRJogcimForm::TableNyitZar(int n) {
    db::Table* lookedUp[] = {DM1->TableJogcim, DM1->TableDolgozo};
    if (n == 0) {
        for (db::Table* t : lookedUp) {
            t->ReadOnly = true;
            t->Open();
        }
        Table().Open();
    } else {
        Table().Close();
        for (db::Table* t : lookedUp) {
            t->Close();
            t->ReadOnly = false;
        }
    }
}

void TTorzskezRJogcimForm::RJogcimAlapertek() {
    for (const char* field : {"RJ_SORSZAM", "RJ_OSSZEG", "RJ_SZAZ"}) {
        db::Field& f = Table().FieldByName(field);
        if (f.IsNull()) f.SetAsInteger(0);
    }
}

void TTorzskezRJogcimForm::NewRecordDefaults() { RJogcimAlapertek(); }

void TTorzskezRJogcimForm::BeforePost() {
    // The employee's name as it is when the item is made; a change of the
    // item or of the employee later leaves it.
    if (Mode() == Insert)
        Table()
            .FieldByName("RJ_DGNEV")
            .SetAsString(Table().FieldByName("RJ_szarmDGTORZSSZAMDGNEV").AsString());
    RJogcimAlapertek();
}

void TTorzskezRJogcimForm::EnterTag(int tag) {
    switch (tag) {
        case 1:
            PageControl1->setCurrentIndex(0);
            RJ_JCKOD->setFocus();
            break;
        case 2:
            PageControl1->setCurrentIndex(1);
            RJ_KEDVNEV->setFocus();
            break;
        case 3:
            PageControl1->setCurrentIndex(2);
            RJ_MUNKSZAM->setFocus();
            break;
        default:
            break;
    }
}

void TTorzskezRJogcimForm::DBDateEditExit(TDBDateEdit* edit) { DateEditExitCheck(edit); }
