#include "masterdata/List_TorzslapQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "masterdata/DolgozoLapok.h"
#include "platform/db/Query.h"

namespace {

constexpr double kSor = 5.5;  // mm a row
// The two columns of captions and values.
constexpr double kFelirat[2] = {0, 97};
constexpr double kErtek[2] = {48, 145};
constexpr double kErtekSzeles = 45;

struct Tetel {
    const char* felirat;
    const char* mezo;  // nullptr: the value is the row's own
};

// Left and right of each row, in order.
// clang-format off
const Tetel kTetelek[] = {
    {"Törzsszám :",               "DG_TORZSSZAM"},      {"Név :",                     "DG_NEV"},
    {"Születési név :",           "DG_LEANYKNEV"},      {"Anyja neve :",              "DG_ANYJANEV"},
    {"Születési hely :",          "DG_SZULHELY"},       {"Születési idő :",           "DG_SZULDAT"},
    {"Adóazonosító jel :",        "DG_ADOAZ"},          {"TAj szám :",                "DG_TAJSZ"},
    {"Munkahely :",               "DG_MHKOD"},          {"FEOR :",                    "DG_FEOR"},
    {"Alk. min. :",               "DG_ALKMIN"},         {"Alk. min. adatszolg :",     "DG_ALKMINADATSZ"},
    {"Bérforma :",                "DG_BERFORM"},        {"Napi köt. óra :",           "DG_NAPIKOTORA"},
    {"Heti köt. óra :",           "DG_HETIKOTORA"},     {"Belépés dátuma:",           "DG_BELEPDAT"},
    {"Kilépés dátuma:",           "DG_KILEPDAT"},       {"Szabadság keret:",          "DG_SZABKER"},
    {"Bet. szab. :",              "DG_BETEGSZABKER"},   {"Munkakör :",                "DG_MUNKAKOR"},
    {"Alapbér :",                 "DG_ALAPBER"},        {"Nyugdíjas :",               "DG_NYUGDIJAS"},
    {"Nyug. törzsszám :",         "DG_NYUGTORZSSZ"},    {"NYJ von :",                 "DG_NYUGJAR"},
    {"EBJ term. von :",           "DG_EGBIZJARTERM"},   {"EBJ pénz. von :",           "DG_EGBIZJARPENZ"},
    {"Munkaerő piaci jár. d. :",  "DG_MPJDOLG"},        {"Érdekképviselet :",         "DG_ERDKEPV"},
    {"MNYP :",                    "DG_MNYP"},           {"MNYP azon :",               "DG_MNYPAZON"},
    {"MNYP belépés :",            "DG_MNYPBEDAT"},      {"Előző MNYP :",              "DG_ELOZOMNYP"},
    {"Előző MNYP belép. dát. :",  "DG_ELOZOMNYPBEDAT"}, {"Előző MNYP kilép. dát. :",  "DG_ELOZOMNYPKIDAT"},
    {"Napi átlagbér :",           "DG_NAPIATL"},        {"Gyermekek száma :",         "DG_GYERMSZAM"},
    {"Beszámító gy. sz. :",       "DG_BESZAMGYERM"},    {"Családi kedvezmény :",      "DG_CSALKEDV"},
    {"Családi járulékkedv. :",    "DG_CSJARKEDVERV"},   {"Fogyatékos kedv. :",        "DG_FOGYKEDV"},
    {"Fogy. :",                   nullptr},             {"Önkéntes EP tagság :",      "DG_ONKEPTTAGS"},
    {"Önkéntes NYP tagság :",     "DG_ONKPTTAGS"},      {"Munkav. megsz. mód. :",     "DG_MEGSZMOD"},
    {"Átlagkereset :",            "DG_ATLAGKER"},       {"Utolsó munkakör :",         "DG_UTMUNKAKOR"},
    {"Vegkielégítés hó (TV) :",   "DG_VEGKIHOTV"},      {"Végki. hó (TV felett) :",   "DG_VEGKIHOTVFEL"},
    {"Felmentési idő kezdete :",  "DG_FELMIDOKEZD"},    {"Felmentési idő vége :",     "DG_FELMIDOVEG"},
    {"Utolsó munkanap :",         "DG_UTMUNKNAP"},      {"Lakhely :",                 nullptr},
    {"Tel. :",                    "DG_TELSZ"},
};
// clang-format on

}  // namespace

TList_TorzslapQRForm::TList_TorzslapQRForm() : QuickRep1(QStringLiteral("List_TorzslapQRForm")) {
    db::Query& q = *DM1->Query1;
    QuickRep1.DataSet = &q;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_TorzslapQRForm")); };

    auto& header = QuickRep1.AddPageHeader(30);
    QRBand1 = AddListHeader(header, QStringLiteral("Dolgozó törzslapja"));
    header.Height = QRBand1.bottom + 2;

    auto& detail = QuickRep1.AddDetail(0);
    auto mezo = [&q](const char* field) { return [&q, field] { return LapMezo(q, field); }; };
    double y = 1;
    int i = 0;
    for (const Tetel& t : kTetelek) {
        const int oszlop = i++ % 2;
        const QString felirat = QString::fromUtf8(t.felirat);
        detail.Label(kFelirat[oszlop], y, kErtek[oszlop] - kFelirat[oszlop], felirat);
        if (t.mezo) {
            detail.Computed(kErtek[oszlop], y, kErtekSzeles, mezo(t.mezo));
        } else if (felirat == QStringLiteral("Fogy. :")) {
            detail.Computed(kErtek[oszlop], y, kErtekSzeles,
                            [&q] { return LapMezo(q, "DG_FOGYKEZD") + "-" + LapMezo(q, "DG_FOGYVEG"); });
        } else {
            // The town, below it the address line, below that the postcode.
            detail.Computed(kErtek[oszlop], y, kErtekSzeles, mezo("DG_VAROS"));
            detail.Computed(kErtek[oszlop], y + kSor, kErtekSzeles, [&q] { return DolgozoCimSor(q); });
            detail.Computed(kErtek[oszlop], y + 2 * kSor, kErtekSzeles, mezo("DG_IRSZ"));
        }
        if (oszlop == 1) y += kSor;
    }
    // The address's two further lines end beside "Tel. :".
    y += 2 * kSor;
    detail.HLine(0, y, 190);
    detail.Height = y + 2;
}

void TList_TorzslapQRForm::QuickRep1BeforePrint() {
    DM1->Query1->First();
    LocateCompany();
}
