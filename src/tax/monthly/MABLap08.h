// The steps of the sheet pass for the insured relationship sheet 1908-08:
// first the pages it lacks (one for a taxed employee without any, then one
// for each 1908-09 page beyond its own), then every page: occupation, weekly
// hours, exit date, service time and the not-insured mark.
#pragma once

#include "tax/monthly/MABLapszamitas.h"

void Lap08Letrehozas(MABFejMunka& munka);
void Lap08Szamitas(MABFejMunka& munka);
