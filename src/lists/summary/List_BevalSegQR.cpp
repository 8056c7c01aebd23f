#include "lists/summary/List_BevalSegQR.h"

#include <algorithm>
#include <initializer_list>

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "core/helpers/TaxRate.h"
#include "platform/ui/QtString.h"

namespace {

using report::Align;

enum class Kulf { Mind, Belfoldi, Kulfoldi };

// A line: its caption, its pay items and how a row's amount counts.
struct Sor {
    const char* caption;
    std::initializer_list<const char*> kodok;
    bool tizenot = false;  // 15 % of the amount
    Kulf kulf = Kulf::Mind;
    bool gyed = false;  // × the two pension contribution rates of child-care pay
};

// clang-format off
const Sor kSorok[TList_BevalSegQRForm::kSorok] = {
    {"Munkáltatói személyi jövedelemadó :",          {"320", "321", "322"}},
    {"Osztalékelőleg adója :",                       {"150"}, true},
    {"Magánszemély osztaléka utáni adó :",           {"152"}, true},
    {"Belföldi magánszemély osztaléka utáni adó :",  {"152"}, true, Kulf::Belfoldi},
    {"15%-os forrásadó :",                           {"150", "152"}, true},
    {"Külföldi magánszemély osztaléka utáni adó :",  {"152"}, true, Kulf::Kulfoldi},
    {"Munkaerő piaci járulék dolgozói :",            {"304"}},
    {"Szociális hozzájárulási adó :",                {"330"}},
    {"SZHA kedvezmények :",                          {"328"}},
    {"Nyugdíjjárulék :",                             {"300", "301"}},
    {"GYED, GYES, GYET nyugdíjjáruléka :",           {"205", "210"}, false, Kulf::Mind, true},
    {"Egészségbiztosítási járulék :",                {"306", "307"}},
    {"Egészségbiztosítási járulék term. :",          {"306"}},
    {"Egészségbiztosítási járulék pénz. :",          {"307"}},
    {"Egészségügyi szolgáltatási járulék :",         {"342"}},
    {"SZHA levonás :",                               {"326"}},
    {"Szakképzési hozz. 1,5% :",                     {"351"}},
    {"Egyszerűsített foglalkoztatás közterhe :",     {"281B"}},
    {"SZHA összesen :",                              {"334A", "334B", "341A", "341B"}},
    {"Term. jut. adó kedv. :",                       {"334A"}},
    {"Term. jut. adó. nem kedv. :",                  {"334B"}},
    {"SZHA term. kedv. :",                           {"341A"}},
    {"SZHA term. nem kedv. :",                       {"341B"}},
};
// clang-format on

Decimal Szazadresz(double value) {
    Decimal d = ToDecimal(value);
    d.scale += 2;
    return d;
}

double ErtekNum(const char* ertek) {
    return DM1->TableErtekkeszlet
        ->Lookup("EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant(ertek)}, "EK_ERTEKNUM")
        .ToDouble();
}

QString Ceg(const char* field) { return Q(DM1->TableCegek->FieldByName(field).AsString()); }

}  // namespace

TList_BevalSegQRForm::TList_BevalSegQRForm() : QuickRep1(QStringLiteral("List_BevalSegQRForm")) {
    QuickRep1.BeforePrint = [this](bool&) { QRBand1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_BevalSegQRForm")); };

    auto& band = QuickRep1.AddTitle(270);
    QRBand1 = AddListHeader(band, QStringLiteral("0001. összesítő bevallási segédlet"));
    double y = QRBand1.bottom + 2;
    const ParamLines line(band, y, 60, 190);
    line.Add(QStringLiteral("Bank :"), [] { return Ceg("CG_BANKSZLA"); });
    line.Add(QStringLiteral("Hónap :"), [this] { return m1 + " - " + m2; });
    line.Add(QStringLiteral("Kifiz. dát. :"), [this] { return KifizDat; });
    line.Add(QStringLiteral("Bevallási időszak :"), [this] {
        return Q(DM1->TableErtekkeszlet
                     ->Lookup("EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant("04")}, "EK_ERTEKCHAR")
                     .ToString()) +
               "/" + m1;
    });
    y += 2;
    band.Label(0, y, 190, QStringLiteral("A bevallásra kötelezett adatai:")).Bold();
    y += 6;
    line.Add(
        QStringLiteral("Adószáma :"), [] { return Ceg("CG_ADOSZAM"); }, 5);
    line.Add(
        QStringLiteral("Neve :"), [] { return Ceg("CG_NEV"); }, 5);
    line.Add(
        QStringLiteral("Levelezési címe :"),
        [] {
            return CimOsszefuz(*DM1->TableCegek,
                               {"CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ", "CG_EPULET",
                                "CG_LEPCSOHAZ", "CG_EMELET", "CG_AJTO"});
        },
        5);
    line.Add(
        QStringLiteral("Ügyintéző :"), [] { return Ceg("CG_UGYINT"); }, 5);
    band.Label(0, y, 190, QStringLiteral("A bevallást ezer forintra kerekítve kell elvégezni!")).Size(7);
    y += 6;
    for (int i = 0; i < kSorok; ++i) {
        band.Label(0, y, 90, QString::fromUtf8(::kSorok[i].caption));
        band.Computed(
            90, y, 40, [this, i] { return QString::number(Kerekit(Osszegek[i])); }, Align::Right);
        y += 5;
    }
    band.Computed(0, y + 2, 130, [this] { return LetszamSor(); });
}

QString TList_BevalSegQRForm::LetszamSor() const {
    const QString szam = QString::asprintf("%10.2f", Allomany);
    if (m1 == "1" && m2 == "12") return QStringLiteral("Éves statisztikai állományi létszám:") + szam;
    if (m1 == m2) return QStringLiteral("Statisztikai állományi létszám:") + szam;
    return {};
}

void TList_BevalSegQRForm::QRBand1BeforePrint() {
    db::Query& q = *DM1->Query1;
    Osszegek.fill(Decimal{});
    const Decimal tizenot = ToDecimal(kIncomeTaxRate);
    for (q.First(); !q.Eof(); q.Next()) {
        const std::string jc = q.FieldByName("SF_JCKOD").AsString();
        const Decimal osszeg = ToDecimal(q.FieldByName("SF_OSSZEG").AsFloat());
        const std::string torzsszam = q.FieldByName("SF_DGTORZSSZAM").AsString();
        for (int i = 0; i < kSorok; ++i) {
            const Sor& s = ::kSorok[i];
            if (std::find_if(s.kodok.begin(), s.kodok.end(), [&](const char* k) { return jc == k; }) ==
                s.kodok.end())
                continue;
            Decimal ertek = osszeg;
            if (s.kulf != Kulf::Mind) {
                const bool kulfoldi =
                    !LookupText(*DM1->TableDolgozo, "DG_TORZSSZAM", torzsszam, "DG_KULFIRSZ")
                         .trimmed()
                         .isEmpty();
                if (kulfoldi != (s.kulf == Kulf::Kulfoldi)) continue;
            }
            if (s.tizenot) ertek = Multiply(osszeg, tizenot);
            if (s.gyed) ertek = Multiply(osszeg, Add(Szazadresz(ErtekNum("17")), Szazadresz(ErtekNum("18"))));
            Osszegek[i] = Add(Osszegek[i], ertek);
        }
    }
    q.First();
    LocateCompany();
}
