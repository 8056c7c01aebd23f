#include "lists/summary/List_BevEll.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QtGlobal>

#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "lists/summary/List_BevEllQR.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"

namespace {

ListDecl BevEllDecl() {
    ParamField ev;
    ev.kind = ParamKind::Text;
    ev.from = "MaskEdit3";
    ev.caption = QStringLiteral("EV :");
    ev.mask = "99999999999;1; ";
    ev.optional = true;
    ev.disabled = true;
    ParamField evAdoazon;
    evAdoazon.kind = ParamKind::Text;
    evAdoazon.from = "Edit3";
    evAdoazon.caption = QStringLiteral("EV adóazon. :");
    evAdoazon.optional = true;
    evAdoazon.disabled = true;

    ListDecl s;
    s.objectName = "List_BevEllForm";
    s.caption = QStringLiteral("Összesítő listák/Bevallás ellenőrző - Utalandó tételek");
    s.fields = {params::Munkahely(), params::Dolgozo(), ev, evAdoazon};
    s.options = {{"CheckBox1", QStringLiteral("Egyéni Vállalkozó nélkül"), false}};
    s.tables = {&TDM1::TableMhely, &TDM1::TableJogcim, &TDM1::TableDolgozo, &TDM1::TableSzamfejt,
                &TDM1::TableCegek};
    s.lastEdit = "MaskEdit6";
    s.startButtons = {};
    s.progressBars = 1;
    s.listBox = true;
    return s;
}

// Whose payroll rows a part of a row takes: everybody but the sole trader,
// the sole trader alone, or the allowance rule (minus 328).
enum class Kinek { Masok, Egyeni, SzhaKedv };
struct Resz {
    Kinek kinek;
    const char* jogcimek;  // blank-separated
};
struct SorDef {
    const char* sor;
    const char* nev;
    const char* anem;
    const char* bankszla;
    const char* szoveg;
    std::vector<Resz> reszek;
};

const char* const kSzja = "320 321 322 415 520";

// clang-format off
const std::vector<SorDef> kBevallas = {
    {"IR_001", "SZJA",           "290", "", "", {{Kinek::Masok, kSzja}}},
    {"IR_002", "SZJA EV",        "103", "", "", {{Kinek::Egyeni, kSzja}}},
    {"IR_003", "Különadó",       "305", "", "", {{Kinek::Masok, "416"}}},
    {"IR_004", "NYJ",            "291", "", "", {{Kinek::Masok, "300 301"}}},
    {"IR_005", "NYJ EV",         "125", "", "", {{Kinek::Egyeni, "300 301"}}},
    {"IR_006", "EBJ term",       "293", "", "", {{Kinek::Masok, "306"}}},
    {"IR_007", "EBJ term EV",    "188", "", "", {{Kinek::Egyeni, "306"}}},
    {"IR_008", "EBJ penz",       "293", "", "", {{Kinek::Masok, "307"}}},
    {"IR_009", "EBJ penz EV",    "188", "", "", {{Kinek::Egyeni, "307"}}},
    {"IR_010", "MPJ d.",         "293", "", "", {{Kinek::Masok, "304"}}},
    {"IR_011", "MPJ d. EV",      "188", "", "", {{Kinek::Egyeni, "304"}}},
    {"IR_012", "EÜ szolg",       "124", "", "", {{Kinek::Masok, "342"}}},
    {"IR_013", "EÜ szolg EV",    "124", "", "", {{Kinek::Egyeni, "342"}}},
    {"IR_014", "Termadó kedv.",  "103", "", "", {{Kinek::Masok, "334A"}}},
    {"IR_015", "Termadó n. k.",  "103", "", "", {{Kinek::Masok, "334B"}}},
    {"IR_016", "SZHA",           "258", "", "", {{Kinek::Masok, "330"}}},
    {"IR_017", "SZHA kedv",      "258", "", "", {{Kinek::SzhaKedv, ""}}},
    {"IR_018", "SZHA EV",        "258", "", "", {{Kinek::Egyeni, "330"}}},
    {"IR_019", "SZHA term k.",   "258", "", "", {{Kinek::Masok, "341A"}}},
    {"IR_020", "SZHA term.n.k.", "258", "", "", {{Kinek::Masok, "341B"}}},
    {"IR_021", "SZHA lev.",      "258", "", "", {{Kinek::Masok, "326"}}},
    {"IR_022", "Szakkép",        "182", "", "", {{Kinek::Masok, "351"}}},
    {"IR_023", "EVA",            "115", "", "", {{Kinek::Masok, "360"}}},
    {"IR_024", "E. fog.",        "239", "", "", {{Kinek::Masok, "281B"}}},
    {"IR_025", "EKHO",           "190", "", "", {{Kinek::Masok, "340B"}}},
    {"IR_026", "EKHO 11,1%",     "193", "", "", {{Kinek::Masok, "340C"}}},
    {"IR_027", "EKHO 15%",       "191", "", "", {{Kinek::Masok, "320A 320B 320C"}}},
    {"IR_028", "Felsz 15%",      "125", "", "", {{Kinek::Masok, "300A"}}},
};

const std::vector<SorDef> kSzamlak = {
    {"IR_001", "SZJA",       "103", "10032000-06056353", "NAV Személyi jövedelemadó",
     {{Kinek::Egyeni, kSzja}, {Kinek::Masok, "334A 334B"}}},
    {"IR_002", "EVA",        "115", "10032000-01076033", "NAV Egyszerűsített vállalkozói adó bevételi számla",
     {{Kinek::Masok, "360"}}},
    {"IR_003", "EÜ szolg",   "124", "10032000-06056229", "NAV Egészségbiztosítási Alapot megillető bevételek",
     {{Kinek::Masok, "342"}, {Kinek::Egyeni, "342"}}},
    {"IR_004", "NYJ EV",     "125", "10032000-06056236", "NAV Nyugdíjbiztosítási Alapot megillető bevételek",
     {{Kinek::Egyeni, "300 301"}, {Kinek::Masok, "300A"}}},
    {"IR_006", "Szakkép",    "182", "10032000-06056061", "NAV Szakképzési hozzájárulás",
     {{Kinek::Masok, "351"}}},
    {"IR_008", "EB MPJ EV",  "188", "10032000-06057749", "NAV Egészségbiztosítási és munkaerő-piaci járulék",
     {{Kinek::Egyeni, "306 307 304"}}},
    {"IR_009", "E. fog.",    "239", "10032000-06057763",
     "NAV Egyszerűsített foglalkoztatásból eredő közteher befizetések beszedési számla",
     {{Kinek::Masok, "281B"}}},
    {"IR_010", "SZHA",       "258", "10032000-06055912", "NAV Szociális hozzájárulási adó beszedési számla",
     {{Kinek::Masok, "330"}, {Kinek::SzhaKedv, ""}, {Kinek::Egyeni, "330"}, {Kinek::Masok, "341A 341B 326"}}},
    {"IR_011", "SZJA",       "290", "10032000-06055950", "NAV Személyi jövedelemadó beszedési számla",
     {{Kinek::Masok, kSzja}}},
    {"IR_012", "NYJ",        "291", "10032000-06055974",
     "NAV Nyugdíjbiztosítási alapot megillető bevételek beszedési számla",
     {{Kinek::Masok, "300 301"}}},
    {"IR_013", "EB MPJ",     "293", "10032000-06055981",
     "NAV Egészségbiztosítási és munkaerő-piaci járulék beszedési számla",
     {{Kinek::Masok, "306 307 304"}}},
    {"IR_015", "Különadó",   "305", "10032000-01076222", "NAV Magánszemélyek különadója bevételi számla",
     {{Kinek::Masok, "416"}}},
    {"IR_016", "EKHO",       "190", "10032000-06056360", "NAV Kifizetőt terhelő ekho beszedési számla",
     {{Kinek::Masok, "340B"}}},
    {"IR_017", "EKHO 11,1%", "193", "10032000-06056391", "NAV Nyugdíjas esetén fizetendő ekho beszedési számla",
     {{Kinek::Masok, "340C"}}},
    {"IR_018", "EKHO 15%",   "191", "10032000-06056377", "NAV Magánszemélyt terhelő ekho beszedési számla",
     {{Kinek::Masok, "320A 320B 320C"}}},
};
// clang-format on

}  // namespace

