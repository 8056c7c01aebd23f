// "Munkabér átutalás - MKB": the batch transfer file (ATUTAL layout) with
// the credit date in every item; the second bank's form reuses it.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "core/helpers/RecordWriter.h"
#include "datasupply/BankiUtalas.h"

extern const RecordLayout kAtutalFej, kAtutalTetel, kAtutalZaro;

enum class AtutalBank { MKB, BPB };

// What the form gives the file besides the payees.
struct AtutalAdatok {
    std::string kezdemenyezo;  // as typed
    std::string sorszam;       // digits
    double keszult = 0;        // the day the file is made
    double terheles = 0;       // debit date
    double jovairas = 0;       // credit date; the second bank leaves it blank
};

// "<originator id>_<sequence number in four digits>.CAT" (".121" for the second bank).
std::string AtutalFajlNev(const std::string& kezdemenyezo, const std::string& sorszam, AtutalBank bank);
std::string AtutalasiFajlIras(const std::vector<UtalasTetel>& tetelek, const UtalasCeg& ceg,
                              const AtutalAdatok& adatok, AtutalBank bank);

class TBankiUtMKBForm : public TBankiUtalasForm {
    Q_OBJECT
public:
    explicit TBankiUtMKBForm(QWidget* parent = nullptr);

protected:
    TBankiUtMKBForm(AtutalBank bank, QWidget* parent);
    QString FajlNev(const UtalasCeg& ceg) override;
    std::string Fajl(const UtalasCeg& ceg, const std::vector<UtalasTetel>& tetelek) override;
    bool Kedvezmenyezett() const override { return true; }

private:
    AtutalBank bank_;
};
