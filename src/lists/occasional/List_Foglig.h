// "Foglalkoztatói igazolás": the yearly certificate of the contributions
// deducted and paid, one page per employee.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_FogligQRForm;

class TList_FogligForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_FogligForm(QWidget* parent = nullptr);
    ~TList_FogligForm() override;

    std::unique_ptr<TList_FogligQRForm> List_FogligQRForm;

protected:
    void BitBtn1Click() override;
};
