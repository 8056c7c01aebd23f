#include "payroll/Szamfejt.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <algorithm>
#include <set>

#include "controls/ComboEdits.h"
#include "controls/EditKinds.h"
#include "controls/NumEdits.h"
#include "core/DataModule1.h"
#include "core/DateEditCheck.h"
#include "core/Kivalaszt.h"
#include "core/KivalasztSQL.h"
#include "core/StartValues.h"
#include "core/helpers/TypedDate.h"
#include "payroll/PayrollForms.h"
#include "payroll/UjJogcim.h"
#include "payroll/engine/Totals.h"
#include "platform/db/ControlsOff.h"
#include "platform/db/Query.h"
#include "platform/os/DayNumber.h"
#include "platform/os/Text.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/DatasetGrid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/QtString.h"

namespace {

const QString kUzenet = QStringLiteral("Üzenet");

std::string Trimmed(const QLineEdit* e) { return S(e->text().trimmed()); }

// The company of the open tables: the code the payroll table's name ends in.
std::string CompanyCode() {
    const std::string& name = DM1->TableSzamfejt->TableName;
    const size_t at = name.rfind('_');
    return at == std::string::npos ? std::string() : name.substr(at + 1);
}

void Unfilter(db::Dataset& ds) {
    ds.SetFiltered(false);
    ds.SetFilter("");
    ds.OnFilterRecord = nullptr;
}

void ErrorBox(const std::string& text) {
    ui::MessageBox(ui::ApplicationTitle(), Q(text), ui::Icon::Error, ui::Ok);
}

using F = TSzamfejtForm;
using ui::Label;

// The form's grid: captions, edits, names, then the totals panel.
// clang-format off
const ui::ControlRow<F> kHead[] = {
//   member             kind             name             caption or mask       cell          tag
    {{},                Label,           "Label1",        "Hónap :",            {0, 0}},
    {&F::CurrencyEdit1, MonthEdit,       "CurrencyEdit1", "",                   {0, 1},       1},
    {{},                Label,           "Label2",        "Kifizetés dátuma :", {1, 0}},
    {&F::DateEdit1,     DateEdit,        "DateEdit1",     "",                   {1, 1},       2},
    {&F::Label3,        Label,           "Label3",        "Munkahely (F2) :",   {2, 0}},
    {&F::MaskEdit3,     MaskEdit,        "MaskEdit3",     "999999;1; ",         {2, 1},       3},
    {&F::Label5,        Label,           "Label5",        "",                   {2, 2, 1, 2}},
    {&F::Label4,        Label,           "Label4",        "Törzsszám (F2) :",   {3, 0}},
    {&F::MaskEdit4,     MaskEdit,        "MaskEdit4",     "99999999999;1; ",    {3, 1},       4},
    {&F::Label6,        Label,           "Label6",        "",                   {3, 2, 1, 2}},
    {{},                Label,           "Label7",        "F3 - még nem számfejtett dolgozók kiválasztása", {4, 0, 1, 4}},
    {&F::ProgressBar1,  ui::ProgressBar, "ProgressBar1",  "",                   {5, 0, 1, 3}},
    {&F::DBGrid1,       ui::DBGrid,      "DBGrid1",       "",                   {6, 0, 1, 3}},
};

// The totals of the run, filled by ShowTotals.
const ui::ControlRow<F> kOsszesen[] = {
    {{}, Label, "Label8",  "Jövedelem :",         {0, 0}}, {{}, Label, "Osszesen1", "", {0, 1}},
    {{}, Label, "Label9",  "Egyéb juttat. :",     {1, 0}}, {{}, Label, "Osszesen2", "", {1, 1}},
    {{}, Label, "Label10", "Levonások :",         {2, 0}}, {{}, Label, "Osszesen3", "", {2, 1}},
    {{}, Label, "Label11", "Tagdíjak :",          {3, 0}}, {{}, Label, "Osszesen4", "", {3, 1}},
    {{}, Label, "Label12", "Járulékok :",         {4, 0}}, {{}, Label, "Osszesen5", "", {4, 1}},
    {{}, Label, "Label13", "Adók :",              {5, 0}}, {{}, Label, "Osszesen6", "", {5, 1}},
    {{}, Label, "Label14", "Vállalati terhek :",  {6, 0}}, {{}, Label, "Osszesen7", "", {6, 1}},
    {{}, Label, "Label15", "Nem kifizetendő :",   {7, 0}}, {{}, Label, "Osszesen8", "", {7, 1}},
    {{}, Label, "Label16", "Kifizetendő :",       {8, 0}}, {{}, Label, "Osszesen9", "", {8, 1}},
};

// Buttons with a tag go to BitBtnClick.
const ui::ControlRow<F> kGombok[] = {
//   member         kind        name        caption          cell     tag  hint
    {&F::BitBtn5,   ui::Button, "BitBtn5",  "Felvitel",      {0, 0},  5,   "Ins"},
    {&F::BitBtn6,   ui::Button, "BitBtn6",  "Módosít",       {0, 1},  6,   "F2"},
    {&F::BitBtn7,   ui::Button, "BitBtn7",  "Törlés",        {0, 2},  7,   "Del"},
    {&F::BitBtn12,  ui::Button, "BitBtn12", "Számf. törlés", {0, 3},  12},
    {&F::BitBtn11,  ui::Button, "BitBtn11", "Rögzítés",      {0, 4},  11},
    {&F::BitBtn9,   ui::Button, "BitBtn9",  "Mégsem",        {0, 5},  9},
};
// "Kilépés" has a handler of its own.
const ui::ControlRow<F> kKilepes[] = {
    {&F::BitBtn10,  ui::Button, "BitBtn10", "Kilépés",       {0, 7},  0,   "ESC"},
};
// clang-format on

}  // namespace

