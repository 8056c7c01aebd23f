// Leaving a date edit: a text that is no date is refused ("Ilyen dátum nem
// létezik!") and emptied, a date outside the years the form takes is
// questioned and kept; either way the focus goes back to the edit.
#pragma once

#include <QString>

#include "core/helpers/TypedDate.h"
#include "platform/ui/Dialogs.h"

// True when the edit may be left (empty or a date in range). Serves the
// plain and the data-bound date edits alike; a data-bound one's field is
// emptied with it, so the record holds what the edit shows.
template <class DateEdit>
bool DateEditExitCheck(DateEdit* edit, int lastYear = 2020) {
    double date = 0;
    switch (CheckTypedDate(edit->Text().toStdString(), date, lastYear)) {
        case TypedDate::NoDate:
            ui::ShowMessage(QStringLiteral("Ilyen dátum nem létezik!"));
            if constexpr (requires { edit->Field(); })
                if (auto* f = edit->Field()) f->Clear();
            edit->SetDateValue(0);
            edit->setFocus(Qt::OtherFocusReason);
            return false;
        case TypedDate::OutOfRange:
            ui::ShowMessage(QStringLiteral("Ellenőrizze le helyesen írta-e be a dátumot!"));
            edit->setFocus(Qt::OtherFocusReason);
            return false;
        default:
            return true;
    }
}
