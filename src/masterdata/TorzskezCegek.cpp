#include "masterdata/TorzskezCegek.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <set>

#include "controls/DBControls.h"
#include "controls/DBKinds.h"
#include "core/CegTablak.h"
#include "core/DataModule1.h"
#include "core/FormTables.h"
#include "core/KivalasztSQL.h"
#include "core/StartValues.h"
#include "masterdata/DravikAtvetel.h"
#include "masterdata/ElozoEviMasolas.h"
#include "platform/db/DbfTable.h"
#include "platform/db/Engine.h"
#include "platform/db/Table.h"
#include "platform/os/Clock.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/Dialogs.h"

namespace {

using F = TTorzskezCegekForm;

// Enter on the last edit of a page (its tag) moves to the next page.

// clang-format off
const ui::ControlRow<F> kHead[] = {
//   member              kind               name              field                   cell          tag
    {&F::CG_KOD,         DBEdit.Disabled(), "CG_KOD",         "CG_KOD",               {0, 1}},
    {&F::CG_NEV,         DBEdit,            "CG_NEV",         "CG_NEV",               {1, 1}},
    {&F::CG_RNEV,        DBEdit,            "CG_RNEV",        "CG_RNEV",              {2, 1}},
    {&F::CG_ADOSZAM,     DBEdit,            "CG_ADOSZAM",     "CG_ADOSZAM",           {3, 1}},
    {&F::CG_JOGELADOSZ,  DBEdit,            "CG_JOGELADOSZ",  "CG_JOGELADOSZ",        {4, 1}},
    {&F::CG_TBTORZSSZAM, DBEdit,            "CG_TBTORZSSZAM", "CG_TBTORZSSZAM",       {5, 1},       1},
    {&F::PageControl1,   ui::PageControl,   "PageControl1",   "",                     {6, 0, 1, 3}},
    {&F::TabSheet1,      ui::TabPage,       "TabSheet1",      "Cím"},
    {&F::TabSheet2,      ui::TabPage,       "TabSheet2",      "Lev. Cím"},
    {&F::TabSheet3,      ui::TabPage,       "TabSheet3",      "Külföldi"},
    {&F::TabSheet4,      ui::TabPage,       "TabSheet4",      "Egyéb 1"},
    {&F::TabSheet5,      ui::TabPage,       "TabSheet5",      "Egyéb 2"},
    {&F::TabSheet6,      ui::TabPage,       "TabSheet6",      "Egyéni Váll."},
};

const ui::ControlRow<F> kCim[] = {
    {&F::CG_IRSZ,        DBEdit,            "CG_IRSZ",        "CG_IRSZ",              {0, 1}},
    {{},                 DBEdit,            "CG_VAROS",       "CG_VAROS",             {0, 2}},
    {{},                 DBEdit,            "CG_KOZTER",      "CG_KOZTER",            {1, 1}},
    {{},                 DBEdit,            "CG_KOZTERJEL",   "CG_KOZTERJEL",         {1, 2}},
    {{},                 DBEdit,            "CG_HAZSZ",       "CG_HAZSZ",             {2, 1}},
    {{},                 DBEdit,            "CG_EPULET",      "CG_EPULET",            {3, 1}},
    {{},                 DBEdit,            "CG_LEPCSOHAZ",   "CG_LEPCSOHAZ",         {4, 1}},
    {{},                 DBEdit,            "CG_EMELET",      "CG_EMELET",            {5, 1}},
    {{},                 DBEdit,            "CG_AJTO",        "CG_AJTO",              {6, 1},       2},
};

const ui::ControlRow<F> kLevCim[] = {
    {&F::CG_LEVIRSZ,     DBEdit,            "CG_LEVIRSZ",     "CG_LEVIRSZ",           {0, 1}},
    {{},                 DBEdit,            "CG_LEVVAROS",    "CG_LEVVAROS",          {0, 2}},
    {{},                 DBEdit,            "CG_LEVKOZTER",   "CG_LEVKOZTER",         {1, 1}},
    {{},                 DBEdit,            "CG_LEVKOZTERJEL","CG_LEVKOZTERJEL",      {1, 2}},
    {{},                 DBEdit,            "CG_LEVHAZSZ",    "CG_LEVHAZSZ",          {2, 1}},
    {{},                 DBEdit,            "CG_LEVEPULET",   "CG_LEVEPULET",         {3, 1}},
    {{},                 DBEdit,            "CG_LEVLEPCSOHAZ","CG_LEVLEPCSOHAZ",      {4, 1}},
    {{},                 DBEdit,            "CG_LEVEMELET",   "CG_LEVEMELET",         {5, 1}},
    {{},                 DBEdit,            "CG_LEVAJTO",     "CG_LEVAJTO",           {6, 1},       3},
};

const ui::ControlRow<F> kKulfoldi[] = {
    {&F::CG_KULFMNEV,    DBEdit,            "CG_KULFMNEV",      "CG_KULFMNEV",        {0, 1}},
    {&F::CG_KULFMORSZAG, DBEdit,            "DBEdit16",         "CG_KULFMORSZAG",     {1, 1}},
    {{},                 DBEdit,            "CG_KULFMIRSZ",     "CG_KULFMIRSZ",       {2, 1}},
    {{},                 DBEdit,            "CG_KULFMVAROS",    "CG_KULFMVAROS",      {3, 1}},
    {{},                 DBEdit,            "CG_KULFMKOZTER",   "CG_KULFMKOZTER",     {4, 1}},
    {{},                 DBEdit,            "CG_KULFMKOZTERJEL","CG_KULFMKOZTERJEL",  {5, 1}},
    {{},                 DBEdit,            "CG_KULFMHAZSZ",    "CG_KULFMHAZSZ",      {6, 1}},
    {{},                 DBEdit,            "CG_KULFMEPULET",   "CG_KULFMEPULET",     {7, 1}},
    {{},                 DBEdit,            "CG_KULFMLEPCSOHAZ","CG_KULFMLEPCSOHAZ",  {8, 1}},
    {{},                 DBEdit,            "CG_KULFMEMELET",   "CG_KULFMEMELET",     {9, 1}},
    {{},                 DBEdit,            "CG_KULFMAJTO",     "CG_KULFMAJTO",       {10, 1},      4},
};

const ui::ControlRow<F> kEgyeb1[] = {
    {&F::CG_BANKSZLA,    DBEdit,            "CG_BANKSZLA",          "CG_BANKSZLA",          {0, 1}},
    {{},                 DBEdit,            "CG_KSH",               "CG_KSH",               {1, 1}},
    {{},                 DBEdit,            "CG_CSALGAZDNYILVSZAM", "CG_CSALGAZDNYILVSZAM", {2, 1}},
    {{},                 DBEdit,            "CG_MEZGAZDTERMSZAM",   "CG_MEZGAZDTERMSZAM",   {3, 1}},
    {{},                 DBCheckBox,        "CG_KIVA",              "CG_KIVA",              {4, 1}},
    {{},                 DBCheckBox,        "CG_TAVDIJ",            "CG_TAVDIJ",            {5, 1}},
    {{},                 DBCheckBox,        "CG_POTLSZAMFIX",       "CG_POTLSZAMFIX",       {6, 1},   5},
};

const ui::ControlRow<F> kEgyeb2[] = {
    {&F::CG_UGYINT,      DBEdit,            "CG_UGYINT",        "CG_UGYINT",          {0, 1}},
    {{},                 DBEdit,            "CG_TEL",           "CG_TEL",             {1, 1}},
    {{},                 DBEdit,            "CG_ASZOLG",        "CG_ASZOLG",          {2, 1}},
    {{},                 DBEdit,            "CG_ASZOLGADOSZ",   "CG_ASZOLGADOSZ",     {3, 1}},
    {{},                 DBEdit,            "CG_ASZOLGTEL",     "CG_ASZOLGTEL",       {4, 1},       6},
};

const ui::ControlRow<F> kEgyeniVall[] = {
    {&F::CG_EVADOAZ,     DBEdit,            "CG_EVADOAZ",       "CG_EVADOAZ",         {0, 1}},
    {{},                 DBEdit,            "CG_ALKMINADATSZ",  "CG_ALKMINADATSZ",    {1, 1}},
    {{},                 DBEdit,            "CG_TEAOR",         "CG_TEAOR",           {2, 1}},
    {{},                 DBEdit,            "CG_FOTEV",         "CG_FOTEV",           {3, 1},       7},
};

// The previous-year copy and the take-over from the other program.
const ui::ControlRow<F> kEszkozok[] = {
//   member                  kind          name                caption                      cell
    {&F::GroupBoxElozoEvi,   ui::GroupBox, "GroupBoxElozoEvi", "Előző évi adatok másolása", {0, 0}},
    {&F::GroupBoxDravik,     ui::GroupBox, "GroupBoxDravik",   "Dravik konverzió",          {1, 0}},
};

const ui::ControlRow<F> kElozoEvi[] = {
//   member                              kind             name                             caption          cell    tag
    {&F::BitBtnElozoEviAdatmasolas,      ui::Button,      "BitBtnElozoEviAdatmasolas",     "Egy cégre",     {0, 0}, 12},
    {&F::BitBtnElozoEviRendszJCmasolas,  ui::Button,      "BitBtnElozoEviRendszJCmasolas", "Rendsz. Jogc.", {0, 1}, 13},
    {&F::Label15,                        ui::Label,       "Label15",                       "",              {0, 2}},
    {&F::ProgressBar1,                   ui::ProgressBar, "ProgressBar1",                  "",              {0, 3}},
};

const ui::ControlRow<F> kDravik[] = {
//   member                         kind                     name                       caption              cell
    {{},                            ui::Label,               "",                        "Dravik könyvtár :", {0, 0}},
    {&F::Edit1,                     ui::Edit,                "Edit1",                   "",                  {0, 1}},
    {&F::BitBtnDRCegekFelgyujt,     ui::Button,              "BitBtnDRCegekFelgyujt",   "Felgyűjtés",        {0, 2}},
    {{},                            ui::Label,               "",                        "Cég :",             {1, 0}},
    {&F::ComboBox1,                 ui::ComboBox.Disabled(), "ComboBox1",               "",                  {1, 1}},
    {&F::BitBtnDravikAdatmasolas,   ui::Button,              "BitBtnDravikAdatmasolas", "Adatátvitel",       {1, 2}},
    {&F::ProgressBar2,              ui::ProgressBar,         "ProgressBar2",            "",                  {2, 0, 1, 3}},
};
// clang-format on

}  // namespace