int FizetesnapNapja(const std::string& fizetesnap) {
    int day = 0;
    for (char c : fizetesnap) {
        if (c == ' ') continue;
        if (c < '0' || c > '9' || day > 100) return 31;
        day = day * 10 + (c - '0');
    }
    return day <= 0 ? 31 : day;
}

double KifizDatum(const std::string& fizetesnap, int month, int year) {
    const int payday = std::min(FizetesnapNapja(fizetesnap), os::DaysInMonth(year, month));
    int payMonth = month, payYear = year;
    if (payday < 20 && ++payMonth > 12) {
        payMonth = 1;
        ++payYear;
    }
    return os::EncodeDate(payYear, payMonth, payday);
}

int AlapHonap(double today, const std::string& fizetesnap) {
    const os::YMD d = os::DecodeDate(today);
    const int payday = FizetesnapNapja(fizetesnap);
    if (d.day < payday && payday < 10 && d.month != 1) return d.month - 1;
    return d.month;
}

// --- Creation -------------------------------------------------------------------------

TSzamfejtForm::TSzamfejtForm(QWidget* parent) : QDialog(parent) {
    setObjectName("SzamfejtForm");
    setWindowTitle(QStringLiteral("Számfejtés"));
    BuildControls();
    pick_ = new TKivalasztForm();
    KivalasztForm = pick_;
    sqlPick_ = new TKivalasztSQLForm();
    KivalasztSQLForm = sqlPick_;
    DM1->MemoryData1->AfterPost = [](db::Dataset& ds) { DM1->MemoryData1AfterPost(ds); };
    OpenTable(DM1->TableNaptar, true);
    OpenTable(DM1->TableErtekkeszlet, false);
    OpenTable(DM1->TableCegek, true);
    OpenTable(DM1->TableMhely, true);
    OpenTable(DM1->TableJogcim, true);
    OpenTable(DM1->TableDolgozo, true);
    OpenTable(DM1->TableRJogcim, false);
    OpenTable(DM1->TableSzamfejt, false);
}

TSzamfejtForm::~TSzamfejtForm() { FormClose(); }

void TSzamfejtForm::BuildControls() {
    ui::ControlBuilder b;
    b.Build(*this, this, kHead);
    QWidget* totals = InnerPage(this, {5, 3, 2, 1});
    ui::PageGrid(totals)->setRowStretch(9, 1);
    b.Build(*this, totals, kOsszesen);
    QWidget* buttons = InnerPage(this, {7, 0, 1, 4});
    ui::PageGrid(buttons)->setColumnStretch(6, 1);
    b.events.OnClick = [this](QWidget* w) { BitBtnClick(ui::TagOf(w)); };
    b.Build(*this, buttons, kGombok);
    b.events.OnClick = [this](QWidget*) { BitBtn10Click(); };
    b.Build(*this, buttons, kKilepes);

    QGridLayout* grid = ui::PageGrid(this);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(6, 1);
    // The edits keep their own width at the left of their cells.
    for (QWidget* w : std::initializer_list<QWidget*>{DateEdit1, MaskEdit3, MaskEdit4})
        grid->setAlignment(w, Qt::AlignLeft);
    for (QWidget* w : std::initializer_list<QWidget*>{CurrencyEdit1, DateEdit1, MaskEdit3, MaskEdit4})
        w->installEventFilter(this);

    ProgressBar1->setMaximum(50);
    ProgressBar1->setTextVisible(false);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setFocusPolicy(Qt::ClickFocus);  // no tab stop
    DBGrid1->SetColumns({{"SF_JCKOD", QStringLiteral("Jogcím kód"), 61},
                         {"SF_JCNEV", QStringLiteral("Jogcím név"), 217},
                         {"SF_NAP", QStringLiteral("Nap"), 26},
                         {"SF_ORA", QStringLiteral("Óra"), 25},
                         {"SF_OSSZEG", QStringLiteral("Összeg"), 58}});
    DBGrid1->SetDataSet(DM1->MemoryData1);
    DBGrid1->setMinimumHeight(300);
    for (int i = 0; i < 9; ++i) {
        Osszesen[i] = findChild<QLabel*>(QString("Osszesen%1").arg(i + 1));
        Osszesen[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Osszesen[i]->setMinimumWidth(80);
    }
    for (QPushButton* b : {BitBtn5, BitBtn6, BitBtn7, BitBtn12, BitBtn11, BitBtn9, BitBtn10}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::TabFocus);
    }
}

