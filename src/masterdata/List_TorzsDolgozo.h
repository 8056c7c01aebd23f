// "Listázás/Dolgozó": the employees of a range of numbers, two lines each.
#pragma once

#include "masterdata/TorzsLista.h"

class TList_TorzsDolgozoForm : public TorzsListaForm {
    Q_OBJECT
public:
    explicit TList_TorzsDolgozoForm(QWidget* parent = nullptr);
};
