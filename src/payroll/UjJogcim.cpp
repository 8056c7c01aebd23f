#include "payroll/UjJogcim.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/DBControls.h"
#include "controls/DBDateEdits.h"
#include "controls/DBKinds.h"
#include "controls/EditKinds.h"
#include "core/DataModule1.h"
#include "core/DateEditCheck.h"
#include "core/Kivalaszt.h"
#include "core/helpers/SegedUnit.h"
#include "core/helpers/TypedDate.h"
#include "payroll/PayrollForms.h"
#include "payroll/engine/InsuredDays.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"

namespace {

db::Field& F(const char* name) { return DM1->MemoryData1->FieldByName(name); }

bool Editing() { return DM1->MemoryData1->State() != db::DatasetState::Browse; }

using Form = TUjJogcimForm;
using ui::Label;

// The edits of the row are bound to MemoryData1 once there is a row to edit.
// clang-format off
const ui::ControlRow<Form> kSor[] = {
//   member               kind               name           caption, mask or field  cell     tag
    {{},                  Label,             "Label3",      "Jogcím (F2) :",        {0, 0}},
    {&Form::Edit1,        MaskEdit,          "Edit1",       "999a;1; ",             {0, 1},  1},
    {&Form::Label1,       Label,             "Label1",      "",                     {0, 2}},
    {{},                  Label,             "Label4",      "Nap :",                {1, 0}},
    {&Form::DBEdit3,      UnboundDBEdit,     "DBEdit3",     "SF_NAP",               {1, 1},  3},
    {{},                  Label,             "Label5",      "Óra :",                {2, 0}},
    {&Form::DBEdit4,      UnboundDBEdit,     "DBEdit4",     "SF_ORA",               {2, 1},  4},
    {{},                  Label,             "Label6",      "Százalék :",           {3, 0}},
    {&Form::DBEdit7,      UnboundDBEdit,     "DBEdit7",     "SF_SZAZALEK",          {3, 1},  7},
    {{},                  Label,             "Label7",      "Összeg :",             {4, 0}},
    {&Form::DBEdit2,      UnboundDBEdit,     "DBEdit2",     "SF_OSSZEG",            {4, 1},  2},
    {{},                  Label,             "Label8",      "SZHA száz. lev. :",    {5, 0}},
    {&Form::DBEdit5,      UnboundDBEdit,     "DBEdit5",     "SF_SZHASZAZLEV",       {5, 1}},
    {{},                  Label,             "Label9",      "Tól :",                {6, 0}},
    {&Form::DBDateEdit1,  UnboundDBDateEdit, "DBDateEdit1", "SF_TOL",               {6, 1}},
    {{},                  Label,             "Label10",     "Ig :",                 {7, 0}},
    {&Form::DBDateEdit2,  UnboundDBDateEdit, "DBDateEdit2", "SF_IG",                {7, 1}},
    {{},                  Label,             "Label11",     "Munkahely (F2) :",     {8, 0}},
    {&Form::DBEdit8,      UnboundDBEdit,     "DBEdit8",     "SF_MHKOD",             {8, 1},  8},
    {&Form::Label2,       Label,             "Label2",      "",                     {8, 2}},
    {{},                  Label,             "Label12",     "Munkaszám :",          {9, 0}},
    {&Form::DBEdit9,      UnboundDBEdit,     "DBEdit9",     "SF_MUNKSZAM",          {9, 1},  9},
    {{},                  Label,             "Label13",     "Gyüjtő :",             {10, 0}},
    {&Form::DBEdit10,     UnboundDBEdit,     "DBEdit10",    "SF_GYUJTO",            {10, 1}, 10},
    {{},                  Label,             "Label14",     "Adóalap :",            {11, 0}},
    {&Form::DBEdit11,     UnboundDBEdit,     "DBEdit11",    "SF_ADOALAP",           {11, 1}, 11},
    {{},                  Label,             "Label15",     "Járulék alap :",       {12, 0}},
    {&Form::DBEdit13,     UnboundDBEdit,     "DBEdit13",    "SF_JARALAP",           {12, 1}, 13},
    {{},                  Label,             "Label16",     "Számla :",             {13, 0}},
    {&Form::DBEdit12,     UnboundDBEdit,     "DBEdit12",    "SF_SZAMLA",            {13, 1}, 12},
};

const ui::ControlRow<Form> kGombok[] = {
//   member           kind        name       caption   cell     tag  hint
    {&Form::BitBtn1,  ui::Button, "BitBtn1", "OK",     {0, 1}},
    {&Form::BitBtn2,  ui::Button, "BitBtn2", "Mégsem", {0, 2},  0,   "ESC"},
};
// clang-format on

}  // namespace