std::string CegKodFormaz(int number) {
    if (number < 10) return "00" + std::to_string(number);
    if (number < 100) return "0" + std::to_string(number);
    return std::to_string(number);
}

std::string KovetkezoCegKod(const std::string& last) {
    int number = 1;
    if (!last.empty()) {
        try {
            number = std::stoi(last) + 1;
        } catch (const std::exception&) {
            number = 1;
        }
    }
    return number > 999 ? std::string() : CegKodFormaz(number);
}

TTorzskezCegekForm::TTorzskezCegekForm(QWidget* parent) : MaintenanceForm(DM1->TableCegek, parent) {
    setObjectName("TorzskezCegekForm");
    setWindowTitle(QStringLiteral("Törzskezelés/Cégek"));

    auto* head = new QWidget(this);
    head->setObjectName("PanelFej");
    ui::PageGrid(head)->setContentsMargins(0, 0, 0, 0);
    Page()->addWidget(head, 0, 0, 1, 3);
    ui::ControlBuilder b = FormBuilder(DM1->DataSourceCegek);
    b.Build(*this, head, kHead);
    b.Build(*this, TabSheet1, kCim);
    b.Build(*this, TabSheet2, kLevCim);
    b.Build(*this, TabSheet3, kKulfoldi);
    b.Build(*this, TabSheet4, kEgyeb1);
    b.Build(*this, TabSheet5, kEgyeb2);
    b.Build(*this, TabSheet6, kEgyeniVall);
    for (QWidget* page : {TabSheet1, TabSheet2, TabSheet3, TabSheet4, TabSheet5, TabSheet6})
        ui::PageGrid(page)->setColumnStretch(2, 1);
    AdoptBuilt();
    connect(CG_KULFMORSZAG, &TDBEdit::Exited, this, &TTorzskezCegekForm::DBEdit16Exit);

    // The two tool boxes below the pages.
    auto* tools = new QWidget(this);
    tools->setObjectName("PanelEszkozok");
    ui::PageGrid(tools)->setContentsMargins(0, 0, 0, 0);
    Page()->addWidget(tools, 7, 0, 1, 3);
    b.Build(*this, tools, kEszkozok);
    b.Build(*this, GroupBoxElozoEvi, kElozoEvi);
    b.Build(*this, GroupBoxDravik, kDravik);
    ui::PageGrid(GroupBoxElozoEvi)->setColumnStretch(2, 1);
    ui::PageGrid(GroupBoxElozoEvi)->setColumnStretch(3, 1);
    ui::PageGrid(GroupBoxDravik)->setColumnStretch(1, 1);
    // Without last year's alias there is nothing to copy from, for good.
    elozoEv_ = db::Engine::IsAlias(ElozoEviAlias);
    Edit1->setText(QString::fromStdString(DravikAlapKonyvtar()));
    Edit1->installEventFilter(this);
    // A register that already holds companies keeps the default folder.
    edit1Zarva_ = Table().Active() && !Table().IsEmpty();
    connect(BitBtnDRCegekFelgyujt, &QPushButton::clicked, this, &TTorzskezCegekForm::CegListaFeltolt);
    connect(BitBtnDravikAdatmasolas, &QPushButton::clicked, this,
            &TTorzskezCegekForm::BitBtnDravikAdatmasolasClick);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ModeButtons(Mode() == Browse); });
    ModeButtons(Mode() == Browse);
    connect(BitBtnElozoEviAdatmasolas, &QPushButton::clicked, this,
            &TTorzskezCegekForm::BitBtnElozoEviAdatmasolasClick);
    connect(BitBtnElozoEviRendszJCmasolas, &QPushButton::clicked, this,
            &TTorzskezCegekForm::ElozoEviRendszJCMasol);

    Member m;
    m.insertQuestion = m.editQuestion = QStringLiteral("Valóban végrehajtja a rögzítést?");
    m.required = {CG_KOD, CG_NEV, CG_RNEV, CG_ADOSZAM};
    m.insertFocus = CG_NEV;
    m.editFocus = CG_NEV;
    m.saveTag = 7;
    m.pickKind = 7;
    m.pickColumns = {{"CG_KOD", 25}, {"CG_NEV", 336}, {"CG_RNEV", 116}};
    m.listButton = false;
    m.pages = PageControl1;
    FormCreate(std::move(m));
}

