#include "tax/monthly/MAB.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <set>

#include "controls/DBControls.h"
#include "controls/DBText.h"
#include "core/DataModule1.h"
#include "core/KivalasztSQL.h"
#include "core/ListaKeret.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"
#include "tax/monthly/MABLapszamitas.h"
#include "tax/monthly/MABTablak.h"

namespace {

const QString kUzenet = QStringLiteral("Üzenet");

// clang-format off
const std::vector<TMABModKeret::FejMezo> kFejMezok = {
    {"CEGADOSZAM",            "Munkáltató adószáma :"},
    {"CEGADOAZ",              "Munkáltató adóazonosító jele :"},
    {"CEGNEV",                "Munkáltató neve :"},
    {"CEGTITULUS",            "Munkáltató titulusa :"},
    {"CEGCSALADINEV",         "Munkáltató családi neve :"},
    {"CEGUTONEV",             "Munkáltató utóneve :"},
    {"DOLGADOAZ",             "Adóazonosító jel :"},
    {"DOLGADOSZAM",           "Adószám :"},
    {"DOLGNEM",               "Neme :"},
    {"DOLGALLAMP",            "Állampolgársága :"},
    {"DOLGKULFOLDI",          "Külföldi :"},
    {"DOLGKULFOLDIALLAM",     "Illetőség állama :"},
    {"DOLGTULKOZADOSZAM",     "Külföldi adószám :"},
    {"DOLGOSTERMIGSZAM",      "Őstermelői igazolvány száma :"},
    {"DOLGCSALGAZDNYILVSZAM", "Családi gazdaság nyilv. száma :"},
    {"DOLGTITULUS",           "Titulus :"},
    {"DOLGNEV",               "Családi név :"},
    {"DOLGUTONEV",            "Utónév :"},
    {"DOLGELOZOTITULUS",      "Előző titulus :"},
    {"DOLGELOZONEV",          "Előző családi név :"},
    {"DOLGELOZOUTONEV",       "Előző utónév :"},
    {"DOLGSZULNEV",           "Születési családi név :"},
    {"DOLGSZULUTONEV",        "Születési utónév :"},
    {"DOLGANYJASZULNEV",      "Anyja születési családi neve :"},
    {"DOLGANYJASZULUTONEV",   "Anyja születési utóneve :"},
    {"DOLGSZULHELY",          "Születési hely :"},
    {"DOLGSZULDAT",           "Születési idő :"},
    {"DOLGTBAZON",            "TAJ szám :"},
    {"DOLGKULFTBNELKUL",      "Külföldi, TAJ szám nélkül :"},
    {"BEVKOT",                "Bevallási kötelezettség :"},
    {"TBJ56",                 "Tbj. 56. § :"},
    {"TVADOSZAM",             "Társas vállalkozás adószáma :"},
    {"TVNEV",                 "Társas vállalkozás neve :"},
};

// The sheets in the order of their pages and counters.
const struct { const char* felirat; const char* szamlalo; const char* komponens; } kLapok[] = {
    {"1908-04",    "04",    "TableMAB04"},
    {"1908-05",    "05",    "TableMAB05"},
    {"1908-06",    "06",    "TableMAB06"},
    {"1908-07",    "07",    "TableMAB07"},
    {"1908-08",    "08",    "TableMAB08"},
    {"1908-09",    "09",    "TableMAB09"},
    {"1908-09-01", "09-01", "TableMAB09a"},
    {"1908-10",    "10",    "TableMAB10"},
    {"1908-11",    "11",    "TableMAB11"},
    {"1908-12",    "12",    "TableMAB12"},
    {"1908-13",    "13",    "TableMAB13"},
};
// clang-format on

// Fields of the header the employee's data fill, emptied when the employee
// cannot be declared.
const char* const kDolgozoMezok[] = {
    "ADOSZAM",
    "DOLGADOSZAM",
    "DOLGADOAZ",
    "DOLGNEM",
    "DOLGALLAMP",
    "DOLGOSTERMIGSZAM",
    "DOLGCSALGAZDNYILVSZAM",
    "DOLGTITULUS",
    "DOLGNEV",
    "DOLGUTONEV",
    "DOLGSZULNEV",
    "DOLGSZULUTONEV",
    "DOLGANYJASZULNEV",
    "DOLGANYJASZULUTONEV",
    "DOLGSZULHELY",
    "DOLGSZULDAT",
    "DOLGTBAZON",
    "DOLGKULFTBNELKUL",
    "BEVKOT",
    "TBJ56",
    "TVADOSZAM",
    "TVNEV",
};

std::vector<db::Table*> LapTablak() {
    std::vector<db::Table*> t;
    for (const auto& l : kLapok) t.push_back(DM1->Component(l.komponens));
    return t;
}

std::vector<db::Table*> Mind() {
    std::vector<db::Table*> t{DM1->TableMAB00};
    for (db::Table* l : LapTablak()) t.push_back(l);
    return t;
}

QString Trimmed(const QWidget* w) {
    if (const auto* e = qobject_cast<const TDBEdit*>(w)) return e->Text().trimmed();
    if (const auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText().trimmed();
    return {};
}

bool Datum(const QWidget* w) {
    const auto* e = qobject_cast<const TDBDateEdit*>(w);
    return e && e->HasDateContent() && e->DateValue() != 0;
}

bool HJelleg(const std::string& j) { return !j.empty() && j[0] == 'H'; }

}  // namespace

TMABForm::TMABForm(QWidget* parent) : TMABModKeret(parent) {
    setObjectName("MABForm");
    setWindowTitle(QStringLiteral("Havi adó/Havi adóbevallás"));

    // The filter beside the header box.
    GroupBoxSzures = new QGroupBox(QStringLiteral("Szűrés"), this);
    GroupBoxSzures->setObjectName("GroupBoxSzures");
    auto* szures = new QGridLayout(GroupBoxSzures);
    szures->addWidget(new QLabel(QStringLiteral("Hónap :"), GroupBoxSzures), 0, 0);
    ComboBoxHo = new QComboBox(GroupBoxSzures);
    ComboBoxHo->setObjectName("ComboBoxHo");
    for (int i = 1; i <= 12; ++i) ComboBoxHo->addItem(QString::number(i));
    szures->addWidget(ComboBoxHo, 0, 1);
    szures->addWidget(new QLabel(QStringLiteral("Jelleg :"), GroupBoxSzures), 1, 0);
    ComboBoxJelleg = new QComboBox(GroupBoxSzures);
    ComboBoxJelleg->setObjectName("ComboBoxJelleg");
    for (const std::string& j : MABJellegek()) ComboBoxJelleg->addItem(Q(j));
    szures->addWidget(ComboBoxJelleg, 1, 1);
    auto* fo = static_cast<QVBoxLayout*>(layout());
    fo->removeWidget(GroupBox1);
    auto* felso = new QHBoxLayout;
    felso->addWidget(GroupBox1, 1);
    felso->addWidget(GroupBoxSzures);
    fo->insertLayout(0, felso);

    // The header box: the key, the employee's names and the page counters.
    db::Table* mab00 = DM1->TableMAB00;
    QGridLayout* g = fejGrid_;
    DBEditTorzsszam = static_cast<TDBEdit*>(KulcsBemenet(g, 0, 0, "Törzsszám (F2) :", mab00, "TORZSSZAM"));
    auto* nev = new TDBText(GroupBox1);
    nev->setObjectName("DBTextNev");
    nev->SetDataSource(DM1->DataSourceMAB00);
    nev->SetDataField("DOLGNEV");
    g->addWidget(nev, 0, 2);
    auto* utonev = new TDBText(GroupBox1);
    utonev->setObjectName("DBTextUtonev");
    utonev->SetDataSource(DM1->DataSourceMAB00);
    utonev->SetDataField("DOLGUTONEV");
    g->addWidget(utonev, 0, 3);
    DBEditHonap = static_cast<TDBEdit*>(KulcsBemenet(g, 1, 0, "Hónap :", mab00, "HONAP"));
    TolEdit = static_cast<TDBDateEdit*>(KulcsBemenet(g, 2, 0, "Időszak :", mab00, "TOL"));
    IgEdit = static_cast<TDBDateEdit*>(MezoBemenet(GroupBox1, mab00, "IG"));
    g->addWidget(IgEdit, 2, 2, Qt::AlignLeft);
    DBComboBox1 = static_cast<TDBComboBox*>(KulcsBemenet(g, 3, 0, "Jelleg :", mab00, "JELLEG"));
    Kulcsok({DBEditTorzsszam, DBEditHonap, TolEdit, IgEdit, DBComboBox1});
    auto* szamlalok = new QHBoxLayout;
    for (const auto& l : kLapok) {
        szamlalok->addWidget(new QLabel(QString::fromUtf8(l.szamlalo), GroupBox1));
        auto* db = new QLabel(QStringLiteral("0"), GroupBox1);
        db->setObjectName(QStringLiteral("Darab") + QString::fromUtf8(l.szamlalo));
        db->setFrameShape(QFrame::Panel);
        db->setMinimumWidth(24);
        szamlalok->addWidget(db);
        Darabok.push_back(db);
    }
    szamlalok->addStretch(1);
    g->addLayout(szamlalok, 4, 0, 1, 5);
    g->setColumnStretch(4, 1);

    const int fej = UjLap(QStringLiteral("1908M (fej)"), mab00, "TableMAB00");
    FejMezok(fej, kFejMezok);
    for (const auto& l : kLapok) {
        db::Table* t = DM1->Component(l.komponens);
        CellaMezok(UjLap(QString::fromUtf8(l.felirat), t, l.komponens), true);
    }
    LabelHint->setText(QStringLiteral("Kiválasztás: 1908M (fej) fülön F2 bill."));
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    LabelLap = new QLabel(StatusBar1);
    LabelLap->setObjectName("LabelLap");
    StatusBar1->addWidget(LabelLap, 1);
    fo->addWidget(StatusBar1);

    for (QComboBox* c : {ComboBoxHo, ComboBoxJelleg}) {
        c->installEventFilter(this);
        connect(c, &QComboBox::currentIndexChanged, this, [this] {
            if (shown_) ComboBoxHoJellegChange();
        });
    }
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });

    pick_ = new TKivalasztSQLForm(this);
    TableNyitZar(0);
    // Presentation of the header's fields, and of the dates of every table.
    Maszkok(*mab00, {
                        {"TORZSSZAM", "99999999999;0; ", "Törzsszám"},
                        {"ADOSZAM", "", "Adószám"},
                        {"DOLGNEV", "", "Vezetéknév"},
                        {"DOLGUTONEV", "", "Utónév"},
                        {"HONAP", "99;0; ", "Hónap"},
                        {"JELLEG", "", "Jelleg"},
                        {"TOL", "", "Tól"},
                        {"IG", "", "Ig"},
                        {"CEGADOSZAM", "99999999999;0; ", ""},
                        {"DOLGADOSZAM", "99999999999;0; ", ""},
                        {"DOLGTULKOZADOSZAM", "99999999999;0; ", ""},
                        {"TVADOSZAM", "99999999999;0; ", ""},
                        {"CEGADOAZ", "9999999999;0; ", ""},
                        {"DOLGADOAZ", "9999999999;0; ", ""},
                        {"DOLGNEM", "9;0; ", ""},
                        {"DOLGOSTERMIGSZAM", "9999999;0; ", ""},
                        {"DOLGCSALGAZDNYILVSZAM", "99999999;0; ", ""},
                        {"DOLGTBAZON", "999999999;0; ", ""},
                    });
    DatumMaszk(Mind());
    MezoTipusEllenorzes(Mind());
    SorFeliratok();
    GroupBox2->setTitle(PageControl1->tabText(0) + " parancsok");
}

