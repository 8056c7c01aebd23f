// "Járulék összesítő": one month's tax, contributions and employer charges
// per employee, grouped by employment kind, with kind and grand totals.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_JarulOsszQRForm;

class TList_JarulOsszForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_JarulOsszForm(QWidget* parent = nullptr);
    ~TList_JarulOsszForm() override;

    std::unique_ptr<TList_JarulOsszQRForm> List_JarulOsszQRForm;

protected:
    void BitBtn1Click() override;
};
