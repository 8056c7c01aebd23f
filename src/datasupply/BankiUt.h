// "Banki utalás - OTP": the wage transfer file of 178-character records.
#pragma once

#include <string>
#include <vector>

#include "core/helpers/RecordWriter.h"
#include "datasupply/BankiUtalas.h"

extern const RecordLayout kOtpFej, kOtpTetel, kOtpZaro;

// "M" + the seven digits after the account's first group + "." + the day of
// `datum` in two digits + "1".
std::string OtpFajlNev(const std::string& cegBankszla, double datum);
// The header, an item per transfer, the trailer with the count and the sum.
std::string WriteOtpTransferFile(const std::vector<UtalasTetel>& tetelek, const UtalasCeg& ceg, double datum,
                                 double utalasDatum);

class TBankiUtForm : public TBankiUtalasForm {
    Q_OBJECT
public:
    explicit TBankiUtForm(QWidget* parent = nullptr);

protected:
    QString FajlNev(const UtalasCeg& ceg) override;
    std::string Fajl(const UtalasCeg& ceg, const std::vector<UtalasTetel>& tetelek) override;
};
