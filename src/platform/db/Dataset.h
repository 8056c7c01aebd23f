// The dataset every table, query, dBASE file and in-memory set shares: the
// state machine (browse, edit, insert), navigation that honours the filter
// text and the filter handler, fields, bookmarks, Locate and Lookup, the
// before/after events, and the links through which bound controls follow it.
// A concrete dataset implements only the cursor hooks at the bottom: how many
// records are stored, reading the record at a position, posting and deleting.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/db/Field.h"

namespace db {

// An error of the dataset layer ("Dataset not in edit or insert mode" ...).
class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An error of the storage engine with its code: 9729 key violation, 9732 a
// required field is empty; other failures carry the engine's own text.
class EngineError : public DatabaseError {
public:
    static constexpr int KeyViolation = 9729;
    static constexpr int RequiredFieldMissing = 9732;
    EngineError(int code, const std::string& message) : DatabaseError(message), code_(code) {}
    int Code() const { return code_; }

private:
    int code_;
};

// The silent abort: callers stop, nothing is shown or logged.
class AbortError : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};
[[noreturn]] void Abort();

// The application's handler of errors no form caught; the program installs
// it. Without one, HandleApplicationException rethrows the error.
using ExceptionHandler = std::function<void(std::exception_ptr)>;
void SetApplicationExceptionHandler(ExceptionHandler handler);
void HandleApplicationException(std::exception_ptr error);

enum class DatasetState { Inactive, Browse, Edit, Insert, SetKey, CalcFields, Filter };
enum class DataAction { Fail, Abort, Retry };

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false;
};

// Bookmark: the record's identifier (row id of a table, record identifier of
// an in-memory set); empty = no bookmark.
using Bookmark = std::optional<long long>;

class Dataset;
class DataSource;
class FilterExpression;

// Observer of a dataset, the way bound controls follow it. Attach with
// Dataset::AttachLink; the dataset detaches its links when it is destroyed.
class DataLink {
public:
    virtual ~DataLink();
    Dataset* LinkedDataSet() const { return dataset_; }
    // Opened or closed.
    virtual void ActiveChanged() {}
    // Browse, edit, insert ...
    virtual void StateChanged() {}
    // Moved to another record, or the records changed wholesale.
    virtual void DataSetChanged() {}
    // One field of the current record changed (nullptr: the whole record).
    virtual void RecordChanged(Field* field) {}
    // Before a post: controls write their pending text into the fields.
    virtual void UpdateData() {}
    // The data source this link was bound through is being destroyed.
    virtual void DataSourceFreed() {}

private:
    friend class Dataset;
    friend class DataSource;
    Dataset* dataset_ = nullptr;
    DataSource* source_ = nullptr;  // the source it follows as a client
};

// A data source: the link with events forms attach, and AutoEdit.
class DataSource : public DataLink {
public:
    DataSource() = default;
    explicit DataSource(Dataset* ds) { SetDataSet(ds); }
    ~DataSource() override;
    void SetDataSet(Dataset* ds);
    Dataset* DataSet() const { return LinkedDataSet(); }
    bool AutoEdit = true;
    // Puts the dataset into edit mode when AutoEdit allows it; false when it
    // is not in edit or insert mode afterwards.
    bool Edit();

    // A bound control's link follows the source: it is attached to the
    // source's dataset now and whenever that changes (and told through
    // ActiveChanged), and told through DataSourceFreed when the source goes.
    void AddClient(DataLink* client);
    void RemoveClient(DataLink* client);

    std::function<void(DataSource&)> OnStateChange;
    std::function<void(DataSource&, Field*)> OnDataChange;
    std::function<void(DataSource&)> OnUpdateData;

    void ActiveChanged() override;
    void StateChanged() override;
    void DataSetChanged() override;
    void RecordChanged(Field* field) override;
    void UpdateData() override;

private:
    std::vector<DataLink*> clients_;
};

using Record = std::vector<Variant>;

class Dataset {
public:
    Dataset();
    virtual ~Dataset();
    Dataset(const Dataset&) = delete;
    Dataset& operator=(const Dataset&) = delete;

    // Name shown in messages and in the program log (component name).
    std::string Name;

    // --- Open and close ---------------------------------------------------
    void Open();
    void Close();
    bool Active() const { return state_ != DatasetState::Inactive; }
    void SetActive(bool on) { on ? Open() : Close(); }
    DatasetState State() const { return state_; }
    bool ReadOnly = false;
    bool CanModify() const;

