#include "platform/db/Dataset.h"

#include <algorithm>
#include <cctype>

#include "platform/db/Collation.h"
#include "platform/db/FilterExpr.h"
#include "platform/os/Text.h"

namespace db {
namespace {

bool IsEditState(DatasetState s) { return s == DatasetState::Edit || s == DatasetState::Insert; }

// Restores a member on scope exit.
template <typename T>
class Restore {
public:
    Restore(T& ref, T value) : ref_(ref), old_(ref) { ref_ = value; }
    ~Restore() { ref_ = old_; }

private:
    T& ref_;
    T old_;
};

}  // namespace

void Abort() { throw AbortError(); }

namespace {
ExceptionHandler applicationExceptionHandler;
}

void SetApplicationExceptionHandler(ExceptionHandler handler) {
    applicationExceptionHandler = std::move(handler);
}

void HandleApplicationException(std::exception_ptr error) {
    if (!applicationExceptionHandler) std::rethrow_exception(error);
    applicationExceptionHandler(error);
}

// --- Links -------------------------------------------------------------------

DataLink::~DataLink() {
    if (source_) source_->RemoveClient(this);
    if (dataset_) dataset_->DetachLink(this);
}

DataSource::~DataSource() {
    for (DataLink* c : std::vector<DataLink*>(clients_)) {
        RemoveClient(c);
        c->DataSourceFreed();
    }
    SetDataSet(nullptr);
}

void DataSource::SetDataSet(Dataset* ds) {
    if (LinkedDataSet() == ds) return;
    if (LinkedDataSet()) LinkedDataSet()->DetachLink(this);
    if (ds) ds->AttachLink(this);
    for (DataLink* c : std::vector<DataLink*>(clients_)) {
        if (c->dataset_) c->dataset_->DetachLink(c);
        if (ds) ds->AttachLink(c);
        c->ActiveChanged();
    }
}

void DataSource::AddClient(DataLink* client) {
    if (client->source_ == this) return;
    if (client->source_) client->source_->RemoveClient(client);
    clients_.push_back(client);
    client->source_ = this;
    if (DataSet()) DataSet()->AttachLink(client);
}

void DataSource::RemoveClient(DataLink* client) {
    clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
    if (client->source_ != this) return;
    client->source_ = nullptr;
    if (client->dataset_) client->dataset_->DetachLink(client);
}

bool DataSource::Edit() {
    Dataset* ds = DataSet();
    if (!ds || !ds->Active()) return false;
    if (AutoEdit && ds->State() == DatasetState::Browse) ds->Edit();
    return ds->State() == DatasetState::Edit || ds->State() == DatasetState::Insert;
}

void DataSource::ActiveChanged() {
    if (OnStateChange) OnStateChange(*this);
}
void DataSource::StateChanged() {
    if (OnStateChange) OnStateChange(*this);
}
void DataSource::DataSetChanged() {
    if (OnDataChange) OnDataChange(*this, nullptr);
}
void DataSource::RecordChanged(Field* field) {
    if (OnDataChange) OnDataChange(*this, field);
}
void DataSource::UpdateData() {
    if (OnUpdateData) OnUpdateData(*this);
}

// --- Dataset -----------------------------------------------------------------

Dataset::Dataset() = default;

Dataset::~Dataset() {
    for (DataLink* l : links_) l->dataset_ = nullptr;
}

bool Dataset::CanModify() const { return !ReadOnly && InternalCanModify(); }

void Dataset::CheckActive() const {
    if (!Active()) throw DatabaseError("Cannot perform this operation on a closed dataset");
}

void Dataset::CheckInactive() const {
    if (Active()) throw DatabaseError("Cannot perform this operation on an open dataset");
}

void Dataset::CheckEditMode() const {
    if (!IsEditState(state_)) throw DatabaseError("Dataset not in edit or insert mode");
}

void Dataset::SetState(DatasetState s) {
    if (state_ == s) return;
    state_ = s;
    StateChangedEvent();
}

// --- Structure ---------------------------------------------------------------

namespace {}  // namespace

size_t Dataset::NameHash::operator()(const std::string& s) const {
    size_t h = 14695981039346656037ull;
    for (char c : s) h = (h ^ static_cast<unsigned char>(os::UpperAscii(c))) * 1099511628211ull;
    return h;
}

bool Dataset::NameEqual::operator()(const std::string& a, const std::string& b) const {
    return os::SameAsciiName(a, b);
}

void Dataset::SetFieldDefs(FieldDefs defs) {
    CheckInactive();
    fieldDefs_ = std::move(defs);
}

Field& Dataset::Fields(int i) const {
    if (i < 0 || i >= FieldCount())
        throw DatabaseError("List index out of bounds (" + std::to_string(i) + ")");
    return *fields_[i];
}

Field* Dataset::FindField(const std::string& name) const {
    auto it = fieldIndex_.find(name);
    return it == fieldIndex_.end() ? nullptr : it->second;
}

Field& Dataset::FieldByName(const std::string& name) const {
    Field* f = FindField(name);
    if (!f)
        throw DatabaseError(Name.empty() ? "Field '" + name + "' not found"
                                         : Name + ": Field '" + name + "' not found");
    return *f;
}

Field& Dataset::AddField(const FieldDef& def, FieldKind kind) {
    CheckInactive();
    if (FindField(def.name)) throw DatabaseError("Duplicate field name '" + def.name + "'");
    if (!persistentFields_) {
        fields_.clear();
        fieldIndex_.clear();
    }
    persistentFields_ = true;
    auto f = std::make_unique<Field>(this, def, kind);
    f->index_ = FieldCount();
    fieldIndex_[def.name] = f.get();
    fields_.push_back(std::move(f));
    return *fields_.back();
}

void Dataset::ClearFields() {
    CheckInactive();
    fields_.clear();
    fieldIndex_.clear();
    persistentFields_ = false;
}

std::vector<std::string> Dataset::SplitFieldNames(const std::string& names) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        size_t end = names.find(';', start);
        std::string part = names.substr(start, end == std::string::npos ? std::string::npos : end - start);
        size_t b = part.find_first_not_of(" \t");
        size_t e = part.find_last_not_of(" \t");
        if (b != std::string::npos) out.push_back(part.substr(b, e - b + 1));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return out;
}