WorkTable BevEllTabla(std::optional<std::string> suffix) {
    // The month fields' names must outlive the table description.
    static const std::vector<std::string> osszegMezok = [] {
        std::vector<std::string> m;
        for (int h = 1; h <= 12; ++h)
            for (const char* f : {"_OSSZEG", "_JARALAP", "_ADOALAP"}) m.push_back(std::to_string(h) + f);
        for (const char* f : {"SUM_OSSZEG", "SUM_JARALAP", "SUM_ADOALAP"}) m.push_back(f);
        return m;
    }();
    std::vector<WorkField> f = {
        {"BLOKK", db::FieldType::String, 10},    {"SOR", db::FieldType::String, 10},
        {"NEV", db::FieldType::String, 50},      {"ANEM", db::FieldType::String, 50},
        {"BANKSZLA", db::FieldType::String, 26}, {"SZOVEG", db::FieldType::String, 120}};
    for (const std::string& m : osszegMezok) f.push_back({m.c_str(), db::FieldType::Float});
    return {"List_BevEll", f, "BLOKK; SOR", std::move(suffix)};
}

std::array<int, 13> EzerForintok(const std::array<double, 12>& honapok) {
    std::array<int, 13> v{};
    long double halmozott = 0;
    long long eddig = 0;  // the thousands printed so far: the rounded amount to date
    for (int m = 0; m < 12; ++m) {
        halmozott += honapok[m];
        const long long idaig = Kerekit(halmozott / 1000.0L);
        v[m] = ToInt32(idaig - eddig);
        eddig = idaig;
    }
    v[12] = ToInt32(eddig);
    return v;
}