void TTorzskezCegekForm::TableNyitZar(int n) {
    // Only the register itself: no company's tables are touched here.
    if (n == 0)
        Table().Open();
    else
        Table().Close();
}

void TTorzskezCegekForm::Felvitel() {
    db::Table& t = Table();
    std::string last;
    if (!t.IsEmpty()) {
        t.Last();
        last = t.FieldByName("CG_KOD").AsString();
    }
    ujKod_ = KovetkezoCegKod(last);
    if (ujKod_.empty()) {
        ui::ShowMessage(QStringLiteral("Nem vehető fel több cég: a cégkód legfeljebb 999 lehet!"));
        return;
    }
    UjCegKesz = false;
    MaintenanceForm::Felvitel();
}

void TTorzskezCegekForm::NewRecordDefaults() {
    db::Table& t = Table();
    // The Labour Code divides a monthly wage by 174 hours for the hourly
    // rate of its supplements; the month's own hours give another rate each month.
    t.FieldByName("CG_POTLSZAMFIX").SetAsString("I");
    t.FieldByName("CG_KIVA").SetAsString("N");
    t.FieldByName("CG_TAVDIJ").SetAsString("I");
    t.FieldByName("CG_KOD").SetAsString(ujKod_);
    t.FieldByName("CG_NYITDAT").SetAsDateTime(os::Today());
    t.FieldByName("CG_NYITMOD").SetAsString("M");
}