TMABForm::~TMABForm() { FormClose(); }

void TMABForm::TableNyitZar(int n) {
    db::Table& dg = *DM1->TableDolgozo;
    db::Table& cegek = *DM1->TableCegek;
    db::Table& mab00 = *DM1->TableMAB00;
    if (n == 0) {
        for (db::Table* t : {&dg, &cegek}) {
            t->ReadOnly = true;
            t->Open();
        }
        mab00.Close();
        mab00.SetOnFilterRecord([this](db::Dataset& ds, bool& accept) { MAB00hoJellegFilter(ds, accept); });
        mab00.SetFiltered(true);
        mab00.Open();
        for (db::Table* lap : LapTablak()) {
            lap->Close();
            lap->SetFiltered(false);
            lap->SetFilter("");
            lap->SetOnFilterRecord(DM1->FilterHandler(&TDM1::MABFilter));
            lap->SetFiltered(true);
            lap->Open();
        }
        return;
    }
    for (db::Table* t : Mind()) {
        t->Close();
        t->SetFiltered(false);
        t->SetOnFilterRecord(nullptr);
    }
    for (db::Table* t : {&dg, &cegek}) {
        t->Close();
        t->ReadOnly = false;
    }
}

void TMABForm::showEvent(QShowEvent* event) {
    TMABModKeret::showEvent(event);
    if (!shown_) FormShow();
}

