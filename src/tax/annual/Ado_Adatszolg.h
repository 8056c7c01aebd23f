// "Adatszolgáltatás M29": the assessments of one nature written as the tax
// authority's form-import document: the employer sheet 16M29A, then one
// 16M29M per assessment in number order with its pages A to G, the children
// page repeated for every three children.
#pragma once

#include <QString>

#include "core/ListaKeret.h"

class TAdo_AdatszolgForm : public ListForm {
    Q_OBJECT
public:
    explicit TAdo_AdatszolgForm(QWidget* parent = nullptr);

    // Writes the file of the nature chosen (the company located).
    void M29XmlIras();
    // The year's M29 folder made and the file asked for: the path chosen, or
    // the empty text.
    QString M29MappaValaszt(const QString& proposed);

protected:
    void StartButtonClick(int index) override;
};
