// The in-memory dataset of the forms and the payroll run: records kept in a
// list in dataset order, on the same Dataset interface as tables and queries.
// Beyond it: copying a table's structure, loading a dataset's records,
// sorting on a field list with a fixed comparison order (nulls first, ties in
// insertion order, descending reversal), emptying the set.
#pragma once

#include <string>
#include <vector>

#include "platform/db/ListDataset.h"

class TMemoryData : public db::ListDataset {
public:
    TMemoryData() = default;
    ~TMemoryData() override;

    // The set must be closed ("Cannot perform this operation on an open
    // dataset"): drops its fields, takes the source's stored field
    // definitions (types it cannot hold are left out) and makes fields of them.
    void CopyFieldLayout(db::Dataset& source);
    // Appends the source's visible records from its current one (count > 0:
    // at most count) or all of them (count <= 0); without keepStructure the
    // set is closed and takes the source's layout first. Fields are copied by
    // name. Ends on the first record; returns the number copied.
    int LoadRecordsFrom(db::Dataset& source, int count, bool keepStructure);
    // Sorts on the fields named ("A; B"): nulls first, texts in Hungarian
    // order, equal keys in insertion order; descending reverses all of it.
    // The current record stays current.
    void SortByFields(const std::string& fieldNames, bool caseInsensitive = false, bool descending = false);
    // Empties an open set (posting a pending edit); nothing when closed.
    void ClearAllRecords();

    // Every stored record; the filter is not applied.
    int RecordCount() override;
    int RecNo() override;
    // Moves to the stored record at that position (the filter is not
    // counted; a hidden one gives the next visible); other numbers do nothing.
    void SetRecNo(int recNo) override;
    bool BookmarkValid(const db::Bookmark& b) override;
    // The fields of the last sort.
    std::string KeyFieldNames() const override;

protected:
    void InternalOpen() override;
    void InternalClose() override;
    int InternalPost(db::Record& rec, bool inserting, int pos) override;
    void InternalDelete(int pos) override;
    // The record that slid into the place, or the last when the place is past
    // the end; with a filter active, back to the nearest previous one it shows.
    int PositionAfterDelete(int at) override;
    // "No data found" when there is no current record or the filter hides it.
    void CheckCurrentRecord() override;
    // An error of the filter handler goes to the application's handler; the
    // record passes unless the handler had set it to fail before the error.
    void CallFilterHandler(bool& accept) override;

private:
    int CompareRecords(const StoredRecord& a, const StoredRecord& b) const;

    long long autoInc_ = 1;
    std::vector<std::string> sortFields_;
    std::vector<db::Field*> sortKeys_;
    bool sortCaseInsensitive_ = false, sortDescending_ = false;
};

// Copies the source's current record into the target (in edit or insert
// state, else "Dataset not in edit or insert mode"): by name, each source
// field into the target field of the same name; by position, the target's
// i-th field definition gets the source's i-th.
void CopyRecordFields(db::Dataset& source, db::Dataset& target, bool byName);

// A read/write stream over one blob field of the current record. Writing
// needs edit or insert state; opening for writing empties the value; the
// field gets the bytes when the stream is closed or destroyed.
class TMemBlobStream {
public:
    enum Mode { Read, Write };
    TMemBlobStream(db::Field& field, Mode mode);
    ~TMemBlobStream();
    size_t ReadBytes(void* buffer, size_t count);
    void WriteBytes(const void* buffer, size_t count);
    void Seek(size_t position) { pos_ = position; }
    size_t Size() const { return data_.size(); }
    void Close();

private:
    db::Field& field_;
    Mode mode_;
    std::string data_;
    size_t pos_ = 0;
    bool modified_ = false;
};
