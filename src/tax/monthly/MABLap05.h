// The step of the sheet pass that declares the employee's spouse and
// dependants: the spouse of the first-marriage allowance on 1908-04, the
// co-claimant of the family allowance and the dependants on 1908-05.
#pragma once

#include "tax/monthly/MABLapszamitas.h"

void Lap05Szamitas(MABFejMunka& munka);
