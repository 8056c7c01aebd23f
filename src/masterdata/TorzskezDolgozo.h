// The employees of the selected company, on DM1->TableDolgozo: number,
// validity start and name above twelve tabs of personal, contract, insurance,
// address, wage, leave, membership, declaration, allowance and leaving data.
// A change that moves the validity start later files the record as it was
// into the history table DolgRegi; an employee with payroll rows cannot be
// deleted, one without goes together with its standing items.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "masterdata/MaintenanceForm.h"
#include "platform/db/Field.h"

class QLineEdit;
class QTabWidget;
class TDBCheckBox;
class TDBDateEdit;

// The year's leave days by age: the age is the processing year less the year
// of birth (`birthYear` 0: no date of birth, 20 days).
int SzabadsagNapok(int birthYear, int processingYear);

// `date` (a day number) `years` later; 29 February of a year without one
// becomes 28 February.
double EvekkelKesobb(double date, int years);

class TTorzskezDolgozoForm : public MaintenanceForm {
    Q_OBJECT
public:
    explicit TTorzskezDolgozoForm(QWidget* parent = nullptr);
    ~TTorzskezDolgozoForm() override { FormClose(); }

    void TableNyitZar(int n) override;
    void Frissit() override;
    void Felvitel() override;
    void Modositas() override;
    void Torles() override;

    // Empties the names beside the coded edits.
    void LabelTorol();
    // Leave days by age of the record's date of birth.
    int SzabadsagSzam() const;
    // The family allowance of the child counts; none (after a message) when
    // the value set lacks the rate the count needs.
    std::optional<double> CsalkedvSzam();
    // Defaults of the required numbers and codes that are empty.
    void DolgozoAlapertek();
    // The record's values before it is changed.
    void ElozoAllapotMent();
    // A TAJ number and a passport number exclude each other.
    void TajUtlevelAllit();
    // In insert mode the new record's flags; otherwise every box unchecked.
    void DBCheckBoxBeallit();
    void DBCheckBoxClick(TDBCheckBox* box);
    // Exits: derived hours, numeric ranges, the family allowance, the leave frame, dates.
    void DBEditExit(TDBEdit* edit);
    void DBEditExit2(TDBEdit* edit);
    // On a new record, the contribution boxes as its employment kind and
    // pensioner flag make it insured or not.
    void JarulekAlapertek();
    // Browse keys of the family, and F3 (the employees) and F4 (every
    // payroll row) in the table search window.
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    // "Számfejtések lekérdezése": the current employee's payroll rows.
    void BitBtn12Click();
    // "Előzmények": the current employee's history rows in filing order.
    void BitBtn13Click();
    // "Nyilvántartásba vétel": the registration certificate of the current employee.
    void BitBtn14Click();
    // "Törzslap": the data sheets of a range of employees.
    void BitBtn15Click();
    // "Hozzátartozók": the dependants of the current employee.
    void BitBtn16Click();
    // "Egys. Munkaügyi Nyilvántart." (hidden): the uniform labour-records sheet.
    void BitBtn17Click();
    void SzabadsagExit();
    void DBDateEditExit(TDBDateEdit* edit);

    TDBEdit *DG_TORZSSZAM = nullptr, *DG_NEV = nullptr;
    TDBDateEdit* DG_ERVENYKEZD = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr, *TabSheet2 = nullptr, *TabSheet3 = nullptr, *TabSheet4 = nullptr;
    QWidget *TabSheet5 = nullptr, *TabSheet6 = nullptr, *TabSheet7 = nullptr, *TabSheet8 = nullptr;
    QWidget *TabSheet9 = nullptr, *TabSheet10 = nullptr, *TabSheet11 = nullptr, *TabSheet12 = nullptr;
    TDBDateEdit *DG_BELEPDAT = nullptr, *DG_SZULDAT = nullptr, *DG_SZHAKEDVKEZD = nullptr,
                *DG_KILEPDAT = nullptr;
    TDBEdit *DG_ADOAZ = nullptr, *DG_TAJSZ = nullptr, *DG_UTLEVELSZ = nullptr, *DG_MHKOD = nullptr;
    TDBCheckBox* DG_NYUGDIJAS = nullptr;
    TDBEdit *DG_NYUGTORZSSZ = nullptr, *DG_FEOR = nullptr, *DG_MUNKAKOR = nullptr, *DG_BERFORM = nullptr;
    TDBEdit *DG_ALKMIN = nullptr, *DG_ALAPBER = nullptr, *DG_NAPIKOTORA = nullptr, *DG_HETIKOTORA = nullptr;
    TDBEdit *DG_MUNKAIDOKERHO = nullptr, *DG_MUNKAREND = nullptr;
    TDBCheckBox* DG_NYUGJAR = nullptr;
    TDBEdit *DG_VAROS = nullptr, *DG_NAPIATL = nullptr, *DG_MUNKSZAM = nullptr;
    TDBEdit *DG_ELOSZAB = nullptr, *DG_EVISZAB = nullptr, *DG_POTSZAB = nullptr;
    TDBEdit *DG_MNYP = nullptr, *DG_MNYPDOLKIEG = nullptr, *DG_MNYPVALKIEG = nullptr, *DG_ELOZOMNYP = nullptr;
    TDBEdit *DG_KTGHANYAD = nullptr, *DG_KTGKULF = nullptr, *DG_EKHOERTHAT = nullptr;
    TDBEdit *DG_GYERMSZAM = nullptr, *DG_BESZAMGYERM = nullptr, *DG_ELSOHAZASOSSZ = nullptr;
    TDBEdit* DG_SZHAKEDVKOD = nullptr;
    QLineEdit* AdozasModja = nullptr;  // hidden, bound to no field
    // Számfejtések lekérdezése, Előzmények, Nyilvántartásba vétel, Törzslap,
    // Hozzátartozók, Egys. Munkaügyi Nyilvántart. (hidden).
    QPushButton *BitBtn12 = nullptr, *BitBtn13 = nullptr, *BitBtn14 = nullptr, *BitBtn15 = nullptr;
    QPushButton *BitBtn16 = nullptr, *BitBtn17 = nullptr;

protected:
    bool RogzitesMehetVizs() const override;
    void NewRecordDefaults() override;
    void BeforePost() override;
    void AfterEditPost() override;
    void EnterTag(int tag) override;
    void DeleteRecord() override;
    void ModeButtons(bool browsing) override;

private:
    // Files the snapshot into DolgRegi when the validity start moved later.
    void RegiAdatokMentese();
    void Fokusz(QWidget* control);
    // The date checks of one field and the values derived from it; `back`
    // is set when the focus must go back.
    void DatumKovetkezmenyei(TDBDateEdit* edit, double date, bool& back);
    // A sheet of the current employee: `button` off and the company table
    // open read-only while `preview` shows it.
    void NyilvLapMutat(QPushButton* button, const std::function<void()>& preview);

    std::vector<std::pair<std::string, db::Variant>> elozo_;
    // Whether the new record's contribution boxes were last set as insured.
    bool jarulekBiztositott_ = false;

protected:
    std::unique_ptr<QDialog> CreateListForm() override;
    bool HasListForm() const override { return true; }
};
