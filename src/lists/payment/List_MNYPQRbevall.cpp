#include "lists/payment/List_MNYPQRbevall.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/QtString.h"

namespace {

using report::Align;

QString Ceg(const char* field) { return Q(DM1->TableCegek->FieldByName(field).AsString()); }

QString CegAdoszam() { return Ceg("CG_ADOSZAM").trimmed(); }

// Two digits for 1 to 9, as the sheets number their pages.
QString KetJegy(long long n) { return Q(SzamNullaKitolt(n, 0)); }

}  // namespace

void TList_MNYPQRbevallForm::Osszegek::Hozzaad(db::Dataset& sor) {
    const std::string tipus = sor.FieldByName("SF_JCTIPUS").AsString();
    const double osszeg = sor.FieldByName("SF_OSSZEG").AsFloat();
    if (tipus == "A") {
        alap += sor.FieldByName("SF_JARALAP").AsFloat();
        tagdij += osszeg;
    } else if (tipus == "B") {
        munkavallaloi += osszeg;
    } else if (tipus == "C") {
        munkaltatoi += osszeg;
    }
}

TList_MNYPQRbevallForm::TList_MNYPQRbevallForm() : QuickRep1(QStringLiteral("List_MNYPQRbevallForm")) {
    db::Query& q = *DM1->Query1;
    QuickRep1.NeedData = [&q] { return !q.Eof(); };
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_MNYPQRbevallForm")); };

    // --- Page header: the shared lines, then the sheet's own ---------------
    auto& header = QuickRep1.AddPageHeader(62);
    header.BeforePrint = [this](bool&) { PageHeaderBeforePrint(); };
    Fejlec = AddListHeader(header, QStringLiteral("Magánnyugdíjpénztári tagdíjbevallás"));
    double y = Fejlec.bottom;
    header.Label(0, y, 190, QStringLiteral("Foglalkoztatók és fogl.-nak minősülő  egyéni vállalk. részére"),
                 Align::Center);
    y += 6;
    header.Label(0, y, 40, QStringLiteral("1. Bevallási időszak :"));
    header.Computed(40, y, 25, [this] {
        return Q(DM1->TableErtekkeszlet->Lookup("EK_TIPUS;EK_ERTEK", {"0", "04"}, "EK_ERTEKCHAR")
                     .ToString()) +
               "/" + Q(NullaKitolt(std::to_string(Honap), 0));
    });
    header.Label(70, y, 40, QStringLiteral("2. A bevallás típusa : "));
    header.Label(110, y, 8, QStringLiteral("T"));
    y += 5;
    header.Label(0, y, 40, QStringLiteral("3. A bevallás jellege:"));
    header.Computed(40, y, 10, [this] { return Jelleg; });
    header.Label(70, y, 40, QStringLiteral("A bevallás fajtája :"));
    header.Computed(110, y, 10, [this] { return Fajta; });
    y += 7;
    const double lap = y;
    const QString ev = Q(FeldolgozasiEv);
    // The summary sheet's.
    auto& s = osszesitoElemek_;
    s.push_back(&header.Label(0, lap, 60, QStringLiteral("Összesítő adatlap")).Bold());
    s.push_back(&header.Label(150, lap, 40, ev + "0100", Align::Right).Bold());
    s.push_back(&header.Label(0, lap + 5, 55, QStringLiteral("4. Csatolt betétlapok száma : ")));
    s.push_back(&header.Computed(55, lap + 5, 15, [&q] {
        // The members of the fund halved, rounded up.
        const db::Bookmark hely = q.GetBookmark();
        const std::string penztar = q.FieldByName("SF_DGMNYP").AsString();
        int tagok = 0;
        for (q.First(); !q.Eof(); q.Next())
            if (q.FieldByName("SF_DGMNYP").AsString() == penztar) ++tagok;
        // No member (an empty return's page) leaves no place to go back to.
        if (hely) q.GotoBookmark(hely);
        return KetJegy(Kerekit(tagok / 2.0L));
    }));
    s.push_back(&header.Label(0, lap + 10, 18, QStringLiteral("Dátum :")));
    s.push_back(&header.SysData(18, lap + 10, 25, report::SysKind::Date));
    s.push_back(&header.Rectangle(120, lap + 5, 70, 20));
    s.push_back(&header.Label(122, lap + 6, 60, QStringLiteral("Érkeztetés")).Bold());
    s.push_back(&header.Label(122, lap + 11, 66, QStringLiteral("5. Átvétel dátuma :")));
    s.push_back(&header.Label(122, lap + 16, 66, QStringLiteral("6. Átvevő aláírása, bélyegző :")));
    // The insert sheet's.
    auto& b = betetlapElemek_;
    b.push_back(&header.Label(0, lap, 60, QStringLiteral("Betétlap")).Bold());
    b.push_back(&header.Label(150, lap, 40, ev + "0110", Align::Right).Bold());
    b.push_back(&header.Label(0, lap + 5, 30, QStringLiteral("4. Lapszám :")));
    b.push_back(&header.Computed(30, lap + 5, 15, [this] { return KetJegy(Betetlap); }));
    b.push_back(&header.Label(50, lap + 5, 30, QStringLiteral("5. Pénztárkód :")));
    b.push_back(&header.Computed(80, lap + 5, 15, [this] { return Penztar; }));
    b.push_back(&header.Label(120, lap + 5, 70, QStringLiteral("6. Adatszolgáltatás hitelesítése")).Bold());
    b.push_back(&header.Label(120, lap + 10, 20, QStringLiteral("Dátum :")));
    b.push_back(&header.Label(120, lap + 15, 70, QStringLiteral("Cégszerű aláírás")));
    b.push_back(&header.Label(0, lap + 10, 60, QStringLiteral("Foglalkoztató")).Bold());
    b.push_back(&header.Label(0, lap + 15, 20, QStringLiteral("7. Neve :")));
    b.push_back(&header.Field(20, lap + 15, 95, "CG_NEV").From(*DM1->TableCegek).Shrink());
    b.push_back(&header.Label(0, lap + 20, 25, QStringLiteral("8. Adószáma :")));
    b.push_back(&header.Computed(25, lap + 20, 25,
                                 [] { return CegAdoszam().size() == 11 ? CegAdoszam() : QString(); }));
    b.push_back(&header.Label(55, lap + 20, 35, QStringLiteral("Adóazonosító jele :")));
    b.push_back(&header.Computed(90, lap + 20, 25,
                                 [] { return CegAdoszam().size() == 11 ? QString() : CegAdoszam(); }));
    header.HLine(0, lap + 26, 190);
    header.Height = lap + 27;

    // --- Summary sheet: one per fund ----------------------------------------
    auto& detail = QuickRep1.AddDetail(0);
    detail.ForceNewPage = true;
    detail.BeforePrint = [this](bool&) { DetailBeforePrint(); };
    y = 1;
    auto sor = [&](double x, double w, const QString& caption, std::function<QString()> value,
                   double valueX = -1, double valueW = 90) {
        detail.Label(x, y, w, caption);
        if (value) detail.Computed(valueX < 0 ? x + w : valueX, y, valueW, std::move(value));
    };
    auto cim = [&](const QString& caption) {
        detail.Label(0, y, 100, caption).Bold();
        y += 6;
    };
    auto mezo = [](const char* field) { return [field] { return Ceg(field); }; };
    cim(QStringLiteral("Foglalkoztató adatai"));
    sor(0, 40, QStringLiteral("7. Neve :"), mezo("CG_NEV"), 70, 120);
    y += 5;
    sor(
        0, 40, QStringLiteral("8. Címe :"),
        [] {
            return CimOsszefuz(*DM1->TableCegek,
                               {"CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ", "CG_EPULET",
                                "CG_LEPCSOHAZ", "CG_EMELET", "CG_AJTO"});
        },
        70, 120);
    y += 5;
    sor(0, 70, QStringLiteral("9. Külföldi munkáltató neve, címe:"), mezo("CG_KULFMNEV"), 70, 120);
    y += 5;
    detail.Computed(70, y, 120, [] {
        return CimOsszefuz(
            *DM1->TableCegek,
            {"CG_KULFMORSZAG", "CG_KULFMIRSZ", "CG_KULFMVAROS", "CG_KULFMKOZTER", "CG_KULFMKOZTERJEL",
             "CG_KULFMHAZSZ", "CG_KULFMEPULET", "CG_KULFMLEPCSOHAZ", "CG_KULFMEMELET", "CG_KULFMAJTO"});
    });
    y += 5;
    sor(
        0, 40, QStringLiteral("9. Adószáma :"),
        [] { return CegAdoszam().size() == 10 ? QString() : CegAdoszam(); }, 70, 30);
    sor(
        105, 45, QStringLiteral("10. Adóazonosító jele :"),
        [] { return CegAdoszam().size() == 10 ? CegAdoszam() : QString(); }, 150, 40);
    y += 5;
    sor(0, 70, QStringLiteral("11. Pénzforgalmi jelzőszáma :"), mezo("CG_BANKSZLA"), 70, 120);
    y += 5;
    sor(0, 70, QStringLiteral("12. Kapcsolattartó neve :"), mezo("CG_UGYINT"), 70, 50);
    sor(120, 55, QStringLiteral(" Kapcsolattartó telefonszáma :"), mezo("CG_TEL"), 175, 15);
    y += 7;
    cim(QStringLiteral("Adatszolgáltató adatai"));
    sor(0, 20, QStringLiteral("13. Neve :"), mezo("CG_ASZOLG"), 20, 70);
    sor(90, 25, QStringLiteral("Telefonszáma :"), mezo("CG_ASZOLGTEL"), 115, 25);
    sor(140, 20, QStringLiteral("Adószáma :"), mezo("CG_ASZOLGADOSZ"), 160, 30);
    y += 7;
    cim(QStringLiteral("Pénztár adatai"));
    sor(
        0, 20, QStringLiteral("14. Neve :"),
        [this] { return LookupText(*DM1->TableNyugP, "NP_KOD", Penztar.toStdString(), "NP_NEV"); }, 20, 110);
    sor(
        135, 25, QStringLiteral("Pénztárkód :"), [this] { return Penztar; }, 160, 30);
    y += 7;
    cim(QStringLiteral("Összesített adatok :"));
    auto osszeg = [&](const QString& caption, std::function<QString()> value) {
        detail.Label(0, y, 120, caption);
        detail.Computed(120, y, 40, std::move(value), Align::Right);
        y += 5;
    };
    osszeg(QStringLiteral("15. Pénztártagok száma :"), [this] { return QString::number(PenztarOssz.tagok); });
    osszeg(QStringLiteral("16. Járulékalap összesen :"), [this] { return SzamSzoveg(PenztarOssz.alap); });
    osszeg(QStringLiteral("17. Tagdíj összesen :"), [this] { return SzamSzoveg(PenztarOssz.tagdij); });
    osszeg(QStringLiteral("18. Munkáltatói kieg. összesen :"),
           [this] { return SzamSzoveg(PenztarOssz.munkaltatoi); });
    osszeg(QStringLiteral("19. Munkáltatói kieg. %-os mértéke :"), [this] { return valkieg_; });
    osszeg(QStringLiteral("20. Munkavállalói kieg. összesen :"),
           [this] { return SzamSzoveg(PenztarOssz.munkavallaloi); });
    osszeg(QStringLiteral("21. Késedelmi pótlék összege* :"), [] { return QStringLiteral("0"); });
    osszeg(QStringLiteral("22. Befizetendő (17+18+20+21) :"),
           [this] { return SzamSzoveg(PenztarOssz.Befizetendo()); });
    osszeg(QStringLiteral("23. Visszatérítési igény összege, amelynek betudását kérem"),
           [] { return QStringLiteral("0"); });
    osszeg(QStringLiteral("24. Visszaigénylendő összeg, amelynek visszautalását kérem :"),
           [] { return QStringLiteral("0"); });
    y += 2;
    detail
        .Label(
            0, y, 190,
            QStringLiteral("*Késedelmi pótlék feltüntetésekor a pótlék összegéről és vonatkozási időszakáról "
                           "Nyilatkozatot kell benyújtani!"))
        .Italic();
    y += 7;
    detail.Label(0, y, 120, QStringLiteral("A bevallásban szereplő adat hitelességét igazolom."));
    y += 7;
    detail.Label(0, y, 60, QStringLiteral("25. Az adatszolgáltatás dátuma:"));
    detail.Label(120, y, 70, QStringLiteral("..................................."), Align::Center);
    detail.Label(120, y + 5, 70, QStringLiteral("26. Cégszerű aláírás"), Align::Center);
    detail.Height = y + 12;

    // --- Insert sheets: a member, two a page --------------------------------
    auto& tag = QuickRep1.AddSubDetail(105, [this] { return TovabbiTag(); });
    tag.BeforePrint = [this](bool&) { TagBeforePrint(); };
    tag.AfterPrint = [this] { TagAfterPrint(); };
    y = 2;
    auto t = [&](double x, double w, const QString& caption, std::function<QString()> value, double vw = 40,
                 Align align = Align::Left) {
        tag.Label(x, y, w, caption);
        tag.Computed(x + w, y, vw, std::move(value), align);
    };
    t(
        0, 20, QStringLiteral("8. Neve :"), [this] { return nev_; }, 100);
    y += 5;
    t(
        0, 20, QStringLiteral("10. TAJ :"), [this] { return taj_; }, 30);
    t(
        70, 35, QStringLiteral("11. Útlevélszám :"), [this] { return utlevel_; }, 50);
    y += 6;
    auto szam = [&](const QString& caption, std::function<QString()> value) {
        t(0, 110, caption, std::move(value), 40, Align::Right);
        y += 5;
    };
    auto nulla = [] { return QStringLiteral("0"); };
    szam(QStringLiteral("12. Tárgyhavi járulékalap összege :"), [this] { return SzamSzoveg(Tag.alap); });
    szam(QStringLiteral("13. Tárgyhavi tagdíj összege :"), [this] { return SzamSzoveg(Tag.tagdij); });
    szam(QStringLiteral("14. Tárgyh. munkáltatói tagdíjkieg. összege :"),
         [this] { return SzamSzoveg(Tag.munkaltatoi); });
    szam(QStringLiteral("15. Tárgyh. munkavállalói tagdíjkieg. összege :"),
         [this] { return SzamSzoveg(Tag.munkavallaloi); });
    szam(QStringLiteral("16. Tárgyhótól eltérő járulékalap összege :"), nulla);
    szam(QStringLiteral("17. Tárgyhótól eltérő tagdíj összege :"), nulla);
    szam(QStringLiteral("18. Tárgyhótól eltérő munkáltatói tagdíjkieg. össz. :"), nulla);
    szam(QStringLiteral("19. Tárgyhótól eltérő munkavállalói tagdíjkieg. össz. :"), nulla);
    szam(QStringLiteral("20. Összes bevallás :"), [this] { return SzamSzoveg(Tag.Befizetendo()); });
    szam(QStringLiteral("21. Munkavállalói kieg. % :"), [this] { return dolkieg_; });
    szam(QStringLiteral("22. Tagdíjbefizetést megalapozó forg. kód :"), [this] { return forgkod_; });
    szam(QStringLiteral("23. Ekho fizetésre kötelezett :"), nulla);
    y += 2;
    tag.Label(0, y, 100, QStringLiteral("Tagdíjbefizetést megalapozó jogviszony")).Bold();
    y += 5;
    t(
        0, 45, QStringLiteral("24. Kezdete tárgyhóban :"), [this] { return idoszak_.kezdete; }, 25);
    t(
        70, 15, QStringLiteral("Vége :"), [this] { return idoszak_.vege; }, 25);
    t(
        115, 25, QStringLiteral("Jogcím kódja:"), [this] { return jogvkod_; }, 10);
    y += 5;
    tag.Label(0, y, 68, QStringLiteral("25. Tárgyhótól eltérő kezdet :"));
    tag.Label(70, y, 15, QStringLiteral("Vége :"));
    tag.Label(115, y, 25, QStringLiteral("Jogcím kódja:"));
    y += 6;
    tag.HLine(0, y, 190);
    tag.Height = y + 2;
}

