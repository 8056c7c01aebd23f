// "Főkönyvi feladás": the payroll rows of the chosen ranges posted to the
// ledger accounts of their pay items, kept in FokFel and either previewed or
// written to the bookkeeping program's file.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/ListaKeret.h"

class TList_FokfelQRForm;

// One ledger account of a posting; an amount no row brought stays empty.
struct FokFelSor {
    std::string kod;        // FF_KOD
    std::string jcKod;      // FF_JCKOD: the item that first brought the account
    std::string munkaszam;  // FF_SFMUNKSZAM
    std::optional<double> tartozik, kovetel;
};

class TList_FokfelForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_FokfelForm(QWidget* parent = nullptr);
    ~TList_FokfelForm() override;

    std::unique_ptr<TList_FokfelQRForm> List_FokfelQRForm;
    QPushButton* BitBtn3 = nullptr;  // "Exportálás"

    // The chosen path of the export file, empty when cancelled or the folder
    // could not be made (its box shown).
    QString CelFajlValaszt(const QString& defaultName);

protected:
    void BitBtn1Click() override { BitBtn1Click(BitBtn1); }
    void StartButtonClick(int) override { BitBtn1Click(BitBtn3); }

private:
    void BitBtn1Click(QPushButton* sender);
    std::vector<FokFelSor> Konyvel();
    void Export(const std::vector<FokFelSor>& sorok);
};

// The export file's bytes: one CP1250 line per account.
std::string FokFelFajl(const std::vector<FokFelSor>& sorok);
