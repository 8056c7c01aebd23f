// "Munkáltatói igazolás": the documents of a leaving employee from one
// parameter form with four start buttons: the termination certificate, the
// maintenance obligations sheet, the jobseeker allowance certificate and the
// income certificate.
#pragma once

#include <memory>

#include "core/ListaKeret.h"

class TList_MunkigQR1Form;
class TList_MunkigQR2Form;
class TList_MunkigQR3Form;
class TList_JovIgQRForm;
class JovedelemIgSorok;

class TList_MunkigForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_MunkigForm(QWidget* parent = nullptr);
    ~TList_MunkigForm() override;

    QPushButton* BitBtn11 = nullptr;  // "Munkaviszony megszünése"
    QPushButton* BitBtn12 = nullptr;  // "Birósági kötelezettségek"
    QPushButton* BitBtn13 = nullptr;  // "Álláskeresési járadék"
    QPushButton* BitBtn14 = nullptr;  // "Jövedelemigazolás"

    std::unique_ptr<TList_MunkigQR1Form> List_MunkigQR1Form;
    std::unique_ptr<TList_MunkigQR2Form> List_MunkigQR2Form;
    // Alive for one run of their documents.
    std::unique_ptr<TList_MunkigQR3Form> List_MunkigQR3Form;
    std::unique_ptr<TList_JovIgQRForm> List_JovIgQRForm;

    void BitBtn11Click();
    void BitBtn12Click();
    void BitBtn13Click();
    void BitBtn14Click();

    // The jobseeker allowance certificate's work table, made anew and filled;
    // false after their own message.
    bool MunkanelkJarTablaLetrehoz();
    bool MunkanelkJarFeltolt();
    // The income certificate's work table: made anew, this year's rows, last
    // year's rows (a warning and success when they cannot be read).
    bool JovedelemIgTablaLetrehoz();
    bool JovedelemIgFeltolt();
    bool JovedelemIgElozoEv();

protected:
    void StartButtonClick(int index) override;

private:
    // Runs one document with "Kilépés" and the start buttons disabled; an
    // error reaches the application's handler and leaves them so.
    void Futtat(const std::function<void()>& run);
    // Runs a work-table document with "Kilépés" and the start buttons disabled.
    void MunkatablaFuttat(const std::function<bool()>& fill, const std::function<void()>& show);
    // Runs a fill: false after the box of `hiba` and the error's text.
    bool Feltolt(const char* hiba, const std::function<void()>& fill);
    void HaladasIndul(int max);
    void HaladasLep();

    std::unique_ptr<JovedelemIgSorok> jovedelemIgSorok_;
};
