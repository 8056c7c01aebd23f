#include "masterdata/MaintenanceForm.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/DBControls.h"
#include "core/DataModule1.h"
#include "core/Kivalaszt.h"
#include "core/KivalasztSQL.h"
#include "core/TableLayouts.h"
#include "platform/db/Transaction.h"
#include "platform/os/ScopeGuard.h"
#include "platform/ui/ControlTable.h"
#include "platform/ui/Dialogs.h"

MaintenanceForm::MaintenanceForm(db::Table* table, QWidget* parent) : RecordForm(parent) {
    member_.table = table;
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    auto* layout = new QVBoxLayout(this);
    page_ = new QGridLayout;
    page_->setColumnStretch(3, 1);
    layout->addLayout(page_);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    BuildButtons(this, buttons, {});
    layout->addLayout(buttons);
}

MaintenanceForm::~MaintenanceForm() {
    Detach();
    if (created_) FormClose();
}

// --- Page -----------------------------------------------------------------------------

void MaintenanceForm::AddValueSetCode(TDBEdit* edit, QLabel* name, const std::string& type) {
    coded_.push_back({edit, name, 1, type, DM1->TableErtekkeszlet, "EK_ERTEK", "EK_ERTEKNEV", 35, 226,
                      QStringLiteral("Ez a kód nem létezik!"), true});
}

void MaintenanceForm::AddRecordCode(TDBEdit* edit, QLabel* name, int kind, db::Table* table,
                                    const std::string& codeField, int codeWidth, const std::string& nameField,
                                    int nameWidth, const QString& missing, bool clickOpens,
                                    const std::string& thirdField, int thirdWidth) {
    coded_.push_back({edit,
                      name,
                      kind,
                      {},
                      table,
                      codeField,
                      nameField,
                      codeWidth,
                      nameWidth,
                      missing,
                      clickOpens,
                      thirdField,
                      thirdWidth});
}

void MaintenanceForm::AddSqlRecordCode(TDBEdit* edit, QLabel* name, db::Table* table,
                                       const std::string& codeField, int codeWidth,
                                       const std::string& nameField, int nameWidth, const QString& missing) {
    coded_.push_back({edit, name, 0, {}, table, codeField, nameField, codeWidth, nameWidth, missing, true});
}

QWidget* MaintenanceForm::TablePage() {
    auto* page = new QWidget(this);
    page->setObjectName("PanelLap");
    ui::PageGrid(page)->setContentsMargins(0, 0, 0, 0);
    ui::PageGrid(page)->setColumnStretch(2, 1);
    page_->addWidget(page, 0, 0, 1, 3);
    return page;
}

void MaintenanceForm::AddBuilt(QWidget* control) { built_.push_back(control); }

void MaintenanceForm::AdoptBuilt() {
    for (QWidget* w : findChildren<QWidget*>()) {
        auto* edit = qobject_cast<TDBEdit*>(w);
        if (!edit && !qobject_cast<TDBCheckBox*>(w)) continue;
        AddBuilt(w);
        const QString type = ui::ValueSetOf(w);
        if (edit && !type.isEmpty())
            AddValueSetCode(edit, findChild<QLabel*>("Label" + w->objectName()), type.toStdString());
    }
}

std::vector<TDBEdit*> MaintenanceForm::AllEdits() const {
    std::vector<TDBEdit*> all;
    for (QWidget* w : built_)
        if (auto* e = qobject_cast<TDBEdit*>(w)) all.push_back(e);
    return all;
}

// --- Life -------------------------------------------------------------------------------

