#include "tax/annual/List_CsalkedvNyilQR.h"

#include "platform/report/Page.h"

namespace {
const QString kPontok = QStringLiteral("..................................................");
}

TList_CsalkedvNyilQRForm::TList_CsalkedvNyilQRForm()
    : AdoelolegNyilLap(QStringLiteral("List_CsalkedvNyilQRForm"), report::Orientation::Landscape) {
    Lap().Font.size = 8;
    kSor = 3.8;
    const double w = LapSzel();
    Sor(QStringLiteral("Adóelőleg-nyilatkozat 2019. évben a családi kedvezmény (és járulékkedvezmény) "
                       "érvényesítéséről"))
        .Size(11)
        .Bold()
        .Alignment = report::Align::Center;
    Ures(2.5);
    Sor(QStringLiteral("I. A nyilatkozatot adó magánszemély")).Bold();
    Szoveg(QStringLiteral("neve:"), 5, 30);
    Nev(35, y, 110);
    Szoveg(QStringLiteral("adóazonosító jele:"), 150, 30);
    Adoaz(180, y, 40);
    Szoveg(QStringLiteral("Módosított nyilatkozat"), 225, 40);
    Negyzet(265);
    Ures(6);
    Szoveg(QStringLiteral("1."), 0, 6);
    Sor(QStringLiteral("Az eltartottak /kivéve a magzat/ neve, adóazonosító jele"), 6).Bold();
    Szoveg(QStringLiteral("Eltartotti minőség*"), 6, 30);
    Szoveg(QStringLiteral("Név:"), 40, 80);
    Szoveg(QStringLiteral("Adóazonosító jel."), 125, 45);
    Szoveg(QStringLiteral("Változás időpontja"), 175, 45);
    Sor(QStringLiteral("Jogosultság jogcíme**"), 225, 1, 45);
    Ures(1);
    for (int i = 0; i < 3; ++i) {
        Negyzet(15);
        Szoveg(kPontok + QStringLiteral("..........."), 40, 80);
        Negyzetek(125, 10);
        double x = Negyzetek(175, 4);
        Szoveg(QStringLiteral("."), x, 2);
        x = Negyzetek(x + 2, 2);
        Szoveg(QStringLiteral("."), x, 2);
        Negyzetek(x + 2, 2);
        Negyzet(240);
        Ures(5);
    }
    Szoveg(QStringLiteral("Jelölje itt x-szel, ha az eltartottak felsorolását külön lapon folytatja!"), 6,
           120);
    Negyzet(127);
    Ures(6);
    Sor(QStringLiteral("*Eltartotti minőség:1.Kedvezményezett eltartott 2.Eltartott 3.Felváltva gondozott "
                       "gyermek          Magzat esetén adatok helyett \"magzat\"-ot tüntessen fel!"))
        .Size(7);
    Sor(QStringLiteral(
            "**Jogosultság jogcímei: 4.Gyermek után családi pótlékra jogosult, vagy ilyen jogosulttal "
            "közös háztartásban élő házastárs 5.Családi pótlékra saját jogán jogosult, vagy ilyen "
            "jogosulttal közös háztartásban élő hozzátartozó (ideértve a gyermek szüleinek "
            "hozzátartozóit is) 6. Rokkantsági járadékban részesülő, vagy ilyen személlyel közös "
            "háztartásban élő hozzátartozó 7. Várandós nő vagy várandós nő közös háztartásban élő "
            "házastársa"),
        0, 3)
        .Size(7);
    Ures(2);
    Szoveg(QStringLiteral("2."), 0, 6);
    const QString egyedul = QStringLiteral("Nyilatkozom, hogy a családi kedvezményt egyedül  ");
    const QString kozosen = egyedul + QStringLiteral(
                                          "      , vagy jogosultnak minősülő házastársammal/élettársammal "
                                          "közösen  ");
    Szoveg(egyedul +
               QStringLiteral("      , vagy jogosultnak minősülő házastársammal/élettársammal közösen        "
                              "érvényesítem."),
           6, 200);
    // The boxes stand in the two gaps of the sentence.
    Negyzet(6 + report::TextWidth(Lap().Font, egyedul));
    Negyzet(6 + report::TextWidth(Lap().Font, kozosen));
    Ures(5);
    Szoveg(QStringLiteral("3."), 0, 6);
    Szoveg(QStringLiteral(
               "Nyilatkozom, hogy jogosult vagyok a családi kedvezményt Magyarországon érvényesíteni, "
               "külföldi államban a jövedelmem után azonos vagy hasonló kedvezményt nem veszek (vettem) "
               "igénybe."),
           6, 250, 2);
    Negyzet(265);
    Ures(2 * kSor + 1);
    Szoveg(QStringLiteral("4."), 0, 6);
    Szoveg(QStringLiteral(
               "Nyilatkozom, hogy nem kérem a családi járulékkedvezmény havi összegének érvényesítését."),
           6, 250);
    Negyzet(265);
    Ures(5);
    Szoveg(QStringLiteral("5."), 0, 6);
    Sor(QStringLiteral("A fentiek alapján nyilatkozom, hogy a családi kedvezményt"), 6);
    Sor(QStringLiteral("a) ..................... forint összegben kívánom igénybe venni."), 10);
    Sor(QStringLiteral("b) ..................... fő kedvezményezett eltartott után kívánom igénybe venni."),
        10);
    Sor(QStringLiteral("Az a) vagy b) sorok egyikét töltse ki.")).Italic();
    Ures(2);
    Szoveg(QStringLiteral("6."), 0, 6);
    Szoveg(QStringLiteral("A nyilatkozatot tevő magánszemély aláírása:"), 6, 70);
    Szoveg(kPontok, 76, 75);
    Szoveg(QStringLiteral("A nyilatkozattétel időpontja :"), 160, 50);
    Sor(QStringLiteral("................................"), 210, 1, w - 210);
    Ures(3);
    Sor(QStringLiteral(
            "II. A családi kedvezményt kérő magánszemély jogosultnak minősülő házastársa / élettársa"))
        .Bold();
    Szoveg(QStringLiteral("neve:"), 5, 30);
    Szoveg(kPontok, 35, 90);
    Szoveg(QStringLiteral("Adóazonosító jele:"), 150, 30);
    Negyzetek(180, 10);
    Ures(5);
    Szoveg(QStringLiteral("anyja leánykori neve:"), 5, 30);
    Szoveg(kPontok, 35, 90);
    Szoveg(QStringLiteral("lakcíme:"), 150, 30);
    Sor(kPontok + QStringLiteral("......."), 180, 1, w - 180);
    Sor(QStringLiteral(
            "Tudomásul veszem és elfogadom, hogy jogosultnak minősülő házastársam/élettársam az I. "
            "Blokkban meghatározott mértékben kéri a családi kedvezménynek az adóelőleg-alapjából "
            "történő levonását."),
        5, 2);
    Szoveg(QStringLiteral("A nyilatkozatot tevő magánszemély aláírása:"), 5, 70);
    Szoveg(kPontok, 76, 75);
    Szoveg(QStringLiteral("Kelt:"), 160, 15);
    Sor(QStringLiteral("................................"), 175, 1, w - 175);
    Ures(3);
    Sor(QStringLiteral("III. Az I. Blokkban szereplő magánszemély munkáltatójaként a nyilatkozat tartalmát "
                       "tudomásul vettem. A magánszemély adóelőlegét az I. Blokkban szereplő nyilatkozat "
                       "figyelembevételével állapítom meg."),
        0, 2)
        .Bold();
    Szoveg(QStringLiteral("A munkáltató, kifizető megnevezése:"), 5, 60);
    Szoveg(kPontok + kPontok, 65, 120);
    Szoveg(QStringLiteral("adószáma:"), 190, 20);
    Sor(QStringLiteral("................................"), 210, 1, w - 210);
    Ures(2);
    Szoveg(QStringLiteral("Cégszerű aláírás"), 5, 30);
    Szoveg(kPontok, 35, 90);
    Szoveg(QStringLiteral("Kelt:"), 160, 15);
    Sor(QStringLiteral("................................"), 175, 1, w - 175);
}
