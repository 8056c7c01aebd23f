// The reference data the program ships for its processing year: the pay-item
// catalogue, the value sets with the yearly parameters, the paid holidays and
// moved working days of the calendar, and the occupation codes. The year
// folder's templates and global tables are filled from here; a company gets
// the rows by copying the templates.
#pragma once

#include <string>
#include <vector>

#include "core/StandardData.h"

// The pay items of the catalogue template, in code order (key JC_KOD).
const std::vector<SeedRow>& ShippedPayItems();

// The year's pay-item table "JC" + processing year and its rows: the
// catalogue rows whose placements it may copy over a company's. A refresh
// copies empty placements too, so it holds only rows whose every placement
// is shipped, and the brought-forward codes from "800".
std::string YearPayItemTable();
const std::vector<SeedRow>& ShippedYearPayItems();

// Value-set rows (key EK_TIPUS;EK_ERTEK): the types of the coded fields with
// their codes, and the yearly parameters of type "0". The user-name row and
// the data year come with a new template only.
const std::vector<SeedRow>& ShippedValueSets();

// Occupation codes (key FE_KOD), names cut to the width of FE_NEV.
const std::vector<SeedRow>& ShippedOccupations();

// The calendar days of the processing year whose work-schedule value differs
// from their weekday's: paid holidays ("2"), rest days moved onto a working
// day ("0") and the Saturdays worked for them ("1").
const std::vector<CalendarDay>& ShippedCalendarDays();
