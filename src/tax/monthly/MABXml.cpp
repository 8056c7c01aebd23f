#include "tax/monthly/MABXml.h"

#include <QString>
#include <charconv>
#include <stdexcept>

#include "core/DataModule1.h"
#include "core/helpers/FormXml.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Field.h"
#include "platform/ui/Dialogs.h"
#include "tax/monthly/MABTablak.h"

namespace {

// A band of rows and what it maps to.
struct Sav {
    MABCsalad csalad;
    int tol, ig;
    const char* kod;
};

const auto A = MABCsalad::A;
const auto M = MABCsalad::M;

// clang-format off
const Sav kLapKodok[] = {
    {A,   1,  28, "0B"}, {A,  30,  43, "0C"}, {A,  50,  52, "0D"},
    {A,  70,  96, "0E"}, {A,  97, 139, "0F"}, {A, 150, 179, "0G"},
    {M, 300, 339, "0B"}, {M, 345, 354, "0C"}, {M, 360, 386, "0D"}, {M, 396, 418, "0E"},
    {M, 520, 545, "0F"}, {M, 555, 586, "0G"}, {M, 598, 612, "0H"}, {M, 620, 626, "0I"},
    {M, 635, 668, "0J"}, {M, 670, 696, "0K"}, {M, 700, 716, "0L"},
};

// Row 25 of the summary totals rows 26 to 28 and shares their group.
const Sav kSorBetuk[] = {
    {A,   1,  14, "C"}, {A,  20,  22, "D"}, {A,  25,  28, "E"}, {A,  30,  43, "D"},
    {A,  50,  52, "C"}, {A,  70, 139, "C"}, {A, 150, 160, "C"}, {A, 170, 173, "D"},
    {A, 175, 179, "E"},
    {M, 300, 316, "C"}, {M, 330, 333, "D"}, {M, 337, 339, "E"}, {M, 345, 354, "C"},
    {M, 360, 369, "C"}, {M, 385, 386, "D"}, {M, 396, 407, "C"}, {M, 415, 418, "D"},
    {M, 520, 545, "D"}, {M, 555, 579, "D"}, {M, 585, 586, "E"}, {M, 598, 612, "D"},
    {M, 620, 626, "D"}, {M, 635, 645, "D"}, {M, 659, 668, "E"}, {M, 670, 680, "D"},
    {M, 690, 696, "E"}, {M, 700, 716, "D"},
};

const char* const kKulonEazonok[][2] = {
    {"S385A", "50000A"}, {"S386D", "50001A"},
    {"S690A", "00500A"}, {"S690C", "00501A"}, {"S691A", "00502A"}, {"S691C", "00503A"},
    {"S692A", "00504A"}, {"S692C", "00505A"}, {"S693A", "00506A"}, {"S693C", "00507A"},
    {"S694A", "00508A"}, {"S694C", "00509A"}, {"S695A", "00510A"}, {"S695C", "00511A"},
    {"S696A", "00512A"}, {"S696C", "00513A"},
};

const char* const kTablaLapKodok[][2] = {
    {"TableMAB04", "0B"}, {"TableMAB05", "0C"}, {"TableMAB06", "0D"}, {"TableMAB07", "0E"},
    {"TableMAB08", "0F"}, {"TableMAB09", "0G"}, {"TableMAB09a", "0H"}, {"TableMAB10", "0I"},
    {"TableMAB11", "0J"}, {"TableMAB12", "0K"}, {"TableMAB13", "0L"},
};
// clang-format on

int Sor(const std::string& mezo) {
    if (mezo.empty()) throw std::invalid_argument("Üres mezőnév!");
    if (mezo[0] != 'S') throw std::invalid_argument("A mező neve nem \"S\" betűvel kezdődik!");
    const std::string resz = mezo.size() >= 2 ? mezo.substr(1, mezo.size() - 2) : std::string();
    int sor = 0;
    const auto [end, ec] = std::from_chars(resz.data(), resz.data() + resz.size(), sor);
    if (resz.empty() || ec != std::errc() || end != resz.data() + resz.size())
        throw std::invalid_argument("'" + resz + "' nem érvényes egész szám.");
    return sor;
}

std::string Keres(const Sav* begin, const Sav* end, MABCsalad csalad, int sor) {
    for (const Sav* s = begin; s != end; ++s)
        if (s->csalad == csalad && sor >= s->tol && sor <= s->ig) return s->kod;
    return {};
}

}  // namespace

std::string SorSzam(const std::string& mezo) { return FixEgesz(Sor(mezo), 4); }

std::string OszlopBetu(const std::string& mezo) {
    if (mezo.empty()) return {};
    return QString::fromStdString(mezo.substr(mezo.size() - 1)).toUpper().toStdString();
}

std::string LapKod(const std::string& mezo, MABCsalad csalad) {
    return Keres(std::begin(kLapKodok), std::end(kLapKodok), csalad, Sor(mezo));
}

std::string SorBetu(const std::string& mezo, MABCsalad csalad) {
    return Keres(std::begin(kSorBetuk), std::end(kSorBetuk), csalad, Sor(mezo));
}

std::string KulonEazon(const std::string& mezo) {
    for (const auto& [nev, utotag] : kKulonEazonok)
        if (mezo == nev) return utotag;
    return {};
}

std::string TablaLapKod(const std::string& komponens) {
    for (const auto& [nev, kod] : kTablaLapKodok)
        if (komponens == nev) return kod;
    return {};
}

std::optional<std::string> CellaEazon(const std::string& mezo, MABCsalad csalad, int copy, bool kulon) {
    try {
        const std::string eleje = LapKod(mezo, csalad) + FixEgesz(copy, 4) + SorBetu(mezo, csalad);
        if (kulon) return eleje + KulonEazon(mezo);
        return eleje + SorSzam(mezo) + OszlopBetu(mezo) + "A";
    } catch (const std::exception& e) {
        ui::MessageBox(QStringLiteral("Üzenet"),
                       QStringLiteral("Hiba a mező nevében...\r") + QString::fromStdString(mezo) + "\r" +
                           QString::fromUtf8(e.what()),
                       ui::Icon::Error, ui::Ok);
        return std::nullopt;
    }
}

void MezoIr(FormXmlWriter& xml, const db::Field& field, const std::string& eazon, int copy, int dateWidth,
            MABCsalad csalad) {
    std::string ertek;
    switch (MezoFajtaja(field)) {
        case MezoFajta::Szoveg:
            if (!field.IsNull()) ertek = field.AsString();
            break;
        case MezoFajta::Egesz:
            if (!field.IsNull() && field.AsInteger() != 0) ertek = std::to_string(field.AsInteger());
            break;
        case MezoFajta::Valos:
            if (!field.IsNull()) {
                const long long v = Kerekit(static_cast<long double>(field.AsFloat()));
                if (v != 0) ertek = std::to_string(v);
            }
            break;
        case MezoFajta::Datum:
            if (!field.IsNull())
                ertek = FixDatum(dateWidth == 0 ? 8 : unsigned(dateWidth), field.AsDateTime());
            break;
        case MezoFajta::Egyeb:
            ui::ShowMessage(QString::fromStdString(MezoTipusHiba(field)));
            return;
    }
    if (ertek.empty()) return;
    std::string azon = eazon;
    if (azon.empty() && copy > 0) {
        const std::optional<std::string> szamitott = CellaEazon(field.FieldName(), csalad, copy);
        if (!szamitott) return;
        azon = *szamitott;
    }
    xml.Cell(azon, ertek);
}