std::vector<Field*> Dataset::ResolveFields(const std::string& names) const {
    std::vector<Field*> out;
    for (const std::string& n : SplitFieldNames(names)) out.push_back(&FieldByName(n));
    return out;
}

void Dataset::BindFields() {
    // A query run again with new values has the columns it had: making and
    // indexing its fields again was a good part of opening it.
    const bool sameColumns =
        !persistentFields_ &&
        std::equal(spareFields_.begin(), spareFields_.end(), fieldDefs_.begin(), fieldDefs_.end(),
                   [](const auto& f, const FieldDef& d) { return f->def_ == d; });
    if (sameColumns) {
        fields_ = std::move(spareFields_);
        fieldIndex_ = std::move(spareIndex_);
        spareFields_.clear();
        spareIndex_.clear();
        for (size_t i = 0; i < fields_.size(); ++i) {
            Field& f = *fields_[i];
            const int slot = f.fieldNo_;  // as the columns were bound before
            f = Field(this, fieldDefs_[i]);
            f.Required = false;
            f.index_ = static_cast<int>(i);
            f.fieldNo_ = slot;
        }
        slotCount_ = static_cast<int>(fieldDefs_.size());
        return;
    }
    spareFields_.clear();
    spareIndex_.clear();
    if (!persistentFields_) {
        fields_.clear();
        fieldIndex_.clear();
        for (const FieldDef& d : fieldDefs_) {
            auto f = std::make_unique<Field>(this, d);
            f->Required = false;  // the storage checks its own required fields
            f->index_ = FieldCount();
            fieldIndex_[d.name] = f.get();
            fields_.push_back(std::move(f));
        }
    }
    int calc = static_cast<int>(fieldDefs_.size());
    std::unordered_map<std::string, int> slots;
    for (size_t i = 0; i < fieldDefs_.size(); ++i)
        slots.emplace(os::UpperAscii(fieldDefs_[i].name), static_cast<int>(i));
    for (auto& f : fields_) {
        if (f->kind_ == FieldKind::Data) {
            auto it = slots.find(os::UpperAscii(f->FieldName()));
            if (it == slots.end()) throw DatabaseError("Field '" + f->FieldName() + "' not found");
            f->fieldNo_ = it->second;
        } else if (f->kind_ == FieldKind::Calculated) {
            f->fieldNo_ = calc++;
        } else if (f->LookupDataSet && !f->LookupDataSet->Active()) {
            f->LookupDataSet->Open();
        }
    }
    slotCount_ = calc;
}

