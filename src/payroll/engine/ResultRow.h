// A payroll result row shaped like the payroll table: the fields the engine
// writes are members under their own names, null kept apart from 0; every
// other field of the table (audit and spare fields, ones nobody sets) rides
// along by name, so a row loaded and saved again keeps them. Texts: an empty
// text is the null the table stores for it. Dates: day numbers, 0 = empty.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/db/Dataset.h"

namespace payroll {

struct SzamfejtRow {
    std::string SF_DGTORZSSZAM;
    std::optional<long long> SF_HONAP;
    double SF_KIFIZDAT = 0;
    std::string SF_JCKOD;
    std::optional<long long> SF_SORSZAM;
    std::optional<long long> SF_RJSORSZAM;
    std::string SF_DGNEV;
    std::string SF_JCNEV;
    std::optional<double> SF_OSSZEG;
    std::optional<double> SF_SZHASZAZLEV;
    std::string SF_SZHAKEDVKOD;
    std::optional<double> SF_SZHAKEDVSZAZ;
    std::optional<long long> SF_NAP;
    std::optional<double> SF_ORA;
    double SF_TOL = 0;
    double SF_IG = 0;
    std::optional<double> SF_SZAZALEK;
    std::string SF_MHKOD;
    std::string SF_MUNKSZAM;
    std::string SF_GYUJTO;
    std::optional<double> SF_ADOALAP;
    std::optional<double> SF_JARALAP;
    std::string SF_SZAMLA;
    std::string SF_JCTIPUS;
    std::string SF_DGMHKOD;
    std::string SF_DGKHKOD;
    std::string SF_DGMNYP;
    // The table's other fields by name.
    std::map<std::string, db::Variant> carried;

    // Any field by its name, as the table stores it (null for an empty text,
    // a missing number or the empty date).
    db::Variant Get(const std::string& field) const;
    // Raises db::DatabaseError when the value does not convert.
    void Set(const std::string& field, const db::Variant& value);

    double Osszeg() const { return SF_OSSZEG.value_or(0); }
};

// The key order of the working set and the table: employee, month, payment
// date, code, running number, standing-item number; null before any value,
// texts byte by byte.
bool KeyLess(const SzamfejtRow& a, const SzamfejtRow& b);

// Reads the dataset's current record into a row (fields the row does not
// know ride along) and writes a row into the current record, which must be
// in edit or insert state (fields the dataset lacks are left out).
SzamfejtRow ReadRow(const db::Dataset& ds);
void WriteRow(const SzamfejtRow& row, db::Dataset& ds);

// WriteRow for many rows into one dataset: its fields are matched to the
// row's members once, while it stays open.
class RowWriter {
public:
    explicit RowWriter(db::Dataset& ds);
    void Write(const SzamfejtRow& row) const;

private:
    struct Column {
        db::Field* field;
        int known;  // the row's member, -1: a carried field
    };
    std::vector<Column> columns_;
};

}  // namespace payroll
