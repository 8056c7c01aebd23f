#include "tax/monthly/MABOSZ.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "controls/DBControls.h"
#include "core/DataModule1.h"
#include "core/KivalasztSQL.h"
#include "core/ListaKeret.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Transaction.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"
#include "tax/monthly/MABTablak.h"

namespace {

const QString kUzenet = QStringLiteral("Üzenet");

// clang-format off
const std::vector<TMABModKeret::FejMezo> kFejMezok = {
    {"VONALKOD",             "Helyesbített bevallás vonalkódja :"},
    {"CEGADOSZAM",           "Adószám :"},
    {"CEGADOAZ",             "Adóazonosító jel :"},
    {"CEGJOGELADOSZ",        "Jogelőd adószáma :"},
    {"CEGKULFOLDIALLAM",     "Külföldi állam :"},
    {"CEGAZONSZAM",          "Külföldi azonosító szám :"},
    {"CEGCSALGAZDNYILVSZAM", "Családi gazdaság nyilv. száma :"},
    {"MAGTITULUS",           "Titulus :"},
    {"MAGNEV",               "Családi név :"},
    {"MAGUTONEV",            "Utónév :"},
    {"MAGELOZOTITULUS",      "Előző titulus :"},
    {"MAGELOZONEV",          "Előző családi név :"},
    {"MAGELOZOUTONEV",       "Előző utónév :"},
    {"CEGNEV",               "Név :"},
    {"CEGKULFOLDI",          "Székhely külföldön :"},
    {"CEGORSZAG",            "Ország :"},
    {"CEGIRSZ",              "Irányítószám :"},
    {"CEGVAROS",             "Helység :"},
    {"CEGKOZTER",            "Közterület neve :"},
    {"CEGKOZTERJEL",         "Közterület jellege :"},
    {"CEGHAZSZ",             "Házszám :"},
    {"CEGEPULET",            "Épület :"},
    {"CEGLEPCSOHAZ",         "Lépcsőház :"},
    {"CEGEMELET",            "Emelet :"},
    {"CEGAJTO",              "Ajtó :"},
    {"CEGLEVKULFOLDI",       "Levelezési cím külföldön :"},
    {"CEGLEVORSZAG",         "Levelezési ország :"},
    {"CEGLEVIRSZ",           "Levelezési irányítószám :"},
    {"CEGLEVVAROS",          "Levelezési helység :"},
    {"CEGLEVKOZTER",         "Levelezési közterület neve :"},
    {"CEGLEVKOZTERJEL",      "Levelezési közterület jellege :"},
    {"CEGLEVHAZSZ",          "Levelezési házszám :"},
    {"CEGLEVEPULET",         "Levelezési épület :"},
    {"CEGLEVLEPCSOHAZ",      "Levelezési lépcsőház :"},
    {"CEGLEVEMELET",         "Levelezési emelet :"},
    {"CEGLEVAJTO",           "Levelezési ajtó :"},
    {"CEGUGYINT",            "Ügyintéző :"},
    {"CEGUGYINTTEL",         "Ügyintéző telefonszáma :"},
    {"TIPUS",                "Típus :"},
    {"FAJTA",                "Fajta :"},
    {"BEVSZAM",              "Bevallásban szereplők száma :"},
    {"NYUGBEVSZAM",          "Foglalkoztatott nyugdíjasok száma :"},
    {"KIVA",                 "Kisvállalati adó :"},
    {"MAK",                  "MAK :"},
    {"TBJ56",                "Tbj. 56. § :"},
    {"AJBEV",                "Ajánlott bevallás :"},
    {"EFOBEV",               "Egyszerűsített foglalkoztatás :"},
};

const struct { const char* felirat; const char* komponens; bool feliratok; } kLapok[] = {
    {"1908-01-01", "TableMABOSZ01",  true},
    {"1908-01-02", "TableMABOSZ01b", true},
    {"1908-01-03", "TableMABOSZ01c", false},
    {"1908-02-01", "TableMABOSZ02",  true},
    {"1908-02-02", "TableMABOSZ02b", true},
    {"1908-02-03", "TableMABOSZ02c", true},
};
// clang-format on

// The header and its six sheets, in the data module's order.
std::vector<db::Table*> Mind() {
    std::vector<db::Table*> t{DM1->TableMABOSZ};
    for (const auto& l : kLapok) t.push_back(DM1->Component(l.komponens));
    return t;
}

bool Datum(const TDBDateEdit* e) { return e && e->HasDateContent() && e->DateValue() != 0; }

}  // namespace

