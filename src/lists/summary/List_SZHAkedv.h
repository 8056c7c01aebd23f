// "SZHA kedvezmény": the social contribution tax allowances of the payroll
// per month and allowance code, with the rows carrying the code and the
// code's allowance total.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_SZHAkedvQRForm;

class TList_SZHAkedvForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_SZHAkedvForm(QWidget* parent = nullptr);
    ~TList_SZHAkedvForm() override;

    std::unique_ptr<TList_SZHAkedvQRForm> List_SZHAkedvQRForm;

protected:
    void BitBtn1Click() override;
};
