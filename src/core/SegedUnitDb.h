// The helpers that talk to the database engine directly: creating a table
// from parallel lists of field names, types and sizes (the per-workstation
// work tables of the lists, named "List_" + list + GepNevUtotag()), the year's
// alias, the engine's shared-access setting, adding a column, copying a record
// by field position. The routines with a box of their own show their failure
// and return; the caller tests the state again.
#pragma once

#include <string>
#include <vector>

#include "platform/db/Dataset.h"

// Creates (replacing) the table in the alias's folder: field i has name
// fieldNames[i], type fieldTypes[i] and, for text fields, size fieldSizes[i].
// indexFields ("MNYP; DOLGOZO_KOD; HONAP") becomes the primary index; a blank
// text gives no index. Any failure: the error box "HIBA történt a tábla
// létrehozásakor! " and false.
bool ParadoxTablaLetrehoz(const std::string& alias, const std::string& tableName,
                          const std::vector<std::string>& fieldNames, const std::string& indexFields,
                          const std::vector<db::FieldType>& fieldTypes, const std::vector<int>& fieldSizes);

// Creates the alias for the folder when the engine does not know it.
void AliasLetrehoz(const std::string& alias, const std::string& folder);

// True when the engine's "LOCAL SHARE" setting is TRUE; engine errors reach the caller.
bool LocalShareEllenoriz();

// Sets one entry of the engine's configuration; `pathAndEntry` is the node
// and the entry separated by ";" ("\SYSTEM\INIT\;LOCAL SHARE").
void BdeKonfigBeallit(const std::string& pathAndEntry, const std::string& value);

// Adds the column (sqlType: "INT", "DATE", "VARCHAR(10)" ...) when the table lacks it.
void MezoHozzaad(const std::string& alias, const std::string& tableName, const std::string& fieldName,
                 const std::string& sqlType);

// Copies the source's current record into the target's current record (which
// must be in edit or insert state) by field position; names are not compared.
void RekordMasol(db::Dataset& source, db::Dataset& target);

// The folder of the alias; an unknown alias raises the engine's error.
std::string AliasUtvonal(const std::string& alias);

// "_" followed by the computer name; the empty text when it cannot be had.
std::string GepNevUtotag();
