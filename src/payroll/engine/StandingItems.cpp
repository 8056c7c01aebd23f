#include "payroll/engine/StandingItems.h"

#include "core/helpers/RecordFilters.h"
#include "payroll/engine/ItemAmounts.h"

namespace payroll {

void AddStandingItems(PayrollRun& run, int pass, const std::string& startCode) {
    const RunContext& ctx = run.Context();
    for (const FieldValues& s : ctx.standingItems) {
        const std::string code = s.Text("RJ_JCKOD");
        const bool inPass = pass == 0   ? PayableCode(code)
                            : pass == 1 ? OtherPaymentCode(code)
                                        : DeductionCode(code);
        if (!inPass || (pass == 0 && !startCode.empty() && !(code > startCode))) continue;
        const FieldValues* item = ctx.PayItem(code);
        if (!item) {
            ctx.Message(MessageKind::Info, "Nem létezik a jogcím!");
            continue;
        }
        const long long number = s.Value("RJ_SORSZAM").ToInt();
        const ItemBases bases = SumItemsAndBases(run, *item, code, number);
        const int at = run.rows.FindStandingItemRow(code, number);
        SzamfejtRow row;
        if (at >= 0) {
            // The row's own percentage and amount are the formula's inputs, so
            // what the user changed on it in this run stays in force.
            row = run.rows[at];
            SetResultRowHeader(run, row);
        } else {
            row = NewResultRow(run);
            const db::Variant szaz = s.Value("RJ_SZAZ");
            const db::Variant osszeg = s.Value("RJ_OSSZEG");
            row.SF_SZAZALEK = szaz.IsBlank() ? std::nullopt : std::optional<double>(szaz.ToDouble());
            row.SF_OSSZEG = osszeg.IsBlank() ? std::nullopt : std::optional<double>(osszeg.ToDouble());
        }
        row.SF_RJSORSZAM = number;
        row.SF_JCKOD = code;
        row.SF_JCTIPUS = item->Text("JC_TIPUS");
        row.SF_JCNEV = item->Text("JC_NEV");
        row.SF_OSSZEG = ItemAmountByFormula(run, row, *item, bases);
        row.SF_SZAMLA = s.Text("RJ_KEDVSZAMLASZ");
        SetRowBases(run, row, *item, pass);
        run.rows.Post(at, std::move(row));
    }
}

void SetRowBases(const PayrollRun& run, SzamfejtRow& row, const FieldValues& item, int pass) {
    if (item.Text("JC_SZJAKOT") == "I" || pass == 0) {
        row.SF_ADOALAP = row.SF_OSSZEG;
        row.SF_JARALAP = row.SF_OSSZEG;
    }
    if (item.Text("JC_SZHALEV") == "I") row.SF_SZHASZAZLEV = SzhaSzazalek(run.Context().month);
    const double szaz = item.Num("JC_SZAZ");
    if (item.Text("JC_SZAMKEP") == "08" && szaz < 100) {
        // A typed amount liable with only a part of it.
        row.SF_SZAZALEK = 0;
        row.SF_ADOALAP = static_cast<double>(Percent(szaz, row.SF_ADOALAP.value_or(0)).Round());
        row.SF_JARALAP = static_cast<double>(Percent(szaz, row.SF_JARALAP.value_or(0)).Round());
    }
}

}  // namespace payroll
