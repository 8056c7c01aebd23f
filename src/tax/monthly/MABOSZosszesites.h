// "Havi adó/Havi adóbevallás összesített adatok összesítés": the 1908A
// summary of a month and nature rebuilt from the month's 1908M sheets, the
// header from the company register, the cells as sums of the employees'
// pages (some by the employee's declaration code or the page's allowance
// code) in forints and then in thousands.
#pragma once

#include <functional>
#include <string>

#include "platform/db/Table.h"
#include "tax/monthly/MABKeret.h"
#include "tax/monthly/MABTablak.h"

struct MABOSZKellekek {
    int honap = 0;
    std::string jelleg;
    // Progress bar 1 (the 1908M headers) or 2 (the stages) set to `pos`, and
    // its maximum to `max` when >= 0.
    std::function<void(int bar, int pos, int max)> halad;
};

// Opens the tables as the form keeps them: the value sets, the employees and
// the register read-only, the 1908A tables writable, the 1908M tables
// read-only with each header's pages together.
void MABOSZTablakNyitasa();
void MABOSZTablakZarasa();

// The sum of a 1908M cell over the current header's pages of every sheet
// that has it. With `mezo` and `muvelet` ("=" or "#") a page counts only when
// its employee is found and the employee's field equals one of the codes
// ("=") or none of them ("#").
long long SzurtCellaOsszeg(const MABKulcs& fej, const std::string& cella,
                           const std::vector<std::string>& kodok = {}, const std::string& mezo = {},
                           const std::string& muvelet = {});
// The same, counting a page when its own `lapMezo` is one of the codes.
long long AdokedvCellaOsszeg(const MABKulcs& fej, const std::string& cella,
                             const std::vector<std::string>& kodok, const std::string& lapMezo);

// The three counting queries. Each shows its own failure ("Üzenet") and then
// raises it, so the run ends instead of storing 0 as if it had counted.
int DarabszamMegallapit(int honap, const std::string& jelleg);
int NyugdijMellettDarab(int honap, const std::string& jelleg);
long long EvesOsszeg(const std::string& tabla, const std::string& mezo, const std::string& jelleg);

enum class MABOSZEredmeny { Kesz, NincsAdat };
// Rebuilds the 1908A rows of the month and nature in one transaction:
// NincsAdat (nothing changed) without 1908M headers; raises on any failure,
// leaving the old rows.
MABOSZEredmeny MABOSZOsszesit(const MABOSZKellekek& k);

class TMABOSZosszesitesForm : public TMABKeretForm {
    Q_OBJECT
public:
    explicit TMABOSZosszesitesForm(QWidget* parent = nullptr);
    ~TMABOSZosszesitesForm() override;

protected:
    void Inditas() override;

private:
    bool closed_ = false;
};
