// The payroll row repair: January rows of the contribution allowances of an
// employee who was not entitled to them (not employed the whole month, or
// absent on a benefit) are recoded to "999X" and listed.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QListWidget;
class QProgressBar;
class QPushButton;
namespace db {
class Dataset;
class Query;
class Table;
}  // namespace db

// Entitled to the allowance of the month: employed every day of it (entry
// and exit dates inside the month count) and no absence row of the month in
// the payroll rows. Moves `szamfejt`.
bool KedvezmenyJogos(db::Dataset& szamfejt, const std::string& torzsszam, int ev, int ho, double belepDat,
                     double kilepDat);

struct KedvezmenyJavitasKellekek {
    db::Table& szamfejt;  // open for writing
    db::Table& dolgozo;
    db::Query& query;
    int ev = 0;
    std::function<void(const std::string& line)> sor;  // each recoded row's list line
    std::function<void(int done, int total)> halad;    // after each employee
};

// Recodes every January allowance row of every employee not entitled to it.
void KedvezmenyJavitas(const KedvezmenyJavitasKellekek& k);

class TSzervizJavForm : public QDialog {
    Q_OBJECT
public:
    explicit TSzervizJavForm(QWidget* parent = nullptr);
    ~TSzervizJavForm() override;

    void FormShow();
    void NyomtatasMehet();
    void BitBtn1Click();
    void BitBtn2Click();

    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QListWidget* ListBox1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormClose();

    // The first and last workplace and employee of the payroll rows: they
    // only decide whether the repair may start.
    std::string mhTol_, mhIg_, dgTol_, dgIg_;
    bool closed_ = false;
};
