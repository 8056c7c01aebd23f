#include "tax/monthly/MABLapok.h"

#include <algorithm>
#include <climits>
#include <map>
#include <stdexcept>

#include "core/DataModule1.h"
#include "core/TableLayouts.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Query.h"
#include "platform/os/DayNumber.h"
#include "platform/os/Text.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"
#include "tax/monthly/MABTablak.h"

namespace {

bool Szamszeru(db::FieldType tipus) {
    switch (tipus) {
        case db::FieldType::SmallInt:
        case db::FieldType::Integer:
        case db::FieldType::Word:
        case db::FieldType::LargeInt:
        case db::FieldType::Float:
        case db::FieldType::Currency:
        case db::FieldType::BCD:
        case db::FieldType::Date:
        case db::FieldType::DateTime:
            return true;
        default:
            return false;
    }
}

bool KitoltottMezo(const db::Field& f) {
    switch (MezoFajtaja(f)) {
        case MezoFajta::Szoveg:
            return !os::TrimUpToBlank(f.AsString()).empty();
        case MezoFajta::Egesz:
            return !f.IsNull() && f.AsInteger() != 0;
        case MezoFajta::Valos:
            return !f.IsNull() && f.AsFloat() != 0;
        case MezoFajta::Datum:
            return !f.IsNull();
        case MezoFajta::Egyeb:
            ui::ShowMessage(Q(MezoTipusHiba(f)));
            return false;
    }
    return false;
}

bool Kitoltott(db::Dataset& lap, const std::string* elotag) {
    bool filled = false;
    for (int i = 0; i < lap.FieldCount(); ++i) {
        const db::Field& f = lap.Fields(i);
        const std::string& name = f.FieldName();
        const bool looked =
            (!name.empty() && name[0] == 'S') || (elotag && name.find(*elotag) != std::string::npos);
        // Every field is examined, so each one of an unknown kind is named.
        if (looked && KitoltottMezo(f)) filled = true;
    }
    return filled;
}

}  // namespace

int Int32Cella(long long value, const std::string& mezo) {
    if (value < INT_MIN || value > INT_MAX)
        throw std::overflow_error("A(z) " + mezo +
                                  " mező értéke nem fér el 32 biten: " + std::to_string(value));
    return int(value);
}

void MezoFeltolt(const std::string& mezo, db::Table& lap, const db::Variant& ertek, db::FieldType tipus,
                 const std::string& muvelet, double szorzo, bool lapJelzo) {
    if (ertek.IsNull()) return;
    db::Field* cell = lap.FindField(mezo);
    if (!cell) return;
    const MABKulcs fej = KulcsOlvas(*DM1->TableMAB00);
    bool taken = false;
    for (bool ok = ElsoLap(lap, fej); ok; ok = KovetkezoLap(lap, fej))
        if (!lapJelzo || cell->IsNull()) {
            taken = true;
            break;
        }
    if (taken) {
        lap.Edit();
    } else {
        UjLap(lap, fej, DM1->TableMAB00->FieldByName("ADOSZAM").AsString());
    }
    try {
        if (Szamszeru(tipus)) {
            const long long n = Kerekit(static_cast<long double>(ertek.ToDouble()) * szorzo);
            const long long regi = cell->IsNull() ? 0 : cell->AsInteger();
            if (muvelet == "+")
                cell->SetAsInteger(Int32Cella(regi + n, mezo));
            else if (muvelet == "-")
                cell->SetAsInteger(Int32Cella(regi - n, mezo));
            else if (muvelet.empty())
                cell->SetAsInteger(Int32Cella(n, mezo));
        } else {
            cell->SetValue(ertek);
        }
        lap.Post();
    } catch (...) {
        lap.Cancel();
        throw;
    }
}

