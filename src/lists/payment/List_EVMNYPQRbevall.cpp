#include "lists/payment/List_EVMNYPQRbevall.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Table.h"
#include "platform/ui/QtString.h"

namespace {

using report::Align;

QString Egesz(double x) { return QString::number(Kerekit(x)); }

}  // namespace

TList_EVMNYPQRbevallForm::TList_EVMNYPQRbevallForm() : QuickRep1(QStringLiteral("List_EVMNYPQRbevallForm")) {
    QuickRep1.DataSet = &Query1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_EVMNYPQRbevallForm")); };

    auto& header = QuickRep1.AddPageHeader(60);
    Fejlec = AddListHeader(header, QStringLiteral("Magánnyugdíjpénztári havi tagdíjbevallás"));
    double y = Fejlec.bottom;
    header.Label(0, y, 190,
                 QStringLiteral(
                     "Egyéni vállalkozók és bevallásra kötelezett természetes személy pénztártagok részére"),
                 Align::Center);
    y += 6;
    const QString ev = Q(FeldolgozasiEv);
    header.Label(150, y, 40, ev + "0300", Align::Right).Bold();
    header.Label(0, y, 45, QStringLiteral("1. vonatkozási időszak :"));
    header.Computed(45, y, 25, [this, ev] { return ev + QString("%1").arg(Honap, 2, 10, QChar('0')); });
    y += 5;
    header.Label(0, y, 45, QStringLiteral("2. bevallás típusa : "));
    header.Label(45, y, 10, QStringLiteral("T"));
    header.Rectangle(120, y, 70, 17);
    header.Label(122, y + 1, 60, QStringLiteral("Érkeztetés")).Bold();
    header.Label(122, y + 6, 66, QStringLiteral("3. Átvétel dátuma :"));
    header.Label(122, y + 11, 66, QStringLiteral("4. Átvevő aláírása, bélyegző :"));
    y += 19;
    header.HLine(0, y, 190);
    header.Height = y + 1;

    auto& detail = QuickRep1.AddDetail(200);
    detail.ForceNewPage = true;
    detail.BeforePrint = [this](bool&) { DetailBeforePrint(); };
    y = 1;
    auto cim = [&](const QString& caption) {
        detail.Label(0, y, 120, caption).Bold();
        y += 6;
    };
    auto sor = [&](double x, double w, const QString& caption, std::function<QString()> value, double vw) {
        detail.Label(x, y, w, caption);
        detail.Computed(x + w, y, vw, std::move(value));
    };
    auto tag = [this](const char* field) {
        return [this, field] { return Q(Query2.FieldByName(field).AsString()); };
    };
    auto ceg = [](const char* field) {
        return [field] { return Q(DM1->TableCegek->FieldByName(field).AsString()); };
    };
    cim(QStringLiteral("Egyéni vállalkozó adatai"));
    sor(0, 25, QStringLiteral("5. Név :"), tag("DG_NEV"), 120);
    y += 5;
    sor(0, 25, QStringLiteral("6. TAJ szám :"), tag("DG_TAJSZ"), 30);
    sor(70, 35, QStringLiteral("7. Útlevélszám :"), tag("DG_UTLEVELSZ"), 50);
    y += 5;
    sor(
        0, 25, QStringLiteral("8. Cím :"), [this] { return cim_; }, 165);
    y += 5;
    sor(0, 25, QStringLiteral("9. Adószáma :"), ceg("CG_ADOSZAM"), 30);
    sor(70, 55, QStringLiteral("10. Pénzforgalmi jelzőszáma :"), ceg("CG_BANKSZLA"), 65);
    y += 7;
    cim(QStringLiteral("Adatszolgáltató adatai"));
    sor(0, 20, QStringLiteral("11. Név :"), ceg("CG_ASZOLG"), 70);
    sor(90, 25, QStringLiteral("Telefonszám :"), ceg("CG_ASZOLGTEL"), 25);
    sor(140, 25, QStringLiteral("12. Adószám :"), ceg("CG_ASZOLGADOSZ"), 25);
    y += 7;
    cim(QStringLiteral("Pénztár adatai"));
    sor(
        0, 20, QStringLiteral("13. Név :"), [this] { return penztarNev_; }, 110);
    sor(135, 25, QStringLiteral("Pénztárkód :"), tag("DG_MNYP"), 30);
    y += 7;
    cim(QStringLiteral("Tagdíjbefizetést megalapozó jogviszony"));
    sor(0, 35, QStringLiteral("14. Forgalom kód :"), tag("DG_MNYPFORGKOD"), 15);
    y += 5;
    sor(
        0, 25, QStringLiteral("15. Kezdete :"), [this] { return idoszak_.kezdete; }, 25);
    sor(
        60, 15, QStringLiteral("Vége :"), [this] { return idoszak_.vege; }, 25);
    sor(110, 15, QStringLiteral("Kódja :"), tag("DG_MNYPJOGVKOD"), 10);
    y += 5;
    detail.Label(0, y, 25, QStringLiteral("16. Kezdete :"));
    detail.Label(60, y, 15, QStringLiteral("Vége :"));
    detail.Label(110, y, 15, QStringLiteral("Kódja :"));
    y += 5;
    detail.Label(0, y, 80, QStringLiteral("17. Ekho fizetésre kötelezett :"));
    y += 7;
    cim(QStringLiteral("Jövedelem és tagdíj adatok"));
    auto szam = [&](const QString& caption, std::function<QString()> value) {
        detail.Label(0, y, 100, caption);
        if (value) detail.Computed(100, y, 40, std::move(value), Align::Right);
        y += 5;
    };
    szam(QStringLiteral("18. EVA alap összege :"), [this] { return eva_; });
    szam(QStringLiteral("19. Vállakozói kivét összege :"), [this] { return Egesz(Tag.kivet); });
    szam(QStringLiteral("20. Átalányadó alapja :"), nullptr);
    szam(QStringLiteral("21. Járulékalap összege :"), [this] { return Egesz(Tag.alap); });
    szam(QStringLiteral("22. Tagdíj összege :"), [this] { return Egesz(Tag.tagdij); });
    szam(QStringLiteral("23. Kiegészítés összege :"), [this] { return Egesz(Tag.kiegeszites); });
    szam(QStringLiteral("Kiegészítés mértéke :"), [this] { return kiegMertek_; });
    szam(QStringLiteral("24. Összesen (22+23) :"), [this] { return Egesz(Tag.tagdij + Tag.kiegeszites); });
    szam(QStringLiteral("25. Késedelmi pótlék* :"), nullptr);
    szam(QStringLiteral("26. Befizetendő (24+25) :"), [this] { return Egesz(Tag.tagdij + Tag.kiegeszites); });
    y += 2;
    detail
        .Label(
            0, y, 190,
            QStringLiteral("*Késedelmi pótlék feltüntetésekor a pótlék összegéről és vonatkozási időszakról "
                           "Nyilatkozatot kell benyújtani!"))
        .Italic();
    y += 6;
    detail.Label(0, y, 190,
                 QStringLiteral("27. A visszatérítési igény összege, amelynek betudását kérem a "
                                "tagdíjbefizetési kötelezettségre :"));
    y += 5;
    detail.Label(0, y, 190, QStringLiteral("28. Visszaigénylendő összeg, amelynek visszautalását kérem :"));
    y += 7;
    detail.Label(0, y, 120, QStringLiteral("A bevallásban szereplő adat hitelességét igazolom."));
    y += 7;
    detail.Label(0, y, 60, QStringLiteral("29. Az adatszolgáltatás dátuma:"));
    detail.Label(120, y, 70, QStringLiteral("..................................."), Align::Center);
    detail.Label(120, y + 5, 70, QStringLiteral("30. Aláírás, bélyegző"), Align::Center);
    detail.Height = y + 12;
}