TList_BevEllForm::TList_BevEllForm(QWidget* parent)
    : ListForm(BevEllDecl(), parent), List_BevEllQRForm(std::make_unique<TList_BevEllQRForm>()) {
    BitBtn1->setText(QStringLiteral("Lista"));
    // The owner's name beside his registration number.
    if (QLabel* name = NameLabel("MaskEdit3")) {
        Label2 = name;
    } else {
        Label2 = new QLabel(this);
        if (auto* grid = findChild<QGridLayout*>()) {
            int row = 0, col = 0, rs = 0, cs = 0;
            grid->getItemPosition(grid->indexOf(Edit("MaskEdit3")), &row, &col, &rs, &cs);
            grid->addWidget(Label2, row, 2);
        }
    }
    Label2->setObjectName("Label2");
    Label2->setEnabled(false);

    // The months to transfer: "01" .. "12" above their boxes.
    auto* honapok = new QGridLayout;
    honapok->addWidget(new QLabel(QStringLiteral("Utalandó"), this), 1, 0);
    for (int m = 0; m < 12; ++m) {
        const QString szam = QString("%1").arg(m + 1, 2, 10, QChar('0'));
        honapok->addWidget(new QLabel(szam, this), 0, m + 1, Qt::AlignHCenter);
        cbHo_[m] = new QCheckBox(this);
        cbHo_[m]->setObjectName("cbHo" + szam);
        honapok->addWidget(cbHo_[m], 1, m + 1, Qt::AlignHCenter);
    }
    if (auto* outer = qobject_cast<QVBoxLayout*>(layout())) outer->insertLayout(1, honapok);
}

TList_BevEllForm::~TList_BevEllForm() = default;

bool TList_BevEllForm::UtalandoMod() const {
    for (QCheckBox* c : cbHo_)
        if (c->isChecked()) return true;
    return false;
}

std::array<bool, 12> TList_BevEllForm::Honapok() const {
    std::array<bool, 12> h{};
    for (int m = 0; m < 12; ++m) h[m] = cbHo_[m]->isChecked();
    return h;
}

void TList_BevEllForm::showEvent(QShowEvent* event) {
    if (!ownerLooked_) {
        ownerLooked_ = true;
        EgyeniVallalkozo();
    }
    ListForm::showEvent(event);
}

