#include "core/ListForm.h"

#include "core/DateEditCheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

#include "controls/ComboEdits.h"
#include "controls/ControlUtils.h"
#include "controls/NumEdits.h"
#include "core/Kivalaszt.h"
#include "core/KivalasztSQL.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/DayNumber.h"
#include "platform/os/ScopeGuard.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"

// --- The parameter form ----------------------------------------------------------

struct ListForm::Row {
    const ParamField* field = nullptr;
    QLabel* caption = nullptr;
    QWidget* from = nullptr;
    QWidget* to = nullptr;
    QLabel* fromName = nullptr;
    QLabel* toName = nullptr;
};

ListForm::ListForm(ListDecl decl, QWidget* parent) : QDialog(parent), decl_(std::move(decl)) {
    setObjectName(decl_.objectName);
    setWindowTitle(decl_.caption);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    Build();
    // FormCreate: the pick list, then the tables.
    if (decl_.ownPickList || !KivalasztForm) {
        pick_ = new TKivalasztForm();
        KivalasztForm = pick_;
    }
    OpenTables();
}

ListForm::~ListForm() {
    try {
        CloseTables();
    } catch (const std::exception&) {
        // Closing read-only tables loses nothing.
    }
    if (pick_) {
        if (KivalasztForm == pick_) KivalasztForm = nullptr;
        delete pick_;
    }
    if (sqlPick_) {
        if (KivalasztSQLForm == sqlPick_) KivalasztSQLForm = nullptr;
        delete sqlPick_;
    }
}

