#include "payroll/HozottAdatok.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

#include "controls/ComboEdits.h"
#include "controls/EditKinds.h"
#include "controls/NumEdits.h"
#include "core/DataModule1.h"
#include "core/DateEditCheck.h"
#include "core/Kivalaszt.h"
#include "core/helpers/SegedUnit.h"
#include "core/helpers/TypedDate.h"
#include "payroll/PayrollForms.h"
#include "platform/db/ControlsOff.h"
#include "platform/db/Transaction.h"
#include "platform/os/DayNumber.h"
#include "platform/os/Text.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/DatasetGrid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"

namespace {

const QString kUzenet = QStringLiteral("Üzenet");

using F = THozottAdatokForm;
using ui::Label;

// clang-format off
const ui::ControlRow<F> kHead[] = {
//   member             kind        name             caption or mask      cell          tag
    {{},                Label,      "Label1",        "Hónap :",           {0, 0}},
    {&F::CurrencyEdit1, MonthEdit,  "CurrencyEdit1", "",                  {0, 1},       1},
    {{},                Label,      "Label2",        "Rögzítés dátuma :", {1, 0}},
    {&F::DateEdit1,     DateEdit,   "DateEdit1",     "",                  {1, 1},       2},
    {{},                Label,      "Label3",        "Törzsszám (F2) :",  {2, 0}},
    {&F::MaskEdit4,     MaskEdit,   "MaskEdit4",     "99999999999;1; ",   {2, 1},       4},
    {&F::Label4,        Label,      "Label4",        "",                  {2, 2}},
    {&F::DBGrid1,       ui::DBGrid, "DBGrid1",       "",                  {3, 0, 1, 3}},
};

// Buttons with a tag go to BitBtnClick.
const ui::ControlRow<F> kGombok[] = {
//   member         kind        name        caption     cell     tag  hint
    {&F::BitBtn11,  ui::Button, "BitBtn11", "Rögzítés", {0, 0},  11},
    {&F::BitBtn9,   ui::Button, "BitBtn9",  "Mégsem",   {0, 1},  9},
};
// "Kilépés" has a handler of its own.
const ui::ControlRow<F> kKilepes[] = {
    {&F::BitBtn10,  ui::Button, "BitBtn10", "Kilépés",  {0, 3},  0,   "ESC"},
};
// clang-format on

// Moves the payroll table to the first brought-forward row of the employee,
// month and date; false when there is none.
bool FirstBroughtForward(db::Table& t, const std::string& employee, int month, double date) {
    t.First();
    if (!t.Locate("SF_DGTORZSSZAM;SF_HONAP;SF_KIFIZDAT",
                  {db::Variant(employee), db::Variant(static_cast<long long>(month)), db::Variant(date)}))
        return false;
    for (; !t.Eof(); t.Next()) {
        if (t.FieldByName("SF_DGTORZSSZAM").AsString() != employee ||
            t.FieldByName("SF_HONAP").AsInteger() != month ||
            t.FieldByName("SF_KIFIZDAT").AsDateTime() != date)
            return false;
        if (t.FieldByName("SF_JCKOD").AsString() >= "800") return true;
    }
    return false;
}

bool SameSet(db::Table& t, const std::string& employee, int month, double date) {
    return !t.Eof() && t.FieldByName("SF_DGTORZSSZAM").AsString() == employee &&
           t.FieldByName("SF_HONAP").AsInteger() == month &&
           t.FieldByName("SF_KIFIZDAT").AsDateTime() == date;
}

}  // namespace

double HozottAlapDatum(const std::string& yearText, int month) {
    const std::string text = os::TrimWhitespace(yearText);
    int year = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || year > 9999) return 0;
        year = year * 10 + (c - '0');
    }
    if (year < 1 || year > 9998 || month < 1 || month > 12) return 0;
    return month == 12 ? os::EncodeDate(year + 1, 1, 3) : os::EncodeDate(year, month + 1, 3);
}

