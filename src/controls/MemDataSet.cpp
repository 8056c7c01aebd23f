#include "controls/MemDataSet.h"

#include <algorithm>
#include <cstring>

#include "platform/db/Collation.h"
#include "platform/db/ControlsOff.h"

namespace {

using db::FieldType;

// The order of two non-null values of one field.
int CompareValues(FieldType type, const db::Variant& a, const db::Variant& b, bool caseInsensitive) {
    switch (type) {
        case FieldType::String:
        case FieldType::FixedChar:
        case FieldType::WideString:
            return db::CollateHu(a.ToString(), b.ToString(), caseInsensitive);
        case FieldType::Guid: {
            const int c = db::FoldCase(a.ToString()).compare(db::FoldCase(b.ToString()));
            return c < 0 ? -1 : c > 0 ? 1 : 0;
        }
        case FieldType::Boolean:
            return a.ToBool() == b.ToBool() ? 0 : (a.ToBool() ? 1 : -1);
        case FieldType::SmallInt:
        case FieldType::Integer:
        case FieldType::Word:
        case FieldType::AutoInc:
        case FieldType::LargeInt:
        case FieldType::Date:
        case FieldType::Time:
        case FieldType::Float:
        case FieldType::Currency:
        case FieldType::DateTime: {
            const double x = a.ToDouble(), y = b.ToDouble();
            return x < y ? -1 : x > y ? 1 : 0;
        }
        default:
            return 0;  // variant, BCD and the rest compare equal
    }
}

bool InEditMode(const db::Dataset& ds) {
    return ds.State() == db::DatasetState::Edit || ds.State() == db::DatasetState::Insert;
}

}  // namespace

TMemoryData::~TMemoryData() {
    try {
        Close();
    } catch (...) {
    }
}

void TMemoryData::CopyFieldLayout(db::Dataset& source) {
    CheckInactive();
    ClearFields();
    source.UpdateFieldDefs();
    db::FieldDefs defs;
    for (const db::FieldDef& d : source.GetFieldDefs())
        if (d.type != FieldType::Unknown) defs.push_back(d);
    SetFieldDefs(defs);
    for (const db::FieldDef& d : defs) AddField(d);
}

void TMemoryData::InternalOpen() {
    if (HasPersistentFields()) {
        db::FieldDefs defs;
        for (int i = 0; i < FieldCount(); ++i) {
            db::Field& f = Fields(i);
            if (f.Kind() != db::FieldKind::Data) continue;
            if (f.DataType() == FieldType::Unknown)
                throw db::DatabaseError("Field '" + f.DisplayName() + "' is of an unknown type");
            defs.push_back({f.FieldName(), f.DataType(), f.Size(), f.Required});
        }
        fieldDefs_ = defs;
    }
    ListDataset::InternalOpen();
}

void TMemoryData::InternalClose() {
    ListDataset::InternalClose();
    autoInc_ = 1;
    sortFields_.clear();
    sortKeys_.clear();
}

int TMemoryData::InternalPost(db::Record& rec, bool inserting, int pos) {
    if (inserting) {
        bool any = false;
        for (size_t i = 0; i < fieldDefs_.size(); ++i)
            if (fieldDefs_[i].type == FieldType::AutoInc) rec[i] = db::Variant(autoInc_), any = true;
        if (any) ++autoInc_;
    }
    return ListDataset::InternalPost(rec, inserting, pos);
}

void TMemoryData::InternalDelete(int pos) { ListDataset::InternalDelete(pos); }

int TMemoryData::PositionAfterDelete(int at) {
    const int p = FindVisible(std::min(at, StoredCount() - 1), -1);
    return p >= 0 ? p : FindVisible(0, +1);
}

void TMemoryData::CheckCurrentRecord() {
    const int p = CurrentPos();
    if (p < 0 || p >= StoredCount() || !RecordVisible(p)) throw db::DatabaseError("No data found");
}

void TMemoryData::CallFilterHandler(bool& accept) {
    try {
        OnFilterRecord(*this, accept);
    } catch (const db::AbortError&) {
    } catch (...) {
        db::HandleApplicationException(std::current_exception());
    }
}

int TMemoryData::RecordCount() {
    CheckActive();
    return StoredCount();
}

int TMemoryData::RecNo() {
    CheckActive();
    if (StoredCount() == 0) return 0;
    return std::max(CurrentPos(), 0) + 1;
}

void TMemoryData::SetRecNo(int recNo) {
    CheckActive();
    CheckBrowseMode();
    if (recNo < 1 || recNo > StoredCount()) return;
    Resync(recNo - 1);
}

bool TMemoryData::BookmarkValid(const db::Bookmark& b) {
    return Active() && b && *b != kNoId && *b <= lastId_;
}

std::string TMemoryData::KeyFieldNames() const {
    std::string out;
    for (size_t i = 0; i < sortFields_.size(); ++i) out += (i ? ";" : "") + sortFields_[i];
    return out;
}