void TList_MNYPQRbevallForm::QuickRep1BeforePrint() {
    DM1->Query1->First();
    Betetlap = 0;
    Nyomtatott = 0;
    BetetlapMod = false;
    LocateCompany();
}

void TList_MNYPQRbevallForm::PageHeaderBeforePrint() {
    if (BetetlapMod) ++Betetlap;
    for (report::Control* c : osszesitoElemek_) c->Enabled = !BetetlapMod;
    for (report::Control* c : betetlapElemek_) c->Enabled = BetetlapMod;
}

void TList_MNYPQRbevallForm::DetailBeforePrint() {
    db::Query& q = *DM1->Query1;
    db::Table& szamfejt = *DM1->TableSzamfejt;
    Betetlap = 0;
    Penztar = Q(q.FieldByName("SF_DGMNYP").AsString());
    Nyomtatott = 0;

    // The fund's totals over its members' rows.
    PenztarOssz = {};
    const db::Bookmark hely = q.GetBookmark();
    for (q.First(); !q.Eof(); q.Next()) {
        if (Q(q.FieldByName("SF_DGMNYP").AsString()) != Penztar) continue;
        ++PenztarOssz.tagok;
        for (szamfejt.First(); !szamfejt.Eof(); szamfejt.Next()) PenztarOssz.Hozzaad(szamfejt);
    }
    if (hely) q.GotoBookmark(hely);
    szamfejt.First();

    // The employer's supplement rate of the fund's first member.
    valkieg_ = QStringLiteral("-");
    if (!szamfejt.Eof() &&
        DM1->TableDolgozo->Locate("DG_TORZSSZAM", szamfejt.FieldByName("SF_DGTORZSSZAM").AsString())) {
        db::Field& f = DM1->TableDolgozo->FieldByName("DG_MNYPVALKIEG");
        if (!f.IsNull() && f.AsFloat() != 0) valkieg_ = Q(f.AsString());
    }
}

