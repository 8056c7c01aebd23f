#include "lists/occasional/List_AdatlapQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "core/StartValues.h"
#include "platform/db/Table.h"

namespace {

const QString kEv = QString::fromStdString(FeldolgozasiEv);

// Positions (mm) of the cell columns a to e, right of the captions.
constexpr double kCaptionWidth = 104;
constexpr double kCellWidth = 17;
double Oszlop(char c) { return kCaptionWidth + 2 + (c - 'A') * (kCellWidth + 1); }

constexpr double kSor = 4.6;  // row height

struct Lap {
    report::Band& band;
    double y = 0;

    report::Control& Cim(const QString& text, double size = 14) {
        auto& c = band.Label(0, y, 190, text, report::Align::Center).Size(size).Bold();
        y += size * 0.5;
        return c;
    }
    // A caption and its value at `valueX`.
    void Cimke(double x, const QString& caption, const char* field, double valueX, double width = 80) {
        band.Label(x, y, valueX - x, caption).Size(8);
        band.Field(valueX, y, width, field).Size(8).Bold().From(*DM1->Table1);
    }
    void Fejek(const QStringList& heads) {
        band.HLine(0, y - 0.5, 190);
        for (int i = 0; i < heads.size(); ++i) {
            const char c = static_cast<char>('A' + i);
            band.Label(Oszlop(c), y, kCellWidth, QString(QChar('a' + i)), report::Align::Center)
                .Size(7)
                .Bold();
            band.Label(Oszlop(c), y + 3, kCellWidth, heads[i], report::Align::Center).Size(7);
        }
        y += 7;
        band.HLine(0, y - 0.5, 190);
    }
    // A numbered row: its caption and its cells, each in its column.
    void Sor(const QString& caption, std::initializer_list<std::pair<char, const char*>> cells) {
        band.Label(0, y, kCaptionWidth + 1.5, caption).Size(7);
        for (auto [c, field] : cells)
            band.Field(Oszlop(c), y, kCellWidth, field, report::Align::Right).Size(7).From(*DM1->Table1);
        y += kSor;
    }
    void Sor(const QString& caption, const char* row, const char* columns) {
        band.Label(0, y, kCaptionWidth + 1.5, caption).Size(7);
        for (const char* c = columns; *c; ++c) {
            const QString field = QStringLiteral("S") + row + *c;
            band.Field(Oszlop(*c), y, kCellWidth, field, report::Align::Right).Size(7).From(*DM1->Table1);
        }
        y += kSor;
    }
    void Azonositok() {
        Cimke(0, QStringLiteral("Munkáltató adószáma:"), "CEGADOSZ", 35, 40);
        Cimke(100, QStringLiteral("Dolgozó adóazonosító jele:"), "DOLGADOAZON", 140, 40);
        y += 8;
    }
    void Szakasz(const QString& title) {
        band.Label(0, y, 190, title).Size(9).Bold();
        y += 6;
    }
};

}  // namespace

