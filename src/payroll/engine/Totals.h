// The totals rows every run ends with (category totals, the net amount with
// its cash rounding and the amount payable, the amount not paid out) and the
// figures of the payroll form's totals panel. Rows are grouped by their pay
// item's category; a row whose pay item is missing belongs to no group.
#pragma once

#include "payroll/engine/ResultRows.h"

namespace payroll {

// Rows 752 to 757: contributions, taxes, membership fees, net earnings,
// employer charges less the 328 rows, deductions.
void AddCategoryTotalRows(PayrollRun& run);
// Rows 748 (net), 749 (rounding to a multiple of 5 forints) and 750 (payable).
void AddTotalRows748To750(PayrollRun& run);
// Row 751: earnings not paid out.
void AddTotalRow751(PayrollRun& run);

// The nine figures of the totals panel, whole forints.
struct RunTotals {
    long long Jovedelem = 0;        // "Jövedelem :" category "1"
    long long EgyebJuttatas = 0;    // "Egyéb juttat. :" categories "2", "N"
    long long Levonasok = 0;        // "Levonások :" row 757
    long long Tagdijak = 0;         // "Tagdíjak :" row 754
    long long Jarulekok = 0;        // "Járulékok :" row 752
    long long Adok = 0;             // "Adók :" row 753
    long long VallalatiTerhek = 0;  // "Vállalati terhek :" row 756
    long long NemKifizetendo = 0;   // "Nem kifizetendő :" row 751
    long long Kifizetendo = 0;      // "Kifizetendő :" row 750
};
RunTotals ShowRunTotals(const PayrollRun& run);

}  // namespace payroll