void ListForm::Build() {
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    outer->addLayout(grid);
    int r = 0;

    auto nameBox = [&](int row, QLabel** name, const QString& side, bool withName) {
        auto* box = new QHBoxLayout;
        box->setSpacing(9);
        if (withName) {
            *name = new QLabel(this);
            box->addWidget(*name);
        }
        if (!side.isEmpty()) box->addWidget(new QLabel(side, this));
        box->addStretch(1);
        grid->addLayout(box, row, 2);
    };

    auto makeControl = [&](const ParamField& f, const char* name) -> QWidget* {
        QWidget* w = nullptr;
        switch (f.kind) {
            case ParamKind::Month: {
                auto* e = new TCurrencyEdit(this);
                e->SetDecimalPlaces(0);
                e->SetDisplayFormat(QStringLiteral("00"));
                e->SetMinValue(1);
                e->SetMaxValue(12);
                e->SetMaxLength(2);
                e->SetValue(0);
                e->setFixedWidth(40);
                e->OnExit = [this, e] { Exit(e); };
                e->OnChange = [this] { NyomtatasMehet(); };
                w = e;
                break;
            }
            case ParamKind::Date: {
                auto* e = new TDateEdit(this);
                e->OnExit = [this, e] {
                    if (DateEditExit(e)) Exit(e);
                };
                e->OnChange = [this] { NyomtatasMehet(); };
                w = e;
                break;
            }
            case ParamKind::Code:
            case ParamKind::Text: {
                auto* e = new QLineEdit(this);
                if (*f.mask) e->setInputMask(QtEditMask(QString::fromUtf8(f.mask)));
                e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(13, u'9')));
                connect(e, &QLineEdit::textChanged, this, [this] { NyomtatasMehet(); });
                w = e;
                break;
            }
            case ParamKind::MonthCombo:
            case ParamKind::Combo: {
                auto* c = new QComboBox(this);
                if (f.kind == ParamKind::MonthCombo)
                    for (int m = 1; m <= 12; ++m) c->addItem(QString("%1").arg(m, 2, 10, QChar('0')));
                else
                    c->addItems(f.items);
                connect(c, &QComboBox::currentIndexChanged, this, [this, c, codes = f.codes](int i) {
                    if (QLabel* label = NameLabel(c->objectName()))
                        label->setText(i >= 0 && i < codes.size() ? codes[i] : QString());
                    NyomtatasMehet();
                });
                w = c;
                break;
            }
            case ParamKind::Check: {
                auto* c = new QCheckBox(this);
                w = c;
                break;
            }
        }
        w->setObjectName(name);
        w->installEventFilter(this);
        if (f.disabled) w->setEnabled(false);
        return w;
    };

    for (const ParamField& f : decl_.fields) {
        auto row = std::make_unique<Row>();
        row->field = &f;
        row->caption = new QLabel(f.caption, this);
        grid->addWidget(row->caption, r, 0);
        row->from = makeControl(f, f.from);
        grid->addWidget(row->from, r, 1);
        const bool named = (f.kind == ParamKind::Code && f.code && *f.code->nameField) || !f.codes.isEmpty();
        const bool range = *f.to != 0;
        nameBox(r, &row->fromName, range ? QStringLiteral("-tól") : QString(), named);
        if (f.hidden) {
            row->caption->hide();
            row->from->hide();
        }
        ++r;
        if (range) {
            row->to = makeControl(f, f.to);
            grid->addWidget(row->to, r, 1);
            nameBox(r, &row->toName, QStringLiteral("-ig"), named);
            if (f.hidden) row->to->hide();
            ++r;
        }
        rows_.push_back(std::move(row));
    }
    grid->setColumnStretch(2, 1);

    for (const ParamOption& o : decl_.options) {
        auto* c = new QCheckBox(o.caption, this);
        c->setObjectName(o.name);
        c->setChecked(o.checked);
        c->setLayoutDirection(Qt::RightToLeft);
        grid->addWidget(c, r++, 0, 1, 2, Qt::AlignLeft);
        if (QString(o.name) == "CheckBoxListaDatum") CheckBoxListaDatum = c;
    }

    if (decl_.listBox) {
        ListBox1 = new QListWidget(this);
        ListBox1->setObjectName("ListBox1");
        outer->addWidget(ListBox1);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    if (!decl_.noStartButton1) {
        BitBtn1 = new QPushButton(QStringLiteral("Lekérdezés"), this);
        BitBtn1->setObjectName("BitBtn1");
        BitBtn1->setAutoDefault(false);
        connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
        buttons->addWidget(BitBtn1);
        startButtons_.push_back(BitBtn1);
    }
    for (size_t i = 0; i < decl_.startButtons.size(); ++i) {
        auto* b = new QPushButton(decl_.startButtons[i].second, this);
        b->setObjectName(decl_.startButtons[i].first);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { StartButtonClick(int(i)); });
        buttons->addWidget(b);
        startButtons_.push_back(b);
    }
    BitBtn2 = new QPushButton(QStringLiteral("Kilépés"), this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setAutoDefault(false);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(BitBtn2);
    outer->addLayout(buttons);

    for (int i = 1; i <= decl_.progressBars && i <= 2; ++i) {
        auto* p = new QProgressBar(this);
        p->setObjectName(QString("ProgressBar%1").arg(i));
        p->setTextVisible(false);
        p->setMaximumHeight(14);
        p->setValue(0);
        outer->addWidget(p);
        (i == 1 ? ProgressBar1 : ProgressBar2) = p;
    }
}

QWidget* ListForm::Control(const QString& name) const { return findChild<QWidget*>(name); }
TCurrencyEdit* ListForm::MonthEdit(const QString& name) const { return findChild<TCurrencyEdit*>(name); }
TDateEdit* ListForm::DateEdit(const QString& name) const { return findChild<TDateEdit*>(name); }
QLineEdit* ListForm::Edit(const QString& name) const { return findChild<QLineEdit*>(name); }
QComboBox* ListForm::Combo(const QString& name) const { return findChild<QComboBox*>(name); }
QCheckBox* ListForm::Check(const QString& name) const { return findChild<QCheckBox*>(name); }

const ListForm::Row* ListForm::RowOf(const QWidget* control) const {
    for (const auto& r : rows_)
        if (r->from == control || r->to == control) return r.get();
    return nullptr;
}

QLabel* ListForm::NameLabel(const QString& editName) const {
    for (const auto& r : rows_) {
        if (r->from && r->from->objectName() == editName) return r->fromName;
        if (r->to && r->to->objectName() == editName) return r->toName;
    }
    return nullptr;
}

