// One transaction over the files of several tables: every write of those
// tables goes through it, and either all of it reaches the disk (Commit) or
// none (Rollback, also when an exception leaves the scope, or the process
// dies before the commit).
#pragma once

#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/db/Table.h"

namespace db {

class Transaction {
public:
    // The tables need not be open; their DatabaseName and TableName must name
    // existing files. At most ten tables. Throws EngineError (a table locked
    // by another process, a missing file).
    explicit Transaction(std::vector<Table*> tables);
    Transaction(std::initializer_list<Table*> tables) : Transaction(std::vector<Table*>(tables)) {}
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();
    // Undoes every change; open tables re-read their rows.
    void Rollback();
    bool Active() const { return active_; }

private:
    void Detach();
    std::vector<Table*> tables_;
    struct Link;
    std::unique_ptr<Link> link_;
    bool active_ = false;
};

}  // namespace db