TUjJogcimForm::TUjJogcimForm(const payroll::PayrollRun& run, QWidget* parent) : QDialog(parent), run_(run) {
    setObjectName("UjJogcimForm");
    setWindowTitle(QStringLiteral("Új jogcím"));
    // A loaded run has no year-to-date totals yet; the bases need them.
    payroll::EvesOsszesen(run_);

    TMemoryData& md = *DM1->MemoryData1;
    for (const char* f : {"SF_KIFIZDAT", "SF_TOL", "SF_IG"}) md.FieldByName(f).EditMask = "9999/99/99";
    md.FieldByName("SF_JCKOD").EditMask = "999a";
    for (const char* f : {"SF_MHKOD", "SF_MUNKSZAM", "SF_GYUJTO"}) md.FieldByName(f).EditMask = "999999";
    md.FieldByName("SF_DGALKMIN").EditMask = "9";
    md.FieldByName("SF_SZAMLA").EditMask = "99999999-99999999-99999999";

    ui::ControlBuilder b;
    b.Build(*this, this, kSor);
    QWidget* buttons = InnerPage(this, {14, 0, 1, 3});
    ui::PageGrid(buttons)->setColumnStretch(0, 1);
    b.events.OnClick = [this](QWidget* w) {
        if (w == BitBtn1)
            accept();
        else
            reject();
    };
    b.Build(*this, buttons, kGombok);
    ui::PageGrid(this)->setColumnStretch(2, 1);
    for (QPushButton* b : {BitBtn1, BitBtn2}) b->setAutoDefault(false);
    BitBtn1->setEnabled(false);

    edits_ = {DBEdit3, DBEdit4,  DBEdit7,  DBEdit2,  DBEdit5, DBEdit8,
              DBEdit9, DBEdit10, DBEdit11, DBEdit13, DBEdit12};
    // Typing limits; the workplace, job number and collector have their fields' masks.
    const std::pair<TDBEdit*, int> lengths[] = {{DBEdit3, 2}, {DBEdit4, 5},  {DBEdit7, 5},  {DBEdit2, 8},
                                                {DBEdit5, 5}, {DBEdit11, 8}, {DBEdit13, 8}, {DBEdit12, 26}};
    for (auto [e, length] : lengths) e->setMaxLength(length);
    Edit1->installEventFilter(this);
    connect(Edit1, &QLineEdit::textChanged, this,
            [this] { BitBtn1->setEnabled(!Edit1->text().trimmed().isEmpty()); });
    for (TDBEdit* e : edits_) {
        e->installEventFilter(this);
        connect(e, &TDBEdit::Exited, this, [this, e] { Guarded([&] { SzerkesztesExit(e); }); });
    }
    for (TDBDateEdit* e : {DBDateEdit1, DBDateEdit2}) {
        e->installEventFilter(this);
        e->OnExit = [this, e] { DateExit(e); };
    }
}

TUjJogcimForm::~TUjJogcimForm() {
    for (TDBEdit* e : edits_) e->SetDataSource(nullptr);
    DBDateEdit1->SetDataSource(nullptr);
    DBDateEdit2->SetDataSource(nullptr);
}

bool TUjJogcimForm::Vallalkozo() const {
    const payroll::FieldValues& e = run_.Context().employee;
    return e.Text("DG_BERFORM") == "0" && e.Text("DG_ALKMIN") == "6";
}

const payroll::FieldValues* TUjJogcimForm::Item() const {
    return run_.Context().PayItem(Edit1->text().trimmed().toStdString());
}

void TUjJogcimForm::Bind() {
    for (TDBEdit* e : edits_) e->SetDataSource(DM1->DataSourceMemoryData1);
    DBDateEdit1->SetDataSource(DM1->DataSourceMemoryData1);
    DBDateEdit2->SetDataSource(DM1->DataSourceMemoryData1);
}

void TUjJogcimForm::SetEditsEnabled(bool on) {
    for (TDBEdit* e : edits_) e->setEnabled(on);
    DBDateEdit1->setEnabled(on);
    DBDateEdit2->setEnabled(on);
    Label2->setEnabled(on);
}

void TUjJogcimForm::UjJogcimBeallit(int mode) {
    TMemoryData& md = *DM1->MemoryData1;
    const long long n = md.IsEmpty() ? 0 : F("SF_SORSZAM").AsInteger();
    if (Vallalkozo()) {
        const long long excluded = mode == 1 ? n : 0;
        VallalkozoMinAlap = static_cast<double>(payroll::EntrepreneurMinimumBase(run_, excluded));
        double shortfall = VallalkozoMinAlap;
        VallalkozoSzamoltAlap = 0;
        VallalkozoNyugKotOsszeg = 0;
        payroll::EntrepreneurBaseTotals(run_, VallalkozoSzamoltAlap, VallalkozoNyugKotOsszeg, shortfall,
                                        excluded);
    }
    if (mode == 1) {
        const std::string code = F("SF_JCKOD").AsString();
        Edit1->setText(Q(code));
        if (const payroll::FieldValues* item = Item()) {
            const std::optional<long long> standing =
                F("SF_RJSORSZAM").IsNull() ? std::nullopt
                                           : std::optional<long long>(F("SF_RJSORSZAM").AsInteger());
            bases_ = payroll::SumItemsAndBases(run_, *item, code, standing);
        }
        Edit1->setEnabled(false);
        md.Edit();
        Bind();
        SetEditsEnabled(true);
    } else {
        Edit1->setEnabled(true);
        SetEditsEnabled(false);
    }
}

void TUjJogcimForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    if (Edit1->isEnabled())
        Edit1->setFocus();
    else
        DBEdit3->setFocus();
    Frissit();
}

void TUjJogcimForm::Frissit() {
    const payroll::FieldValues* item = Item();
    Label1->setText(item ? Q(item->Text("JC_NEV")) : QString());
    QString name;
    const std::string mh = DBEdit8->text().trimmed().toStdString();
    if (!mh.empty() && DM1->TableMhely->Active() && DM1->TableMhely->Locate("MH_KOD", db::Variant(mh)))
        name = Q(DM1->TableMhely->FieldByName("MH_NEV").AsString());
    Label2->setText(name);
}

bool TUjJogcimForm::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (w == Edit1) {
                if (!Edit1->text().trimmed().isEmpty()) focusNextChild();
            } else if (w == DBEdit12) {
                BitBtn1->setFocus();
            } else {
                focusNextChild();
            }
            return true;  // the Enter character goes nowhere
        }
        if (key == Qt::Key_F2 && (w == Edit1 || w == DBEdit8) && KivalasztForm) {
            const bool code = w == Edit1;
            if (code)
                KivalasztForm->KivalasztBeallit(4, "", "JC_KOD", 37, "JC_NEV", 226, "", 0, 0);
            else
                KivalasztForm->KivalasztBeallit(3, "", "MH_KOD", 43, "MH_NEV", 226, "", 0, 0);
            ui::ShowModal(*KivalasztForm);
            if (KivalasztForm->ErtekAtad()) {
                if (code) {
                    Edit1->setText(Q(DM1->TableJogcim->FieldByName("JC_KOD").AsString()));
                } else if (Editing()) {
                    F("SF_MHKOD").SetAsString(DM1->TableMhely->FieldByName("MH_KOD").AsString());
                }
                Frissit();
            }
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && w == Edit1) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Guarded([this] { KodKilepes(); });
    }
    return QDialog::eventFilter(watched, event);
}

void TUjJogcimForm::KodKilepes() {
    if (!Edit1->isEnabled() || Edit1->text().trimmed().isEmpty()) return;
    if (QApplication::focusWidget() == BitBtn2) return;
    const std::string code = Edit1->text().trimmed().toStdString();
    const payroll::FieldValues* item = Item();
    if (!item) {
        ui::ShowMessage(QStringLiteral("Ez a kód nem létezik!"));
        Edit1->setFocus();
        Edit1->clear();
        Frissit();
        return;
    }
    // A new row's bases come before it: the code's own, no standing item.
    bases_ = payroll::SumItemsAndBases(run_, *item, code, std::nullopt);
    payroll::SzamfejtRow row = payroll::NewResultRow(run_);
    if (Vallalkozo()) {
        row.SF_NAP = payroll::WorkingDaysInMonth(run_);
        row.SF_JARALAP = std::max(VallalkozoNyugKotOsszeg, VallalkozoMinAlap) - VallalkozoSzamoltAlap;
        row.SF_JCKOD = code;
        row.SF_JCTIPUS = item->Text("JC_TIPUS");
        row.SF_JCNEV = item->Text("JC_NEV");
    } else if (code == "100") {
        payroll::AddWorkingDaysWageRow(run_, row, code);
    } else if (code == "102") {
        payroll::AddPaidHolidayWageRow(run_, row, code);
    } else {
        row.SF_JCKOD = code;
        row.SF_JCTIPUS = item->Text("JC_TIPUS");
        row.SF_JCNEV = item->Text("JC_NEV");
        row.SF_OSSZEG = payroll::ItemAmountByFormula(run_, row, *item, bases_);
    }
    if (item->Text("JC_SZHALEV") == "I") row.SF_SZHASZAZLEV = SzhaSzazalek(run_.Context().month);
    TMemoryData& md = *DM1->MemoryData1;
    md.Append();
    payroll::WriteRow(row, md);
    Bind();
    Edit1->setEnabled(false);
    SetEditsEnabled(true);
    DBEdit3->setFocus();
    Frissit();
}

