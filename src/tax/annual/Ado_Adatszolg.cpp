#include "tax/annual/Ado_Adatszolg.h"

#include <QProgressBar>
#include <QPushButton>
#include <functional>

#include "core/helpers/FormXml.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Query.h"
#include "platform/os/Text.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"
#include "tax/annual/XmlMentes.h"

namespace {

const char* const kHonapok[] = {"JANUAR", "FEBRUAR",   "MARCIUS",    "APRILIS", "MAJUS",    "JUNIUS",
                                "JULIUS", "AUGUSZTUS", "SZEPTEMBER", "OKTOBER", "NOVEMBER", "DECEMBER"};

std::string Szoveg(db::Dataset& d, const std::string& field) { return d.FieldByName(field).AsString(); }

// "X" for a field holding exactly "I".
std::string Jelolo(db::Dataset& d, const std::string& field) { return Szoveg(d, field) == "I" ? "X" : ""; }

bool Ures(const std::string& text) { return os::TrimWhitespace(text).empty(); }

// The nature's letter, when the nature is neither blank nor "E".
std::string JellegBetu(const std::string& jelleg) {
    const std::string t = os::TrimWhitespace(jelleg);
    if (t.empty() || t == "E") return {};
    return t.substr(0, 1);
}

std::string Harom(int n) { return FixEgesz(n, 3); }

// One 16M29M: the pages of the current assessment row.
class M29Lapok {
public:
    M29Lapok(FormXmlWriter& xml, db::Dataset& ceg, db::Dataset& sor)
        : xml_(xml),
          ceg_(ceg),
          sor_(sor),
          csalad_(SzovegBont(Szoveg(sor, "DG_NEV"), 0)),
          uto_(SzovegBont(Szoveg(sor, "DG_NEV"), 1)) {}

    void Ir(db::Query& gyermekek) {
        LapA();
        LapokBCD();
        LapE(gyermekek);
        LapF();
        LapG();
    }

private:
    static std::string Azon(char lap, int peldany, const std::string& resz) {
        return std::string("0") + lap + FixEgesz(peldany, 4) + resz;
    }
    void Cella(char lap, int peldany, const std::string& resz, const std::string& text, bool always = false) {
        xml_.Cell(Azon(lap, peldany, resz), text, always);
    }
    // The head of a page; pages E and G begin with their page number.
    void Fej(char lap, int peldany, const std::string& lapszam = {}) {
        int item = 1;
        auto cell = [&](const std::string& text, bool always) {
            Cella(lap, peldany, "B" + Harom(item++) + "A", text, always);
        };
        if (lap == 'E' || lap == 'G') cell(lapszam, true);
        cell(Szoveg(ceg_, "CG_ADOSZAM"), true);
        cell(Szoveg(ceg_, "CG_NEV"), true);
        cell(Szoveg(sor_, "DG_ADOAZ"), true);
        cell(Szoveg(sor_, "DG_TITULUS"), false);
        cell(csalad_, true);
        cell(uto_, true);
    }

    void LapA() {
        const double szuldat = sor_.FieldByName("DG_SZULDAT").AsDateTime();
        const std::string leanykori = Szoveg(sor_, "DG_LEANYKNEV"), anyja = Szoveg(sor_, "DG_ANYJANEV");
        // clang-format off
        const std::pair<std::string, bool> cells[] = {
            {Szoveg(ceg_, "CG_ADOSZAM"), true},
            {Szoveg(ceg_, "CG_NEV"), true},
            {Szoveg(sor_, "DG_ADOAZ"), true},
            {Szoveg(sor_, "DG_CSALGAZDNYILVSZAM"), false},
            {Szoveg(sor_, "DG_OSTERMIGSZAM"), false},
            {Szoveg(sor_, "DG_TITULUS"), false},
            {csalad_, true},
            {uto_, true},
            {Szoveg(sor_, "DG_NEM"), false},
            {SzovegBont(leanykori, 0), false},
            {SzovegBont(leanykori, 1), false},
        };
        // clang-format on
        int item = 1;
        for (const auto& [text, always] : cells) Cella('A', 1, "C" + Harom(item++) + "A", text, always);
        if (!sor_.FieldByName("DG_SZULDAT").IsNull()) Cella('A', 1, "C012A", FixDatum(8, szuldat));
        Cella('A', 1, "C013A", Szoveg(sor_, "DG_SZULHELY"));
        // Cut to two characters as they are: the file is CP1250 throughout.
        Cella('A', 1, "C014A", FixKitolt(Szoveg(sor_, "DG_ALLAMP"), 2, " ", 0));
        Cella('A', 1, "C015A", SzovegBont(anyja, 0));
        Cella('A', 1, "C016A", SzovegBont(anyja, 1));
        item = 17;
        for (const char* f : {"DG_IRSZ", "DG_VAROS", "DG_KOZTER", "DG_KOZTERJEL", "DG_HAZSZ", "DG_EPULET",
                              "DG_LEPCSOHAZ", "DG_EMELET", "DG_AJTO"})
            Cella('A', 1, "C" + Harom(item++) + "A", Szoveg(sor_, f));
        Cella('A', 1, "D001A", Szoveg(sor_, "M29_HOZOTTJOV") == "I" ? "1" : "0", true);
        Cella('A', 1, "D002A", JellegBetu(Szoveg(sor_, "M29_JELLEG")));
    }

