#include "datasupply/BankiUtMKB.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "platform/os/Clock.h"

namespace {

constexpr auto C = FieldKind::Constant;
constexpr auto R = Align::Right;

ListDecl AtutalDecl(AtutalBank bank) {
    ParamField kezdemenyezo;
    kezdemenyezo.kind = ParamKind::Text;
    kezdemenyezo.from = "Edit1";
    kezdemenyezo.caption = QStringLiteral("Kezdenényező azonosítója :");
    ParamField sorszam;
    sorszam.kind = ParamKind::Text;
    sorszam.from = "MaskEdit1";
    sorszam.caption = QStringLiteral("Sorszám :");
    sorszam.mask = "9999;1; ";
    ParamField terheles;
    terheles.kind = ParamKind::Date;
    terheles.from = "DateEdit1";
    terheles.caption = QStringLiteral("Terhelés dátuma :");
    terheles.fromDefault = MaiNap();
    ParamField jovairas = terheles;
    jovairas.from = "DateEdit2";
    jovairas.caption = QStringLiteral("Jóváírás napja :");
    jovairas.fromDefault = MaiNap(1);

    ListDecl s;
    s.objectName = bank == AtutalBank::MKB ? "BankiUtMKBForm" : "BankiUtBPBForm";
    s.caption = QStringLiteral("Szerviz/Munkabér átutalás");
    s.fields = UtalasMezok();
    for (const ParamField& f : {kezdemenyezo, sorszam, terheles}) s.fields.push_back(f);
    if (bank == AtutalBank::MKB) s.fields.push_back(jovairas);
    s.tables = {&TDM1::TableKifhely,  &TDM1::TableMhely, &TDM1::TableJogcim, &TDM1::TableDolgozo,
                &TDM1::TableSzamfejt, &TDM1::TableCegek, &TDM1::TableRJogcim};
    s.lastEdit = bank == AtutalBank::MKB ? "DateEdit2" : "DateEdit1";
    s.progressBars = 1;
    return s;
}

std::string Szamjegyek(const std::string& s) {
    std::string d;
    for (char c : s)
        if (c >= '0' && c <= '9') d += c;
    return d;
}

}  // namespace

// clang-format off
const RecordLayout kAtutalFej = {"ATUTAL fej", 174, RecordCodePage::Cp852Hungarian, "", "", "\r\n", {
    {"rekordtipus",  1,   9,  C, ' ', Align::Left, "01ATUTAL0"},
    {"kezdemenyezo", 10,  13, FieldKind::Text},
    {"keszult",      23,  8,  FieldKind::Date},
    {"sorszam",      31,  4,  FieldKind::Whole, '0', R},
    {"szamla",       35,  24, FieldKind::Digits, ' ', Align::Left, "", kCut},
    {"terheles",     59,  8,  FieldKind::Date},
    {"MUN",          67,  3,  C, ' ', Align::Left, "MUN"},
    {"cegnev",       70,  35, FieldKind::Text, ' ', Align::Left, "", kCut},
    {"ures",         105, 70, C},
}};
const RecordLayout kAtutalTetel = {"ATUTAL tétel", 249, RecordCodePage::Cp852Hungarian, "", "", "\r\n", {
    {"rekordtipus",  1,   2,  C, ' ', Align::Left, "02"},
    {"sorszam",      3,   6,  FieldKind::Whole, '0', R},
    {"jovairas",     9,   8,  FieldKind::Date},
    {"osszeg",       17,  10, FieldKind::Whole, '0', R},
    {"szamla",       27,  24, FieldKind::Digits},
    {"torzsszam",    51,  24, FieldKind::Text},
    {"nev",          75,  35, FieldKind::Text, ' ', Align::Left, "", kCut},
    {"cim",          110, 35, FieldKind::Text, ' ', Align::Left, "", kCut},
    {"kedvezmenyezett", 145, 35, FieldKind::Text, ' ', Align::Left, "", kCut},
    {"kozlemeny",    180, 70, C, ' ', Align::Left, "Munkabér"},
}};
const RecordLayout kAtutalZaro = {"ATUTAL záró", 24, RecordCodePage::Cp852Hungarian, "", "", "\r\n", {
    {"rekordtipus",  1,   2,  C, ' ', Align::Left, "03"},
    {"darab",        3,   6,  FieldKind::Whole, '0', R},
    {"osszeg",       9,   16, FieldKind::Whole, '0', R},
}};
// clang-format on