// --- Open and close ----------------------------------------------------------

void Dataset::Open() {
    if (Active()) return;
    if (BeforeOpen) BeforeOpen(*this);
    InternalOpen();
    try {
        BindFields();
        CompileFilter();
    } catch (...) {
        InternalClose();
        throw;
    }
    state_ = DatasetState::Browse;
    modified_ = false;
    const int p = FindVisible(0, +1);
    MoveTo(p, true, p < 0);
    for (DataLink* l : std::vector<DataLink*>(links_)) l->ActiveChanged();
    if (AfterOpen) AfterOpen(*this);
}

void Dataset::Close() {
    if (!Active()) return;
    if (BeforeClose) BeforeClose(*this);
    state_ = DatasetState::Inactive;
    modified_ = false;
    InternalClose();
    if (!persistentFields_) {
        spareFields_ = std::move(fields_);
        spareIndex_ = std::move(fieldIndex_);
        fields_.clear();
        fieldIndex_.clear();
    }
    filterTree_.reset();
    pos_ = -1;
    bof_ = eof_ = true;
    buf_.clear();
    for (DataLink* l : std::vector<DataLink*>(links_)) l->ActiveChanged();
    if (AfterClose) AfterClose(*this);
}

// --- Record buffers ----------------------------------------------------------

void Dataset::InitRecord(Record& rec) { rec.assign(fieldDefs_.size(), Variant()); }

void Dataset::LoadCurrent() {
    if (pos_ >= 0) {
        ReadStored(pos_, buf_);
    } else {
        buf_.assign(fieldDefs_.size(), Variant());
    }
    buf_.resize(slotCount_);
    if (OnCalcFields && slotCount_ > static_cast<int>(fieldDefs_.size()) && pos_ >= 0) {
        const DatasetState old = state_;
        state_ = DatasetState::CalcFields;
        try {
            OnCalcFields(*this);
        } catch (...) {
            state_ = old;
            throw;
        }
        state_ = old;
    }
}

const Record& Dataset::ActiveBuffer() const {
    if (state_ == DatasetState::Filter && filterRec_) return *filterRec_;
    return buf_;
}

Variant Dataset::LookupFieldValue(const Field& f) const {
    if (!f.LookupDataSet) return {};
    std::vector<Variant> keys;
    for (Field* k : ResolveFields(f.KeyFields)) {
        Variant v = k->Value();
        if (v.IsBlank()) return {};
        keys.push_back(v);
    }
    return f.LookupDataSet->Lookup(f.LookupKeyFields, keys, f.LookupResultField);
}

Variant Dataset::GetFieldValue(const Field& f) const {
    if (f.kind_ == FieldKind::Lookup) return LookupFieldValue(f);
    const Record& rec = ActiveBuffer();
    if (f.fieldNo_ < 0 || f.fieldNo_ >= static_cast<int>(rec.size())) return {};
    return rec[f.fieldNo_];
}

