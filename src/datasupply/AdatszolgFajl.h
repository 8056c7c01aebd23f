// What the data-supply forms share: their refusal, the writing of a file
// and the folder button of their parameters.
#pragma once

#include <QString>
#include <functional>
#include <string>

class ListForm;
class QLabel;
class QPushButton;

// "A műveletet nem lehet végrehajtani...": no company, or nothing collected.
void MuveletNemLehet();

// Writes the file that `build` gives, whole or not at all. A failure, in
// building or writing, shows "Hiba történt a(z) <file> fájl írása során..."
// CR and the reason in a box titled `caption` and gives false.
bool AdatszolgFajlIr(const QString& caption, const std::string& path,
                     const std::function<std::string()>& build);

// The company of the open tables when the company table is open and holds
// it; empty otherwise, and then nothing may be collected or written.
QString AdatszolgCegKod();

// "Lekérdezés": refused without a company. While `collect` runs, the start
// button is off and the hourglass on; afterwards the progress bar and the
// phase label are cleared. An error drops what was collected (`discard`)
// and is shown in an "Üzenetkezelő" box; success is said. True on success.
bool Lekerdezes(ListForm& form, QLabel* phase, const std::function<void()>& collect,
                const std::function<void()>& discard);

// The folder button "..." (BitBtn5) right of the folder edit Edit1; a click
// runs `choose`.
QPushButton* MappaGomb(ListForm& form, const std::function<void()>& choose);
// Runs `changed` when the month (CurrencyEdit1, after its own handling) or
// the code edit `codeEdit` changes: the proposed file names follow them.
void HonapVagyKodValtozas(ListForm& form, const QString& codeEdit, const std::function<void()>& changed);