// The sole trader: the employee with payroll rows whose tax id is the
// company's sole-trader tax id.
void TList_BevEllForm::EgyeniVallalkozo() {
    if (!LocateCompany()) return;
    const std::string adoazon = DM1->TableCegek->FieldByName("CG_EVADOAZ").AsString();
    Edit("Edit3")->setText(Q(adoazon));
    QString torzsszam, nev;
    // Without a sole-trader tax id nobody is the owner (not an employee
    // whose own tax id is empty too).
    if (!QString::fromStdString(adoazon).trimmed().isEmpty()) {
        ListSql sql;
        sql.Line("Select DG_TORZSSZAM, DG_NEV From " + ListSql::Table(*DM1->TableDolgozo));
        sql.Line("Inner Join " + ListSql::Table(*DM1->TableSzamfejt));
        sql.Line("On SF_DGTORZSSZAM=DG_TORZSSZAM");
        sql.Equal("DG_ADOAZ", Q(adoazon));
        db::Query& q = *DM1->Query1;
        Query1Reset();
        sql.Apply(q);
        q.Open();
        q.First();
        if (!q.Eof()) {
            torzsszam = Q(q.FieldByName("DG_TORZSSZAM").AsString());
            nev = Q(q.FieldByName("DG_NEV").AsString());
        }
        Query1Reset();
    }
    if (torzsszam.isEmpty()) {
        ListBox1->addItem(QStringLiteral("Nem található egyéni vállalkozó a számfejtésben."));
        Label2->clear();
        return;
    }
    if (DM1->TableDolgozo->Locate("DG_TORZSSZAM", torzsszam.toStdString())) {
        Edit("MaskEdit3")->setText(torzsszam);
        Label2->setText(nev);
    }
}

// The sums of the ranges by month, pay item and employee, read once: every
// row of the list adds some of them. The workplace is the employee's
// current one, not the one in the payroll row.
void TList_BevEllForm::Gyujt() {
    osszegek_.clear();
    ListSql sql;
    sql.Line("Select tSzamf.SF_HONAP As HONAP, tSzamf.SF_JCKOD As JCKOD, tSzamf.SF_DGTORZSSZAM As DOLGOZO,");
    sql.Line(
        "SUM(tSzamf.SF_OSSZEG) As Osszeg, SUM(tSzamf.SF_JARALAP) As Jaralap, "
        "SUM(tSzamf.SF_ADOALAP) As Adoalap");
    sql.Line("From " + ListSql::Table(*DM1->TableSzamfejt) + " tSzamf");
    sql.Line("Inner Join " + ListSql::Table(*DM1->TableDolgozo) + " tDolg");
    sql.Line("On tSzamf.SF_DGTORZSSZAM=tDolg.DG_TORZSSZAM");
    sql.Range("tSzamf.SF_DGTORZSSZAM", Text("MaskEdit5"), Text("MaskEdit6"));
    sql.Range("tDolg.DG_MHKOD", Text("MaskEdit1"), Text("MaskEdit2"));
    sql.Range("tSzamf.SF_HONAP", 1, 12);
    sql.Line("Group By tSzamf.SF_HONAP, tSzamf.SF_JCKOD, tSzamf.SF_DGTORZSSZAM");
    db::Query q;
    q.DatabaseName = DM1->TableSzamfejt->DatabaseName;
    sql.Apply(q);
    q.Open();
    for (q.First(); !q.Eof(); q.Next()) {
        Osszeg& o =
            osszegek_[{q.FieldByName("HONAP").AsInteger(), Q(q.FieldByName("JCKOD").AsString()).trimmed(),
                       Q(q.FieldByName("DOLGOZO").AsString()).trimmed()}];
        o.osszeg += q.FieldByName("Osszeg").AsFloat();
        o.jaralap += q.FieldByName("Jaralap").AsFloat();
        o.adoalap += q.FieldByName("Adoalap").AsFloat();
    }
    q.Close();
}

BevEllSor& TList_BevEllForm::Sor(const Kulcs& kulcs, const QString& nev, const QString& anem,
                                 const QString& bankszla, const QString& szoveg) {
    auto [it, uj] = sorok_.try_emplace(kulcs);
    if (uj) {
        it->second.nev = nev;
        it->second.anem = anem;
        if (UtalandoMod()) {
            it->second.bankszla = bankszla;
            it->second.szoveg = szoveg;
        }
    }
    return it->second;
}

