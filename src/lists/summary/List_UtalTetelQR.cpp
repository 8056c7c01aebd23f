#include "lists/summary/List_UtalTetelQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "core/helpers/SegedUnit.h"
#include "platform/ui/QtString.h"

namespace {

using report::Align;

// Column starts, mm: the account number's 26 characters need 50 mm.
constexpr double kJogcim = 0, kNev = 13, kAzon = 56, kPenztar = 84, kSzamla = 108, kOsszeg = 160, kVege = 190;

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
    header.Label(kJogcim, c, kNev - kJogcim, QStringLiteral("Jogcím"));
    header.Label(kNev, c, kAzon - kNev, QStringLiteral("Jogcím neve"));
    header.Label(kAzon, c, kSzamla - kAzon, QStringLiteral("Azonosító"));
    header.Label(kSzamla, c, kOsszeg - kSzamla, QStringLiteral("Számlaszám"));
    header.Label(kOsszeg, c, kVege - kOsszeg, QStringLiteral("Összeg"), Align::Right);
    header.HLine(0, c + 5.5, 190);
    header.Height = c + 7;

    auto& group = QuickRep1.AddGroupHeader(0, QStringLiteral("UT_SZAMLA"));
    group.BeforePrint = [this](bool&) {
        CsoportOsszeg = 0;
        CsoportEgesz.Reset();
    };

    auto& detail = QuickRep1.AddDetail(5);
    // The names and the identifier (a fund's code or, through the employee
    // link, up to 30 characters) shrink to their boxes when long.
    detail.Computed(kJogcim, 0, kNev - kJogcim, [] { return Q(Mezo("UT_JCKOD")); });
    detail.Computed(kNev, 0, kAzon - kNev - 1, [] { return Q(Mezo("JC_NEV")); }).Shrink();
    detail.Computed(kAzon, 0, kPenztar - kAzon - 1, [] { return Q(Mezo("UT_AZON")); }).Shrink();
    detail
        .Computed(kPenztar, 0, kSzamla - kPenztar - 1,
                  [] { return PenztarNev(Mezo("UT_JCKOD"), Mezo("UT_AZON")); })
        .Shrink();
    detail.Computed(kSzamla, 0, kOsszeg - kSzamla, [] { return Q(Mezo("UT_SZAMLA")); });
    detail.Computed(
        kOsszeg, 0, kVege - kOsszeg,
        [] { return SzamSzoveg(DM1->Query1->FieldByName("UT_OSSZEG").AsFloat()); }, Align::Right);
    detail.AfterPrint = [this] {
        const double osszeg = DM1->Query1->FieldByName("UT_OSSZEG").AsFloat();
        CsoportOsszeg += osszeg;
        CsoportEgesz.Add(Kerekit(osszeg));
    };

    auto& footer = QuickRep1.AddGroupFooter(group, 12);
    footer.HLine(kSzamla, 0.5, kVege - kSzamla);
    footer.Label(kSzamla, 1, kOsszeg - kSzamla, QStringLiteral("Összesen :"));
    footer.Computed(
        kOsszeg, 1, kVege - kOsszeg, [this] { return SzamSzoveg(CsoportOsszeg); }, Align::Right);
    auto& utalando = footer.Label(kSzamla, 6, kOsszeg - kSzamla, QStringLiteral("Utalandó :"));
    auto& utalandoErtek = footer.Computed(
        kOsszeg, 6, kVege - kOsszeg,
        [this] { return QString::number(Kerekit(CsoportEgesz.Value() / 1000.0L) * 1000); }, Align::Right);
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