// --- Showing and leaving ------------------------------------------------------------------

void TSzamfejtForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    FormShow();
}

void TSzamfejtForm::FormShow() {
    const bool group = SzamfejtesMod == 1;
    for (QWidget* w : std::initializer_list<QWidget*>{MaskEdit3, Label3, Label5}) w->setEnabled(group);
    for (QWidget* w : std::initializer_list<QWidget*>{MaskEdit4, Label4, Label6}) w->setEnabled(!group);
    // No value-set row or no text: the last day of the month.
    Fizetesnap.clear();
    db::Table& ek = *DM1->TableErtekkeszlet;
    if (ek.Locate("EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant("30")}))
        Fizetesnap = os::TrimWhitespace(ek.FieldByName("EK_ERTEKCHAR").AsString());
    if (Fizetesnap.empty()) Fizetesnap = "31";
    CurrencyEdit1->SetValue(AlapHonap(os::Today(), Fizetesnap));
    KifizDatumSzam();
    DolgFelvitel();
}

int TSzamfejtForm::Honap() const { return static_cast<int>(CurrencyEdit1->Value()); }

void TSzamfejtForm::KifizDatumSzam() {
    const int year = std::stoi(FeldolgozasiEv);
    HonapNapjai = os::DaysInMonth(year, Honap());
    DateEdit1->SetDateValue(KifizDatum(Fizetesnap, Honap(), year));
}

void TSzamfejtForm::DolgFelvitel() {
    SzamfejtesFolyamatban = false;
    MaskEdit3->clear();
    MaskEdit4->clear();
    Frissit();
    GombLetilt();
    CurrencyEdit1->setFocus();
    IndulasKerve = false;
    ClearTotals();
}

void TSzamfejtForm::Frissit() {
    Label6->setText(MaskEdit4->text().trimmed().isEmpty()
                        ? QString()
                        : Q(DM1->TableDolgozo->FieldByName("DG_NEV").AsString()));
    QString name;
    if (!MaskEdit3->text().trimmed().isEmpty()) {
        db::Table& mh = *DM1->TableMhely;
        if (mh.Locate("MH_KOD", db::Variant(Trimmed(MaskEdit3))))
            name = Q(mh.FieldByName("MH_NEV").AsString());
    }
    Label5->setText(name);
}

void TSzamfejtForm::GombLetilt() {
    for (QPushButton* b : {BitBtn9, BitBtn11, BitBtn5, BitBtn6, BitBtn7, BitBtn12}) b->setEnabled(false);
    keyPreview_ = false;
    for (QLineEdit* e : std::initializer_list<QLineEdit*>{CurrencyEdit1, DateEdit1, MaskEdit3, MaskEdit4})
        e->setReadOnly(false);
}

void TSzamfejtForm::GombEngedelyez() {
    for (QPushButton* b : {BitBtn9, BitBtn11, BitBtn5, BitBtn6, BitBtn7, BitBtn12}) b->setEnabled(true);
    keyPreview_ = true;
    for (QLineEdit* e : std::initializer_list<QLineEdit*>{CurrencyEdit1, DateEdit1, MaskEdit3, MaskEdit4})
        e->setReadOnly(true);
}

void TSzamfejtForm::BitBtn10Click() {
    if (SzamfejtesFolyamatban) {
        reject();
        return;
    }
    if (ui::MessageBox(kUzenet, QStringLiteral("Valóban kilép a számfejtésből?"), ui::Icon::Question,
                       ui::Yes | ui::No) == ui::Yes)
        reject();
}

bool TSzamfejtForm::FormCloseQuery() {
    if (!SzamfejtesFolyamatban) return true;
    return ui::MessageBox(kUzenet,
                          QStringLiteral("Valóban rögzítés nélkül szeretne kilépni a számfejtésből?\n\n"
                                         "Rögzítés néküli kilépés esetén az aktuális módosításokat nem "
                                         "tárolja el a számítógép!"),
                          ui::Icon::Warning, ui::Yes | ui::No) == ui::Yes;
}

void TSzamfejtForm::done(int result) {
    if (!FormCloseQuery()) return;
    FormClose();
    QDialog::done(result);
}

void TSzamfejtForm::FormClose() {
    if (closed_) return;
    closed_ = true;
    DBGrid1->SetDataSet(nullptr);
    if (KivalasztForm == pick_) KivalasztForm = nullptr;
    if (KivalasztSQLForm == sqlPick_) KivalasztSQLForm = nullptr;
    delete pick_;
    delete sqlPick_;
    pick_ = nullptr;
    sqlPick_ = nullptr;
    TMemoryData& md = *DM1->MemoryData1;
    Unfilter(md);
    md.AfterPost = nullptr;
    md.ClearAllRecords();
    md.Close();
    run_.reset();
    ctx_.reset();
    loader_.reset();
    for (db::Table* t : {DM1->TableSzamfejt, DM1->TableRJogcim, DM1->TableDolgozo}) {
        Unfilter(*t);
        CloseTable(t);
    }
    for (db::Table* t :
         {DM1->TableJogcim, DM1->TableMhely, DM1->TableCegek, DM1->TableErtekkeszlet, DM1->TableNaptar})
        CloseTable(t);
}

// --- Keys and exits ---------------------------------------------------------------------

bool TSzamfejtForm::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::KeyPress && !SzamfejtesFolyamatban) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2 || key == Qt::Key_F3) {
            Guarded([&] { SzerkesztesKeyDown(w, key); });
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            !SzamfejtesFolyamatban && !leavingPicked_)
            Guarded([&] { SzerkesztesExit(w); });
    } else if (event->type() == QEvent::MouseButtonPress && (w == MaskEdit3 || w == MaskEdit4)) {
        // MaskEditClick: the whole number is selected.
        auto* e = static_cast<QLineEdit*>(w);
        QMetaObject::invokeMethod(
            e, [e] { e->selectAll(); }, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

void TSzamfejtForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        BitBtn10Click();
        return;
    }
    if (keyPreview_) {
        switch (event->key()) {
            case Qt::Key_Insert:
                BitBtnClick(5);
                return;
            case Qt::Key_Delete:
                BitBtnClick(7);
                return;
            case Qt::Key_F2:
                BitBtnClick(6);
                return;
            default:
                break;
        }
    }
    QDialog::keyPressEvent(event);
}

