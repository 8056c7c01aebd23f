#include "lists/summary/List_UtalTetelQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "core/helpers/SegedUnit.h"
#include "platform/ui/QtString.h"

namespace {

using report::Align;

std::string Mezo(const char* name) { return DM1->Query1->FieldByName(name).AsString(); }

}  // namespace

QString TList_UtalTetelQRForm::PenztarNev(const std::string& jcKod, const std::string& azon) {
    if (jcKod != "301" && jcKod != "302" && jcKod != "333") return {};
    return LookupText(*DM1->TableNyugP, "NP_KOD", azon, "NP_RNEV");
}

TList_UtalTetelQRForm::TList_UtalTetelQRForm() : QuickRep1(QStringLiteral("List_UtalTetelQRForm")) {
    QuickRep1.DataSet = DM1->Query1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_UtalTetelQRForm")); };

    auto& header = QuickRep1.AddPageHeader(50);
    QRBand1 = AddListHeader(header, QStringLiteral("Utalandó tételek"));
    const double y = QRBand1.bottom + 1;
    header.Label(0, y, 25, QStringLiteral("Munkahely:"));
    header.Computed(25, y, 165, [this] { return Munkahely; });
    header.Label(0, y + 5, 25, QStringLiteral("Hónap:"));
    header.Computed(25, y + 5, 165, [this] { return Honap; });
    const double c = y + 11;
    header.Label(0, c, 15, QStringLiteral("Jogcím"));
    header.Label(15, c, 50, QStringLiteral("Jogcím neve"));
    header.Label(65, c, 50, QStringLiteral("Azonosító"));
    header.Label(115, c, 45, QStringLiteral("Számlaszám"));
    header.Label(160, c, 30, QStringLiteral("Összeg"), Align::Right);
    header.HLine(0, c + 5.5, 190);
    header.Height = c + 7;

    auto& group = QuickRep1.AddGroupHeader(0, QStringLiteral("UT_SZAMLA"));
    group.BeforePrint = [this](bool&) {
        CsoportOsszeg = 0;
        CsoportEgesz.Reset();
    };

    auto& detail = QuickRep1.AddDetail(5);
    detail.Computed(0, 0, 15, [] { return Q(Mezo("UT_JCKOD")); });
    detail.Computed(15, 0, 50, [] { return Q(Mezo("JC_NEV")); });
    detail.Computed(65, 0, 30, [] { return Q(Mezo("UT_AZON")); });
    detail.Computed(95, 0, 20, [] { return PenztarNev(Mezo("UT_JCKOD"), Mezo("UT_AZON")); });
    detail.Computed(115, 0, 45, [] { return Q(Mezo("UT_SZAMLA")); });
    detail.Computed(
        160, 0, 30, [] { return SzamSzoveg(DM1->Query1->FieldByName("UT_OSSZEG").AsFloat()); }, Align::Right);
    detail.AfterPrint = [this] {
        const double osszeg = DM1->Query1->FieldByName("UT_OSSZEG").AsFloat();
        CsoportOsszeg += osszeg;
        CsoportEgesz.Add(Kerekit(osszeg));
    };

    auto& footer = QuickRep1.AddGroupFooter(group, 12);
    footer.HLine(115, 0.5, 75);
    footer.Label(115, 1, 45, QStringLiteral("Összesen :"));
    footer.Computed(
        160, 1, 30, [this] { return SzamSzoveg(CsoportOsszeg); }, Align::Right);
    auto& utalando = footer.Label(115, 6, 45, QStringLiteral("Utalandó :"));
    auto& utalandoErtek = footer.Computed(
        160, 6, 30, [this] { return QString::number(Kerekit(CsoportEgesz.Value() / 1000.0L) * 1000); },
        Align::Right);
    footer.BeforePrint = [&utalando, &utalandoErtek](bool&) {
        // Private pension fund fees are not transferred from here.
        const bool mnyp = Mezo("UT_DOLGKAPCS") == "DG_MNYP";
        utalando.Enabled = !mnyp;
        utalandoErtek.Enabled = !mnyp;
    };
}

void TList_UtalTetelQRForm::QuickRep1BeforePrint() {
    DM1->Query1->First();
    CsoportOsszeg = 0;
    CsoportEgesz.Reset();
    LocateCompany();
}
