// "EFO igazolás": the certificate of the amounts paid in simplified
// employment, one per employee, for the personal income tax return.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_EFOigazolasQRForm;

class TList_EFOigazolasForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_EFOigazolasForm(QWidget* parent = nullptr);
    ~TList_EFOigazolasForm() override;

    std::unique_ptr<TList_EFOigazolasQRForm> List_EFOigazolasQRForm;

protected:
    void BitBtn1Click() override;
};
