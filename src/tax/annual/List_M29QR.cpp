#include "tax/annual/List_M29QR.h"

#include <vector>

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/Nyomtatas.h"
#include "platform/db/Table.h"
#include "platform/os/Text.h"
#include "platform/ui/QtString.h"
#include "tax/annual/List_M30QR.h"

namespace {

using report::Align;

QString Mezo(db::Dataset& d, const char* field) { return Q(d.FieldByName(field).AsString()); }
QString Ceg(const char* field) { return Mezo(*DM1->TableCegek, field); }
bool Van(db::Dataset& d, const char* field) {
    db::Field* f = d.FindField(field);
    return f && !f->IsNull();
}
QString Jelolo(db::Dataset& d, const std::string& field) {
    return d.FieldByName(field).AsString() == "I" ? QStringLiteral("X") : QString();
}

QString CegCim() {
    return CimOsszefuz(*DM1->TableCegek, {"CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ",
                                          "CG_EPULET", "CG_LEPCSOHAZ", "CG_EMELET", "CG_AJTO"});
}
QString DolgozoCim(db::Dataset& d) {
    return Mezo(d, "DG_VAROS") + "   " +
           CimOsszefuz(d, {"DG_KOZTER", "DG_KOZTERJEL", "DG_HAZSZ", "DG_EPULET", "DG_EMELET", "DG_AJTO"}) +
           "   " + Mezo(d, "DG_IRSZ");
}

// The employee of a code, located in the employee table.
db::Dataset& Dolgozo(const QString& code) {
    DM1->TableDolgozo->Locate("DG_TORZSSZAM", S(code));
    return *DM1->TableDolgozo;
}

// A caption and its value on one line.
void Adat(report::Band& band, double x, double y, double w, const QString& caption,
          std::function<QString()> value, double vw) {
    band.Label(x, y, w, caption).Size(8);
    band.Computed(x + w, y, vw, std::move(value)).Size(8).Bold();
}

// The employer's lines; returns the next line's position.
double Munkaltato(report::Band& band, double y) {
    Adat(
        band, 0, y, 40, QStringLiteral("A munkáltató neve:"), [] { return Ceg("CG_NEV"); }, 150);
    Adat(
        band, 0, y + 5, 40, QStringLiteral("címe:"), [] { return CegCim(); }, 150);
    Adat(
        band, 0, y + 10, 40, QStringLiteral("adószáma:"),
        [] { return TList_M30QRForm::AdoszamFormaz(Ceg("CG_ADOSZAM")); }, 60);
    return y + 16;
}

// A row of the form: number, caption and its cells ("0" for an empty one).
struct Sor {
    const char* szam;
    const char* szoveg;
};
// clang-format off
const Sor kLap2[] = {
    {"1", "Munkaviszonyból származó bérjövedelem érdekképv. tagdij nélkül"},
    {"2", "Munkaviszonnyal kapcsolatos költségtérités"},
    {"3", "Külszolgálatért kapott jövedelem"},
    {"4", "Más bérjövedelem"},
    {"5", "Más nem önálló tevékenységből származó jövedelem"},
    {"6", "Nem önálló tevékenységgel kapcsolatos költségtérítés"},
    {"7", "Önálló tevékenységből származó jövedelem"},
    {"8", "A 7. sorból az ingatlan bérbeadásából származó jövedelem"},
    {"14", "Egyéb jogcímen kapott jövedelem"},
    {"18", "Az összevont adóalapba tartozó jövedelmek összege (1-7. és 14. sorok)"},
    {"20", "Első házasok kedvezménye"},
    {"21", "Az összevont adóalap első házasok kedvezményével csökkentett összege (18d - 20b)"},
    {"22", "Családi kedvezmény törvény szerinti összege"},
    {"23", "Más jogosult személyek által érvényesített családi járulékkedvezmény"},
    {"24", "A adózó által érvényesített családi járulékkedvezmény"},
    {"25", "Házastárssal, élettárssal együtt még igénybe vehető családi kedvezmény (22b - 23b - 24b)"},
    {"26", "A 25b sorból az adózó által még érvényesíteni kívánt családi kedvezmény"},
    {"27", "Az összevont adóalapot csökkentő családi kedvezmény (26b, de max. 21b)"},
    {"28", "A 26b sorból fennmaradó családi kedvezmény összege (ha 26b > 27b akkor 26b - 27b, egyéb esetben 0)"},
    {"29", "Az összevont adóalap családi kedvezménnyel csökkentett összege (21b - 27b, min. 0)"},
    {"30", "A családi járulékkedvezménynél figyelembe vehető egészségbiztosítási és nyugdíjjárulék összege"},
    {"31", "A 30b sorból a levont, illetve megfizetett járulékok összege"},
    {"32", "A családi járulékkedvezmény címén visszaigényelhető összeg (28b 15%-a, de max 31b)"},
    {"36", "Öszevont adóalap (29b)"},
};
const Sor kLap3a[] = {
    {"40", "A számított adó (36c 15%-a)"},
    {"44", "Az összevont adóalap adója (40c)"},
    {"45", "Súlyos fogyatékosság miatt levonandó összeg, legfeljebb 66 600 Ft"},
    {"47", "Az összevont adóalap adóját csökkentő adókedvezmény (45c)"},
    {"48", "Az összevont adóalapot terhelő, kedvezménnyel csökkentett adó (44c - 47c)"},
    {"55", "Munkáltatói érdekképviseleti tagdij"},
    {"56", "A 2016. évben felvett osztalékelőleg"},
    {"58", "Lakás bérbeadása esetén a bevételt csökkentő tételek"},
};
const Sor kLap3b[] = {
    {"165", "Az árfolyamnyereség és adója"},
    {"167", "Az osztalék és adója"},
    {"173", "Vállalkozásból kivont jövedelem és adója"},
    {"178", "Elkülönülten adózó adóalap és adója (165-173. sorok együttes összege)"},
};
const Sor kLap3c[] = {
    {"61", "A 2016. évi jövedelem adója (48c + 178e)"},
    {"65", "A levont adóelöleg összege"},
    {"66", "A 2015. évben kifizetett osztalékelőlegből levont adó"},
    {"67", "Levont forrásadó összege"},
    {"69", "Összes levonás (65b + 66b + 67b)"},
    {"76", "Levont adó, adóelőleg (32b + 69b)"},
    {"79", "Még fizetendő adó (61c - 76c)"},
    {"80", "Visszaigényelhető adó, adóelőleg (76c - 61c)"},
};
// clang-format on

QString Cella(const std::string& field) {
    const db::Field& f = DM1->Query1->FieldByName(field);
    return f.IsNull() ? QStringLiteral("0") : Q(f.AsString());
}

double Sorok(report::Band& band, double y, const Sor* sorok, size_t n, const char* betuk) {
    static const double x[] = {95, 119, 143, 167};
    for (size_t i = 0; i < n; ++i) {
        band.Label(0, y, 9, QString(sorok[i].szam) + ".", Align::Right).Size(7);
        band.Label(11, y, 83, sorok[i].szoveg).Size(6);
        for (int c = 0; c < 4 && betuk[c]; ++c) {
            const std::string field = std::string("M29_S") + sorok[i].szam + betuk[c];
            if (!DM1->TableM29->FindField(field)) continue;
            band.Computed(
                    x[c], y, 23, [field] { return Cella(field); }, Align::Right)
                .Size(8)
                .Named(Q(field));
        }
        y += 5;
    }
    return y;
}

double Fejek(report::Band& band, double y, const char* betuk, const std::vector<QString>& nevek) {
    static const double x[] = {95, 119, 143, 167};
    for (size_t c = 0; c < nevek.size(); ++c) {
        band.Label(x[c], y, 23, nevek[c], Align::Right).Size(7);
        band.Label(x[c], y + 4, 23, QString(QChar(betuk[c])).toLower(), Align::Right).Size(7);
    }
    return y + 9;
}

void Alairas(report::Band& band, double y, const QString& bal, const QString& jobb) {
    band.Label(0, y, 80, QStringLiteral("2017. ............hó ......nap")).Size(8);
    band.Label(0, y + 12, 60, QStringLiteral("..................................."), Align::Center);
    band.Label(75, y + 12, 20, QStringLiteral("P.H."), Align::Center).Size(8);
    band.Label(120, y + 12, 70, QStringLiteral("..................................."), Align::Center);
    band.Label(0, y + 16, 60, bal, Align::Center).Size(7);
    band.Label(120, y + 16, 70, jobb, Align::Center).Size(7);
}

// The number of children pages of an employee: three children a page, or
// one page for the first-marriage or shared allowance alone.
int GyermekLapok(const std::string& code) {
    db::Query q;
    q.DatabaseName = DM1->TableSzamfejt->DatabaseName;
    ListSql sql;
    sql.Line("Select Count(*) As DB From " + ListSql::Table(*DM1->TableM292))
        .Equal("M292_DGTORZSSZAM", Q(code));
    sql.Apply(q);
    q.Open();
    const int lapok = static_cast<int>((q.FieldByName("DB").AsInteger() + 2) / 3);
    db::Table& ny = *DM1->TableNyilat;
    const bool nyilatkozat =
        ny.Locate("NY_DGTORZSSZAM", code) && (Van(ny, "NY_S151HADOAZ") || Van(ny, "NY_S155HADOAZ"));
    return std::max(lapok, nyilatkozat ? 1 : 0);
}

// A declaration field of the employee's row: non-blank.
bool NyilatkozatVan(const std::string& code, std::initializer_list<const char*> fields) {
    db::Table& ny = *DM1->TableNyilat;
    if (!ny.Locate("NY_DGTORZSSZAM", code)) return false;
    for (const char* f : fields)
        if (Van(ny, f)) return true;
    return false;
}

}  // namespace