void TSzamfejtForm::SzerkesztesKeyDown(QWidget* sender, int key) {
    if (SzamfejtesFolyamatban) return;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (sender == CurrencyEdit1 || sender == DateEdit1) {
            focusNextChild();
        } else {
            IndulasKerve = true;
            DBGrid1->setFocus();
        }
    } else if (key == Qt::Key_F2 && sender == MaskEdit4) {
        PickEmployee();
    } else if (key == Qt::Key_F2 && sender == MaskEdit3) {
        PickWorkplace();
    } else if (key == Qt::Key_F3 && sender == MaskEdit4) {
        PickUncalculated();
    }
}

void TSzamfejtForm::PickEmployee() {
    KivalasztForm->KivalasztBeallit(5, "", "DG_TORZSSZAM", 73, "DG_NEV", 336, "DG_MHKOD", 0, 0);
    ui::ShowModal(*KivalasztForm);
    if (!KivalasztForm->ErtekAtad()) return;
    MaskEdit4->setText(Q(DM1->TableDolgozo->FieldByName("DG_TORZSSZAM").AsString()));
    MaskEdit3->setText(Q(DM1->TableDolgozo->FieldByName("DG_MHKOD").AsString()));
    Frissit();
    StartPicked(MaskEdit4);
}

void TSzamfejtForm::PickUncalculated() {
    db::Table& dg = *DM1->TableDolgozo;
    // Brought-forward rows do not make an employee calculated.
    const std::string condition = "Where DG_TORZSSZAM Not In (Select SF_DGTORZSSZAM From " +
                                  db::SqlName(DM1->TableSzamfejt->TableName) +
                                  " Where SF_HONAP = :Honap And SF_JCKOD < '800')";
    KivalasztSQLForm->KivalasztSQLBeallit(dg, {&dg.FieldByName("DG_TORZSSZAM"), &dg.FieldByName("DG_NEV")},
                                          {73, 336}, condition, 0,
                                          {{"Honap", db::Variant(static_cast<long long>(Honap()))}});
    ui::ShowModal(*KivalasztSQLForm);
    if (!KivalasztSQLForm->ErtekAtadSQL()) return;
    MaskEdit4->setText(Q(dg.FieldByName("DG_TORZSSZAM").AsString()));
    MaskEdit3->setText(Q(dg.FieldByName("DG_MHKOD").AsString()));
    Frissit();
    StartPicked(MaskEdit4);
}

void TSzamfejtForm::PickWorkplace() {
    KivalasztForm->KivalasztBeallit(3, "", "MH_KOD", 43, "MH_NEV", 226, "", 0, 0);
    ui::ShowModal(*KivalasztForm);
    if (!KivalasztForm->ErtekAtad()) return;
    MaskEdit3->setText(Q(DM1->TableMhely->FieldByName("MH_KOD").AsString()));
    if (FirstOfWorkplace()) StartPicked(MaskEdit3);
}

