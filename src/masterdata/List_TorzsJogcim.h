// "Listázás/Jogcím": the pay items of a range of codes.
#pragma once

#include "masterdata/TorzsLista.h"

class TList_TorzsJogcimForm : public TorzsListaForm {
    Q_OBJECT
public:
    explicit TList_TorzsJogcimForm(QWidget* parent = nullptr);
};
