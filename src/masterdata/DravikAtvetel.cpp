#include "masterdata/DravikAtvetel.h"

#include <QDir>
#include <QString>
#include <filesystem>
#include <map>

#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "masterdata/ElozoEviMasolas.h"
#include "platform/db/Dataset.h"
#include "platform/db/DbfTable.h"
#include "platform/db/Table.h"
#include "platform/db/Transaction.h"
#include "platform/os/DayNumber.h"
#include "platform/ui/QtString.h"

namespace fs = std::filesystem;

namespace {

// A source field's text, trimmed; "" when the file has no such field.
std::string Szoveg(const db::Dataset& d, const char* name) {
    const db::Field* f = d.FindField(name);
    return f ? TrimText(f->AsString()) : std::string();
}

// The year of a source date (a date field or a "YYYY.MM.DD" text); 0 when empty.
int Ev(const db::Dataset& d, const char* name) {
    const db::Field* f = d.FindField(name);
    if (!f || f->IsNull()) return 0;
    double day = 0;
    if (db::IsDateType(f->DataType()))
        day = f->AsDateTime();
    else if (!db::ParseDate(TrimText(f->AsString()), day))
        return 0;
    return day == 0 ? 0 : os::DecodeDate(day).year;
}

double Datum(const db::Dataset& d, const char* name) {
    const db::Field* f = d.FindField(name);
    if (!f || f->IsNull()) return 0;
    if (db::IsDateType(f->DataType())) return f->AsDateTime();
    double day = 0;
    return db::ParseDate(TrimText(f->AsString()), day) ? day : 0;
}

void OpenDbf(db::DbfTable& t, const std::string& path) {
    t.FileName = path;
    t.CodePage = db::DbfCodePage::Cp852;
    t.Open();
}

struct KonvSor {
    std::string vornTabla, vornMezo, dravTabla, dravMezo, alapert;
};

std::vector<KonvSor> KonvSorok(db::Dataset& konDV) {
    std::vector<KonvSor> sorok;
    for (konDV.First(); !konDV.Eof(); konDV.Next())
        sorok.push_back({TrimText(konDV.FieldByName("KON_VORNTABLA").AsString()),
                         TrimText(konDV.FieldByName("KON_VORNMEZO").AsString()),
                         TrimText(konDV.FieldByName("KON_DRAVTABLA").AsString()),
                         TrimText(konDV.FieldByName("KON_DRAVMEZO").AsString()),
                         konDV.FieldByName("KON_VORNALAPERT").AsString()});
    return sorok;
}

// A row that names a source table to copy; the company row is built apart.
bool Masolando(const KonvSor& sor) { return sor.vornTabla != "Cegek" && !sor.dravTabla.empty(); }

}  // namespace

std::string SzokozNulla(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c == ' ') c = '0';
    return out;
}

int CegSorszam(const std::string& item) {
    try {
        return std::stoi(item.substr(0, 5));
    } catch (const std::exception&) {
        return 0;
    }
}

std::string DravikAlapKonyvtar() {
    return (fs::path(QDir::homePath().toStdString()) / "Dravik" /
            std::to_string(std::stoi(FeldolgozasiEv) - 1))
               .string() +
           "/";
}

std::string DravikCegKonyvtar(const std::string& folder, int number) {
    return (fs::path(folder) / std::to_string(number)).string();
}

std::string DbfUtvonal(const std::string& folder, const std::string& table) {
    const QString wanted = QString::fromStdString(table + ".dbf");
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec))
        if (QString::fromStdString(e.path().filename().string()).compare(wanted, Qt::CaseInsensitive) == 0)
            return e.path().string();
    return (fs::path(folder) / (table + ".dbf")).string();
}

std::vector<std::string> DravikCegLista(const std::string& folder) {
    db::DbfTable t;
    OpenDbf(t, DbfUtvonal(folder, "cegek"));
    std::vector<std::string> items;
    const db::Field& sorszam = t.FieldByName("SORSZAM");
    for (t.First(); !t.Eof(); t.Next()) {
        std::string number = sorszam.AsString();
        // A numeric field reads without its leading blanks: put them back.
        if (!db::IsTextType(sorszam.DataType()) && number.size() < 5)
            number.insert(0, 5 - number.size(), ' ');
        items.push_back(SzokozNulla(number) + "   " + t.FieldByName("D_CEGNEV").AsString());
    }
    return items;
}

