#include "lists/occasional/MunkanelkJar.h"

#include <algorithm>

#include "core/DataModule1.h"
#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "lists/occasional/Igazolasok.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/DayNumber.h"
#include "platform/ui/QtString.h"

namespace {

double Datum(db::Dataset& d, const char* field) {
    db::Field& f = d.FieldByName(field);
    return f.IsNull() ? 0 : f.AsDateTime();
}

const char* const kSelect =
    "Select SF_DGTORZSSZAM, SF_HONAP, SF_KIFIZDAT, SF_JCKOD, SF_SORSZAM, SF_RJSORSZAM, SF_OSSZEG, "
    "SF_ADOALAP, "
    "SF_JARALAP, JC_JARULKOD, SF_TOL, SF_IG";

// This year's rows of the ranges and, with `elozoKod`, last year's rows of
// the employees whose registration number and tax id are the same in both
// years. Every value is bound.
std::string Lekerdezes(const std::string& elozoKod) {
    const std::string szamfejt = ListSql::Table(*DM1->TableSzamfejt);
    const std::string dolgozo = ListSql::Table(*DM1->TableDolgozo);
    std::string sql = std::string(kSelect) + "\nFrom " + szamfejt + " tSzamf\nInner Join " + dolgozo +
                      " tDolg\nOn tSzamf.SF_DGTORZSSZAM = tDolg.DG_TORZSSZAM\nInner Join " +
                      ListSql::Table(*DM1->TableJogcim) +
                      " tJogc\nOn tSzamf.SF_JCKOD = tJogc.JC_KOD\n"
                      "Where tSzamf.SF_DGTORZSSZAM >= :dgTol AND tSzamf.SF_DGTORZSSZAM <= :dgIg\n"
                      "And tDolg.DG_MHKOD >= :mhTol And tDolg.DG_MHKOD <= :mhIg\n";
    if (!elozoKod.empty()) {
        const std::string elozo = std::string(kElozoEv) + ".";
        sql += "Union All\n" + std::string(kSelect) + "\nFrom " + elozo +
               db::SqlName("Szamfejt_" + elozoKod) + " tSzamfElozo\nInner Join " + dolgozo +
               " tDolg\nOn tSzamfElozo.SF_DGTORZSSZAM = tDolg.DG_TORZSSZAM\nInner Join " + elozo +
               db::SqlName("Dolgozo_" + elozoKod) +
               " tDolgElozo\nOn (tSzamfElozo.SF_DGTORZSSZAM = tDolgElozo.DG_TORZSSZAM) And (tDolg.DG_ADOAZ = "
               "tDolgElozo.DG_ADOAZ)\nInner Join " +
               elozo + db::SqlName("Jogcim_" + elozoKod) +
               " tJogcElozo\nOn tSzamfElozo.SF_JCKOD = tJogcElozo.JC_KOD\n"
               "Where tSzamfElozo.SF_DGTORZSSZAM >= :dgTol AND tSzamfElozo.SF_DGTORZSSZAM <= :dgIg\n"
               "And tDolgElozo.DG_MHKOD >= :mhTol And tDolgElozo.DG_MHKOD <= :mhIg\n"
               // A blank tax id is no tax id: two employees without one are not the same.
               "And Trim(tDolg.DG_ADOAZ) <> ''\n";
    }
    return sql + "Order By SF_DGTORZSSZAM, SF_HONAP, SF_KIFIZDAT, SF_JCKOD, SF_SORSZAM, SF_RJSORSZAM";
}

// Field positions of the work table's record.
enum Mezo : size_t {
    DOLGOZO_KOD,
    DOLGOZO_NEV,
    S01A,
    S02A,
    S03A,
    S04A,
    S05A,
    S06A,
    S07A,
    S08A,
    S08B,
    S09A,
    S10A,
    S11A,
    S12A,
    S13A,
    S14A,
    S15A,
    S16A,
    S16B,
    S17A,
    S18A,
    S19A,
    S19B,
    S20A,
    S21A,
    S21B,
    kMezok
};

// Gross and net (less 33.5 %) base wage; empty for another wage form.
void Alapber(db::Dataset& d, db::Record& r) {
    const std::string forma = d.FieldByName("DG_BERFORM").AsString();
    const double alapber = d.FieldByName("DG_ALAPBER").AsFloat();
    Decimal w;
    if (forma == "1") {
        w = ToDecimal(alapber);
    } else if (forma == "2") {
        const long double f = std::max<long double>(1, d.FieldByName("DG_NAPIKOTORA").AsFloat() / 8.0L);
        w = Multiply(Multiply(ToDecimal(alapber), ToDecimal(174)), ToDecimal(static_cast<double>(f)));
    } else {
        return;
    }
    const Decimal netto = Subtract(w, Multiply(w, ToDecimal(0.335)));
    r[S21A] = std::to_string(Kerekit(w));
    r[S21B] = std::to_string(Kerekit(netto));
}

QString Szoveg(db::Dataset& d, const char* field) { return MezoSzoveg(d, field); }

// The employer's and the employee's fields of a new row.
db::Record UjSor(const std::string& kod) {
    db::Record r(kMezok);
    r[DOLGOZO_KOD] = kod;
    r[S01A] = S(CegMezo("CG_NEV"));
    r[S02A] = S(CegCime());
    r[S03A] = S(CegMezo("CG_ADOSZAM"));
    r[S04A] = S(CegMezo("CG_TEAOR"));
    db::Table& d = *DM1->TableDolgozo;
    if (!d.Locate("DG_TORZSSZAM", kod)) return r;
    r[DOLGOZO_NEV] = r[S05A] = S(Szoveg(d, "DG_NEV"));
    r[S06A] = S(Szoveg(d, "DG_LEANYKNEV"));
    r[S07A] = S(Szoveg(d, "DG_ANYJANEV"));
    r[S08A] = S(Szoveg(d, "DG_SZULHELY"));
    r[S08B] = S(Szoveg(d, "DG_SZULDAT"));
    r[S09A] = S(Szoveg(d, "DG_TAJSZ"));
    r[S10A] = S(DolgozoCime());
    r[S12A] = S(Szoveg(d, "DG_FEOR"));
    r[S13A] = S(Szoveg(d, "DG_BELEPDAT"));
    r[S14A] = S(Szoveg(d, "DG_KILEPDAT"));
    const QString munkakor = Szoveg(d, "DG_UTMUNKAKOR");
    r[S18A] = S(munkakor.isEmpty() ? Szoveg(d, "DG_FEOR") : munkakor);
    r[S20A] = S(Szoveg(d, "DG_MEGSZMOD"));
    Alapber(d, r);
    return r;
}

std::string Osszeg(long long x) { return std::to_string(x); }

}  // namespace

