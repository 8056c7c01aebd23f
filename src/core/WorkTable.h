// The per-workstation work tables of the lists: created anew, written in one
// transaction and opened in DM1->Table1 for the layout to walk.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/db/Dataset.h"
#include "platform/db/Field.h"

struct WorkField {
    const char* name;
    db::FieldType type;
    int size = 0;  // text fields
};

// A per-workstation work table: "List_" + name + GepNevUtotag() in the
// year's alias.
struct WorkTable {
    std::string name;  // "List_Berlap"
    std::vector<WorkField> fields;
    std::string key;  // "DOLGOZO_KOD; BLOKK; SOR; TH_JC"
    // The workstation's suffix; unset: GepNevUtotag().
    std::optional<std::string> suffix;

    std::string TableName() const;
    // Creates it anew (ParadoxTablaLetrehoz: false after its error box).
    bool Create() const;
    // Writes the rows (values by field position) in one transaction
    // through DM1->Table1, which is left closed and unnamed.
    void Write(const std::vector<db::Record>& rows) const;
    // Opens DM1->Table1 on the table (in `indexFieldNames` order when
    // given) at its first record, for the layout to walk.
    void OpenInTable1(const std::string& indexFieldNames = {}) const;
};