void MaintenanceForm::FormCreate(Member member) {
    member.table = member_.table;
    member_ = std::move(member);
    for (TDBEdit* e : AllEdits()) {
        connect(e, &QLineEdit::textChanged, this, &MaintenanceForm::SzerkesztesChange);
        connect(e, &TDBEdit::Exited, this, [this, e] {
            if (const CodedEdit* c = Coded(e)) DBEditExit(*c);
        });
    }
    QWidget* previous = built_.empty() ? nullptr : built_.back();
    for (QWidget* b :
         std::initializer_list<QWidget*>{BitBtn5, BitBtn6, BitBtn7, BitBtn8, BitBtn9, BitBtn11, BitBtn10}) {
        if (previous) setTabOrder(previous, b);
        previous = b;
    }
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    BitBtn8->setVisible(member_.listButton);

    if (member_.pickList) KivalasztForm = new TKivalasztForm(this);
    if (std::any_of(coded_.begin(), coded_.end(), [](const CodedEdit& c) { return c.kind == 0; }))
        KivalasztSQLForm = sqlPick_ = new TKivalasztSQLForm(this);
    created_ = true;
    TableNyitZar(0);
    mode_ = Browse;
    BitBtn9->setEnabled(false);
    BitBtn11->setEnabled(false);
    SetRecordButtons();
    ShowPages(false);
    Frissit();
}

void MaintenanceForm::BeforeTablesClose() {
    if (member_.pickList && KivalasztForm) {
        delete KivalasztForm;
        KivalasztForm = nullptr;
    }
    if (sqlPick_) {
        if (KivalasztSQLForm == sqlPick_) KivalasztSQLForm = nullptr;
        delete sqlPick_;
        sqlPick_ = nullptr;
    }
}

void MaintenanceForm::TableNyitZar(int n) {
    if (n == 0)
        Table().Open();
    else
        Table().Close();
}

void MaintenanceForm::reject() {
    // Esc with no control taking it: the cancel button, when it is enabled.
    if (BitBtn10->isEnabled())
        BitBtn10Click();
    else if (member_.megsemCancels && BitBtn9->isEnabled())
        Megsem();
}

// --- Buttons --------------------------------------------------------------------------

void MaintenanceForm::MoveRecord(RecordMove move) {
    db::Table& t = Table();
    switch (move) {
        case RecordMove::Prior:
            t.Prior();
            break;
        case RecordMove::Next:
            t.Next();
            break;
        case RecordMove::First:
            t.First();
            break;
        case RecordMove::Last:
            t.Last();
            break;
        case RecordMove::Back10:
            t.MoveBy(-10);
            break;
        case RecordMove::Forward10:
            t.MoveBy(10);
            break;
    }
    Frissit();
}

void MaintenanceForm::SetRecordButtons() {
    const bool records = Table().Active() && !Table().IsEmpty();
    BitBtn6->setEnabled(records);
    BitBtn7->setEnabled(records);
    BitBtn8->setEnabled(records && HasListForm());
}

void MaintenanceForm::GombLetilt() {
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5, BitBtn6, BitBtn7, BitBtn8, BitBtn10, BitBtn11})
        b->setEnabled(false);
    BitBtn9->setEnabled(true);
    keyPreview_ = false;
    ShowPages(true);
    ModeButtons(false);
}

void MaintenanceForm::GombEngedelyez() {
    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5, BitBtn10})
        b->setEnabled(true);
    SetRecordButtons();
    BitBtn9->setEnabled(false);
    BitBtn11->setEnabled(false);
    keyPreview_ = true;
    for (TDBEdit* e : member_.keyEdits) e->setEnabled(true);
    ShowPages(false);
    ModeButtons(true);
    BitBtn5->setFocus();
}

void MaintenanceForm::ShowPages(bool enabled) {
    if (!member_.pages) return;
    for (int i = 0; i < member_.pages->count(); ++i) member_.pages->widget(i)->setEnabled(enabled);
    member_.pages->setCurrentIndex(0);
}

// --- Record operations ----------------------------------------------------------------

void MaintenanceForm::Felvitel() {
    mode_ = Insert;
    GombLetilt();
    Table().Append();
    NewRecordDefaults();
    if (member_.insertFocus) member_.insertFocus->setFocus();
}

void MaintenanceForm::Modositas() {
    // On an empty table there is no record to change (F12 would start an insert).
    if (Table().IsEmpty()) return;
    mode_ = Edit;
    GombLetilt();
    for (TDBEdit* e : member_.keyEdits) e->setEnabled(false);
    Table().Edit();
    if (member_.editFocus) member_.editFocus->setFocus();
}

