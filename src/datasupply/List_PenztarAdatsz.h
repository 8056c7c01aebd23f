// "Adatszolgáltatás a pénztártagok pénztárválasztásáról": a page per employee
// of the ranges who is a private pension fund member, from a work table.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/ListaKeret.h"

class TList_PenztarAdatszQRForm;

// "List_PenztarVal" + the workstation's suffix: 31 text fields, key DOLGOZO_KOD.
WorkTable PenztarValTabla(std::optional<std::string> suffix = std::nullopt);

class TList_PenztarAdatszForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_PenztarAdatszForm(QWidget* parent = nullptr);
    ~TList_PenztarAdatszForm() override;

    std::unique_ptr<TList_PenztarAdatszQRForm> List_PenztarAdatszQRForm;

    bool TablaLetrehoz();

protected:
    void BitBtn1Click() override;
};