WorkTable MunkanelkJarTabla() {
    using T = db::FieldType;
    WorkTable t;
    t.name = "List_MunkanelkJar";
    t.key = "DOLGOZO_KOD";
    t.fields = {{"DOLGOZO_KOD", T::String, 11}, {"DOLGOZO_NEV", T::String, 30}, {"S01A", T::String, 60},
                {"S02A", T::String, 100},       {"S03A", T::String, 11},        {"S04A", T::String, 6},
                {"S05A", T::String, 30},        {"S06A", T::String, 30},        {"S07A", T::String, 30},
                {"S08A", T::String, 20},        {"S08B", T::String, 11},        {"S09A", T::String, 9},
                {"S10A", T::String, 100},       {"S11A", T::String, 100},       {"S12A", T::String, 4},
                {"S13A", T::String, 11},        {"S14A", T::String, 11},        {"S15A", T::String, 11},
                {"S16A", T::String, 10},        {"S16B", T::String, 100},       {"S17A", T::String, 5},
                {"S18A", T::String, 60},        {"S19A", T::String, 11},        {"S19B", T::String, 11},
                {"S20A", T::String, 50},        {"S21A", T::String, 10},        {"S21B", T::String, 10}};
    return t;
}

NegyedevAblak NegyedevekKilepesElott(double kilepes, int ev) {
    if (kilepes == 0) return {os::EncodeDate(ev - 1, 1, 1), os::EncodeDate(ev - 1, 12, 31)};
    const os::YMD k = os::DecodeDate(kilepes);
    const int negyedevKezd = (k.month - 1) / 3 * 3 + 1;
    const double kezd = os::EncodeDate(k.year - 1, negyedevKezd, 1);
    return {kezd, os::EncodeDate(k.year, negyedevKezd, 1) - 1};
}

long double KezdoHonapszam(double belepes, const NegyedevAblak& ablak) {
    const double s = NagyobbDatum(belepes, ablak.kezd);
    const double e = ablak.veg;
    if (!(s < e)) return 0;
    const os::YMD ks = os::DecodeDate(s), ke = os::DecodeDate(e);
    const int d = os::DaysInMonth(ks.year, ks.month);
    return 12 * (ke.year - ks.year) + ke.month - ks.month + static_cast<long double>(d - ks.day + 1) / d;
}

