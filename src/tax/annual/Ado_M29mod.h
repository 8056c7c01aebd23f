// "M29 módosítás": the assessments corrected by hand in the annual editor
// frame. A changed record is recomputed when saved, a new one only has its
// nature and brought-income mark upper-cased; the employee (code and tax id)
// comes only from the pick list; "Adószámítás" renumbers and recomputes the
// whole table.
#pragma once

#include "core/GridEditor.h"

class TAdo_M29modForm : public TGridEditor {
    Q_OBJECT
public:
    explicit TAdo_M29modForm(QWidget* parent = nullptr);

protected:
    void PostRecord() override;
    void ExtraClick() override;
    void EmployeePicked() override;
};