void TMABForm::FormShow() {
    shown_ = true;
    // The highest month of the headers.
    int ho = 1;
    db::Query q;
    q.DatabaseName = DM1->TableMAB00->DatabaseName;
    q.SetSQL("Select HONAP From " + db::SqlName(DM1->TableMAB00->TableName) + " Order By HONAP");
    q.Open();
    if (!q.Eof()) {
        q.Last();
        ho = std::max(1, int(q.FieldByName("HONAP").AsInteger()));
    }
    q.Close();
    const QSignalBlocker b1(ComboBoxHo), b2(ComboBoxJelleg);
    ComboBoxHo->setCurrentIndex(std::min(ho, 12) - 1);
    ComboBoxJelleg->setCurrentIndex(0);
    PageControl1->setCurrentIndex(0);
    ComboBoxHoJellegChange();
}

// --- Filter, counts, refresh ---------------------------------------------------------

void TMABForm::MAB00hoJellegFilter(db::Dataset& ds, bool& accept) {
    accept = ds.FieldByName("HONAP").AsInteger() == ho_ && ds.FieldByName("JELLEG").AsString() == jelleg_;
}

void TMABForm::ComboBoxHoJellegChange() {
    ho_ = ComboBoxHo->currentText().toInt();
    jelleg_ = ComboBoxJelleg->currentText().toStdString();
    db::Table& mab00 = *DM1->TableMAB00;
    mab00.SetFiltered(false);
    mab00.SetFiltered(true);
    mab00.First();
    TablakFrissitese();
    LapokSzama();
    mode_ = Browse;
    Bongeszes();
}

