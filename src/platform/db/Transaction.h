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
    // existing files. Throws EngineError (a table locked by another process, a
    // missing file).
    //
    // One connection holds at most eleven files (SQLite's attach limit); more
    // tables are spread over several connections. Their files, but those of
    // the last connection, are copied when the transaction starts; the commit
    // commits the connections in order and, when a later one fails, puts the
    // files already committed back from their copies. Only a process that
    // dies between those commits can leave part of such a transaction done.
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
    void RollbackFrom(size_t group, std::exception_ptr& failed);
    void PutBackBefore(size_t group);
    std::vector<Table*> tables_;
    struct Link;
    std::unique_ptr<Link> link_;
    bool active_ = false;
};

}  // namespace db