// --- 16M29M ---------------------------------------------------------------------

TList_M29QRForm::TList_M29QRForm() : QuickRep1(QStringLiteral("List_M29QRForm")) {
    QuickRep1.DataSet = DM1->Query1;
    QuickRep1.BeforePrint = [](bool&) {
        DM1->Query1->First();
        LocateCompany();
    };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_M29QRForm")); };
    db::Query& q = *DM1->Query1;
    auto mezo = [&q](const char* f) { return [&q, f] { return Mezo(q, f); }; };

    auto& p1 = QuickRep1.AddDetail(270);
    QRBand1 = &p1;
    p1.Name = "QRBand1";
    p1.ForceNewPage = true;
    p1.Memo(0, 0, 150, 16).Bold().Lines = {
        "16M29M", QStringLiteral("Magánszemélyenkénti összesítő"),
        QStringLiteral("a 2016. évi személyi jövedelemadó megállapításához")};
    p1.Label(150, 0, 20, QStringLiteral("Sorszám:")).Size(8);
    p1.Computed(170, 0, 20, [] { return Cella("M29_SORSZAM"); }).Size(8).Bold().Named("M29_SORSZAM");
    double y = Munkaltato(p1, 20);
    Adat(
        p1, 0, y, 40, QStringLiteral("jogelőd adószáma:"), [] { return Ceg("CG_JOGELADOSZ"); }, 60);
    y += 8;
    const std::pair<const char*, const char*> dolgozo[] = {
        {"A dolgozó neve:", "DG_NEV"},       {"Törzsszáma:", "DG_TORZSSZAM"},
        {"adóazonosító jele:", "DG_ADOAZ"},  {"születési ideje:", "DG_SZULDAT"},
        {"születési neve:", "DG_LEANYKNEV"}, {"születési helye:", "DG_SZULHELY"},
    };
    for (auto [caption, field] : dolgozo) {
        Adat(p1, 0, y, 40, QString::fromUtf8(caption), mezo(field), 120);
        y += 5;
    }
    Adat(
        p1, 0, y, 40, QStringLiteral("címe:"), [&q] { return DolgozoCim(q); }, 150);
    y += 5;
    const std::pair<const char*, const char*> tovabbi[] = {
        {"neme:", "DG_NEM"},
        {"állampolgársága", "DG_ALLAMP"},
        {"anyja születési neve:", "DG_ANYJANEV"},
        {"Östermelői igazolvány száma:", "DG_OSTERMIGSZAM"},
        {"Családi gazd. nyilv. szám.:", "DG_CSALGAZDNYILVSZAM"},
        {"Mezőgazd. reg. szám:", "DG_MEZGAZDTERMSZAM"},
    };
    for (auto [caption, field] : tovabbi) {
        Adat(p1, 0, y, 50, QString::fromUtf8(caption), mezo(field), 110);
        y += 5;
    }
    y += 4;
    Adat(
        p1, 0, y, 140,
        QStringLiteral("Korábbi munkáltatótól, kifizetőtől származó jövedelem is szerepel az igazolásban :"),
        [&q] { return Mezo(q, "M29_HOZOTTJOV") == "I" ? QStringLiteral("Igen") : QStringLiteral("Nem"); },
        20);
    y += 5;
    Adat(
        p1, 0, y, 140, QStringLiteral("Az adatszolgáltatás jellege :"),
        [&q] { return Mezo(q, "M29_JELLEG").left(1); }, 20);
    y += 5;
    Adat(p1, 0, y, 140, QStringLiteral("Adómegállapítási kötelezettség nem terhelte:"), mezo("M29_KOTNEMT"),
         20);
    y += 8;
    p1.Label(0, y, 100, QStringLiteral("A csatolt mellékletek száma:")).Size(8).Bold();
    y += 5;
    auto code = [&q] { return q.FieldByName("M29_DGTORZSSZAM").AsString(); };
    const std::pair<const char*, std::function<QString()>> mellekletek[] = {
        {"16M29M-01-01 :", [] { return QStringLiteral("1"); }},
        {"16M29M-01-02 :", [] { return QStringLiteral("1"); }},
        {"16M29M-01-03 :", [] { return QStringLiteral("1"); }},
        {"16M29M-02 :", [code] { return QString::number(GyermekLapok(code())); }},
        {"16M29M-03 :", [code] { return QString(NyilatkozatVan(code(), {"NY_S126"}) ? "1" : "0"); }},
        {"16M29M-04 :",
         [code] {
             return QString(NyilatkozatVan(code(), {"NY_S136", "NY_S145", "NY_S149"}) ? "1" : "0");
         }},
        {"16M29M-05 :", [] { return QStringLiteral("0"); }},
    };
    for (const auto& [caption, value] : mellekletek) {
        Adat(p1, 10, y, 40, caption, value, 20);
        y += 5;
    }
    p1.Height = y + 2;

    auto fej = [&](report::Band& band, const QString& cim) {
        band.Label(0, 0, 60, cim).Bold();
        band.Label(0, 7, 45, QStringLiteral("A munkáltató adószáma:")).Size(8);
        band.Computed(45, 7, 30, [] { return Ceg("CG_ADOSZAM"); }).Size(8).Bold();
        band.Label(80, 7, 15, QStringLiteral("neve:")).Size(8);
        band.Computed(95, 7, 95, [] { return Ceg("CG_NEV"); }).Size(8).Bold();
        band.Label(0, 12, 45, QStringLiteral("A dolgozó adóazonosító jele:")).Size(8);
        band.Computed(45, 12, 30, [&q] { return Mezo(q, "DG_ADOAZ"); }).Size(8).Bold();
        band.Label(80, 12, 15, QStringLiteral("neve:")).Size(8);
        band.Computed(95, 12, 60, [&q] { return Mezo(q, "DG_NEV"); }).Size(8).Bold();
        band.Label(160, 12, 15, QStringLiteral("Sorszám:")).Size(8);
        band.Computed(175, 12, 15, [] { return Cella("M29_SORSZAM"); }).Size(8).Bold();
        return 18.0;
    };
    const std::vector<QString> bcd = {QStringLiteral("Bevétel"), QStringLiteral("Költség"),
                                      QStringLiteral("Jövedelem")};

    auto& p2 = QuickRep1.AddSubDetail(270, std::function<bool()>());
    QRSubDetail3 = &p2;
    p2.Name = "QRSubDetail3";
    p2.ForceNewPage = true;
    y = fej(p2, "16M29M-01-01");
    y = Fejek(p2, y, "ABCD", {QString(), bcd[0], bcd[1], bcd[2]});
    y = Sorok(p2, y, kLap2, std::size(kLap2), "ABCD");
    p2.Height = y + 2;

    auto& p3 = QuickRep1.AddSubDetail(270, std::function<bool()>());
    QRSubDetail1 = &p3;
    p3.Name = "QRSubDetail1";
    p3.ForceNewPage = true;
    y = fej(p3, "16M29M-01-02");
    y = Fejek(p3, y, "ABCD", {QString(), bcd[0], bcd[1], bcd[2]});
    y = Sorok(p3, y, kLap3a, std::size(kLap3a), "ABCD");
    y += 3;
    p3.Label(0, y, 60, "16M29M-01-03").Bold();
    y += 6;
    y = Fejek(p3, y, "DE", {QStringLiteral("Jövedelem"), QStringLiteral("Adó")});
    y = Sorok(p3, y, kLap3b, std::size(kLap3b), "DE");
    y += 3;
    y = Sorok(p3, y, kLap3c, std::size(kLap3c), "ABC");
    Alairas(p3, y + 6, QStringLiteral("A munkáltató aláírása"), QStringLiteral("A dolgozó aláírása"));
    p3.Height = y + 30;
}

