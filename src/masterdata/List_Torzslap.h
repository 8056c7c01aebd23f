// "Listázás/Dolgozó" of the employee form's "Törzslap": a range of employee
// numbers and "ABC sorrend :"; the data sheet of every employee of the
// range, by number or by name.
#pragma once

#include <memory>

#include "core/ListaKeret.h"
#include "masterdata/List_TorzslapQR.h"

class TList_TorzslapForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_TorzslapForm(QWidget* parent = nullptr);
    ~TList_TorzslapForm() override;

    std::unique_ptr<TList_TorzslapQRForm> QRForm;

protected:
    void BitBtn1Click() override;
};