QString ListForm::NameText(const QString& editName) const {
    QLabel* l = NameLabel(editName);
    return l ? l->text() : QString();
}

QLabel* ListForm::CaptionLabel(const QString& editName) const {
    for (const auto& r : rows_)
        if ((r->from && r->from->objectName() == editName) || (r->to && r->to->objectName() == editName))
            return r->caption;
    return nullptr;
}

QString ListForm::Text(const QString& name) const {
    QWidget* w = Control(name);
    if (auto* m = qobject_cast<TCurrencyEdit*>(w)) {
        const QString t = m->Text().trimmed();
        return t.isEmpty() ? t : m->FormattedDisplayText();
    }
    if (auto* d = qobject_cast<TDateEdit*>(w)) return d->HasDateContent() ? d->Text() : QString();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text().trimmed();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    return {};
}

int ListForm::Month(const QString& name) const {
    QWidget* w = Control(name);
    if (auto* m = qobject_cast<TCurrencyEdit*>(w)) return m->Text().trimmed().isEmpty() ? 0 : int(m->Value());
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText().toInt();
    return 0;
}

double ListForm::Date(const QString& name) const {
    auto* d = DateEdit(name);
    return d ? d->DateValue() : 0;
}

bool ListForm::Checked(const QString& name) const {
    auto* c = Check(name);
    return c && c->isChecked();
}

void ListForm::SetValue(const QString& name, const db::Variant& value) {
    QWidget* w = Control(name);
    if (auto* m = qobject_cast<TCurrencyEdit*>(w)) {
        m->SetValue(value.IsBlank() ? 0 : double(value.ToInt()));
    } else if (auto* d = qobject_cast<TDateEdit*>(w)) {
        double day = 0;
        if (value.kind() == db::Variant::Kind::Text) {
            if (!value.Text().empty() && !os::TextToDate(value.Text(), day)) day = 0;
        } else {
            day = value.ToDouble();
        }
        d->SetDateValue(day);
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(Q(value.ToString()));
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        QString text = Q(value.ToString());
        if (value.kind() == db::Variant::Kind::Int)
            text = QString("%1").arg(value.ToInt(), 2, 10, QChar('0'));
        const int i = c->findText(text);
        if (i >= 0) c->setCurrentIndex(i);
    } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
        c->setChecked(value.ToBool());
    }
}

void ListForm::OpenTables() {
    auto open = [this](db::Table* t, bool readOnly) {
        opened_.push_back({t, t->ReadOnly});
        t->Close();
        if (readOnly) t->ReadOnly = true;
        t->Open();
    };
    open(DM1->TableErtekkeszlet, false);
    for (db::Table* TDM1::*member : decl_.tables) open(DM1->*member, true);
}

void ListForm::CloseTables() {
    // Reverse order; the value-set table, opened first, closes last.
    while (!opened_.empty()) {
        auto [t, readOnly] = opened_.back();
        opened_.pop_back();
        t->Close();
        t->ReadOnly = readOnly;
    }
}

void ListForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    FormShow();
}

void ListForm::FormShow() {
    for (const auto& r : rows_) {
        const ParamField& f = *r->field;
        if (f.fromDefault) SetValue(f.from, f.fromDefault(*this));
        if (r->to && f.toDefault) SetValue(f.to, f.toDefault(*this));
    }
    Frissit();
    NyomtatasMehet();
}

void ListForm::Frissit() {
    auto show = [](QLineEdit* edit, QLabel* label, const CodeLookup& code) {
        if (!label) return;
        const QString text = edit->text().trimmed();
        QString name;
        if (!text.isEmpty()) {
            db::Table* t = DM1->*(code.table);
            if (t->Active()) name = Q(CodeValue(code, text.toStdString(), code.nameField).ToString());
        }
        label->setText(name);
    };
    for (const auto& r : rows_) {
        const ParamField& f = *r->field;
        if (f.kind != ParamKind::Code || !f.code) continue;
        show(static_cast<QLineEdit*>(r->from), r->fromName, *f.code);
        if (r->to) show(static_cast<QLineEdit*>(r->to), r->toName, *f.code);
    }
}

