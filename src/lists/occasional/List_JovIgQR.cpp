#include "lists/occasional/List_JovIgQR.h"

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/Nyomtatas.h"
#include "lists/occasional/Igazolasok.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

constexpr double kKod = 12;  // mm: the code column
constexpr double kSzeles = 190;

QString Sor() { return MezoSzoveg(*DM1->Table1, "SOR"); }

}  // namespace

TList_JovIgQRForm::TList_JovIgQRForm() : QuickRep1(QStringLiteral("List_JovIgQRForm")) {
    QuickRep1.DataSet = DM1->Table1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_JovIgQRForm")); };

    auto& header = QuickRep1.AddPageHeader(100);
    header.BeforePrint = [this](bool&) { QRBand1BeforePrint(); };
    header.Label(0, 0, kSzeles, QStringLiteral("Jövedelemigazolás"), Align::Center).Size(14).Bold();
    header.Label(0, 8, kSzeles, QStringLiteral("Egészségbiztosítási ellátás megállapításához"), Align::Center)
        .Bold();
    double y = 16;
    auto sor = [&](const QString& cim, std::function<QString()> ertek) {
        header.Label(5, y, 45, cim);
        header.Computed(50, y, kSzeles - 50, std::move(ertek));
        y += 5;
    };
    auto dolgozo = [](const char* field) {
        return [field] { return MezoSzoveg(*DM1->TableDolgozo, field); };
    };
    header.Label(0, y, kSzeles, QStringLiteral("A munkáltató adatai")).Bold();
    y += 6;
    sor(QStringLiteral("Neve :"), [] { return CegMezo("CG_NEV"); });
    sor(QStringLiteral("Címe :"), [] { return CegCime(); });
    sor(QStringLiteral("Adószáma :"), [] { return CegMezo("CG_ADOSZAM"); });
    y += 2;
    header.Label(0, y, kSzeles, QStringLiteral("A munkavállaló adatai")).Bold();
    y += 6;
    sor(QStringLiteral("Neve :"), dolgozo("DG_NEV"));
    sor(QStringLiteral("Születési neve :"), dolgozo("DG_LEANYKNEV"));
    sor(QStringLiteral("Anyja neve :"), dolgozo("DG_ANYJANEV"));
    sor(QStringLiteral("Állandó lakcíme :"), [] { return DolgozoCime(); });
    sor(QStringLiteral("TAJ :"), dolgozo("DG_TAJSZ"));
    sor(QStringLiteral("Születési helye :"), dolgozo("DG_SZULHELY"));
    sor(QStringLiteral("Születési ideje :"), dolgozo("DG_SZULDAT"));
    sor(QStringLiteral("Munkaviszony kezdete :"), dolgozo("DG_BELEPDAT"));
    sor(QStringLiteral("Munkaviszony vége :"), dolgozo("DG_KILEPDAT"));
    header.Height = y + 4;

    auto& detail = QuickRep1.AddDetail(5);
    detail.BeforePrint = [this](bool&) { DetailBeforePrint(); };
    detail.AfterPrint = [this] { vegeUtan_ = Sor() == "VEGE"; };
    // M01 to M08: code, pay item, month, from, to, amount, payment date, spare.
    const struct {
        const char* field;
        double left, width;
        Align align;
    } oszlopok[] = {{"M01", 0, kKod, Align::Left}, {"M02", 13, 55, Align::Left},
                    {"M03", 69, 14, Align::Right}, {"M04", 85, 22, Align::Left},
                    {"M05", 108, 22, Align::Left}, {"M06", 131, 26, Align::Right},
                    {"M07", 159, 22, Align::Left}, {"M08", 182, 8, Align::Left}};
    for (const auto& o : oszlopok) {
        report::Control& c = detail.Field(o.left, 0, o.width, o.field, o.align);
        if (!Oszlop1) Oszlop1 = &c;
    }
    Vonal = &detail.HLine(0, 2.5, kSzeles);
}

void TList_JovIgQRForm::QuickRep1BeforePrint() {
    vegeUtan_ = false;
    DM1->Table1->First();
    LocateCompany();
}

void TList_JovIgQRForm::QRBand1BeforePrint() {
    DM1->TableDolgozo->Locate("DG_TORZSSZAM", DM1->Table1->FieldByName("DOLGOZO_KOD").AsString());
}

void TList_JovIgQRForm::DetailBeforePrint() {
    const QString sor = Sor();
    QuickRep1.Detail()->ForceNewPage = vegeUtan_;
    Oszlop1->Width = sor == "CIM" ? kSzeles : kKod;
    if (sor == "CIM")
        Oszlop1->Font.style |= report::Bold;
    else
        Oszlop1->Font.style &= ~report::Bold;
    Vonal->Enabled = sor == "LAB";
}