    // A cell of row and column ("1D"), marked * when always written.
    void Sor(char lap, char csoport, const std::string& cella, bool always) {
        const size_t betu = cella.size() - 1;
        const std::string resz =
            std::string(1, csoport) + FixEgesz(std::stoi(cella.substr(0, betu)), 4) + cella[betu] + "A";
        Cella(lap, 1, resz, Szoveg(sor_, "M29_S" + cella), always);
    }
    void Sorok(char lap, char csoport, const std::vector<std::string>& cells) {
        for (const std::string& c : cells) {
            const bool always = c.back() == '*';
            Sor(lap, csoport, always ? c.substr(0, c.size() - 1) : c, always);
        }
    }

    void LapokBCD() {
        Fej('B', 1);
        Sorok('B', 'C',
              {"1D*", "2B", "2C", "2D", "3B", "3C", "3D", "4D", "5D", "6B", "6C", "6D", "7B", "7D", "8B",
               "8D", "14D", "18D*"});
        Sorok('B', 'D', {"20B", "21B"});
        Sorok('B', 'E', {"22B", "23A", "23B", "24A", "24B", "25B", "26B", "27B*", "28B*", "29B*"});
        // Rows 30 and 31 stand only beside an allowance left over.
        const bool maradt = sor_.FieldByName("M29_S28B").AsInteger() >= 1;
        Sor('B', 'E', "30B", maradt);
        Sor('B', 'E', "31B", maradt);
        Sorok('B', 'E', {"32B"});
        Sorok('B', 'F', {"36C*"});
        Fej('C', 1);
        Sorok('C', 'C', {"40C*", "44C*"});
        Sorok('C', 'D', {"45C", "47C", "48C*"});
        Sorok('C', 'E', {"55B", "56A", "56B", "58B"});
        Fej('D', 1);
        Sorok('D', 'C', {"165D", "165E", "167D", "167E", "173D", "173E", "178D", "178E"});
        Sorok('D', 'D', {"61C*", "65B*", "66B*", "67B*", "69B*", "76C*", "79C*", "80C*"});
    }

