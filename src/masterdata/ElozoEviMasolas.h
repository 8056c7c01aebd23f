// Carrying a company over from last year's folder: the rules every copied
// row follows, without the register form.
#pragma once

#include <string>

namespace db {
class Dataset;
class Field;
}  // namespace db

// Spare fields ("_TNUM", "_TINT", "_TSTR", "_TDAT" in the name) stay behind.
bool TartalekMezo(const std::string& fieldName);

// Fills the target's current (appended) record from the source's current
// record by field name. Spare fields, fields the source lacks and values the
// target cannot store are skipped.
void MezonkentMasol(const db::Dataset& source, db::Dataset& target);

// True when the exit date is set and its "YYYY.MM.DD" text sorts before the
// processing year's first day.
bool KilepettEvElott(const db::Field& kilepdat, int year);

// Brings a copied employee row (target, being inserted) to this year's rules,
// reading last year's fields that only the old row (source) has.
void DolgozoAtalakit(const db::Dataset& old, db::Dataset& target, int year, double today);

// Rules both carry-overs apply to an employee row: the wage form of kind 6,
// the default work schedule and legal-relation number, the new minimum wages,
// and the leave frame by age (kinds 1, 2, 5) or no leave at all.
void DolgozoBerforma(db::Dataset& t);
void DolgozoAlapertekek(db::Dataset& t);
void VallalkoziMinimalber(db::Dataset& t);
void DolgozoSzabadsag(db::Dataset& t, int year);
