// "Listázás/Kifizető hely": the payment places of a range of codes.
#pragma once

#include "masterdata/TorzsLista.h"

class TList_TorzsKifhelyForm : public TorzsListaForm {
    Q_OBJECT
public:
    explicit TList_TorzsKifhelyForm(QWidget* parent = nullptr);
};
