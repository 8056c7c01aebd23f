// Brought-forward amounts of an employee: a line per pay item from code "800"
// for a month and a date, amounts typed in the grid, the non-zero lines saved
// as payroll rows numbered from 8001 in one transaction. Payroll rows below
// "800" are never touched.
#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class TCurrencyEdit;
class TDateEdit;
class TKivalasztForm;
namespace ui {
class DatasetGrid;
}

// The default date of the lines: the 3rd of the month after `month` in the
// year the text names (December's next is January of the next year); 0 when
// the text is no year.
double HozottAlapDatum(const std::string& yearText, int month);

class THozottAdatokForm : public QDialog {
    Q_OBJECT
public:
    explicit THozottAdatokForm(QWidget* parent = nullptr);
    ~THozottAdatokForm() override;

    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void BitBtn10Click();
    void Frissit();
    void GombLetilt();
    void GombEngedelyez();
    void Adatbeker();
    void SzerkesztesKeyDown(QWidget* sender, int key);
    void Mehet();
    void SzerkesztesExit(QWidget* sender);
    void BitBtnClick(int tag);
    void AlapDatum();

    TCurrencyEdit* CurrencyEdit1 = nullptr;
    TDateEdit* DateEdit1 = nullptr;
    QLineEdit* MaskEdit4 = nullptr;
    QLabel* Label4 = nullptr;  // the employee's name
    ui::DatasetGrid* DBGrid1 = nullptr;
    QPushButton* BitBtn11 = nullptr;  // Rögzítés
    QPushButton* BitBtn9 = nullptr;   // Mégsem
    QPushButton* BitBtn10 = nullptr;  // Kilépés

    bool SzamfejtesFolyamatban = false;
    bool IndulasKerve = false;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void Rogzites();
    void EndSet();

    TKivalasztForm* pick_ = nullptr;
    bool leavingPicked_ = false;  // the focus-out of a picked edit is not its exit
    bool shown_ = false;
    bool closed_ = false;
};
