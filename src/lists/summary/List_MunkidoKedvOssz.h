// "Munkaidő kedvezmény összesítő": per employee and payment date with the
// working-time allowance item, the base and amount of the employer's pension
// contribution paid that day.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_MunkidoKedvOsszQRForm;

class TList_MunkidoKedvOsszForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_MunkidoKedvOsszForm(QWidget* parent = nullptr);
    ~TList_MunkidoKedvOsszForm() override;

    std::unique_ptr<TList_MunkidoKedvOsszQRForm> List_MunkidoKedvOsszQRForm;

protected:
    void BitBtn1Click() override;
};
