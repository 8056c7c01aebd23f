#include "masterdata/SzervizNaptar.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "controls/ControlUtils.h"
#include "controls/MemDataSet.h"
#include "core/DataModule1.h"
#include "core/SegedUnitDb.h"
#include "core/StandardData.h"
#include "core/StartValues.h"
#include "platform/db/ControlsOff.h"
#include "platform/db/Transaction.h"
#include "platform/os/ScopeGuard.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/DatasetGrid.h"
#include "platform/ui/Dialogs.h"

namespace {

const char* const kSchedules[] = {"NT_ERTEK1", "NT_ERTEK2", "NT_ERTEK3", "NT_ERTEK4", "NT_ERTEK5",
                                  "NT_ERTEK6", "NT_ERTEK7", "NT_ERTEK8", "NT_ERTEK9"};

using F = TSzervizNaptarForm;

// clang-format off
const ui::ControlRow<F> kEv[] = {
//   member            kind                  name            caption      cell
    {&F::Label1,       ui::Label,            "Label1",       "Év :",      {0, 0}},
    {&F::MaskEdit1,    ui::Edit.Disabled(),  "MaskEdit1",    "",          {0, 1}},
    {&F::ProgressBar1, ui::ProgressBar,      "ProgressBar1", "",          {0, 3}},
};

const ui::ControlRow<F> kNaptar[] = {
    {&F::Label2,       ui::Label,            "Label2",       "Munkarend", {1, 0}},
    {&F::DBGrid1,      ui::DBGrid,           "DBGrid1",      "",          {2, 0}},
};

// The legend of the day values, then the buttons at the right.
const ui::ControlRow<F> kGombok[] = {
//   member            kind        name       caption                cell    tag  hint
    {{},               ui::Label,  "",        "0 : pihenőnap",       {0, 0}},
    {{},               ui::Label,  "",        "1 : munkanap",        {0, 1}},
    {{},               ui::Label,  "",        "2 : fizetett ünnep",  {0, 2}},
    {&F::BitBtn1,      ui::Button, "BitBtn1", "Törlés",              {0, 4}, 0,
     "Alapérték és Munkarend mezők törlése:\n"
     "    -hétfőtől péntekig munkanap\n"
     "    -szombat és vasárnap pihenőnap"},
    {&F::BitBtn3,      ui::Button, "BitBtn3", "Feltöltés",           {0, 5}, 0,   "Munkarend mezők feltöltése Alapértékkel"},
    {&F::BitBtn2,      ui::Button, "BitBtn2", "Kilépés",             {0, 6}, 0,   "ESC"},
};
// clang-format on

bool Ask(const QString& text) {
    return ui::MessageBox(QStringLiteral("Üzenet"), text, ui::Icon::Question, ui::Yes | ui::No) == ui::Yes;
}

void Start(QProgressBar* bar, int maximum) {
    if (!bar) return;
    bar->setMaximum(std::max(maximum, 1));
    bar->setValue(0);
}

void Step(QProgressBar* bar) {
    if (bar) bar->setValue(bar->value() + 1);
}

bool LeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

}  // namespace

void NaptarUjraepit(db::Dataset& naptar, int year, QProgressBar* bar) {
    Start(bar, naptar.RecordCount());
    naptar.First();
    while (!naptar.IsEmpty()) {
        naptar.Delete();
        Step(bar);
    }
    Start(bar, LeapYear(year) ? 366 : 365);
    AppendCalendarYear(naptar, year, [bar] { Step(bar); });
}

void NaptarFeltolt(db::Dataset& naptar, QProgressBar* bar) {
    Start(bar, naptar.RecordCount());
    for (naptar.First(); !naptar.Eof(); naptar.Next()) {
        naptar.Edit();
        const std::string base = naptar.FieldByName("NT_ERTEK").AsString();
        for (const char* field : kSchedules) naptar.FieldByName(field).SetAsString(base);
        naptar.Post();
        Step(bar);
    }
}

void NaptarVisszaallit(db::Table& naptar, TMemoryData& snapshot) {
    db::ControlsOff off(naptar);
    db::Transaction tx({&naptar});
    naptar.First();
    while (!naptar.IsEmpty()) naptar.Delete();
    for (snapshot.First(); !snapshot.Eof(); snapshot.Next()) {
        naptar.Append();
        RekordMasol(snapshot, naptar);
        naptar.Post();
    }
    tx.Commit();
}

