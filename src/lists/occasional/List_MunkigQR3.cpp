#include "lists/occasional/List_MunkigQR3.h"

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/Nyomtatas.h"
#include "lists/occasional/Igazolasok.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

constexpr double kSzeles = 190;

const char kJogviszonyok[] =
    "Munkaviszonyra (közalkalmazotti, közszolgálati, kormányzati szolgálati jogviszonyra, bírósági és "
    "igazságügyi, valamint ügyészségi szolgálati viszonyra, a közfoglalkoztatási jogviszonyra, a biztosított "
    "bedolgozói - és az 1994.06.01 előtt létesített - ezzel egy tekintet alá eső bedolgozói jogviszonyra, "
    "hivatásos nevelőszülői jogviszonyra, a szövetkezeti tag munkaviszony jellegű munkavégzésre irányuló "
    "jogviszonyára - ide nem értve az iskola szövetkezet nappali tagozatos tanuló, hallgató tagját - a "
    "Magyar "
    "Honvédség, rendvédelmi szervek és nemzetbiztonsági szolgálatok hivatásos és szerződéses állományú "
    "tagjának "
    "szolgálati viszonyára) vonatkozó adatok:";

const char kMunkaviszonyok[] =
    "munkaviszony, közalkalmazotti jogviszony, közszolgálati jogviszony, kormányzati szolgálati jogviszony, "
    "bírósági és igazságügyi, valamint ügyészségi szolgálati viszony, a biztosított bedolgozói - és az 1994. "
    "június 1-jét megelőzően létesített - ezzel egy tekintet alá eső bedolgozói jogviszony, a nevelőszülői "
    "foglalkoztatási jogviszony, a szövetkezeti tag munkaviszony jellegű munkavégzésre irányuló jogviszonya "
    "- ide "
    "nem értve az iskolai szövetkezet nappali tagozatos tanuló, hallgató tagját -, a rendvédelmi feladatokat "
    "ellátó szervek hivatásos állományának szolgálati jogviszonyáról szóló törvény szerinti hivatásos "
    "szolgálati "
    "jogviszony, valamint a honvédek jogállásáról szóló törvény szerinti hivatásos és szerződéses állományú "
    "katonák szolgálati viszonya és a nemzetbiztonsági szolgálatok hivatásos és szerződéses állományú "
    "tagjának "
    "szolgálati viszonya esetében:";

const char kSor15[] =
    "15. A munkaviszony megszűnésének időpontját megelőző négy naptári negyedév kezdő napja (az időszak "
    "kezdete) :";
const char kSor16[] =
    "16. A munkaviszony megszűnésének időpontját megelőző négy naptári negyedév kezdő napjától számított "
    "négy "
    "naptári negyedévben elért munkaerő-piaci járulékalap összege (Ft):";
const char kSor17[] =
    "17. A munkaviszony megszűnésének időpontját megelőző négy naptári negyedév kezdő napjától számított "
    "négy "
    "teljes naptári negyedévben elért azon hónapoknak a száma, amelyekben a munkavállalónak volt járulék "
    "alapja "
    "(az érintett hónapok száma):";
const char kSor18[] =
    "18. A munkaviszony fennállássa alatt az utolsó, legalább hat hónapig betöltött munkakör (FEOR szerinti "
    "besorolásban) :";
const char kSor19[] =
    "19. A munkaviszony időtartama alatt igénybevett 30 napot meghaladó mértékű fizetés nélküli szabadság "
    "időtartama :";
const char kSor20[] = "20. A jogviszony megszüntetésének/megszűnésének módja (lásd Kitöltési útmutató):";
const char kSor21[] =
    "21. Jelen Igazolólapon munkaviszonyként felsorolt jogviszonyokra megszűnéskor, megszűntetésekor "
    "irányadó, "
    "szerződésben megállapított alapbér/illetmény/díjazás összege (Ft) (Az adat tájékoztató jellegű, közlése "
    "a "
    "szociális biztonsági rendszerek koordinációjáról szóló rendeletek végrehajtása érdekében szükséges, a "
    "magyarországi álláskeresési ellátásra való jogosultságot nem befolyásolja.)";

}  // namespace

