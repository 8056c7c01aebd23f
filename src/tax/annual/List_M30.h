// "M30 lista": the income certificates of a workplace and employee range,
// two pages per employee.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_M30QRForm;

class TList_M30Form : public ListForm {
    Q_OBJECT
public:
    explicit TList_M30Form(QWidget* parent = nullptr);
    ~TList_M30Form() override;

    std::unique_ptr<TList_M30QRForm> List_M30QRForm;

protected:
    void BitBtn1Click() override;
};
