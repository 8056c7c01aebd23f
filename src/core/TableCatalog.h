// Which table components the data module holds: each component's base table
// name, whether it is kept per company, whether the company switch tests it
// (core) or makes it from its template when missing (optional, or one of the
// declaration sheets that are usable only all together), and whether it is
// read-only unless a form makes it writable. The company switch and the
// start-up take their lists of tables from here.
#pragma once

#include <string>
#include <vector>

enum class ComponentSet {
    None,      // global tables and Table1
    Core,      // opened by the company switch as a test; a failure aborts it
    Optional,  // made from its template when missing
    // The monthly declaration sheets: optional, and usable only when all of
    // them exist or could be made.
    Declaration,
};

struct TableComponent {
    std::string component;  // TableSzamfejt
    std::string baseName;   // Szamfejt; empty for Table1
    bool perCompany = false;
    ComponentSet set = ComponentSet::None;
    bool readOnly = false;  // at design
};

// The 41 named table components in catalogue order, then Table1. The core
// tables and the declaration sheets are in the order the company switch
// takes them.
const std::vector<TableComponent>& TableComponents();
// The components of one set, in catalogue order.
std::vector<TableComponent> ComponentsOf(ComponentSet set);

// The order in which TablaBezar closes the 42 table components.
const std::vector<std::string>& CloseOrder();

// The company's table name of a base name: "Szamfejt" and "001" give
// "Szamfejt_001".
std::string CompanyTableName(const std::string& baseName, const std::string& companyCode);
