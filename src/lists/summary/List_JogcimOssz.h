// "Jogcím összesítő": the payroll rows of the ranges totalled by pay item,
// with the item's rows before its total on request.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_JogcimOsszQRForm;

class TList_JogcimOsszForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_JogcimOsszForm(QWidget* parent = nullptr);
    ~TList_JogcimOsszForm() override;

    std::unique_ptr<TList_JogcimOsszQRForm> List_JogcimOsszQRForm;

protected:
    void BitBtn1Click() override;
};