TList_AdatlapQRForm::TList_AdatlapQRForm() : QuickRep1(QStringLiteral("List_AdatlapQRForm")) {
    QuickRep1.DataSet = DM1->Table1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_AdatlapQRForm")); };

    // Page I.
    DetailBand1 = &QuickRep1.AddDetail(248);
    DetailBand1->ForceNewPage = true;
    DetailBand1->BeforePrint = [this](bool&) { lap2_ = lap3_ = true; };
    Lap p{*DetailBand1};
    p.Cim(QStringLiteral("Adatlap ") + kEv);
    p.band
        .Label(0, p.y, 190,
               QStringLiteral(
                   "A munkáltatótól (társas vállalkozástól) származó jövedelemről, az adó és adóelőleg "
                   "levonásáról a munkaviszony (tagsági viszony) megszünésekor."),
               report::Align::Center)
        .Size(9)
        .Wrap()
        .Height = 8;  // two lines
    p.y += 10;
    p.band
        .Label(
            0, p.y, 190,
            QStringLiteral(
                "Felhívjuk szíves figyelmét arra, hogy amennyiben az adóév folyamán ismételten elhelyezkedik "
                "(munkaviszonyt létesít), illetve olyan új tagsági jogviszonyt létesít, amelyben személyes "
                "közreműködésére tekintettel bevételhez jut, ezt az adatlapot (másolatát) feltétlenül adja "
                "át "
                "új munkáltatójának, illetve a társas vállalkozásának az adóelőleg számításához. Kérjük "
                "vegye "
                "figyelembe, hogy az új munkáltatójától kapott igazolás együttesen tartalmazhatja az egész "
                "év "
                "során szerzett jövedelmének adatait. Abban az esetben, ha újabb munkaviszonyt, tagsági "
                "viszonyt nem létesít, az ezen az adatlapon szereplő adatoknak kell a 19SZJA jelű "
                "bevallásban "
                "szerepelnie. Ha az adatlapot kiállító munkáltatótól származó jövedelmein kívül más "
                "adóköteles "
                "jövedelmet is szerzett, akkor a 19SZJA jelű bevallásában annak is szerepelnie kell. Az "
                "Adatlap adattartalma segítségére lesz az adóbevallási tervezet adatainak áttekintésében."),
            report::Align::Center)
        .Size(7)
        .Wrap()
        .Height = 22;
    p.y += 24;
    p.band
        .Label(0, p.y, 190,
               QStringLiteral("Figyelem! Az Adatlap 2019 sorainak számozása eltérhet a 19SZJA jelű bevallás "
                              "sorainak számozásától!"),
               report::Align::Center)
        .Size(8)
        .Bold();
    p.y += 7;
    p.Cimke(0, QStringLiteral("A munkáltató (kifizető) neve:"), "CEGNEV", 45, 140);
    p.y += 4.5;
    p.Cimke(0, QStringLiteral("Címe:"), "CEGCIM", 45, 145);
    p.y += 4.5;
    p.Cimke(0, QStringLiteral("Adószáma:"), "CEGADOSZ", 45, 40);
    p.y += 7;
    p.band.Label(0, p.y, 45, QStringLiteral("A dolgozó (tag) neve: ")).Size(8);
    p.band.Field(45, p.y, 12, "DOLGTITULUS").Size(8).Bold().From(*DM1->Table1);
    p.band.Field(58, p.y, 100, "DOLGNEV").Size(8).Bold().From(*DM1->Table1);
    p.y += 4.5;
    p.Cimke(0, QStringLiteral("Törzsszáma:"), "DOLGKOD", 45, 30);
    p.Cimke(70, QStringLiteral("Adóazonosító jele:"), "DOLGADOAZON", 125, 30);
    p.y += 4.5;
    p.Cimke(0, QStringLiteral("Nyugdíjas törzsszáma:"), "DOLGNYUGTORZSSZ", 45, 30);
    p.y += 4.5;
    p.Cimke(0, QStringLiteral("Születési ideje:"), "DOLGSZULDAT", 45, 30);
    p.Cimke(70, QStringLiteral("Születési helye:"), "DOLGSZULHELY", 125, 60);
    p.y += 4.5;
    p.Cimke(0, QStringLiteral("Címe: "), "DOLGCIM", 45, 145);
    p.y += 4.5;
    p.Cimke(0, QStringLiteral("A munkaviszony (tagsági viszony) megszűnésének időpontja:"), "DOLGKILEPDAT",
            100, 30);
    p.y += 4.5;
    p.Cimke(0, QStringLiteral("Magánnyugdíjpénztári tagság esetén, pénztár azonosítója:"), "MNYP", 100, 20);
    p.y += 4.5;
    p.band
        .Label(0, p.y, 170,
               QStringLiteral("Korábbi munkáltatótól (vállalkozástól, társaságtól), más kifizetőtől származó "
                              "jövedelem is szerepel az adatlapon:"))
        .Size(8);
    p.band.Field(175, p.y, 10, "S0").Size(8).Bold().From(*DM1->Table1);
    p.y += 8;
    p.Szakasz(QStringLiteral("I. Az összevont adóalapba tartozó jövedelmek"));
    p.Fejek(
        {QString(), QStringLiteral("Bevétel"), QStringLiteral("Elsz. költ."), QStringLiteral("Jövedelem")});
    p.Sor(QStringLiteral("1. Munkaviszonyból származó bérjövedelem érdekképviseleti tagdíj nélkül"), "1",
          "D");
    p.Sor(QStringLiteral("2. Munkaviszonnyal kapcsolatos költségtérítés *"), "2", "ABCD");
    p.Sor(QStringLiteral("3. Külszolgálatért kapott jövedelem *"), "3", "ABCD");
    p.Sor(QStringLiteral("4. Más bérjövedelem"), "4", "D");
    p.Sor(QStringLiteral("5. Más nem önálló tevékenységböl származó jövedelem "), "5", "D");
    p.Sor(QStringLiteral("6. Nem önálló tevékenységgel kapcsolatos költségtérítés *"), "6", "ABCD");
    p.Sor(QStringLiteral("7. Önálló tevékenységböl származó jövedelem *"), "7", "ABCD");
    p.Sor(QStringLiteral("8.       A 7. sorból az ingatlan bérbeadásából származó jövedelem"), "8", "BCD");
    p.Sor(QStringLiteral("14. Egyéb jogcímen kapott jövedelem"), "14", "BCD");
    p.Sor(QStringLiteral("16. Kettős adózást kizáró egyezmény szerint külföldön adóköteles"), "16", "BCD");
    p.Sor(QStringLiteral("17. Kettős adózást kizáró egyezmény hiányában külföldön is adózott"), "17", "BCD");
    p.Sor(QStringLiteral("18. Az összevont adóalapba tartozó jövedelmek összege (1-16 sor d oszlopa)"), "18",
          "D");
    p.Sor(QStringLiteral("65. Levont adóelőleg összege"), {{'D', "S65B"}});
    p.y += 3;
    p.band
        .Label(
            0, p.y, 190,
            QStringLiteral("* 0 - Nem nyilatkozott / 1 - 10% költséghányad / 2 - Szja. tv. 3. mell. II. fej. "
                           "szerint bizonylat nélkül elszámolható / 3 - Tételes költségelszámolás"))
        .Size(7)
        .Wrap();

    // Page II.
    SubDetail1 = &QuickRep1.AddSubDetail(267, [this] { return std::exchange(lap2_, false); });
    SubDetail1->ForceNewPage = true;
    Lap q{*SubDetail1};
    q.Cim(QStringLiteral("Adatlap ") + kEv + QStringLiteral(" II."));
    q.y += 3;
    q.Azonositok();
    q.Szakasz(QStringLiteral("II. Elkülönülten adózó jövedelmek"));
    q.Fejek({QString(), QStringLiteral("Bruttó"), QStringLiteral("Adóalap"), QStringLiteral("Szám.adó"),
             QStringLiteral("Levont adó")});
    q.Sor(QStringLiteral("165. Árfolyamnyereségből származó jövedelem és adója"), "165", "BCDE");
    q.Sor(QStringLiteral("167. Osztalék címén megszerzett jövedelem és adója"), "167", "BCDE");
    q.Sor(QStringLiteral("168. Privatizációs lízing jövedelme és adója"), "168", "BCDE");
    q.Sor(QStringLiteral("173. Vállalkozásból kivont jövedelem és adója"), "173", "BCDE");
    q.Sor(QStringLiteral("175. Egyéb forrásadós jövedelmek és adója"), "175", "ABCDE");
    q.Sor(QStringLiteral("176. A külön adózó jövedelmek és adójuk"), "176", "BCDE");
    q.Sor(QStringLiteral("67. Levont (forrás)adó összege"), "67", "E");
    q.y += 6;
    q.Szakasz(QStringLiteral("III.  Egyéb adatok"));
    q.Fejek({QString(), QString()});
    q.Sor(QStringLiteral("610. Az adóelőleg megállapításánál figyelembe vett családi kedvezmény összege **"),
          "610", "AB");
    q.Sor(QStringLiteral(
              "611. Az adóelőleg megállapításánál figyelembe vett első házasok kedvezményének összege ***"),
          "611", "AB");
    q.Sor(QStringLiteral("45. Súlyos fogyatékosság miatt levont összeg"), {{'B', "S45B"}});
    q.band.Label(10, q.y, 0, QStringLiteral("Fogyatékosság kezdete:")).Size(7).AutoSized();
    q.band.Field(42, q.y, 22, "S45A").Size(7).From(*DM1->Table1);
    q.band.Label(70, q.y, 0, QStringLiteral("Fogyatékosság vége:")).Size(7).AutoSized();
    q.band.Field(98, q.y, 22, "S45C").Size(7).From(*DM1->Table1);
    q.y += kSor;
    q.Sor(QStringLiteral(
              "55. Az 1. sor összegének megállapításakor levont munkavállalói érdekképviseleti tagdíj"),
          "55", "B");
    q.Sor(QStringLiteral("56. 2019-ben felvett osztalékelőleg"), {{'B', "S56B"}});
    q.Sor(QStringLiteral("      az osztalékelőlegből levont adó"), {{'B', "S56A"}});
    q.Sor(QStringLiteral(
              "57. A kettős adózást kizáró egyezmény szerint belföldön az adó alól mentesített jövedelem"),
          "57", "B");
    q.y += 4;
    q.band.Label(0, q.y, 190, QStringLiteral("** 1 - Egyedül érvényesített / 2 - Közösen érvényesített"))
        .Size(7);
    q.y += 4;
    q.band
        .Label(0, q.y, 190,
               QStringLiteral("*** 1 - Egyedül érvényesített / 2 - Házastárssal megosztva érvényesített"))
        .Size(7);

    // Page III.
    SubDetail2 = &QuickRep1.AddSubDetail(267, [this] { return std::exchange(lap3_, false); });
    SubDetail2->ForceNewPage = true;
    Lap r{*SubDetail2};
    r.Cim(QStringLiteral("Adatlap ") + kEv + QStringLiteral(" III."));
    r.y += 3;
    r.Azonositok();
    r.Szakasz(QStringLiteral("IV. Családi járulékkedvezménnyel kapcsolatos tájékoztatás"));
    r.Fejek({QStringLiteral("Alap"), QStringLiteral("Számított"), QStringLiteral("Érv."),
             QStringLiteral("Levont")});
    const char* honapok[] = {"Január", "Február",   "Március",    "Április", "Május",    "Június",
                             "Július", "Augusztus", "Szeptember", "Október", "November", "December"};
    for (int h = 1; h <= 12; ++h) {
        const std::string row = std::to_string(900 + h);
        r.Sor(QString::number(h) + ". " + QString::fromUtf8(honapok[h - 1]), row.c_str(), "ABCD");
    }
    r.Sor(QStringLiteral("13. Összesen"), "913", "ABCD");
    r.y += 10;
    r.band.Label(0, r.y, 190, QStringLiteral("Feljegyzések:")).Size(8);
    r.y += 40;
    r.band.Label(0, r.y, 190, QStringLiteral("Az adatlapot átvettem :")).Size(8);
    r.y += 10;
    r.band.Label(0, r.y, 90, kEv + QStringLiteral(". ............hó ......nap")).Size(8);
    r.y += 10;
    r.band.Label(85, r.y, 20, QStringLiteral("P.H."), report::Align::Center).Size(8);
    r.y += 15;
    for (auto [x, kie] : {std::pair{10.0, "A munkáltató aláírása"}, std::pair{120.0, "A dolgozó aláírása"}}) {
        r.band.Label(x, r.y, 60, QStringLiteral("..................................."), report::Align::Center)
            .Size(8);
        r.band.Label(x, r.y + 4, 60, QString::fromUtf8(kie), report::Align::Center).Size(8);
    }
}

void TList_AdatlapQRForm::QuickRep1BeforePrint() {
    DetailBand1->Height = 248;
    SubDetail1->Height = 267;
    SubDetail2->Height = 267;
}
