// The value sets of the selected company: typed code lists and the yearly
// parameters (type "0"), kept on DM1->TableErtekkeszlet, which is writable
// only while this form is open. A row is keyed by type and code; the key is
// stored as typed.
#pragma once

#include "masterdata/MaintenanceForm.h"

class TSzervizErtekkeszletForm : public MaintenanceForm {
    Q_OBJECT
public:
    explicit TSzervizErtekkeszletForm(QWidget* parent = nullptr);
    ~TSzervizErtekkeszletForm() override { FormClose(); }

    void TableNyitZar(int n) override;

    TDBEdit* EK_TIPUS = nullptr;
    TDBEdit* EK_TIPUSNEV = nullptr;
    TDBEdit* EK_ERTEK = nullptr;
    TDBEdit* EK_ERTEKNEV = nullptr;
    TDBEdit* EK_ERTEKCHAR = nullptr;
    TDBEdit* EK_ERTEKNUM = nullptr;

protected:
    // F2 in browse mode: the table search window over every row.
    void BrowsePick() override;
};
