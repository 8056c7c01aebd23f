// A dataset whose records live in memory, in list order, each with an
// identifier that serves as its bookmark. Query results, dBASE files and the
// in-memory dataset of the forms build on it.
#pragma once

#include <climits>
#include <memory>
#include <vector>

#include "platform/db/Dataset.h"

namespace db {

class ListDataset : public Dataset {
public:
    // Reserves room for that many records.
    void SetCapacity(int n) { records_.reserve(static_cast<size_t>(n > 0 ? n : 0)); }
    int Capacity() const { return static_cast<int>(records_.capacity()); }
    long long RecordsGeneration() const override { return generation_; }

protected:
    struct StoredRecord {
        long long id;
        Record values;
    };
    static constexpr long long kNoId = INT_MIN;  // identifiers start above it

    // Adds a record at the end without the dataset's state machine (loading).
    void AddStored(Record values);
    void ClearStored();

    void InternalOpen() override {}
    void InternalClose() override { ClearStored(); }
    int StoredCount() override { return static_cast<int>(records_.size()); }
    void ReadStored(int pos, Record& rec) override { rec = records_[pos]->values; }
    Bookmark StoredBookmark(int pos) override { return records_[pos]->id; }
    int FindBookmark(const Bookmark& b) override;
    int InternalPost(Record& rec, bool inserting, int pos) override;
    void InternalDelete(int pos) override;

    std::vector<std::unique_ptr<StoredRecord>> records_;
    long long lastId_ = kNoId;
    long long generation_ = 0;  // bumped when the records are replaced or reordered
};

}  // namespace db
