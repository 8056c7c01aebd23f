// The steps of the sheet pass that complete the header's 1908-10 pages
// (simplified public charge) and 1908-13 pages (simplified employment).
#pragma once

#include "tax/monthly/MABLapszamitas.h"

void Lap10Szamitas(MABFejMunka& munka);
void Lap13Szamitas(MABFejMunka& munka);
