// "Szabadság lista": workplace by workplace, each employee's two leave frames
// beside the annual and sick-leave days taken in the year.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_SzabQRForm;

class TList_SzabForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_SzabForm(QWidget* parent = nullptr);
    ~TList_SzabForm() override;

    std::unique_ptr<TList_SzabQRForm> List_SzabQRForm;

protected:
    void BitBtn1Click() override;
};
