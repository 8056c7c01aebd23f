#include "core/JogcimHelyek.h"

#include <QAbstractButton>

#include "core/DataModule1.h"
#include "core/ReferenceData.h"
#include "platform/db/Table.h"
#include "platform/db/Transaction.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"
#include "platform/ui/WaitingButton.h"

namespace {

bool BroughtForward(const std::string& code) { return code >= "800"; }

// Appends the year's row whole: fields of the same name, the same layout.
void AppendWhole(db::Dataset& yearRow, db::Table& jogcim) {
    jogcim.Append();
    for (int i = 0; i < yearRow.FieldCount(); ++i) {
        const db::Field& from = yearRow.Fields(i);
        db::Field* to = jogcim.FindField(from.FieldName());
        if (to && to->Kind() == db::FieldKind::Data) to->SetValue(from.Value());
    }
    jogcim.Post();
}

// Makes the pay items writable for the copy and puts them back as found.
class WritableJogcim {
public:
    explicit WritableJogcim(db::Table& t) : t_(t), wasActive_(t.Active()), wasReadOnly_(t.ReadOnly) {
        t_.Close();
        t_.ReadOnly = false;
        t_.Open();
    }
    ~WritableJogcim() {
        try {
            if (t_.State() == db::DatasetState::Edit || t_.State() == db::DatasetState::Insert) t_.Cancel();
            t_.Close();
            t_.ReadOnly = wasReadOnly_;
            if (wasActive_) t_.Open();
        } catch (...) {
            db::HandleApplicationException(std::current_exception());
        }
    }
    WritableJogcim(const WritableJogcim&) = delete;
    WritableJogcim& operator=(const WritableJogcim&) = delete;

private:
    db::Table& t_;
    bool wasActive_, wasReadOnly_;
};

}  // namespace

bool JogcimHelyekMasolasa(const JogcimHelyMasolas& how) {
    ui::WaitingButton waiting(how.button);
    db::Table year;
    year.DatabaseName = DM1->TableSzamfejt->DatabaseName;
    year.TableName = YearPayItemTable();
    year.ReadOnly = true;
    if (!year.Exists()) {
        ui::MessageBox(how.caption, "HIBA! A \"" + Q(year.TableName) + "\"" + how.missingText,
                       ui::Icon::Error, ui::Ok);
        return false;
    }

    std::vector<QString> refused;
    try {
        db::Table& jogcim = *DM1->TableJogcim;
        WritableJogcim writable(jogcim);
        db::Transaction tx{&jogcim};
        if (how.replaceBroughtForward) {
            jogcim.First();
            while (!jogcim.Eof()) {
                if (BroughtForward(jogcim.FieldByName("JC_KOD").AsString()))
                    jogcim.Delete();
                else
                    jogcim.Next();
            }
        }
        year.Open();
        for (year.First(); !year.Eof(); year.Next()) {
            const std::string code = year.FieldByName("JC_KOD").AsString();
            if (how.replaceBroughtForward && BroughtForward(code)) {
                AppendWhole(year, jogcim);
                continue;
            }
            if (!jogcim.Locate("JC_KOD", code)) continue;
            if (how.cellCheck && !how.cellCheck(year)) {
                if (how.refusedText) refused.push_back(how.refusedText(year));
                continue;
            }
            jogcim.Edit();
            for (const std::string& column : how.columns)
                jogcim.FieldByName(column).SetValue(year.FieldByName(column).Value());
            jogcim.Post();
        }
        year.Close();
        tx.Commit();
    } catch (const db::AbortError&) {
        return false;  // the post-error handler has shown its message
    } catch (const std::exception& e) {
        ui::MessageBox(how.caption, "HIBA történt! \r" + QString::fromUtf8(e.what()), ui::Icon::Error,
                       ui::Ok);
        return false;
    }
    for (const QString& text : refused) ui::MessageBox(how.caption, text, ui::Icon::Warning, ui::Ok);
    ui::MessageBox(how.caption, how.doneText, ui::Icon::Information, ui::Ok);
    return true;
}
