// The 1908M totals run: rebuilds a month's declarations of one nature for a
// range of employees from the payroll rows, in one transaction over MAB00
// and the eleven sheet tables, so a failed run leaves them all as they were.
#pragma once

#include <functional>
#include <string>

#include "tax/monthly/MABLapszamitas.h"

struct MABOsszesitKellekek {
    int honap = 0;        // 1..12
    std::string tol, ig;  // first and last registration number
    std::string jelleg;
    // A line of the form's message list.
    std::function<void(const std::string&)> uzenet;
    // Progress bar 1 or 2 set to `pos` (and its maximum to `max` when >= 0).
    std::function<void(int bar, int pos, int max)> halad;
};

// The run's month as the routines read it: its number, first and last day.
MABHonap MABHonapja(int honap);

// Opens the tables of the run as the form keeps them: the declaration tables
// writable and in header-key order, the others read-only.
void MABTablakNyitasa();
void MABTablakZarasa();

// Runs the totals; raises on any failure after putting every table back.
void MABOsszesit(const MABOsszesitKellekek& k);
