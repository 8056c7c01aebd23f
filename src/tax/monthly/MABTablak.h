// What every routine of the monthly declaration shares about its tables: the
// natures, the order in which the sheets are deleted and gone through, the
// kind of a field, and a header's pages. A sheet table is kept in the order
// of the header key (ties in the order the pages were written), so a
// header's pages are one run of rows found by the key instead of a filter
// that reads the whole year for every page.
#pragma once

#include <string>
#include <vector>

#include "platform/db/Dataset.h"
#include "platform/db/Table.h"

// The 21 natures of a declaration, in the order of the nature lists.
const std::vector<std::string>& MABJellegek();

// The 1908M sheet tables of the data module: in deletion order (04, 05, 06,
// 07, 08, 09, 09a, 10 to 13) and in component order (04, 06, 07, 08, 09, 10
// to 13, 09a, 05).
std::vector<db::Table*> MABTorlesiSorrend();
std::vector<db::Table*> MABLapTablak();

// The insured categories (DG_ALKMINADATSZ) whose 1908-09 page is kept even
// without contribution rows.
bool MegorzottLapKod(const std::string& kod);

// The order of a sheet table during the run: pages of one header together.
inline constexpr const char* kMABKulcs = "TORZSSZAM;HONAP;JELLEG;TOL;IG";

// The kind of a field as the generic routines dispatch on it.
enum class MezoFajta { Szoveg, Egesz, Valos, Datum, Egyeb };
MezoFajta MezoFajtaja(const db::Field& field);
// The message shown for a field of any other kind.
std::string MezoTipusHiba(const db::Field& field);

// The key of a 1908M header: its pages carry the same five values.
struct MABKulcs {
    std::string torzsszam;
    int honap = 0;
    std::string jelleg;
    double tol = 0, ig = 0;

    std::vector<db::Variant> Ertekek() const;
};
// The key of the current row of `mab00` (a header or a page).
MABKulcs KulcsOlvas(db::Dataset& table);

// Whether the current row of `lap` is a page of the header.
bool FejLapja(db::Table& lap, const MABKulcs& fej);
// While one lives, ElsoLap remembers each header's first page it found, so
// the writes of the payroll rows do not search for it again. Only for a
// phase that neither deletes pages nor changes their keys: a page appended
// later never comes before a header's first.
class ElsoLapTar {
public:
    ElsoLapTar();
    ~ElsoLapTar();
    ElsoLapTar(const ElsoLapTar&) = delete;
    ElsoLapTar& operator=(const ElsoLapTar&) = delete;
};

// Positions `lap` on the header's first page; false when it has none.
bool ElsoLap(db::Table& lap, const MABKulcs& fej);
// Moves to the header's next page; false (past its last one) when none.
bool KovetkezoLap(db::Table& lap, const MABKulcs& fej);
int LapokSzama(db::Table& lap, const MABKulcs& fej);
// Appends a page of the header (left in insert state, keys and tax id set).
void UjLap(db::Table& lap, const MABKulcs& fej, const std::string& adoszam);
