#include "datasupply/BankiUt.h"

#include "platform/os/DayNumber.h"

namespace {

constexpr auto C = FieldKind::Constant;
constexpr auto R = Align::Right;

ListDecl OtpDecl() {
    ParamField datum;
    datum.kind = ParamKind::Date;
    datum.from = "DateEdit1";
    datum.caption = QStringLiteral("Dátum :");
    datum.fromDefault = MaiNap();
    ParamField utalas = datum;
    utalas.from = "DateEdit2";
    utalas.caption = QStringLiteral("Utalás dátuma :");
    utalas.fromDefault = MaiNap(1);

    ListDecl s;
    s.objectName = "BankiUtForm";
    s.caption = QStringLiteral("Szerviz/Banki utalás - OTP");
    s.fields = UtalasMezok();
    s.fields.push_back(datum);
    s.fields.push_back(utalas);
    s.tables = {&TDM1::TableKifhely, &TDM1::TableMhely,    &TDM1::TableJogcim,
                &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "DateEdit2";
    s.progressBars = 1;
    return s;
}

}  // namespace

// clang-format off
const RecordLayout kOtpFej = {"OTP fej", 178, RecordCodePage::Cp852Hungarian, "", "", "\r\n", {
    {"rekordtipus", 1,   5,  C, ' ', Align::Left, "80201"},
    {"szamla",      6,   16, FieldKind::Digits, ' ', Align::Left, "", kCut},
    {"datum",       22,  8,  FieldKind::Date},
    {"01",          30,  2,  C, ' ', Align::Left, "01"},
    {"ures1",       32,  10, C},
    {"ures2",       42,  8,  C},
    {"utalas",      50,  8,  FieldKind::Date},
    {"ures3",       58,  8,  C},
    {"ures4",       66,  26, C},
    {"ures5",       92,  1,  C},
    {"ures6",       93,  86, C},
}};
const RecordLayout kOtpTetel = {"OTP tétel", 178, RecordCodePage::Cp852Hungarian, "", "", "\r\n", {
    {"rekordtipus", 1,   5,  C, ' ', Align::Left, "88000"},
    {"sorszam",     6,   7,  FieldKind::Whole, '0', R},
    {"osszeg",      13,  14, FieldKind::Whole, '0', R},
    {"000",         27,  3,  C, ' ', Align::Left, "000"},
    {"HUF",         30,  4,  C, ' ', Align::Left, "HUF "},
    {"ures1",       34,  9,  C},
    {"ures2",       43,  20, C},
    {"szamla",      63,  24, FieldKind::Digits},
    {"nevcim",      87,  32, FieldKind::Text, ' ', Align::Left, "", kCut},
    {"ures3",       119, 8,  C},
    {"ures4",       127, 1,  C},
    {"ures5",       128, 2,  C},
    {"ures6",       130, 49, C},
}};
const RecordLayout kOtpZaro = {"OTP záró", 178, RecordCodePage::Cp852Hungarian, "", "", "\r\n", {
    {"rekordtipus", 1,   5,  C, ' ', Align::Left, "88888"},
    {"szamla",      6,   16, FieldKind::Digits, ' ', Align::Left, "", kCut},
    {"datum",       22,  8,  FieldKind::Date},
    {"01",          30,  2,  C, ' ', Align::Left, "01"},
    {"ures1",       32,  42, C},
    {"darab",       74,  7,  FieldKind::Whole, '0', R},
    {"osszeg",      81,  14, FieldKind::Whole, '0', R},
    {"000",         95,  3,  C, ' ', Align::Left, "000"},
    {"ures2",       98,  81, C},
}};
// clang-format on

std::string OtpFajlNev(const std::string& cegBankszla, double datum) {
    const size_t from = cegBankszla.size() > 8 && cegBankszla[8] == '-' ? 9 : 8;
    const std::string hetJegy = cegBankszla.size() > from ? cegBankszla.substr(from, 7) : std::string();
    char nap[8];
    std::snprintf(nap, sizeof nap, "%02d", os::DecodeDate(datum).day);
    return "M" + hetJegy + "." + nap + "1";
}

std::string WriteOtpTransferFile(const std::vector<UtalasTetel>& tetelek, const UtalasCeg& ceg, double datum,
                                 double utalasDatum) {
    std::string out =
        FormatRecord(kOtpFej, {{"szamla", ceg.bankszla}, {"datum", datum}, {"utalas", utalasDatum}});
    long long sorszam = 1, osszeg = 0;  // the sum in 64 bits: no count of rows overflows it
    for (const UtalasTetel& t : tetelek) {
        const long long kerekitett = Kerekit(static_cast<long double>(t.osszeg));
        out += FormatRecord(kOtpTetel, {{"sorszam", static_cast<double>(sorszam)},
                                        {"osszeg", static_cast<double>(kerekitett)},
                                        {"szamla", t.szamla},
                                        {"nevcim", NevCim({t.nev, t.varos, t.kozter, t.hazsz})}});
        ++sorszam;
        osszeg += kerekitett;
    }
    out += FormatRecord(kOtpZaro, {{"szamla", ceg.bankszla},
                                   {"datum", datum},
                                   {"darab", static_cast<double>(sorszam - 1)},
                                   {"osszeg", static_cast<double>(osszeg)}});
    return out;
}

TBankiUtForm::TBankiUtForm(QWidget* parent) : TBankiUtalasForm(OtpDecl(), "BankiUtOTP", parent) {}

QString TBankiUtForm::FajlNev(const UtalasCeg& ceg) {
    return QString::fromStdString(OtpFajlNev(ceg.bankszla, Date("DateEdit1")));
}

std::string TBankiUtForm::Fajl(const UtalasCeg& ceg, const std::vector<UtalasTetel>& tetelek) {
    return WriteOtpTransferFile(tetelek, ceg, Date("DateEdit1"), Date("DateEdit2"));
}
