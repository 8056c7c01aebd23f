#include "core/GridEditor.h"

#include <QChildEvent>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/DBText.h"
#include "core/KivalasztSQL.h"
#include "platform/ui/DatasetGrid.h"
#include "platform/ui/Dialogs.h"

namespace {

const QString kUzenet = QStringLiteral("Üzenet");

bool Ask(const QString& text, ui::Icon icon, int defaultButton = ui::NoButton) {
    return ui::MessageBox(kUzenet, text, icon, ui::Yes | ui::No, defaultButton) == ui::Yes;
}

int ColumnWidth(const db::Field& f) {
    if (db::IsTextType(f.DataType())) return std::clamp(f.Size() * 8, 40, 240);
    return 72;
}

}  // namespace

TGridEditor::TGridEditor(QWidget* parent) : QDialog(parent) {}

TGridEditor::~TGridEditor() { FormDestroy(); }

void TGridEditor::Build(Member member) {
    member_ = std::move(member);
    setObjectName(member_.objectName);
    setWindowTitle(member_.caption);
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    resize(member_.size);

    auto* outer = new QVBoxLayout(this);
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    auto* panel1 = new QVBoxLayout(Panel1);
    panel1->setContentsMargins(0, 0, 0, 0);
    DBGrid1 = new ui::DatasetGrid(Panel1);
    DBGrid1->setObjectName("DBGrid1");
    panel1->addWidget(DBGrid1);
    outer->addWidget(Panel1, 1);

    Panel2 = new QWidget(this);
    Panel2->setObjectName("Panel2");
    Panel2->setMinimumHeight(40);
    auto* panel2 = new QHBoxLayout(Panel2);
    panel2->setContentsMargins(4, 4, 100, 4);
    auto button = [&](const char* name, const QString& caption, int tag, const QString& hint) {
        auto* b = new QPushButton(caption, Panel2);
        b->setObjectName(name);
        b->setProperty("Tag", tag);
        b->setToolTip(hint);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, b] { BitBtnClick(b); });
        return b;
    };
    const int felvitelTag = member_.newRecordTag                     ? member_.newRecordTag
                            : member_.newRecord == NewRecord::Insert ? 5
                                                                     : 1;
    if (member_.newRecord != NewRecord::None)
        Felvitel = button("BitBtn5", QStringLiteral("Felvitel"), felvitelTag,
                          felvitelTag == 5 ? QStringLiteral("Ins") : QString());
    Modosit = button("BitBtn6", QStringLiteral("Módosít"), 6, QStringLiteral("F12"));
    Torles = button("BitBtn7", QStringLiteral("Törlés"), 7, QStringLiteral("Del"));
    Megsem = button("BitBtn9", QStringLiteral("Mégsem"), 9, {});
    Rogzites = button("BitBtn11", QStringLiteral("Rögzítés"), 11, {});
    for (QPushButton* b : {Felvitel, Modosit, Torles, Megsem, Rogzites})
        if (b) panel2->addWidget(b);
    if (*member_.extraName) {
        Extra = new QPushButton(member_.extraCaption, Panel2);
        Extra->setObjectName(member_.extraName);
        Extra->setAutoDefault(false);
        Extra->setEnabled(false);
        connect(Extra, &QPushButton::clicked, this, [this] { ExtraClick(); });
        panel2->addWidget(Extra);
    }
    DBText1 = new TDBText(Panel2);
    DBText1->setObjectName("DBText1");
    DBText2 = new TDBText(Panel2);
    DBText2->setObjectName("DBText2");
    panel2->addSpacing(12);
    panel2->addWidget(DBText1);
    panel2->addWidget(DBText2, 1);
    DBText1->setVisible(member_.labels);
    DBText2->setVisible(member_.labels);
    if (!member_.labels) panel2->addStretch(1);
    // Kilépés keeps to the right edge (resizeEvent), outside the row.
    Kilepes = new QPushButton(QStringLiteral("Kilépés"), Panel2);
    Kilepes->setObjectName("BitBtn10");
    Kilepes->setProperty("Tag", 10);
    Kilepes->setToolTip(QStringLiteral("ESC"));
    Kilepes->setAutoDefault(false);
    Kilepes->resize(80, 28);
    connect(Kilepes, &QPushButton::clicked, this, [this] { BitBtnClick(Kilepes); });
    outer->addWidget(Panel2);
    Megsem->setEnabled(false);
    Rogzites->setEnabled(false);

    // FormCreate
    if (!member_.pickColumn.empty()) pick_ = new TKivalasztSQLForm();
    db::Table& table = Table();
    db::DataSource* source = DM1->*member_.source;
    autoEdit_ = source->AutoEdit;
    source->AutoEdit = false;
    source->OnStateChange = [this](db::DataSource&) { DataSource1StateChange(); };
    source->OnUpdateData = [this](db::DataSource&) { DataSource1UpdateData(); };
    for (auto t : member_.writableTables) {
        (DM1->*t)->Open();
        opened_.push_back(DM1->*t);
    }
    if (PerEmployee()) {
        DM1->TableDolgozo->Close();
        DM1->TableDolgozo->ReadOnly = true;
    }
    for (auto t : member_.readOnlyTables) {
        (DM1->*t)->Close();
        (DM1->*t)->ReadOnly = true;
    }
    if (PerEmployee()) DM1->TableDolgozo->Open();
    for (auto t : member_.readOnlyTables) (DM1->*t)->Open();
    if (member_.writableWhileOpen) {
        table.Close();
        table.ReadOnly = false;
    }
    table.Open();
    SetCodeFieldsReadOnly(true);

    std::vector<std::string> names = member_.columns;
    if (names.empty()) {
        for (int i = 0; i < table.FieldCount(); ++i) {
            const std::string& name = table.Fields(i).FieldName();
            if (name == member_.nameField) continue;
            names.push_back(name);
            if (!member_.codeFields.empty() && name == member_.codeFields.front() &&
                !member_.nameField.empty())
                names.push_back(member_.nameField);
        }
    }
    std::vector<ui::DatasetGridModel::Column> columns;
    for (const std::string& name : names) {
        // Wide enough for its title too.
        const db::Field& f = table.FieldByName(name);
        const int title =
            DBGrid1->fontMetrics().horizontalAdvance(QString::fromStdString(f.DisplayName())) + 16;
        columns.push_back({name, {}, std::max(ColumnWidth(f), title), false});
    }
    DBGrid1->SetColumns(std::move(columns));
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == member_.pickColumn) DBGrid1->Model()->SetColumnEditing(int(i), {false, {}, true});
    connect(DBGrid1, &ui::DatasetGrid::EditButtonClicked, this, [this] { DBGrid1EditButtonClick(); });
    DBGrid1->SetDataSet(&table);
    const std::string code = !member_.labelCode.empty()    ? member_.labelCode
                             : !member_.codeFields.empty() ? member_.codeFields.front()
                                                           : std::string();
    const std::string name = !member_.labelName.empty() ? member_.labelName : member_.nameField;
    if (!code.empty()) {
        DBText1->SetDataSource(source);
        DBText1->SetDataField(QString::fromStdString(code));
    }
    if (!name.empty()) {
        DBText2->SetDataSource(source);
        DBText2->SetDataField(QString::fromStdString(name));
    }
    DataSource1StateChange();
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

