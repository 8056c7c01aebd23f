// The company register, on DM1->TableCegek: code, names and tax numbers
// above six pages of addresses and other data. A new company gets the next
// free code and, once its row is saved, its whole table set; a company is
// never deleted.
#pragma once

#include <string>

#include "masterdata/MaintenanceForm.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;

// The code of the company after the one whose code is `last` (empty: none
// yet), as "001" ... "099", "100" ...; empty past 999, which CG_KOD cannot hold.
std::string KovetkezoCegKod(const std::string& last);
std::string CegKodFormaz(int number);

class TTorzskezCegekForm : public MaintenanceForm {
    Q_OBJECT
public:
    explicit TTorzskezCegekForm(QWidget* parent = nullptr);
    ~TTorzskezCegekForm() override { FormClose(); }

    void TableNyitZar(int n) override;
    void Felvitel() override;
    void Torles() override;
    // The country code in upper case when its edit is left.
    void DBEdit16Exit();

    // Carries company `oldCode` of last year's folder over as a new company
    // with its payment places, workplaces, employees still employed, history,
    // standing items and dependants; false when it stopped before copying.
    bool ElozoEviCegMasol(const std::string& oldCode);
    // Copies the standing items of the company shown from last year's
    // counterpart again, adding those it does not hold yet.
    void ElozoEviRendszJCMasol();

    // "Egy cégre": a company of last year's register picked and carried over.
    void BitBtnElozoEviAdatmasolasClick();

    // "Felgyűjtés" (or Enter in the folder edit): the companies of the folder.
    void CegListaFeltolt();
    // "Adatátvitel": the company chosen in the list taken over.
    void BitBtnDravikAdatmasolasClick();

    // True after a saved insert whose table set is complete.
    bool UjCegKesz = false;

    TDBEdit *CG_KOD = nullptr, *CG_NEV = nullptr, *CG_RNEV = nullptr, *CG_ADOSZAM = nullptr;
    TDBEdit *CG_JOGELADOSZ = nullptr, *CG_TBTORZSSZAM = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr, *TabSheet2 = nullptr, *TabSheet3 = nullptr;  // Cím, Lev. Cím, Külföldi
    QWidget *TabSheet4 = nullptr, *TabSheet5 = nullptr,
            *TabSheet6 = nullptr;  // Egyéb 1, Egyéb 2, Egyéni Váll.
    TDBEdit *CG_IRSZ = nullptr, *CG_LEVIRSZ = nullptr, *CG_KULFMNEV = nullptr, *CG_KULFMORSZAG = nullptr;
    // "Előző évi adatok másolása": usable only when last year's alias exists.
    QGroupBox* GroupBoxElozoEvi = nullptr;
    QPushButton *BitBtnElozoEviAdatmasolas = nullptr, *BitBtnElozoEviRendszJCmasolas = nullptr;
    QLabel* Label15 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    // "Dravik konverzió".
    QGroupBox* GroupBoxDravik = nullptr;
    QLineEdit* Edit1 = nullptr;  // the folder
    QPushButton *BitBtnDRCegekFelgyujt = nullptr, *BitBtnDravikAdatmasolas = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
    TDBEdit *CG_BANKSZLA = nullptr, *CG_UGYINT = nullptr, *CG_EVADOAZ = nullptr;

protected:
    void NewRecordDefaults() override;
    void BeforePost() override;
    void AfterInsertPost() override;
    void EnterTag(int tag) override;
    void ModeButtons(bool browsing) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::string ujKod_;
    bool elozoEv_ = false;     // last year's alias exists
    bool edit1Zarva_ = false;  // the folder edit locked for good
    std::string dravikMappa_;  // the folder listed; empty: none yet
};
