#include "tax/annual/List_AdoelolegSzamNyilQR.h"

TList_AdoelolegSzamNyilQRForm::TList_AdoelolegSzamNyilQRForm()
    : AdoelolegNyilLap(QStringLiteral("List_AdoelolegSzamNyilQRForm"), report::Orientation::Portrait) {
    // The cost ratio (ticked) or the costs written in.
    auto KoltseghanyadVagyKoltseg = [this] {
        Szoveg(QStringLiteral("- a 10 százalékos költséghányad alkalmazását kérem."), 13, 150);
        Negyzet(170);
        Ures();
        Sor(QStringLiteral("vagy"), 13);
        Sor(QStringLiteral(
                "- a bevételből ........................ Ft felmerülő, elismert költség levonását kérem."),
            13);
    };
    Sor(QStringLiteral("Adóelőleg-nyilatkozat a 2019. évben az adóelőleg meghatározása során"))
        .Size(12)
        .Bold()
        .Alignment = report::Align::Center;
    Ures(1.5);
    Sor(QStringLiteral("figyelembe vehető költségekről")).Size(12).Bold().Alignment = report::Align::Center;
    Ures(4);
    Sor(QStringLiteral("A nyilatkozatot adó magánszemély:")).Bold();
    Szoveg(QStringLiteral("neve:"), 5, 35);
    Nev(40, y, 140);
    Ures();
    Szoveg(QStringLiteral("adóazonosító jele:"), 5, 35);
    Adoaz(40, y, 60);
    Ures();
    Szoveg(QStringLiteral("adószáma:"), 5, 35);
    // The tax number is the employee's to write in.
    Lap().Label(40, y, 60, QString()).Named(QStringLiteral("QRLabelAdoszam"));
    Ures(7);
    Sor(QStringLiteral("A számomra kifizetésre kerülő összegből az adóelőleg alapjának megállapításához a "
                       "következő nyilatkozatot teszem: "),
        0, 2);
    Ures(2);
    Szoveg(QStringLiteral("1."), 0, 8);
    Sor(QStringLiteral("Az önálló tevékenységből származó bevétel adóelőlegének megállapítása során"), 8);
    KoltseghanyadVagyKoltseg();
    Ures(2);
    Szoveg(QStringLiteral("2."), 0, 8);
    Sor(QStringLiteral(
            "Az önálló tevékenységemre tekintettel kapott költségtérítés adóelőlegének megállapítása "
            "során"),
        8);
    KoltseghanyadVagyKoltseg();
    Ures(2);
    Szoveg(QStringLiteral("3."), 0, 8);
    Sor(QStringLiteral("A nem önálló tevékenységemre tekintettel kapott költségtérítés adóelőlegének "
                       "megállapítása során a bevételből"),
        8, 2);
    Sor(QStringLiteral("…………………… Ft felmerülő, elismert költség levonását kérem."), 13);
    Ures(2);
    Szoveg(QStringLiteral("4."), 0, 8);
    Sor(QStringLiteral(
            "Az adóelőleg megállapítása során az igazolás nélkül elszámolható költség levonását kérem"),
        8);
    Szoveg(QStringLiteral("- az önálló tevékenységre tekintettel kapott költségtérítés összegéből."), 13,
           150);
    Negyzet(170);
    Ures();
    Szoveg(QStringLiteral("- a nem önálló tevékenységre tekintettel kapott költségtérítés összegéből."), 13,
           150);
    Negyzet(170);
    Ures(6);
    Szoveg(QStringLiteral("5."), 0, 8);
    Sor(QStringLiteral("Lakás bérbeadásból származó bevételből kérem a más településen bérbevett lakás "
                       "jogszabály szerint"),
        8);
    Sor(QStringLiteral(
            "figyelembe vehető, ........................................... forint összegű bérleti "
            "díjának levonását."),
        8);
    Ures(2);
    Szoveg(QStringLiteral("6."), 0, 8);
    Szoveg(QStringLiteral(
               "Belföldi közúti árufuvarozásban és személyszállításban gépkocsivezetőként és "
               "árukísérőként foglalkoztatott személyként a belföldi hivatalos kiküldetés címén kapott "
               "bevételből igazolás nélkül elismert költségként napi 3000 forint napidíj-átalány "
               "levonását kérem."),
           8, 155, 3);
    Negyzet(170);
    Ures(3 * kSor + 2);
    Szoveg(QStringLiteral("7."), 0, 8);
    Szoveg(QStringLiteral(
               "Nemzetközi közúti árufuvarozásban és személyszállításban gépkocsivezetőként vagy "
               "árukísérőként foglalkoztatott személyként a külföldi kiküldetés (külszolgálat) címén "
               "kapott bevételből (a napidíjból) igazolás nélkül elismert költségként napi 60 eurónak "
               "megfelelő forintösszeg (legfeljebb a napidíj erejéig történő) levonását kérem"),
           8, 155, 4);
    Negyzet(170);
    Ures(4 * kSor + 2);
    Szoveg(QStringLiteral("8."), 0, 8);
    Szoveg(QStringLiteral("A fenti nyilatkozatomat annak visszavonásáig kérem figyelembe venni az adóévben."),
           8, 155);
    Negyzet(170);
    Ures(8);
    KeltAlairas(QStringLiteral("A magánszemély aláírása"));
    Sor(QStringLiteral("* Jelölje X-szel, ha kéri!")).Italic();
    Ures(4);
    Szoveg(QStringLiteral("9."), 0, 8);
    Sor(QStringLiteral(
            "A magánszemély nyilatkozatának tartalmát tudomásul vettem. A magánszemély adóelőlegét a "
            "nyilatkozat figyelembevételével állapítom meg."),
        8, 2);
    Ures(2);
    Kifizeto(QStringLiteral("A kifizető, munkáltató megnevezése:"),
             QStringLiteral("A kifizető, munkáltató adószáma:"), 0, 62);
}
