// "Címletjegyzék": for one payment date, how many notes and coins of each
// value each payment place needs to fill every pay envelope exactly.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_CimletjegyzQRForm;

class TList_CimletjegyzForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_CimletjegyzForm(QWidget* parent = nullptr);
    ~TList_CimletjegyzForm() override;

    std::unique_ptr<TList_CimletjegyzQRForm> List_CimletjegyzQRForm;

protected:
    void BitBtn1Click() override;
};