std::string AtutalFajlNev(const std::string& kezdemenyezo, const std::string& sorszam, AtutalBank bank) {
    std::string szam = Szamjegyek(sorszam);
    if (szam.size() < 4) szam.insert(0, 4 - szam.size(), '0');
    return kezdemenyezo + "_" + szam + (bank == AtutalBank::MKB ? ".CAT" : ".121");
}

std::string AtutalasiFajlIras(const std::vector<UtalasTetel>& tetelek, const UtalasCeg& ceg,
                              const AtutalAdatok& a, AtutalBank bank) {
    const std::string sorszamJegyek = Szamjegyek(a.sorszam);
    std::string out =
        FormatRecord(kAtutalFej, {{"kezdemenyezo", a.kezdemenyezo},
                                  {"keszult", a.keszult},
                                  {"sorszam", sorszamJegyek.empty() ? 0.0 : std::stod(sorszamJegyek)},
                                  {"szamla", ceg.bankszla},
                                  {"terheles", a.terheles},
                                  {"cegnev", ceg.nev}});
    long long sorszam = 1, osszeg = 0;  // the sum in 64 bits
    const db::Variant jovairas = bank == AtutalBank::MKB ? db::Variant(a.jovairas) : db::Variant();
    for (const UtalasTetel& t : tetelek) {
        const long long kerekitett = Kerekit(static_cast<long double>(t.osszeg));
        const bool kedv = !QString::fromStdString(t.kedvezmenyezett).trimmed().isEmpty();
        out += FormatRecord(kAtutalTetel, {{"sorszam", static_cast<double>(sorszam)},
                                           {"jovairas", jovairas},
                                           {"osszeg", static_cast<double>(kerekitett)},
                                           {"szamla", t.szamla},
                                           {"torzsszam", t.torzsszam},
                                           {"nev", t.nev},
                                           {"cim", NevCim({t.irsz, t.varos, t.kozter, t.hazsz})},
                                           {"kedvezmenyezett", kedv ? t.kedvezmenyezett : t.nev}});
        ++sorszam;
        osszeg += kerekitett;
    }
    out += FormatRecord(
        kAtutalZaro, {{"darab", static_cast<double>(sorszam - 1)}, {"osszeg", static_cast<double>(osszeg)}});
    return out;
}

TBankiUtMKBForm::TBankiUtMKBForm(QWidget* parent) : TBankiUtMKBForm(AtutalBank::MKB, parent) {}

TBankiUtMKBForm::TBankiUtMKBForm(AtutalBank bank, QWidget* parent)
    : TBankiUtalasForm(AtutalDecl(bank), bank == AtutalBank::MKB ? "BankiUtMKB" : "BankiUtBPB", parent),
      bank_(bank) {
    // At most 13 characters, and no "/": the id becomes part of the file name.
    QLineEdit* id = Edit("Edit1");
    id->setMaxLength(13);
    id->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^/]*")), id));
}

QString TBankiUtMKBForm::FajlNev(const UtalasCeg&) {
    return QString::fromStdString(
        AtutalFajlNev(Edit("Edit1")->text().toStdString(), Text("MaskEdit1").toStdString(), bank_));
}

std::string TBankiUtMKBForm::Fajl(const UtalasCeg& ceg, const std::vector<UtalasTetel>& tetelek) {
    AtutalAdatok a;
    a.kezdemenyezo = Edit("Edit1")->text().toStdString();
    a.sorszam = Text("MaskEdit1").toStdString();
    a.keszult = os::Today();
    a.terheles = Date("DateEdit1");
    a.jovairas = bank_ == AtutalBank::MKB ? Date("DateEdit2") : 0;
    return AtutalasiFajlIras(tetelek, ceg, a, bank_);
}