void TTorzskezCegekForm::Torles() {
    ui::ShowMessage(Table().IsEmpty() ? QStringLiteral("Üres az adatbázis!")
                                      : QStringLiteral("A cég nem torolhető!"));
}

void TTorzskezCegekForm::DBEdit16Exit() {
    if (Mode() == Browse) return;
    db::Field& f = Table().FieldByName("CG_KULFMORSZAG");
    const std::string upper = QString::fromStdString(f.AsString()).toUpper().toStdString();
    if (upper != f.AsString()) f.SetAsString(upper);
}

void TTorzskezCegekForm::BeforePost() {
    // The mark goes before the row: a program killed from here on leaves a
    // company the next start-up removes whole.
    if (Mode() == Insert) CegLetrehozasJelIr(Table().FieldByName("CG_KOD").AsString());
}

void TTorzskezCegekForm::AfterInsertPost() {
    const std::string code = Table().FieldByName("CG_KOD").AsString();
    try {
        CegTablakLetrehozasa(code);
        UjCegKesz = true;
    } catch (const CegTablaHiba& e) {
        if (e.history)
            ui::MessageBox(QStringLiteral("Üzenet"),
                           QStringLiteral("HIBA történt a ") + QString::fromStdString(e.table) +
                               QStringLiteral(" létrehozásakor! ") + "\r" + QString::fromStdString(e.what()),
                           ui::Icon::Error, ui::Ok);
        else
            ui::ShowMessage(QStringLiteral("Nem hozható létre a tábla! #01"));
        // No half-made company: its row goes with the tables already made.
        if (Table().Locate("CG_KOD", code)) Table().Delete();
        Table().First();
    }
    CegLetrehozasJelTorol(code);
}

