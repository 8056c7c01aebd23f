// "Havi adó/Szakképzési hozzájárulás adatszolgáltatás": the monthly
// vocational training contribution return as a form-import file: the
// company's identification and addresses, and the month's contribution and
// its base in thousands.
#pragma once

#include <string>

#include "tax/monthly/MABKeret.h"

// "<company>SZK_<mm>_<nature>.xml".
std::string SzakkepzesiFajlnev(const std::string& cegKod, const std::string& honap,
                               const std::string& jelleg);

// The month's sum of a payroll field over the rows of a pay item, in
// thousands half away from zero; "" when that is 0.
std::string SzakkepzesiOsszeg(int honap, const std::string& jogcim, const std::string& mezo);

// Writes the return of the month for the company located in the register;
// the file whole or not at all (raises).
void SzakkepzesiIras(const std::string& fajl, int honap);

class TMABadatszSzakkepzesiForm : public TMABKeretForm {
    Q_OBJECT
public:
    explicit TMABadatszSzakkepzesiForm(QWidget* parent = nullptr);
    ~TMABadatszSzakkepzesiForm() override;

protected:
    std::string FajlNev(const std::string& cegKod) override;
    void Inditas() override;
};