void DravikCegRekord(const db::Dataset& ceg, const db::Dataset& kp, db::Dataset& c, double today) {
    const auto set = [&c](const char* field, const std::string& value) {
        c.FieldByName(field).SetAsString(value);
    };
    c.FieldByName("CG_NYITDAT").SetAsDateTime(today);
    set("CG_NYITMOD", "D");
    set("CG_ELOZOEVIKOD", "DR");
    const std::string nev = Szoveg(kp, "CEG1");
    set("CG_NEV", nev);
    set("CG_RNEV", QString::fromStdString(nev).left(20).toStdString());
    set("CG_ADOSZAM", CsakSzamjegy(Szoveg(kp, "ADOSZAM")));
    set("CG_TBTORZSSZAM", CsakSzamjegy(Szoveg(kp, "TBTORZS")));
    set("CG_BANKSZLA", Szoveg(kp, "BANK"));
    set("CG_KSH", Szoveg(kp, "KSH"));
    const std::string cim = Szoveg(kp, "CUTCA");
    for (const char* prefix : {"CG_", "CG_LEV"}) {
        const std::string p = prefix;
        set((p + "IRSZ").c_str(), Szoveg(kp, "CIRSZ"));
        set((p + "VAROS").c_str(), Szoveg(kp, "CCIM"));
        set((p + "KOZTER").c_str(), TrimText(CimBont(cim, 0)));
        set((p + "KOZTERJEL").c_str(), TrimText(CimBont(cim, 1)));
        set((p + "HAZSZ").c_str(), TrimText(CimBont(cim, 2)));
    }
    set("CG_UGYINT", Szoveg(ceg, "D_UGYINTEZ"));
    set("CG_TEL", Szoveg(ceg, "D_TELEFON"));
    set("CG_ASZOLG", Szoveg(kp, "ASZOLGNEV"));
    set("CG_ASZOLGTEL", Szoveg(kp, "ASZOLGTEL"));
    const std::string evazon = CsakSzamjegy(Szoveg(kp, "EVAZON"));
    set("CG_EVADOAZ", evazon);
    if (!evazon.empty()) set("CG_ALKMINADATSZ", "21");
    set("CG_TEAOR", CsakSzamjegy(Szoveg(kp, "TEAOR")));
    set("CG_FOTEV", Szoveg(kp, "FOTEV"));
    if (c.FieldByName("CG_NEV").IsNull()) set("CG_NEV", "Üres");
    if (c.FieldByName("CG_RNEV").IsNull()) set("CG_RNEV", "Üres");
    if (c.FieldByName("CG_ADOSZAM").IsNull()) set("CG_ADOSZAM", "00000000000");
}

void DravikSzhakAtalakit(const db::Dataset& s, db::Dataset& t, int year) {
    db::Field& kod = t.FieldByName("DG_SZHAKEDVKOD");
    db::Field& kezd = t.FieldByName("DG_SZHAKEDVKEZD");
    db::Field& valt = t.FieldByName("DG_SZHAKEDVVALT");
    db::Field& veg = t.FieldByName("DG_SZHAKEDVVEG");
    const auto clear = [&](bool code) {
        if (code) kod.Clear();
        kezd.Clear();
        valt.Clear();
        veg.Clear();
    };
    const int vege = Ev(s, "SZHAKVEGE");
    if (vege != 0 && vege < year) return clear(true);
    const std::string tip = Szoveg(s, "SZHAKTIP");
    static const std::map<std::string, const char*> kUj = {
        {"03", ""},   {"04", ""},   {"07", ""},   {"08", ""},   {"14", ""},  {"16", ""},
        {"05", "18"}, {"15", "19"}, {"02", "23"}, {"12", "24"}, {"13", "25"}};
    if (auto it = kUj.find(tip); it != kUj.end()) {
        clear(true);
        if (*it->second) kod.SetAsString(it->second);
        return;
    }
    if (tip == "06") {
        if (Ev(s, "SZHAKVALT") < year) return clear(true);
        kod.SetAsString("06");
        veg.SetAsDateTime(Datum(s, "SZHAKVALT"));
    }
}

void DravikDolgozoUtofeldolgozas(db::Table& t, int year, double today) {
    t.First();
    while (!t.Eof()) {
        if (KilepettEvElott(t.FieldByName("DG_KILEPDAT"), year))
            t.Delete();
        else
            t.Next();
    }
    for (t.First(); !t.Eof(); t.Next()) {
        t.Edit();
        t.FieldByName("DG_NYITDAT").SetAsDateTime(today);
        t.FieldByName("DG_NYITMOD").SetAsString("D");
        if (t.FieldByName("DG_ALKMIN").AsString() == "8") t.FieldByName("DG_BALJAR").SetAsString("I");
        DolgozoBerforma(t);
        t.FieldByName("DG_SZHA").SetAsString("I");
        DolgozoAlapertekek(t);
        if (t.FieldByName("DG_NYUGALKMIN2").AsString() == "11") t.FieldByName("DG_NYUGALKMIN2").Clear();
        DolgozoSzabadsag(t, year);
        VallalkoziMinimalber(t);
        t.Post();
    }
}