void MaintenanceForm::Postazas() {
    const QString question = mode_ == Insert ? member_.insertQuestion : member_.editQuestion;
    if (!Ask(question, ui::Icon::Question)) {
        Megsem();
        return;
    }
    Frissit();
    for (TDBEdit* e : AllEdits()) e->UpdateRecord();
    BeforePost();
    if (!member_.trimmedKey.empty()) {
        db::Field& key = Table().FieldByName(member_.trimmedKey);
        const QString trimmed = QString::fromStdString(key.AsString()).trimmed();
        if (trimmed.isEmpty())
            key.Clear();
        else
            key.SetAsString(trimmed.toStdString());
    }
    const bool inserted = mode_ == Insert;
    try {
        Table().Post();
    } catch (const db::AbortError&) {
        return;  // the data module told the user; the record is still typed
    }
    if (inserted)
        AfterInsertPost();
    else
        AfterEditPost();
    mode_ = Browse;
    GombEngedelyez();
}

void MaintenanceForm::Megsem() {
    megsemFut_ = true;
    os::ScopeGuard done([this] { megsemFut_ = false; });
    const RecordMode was = mode_;
    if (was != Browse) {
        Table().Cancel();
        if (was == Insert) Table().First();
    }
    mode_ = Browse;
    GombEngedelyez();
    Frissit();
}

void MaintenanceForm::Torles() {
    if (!Table().Active() || Table().IsEmpty()) {
        ui::ShowMessage(QStringLiteral("Üres az adatbázis!"));
        return;
    }
    if (InUse()) {
        ui::ShowMessage(member_.inUseMessage);
        return;
    }
    if (Ask(QStringLiteral("Valóban törölni szeretné a rekordot?"), ui::Icon::Question, ui::No)) {
        DeleteRecord();
        Frissit();
    }
    if (Table().IsEmpty()) SetRecordButtons();
}

void MaintenanceForm::DeleteRecord() { Table().Delete(); }

void MaintenanceForm::DeleteWithRows(db::Table& rows, const std::string& field, const std::string& keyField) {
    const std::string key = Table().FieldByName(keyField).AsString();
    try {
        db::Transaction tx{&rows, &Table()};
        rows.First();
        while (!rows.Eof()) {
            if (rows.FieldByName(field).AsString() == key)
                rows.Delete();
            else
                rows.Next();
        }
        Table().Delete();
        tx.Commit();
    } catch (const std::exception&) {
        db::HandleApplicationException(std::current_exception());
    }
}

bool MaintenanceForm::InUse() {
    for (const Member::Reference& ref : member_.references) {
        const std::vector<std::string> key = db::Dataset::SplitFieldNames(Table().KeyFieldNames());
        const db::Variant code = Table().FieldByName(key.front()).Value();
        db::Table& other = *ref.table;
        os::ScopeGuard writable([&other] {
            other.Close();
            other.ReadOnly = false;
        });
        other.ReadOnly = true;
        other.Open();
        if (other.Locate(ref.field, code)) return true;
    }
    return false;
}

void MaintenanceForm::Listazas() {
    if (!HasListForm()) return;
    ShowWithTablesClosed([this] { return CreateListForm(); });
}

void MaintenanceForm::ShowWithTablesClosed(const std::function<std::unique_ptr<QDialog>()>& create) {
    TableNyitZar(1);
    os::ScopeGuard reopen([this] { TableNyitZar(0); });
    // Made after the tables are closed and freed before they open again:
    // a list opens the same tables read-only and closes them when freed.
    std::unique_ptr<QDialog> list = create();
    ui::ShowModal(*list);
}

bool MaintenanceForm::RogzitesMehetVizs() const {
    for (const TDBEdit* e : member_.required)
        if (e->Text().trimmed().isEmpty()) return false;
    return true;
}

// --- Keys -----------------------------------------------------------------------------

