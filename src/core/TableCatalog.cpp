#include "core/TableCatalog.h"

namespace {

std::vector<TableComponent> Build() {
    const auto C = ComponentSet::Core;
    const auto O = ComponentSet::Optional;
    const auto N = ComponentSet::None;
    std::vector<TableComponent> t = {
        {"TableCegek", "Cegek", false, N, false},
        {"TableErtekkeszlet", "Ertekkeszlet", true, C, true},
        {"TableKifhely", "KifHely", true, C, false},
        {"TableMhely", "MHely", true, C, false},
        {"TableDolgozo", "Dolgozo", true, C, false},
        {"TableDolgRegi", "DolgRegi", true, C, false},
        {"TableJogcim", "Jogcim", true, C, false},
        {"TableRJogcim", "RJogcim", true, C, false},
        {"TableSzamfejt", "Szamfejt", true, C, false},
        {"TableUtal", "Utal", true, C, false},
        {"TableHozzatartozo", "Hozzatartozo", true, C, false},
        {"TableNaptar", "Naptar", false, N, false},
        {"TableFEOR", "FEOR", false, N, false},
        {"TableNyugP", "NyugP", false, N, true},
        {"TableFokFel", "FokFel", false, N, false},
        {"TableNyilat", "Nyilat", true, O, false},
        {"TableM30", "M30", true, O, false},
        {"TableM29", "M29", true, O, false},
        {"TableK30", "K30", true, O, false},
        {"TableK32", "K32", true, O, false},
        {"TableM292", "M292", true, O, false},
        {"TableM294", "M294", true, O, false},
    };
    for (const char* sheet :
         {"MAB00", "MAB04", "MAB05", "MAB06", "MAB07", "MAB08", "MAB09", "MAB09a", "MAB10", "MAB11", "MAB12",
          "MAB13", "MABOSZ", "MABOSZ01", "MABOSZ01b", "MABOSZ01c", "MABOSZ02", "MABOSZ02b", "MABOSZ02c"})
        t.push_back({std::string("Table") + sheet, sheet, true, ComponentSet::Declaration, false});
    t.push_back({"Table1", "", false, N, false});
    return t;
}

}  // namespace

const std::vector<TableComponent>& TableComponents() {
    static const std::vector<TableComponent> components = Build();
    return components;
}

std::vector<TableComponent> ComponentsOf(ComponentSet set) {
    std::vector<TableComponent> out;
    for (const TableComponent& c : TableComponents())
        if (c.set == set) out.push_back(c);
    return out;
}

const std::vector<std::string>& CloseOrder() {
    static const std::vector<std::string> order = {
        "TableHozzatartozo", "TableRJogcim",   "TableUtal",      "TableCegek",        "Table1",
        "TableM30",          "TableM29",       "TableK30",       "TableK32",          "TableM292",
        "TableM294",         "TableDolgRegi",  "TableDolgozo",   "TableErtekkeszlet", "TableNyugP",
        "TableFEOR",         "TableFokFel",    "TableJogcim",    "TableKifhely",      "TableMhely",
        "TableNaptar",       "TableSzamfejt",  "TableNyilat",    "TableMAB00",        "TableMAB04",
        "TableMAB05",        "TableMAB06",     "TableMAB07",     "TableMAB08",        "TableMAB09",
        "TableMAB09a",       "TableMAB10",     "TableMAB11",     "TableMAB12",        "TableMAB13",
        "TableMABOSZ",       "TableMABOSZ01",  "TableMABOSZ01b", "TableMABOSZ01c",    "TableMABOSZ02",
        "TableMABOSZ02b",    "TableMABOSZ02c",
    };
    return order;
}

std::string CompanyTableName(const std::string& baseName, const std::string& companyCode) {
    return baseName + "_" + companyCode;
}