void TMABForm::PageControl1Change() {
    if (mode_ != Browse) return;
    GroupBox2->setTitle(PageControl1->tabText(AktivLap()) + " parancsok");
    TablakFrissitese();
    Bongeszes();
    StatuszSor();
}

void TMABForm::TablakFrissitese(bool elsoLap) {
    db::Table& mab00 = *DM1->TableMAB00;
    if (mab00.Active() && mab00.State() == db::DatasetState::Browse) mab00.Refresh();
    for (db::Table* lap : LapTablak()) {
        if (!lap->Active() || lap->State() != db::DatasetState::Browse) continue;
        lap->Refresh();
        if (elsoLap) lap->First();
    }
}

void TMABForm::LapokSzama() {
    db::Table& mab00 = *DM1->TableMAB00;
    const bool fej = mab00.Active() && (!mab00.IsEmpty() || mab00.State() == db::DatasetState::Insert);
    std::vector<db::Table*> lapok = LapTablak();
    for (size_t i = 0; i < lapok.size(); ++i) {
        long long darab = 0;
        if (fej) {
            db::Query q;
            q.DatabaseName = mab00.DatabaseName;
            q.SetSQL("Select Count (TORZSSZAM) As DARAB From " + db::SqlName(lapok[i]->TableName) +
                     " Where TORZSSZAM = :Ptorzsszam And HONAP = :Phonap And JELLEG = :Pjelleg"
                     " And TOL = :Ptol And IG = :Pig");
            q.ParamByName("Ptorzsszam").SetAsString(mab00.FieldByName("TORZSSZAM").AsString());
            q.ParamByName("Phonap").SetAsInteger(mab00.FieldByName("HONAP").AsInteger());
            q.ParamByName("Pjelleg").SetAsString(mab00.FieldByName("JELLEG").AsString());
            q.ParamByName("Ptol").SetAsDate(mab00.FieldByName("TOL").AsDateTime());
            q.ParamByName("Pig").SetAsDate(mab00.FieldByName("IG").AsDateTime());
            q.Open();
            darab = q.FieldByName("DARAB").AsInteger();
            q.Close();
        }
        Darabok[i]->setText(QString::number(darab));
    }
    StatuszSor();
}