void TSzamfejtForm::StartPicked(QWidget* edit) {
    // The run starts here rather than on the edit's focus-out: when the pick
    // list closes, a window manager activates this form only later, and a
    // focus change in an inactive window sends no focus-out at all.
    IndulasKerve = true;
    {
        const QScopedValueRollback<bool> quiet(leavingPicked_, true);
        DBGrid1->setFocus();
    }
    SzerkesztesExit(edit);
}

void TSzamfejtForm::FilterWorkplace(const QString& code) {
    db::Table& dg = *DM1->TableDolgozo;
    DM1->SzuroAdatok.workplace = S(code.trimmed());
    dg.SetFiltered(false);
    dg.SetOnFilterRecord(DM1->FilterHandler(&TDM1::MunkahelyFilter));
    dg.SetFiltered(true);
    dg.First();
}

bool TSzamfejtForm::FirstOfWorkplace() {
    FilterWorkplace(MaskEdit3->text());
    db::Table& dg = *DM1->TableDolgozo;
    MaskEdit4->setText(dg.IsEmpty() ? QString() : Q(dg.FieldByName("DG_TORZSSZAM").AsString()));
    Frissit();
    if (!dg.IsEmpty()) return true;
    ui::ShowMessage(QStringLiteral("A munkahelyhez nem tartozik dolgozó!"));
    return false;
}

void TSzamfejtForm::UnfilterEmployees() {
    Unfilter(*DM1->TableDolgozo);
    DM1->TableDolgozo->First();
}

bool TSzamfejtForm::LocateEmployee(const QString& number) {
    return DM1->TableDolgozo->Locate("DG_TORZSSZAM", db::Variant(S(number.trimmed())));
}

void TSzamfejtForm::SzerkesztesExit(QWidget* sender) {
    if (SzamfejtesFolyamatban) return;
    if (sender == CurrencyEdit1) {
        KifizDatumSzam();
    } else if (sender == DateEdit1) {
        DateEditExitCheck(DateEdit1);
    } else if (sender == MaskEdit3) {
        if (MaskEdit3->text().trimmed().isEmpty()) {
            UnfilterEmployees();
            MaskEdit4->clear();
            Frissit();
            return;
        }
        if (!DM1->TableMhely->Locate("MH_KOD", db::Variant(Trimmed(MaskEdit3)))) {
            UnfilterEmployees();
            ui::ShowMessage(QStringLiteral("Ilyen munkahely nem létezik!"));
            MaskEdit3->setFocus();
            MaskEdit3->clear();
            MaskEdit4->clear();
            Frissit();
            return;
        }
        if (!FirstOfWorkplace()) {
            MaskEdit3->setFocus();
            return;
        }
        if (!IndulasKerve) return;
        if (Skipped()) {
            ui::ShowMessage(QStringLiteral("A dolgozó kilépett, egyedi számfejtésben számfejthető!"));
            Kovetkezo();
        } else {
            SzamfejtesMehet();
        }
    } else if (sender == MaskEdit4) {
        if (MaskEdit4->text().trimmed().isEmpty()) {
            MaskEdit3->clear();
            Frissit();
            return;
        }
        if (LocateEmployee(MaskEdit4->text())) {
            MaskEdit3->setText(Q(DM1->TableDolgozo->FieldByName("DG_MHKOD").AsString()));
            Frissit();
            if (IndulasKerve) SzamfejtesMehet();
        } else {
            ui::ShowMessage(QStringLiteral("Ilyen törzsszám nem létezik!"));
            MaskEdit4->setFocus();
            MaskEdit3->clear();
            MaskEdit4->clear();
            Frissit();
        }
    }
}

bool TSzamfejtForm::Skipped() const {
    const db::Table& dg = *DM1->TableDolgozo;
    const double payDate = DateEdit1->DateValue();
    const db::Field& kilep = dg.FieldByName("DG_KILEPDAT");
    const db::Field& belep = dg.FieldByName("DG_BELEPDAT");
    return (!kilep.IsNull() && kilep.AsDateTime() < payDate) ||
           (!belep.IsNull() && belep.AsDateTime() > payDate);
}

void TSzamfejtForm::Kovetkezo() {
    db::Table& dg = *DM1->TableDolgozo;
    dg.Next();
    while (!dg.Eof()) {
        if (!Skipped()) {
            MaskEdit4->setText(Q(dg.FieldByName("DG_TORZSSZAM").AsString()));
            Frissit();
            break;
        }
        MaskEdit4->setText(Q(dg.FieldByName("DG_TORZSSZAM").AsString()));
        Frissit();
        ui::ShowMessage(QStringLiteral("A dolgozó kilépett, egyedi számfejtésben számfejthető!"));
        MaskEdit4->clear();
        Frissit();
        dg.Next();
    }
    if (dg.Eof()) {
        MaskEdit4->clear();
        Frissit();
        ui::ShowMessage(QStringLiteral("Nincs több dolgozó!"));
        SzamfejtesFolyamatban = false;
        GombLetilt();
        ClearTotals();
        MaskEdit3->setFocus();
        IndulasKerve = false;
    }
    SzamfejtesMehet();
}

