#include "datasupply/BankiUtBPB.h"

TBankiUtBPBForm::TBankiUtBPBForm(QWidget* parent) : TBankiUtMKBForm(AtutalBank::BPB, parent) {}
