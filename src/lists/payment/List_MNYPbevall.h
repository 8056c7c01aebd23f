// "Magán-nyugdíjpénztári tagdíjbevallás": for one month, the employer's
// member-fee return to each private pension fund: a summary sheet per fund
// and insert sheets with two members a page. Self-employed members are left
// to their own return.
#pragma once

#include <QString>
#include <memory>

#include "core/ListaKeret.h"

class TList_MNYPQRbevallForm;

// The start and the end of the fund relationship within the month, as
// printed ("2019.03.10"): the later of the fund membership's and the
// employment's start and the earlier of the previous membership's and the
// employment's end, of those that fall in the month; empty when neither does.
// Both on one day print that day.
struct MnypIdoszak {
    QString kezdete, vege;
};
MnypIdoszak MnypKezdeteVege(db::Dataset& dolgozo, int year, int month);

class TList_MNYPbevallForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_MNYPbevallForm(QWidget* parent = nullptr);
    ~TList_MNYPbevallForm() override;

    std::unique_ptr<TList_MNYPQRbevallForm> List_MNYPQRbevallForm;

protected:
    void BitBtn1Click() override;
};
