// "Munkabér utalás - BPB": the ATUTAL file without a credit date, ".121".
#pragma once

#include "datasupply/BankiUtMKB.h"

class TBankiUtBPBForm : public TBankiUtMKBForm {
    Q_OBJECT
public:
    explicit TBankiUtBPBForm(QWidget* parent = nullptr);
};
