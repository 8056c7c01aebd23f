// "NYENYI <year>": the yearly pension and health insurance record sheet of
// every insured employee of the ranges.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_NYENYIQRForm;

class TList_NYENYIForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_NYENYIForm(QWidget* parent = nullptr);
    ~TList_NYENYIForm() override;

    std::unique_ptr<TList_NYENYIQRForm> List_NYENYIQRForm;

protected:
    void BitBtn1Click() override;
};