    // --- Structure --------------------------------------------------------
    // The stored structure. A closed dataset may be given one before Open.
    const FieldDefs& GetFieldDefs() const { return fieldDefs_; }
    // Reads the stored structure into the definitions without opening (a
    // closed table reads its file); the default keeps them as they are.
    virtual void UpdateFieldDefs() {}
    void SetFieldDefs(FieldDefs defs);
    // Fields in order; persistent fields are added while the set is closed,
    // default fields are made from the definitions at Open when there are none.
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    Field& Fields(int i) const;
    Field& FieldByName(const std::string& name) const;  // "Field 'X' not found"
    Field* FindField(const std::string& name) const;
    Field& AddField(const FieldDef& def, FieldKind kind = FieldKind::Data);
    void ClearFields();  // only while closed
    // Persistent fields were added (not made from the definitions at Open).
    bool HasPersistentFields() const { return persistentFields_; }
    // Splits a field list at ";" and trims each name.
    static std::vector<std::string> SplitFieldNames(const std::string& names);

    // --- Navigation -------------------------------------------------------
    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);  // rows actually moved
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    bool IsEmpty() const { return pos_ < 0; }
    // Stored records; with a filter active the visible ones (an in-memory set
    // counts every stored record).
    virtual int RecordCount();
    // 1-based number of the current record; 0 when there is none.
    virtual int RecNo();
    virtual void SetRecNo(int recNo);
    // Re-reads the records from the storage and stays on the current one.
    void Refresh();
    // Changes whenever the stored records are replaced or reordered as a
    // whole: a view that keeps rows by bookmark must read them again, even
    // when the count and the current bookmark happen to be the same.
    virtual long long RecordsGeneration() const { return 0; }

    // --- Changes ----------------------------------------------------------
    void Append();
    void Insert();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    // Posts a changed record, cancels an unchanged one.
    void CheckBrowseMode();
    bool Modified() const { return modified_; }

    // --- Search -----------------------------------------------------------
    // Key fields separated by ";" (blanks after ";" allowed); one value per
    // key field. BeforeScroll runs first, always. Makes the first visible
    // match current; when the current record matches it stays. A match runs
    // AfterScroll; no match: false and no move.
    bool Locate(const std::string& keyFields, const std::vector<Variant>& keyValues, LocateOptions opt = {});
    bool Locate(const std::string& keyField, const Variant& keyValue, LocateOptions opt = {}) {
        return Locate(keyField, std::vector<Variant>{keyValue}, opt);
    }
    // The result field of the first visible match, without moving; null when none.
    Variant Lookup(const std::string& keyFields, const std::vector<Variant>& keyValues,
                   const std::string& resultField);
    Variant Lookup(const std::string& keyField, const Variant& keyValue, const std::string& resultField) {
        return Lookup(keyField, std::vector<Variant>{keyValue}, resultField);
    }
    // Key search on the primary index fields (KeyFieldNames).
    bool FindKey(const std::vector<Variant>& keyValues);
    // The first record whose key is not below the values (else the last).
    void FindNearest(const std::vector<Variant>& keyValues);
    // Fields of the primary index (tables) or of the sort (in-memory set), ";"-separated.
    virtual std::string KeyFieldNames() const { return {}; }

    // --- Bookmarks --------------------------------------------------------
    Bookmark GetBookmark() const;
    // Moves to the record; "Record not found" when it is gone. A record the
    // filter hides is not moved to.
    void GotoBookmark(const Bookmark& b);
    virtual bool BookmarkValid(const Bookmark& b);
    static int CompareBookmarks(const Bookmark& a, const Bookmark& b);

    // --- Filter -----------------------------------------------------------
    // Filter text: fields compared with quoted texts and numbers, and/or/not,
    // parentheses ("SF_HONAP = 3 and SF_JCKOD >= '300'"). A text ending in
    // "*" matches by prefix. Texts compare byte by byte.
    const std::string& Filter() const { return filterText_; }
    void SetFilter(const std::string& text);
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool on);
    // True while the filter text or the handler may hide records.
    bool FilterActive() const;
    bool FilterCaseInsensitive = false;

    // --- Bound controls ---------------------------------------------------
    void AttachLink(DataLink* link);
    void DetachLink(DataLink* link);
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // --- Events -----------------------------------------------------------
    using Event = std::function<void(Dataset&)>;
    Event BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    Event BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    Event BeforePost, AfterPost, BeforeCancel, AfterCancel;
    Event BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    Event OnNewRecord, OnCalcFields;
    using FilterHandler = std::function<void(Dataset&, bool& accept)>;
    FilterHandler OnFilterRecord;
    // Sets the handler and, when open, applies it at once (goes to the first record).
    void SetOnFilterRecord(FilterHandler handler);
    // Sees the error (an EngineError carries the engine code) and chooses:
    // Fail raises it, Abort abandons silently, Retry tries again.
    using ErrorEvent = std::function<void(Dataset&, const DatabaseError&, DataAction&)>;
    ErrorEvent OnPostError, OnDeleteError, OnEditError;

    // --- Field access for Field (the buffer of the current state) ---------
    Variant GetFieldValue(const Field& f) const;
    void SetFieldValue(Field& f, const Variant& v);