TMABOSZForm::TMABOSZForm(QWidget* parent) : TMABModKeret(parent) {
    setObjectName("MABOSZForm");
    setWindowTitle(QStringLiteral("Havi adó/Havi adóbevallás összesített adatok"));

    db::Table* fej = DM1->TableMABOSZ;
    QGridLayout* g = fejGrid_;
    DBEditHonap = static_cast<TDBEdit*>(KulcsBemenet(g, 0, 0, "Hónap :", fej, "HONAP"));
    DBEditHonap->setMaxLength(2);
    TolEdit = static_cast<TDBDateEdit*>(KulcsBemenet(g, 1, 0, "Időszak :", fej, "TOL"));
    IgEdit = static_cast<TDBDateEdit*>(MezoBemenet(GroupBox1, fej, "IG"));
    g->addWidget(IgEdit, 1, 2, Qt::AlignLeft);
    DBComboBox1 = static_cast<TDBComboBox*>(KulcsBemenet(g, 2, 0, "Jelleg :", fej, "JELLEG"));
    g->setColumnStretch(3, 1);
    Kulcsok({DBEditHonap, TolEdit, IgEdit, DBComboBox1});

    FejMezok(UjLap(QStringLiteral("1908A (fej)"), fej, "TableMABOSZ"), kFejMezok);
    for (const auto& l : kLapok)
        CellaMezok(UjLap(QString::fromUtf8(l.felirat), DM1->Component(l.komponens), "TableMABOSZ"),
                   l.feliratok);
    LabelHint->setText(QStringLiteral("Kiválasztás: F2 bill."));

    pick_ = new TKivalasztSQLForm(this);
    TableNyitZar(0);
    Maszkok(*fej, {
                      {"HONAP", "99;0; ", "Hónap"},
                      {"JELLEG", "", "Jelleg"},
                      {"TOL", "", "Tól"},
                      {"IG", "", "Ig"},
                      {"CEGADOSZAM", "99999999999;0; ", ""},
                      {"CEGJOGELADOSZ", "99999999999;0; ", ""},
                      {"CEGADOAZ", "9999999999;0; ", ""},
                      {"CEGCSALGAZDNYILVSZAM", "99999999;0; ", ""},
                  });
    DatumMaszk(Mind());
    MezoTipusEllenorzes(Mind());
    SorFeliratok();
    fej->Last();
    TablakFrissitese();
    PageControl1->setCurrentIndex(0);
    GroupBox2->setTitle(PageControl1->tabText(0) + " parancsok");
    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this] { GroupBox2->setTitle(PageControl1->tabText(AktivLap()) + " parancsok"); });
    Bongeszes();
}

TMABOSZForm::~TMABOSZForm() { FormClose(); }

void TMABOSZForm::TableNyitZar(int n) {
    db::Table& cegek = *DM1->TableCegek;
    const std::vector<db::Table*> tablak = Mind();
    if (n == 0) {
        cegek.ReadOnly = true;
        cegek.Open();
        tablak[0]->Open();
        for (size_t i = 1; i < tablak.size(); ++i) {
            db::Table* lap = tablak[i];
            lap->Close();
            lap->SetFiltered(false);
            lap->SetFilter("");
            lap->SetOnFilterRecord(DM1->FilterHandler(&TDM1::MABOSZFilter));
            lap->SetFiltered(true);
            lap->Open();
        }
        return;
    }
    for (db::Table* t : tablak) {
        t->Close();
        t->SetFiltered(false);
        t->SetOnFilterRecord(nullptr);
    }
    cegek.Close();
    cegek.ReadOnly = false;
}

void TMABOSZForm::TablakFrissitese() {
    const std::vector<db::Table*> tablak = Mind();
    for (size_t i = 0; i < tablak.size(); ++i) {
        db::Table* t = tablak[i];
        if (!t->Active() || t->State() != db::DatasetState::Browse) continue;
        t->Refresh();
        if (i > 0) t->First();
    }
}

bool TMABOSZForm::TablakMuvelet(int kod) {
    const std::vector<db::Table*> tablak = Mind();
    bool r = false;
    switch (kod) {
        case 0:
            for (db::Table* t : tablak) t->Append();
            break;
        case 1:
            for (db::Table* t : tablak) {
                if (t == tablak[0] || !t->IsEmpty()) {
                    t->Edit();
                    continue;
                }
                // A sheet the header lacks is added with the change.
                t->Append();
                t->FieldByName("HONAP").SetValue(tablak[0]->FieldByName("HONAP").Value());
                t->FieldByName("JELLEG").SetValue(tablak[0]->FieldByName("JELLEG").Value());
            }
            break;
        case 2:
            Rogzites();
            break;
        case 3:
            for (db::Table* t : tablak) t->Cancel();
            break;
        default:
            r = TMABModKeret::TablakMuvelet(kod);
            break;
    }
    if (kod >= 2 && kod <= 10) TablakFrissitese();
    return r;
}