// --- The form ---------------------------------------------------------------------------

TSzervizNaptarForm::TSzervizNaptarForm(QWidget* parent) : QDialog(parent) {
    setObjectName("SzervizNaptarForm");
    setWindowTitle(QStringLiteral("Szerviz/Naptár"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    // The year and the button rows have columns of their own.
    QGridLayout* grid = ui::PageGrid(this);
    auto* top = new QWidget(this);
    auto* bottom = new QWidget(this);
    top->setObjectName("PanelEv");
    bottom->setObjectName("PanelGombok");
    for (QWidget* bar : {top, bottom}) ui::PageGrid(bar)->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(top, 0, 0);
    grid->addWidget(bottom, 3, 0);
    ui::ControlBuilder b;
    b.Build(*this, top, kEv);
    b.Build(*this, this, kNaptar);
    b.Build(*this, bottom, kGombok);

    QGridLayout* year = ui::PageGrid(top);
    year->setColumnMinimumWidth(2, 20);  // a gap before the bar
    year->setColumnStretch(3, 1);
    MaskEdit1->setInputMask(QtEditMask(QStringLiteral("9999;1;_")));
    MaskEdit1->setMaxLength(4);
    MaskEdit1->setFixedWidth(MaskEdit1->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    ProgressBar1->setTextVisible(false);
    Label2->setAlignment(Qt::AlignRight);
    grid->setRowStretch(2, 1);
    ui::PageGrid(bottom)->setColumnStretch(3, 1);
    for (QPushButton* button : {BitBtn1, BitBtn3, BitBtn2}) button->setAutoDefault(false);

    const int cell = fontMetrics().horizontalAdvance(QStringLiteral("000")) + 8;
    std::vector<ui::DatasetGridModel::Column> columns = {
        {"NT_HONAP", QStringLiteral("Hónap"), fontMetrics().horizontalAdvance(QStringLiteral("Hónap")) + 16,
         false},
        {"NT_NAP", QStringLiteral("Sorsz."), fontMetrics().horizontalAdvance(QStringLiteral("Sorsz.")) + 16,
         false},
        {"NT_DATUM", QStringLiteral("Dátum"),
         fontMetrics().horizontalAdvance(QStringLiteral("0000.00.00")) + 12, false},
        {"NT_ERTEK", QStringLiteral("Alapérték"),
         fontMetrics().horizontalAdvance(QStringLiteral("Alapérték")) + 12, false},
        {"NT_MEGN", QStringLiteral("Nap"), cell + 4, false},
    };
    for (int i = 0; i < 9; ++i) columns.push_back({kSchedules[i], QString::number(i + 1), cell, false});
    DBGrid1->SetColumns(std::move(columns));
    const std::vector<ui::DatasetGridModel::PickItem> days = {
        {QStringLiteral("0"), QStringLiteral("0 - pihenőnap")},
        {QStringLiteral("1"), QStringLiteral("1 - munkanap")},
        {QStringLiteral("2"), QStringLiteral("2 - fizetett ünnep")}};
    for (int c = 0; c < 14; ++c)
        DBGrid1->Model()->SetColumnEditing(c, {c < 5, c < 5 ? decltype(days){} : days});
    DBGrid1->SetEditing(true);
    DBGrid1->setMinimumSize(640, 360);

    connect(BitBtn1, &QPushButton::clicked, this, &TSzervizNaptarForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TSzervizNaptarForm::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TSzervizNaptarForm::BitBtn3Click);
    connect(MaskEdit1, &QLineEdit::textChanged, this, &TSzervizNaptarForm::MaskEdit1Change);
    DBGrid1->installEventFilter(this);
    FormCreate();
}

TSzervizNaptarForm::~TSzervizNaptarForm() {
    DBGrid1->removeEventFilter(this);
    disconnect(MaskEdit1, nullptr, this, nullptr);
    if (!closed_) {
        // Destroyed without closing: the changes stay, as with Yes.
        AttachInsertGuard(false);
        DM1->MemoryData1->ClearAllRecords();
        DM1->MemoryData1->Close();
        DBGrid1->SetDataSet(nullptr);
        DM1->TableNaptar->Close();
    }
}

void TSzervizNaptarForm::AttachInsertGuard(bool on) {
    db::Table& naptar = *DM1->TableNaptar;
    if (on)
        naptar.AfterInsert = [](db::Dataset& ds) { DM1->TableNaptarAfterInsert(ds); };
    else
        naptar.AfterInsert = nullptr;
}

void TSzervizNaptarForm::FormCreate() {
    db::Table& naptar = *DM1->TableNaptar;
    TMemoryData& snapshot = *DM1->MemoryData1;
    AttachInsertGuard(true);
    naptar.Open();
    snapshot.Close();
    snapshot.CopyFieldLayout(naptar);
    snapshot.Open();
    naptar.First();
    snapshot.LoadRecordsFrom(naptar, 0, true);
    naptar.First();
    DBGrid1->SetDataSet(&naptar);
    MaskEdit1->setText(QString::fromStdString(FeldolgozasiEv));
    MaskEdit1Change();
    BitBtn2->setFocus();
}

void TSzervizNaptarForm::MaskEdit1Change() {
    const bool year = MaskEdit1->text().trimmed().size() == 4;
    BitBtn1->setEnabled(year);
    BitBtn3->setEnabled(year);
}

void TSzervizNaptarForm::BitBtn1Click() {
    db::Table& naptar = *DM1->TableNaptar;
    AttachInsertGuard(false);
    os::ScopeGuard atEnd([this] {
        ProgressBar1->setValue(0);
        DM1->TableNaptar->First();
        AttachInsertGuard(true);
    });
    if (!Ask(QStringLiteral("Valóban törli a Naptár tartalmát?"))) return;
    DBGrid1->Model()->PostRow();
    db::ControlsOff off(naptar);
    try {
        NaptarUjraepit(naptar, MaskEdit1->text().trimmed().toInt(), ProgressBar1);
    } catch (const db::DatabaseError&) {
        if (naptar.State() != db::DatasetState::Browse) naptar.Cancel();
        ui::ShowMessage(QStringLiteral("Hiba történt a törlés során!"));
    }
}

void TSzervizNaptarForm::BitBtn3Click() {
    db::Table& naptar = *DM1->TableNaptar;
    if (!Ask(QStringLiteral("Valóban alapértékkel szeretné feltölteni a Naptár tartalmát?"))) return;
    DBGrid1->Model()->PostRow();
    os::ScopeGuard atEnd([this] {
        ProgressBar1->setValue(0);
        DM1->TableNaptar->First();
    });
    db::ControlsOff off(naptar);
    try {
        NaptarFeltolt(naptar, ProgressBar1);
    } catch (const db::DatabaseError&) {
        if (naptar.State() != db::DatasetState::Browse) naptar.Cancel();
        ui::ShowMessage(QStringLiteral("Hiba történt a feltöltés során!"));
    }
}

void TSzervizNaptarForm::BitBtn2Click() { close(); }

void TSzervizNaptarForm::reject() { BitBtn2Click(); }

bool TSzervizNaptarForm::FormClose() {
    db::Table& naptar = *DM1->TableNaptar;
    TMemoryData& snapshot = *DM1->MemoryData1;
    AttachInsertGuard(false);
    if (Ask(QStringLiteral("Menti a módosításokat?"))) {
        // A day changed in the grid's current row is kept too.
        DBGrid1->Model()->PostRow();
    } else {
        if (naptar.State() != db::DatasetState::Browse) naptar.Cancel();
        try {
            NaptarVisszaallit(naptar, snapshot);
        } catch (const db::DatabaseError&) {
            AttachInsertGuard(true);
            db::HandleApplicationException(std::current_exception());
            return false;
        }
    }
    snapshot.ClearAllRecords();
    snapshot.Close();
    DBGrid1->SetDataSet(nullptr);
    naptar.Close();
    closed_ = true;
    return true;
}

void TSzervizNaptarForm::closeEvent(QCloseEvent* event) {
    if (!closed_ && !FormClose()) {
        event->ignore();
        return;
    }
    setResult(QDialog::Rejected);
    event->accept();
}

bool TSzervizNaptarForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        // Ins and Del do nothing; of the typed characters only the day values pass.
        if (k->key() == Qt::Key_Insert || k->key() == Qt::Key_Delete) return true;
        const QString text = k->text();
        if (!text.isEmpty() && text[0].isPrint() && text != u"0" && text != u"1" && text != u"2") return true;
    }
    return QDialog::eventFilter(watched, event);
}
