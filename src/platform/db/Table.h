// Tables: one SQLite file <folder>/<Name>.DB per table, holding one table of
// that name whose primary key is the table's primary index. Rows are read in
// key order (or in the order of IndexFieldNames); every Post and Delete is
// written through to the file and durable when it returns. Table names
// resolve case-insensitively.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/db/Dataset.h"

namespace db {

namespace sql {
class Connection;
}

// --- Table files ------------------------------------------------------------
// `databaseName` is an alias or a folder path.

// The table's file; an existing file whose name differs only in case is
// found; a missing one gives <folder>/<Name>.DB.
std::string TableFilePath(const std::string& databaseName, const std::string& tableName);
bool TableExists(const std::string& databaseName, const std::string& tableName);
// Creates the table from field definitions with a primary index on the fields
// of `primaryIndex` (";"-separated, blanks allowed; blank: no index). An
// existing table of that name is replaced whole. Throws DatabaseError.
void CreateTable(const std::string& databaseName, const std::string& tableName, const FieldDefs& defs,
                 const std::string& primaryIndex);
// Copies a table (a consistent snapshot) over `target`, replacing it.
void CopyTable(const std::string& databaseName, const std::string& source, const std::string& target);
void DeleteTable(const std::string& databaseName, const std::string& tableName);
// Copies a table file to `to` as one consistent state, read under the engine's
// shared lock while other connections and processes go on writing it (their
// locks stay intact). `to` is created or replaced and gets the source's
// modification time. Throws DatabaseError (also for a file that is no table).
void SnapshotTableFile(const std::string& from, const std::string& to);
// Whether a table file passes the engine's quick check of its pages and
// records; a file that cannot be opened as a table is not sound. Meant for
// copies no other connection writes (a backup's or a restore's).
bool TableFileSound(const std::string& path);
// The stored structure and the primary index fields of a table file.
FieldDefs ReadTableStructure(const std::string& databaseName, const std::string& tableName,
                             std::string* primaryIndex = nullptr);

class Table : public Dataset {
public:
    Table();
    ~Table() override;

    std::string DatabaseName;  // alias or folder
    std::string TableName;     // "Szamfejt_001", also "NyugP.DB"
    // Another order of the rows (";"-separated fields, texts in Hungarian
    // order); empty: the primary index.
    std::string IndexFieldNames;
    // The primary index CreateTable() gives the table.
    std::string PrimaryIndexFields;

    std::string FilePath() const { return TableFilePath(DatabaseName, TableName); }
    bool Exists() const { return TableExists(DatabaseName, TableName); }
    // Creates the table from the field definitions (or the persistent fields)
    // and PrimaryIndexFields; the table must be closed.
    void CreateTable();
    void DeleteTable();
    // Deletes every row.
    void EmptyTable();
    // Posts and deletes are already on disk when they return; these keep the
    // callers' flush-and-save step meaningful and cheap.
    void FlushBuffers() {}
    void SaveChanges() {}

    std::string KeyFieldNames() const override;
    void UpdateFieldDefs() override;
    // Bookmarks, in the table's order, of the stored records whose `field`,
    // one of the fields of the order, equals `value` as Locate compares; the
    // keys of the order are at hand, so no record is read (a month's rows of
    // a year table ordered by employee first). Throws DatabaseError for a
    // field outside the order.
    std::vector<Bookmark> KeyMatches(const std::string& field, const Variant& value);
    // The values of the order's fields of every stored record, in the table's
    // order (an empty value is null); no record is read.
    std::vector<Record> OrderKeys();
    // Changes whenever what the table gives may have changed: its rows read
    // again from the file (a refresh after a commit), a post or a delete of
    // its own, a close. Values drawn from the table are read again only then.
    long long ContentVersion() const;

protected:
    void InternalOpen() override;
    void InternalClose() override;
    int StoredCount() override;
    void ReadStored(int pos, Record& rec) override;
    Bookmark StoredBookmark(int pos) override;
    int FindBookmark(const Bookmark& b) override;
    int InternalPost(Record& rec, bool inserting, int pos) override;
    void InternalDelete(int pos) override;
    bool InternalCanModify() const override;
    void InternalRefresh() override;
    void InternalEdit() override;
    int FindMatching(const std::vector<Field*>& keys, const std::vector<Variant>& values,
                     LocateOptions opt) override;

private:
    friend class Transaction;
    void RefuseBlankKeyTwice(const Record& rec, const long long* ownRowid);
    // Routes the table's reads and writes through a transaction's connection
    // (nullptr: back to its own).
    void UseTransaction(void* sqliteDb, const std::string& schema);
    // The table's own connection while it is open for writing, for a
    // transaction over its file alone; shared, so a Close inside the
    // transaction leaves it to the transaction.
    std::shared_ptr<sql::Connection> OwnConnection() const;
    void ReleaseStatements();
    void ReadWindow(int pos, bool backwards);
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace db