int TMemoryData::CompareRecords(const StoredRecord& a, const StoredRecord& b) const {
    for (const db::Field* f : sortKeys_) {
        const db::Variant& x = a.values[f->FieldNo()];
        const db::Variant& y = b.values[f->FieldNo()];
        int c;
        if (!x.IsNull() && !y.IsNull())
            c = CompareValues(f->DataType(), x, y, sortCaseInsensitive_);
        else
            c = x.IsNull() == y.IsNull() ? 0 : (x.IsNull() ? -1 : 1);
        if (c != 0) return sortDescending_ ? -c : c;
    }
    const int c = a.id < b.id ? -1 : a.id > b.id ? 1 : 0;
    return sortDescending_ ? -c : c;
}

void TMemoryData::SortByFields(const std::string& fieldNames, bool caseInsensitive, bool descending) {
    try {
        sortFields_.clear();
        sortKeys_.clear();
        for (const std::string& name : SplitFieldNames(fieldNames)) {
            db::Field& f = FieldByName(name);
            if (f.Kind() != db::FieldKind::Data || db::IsBlobType(f.DataType())) {
                const std::string actual = f.Kind() == db::FieldKind::Calculated ? "Calculated"
                                           : f.Kind() == db::FieldKind::Lookup
                                               ? "Lookup"
                                               : db::FieldTypeName(f.DataType());
                throw db::DatabaseError("Type mismatch for field '" + f.DisplayName() + "', expecting: " +
                                        db::FieldTypeName(FieldType::String) + " actual: " + actual);
            }
            sortFields_.push_back(f.FieldName());
            sortKeys_.push_back(&f);
        }
        sortCaseInsensitive_ = caseInsensitive;
        sortDescending_ = descending;
        if (!Active() || records_.empty()) return;
        CheckBrowseMode();
        const db::Bookmark current = GetBookmark();
        std::sort(records_.begin(), records_.end(),
                  [this](const auto& a, const auto& b) { return CompareRecords(*a, *b) < 0; });
        ++generation_;
        const int pos = current ? FindBookmark(current) : 0;
        Resync(pos < 0 ? 0 : pos);
    } catch (...) {
        sortFields_.clear();
        sortKeys_.clear();
        throw;
    }
}

void TMemoryData::ClearAllRecords() {
    if (!Active()) return;
    CheckBrowseMode();
    ClearStored();
    Resync(0);
}

int TMemoryData::LoadRecordsFrom(db::Dataset& source, int count, bool keepStructure) {
    if (&source == this) return 0;
    const bool sourceWasOpen = source.Active();
    db::ControlsOff selfOff(*this), sourceOff(source);
    int copied = 0;
    try {
        SetFiltered(false);
        source.Open();
        source.CheckBrowseMode();
        if (!keepStructure) {
            Close();
            CopyFieldLayout(source);
        }
        sortFields_.clear();
        sortKeys_.clear();
        Open();
        CheckBrowseMode();
        if (count <= 0) source.First();
        while (!source.Eof() && (count <= 0 || copied < count)) {
            if (source.IsEmpty()) break;
            Append();
            CopyRecordFields(source, *this, true);
            Post();
            ++copied;
            source.Next();
        }
        First();
    } catch (...) {
        if (!sourceWasOpen) source.Close();
        throw;
    }
    if (!sourceWasOpen) source.Close();
    return copied;
}

void CopyRecordFields(db::Dataset& source, db::Dataset& target, bool byName) {
    if (!InEditMode(target)) throw db::DatabaseError("Dataset not in edit or insert mode");
    if (byName) {
        for (int i = 0; i < source.FieldCount(); ++i) {
            db::Field& from = source.Fields(i);
            if (db::Field* to = target.FindField(from.FieldName())) to->SetValue(from.Value());
        }
        return;
    }
    const db::FieldDefs& s = source.GetFieldDefs();
    const db::FieldDefs& t = target.GetFieldDefs();
    for (size_t i = 0; i < std::min(s.size(), t.size()); ++i) {
        db::Field* from = source.FindField(s[i].name);
        db::Field* to = target.FindField(t[i].name);
        if (from && to) to->SetValue(from->Value());
    }
}

// --- TMemBlobStream ------------------------------------------------------------

TMemBlobStream::TMemBlobStream(db::Field& field, Mode mode) : field_(field), mode_(mode) {
    if (mode == Write) {
        if (!InEditMode(*field.DataSet())) throw db::DatabaseError("Dataset not in edit or insert mode");
        modified_ = true;  // opening for writing truncates the value
    } else {
        data_ = field.Value().ToString();
    }
}

TMemBlobStream::~TMemBlobStream() {
    try {
        Close();
    } catch (...) {
    }
}

size_t TMemBlobStream::ReadBytes(void* buffer, size_t count) {
    if (pos_ >= data_.size()) return 0;
    const size_t n = std::min(count, data_.size() - pos_);
    std::memcpy(buffer, data_.data() + pos_, n);
    pos_ += n;
    return n;
}

void TMemBlobStream::WriteBytes(const void* buffer, size_t count) {
    if (mode_ != Write) throw db::DatabaseError("Cannot write to a read-only blob stream");
    if (data_.size() < pos_ + count) data_.resize(pos_ + count);
    std::memcpy(data_.data() + pos_, buffer, count);
    pos_ += count;
    modified_ = true;
}

void TMemBlobStream::Close() {
    if (!modified_) return;
    modified_ = false;
    field_.SetValue(db::Variant(data_));
}