THozottAdatokForm::THozottAdatokForm(QWidget* parent) : QDialog(parent) {
    setObjectName("HozottAdatokForm");
    setWindowTitle(QStringLiteral("Törzskezelés/Hozott Adatok"));
    ui::ControlBuilder b;
    b.Build(*this, this, kHead);
    QWidget* buttons = InnerPage(this, {4, 0, 1, 3});
    buttons->setObjectName("PanelGombok");
    ui::PageGrid(buttons)->setColumnStretch(2, 1);
    b.events.OnClick = [this](QWidget* w) { BitBtnClick(ui::TagOf(w)); };
    b.Build(*this, buttons, kGombok);
    b.events.OnClick = [this](QWidget*) { BitBtn10Click(); };
    b.Build(*this, buttons, kKilepes);

    QGridLayout* grid = ui::PageGrid(this);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);
    // The edits keep their own width at the left of their cells.
    for (QWidget* w : std::initializer_list<QWidget*>{DateEdit1, MaskEdit4})
        grid->setAlignment(w, Qt::AlignLeft);
    for (QWidget* w : std::initializer_list<QWidget*>{CurrencyEdit1, DateEdit1, MaskEdit4})
        w->installEventFilter(this);

    DBGrid1->SetColumns({{"SF_JCKOD", QStringLiteral("Jogcím kód"), 61},
                         {"SF_JCNEV", QStringLiteral("Jogcím név"), 217},
                         {"SF_OSSZEG", QStringLiteral("Összeg"), 55}});
    DBGrid1->SetEditing(true);
    DBGrid1->Model()->SetColumnEditing(0, {true, {}});
    DBGrid1->Model()->SetColumnEditing(1, {true, {}});
    DBGrid1->SetDataSet(DM1->MemoryData1);
    DBGrid1->setMinimumHeight(260);
    for (QPushButton* b : {BitBtn11, BitBtn9, BitBtn10}) b->setAutoDefault(false);

    pick_ = new TKivalasztForm();
    KivalasztForm = pick_;
    DM1->DataSourceMemoryData1->AutoEdit = true;
    OpenTable(DM1->TableErtekkeszlet, false);
    OpenTable(DM1->TableMhely, true);
    OpenTable(DM1->TableJogcim, true);
    OpenTable(DM1->TableDolgozo, true);
    OpenTable(DM1->TableSzamfejt, false);
}

THozottAdatokForm::~THozottAdatokForm() { FormClose(); }

void THozottAdatokForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    FormShow();
}

void THozottAdatokForm::FormShow() {
    Adatbeker();
    AlapDatum();
}

