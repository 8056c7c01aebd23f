// "Szabadság keret felhasználás": every employee of the ranges with the two
// leave frames, each leave row of the year and the days used of each frame.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_SzabKerFelhQRForm;

class TList_SzabKerFelhForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_SzabKerFelhForm(QWidget* parent = nullptr);
    ~TList_SzabKerFelhForm() override;

    std::unique_ptr<TList_SzabKerFelhQRForm> List_SzabKerFelhQRForm;

protected:
    void BitBtn1Click() override;
};