void TTorzskezCegekForm::EnterTag(int tag) {
    struct Lap {
        QWidget* page;
        QWidget* first;
    };
    const Lap next[] = {{TabSheet1, CG_IRSZ},     {TabSheet2, CG_LEVIRSZ}, {TabSheet3, CG_KULFMNEV},
                        {TabSheet4, CG_BANKSZLA}, {TabSheet5, CG_UGYINT},  {TabSheet6, CG_EVADOAZ}};
    if (tag < 1 || tag > 6) return;
    PageControl1->setCurrentWidget(next[tag - 1].page);
    next[tag - 1].first->setFocus();
}

namespace {

const QString kUzenet = QStringLiteral("Üzenet");

void Uzen(const QString& text, ui::Icon icon) { ui::MessageBox(kUzenet, text, icon, ui::Ok); }

void Nyit(db::Table& t, const std::string& alias, const std::string& name, bool readOnly) {
    t.DatabaseName = alias;
    t.TableName = name;
    t.ReadOnly = readOnly;
    t.Open();
}

// The employees of last year's table still employed this year.
std::set<std::string> MaradoDolgozok(db::Table& dolgozo, int year) {
    std::set<std::string> ids;
    for (dolgozo.First(); !dolgozo.Eof(); dolgozo.Next())
        if (!KilepettEvElott(dolgozo.FieldByName("DG_KILEPDAT"), year))
            ids.insert(dolgozo.FieldByName("DG_TORZSSZAM").AsString());
    return ids;
}

}  // namespace

void TTorzskezCegekForm::BitBtnElozoEviAdatmasolasClick() {
    if (Mode() != Browse) return;
    std::string chosen;
    try {
        db::Table regi;
        Nyit(regi, ElozoEviAlias, "Cegek", true);
        regi.FieldByName("CG_KOD").DisplayLabel = "Kód";
        regi.FieldByName("CG_NEV").DisplayLabel = "Név";
        TKivalasztSQLForm pick(this);
        pick.KivalasztSQLBeallit(regi, {&regi.FieldByName("CG_KOD"), &regi.FieldByName("CG_NEV")}, {25, 336},
                                 "", 0);
        ui::ShowModal(pick);
        if (pick.ErtekAtadSQL()) chosen = regi.FieldByName("CG_KOD").AsString();
    } catch (const std::exception& e) {
        Uzen(QStringLiteral("HIBA történt! #02") + "\r" + QString::fromStdString(e.what()), ui::Icon::Error);
        return;
    }
    if (!chosen.empty()) ElozoEviCegMasol(chosen);
}