void TMABOSZForm::Rogzites() {
    const std::vector<db::Table*> tablak = Mind();
    db::Table& fej = *tablak[0];
    // Empty sheet keys take the header's.
    for (size_t i = 1; i < tablak.size(); ++i)
        for (const char* k : {"HONAP", "JELLEG"})
            if (tablak[i]->FieldByName(k).IsNull())
                tablak[i]->FieldByName(k).SetValue(fej.FieldByName(k).Value());
    std::vector<std::vector<db::Variant>> ertekek;
    std::vector<bool> uj;
    for (db::Table* t : tablak) {
        ertekek.push_back(Ertekei(*t));
        uj.push_back(t->State() == db::DatasetState::Insert);
    }
    try {
        db::Transaction tx(tablak);
        for (db::Table* t : tablak) t->Post();
        tx.Commit();
    } catch (...) {
        // The rollback re-read the tables: the typed records come back as
        // they were, still being inserted or changed.
        const std::exception_ptr hiba = std::current_exception();
        if (uj[0]) {
            fej.Append();
        } else {
            fej.Locate("HONAP;JELLEG", {ertekek[0][fej.FieldByName("HONAP").Index()],
                                        ertekek[0][fej.FieldByName("JELLEG").Index()]});
            fej.Edit();
        }
        Visszair(fej, ertekek[0]);
        for (size_t i = 1; i < tablak.size(); ++i) {
            db::Table& t = *tablak[i];
            t.Refresh();
            if (uj[i] || t.IsEmpty())
                t.Append();
            else
                t.Edit();
            Visszair(t, ertekek[i]);
        }
        std::rethrow_exception(hiba);
    }
}

// --- States ---------------------------------------------------------------------------

void TMABOSZForm::Bongeszes() {
    TMABModKeret::Bongeszes();
    for (QWidget* w : Kulcsok()) w->setEnabled(true);
}

void TMABOSZForm::Frissites() { RekordGombok(); }

void TMABOSZForm::Felvitel() {
    mode_ = Insert;
    PageControl1->setCurrentIndex(0);
    Szerkesztes();
    TablakMuvelet(0);
    RekordFeltolt();
    GroupBox1->setEnabled(true);
    DBEditHonap->setFocus();
}

void TMABOSZForm::Modositas() {
    if (TablakMuvelet(11)) return;
    mode_ = Edit;
    PageControl1->setCurrentIndex(0);
    Szerkesztes();
    TablakMuvelet(1);
    GroupBox1->setEnabled(true);
    for (QWidget* w : Kulcsok()) w->setEnabled(false);
    Lapok()[0].inputs.front()->setFocus();
}

bool TMABOSZForm::RogzitesMehetVizs() const {
    return !DBEditHonap->Text().trimmed().isEmpty() && Datum(TolEdit) && Datum(IgEdit) &&
           !DBComboBox1->currentText().trimmed().isEmpty();
}

void TMABOSZForm::Postazas() {
    if (!RogzitesKerdes()) return;
    for (QWidget* w : findChildren<TDBEdit*>()) static_cast<TDBEdit*>(w)->UpdateRecord();
    try {
        TablakMuvelet(2);
    } catch (const db::AbortError&) {
        return;  // the data module told the user; the records are still typed
    } catch (const std::exception&) {
        db::HandleApplicationException(std::current_exception());
        return;
    }
    mode_ = Browse;
    Bongeszes();
}

void TMABOSZForm::Megsem() {
    megsemFut_ = true;
    TablakElvetese();
    TablakFrissitese();
    Bongeszes();
    megsemFut_ = false;
}

void TMABOSZForm::Torles() {
    if (TablakMuvelet(11)) {
        ui::ShowMessage(QStringLiteral("Üres az adatbázis!"));
        return;
    }
    if (ui::MessageBox(kUzenet,
                       QStringLiteral("Valóban törölni szeretné a rekordot és a hozzá tartozó összes lapot?"),
                       ui::Icon::Question, ui::Yes | ui::No, ui::No) != ui::Yes)
        return;
    TablakFrissitese();
    const std::vector<db::Table*> tablak = Mind();
    try {
        db::Transaction tx(tablak);
        for (size_t i = 1; i < tablak.size(); ++i)
            while (!tablak[i]->IsEmpty()) tablak[i]->Delete();
        tablak[0]->Delete();
        tx.Commit();
    } catch (const std::exception&) {
        db::HandleApplicationException(std::current_exception());
    }
    TablakFrissitese();
    RekordGombok();
}