void TList_EVMNYPQRbevallForm::Beallit(const ListSql& tagok, const ListSql& sorok, int honap) {
    Honap = honap;
    for (db::Query* q : {&Query1, &Query2}) {
        q->Close();
        q->DatabaseName = DM1->TableSzamfejt->DatabaseName;
    }
    sorok.Apply(Query2);
    tagok.Apply(Query1);
    Query1.Open();
    Query1.First();
}

void TList_EVMNYPQRbevallForm::Bezar() {
    for (db::Query* q : {&Query2, &Query1}) {
        try {
            q->Close();
        } catch (const std::exception&) {
            // Closing a read-only query loses nothing.
        }
        q->SetSQL("");
    }
}

void TList_EVMNYPQRbevallForm::QuickRep1BeforePrint() {
    Query1.First();
    LocateCompany();
}

void TList_EVMNYPQRbevallForm::DetailBeforePrint() {
    ReopenChained(Query2, Query1);
    Query2.First();
    auto text = [this](const char* field) { return Q(Query2.FieldByName(field).AsString()); };
    cim_ = text("DG_VAROS") + "   " + text("DG_KOZTER") + " " + text("DG_KOZTERJEL") + " " +
           text("DG_HAZSZ") + " " + text("DG_EPULET") + " " + text("DG_EMELET") + " " + text("DG_AJTO") +
           "   " + text("DG_IRSZ");
    penztarNev_ = LookupText(*DM1->TableNyugP, "NP_KOD", Query2.FieldByName("DG_MNYP").AsString(), "NP_NEV");
    idoszak_ = MnypKezdeteVege(Query2, std::stoi(FeldolgozasiEv), Honap);
    kiegMertek_ = SzamSzoveg(Query2.FieldByName("DG_MNYPDOLKIEG").AsFloat() * 1000);
    const bool evas = Query2.FieldByName("DG_EVA").AsString() == "I";

    Tag = {};
    for (Query2.First(); !Query2.Eof(); Query2.Next()) {
        const std::string kod = Query2.FieldByName("SF_JCKOD").AsString();
        const double osszeg = Query2.FieldByName("SF_OSSZEG").AsFloat();
        if (kod == "146" || kod == "147") Tag.eva += osszeg;
        // Codes compare as texts: "100", "205" come before "270".
        if (kod < "270") Tag.kivet += Query2.FieldByName("SF_ADOALAP").AsFloat();
        if (kod == "301") {
            Tag.alap += Query2.FieldByName("SF_JARALAP").AsFloat();
            Tag.tagdij += osszeg;
        }
        if (kod == "302" || kod == "333") Tag.kiegeszites += osszeg;
    }
    Query2.First();
    eva_ = evas ? Egesz(Tag.eva) : QString();
}
