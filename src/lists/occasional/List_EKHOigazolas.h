// "EKHO igazolás": one employee's yearly certificate of the income taxed by
// the simplified public-burden contribution and the contribution deducted.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_EKHOigazolasQRForm;

class TList_EKHOigazolasForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_EKHOigazolasForm(QWidget* parent = nullptr);
    ~TList_EKHOigazolasForm() override;

    std::unique_ptr<TList_EKHOigazolasQRForm> List_EKHOigazolasQRForm;

protected:
    void BitBtn1Click() override;
};
