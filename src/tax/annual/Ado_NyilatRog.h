// "Nyilatkozat rögzítése": the employees' declarations, one record per
// employee in the company's Nyilat table, kept on the maintenance pattern.
// The registration number above six pages (the declaration, the first-
// marriage allowance, the shared family allowance and the three dispositions);
// Enter on the last control of a page goes on to the next page's first.
#pragma once

#include <QString>

#include "masterdata/MaintenanceForm.h"

class QLabel;
class QTabWidget;
class TDBCheckBox;
class TDBEdit;
class TKivalasztSQLForm;

class TAdo_NyilatRogForm : public MaintenanceForm {
    Q_OBJECT
public:
    explicit TAdo_NyilatRogForm(QWidget* parent = nullptr);
    ~TAdo_NyilatRogForm() override { FormClose(); }

    void TableNyitZar(int n) override;
    void Frissit() override;
    void Felvitel() override;
    // The name beside the registration number emptied.
    void LabelTorol();
    // Insert: the defaults of a new declaration; Browse: every box unchecked
    // (an empty table shows no values); Edit: nothing.
    void DBCheckBoxBeallit();
    // Leaving the registration number of a known employee copies the
    // employee's address into the taxpayer's address of row 656 (the base
    // has already refused an unknown number).
    void DBEditExit();

    TDBEdit* DBEdit1 = nullptr;  // NY_DGTORZSSZAM
    QLabel* Label2 = nullptr;    // the employee's name
    QTabWidget* PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr, *TabSheet2 = nullptr, *TabSheet3 = nullptr;  // Nyilatkozat, Első házas, CSK
    QWidget *TabSheet4 = nullptr, *TabSheet5 = nullptr,
            *TabSheet6 = nullptr;  // Rend 1., Rend. 2, Rend 3.
    TDBCheckBox* NY_ONADOZO = nullptr;
    TDBEdit *NY_RENYIL = nullptr, *NY_S151HADOAZ = nullptr, *NY_S155HADOAZ = nullptr;
    TDBEdit *NY_S125 = nullptr, *NY_S131 = nullptr, *NY_S144 = nullptr, *NY_S656KOZTERSTB = nullptr;
    TKivalasztSQLForm* KivalasztSQLForm = nullptr;

protected:
    bool RogzitesMehetVizs() const override;
    void NewRecordDefaults() override { DBCheckBoxBeallit(); }
    void BeforePost() override;
    void EnterTag(int tag) override;
    void BrowsePick() override;
};