TList_MunkigQR3Form::TList_MunkigQR3Form() : QuickRep1(QStringLiteral("List_MunkigQR3Form")) {
    QuickRep1.DataSet = DM1->Table1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_MunkigQR3Form")); };

    auto& header = QuickRep1.AddPageHeader(14);
    header.Label(0, 0, kSzeles, QStringLiteral("Igazolólap"), Align::Center).Size(14).Bold();
    header
        .Label(0, 7, kSzeles,
               QStringLiteral("az álláskeresési járadék és az álláskeresési segély megállapításához"),
               Align::Center)
        .Bold();

    auto& band = QuickRep1.AddDetail(250);
    band.ForceNewPage = true;
    band.Font.size = 9;
    double y = 0;
    // A caption and its field on one line.
    auto sor = [&](const QString& cim, const char* field, double szeles = 70) {
        band.Label(5, y, szeles, cim);
        band.Field(5 + szeles, y, kSzeles - 5 - szeles, field);
        y += 4.5;
    };
    // A wrapped text of `sorok` lines.
    auto szoveg = [&](const char* text, double sorok, double x = 0, double szeles = kSzeles) {
        band.Label(x, y, szeles, QString::fromUtf8(text)).Wrap();
        band.Controls().back().Height = sorok * 4;
        y += sorok * 4 + 0.5;
    };
    band.Label(0, y, kSzeles, QStringLiteral("A munkáltató adatai")).Bold();
    y += 5;
    sor(QStringLiteral("1. Neve :"), "S01A");
    sor(QStringLiteral("2. Címe :"), "S02A");
    sor(QStringLiteral("3. Adószáma :"), "S03A");
    sor(QStringLiteral("4. TEÁOR szám:"), "S04A");
    y += 2;
    band.Label(0, y, kSzeles, QStringLiteral("A munkavállaló adatai")).Bold();
    y += 5;
    sor(QStringLiteral("5. Neve :"), "S05A");
    sor(QStringLiteral("6. Születési neve :"), "S06A");
    sor(QStringLiteral("7. Anyja neve :"), "S07A");
    band.Label(5, y, 70, QStringLiteral("8. Születési hely, idő :"));
    band.Field(75, y, 50, "S08A");
    band.Field(127, y, 30, "S08B");
    y += 4.5;
    sor(QStringLiteral("9. TAJ száma :"), "S09A");
    sor(QStringLiteral("10. Lakóhelye :"), "S10A");
    sor(QStringLiteral("11. Tartózkodási helye :"), "S11A");
    y += 2;
    szoveg(kJogviszonyok, 5);
    sor(QStringLiteral("12. Munkaköre (FEOR szerinti besorolásban) :"), "S12A", 80);
    sor(QStringLiteral("13. Jogviszony kezdete :"), "S13A");
    sor(QStringLiteral("14. Jogviszony vége :"), "S14A");
    const double mezo = 160;  // the fields beside the long captions
    auto hosszu = [&](const char* text, double sorok, const char* field) {
        band.Field(mezo, y, kSzeles - mezo, field);
        szoveg(text, sorok, 5, mezo - 8);
    };
    hosszu(kSor15, 2, "S15A");
    band.Field(mezo, y, kSzeles - mezo, "S16A");
    szoveg(kSor16, 2, 5, mezo - 8);
    band.Label(5, y, 12, QStringLiteral("azaz"));
    band.Field(17, y, kSzeles - 17, "S16B");
    y += 5;
    hosszu(kSor17, 3, "S17A");
    hosszu(kSor18, 2, "S18A");
    szoveg(kSor19, 1, 5, kSzeles - 5);
    band.Label(20, y, 20, QStringLiteral("kezdete :"));
    band.Field(40, y, 30, "S19A");
    band.Label(80, y, 20, QStringLiteral("vége :"));
    band.Field(100, y, 30, "S19B");
    y += 5;
    hosszu(kSor20, 1, "S20A");
    y += 2;
    szoveg(kMunkaviszonyok, 8);
    szoveg(kSor21, 4, 5, kSzeles - 5);
    band.Label(20, y, 30, QStringLiteral("Bruttó összeg :"));
    band.Field(50, y, 30, "S21A", Align::Right);
    band.Label(100, y, 30, QStringLiteral("Nettó összeg :"));
    band.Field(130, y, 30, "S21B", Align::Right);
    y += 12;
    QRLabelDatum = &band.Label(0, y, 110, QString());
    band.Label(120, y, 70, QStringLiteral("..................................."), Align::Center);
    y += 5;
    band.Label(120, y, 70, QStringLiteral("cégszerű aláírás"), Align::Center);
    band.Height = y + 5;
}

void TList_MunkigQR3Form::QuickRep1BeforePrint() {
    DM1->Table1->First();
    LocateCompany();
    QRLabelDatum->Caption = DatumSor(AdatEv());
}
