#include "tax/annual/List_AdoelolegElsoHazasNyilQR.h"

namespace {
const QString kPontok = QStringLiteral("..................................................");
}

TList_AdoelolegElsoHazasNyilQRForm::TList_AdoelolegElsoHazasNyilQRForm()
    : AdoelolegNyilLap(QStringLiteral("List_AdoelolegElsoHazasNyilQRForm"), report::Orientation::Portrait) {
    const double w = LapSzel();
    Sor(QStringLiteral("Adóelőleg-nyilatkozat 2019. évben az első házasok kedvezményének érvényesítéséről"))
        .Size(11)
        .Bold()
        .Alignment = report::Align::Center;
    Ures(5);
    Szoveg(QStringLiteral("I."), 0, 8).Bold();
    Szoveg(QStringLiteral("A nyilatkozatot adó magánszemély:"), 8, 90).Bold();
    Szoveg(QStringLiteral("Módosított nyilatkozat: "), 120, 45);
    Negyzet(165);
    Ures(6);
    Szoveg(QStringLiteral("neve:"), 8, 35);
    Nev(43, y, 140);
    Ures();
    Szoveg(QStringLiteral("adóazonosító jele:"), 8, 35);
    Adoaz(43, y, 60);
    Ures(8);
    Szoveg(QStringLiteral("1."), 0, 8);
    Sor(QStringLiteral("Nyilatkozom, hogy házastársam"), 8);
    for (const char* caption : {"neve:", "adóazonosító jele:", "házasságkötés ideje:"}) {
        Szoveg(QString::fromUtf8(caption), 13, 40);
        Sor(kPontok + kPontok, 53, 1, w - 53);
    }
    Ures(3);
    Szoveg(QStringLiteral("2."), 0, 8);
    Szoveg(
        QStringLiteral("Tudomásul veszem, hogy az első házasok kedvezménye címén igénybe vehető kedvezmény "
                       "maximum a házasságkötést követő hónaptól számított 24 hónapon keresztül vehető "
                       "figyelembe."),
        8, 155, 2);
    Negyzet(170);
    Ures(2 * kSor + 3);
    Szoveg(QStringLiteral("3."), 0, 8);
    Sor(QStringLiteral("Nyilatkozom, hogy az első házasok kedvezményét"), 8);
    Szoveg(QStringLiteral("a) egyedül"), 13, 80);
    Negyzet(100);
    Ures(5);
    Szoveg(QStringLiteral("b) házastársammal közösen érvényesítem."), 13, 80);
    Negyzet(100);
    Ures(8);
    Szoveg(QStringLiteral("4."), 0, 8);
    Sor(QStringLiteral(
            "A fentiek alapján nyilatkozom, hogy a ......... hónaptól kezdődően (e hónapra is) az első "
            "házasok kedvezményét"),
        8, 2);
    Sor(QStringLiteral("..................... Ft összegben kívánom igénybe venni."), 13);
    Ures(3);
    Szoveg(QStringLiteral("5."), 0, 8);
    Szoveg(QStringLiteral(
               "A nyilatkozattétel időpontjától kezdődően (e hónapra is) az első házasok kedvezményét "
               "nem kívánom igénybe venni."),
           8, 155, 2);
    Negyzet(170);
    Ures(2 * kSor + 5);
    Szoveg(QStringLiteral("A nyilatkozatot tevő magánszemély aláírása:"), 0, 75);
    Sor(kPontok, 75, 1, 80);
    Sor(QStringLiteral("Kelt:"), 0, 1, 20);
    Ures(6);
    Szoveg(QStringLiteral("II."), 0, 8).Bold();
    Sor(QStringLiteral("Az első házasok kedvezményét kérő magánszemély házastársának"), 8).Bold();
    for (const char* caption : {"neve:", "adóazonosító jele:"}) {
        Szoveg(QString::fromUtf8(caption), 13, 40);
        Sor(kPontok + kPontok, 53, 1, w - 53);
    }
    Ures(2);
    Sor(QStringLiteral(
            "Tudomásul veszem és elfogadom, hogy a házastársam az I. blokkban meghatározott összegben "
            "kéri az első házasok kedvezményének az adóelőleg alapjából történő levonását."),
        8, 2);
    Ures(4);
    Szoveg(QStringLiteral("A nyilatkozatot tevő magánszemély aláírása:"), 0, 75);
    Sor(kPontok, 75, 1, 80);
    Sor(QStringLiteral("Kelt:"), 0, 1, 20);
    Ures(6);
    Szoveg(QStringLiteral("III."), 0, 8).Bold();
    Sor(QStringLiteral("Az I. Blokkban szereplő magánszemély munkáltatójaként (kifizetőjeként) a nyilatkozat "
                       "tartalmát tudomásul vettem. A magánszemély adóelőlegét az I. Blokkban szereplő "
                       "nyilatkozat figyelembevételével állapítom meg."),
        8, 3);
    Ures(2);
    Kifizeto(QStringLiteral("A kifizető, munkáltató megnevezése:"),
             QStringLiteral("A kifizető, munkáltató adószáma:"), 0, 62);
}
