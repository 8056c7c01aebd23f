// SQL over table files: the statement names its tables as identifiers, the
// layer attaches their files for the statement, binds the `:name`
// parameters (never pasted into the text) and hands a SELECT's rows back as a
// read-only dataset. Dates bound with SetAsDate match the stored ISO dates.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/ListDataset.h"

namespace db {

// A table or field name quoted for SQL ("NyugP.DB" names the table "NyugP").
std::string SqlName(const std::string& name);

class Param {
public:
    explicit Param(std::string name = {}) : name_(std::move(name)) {}
    const std::string& Name() const { return name_; }
    void SetAsString(const std::string& s) { value_ = Variant(s), type_ = FieldType::String; }
    void SetAsInteger(long long v) { value_ = Variant(v), type_ = FieldType::Integer; }
    void SetAsFloat(double v) { value_ = Variant(v), type_ = FieldType::Float; }
    void SetAsDate(double day) { value_ = day == 0 ? Variant() : Variant(day), type_ = FieldType::Date; }
    void SetAsDateTime(double v) { value_ = v == 0 ? Variant() : Variant(v), type_ = FieldType::DateTime; }
    void SetAsBoolean(bool v) { value_ = Variant(v), type_ = FieldType::Boolean; }
    void Clear() { value_ = Variant(), type_ = FieldType::Unknown; }
    const Variant& Value() const { return value_; }
    FieldType DataType() const { return type_; }
    std::string AsString() const { return value_.ToString(); }

private:
    std::string name_;
    Variant value_;
    FieldType type_ = FieldType::Unknown;
};

// One connection kept for a run of queries (a group of employees read one by
// one): their table files stay attached and their statements prepared from
// one Open to the next. A file made anew meanwhile (a table recreated on
// another workstation) is attached afresh; a changed structure is read again
// by the engine itself.
class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

private:
    friend class Query;
    struct Impl;
    std::unique_ptr<Impl> d_;
};

class Query : public ListDataset {
public:
    Query() { ReadOnly = true; }
    ~Query() override;

    // Opens through the session (nullptr: a connection of its own for each
    // Open); the session must outlive the query's opens.
    void SetSession(Session* session) { session_ = session; }

    std::string DatabaseName;  // alias or folder
    // The statement(s); changing it closes the query and forgets its
    // schemas. Parameters keep their values by name.
    void SetSQL(const std::string& sql);
    // Tables of another database (alias or folder) in the statement, after
    // SetSQL: `schema.Table` or `schema."Table"` names the table file of that
    // database's folder, so a table whose name this database also has can be
    // joined with it (an unqualified name stays this database's).
    void AddSchema(const std::string& schema, const std::string& databaseName);
    const std::string& SQL() const { return sql_; }
    // "Parameter 'x' not found" when the SQL has no :x.
    Param& ParamByName(const std::string& name);
    // Runs every statement of the SQL (ALTER TABLE, INSERT, DELETE ...).
    void ExecSQL();
    int RowsAffected() const { return rowsAffected_; }

protected:
    void InternalOpen() override;
    bool InternalCanModify() const override { return false; }

private:
    std::string sql_;
    std::map<std::string, Param> params_;         // upper-case name
    std::map<std::string, std::string> schemas_;  // folded schema name -> database
    Session* session_ = nullptr;
    int rowsAffected_ = 0;
    // The columns of the last open and their fields.
    struct Column {
        std::string name;
        bool declared;  // a table column, of the type `type` (else an expression)
        std::string type;
    };
    std::vector<Column> columns_;
    FieldDefs columnDefs_;
};

}  // namespace db
