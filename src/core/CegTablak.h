// The table set of a new company: the core tables copied from their templates
// (the employee history created empty from the employee template) under the
// company's code. Made whole or not at all, also across a killed program: a
// mark in the year folder names the company while it is being made, and the
// next start-up removes a company whose mark is still there.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// A table of the set could not be made; every table the call had made is
// deleted again. `table` is the file name ("DolgRegi_002.DB"); `history`
// tells the history table from a template copy.
struct CegTablaHiba : std::runtime_error {
    CegTablaHiba(const std::string& what, std::string table, bool history)
        : std::runtime_error(what), table(std::move(table)), history(history) {}
    std::string table;
    bool history;
};

// Makes the core tables of company `code` in the year's alias, in the
// catalogue's order. A table file of the code that already exists is never
// overwritten: it fails the set as a copy would.
void CegTablakLetrehozasa(const std::string& code);

// True when the year folder holds a table file of some company
// ("<name>_<three digits>.DB").
bool CegTablakVannak(const std::string& folder);

// Deletes every table file of the company that exists.
void CegTablakTorlese(const std::string& code);

// The mark of a company being made, written before its row is saved and
// removed once its tables are complete.
void CegLetrehozasJelIr(const std::string& code);
void CegLetrehozasJelTorol(const std::string& code);

// Removes the row and the tables of every company whose creation was cut
// short (its mark is still there); returns their codes. Runs before any
// table of the year folder opens.
std::vector<std::string> FelbeszakadtCegekTorlese();
