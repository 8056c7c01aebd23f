// Texts every employer certificate prints the same way: the company's and
// the employee's address and the data year as a number (the data year's
// text and the undated date line are the list frame's).
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "core/ListaKeret.h"

namespace report {
class Band;
}

namespace db {
class Dataset;
}

// The trimmed text of a field of the current record.
QString MezoSzoveg(db::Dataset& dataset, const char* field);
// A field of the located company.
QString CegMezo(const char* field);
// The located company's address, its parts joined by single blanks.
QString CegCime();
// The located employee's address: town, three blanks, the street parts
// (no staircase), three blanks, the postcode last.
QString DolgozoCime();
// The data year as a number; the processing year when the row holds none.
int AdatEvSzam();

// Opens DM1->Query1 on the employees of the form's ranges (MaskEdit5/6,
// MaskEdit1/2) who have payroll rows, the workplace range testing their
// present workplace; `feltetel` adds a list's own conditions.
void DolgozokLekerdezese(const ListForm& form, const std::function<void(ListSql&)>& feltetel = {});

// The top lines of a certificate's page: the program title (with the maker
// line when asked), "Lapszám :" and the page, "Felhasználó :" and the user's
// name. Returns the height used (mm).
double ProgramFejlec(report::Band& band, bool keszito);

// The schema that names last year's tables in a statement ("Elozo.Szamfejt_001").
inline constexpr char kElozoEv[] = "Elozo";
// The selected company's code in last year's folder when its tables
// `alapnevek` + code ("Szamfejt_", ...) can be read there: the company is in
// the register, last year's alias exists, the company was opened from last
// year (CG_NYITMOD "E") and knows its code there (CG_ELOZOEVIKOD), and every
// table exists. Empty otherwise.
std::string ElozoEviKod(const std::vector<std::string>& alapnevek);