// --- The run ------------------------------------------------------------------------------

int TSzamfejtForm::HozzatartozoDarab(const std::string& eltmin, const std::string& kapcsolat) {
    try {
        db::Query q;
        q.DatabaseName = DM1->TableSzamfejt->DatabaseName;
        std::string sql = "Select Count(HT_DGTORZSSZAM) As HOZZATARTOZODARAB From " +
                          db::SqlName(DM1->TableHozzatartozo->TableName) +
                          "\nWhere HT_DGTORZSSZAM = :Torzsszam";
        if (!eltmin.empty()) sql += "\nAnd HT_ELTMIN = :Eltmin";
        if (!kapcsolat.empty()) sql += "\nAnd HT_KAPCSOLAT = :Kapcsolat";
        q.SetSQL(sql);
        q.ParamByName("Torzsszam").SetAsString(DM1->TableDolgozo->FieldByName("DG_TORZSSZAM").AsString());
        if (!eltmin.empty()) q.ParamByName("Eltmin").SetAsString(eltmin);
        if (!kapcsolat.empty()) q.ParamByName("Kapcsolat").SetAsString(kapcsolat);
        q.Open();
        return static_cast<int>(
            std::clamp<long long>(q.FieldByName("HOZZATARTOZODARAB").AsInteger(), 0, 255));
    } catch (const std::exception& e) {
        ui::MessageBox(kUzenet,
                       QStringLiteral("HIBA történt a hozzátartozók létszámának megállapításakor!\n") +
                           QString::fromUtf8(e.what()),
                       ui::Icon::Error, ui::Ok);
        return 0;
    }
}

