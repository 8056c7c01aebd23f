#include "lists/summary/List_Fokfel.h"

#include <QCheckBox>
#include <QPushButton>
#include <map>

#include "core/StartValues.h"
#include "core/helpers/KimenetiMappa.h"
#include "core/helpers/RecordWriter.h"
#include "lists/summary/List_FokfelQR.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "platform/os/AtomicFile.h"
#include "platform/ui/Dialogs.h"

namespace {

// clang-format off
const RecordLayout kFokFelFajl = {
    "FokFel", 0, RecordCodePage::Cp1250, "", ";", "\r\n", {
        {"FF_KOD",        0, 0, FieldKind::Text},
        {"FF_TARTERT",    0, 0, FieldKind::Number},
        {"FF_KOVERT",     0, 0, FieldKind::Number},
        {"FF_SFMUNKSZAM", 0, 0, FieldKind::Text},
    }};
// clang-format on

ListDecl FokfelDecl() {
    ParamField datum = params::KifizetesDatuma();
    datum.fromDefault = defaults::FirstDayOfMonth("CurrencyEdit1");
    ListDecl s;
    s.objectName = "List_FokfelForm";
    s.caption = QStringLiteral("Összesítő listák/Főkönyvi feladás");
    s.fields = {params::Honap(), datum, params::Munkahely(), params::Munkaszam(), params::Gyujto()};
    s.options = {{"CheckBox3", QStringLiteral("Munkaszám megjelenítése :")}};
    s.tables = {&TDM1::TableKifhely, &TDM1::TableMhely,    &TDM1::TableJogcim,
                &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "MaskEdit12";
    s.startButtons = {{"BitBtn3", QStringLiteral("Exportálás")}};
    return s;
}

struct Szamlak {
    std::string tartozik, kovetel;
};

// A selected payroll row as the posting needs it.
struct Tetel {
    std::string jc, munkaszam;
    double osszeg;
};

// The pay items' debit and credit accounts by code.
std::map<std::string, Szamlak> JogcimSzamlak() {
    std::map<std::string, Szamlak> szamlak;
    db::Table& t = *DM1->TableJogcim;
    for (t.First(); !t.Eof(); t.Next())
        szamlak[t.FieldByName("JC_KOD").AsString()] = {t.FieldByName("JC_TARTOZIK").AsString(),
                                                       t.FieldByName("JC_KOVETEL").AsString()};
    return szamlak;
}

FokFelSor* Keres(std::vector<FokFelSor>& sorok, const std::string& kod) {
    for (FokFelSor& s : sorok)
        if (s.kod == kod) return &s;
    return nullptr;
}

void Hozzaad(std::optional<double>& osszeg, double ertek) { osszeg = osszeg.value_or(0) + ertek; }

const Szamlak& Szamla(const std::map<std::string, Szamlak>& szamlak, const std::string& jc) {
    static const Szamlak nincs;
    auto it = szamlak.find(jc);
    return it == szamlak.end() ? nincs : it->second;
}

// Pass 1: the accounts in the order the pay items first bring them, each
// with the item and job number of the row that brought it.
void SzamlakFelvesz(const std::vector<Tetel>& tetelek, const std::map<std::string, Szamlak>& szamlak,
                    std::vector<FokFelSor>& sorok) {
    for (const Tetel& t : tetelek) {
        const Szamlak& sz = Szamla(szamlak, t.jc);
        const bool tartozikVan = Keres(sorok, sz.tartozik), kovetelVan = Keres(sorok, sz.kovetel);
        if (!tartozikVan && !sz.tartozik.empty()) sorok.push_back({sz.tartozik, t.jc, t.munkaszam, {}, {}});
        if (!kovetelVan && !sz.kovetel.empty() && sz.kovetel != sz.tartozik)
            sorok.push_back({sz.kovetel, t.jc, t.munkaszam, {}, {}});
    }
}

// Pass 2: the amounts; an item posted to one account on both sides fills
// both columns.
void Osszegek(const std::vector<Tetel>& tetelek, const std::map<std::string, Szamlak>& szamlak,
              std::vector<FokFelSor>& sorok) {
    for (const Tetel& t : tetelek) {
        const Szamlak& sz = Szamla(szamlak, t.jc);
        if (!sz.tartozik.empty()) Hozzaad(Keres(sorok, sz.tartozik)->tartozik, t.osszeg);
        if (!sz.kovetel.empty()) Hozzaad(Keres(sorok, sz.kovetel)->kovetel, t.osszeg);
    }
}

// The social contribution tax is posted net of its allowance: the 328 total
// of the selection off each side of 330's accounts that the posting has.
void SzhaKedvKorrekcio(const std::vector<Tetel>& tetelek, const std::map<std::string, Szamlak>& szamlak,
                       std::vector<FokFelSor>& sorok) {
    double kedvezmeny = 0;
    for (const Tetel& t : tetelek)
        if (t.jc == "328") kedvezmeny += t.osszeg;
    if (kedvezmeny == 0) return;
    const Szamlak& szha = Szamla(szamlak, "330");
    FokFelSor* tartozik = szha.tartozik.empty() ? nullptr : Keres(sorok, szha.tartozik);
    FokFelSor* kovetel = szha.kovetel.empty() ? nullptr : Keres(sorok, szha.kovetel);
    if (tartozik) Hozzaad(tartozik->tartozik, -kedvezmeny);
    if (kovetel) Hozzaad(kovetel->kovetel, -kedvezmeny);
}

// Replaces FokFel's rows with the run's in one transaction: another
// workstation's run either precedes or follows this one whole.
void FokFelIr(const std::vector<FokFelSor>& sorok) {
    db::Table& t = *DM1->TableFokFel;
    t.Close();
    db::Transaction tx{&t};
    t.Open();
    t.First();
    while (!t.Eof()) t.Delete();
    for (const FokFelSor& s : sorok) {
        t.Append();
        t.FieldByName("FF_KOD").SetAsString(s.kod);
        t.FieldByName("FF_JCKOD").SetAsString(s.jcKod);
        if (!s.munkaszam.empty()) t.FieldByName("FF_SFMUNKSZAM").SetAsString(s.munkaszam);
        if (s.tartozik) t.FieldByName("FF_TARTERT").SetAsFloat(*s.tartozik);
        if (s.kovetel) t.FieldByName("FF_KOVERT").SetAsFloat(*s.kovetel);
        t.Post();
    }
    tx.Commit();
    t.Close();
}

}  // namespace

std::string FokFelFajl(const std::vector<FokFelSor>& sorok) {
    std::string bytes;
    auto osszeg = [](const std::optional<double>& v) { return v ? db::Variant(*v) : db::Variant(); };
    for (const FokFelSor& s : sorok)
        bytes += FormatRecord(kFokFelFajl, {{"FF_KOD", s.kod},
                                            {"FF_TARTERT", osszeg(s.tartozik)},
                                            {"FF_KOVERT", osszeg(s.kovetel)},
                                            {"FF_SFMUNKSZAM", s.munkaszam}});
    return bytes;
}

TList_FokfelForm::TList_FokfelForm(QWidget* parent)
    : ListForm(FokfelDecl(), parent), List_FokfelQRForm(std::make_unique<TList_FokfelQRForm>()) {
    BitBtn3 = findChild<QPushButton*>("BitBtn3");
}

TList_FokfelForm::~TList_FokfelForm() = default;

std::vector<FokFelSor> TList_FokfelForm::Konyvel() {
    ListSql sql;
    sql.Line("Select SF_JCKOD, SF_MUNKSZAM, SF_OSSZEG From " + ListSql::Table(*DM1->TableSzamfejt));
    sql.Line("Inner Join " + ListSql::Table(*DM1->TableDolgozo) + " On SF_DGTORZSSZAM = DG_TORZSSZAM");
    sql.Range("SF_HONAP", Month("CurrencyEdit1"), Month("CurrencyEdit2"));
    // The employee's current workplace, not the row's copy.
    sql.Range("DG_MHKOD", Text("MaskEdit1"), Text("MaskEdit2"));
    sql.DateRange("SF_KIFIZDAT", Date("DateEdit1"), Date("DateEdit2"));
    sql.OptionalRange("SF_MUNKSZAM", Text("MaskEdit9"), Text("MaskEdit10"));
    sql.OptionalRange("SF_GYUJTO", Text("MaskEdit11"), Text("MaskEdit12"));
    sql.Line("Order By SF_JCKOD, SF_DGTORZSSZAM, SF_HONAP, SF_KIFIZDAT, SF_SORSZAM");
    Query1Reset();
    sql.Apply(*DM1->Query1);
    db::Query& q = *DM1->Query1;
    q.Open();

    std::vector<Tetel> tetelek;
    for (q.First(); !q.Eof(); q.Next())
        tetelek.push_back({q.FieldByName("SF_JCKOD").AsString(), q.FieldByName("SF_MUNKSZAM").AsString(),
                           q.FieldByName("SF_OSSZEG").AsFloat()});
    q.Close();
    q.SetSQL("");

    const std::map<std::string, Szamlak> szamlak = JogcimSzamlak();
    std::vector<FokFelSor> sorok;
    SzamlakFelvesz(tetelek, szamlak, sorok);
    Osszegek(tetelek, szamlak, sorok);
    SzhaKedvKorrekcio(tetelek, szamlak, sorok);
    FokFelIr(sorok);
    return sorok;
}

QString TList_FokfelForm::CelFajlValaszt(const QString& defaultName) {
    try {
        const QString folder = QString::fromStdString(AdatszolgMappa(FeldolgozasiEv, "FokFel"));
        return ui::SaveFileName(QStringLiteral("Célkönyvtár kiválasztása"), folder + defaultName,
                                QStringLiteral("*.txt (*.txt)"), ui::DontConfirmOverwrite);
    } catch (const std::exception& e) {
        ui::MessageBox(QStringLiteral("Üzenetkezelő"), QString::fromUtf8(e.what()), ui::Icon::Error, ui::Ok);
        return {};
    }
}

void TList_FokfelForm::Export(const std::vector<FokFelSor>& sorok) {
    const QString code = QString::fromStdString(CegKod());
    const QString path = CelFajlValaszt("FokFel_" + code + ".txt");
    if (path.isEmpty()) return;
    // The whole file or none; the success message only once it is in place.
    os::AtomicFileWriter file(path.toStdString());
    file.Write(FokFelFajl(sorok));
    file.Commit();
    ui::ShowMessage(QStringLiteral("A küldés befejeződött!"));
}

void TList_FokfelForm::BitBtn1Click(QPushButton* sender) {
    for (QPushButton* b : StartButtons()) b->setEnabled(false);
    try {
        Query1Fill fill;
        std::vector<FokFelSor> sorok = Konyvel();
        if (sender == BitBtn3) {
            Export(sorok);
        } else {
            TList_FokfelQRForm& layout = *List_FokfelQRForm;
            layout.Honap =
                QString::number(Month("CurrencyEdit1")) + " - " + QString::number(Month("CurrencyEdit2"));
            layout.KifizDat = RangeText(*this, "DateEdit1", "DateEdit2");
            layout.MunkaszamMutat = Checked("CheckBox3");
            layout.Sorok = std::move(sorok);
            layout.QuickRep1.Preview();
        }
    } catch (const std::exception& e) {
        ui::MessageBox(
            QStringLiteral("Üzenet"),
            QStringLiteral("Hiba keletkezett a Főkönyvi feladás során!\r") + QString::fromUtf8(e.what()),
            ui::Icon::Error, ui::Ok);
    }
    for (QPushButton* b : StartButtons()) b->setEnabled(true);
}
