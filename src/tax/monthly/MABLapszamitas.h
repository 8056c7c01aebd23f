// The pass that completes every page of the month's 1908M headers after the
// payroll rows were distributed: which headers it visits, the employee and
// the employment window of each, the sheet steps in their fixed order, the
// page employment header the steps write, and the deletion of the pages that
// stayed empty.
#pragma once

#include <functional>
#include <string>

#include "platform/db/Table.h"
#include "tax/monthly/MABLapok.h"
#include "tax/monthly/MABTablak.h"

// The run's choice: month, nature and the range of registration numbers.
struct MABFutas {
    MABHonap ho;
    std::string jelleg;
    std::string tol, ig;  // registration numbers, compared as texts
};

// The days of the month the employee was employed: the month, narrowed by
// an entry or exit date that lies inside it.
struct FoglalkoztatasiAblak {
    double kezdet = 0, veg = 0;
};
FoglalkoztatasiAblak FoglalkoztatasiAblakSzamit(double belepDat, double kilepDat, const MABHonap& ho);

// What a sheet step sees of the header it completes; the employee is the
// current row of TableDolgozo.
struct MABFejMunka {
    const MABFutas& futas;
    MABKulcs fej;
    FoglalkoztatasiAblak ablak;
    bool szhaAlap = false;  // set by the 1908-11 and 1908-12 steps
    // The 1908-09 page (counted from 0) on which the creation of 1908-08
    // pages left that sheet.
    int lap09Hely = 0;
};
using MABLepes = std::function<void(MABFejMunka&)>;

// The sheet steps in the order the pass runs them; an empty slot is skipped.
struct MABLepesek {
    MABLepes lap04;
    MABLepes csaladi;  // only when the employee claims a family or first-marriage allowance
    MABLepes lap06, lap07;
    MABLepes lap09a, lap09;
    MABLepes lap08Letrehozas, lap08;
    MABLepes lap10;
    MABLepes lap11, lap12, lap06Atdolgozas;
    MABLepes lap13;
};
// The steps the totals run uses.
const MABLepesek& MABSzamitasiLepesek();

// The idioms of the sheet steps on a page in edit state: an empty amount
// reads as 0; an amount written must fit 32 bits (std::overflow_error
// otherwise); emptying a cell sets it to null, which is not 0.
long long Osszeg(db::Dataset& lap, const std::string& cella);
void OsszegBeir(db::Dataset& lap, const std::string& cella, long long ertek);
void Urit(db::Dataset& lap, const std::string& cella);
// The name of a cell: "S" + row + column.
std::string Cella(int sor, char oszlop);
// Edits the current page of `lap`: `modosit`, then posted; an exception
// cancels the edit.
void LapModosit(db::Table& lap, const std::function<void(db::Table&)>& modosit);
// A rule that writes another sheet: edits the header's first page of `lap`
// and posts it at once; false, with nothing done, when the sheet has none.
bool ElsoLapModosit(db::Table& lap, const MABKulcs& fej, const std::function<void(db::Table&)>& modosit);
// Walks the header's pages of a sheet: each in edit state, `lepes`, posted
// (an exception cancels the page's edit and ends the walk).
void LapokSzamitasa(db::Table& lap, const MABKulcs& fej, const std::function<void(db::Table&)>& lepes);
// A value-set row of type "0": its number; a missing row ends the run.
double ErtekkeszletSzam(const std::string& kod);

// Fills the page employment header of the current page of `lap` (in edit
// state) as its sheet does: 1908-09-01, -10, -11 and -12 overwrite all six
// fields; 1908-09 takes its insured period from L09_BIZTOL/L09_BIZIG when
// set; 1908-08 fills only empty fields, its period from L08_; 1908-13 has
// the two codes and zeros. An employee without entry date gets "000000".
void AlkalmazasFejKitolt(db::Table& lap, const FoglalkoztatasiAblak& ablak);
// ALKMIN3 of the current employee: the entry date as "yymmdd", "000000" without one.
std::string BelepesKod();

// Completes the headers of the run's month, nature and range. `halad` is
// called after each row of MAB00. Raises when a header's employee is gone.
void MABLapszamitas(const MABFutas& futas, const MABLepesek& lepesek,
                    const std::function<void()>& halad = {});

// Deletes the current header's pages that stayed empty.
void UresLapokTorlese(const MABKulcs& fej);
