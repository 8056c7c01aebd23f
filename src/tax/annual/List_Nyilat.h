// "Nyilatkozat": the sheet on which each employee asks the employer to make
// the annual tax assessment (16NY29) or declares that he does not (16NY30),
// a page per employee of the ranges who has not left by the year's end and
// whose allowance code allows the assessment.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_NyilatQRForm;

class TList_NyilatForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_NyilatForm(QWidget* parent = nullptr);
    ~TList_NyilatForm() override;

    std::unique_ptr<TList_NyilatQRForm> List_NyilatQRForm;

protected:
    void BitBtn1Click() override;
};
