// The steps of the sheet pass for the social contribution tax allowances:
// the 1908-11 and 1908-12 pages, which take the base of rows 385-386 of the
// first 1908-06 page, and afterwards the rework of those rows when an
// allowance page took the base over.
#pragma once

#include "tax/monthly/MABLapszamitas.h"

void Lap11Szamitas(MABFejMunka& munka);
void Lap12Szamitas(MABFejMunka& munka);
void Lap06Atdolgozas(MABFejMunka& munka);
