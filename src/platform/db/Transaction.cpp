#include "platform/db/Transaction.h"

#include "platform/db/Sqlite.h"

namespace db {

struct Transaction::Link {
    std::unique_ptr<sql::Connection> conn;
};

Transaction::Transaction(std::vector<Table*> tables)
    : tables_(std::move(tables)), link_(std::make_unique<Link>()) {
    if (tables_.empty()) return;
    if (tables_.size() > 10) throw EngineError(SQLITE_LIMIT_ATTACHED, "Too many tables in one transaction");
    std::vector<std::string> paths;
    for (Table* t : tables_) {
        if (!t->Exists())
            throw EngineError(SQLITE_CANTOPEN,
                              t->TableName + ": Table does not exist (" + t->FilePath() + ")");
        paths.push_back(t->FilePath());
    }
    // The first file is the main database, so the commit over several files
    // is atomic (SQLite's super-journal needs a named main database).
    const std::string context = tables_.front()->TableName;
    link_->conn = std::make_unique<sql::Connection>(paths[0], false, false, context);
    std::vector<std::string> schemas{"main"};
    for (size_t i = 1; i < tables_.size(); ++i) {
        std::string schema = "main";
        for (size_t j = 0; j < i; ++j)
            if (paths[j] == paths[i]) schema = schemas[j];
        if (schema == "main" && paths[i] != paths[0]) {
            schema = "t" + std::to_string(i);
            link_->conn->Attach(paths[i], schema, tables_[i]->TableName);
        }
        schemas.push_back(schema);
    }
    link_->conn->Exec("BEGIN IMMEDIATE", context);
    active_ = true;
    for (size_t i = 0; i < tables_.size(); ++i) tables_[i]->UseTransaction(link_->conn->get(), schemas[i]);
}

Transaction::~Transaction() {
    if (active_) {
        try {
            Rollback();
        } catch (...) {
        }
    }
}

void Transaction::Detach() {
    for (Table* t : tables_) t->UseTransaction(nullptr, {});
}

void Transaction::Commit() {
    if (!active_) return;
    for (Table* t : tables_)
        if (t->Active()) t->CheckBrowseMode();
    // Statements of the tables hold no open cursors between calls.
    for (Table* t : tables_) t->ReleaseStatements();
    try {
        link_->conn->Exec("COMMIT", tables_.front()->TableName);
    } catch (...) {
        try {
            Rollback();
        } catch (...) {
        }
        throw;
    }
    active_ = false;
    Detach();
}

void Transaction::Rollback() {
    if (!active_) return;
    for (Table* t : tables_) {
        if (t->Active()) t->Cancel();
        t->ReleaseStatements();
    }
    active_ = false;
    // A failed commit (a full disk) may have rolled back already; either way
    // the tables show what the files hold afterwards.
    std::exception_ptr failed;
    if (!sqlite3_get_autocommit(link_->conn->get())) {
        try {
            link_->conn->Exec("ROLLBACK", tables_.front()->TableName);
        } catch (...) {
            failed = std::current_exception();
        }
    }
    Detach();
    for (Table* t : tables_)
        if (t->Active()) t->Refresh();
    if (failed) std::rethrow_exception(failed);
}

}  // namespace db
