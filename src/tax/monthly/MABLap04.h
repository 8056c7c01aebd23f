// The step of the sheet pass that completes the header's 1908-04 pages: the
// tax-advance bases of the income rows and their codes, the consolidated
// base, the first-marriage and family allowances set against it, and the tax
// advance.
#pragma once

#include "tax/monthly/MABLapszamitas.h"

void Lap04Szamitas(MABFejMunka& munka);