void Dataset::SetFieldValue(Field& f, const Variant& v) {
    if (f.kind_ == FieldKind::Lookup)
        throw DatabaseError("Field '" + f.DisplayName() + "' cannot be modified");
    if (f.kind_ == FieldKind::Calculated) {
        if (state_ != DatasetState::CalcFields && !IsEditState(state_)) CheckEditMode();
    } else {
        if (!IsEditState(state_) && state_ != DatasetState::SetKey) CheckEditMode();
        if (f.ReadOnly) throw DatabaseError("Field '" + f.DisplayName() + "' cannot be modified");
    }
    CheckActive();
    if (f.fieldNo_ < 0) throw DatabaseError("Field '" + f.FieldName() + "' not found");
    if (static_cast<int>(buf_.size()) < slotCount_) buf_.resize(slotCount_);
    buf_[f.fieldNo_] = v;
    if (f.kind_ == FieldKind::Data) modified_ = true;
    RecordChangedEvent(&f);
}

// --- Filter ------------------------------------------------------------------

void Dataset::CompileFilter() {
    size_t b = filterText_.find_first_not_of(" \t\r\n");
    filterTree_ = b == std::string::npos ? nullptr : std::make_shared<FilterExpression>(filterText_, *this);
}

bool Dataset::FilterActive() const { return filtered_ && (filterTree_ || OnFilterRecord); }

void Dataset::FilterChanged() {
    if (!Active()) return;
    CheckBrowseMode();
    First();
}

void Dataset::SetFilter(const std::string& text) {
    if (text == filterText_) return;
    const std::string old = filterText_;
    filterText_ = text;
    if (Active()) {
        try {
            CompileFilter();
        } catch (...) {
            filterText_ = old;
            CompileFilter();
            throw;
        }
        if (filtered_) FilterChanged();
    }
}

void Dataset::SetFiltered(bool on) {
    if (on == filtered_) return;
    filtered_ = on;
    FilterChanged();
}

void Dataset::SetOnFilterRecord(FilterHandler handler) {
    OnFilterRecord = std::move(handler);
    if (filtered_) FilterChanged();
}

bool Dataset::ReadVisible(int pos, Record& rec) {
    ReadStored(pos, rec);
    if (!FilterActive()) return true;
    rec.resize(std::max<size_t>(rec.size(), slotCount_));
    Restore<DatasetState> st(state_, DatasetState::Filter);
    Restore<const Record*> fr(filterRec_, &rec);
    bool accept = true;
    if (filterTree_) accept = filterTree_->Evaluate(FilterCaseInsensitive);
    if (accept && OnFilterRecord) CallFilterHandler(accept);
    return accept;
}

bool Dataset::RecordVisible(int pos) { return !FilterActive() || ReadVisible(pos, filterBuf_); }

int Dataset::FindVisible(int from, int dir) {
    const int n = StoredCount();
    for (int p = from; p >= 0 && p < n; p += dir)
        if (RecordVisible(p)) return p;
    return -1;
}

// --- Navigation --------------------------------------------------------------

void Dataset::MoveTo(int pos, bool bof, bool eof) {
    pos_ = pos;
    bof_ = bof;
    eof_ = eof;
    LoadCurrent();
}

void Dataset::First() {
    CheckActive();
    CheckBrowseMode();
    if (BeforeScroll) BeforeScroll(*this);
    const int p = FindVisible(0, +1);
    MoveTo(p, true, p < 0);
    DataSetChangedEvent();
    if (AfterScroll) AfterScroll(*this);
}

void Dataset::Last() {
    CheckActive();
    CheckBrowseMode();
    if (BeforeScroll) BeforeScroll(*this);
    const int p = FindVisible(StoredCount() - 1, -1);
    MoveTo(p, p < 0, true);
    DataSetChangedEvent();
    if (AfterScroll) AfterScroll(*this);
}

