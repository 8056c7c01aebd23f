#include "tax/annual/List_AdoelolegKedvNyilQR.h"

namespace {
const QString kPontok = QStringLiteral("..................................................");
}

TList_AdoelolegKedvNyilQRForm::TList_AdoelolegKedvNyilQRForm()
    : AdoelolegNyilLap(QStringLiteral("List_AdoelolegKedvNyilQRForm"), report::Orientation::Portrait) {
    Szoveg(QStringLiteral("Adóelőleg-nyilatkozat"), 0).Size(12).Bold().Alignment = report::Align::Center;
    Ures(6);
    Sor(QStringLiteral("a személyi kedvezmény érvényesítéséről a 2019. évben")).Bold().Alignment =
        report::Align::Center;
    Ures(4);
    Sor(QStringLiteral("A nyilatkozatot adó magánszemély")).Bold();
    Szoveg(QStringLiteral("Neve :"), 5, 40);
    Nev(45, y, 140);
    Ures();
    Szoveg(QStringLiteral("Adóazonosító jele :"), 5, 40);
    Adoaz(45, y, 60);
    Ures(8);
    Sor(QStringLiteral("A bevétel adóelőlegének megállapításához kérem a súlyos fogyatékos magánszemélyek "
                       "személyi kedvezményének figyelembevételét."),
        0, 2);
    Ures(3);
    Sor(QStringLiteral("I. Orvosi igazolás alapján nyilatkozom:")).Bold();
    Szoveg(QStringLiteral("1."), 5, 8);
    Szoveg(QStringLiteral("A fogyatékos állapot kezdő napja:"), 13, 70);
    Sor(kPontok, 85, 1, 90);
    Szoveg(QStringLiteral("2."), 5, 8);
    Szoveg(QStringLiteral("A fogyatékos állapot végső napja:"), 13, 70);
    Sor(kPontok, 85, 1, 90);
    Szoveg(QStringLiteral("3."), 5, 8);
    Szoveg(QStringLiteral("A fogyatékos állapot végleges."), 13, 70);
    Negyzet(85);
    Ures(8);
    Szoveg(QStringLiteral("II. Rokkantsági járadékban részesülőként teszek nyilatkozatot:"), 0, 150).Bold();
    Negyzet(160);
    Ures();
    Szoveg(QStringLiteral("4. A rokkantsági járadékot megállapító határozat száma :"), 5, 100);
    Sor(kPontok, 105, 1, 80);
    Ures(3);
    Szoveg(QStringLiteral("III. Fogyatékossági támogatásban részesülőként teszek nyilatkozatot:"), 0, 150)
        .Bold();
    Negyzet(160);
    Ures();
    Szoveg(QStringLiteral("5. A fogyatékossági támogatást megállapító határozat száma :"), 5, 100);
    Sor(kPontok, 105, 1, 80);
    Ures(5);
    Sor(QStringLiteral("Nyilatkozat a külföldön érvényesíthető kedvezményről")).Bold();
    Szoveg(QStringLiteral("6."), 5, 8);
    Sor(QStringLiteral(
            "Nyilatkozom, hogy jogosult vagyok a személyi kedvezményt Magyarországon érvényesíteni, "
            "külföldi államban a jövedelmem után azonos vagy hasonló kedvezményt nem veszek (vettem) "
            "igénybe."),
        13, 3);
    Ures(4);
    KeltAlairas(QStringLiteral("A magánszemély aláírása"));
    Ures(8);
    Szoveg(QStringLiteral("7."), 5, 8);
    Sor(QStringLiteral(
            "A magánszemély nyilatkozatának tartalmát tudomásul vettem. A magánszemély adóelőlegét a "
            "nyilatkozat figyelembevételével állapítom meg. "),
        13, 2);
    Ures(3);
    Sor(QStringLiteral("Az adóelőleget megállapító munkáltató, kifizető")).Bold();
    Kifizeto(QStringLiteral("megnevezése:"), QStringLiteral("adószáma:"), 5, 30);
}