int SorEve(double kifizetes, int honap, int ev) {
    if (kifizetes == 0) return ev;
    const os::YMD k = os::DecodeDate(kifizetes);
    return k.month == 1 && honap == 12 ? k.year - 1 : k.year;
}

void MunkanelkJarSorok(const MunkanelkJarParameterek& p, const std::string& elozoKod,
                       const std::function<void(int)>& start, const std::function<void()>& step) {
    const int ev = std::stoi(FeldolgozasiEv);
    LocateCompany();
    Query1Fill fill;
    db::Query& q = *DM1->Query1;
    q.SetSQL(Lekerdezes(elozoKod));
    if (!elozoKod.empty()) q.AddSchema(kElozoEv, ElozoEviAlias);
    q.ParamByName("dgTol").SetAsString(S(p.dgTol));
    q.ParamByName("dgIg").SetAsString(S(p.dgIg));
    q.ParamByName("mhTol").SetAsString(S(p.mhTol));
    q.ParamByName("mhIg").SetAsString(S(p.mhIg));
    q.Open();
    if (start) start(q.RecordCount());

    std::vector<db::Record> sorok;
    db::Table& dolgozo = *DM1->TableDolgozo;
    db::Table& jogcim = *DM1->TableJogcim;
    for (q.First(); !q.Eof();) {
        const std::string kod = q.FieldByName("SF_DGTORZSSZAM").AsString();
        db::Record r = UjSor(kod);
        const bool van = dolgozo.Locate("DG_TORZSSZAM", kod);
        const NegyedevAblak ablak = NegyedevekKilepesElott(van ? Datum(dolgozo, "DG_KILEPDAT") : 0, ev);
        long double honapok = KezdoHonapszam(van ? Datum(dolgozo, "DG_BELEPDAT") : 0, ablak);
        Decimal alap;
        for (; !q.Eof() && q.FieldByName("SF_DGTORZSSZAM").AsString() == kod; q.Next()) {
            if (step) step();
            const int honap = static_cast<int>(q.FieldByName("SF_HONAP").AsInteger());
            const double kifizetes = Datum(q, "SF_KIFIZDAT");
            const int y = SorEve(kifizetes, honap, ev);
            const int napok = os::DaysInMonth(y, honap);
            if (napok == 0) continue;  // no month to date the row by
            const double datum = KisebbDatum(kifizetes, os::EncodeDate(y, honap, napok));
            if (datum < ablak.kezd || datum > ablak.veg) continue;
            const std::string jc = q.FieldByName("SF_JCKOD").AsString();
            if (jc == "306") alap = Add(alap, ToDecimal(q.FieldByName("SF_JARALAP").AsFloat()));
            const double tol = Datum(q, "SF_TOL"), ig = Datum(q, "SF_IG");
            if (jogcim.Locate("JC_KOD", jc) && jogcim.FieldByName("JC_JARULKOD").AsString() >= "10" &&
                tol != 0 && ig != 0)
                honapok -= static_cast<long double>(ig - tol + 1) / napok;
        }
        const long long alapKerek = Kerekit(alap);
        r[S15A] = DatumSzoveg(ablak.kezd);
        r[S16A] = Osszeg(alapKerek);
        r[S16B] = SzamBetuvel(ToInt32(alapKerek));
        r[S17A] = S(SzamSzoveg(static_cast<double>(KerekitN(2, honapok))));
        // The stored averages of the employee's exit replace the computed ones.
        if (van) {
            if (!dolgozo.FieldByName("DG_ATLAGKEZD").IsNull()) r[S15A] = S(Szoveg(dolgozo, "DG_ATLAGKEZD"));
            if (!dolgozo.FieldByName("DG_ATLAGKER").IsNull()) {
                const long long atlag =
                    Kerekit(static_cast<long double>(dolgozo.FieldByName("DG_ATLAGKER").AsFloat()));
                r[S16A] = Osszeg(atlag);
                r[S16B] = SzamBetuvel(ToInt32(atlag));
            }
            if (!dolgozo.FieldByName("DG_ATLAGHONAP").IsNull())
                r[S17A] = S(SzamSzoveg(dolgozo.FieldByName("DG_ATLAGHONAP").AsFloat()));
        }
        sorok.push_back(std::move(r));
    }
    MunkanelkJarTabla().Write(sorok);
}
