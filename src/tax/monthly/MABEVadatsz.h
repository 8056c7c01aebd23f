// "Havi adó/EV havi adóbevallás adatszolgáltatás": the sole trader's own
// return of one or more months as a form-import file, straight from the
// owner's payroll rows: the owner's data, the contribution bases and amounts,
// and the periods without contribution.
#pragma once

#include <string>
#include <vector>

#include "tax/monthly/MABKeret.h"

class QListWidget;

struct EVKellekek {
    int m1 = 0, m2 = 0;     // first and last month
    bool egyHonap = false;  // both month fields hold the same text
    std::string torzsszam;  // the owner
    std::string fajl;
};

// "<company>EV_<m1>_<m2>_<nature>.xml", months in two digits.
std::string EVFajlNev(const std::string& cegKod, const std::string& m1, const std::string& m2,
                      const std::string& jelleg);

// The owner's sum of a payroll field of a pay item over the months.
double EvJogcimOsszeg(const EVKellekek& k, const std::string& jogcim, const std::string& mezo);

// Writes the return for the company located in the register and the owner
// located among the employees; the file whole or not at all (raises, also
// without the value-set row of the minimum wage). Returns a line for each
// period without contribution that does not fit the form's fourteen rows.
std::vector<std::string> EVAdatszolgaltatasIras(const EVKellekek& k);

class TMABEVadatszForm : public TMABKeretForm {
    Q_OBJECT
public:
    explicit TMABEVadatszForm(QWidget* parent = nullptr);
    ~TMABEVadatszForm() override;

    QLabel* Label2 = nullptr;  // "-tól"
    QLineEdit* MaskEdit2 = nullptr;
    QLabel* Label3 = nullptr;  // "-ig"
    QLabel* Label4 = nullptr;
    QLineEdit* MaskEdit3 = nullptr;  // the owner
    QLabel* Label5 = nullptr;        // the owner's name
    QLabel* Label10 = nullptr;
    QLineEdit* Edit5 = nullptr;  // CG_EVADOAZ
    QLabel* Label11 = nullptr;
    QLineEdit* Edit6 = nullptr;  // CG_ALKMINADATSZ
    QLabel* Label12 = nullptr;
    QLineEdit* Edit7 = nullptr;  // CG_TEAOR
    QLabel* Label13 = nullptr;
    QLineEdit* Edit8 = nullptr;  // CG_FOTEV
    QListWidget* ListBox1 = nullptr;

protected:
    std::string FajlNev(const std::string& cegKod) override;
    bool Indithato() override;
    void HonapBetoltes() override;
    void Inditas() override;
};
