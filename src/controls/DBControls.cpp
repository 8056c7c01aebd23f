#include "controls/DBControls.h"

#include <QKeyEvent>

#include "controls/ControlUtils.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FieldLink.h"

namespace {

// The focus went to another window (a pick list, a message) or came back
// from one: the control was neither entered nor left.
bool WindowSwitch(const QFocusEvent* event) {
    return event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
}

}  // namespace

// --- TDBEdit ---------------------------------------------------------------------------

TDBEdit::TDBEdit(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);  // typing waits for the dataset's insert or edit state
    link_.OnDataChange = [this] { DataChange(); };
    link_.OnEditingChange = [this] { EditingChange(); };
    link_.OnUpdateData = [this] { UpdateData(); };
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (!loading_) link_.Modified();
    });
}

TDBEdit::~TDBEdit() {
    // A control being destroyed tells no one and writes nothing.
    blockSignals(true);
    link_.OnDataChange = link_.OnEditingChange = link_.OnUpdateData = nullptr;
    link_.SetDataSource(nullptr);
}

void TDBEdit::SetDataSource(db::DataSource* source) { link_.SetDataSource(source); }

void TDBEdit::SetDataField(const QString& name) { link_.SetFieldName(name.toStdString()); }

void TDBEdit::Reset() {
    link_.Reset();
    selectAll();
}

void TDBEdit::DataChange() {
    loading_ = true;
    const db::Field* f = Field();
    const QString mask = f ? QtEditMask(QString::fromStdString(f->EditMask)) : QString();
    if (inputMask() != mask) setInputMask(mask);
    // A text field limits the typing to its size; other limits are the form's.
    if (mask.isEmpty() && f && f->DataType() == db::FieldType::String && f->Size() > 0)
        setMaxLength(f->Size());
    setText(f ? QString::fromStdString(f->EditText()) : QString());
    // A masked text is typed from its first position, not after the blanks.
    if (!mask.isEmpty()) setCursorPosition(0);
    setModified(false);
    loading_ = false;
}

void TDBEdit::EditingChange() { setReadOnly(!link_.Editing()); }

void TDBEdit::UpdateData() {
    db::Field* f = Field();
    QString typed = text();
    // Numbers may be typed with the decimal comma.
    if (f->DataType() == db::FieldType::Float || f->DataType() == db::FieldType::Currency)
        typed.replace(u',', u'.');
    if (!MaskSavesLiterals(QString::fromStdString(f->EditMask))) typed = MaskInputOnly(inputMask(), typed);
    const std::string value = ui::TypedFieldText(*f, typed.toStdString());
    if (value.empty())
        f->Clear();
    else
        f->SetAsString(value);
}

void TDBEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && link_.Editing()) {
        Reset();
        event->ignore();  // the form still sees Esc
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TDBEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::MouseFocusReason || WindowSwitch(event)) return;
    // Selected backwards, so the caret stands where typing replaces from.
    const int length = int(displayText().size());
    setSelection(length, -length);
}

void TDBEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (WindowSwitch(event)) return;
    try {
        link_.UpdateRecord();
    } catch (const std::exception& e) {
        selectAll();
        setFocus();
        ui::MessageBox(ui::ApplicationTitle(), QString::fromUtf8(e.what()), ui::Icon::Error, ui::Ok);
        return;
    }
    emit Exited();
}

// --- TDBCheckBox -----------------------------------------------------------------------

TDBCheckBox::TDBCheckBox(QWidget* parent) : QCheckBox(parent) {
    link_.OnDataChange = [this] { DataChange(); };
    link_.OnUpdateData = [this] {
        db::Field* f = Field();
        if (!f) return;
        if (Grey())
            f->Clear();
        else
            f->SetAsString(isChecked() ? ValueChecked : ValueUnchecked);
    };
    setTristate(true);
}

TDBCheckBox::~TDBCheckBox() {
    blockSignals(true);
    link_.OnDataChange = link_.OnUpdateData = nullptr;
    link_.SetDataSource(nullptr);
}

void TDBCheckBox::SetDataSource(db::DataSource* source) { link_.SetDataSource(source); }

void TDBCheckBox::SetDataField(const QString& name) { link_.SetFieldName(name.toStdString()); }

void TDBCheckBox::DataChange() {
    const db::Field* f = Field();
    if (!f) {
        setCheckState(Qt::Unchecked);
        return;
    }
    const std::string value = f->AsString();
    setCheckState(value == ValueChecked     ? Qt::Checked
                  : value == ValueUnchecked ? Qt::Unchecked
                                            : Qt::PartiallyChecked);
}

void TDBCheckBox::nextCheckState() {
    if (!link_.Edit()) return;
    // A click never makes the box grey: grey and unchecked become checked.
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    link_.Modified();
}

void TDBCheckBox::focusOutEvent(QFocusEvent* event) {
    QCheckBox::focusOutEvent(event);
    link_.UpdateRecord();
}

// --- TDBComboBox -----------------------------------------------------------------------

TDBComboBox::TDBComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    link_.OnDataChange = [this] { DataChange(); };
    link_.OnUpdateData = [this] {
        if (db::Field* f = Field()) {
            if (currentIndex() < 0)
                f->Clear();
            else
                f->SetAsString(currentText().toStdString());
        }
    };
    connect(this, &QComboBox::currentIndexChanged, this, &TDBComboBox::Chosen);
}

TDBComboBox::~TDBComboBox() {
    blockSignals(true);
    link_.OnDataChange = link_.OnUpdateData = nullptr;
    link_.SetDataSource(nullptr);
}

void TDBComboBox::SetDataSource(db::DataSource* source) { link_.SetDataSource(source); }

void TDBComboBox::SetDataField(const QString& name) { link_.SetFieldName(name.toStdString()); }

void TDBComboBox::DataChange() {
    const db::Field* f = Field();
    loading_ = true;
    setCurrentIndex(f ? findText(QString::fromStdString(f->AsString()), Qt::MatchExactly) : -1);
    loading_ = false;
}

void TDBComboBox::Chosen(int) {
    if (loading_) return;
    if (!link_.Edit()) {
        // Outside insert or edit state the choice is taken back.
        DataChange();
        return;
    }
    link_.Modified();
    link_.UpdateRecord();
}

void TDBComboBox::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    link_.UpdateRecord();
}
