// The stored layout of every table of the year folder, as data: fields with
// their type, width, required flag, display label and edit mask, the key, and
// whether the table is global or kept per company. The data module creates
// missing templates and global tables from here, and forms that need a
// field's label or mask read it here instead of repeating it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/db/Dataset.h"
#include "platform/db/Field.h"

// A stored field with the settings its persistent field carries.
struct FieldLayout : db::FieldDef {
    std::string label;    // display label; empty: the field name
    std::string mask;     // edit mask, as the forms use it
    std::string caption;  // beside the field on its form; empty: the label

    FieldLayout Required() const;
    FieldLayout Label(std::string text) const;
    FieldLayout Mask(std::string text) const;
    FieldLayout Caption(std::string text) const;
};

enum class TableScope {
    Global,   // one table under the base name
    Company,  // base name + "_" + company code; the base name is the empty template
};

// A read-only field resolved through another component of the data module.
struct LookupLayout {
    std::string name;         // RJ_szarmJCKODJCNEV
    std::string keyField;     // field of this table: RJ_JCKOD
    std::string component;    // TableJogcim
    std::string lookupKey;    // JC_KOD
    std::string resultField;  // JC_NEV
    int size = 0;
    std::string label;  // display label; empty: the field name
};

struct TableLayout {
    std::string name;  // base name: the template or the global table
    TableScope scope = TableScope::Company;
    // Key fields. With a primary index the key is unique and the table reads
    // in key order; without one the key is only how rows are found, and the
    // table reads in the order the rows were written.
    std::vector<std::string> key;
    bool primaryIndex = false;
    // False only where the year folder keeps no template of a company table
    // (the employee history, made by the company register from the employee
    // template).
    bool hasTemplate = true;
    std::vector<FieldLayout> fields;
    std::vector<LookupLayout> lookups;

    const FieldLayout* Field(std::string_view fieldName) const;  // case-insensitive
    // The stored structure, for creating the table.
    db::FieldDefs FieldDefs() const;
};

// Gives a closed dataset the persistent fields of a layout: every stored
// field with its required flag, display label and edit mask.
void AddPersistentFields(db::Dataset& dataset, const TableLayout& layout);

// Every table of the year folder, in the order the folder is prepared.
const std::vector<TableLayout>& TableLayouts();

// The layout of a base name (case-insensitive, as table names resolve), or
// nullptr. A per-company name ("Szamfejt_001") finds its template's layout.
const TableLayout* FindTableLayout(std::string_view tableName);

// Fields added to older tables of a company when it is selected and to the
// templates at start-up: table base name and the fields it must carry.
struct AddedFields {
    std::string table;
    std::vector<std::string> fields;
};
const std::vector<AddedFields>& FieldsAddedToOlderTables();

// Tables whose primary key grew since older versions: their layout holds the
// new key, which older templates and company tables get when selected.
const std::vector<std::string>& TablesWithNewerKeys();
