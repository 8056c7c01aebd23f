// The employees' standing pay items, on DM1->TableRJogcim: employee number
// above three tabs of amounts and dates, the beneficiary and the ledger
// posting fields. The names beside the employee number and the code are the
// data module's looked-up names; the employee's name is stored on insert.
#pragma once

#include "masterdata/MaintenanceForm.h"

class QTabWidget;
class TDBDateEdit;

class TTorzskezRJogcimForm : public MaintenanceForm {
    Q_OBJECT
public:
    explicit TTorzskezRJogcimForm(QWidget* parent = nullptr);
    ~TTorzskezRJogcimForm() override { FormClose(); }

    void TableNyitZar(int n) override;
    // Start and end date: a date that is no date is emptied, one outside the
    // years the program takes is questioned and kept.
    void DBDateEditExit(TDBDateEdit* edit);
    // Sequence number, amount and percentage 0 where they are empty.
    void RJogcimAlapertek();

    TDBEdit* RJ_DGTORZSSZAM = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;  // Általános
    QWidget* TabSheet2 = nullptr;  // Kedvezményezett
    QWidget* TabSheet3 = nullptr;  // Bérfeladás
    TDBEdit* RJ_JCKOD = nullptr;
    TDBEdit* RJ_SORSZAM = nullptr;
    TDBEdit* RJ_OSSZEG = nullptr;
    TDBEdit* RJ_SZAZ = nullptr;
    TDBDateEdit* RJ_KEZD = nullptr;
    TDBDateEdit* RJ_VEG = nullptr;
    TDBEdit* RJ_KEDVNEV = nullptr;
    TDBEdit* RJ_MUNKSZAM = nullptr;

protected:
    void NewRecordDefaults() override;
    void BeforePost() override;
    void EnterTag(int tag) override;
};