// --- Fill and inputs ------------------------------------------------------------------

void TMABOSZForm::RekordFeltolt() {
    db::Table& t = *DM1->TableMABOSZ;
    const auto set = [&t](const char* field, const std::string& v) { t.FieldByName(field).SetAsString(v); };
    if (t.FieldByName("JELLEG").AsString().empty()) set("JELLEG", "E");
    if (!LocateCompany()) return;
    const db::Table& c = *DM1->TableCegek;
    const auto cg = [&c](const char* field) { return c.FieldByName(field).AsString(); };
    set("CEGNEV", cg("CG_NEV"));
    if (!cg("CG_EVADOAZ").empty()) {
        const NameParts n = SplitName(cg("CG_NEV"));
        set("MAGNEV", n.family);
        set("MAGUTONEV", n.given);
        set("CEGNEV", "");
    }
    set("CEGADOSZAM", cg("CG_ADOSZAM"));
    set("CEGADOAZ", cg("CG_EVADOAZ"));
    set("CEGJOGELADOSZ", cg("CG_JOGELADOSZ"));
    set("CEGCSALGAZDNYILVSZAM", cg("CG_CSALGAZDNYILVSZAM"));
    for (const char* resz :
         {"IRSZ", "VAROS", "KOZTER", "KOZTERJEL", "HAZSZ", "EPULET", "LEPCSOHAZ", "EMELET", "AJTO"}) {
        set(("CEG" + std::string(resz)).c_str(), cg(("CG_" + std::string(resz)).c_str()));
        set(("CEGLEV" + std::string(resz)).c_str(), cg(("CG_LEV" + std::string(resz)).c_str()));
    }
    set("CEGUGYINTTEL", cg("CG_TEL"));
    set("CEGUGYINT", cg("CG_UGYINT"));
    set("KIVA", cg("CG_KIVA") == "I" ? "X" : "");
}

std::vector<QString> TMABOSZForm::Ertekek(db::Table* table, const std::string& field) const {
    if (field == "JELLEG") {
        std::vector<QString> v;
        for (const std::string& j : MABJellegek()) v.push_back(Q(j));
        return v;
    }
    const std::vector<QString> kod = {"-1", "0", "1"};
    if (table == DM1->TableMABOSZ01 && field == "S20A") return {"", "X"};
    if (table == DM1->TableMABOSZ01c && field == "S50N") return {"", "X"};
    if (table == DM1->TableMABOSZ01b) {
        if (field == "BEVALLASOKA") return {"", "1", "2", "3", "4", "5"};
        if (field == "KISVALLALKOZAS") return {"", "I", "N"};
        if (field == "FELTETELKOD") return {"", "1", "2"};
        if (field == "JOGUTODLAS") return {"", "X"};
        if (field == "S43D") return kod;
    }
    // The column E codes of the 1908-02 sheets.
    const bool e = !field.empty() && field[0] == 'S' && field.back() == 'E';
    if (e && (table == DM1->TableMABOSZ02 || table == DM1->TableMABOSZ02b || table == DM1->TableMABOSZ02c))
        return kod;
    return {};
}

bool TMABOSZForm::Nagybetus(db::Table* table, const std::string& field) const {
    return table == DM1->TableMABOSZ && Meret(table, field) == 1;
}

void TMABOSZForm::LapVege(int lap) {
    if (lap + 1 < int(Lapok().size())) {
        PageControl1->setCurrentIndex(lap + 1);
        Lapok()[lap + 1].inputs.front()->setFocus();
        return;
    }
    TMABModKeret::LapVege(lap);
}

void TMABOSZForm::BemenetElhagyas(QWidget* input) {
    if (mode_ == Browse || input != DBEditHonap) return;
    const QString szoveg = DBEditHonap->Text().trimmed();
    if (szoveg.isEmpty()) return;
    const int ho = szoveg.toInt();
    if (ho < 1 || ho > 12) {
        ui::ShowMessage(QStringLiteral("Ilyen hónap nem létezik!"));
        DBEditHonap->setFocus();
    }
}

void TMABOSZForm::BrowsePick() {
    db::Table& t = *DM1->TableMABOSZ;
    std::vector<db::Field*> mezok;
    for (const char* f : {"HONAP", "JELLEG", "TOL", "IG"}) mezok.push_back(&t.FieldByName(f));
    pick_->KivalasztSQLBeallit(t, mezok, {60, 60, 63, 63}, "", 1);
    ui::ShowModal(*pick_);
    TablakFrissitese();
    RekordGombok();
}