protected:
    // --- Cursor hooks -----------------------------------------------------
    // Opens the storage; fills the field definitions when they come from it.
    virtual void InternalOpen() = 0;
    virtual void InternalClose() = 0;
    virtual int StoredCount() = 0;
    // Reads the stored record at 0-based `pos` into `rec` (one slot per field definition).
    virtual void ReadStored(int pos, Record& rec) = 0;
    virtual Bookmark StoredBookmark(int pos) = 0;
    // Position of the record with that bookmark; -1 when gone.
    virtual int FindBookmark(const Bookmark& b) = 0;
    // Stores `rec`: a new record (insertAt = the position it was inserted at,
    // StoredCount() when appended) or the one at `pos`. Returns the record's
    // position afterwards (a table keeps key order).
    virtual int InternalPost(Record& rec, bool inserting, int pos) = 0;
    virtual void InternalDelete(int pos) = 0;
    virtual bool InternalCanModify() const { return true; }
    // Re-reads the storage (Refresh); the default does nothing.
    virtual void InternalRefresh() {}
    // Before Edit re-reads the current record: drop what is cached of it.
    virtual void InternalEdit() {}
    // A quicker Locate where the storage can do it (a search on the order
    // keys): the position of the first match, -1 for none, -2 when it cannot.
    virtual int FindMatching(const std::vector<Field*>& keys, const std::vector<Variant>& values,
                             LocateOptions opt) {
        return -2;
    }
    // Where the cursor stands after the record at `at` was deleted; the
    // default is the next visible record, else the previous one.
    virtual int PositionAfterDelete(int at);
    // A bookmark led to a record the filter hides, so the cursor stays: a
    // dataset that cannot stay on its current record raises here.
    virtual void CheckCurrentRecord() {}
    // Fills a new record's buffer (all null by default).
    virtual void InitRecord(Record& rec);
    // Calls OnFilterRecord for the record under test; its errors reach the
    // operation that moved (the in-memory set hands them to the application).
    virtual void CallFilterHandler(bool& accept) { OnFilterRecord(*this, accept); }

    // For concrete datasets.
    void CheckActive() const;
    void CheckInactive() const;  // "Cannot perform this operation on an open dataset"
    void CheckEditMode() const;  // "Dataset not in edit or insert mode"
    int CurrentPos() const { return pos_; }
    // After the storage changed under the cursor: re-read the current record
    // (position `pos`, or the nearest visible one) and tell the links.
    void Resync(int pos);
    // The position of the first visible record from `from` in direction dir
    // (+1 / -1); -1 when none.
    int FindVisible(int from, int dir);
    // Runs the filter on a stored record.
    bool RecordVisible(int pos);
    void DataSetChangedEvent();
    void RecordChangedEvent(Field* f);
    void StateChangedEvent();
    // Handler-free matching on values (used by Locate and Lookup).
    bool RecordMatches(const Record& rec, const std::vector<Field*>& keys, const std::vector<Variant>& values,
                       LocateOptions opt) const;
    std::vector<Field*> ResolveFields(const std::string& names) const;
    // The active buffer of the current state.
    const Record& ActiveBuffer() const;
    Record& EditBuffer() { return buf_; }
    void SetState(DatasetState s);
    // Reads a stored record and runs the filter on it; false when hidden.
    bool ReadVisible(int pos, Record& rec);

    FieldDefs fieldDefs_;

private:
    void BindFields();
    void BeginInsert(bool append);
    void LoadCurrent();
    void MoveTo(int pos, bool bof, bool eof);
    void RunWithErrorEvent(const ErrorEvent& ev, const std::function<void()>& op);
    void CheckRequiredFields();
    void CompileFilter();
    void FilterChanged();
    Variant LookupFieldValue(const Field& f) const;

    DatasetState state_ = DatasetState::Inactive;
    std::vector<std::unique_ptr<Field>> fields_;
    // Field names compare without regard to ASCII case, with no copy per lookup.
    struct NameHash {
        size_t operator()(const std::string& s) const;
    };
    struct NameEqual {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    std::unordered_map<std::string, Field*, NameHash, NameEqual> fieldIndex_;
    // The fields made for the columns of the last open, kept over a close:
    // opened again on the same columns, they are made anew in place.
    std::vector<std::unique_ptr<Field>> spareFields_;
    std::unordered_map<std::string, Field*, NameHash, NameEqual> spareIndex_;
    bool persistentFields_ = false;
    int pos_ = -1;
    bool bof_ = true, eof_ = true;
    Record buf_;        // current record, or the record being edited
    Record filterBuf_;  // record under test by the filter
    const Record* filterRec_ = nullptr;
    int slotCount_ = 0;  // data slots + calculated slots
    int insertPos_ = 0;
    int savedPos_ = -1;  // current position when an insert began
    bool modified_ = false;
    std::string filterText_;
    bool filtered_ = false;
    std::shared_ptr<FilterExpression> filterTree_;
    std::vector<DataLink*> links_;
    int disableCount_ = 0;
    bool changedWhileDisabled_ = false;
};

}  // namespace db
