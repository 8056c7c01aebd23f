// The row dialog of the payroll form: adds a row to the run's working set or
// changes the current one, editing MemoryData1's record in place. The amount
// follows the pay item's formula as soon as the code, days, hours or
// percentage are known, and the bases follow the amount. The dialog never
// posts: the form takes the record on OK and recalculates.
#pragma once

#include <QDialog>
#include <vector>

#include "payroll/engine/ItemAmounts.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TDBEdit;
class TDBDateEdit;

class TUjJogcimForm : public QDialog {
    Q_OBJECT
public:
    // `run` is the open run; the dialog reads a copy with its year-to-date
    // totals summed.
    explicit TUjJogcimForm(const payroll::PayrollRun& run, QWidget* parent = nullptr);
    ~TUjJogcimForm() override;

    // 0 add, 1 modify (the current record of MemoryData1).
    void UjJogcimBeallit(int mode);
    // The tax and contribution bases of the record from its amount.
    void AlapSzamitas();
    void Frissit();
    // The code edit's exit: the row appended and filled.
    void KodKilepes();
    void SzerkesztesExit(QWidget* sender);
    bool FormCloseQuery();

    QLineEdit* Edit1 = nullptr;          // code
    QLabel* Label1 = nullptr;            // the pay item's name
    TDBEdit* DBEdit3 = nullptr;          // SF_NAP
    TDBEdit* DBEdit4 = nullptr;          // SF_ORA
    TDBEdit* DBEdit7 = nullptr;          // SF_SZAZALEK
    TDBEdit* DBEdit2 = nullptr;          // SF_OSSZEG
    TDBEdit* DBEdit5 = nullptr;          // SF_SZHASZAZLEV
    TDBDateEdit* DBDateEdit1 = nullptr;  // SF_TOL
    TDBDateEdit* DBDateEdit2 = nullptr;  // SF_IG
    TDBEdit* DBEdit8 = nullptr;          // SF_MHKOD
    QLabel* Label2 = nullptr;            // the workplace's name
    TDBEdit* DBEdit9 = nullptr;          // SF_MUNKSZAM
    TDBEdit* DBEdit10 = nullptr;         // SF_GYUJTO
    TDBEdit* DBEdit11 = nullptr;         // SF_ADOALAP
    TDBEdit* DBEdit13 = nullptr;         // SF_JARALAP
    TDBEdit* DBEdit12 = nullptr;         // SF_SZAMLA
    QPushButton* BitBtn1 = nullptr;      // OK
    QPushButton* BitBtn2 = nullptr;      // Mégsem

    double VallalkozoMinAlap = 0;
    double VallalkozoSzamoltAlap = 0;
    double VallalkozoNyugKotOsszeg = 0;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    bool Vallalkozo() const;
    const payroll::FieldValues* Item() const;
    // The formula's amount of the record as it stands.
    void Osszeg();
    void SetEditsEnabled(bool on);
    void Bind();
    void DateExit(TDBDateEdit* edit);

    payroll::PayrollRun run_;
    payroll::ItemBases bases_;
    std::vector<TDBEdit*> edits_;
    bool shown_ = false;
};
