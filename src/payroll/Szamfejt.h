// The payroll run form: month, payment date and an employee (or a workplace
// whose employees it walks), then the employee's saved rows of that month and
// payment date or a fresh calculation, hand changes through the row dialog
// with the recalculation, and the save that replaces the saved rows. The
// engine computes on its own working set; the form mirrors it into the data
// module's MemoryData1 for the grid and the row dialog. Rows from code "800"
// (brought-forward amounts) are no part of a run: never loaded, counted or
// deleted here.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "payroll/engine/Pipeline.h"
#include "payroll/engine/RunLoader.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class TCurrencyEdit;
class TDateEdit;
class TKivalasztForm;
class TKivalasztSQLForm;
namespace ui {
class DatasetGrid;
}

// The payday of the value set's text ("31" when it is empty or no day).
int FizetesnapNapja(const std::string& fizetesnap);
// The default payment date of a payroll month: the payday (at most the
// month's last day) of the month, or of the next one when the payday is
// below 20 (December's next is January of the next year).
double KifizDatum(const std::string& fizetesnap, int month, int year);
// The default payroll month on `today`: the previous one while a payday
// below 10 is still ahead, except in January.
int AlapHonap(double today, const std::string& fizetesnap);

class TSzamfejtForm : public QDialog {
    Q_OBJECT
public:
    explicit TSzamfejtForm(QWidget* parent = nullptr);
    ~TSzamfejtForm() override;

    // 0 individual run (an employee), 1 group run (a workplace's employees).
    void SzamfejtBeallit(int mode) { SzamfejtesMod = mode; }

    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void BitBtn10Click();
    void KifizDatumSzam();
    void Frissit();
    void GombLetilt();
    void GombEngedelyez();
    void DolgFelvitel();
    void Kovetkezo();
    void SzerkesztesKeyDown(QWidget* sender, int key);
    void SzamfejtesMehet();
    void SzerkesztesExit(QWidget* sender);
    void Szamf();
    void Felvitel();
    void Modositas();
    void Torles();
    void BitBtnClick(int tag);
    // Dependants of the employee, optionally of one HT_ELTMIN and one
    // HT_KAPCSOLAT value; 0 after an error (shown).
    int HozzatartozoDarab(const std::string& eltmin, const std::string& kapcsolat);

    // The run of the open employee (nullptr while choosing).
    const payroll::PayrollRun* Run() const { return run_.get(); }
    int Honap() const;

    TCurrencyEdit* CurrencyEdit1 = nullptr;
    TDateEdit* DateEdit1 = nullptr;
    QLineEdit* MaskEdit3 = nullptr;  // workplace
    QLineEdit* MaskEdit4 = nullptr;  // employee
    QLabel* Label3 = nullptr;        // the workplace edit's caption
    QLabel* Label4 = nullptr;        // the employee edit's caption
    QLabel* Label5 = nullptr;        // the workplace's name
    QLabel* Label6 = nullptr;        // the employee's name
    ui::DatasetGrid* DBGrid1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* BitBtn5 = nullptr;   // Felvitel
    QPushButton* BitBtn6 = nullptr;   // Módosít
    QPushButton* BitBtn7 = nullptr;   // Törlés
    QPushButton* BitBtn12 = nullptr;  // Számf. törlés
    QPushButton* BitBtn11 = nullptr;  // Rögzítés
    QPushButton* BitBtn9 = nullptr;   // Mégsem
    QPushButton* BitBtn10 = nullptr;  // Kilépés
    QLabel* Osszesen[9] = {};         // the totals panel's values

    int SzamfejtesMod = 0;
    bool SzamfejtesFolyamatban = false;
    bool IndulasKerve = false;
    bool HonapSzamfejtve = false;
    std::string ModositottKod;
    std::string Fizetesnap;
    int HonapNapjai = 0;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void BuildControls();
    bool KeyPreview() const { return keyPreview_; }
    // The working set into MemoryData1, the grid on its first row.
    void ShowRows();
    void ShowTotals();
    void ClearTotals();
    // A hand change applied with the recalculation; the working set keeps
    // both or neither, and the grid shows what it kept.
    void Rerun(const std::function<void(payroll::WorkingSet&)>& change);
    // The working-set row of the grid's current record; -1 when none.
    int CurrentRunRow() const;
    void EndRun();
    // The skip rule of the group run: the employee left before or enters
    // after the payment date.
    bool Skipped() const;
    void PickEmployee();
    void PickWorkplace();
    void PickUncalculated();
    // A pick filled `edit`: it is left and the run starts.
    void StartPicked(QWidget* edit);
    bool LocateEmployee(const QString& number);
    void FilterWorkplace(const QString& code);
    // The employees of the workplace typed, the first of them shown; false
    // (after saying so) when it has none.
    bool FirstOfWorkplace();
    void UnfilterEmployees();
    void ButtonsAfterChange();

    std::unique_ptr<payroll::RunLoader> loader_;
    std::unique_ptr<payroll::RunContext> ctx_;
    std::unique_ptr<payroll::PayrollRun> run_;
    TKivalasztForm* pick_ = nullptr;
    TKivalasztSQLForm* sqlPick_ = nullptr;
    bool keyPreview_ = false;
    bool leavingPicked_ = false;  // the focus-out of a picked edit is not its exit
    bool shown_ = false;
    bool closed_ = false;
};
