// "Listázás/Munkahely": the workplaces of a range of codes.
#pragma once

#include "masterdata/TorzsLista.h"

class TList_TorzsMhelyForm : public TorzsListaForm {
    Q_OBJECT
public:
    explicit TList_TorzsMhelyForm(QWidget* parent = nullptr);
};
