#include "platform/db/ListDataset.h"

namespace db {

void ListDataset::AddStored(Record values) {
    values.resize(fieldDefs_.size());
    records_.push_back(std::make_unique<StoredRecord>(StoredRecord{++lastId_, std::move(values)}));
}

void ListDataset::ClearStored() {
    records_.clear();
    lastId_ = kNoId;
    ++generation_;  // identifiers start again: old bookmarks name new records
}

int ListDataset::FindBookmark(const Bookmark& b) {
    if (!b) return -1;
    for (size_t i = 0; i < records_.size(); ++i)
        if (records_[i]->id == *b) return static_cast<int>(i);
    return -1;
}

int ListDataset::InternalPost(Record& rec, bool inserting, int pos) {
    if (!inserting) {
        records_[pos]->values = rec;
        return pos;
    }
    const int n = static_cast<int>(records_.size());
    if (pos < 0) pos = 0;
    if (pos > n) pos = n;
    records_.insert(records_.begin() + pos, std::make_unique<StoredRecord>(StoredRecord{++lastId_, rec}));
    return pos;
}

void ListDataset::InternalDelete(int pos) {
    records_.erase(records_.begin() + pos);
    if (records_.empty()) lastId_ = kNoId;
}

}  // namespace db
