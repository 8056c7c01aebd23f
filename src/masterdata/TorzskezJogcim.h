// The company's pay-item code catalogue, on DM1->TableJogcim: code and name
// above five tabs of flags, formula, tax and report placement fields. A code
// that a payroll row uses cannot be deleted; deleting an unused code takes
// its standing items with it.
#pragma once

#include <memory>

#include <string>

#include "masterdata/MaintenanceForm.h"

class QTabWidget;
class TDBCheckBox;

// A pay-item code as the form takes it: three characters at least and no
// blank before or among them (blanks filling the last positions do not count).
bool JogcimKodMegfelel(const std::string& code);

class TTorzskezJogcimForm : public MaintenanceForm {
    Q_OBJECT
public:
    explicit TTorzskezJogcimForm(QWidget* parent = nullptr);
    ~TTorzskezJogcimForm() override { FormClose(); }

    void TableNyitZar(int n) override;
    // Empties the names beside the coded edits.
    void LabelTorol();
    // In insert mode every flag "N"; otherwise every check box unchecked.
    void DBCheckBoxBeallit();
    void DBCheckBoxClick();
    // Leaving the code edit: three characters at least, no blank among them.
    void DBEdit1Exit();
    // An emptied contribution code is the ordinary "00".
    void JarulekKodAlapertek();

    TDBEdit* JC_KOD = nullptr;
    TDBEdit* JC_NEV = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;  // Általános
    QWidget* TabSheet2 = nullptr;  // Kötelezettségek
    QWidget* TabSheet3 = nullptr;  // Adózás módja
    QWidget* TabSheet4 = nullptr;  // Riport paraméterek
    QWidget* TabSheet5 = nullptr;  // Feladás
    TDBEdit* JC_TIPUS = nullptr;
    TDBEdit* JC_SZAMKEP = nullptr;
    TDBEdit* JC_SZAZ = nullptr;
    TDBCheckBox* JC_SZJAKOT = nullptr;
    TDBCheckBox* JC_RENDSZ = nullptr;
    TDBEdit* JC_ADATLSOR = nullptr;
    TDBEdit* JC_TARTOZIK = nullptr;

protected:
    void NewRecordDefaults() override;
    void BeforePost() override;
    void EnterTag(int tag) override;
    void DeleteRecord() override;

protected:
    std::unique_ptr<QDialog> CreateListForm() override;
    bool HasListForm() const override { return true; }
};