int Dataset::MoveBy(int distance) {
    CheckActive();
    CheckBrowseMode();
    if ((distance > 0 && eof_) || (distance < 0 && bof_) || distance == 0) return 0;
    if (BeforeScroll) BeforeScroll(*this);
    const int dir = distance > 0 ? 1 : -1;
    int moved = 0;
    int p = pos_;
    while (moved != distance && p >= 0) {
        const int q = FindVisible(p + dir, dir);
        if (q < 0) break;
        p = q;
        moved += dir;
    }
    if (moved != 0) {
        MoveTo(p, false, false);
    }
    if (moved != distance) (dir > 0 ? eof_ : bof_) = true;
    DataSetChangedEvent();
    if (AfterScroll) AfterScroll(*this);
    return moved;
}

void Dataset::Next() { MoveBy(1); }
void Dataset::Prior() { MoveBy(-1); }

int Dataset::RecordCount() {
    CheckActive();
    if (!FilterActive()) return StoredCount();
    int n = 0;
    const int total = StoredCount();
    for (int p = 0; p < total; ++p)
        if (RecordVisible(p)) ++n;
    return n;
}

int Dataset::RecNo() {
    CheckActive();
    if (pos_ < 0) return 0;
    if (!FilterActive()) return pos_ + 1;
    int n = 0;
    for (int p = 0; p <= pos_; ++p)
        if (RecordVisible(p)) ++n;
    return n;
}

void Dataset::SetRecNo(int recNo) {
    CheckActive();
    CheckBrowseMode();
    int p = -1;
    if (!FilterActive()) {
        if (recNo >= 1 && recNo <= StoredCount()) p = recNo - 1;
    } else {
        int n = 0;
        for (int q = 0, total = StoredCount(); q < total && recNo >= 1; ++q)
            if (RecordVisible(q) && ++n == recNo) {
                p = q;
                break;
            }
    }
    if (p < 0 || p == pos_) return;
    if (BeforeScroll) BeforeScroll(*this);
    MoveTo(p, false, false);
    DataSetChangedEvent();
    if (AfterScroll) AfterScroll(*this);
}

void Dataset::Resync(int pos) {
    const int n = StoredCount();
    int p = -1;
    if (n > 0) {
        pos = std::clamp(pos, 0, n - 1);
        p = FindVisible(pos, +1);
        if (p < 0) p = FindVisible(pos, -1);
    }
    MoveTo(p, p < 0, p < 0);
    DataSetChangedEvent();
}

void Dataset::Refresh() {
    CheckActive();
    CheckBrowseMode();
    const Bookmark bm = GetBookmark();
    InternalRefresh();
    int p = bm ? FindBookmark(bm) : -1;
    if (p >= 0 && RecordVisible(p)) {
        MoveTo(p, false, false);
        DataSetChangedEvent();
    } else {
        Resync(pos_ < 0 ? 0 : pos_);
    }
}

// --- Changes -----------------------------------------------------------------

void Dataset::RunWithErrorEvent(const ErrorEvent& ev, const std::function<void()>& op) {
    for (;;) {
        try {
            op();
            return;
        } catch (const DatabaseError& e) {
            DataAction action = DataAction::Fail;
            if (ev) ev(*this, e, action);
            if (action == DataAction::Fail) throw;
            if (action == DataAction::Abort) Abort();
        }
    }
}

void Dataset::CheckBrowseMode() {
    CheckActive();
    if (!IsEditState(state_)) return;
    for (DataLink* l : std::vector<DataLink*>(links_)) l->UpdateData();
    if (modified_)
        Post();
    else
        Cancel();
}

void Dataset::Append() { BeginInsert(true); }
void Dataset::Insert() { BeginInsert(false); }

void Dataset::BeginInsert(bool append) {
    CheckActive();
    CheckBrowseMode();
    if (!CanModify()) throw DatabaseError("Cannot modify a read-only dataset");
    if (BeforeInsert) BeforeInsert(*this);
    if (BeforeScroll) BeforeScroll(*this);
    savedPos_ = pos_;
    insertPos_ = append ? StoredCount() : std::max(pos_, 0);
    InitRecord(buf_);
    buf_.resize(slotCount_);
    modified_ = false;
    bof_ = false;
    eof_ = append;
    SetState(DatasetState::Insert);
    if (OnNewRecord) OnNewRecord(*this);
    DataSetChangedEvent();
    if (AfterInsert) AfterInsert(*this);
    if (AfterScroll) AfterScroll(*this);
}

