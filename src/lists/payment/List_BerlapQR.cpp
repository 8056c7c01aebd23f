#include "lists/payment/List_BerlapQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "core/helpers/SegedUnit.h"

namespace {

using report::Align;

constexpr double kPx = 25.4 / 96;  // the layout's pixel sizes in millimetres
constexpr double kSor = 16 * kPx;
constexpr double kSzoveg = 233 * kPx;
constexpr double kCim = 673 * kPx;
constexpr double kOszlop = 73;  // left edge of the value columns
constexpr double kOszlopSzel = 19.5;

QString Mezo(const char* field) { return QString::fromStdString(DM1->Table1->FieldByName(field).AsString()); }

}  // namespace

TList_BerlapQRForm::TList_BerlapQRForm() : QuickRep1(QStringLiteral("List_BerlapQRForm")) {
    QuickRep1.DataSet = DM1->Table1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_BerlapQRForm")); };

    QRBand1 = &QuickRep1.AddPageHeader(37);
    Fejlec = AddListHeader(*QRBand1, QStringLiteral("Bérlap"), true);
    const double y = Fejlec.bottom + 1;
    QRBand1->Label(0, y, 28, QStringLiteral("Munkahely :"));
    Munkahely = &QRBand1->Label(28, y, 70, {}).Shrink();
    QRBand1->Label(100, y, 28, QStringLiteral("Kifizető hely :"));
    KifizetoHely = &QRBand1->Label(128, y, 62, {}).Shrink();
    DolgozoKod = &QRBand1->Label(0, y + 5, 28, {}).Bold();
    DolgozoNev = &QRBand1->Label(28, y + 5, 70, {}).Bold().Shrink();
    QRBand1->Label(100, y + 5, 16, QStringLiteral("Hónap :"));
    Honap = &QRBand1->Label(116, y + 5, 10, {});
    KifizDatCimke = &QRBand1->Label(130, y + 5, 22, QStringLiteral("Kifiz. dát. :"));
    KifizDat = &QRBand1->Label(152, y + 5, 38, {});
    QRBand1->HLine(0, y + 11, 190);
    QRBand1->BeforePrint = [this](bool&) { QRBand1BeforePrint(); };

    QRBand2 = &QuickRep1.AddDetail(kSor);
    ThJc = &QRBand2->Label(0, 0, 10, {});
    ThMegn = &QRBand2->Label(11, 0, kSzoveg, {});
    for (int i = 0; i < 6; ++i)
        Th[i] = &QRBand2->Label(kOszlop + i * kOszlopSzel, 0, kOszlopSzel - 0.5, {}, Align::Right);
    Vonal = &QRBand2->HLine(0, kSor / 2, 190);
    QRBand2->BeforePrint = [this](bool&) { QRBand2BeforePrint(); };
    QRBand2->AfterPrint = [this] { QRBand2AfterPrint(); };

    QRChildBand1 = &QRBand2->AddChild(30);
    auto& r = *QRChildBand1;
    r.Label(0, 3, 30, QStringLiteral("Számfejtette :"));
    r.HLine(0, 11, 55);
    r.Label(0, 11.5, 55, QStringLiteral("Aláírás"), Align::Center);
    r.Label(65, 3, 30, QStringLiteral("Ellenőrizte :"));
    r.HLine(65, 11, 55);
    r.Label(65, 11.5, 55, QStringLiteral("Aláírás"), Align::Center);
    Atvetel = &r.Label(0, 17, 120, {});
    AtvetelDatumCimke = &r.Label(0, 23, 15, QStringLiteral("Dátum :"));
    AtvetelDatumVonal = &r.HLine(15, 27, 45);
    // Above the band's end, clear of the denominations below.
    r.HLine(130, 25, 60);
    r.Label(130, 25.5, 60, QStringLiteral("Aláírás"), Align::Center);

    QRChildBand2 = &QRChildBand1->AddChild(60 * kPx);
    auto& c = *QRChildBand2;
    c.Label(0, 1, 18, QStringLiteral("Címlet :"));
    const char* captions[] = {"20e", "10e", "5000", "2000", "1000", "500", "200",
                              "100", "50",  "20",   "10",   "5",    "2",   "1"};
    for (int i = 0; i < 14; ++i) {
        CimletCimke[i] = &c.Label(20 + i * 12, 1, 11, captions[i], Align::Right);
        CimletDarab[i] = &c.Label(20 + i * 12, 6, 11, {}, Align::Right);
    }
    // A payable rounded to 5 forints leaves nothing for the 2 and the 1.
    for (int i : {12, 13}) CimletCimke[i]->Enabled = CimletDarab[i]->Enabled = false;
}