bool DravikKonvUres(db::Dataset& konDV) {
    for (const KonvSor& sor : KonvSorok(konDV))
        if (Masolando(sor)) return false;
    return true;
}

std::vector<ElutasitottSorok> DravikTablakMasol(db::Dataset& konDV, const std::string& companyFolder,
                                                const std::string& code, int year, double today,
                                                const std::function<void(int)>& progress) {
    const std::vector<KonvSor> sorok = KonvSorok(konDV);
    std::vector<ElutasitottSorok> refused;
    std::string last;
    for (const KonvSor& sor : sorok) {
        if (!Masolando(sor) || sor.dravTabla == last) continue;
        last = sor.dravTabla;
        db::DbfTable source;
        db::Table target;
        target.DatabaseName = AktualisAlias;
        target.TableName = sor.vornTabla + "_" + code;
        // Where the copy stands, for the message of a failure.
        std::string hely = sor.dravTabla + " tábla";
        try {
            OpenDbf(source, DbfUtvonal(companyFolder, sor.dravTabla));
            if (progress) progress(source.RecordCount());
            hely = target.TableName + " tábla";
            // The table's rows and their post-processing reach the disk together or not at all.
            db::Transaction tx{&target};
            target.Open();
            // The conversion row of each target field, or none.
            std::vector<const KonvSor*> mezok(target.FieldCount(), nullptr);
            for (int i = 0; i < target.FieldCount(); ++i)
                for (const KonvSor& k : sorok)
                    if (k.vornTabla == sor.vornTabla && k.vornMezo == target.Fields(i).FieldName()) {
                        mezok[i] = &k;
                        break;
                    }
            const bool dolgozo =
                QString::fromStdString(sor.dravTabla).compare("DOLGOZO", Qt::CaseInsensitive) == 0;
            int dropped = 0, rekord = 0;
            for (source.First(); !source.Eof(); source.Next()) {
                const std::string sorHely =
                    sor.dravTabla + " tábla, " + std::to_string(++rekord) + ". rekord";
                hely = sorHely;
                target.Append();
                for (int i = 0; i < target.FieldCount(); ++i) {
                    const KonvSor* k = mezok[i];
                    if (!k) continue;
                    db::Field& to = target.Fields(i);
                    hely = sorHely + ", " + to.FieldName() + " mező (" +
                           (k->dravMezo.empty() ? std::string("alapérték") : "forrás: " + k->dravMezo) + ")";
                    const db::Field* from = k->dravMezo.empty() ? nullptr : &source.FieldByName(k->dravMezo);
                    if (!from || TrimText(from->AsString()).empty()) {
                        if (!k->alapert.empty()) to.SetAsString(k->alapert);
                    } else if (db::IsTextType(from->DataType())) {
                        to.SetAsString(TrimText(from->AsString()));
                    } else {
                        to.SetValue(from->Value());
                    }
                }
                hely = sorHely;
                if (dolgozo) DravikSzhakAtalakit(source, target, year);
                try {
                    target.Post();
                } catch (const db::EngineError& e) {
                    target.Cancel();
                    if (e.Code() != db::EngineError::KeyViolation &&
                        e.Code() != db::EngineError::RequiredFieldMissing)
                        throw;
                    // Refused by the table: counted, so the closing message names it.
                    ++dropped;
                } catch (const db::DatabaseError&) {
                    target.Cancel();  // a required field left empty
                    ++dropped;
                }
                if (progress) progress(-1);
            }
            hely = target.TableName + " tábla";
            if (target.FindField("DG_TORZSSZAM")) {
                try {
                    DravikDolgozoUtofeldolgozas(target, year, today);
                } catch (...) {
                    hely += ", " + TrimText(target.FieldByName("DG_TORZSSZAM").AsString()) +
                            " törzsszámú dolgozó";
                    throw;
                }
            }
            tx.Commit();
            if (dropped > 0) refused.push_back({target.TableName, dropped});
        } catch (const std::exception& e) {
            throw std::runtime_error(std::string(e.what()) + "\rA hiba helye: " + hely);
        }
    }
    return refused;
}