    void LapE(db::Query& gyermekek) {
        Fej('E', 1, "1");
        Cella('E', 1, "C001A", Szoveg(sor_, "NY_S151HADOAZ"));
        Cella('E', 1, "C002A", Szoveg(sor_, "NY_S151HNEV"));
        int item = 3;
        for (const char* m : kHonapok) {
            const std::string v = Szoveg(sor_, std::string("NY_S151") + m);
            if (!Ures(v)) Cella('E', 1, "C" + Harom(item) + "A", v, true);
            ++item;
        }
        // Three children a page, in the letters D, E and F.
        int lap = 1, hely = 0;
        for (; !gyermekek.Eof(); gyermekek.Next()) {
            if (hely == 3) {
                ++lap;
                hely = 0;
                Fej('E', lap, std::to_string(lap));
            }
            const std::string betu(1, static_cast<char>('D' + hely++));
            auto cell = [&](int i, const std::string& text, bool always = false) {
                Cella('E', lap, betu + Harom(i) + "A", text, always);
            };
            cell(1, Szoveg(gyermekek, "M292_ADOAZON"));
            cell(2, os::TrimWhitespace(Szoveg(gyermekek, "M292_VEZETEK") + " " +
                                       Szoveg(gyermekek, "M292_KERESZT")));
            int i = 3;
            for (const char* m : kHonapok) {
                const std::string v = Szoveg(gyermekek, std::string("M292_") + m);
                if (!Ures(v)) cell(i, v, true);
                ++i;
            }
            cell(15, Szoveg(gyermekek, "M292_JOGCIM1"));
            cell(16, Szoveg(gyermekek, "M292_JOGCIM4"));
            cell(17, Szoveg(gyermekek, "M292_JOGCIM2"));
            cell(18, Szoveg(gyermekek, "M292_JOGCIM3"));
            for (auto [n, f] : {std::pair{19, "M292_VARKEZD"}, {20, "M292_VARVEG"}})
                if (!gyermekek.FieldByName(f).IsNull())
                    cell(n, FixDatum(8, gyermekek.FieldByName(f).AsDateTime()));
        }
        // The allowance shared with a spouse or another entitled person.
        item = 1;
        auto g = [&](const std::string& text) { Cella('E', 1, "G" + Harom(item++) + "A", text); };
        for (const char* s : {"NY_S155", "NY_S156"}) {
            const std::string r = s;
            g(Jelolo(sor_, r + "KOZOSERV"));
            g(Jelolo(sor_, r + "MEGOSZT"));
            g(Szoveg(sor_, r + "HADOAZ"));
            g(Szoveg(sor_, r + "HNEV"));
            for (const char* m : kHonapok) g(Jelolo(sor_, r + m));
        }
    }

    void LapF() {
        Fej('F', 1);
        Cella('F', 1, "C0125BA", Szoveg(sor_, "NY_S125"));
        Cella('F', 1, "C0126BA", Szoveg(sor_, "NY_S126"));
        Cella('F', 1, "C0127AA", Szoveg(sor_, "NY_S127NEV"));
        Cella('F', 1, "C0127BA", Szoveg(sor_, "NY_S127ASZ"));
        Cella('F', 1, "C0127CA", Szoveg(sor_, "NY_S127BANK"));
        Cella('F', 1, "C0128AA", Jelolo(sor_, "NY_S128"));
    }

    void LapG() {
        Fej('G', 1, "01");
        // clang-format off
        const std::pair<const char*, std::string> cells[] = {
            {"C0131BA", Szoveg(sor_, "NY_S131")},    {"C0132BA", Szoveg(sor_, "NY_S132")},
            {"C0133BA", Szoveg(sor_, "NY_S133")},    {"C0134BA", Szoveg(sor_, "NY_S134")},
            {"C0135BA", Szoveg(sor_, "NY_S135")},    {"C0136BA", Szoveg(sor_, "NY_S136")},
            {"C0137AA", Szoveg(sor_, "NY_S137NEV")}, {"C0137BA", Szoveg(sor_, "NY_S137ASZ")},
            {"C0137CA", Szoveg(sor_, "NY_S137BANK")}, {"C0138AA", Jelolo(sor_, "NY_S138")},
            {"D0144BA", Szoveg(sor_, "NY_S144")},    {"D0145BA", Szoveg(sor_, "NY_S145")},
            {"D0146AA", Szoveg(sor_, "NY_S146NEV")}, {"D0146BA", Szoveg(sor_, "NY_S146ASZ")},
            {"D0146CA", Szoveg(sor_, "NY_S146BANK")}, {"D0148BA", Szoveg(sor_, "NY_S148")},
            {"E0149BA", Szoveg(sor_, "NY_S149")},
        };
        // clang-format on
        for (const auto& [resz, text] : cells) Cella('G', 1, resz, text);
        if (sor_.FieldByName("NY_S136").IsNull() && sor_.FieldByName("NY_S145").IsNull()) return;
        const std::string bank = Szoveg(sor_, "NY_S656BANK");
        Cella('G', 1, "F50000A", bank.substr(0, std::min<size_t>(8, bank.size())));
        Cella('G', 1, "F50001A", bank.size() > 8 ? bank.substr(8, 16) : std::string());
        Cella('G', 1, "F50002A", Szoveg(sor_, "NY_S656NEV"));
        Cella('G', 1, "F50003A", Szoveg(sor_, "NY_S656IRSZ"));
        Cella('G', 1, "F50004A", Szoveg(sor_, "NY_S656VAROS"));
        Cella('G', 1, "F50005A", Szoveg(sor_, "NY_S656KOZTERSTB"));
    }