void TGridEditor::FormDestroy() {
    if (destroyed_ || !member_.table) return;
    destroyed_ = true;
    delete pick_;
    pick_ = nullptr;
    db::DataSource* source = DM1->*member_.source;
    source->OnStateChange = nullptr;
    source->OnUpdateData = nullptr;
    source->AutoEdit = autoEdit_;
    DBGrid1->SetDataSet(nullptr);
    DBText1->SetDataSource(nullptr);
    DBText2->SetDataSource(nullptr);
    db::Table& table = Table();
    if (table.Active() && Editing()) table.Cancel();
    table.Close();
    if (member_.writableWhileOpen) table.ReadOnly = true;
    SetCodeFieldsReadOnly(false);
    for (auto t : member_.readOnlyTables) {
        (DM1->*t)->Close();
        (DM1->*t)->ReadOnly = false;
    }
    if (PerEmployee()) {
        DM1->TableDolgozo->Close();
        DM1->TableDolgozo->ReadOnly = false;
    }
    for (db::Table* t : opened_) t->Close();
}

bool TGridEditor::PerEmployee() const { return !member_.codeFields.empty() || !member_.pickColumn.empty(); }

bool TGridEditor::Editing() const {
    const db::DatasetState s = Table().State();
    return s == db::DatasetState::Edit || s == db::DatasetState::Insert;
}

void TGridEditor::SetCodeFieldsReadOnly(bool on) {
    db::Table& table = Table();
    for (const std::string& name : member_.codeFields)
        if (db::Field* f = table.FindField(name)) f->ReadOnly = on;
}

// --- Buttons and keys -------------------------------------------------------

