// "M29 lista": the employer's copy of the assessments of one nature, a start
// button per sheet: the main form (three pages per assessment), the children
// sheet and the two declaration sheets.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_M29QRForm;
class TList_M293QRForm;
class TList_M294QRForm;
class TList_M295QRForm;

class TList_M29Form : public ListForm {
    Q_OBJECT
public:
    explicit TList_M29Form(QWidget* parent = nullptr);
    ~TList_M29Form() override;

    void NyomtatasMehet() override;

    std::unique_ptr<TList_M29QRForm> List_M29QRForm;
    std::unique_ptr<TList_M293QRForm> List_M293QRForm;
    std::unique_ptr<TList_M294QRForm> List_M294QRForm;
    std::unique_ptr<TList_M295QRForm> List_M295QRForm;

protected:
    void StartButtonClick(int index) override;

private:
    // The ranges and the nature, bound.
    void Tartomany(ListSql& sql, const std::string& dolgozoMezo);
};
