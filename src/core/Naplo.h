// The program log and the parameters box: what support staff ask a user for.
// The log is a CP1250 text file with CR LF line ends beside the year's data,
// named after the program file; each entry is a snapshot of the program's
// state (company, windows, every open table of the data module with its
// position, filter and current record). The parameters box tells where the
// year's and the previous year's aliases point.
#pragma once

#include <string>
#include <vector>

namespace db {
class Dataset;
class Table;
}  // namespace db

struct NaploAblak {
    std::string name;
    bool active = false;
};

// "dsBrowse; " and the other state texts of a dataset.
std::string AllapotSzoveg(const db::Dataset& dataset);

// The lines of one entry, without line ends: `when` and `text`, the company,
// the windows, then each open table with its fields, and the closing empty line.
std::vector<std::string> NaploBejegyzes(const std::string& when, const std::string& text,
                                        const std::string& companyCode,
                                        const std::vector<NaploAblak>& windows,
                                        const std::vector<db::Table*>& tables);

// The log file: the folder of the year's alias and the program file's name
// with ".log".
std::string NaploFajl();

// Appends one entry with the state of the running program. The file is
// closed after every entry, also when a write fails half-way; a failure is
// raised to the caller.
void Naplozas(const std::string& text);

// The text of the parameters box. An item that cannot be had shows
// "nem hozzáférhető" after an error box naming it.
std::string ProgramParameterek();