void TSzamfejtForm::SzamfejtesMehet() {
    if (!DateEdit1->HasDateContent() || MaskEdit4->text().trimmed().isEmpty()) return;
    const db::Table& dg = *DM1->TableDolgozo;
    auto text = [&](const char* f) { return dg.FieldByName(f).AsString(); };
    auto num = [&](const char* f) { return dg.FieldByName(f).AsFloat(); };
    const double payDate = DateEdit1->DateValue();
    const int year = std::stoi(FeldolgozasiEv);
    if (SzamfejtesMod == 0) {
        const db::Field& belep = dg.FieldByName("DG_BELEPDAT");
        const db::Field& kilep = dg.FieldByName("DG_KILEPDAT");
        if (!belep.IsNull()) {
            const os::YMD d = os::DecodeDate(belep.AsDateTime());
            if (d.year == year && d.month == Honap())
                ui::ShowMessage(QStringLiteral("A dolgozó belépés dátuma : ") + Q(belep.AsString()));
        }
        if ((!kilep.IsNull() && kilep.AsDateTime() < payDate) ||
            (!belep.IsNull() && belep.AsDateTime() > payDate))
            ui::ShowMessage(QStringLiteral("A dolgozó kilépett!"));
    }
    if (text("DG_BERFORM") != "0" && text("DG_ALKMIN") == "6")
        ui::MessageBox(kUzenet, QStringLiteral("A dolgozó bérformája nem 0!"), ui::Icon::Error, ui::Ok);
    if (text("DG_ALKMIN") == "6" && dg.FieldByName("DG_VALLALKMINBER").IsNull())
        ui::MessageBox(kUzenet,
                       QStringLiteral("Figyelem!\nA \"Törzskezelés/Dolgozó/Kötelezettségek/Vállalkozói "
                                      "minimálbér\" mezőt ki kell tölteni!"),
                       ui::Icon::Warning, ui::Ok);
    if (num("DG_CSALKEDV") > 0 || num("DG_ELSOHAZASOSSZ") > 0) {
        const int a = HozzatartozoDarab("1", "");
        const int b = HozzatartozoDarab("2", "");
        const int c = HozzatartozoDarab("", "1");
        const int d = HozzatartozoDarab("", "2");
        auto warn = [](const char* t) {
            ui::MessageBox(kUzenet, QString::fromUtf8(t), ui::Icon::Warning, ui::Ok);
        };
        if (a < num("DG_GYERMSZAM"))
            warn("A bevallás elkészítéséig a kedvezményezett eltartottakat rögzítse!");
        if (b < num("DG_BESZAMGYERM")) warn("A bevallás elkészítéséig a beszámító eltartottakat rögzítse!");
        if (num("DG_CSALKEDVSZAM") > num("DG_CSALKEDV") && c + d == 0)
            warn("A bevallás elkészítéséig a házastársat/élettársat rögzítse!");
        if (num("DG_ELSOHAZASOSSZ") > 0 && c == 0) warn("A bevallás elkészítéséig a házastársat rögzítse!");
    }
    SzamfejtesFolyamatban = true;
    GombEngedelyez();

    ui::Hourglass busy;
    TMemoryData& md = *DM1->MemoryData1;
    md.Close();
    md.CopyFieldLayout(*DM1->TableSzamfejt);
    md.Open();
    for (const char* f : {"SF_OSSZEG", "SF_ADOALAP", "SF_JARALAP"}) {
        md.FieldByName(f).DisplayFormat = "## ### ##0";
        md.FieldByName(f).EditFormat = "########";
    }
    run_.reset();
    if (!loader_)
        loader_ = std::make_unique<payroll::RunLoader>(
            payroll::RunLoaderSettings{DM1->TableSzamfejt->DatabaseName, ElozoEviAlias, CompanyCode(), year});
    const std::string employee = text("DG_TORZSSZAM");
    try {
        ctx_ = std::make_unique<payroll::RunContext>(loader_->Load(employee, Honap(), payDate));
    } catch (...) {
        // A table that cannot be read (a damaged one): there is no run whose
        // buttons could save or change it.
        SzamfejtesFolyamatban = false;
        GombLetilt();
        throw;
    }
    ctx_->message = [](payroll::MessageKind kind, const std::string& t) {
        if (kind == payroll::MessageKind::Error)
            ErrorBox(t);
        else
            ui::ShowMessage(Q(t));
    };
    ctx_->progress = [this](int position) { ProgressBar1->setValue(position); };
    HonapSzamfejtve = payroll::MonthAlreadyComputed(*ctx_);
    ctx_->HonapSzamfejtve = HonapSzamfejtve;
    run_ = std::make_unique<payroll::PayrollRun>(*ctx_);

    // The saved rows of the run, and what the employee's other saved rows
    // say: the month's payment dates and a later last payment.
    std::vector<payroll::SzamfejtRow> own;
    std::set<double> monthDates;
    const payroll::SzamfejtRow* last = nullptr;
    for (const payroll::SzamfejtRow& r : ctx_->savedRows) {
        if (r.SF_DGTORZSSZAM != employee || !(r.SF_JCKOD < "800")) continue;
        if (r.SF_HONAP == Honap()) {
            monthDates.insert(r.SF_KIFIZDAT);
            if (r.SF_KIFIZDAT == payDate) own.push_back(r);
        }
        if (!last || std::pair(last->SF_HONAP.value_or(0), last->SF_KIFIZDAT) <
                         std::pair(r.SF_HONAP.value_or(0), r.SF_KIFIZDAT))
            last = &r;
    }
    std::sort(own.begin(), own.end(), payroll::KeyLess);
    run_->rows.Assign(std::move(own));
    ShowRows();

    QString message;
    if (HonapSzamfejtve) message += QStringLiteral("Az adott hónapra már létezik számfejtés!\n\n");
    if (last && last->SF_KIFIZDAT > payDate)
        message +=
            QStringLiteral("Az utolsó számfejtés dátuma : ") + Q(os::DateToText(last->SF_KIFIZDAT)) + "\n\n";
    if (!monthDates.empty()) {
        message += QStringLiteral("A hónap számfejtései : ");
        for (double d : monthDates) message += "\n" + Q(os::DateToText(d));
    }
    if (!message.isEmpty()) ui::ShowMessage(message);

    if (run_->rows.empty()) Szamf();
    ShowTotals();
    DM1->MemoryData1->First();
}

void TSzamfejtForm::Szamf() {
    ui::Hourglass busy;
    payroll::Szamf(*run_);
    ShowRows();
}

void TSzamfejtForm::ShowRows() {
    TMemoryData& md = *DM1->MemoryData1;
    {
        db::ControlsOff off(md);
        md.ClearAllRecords();
        if (run_) {
            const payroll::RowWriter writer(md);
            for (const payroll::SzamfejtRow& r : run_->rows.Rows()) {
                md.Append();
                writer.Write(r);
                md.Post();
            }
        }
    }
    md.First();
    // The refilled set numbers its records from the start again, so with as
    // many rows as before the grid would take the change for a move and keep
    // showing the old amounts.
    DBGrid1->Model()->Reload();
}

void TSzamfejtForm::ShowTotals() {
    if (!run_) return;
    const payroll::RunTotals t = payroll::ShowRunTotals(*run_);
    const long long values[9] = {t.Jovedelem, t.EgyebJuttatas,   t.Levonasok,      t.Tagdijak,   t.Jarulekok,
                                 t.Adok,      t.VallalatiTerhek, t.NemKifizetendo, t.Kifizetendo};
    for (int i = 0; i < 9; ++i) Osszesen[i]->setText(QString::number(values[i]));
}

void TSzamfejtForm::ClearTotals() {
    for (QLabel* l : Osszesen) l->clear();
}