    FormXmlWriter& xml_;
    db::Dataset& ceg_;
    db::Dataset& sor_;
    std::string csalad_, uto_;
};

// The whole file; the number of assessments written. Throws on any error
// (the target then stays as it was).
int WriteM29Xml(const std::string& path, const std::string& jelleg,
                const std::function<void(int done, int total)>& step) {
    db::Dataset& ceg = *DM1->TableCegek;
    db::Query sorok;
    sorok.DatabaseName = DM1->TableSzamfejt->DatabaseName;
    ListSql sql;
    sql.Line(
           "Select M29.*, Nyilat.*, Dolg.DG_TORZSSZAM, Dolg.DG_NEV, Dolg.DG_ADOAZ, Dolg.DG_SZULDAT, "
           "Dolg.DG_SZULHELY,")
        .Line(
            "Dolg.DG_IRSZ, Dolg.DG_VAROS, Dolg.DG_KOZTER, Dolg.DG_KOZTERJEL, Dolg.DG_HAZSZ, Dolg.DG_EPULET, "
            "Dolg.DG_LEPCSOHAZ, Dolg.DG_EMELET, Dolg.DG_AJTO, Dolg.DG_ALLAMP,")
        .Line(
            "Dolg.DG_ANYJANEV, Dolg.DG_LEANYKNEV, Dolg.DG_MNYP, Dolg.DG_NEM, Dolg.DG_TITULUS, "
            "Dolg.DG_OSTERMIGSZAM, Dolg.DG_CSALGAZDNYILVSZAM, Dolg.DG_MEZGAZDTERMSZAM From " +
            ListSql::Table(*DM1->TableM29) + " As M29")
        .Line("Join " + ListSql::Table(*DM1->TableDolgozo) + " As Dolg")
        .Line("On M29_DGTORZSSZAM=DG_TORZSSZAM")
        .Line("Join " + ListSql::Table(*DM1->TableNyilat) + " As Nyilat")
        .Line("On M29_DGTORZSSZAM=NY_DGTORZSSZAM")
        .Equal("M29_JELLEG", Q(jelleg))
        .Line("Order By M29_SORSZAM, M29_DGADOAZ");
    sql.Apply(sorok);
    sorok.Open();
    int darab = 0;
    for (; !sorok.Eof(); sorok.Next()) ++darab;

    FormXmlWriter xml(path, SkipRule::EmptyOrZero);
    xml.Begin();
    auto fejlec = [&](const char* azonosito) {
        xml.Tag("nyomtatvany");
        xml.Tag("nyomtatvanyinformacio");
        xml.Element("nyomtatvanyazonosito", azonosito);
        xml.Tag("adozo");
        xml.Element("nev", Szoveg(ceg, "CG_NEV"));
        xml.Element("adoszam", Szoveg(ceg, "CG_ADOSZAM"));
        xml.Tag("/adozo");
    };
    fejlec("16M29A");
    xml.Tag("/nyomtatvanyinformacio");
    xml.Tag("mezok");
    xml.Cell("0A0001C001A", Szoveg(ceg, "CG_ADOSZAM"), true);
    xml.Cell("0A0001C003A", Szoveg(ceg, "CG_JOGELADOSZ"));
    xml.Cell("0A0001C004A", Szoveg(ceg, "CG_NEV"));
    int item = 5;
    for (const char* f :
         {"CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ", "CG_EPULET", "CG_LEPCSOHAZ",
          "CG_EMELET", "CG_AJTO", "CG_LEVIRSZ", "CG_LEVVAROS", "CG_LEVKOZTER", "CG_LEVKOZTERJEL",
          "CG_LEVHAZSZ", "CG_LEVEPULET", "CG_LEVLEPCSOHAZ", "CG_LEVEMELET", "CG_LEVAJTO", "CG_UGYINT"})
        xml.Cell("0A0001C" + Harom(item++) + "A", Szoveg(ceg, f));
    xml.Cell("0A0001C024A", CsakSzam(Szoveg(ceg, "CG_TEL")));
    xml.Cell("0A0001C025A", JellegBetu(jelleg));
    xml.Cell("0A0001C026A", std::to_string(darab));
    xml.Tag("/mezok");
    xml.Tag("/nyomtatvany");

    int irt = 0;
    db::Query gyermekek;
    gyermekek.DatabaseName = sorok.DatabaseName;
    for (sorok.First(); !sorok.Eof(); sorok.Next()) {
        fejlec("16M29M");
        const std::string nev = Szoveg(sorok, "DG_NEV");
        xml.Tag("munkavallalo");
        xml.Element("nev", os::TrimWhitespace(Szoveg(sorok, "DG_TITULUS") + " " + SzovegBont(nev, 0) + " " +
                                              SzovegBont(nev, 1)));
        xml.Element("adoazonosito", Szoveg(sorok, "DG_ADOAZ"));
        xml.Tag("/munkavallalo");
        xml.Tag("/nyomtatvanyinformacio");
        xml.Tag("mezok");
        // The children in the order they were entered.
        ListSql gy;
        gy.Line("Select M292.* From " + ListSql::Table(*DM1->TableM292) + " As M292")
            .Equal("M292_DGTORZSSZAM", Q(Szoveg(sorok, "DG_TORZSSZAM")));
        gy.Apply(gyermekek);
        gyermekek.Open();
        M29Lapok(xml, ceg, sorok).Ir(gyermekek);
        gyermekek.Close();
        xml.Tag("/mezok");
        xml.Tag("/nyomtatvany");
        step(++irt, darab);
    }
    sorok.Close();
    xml.Finish();
    return darab;
}

ListDecl AdatszolgDecl() {
    ParamField jelleg = params::Combo("ComboBox1", QStringLiteral("Jelleg (E/P/H)"),
                                      {"E", "P", "H", "H1", "H2", "H3", "H4", "H5", "H6", "H7", "H8", "H9"});
    ListDecl d;
    d.objectName = "Ado_AdatszolgForm";
    d.caption = QStringLiteral("Adó/Adatszolgáltatás");
    d.fields = {jelleg};
    d.tables = {&TDM1::TableJogcim, &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek,
                &TDM1::TableNyilat};
    d.noStartButton1 = true;
    d.startButtons = {{"BitBtn1", QStringLiteral("M29")}};
    d.progressBars = 1;
    return d;
}

}  // namespace

