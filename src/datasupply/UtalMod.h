// "Utalandó tételek karbantartása": the company's transfer definitions in the
// shared grid editor.
#pragma once

#include "core/GridEditor.h"

class TUtalModForm : public TGridEditor {
    Q_OBJECT
public:
    explicit TUtalModForm(QWidget* parent = nullptr);
};
