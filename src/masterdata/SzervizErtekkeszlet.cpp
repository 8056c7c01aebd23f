#include "masterdata/SzervizErtekkeszlet.h"

#include "controls/DBControls.h"
#include "core/DataModule1.h"

TSzervizErtekkeszletForm::TSzervizErtekkeszletForm(QWidget* parent)
    : MaintenanceForm(DM1->TableErtekkeszlet, parent) {
    setObjectName("SzervizErtekkeszletForm");
    setWindowTitle(QStringLiteral("Szerviz/Értékkészlet karbantartás"));
    EK_TIPUS = AddEdit("EK_TIPUS", QStringLiteral("Típus :"), 0);
    EK_TIPUSNEV = AddEdit("EK_TIPUSNEV", QStringLiteral("Típus név :"), 0);
    EK_ERTEK = AddEdit("EK_ERTEK", QStringLiteral("Értek :"), 0);
    EK_ERTEKNEV = AddEdit("EK_ERTEKNEV", QStringLiteral("Érték név :"), 0);
    EK_ERTEKCHAR = AddEdit("EK_ERTEKCHAR", QStringLiteral("Szöveg :"), 0);
    EK_ERTEKNUM = AddEdit("EK_ERTEKNUM", QStringLiteral("Szám :"), 0);
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

void TSzervizErtekkeszletForm::BrowsePick() {}