void THozottAdatokForm::AlapDatum() {
    std::string year;
    db::Table& ek = *DM1->TableErtekkeszlet;
    if (ek.Locate("EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant("04")}))
        year = ek.FieldByName("EK_ERTEKCHAR").AsString();
    DateEdit1->SetDateValue(HozottAlapDatum(year, static_cast<int>(CurrencyEdit1->Value())));
}

void THozottAdatokForm::Adatbeker() {
    SzamfejtesFolyamatban = false;
    MaskEdit4->clear();
    Frissit();
    GombLetilt();
    CurrencyEdit1->setFocus();
    IndulasKerve = false;
}

void THozottAdatokForm::Frissit() {
    Label4->setText(MaskEdit4->text().trimmed().isEmpty()
                        ? QString()
                        : Q(DM1->TableDolgozo->FieldByName("DG_NEV").AsString()));
}

void THozottAdatokForm::GombLetilt() {
    BitBtn9->setEnabled(false);
    BitBtn11->setEnabled(false);
    for (QLineEdit* e : std::initializer_list<QLineEdit*>{CurrencyEdit1, DateEdit1, MaskEdit4})
        e->setReadOnly(false);
}

void THozottAdatokForm::GombEngedelyez() {
    BitBtn9->setEnabled(true);
    BitBtn11->setEnabled(true);
    for (QLineEdit* e : std::initializer_list<QLineEdit*>{CurrencyEdit1, DateEdit1, MaskEdit4})
        e->setReadOnly(true);
}

bool THozottAdatokForm::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::KeyPress && !SzamfejtesFolyamatban) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2) {
            Guarded([&] { SzerkesztesKeyDown(w, key); });
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && !SzamfejtesFolyamatban && !leavingPicked_) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Guarded([&] { SzerkesztesExit(w); });
    } else if (event->type() == QEvent::MouseButtonPress && w == MaskEdit4) {
        QMetaObject::invokeMethod(
            MaskEdit4, [this] { MaskEdit4->selectAll(); }, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

void THozottAdatokForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        BitBtn10Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void THozottAdatokForm::SzerkesztesKeyDown(QWidget* sender, int key) {
    if (SzamfejtesFolyamatban) return;
    if (key == Qt::Key_F2) {
        if (sender != MaskEdit4) return;
        KivalasztForm->KivalasztBeallit(5, "", "DG_TORZSSZAM", 73, "DG_NEV", 336, "DG_MHKOD", 0, 0);
        ui::ShowModal(*KivalasztForm);
        if (!KivalasztForm->ErtekAtad()) return;
        MaskEdit4->setText(Q(DM1->TableDolgozo->FieldByName("DG_TORZSSZAM").AsString()));
        Frissit();
        // Left here, not on a focus-out: after the modal list a window
        // manager activates this form only later, and no focus-out comes.
        IndulasKerve = true;
        {
            const QScopedValueRollback<bool> quiet(leavingPicked_, true);
            DBGrid1->setFocus();
        }
        SzerkesztesExit(MaskEdit4);
    } else if (sender == MaskEdit4) {
        IndulasKerve = true;
        DBGrid1->setFocus();
    } else {
        focusNextChild();
    }
}

void THozottAdatokForm::SzerkesztesExit(QWidget* sender) {
    if (SzamfejtesFolyamatban) return;
    if (sender == CurrencyEdit1) {
        AlapDatum();
    } else if (sender == DateEdit1) {
        DateEditExitCheck(DateEdit1);
    } else if (sender == MaskEdit4) {
        const std::string number = MaskEdit4->text().trimmed().toStdString();
        if (number.empty()) {
            CurrencyEdit1->setFocus();
            Frissit();
            return;
        }
        if (DM1->TableDolgozo->Locate("DG_TORZSSZAM", db::Variant(number))) {
            if (IndulasKerve) Mehet();
            Frissit();
        } else {
            ui::ShowMessage(QStringLiteral("Ilyen törzsszám nem létezik!"));
            MaskEdit4->setFocus();
            MaskEdit4->clear();
            Frissit();
        }
    }
}

void THozottAdatokForm::Mehet() {
    if (!DateEdit1->HasDateContent() || MaskEdit4->text().trimmed().isEmpty()) return;
    SzamfejtesFolyamatban = true;
    GombEngedelyez();
    TMemoryData& md = *DM1->MemoryData1;
    md.Close();
    md.CopyFieldLayout(*DM1->TableSzamfejt);
    md.Open();
    const db::Table& dg = *DM1->TableDolgozo;
    const std::string workplace = dg.FieldByName("DG_MHKOD").AsString();
    std::string paymentPlace;
    if (DM1->TableMhely->Locate("MH_KOD", db::Variant(workplace)))
        paymentPlace = DM1->TableMhely->FieldByName("MH_KHKOD").AsString();
    const long long month = static_cast<long long>(CurrencyEdit1->Value());
    const double date = DateEdit1->DateValue();
    db::Table& jc = *DM1->TableJogcim;
    {
        db::ControlsOff off(md);
        for (jc.First(); !jc.Eof(); jc.Next()) {
            if (jc.FieldByName("JC_KOD").AsString() < "800") continue;
            md.Append();
            for (const char* f : {"JC_KOD", "JC_NEV", "JC_TIPUS"})
                md.FieldByName(std::string("SF_JC") + (f + 3)).SetValue(jc.FieldByName(f).Value());
            md.FieldByName("SF_OSSZEG").SetAsFloat(0);
            md.FieldByName("SF_HONAP").SetAsInteger(month);
            md.FieldByName("SF_KIFIZDAT").SetAsDateTime(date);
            md.FieldByName("SF_DGTORZSSZAM").SetValue(dg.FieldByName("DG_TORZSSZAM").Value());
            md.FieldByName("SF_DGNEV").SetValue(dg.FieldByName("DG_NEV").Value());
            md.FieldByName("SF_DGMHKOD").SetAsString(workplace);
            md.FieldByName("SF_DGKHKOD").SetAsString(paymentPlace);
            md.FieldByName("SF_DGMNYP").SetValue(dg.FieldByName("DG_MNYP").Value());
            md.Post();
        }
    }
    md.First();
}

void THozottAdatokForm::Rogzites() {
    TMemoryData& md = *DM1->MemoryData1;
    if (md.State() != db::DatasetState::Browse) md.Post();
    db::Table& t = *DM1->TableSzamfejt;
    const std::string employee = DM1->TableDolgozo->FieldByName("DG_TORZSSZAM").AsString();
    const int month = static_cast<int>(CurrencyEdit1->Value());
    const double date = DateEdit1->DateValue();
    bool remove = false;
    if (FirstBroughtForward(t, employee, month, date))
        remove = ui::MessageBox(kUzenet, QStringLiteral("Törölni szeretné a tárgyhavi hozott adatokat?"),
                                ui::Icon::Question, ui::Yes | ui::No, ui::No) == ui::Yes;
    // One transaction: the removed rows and the new ones reach the disk
    // together or not at all. New rows are numbered after every kept one.
    db::Transaction tx({&t});
    long long counter = 8000;
    if (FirstBroughtForward(t, employee, month, date)) {
        while (SameSet(t, employee, month, date)) {
            if (t.FieldByName("SF_JCKOD").AsString() < "800") {
                t.Next();
            } else if (remove) {
                t.Delete();
            } else {
                counter = std::max(counter, t.FieldByName("SF_SORSZAM").AsInteger());
                t.Next();
            }
        }
    }
    {
        db::ControlsOff off(md);
        for (md.First(); !md.Eof(); md.Next()) {
            if (Kerekit(md.FieldByName("SF_OSSZEG").AsFloat()) == 0) continue;
            t.Append();
            CopyRecordFields(md, t, false);
            t.FieldByName("SF_SORSZAM").SetAsInteger(++counter);
            t.Post();
        }
    }
    tx.Commit();
    EndSet();
}

void THozottAdatokForm::EndSet() {
    TMemoryData& md = *DM1->MemoryData1;
    md.ClearAllRecords();
    md.Close();
    Adatbeker();
}

void THozottAdatokForm::BitBtnClick(int tag) {
    Guarded([&] {
        if (tag == 11)
            Rogzites();
        else if (tag == 9)
            EndSet();
    });
}

void THozottAdatokForm::BitBtn10Click() {
    if (ui::MessageBox(kUzenet, QStringLiteral("Valóban kilép a törzskezelésből?"), ui::Icon::Question,
                       ui::Yes | ui::No) == ui::Yes)
        reject();
}

bool THozottAdatokForm::FormCloseQuery() {
    if (!SzamfejtesFolyamatban) return true;
    return ui::MessageBox(kUzenet, QStringLiteral("Félbeszakítja a műveletet?"), ui::Icon::Warning,
                          ui::Yes | ui::No) == ui::Yes;
}

void THozottAdatokForm::done(int result) {
    if (!FormCloseQuery()) return;
    FormClose();
    QDialog::done(result);
}

void THozottAdatokForm::FormClose() {
    if (closed_) return;
    closed_ = true;
    DBGrid1->SetDataSet(nullptr);
    if (KivalasztForm == pick_) KivalasztForm = nullptr;
    delete pick_;
    pick_ = nullptr;
    DM1->DataSourceMemoryData1->AutoEdit = false;
    TMemoryData& md = *DM1->MemoryData1;
    if (md.Active() && md.State() != db::DatasetState::Browse) md.Cancel();
    md.ClearAllRecords();
    md.Close();
    db::Table& t = *DM1->TableSzamfejt;
    t.SetFiltered(false);
    t.OnFilterRecord = nullptr;
    CloseTable(&t);
    for (db::Table* table : {DM1->TableDolgozo, DM1->TableJogcim, DM1->TableMhely, DM1->TableErtekkeszlet})
        CloseTable(table);
}