void TGridEditor::BitBtnClick(QPushButton* sender) {
    db::Table& table = Table();
    const int tag = sender ? sender->property("Tag").toInt() : 0;
    try {
        switch (tag) {
            case 5:
            case 1:
                if (table.State() != db::DatasetState::Browse) break;
                member_.newRecord == NewRecord::Append ? table.Append() : table.Insert();
                break;
            case 6:
                if (table.State() == db::DatasetState::Browse && !table.IsEmpty()) table.Edit();
                break;
            case 7:
                if (table.State() == db::DatasetState::Browse && !table.IsEmpty() &&
                    Ask(QStringLiteral("Valóban törölni szeretné a rekordot?"), ui::Icon::Question, ui::Yes))
                    table.Delete();
                break;
            case 9:
                Cancel();
                break;
            case 10:
                close();
                break;
            case 11:
                if (Editing()) PostRecord();
                break;
        }
    } catch (const db::AbortError&) {
        // The data module has said why; the record stays as it is.
    } catch (...) {
        db::HandleApplicationException(std::current_exception());
    }
}

void TGridEditor::PostRecord() { Table().Post(); }

void TGridEditor::Cancel() {
    if (!Editing()) return;
    DBGrid1->SetEditing(false);
    Table().Cancel();
}

bool TGridEditor::FormKeyDown(int key) {
    db::Table& table = Table();
    const bool browsing = table.State() == db::DatasetState::Browse;
    switch (key) {
        case Qt::Key_Insert:
            if (!member_.insKey || !Felvitel) return false;
            if (browsing) BitBtnClick(Felvitel);
            return true;
        case Qt::Key_F12:
            if (browsing) BitBtnClick(Modosit);
            return true;
        case Qt::Key_Delete:
            if (!browsing) return member_.delAlways;  // else the cell editor's own key
            BitBtnClick(Torles);
            return true;
        case Qt::Key_Escape:
            if (Editing())
                Cancel();
            else
                close();
            return true;
        default:
            return false;
    }
}

bool TGridEditor::eventFilter(QObject* watched, QEvent* event) {
    // A cell editor comes later than the form: the form sees its keys first too.
    if (event->type() == QEvent::ChildAdded)
        if (QObject* child = static_cast<QChildEvent*>(event)->child(); child && child->isWidgetType())
            child->installEventFilter(this);
    if (event->type() == QEvent::KeyPress && member_.table) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (FormKeyDown(k->key())) return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TGridEditor::keyPressEvent(QKeyEvent* event) {
    if (member_.table && FormKeyDown(event->key())) return;
    QDialog::keyPressEvent(event);
}

void TGridEditor::reject() {
    if (Editing())
        Cancel();
    else
        close();
}

bool TGridEditor::FormCloseQuery() {
    if (!member_.table || destroyed_) return true;
    if (Editing()) {
        if (!Ask(QStringLiteral("Félbeszakítja a műveletet?"), ui::Icon::Warning)) return false;
        Cancel();
        return true;
    }
    return Ask(QStringLiteral("Valóban ki szeretne lépni?"), ui::Icon::Question);
}

void TGridEditor::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormDestroy();
    setResult(QDialog::Rejected);
    event->accept();
}

void TGridEditor::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (Kilepes) Kilepes->move(Panel2->width() - 90, (Panel2->height() - Kilepes->height()) / 2);
}

// --- State ---------------------------------------------------------------------

void TGridEditor::DataSource1StateChange() {
    db::Table& table = Table();
    if (!table.Active()) return;
    const bool editing = Editing();
    for (QPushButton* b : {Felvitel, Modosit, Torles, Extra})
        if (b) b->setEnabled(!editing);
    Megsem->setEnabled(editing);
    Rogzites->setEnabled(editing);
    if (member_.codeWritableWhileInserting) SetCodeFieldsReadOnly(table.State() != db::DatasetState::Insert);
    if (editing) {
        DBGrid1->setFocus();
        DBGrid1->SetEditing(true);
    }
}

void TGridEditor::DataSource1UpdateData() { DBGrid1->SetEditing(false); }

void TGridEditor::DBGrid1EditButtonClick() {
    if (!pick_ || !Editing()) return;
    db::Table& dolgozo = *DM1->TableDolgozo;
    pick_->KivalasztSQLBeallit(
        dolgozo, {&dolgozo.FieldByName("DG_TORZSSZAM"), &dolgozo.FieldByName("DG_NEV")}, {73, 336}, "", 0);
    ui::ShowModal(*pick_);
    if (!pick_->ErtekAtadSQL()) return;
    SetCodeFieldsReadOnly(false);
    try {
        EmployeePicked();
    } catch (...) {
        SetCodeFieldsReadOnly(true);
        throw;
    }
    SetCodeFieldsReadOnly(true);
}

void TGridEditor::EmployeePicked() {
    Table()
        .FieldByName(member_.pickColumn)
        .SetAsString(DM1->TableDolgozo->FieldByName("DG_TORZSSZAM").AsString());
}
