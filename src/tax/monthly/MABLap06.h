// The steps of the sheet pass that complete the header's 1908-06 and
// 1908-07 pages (separately taxed income and other tax items, 15 % of their
// bases) and take their withheld tax off the tax advance of 1908-04.
#pragma once

#include "tax/monthly/MABLapszamitas.h"

void Lap06Szamitas(MABFejMunka& munka);
void Lap07Szamitas(MABFejMunka& munka);
