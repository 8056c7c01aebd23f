#include "tax/annual/List_K30QR.h"

#include <string>
#include <vector>

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/Nyomtatas.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/QtString.h"

namespace {

using report::Align;

QString Mezo(const std::string& field) { return Q(DM1->Query1->FieldByName(field).AsString()); }

// A row of the form: its number, caption and the columns it prints
// (letters a to d, each the cell K30_S<number><letter>).
struct Sor {
    const char* szam;
    const char* szoveg;
    const char* oszlopok;
};

// clang-format off
const Sor kOsszevont1[] = {
    {"1",  "Munkaviszony bérjövedeleme érdekképviseleti tagdij nélkül", "d"},
    {"2",  "Munkaviszonnyal kapcsolatos költségtérités", "bcd"},
    {"3",  "Külszolgálatért kapott összeg", "bcd"},
    {"4",  "Más bérjövedelem", "d"},
    {"5",  "Más, nem önálló tevékenységből származó jövedelmek", "d"},
    {"6",  "Nem önálló tev. költségtéritése", "bcd"},
    {"7",  "A 2004-re fizetett törvényi végkielégités   Hónapszám:", "ad"},
};
const Sor kOsszevont2[] = {
    {"8",  "Szellemi tevékenység jövedelme", "bcd"},
    {"9",  "Más önálló tevékenységből származó jövedelem", "bcd"},
};
const Sor kOsszevont3[] = {
    {"10", "Adóterhet nem viselő járandóságok", "d"},
    {"11", "Magánnyugdíjpénztári szolgáltatás címén fizetett összeg", "d"},
    {"12", "Külföldi kiküldetésért fizetett összeg", "bcd"},
    {"13", "Egyéb jogcimen juttatott jövedelem", "d"},
    {"14", "A kettős adózást kizáró egyezmény szerint külföldön adóköteles", "ad"},
    {"15", "A kettős adózást kizáró egyezmény hiányában külföldön is adózott", "ad"},
};
const Sor kElkulonult[] = {
    {"16", "Ingatlan árvesés során történő értékesítés összege", "b"},
    {"17", "Vagyoni értékű jog árverés során történő értékesítés összege", "b"},
    {"18", "Ingó vagyontárgy árverés során történő értékesítés összege", "b"},
    {"19", "Életjáradék cimén kifizetett összeg", "b"},
    {"20", "Az árfolyamnyereség címén kifizetett összeg", "bcd"},
    {"21", "Értékpapír kölcsönzésből származó kifizetés", "bcd"},
    {"22", "Az osztalék 20%-kal", "bcd"},
    {"23", "Az osztalék 35%-kal", "bcd"},
    {"24", "Külföldön adóköteles osztalék összege                      Adókulcs-->", "abcd"},
    {"25", "Vállalkozásból kivont jövedelem összege", "bcd"},
    {"26", "Ingatlan bérbeadás címén fizetett összeg", "bcd"},
    {"27", "Privatizációs lízingből származó kifizetés összege", "b"},
    {"28", "Egéb forrásadós kifizetések                 A jövedelem megnevezése-->", "abc"},
    {"29", "A 16 - 28. sorokban feltüntetett összegek együttesen", "bcd"},
};
const Sor kLevont[] = {
    {"30", "A levont adóelöleg összege", "b"},
};
const Sor kReszben[] = {
    {"31", "Kifizetés bruttó összege", "bcd"},
    {"32", "A 31. sorból az adóalap", "bcd"},
    {"33", "A 32. sor utáni edóelőleg fizetési kötelezettség", "bcd"},
    {"34", "A 33. sorból ténylegesen levont adóelőleg", "bcd"},
    {"35", "A 33. sorból le nem vont adóelőleg", "bcd"},
};
// One value each, printed where column d stands.
const Sor kEgyeb[] = {
    {"36", "Munkaviszony megszünésének időpontja", "a"},
    {"37", "Törvényben meghatározott 2004 évi végkielégítés összege", "a"},
    {"38", "A 37. sor szerinti összeg hány hónapra vonatkozik", "a"},
    {"39", "Törvényben meghatározott 2004. évben kifiz. végkielégítés adóelőlege", "a"},
    {"40", "Törvényi végkielégités 2004 évre vonatkozó adóelőlege", "a"},
    {"41", "Az 1. sor összegének megállapításakor levont érdekképviseleti tagdíj", "a"},
    {"42", "A 10. sorból a kettős adózást kitáró egyezmény szerinti külfölfön ak.", "a"},
    {"43", "A 14. sor d oszlopa után külföldön megfizetett adó", "a"},
    {"44", "A 15. sor d oszlopa után külföldön megfizetett adó", "a"},
    {"45", "Önkéntes nyugdíjpénztári  munkáltatói befizetés az 1. sorból", "a"},
    {"46", "Önkéntes egészségpénztári munkáltatói befizetés az 1. sorból", "a"},
    {"47", "Az önálló és nem önáló jövedelem utáni adóelőleg a dolgozói nyil. alap", "a"},
    {"48", "Adóróváírás hónapszám", "a"},
    {"49", "Adójóváírás összege (108000 Ft)", "a"},
    {"50", "Adójóváírás összege (114480 Ft)", "a"},
};
// clang-format on

// Columns a to d; the row number again at the right edge.
constexpr double kOszlopX[] = {100, 120, 140, 160};
constexpr double kOszlopSzel = 19;
constexpr double kJobbSzam = 181;
constexpr double kSorMagas = 4.4;

const QString kMasodikSor =
    QStringLiteral("A kifizetők adatszolgáltatása a magánszemélyek 2004. évi jövedelmeiről");

double Cim(report::Band& band, const QString& azonosito) {
    band.Memo(0, 0, 190, 10).Named("QRMemo_" + azonosito).Bold().Lines = {azonosito, kMasodikSor};
    return 12;
}

double Csoport(report::Band& band, double y, const QString& szoveg) {
    band.Label(9, y, 180, szoveg).Size(8).Bold();
    return y + 5;
}

void Betuk(report::Band& band, double y) {
    const char* betuk[] = {"a", "b", "c", "d"};
    for (int i = 0; i < 4; ++i) band.Label(kOszlopX[i], y, kOszlopSzel, betuk[i], Align::Center).Size(7);
}

// The rows of a table; `dHelyen`: the one value stands where column d does.
double Sorok(report::Band& band, double y, const Sor* sorok, size_t n, bool dHelyen = false) {
    for (size_t i = 0; i < n; ++i) {
        const Sor& s = sorok[i];
        band.Label(0, y, 8, QString(s.szam) + ".", Align::Right).Size(7);
        band.Label(9, y, 90, s.szoveg).Size(7);
        for (const char* c = s.oszlopok; *c; ++c) {
            const int col = dHelyen ? 3 : *c - 'a';
            const std::string field = std::string("K30_S") + s.szam + char(*c - 'a' + 'A');
            const bool text = field == "K30_S28A";
            band.Computed(
                    kOszlopX[col], y, kOszlopSzel, [field] { return Mezo(field); },
                    text ? Align::Left : Align::Right)
                .Size(7)
                .Named(Q(field));
        }
        band.Label(kJobbSzam, y, 9, QString(s.szam) + ".", Align::Right).Size(7);
        y += kSorMagas;
    }
    return y;
}

}  // namespace

