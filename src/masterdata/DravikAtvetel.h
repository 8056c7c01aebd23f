// Taking a company over from the other program's dBASE files: its company
// list, the company row from its parameters, the tables the conversion table
// names and the employees brought to this year's rules.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace db {
class Dataset;
class Table;
}  // namespace db

// Every blank of a company number as "0" ("   12" -> "00012").
std::string SzokozNulla(const std::string& text);
// The company number at the head of a list item ("00012   Név" -> 12); 0 when none.
int CegSorszam(const std::string& item);

// The default folder: ~/Dravik/<last year>/.
std::string DravikAlapKonyvtar();
// The company's subfolder: the number without leading zeros.
std::string DravikCegKonyvtar(const std::string& folder, int number);
// The path of a dBASE table in a folder, its name in any case ("cegek" ->
// ".../CEGEK.DBF" when that is how it is stored).
std::string DbfUtvonal(const std::string& folder, const std::string& table);

// The items of the company list: number with zeros, three blanks, the name.
// Throws when the folder holds no readable cegek.dbf.
std::vector<std::string> DravikCegLista(const std::string& folder);

// Fills the new company row (being inserted) from the company's row of
// cegek.dbf and its kparam.dbf.
void DravikCegRekord(const db::Dataset& ceg, const db::Dataset& kparam, db::Dataset& cegek, double today);

// The allowance code of a copied employee row from the source row's
// SZHAKTIP, SZHAKVEGE and SZHAKVALT.
void DravikSzhakAtalakit(const db::Dataset& source, db::Dataset& target, int year);

// Deletes the employees who left before the year and brings the others to
// this year's rules, each row saved at once.
void DravikDolgozoUtofeldolgozas(db::Table& dolgozo, int year, double today);

// Rows of a target table the table refused (duplicate key, missing required field).
struct ElutasitottSorok {
    std::string table;
    int count = 0;
};

// True when no row of the conversion table names a source table to copy.
bool DravikKonvUres(db::Dataset& konDV);

// Copies every source table the conversion table names from the company's
// folder into the company's tables of the year's alias. `progress` hears
// (row count) at each table's start and (-1) after each row. Each table is
// copied and post-processed in one transaction: a failure leaves none of its
// rows (the tables before it stay) and throws with the engine's text followed
// by "\rA hiba helye: " and the source table, record and field.
std::vector<ElutasitottSorok> DravikTablakMasol(db::Dataset& konDV, const std::string& companyFolder,
                                                const std::string& code, int year, double today,
                                                const std::function<void(int)>& progress = {});