int TSzamfejtForm::CurrentRunRow() const {
    TMemoryData& md = *DM1->MemoryData1;
    if (!run_ || !md.Active() || md.IsEmpty()) return -1;
    const db::Field& number = md.FieldByName("SF_SORSZAM");
    const std::string code = md.FieldByName("SF_JCKOD").AsString();
    for (size_t i = 0; i < run_->rows.size(); ++i) {
        const payroll::SzamfejtRow& r = run_->rows[i];
        if (r.SF_JCKOD == code &&
            r.SF_SORSZAM == (number.IsNull() ? std::nullopt : std::optional<long long>(number.AsInteger())))
            return static_cast<int>(i);
    }
    return -1;
}

void TSzamfejtForm::Rerun(const std::function<void(payroll::WorkingSet&)>& change) {
    ctx_->ModositottKod = ModositottKod;
    try {
        ui::Hourglass busy;
        payroll::UjraSzamol(*run_, change);
    } catch (...) {
        ShowRows();
        throw;
    }
    ShowRows();
    ShowTotals();
}

void TSzamfejtForm::ButtonsAfterChange() {
    const bool rows = run_ && !run_->rows.empty();
    for (QPushButton* b : {BitBtn6, BitBtn7, BitBtn11}) b->setEnabled(rows);
}

void TSzamfejtForm::Felvitel() {
    TMemoryData& md = *DM1->MemoryData1;
    TUjJogcimForm dialog(*run_, this);
    dialog.UjJogcimBeallit(0);
    const bool ok = ui::ShowModal(dialog) == QDialog::Accepted;
    const bool inserting = md.State() == db::DatasetState::Insert;
    payroll::SzamfejtRow row;
    if (ok && inserting) row = payroll::ReadRow(md);
    if (md.State() != db::DatasetState::Browse) md.Cancel();
    if (ok && inserting) {
        ModositottKod = row.SF_JCKOD;
        Rerun([&row](payroll::WorkingSet& ws) { ws.Post(-1, row); });
    }
    ButtonsAfterChange();
    DBGrid1->setFocus();
}

void TSzamfejtForm::Modositas() {
    TMemoryData& md = *DM1->MemoryData1;
    const int at = CurrentRunRow();
    if (at < 0) return;
    TUjJogcimForm dialog(*run_, this);
    dialog.UjJogcimBeallit(1);
    const bool ok = ui::ShowModal(dialog) == QDialog::Accepted;
    payroll::SzamfejtRow row;
    const bool editing = md.State() == db::DatasetState::Edit;
    if (ok && editing) row = payroll::ReadRow(md);
    if (md.State() != db::DatasetState::Browse) md.Cancel();
    if (ok && editing) {
        ModositottKod = row.SF_JCKOD;
        Rerun([&row, at](payroll::WorkingSet& ws) { ws.Post(at, row); });
    }
    DBGrid1->setFocus();
}

void TSzamfejtForm::Torles() {
    if (!run_ || run_->rows.empty()) {
        ui::ShowMessage(QStringLiteral("Üres az adatbázis!"));
        return;
    }
    if (ui::MessageBox(kUzenet, QStringLiteral("Valóban törölni szeretné a rekordot?"), ui::Icon::Question,
                       ui::Yes | ui::No, ui::Yes) == ui::Yes) {
        const int at = CurrentRunRow();
        if (at >= 0) {
            ModositottKod = run_->rows[at].SF_JCKOD;
            Rerun([at](payroll::WorkingSet& ws) { ws.Delete(at); });
        }
    }
    if (run_->rows.empty()) ButtonsAfterChange();
    DBGrid1->setFocus();
}

void TSzamfejtForm::EndRun() {
    TMemoryData& md = *DM1->MemoryData1;
    md.ClearAllRecords();
    md.Close();
    run_.reset();
    ctx_.reset();
    if (SzamfejtesMod == 0)
        DolgFelvitel();
    else
        Kovetkezo();
}

void TSzamfejtForm::BitBtnClick(int tag) {
    Guarded([&] {
        switch (tag) {
            case 5:
                Felvitel();
                break;
            case 6:
                Modositas();
                break;
            case 7:
                Torles();
                break;
            case 9:
                EndRun();
                break;
            case 11: {
                // Numbered 1, 2, ... in the working set's order, saved in one
                // transaction: a failure leaves the saved rows as they were.
                {
                    ui::Hourglass busy;
                    std::vector<payroll::SzamfejtRow> rows = run_->rows.Rows();
                    for (size_t i = 0; i < rows.size(); ++i)
                        rows[i].SF_SORSZAM = static_cast<long long>(i + 1);
                    run_->rows.Assign(std::move(rows));
                    Unfilter(*DM1->TableSzamfejt);
                    payroll::SaveRun(*run_, *DM1->TableSzamfejt);
                }
                EndRun();
                break;
            }
            case 12:
                run_->rows.Assign({});
                ShowRows();
                break;
            default:
                break;
        }
    });
}
