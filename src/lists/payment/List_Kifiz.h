// "Kifizetési lista": for one payment date, the payable of every employee of
// each payment place with a line for the signature of receipt.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_KifizQRForm;

// The parameters the payment list and the cash denomination list share: the
// payment date and the payment-place range.
ListDecl KifizetesiParameterek(const char* objectName, const QString& caption);
// Opens Query1 on the payment places of the form's range that have payroll
// rows on its payment date (parameter "datum"), in code order; `columns`
// are the selected ones.
void KifizetesiHelyekNyitas(const ListForm& form, const std::string& columns);

class TList_KifizForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_KifizForm(QWidget* parent = nullptr);
    ~TList_KifizForm() override;

    std::unique_ptr<TList_KifizQRForm> List_KifizQRForm;

protected:
    void BitBtn1Click() override;
};
