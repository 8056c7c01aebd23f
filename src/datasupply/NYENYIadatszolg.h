// "NYENYI adatszolgáltatás": the pension insurance records of the selected
// company built for the workplace and employee ranges, reviewed and corrected
// record by record in a grid, and written as the authority's XML file.
// Nothing entered here is stored in a table.
#pragma once

#include <QString>

#include "controls/MemDataSet.h"
#include "core/ListaKeret.h"
#include "platform/db/Dataset.h"

class QPushButton;
namespace ui {
class DatasetGrid;
}

class TNYENYIadatszolgForm : public ListForm {
    Q_OBJECT
public:
    explicit TNYENYIadatszolgForm(QWidget* parent = nullptr);
    ~TNYENYIadatszolgForm() override;

    TMemoryData RX_TableNYENYIadatsz;
    db::DataSource DataSource1;
    ui::DatasetGrid* DBGrid1 = nullptr;
    // Buttons by tag: 5 Felvitel, 6 Módosít, 11 Rögzítés, 7 Törlés,
    // 1 Lekérdezés (BitBtn1), 2 Adatszolg., 9 Mégsem, 10 Kilépés (BitBtn2).
    QPushButton* BitBtn3 = nullptr;   // Adatszolg.
    QPushButton* BitBtn5 = nullptr;   // Felvitel
    QPushButton* BitBtn6 = nullptr;   // Módosít
    QPushButton* BitBtn7 = nullptr;   // Törlés
    QPushButton* BitBtn9 = nullptr;   // Mégsem
    QPushButton* BitBtn11 = nullptr;  // Rögzítés

    bool TbKifHely() const { return tbKifHely_; }

    void BitBtnClick(QPushButton* sender);
    void Felvitel();
    void Modositas();
    void Torles();
    void Megsem();
    void Postazas();
    void NyenyiRekordokFeltolt();
    void NyenyiXmlIras();
    // The folder chosen below the NYENYI folder, ending in "/"; empty when
    // cancelled or when the folder cannot be made (its error shown).
    QString NyenyiMappaValaszt();
    bool FormCloseQuery();
    void NyomtatasMehet() override;

protected:
    void BitBtn1Click() override { NyenyiRekordokFeltolt(); }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    bool FormKeyDown(int key);
    void DataSource1StateChange();
    void DataSource1UpdateData();
    void RacsCsatol();
    void FormClose();
    bool Szerkeszt() const;

    bool tbKifHely_ = false;
    bool kesz_ = false;  // a build completed: the set may be written
    bool zarva_ = false;
};