void ListForm::NyomtatasMehet() {
    bool ok = true;
    auto filled = [](QWidget* w, ParamKind kind) {
        if (!w) return true;
        switch (kind) {
            case ParamKind::Month:
                return !static_cast<TCurrencyEdit*>(w)->Text().trimmed().isEmpty();
            case ParamKind::Date:
                return static_cast<TDateEdit*>(w)->HasDateContent();
            case ParamKind::Code:
            case ParamKind::Text:
                return !static_cast<QLineEdit*>(w)->text().trimmed().isEmpty();
            default:
                return true;
        }
    };
    for (const auto& r : rows_) {
        if (r->field->optional) continue;
        ok = ok && filled(r->from, r->field->kind) && filled(r->to, r->field->kind);
    }
    for (QPushButton* b : startButtons_) b->setEnabled(ok);
}

bool ListForm::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    const Row* row = w ? RowOf(w) : nullptr;
    if (!row) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_F2) {
            KeyDown(w, k->key());
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // The combo edits report their own exit after their own checks.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (qobject_cast<TCustomComboEdit*>(w) == nullptr && qobject_cast<QLineEdit*>(w) != nullptr &&
            reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !exiting_) {
            exiting_ = true;
            Exit(w);
            exiting_ = false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ListForm::KeyDown(QWidget* control, int key) {
    if (key == Qt::Key_F2) {
        const Row* row = RowOf(control);
        auto* edit = qobject_cast<QLineEdit*>(control);
        if (row && edit && row->field->kind == ParamKind::Code && row->field->code &&
            (row->field->code->pickKind != 0 || !row->field->code->sqlColumns.empty()))
            PickCode(edit, *row->field->code);
        return;
    }
    if (*decl_.lastEdit && control->objectName() == decl_.lastEdit) {
        // The first start button: "Lekérdezés", or a form's own first one.
        QPushButton* start = startButtons_.empty() ? nullptr : startButtons_.front();
        if (start && start->isEnabled()) start->setFocus(Qt::TabFocusReason);
        return;
    }
    focusNextChild();
}

void ListForm::PickCode(QLineEdit* edit, const CodeLookup& code) {
    db::Table* table = DM1->*(code.table);
    bool chosen = false;
    if (!code.sqlColumns.empty()) {
        if (!KivalasztSQLForm) {
            sqlPick_ = new TKivalasztSQLForm();
            KivalasztSQLForm = sqlPick_;
        }
        std::vector<db::Field*> fields;
        std::vector<int> widths;
        for (auto [name, width] : code.sqlColumns) {
            fields.push_back(&table->FieldByName(name));
            widths.push_back(width);
        }
        KivalasztSQLForm->KivalasztSQLBeallit(*table, fields, widths, code.sqlCondition, 0);
        ui::ShowModal(*KivalasztSQLForm);
        chosen = KivalasztSQLForm->ErtekAtadSQL();
    } else {
        KivalasztForm->KivalasztBeallit(code.pickKind, code.ekTipus, code.field1, code.width1, code.field2,
                                        code.width2, code.field3, code.width3, 0);
        ui::ShowModal(*KivalasztForm);
        chosen = KivalasztForm->ErtekAtad();
    }
    if (!chosen) return;
    edit->setText(Q(table->FieldByName(code.keyField).AsString()));
    Frissit();
}

void ListForm::Exit(QWidget* control) {
    const Row* row = RowOf(control);
    if (!row) return;
    const ParamField& f = *row->field;
    if (f.kind == ParamKind::Month && *f.reloadsDate) {
        ReloadDate(f.reloadsDate);
    } else if (f.kind == ParamKind::Code && f.code) {
        auto* edit = static_cast<QLineEdit*>(control);
        const QString text = edit->text().trimmed();
        if (!text.isEmpty() && !LocateCode(*f.code, text.toStdString())) {
            ui::ShowMessage(QString::fromUtf8(f.code->message));
            edit->setFocus(Qt::OtherFocusReason);
            edit->clear();
        }
    }
    AfterExit(f, control);
    Frissit();
    NyomtatasMehet();
}

void ListForm::ReloadDate(const char* dateEdit) {
    for (const auto& r : rows_)
        if (r->from && r->from->objectName() == dateEdit && r->field->fromDefault)
            SetValue(dateEdit, r->field->fromDefault(*this));
}

bool ListForm::DateEditExit(TDateEdit* edit) {
    if (DateEditExitCheck(edit)) return true;
    NyomtatasMehet();  // an emptied date disables the start buttons
    return false;
}

void ListForm::closeEvent(QCloseEvent* event) { QDialog::closeEvent(event); }

void ListForm::done(int result) {
    if (!closed_) {
        closed_ = true;
        // FormClose: the pick list goes, the tables close in reverse order.
        if (pick_) {
            if (KivalasztForm == pick_) KivalasztForm = nullptr;
            delete pick_;
            pick_ = nullptr;
        }
        CloseTables();
    }
    QDialog::done(result);
}

void ListForm::RunQueryList(const std::function<void()>& run) {
    for (QPushButton* b : startButtons_) b->setEnabled(false);
    os::ScopeGuard cleanup([] {
        try {
            DM1->TableSzamfejt->SetFiltered(false);
            DM1->TableSzamfejt->OnFilterRecord = nullptr;
            DM1->Query1->Close();
            DM1->Query1->SetSQL("");
        } catch (const std::exception&) {
            // Closing a read-only query and dropping a filter lose nothing.
        }
    });
    run();
    for (QPushButton* b : startButtons_) b->setEnabled(true);
}

void ListForm::SetPayrollFilter(void (TDM1::*handler)(db::Dataset&, bool&)) {
    db::Table& t = *DM1->TableSzamfejt;
    t.SetFiltered(false);
    t.OnFilterRecord = DM1->FilterHandler(handler);
    t.SetFiltered(true);
}

void ListForm::RunWorkTableList(const std::function<bool()>& fill, const std::function<void()>& show,
                                bool alsoExit) {
    for (QPushButton* b : startButtons_) b->setEnabled(false);
    if (alsoExit) BitBtn2->setEnabled(false);
    try {
        os::ScopeGuard cleanup([] {
            try {
                DM1->Table1->Close();
            } catch (const std::exception&) {
            }
            DM1->Table1->TableName.clear();
            DM1->Table1->IndexFieldNames.clear();
        });
        if (fill()) show();
    } catch (const std::exception& e) {
        ui::MessageBox(
            QStringLiteral("Üzenetkezelő"),
            QStringLiteral("HIBA történt a lista megjelenítésekor! \r") + QString::fromUtf8(e.what()),
            ui::Icon::Error, ui::Ok);
    }
    for (QPushButton* b : startButtons_) b->setEnabled(true);
    if (alsoExit) BitBtn2->setEnabled(true);
}

bool ListForm::FillWorkTable(const WorkTable& table, const std::function<std::vector<db::Record>()>& rows,
                             const QString& error) {
    return table.Create() && WriteWorkTable(table, rows, error);
}

bool ListForm::WriteWorkTable(const WorkTable& table, const std::function<std::vector<db::Record>()>& rows,
                              const QString& error) {
    os::ScopeGuard reset([this] {
        for (QProgressBar* bar : {ProgressBar1, ProgressBar2})
            if (bar) bar->setValue(0);
    });
    try {
        table.Write(rows());
        return true;
    } catch (const std::exception& e) {
        ui::MessageBox(QStringLiteral("Üzenetkezelő"), error + QStringLiteral("\r") + Q(e.what()),
                       ui::Icon::Error, ui::Ok);
        return false;
    }
}

std::function<void(int)> ListForm::ProgressStart(QProgressBar* bar) {
    return [bar](int max) {
        bar->setMaximum(std::max(max, 1));
        bar->setValue(0);
    };
}

std::function<void()> ListForm::ProgressStep(QProgressBar* bar) {
    return [bar] { bar->setValue(bar->value() + 1); };
}
