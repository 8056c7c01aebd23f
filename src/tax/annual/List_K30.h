// "K30,32 lista": the stored K30 or K32 records of a workplace range (the
// employee's current workplace) and an employee range, one employee a page
// or more, as the form sheets of the two data supplies.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_K30QRForm;
class TList_K32QRForm;

class TList_K30Form : public ListForm {
    Q_OBJECT
public:
    explicit TList_K30Form(QWidget* parent = nullptr);
    ~TList_K30Form() override;

    QPushButton* BitBtn4 = nullptr;  // "K32"
    std::unique_ptr<TList_K30QRForm> List_K30QRForm;
    std::unique_ptr<TList_K32QRForm> List_K32QRForm;

    // "K30" (tag 30) or "K32" (tag 32): the records of the ranges in the preview.
    void BitBtnClick(QPushButton* sender);
    // Only "K30" waits for the four edits; "K32" stays enabled.
    void NyomtatasMehet() override;

protected:
    void StartButtonClick(int index) override;
};
