// The dependants of the current employee, on DM1->TableHozzatartozo, which
// the employee form opens filtered to that employee before and closes after:
// relation, name, identifiers, birth and the relation's dates on "Adatok",
// the address on "Lakcím". A new dependant takes the employee's number.
#pragma once

#include "masterdata/MaintenanceForm.h"

class QLabel;
class QTabWidget;
class QWidget;
class TDBComboBox;
class TDBDateEdit;
class TDBEdit;

class TTorzskezDolgozoHozzatartozoForm : public MaintenanceForm {
    Q_OBJECT
public:
    explicit TTorzskezDolgozoHozzatartozoForm(QWidget* parent = nullptr);
    ~TTorzskezDolgozoHozzatartozoForm() override { FormClose(); }

    // The employee form opens and closes the table.
    void TableNyitZar(int) override {}
    void Frissit() override;
    void Postazas() override;

    QLabel* LabelTorzsszam = nullptr;  // the employee's number
    QLabel* LabelNev = nullptr;        // and name
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;  // "Adatok"
    QWidget* TabSheet2 = nullptr;  // "Lakcím"
    TDBEdit* HT_KAPCSOLAT = nullptr;
    TDBEdit* HT_NEV = nullptr;
    TDBDateEdit* HT_SZULDAT = nullptr;
    TDBDateEdit* HT_KAPCSIG = nullptr;
    TDBEdit* HT_ORSZAG = nullptr;
    TDBComboBox* HT_KULFOLDI = nullptr;

protected:
    bool RogzitesMehetVizs() const override;
    void BeforePost() override;
    void EnterTag(int tag) override;
    void BrowsePick() override;
};
