// The wait dialog shown in front of the preview while the report's pages are
// produced: a moving bar, the count of pages so far and "Megszakít".
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

class TVarjonForm : public QDialog {
    Q_OBJECT
public:
    explicit TVarjonForm(QWidget* parent = nullptr);

    QProgressBar* ProgressBar1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;        // pages produced so far
    QPushButton* BitBtn1;  // "Megszakít"
    QTimer* Timer1;
    bool MegszakitasJelzo = false;  // set by "Megszakít"; the preview acts on it at the next page

    // Closes the dialog (the production ended or was stopped).
    void Finish();

    void Timer1Timer();
    void BitBtn1Click() { MegszakitasJelzo = true; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void reject() override {}  // Esc does not close it: only the end of production does
};

// The wait dialog of the preview window being shown (nullptr otherwise).
extern TVarjonForm* VarjonForm;
