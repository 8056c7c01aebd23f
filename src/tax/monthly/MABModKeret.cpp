#include "tax/monthly/MABModKeret.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>
#include <map>
#include <set>

#include "controls/DBControls.h"
#include "controls/DBDateEdits.h"
#include "core/DataModule1.h"
#include "core/DateEditCheck.h"
#include "core/StartValues.h"
#include "core/TableLayouts.h"
#include "platform/db/Table.h"
#include "platform/ui/ControlTable.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"
#include "tax/monthly/MABTablak.h"

namespace {

// Typing turns into capitals.
class Nagybetu : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

// A cell's row and column: "S301A" is 301 and 'A'; 0 for other fields.
struct CellaHely {
    int sor = 0;
    char oszlop = 0;
};
CellaHely Cella(const std::string& name) {
    if (name.size() < 3 || name[0] != 'S' || !std::isdigit(static_cast<unsigned char>(name[1]))) return {};
    const char last = name.back();
    if (last < 'A' || last > 'Z') return {};
    const std::string digits = name.substr(1, name.size() - 2);
    if (!std::all_of(digits.begin(), digits.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return {};
    return {std::stoi(digits), last};
}

bool KulcsMezo(const std::string& name) {
    static const std::set<std::string> kulcs = {"TORZSSZAM", "HONAP", "JELLEG", "TOL", "IG", "ADOSZAM"};
    return kulcs.count(name) > 0;
}

// Auxiliary fields of the computations: no input of their own.
bool SegedMezo(const std::string& name) {
    return name.size() > 2 && name[0] == 'L' && std::isdigit(static_cast<unsigned char>(name[1]));
}

// Captions of the page fields and of row 50, whose columns stand one below the other.
const std::map<std::string, const char*>& LapMezoFeliratok() {
    static const std::map<std::string, const char*> m = {
        {"ALKMIN1", "Nyugdíjas :"},
        {"ALKMIN2", "Alk. minősége :"},
        {"ALKMIN3", "Kezdete (ééhhnn) :"},
        {"ALKMIN4", "Sorszám :"},
        {"BIZTOL", "Biztosítás kezdete :"},
        {"BIZIG", "Biztosítás vége :"},
        {"NEMBIZTOSITOTT", "Nem biztosított :"},
        {"CSALJARKEDV", "Családi járulékkedvezmény :"},
        {"TBKIFHELY", "Tb kifizetőhely :"},
        {"EKHOVALTELJ", "EKHO választás :"},
        {"EKHOERTHAT", "EKHO értékhatár :"},
        {"EKHOSPORTOLO", "Sportoló :"},
        {"ERTMEGORZADOKEDV", "Értékmegőrzés :"},
        {"KARTYATIPUS", "Kártya típusa :"},
        {"ADOKEDVJOGC", "Kedvezmény jogcíme :"},
        {"MASHOLBIZT", "Máshol biztosított :"},
        {"BEVALLASOKA", "Bevallás oka :"},
        {"KISVALLALKOZAS", "Kisvállalkozás :"},
        {"FELTETELKOD", "Feltétel kód :"},
        {"JOGUTODLAS", "Jogutódlás :"},
        {"S50A", "Adóazonosító jel :"},
        {"S50B", "TAJ szám :"},
        {"S50C", "Titulus :"},
        {"S50D", "Családi név :"},
        {"S50E", "Utónév :"},
        {"S50F", "Születési családi név :"},
        {"S50G", "Születési utónév :"},
        {"S50H", "Anyja születési családi neve :"},
        {"S50I", "Anyja születési utóneve :"},
        {"S50J", "Születési hely :"},
        {"S50K", "Születési idő :"},
        {"S50L", "Kedvezményes foglalkoztatás kezdete :"},
        {"S50M", "Kedvezményes foglalkoztatás kategóriája :"},
        {"S50N", "Több gyermeket nevel :"},
    };
    return m;
}

QString Felirat(const std::string& field) {
    const auto& m = LapMezoFeliratok();
    const auto it = m.find(field);
    return it == m.end() ? QString::fromStdString(field + " :") : QString::fromUtf8(it->second);
}

const TableLayout& Elrendezes(const db::Table& table) {
    const TableLayout* l = FindTableLayout(table.TableName);
    if (!l) throw std::logic_error("No layout of " + table.TableName);
    return *l;
}

}  // namespace

TMABModKeret::TMABModKeret(QWidget* parent) : RecordForm(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    setWindowState(Qt::WindowMaximized);
    auto* fo = new QVBoxLayout(this);
    GroupBox1 = new QGroupBox(QStringLiteral("Fej adatok"), this);
    GroupBox1->setObjectName("GroupBox1");
    fejGrid_ = new QGridLayout(GroupBox1);
    fo->addWidget(GroupBox1);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setFocusPolicy(Qt::NoFocus);
    fo->addWidget(PageControl1, 1);
    LabelHint = new QLabel(this);
    LabelHint->setObjectName("LabelHint");
    fo->addWidget(LabelHint);

    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName("GroupBox2");
    auto* buttons = new QHBoxLayout(GroupBox2);
    BuildButtons(GroupBox2, buttons,
                 {.autoDefault = false, .stretchBeforeExit = true, .onlyWhenEnabled = true});
    BitBtn8->hide();
    fo->addWidget(GroupBox2);
    // Browsing keys reach the form from the buttons as well.
    for (QWidget* w : GroupBox2->findChildren<QWidget*>()) w->installEventFilter(this);
}

// --- Pages -----------------------------------------------------------------------------

int TMABModKeret::UjLap(const QString& caption, db::Table* table, const std::string& hint) {
    auto* scroll = new QScrollArea(PageControl1);
    scroll->setObjectName(QString::fromStdString("Terulet_" + table->Name));
    scroll->setWidgetResizable(true);
    auto* tab = new QWidget;
    tab->setObjectName(QString::fromStdString("Lap_" + table->Name));
    tab->setProperty("Hint", QString::fromStdString(hint));
    scroll->setWidget(tab);
    PageControl1->addTab(scroll, caption);
    lapok_.push_back({tab, hint, table, {}});
    return int(lapok_.size()) - 1;
}

QScrollArea* TMABModKeret::LapTerulet(int lap) const {
    return qobject_cast<QScrollArea*>(PageControl1->widget(lap));
}

void TMABModKeret::FejMezok(int lap, const std::vector<FejMezo>& mezok) {
    Lap& l = lapok_[lap];
    auto* grid = new QGridLayout(l.tab);
    const int fel = int(mezok.size() + 1) / 2;
    for (int i = 0; i < int(mezok.size()); ++i) {
        const int row = i % fel, col = i / fel * 2;
        grid->addWidget(new QLabel(QString::fromUtf8(mezok[i].caption), l.tab), row, col);
        QWidget* input = MezoBemenet(l.tab, l.table, mezok[i].field);
        grid->addWidget(input, row, col + 1, Qt::AlignLeft);
        l.inputs.push_back(input);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(fel, 1);
}

void TMABModKeret::CellaMezok(int lap, bool feliratok) {
    Lap& l = lapok_[lap];
    auto* grid = new QGridLayout(l.tab);
    const TableLayout& layout = Elrendezes(*l.table);
    int row = 0;
    // Page fields, two to a line.
    int n = 0;
    for (const FieldLayout& f : layout.fields) {
        if (KulcsMezo(f.name) || SegedMezo(f.name) || Cella(f.name).sor) continue;
        const int r = row + n / 2, c = n % 2 * 4;
        grid->addWidget(new QLabel(Felirat(f.name), l.tab), r, c, 1, 2);
        QWidget* input = MezoBemenet(l.tab, l.table, f.name);
        grid->addWidget(input, r, c + 2, 1, 2, Qt::AlignLeft);
        l.inputs.push_back(input);
        ++n;
    }
    row += (n + 1) / 2;
    // The cells by row; the column letters above them.
    std::map<int, std::vector<std::string>> sorok;
    for (const FieldLayout& f : layout.fields)
        if (const CellaHely h = Cella(f.name); h.sor) sorok[h.sor].push_back(f.name);
    if (sorok.empty()) return;
    // Only the letters of columns that have an input below them.
    std::set<char> oszlopok;
    for (const auto& [sor, mezok] : sorok)
        if (mezok.size() <= 7)
            for (const std::string& m : mezok) oszlopok.insert(Cella(m).oszlop);
    for (char c : oszlopok) {
        auto* betu = new QLabel(QString(QChar(c)).toLower(), l.tab);
        betu->setAlignment(Qt::AlignCenter);
        grid->addWidget(betu, row, 1 + (c - 'A'));
    }
    ++row;
    for (const auto& [sor, mezok] : sorok) {
        auto* label = new QLabel(QString::number(sor) + ".", l.tab);
        label->setObjectName(QStringLiteral("LabelSor%1").arg(sor));
        if (feliratok) {
            label->setProperty("Hint", QStringLiteral("MAB_SOR"));
            label->setProperty("Tag", sor);
        }
        grid->addWidget(label, row, 0);
        if (mezok.size() > 7) {
            // A row too wide for the page: its columns one below the other.
            ++row;
            for (const std::string& m : mezok) {
                grid->addWidget(new QLabel(Felirat(m), l.tab), row, 0, Qt::AlignRight);
                QWidget* input = MezoBemenet(l.tab, l.table, m);
                grid->addWidget(input, row++, 1, 1, 4, Qt::AlignLeft);
                l.inputs.push_back(input);
            }
            continue;
        }
        for (const std::string& m : mezok) {
            QWidget* input = MezoBemenet(l.tab, l.table, m);
            grid->addWidget(input, row, 1 + (Cella(m).oszlop - 'A'));
            l.inputs.push_back(input);
        }
        ++row;
    }
    grid->setColumnStretch(8, 1);
    grid->setRowStretch(row, 1);
}

QWidget* TMABModKeret::KulcsBemenet(QGridLayout* grid, int row, int column, const char* caption,
                                    db::Table* table, const char* field) {
    grid->addWidget(new QLabel(QString::fromUtf8(caption), GroupBox1), row, column);
    QWidget* input = MezoBemenet(GroupBox1, table, field);
    grid->addWidget(input, row, column + 1, Qt::AlignLeft);
    return input;
}

std::vector<QString> TMABModKeret::Ertekek(db::Table*, const std::string&) const { return {}; }

bool TMABModKeret::Nagybetus(db::Table*, const std::string&) const { return false; }

int TMABModKeret::Meret(const db::Table* table, const std::string& field) {
    const FieldLayout* f = Elrendezes(*table).Field(field);
    return f && f->type == db::FieldType::String ? f->size : 0;
}

QWidget* TMABModKeret::MezoBemenet(QWidget* parent, db::Table* table, const std::string& field) {
    db::DataSource* source = DM1->DataSourceOf(table);
    const FieldLayout* f = Elrendezes(*table).Field(field);
    if (!f) throw std::logic_error("Table " + table->TableName + " has no field " + field);
    const QString name = QString::fromStdString(field);
    QWidget* input = nullptr;
    if (f->type == db::FieldType::Date) {
        auto* e = new TDBDateEdit(parent);
        e->SetButtonWidth(0);
        e->SetDataSource(source);
        e->SetDataField(name);
        e->OnExit = [this, e] {
            DBDateEditExit(e);
            BemenetElhagyas(e);
        };
        e->OnChange = [this] { SzerkesztesChange(); };
        input = e;
    } else if (const std::vector<QString> items = Ertekek(table, field); !items.empty()) {
        auto* c = new TDBComboBox(parent);
        for (const QString& i : items) c->addItem(i);
        c->SetDataSource(source);
        c->SetDataField(name);
        connect(c, &QComboBox::currentIndexChanged, this, [this] { SzerkesztesChange(); });
        input = c;
    } else {
        auto* e = new TDBEdit(parent);
        e->SetDataSource(source);
        e->SetDataField(name);
        const bool szoveg = f->type == db::FieldType::String;
        const int hossz = szoveg ? f->size : 10;
        e->setMaxLength(hossz);
        ui::FitToChars(e, std::min(std::max(hossz, 2), 40));
        if (szoveg && Nagybetus(table, field)) e->setValidator(new Nagybetu(e));
        if (!szoveg) e->setAlignment(Qt::AlignRight);
        connect(e, &QLineEdit::textChanged, this, [this] { SzerkesztesChange(); });
        connect(e, &TDBEdit::Exited, this, [this, e] { BemenetElhagyas(e); });
        input = e;
    }
    input->setObjectName(name);
    Regisztral(input);
    return input;
}

void TMABModKeret::Regisztral(QWidget* input) {
    inputs_.push_back(input);
    input->installEventFilter(this);
}

QWidget* TMABModKeret::Bemenet(int lap, const QString& field) const {
    QWidget* parent = lap < 0 ? static_cast<QWidget*>(GroupBox1) : lapok_.at(lap).tab;
    return parent->findChild<QWidget*>(field);
}

int TMABModKeret::AktivLap() const { return PageControl1->currentIndex(); }

db::Table* TMABModKeret::AktivTabla() const {
    const int i = AktivLap();
    if (i < 0) return nullptr;
    return DM1->Component(lapok_[i].hint);
}

// --- Checks and captions ---------------------------------------------------------------

void TMABModKeret::MezoTipusEllenorzes(const std::vector<db::Table*>& tablak) {
    for (db::Table* t : tablak)
        for (int i = 0; i < t->FieldCount(); ++i)
            if (MezoFajtaja(t->Fields(i)) == MezoFajta::Egyeb)
                ui::ShowMessage(QString::fromStdString(MezoTipusHiba(t->Fields(i))));
}

void TMABModKeret::DatumMaszk(const std::vector<db::Table*>& tablak) {
    for (db::Table* t : tablak)
        for (int i = 0; i < t->FieldCount(); ++i)
            if (MezoFajtaja(t->Fields(i)) == MezoFajta::Datum) t->Fields(i).EditMask = "9999/99/99";
}

void TMABModKeret::SorFeliratok() {
    for (const Lap& l : lapok_) {
        try {
            db::Table mab;
            mab.DatabaseName = AktualisAlias;
            mab.TableName = "MAB";
            mab.ReadOnly = true;
            for (QLabel* label : l.tab->findChildren<QLabel*>()) {
                const QString hint = label->property("Hint").toString();
                if (hint != "MAB_SOR" && hint != "MAB_BEKEZD") continue;
                bool szam = false;
                const int tag = label->property("Tag").toInt(&szam);
                if (!szam) continue;
                if (!mab.Active()) mab.Open();
                if (!mab.Locate(hint.toStdString(), db::Variant(tag))) continue;
                const QString szoveg = Q(mab.FieldByName("MAB_SZOVEG").AsString());
                label->setText(hint == "MAB_SOR" ? Q(mab.FieldByName("MAB_SOR").AsString()) + "    " + szoveg
                                                 : szoveg);
            }
        } catch (const std::exception& e) {
            ui::MessageBox(ui::ApplicationTitle(), QStringLiteral("Konstans nem található! \n") + Q(e.what()),
                           ui::Icon::Error, ui::Ok);
        }
    }
}

void TMABModKeret::DBDateEditExit(TDBDateEdit* edit) {
    if (!edit->HasDateContent()) return;
    if ((edit == TolEdit || edit == IgEdit) && TolEdit && IgEdit) {
        const double tol = TolEdit->DateValue(), ig = IgEdit->DateValue();
        if (tol != 0 && ig != 0 && ig < tol) {
            ui::ShowMessage(QStringLiteral("Hibás intervallum!"));
            edit->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    DateEditExitCheck(edit);
}

// --- States ----------------------------------------------------------------------------

void TMABModKeret::RekordGombok() {
    db::Table* t = AktivTabla();
    const bool van = t && t->Active() && !t->IsEmpty();
    BitBtn6->setEnabled(van);
    BitBtn7->setEnabled(van);
}

void TMABModKeret::Bongeszes() {
    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn10})
        b->setEnabled(true);
    BitBtn5->setEnabled(FelvitelEngedelyezett());
    RekordGombok();
    BitBtn9->setEnabled(false);
    BitBtn11->setEnabled(false);
    for (int i = 0; i < PageControl1->count(); ++i) PageControl1->setTabVisible(i, true);
    GroupBox1->setEnabled(false);
    if (BitBtn5->isEnabled()) BitBtn5->setFocus();
}

void TMABModKeret::Szerkesztes() {
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5, BitBtn6, BitBtn7, BitBtn10, BitBtn11})
        b->setEnabled(false);
    BitBtn9->setEnabled(true);
    for (int i = 0; i < PageControl1->count(); ++i)
        if (QScrollArea* s = LapTerulet(i)) s->verticalScrollBar()->setValue(0);
}

// --- Buttons and records ---------------------------------------------------------------

void TMABModKeret::MoveRecord(RecordMove move) {
    switch (move) {
        case RecordMove::Prior:
            TablakMuvelet(8);
            break;
        case RecordMove::Next:
            TablakMuvelet(7);
            break;
        case RecordMove::First:
            TablakMuvelet(5);
            break;
        case RecordMove::Last:
            TablakMuvelet(6);
            break;
        case RecordMove::Back10:
            TablakMuvelet(9);
            break;
        case RecordMove::Forward10:
            TablakMuvelet(10);
            break;
    }
    Frissites();
}

bool TMABModKeret::TablakMuvelet(int kod) {
    db::Table* t = AktivTabla();
    if (!t) return false;
    switch (kod) {
        case 0:
            t->Append();
            break;
        case 1:
            t->Edit();
            break;
        case 2:
            t->Post();
            break;
        case 3:
            t->Cancel();
            break;
        case 4:
            t->Delete();
            break;
        case 5:
            t->First();
            break;
        case 6:
            t->Last();
            break;
        case 7:
            t->Next();
            break;
        case 8:
            t->Prior();
            break;
        case 9:
            t->MoveBy(-10);
            break;
        case 10:
            t->MoveBy(10);
            break;
        case 11:
            return t->IsEmpty();
        default:
            break;
    }
    return false;
}

QString TMABModKeret::ExitQuestion() const { return QStringLiteral("Valóban kilép a havi adóbevalásból?"); }

void TMABModKeret::Maszkok(db::Table& table, const std::vector<MezoMaszk>& mezok) {
    for (const MezoMaszk& m : mezok) {
        db::Field& f = table.FieldByName(m.field);
        f.EditMask = m.mask;
        if (*m.label) f.DisplayLabel = m.label;
    }
}

bool TMABModKeret::RogzitesKerdes() {
    const QString kerdes = mode_ == Insert ? QStringLiteral("Valóban hozzá szeretné adni a rekordot?")
                                           : QStringLiteral("Valóban módosítani szeretné a rekordot?");
    if (Ask(kerdes, ui::Icon::Question)) return true;
    Megsem();
    return false;
}

void TMABModKeret::TablakElvetese() {
    const RecordMode volt = mode_;
    if (volt != Browse) {
        TablakMuvelet(3);
        if (volt == Insert) TablakMuvelet(5);
    }
    mode_ = Browse;
}

void TMABModKeret::reject() {
    if (mode_ != Browse)
        Megsem();
    else if (BitBtn10->isEnabled())
        BitBtn10Click();
}

std::vector<db::Variant> TMABModKeret::Ertekei(db::Table& t) {
    std::vector<db::Variant> v;
    for (int i = 0; i < t.FieldCount(); ++i) v.push_back(t.Fields(i).Value());
    return v;
}

void TMABModKeret::Visszair(db::Table& t, const std::vector<db::Variant>& ertekek) {
    for (int i = 0; i < t.FieldCount() && i < int(ertekek.size()); ++i) t.Fields(i).SetValue(ertekek[i]);
}

// --- Keys ------------------------------------------------------------------------------

void TMABModKeret::EnterKey(QWidget* input) {
    const auto elso = [](const std::vector<QWidget*>& inputs, std::vector<QWidget*>::const_iterator from) {
        for (auto it = from; it != inputs.end(); ++it)
            if ((*it)->isEnabled()) return *it;
        return static_cast<QWidget*>(nullptr);
    };
    if (const auto k = std::find(kulcsok_.begin(), kulcsok_.end(), input); k != kulcsok_.end()) {
        if (QWidget* next = elso(kulcsok_, k + 1)) {
            next->setFocus(Qt::TabFocusReason);
        } else if (!lapok_.empty() && !lapok_[0].inputs.empty()) {
            PageControl1->setCurrentIndex(0);
            lapok_[0].inputs.front()->setFocus(Qt::TabFocusReason);
        }
        return;
    }
    for (int i = 0; i < int(lapok_.size()); ++i) {
        const std::vector<QWidget*>& inputs = lapok_[i].inputs;
        const auto it = std::find(inputs.begin(), inputs.end(), input);
        if (it == inputs.end()) continue;
        if (QWidget* next = elso(inputs, it + 1))
            next->setFocus(Qt::TabFocusReason);
        else
            LapVege(i);
        return;
    }
    focusNextChild();
}

void TMABModKeret::LapVege(int) {
    if (BitBtn11->isEnabled()) BitBtn11->setFocus();
}

bool TMABModKeret::IsInput(const QObject* watched) const {
    return std::find(inputs_.begin(), inputs_.end(), watched) != inputs_.end();
}

bool TMABModKeret::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && qobject_cast<QComboBox*>(watched) &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason && IsInput(watched)) {
        BemenetElhagyas(static_cast<QWidget*>(watched));
    }
    return RecordForm::eventFilter(watched, event);
}