void TMABForm::StatuszSor() {
    db::Table* t = AktivTabla();
    const int n = t && t->Active() && t->State() == db::DatasetState::Browse ? t->RecordCount() : 0;
    LabelLap->setText(QStringLiteral("Lap : %1").arg(n));
}

bool TMABForm::TablakMuvelet(int kod) {
    const bool r = TMABModKeret::TablakMuvelet(kod);
    if (kod >= 2 && kod <= 10) {
        TablakFrissitese(AktivLap() == 0);
        StatuszSor();
    }
    return r;
}

void TMABForm::Frissites() {
    LapokSzama();
    RekordGombok();
}

// --- States ---------------------------------------------------------------------------

bool TMABForm::FelvitelEngedelyezett() const {
    return AktivLap() == 0 || (DM1->TableMAB00->Active() && !DM1->TableMAB00->IsEmpty());
}

void TMABForm::Bongeszes() {
    TMABModKeret::Bongeszes();
    GroupBoxSzures->setEnabled(true);
    for (QWidget* w : {static_cast<QWidget*>(DBEditTorzsszam), static_cast<QWidget*>(TolEdit),
                       static_cast<QWidget*>(IgEdit), static_cast<QWidget*>(DBComboBox1)})
        w->setEnabled(true);
    DBEditHonap->setEnabled(false);
}

void TMABForm::Szerkesztes() {
    TMABModKeret::Szerkesztes();
    GroupBoxSzures->setEnabled(false);
    const int aktiv = AktivLap();
    for (int i = 0; i < PageControl1->count(); ++i)
        if (i != aktiv) PageControl1->setTabVisible(i, false);
}

// --- Records --------------------------------------------------------------------------

void TMABForm::Felvitel() {
    if (!FelvitelEngedelyezett()) return;
    const int lap = AktivLap();
    mode_ = Insert;
    Szerkesztes();
    TablakMuvelet(0);
    if (lap == 0) {
        GroupBox1->setEnabled(true);
        DBEditHonap->setEnabled(false);
        DBEditTorzsszam->setFocus();
        LapokSzama();
        return;
    }
    RekordFeltoltLap(*AktivTabla());
    if (!Lapok()[lap].inputs.empty()) Lapok()[lap].inputs.front()->setFocus();
}

void TMABForm::Modositas() {
    if (TablakMuvelet(11)) return;
    const int lap = AktivLap();
    mode_ = Edit;
    Szerkesztes();
    TablakMuvelet(1);
    if (lap == 0) {
        GroupBox1->setEnabled(true);
        for (QWidget* w : {static_cast<QWidget*>(DBEditTorzsszam), static_cast<QWidget*>(DBEditHonap),
                           static_cast<QWidget*>(TolEdit), static_cast<QWidget*>(IgEdit),
                           static_cast<QWidget*>(DBComboBox1)})
            w->setEnabled(false);
    }
    if (!Lapok()[lap].inputs.empty()) Lapok()[lap].inputs.front()->setFocus();
}