int AranyosSzolgIdo(db::Table& lap, const MABHonap& ho) {
    db::Table& dg = *DM1->TableDolgozo;
    if (dg.FieldByName("DG_ALKMIN").AsString() == "1") return 0;
    db::Query& q = *DM1->Query1;
    try {
        q.Close();
        q.SetSQL("SELECT SUM(tSzamf.SF_NAP) AS KIESONAPOK FROM " +
                 db::SqlName(DM1->TableSzamfejt->TableName) + " tSzamf INNER JOIN " +
                 db::SqlName(DM1->TableJogcim->TableName) +
                 " tJogc ON tJogc.JC_KOD = tSzamf.SF_JCKOD WHERE tSzamf.SF_DGTORZSSZAM = :torzsszam"
                 " AND tSzamf.SF_HONAP = :honap AND tJogc.JC_JARULKOD > '00'");
        q.ParamByName("torzsszam").SetAsString(dg.FieldByName("DG_TORZSSZAM").AsString());
        q.ParamByName("honap").SetAsInteger(ho.honap);
        q.Open();
        const long long k =
            q.FieldByName("KIESONAPOK").IsNull() ? 0 : Kerekit(q.FieldByName("KIESONAPOK").AsFloat());
        q.Close();
        q.SetSQL("");
        auto nap = [&lap](const char* name) -> long long {
            const db::Field* f = lap.FindField(name);
            return f && !f->IsNull() ? Kerekit(f->AsDateTime()) : 0;
        };
        const long long d = nap("BIZIG") - nap("BIZTOL") + 1;
        // No day left to share out: nothing to compute (and no division by 0).
        if (d - k <= 0) return 0;
        const db::Field* bField = lap.FindField("S568C");
        const long long b = bField && !bField->IsNull() ? bField->AsInteger() : 0;
        long long p = 0;
        if (b != 0) {
            const db::Variant v = DM1->TableErtekkeszlet->Lookup(
                "EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant("32")}, "EK_ERTEKNUM");
            if (v.IsNull()) throw std::runtime_error("Hiányzik az értékkészlet 0 típusú, 32 értékű sora");
            const int ev = os::DecodeDate(ho.elsoNap).year;
            const long double y = os::IsLeapYear(ev) ? 366 : 365;
            const long double m = static_cast<long double>(v.ToDouble()) * 12 / y * (d - k);
            if (m == 0) throw std::domain_error("Division by zero");
            p = Kerekit(static_cast<long double>(b) / m * d + 0.5L);
        }
        return int(std::min(d - k, p));
    } catch (const std::exception& e) {
        q.Close();
        q.SetSQL("");
        ui::MessageBox(QStringLiteral("Üzenet"),
                       QStringLiteral("HIBA történt az arányos szolgálati idő megállapításakor! \r") +
                           QString::fromUtf8(e.what()),
                       ui::Icon::Error, ui::Ok);
        return 0;
    }
}

bool LapKitoltott(db::Dataset& lap) { return Kitoltott(lap, nullptr); }

bool LapKitoltottElotag(db::Dataset& lap, const std::string& elotag) { return Kitoltott(lap, &elotag); }

void DolgozoNevei(db::Dataset& lap, const std::string& elotag) {
    // clang-format off
    const char* const kNevek[][3] = {
        {"DG_NEV",       "DOLGNEV",          "DOLGUTONEV"},
        {"DG_LEANYKNEV", "DOLGSZULNEV",      "DOLGSZULUTONEV"},
        {"DG_ANYJANEV",  "DOLGANYJASZULNEV", "DOLGANYJASZULUTONEV"},
    };
    // clang-format on
    for (const auto& [forras, csaladi, uto] : kNevek) {
        const NameParts nev = SplitName(DM1->TableDolgozo->FieldByName(forras).AsString());
        lap.FieldByName(elotag + csaladi).SetAsString(nev.family);
        lap.FieldByName(elotag + uto).SetAsString(nev.given);
    }
}

void LapCellakTorlese(db::Dataset& lap) {
    for (int i = 0; i < lap.FieldCount(); ++i) {
        db::Field& f = lap.Fields(i);
        if (!f.FieldName().empty() && f.FieldName()[0] == 'S') f.Clear();
    }
}

void AdoszamraOsszevon(db::Table& table, const MABHonap& ho, const std::function<void(int, int)>& halad) {
    // Each tax id's smallest registration number among the employees employed
    // in the month (an empty exit date: still employed).
    std::map<std::string, std::string> cel;
    db::Table& dg = *DM1->TableDolgozo;
    const db::Bookmark dgHely = dg.GetBookmark();
    for (dg.First(); !dg.Eof(); dg.Next()) {
        const std::string adoaz = dg.FieldByName("DG_ADOAZ").AsString();
        if (adoaz.empty()) continue;
        const double kilep = dg.FieldByName("DG_KILEPDAT").AsDateTime();
        const double belep = dg.FieldByName("DG_BELEPDAT").AsDateTime();
        if (kilep != 0 && kilep < ho.elsoNap) continue;
        if (belep != 0 && belep > ho.utolsoNap) continue;
        const std::string torzsszam = dg.FieldByName("DG_TORZSSZAM").AsString();
        auto it = cel.find(adoaz);
        if (it == cel.end() || torzsszam < it->second) cel[adoaz] = torzsszam;
    }
    if (dgHely && dg.BookmarkValid(dgHely)) dg.GotoBookmark(dgHely);

    const int count = table.RecordCount();
    if (halad) halad(count == 0 ? 0 : 1, count);
    std::vector<std::pair<db::Bookmark, std::string>> atir;
    const auto vizsgal = [&] {
        const std::string adoszam = table.FieldByName("ADOSZAM").AsString();
        if (adoszam.empty()) return;
        auto it = cel.find(adoszam);
        if (it == cel.end() || it->second == table.FieldByName("TORZSSZAM").AsString()) return;
        atir.emplace_back(table.GetBookmark(), it->second);
    };
    const std::vector<std::string> rend = db::Dataset::SplitFieldNames(table.KeyFieldNames());
    const bool honapSzerint = std::any_of(rend.begin(), rend.end(),
                                          [](const std::string& f) { return os::UpperAscii(f) == "HONAP"; });
    if (honapSzerint && !table.FilterActive()) {
        // The month's records found by the keys of the order, not the whole
        // year read.
        for (const db::Bookmark& hely : table.KeyMatches("HONAP", db::Variant(ho.honap))) {
            table.GotoBookmark(hely);
            vizsgal();
        }
    } else {
        for (table.First(); !table.Eof(); table.Next())
            if (table.FieldByName("HONAP").AsInteger() == ho.honap) vizsgal();
    }
    // The data module's post-error box stays out: a repeated header key is
    // handled here.
    auto postError = std::move(table.OnPostError);
    table.OnPostError = nullptr;
    try {
        int done = 0;
        for (const auto& [hely, torzsszam] : atir) {
            table.GotoBookmark(hely);
            table.Edit();
            table.FieldByName("TORZSSZAM").SetAsString(torzsszam);
            try {
                table.Post();
            } catch (const db::EngineError& e) {
                table.Cancel();
                if (e.Code() != db::EngineError::KeyViolation) throw;
                table.Delete();
            } catch (...) {
                table.Cancel();
                throw;
            }
            if (halad) halad(++done, count);
        }
    } catch (...) {
        table.OnPostError = std::move(postError);
        throw;
    }
    table.OnPostError = std::move(postError);
    table.First();
}

void LapokOsszevonasa(db::Table& lap) {
    const MABKulcs fej = KulcsOlvas(*DM1->TableMAB00);
    if (LapokSzama(lap, fej) <= 1) return;
    const int n = lap.FieldCount();
    std::vector<db::Variant> ertek(n);
    std::vector<long long> osszeg(n, 0);
    std::vector<bool> van(n, false);
    std::vector<db::Bookmark> tobbi;
    bool elso = true;
    for (bool ok = ElsoLap(lap, fej); ok; ok = KovetkezoLap(lap, fej)) {
        if (!elso) tobbi.push_back(lap.GetBookmark());
        elso = false;
        for (int i = 0; i < n; ++i) {
            const db::Field& f = lap.Fields(i);
            if (!KodEllenoriz(f.FieldName()) || f.IsNull()) continue;
            if (MezoFajtaja(f) == MezoFajta::Egesz) {
                osszeg[i] += f.AsInteger();
                van[i] = true;
            } else if (ertek[i].IsNull()) {
                ertek[i] = f.Value();
            }
        }
    }
    ElsoLap(lap, fej);
    lap.Edit();
    try {
        for (int i = 0; i < n; ++i) {
            db::Field& f = lap.Fields(i);
            if (van[i])
                f.SetAsInteger(Int32Cella(osszeg[i], f.FieldName()));
            else if (!ertek[i].IsNull())
                f.SetValue(ertek[i]);
        }
        lap.Post();
    } catch (...) {
        lap.Cancel();
        throw;
    }
    for (auto it = tobbi.rbegin(); it != tobbi.rend(); ++it) {
        lap.GotoBookmark(*it);
        lap.Delete();
    }
}

bool FeltoltokodLetezik(const std::string& mezo) {
    if (mezo == "S") return true;
    for (const char* t : {"MAB04", "MAB05", "MAB06", "MAB07", "MAB08", "MAB09", "MAB09a", "MAB10", "MAB11",
                          "MAB12", "MAB13"}) {
        const TableLayout* layout = FindTableLayout(t);
        if (layout && layout->Field(mezo)) return true;
    }
    return false;
}