void Dataset::Edit() {
    CheckActive();
    if (IsEditState(state_)) return;
    if (pos_ < 0) {
        Insert();
        return;
    }
    if (!CanModify()) throw DatabaseError("Cannot modify a read-only dataset");
    if (BeforeEdit) BeforeEdit(*this);
    RunWithErrorEvent(OnEditError, [&] {
        InternalEdit();
        LoadCurrent();
    });
    modified_ = false;
    SetState(DatasetState::Edit);
    RecordChangedEvent(nullptr);
    if (AfterEdit) AfterEdit(*this);
}

void Dataset::CheckRequiredFields() {
    for (auto& f : fields_) {
        if (f->kind_ != FieldKind::Data || !f->Required || f->ReadOnly || f->DataType() == FieldType::AutoInc)
            continue;
        if (buf_[f->fieldNo_].IsBlank())
            throw DatabaseError("Field '" + f->DisplayName() + "' must have a value");
    }
}

void Dataset::Post() {
    CheckActive();
    if (!IsEditState(state_)) return;
    for (DataLink* l : std::vector<DataLink*>(links_)) l->UpdateData();
    if (BeforePost) BeforePost(*this);
    CheckRequiredFields();
    const bool inserting = state_ == DatasetState::Insert;
    int newPos = -1;
    RunWithErrorEvent(OnPostError, [&] {
        Record rec(buf_.begin(), buf_.begin() + static_cast<long>(fieldDefs_.size()));
        newPos = InternalPost(rec, inserting, inserting ? insertPos_ : pos_);
    });
    modified_ = false;
    SetState(DatasetState::Browse);
    if (RecordVisible(newPos)) {
        MoveTo(newPos, false, false);
        DataSetChangedEvent();
    } else {
        Resync(newPos);  // the filter hides what was posted: the next visible record
    }
    if (AfterPost) AfterPost(*this);
}

void Dataset::Cancel() {
    CheckActive();
    if (!IsEditState(state_)) return;
    if (BeforeCancel) BeforeCancel(*this);
    const bool inserting = state_ == DatasetState::Insert;
    modified_ = false;
    SetState(DatasetState::Browse);
    if (inserting) {
        const int n = StoredCount();
        pos_ = savedPos_ >= 0 && savedPos_ < n ? savedPos_ : (n > 0 ? FindVisible(0, +1) : -1);
        bof_ = eof_ = pos_ < 0;
    }
    LoadCurrent();
    DataSetChangedEvent();
    if (AfterCancel) AfterCancel(*this);
}

void Dataset::Delete() {
    CheckActive();
    if (state_ == DatasetState::Insert) {
        Cancel();
        return;
    }
    if (pos_ < 0) throw DatabaseError("Cannot perform this operation on an empty dataset");
    if (!CanModify()) throw DatabaseError("Cannot modify a read-only dataset");
    if (state_ == DatasetState::Edit) {
        modified_ = false;
        SetState(DatasetState::Browse);
    }
    if (BeforeDelete) BeforeDelete(*this);
    if (BeforeScroll) BeforeScroll(*this);
    const int at = pos_;
    RunWithErrorEvent(OnDeleteError, [&] { InternalDelete(at); });
    const int p = PositionAfterDelete(at);
    MoveTo(p, p < 0, p < 0);
    DataSetChangedEvent();
    if (AfterDelete) AfterDelete(*this);
    if (AfterScroll) AfterScroll(*this);
}

int Dataset::PositionAfterDelete(int at) {
    const int n = StoredCount();
    int p = at < n ? FindVisible(at, +1) : -1;
    if (p < 0) p = FindVisible(std::min(at, n) - 1, -1);
    return p;
}

// --- Search ------------------------------------------------------------------

