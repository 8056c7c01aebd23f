#include "tax/annual/List_M30QR.h"

#include <vector>

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/Nyomtatas.h"
#include "core/StartValues.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/QtString.h"

namespace {

using report::Align;

QString Mezo(const char* field) { return Q(DM1->Query1->FieldByName(field).AsString()); }

// A cell of the certificate: its text, "0" for an empty number.
QString Cella(const std::string& field) {
    const db::Field& f = DM1->Query1->FieldByName(field);
    if (f.IsNull()) return db::IsTextType(f.DataType()) ? QString() : QStringLiteral("0");
    return Q(f.AsString());
}

QString Ceg(const char* field) { return Q(DM1->TableCegek->FieldByName(field).AsString()); }

// A certificate row: number, text and the columns it has.
struct Sor {
    const char* szam;
    const char* szoveg;
    const char* oszlopok;  // the column letters with a cell
};

// clang-format off
const Sor kOsszevont[] = {
    {"1",  "Munkaviszonyból származó bérjövedelem érdekképviseleti tagdij nélkül", "D"},
    {"2",  "Munkaviszonnyal kapcsolatos költségtérités", "BCD"},
    {"3",  "Külszolgálatért kapott jövedelem", "BCD"},
    {"4",  "Más bérjövedelem", "D"},
    {"5",  "Más nem önállótevékenységből származó jövedelmek", "D"},
    {"6",  "Nem önálló tevékenységgel kapcsolatos költségtérités", "BCD"},
    {"7",  "Önálló tevékenységből származó jövedelem", "BCD"},
    {"8",  "A 7. sorból az ingatlan bérbeadásból származó jövedelem", "BCD"},
    {"14", "Egyéb jogcimen kapott jövedelem", "BCD"},
    {"16", "Kettös adózást kizáró egyezmény szerint külföldön adóköteles jövedelem", "BCD"},
    {"17", "Kettös adózást kizáró egyezmény hiányában külföldön is adózott jövedelem", "BCD"},
    {"18", "Az összevont adóalapba tartozó jövedelmek összege", "D"},
    {"65", "A levont adóelöleg összege", "B"},
};
const Sor kElkulonult[] = {
    {"165", "Árfolyamnyereségből származó jövedelem", "BCDE"},
    {"167", "Osztalék", "BCDE"},
    {"168", "Privatizációs lizing jövedelme", "BCDE"},
    {"173", "Vállalkozásból kivont jövedelem", "BCDE"},
    {"175", "Egyéb forrásadós jövedelmek", "BCDE"},
    {"176", "Az adó megállapításánál figyelembe vett különadózó jövedelem", "BCDE"},
    {"67",  "Levont adó összesen", "E"},
};
const Sor kEgyeb[] = {
    {"610", "Az adóelőleg megállapításánál figyelembe vett családi kedvezmény összege", "B"},
    {"611", "Az adóelőleg megállapításánál figyelembe vett első házasok kedvezménye", "B"},
    {"45",  "Az adóelőleg megállapításánál figyelembe vett fogyatékos kedvezmény", "B"},
    {"55",  "A bevételből levont érdekképviseleti tagdíj", "B"},
    {"56",  "A 2019-ben felvett osztalékelöleg", "AB"},
    {"57",  "A kettős adózást kizáró egyezm. szerint belföldön az adó alól mentesített jöv.", "B"},
};
const Sor kSzocho[] = {
    {"286", "Szocho tv. 1. § (1)-(3) bekezdése szerinti összevont adóalapba tartozó jövedelmek", "G"},
    {"287", "Szocho tv. 1. § (5) bekezdése szerinti külön adózó jövedelmek összege", "G"},
    {"289", "Kifizető által  a magánszemély Szocho tv. 1. § (5) bekezdés a)-d) pontjai szerinti SZHA (alap/adó)", "FG"},
};
const char* const kHonapok[] = {"1. Január", "2. Február", "3. Március",   "4. Április",  "5. Május",     "6. Június",
                                "7. Július", "8. Augusztus", "9. Szeptember", "10. Október", "11. November", "12. December",
                                "13. Összesen:"};
// clang-format on

// A table of rows: the row text on the left, the cells in their columns.
struct Oszlop {
    char betu;
    double x;
};
double Sorok(report::Band& band, double y, const Sor* sorok, size_t n, const std::vector<Oszlop>& oszlopok,
             double szovegSzel) {
    for (size_t i = 0; i < n; ++i) {
        const Sor& s = sorok[i];
        band.Label(0, y, 9, QString(s.szam) + ".", Align::Right).Size(7);
        band.Label(10, y, szovegSzel, s.szoveg).Size(7);
        for (const char* c = s.oszlopok; *c; ++c)
            for (const Oszlop& o : oszlopok)
                if (o.betu == *c) {
                    const std::string field = std::string("M30_S") + s.szam + *c;
                    band.Computed(
                            o.x, y, 24, [field] { return Cella(field); }, Align::Right)
                        .Size(8)
                        .Named(Q(field));
                }
        y += 4.5;
    }
    return y;
}

}  // namespace

