// "Utalandó tételek": the amount of every transfer item for a month range and
// a workplace range, stored in the item and listed per bank account.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_UtalTetelQRForm;

class TList_UtalTetelForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_UtalTetelForm(QWidget* parent = nullptr);
    ~TList_UtalTetelForm() override;

    std::unique_ptr<TList_UtalTetelQRForm> List_UtalTetelQRForm;

    // Clears and recomputes UT_OSSZEG of every item; returns the items whose
    // amount could not be computed ("301 / 0101"), which stay empty.
    QStringList UtalOsszegFrissit();

protected:
    void BitBtn1Click() override;

private:
    // The sum of the item's pay item over the rows of the ranges, of the
    // linked employees only when the item names a link.
    double UtalOsszeg(db::Dataset& utal);
};
