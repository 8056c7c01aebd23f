// "Havi adó/Havi adóbevallás adatszolgáltatás": a month's declaration of one
// nature as one form-import file: the 1908A summary form, then a 1908M form
// per employee header with its sheets' page heads, page fields and cells.
#pragma once

#include <functional>
#include <string>

#include "tax/monthly/MABKeret.h"
#include "tax/monthly/MABXml.h"

#include "platform/db/Dataset.h"

class FormXmlWriter;
namespace db {
class Table;
}

struct MABadatszKellekek {
    int honap = 0;
    std::string jelleg;
    std::string fajl;  // the whole path
    // Forms written so far (and their number when max >= 0).
    std::function<void(int pos, int max)> halad;
};

// "<company>_<mm>_<nature>.xml".
std::string MABadatszFajlNev(const std::string& cegKod, const std::string& honap, const std::string& jelleg);

// Writes the cells of a sheet table's pages (the records at `lapok`) field by
// field, each field page by page with its copy number: the dates of the
// simplified employment rows as "MMDD", the cells the form always shows also
// at 0 (not when empty), the special items under their own identifiers.
void LapMezoiIr(FormXmlWriter& xml, db::Table& lap, const std::vector<db::Bookmark>& lapok, MABCsalad csalad);

enum class MABadatszEredmeny { Kesz, NincsOsszesites };
// Writes the file whole, or raises and leaves the target as it was; the
// tables must be open (MABOSZTablakNyitasa).
MABadatszEredmeny AdatszolgaltatasIras(const MABadatszKellekek& k);

class TMABadatszForm : public TMABKeretForm {
    Q_OBJECT
public:
    explicit TMABadatszForm(QWidget* parent = nullptr);
    ~TMABadatszForm() override;

protected:
    std::string FajlNev(const std::string& cegKod) override;
    void Inditas() override;
};