bool TTorzskezCegekForm::ElozoEviCegMasol(const std::string& oldCode) {
    const int year = std::stoi(FeldolgozasiEv);
    db::Table regi;
    Nyit(regi, ElozoEviAlias, "Cegek", true);
    if (!regi.Locate("CG_KOD", oldCode)) {
        Uzen(QStringLiteral("HIBA történt! #04") + "\r" + QStringLiteral("A Cég nem található!"),
             ui::Icon::Error);
        return false;
    }
    db::Table& cegek = Table();
    if (cegek.Locate("CG_ADOSZAM", regi.FieldByName("CG_ADOSZAM").Value())) {
        Uzen(QStringLiteral("Ilyen Cég (Adószám) már létezik..."), ui::Icon::Information);
        return false;
    }
    // The new row: the register's defaults, then last year's row by name.
    Felvitel();
    if (Mode() != Insert) return false;
    for (int i = 0; i < cegek.FieldCount(); ++i) {
        db::Field& to = cegek.Fields(i);
        const std::string& name = to.FieldName();
        if (name == "CG_KOD" || name == "CG_NYITDAT" || name == "CG_NYITMOD" || name == "CG_ELOZOEVIKOD" ||
            TartalekMezo(name))
            continue;
        const db::Field* from = regi.FindField(name);
        if (!from) continue;
        try {
            to.SetValue(from->Value());
        } catch (const db::DatabaseError&) {
        }
    }
    cegek.FieldByName("CG_NYITDAT").SetAsDateTime(os::Today());
    cegek.FieldByName("CG_NYITMOD").SetAsString("E");
    cegek.FieldByName("CG_ELOZOEVIKOD").SetAsString(oldCode);
    Frissit();
    Postazas();
    if (!UjCegKesz) return false;
    const std::string code = cegek.FieldByName("CG_KOD").AsString();

    const auto tabla = [&](const std::string& base) { return base + "_" + oldCode; };
    try {
        db::Table dolgozo, jogcim;
        Nyit(dolgozo, ElozoEviAlias, tabla("Dolgozo"), true);
        Nyit(jogcim, AktualisAlias, "Jogcim", true);
        const std::set<std::string> maradok = MaradoDolgozok(dolgozo, year);
        struct Lepes {
            const char* base;
            const char* label;
        };
        const Lepes lepesek[] = {{"KifHely", "Kifizetőhely"},      {"MHely", "Munkahely"},
                                 {"Dolgozo", "Dolgozó"},           {"DolgRegi", "Dolgozó módosításai"},
                                 {"RJogcim", "Rendszeres Jogcím"}, {"Hozzatartozo", "Hozzátartozó"}};
        for (const Lepes& l : lepesek) {
            const std::string base = l.base;
            Label15->setText(QString::fromUtf8(l.label));
            db::Table source, target;
            Nyit(source, ElozoEviAlias, tabla(base), true);
            Nyit(target, AktualisAlias, base + "_" + code, false);
            ProgressBar1->setMaximum(source.RecordCount());
            ProgressBar1->setValue(0);
            for (source.First(); !source.Eof(); source.Next()) {
                ProgressBar1->setValue(ProgressBar1->value() + 1);
                bool copy = true;
                if (base == "Dolgozo")
                    copy = !KilepettEvElott(source.FieldByName("DG_KILEPDAT"), year);
                else if (base == "RJogcim")
                    copy = maradok.count(source.FieldByName("RJ_DGTORZSSZAM").AsString()) &&
                           jogcim.Locate("JC_KOD", source.FieldByName("RJ_JCKOD").Value());
                else if (base == "Hozzatartozo")
                    copy = maradok.count(source.FieldByName("HT_DGTORZSSZAM").AsString()) > 0;
                if (!copy) continue;
                target.Append();
                MezonkentMasol(source, target);
                if (base == "Dolgozo") DolgozoAtalakit(source, target, year, os::Today());
                if (base == "DolgRegi") {
                    const db::Field* eholev = source.FindField("DG_EHOLEV");
                    target.FieldByName("DG_SZHALEV").SetValue(eholev ? eholev->Value() : db::Variant());
                }
                target.Post();
            }
        }
        Uzen(QStringLiteral("Cég létrehozva..."), ui::Icon::Information);
    } catch (const std::exception& e) {
        Uzen(QStringLiteral("HIBA történt! #03") + "\r" + QString::fromStdString(e.what()), ui::Icon::Error);
    }
    Label15->clear();
    ProgressBar1->setValue(0);
    if (cegek.Active()) cegek.Locate("CG_KOD", code);
    return true;
}