bool TMABForm::RogzitesMehetVizs() const {
    if (AktivLap() != 0) return true;
    return !Trimmed(DBEditTorzsszam).isEmpty() && !Trimmed(DBEditHonap).isEmpty() && Datum(TolEdit) &&
           Datum(IgEdit) && !Trimmed(DBComboBox1).isEmpty();
}

void TMABForm::Postazas() {
    if (!RogzitesKerdes()) return;
    try {
        TablakMuvelet(2);
    } catch (const db::AbortError&) {
        return;  // the data module told the user; the record is still typed
    }
    mode_ = Browse;
    Bongeszes();
    LapokSzama();
}

void TMABForm::Megsem() {
    megsemFut_ = true;
    TablakElvetese();
    TablakFrissitese(AktivLap() == 0);
    Bongeszes();
    LapokSzama();
    megsemFut_ = false;
}

void TMABForm::Torles() {
    if (TablakMuvelet(11)) {
        ui::ShowMessage(QStringLiteral("Üres az adatbázis!"));
        return;
    }
    const bool fej = AktivLap() == 0;
    const QString kerdes =
        fej ? QStringLiteral("Valóban törölni szeretné a rekordot és a hozzá tartozó összes lapot?")
            : QStringLiteral("Valóban törölni szeretné a rekordot?");
    if (ui::MessageBox(kUzenet, kerdes, ui::Icon::Question, ui::Yes | ui::No, ui::No) != ui::Yes) return;
    if (fej)
        FejTorlese();
    else
        TablakMuvelet(4);
    TablakFrissitese(fej);
    LapokSzama();
    RekordGombok();
    BitBtn5->setEnabled(FelvitelEngedelyezett());
}

void TMABForm::FejTorlese() {
    TablakFrissitese();
    std::vector<db::Table*> tablak{DM1->TableMAB00};
    for (db::Table* lap : MABTorlesiSorrend()) tablak.push_back(lap);
    try {
        db::Transaction tx(tablak);
        for (db::Table* lap : MABTorlesiSorrend())
            while (!lap->IsEmpty()) lap->Delete();
        DM1->TableMAB00->Delete();
        tx.Commit();
    } catch (const std::exception&) {
        db::HandleApplicationException(std::current_exception());
    }
}

// --- Fill -----------------------------------------------------------------------------