void TUjJogcimForm::Osszeg() {
    const payroll::FieldValues* item = Item();
    if (!item || !Editing()) return;
    F("SF_OSSZEG")
        .SetAsFloat(payroll::ItemAmountByFormula(run_, payroll::ReadRow(*DM1->MemoryData1), *item, bases_));
}

void TUjJogcimForm::SzerkesztesExit(QWidget* sender) {
    if (!Editing()) return;
    const int tag = sender->property("Tag").toInt();
    switch (tag) {
        case 2:
            AlapSzamitas();
            break;
        case 3:
            F("SF_ORA").SetAsFloat(F("SF_NAP").AsFloat() * run_.Context().employee.Num("DG_NAPIKOTORA"));
            Osszeg();
            AlapSzamitas();
            break;
        case 4:
        case 7:
            Osszeg();
            AlapSzamitas();
            break;
        case 8: {
            const std::string mh = F("SF_MHKOD").AsString();
            if (!mh.empty() && !DM1->TableMhely->Locate("MH_KOD", db::Variant(mh))) {
                ui::ShowMessage(QStringLiteral("Ez a kód nem létezik!"));
                DBEdit8->setFocus();
                F("SF_MHKOD").Clear();
            }
            Frissit();
            break;
        }
        case 11: {
            const payroll::FieldValues* item = Item();
            if (!Vallalkozo() && payroll::PayItemFlag(item, "JC_SZJAKOT"))
                F("SF_JARALAP").SetValue(F("SF_ADOALAP").Value());
            break;
        }
        default:
            break;
    }
}

void TUjJogcimForm::AlapSzamitas() {
    if (!Editing()) return;
    const payroll::FieldValues* item = Item();
    const std::string code = Edit1->text().trimmed().toStdString();
    const payroll::Money osszeg = F("SF_OSSZEG").AsFloat();
    auto set = [](const char* field, long long value) { F(field).SetAsFloat(static_cast<double>(value)); };
    if (Vallalkozo()) {
        if (payroll::PayItemFlag(item, "JC_NYJKOT") || payroll::PayItemFlag(item, "JC_EVAKOT")) {
            const payroll::Money nyugKot = VallalkozoNyugKotOsszeg;
            const payroll::Money minAlap = VallalkozoMinAlap;
            const payroll::Money szamolt = VallalkozoSzamoltAlap;
            payroll::Money jaralap;
            if (osszeg + nyugKot < minAlap)
                jaralap = minAlap - szamolt;
            else if (run_.Context().month == 1)
                jaralap = osszeg;
            else
                jaralap = osszeg + nyugKot - szamolt;
            F("SF_JARALAP").SetAsFloat(static_cast<double>(jaralap.Value()));
        }
        if (code == "210") F("SF_JARALAP").SetAsFloat(static_cast<double>(osszeg.Value()));
        set("SF_ADOALAP", osszeg.Round());
        return;
    }
    if (code < "280") {
        const std::string alkmin = run_.Context().employee.Text("DG_ALKMIN");
        const payroll::Money szaz = item ? item->Num("JC_SZAZ") : 0.0;
        long long both = 0;
        if (alkmin == "6") {
            if (!payroll::PayItemFlag(item, "JC_ELKULADO")) return;
            both = payroll::Percent(szaz, osszeg).Round();
        } else if (alkmin == "9") {
            both = payroll::Percent(szaz, osszeg).Round();
        } else if (item && item->Text("JC_SZAMKEP") == "08" && szaz < payroll::Money(100)) {
            both = payroll::Percent(szaz, osszeg).Round();
        } else {
            both = osszeg.Round();
        }
        set("SF_ADOALAP", both);
        set("SF_JARALAP", both);
    } else if (F("SF_JCTIPUS").AsString() == "F") {
        set("SF_ADOALAP", (payroll::Money(0) - osszeg).Round());
    }
}

void TUjJogcimForm::DateExit(TDBDateEdit* edit) { DateEditExitCheck(edit); }

bool TUjJogcimForm::FormCloseQuery() {
    const QString tol = DBDateEdit1->HasDateContent() ? DBDateEdit1->Text() : QString();
    const QString ig = DBDateEdit2->HasDateContent() ? DBDateEdit2->Text() : QString();
    if (tol > ig || (tol.isEmpty() && !ig.isEmpty())) {
        ui::ShowMessage(QStringLiteral("A 'Tól' mezőnek kisebbnek kel lennie mint az 'Ig' mezőnek!"));
        DBDateEdit1->setFocus();
        return false;
    }
    return true;
}

void TUjJogcimForm::done(int result) {
    if (!FormCloseQuery()) return;
    // What was typed last goes into the record before the form takes it.
    for (TDBEdit* e : edits_)
        if (e->DataSource() && Editing()) e->UpdateRecord();
    QDialog::done(result);
}
