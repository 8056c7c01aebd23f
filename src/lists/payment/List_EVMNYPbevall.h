// The monthly fund return of self-employed members: one page per member with
// the member's, the data supplier's and the fund's data and the month's
// income and fee figures.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_EVMNYPQRbevallForm;

class TList_EVMNYPbevallForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_EVMNYPbevallForm(QWidget* parent = nullptr);
    ~TList_EVMNYPbevallForm() override;

    std::unique_ptr<TList_EVMNYPQRbevallForm> List_EVMNYPQRbevallForm;

protected:
    void BitBtn1Click() override;
};
