// "Évgyűrűk ÖNYP adatszolgáltatás": the employer's payments to the voluntary
// pension fund in a month, one record per employee, collected from the
// payroll rows of one pay item, corrected in a grid and written as the
// fund's comma-separated file.
#pragma once

#include <QString>
#include <string>

#include "controls/MemDataSet.h"
#include "core/ListaKeret.h"
#include "core/helpers/RecordWriter.h"

class QLabel;
class QPushButton;
namespace ui {
class DatasetGrid;
}

// A line of the file: the five fields at their own length, "," between.
extern const RecordLayout kOnypSor;

// "<folder><company code>.<last digit of the year><month in two digits>".
std::string OnypFajlNev(const std::string& folder, const std::string& cegKod, const std::string& ev,
                        int honap);
// The file's bytes: a line per record of `md` in its order, then 0x1A.
std::string OnypFajlTartalom(db::Dataset& md);

class TEvgyONYPadatszolgForm : public ListForm {
    Q_OBJECT
public:
    explicit TEvgyONYPadatszolgForm(QWidget* parent = nullptr);
    ~TEvgyONYPadatszolgForm() override;

    TMemoryData mdONYP;
    ui::DatasetGrid* DBGrid1 = nullptr;
    QPushButton* BitBtn4 = nullptr;  // "Adatszolg."
    QPushButton* BitBtn5 = nullptr;  // "..."
    QLabel* Label5 = nullptr;        // what is being done

    void OnypFajlnev();
    void OnypFajlIras();

protected:
    void BitBtn1Click() override;
    void AfterExit(const ParamField& field, QWidget* control) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    // The company of the payroll table in `Cegek`, or empty.
    QString CegKod() const;
    // A month or pay item other than the collected one leaves nothing to write.
    void GyujtesEllenoriz();
    void MappaValaszt();

    int gyujtottHonap_ = 0;
    QString gyujtottJogcim_;
};