double K30Fejlec(report::Band& band) {
    band.Label(0, 0, 55, QStringLiteral("A kifizető adóazonosító száma:")).Size(8);
    band.Computed(55, 0, 40, [] { return Q(DM1->TableCegek->FieldByName("CG_ADOSZAM").AsString()); })
        .Size(8)
        .Bold()
        .Named("CG_ADOSZAM");
    band.SysData(150, 0, 40, report::SysKind::PageNumber, Align::Right, QStringLiteral("Lapszám: ")).Size(8);
    band.Label(0, 5, 30, QStringLiteral("A dolgozó neve:")).Size(8);
    band.Computed(30, 5, 80, [] { return Mezo("DG_NEV"); }).Size(8).Bold().Named("DG_NEV");
    band.Label(120, 5, 25, QStringLiteral("Törzsszáma:")).Size(8);
    band.Computed(145, 5, 45, [] { return Mezo("DG_TORZSSZAM"); }).Size(8).Bold().Named("DG_TORZSSZAM");
    band.Label(0, 10, 30, QStringLiteral("Adóazonosító jele:")).Size(8);
    band.Computed(30, 10, 40, [] { return Mezo("DG_ADOAZ"); }).Size(8).Bold().Named("DG_ADOAZ");
    band.Label(120, 10, 25, QStringLiteral("Születési ideje:")).Size(8);
    band.Computed(145, 10, 45, [] { return Mezo("DG_SZULDAT"); }).Size(8).Bold().Named("DG_SZULDAT");
    band.HLine(0, 15, 190);
    return 17;
}

