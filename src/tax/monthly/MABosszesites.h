// "Havi adó/Havi adóbevallás összesítés": month, employee range and nature of
// the 1908M totals run, its progress and its message list, and the refresh of
// the pay items' declaration cells.
#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

class TMABosszesitesForm : public QDialog {
    Q_OBJECT
public:
    explicit TMABosszesitesForm(QWidget* parent = nullptr);
    ~TMABosszesitesForm() override;

    void FormShow();
    void Frissit();
    void NyomtatasMehet();
    void JogcimekAktualizalasa();
    void OsszesitesClick();

    QLabel* Label1 = nullptr;
    QLineEdit* MaskEdit1 = nullptr;  // month
    QLabel* Label2 = nullptr;
    QLineEdit* MaskEdit2 = nullptr;  // first employee
    QLabel* Label3 = nullptr;        // name of the first employee
    QLabel* Label4 = nullptr;        // "-tól"
    QLineEdit* MaskEdit3 = nullptr;  // last employee
    QLabel* Label5 = nullptr;        // name of the last employee
    QLabel* Label6 = nullptr;        // "-ig"
    QLabel* Label7 = nullptr;
    QComboBox* ComboBox1 = nullptr;  // nature
    QPushButton* BitBtn1 = nullptr;  // "Jogcímek aktualizálása"
    QPushButton* BitBtn2 = nullptr;  // "Összesítés"
    QPushButton* BitBtn3 = nullptr;  // "Kilépés"
    QProgressBar* ProgressBar1 = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
    QListWidget* ListBox1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MezoElhagyas(QLineEdit* edit);
    void Valaszt(QLineEdit* edit);
    void FormClose();
    bool closed_ = false;
};
