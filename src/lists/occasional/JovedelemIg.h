// The income certificate's work table "List_JovedelemIg" + workstation
// suffix: per employee six blocks (regular incomes by month, non-regular
// incomes item by item, absences; each for last year and this year), filled
// from this year's payroll rows and, when they can be read, last year's.
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/ListaKeret.h"

WorkTable JovedelemIgTabla();

// The rows of one run, each key added once (a repeated key is ignored, also
// against the rows written before).
class JovedelemIgSorok {
public:
    using Oszlopok = std::array<QString, 10>;  // M01 to M10
    void JovedelemIgSorFelvesz(const std::string& dolgozo, const std::string& blokk, const std::string& sor,
                               const Oszlopok& m = {});
    // Appends the rows added since the last write, in one transaction.
    void Kiir();

private:
    std::set<std::tuple<std::string, std::string, std::string>> kulcsok_;
    std::vector<db::Record> uj_;
};

struct JovedelemIgParameterek {
    QString mhTol, mhIg, dgTol, dgIg;
};

// Progress of a fill: the row count once the query is open, then a step per row.
struct Haladas {
    std::function<void(int max)> start;
    std::function<void()> step;
};

// This year's rows of the ranges (the workplace of the payroll row) into
// B02, B04 and B06, and every employee's titles, heads and closing rows.
void JovedelemIgTargyev(const JovedelemIgParameterek& p, JovedelemIgSorok& sorok, const Haladas& h = {});
// Last year's rows (its company code `elozoKod`) of the employees who have a
// certificate, joined on the tax id, into B01, B03 and B05.
void JovedelemIgElozoEvSorai(const std::string& elozoKod, JovedelemIgSorok& sorok, const Haladas& h = {});
