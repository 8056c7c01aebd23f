#include "masterdata/ElozoEviMasolas.h"

#include "masterdata/TorzskezDolgozo.h"
#include "platform/db/Dataset.h"
#include "platform/os/DayNumber.h"

bool TartalekMezo(const std::string& fieldName) {
    for (const char* part : {"_TNUM", "_TINT", "_TSTR", "_TDAT"})
        if (fieldName.find(part) != std::string::npos) return true;
    return false;
}

void MezonkentMasol(const db::Dataset& source, db::Dataset& target) {
    for (int i = 0; i < target.FieldCount(); ++i) {
        db::Field& to = target.Fields(i);
        if (to.Kind() != db::FieldKind::Data || TartalekMezo(to.FieldName())) continue;
        const db::Field* from = source.FindField(to.FieldName());
        if (!from || from->Kind() != db::FieldKind::Data) continue;
        try {
            to.SetValue(from->Value());
        } catch (const db::DatabaseError&) {
            // A value the new layout cannot hold is left empty.
        }
    }
}

bool KilepettEvElott(const db::Field& kilepdat, int year) {
    if (kilepdat.IsNull()) return false;
    return kilepdat.AsString() < std::to_string(year) + ".01.01";
}

namespace {

bool Igen(const db::Dataset& old, const char* flag) {
    const db::Field* f = old.FindField(flag);
    return f && f->AsString() == "I";
}

// The year of an old date field; 0 when it is missing or empty.
int Ev(const db::Dataset& old, const char* name) {
    const db::Field* f = old.FindField(name);
    if (!f || f->IsNull()) return 0;
    return os::DecodeDate(f->AsDateTime()).year;
}

void DatumAtvesz(const db::Dataset& old, const char* from, db::Field& to) {
    const db::Field* f = old.FindField(from);
    to.SetAsDateTime(f ? f->AsDateTime() : 0);
}

struct Kedvezmeny {
    const char* flag;
    const char* code;
    // The dates that must reach the processing year, and the three copied;
    // none: the code alone, the dates untouched.
    const char* until = nullptr;
    const char* start = nullptr;
    const char* change = nullptr;
    const char* end = nullptr;
};

// Later matches overwrite earlier ones.
const Kedvezmeny kKedvezmenyek[] = {
    {"DG_SZAKKEPZETLEN", "18"},
    {"DG_MEZGAZDKEDV", "19"},
    {"DG_KOZFOGL", "23"},
    {"DG_KUTATOI", "24"},
    {"DG_DOKTORJELOLT", "25"},
    {"DG_PKEZDO", "06", "DG_PKEZDOVALT", "DG_PKEZDOKEZD", "DG_PKEZDOVALT", "DG_PKEZDOVALT"},
    {"DG_ALLASKER", "09", "DG_ALLASKERVEG", "DG_ALLASKERKEZD", "DG_ALLASKERVALT", "DG_ALLASKERVEG"},
    {"DG_GYESUTAN", "10", "DG_GYESUTANVEG", "DG_GYESUTANKEZD", "DG_GYESUTANVALT", "DG_GYESUTANVEG"},
    {"DG_SZABADVALL", "11", "DG_SZABADVALLVEG", "DG_SZABADVALLKEZD", "DG_SZABADVALLVALT", "DG_SZABADVALLVEG"},
};

}  // namespace

void DolgozoAtalakit(const db::Dataset& old, db::Dataset& t, int year, double today) {
    t.FieldByName("DG_NYITDAT").SetAsDateTime(today);
    t.FieldByName("DG_NYITMOD").SetAsString("E");
    DolgozoBerforma(t);
    DolgozoAlapertekek(t);
    for (const char* name : {"DG_CSALKEDV", "DG_CSALKEDVSZAM", "DG_ELOZOMNYP", "DG_ELOZOMNYPBEDAT",
                             "DG_ELOZOMNYPKIDAT", "DG_ELSOHAZASOSSZ"})
        t.FieldByName(name).Clear();
    VallalkoziMinimalber(t);
    if (const db::Field* eholev = old.FindField("DG_EHOLEV"))
        t.FieldByName("DG_SZHALEV").SetValue(eholev->Value());

    for (const Kedvezmeny& k : kKedvezmenyek) {
        if (!Igen(old, k.flag)) continue;
        if (k.until && Ev(old, k.until) < year) continue;
        t.FieldByName("DG_SZHAKEDVKOD").SetAsString(k.code);
        if (!k.until) continue;
        DatumAtvesz(old, k.start, t.FieldByName("DG_SZHAKEDVKEZD"));
        DatumAtvesz(old, k.change, t.FieldByName("DG_SZHAKEDVVALT"));
        DatumAtvesz(old, k.end, t.FieldByName("DG_SZHAKEDVVEG"));
    }

    DolgozoSzabadsag(t, year);
}

void DolgozoBerforma(db::Dataset& t) {
    if (t.FieldByName("DG_BERFORM").AsString() != "0" && t.FieldByName("DG_ALKMIN").AsString() == "6")
        t.FieldByName("DG_BERFORM").SetAsString("0");
}

void DolgozoAlapertekek(db::Dataset& t) {
    if (t.FieldByName("DG_MUNKAREND").IsNull()) t.FieldByName("DG_MUNKAREND").SetAsString("1");
    if (t.FieldByName("DG_JSORSZADATSZ").IsNull()) t.FieldByName("DG_JSORSZADATSZ").SetAsInteger(1);
}

void VallalkoziMinimalber(db::Dataset& t) {
    db::Field& minber = t.FieldByName("DG_VALLALKMINBER");
    if (minber.IsNull()) return;
    if (minber.AsFloat() == 138000)
        minber.SetAsFloat(149000);
    else if (minber.AsFloat() == 180500)
        minber.SetAsFloat(195000);
}

void DolgozoSzabadsag(db::Dataset& t, int year) {
    const std::string alkmin = t.FieldByName("DG_ALKMIN").AsString();
    if (alkmin == "1" || alkmin == "2" || alkmin == "5") {
        const double born = t.FieldByName("DG_SZULDAT").AsDateTime();
        const int days = SzabadsagNapok(born == 0 ? 0 : os::DecodeDate(born).year, year);
        t.FieldByName("DG_EVISZAB").SetAsInteger(days);
        t.FieldByName("DG_ELOSZAB").Clear();
        t.FieldByName("DG_SZABKER").SetAsFloat(days + t.FieldByName("DG_POTSZAB").AsFloat());
        t.FieldByName("DG_BETEGSZABKER").SetAsInteger(15);
    } else {
        for (const char* name : {"DG_EVISZAB", "DG_ELOSZAB", "DG_SZABKER", "DG_POTSZAB", "DG_BETEGSZABKER"})
            t.FieldByName(name).Clear();
    }
}