bool TList_MNYPQRbevallForm::TovabbiTag() {
    db::Query& q = *DM1->Query1;
    BetetlapMod = !q.Eof() && Q(q.FieldByName("SF_DGMNYP").AsString()) == Penztar;
    if (BetetlapMod) {
        QuickRep1.SubDetails().front()->ForceNewPage = Nyomtatott % 2 == 0;
        ++Nyomtatott;
    }
    return BetetlapMod;
}

void TList_MNYPQRbevallForm::TagBeforePrint() {
    db::Table& szamfejt = *DM1->TableSzamfejt;
    db::Table& dolgozo = *DM1->TableDolgozo;
    szamfejt.First();
    nev_ = taj_ = utlevel_ = forgkod_ = jogvkod_ = QString();
    dolkieg_ = QStringLiteral("-");
    idoszak_ = {};
    if (!szamfejt.Eof() &&
        dolgozo.Locate("DG_TORZSSZAM", szamfejt.FieldByName("SF_DGTORZSSZAM").AsString())) {
        nev_ = Q(dolgozo.FieldByName("DG_NEV").AsString());
        if (dolgozo.FieldByName("DG_TAJSZ").IsNull())
            utlevel_ = Q(dolgozo.FieldByName("DG_UTLEVELSZ").AsString());
        else
            taj_ = Q(dolgozo.FieldByName("DG_TAJSZ").AsString());
        const QString kieg = SzamSzoveg(dolgozo.FieldByName("DG_MNYPDOLKIEG").AsFloat() * 1000);
        if (kieg != "0") dolkieg_ = kieg;
        forgkod_ = Q(dolgozo.FieldByName("DG_MNYPFORGKOD").AsString());
        jogvkod_ = Q(dolgozo.FieldByName("DG_MNYPJOGVKOD").AsString());
        idoszak_ = MnypKezdeteVege(dolgozo, std::stoi(FeldolgozasiEv), Honap);
    }
    Tag = {};
    for (szamfejt.First(); !szamfejt.Eof(); szamfejt.Next()) Tag.Hozzaad(szamfejt);
}

void TList_MNYPQRbevallForm::TagAfterPrint() {
    DM1->Query1->Next();
    DM1->TableSzamfejt->First();
}