void TMABForm::RekordFeltoltFej() {
    db::Table& t = *DM1->TableMAB00;
    const auto set = [&t](const char* field, const std::string& v) { t.FieldByName(field).SetAsString(v); };
    if (t.FieldByName("HONAP").IsNull()) t.FieldByName("HONAP").SetAsInteger(ho_);
    if (t.FieldByName("JELLEG").AsString().empty()) set("JELLEG", "E");
    if (LocateCompany()) {
        const db::Table& c = *DM1->TableCegek;
        const std::string nev = c.FieldByName("CG_NEV").AsString();
        const std::string evAdoaz = c.FieldByName("CG_EVADOAZ").AsString();
        set("CEGNEV", nev);
        set("CEGADOSZAM", c.FieldByName("CG_ADOSZAM").AsString());
        set("CEGADOAZ", evAdoaz);
        if (!evAdoaz.empty()) {
            const NameParts n = SplitName(nev);
            set("CEGCSALADINEV", n.family);
            set("CEGUTONEV", n.given);
            set("CEGNEV", "");
        }
    }
    db::Table& dg = *DM1->TableDolgozo;
    if (!dg.Locate("DG_TORZSSZAM", db::Variant(t.FieldByName("TORZSSZAM").AsString()))) return;
    const auto d = [&dg](const char* field) { return dg.FieldByName(field).AsString(); };
    const std::string adoaz = d("DG_ADOAZ");
    set("ADOSZAM", adoaz);
    set("DOLGADOSZAM", "");
    set("DOLGADOAZ", "");
    set(adoaz.size() == 11 ? "DOLGADOSZAM" : "DOLGADOAZ", adoaz);
    set("DOLGNEM", d("DG_NEM"));
    set("DOLGALLAMP", Q(d("DG_ALLAMP")).toUpper().toStdString());
    set("DOLGOSTERMIGSZAM", d("DG_OSTERMIGSZAM"));
    set("DOLGCSALGAZDNYILVSZAM", d("DG_CSALGAZDNYILVSZAM"));
    set("DOLGTITULUS", d("DG_TITULUS"));
    const struct {
        const char* forras;
        const char* csalad;
        const char* uto;
    } kNevek[] = {{"DG_NEV", "DOLGNEV", "DOLGUTONEV"},
                  {"DG_LEANYKNEV", "DOLGSZULNEV", "DOLGSZULUTONEV"},
                  {"DG_ANYJANEV", "DOLGANYJASZULNEV", "DOLGANYJASZULUTONEV"}};
    for (const auto& n : kNevek) {
        const NameParts p = SplitName(d(n.forras));
        set(n.csalad, p.family);
        set(n.uto, p.given);
    }
    set("DOLGSZULHELY", d("DG_SZULHELY"));
    t.FieldByName("DOLGSZULDAT").SetValue(dg.FieldByName("DG_SZULDAT").Value());
    set("DOLGTBAZON", d("DG_TAJSZ"));
    set("TVADOSZAM", d("DG_TARSASZ"));
    set("TVNEV", d("DG_TARSNEV"));
}

void TMABForm::RekordFeltoltLap(db::Table& lap) {
    db::Table& fej = *DM1->TableMAB00;
    for (const char* k : {"TORZSSZAM", "ADOSZAM", "HONAP", "JELLEG", "TOL", "IG"})
        if (lap.FieldByName(k).IsNull()) lap.FieldByName(k).SetValue(fej.FieldByName(k).Value());
    db::Table& dg = *DM1->TableDolgozo;
    if (!dg.Locate("DG_TORZSSZAM", db::Variant(lap.FieldByName("TORZSSZAM").AsString()))) return;
    const auto set = [&lap](const char* field, const std::string& v) {
        if (db::Field* f = lap.FindField(field)) f->SetAsString(v);
    };
    const std::string nyug = dg.FieldByName("DG_NYUGALKMIN2").AsString();
    const std::string alkmin = dg.FieldByName("DG_ALKMINADATSZ").AsString();
    set("ALKMIN1", nyug.empty() ? "0" : nyug);
    set("ALKMIN2", alkmin.empty() ? "20" : alkmin);
    set("ALKMIN3", BelepesKod());
    set("ALKMIN4", FixEgesz(int(dg.FieldByName("DG_JSORSZADATSZ").AsInteger()), 3));
}

// --- Inputs ---------------------------------------------------------------------------

std::vector<QString> TMABForm::Ertekek(db::Table* table, const std::string& field) const {
    if (field == "JELLEG") {
        std::vector<QString> v;
        for (const std::string& j : MABJellegek()) v.push_back(Q(j));
        return v;
    }
    if (table == DM1->TableMAB00) {
        if (field == "BEVKOT") return {"", "T"};
        if (field == "DOLGNEM") return {"", "1", "2"};
        if (field == "DOLGKULFOLDI" || field == "TBJ56" || field == "DOLGKULFTBNELKUL") return {"", "X"};
    }
    // Column G of the simplified employment rows.
    if (table == DM1->TableMAB13 && field.size() == 5 && field.back() == 'G') return {"", "I", "N"};
    return {};
}

bool TMABForm::Nagybetus(db::Table* table, const std::string& field) const {
    if (table == DM1->TableMAB00) return field == "DOLGALLAMP" || field == "DOLGKULFOLDIALLAM";
    // Codes and marks are capitals; the dependants' two marks, the two
    // fields of row 541-542 and the uninsured mark are taken as typed.
    static const std::set<std::string> kiveve = {"S350C", "S351C", "S352C",          "S353C",      "S354C",
                                                 "S350D", "S351D", "S352D",          "S353D",      "S354D",
                                                 "S541B", "S542B", "NEMBIZTOSITOTT", "ADOKEDVJOGC"};
    const int size = Meret(table, field);
    return size > 0 && size <= 5 && !kiveve.count(field);
}