TAdo_AdatszolgForm::TAdo_AdatszolgForm(QWidget* parent) : ListForm(AdatszolgDecl(), parent) {
    BitBtn1 = qobject_cast<QPushButton*>(Control("BitBtn1"));
}

void TAdo_AdatszolgForm::StartButtonClick(int index) {
    if (index != 0) return;  // the one writer there is: M29
    for (QPushButton* b : StartButtons()) b->setEnabled(false);
    BitBtn2->setEnabled(false);
    ProgressBar1->setValue(0);
    if (!LocateCompany())
        ui::ShowMessage(QStringLiteral("Hiba történt..."));
    else
        M29XmlIras();
    for (QPushButton* b : StartButtons()) b->setEnabled(true);
    BitBtn2->setEnabled(true);
    ProgressBar1->setValue(0);
}

QString TAdo_AdatszolgForm::M29MappaValaszt(const QString& proposed) {
    return XmlMentesHelye("M29", proposed);
}

void TAdo_AdatszolgForm::M29XmlIras() {
    const std::string jelleg = S(Text("ComboBox1"));
    const QString path = M29MappaValaszt(
        QStringLiteral("16M29_") + Q(DM1->TableCegek->FieldByName("CG_KOD").AsString()) + "_" + Q(jelleg));
    if (path.isEmpty()) return;
    int darab = 0;
    try {
        darab = WriteM29Xml(S(path), jelleg, [this](int done, int total) {
            ProgressBar1->setMaximum(total);
            ProgressBar1->setValue(done);
        });
    } catch (const std::exception& e) {
        ui::MessageBox(QStringLiteral("Üzenet"), Q(XmlWriteError(S(path), e.what())), ui::Icon::Error,
                       ui::Ok);
        return;
    }
    ui::ShowMessage(QStringLiteral("A feldolgozott tételek száma: ") + QString::number(darab));
}
