#include "tax/monthly/MABEVadatsz.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <stdexcept>

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/StartValues.h"
#include "core/helpers/FormXml.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/DayNumber.h"
#include "platform/os/Text.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/ControlTable.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/QtString.h"

namespace {

using F = TMABEVadatszForm;
// clang-format off
const ui::ControlRow<F> kSorok[] = {
//   member          kind        name         caption                   cell     tag
    {&F::Label2,     ui::Label,  "Label2",    "-tól",                   {0, 2}},
    {&F::MaskEdit2,  ui::Edit,   "MaskEdit2", "",                       {1, 1},  2},
    {&F::Label3,     ui::Label,  "Label3",    "-ig",                    {1, 2}},
    {&F::Label4,     ui::Label,  "Label4",    "Dolgozó :",              {2, 0}},
    {&F::MaskEdit3,  ui::Edit,   "MaskEdit3", "",                       {2, 1}},
    {&F::Label5,     ui::Label,  "Label5",    "",                       {2, 2}},
    {&F::Label10,    ui::Label,  "Label10",   "EV adóazon. :",          {11, 0}},
    {&F::Edit5,      ui::Edit,   "Edit5",     "",                       {11, 1}},
    {&F::Label11,    ui::Label,  "Label11",   "Adatsz. Alk. min. :",    {12, 0}},
    {&F::Edit6,      ui::Edit,   "Edit6",     "",                       {12, 1}},
    {&F::Label12,    ui::Label,  "Label12",   "TEAOR :",                {13, 0}},
    {&F::Edit7,      ui::Edit,   "Edit7",     "",                       {13, 1}},
    {&F::Label13,    ui::Label,  "Label13",   "Fő tevékenység :",       {14, 0}},
    {&F::Edit8,      ui::Edit,   "Edit8",     "",                       {14, 1}},
};
// clang-format on

std::vector<db::Table*> Tablak() {
    return {DM1->TableJogcim, DM1->TableDolgozo, DM1->TableSzamfejt, DM1->TableCegek, DM1->TableNyugP};
}

std::string Ketjegyu(const std::string& honap) { return FixKitolt(honap, 2, "0", 1); }

std::string Datum(double d) { return d == 0 ? std::string() : FixDatum(8, d); }

// A query over the owner's rows of the months, after `elso` (its select and
// joins); the payroll table is tSzamf.
db::Query& Lekerdezes(db::Query& q, const EVKellekek& k, const std::string& elso,
                      const std::string& tobbi = {}) {
    q.DatabaseName = DM1->TableSzamfejt->DatabaseName;
    q.SetSQL(
        elso +
        " WHERE tSzamf.SF_DGTORZSSZAM = :torzsszam AND tSzamf.SF_HONAP >= :m1 AND tSzamf.SF_HONAP <= :m2" +
        tobbi);
    q.ParamByName("torzsszam").SetAsString(k.torzsszam);
    q.ParamByName("m1").SetAsInteger(k.m1);
    q.ParamByName("m2").SetAsInteger(k.m2);
    return q;
}

std::string Szamfejt() { return db::SqlName(DM1->TableSzamfejt->TableName) + " tSzamf"; }
std::string JogcimJoin() {
    return " INNER JOIN " + db::SqlName(DM1->TableJogcim->TableName) +
           " tJogc ON tJogc.JC_KOD = tSzamf.SF_JCKOD";
}

std::string Szoveg(long long v) { return v == 0 ? std::string() : std::to_string(v); }

std::string EvJogcimDatum(const EVKellekek& k, const std::string& jogcim, const std::string& mezo) {
    db::Query q;
    Lekerdezes(
        q, k, "SELECT tSzamf." + mezo + " AS DATUM FROM " + Szamfejt(),
        " AND tSzamf.SF_JCKOD = :jogcim ORDER BY tSzamf.SF_HONAP, tSzamf.SF_KIFIZDAT, tSzamf.SF_SORSZAM");
    q.ParamByName("jogcim").SetAsString(jogcim);
    q.Open();
    return q.Eof() ? std::string() : Datum(q.FieldByName("DATUM").AsDateTime());
}

bool EvKiesoNapNincs(const EVKellekek& k) {
    db::Query q;
    Lekerdezes(q, k, "SELECT COUNT(tSzamf.SF_JCKOD) AS DARAB FROM " + Szamfejt() + JogcimJoin(),
               " AND tJogc.JC_JARULKOD > '00'");
    q.Open();
    return q.FieldByName("DARAB").AsInteger() == 0;
}

}  // namespace