void TMABForm::BemenetElhagyas(QWidget* input) {
    if (mode_ == Browse) return;
    if (input == DBEditTorzsszam) DBEditExit();
    if (input == DBComboBox1) DBComboBox1Exit();
}

void TMABForm::DBEditExit() {
    const QString szam = DBEditTorzsszam->Text().trimmed();
    if (szam.isEmpty()) return;
    db::Table& t = *DM1->TableMAB00;
    db::Table& dg = *DM1->TableDolgozo;
    const auto torol = [this, &t] {
        t.FieldByName("TORZSSZAM").Clear();
        DBEditTorzsszam->setFocus();
    };
    if (!dg.Locate("DG_TORZSSZAM", db::Variant(szam.toStdString()))) {
        ui::ShowMessage(QStringLiteral("Ilyen törzsszam nem létezik!"));
        torol();
    } else if (!dg.FieldByName("DG_ADOAZ").IsNull() && !dg.FieldByName("DG_ALKMINADATSZ").IsNull()) {
        RekordFeltoltFej();
    } else {
        if (dg.FieldByName("DG_ADOAZ").IsNull()) {
            ui::ShowMessage(
                QStringLiteral("A dolgozó \"Adóazonosító jel\" mezője nincs kitöltve, ezért a dolgozó "
                               "adóbevallása nem készíthető el!"));
            torol();
        }
        if (dg.FieldByName("DG_ALKMINADATSZ").IsNull()) {
            ui::ShowMessage(
                QStringLiteral("A dolgozó \"Alk. min. adatsz.\" mezője nincs kitöltve, ezért a dolgozó "
                               "adóbevallása nem készíthető el!"));
            torol();
        }
        for (const char* f : kDolgozoMezok) t.FieldByName(f).Clear();
    }
    LapokSzama();
    SzerkesztesChange();
}

void TMABForm::DBComboBox1Exit() {
    db::Table& t = *DM1->TableMAB00;
    t.FieldByName("HELYESBITES").SetAsString(HJelleg(t.FieldByName("JELLEG").AsString()) ? "H" : "");
}

// --- Pick lists -----------------------------------------------------------------------

void TMABForm::BrowsePick() {
    if (AktivLap() != 0) return;
    db::Table& t = *DM1->TableMAB00;
    std::vector<db::Field*> mezok;
    for (const char* f : {"TORZSSZAM", "ADOSZAM", "DOLGNEV", "DOLGUTONEV", "HONAP", "JELLEG", "TOL", "IG"})
        mezok.push_back(&t.FieldByName(f));
    pick_->KivalasztSQLBeallit(
        t, mezok, {73, 73, 336, 336, 60, 60, 63, 63}, "Where HONAP = :Honap AND JELLEG = :Jelleg", 1,
        {{"Honap", db::Variant(static_cast<long long>(ho_))}, {"Jelleg", db::Variant(jelleg_)}});
    ui::ShowModal(*pick_);
    TablakFrissitese();
    LapokSzama();
    RekordGombok();
}

void TMABForm::InputPick(QWidget* input) {
    if (input != DBEditTorzsszam) return;
    db::Table& dg = *DM1->TableDolgozo;
    pick_->KivalasztSQLBeallit(dg, {&dg.FieldByName("DG_TORZSSZAM"), &dg.FieldByName("DG_NEV")}, {73, 336},
                               "", 0);
    ui::ShowModal(*pick_);
    if (!pick_->ErtekAtadSQL()) return;
    DM1->TableMAB00->FieldByName("TORZSSZAM").SetAsString(dg.FieldByName("DG_TORZSSZAM").AsString());
    LapokSzama();
}
