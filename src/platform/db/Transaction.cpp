#include "platform/db/Transaction.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "platform/db/Engine.h"
#include "platform/db/Sqlite.h"
#include "platform/os/TempDir.h"

namespace db {

namespace {

// Copies every page of `from` over `to` in one step of SQLite's backup, which
// writes `to` under its own journal; waits for a reader of `to` as a post does.
void CopyPages(sql::Connection& from, sql::Connection& to, const std::string& context) {
    sqlite3_backup* b = sqlite3_backup_init(to.get(), "main", from.get(), "main");
    if (!b) throw sql::MakeError(to.get(), sqlite3_errcode(to.get()), context);
    int rc = SQLITE_OK;
    for (int waited = 0;; waited += 5) {
        rc = sqlite3_backup_step(b, -1);
        if ((rc != SQLITE_BUSY && rc != SQLITE_LOCKED) || waited >= Engine::LockWait()) break;
        ::usleep(5000);
    }
    sqlite3_backup_finish(b);
    if (rc != SQLITE_DONE) throw sql::MakeError(to.get(), rc, context);
}

}  // namespace

struct Transaction::Link {
    struct Group {
        std::shared_ptr<sql::Connection> conn;
        std::string context;             // the first table's name in messages
        std::vector<std::string> files;  // main first, then the attached ones
        bool open = false;               // BEGIN done, neither COMMIT nor ROLLBACK yet
    };
    std::vector<Group> groups;
    // The files of every group but the last as they were at the start.
    std::unique_ptr<os::TempDir> before;
};

Transaction::Transaction(std::vector<Table*> tables)
    : tables_(std::move(tables)), link_(std::make_unique<Link>()) {
    if (tables_.empty()) return;
    std::vector<std::string> paths;
    for (Table* t : tables_) {
        // Found once: finding the file reads the alias settings.
        std::string path = t->FilePath();
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec))
            throw EngineError(SQLITE_CANTOPEN, t->TableName + ": Table does not exist (" + path + ")");
        paths.push_back(std::move(path));
    }
    // Each table's group and schema; a file named twice shares its schema.
    std::vector<std::pair<size_t, std::string>> where(tables_.size());
    for (size_t i = 0; i < tables_.size(); ++i) {
        bool seen = false;
        for (size_t j = 0; j < i && !seen; ++j)
            if (paths[j] == paths[i]) where[i] = where[j], seen = true;
        if (seen) continue;
        auto& groups = link_->groups;
        if (groups.empty() || int(groups.back().files.size()) >
                                  sqlite3_limit(groups.back().conn->get(), SQLITE_LIMIT_ATTACHED, -1)) {
            // The first file of a group is its main database, so the commit
            // over its files is atomic (SQLite's super-journal needs a named
            // main database).
            Link::Group g;
            g.context = tables_[i]->TableName;
            // A transaction over one file goes through the connection of a
            // table open on it: no second connection to open, and its
            // statements and the records it read ahead stay valid.
            if (std::all_of(paths.begin(), paths.end(), [&](const std::string& p) { return p == paths[0]; }))
                for (Table* t : tables_)
                    if (!g.conn) g.conn = t->OwnConnection();
            if (!g.conn) g.conn = std::make_shared<sql::Connection>(paths[i], false, false, g.context);
            g.files.push_back(paths[i]);
            groups.push_back(std::move(g));
            where[i] = {groups.size() - 1, "main"};
        } else {
            Link::Group& g = groups.back();
            const std::string schema = "t" + std::to_string(g.files.size());
            g.conn->Attach(paths[i], schema, tables_[i]->TableName);
            g.files.push_back(paths[i]);
            where[i] = {groups.size() - 1, schema};
        }
    }
    try {
        for (Link::Group& g : link_->groups) {
            g.conn->Exec("BEGIN IMMEDIATE", g.context);
            g.open = true;
        }
        // Under the reserved locks nobody else writes these files, so the
        // copies are the state a failed commit must put back.
        if (link_->groups.size() > 1) {
            link_->before = std::make_unique<os::TempDir>("tavrina-tx");
            for (size_t k = 0; k + 1 < link_->groups.size(); ++k)
                for (size_t f = 0; f < link_->groups[k].files.size(); ++f)
                    SnapshotTableFile(
                        link_->groups[k].files[f],
                        link_->before->File(std::to_string(k) + "_" + std::to_string(f) + ".DB"));
        }
    } catch (...) {
        for (Link::Group& g : link_->groups)
            if (g.open) {
                try {
                    g.conn->Exec("ROLLBACK", g.context);
                } catch (...) {
                }
            }
        throw;
    }
    active_ = true;
    for (size_t i = 0; i < tables_.size(); ++i)
        tables_[i]->UseTransaction(link_->groups[where[i].first].conn->get(), where[i].second);
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

void Transaction::RollbackFrom(size_t group, std::exception_ptr& failed) {
    for (size_t k = group; k < link_->groups.size(); ++k) {
        Link::Group& g = link_->groups[k];
        if (!g.open) continue;
        g.open = false;
        // A failed commit (a full disk) may have rolled back already.
        if (sqlite3_get_autocommit(g.conn->get())) continue;
        try {
            g.conn->Exec("ROLLBACK", g.context);
        } catch (...) {
            if (!failed) failed = std::current_exception();
        }
    }
}

void Transaction::PutBackBefore(size_t group) {
    for (size_t k = 0; k < group; ++k) {
        Link::Group& g = link_->groups[k];
        for (size_t f = 0; f < g.files.size(); ++f) {
            sql::Connection copy(link_->before->File(std::to_string(k) + "_" + std::to_string(f) + ".DB"),
                                 true, false, g.context);
            sql::Connection live(g.files[f], false, false, g.context);
            CopyPages(copy, live, g.context);
        }
    }
}

void Transaction::Commit() {
    if (!active_) return;
    for (Table* t : tables_)
        if (t->Active()) t->CheckBrowseMode();
    // Statements of the tables hold no open cursors between calls.
    for (Table* t : tables_) t->ReleaseStatements();
    for (size_t k = 0; k < link_->groups.size(); ++k) {
        Link::Group& g = link_->groups[k];
        try {
            g.conn->Exec("COMMIT", g.context);
            g.open = false;
        } catch (...) {
            std::exception_ptr commitFailed = std::current_exception();
            std::exception_ptr ignored;
            RollbackFrom(k, ignored);
            active_ = false;
            Detach();
            try {
                PutBackBefore(k);
            } catch (...) {
            }
            for (Table* t : tables_)
                if (t->Active()) t->Refresh();
            std::rethrow_exception(commitFailed);
        }
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
    std::exception_ptr failed;
    RollbackFrom(0, failed);
    Detach();
    // Either way the tables show what the files hold afterwards.
    for (Table* t : tables_)
        if (t->Active()) t->Refresh();
    if (failed) std::rethrow_exception(failed);
}

}  // namespace db