std::string EVFajlNev(const std::string& cegKod, const std::string& m1, const std::string& m2,
                      const std::string& jelleg) {
    return cegKod + "EV_" + Ketjegyu(m1) + "_" + Ketjegyu(m2) + "_" + jelleg + ".xml";
}

double EvJogcimOsszeg(const EVKellekek& k, const std::string& jogcim, const std::string& mezo) {
    db::Query q;
    Lekerdezes(q, k, "SELECT SUM(tSzamf." + mezo + ") AS OSSZESEN FROM " + Szamfejt(),
               " AND tSzamf.SF_JCKOD = :jogcim");
    q.ParamByName("jogcim").SetAsString(jogcim);
    q.Open();
    return q.FieldByName("OSSZESEN").AsFloat();
}

std::vector<std::string> EVAdatszolgaltatasIras(const EVKellekek& k) {
    db::Table& ceg = *DM1->TableCegek;
    db::Table& dg = *DM1->TableDolgozo;
    if (!LocateCompany()) throw std::runtime_error("Ilyen cég nem létezik!");
    if (!dg.Locate("DG_TORZSSZAM", db::Variant(k.torzsszam)))
        throw std::runtime_error("Ilyen törzsszám nem létezik!");
    const db::Variant minber = DM1->TableErtekkeszlet->Lookup(
        "EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant("32a")}, "EK_ERTEKNUM");
    if (minber.IsNull()) throw std::runtime_error("Hiányzik az értékkészlet 0 típusú, 32a értékű sora!");

    const auto c = [&ceg](const char* f) { return os::TrimWhitespace(ceg.FieldByName(f).AsString()); };
    const auto d = [&dg](const char* f) { return dg.FieldByName(f).AsString(); };
    const std::string A = c("CG_ADOSZAM"), B = c("CG_EVADOAZ"), C = c("CG_ALKMINADATSZ");
    const std::string T = os::TrimWhitespace(d("DG_TITULUS"));
    // A one-word name is kept whole as the family name.
    const NameParts nev = SplitName(d("DG_NEV")), leany = SplitName(d("DG_LEANYKNEV")),
                    anyja = SplitName(d("DG_ANYJANEV"));
    const int ev = std::stoi(FeldolgozasiEv);
    const std::string tol = FixDatum(8, os::EncodeDate(ev, k.m1, 1));
    const std::string ig = FixDatum(8, os::EncodeDate(ev, k.m2, os::DaysInMonth(ev, k.m2)));

    const auto osszeg = [&k](const char* jogcim) { return EvJogcimOsszeg(k, jogcim, "SF_OSSZEG"); };
    const double s706 = osszeg("706A"), s707 = osszeg("707A"), s70x = osszeg("700A") + osszeg("701A");
    const double s306 = osszeg("306"), s307 = osszeg("307"), s30x = osszeg("300") + osszeg("301");
    const double s146 = osszeg("146");
    const long double R = (static_cast<long double>(s706) - s306) + (static_cast<long double>(s707) - s307) +
                          (static_cast<long double>(s70x) - s30x);
    const bool pozitiv = R > 0;
    const auto K = [](long double x) { return std::to_string(Kerekit(x)); };
    const auto szoveg = [&k](const char* jogcim, const char* mezo) {
        return Szoveg(Kerekit(static_cast<long double>(EvJogcimOsszeg(k, jogcim, mezo))));
    };
    const auto nulla = [](const std::string& s) { return s.empty() ? std::string("0") : s; };
    const double csalkedv = dg.FieldByName("DG_CSALKEDV").AsFloat();

    FormXmlWriter xml(k.fajl);
    xml.Begin();
    xml.Tag("nyomtatvany");
    xml.Tag("nyomtatvanyinformacio");
    xml.Element("nyomtatvanyazonosito", "1958");
    xml.Tag("adozo");
    xml.Element("nev", os::TrimWhitespace(nev.family + " " + nev.given));
    xml.Element("adoszam", A);
    xml.Element("adoazonosito", B);
    xml.Tag("/adozo");
    xml.Tag("idoszak");
    xml.Element("tol", tol);
    xml.Element("ig", ig);
    xml.Tag("/idoszak");
    xml.Tag("/nyomtatvanyinformacio");
    xml.Tag("mezok");

    const std::string s330 = szoveg("330", "SF_OSSZEG");
    const std::string s300301 =
        Szoveg(Kerekit(static_cast<long double>(EvJogcimOsszeg(k, "300", "SF_JARALAP")) +
                       EvJogcimOsszeg(k, "301", "SF_JARALAP")));
    struct Cella {
        const char* eazon;
        std::string ertek;
        bool feltetel = true;
    };
    // clang-format off
    const Cella cellak[] = {
        {"0A0001C001A", A},
        {"0A0001C002A", B},
        {"0A0001C004A", d("DG_OSTERMIGSZAM")},
        {"0A0001C005A", d("DG_CSALGAZDNYILVSZAM")},
        {"0A0001C006A", T},
        {"0A0001C007A", nev.family},
        {"0A0001C008A", nev.given},
        // Two letters in the file's own code page.
        {"0A0001C009A", FixKitolt(os::UpperAscii(os::TrimWhitespace(d("DG_ALLAMP"))), 2, " ", 0)},
        {"0A0001C013A", leany.family},
        {"0A0001C014A", leany.given},
        {"0A0001C015A", d("DG_NEM")},
        {"0A0001C016A", anyja.family},
        {"0A0001C017A", anyja.given},
        {"0A0001C018A", d("DG_SZULHELY")},
        {"0A0001C019A", Datum(dg.FieldByName("DG_SZULDAT").AsDateTime())},
        {"0A0001C020A", c("CG_IRSZ")},
        {"0A0001C021A", c("CG_VAROS")},
        {"0A0001C022A", c("CG_KOZTER")},
        {"0A0001C023A", c("CG_KOZTERJEL")},
        {"0A0001C024A", c("CG_HAZSZ")},
        {"0A0001C025A", c("CG_EPULET")},
        {"0A0001C026A", c("CG_LEPCSOHAZ")},
        {"0A0001C027A", c("CG_EMELET")},
        {"0A0001C028A", c("CG_AJTO")},
        {"0A0001C040A", c("CG_UGYINT")},
        {"0A0001C041A", CsakSzam(c("CG_TEL"))},
        {"0A0001D001A", tol},
        {"0A0001D002A", ig},
        {"0A0001D004A", k.egyHonap ? "H" : "N"},
        {"0A0001E001A", "X"},
        {"0A0001E006A", d("DG_TAJSZ")},
        {"0C0001B001A", A},
        {"0C0001B002A", B},
        {"0C0001B003A", "1"},
        {"0C0001B004A", tol},
        {"0C0001B005A", ig},
        {"0C0001B006A", d("DG_NYUGALKMIN2")},
        {"0C0001B007A", C},
        {"0C0001B008A", "01"},
        {"0C0001C001A", pozitiv ? "I" : "N"},
        {"0C0001C002A", dg.FieldByName("DG_VALLALKMINBER").AsFloat() < minber.ToDouble() ? "N" : "I"},
        {"0C0001D0001CA", nulla(szoveg("330", "SF_JARALAP"))},
        {"0C0001D0002CA", s330},
        {"0C0001D0005CA", s330},
        {"0C0001D0010CA", K(csalkedv), pozitiv},
        {"0C0001D0011AA", K(s146), pozitiv},
        {"0C0001D0011CA", "0", pozitiv},
        {"0C0001D0012AA", K(static_cast<long double>(csalkedv) - s146), pozitiv},
        {"0C0001D0012CA", K((static_cast<long double>(csalkedv) - s146) * 0.15L), pozitiv},
        {"0C0001D0013CA", K(R), pozitiv},
        {"0C0001D0014CA", nulla(szoveg("306", "SF_JARALAP"))},
        {"0C0001D0015CA", K(s706)},
        {"0C0001D0016CA", K(static_cast<long double>(s706) - s306), pozitiv},
        {"0C0001D0017CA", K(s306)},
        {"0C0001D0018CA", K(s707)},
        {"0C0001D0019CA", K(static_cast<long double>(s707) - s307), pozitiv},
        {"0C0001D0020CA", K(s307)},
        {"0C0001D0021CA", szoveg("304", "SF_OSSZEG")},
        // The bases of 300 and 301 in the one cell, once.
        {"0C0001D0022CA", nulla(s300301)},
        {"0C0001D0023CA", K(s70x)},
        {"0C0001D0024CA", K(static_cast<long double>(s70x) - s30x), pozitiv},
        {"0C0001D0025CA", K(s30x)},
        {"0C0001D0026CA", K(R), pozitiv},
    };
    // clang-format on
    for (const Cella& cella : cellak)
        if (cella.feltetel) xml.Cell(cella.eazon, cella.ertek);

    std::vector<std::string> kimaradt;
    if (!EvKiesoNapNincs(k)) {
        int tetel = 1;
        for (const std::string& v :
             {A, B, std::string("1"), tol, ig, d("DG_NYUGALKMIN2"), C, std::string("01")})
            xml.Cell("0E0001B" + FixEgesz(tetel++, 3) + "A", v);
        const std::string gyed = d("DG_GYEDGYESMELLETTI");
        db::Query q;
        Lekerdezes(q, k,
                   "SELECT tSzamf.SF_JCKOD, tJogc.JC_KOD, tJogc.JC_NEV, tJogc.JC_JARULKOD, tSzamf.SF_TOL, "
                   "tSzamf.SF_IG"
                   " FROM " +
                       Szamfejt() + JogcimJoin(),
                   " AND tJogc.JC_JARULKOD > '00' ORDER BY tSzamf.SF_HONAP, tSzamf.SF_TOL, tSzamf.SF_JCKOD");
        q.Open();
        int n = 1;
        for (; !q.Eof(); q.Next()) {
            const std::string kod = q.FieldByName("SF_JCKOD").AsString();
            const bool beir = (kod != "205" && kod != "210") ||
                              (kod == "205" && gyed != "1" && gyed != "3") ||
                              (kod == "210" && gyed != "2" && gyed != "3");
            if (n >= 15) {
                // The form has fourteen rows: say which period is left out.
                if (beir)
                    kimaradt.push_back("A(z) " + kod + " jogcím " +
                                       DatumSzoveg(q.FieldByName("SF_TOL").AsDateTime()) + " - " +
                                       DatumSzoveg(q.FieldByName("SF_IG").AsDateTime()) +
                                       " időszaka nem fér el a 14 soron, kimaradt az adatszolgáltatásból.");
                continue;
            }
            if (beir) {
                const std::string sor = "0E0001C" + FixEgesz(n, 4);
                xml.Cell(sor + "AA", q.FieldByName("JC_JARULKOD").AsString());
                xml.Cell(sor + "BA", Datum(q.FieldByName("SF_TOL").AsDateTime()));
                xml.Cell(sor + "CA", Datum(q.FieldByName("SF_IG").AsDateTime()));
            }
            ++n;
        }
        if (gyed == "1" || gyed == "3") {
            xml.Cell("0E0001C0015BA", EvJogcimDatum(k, "205", "SF_TOL"));
            xml.Cell("0E0001C0015CA", EvJogcimDatum(k, "205", "SF_IG"));
        }
        if (gyed == "2" || gyed == "3") {
            xml.Cell("0E0001C0016BA", EvJogcimDatum(k, "210", "SF_TOL"));
            xml.Cell("0E0001C0016CA", EvJogcimDatum(k, "210", "SF_IG"));
        }
    }
    xml.Tag("/mezok");
    xml.Tag("/nyomtatvany");
    xml.Finish();
    return kimaradt;
}

TMABEVadatszForm::TMABEVadatszForm(QWidget* parent)
    : TMABKeretForm({"MABEVadatszForm", QStringLiteral("Havi adó/EV havi adóbevallás adatszolgáltatás"),
                     QStringLiteral("Adatszolg."), true, 2},
                    parent) {
    ui::ControlBuilder b;
    b.Build(*this, this, kSorok);
    MaskEdit2->setInputMask("99");
    MaskEdit2->setMaximumWidth(40);
    for (QLineEdit* e : {MaskEdit3, Edit5, Edit6, Edit7, Edit8}) e->setEnabled(false);
    setTabOrder(MaskEdit1, MaskEdit2);
    setTabOrder(MaskEdit2, ComboBox1);
    MaskEdit2->installEventFilter(this);
    connect(MaskEdit2, &QLineEdit::textChanged, this, [this] {
        FajlnevBeallit();
        NyomtatasMehet();
    });
    connect(MaskEdit2, &QLineEdit::editingFinished, this, [this] { HonapElhagyas(MaskEdit2); });
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    Racs()->addWidget(ListBox1, 33, 0, 1, 4);
    for (db::Table* t : Tablak()) t->ReadOnly = true;
    DM1->TableErtekkeszlet->Open();
    for (db::Table* t : Tablak()) t->Open();
}

TMABEVadatszForm::~TMABEVadatszForm() {
    if (!DM1) return;
    for (db::Table* t : Tablak()) {
        t->Close();
        t->ReadOnly = false;
    }
    DM1->TableErtekkeszlet->Close();
}

void TMABEVadatszForm::HonapBetoltes() {
    Label5->clear();
    MaskEdit3->clear();
    if (!LocateCompany()) return;
    db::Table& ceg = *DM1->TableCegek;
    Edit5->setText(Q(ceg.FieldByName("CG_EVADOAZ").AsString()));
    Edit6->setText(Q(ceg.FieldByName("CG_ALKMINADATSZ").AsString()));
    Edit7->setText(Q(ceg.FieldByName("CG_TEAOR").AsString()));
    Edit8->setText(Q(ceg.FieldByName("CG_FOTEV").AsString()));
    const std::string adoaz = ceg.FieldByName("CG_EVADOAZ").AsString();
    if (!adoaz.empty()) {
        db::Query q;
        q.DatabaseName = DM1->TableSzamfejt->DatabaseName;
        q.SetSQL("SELECT DG_TORZSSZAM, DG_NEV FROM " + db::SqlName(DM1->TableDolgozo->TableName) +
                 " INNER JOIN " + db::SqlName(DM1->TableSzamfejt->TableName) +
                 " ON SF_DGTORZSSZAM = DG_TORZSSZAM WHERE DG_ADOAZ = :adoaz ORDER BY DG_TORZSSZAM");
        q.ParamByName("adoaz").SetAsString(adoaz);
        q.Open();
        if (q.Eof()) {
            ListBox1->addItem(QStringLiteral("Nem található egyéni vállalkozó a számfejtésben."));
        } else {
            MaskEdit3->setText(Q(q.FieldByName("DG_TORZSSZAM").AsString()));
            Label5->setText(Q(q.FieldByName("DG_NEV").AsString()));
        }
    }
    const std::string tulaj = Szoveg(MaskEdit3);
    if (tulaj.empty()) return;
    db::Query q;
    q.DatabaseName = DM1->TableSzamfejt->DatabaseName;
    q.SetSQL("SELECT DISTINCT SF_HONAP FROM " + db::SqlName(DM1->TableSzamfejt->TableName) +
             " WHERE SF_DGTORZSSZAM = :t ORDER BY SF_HONAP");
    q.ParamByName("t").SetAsString(tulaj);
    q.Open();
    if (q.Eof()) return;
    q.Last();
    const QString honap = Q(q.FieldByName("SF_HONAP").AsString());
    MaskEdit1->setText(honap);
    MaskEdit2->setText(honap);
}

std::string TMABEVadatszForm::FajlNev(const std::string& cegKod) {
    return EVFajlNev(cegKod, Szoveg(MaskEdit1), Szoveg(MaskEdit2), Jelleg());
}

bool TMABEVadatszForm::Indithato() { return !Szoveg(MaskEdit2).empty() && !Szoveg(MaskEdit3).empty(); }

void TMABEVadatszForm::Inditas() {
    EVKellekek k;
    k.m1 = std::stoi(Szoveg(MaskEdit1));
    k.m2 = std::stoi(Szoveg(MaskEdit2));
    k.egyHonap = Szoveg(MaskEdit1) == Szoveg(MaskEdit2);
    k.torzsszam = Szoveg(MaskEdit3);
    k.fajl = S(Edit4->text());
    FajlIras(k.fajl, [&] {
        for (const std::string& sor : EVAdatszolgaltatasIras(k)) ListBox1->addItem(Q(sor));
        return true;
    });
}