// --- 16M29M-02 ------------------------------------------------------------------

TList_M293QRForm::TList_M293QRForm() : QuickRep1(QStringLiteral("List_M293QRForm")) {
    QuickRep1.DataSet = &Query1;
    QuickRep1.BeforePrint = [](bool&) { LocateCompany(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_M293QRForm")); };
    auto dolgozo = [this] { return std::ref(Dolgozo(Q(Query1.FieldByName("pDOLGOZO").AsString()))); };
    auto mezo = [dolgozo](const char* f) { return [dolgozo, f] { return Mezo(dolgozo().get(), f); }; };

    // The page header shows the employee being printed: each starts a page.
    auto& h = QuickRep1.AddPageHeader(78);
    h.Name = "QRBand2";
    h.Label(0, 0, 40, "16M29M-02").Bold();
    h.Label(0, 6, 190,
            QStringLiteral(
                "A 2016. évi személyi jövedelemadó munkáltató által történő megállapításához tett "
                "nyilatkozat az első házasok kedvezményének és a családi kedvezmény érvényesítéséhez"))
        .Size(7)
        .Wrap();
    h.Label(150, 14, 20, QStringLiteral("Sorszám:")).Size(8);
    h.Computed(170, 14, 20, [this] { return Mezo(Query1, "M29_SORSZAM"); }).Size(8).Bold();
    double y = Munkaltato(h, 20);
    const std::pair<const char*, const char*> adatok[] = {
        {"A dolgozó neve:", "DG_NEV"},       {"Törzsszáma:", "DG_TORZSSZAM"},
        {"adóazonosító jele:", "DG_ADOAZ"},  {"születési ideje:", "DG_SZULDAT"},
        {"születési helye:", "DG_SZULHELY"}, {"állampolgársága:", "DG_ALLAMP"},
        {"anyja neve:", "DG_ANYJANEV"},      {"A dolgozó születési neve:", "DG_LEANYKNEV"},
    };
    for (auto [caption, field] : adatok) {
        Adat(h, 0, y, 45, QString::fromUtf8(caption), mezo(field), 120);
        y += 4.5;
    }
    Adat(
        h, 0, y, 45, QStringLiteral("címe:"), [dolgozo] { return DolgozoCim(dolgozo().get()); }, 145);

    static const char* const kHonapok[] = {"JANUAR",     "FEBRUAR", "MARCIUS",  "APRILIS",
                                           "MAJUS",      "JUNIUS",  "JULIUS",   "AUGUSZTUS",
                                           "SZEPTEMBER", "OKTOBER", "NOVEMBER", "DECEMBER"};
    static const char* const kRovid[] = {"Jan.", "Febr.", "Márc.",  "Ápr.", "Máj.", "Jún.",
                                         "Júl.", "Aug.",  "Szept.", "Okt.", "Nov.", "Dec."};
    auto honapok = [](report::Band& band, double y, std::function<QString(const std::string&)> value) {
        for (int m = 0; m < 12; ++m) {
            const double x = 30 + m * 13;
            band.Label(x, y, 12, QString::fromUtf8(kRovid[m]), Align::Center).Size(6);
            const std::string month = kHonapok[m];
            band.Computed(
                    x, y + 4, 12, [value, month] { return value(month); }, Align::Center)
                .Size(8);
        }
    };

    // Per employee: the first-marriage allowance, on a page of its own.
    auto& d = QuickRep1.AddDetail(30);
    QRBand1 = &d;
    d.Name = "QRBand1";
    d.ForceNewPage = true;
    d.BeforePrint = [this](bool&) {
        gyermek_ = 0;
        nyilat_ = DM1->TableNyilat->Locate("NY_DGTORZSSZAM", Query1.FieldByName("pDOLGOZO").AsString());
        ReopenChained(Query2, Query1);
        Query2.Open();
    };
    auto ny = [](const std::string& f) {
        db::Table& t = *DM1->TableNyilat;
        return t.FieldByName("NY_DGTORZSSZAM").AsString().empty() ? QString()
                                                                  : Q(t.FieldByName(f).AsString());
    };
    d.Label(0, 0, 190,
            QStringLiteral("A magánszemély első házasok kedvezményéről tett nyilatkozatának adatai"))
        .Size(8)
        .Bold();
    Adat(
        d, 0, 5, 45, QStringLiteral("A házastárs adóazonosító jele:"), [ny] { return ny("NY_S151HADOAZ"); },
        30);
    Adat(
        d, 80, 5, 15, QStringLiteral("neve:"), [ny] { return ny("NY_S151HNEV"); }, 90);
    honapok(d, 10, [ny](const std::string& m) { return ny("NY_S151" + m); });
    d.Label(0, 22, 190, QStringLiteral("A magánszemély családi kedvezményről tett nyilatkozat adatai"))
        .Size(8)
        .Bold();

    // A child; the fourth, seventh ... begins a page.
    auto& c = QuickRep1.AddSubDetail(32, Query2);
    QRSubDetail1 = &c;
    c.Name = "QRSubDetail1";
    c.BeforePrint = [this, &c](bool&) {
        c.ForceNewPage = gyermek_ > 0 && gyermek_ % 3 == 0;
        ++gyermek_;
    };
    auto gy = [this](const std::string& f) { return Q(Query2.FieldByName(f).AsString()); };
    Adat(
        c, 0, 0, 30, QStringLiteral("adóazonosító jele:"), [gy] { return gy("M292_ADOAZON"); }, 30);
    Adat(
        c, 65, 0, 15, QStringLiteral("neve:"), [gy] { return gy("M292_VEZETEK") + " " + gy("M292_KERESZT"); },
        100);
    honapok(c, 5, [gy](const std::string& m) { return gy("M292_" + m); });
    c.Label(0, 15, 40, QStringLiteral("Jogosultság jogcíme")).Size(7);
    const std::pair<const char*, const char*> jogcimek[] = {{"Gyermek után családi pótlék:", "M292_JOGCIM1"},
                                                            {"Saját jogon családi pótlék:", "M292_JOGCIM2"},
                                                            {"Rokkantsági járadék:", "M292_JOGCIM3"},
                                                            {"Várandós:", "M292_JOGCIM4"}};
    for (int i = 0; i < 4; ++i)
        Adat(
            c, (i % 2) * 95, 19 + (i / 2) * 4.5, 45, QString::fromUtf8(jogcimek[i].first),
            [gy, f = std::string(jogcimek[i].second)] { return gy(f); }, 10);
    Adat(
        c, 120, 23.5, 10, QStringLiteral("tól:"), [gy] { return gy("M292_VARKEZD"); }, 25);
    Adat(
        c, 158, 23.5, 8, QStringLiteral("ig:"), [gy] { return gy("M292_VARVEG"); }, 25);

    // After the children: the allowance shared or claimed together.
    auto& f = QuickRep1.AddSubDetail(60, std::function<bool()>());
    f.Name = "QRBand5";
    f.AfterPrint = [this] { Query2.Close(); };
    f.Label(0, 0, 190,
            QStringLiteral("A családi adóalap- és járulékkedvezmény megosztásáról, közös érvényesítéséről a "
                           "magánszemély által tett nyilatkozat adatai"))
        .Size(8)
        .Bold()
        .Wrap();
    y = 9;
    for (const char* sor : {"NY_S155", "NY_S156"}) {
        const std::string s = sor;
        f.Label(0, y, 12, QString(sor + 4) + ".").Size(8);
        auto x = [this, s](const std::string& m) {
            return nyilat_ ? Jelolo(*DM1->TableNyilat, s + m) : QString();
        };
        Adat(
            f, 12, y, 22, QStringLiteral("közösen érv.:"), [x] { return x("KOZOSERV"); }, 8);
        Adat(
            f, 45, y, 18, QStringLiteral("megoszt.:"), [x] { return x("MEGOSZT"); }, 8);
        Adat(
            f, 75, y, 22, QStringLiteral("adóazonosító:"), [ny, s] { return ny(s + "HADOAZ"); }, 25);
        Adat(
            f, 125, y, 10, QStringLiteral("név:"), [ny, s] { return ny(s + "HNEV"); }, 55);
        honapok(f, y + 5, x);
        y += 20;
    }

    auto& lab = QuickRep1.AddPageFooter(40);
    lab.Name = "QRBand3";
    lab.Label(0, 0, 190,
              QStringLiteral("A 16M29M-es elszámolás részét képező 16M29M-02 kiegészítő lap megegyezik a "
                             "munkáltatónak tett nyilatkozatommal."))
        .Size(8)
        .Wrap();
    lab.Label(0, 9, 80, QStringLiteral("Az elszámolást átvettem.")).Size(8);
    Alairas(lab, 15, QStringLiteral("A dolgozó aláírása"), QStringLiteral("A munkáltató aláírása"));
}

// --- 16M29M-03 and 16M29M-04 ------------------------------------------------------

TList_M29NyilatkozatQRForm::TList_M29NyilatkozatQRForm(const QString& name, const QString& title,
                                                       const QString& subtitle, std::vector<Sor> rows)
    : QuickRep1(name) {
    QuickRep1.DataSet = DM1->Query1;
    QuickRep1.BeforePrint = [](bool&) {
        DM1->Query1->First();
        LocateCompany();
    };
    QuickRep1.OnPreview = [this, name] { ShowReportPreview(QuickRep1, name); };
    db::Query& q = *DM1->Query1;
    auto dolgozo = [&q]() -> db::Dataset& { return Dolgozo(Mezo(q, "M29_DGTORZSSZAM")); };
    auto& p = QuickRep1.AddDetail(270);
    p.Name = "QRBand1";
    p.ForceNewPage = true;
    p.Label(0, 0, 40, title).Bold();
    p.Label(0, 6, 150, subtitle).Bold();
    double y = Munkaltato(p, 14);
    const std::pair<const char*, const char*> adatok[] = {
        {"A dolgozó neve:", "DG_NEV"},       {"Törzsszáma:", "DG_TORZSSZAM"},
        {"születési neve:", "DG_LEANYKNEV"}, {"anyja neve:", "DG_ANYJANEV"},
        {"adóazonosító jele:", "DG_ADOAZ"},  {"születési ideje:", "DG_SZULDAT"},
        {"születési helye:", "DG_SZULHELY"}, {"állampolgársága:", "DG_ALLAMP"},
    };
    for (auto [caption, field] : adatok) {
        Adat(
            p, 0, y, 45, QString::fromUtf8(caption), [dolgozo, field] { return Mezo(dolgozo(), field); },
            120);
        y += 5;
    }
    Adat(
        p, 0, y, 45, QStringLiteral("címe:"), [dolgozo] { return DolgozoCim(dolgozo()); }, 145);
    y += 8;
    for (const Sor& r : rows) {
        const std::string field = r.field;
        Adat(
            p, 0, y, 90, QString::fromUtf8(r.caption),
            [&q, field, mark = r.mark] {
                return mark ? Jelolo(q, field) : Q(q.FieldByName(field).AsString());
            },
            90);
        y += 5;
    }
    y += 10;
    p.Label(120, y, 70, QStringLiteral("..................................."), Align::Center);
    p.Label(120, y + 4, 70, QStringLiteral("A dolgozó aláírása"), Align::Center).Size(7);
    p.Height = y + 10;
}

TList_M294QRForm::TList_M294QRForm()
    : TList_M29NyilatkozatQRForm(QStringLiteral("List_M294QRForm"), "16M29M-03",
                                 QStringLiteral("Rendelkező nyilatkozatok az adóról I."),
                                 {{"Sorszám:", "M29_SORSZAM"},
                                  {"101.", "NY_S101"},
                                  {"102.", "NY_S102"},
                                  {"104. adóazonosító:", "NY_S104ADOAZ"},
                                  {"104. név:", "NY_S104NEV"},
                                  {"105. adóazonosító:", "NY_S105ADOAZ"},
                                  {"105. név:", "NY_S105NEV"},
                                  {"106. jövedelemkorlát:", "NY_S106JOVKORL"},
                                  {"125.", "NY_S125"},
                                  {"126.", "NY_S126"},
                                  {"127. név:", "NY_S127NEV"},
                                  {"127. adószám:", "NY_S127ASZ"},
                                  {"127. bankszámla:", "NY_S127BANK"},
                                  {"128.", "NY_S128", true}}) {}

TList_M295QRForm::TList_M295QRForm()
    : TList_M29NyilatkozatQRForm(QStringLiteral("List_M295QRForm"), "16M29M-04",
                                 QStringLiteral("Rendelkező nyilatkozatok az adóról II."),
                                 {{"Sorszám:", "M29_SORSZAM"},
                                  {"131.", "NY_S131"},
                                  {"132.", "NY_S132"},
                                  {"133.", "NY_S133"},
                                  {"134.", "NY_S134"},
                                  {"135.", "NY_S135"},
                                  {"136.", "NY_S136"},
                                  {"137. név:", "NY_S137NEV"},
                                  {"137. adószám:", "NY_S137ASZ"},
                                  {"137. bankszámla:", "NY_S137BANK"},
                                  {"138.", "NY_S138", true},
                                  {"144.", "NY_S144"},
                                  {"145.", "NY_S145"},
                                  {"146. név:", "NY_S146NEV"},
                                  {"146. adószám:", "NY_S146ASZ"},
                                  {"146. bankszámla:", "NY_S146BANK"},
                                  {"148.", "NY_S148"},
                                  {"149.", "NY_S149"},
                                  {"656. név:", "NY_S656NEV"},
                                  {"656. irányítószám:", "NY_S656IRSZ"},
                                  {"656. város:", "NY_S656VAROS"},
                                  {"656. közterület:", "NY_S656KOZTERSTB"},
                                  {"656. bankszámla:", "NY_S656BANK"}}) {}
