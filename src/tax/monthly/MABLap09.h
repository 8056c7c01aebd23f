// The steps of the sheet pass that complete the header's contribution
// sheets: 1908-09-01 (the family contribution allowance, taken off the
// pension contribution of the first 1908-09 page) and then 1908-09 (the
// contribution bases and contributions, the seniority split of code 17, the
// kept and the emptied pages).
#pragma once

#include "tax/monthly/MABLapszamitas.h"

void Lap09aSzamitas(MABFejMunka& munka);
void Lap09Szamitas(MABFejMunka& munka);