bool Dataset::RecordMatches(const Record& rec, const std::vector<Field*>& keys,
                            const std::vector<Variant>& values, LocateOptions opt) const {
    for (size_t i = 0; i < keys.size(); ++i) {
        const Field& f = *keys[i];
        const Variant& kv = values[i];
        const Variant v =
            f.fieldNo_ >= 0 && f.fieldNo_ < static_cast<int>(rec.size()) ? rec[f.fieldNo_] : Variant();
        if (IsTextType(f.DataType())) {
            if (kv.IsBlank() || v.IsBlank()) {
                if (kv.IsBlank() != v.IsBlank()) return false;
                continue;
            }
            std::string a = v.ToString(), b = kv.ToString();
            if (opt.caseInsensitive) a = FoldCase(a), b = FoldCase(b);
            if (opt.partialKey) a = os::Utf8Left(a, os::Utf8Length(b));
            if (a != b) return false;
        } else {
            if (kv.IsBlank() || v.IsNull()) {
                if (kv.IsBlank() != v.IsNull()) return false;
                continue;
            }
            if (!(f.Convert(kv) == v)) return false;
        }
    }
    return true;
}

bool Dataset::Locate(const std::string& keyFields, const std::vector<Variant>& keyValues, LocateOptions opt) {
    CheckActive();
    if (BeforeScroll) BeforeScroll(*this);
    CheckBrowseMode();
    const std::vector<Field*> keys = ResolveFields(keyFields);
    if (keys.size() != keyValues.size())
        throw DatabaseError("Locate: " + std::to_string(keys.size()) + " fields, " +
                            std::to_string(keyValues.size()) + " values");
    if (pos_ < 0) return false;
    int found = -1;
    if (RecordMatches(buf_, keys, keyValues, opt)) {
        found = pos_;
    } else {
        Record rec;
        const int n = StoredCount();
        const int fast = FilterActive() ? -2 : FindMatching(keys, keyValues, opt);
        for (int p = fast >= -1 ? fast : 0; p >= 0 && p < n && found < 0; ++p)
            if (fast >= 0 || (ReadVisible(p, rec) && RecordMatches(rec, keys, keyValues, opt))) found = p;
        if (found < 0) return false;
        MoveTo(found, false, false);
    }
    DataSetChangedEvent();
    if (AfterScroll) AfterScroll(*this);
    return true;
}

Variant Dataset::Lookup(const std::string& keyFields, const std::vector<Variant>& keyValues,
                        const std::string& resultField) {
    CheckActive();
    const std::vector<Field*> keys = ResolveFields(keyFields);
    Field& result = FieldByName(resultField);
    if (keys.size() != keyValues.size()) throw DatabaseError("Lookup: wrong number of key values");
    Record rec;
    const int n = StoredCount();
    const int fast = FilterActive() ? -2 : FindMatching(keys, keyValues, {});
    if (fast == -1) return {};
    for (int p = fast >= 0 ? fast : 0; p < n; ++p) {
        if (fast >= 0) ReadStored(p, rec);
        if (fast < 0 && (!ReadVisible(p, rec) || !RecordMatches(rec, keys, keyValues, {}))) continue;
        if (result.kind_ != FieldKind::Data) return {};
        const Variant& v = rec[result.fieldNo_];
        return v.IsBlank() ? Variant() : v;
    }
    return {};
}

bool Dataset::FindKey(const std::vector<Variant>& keyValues) {
    std::vector<std::string> keys = SplitFieldNames(KeyFieldNames());
    if (keys.empty()) throw DatabaseError("No index currently active");
    if (keyValues.size() > keys.size()) throw DatabaseError("Too many key values");
    std::string names;
    for (size_t i = 0; i < keyValues.size(); ++i) names += (i ? ";" : "") + keys[i];
    return Locate(names, keyValues);
}

