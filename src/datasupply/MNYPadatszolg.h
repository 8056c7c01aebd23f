// "MNYP adatszolgáltatás": one private pension fund's month, collected into
// a member table and an employer row, corrected in two grids, written as the
// fund's item, header and control files and printed as the summary sheet.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "controls/MemDataSet.h"
#include "core/ListaKeret.h"
#include "core/helpers/RecordWriter.h"

class QLabel;
class QPushButton;
namespace db {
class Query;
}
namespace ui {
class DatasetGrid;
}

extern const RecordLayout kMnypTetel;    // a member's line, 163 characters
extern const RecordLayout kMnypFej;      // the employer's line, 778 characters
extern const RecordLayout kMnypKontrol;  // the control line before its companies, 273 characters

// "jan" .. "dec"; empty for any other number.
std::string MonthAbbrev(int month);

struct MnypFajlNevek {
    std::string alkonyvtar, fej, tetel, kontrol;
};
// The names below `base` (ending in "/") for a company, year, month and fund
// code; all empty without a company or fund code.
MnypFajlNevek ProposeMnypFileNames(const std::string& base, const std::string& cegKod, const std::string& ev,
                                   int honap, const std::string& penztarKod);
// "<base>/ADATSZLG/<year>/MNYP_<fund, four digits>/<month>/" (not created);
// empty when the fund code is not a number.
std::string MnypAlapMappa(const std::string& ev, const std::string& penztarKod, int honap);

// The rate as "02.500": three decimals, zero-filled to six.
std::string MnypSzazalek(double rate);

// What a collection needs besides the company record and the members.
struct MnypGyujtes {
    std::string ev;  // the processing year
    int honap = 0;
    std::string penztarKod;   // as typed
    bool penztarVan = false;  // the code is in the register
    std::string penztarNev, penztarSzla;
    std::string jelleg, fajta;  // the codes of the two lists
    std::string tetelFajl;      // the item file's name without its folder
    double ma = 0;              // today
};

// Field definitions of the two tables (closed).
void MnypTablak(TMemoryData& haviForg, TMemoryData& foglOssz);
// Fills both tables anew: a row per member of `tagok` (whose rows `sorok`
// gives through its :pDOLGOZO), then the employer row from `ceg`. An amount
// that does not fit its field raises FieldFormatError. `lepes` runs after
// each member.
void CollectMnypData(db::Dataset& ceg, const MnypGyujtes& p, db::Dataset& tagok, db::Query& sorok,
                     TMemoryData& haviForg, TMemoryData& foglOssz, const std::function<void()>& lepes = {});

// The lines of the files from the current row of the tables.
std::string MnypTetelSor(db::Dataset& haviForg);
std::string MnypFejSor(db::Dataset& foglOssz);
// The control line: the fixed part from the company's record and the fund,
// then the header file names of `cegek`, CR LF.
std::string MnypKontrolSor(db::Dataset& ceg, const MnypGyujtes& p, const std::vector<std::string>& fejFajlok);

class TMNYPadatszolgForm : public ListForm {
    Q_OBJECT
public:
    explicit TMNYPadatszolgForm(QWidget* parent = nullptr);
    ~TMNYPadatszolgForm() override;

    TMemoryData mdHaviForg;
    TMemoryData mdFoglOssz;
    ui::DatasetGrid* DBGrid1 = nullptr;  // the employer row
    ui::DatasetGrid* DBGrid2 = nullptr;  // the members
    QPushButton* BitBtn3 = nullptr;      // "Összesítő"
    QPushButton* BitBtn4 = nullptr;      // "Adatszolg."
    QPushButton* BitBtn5 = nullptr;      // "..."
    QLabel* Label3 = nullptr;            // the phase

    void ProposeMnypFileNames();
    // The folder the user picks below the proposed one; empty when cancelled.
    QString ChooseMnypFolder();
    void WriteMnypFiles();
    void Osszesito();

protected:
    void BitBtn1Click() override;
    void AfterExit(const ParamField& field, QWidget* control) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    QString CegKod() const;
    MnypGyujtes Gyujtes() const;
    // A month or fund other than the collected one leaves nothing to write.
    void GyujtesEllenoriz();
    void Bezar();
    bool Kesz();  // collected, for the company found

    QString valasztottAlap_;  // empty: the proposed folder
    int gyujtottHonap_ = 0;
    QString gyujtottKod_;
};
