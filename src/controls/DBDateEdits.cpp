#include "controls/DBDateEdits.h"

#include <QKeyEvent>
#include <cmath>

#include "controls/ControlUtils.h"
#include "controls/DateUtil.h"

// --- TFieldDataLink -------------------------------------------------------------------

TFieldDataLink::~TFieldDataLink() {
    // The control that owns the link is being destroyed: it gets no reload,
    // no change and no editing events any more.
    OnDataChange = OnEditingChange = OnUpdateData = nullptr;
    SetDataSource(nullptr);
}

void TFieldDataLink::SetDataSource(db::DataSource* source) {
    if (source == source_) return;
    if (source_) source_->RemoveClient(this);
    source_ = source;
    if (source_) source_->AddClient(this);
    ActiveChanged();
}

void TFieldDataLink::SetFieldName(const std::string& name) {
    fieldName_ = name;
    ActiveChanged();
}

db::Field* TFieldDataLink::Field() const {
    db::Dataset* ds = LinkedDataSet();
    if (!ds || !ds->Active() || fieldName_.empty()) return nullptr;
    return ds->FindField(fieldName_);
}

bool TFieldDataLink::CanModify() const {
    const db::Field* f = Field();
    return !ReadOnly && f && !f->ReadOnly && f->DataSet()->CanModify();
}

bool TFieldDataLink::Edit() {
    if (CanModify() && !editing_ && source_) source_->Edit();
    return editing_;
}

void TFieldDataLink::Reset() { RecordChanged(nullptr); }

void TFieldDataLink::UpdateRecord() {
    if (!modified_) return;
    updating_ = true;
    try {
        if (Field() && OnUpdateData) OnUpdateData();
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
    modified_ = false;
}

void TFieldDataLink::ActiveChanged() {
    UpdateEditing();
    RecordChanged(nullptr);
}

void TFieldDataLink::RecordChanged(db::Field* field) {
    if (updating_) return;  // our own write coming back
    // A looked-up or calculated field follows every change of the record.
    const db::Field* own = Field();
    if (field && field != own && (!own || own->Kind() == db::FieldKind::Data)) return;
    if (OnDataChange) OnDataChange();
    modified_ = false;
}

void TFieldDataLink::UpdateData() { UpdateRecord(); }

void TFieldDataLink::DataSourceFreed() {
    source_ = nullptr;
    ActiveChanged();
}

void TFieldDataLink::UpdateEditing() {
    const db::Dataset* ds = LinkedDataSet();
    const bool editing = ds && Field() && CanModify() &&
                         (ds->State() == db::DatasetState::Edit || ds->State() == db::DatasetState::Insert);
    if (editing == editing_) return;
    editing_ = editing;
    modified_ = false;
    if (OnEditingChange) OnEditingChange();
}

// --- TDBDateEdit -----------------------------------------------------------------------

TDBDateEdit::TDBDateEdit(QWidget* parent) : TCustomDateEdit(parent) {
    TCustomComboEdit::SetReadOnly(true);  // typing waits for an edit request
    link_.OnDataChange = [this] { DataChange(); };
    link_.OnEditingChange = [this] { EditingChange(); };
    link_.OnUpdateData = [this] { UpdateData(); };
    OnAcceptDate = [this](double&, bool& accept) { accept = AcceptDate(); };
    alwaysEnable_ = true;
    RebuildMask();
}

void TDBDateEdit::SetDataSource(db::DataSource* source) { link_.SetDataSource(source); }

void TDBDateEdit::SetDataField(const QString& name) { link_.SetFieldName(name.toStdString()); }

void TDBDateEdit::SetReadOnly(bool readOnly) {
    link_.ReadOnly = readOnly;
    EditingChange();
}

void TDBDateEdit::DataChange() {
    // A reload that leaves the text as it was (the edit request of the first
    // typed digit) keeps the caret where the user is typing.
    const QString before = Text();
    const int cursor = cursorPosition(), selStart = selectionStart();
    const qsizetype selLength = selectedText().size();
    const QString mask = QtEditMask(StandardDateMask(BlanksChar(), FourDigits()));
    if (inputMask() != mask) setInputMask(mask);
    const db::Field* f = Field();
    SetDateValue(f ? f->AsDateTime() : (DefaultToday ? os::Today() : EmptyDate));
    setModified(false);
    if (Text() != before) return;
    if (selStart >= 0)
        setSelection(selStart, int(selLength));
    else
        setCursorPosition(cursor);
}

void TDBDateEdit::EditingChange() {
    TCustomComboEdit::SetReadOnly(!link_.Editing());
    db::Field* f = Field();
    if (link_.Editing() && DefaultToday && f && f->AsDateTime() == 0) f->SetAsDateTime(os::Now());
}

void TDBDateEdit::UpdateData() {
    db::Field* f = Field();
    const double d = DateValue();
    if (d != EmptyDate) {
        const double old = f->AsDateTime();
        f->SetAsDateTime(d + (old - std::trunc(old)));
    } else {
        f->Clear();
    }
}

bool TDBDateEdit::AcceptDate() {
    db::DataSource* s = link_.DataSource();
    return s && s->DataSet() && s->DataSet()->CanModify() && link_.Edit();
}

void TDBDateEdit::TakePopupValue(const QVariant& value) {
    db::Field* f = Field();
    if (f) {
        if (value.isNull() || !value.isValid()) {
            f->Clear();
        } else {
            const double old = f->AsDateTime();
            f->SetAsDateTime((old - std::trunc(old)) + std::trunc(value.toDouble()));
        }
    }
    popupVisible_ = false;
    Change();
}

void TDBDateEdit::SetDateAndSelect(double date) {
    // A dataset that refuses editing keeps the control read-only: a date shown
    // but never writable would only trap the user in the field on leaving.
    if (!link_.Edit()) return;
    TCustomDateEdit::SetDateAndSelect(date);
}

void TDBDateEdit::RebuildMask() {
    dateFormat_ = StandardDateFormat(FourDigits()).left(10);
    ApplyCalendarSettings();
    DataChange();
}

void TDBDateEdit::Reset() {
    link_.Reset();
    if (DirectInput()) selectAll();
}

void TDBDateEdit::Change() {
    if (!formatting_) link_.Modified();
    TCustomDateEdit::Change();
}

void TDBDateEdit::KeyDown(int& key, Qt::KeyboardModifiers mods) {
    TCustomDateEdit::KeyDown(key, mods);
    const bool shiftInsert = key == Qt::Key_Insert && (mods & Qt::ShiftModifier);
    if ((key == Qt::Key_Delete || shiftInsert) && !link_.ReadOnly) link_.Edit();
}

void TDBDateEdit::KeyPress(QChar& c) {
    TCustomDateEdit::KeyPress(c);
    if (c.isNull()) return;
    if (c >= u' ' && !c.isDigit() && c != DateSeparator() && Field()) {
        DefaultBeep();
        c = QChar();
        return;
    }
    if (c == u'\b' || c == QChar(0x16) || c == QChar(0x18) || c.isDigit()) {
        link_.Edit();
    } else if (c == QChar(27)) {
        Reset();
        c = QChar();
    }
}

void TDBDateEdit::keyPressEvent(QKeyEvent* e) {
    if ((e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut)) && !link_.ReadOnly) link_.Edit();
    TCustomDateEdit::keyPressEvent(e);
}

bool TDBDateEdit::DoExit() {
    if (!TCustomDateEdit::DoExit()) return false;
    try {
        link_.UpdateRecord();
    } catch (const std::exception& e) {
        if (DirectInput()) selectAll();
        setFocus();
        ShowError(QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}