void Dataset::FindNearest(const std::vector<Variant>& keyValues) {
    CheckActive();
    CheckBrowseMode();
    std::vector<std::string> names = SplitFieldNames(KeyFieldNames());
    if (names.empty()) throw DatabaseError("No index currently active");
    std::vector<Field*> keys;
    for (size_t i = 0; i < keyValues.size() && i < names.size(); ++i) keys.push_back(&FieldByName(names[i]));
    Record rec;
    const int n = StoredCount();
    int found = -1;
    for (int p = 0; p < n && found < 0; ++p) {
        if (!ReadVisible(p, rec)) continue;
        int c = 0;
        for (size_t i = 0; i < keys.size() && c == 0; ++i) {
            const Variant& v = rec[keys[i]->fieldNo_];
            const Variant kv = keys[i]->Convert(keyValues[i]);
            if (v.IsBlank() || kv.IsBlank())
                c = v.IsBlank() == kv.IsBlank() ? 0 : (v.IsBlank() ? -1 : 1);
            else if (IsTextType(keys[i]->DataType()))
                c = v.ToString().compare(kv.ToString());
            else
                c = v.ToDouble() < kv.ToDouble() ? -1 : v.ToDouble() > kv.ToDouble() ? 1 : 0;
        }
        if (c >= 0) found = p;
    }
    if (found < 0) {
        Last();
        return;
    }
    if (BeforeScroll) BeforeScroll(*this);
    MoveTo(found, false, false);
    DataSetChangedEvent();
    if (AfterScroll) AfterScroll(*this);
}

// --- Bookmarks ---------------------------------------------------------------

Bookmark Dataset::GetBookmark() const {
    if (!Active() || pos_ < 0 || state_ == DatasetState::Insert) return std::nullopt;
    return const_cast<Dataset*>(this)->StoredBookmark(pos_);
}

void Dataset::GotoBookmark(const Bookmark& b) {
    CheckActive();
    CheckBrowseMode();
    const int p = b ? FindBookmark(b) : -1;
    if (p < 0) throw DatabaseError("Record not found");
    if (!RecordVisible(p)) {
        CheckCurrentRecord();
        return;
    }
    if (BeforeScroll) BeforeScroll(*this);
    MoveTo(p, false, false);
    DataSetChangedEvent();
    if (AfterScroll) AfterScroll(*this);
}

bool Dataset::BookmarkValid(const Bookmark& b) { return Active() && b && FindBookmark(b) >= 0; }

int Dataset::CompareBookmarks(const Bookmark& a, const Bookmark& b) {
    if (!a || !b) return !a && !b ? 0 : (!a ? -1 : 1);
    return *a < *b ? -1 : *a > *b ? 1 : 0;
}

// --- Links -------------------------------------------------------------------

void Dataset::AttachLink(DataLink* link) {
    if (link->dataset_ == this) return;
    if (link->dataset_) link->dataset_->DetachLink(link);
    links_.push_back(link);
    link->dataset_ = this;
}

void Dataset::DetachLink(DataLink* link) {
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
    if (link->dataset_ == this) link->dataset_ = nullptr;
}

void Dataset::DisableControls() { ++disableCount_; }

void Dataset::EnableControls() {
    if (disableCount_ == 0) return;
    if (--disableCount_ == 0 && changedWhileDisabled_) {
        changedWhileDisabled_ = false;
        for (DataLink* l : std::vector<DataLink*>(links_)) l->DataSetChanged();
    }
}

void Dataset::DataSetChangedEvent() {
    if (disableCount_ > 0) {
        changedWhileDisabled_ = true;
        return;
    }
    for (DataLink* l : std::vector<DataLink*>(links_)) l->DataSetChanged();
}

void Dataset::RecordChangedEvent(Field* f) {
    if (disableCount_ > 0) {
        changedWhileDisabled_ = true;
        return;
    }
    for (DataLink* l : std::vector<DataLink*>(links_)) l->RecordChanged(f);
}

void Dataset::StateChangedEvent() {
    for (DataLink* l : std::vector<DataLink*>(links_)) l->StateChanged();
}

}  // namespace db
