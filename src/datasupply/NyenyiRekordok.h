// The pension insurance records of one company and year: the record set the
// data supply form shows and corrects (one row per numbered record), built
// from the payroll rows and the master data of the data module's tables,
// with the insurance periods and contribution sums of record 09.
#pragma once

#include <functional>
#include <string>

class TMemoryData;

// The ranges of the build, as typed (trimmed by the build).
struct NyenyiTartomany {
    std::string munkahelyTol, munkahelyIg;  // workplace codes
    std::string dolgozoTol, dolgozoIg;      // employee numbers
};

// What the build reports while it walks the payroll rows.
struct NyenyiFolyamat {
    std::function<void(int)> kezd;  // the number of payroll rows
    std::function<void()> lepes;    // after each row
};

// Closes the set and gives it the record fields with their column titles.
void NyenyiMezok(TMemoryData& rekordok);

// Builds the records anew into `rekordok` from DM1's payroll, employee,
// pay-item, company and value-set tables (all open). Returns TbKifHely: some
// payroll row of the company carries pay item 200, 205 or 210. The set ends
// sorted by "Torzsszam; Rekordjel" on its first row. A fund member without
// an entry date gets a plain message and the build goes on. An error (a
// missing minimum wage) leaves what was built so far in the set and
// reaches the caller.
bool NyenyiRekordokFeltolt(TMemoryData& rekordok, const NyenyiTartomany& tartomany,
                           const NyenyiFolyamat& folyamat = {});

// The service days of a record 09 capped in proportion to its pension-liable
// income: min(Kerekit(jov / (p / 30 * szolgIdo) * napok), szolgIdo), never
// below 0. `p` is the monthly minimum wage, `napok` the period's calendar days.
int NyenyiAranyosNapok(double p, long long jov, int szolgIdo, int napok);

// The monthly minimum wage (value set "0"/"32"); throws std::runtime_error
// when the row is missing or 0.
double NyenyiMinimalber();
