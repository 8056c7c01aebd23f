// "Adóstárs": the spouse or partner claiming the family allowance together
// with the employee, entered in the annual editor frame; new records are
// appended.
#pragma once

#include "core/GridEditor.h"

class TAdo_M294modForm : public TGridEditor {
    Q_OBJECT
public:
    explicit TAdo_M294modForm(QWidget* parent = nullptr);
};