QString TList_M30QRForm::AdoszamFormaz(const QString& stored) {
    const QString mask = QStringLiteral("99999999-9-99");
    QString out;
    int i = 0;
    for (QChar m : mask) {
        if (m == '9')
            out += i < stored.size() ? stored[i++] : QChar('*');
        else
            out += m;
    }
    return out;
}

TList_M30QRForm::TList_M30QRForm() : QuickRep1(QStringLiteral("List_M30QRForm")) {
    QuickRep1.DataSet = DM1->Query1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_M30QRForm")); };
    const QString ev = Q(FeldolgozasiEv);

    // Page 1.
    auto& p1 = QuickRep1.AddDetail(270);
    QRBand1 = &p1;
    p1.Name = "QRBand1";
    p1.ForceNewPage = true;
    p1.BeforePrint = [this](bool&) { QRBand1BeforePrint(); };
    p1.Memo(0, 0, 190, 16).Named("QRMemo1").Bold().Lines = {
        "M30/" + ev, "A munkáltató, kifizető összesített igazolása a " + ev + ". évi",
        QStringLiteral("személyi jövedelemadó bevalláshoz")};
    double y = 20;
    auto adat = [&](double x, double w, const QString& caption, std::function<QString()> value, double vw) {
        p1.Label(x, y, w, caption).Size(8);
        p1.Computed(x + w, y, vw, std::move(value)).Size(8).Bold();
    };
    adat(
        0, 35, QStringLiteral("A munkáltató neve:"), [this] { return cegNev_; }, 150);
    y += 5;
    adat(
        0, 35, QStringLiteral("címe"), [this] { return cegCim_; }, 150);
    y += 5;
    adat(
        0, 35, QStringLiteral("* adószáma :"), [this] { return cegAdoszam_; }, 60);
    y += 8;
    adat(
        0, 35, QStringLiteral("A dolgozó neve:"), [] { return Mezo("DG_NEV"); }, 90);
    adat(
        130, 20, QStringLiteral("Törzsszáma:"), [] { return Mezo("DG_TORZSSZAM"); }, 40);
    y += 5;
    adat(
        0, 35, QStringLiteral("születési neve:"), [] { return Mezo("DG_LEANYKNEV"); }, 90);
    y += 5;
    adat(
        0, 35, QStringLiteral("anyja születési neve:"), [] { return Mezo("DG_ANYJANEV"); }, 90);
    y += 5;
    adat(
        0, 35, QStringLiteral("adóazonosító jele:"), [] { return Mezo("DG_ADOAZ"); }, 40);
    adat(
        80, 30, QStringLiteral("születési ideje:"), [] { return Mezo("DG_SZULDAT"); }, 25);
    y += 5;
    adat(
        0, 35, QStringLiteral("születési helye:"), [] { return Mezo("DG_SZULHELY"); }, 90);
    y += 5;
    adat(
        0, 35, QStringLiteral("címe:"), [this] { return dolgozoCim_; }, 150);
    y += 5;
    adat(
        0, 35, QStringLiteral("állampolgársága :"), [] { return Mezo("DG_ALLAMP"); }, 30);
    y += 7;
    p1.Label(
          0, y, 150,
          QStringLiteral("Korábbi munkáltatótól, kifizetőtől származó jövedelem is szerepel az igazolásban"))
        .Size(8);
    p1.Computed(160, y, 20,
                [] { return Mezo("M30_S0A") == "I" ? QStringLiteral("Igen") : QStringLiteral("Nem"); })
        .Size(8)
        .Bold()
        .Named("M30_S0A");
    y += 8;
    p1.Label(0, y, 190, QStringLiteral("I. Összevont adóalapba tartozó jövedelmek (bevételek)")).Bold();
    y += 6;
    const std::vector<Oszlop> bcd = {{'B', 110}, {'C', 137}, {'D', 164}};
    p1.Label(110, y, 26, QStringLiteral("Bevétel"), Align::Right).Size(7);
    p1.Label(137, y, 26, QStringLiteral("Költség"), Align::Right).Size(7);
    p1.Label(164, y, 26, QStringLiteral("Összevont adóalap"), Align::Right).Size(7);
    y += 4;
    p1.Label(10, y, 9, "a").Size(7);
    for (auto [letter, x] : std::vector<std::pair<const char*, double>>{{"b", 110}, {"c", 137}, {"d", 164}})
        p1.Label(x, y, 26, letter, Align::Right).Size(7);
    y += 4.5;
    y = Sorok(p1, y, kOsszevont, std::size(kOsszevont), bcd, 98);
    y += 4;
    p1.Label(0, y, 190, QStringLiteral("II. Elkülönülten adózó jövedelmek")).Bold();
    y += 6;
    const std::vector<Oszlop> bcde = {{'B', 92}, {'C', 117}, {'D', 142}, {'E', 166}};
    const char* fejek[] = {"Kifiz. alap", "Adóalap", "Adó", "Lev. adó"};
    for (size_t i = 0; i < 4; ++i) p1.Label(bcde[i].x, y, 24, fejek[i], Align::Right).Size(7);
    y += 4;
    p1.Label(10, y, 9, "a").Size(7);
    const char* betuk[] = {"b", "c", "d", "e"};
    for (size_t i = 0; i < 4; ++i) p1.Label(bcde[i].x, y, 24, betuk[i], Align::Right).Size(7);
    y += 4.5;
    y = Sorok(p1, y, kElkulonult, 4, bcde, 80);
    p1.Label(10, y, 40, QStringLiteral("A jövedelem megnevezése")).Size(7);
    p1.Computed(52, y, 30, [] { return Cella("M30_S175M"); }).Size(8).Named("M30_S175M");
    y += 4.5;
    y = Sorok(p1, y, kElkulonult + 4, std::size(kElkulonult) - 4, bcde, 80);
    p1.Height = y + 2;

    // Page 2.
    auto& p2 = QuickRep1.AddSubDetail(270, std::function<bool()>());
    QRSubDetail1 = &p2;
    p2.Name = "QRSubDetail1";
    p2.ForceNewPage = true;
    y = 0;
    p2.Label(150, y, 40, "M30/" + ev + "-01", Align::Right).Bold().Named("QRLabelAzonosito");
    y += 7;
    p2.Label(0, y, 60, QStringLiteral("A munkáltató adóazonosító száma:")).Size(8);
    p2.Computed(60, y, 30, [] { return Ceg("CG_ADOSZAM"); }).Size(8).Bold();
    p2.Label(100, y, 50, QStringLiteral("A dolgozó adóazonosító jele:")).Size(8);
    p2.Computed(150, y, 30, [] { return Mezo("DG_ADOAZ"); }).Size(8).Bold();
    y += 8;
    p2.Label(0, y, 190, QStringLiteral("III. Egyéb adatok")).Bold();
    y += 6;
    const std::vector<Oszlop> ab = {{'A', 140}, {'B', 166}};
    p2.Label(140, y, 24, QStringLiteral("Levont adó"), Align::Right).Size(7);
    y += 4;
    p2.Label(140, y, 24, "a", Align::Right).Size(7);
    p2.Label(166, y, 24, "b", Align::Right).Size(7);
    y += 4.5;
    y = Sorok(p2, y, kEgyeb, std::size(kEgyeb), ab, 128);
    y += 4;
    p2.Label(0, y, 190, QStringLiteral("IV. Családi járulékkedvezménnyel kapcsolatos tájékoztatás")).Bold();
    y += 6;
    const double hx[] = {40, 77, 114, 151};
    const char* honapFejek[] = {"Járulékalapot képező jövedelem", "Megállapított EBJ és NYJ összege",
                                "Érvényesített CSJK összege", "Levont    EBJ és NYJ összege"};
    p2.Label(0, y, 38, QStringLiteral("Hónapok")).Size(7);
    for (size_t i = 0; i < 4; ++i) p2.Label(hx[i] + 4, y, 32, honapFejek[i], Align::Right).Size(6).Wrap();
    y += 7;
    for (int m = 0; m < 13; ++m) {
        p2.Label(0, y, 38, kHonapok[m]).Size(7);
        const char* oszlop = "ABCD";
        for (int i = 0; i < 4; ++i) {
            const std::string field = "M30_S" + std::to_string(901 + m) + oszlop[i];
            p2.Computed(
                  hx[i], y, 36, [field] { return Cella(field); }, Align::Right)
                .Size(8)
                .Named(Q(field));
        }
        y += 4.5;
    }
    y += 4;
    p2.Label(0, y, 190, QStringLiteral("III. Egyéb adatok")).Bold();
    y += 6;
    const std::vector<Oszlop> fg = {{'F', 140}, {'G', 166}};
    p2.Label(140, y, 24, "f", Align::Right).Size(7);
    p2.Label(166, y, 24, "g", Align::Right).Size(7);
    y += 4.5;
    y = Sorok(p2, y, kSzocho, std::size(kSzocho), fg, 128);
    y += 4;
    p2.Label(0, y, 190,
             "Fontos! A 19SZJA bevallás kitöltése során figyelemmel kell lenni a szociális hozzájárulási adó "
             "adófizetési felső határára, amely a 2019. adóév vonatkozásában 3 576 000 Ft.")
        .Size(7)
        .Wrap();
    y += 9;
    p2.Label(120, y, 70, QStringLiteral("Az igazolást átvettem."), Align::Center).Size(8);
    y += 10;
    p2.Label(0, y, 60, QStringLiteral("..................................."), Align::Center);
    p2.Label(75, y, 20, QStringLiteral("P.H."), Align::Center).Size(8);
    p2.Label(120, y, 70, QStringLiteral("..................................."), Align::Center);
    y += 4;
    p2.Label(0, y, 60, QStringLiteral("A munkáltató/kifizető aláírása"), Align::Center).Size(7);
    p2.Label(120, y, 70, QStringLiteral("A munkavállaló aláírása"), Align::Center).Size(7);
    y += 8;
    p2.Label(0, y, 80, QStringLiteral("2020. ............hó ......nap")).Size(8);
    y += 7;
    p2.Label(0, y, 40, QStringLiteral("Megjegyzés:")).Size(8);
    y += 5;
    p2.Label(0, y, 190,
             QStringLiteral("Tájékoztatjuk, hogy a magánszemély részére az állami adó- és vámhatóság "
                            "adóbevallási tervezetet készít."))
        .Size(7)
        .Wrap();
    p2.Height = y + 10;
}

void TList_M30QRForm::QuickRep1BeforePrint() {
    DM1->Query1->First();
    LocateCompany();
}

void TList_M30QRForm::QRBand1BeforePrint() {
    db::Table& c = *DM1->TableCegek;
    cegNev_ = Ceg("CG_NEV");
    cegCim_ = CimOsszefuz(c, {"CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ", "CG_EPULET",
                              "CG_LEPCSOHAZ", "CG_EMELET", "CG_AJTO"});
    cegAdoszam_ = AdoszamFormaz(Ceg("CG_ADOSZAM"));
    db::Query& q = *DM1->Query1;
    dolgozoCim_ =
        Mezo("DG_VAROS") + "   " +
        CimOsszefuz(q, {"DG_KOZTER", "DG_KOZTERJEL", "DG_HAZSZ", "DG_EPULET", "DG_EMELET", "DG_AJTO"}) +
        "   " + Mezo("DG_IRSZ");
}
