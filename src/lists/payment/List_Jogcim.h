// "Listázás jogcímenként": the payroll rows of one pay item within ranges of
// months, payment dates, workplaces, payment places and employees.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_JogcimQRForm;

class TList_JogcimForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_JogcimForm(QWidget* parent = nullptr);
    ~TList_JogcimForm() override;

    std::unique_ptr<TList_JogcimQRForm> List_JogcimQRForm;

protected:
    void BitBtn1Click() override;
};