void TList_BevEllForm::BevEllSorOsszegez(const QString& blokk, const QString& sor, const QString& szoveg,
                                         const QString& bankszla, const QString& anem, const QString& nev,
                                         bool egyeni, const QString& jogcim) {
    ProgressBar1->setValue(ProgressBar1->value() + 1);
    BevEllSor& s = Sor({blokk, sor}, nev, anem, bankszla, szoveg);
    s.osszegek = true;
    const QString tulaj = Text("MaskEdit3");
    // An owner row without a known owner, or with him excluded, stays empty;
    // an others row without a known owner takes everybody.
    if (egyeni && (tulaj.isEmpty() || Checked("CheckBox1"))) return;
    for (const auto& [kulcs, o] : osszegek_) {
        const auto& [honap, jc, dolgozo] = kulcs;
        if (jc != jogcim) continue;
        const bool ove = !tulaj.isEmpty() && dolgozo == tulaj;
        if (egyeni != ove) continue;
        s.osszeg[honap] += o.osszeg;
        s.jaralap[honap] += o.jaralap;
        s.adoalap[honap] += o.adoalap;
        s.osszeg[0] += o.osszeg;
        s.jaralap[0] += o.jaralap;
        s.adoalap[0] += o.adoalap;
    }
}

void TList_BevEllForm::BevEllSzhaKedvSor(const QString& blokk, const QString& sor, const QString& szoveg,
                                         const QString& bankszla, const QString& anem, const QString& nev) {
    ProgressBar1->setValue(ProgressBar1->value() + 1);
    BevEllSor& s = Sor({blokk, sor}, nev, anem, bankszla, szoveg);
    s.osszegek = true;
    // The owner's allowance counts unless he is excluded.
    const QString egyeni = Text("MaskEdit3");
    const bool nelkule = !egyeni.isEmpty() && Checked("CheckBox1");
    for (const auto& [kulcs, o] : osszegek_) {
        const auto& [honap, jc, dolgozo] = kulcs;
        if (jc != QLatin1String("328") || (nelkule && dolgozo == egyeni)) continue;
        s.osszeg[honap] -= o.osszeg;
        s.osszeg[0] -= o.osszeg;
    }
}

bool TList_BevEllForm::BevEllFeltolt() {
    return FillWorkTable(BevEllTabla(), [this] {
        ProgressBar1->setMaximum(150);
        ProgressBar1->setValue(0);
        sorok_.clear();
        Gyujt();
        auto blokk = [this](const QString& nev, const std::vector<SorDef>& sorok) {
            for (const SorDef& d : sorok)
                for (const Resz& r : d.reszek) {
                    const QString sor = QString::fromUtf8(d.sor), megnev = QString::fromUtf8(d.nev),
                                  anem = QString::fromUtf8(d.anem), bankszla = QString::fromUtf8(d.bankszla),
                                  szoveg = QString::fromUtf8(d.szoveg);
                    if (r.kinek == Kinek::SzhaKedv) {
                        BevEllSzhaKedvSor(nev, sor, szoveg, bankszla, anem, megnev);
                        continue;
                    }
                    for (const QString& jc : QString::fromUtf8(r.jogcimek).split(' ', Qt::SkipEmptyParts))
                        BevEllSorOsszegez(nev, sor, szoveg, bankszla, anem, megnev, r.kinek == Kinek::Egyeni,
                                          jc);
                }
            sorok_.try_emplace({nev, QStringLiteral("VEGE")});
        };
        if (!UtalandoMod()) blokk(QStringLiteral("B001"), kBevallas);
        sorok_.try_emplace({QStringLiteral("B002"), QStringLiteral("FEJ")}).first->second.nev =
            QStringLiteral("Mindösszesen");
        blokk(QStringLiteral("B002"), kSzamlak);

        std::vector<db::Record> rows;
        for (const auto& [kulcs, s] : sorok_) {
            db::Record r = {kulcs.first.toStdString(), kulcs.second.toStdString(), s.nev.toStdString(),
                            s.anem.toStdString(),      s.bankszla.toStdString(),   s.szoveg.toStdString()};
            for (int h = 1; h <= 12; ++h)
                for (const auto* t : {&s.osszeg, &s.jaralap, &s.adoalap})
                    r.push_back(s.osszegek ? db::Variant((*t)[h]) : db::Variant());
            for (const auto* t : {&s.osszeg, &s.jaralap, &s.adoalap})
                r.push_back(s.osszegek ? db::Variant((*t)[0]) : db::Variant());
            rows.push_back(std::move(r));
        }
        return rows;
    });
}

void TList_BevEllForm::BitBtn1Click() {
    RunWorkTableList([this] { return BevEllFeltolt(); },
                     [this] {
                         BevEllTabla().OpenInTable1();
                         List_BevEllQRForm->Beallit(UtalandoMod(), Honapok());
                         List_BevEllQRForm->QuickRep1.Preview();
                     });
}
