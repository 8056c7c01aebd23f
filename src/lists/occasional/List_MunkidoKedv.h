// "Munkaidő kedvezmény": the certificate for a former employee of the days
// of working-time allowance (pay item "108") granted in the year.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_MunkidoKedvQRForm;

class TList_MunkidoKedvForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_MunkidoKedvForm(QWidget* parent = nullptr);
    ~TList_MunkidoKedvForm() override;

    std::unique_ptr<TList_MunkidoKedvQRForm> List_MunkidoKedvQRForm;

protected:
    void BitBtn1Click() override;
};
