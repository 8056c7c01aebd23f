// The frame of the monthly declaration's small forms: the month and the
// nature, for the data-supply files also the target folder under
// ADATSZLG/<year>/MAB with its "..." and the file name, the start button,
// "Kilépés" and the progress bars. A member adds its own rows and the run.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The latest month of the company's payroll rows ("" without rows).
std::string UtolsoFizetesiHonap();

struct MABKeretLeiras {
    const char* objectName;
    QString caption;
    QString start;      // the start button's caption
    bool fajl = false;  // the folder and file rows
    int haladas = 1;    // progress bars
};

class TMABKeretForm : public QDialog {
    Q_OBJECT
public:
    explicit TMABKeretForm(const MABKeretLeiras& leiras, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* MaskEdit1 = nullptr;  // month
    QLabel* Label7 = nullptr;
    QComboBox* ComboBox1 = nullptr;  // nature
    QLabel* Label8 = nullptr;
    QLineEdit* Edit1 = nullptr;      // the folder, ends in "/"
    QPushButton* BitBtn5 = nullptr;  // "..."
    QLabel* Label9 = nullptr;
    QLineEdit* Edit4 = nullptr;      // the whole file name
    QPushButton* BitBtn1 = nullptr;  // start
    QPushButton* BitBtn2 = nullptr;  // "Kilépés"
    QProgressBar* ProgressBar1 = nullptr;
    QProgressBar* ProgressBar2 = nullptr;  // with two progress bars

    // The file name from the folder and the company; empty without company.
    void FajlnevBeallit();
    // The start button: month, folder and file name filled, and the member's own.
    virtual void NyomtatasMehet();

protected:
    // The file's name in its folder for the company's code.
    virtual std::string FajlNev(const std::string& cegKod) { return {}; }
    // What the member adds to the start button's condition.
    virtual bool Indithato() { return true; }
    virtual void Inditas() = 0;
    // The months the form shows and reads back.
    virtual void HonapBetoltes();

    // The trimmed text of an edit.
    static std::string Szoveg(const QLineEdit* edit);
    std::string Jelleg() const;
    // A month edit left: its number, or "Ilyen hónap nem létezik!".
    void HonapElhagyas(QLineEdit* edit);
    // Runs a file writer (false: it said why nothing was written) under the
    // hourglass with progress bar 1 at half; a failure is shown as the write
    // error of the file, a written file as "Az adatszolgáltatás fájl elkészült.".
    void FajlIras(const std::string& fajl, const std::function<bool()>& iras);
    // Enter moves on from these edits; from the nature to the start button.
    void EnterKezeles(QWidget* w);
    QGridLayout* Racs() const { return grid_; }

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CelkonyvtarValaszt();
    QGridLayout* grid_ = nullptr;
    bool fajl_ = false;
};
