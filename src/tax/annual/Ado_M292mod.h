// "Gyermekek": the children and dependants of the employees, month by month,
// entered in the annual editor frame. New records are appended; the month
// status and the entitlement marks are chosen from drop-downs that store
// their code.
#pragma once

#include "core/GridEditor.h"

class TAdo_M292modForm : public TGridEditor {
    Q_OBJECT
public:
    explicit TAdo_M292modForm(QWidget* parent = nullptr);
};
