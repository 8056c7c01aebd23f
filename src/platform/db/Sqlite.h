// SQLite underneath the tables and queries: connections with the collations
// registered, statements, the mapping of field types to column types and of
// values to stored values (dates as ISO text, empty text as NULL), and engine
// errors that name the table.
#pragma once

#include <sqlite3.h>

#include <string>

#include "platform/db/Dataset.h"

namespace db::sql {

// Engine error for a failed SQLite call: 9729 for a key violation, 9732 for a
// missing required field, a damaged table named as such (SQLite's code kept),
// else SQLite's text; prefixed with `context`.
EngineError MakeError(sqlite3* db, int rc, const std::string& context);

class Connection {
public:
    // Opens a database file (":memory:" for none); `create` makes a missing one.
    Connection(const std::string& path, bool readOnly, bool create, const std::string& context);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    sqlite3* get() const { return db_; }
    void Exec(const std::string& sql, const std::string& context) const;
    // ATTACH a table file under a schema name.
    void Attach(const std::string& path, const std::string& schema, const std::string& context) const;

private:
    sqlite3* db_ = nullptr;
};

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql, const std::string& context);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return st_; }
    // True while a row is available; throws EngineError.
    bool Step();
    void Reset();
    // Runs a statement that returns no rows, then resets it (also on failure);
    // its values stay bound, as the next run binds every one anew.
    void Execute();
    void Bind(int index, const Variant& v, FieldType type);
    // Bind for a value that outlives the statement's next run (a record being
    // written): its text is not copied. The statement must not run again
    // before every such value is bound anew.
    void BindKept(int index, const Variant& v, FieldType type);
    Variant Column(int index, FieldType type) const;
    const char* Tail() const { return tail_; }

private:
    void Bind(int index, const Variant& v, FieldType type, void (*lifetime)(void*));
    sqlite3* db_;
    sqlite3_stmt* st_ = nullptr;
    std::string context_;
    const char* tail_ = nullptr;
};

// "name" quoted as an identifier.
std::string Quote(const std::string& ident);
// Column type of a field in the table file ("VARCHAR(30)", "DATE" ...).
std::string ColumnType(const FieldDef& def);
// The field type a declared column type stands for.
FieldDef FieldDefFromColumn(const std::string& name, const std::string& declared, bool notNull);

// Registers the collations "HU" (Hungarian) and "HU_CI" (case-insensitive).
void RegisterCollations(sqlite3* db);

}  // namespace db::sql