void TTorzskezCegekForm::ElozoEviRendszJCMasol() {
    db::Table& cegek = Table();
    if (cegek.IsEmpty() || cegek.FieldByName("CG_NYITMOD").AsString() != "E" ||
        cegek.FieldByName("CG_ELOZOEVIKOD").IsNull()) {
        Uzen(QStringLiteral("A kiválasztott cég nem az előző évi programból lett áthozva!"),
             ui::Icon::Information);
        return;
    }
    Uzen(QStringLiteral("Figyelem! A program csak azokat a rendszeres jogcímeket fogja átvinni, amik az idei "
                        "jogcím törzsben is szerepelnek!") +
             "\r" +
             QStringLiteral(
                 "Az átvitelt cégenként kell elvégezni. A kiválasztott céget a \"Cég neve\" mező jelöli."),
         ui::Icon::Information);
    const int year = std::stoi(FeldolgozasiEv);
    const std::string oldCode = cegek.FieldByName("CG_ELOZOEVIKOD").AsString();
    const std::string code = cegek.FieldByName("CG_KOD").AsString();
    try {
        db::Table dolgozo, source, jogcim, target;
        Nyit(dolgozo, ElozoEviAlias, "Dolgozo_" + oldCode, true);
        Nyit(source, ElozoEviAlias, "RJogcim_" + oldCode, true);
        Nyit(jogcim, AktualisAlias, "Jogcim_" + code, true);
        Nyit(target, AktualisAlias, "RJogcim_" + code, false);
        const std::set<std::string> maradok = MaradoDolgozok(dolgozo, year);
        Label15->setText(QStringLiteral("Rendszeres Jogcím"));
        ProgressBar1->setMaximum(source.RecordCount());
        ProgressBar1->setValue(0);
        for (source.First(); !source.Eof(); source.Next()) {
            ProgressBar1->setValue(ProgressBar1->value() + 1);
            const db::Variant dolg = source.FieldByName("RJ_DGTORZSSZAM").Value();
            const db::Variant jc = source.FieldByName("RJ_JCKOD").Value();
            const db::Variant sorszam = source.FieldByName("RJ_SORSZAM").Value();
            if (!maradok.count(dolg.ToString()) || !jogcim.Locate("JC_KOD", jc) ||
                target.Locate("RJ_DGTORZSSZAM;RJ_JCKOD;RJ_SORSZAM",
                              std::vector<db::Variant>{dolg, jc, sorszam}))
                continue;
            target.Append();
            MezonkentMasol(source, target);
            target.Post();
        }
        Uzen(QStringLiteral("Az átvitel megtörtént..."), ui::Icon::Information);
    } catch (const std::exception& e) {
        Uzen(QStringLiteral("HIBA történt! #03") + "\r" + QString::fromStdString(e.what()), ui::Icon::Error);
    }
    Label15->clear();
    ProgressBar1->setValue(0);
}

void TTorzskezCegekForm::ModeButtons(bool browsing) {
    if (!GroupBoxDravik) return;  // still being built
    BitBtnElozoEviAdatmasolas->setEnabled(browsing && elozoEv_);
    BitBtnElozoEviRendszJCmasolas->setEnabled(browsing && elozoEv_);
    const bool listed = !dravikMappa_.empty();
    ComboBox1->setEnabled(browsing && listed);
    BitBtnDravikAdatmasolas->setEnabled(browsing && listed && ComboBox1->currentIndex() >= 0);
    Edit1->setEnabled(browsing && !edit1Zarva_);
    BitBtnDRCegekFelgyujt->setEnabled(browsing && !listed);
}

bool TTorzskezCegekForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            CegListaFeltolt();
            return true;
        }
    }
    return MaintenanceForm::eventFilter(watched, event);
}