TList_K30QRForm::TList_K30QRForm() : QuickRep1(QStringLiteral("List_K30QRForm")) {
    QuickRep1.DataSet = DM1->Query1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_K30QRForm")); };

    QRBand2 = &QuickRep1.AddPageHeader(0);
    QRBand2->Name = "QRBand2";
    QRBand2->Height = K30Fejlec(*QRBand2);

    // Rows 1 to 15.
    auto& d = QuickRep1.AddDetail(0);
    QRBand1 = &d;
    d.Name = "QRBand1";
    d.ForceNewPage = true;
    double y = Cim(d, QStringLiteral("K30/2004"));
    d.Label(kOszlopX[1], y, kOszlopSzel, QStringLiteral("Bevétel"), Align::Center).Size(7);
    d.Label(kOszlopX[2], y, kOszlopSzel, QStringLiteral("Költség"), Align::Center).Size(7);
    d.Label(kOszlopX[3], y, kOszlopSzel, QStringLiteral("Adóalap"), Align::Center).Size(7);
    y += 4;
    d.Label(9, y, 90, QStringLiteral("Az összevont adóalapba tartozó jövedelmek (bevételek)")).Size(8).Bold();
    Betuk(d, y);
    y += 5;
    d.Label(0, y, 8, QStringLiteral("Sor."), Align::Right).Size(7);
    d.Label(9, y, 90, QStringLiteral("Megnevezés")).Size(7);
    y += 4.5;
    y = Csoport(d, y, QStringLiteral("Nem önálló tevékenységből származó jövedelmek"));
    y = Sorok(d, y, kOsszevont1, std::size(kOsszevont1));
    y = Csoport(d, y, QStringLiteral("Önálló tevékenységből származó jövedelme"));
    y = Sorok(d, y, kOsszevont2, std::size(kOsszevont2));
    y = Csoport(d, y, QStringLiteral("Egyéb jövedelmek"));
    y = Sorok(d, y, kOsszevont3, std::size(kOsszevont3));
    d.Height = y + 2;

    // Rows 16 to 35.
    auto& s1 = QuickRep1.AddSubDetail(0, std::function<bool()>());
    QRSubDetail1 = &s1;
    s1.Name = "QRSubDetail1";
    y = 4 + Cim(s1, QStringLiteral("K30-A/2004"));
    s1.Label(9, y, 90, QStringLiteral("Elkülönülten adózó jövedelmek adója")).Size(8).Bold();
    Betuk(s1, y);
    y = Sorok(s1, y + 5, kElkulonult, std::size(kElkulonult));
    y = Csoport(s1, y, QStringLiteral("Levont adóelőleg"));
    y = Sorok(s1, y, kLevont, std::size(kLevont));
    y = Csoport(s1, y, QStringLiteral("2004. évben részben levont adóelöleg"));
    y = Sorok(s1, y, kReszben, std::size(kReszben));
    s1.Height = y + 2;

    // Rows 36 to 51.
    auto& s2 = QuickRep1.AddSubDetail(0, std::function<bool()>());
    QRSubDetail2 = &s2;
    s2.Name = "QRSubDetail2";
    s2.ForceNewPage = true;
    y = Cim(s2, QStringLiteral("K30-B/2004"));
    y = Csoport(s2, y, QStringLiteral("Egyéb adatok"));
    y = Sorok(s2, y, kEgyeb, std::size(kEgyeb), true);
    y += 2;
    s2.Label(0, y, 8, QStringLiteral("51."), Align::Right).Size(7);
    s2.Label(9, y, 90, QStringLiteral("Azon hónapok, melyre a magánszemélyt bér illette meg")).Size(7);
    s2.Label(kJobbSzam, y, 9, QStringLiteral("51."), Align::Right).Size(7);
    y += kSorMagas;
    const double parX[] = {20, 100};
    for (double x : parX) {
        s2.Label(x + 8, y, 25, QStringLiteral("-tól"), Align::Center).Size(7);
        s2.Label(x + 36, y, 25, QStringLiteral("-ig"), Align::Center).Size(7);
    }
    y += kSorMagas;
    for (int i = 0; i < 6; ++i) {
        for (int half = 0; half < 2; ++half) {
            const char betu = char('A' + i + 6 * half);
            const double x = parX[half];
            s2.Label(x, y, 7, QString(QChar(betu).toLower()) + ")").Size(7);
            for (int end = 0; end < 2; ++end) {
                const std::string field = std::string("K30_S51") + betu + (end ? 'B' : 'A');
                s2.Computed(
                      x + 8 + 28 * end, y, 25, [field] { return Mezo(field); }, Align::Center)
                    .Size(7)
                    .Named(Q(field));
            }
        }
        y += kSorMagas;
    }
    s2.Height = y + 2;
}

void TList_K30QRForm::QuickRep1BeforePrint() {
    DM1->Query1->First();
    LocateCompany();
}