void TList_BerlapQRForm::Beallit(bool havi, bool atvetelDatuma, bool listaDatum) {
    havi_ = havi;
    atvetelDatuma_ = atvetelDatuma;
    QRChildBand2->Height = havi ? 0 : 60 * kPx;
    KifizDatCimke->Enabled = KifizDat->Enabled = Th[2]->Enabled = !havi;
    AtvetelDatumCimke->Enabled = AtvetelDatumVonal->Enabled = atvetelDatuma;
    Atvetel->Top = atvetelDatuma ? 17 : 23;
    Fejlec.DatumMutat(listaDatum);
}

void TList_BerlapQRForm::QuickRep1BeforePrint() {
    DM1->Table1->First();
    Kifizetendo = 0;
    LocateCompany();
}

void TList_BerlapQRForm::QRBand1BeforePrint() {
    // Lookups that find nothing print empty texts.
    const std::string kod = DM1->Table1->FieldByName("DOLGOZO_KOD").AsString();
    db::Table& dolgozo = *DM1->TableDolgozo;
    const std::string mhKod = LookupText(dolgozo, "DG_TORZSSZAM", kod, "DG_MHKOD").toStdString();
    Munkahely->Caption = LookupText(*DM1->TableMhely, "MH_KOD", mhKod, "MH_NEV");
    const std::string khKod = LookupText(*DM1->TableMhely, "MH_KOD", mhKod, "MH_KHKOD").toStdString();
    KifizetoHely->Caption = LookupText(*DM1->TableKifhely, "KH_KOD", khKod, "KH_NEV");
    DolgozoKod->Caption = QString::fromStdString(kod);
    DolgozoNev->Caption = (LookupText(dolgozo, "DG_TORZSSZAM", kod, "DG_TITULUS") + " " +
                           LookupText(dolgozo, "DG_TORZSSZAM", kod, "DG_NEV"))
                              .trimmed();
    Honap->Caption = Mezo("HONAP");
    KifizDat->Caption = Mezo("KIFIZDAT");
}

void TList_BerlapQRForm::QRBand2BeforePrint() {
    QRBand2->Height = kSor;
    ThJc->Caption.clear();
    ThMegn->Caption.clear();
    for (report::Control* c : Th) c->Caption.clear();
    const QString blokk = Mezo("BLOKK");
    const QString sor = Mezo("SOR");
    if (blokk.startsWith('B') && sor != "LAB" && sor != "VEGE") {
        ThJc->Caption = Mezo("TH_JC");
        ThMegn->Caption = Mezo("TH_MEGN");
        for (int i = 0; i < 6; ++i) Th[i]->Caption = Mezo(("TH_" + std::to_string(i + 1)).c_str());
    }
    Vonal->Enabled = sor == "LAB";
    ThMegn->Width = sor == "CIM" && !Mezo("TH_MEGN").isEmpty() ? kCim : kSzoveg;
    if (Mezo("TH_JC") == "KIF") {
        ThJc->Caption.clear();
        Kifizetendo = ToInt32(Kerekit(Mezo("TH_6").toDouble()));
        Atvetel->Caption = Kifizetendo == 0 ? QStringLiteral("A bérlap 1 példányát átvettem.")
                                            : QStringLiteral("A fenti összeget és a bérlapot átvettem.");
        const auto darab = CimletBontas(Kifizetendo);
        for (int i = 0; i < 14; ++i) CimletDarab[i]->Caption = QString::number(darab[i]);
    }
    const bool vege = sor == "VEGE";
    QRChildBand1->Enabled = vege;
    // A negative payable is not paid out in cash: no split to print.
    QRChildBand2->Enabled = vege && Kifizetendo > 0 && !havi_;
}

void TList_BerlapQRForm::QRBand2AfterPrint() { QRBand2->ForceNewPage = Mezo("SOR") == "VEGE"; }
