// "Havi adó/Havi adóbevallás": the editor of the per-employee declaration
// (1908M). The headers of one month and nature at a time, and page by page
// the sheet pages of the current header; a header is added from the
// employee's and the company's data, a sheet page from the header and the
// employee's employment, and a header goes with all its pages at once.
#pragma once

#include <string>
#include <vector>

#include "tax/monthly/MABModKeret.h"

class QComboBox;
class QLabel;
class QStatusBar;
class TDBComboBox;
class TDBEdit;
class TKivalasztSQLForm;

class TMABForm : public TMABModKeret {
    Q_OBJECT
public:
    explicit TMABForm(QWidget* parent = nullptr);
    ~TMABForm() override;

    void FormShow();
    bool TablakMuvelet(int kod) override;
    // Pages of the current header in each sheet: the counters and the status bar.
    void LapokSzama();
    // Refreshes the header table and the sheets (and puts the sheets on
    // their first page).
    void TablakFrissitese(bool elsoLap = true);
    void ComboBoxHoJellegChange();
    void PageControl1Change();
    void MAB00hoJellegFilter(db::Dataset& dataset, bool& accept);
    // The new header's fields from the employee (the TORZSSZAM edit) and the company.
    void RekordFeltoltFej();
    // The new page's keys from the header and its employment from the employee.
    void RekordFeltoltLap(db::Table& lap);

    QGroupBox* GroupBoxSzures = nullptr;  // "Szűrés"
    QComboBox* ComboBoxHo = nullptr;
    QComboBox* ComboBoxJelleg = nullptr;
    TDBEdit* DBEditTorzsszam = nullptr;
    TDBEdit* DBEditHonap = nullptr;
    TDBComboBox* DBComboBox1 = nullptr;  // JELLEG
    std::vector<QLabel*> Darabok;        // the page counters, 04 to 13
    QStatusBar* StatusBar1 = nullptr;
    QLabel* LabelLap = nullptr;  // "Lap : n"

protected:
    void showEvent(QShowEvent* event) override;
    std::vector<QString> Ertekek(db::Table* table, const std::string& field) const override;
    bool Nagybetus(db::Table* table, const std::string& field) const override;
    void Bongeszes() override;
    void Szerkesztes() override;
    bool FelvitelEngedelyezett() const override;
    void Felvitel() override;
    void Modositas() override;
    void Torles() override;
    void Postazas() override;
    void Megsem() override;
    bool RogzitesMehetVizs() const override;
    void Frissites() override;
    void BrowsePick() override;
    void InputPick(QWidget* input) override;
    void BemenetElhagyas(QWidget* input) override;
    void TableNyitZar(int n) override;

private:
    void DBEditExit();
    void DBComboBox1Exit();
    void StatuszSor();
    // Deletes the current header and every page of it in one transaction.
    void FejTorlese();

    int ho_ = 1;
    std::string jelleg_ = "E";
    bool shown_ = false;
    TKivalasztSQLForm* pick_ = nullptr;
};
