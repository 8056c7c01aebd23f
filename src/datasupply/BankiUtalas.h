// What the wage transfer files of the banks share: the payees (one transfer
// per saved payroll row of a pay item and payment date with a positive
// amount and an account), the output folder and its save dialog, and writing
// the file whole or not at all with the run's messages.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "core/ListaKeret.h"

// One transfer: a payroll row with its employee.
struct UtalasTetel {
    std::string torzsszam;  // DG_TORZSSZAM
    double osszeg = 0;      // SF_OSSZEG
    std::string szamla;     // SF_SZAMLA, as stored on the row
    std::string nev, irsz, varos, kozter, hazsz;
    // The beneficiary of the standing item that made the row; empty: none.
    std::string kedvezmenyezett;
};

// The company of the payroll table.
struct UtalasCeg {
    std::string bankszla;  // CG_BANKSZLA
    std::string nev;       // CG_NEV
};

// The payees of a pay item and payment date, by employee id; with
// `kedvezmenyezett` the standing item's beneficiary of each row.
std::vector<UtalasTetel> UtalasTetelek(const QString& jogcim, double kifizetes, bool kedvezmenyezett);

// Takes the rows whose account holds no digit out of `tetelek` (no bank can
// carry them) and gives them back in their order.
std::vector<UtalasTetel> SzamlaNelkuliek(std::vector<UtalasTetel>& tetelek);

// The parts with their blanks removed, joined by single blanks (an empty
// part keeps its blank).
std::string NevCim(std::initializer_list<std::string> parts);

// The parameter form the three bank files share: the pay item, the payment
// date and the bank's own fields; "Küldés" writes the file.
class TBankiUtalasForm : public ListForm {
    Q_OBJECT
public:
    TBankiUtalasForm(ListDecl decl, std::string bankFolder, QWidget* parent);

    // The selected company; false after "Hiba történt...".
    bool CegKeres(UtalasCeg& ceg);
    // The save dialog in the bank's folder (made when missing); the path
    // chosen, or empty (cancelled, or the folder's error shown).
    QString ChooseOutputFile(const QString& proposed);

protected:
    void BitBtn1Click() override;
    // The file's proposed name and bytes for the payees.
    virtual QString FajlNev(const UtalasCeg& ceg) = 0;
    virtual std::string Fajl(const UtalasCeg& ceg, const std::vector<UtalasTetel>& tetelek) = 0;
    virtual bool Kedvezmenyezett() const { return false; }

private:
    std::string bankFolder_;
};

// Date defaults of the forms.
ParamDefault MaiNap(int plusDays = 0);
// The pay item (MaskEdit7) and the payment date (DateEdit3) every bank form starts with.
std::vector<ParamField> UtalasMezok();
