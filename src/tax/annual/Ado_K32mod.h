// "K32 módosítás": the K32 records corrected, completed and entered by hand
// in the annual editor frame; a saved record must name an existing employee,
// and no cell is derived on saving.
#pragma once

#include "core/GridEditor.h"

class TAdo_K32modForm : public TGridEditor {
    Q_OBJECT
public:
    explicit TAdo_K32modForm(QWidget* parent = nullptr);

protected:
    void PostRecord() override;
};
