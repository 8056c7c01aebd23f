#include "masterdata/uTblSearchLanguage.h"

namespace {

struct CaptionRow {
    const char* key;
    const char* english;
    const char* hungarian;
};

// clang-format off
constexpr CaptionRow kCaptions[] = {
    {"Title",            "Selection",             "Kiválasztás"},
    {"Help",             "Help",                  "Súgó"},
    {"About",            "About",                 "Névjegy"},
    {"Send",             "Export",                "Küldés"},
    {"SendToFile",       "To File",               "Fájlba"},
    {"SendToPrinter",    "To Printer",            "Nyomtatóra"},
    {"Filtered",         "Filtered",              "Szűrve"},
    {"Null",             "Empty",                 "Üres"},
    {"ErrorUniversal",   "Error",                 "Hiba keletkezett."},
    {"SelectFile",       "Select File",           "Fájl kiválasztás"},
    {"AllFiles",         "All Files",             "Minden fájl"},
    {"Fwd",              "Forward",               "Előre"},
    {"FilterCondition",  "Show Filter Condition", "Szűrő feltételek"},
    {"FilterDelete",     "Filter Delete",         "Szűrés törlése"},
    {"Total",            "Show Total",            "Összegek"},
    {"TotalCalculation", "Total Calculation",     "Összegek számítása"},
    {"TotalDelete",      "Total Delete",          "Összegek törlése"},
    {"CompleteRow",      "Complete Row",          "Teljes sor kijelölése"},
    {"CellsTotal",       "cells total",           "cellák összege"},
    {"SendCompleted",    "Export completed.",     "A küldés befejeződött."},
    {"SaveDlgTitle",     "Save",                  "Mentés"},
    {"XLSfileName",      "Export",                "Export"},
    {"XLSfiles",         "XLSX files (*.xlsx)|*.XLSX", "XLSX fájlok (*.xlsx)|*.XLSX"},
    {"Rights",           "All rights reserved.",  "Minden jog fenntartva."},
};
// clang-format on

}  // namespace

QString TblSearchCaption(const QString& key, QChar language) {
    for (const CaptionRow& row : kCaptions) {
        if (key == QLatin1String(row.key))
            return QString::fromUtf8(language == u'E' ? row.english : row.hungarian);
    }
    return QStringLiteral("Hiányzó cimke.");
}
