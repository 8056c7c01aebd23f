// Refreshing the placement columns of the company's pay items from the
// year's pay-item table "JC" + processing year, beside the payroll table.
// The data sheet, the income certificate totals and the monthly declaration
// each place pay items in their own cells; they call this one routine with
// their columns and texts:
//
//   JogcimHelyMasolas how;
//   how.columns = {"JC_ADOELKTG", "JC_ADOELSOR", "JC_ADOELOSZ"};
//   how.missingText = " adatállomány nem elérhető! A feltöltés nem történt meg!";
//   how.button = BitBtn3;  // disabled and captioned "Várjon" while it runs
//   JogcimHelyekMasolasa(how);
//
// A year's row whose code the company has gets the columns as they are (an
// empty value empties the company's). With `cellCheck`, a row it refuses is
// left as it was and named by `refusedText` after the copy. With
// `replaceBroughtForward` the company's codes from "800" are deleted and the
// year's ones from "800" appended whole (copied by field name). Everything
// is written in one transaction: on any failure `Jogcim` stays as it was.
// `Jogcim` is writable only while the routine runs and is left open or
// closed, read-only or not, as it was found.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "platform/db/Dataset.h"

class QAbstractButton;

struct JogcimHelyMasolas {
    std::vector<std::string> columns;  // copied from the year's row
    // Tells whether the year's row (current record of the dataset) may be
    // copied; none: every row may.
    std::function<bool(db::Dataset& yearRow)> cellCheck;
    // The warning of a refused row (caption `caption`, warning icon).
    std::function<QString(db::Dataset& yearRow)> refusedText;
    bool replaceBroughtForward = false;
    // After "HIBA! A \"JC2019\"" when the year's table is missing.
    QString missingText = " adatállomány nem elérhető! A jogcímek aktualizálása nem történt meg!";
    QString doneText = "A jogcímek aktualizálása megtörtént";
    QString caption = "Üzenet";
    QAbstractButton* button = nullptr;  // the button that started it, if any
};

// True when the copy was committed (the completion message was shown).
bool JogcimHelyekMasolasa(const JogcimHelyMasolas& how);