void TTorzskezCegekForm::CegListaFeltolt() {
    const std::string folder = Edit1->text().toStdString();
    std::vector<std::string> items;
    try {
        items = DravikCegLista(folder);
    } catch (const std::exception& e) {
        ComboBox1->clear();
        dravikMappa_.clear();
        Uzen(QStringLiteral("A megadott helyen nem található a Dravik! #05") + "\r" +
                 QString::fromStdString(e.what()),
             ui::Icon::Error);
        ModeButtons(Mode() == Browse);
        return;
    }
    ComboBox1->clear();
    for (const std::string& item : items) ComboBox1->addItem(QString::fromStdString(item));
    ComboBox1->setCurrentIndex(items.empty() ? -1 : 0);
    dravikMappa_ = folder;
    edit1Zarva_ = true;
    ModeButtons(Mode() == Browse);
}

void TTorzskezCegekForm::BitBtnDravikAdatmasolasClick() {
    if (Mode() != Browse || dravikMappa_.empty() || ComboBox1->currentIndex() < 0) return;
    const int number = CegSorszam(ComboBox1->currentText().toStdString());
    const int year = std::stoi(FeldolgozasiEv);
    const std::string companyFolder = DravikCegKonyvtar(dravikMappa_, number);
    db::Table& cegek = Table();
    try {
        db::DbfTable cegekDbf;
        cegekDbf.FileName = DbfUtvonal(dravikMappa_, "cegek");
        cegekDbf.CodePage = db::DbfCodePage::Cp852;
        cegekDbf.Open();
        bool found = false;
        for (cegekDbf.First(); !cegekDbf.Eof(); cegekDbf.Next()) {
            const QString sorszam =
                QString::fromStdString(cegekDbf.FieldByName("SORSZAM").AsString()).trimmed();
            if (sorszam.toInt() == number) {
                found = true;
                break;
            }
        }
        if (!found) throw std::runtime_error("A Cég nem található!");
        db::Table konDV;
        konDV.DatabaseName = AktualisAlias;
        konDV.TableName = "KonDV";
        konDV.ReadOnly = true;
        konDV.Open();
        // Without a source table the take-over would make a company with no data.
        if (DravikKonvUres(konDV)) {
            Uzen(QStringLiteral("A konverziós tábla (KonDV) üres, az adatátvitel nem végezhető el!"),
                 ui::Icon::Error);
            return;
        }
        Felvitel();
        if (Mode() != Insert) return;
        db::DbfTable kparam;
        kparam.FileName = DbfUtvonal(companyFolder, "kparam");
        kparam.CodePage = db::DbfCodePage::Cp852;
        try {
            kparam.Open();
            kparam.First();
            DravikCegRekord(cegekDbf, kparam, cegek, os::Today());
        } catch (...) {
            Megsem();
            throw;
        }
        Frissit();
        Postazas();
        if (!UjCegKesz) return;
        const std::string code = cegek.FieldByName("CG_KOD").AsString();
        const auto progress = [this](int n) {
            if (n >= 0) {
                ProgressBar2->setMaximum(n);
                ProgressBar2->setValue(0);
            } else {
                ProgressBar2->setValue(ProgressBar2->value() + 1);
            }
        };
        const std::vector<ElutasitottSorok> refused =
            DravikTablakMasol(konDV, companyFolder, code, year, os::Today(), progress);
        QString text = QStringLiteral("Az adatátvitel sikeresen befejeződött!");
        for (const ElutasitottSorok& r : refused)
            text +=
                "\r" + QStringLiteral(
                           "%1: %2 sort a tábla nem fogadott el (ismétlődő kulcs vagy üres kötelező mező).")
                           .arg(QString::fromStdString(r.table))
                           .arg(r.count);
        ui::ShowMessage(text);
        if (ComboBox1->currentIndex() + 1 < ComboBox1->count())
            ComboBox1->setCurrentIndex(ComboBox1->currentIndex() + 1);
        cegek.Locate("CG_KOD", code);
    } catch (const std::exception& e) {
        Uzen(QStringLiteral("HIBA történt! #06") + "\r" + QString::fromStdString(e.what()), ui::Icon::Error);
    }
    ProgressBar2->setValue(0);
}