void MaintenanceForm::BrowsePick() {
    if (member_.pickKind == 0 || !KivalasztForm) return;
    const auto& c = member_.pickColumns;
    auto column = [&c](size_t i) { return i < c.size() ? c[i] : Member::PickColumn{"", 0}; };
    KivalasztForm->KivalasztBeallit(member_.pickKind, "", column(0).field, column(0).width, column(1).field,
                                    column(1).width, column(2).field, column(2).width, 1);
    ui::ShowModal(*KivalasztForm);
    Frissit();
}

void MaintenanceForm::EnterKey(QWidget* edit) {
    const int tag = edit->property("Tag").toInt();
    if (tag == 0)
        focusNextChild();
    else if (tag == member_.saveTag) {
        if (BitBtn11->isEnabled()) BitBtn11->setFocus();
    } else {
        EnterTag(tag);
    }
}

void MaintenanceForm::InputPick(QWidget* edit) {
    if (const CodedEdit* c = Coded(edit)) DBEditClick(*c);
}

bool MaintenanceForm::IsInput(const QObject* watched) const {
    return std::find(built_.begin(), built_.end(), watched) != built_.end();
}

bool MaintenanceForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && mode_ != Browse) {
        const CodedEdit* c = Coded(watched);
        if (c && c->clickOpens && c->edit->isEnabled()) DBEditClick(*c);
    }
    return RecordForm::eventFilter(watched, event);
}

// --- Coded edits ----------------------------------------------------------------------

const MaintenanceForm::CodedEdit* MaintenanceForm::Coded(const QObject* edit) const {
    for (const CodedEdit& c : coded_)
        if (c.edit == edit) return &c;
    return nullptr;
}

void MaintenanceForm::DBEditClick(const CodedEdit& coded) {
    if (coded.kind == 0) {
        if (!sqlPick_) return;
        db::Table& t = *coded.table;
        sqlPick_->KivalasztSQLBeallit(t, {&t.FieldByName(coded.codeField), &t.FieldByName(coded.nameField)},
                                      {coded.codeWidth, coded.nameWidth}, "", 0);
        ui::ShowModal(*sqlPick_);
        if (sqlPick_ && sqlPick_->ErtekAtadSQL()) {
            if (db::Field* f = coded.edit->Field()) f->SetAsString(t.FieldByName(coded.codeField).AsString());
            Frissit();
        }
        return;
    }
    if (!KivalasztForm) return;
    KivalasztForm->KivalasztBeallit(coded.kind, coded.valueSetType, coded.codeField, coded.codeWidth,
                                    coded.nameField, coded.nameWidth, coded.thirdField, coded.thirdWidth, 0);
    ui::ShowModal(*KivalasztForm);
    if (KivalasztForm && KivalasztForm->ErtekAtad()) {
        if (db::Field* f = coded.edit->Field())
            f->SetAsString(coded.table->FieldByName(coded.codeField).AsString());
        Frissit();
    }
}

void MaintenanceForm::DBEditExit(const CodedEdit& coded) {
    if (mode_ == Browse) return;
    const QString code = coded.edit->Text().trimmed();
    if (!code.isEmpty() && !coded.missing.isEmpty() && !CodeName(coded, code)) {
        ui::ShowMessage(coded.missing);
        coded.edit->setFocus();
        if (db::Field* f = coded.edit->Field()) f->Clear();
    }
    Frissit();
}

std::optional<QString> MaintenanceForm::CodeName(const CodedEdit& coded, const QString& code) const {
    db::Table& t = *coded.table;
    if (!t.Active() || code.isEmpty()) return std::nullopt;
    if (coded.kind == 1) {
        t.SetFilter("EK_TIPUS='" + coded.valueSetType + "'");
        t.SetFiltered(true);
    }
    if (!t.Locate(coded.codeField, db::Variant(code.toStdString()))) return std::nullopt;
    return QString::fromStdString(t.FieldByName(coded.nameField).AsString());
}

void MaintenanceForm::Frissit() {
    bool valueSets = false;
    for (const CodedEdit& c : coded_) {
        valueSets |= c.kind == 1;
        if (c.name) c.name->setText(CodeName(c, c.edit->Text().trimmed()).value_or(QString()));
    }
    if (valueSets) DM1->TableErtekkeszlet->SetFiltered(false);
}
