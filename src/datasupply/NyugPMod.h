// "Nyugdíjpénztárak karbantartása": the register of pension funds, shared by
// every company, in the grid editor; writable only while it is open here.
#pragma once

#include "core/GridEditor.h"

class TNyugPModForm : public TGridEditor {
    Q_OBJECT
public:
    explicit TNyugPModForm(QWidget* parent = nullptr);
};
