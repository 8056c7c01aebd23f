// "Kifizetési lista levonásokkal": per employee and payment date the wage,
// the earnings, the income tax, the employee's contributions and the net
// amount, with employee totals and grand totals.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_KifizJarulQRForm;

class TList_KifizJarulForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_KifizJarulForm(QWidget* parent = nullptr);
    ~TList_KifizJarulForm() override;

    std::unique_ptr<TList_KifizJarulQRForm> List_KifizJarulQRForm;

protected:
    void BitBtn1Click() override;
};
