// "Havi adó/Havi adóbevallás összesített adatok": the editor of the summary
// declaration (1908A). A declaration is one header of a month and nature and
// one record in each of its six sheets; the editor adds, changes, saves and
// deletes the seven records as one, and Enter leads through the pages.
#pragma once

#include <string>
#include <vector>

#include "tax/monthly/MABModKeret.h"

class TDBComboBox;
class TDBEdit;
class TKivalasztSQLForm;

class TMABOSZForm : public TMABModKeret {
    Q_OBJECT
public:
    explicit TMABOSZForm(QWidget* parent = nullptr);
    ~TMABOSZForm() override;

    // Codes 0 to 3 act on the header and the six sheets, the others on the
    // header; a post saves the seven in one transaction.
    bool TablakMuvelet(int kod) override;
    // The company's data of a new header.
    void RekordFeltolt();
    // The header and the sheets of the current header, refreshed.
    void TablakFrissitese();

    TDBEdit* DBEditHonap = nullptr;
    TDBComboBox* DBComboBox1 = nullptr;  // JELLEG

protected:
    std::vector<QString> Ertekek(db::Table* table, const std::string& field) const override;
    bool Nagybetus(db::Table* table, const std::string& field) const override;
    void Bongeszes() override;
    void Felvitel() override;
    void Modositas() override;
    void Torles() override;
    void Postazas() override;
    void Megsem() override;
    bool RogzitesMehetVizs() const override;
    void Frissites() override;
    void BrowsePick() override;
    void LapVege(int lap) override;
    void BemenetElhagyas(QWidget* input) override;
    void TableNyitZar(int n) override;

private:
    // Posts the seven records in one transaction; a refusal puts the typed
    // records back (the rollback re-read the tables) and is rethrown.
    void Rogzites();

    TKivalasztSQLForm* pick_ = nullptr;
};
