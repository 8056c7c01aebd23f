#include "platform/db/Table.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <unordered_map>
#include <vector>

#include "platform/db/Collation.h"
#include "platform/db/Engine.h"
#include "platform/db/Sqlite.h"
#include "platform/os/DayNumber.h"
#include "platform/os/Text.h"

namespace fs = std::filesystem;

namespace db {
namespace {

// "NyugP.DB" and "NyugP" name the same table.
std::string BaseName(const std::string& tableName) {
    std::string n = tableName;
    while (!n.empty() && n.back() == ' ') n.pop_back();
    if (n.size() > 3 && os::UpperAscii(n.substr(n.size() - 3)) == ".DB") n.resize(n.size() - 3);
    return n;
}

std::string TempPathBeside(const std::string& path) {
    std::random_device rd;
    return path + ".tmp" + std::to_string(rd() % 1000000);
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Moves a finished temporary file over the target (atomic on one file system).
// A rollback journal left beside the old file by a writer that died would be
// replayed into the new one, so it goes first.
void Replace(const std::string& temp, const std::string& target, const std::string& context) {
    std::error_code ec;
    fs::remove(target + "-journal", ec);
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        throw EngineError(SQLITE_CANTOPEN, context + ": " + target + ": " + ec.message());
    }
    SyncFolder(fs::path(target).parent_path().string());
}

// The name of the one table a table file holds.
std::string InnerTableName(const sql::Connection& c, const std::string& context) {
    sql::Statement st(
        c.get(),
        "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
        "ORDER BY rowid LIMIT 1",
        context);
    if (!st.Step()) throw EngineError(SQLITE_NOTADB, context + ": the file holds no table");
    return reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0));
}

FieldDefs ReadStructure(sqlite3* db, const std::string& schema, const std::string& table,
                        std::vector<std::string>* pk, const std::string& context) {
    sql::Statement st(db, "PRAGMA " + sql::Quote(schema) + ".table_info(" + sql::Quote(table) + ")", context);
    FieldDefs defs;
    std::vector<std::pair<int, std::string>> keys;
    while (st.Step()) {
        const std::string name = reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 1));
        const char* type = reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 2));
        defs.push_back(sql::FieldDefFromColumn(name, type ? type : "", sqlite3_column_int(st.get(), 3) != 0));
        if (int k = sqlite3_column_int(st.get(), 5); k > 0) keys.emplace_back(k, name);
    }
    std::sort(keys.begin(), keys.end());
    if (pk)
        for (auto& k : keys) pk->push_back(k.second);
    return defs;
}

// Text columns outside the primary key sort in Hungarian order (ORDER BY
// DG_NEV needs no COLLATE); key columns keep the byte order in which codes
// compare, so the index needs no collation and the sqlite3 shell can write
// the file too.
std::string CreateSql(const std::string& name, const FieldDefs& defs, const std::vector<std::string>& pk) {
    std::string sql = "CREATE TABLE " + sql::Quote(name) + " (";
    for (size_t i = 0; i < defs.size(); ++i) {
        sql += (i ? ", " : "") + sql::Quote(defs[i].name) + " " + sql::ColumnType(defs[i]);
        if (defs[i].required) sql += " NOT NULL";
        const bool key = std::any_of(pk.begin(), pk.end(), [&](const std::string& k) {
            return FoldCase(k) == FoldCase(defs[i].name);
        });
        if (!key && IsTextType(defs[i].type) && defs[i].type != FieldType::Guid) sql += " COLLATE HU";
    }
    if (!pk.empty()) {
        sql += ", PRIMARY KEY (";
        for (size_t i = 0; i < pk.size(); ++i) sql += (i ? ", " : "") + sql::Quote(pk[i]);
        sql += ")";
    }
    return sql + ")";
}

}  // namespace

// --- Table files ---------------------------------------------------------------

std::string TableFilePath(const std::string& databaseName, const std::string& tableName) {
    const std::string folder = Engine::ResolveFolder(databaseName);
    const std::string base = BaseName(tableName);
    if (base.empty()) throw EngineError(SQLITE_CANTOPEN, "No table name given");
    const std::string exact = folder + "/" + base + ".DB";
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    const std::string wanted = FoldCase(base + ".db");
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string f = it->path().filename().string();
        if (f.size() != base.size() + 3 && os::IsAscii(f)) continue;  // cannot match: no folding needed
        if (FoldCase(f) == wanted) return it->path().string();
    }
    return exact;
}

bool TableExists(const std::string& databaseName, const std::string& tableName) {
    std::error_code ec;
    return fs::is_regular_file(TableFilePath(databaseName, tableName), ec);
}

void CreateTable(const std::string& databaseName, const std::string& tableName, const FieldDefs& defs,
                 const std::string& primaryIndex) {
    const std::string name = BaseName(tableName);
    const std::string path = TableFilePath(databaseName, tableName);
    if (defs.empty()) throw DatabaseError(name + ": no field definitions");
    std::vector<std::string> pk = Dataset::SplitFieldNames(primaryIndex);
    for (const std::string& k : pk) {
        if (std::none_of(defs.begin(), defs.end(),
                         [&](const FieldDef& d) { return FoldCase(d.name) == FoldCase(k); }))
            throw DatabaseError(name + ": Field '" + k + "' not found");
    }
    std::error_code ec;
    if (!fs::is_directory(fs::path(path).parent_path(), ec))
        throw EngineError(SQLITE_CANTOPEN,
                          name + ": " + fs::path(path).parent_path().string() + ": no such folder");
    const std::string temp = TempPathBeside(path);
    try {
        {
            sql::Connection c(temp, false, true, name);
            c.Exec(CreateSql(name, defs, pk), name);
        }
        Replace(temp, path, name);
    } catch (...) {
        fs::remove(temp, ec);
        throw;
    }
}

void CopyTable(const std::string& databaseName, const std::string& source, const std::string& target) {
    const std::string from = TableFilePath(databaseName, source);
    const std::string to = TableFilePath(databaseName, target);
    const std::string name = BaseName(target);
    std::error_code ec;
    if (!fs::is_regular_file(from, ec))
        throw EngineError(SQLITE_CANTOPEN, BaseName(source) + ": Table does not exist (" + from + ")");
    const std::string temp = TempPathBeside(to);
    try {
        {
            sql::Connection src(from, true, false, BaseName(source));
            sql::Connection dst(temp, false, true, name);
            sqlite3_backup* b = sqlite3_backup_init(dst.get(), "main", src.get(), "main");
            if (!b) throw sql::MakeError(dst.get(), sqlite3_errcode(dst.get()), name);
            const int rc = sqlite3_backup_step(b, -1);
            sqlite3_backup_finish(b);
            if (rc != SQLITE_DONE) throw sql::MakeError(dst.get(), rc, name);
            const std::string inner = InnerTableName(dst, name);
            if (FoldCase(inner) != FoldCase(name))
                dst.Exec("ALTER TABLE " + sql::Quote(inner) + " RENAME TO " + sql::Quote(name), name);
        }
        Replace(temp, to, name);
    } catch (...) {
        fs::remove(temp, ec);
        throw;
    }
}

void SnapshotTableFile(const std::string& from, const std::string& to) {
    const std::string name = fs::path(from).filename().string();
    std::error_code ec;
    struct stat st {};
    if (::stat(from.c_str(), &st) != 0)
        throw EngineError(SQLITE_CANTOPEN, name + ": Table does not exist (" + from + ")");
    fs::remove(to, ec);
    fs::remove(to + "-journal", ec);
    try {
        // The pages as one state: read under one read transaction, through the
        // engine's own handle of the file (a descriptor of ours, once closed,
        // would drop the locks this process holds on it). A writer holding its
        // lock is waited for as a read waits.
        sql::Connection src(from, true, false, name);
        // A writer that commits in a loop (a payroll run on another
        // workstation) leaves a reader short gaps between its commits; the
        // engine's growing sleeps between tries miss them, so this read tries
        // again every millisecond for as long as a read waits.
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(Engine::LockWait());
        sqlite3_busy_handler(
            src.get(),
            [](void* deadline, int) {
                if (std::chrono::steady_clock::now() >=
                    *static_cast<std::chrono::steady_clock::time_point*>(deadline))
                    return 0;
                ::usleep(1000);
                return 1;
            },
            &until);
        src.Exec("BEGIN", name);
        struct Commit {
            sql::Connection& c;
            ~Commit() { sqlite3_exec(c.get(), "COMMIT", nullptr, nullptr, nullptr); }
        } commit{src};
        // A pragma that takes the read lock (a journal left by a killed writer
        // handled as any read) without parsing the schema; the size comes from
        // the file's header.
        sql::Statement lock(src.get(), "PRAGMA schema_version", name);
        lock.Step();
        sqlite3_file* file = nullptr;
        if (sqlite3_file_control(src.get(), "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file ||
            !file->pMethods)
            throw EngineError(SQLITE_IOERR, name + ": the table file cannot be read");
        unsigned char head[100];
        if (const int rc = file->pMethods->xRead(file, head, sizeof head, 0); rc != SQLITE_OK)
            throw sql::MakeError(src.get(), rc, name);
        auto be32 = [&](int at) {
            return sqlite3_int64(head[at]) << 24 | sqlite3_int64(head[at + 1]) << 16 |
                   sqlite3_int64(head[at + 2]) << 8 | sqlite3_int64(head[at + 3]);
        };
        const sqlite3_int64 pageSize = head[16] == 0 && head[17] == 1 ? 65536 : head[16] << 8 | head[17];
        if (pageSize < 512) throw EngineError(SQLITE_NOTADB, name + ": not a table file");
        sqlite3_int64 count = be32(28);
        if (count == 0 || be32(92) != be32(24)) {
            // A header whose page count is not kept: the file's length.
            sqlite3_int64 bytes = 0;
            if (const int rc = file->pMethods->xFileSize(file, &bytes); rc != SQLITE_OK)
                throw sql::MakeError(src.get(), rc, name);
            count = bytes / pageSize;
        }
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(to.c_str(), "wb"), &std::fclose);
        if (!out) throw EngineError(SQLITE_CANTOPEN, name + ": " + to + ": " + std::strerror(errno));
        std::vector<char> buf(static_cast<size_t>(std::max<sqlite3_int64>(pageSize, 1)) * 64);
        const sqlite3_int64 total = count * pageSize;
        for (sqlite3_int64 at = 0; at < total;) {
            const int n =
                static_cast<int>(std::min<sqlite3_int64>(static_cast<sqlite3_int64>(buf.size()), total - at));
            const int rc = file->pMethods->xRead(file, buf.data(), n, at);
            if (rc != SQLITE_OK) throw sql::MakeError(src.get(), rc, name);
            if (std::fwrite(buf.data(), 1, static_cast<size_t>(n), out.get()) != static_cast<size_t>(n))
                throw EngineError(SQLITE_IOERR, name + ": " + to + ": " + std::strerror(errno));
            at += n;
        }
        if (std::fclose(out.release()) != 0)
            throw EngineError(SQLITE_IOERR, name + ": " + to + ": " + std::strerror(errno));
    } catch (...) {
        fs::remove(to, ec);
        throw;
    }
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::utimensat(AT_FDCWD, to.c_str(), times, 0);
}

bool TableFileSound(const std::string& path) {
    // Raw calls: the verdict is the answer, a failing call is "not sound".
    sqlite3* db = nullptr;
    bool sound =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) == SQLITE_OK;
    if (sound) {
        // The indexes name our collations: without them the schema is not read.
        sql::RegisterCollations(db);
        sqlite3_stmt* check = nullptr;
        sound = sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, &check, nullptr) == SQLITE_OK &&
                sqlite3_step(check) == SQLITE_ROW && sqlite3_column_text(check, 0) &&
                std::strcmp(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok") == 0;
        sqlite3_finalize(check);
    }
    sqlite3_close_v2(db);
    return sound;
}

void DeleteTable(const std::string& databaseName, const std::string& tableName) {
    const std::string path = TableFilePath(databaseName, tableName);
    std::error_code ec;
    if (!fs::remove(path, ec))
        throw EngineError(SQLITE_CANTOPEN, BaseName(tableName) + ": Table does not exist (" + path + ")");
    fs::remove(path + "-journal", ec);
    SyncFolder(fs::path(path).parent_path().string());
}

FieldDefs ReadTableStructure(const std::string& databaseName, const std::string& tableName,
                             std::string* primaryIndex) {
    const std::string path = TableFilePath(databaseName, tableName);
    const std::string name = BaseName(tableName);
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        throw EngineError(SQLITE_CANTOPEN, name + ": Table does not exist (" + path + ")");
    sql::Connection c(path, true, false, name);
    std::vector<std::string> pk;
    FieldDefs defs = ReadStructure(c.get(), "main", InnerTableName(c, name), &pk, name);
    if (primaryIndex) {
        primaryIndex->clear();
        for (size_t i = 0; i < pk.size(); ++i) *primaryIndex += (i ? ";" : "") + pk[i];
    }
    return defs;
}

// --- Table ---------------------------------------------------------------------

namespace {

// Writes through this process's tables, by table file. A transaction's
// tables share one connection, so a table object sees another one's write to
// the same file only here.
std::atomic<unsigned long long>* WriteCounter(const std::string& path) {
    static std::mutex m;
    static std::map<std::pair<dev_t, ino_t>, std::unique_ptr<std::atomic<unsigned long long>>> counters;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) st = {};
    const std::lock_guard<std::mutex> lock(m);
    auto& c = counters[{st.st_dev, st.st_ino}];
    if (!c) c = std::make_unique<std::atomic<unsigned long long>>(0);
    return c.get();
}

// The record a read of the file gives back after `rec` was written: an empty
// text is stored as NULL, a date as its day. False for a value whose stored
// form is not this plain (a time of day, a value of another kind than its
// field's); such a record is read again when asked for.
bool StoredForm(const Record& rec, const FieldDefs& defs, Record& out) {
    out.assign(rec.size(), Variant());
    for (size_t i = 0; i < rec.size(); ++i) {
        const Variant& v = rec[i];
        if (v.IsBlank()) continue;
        const FieldType t = defs[i].type;
        const Variant::Kind k = v.kind();
        if (IsTextType(t) || IsBlobType(t) || t == FieldType::Bytes || t == FieldType::VarBytes) {
            if (k != Variant::Kind::Text) return false;
            out[i] = v;
        } else if (IsIntegerType(t)) {
            if (k != Variant::Kind::Int) return false;
            out[i] = v;
        } else if (t == FieldType::Boolean) {
            if (k != Variant::Kind::Bool) return false;
            out[i] = v;
        } else if (t == FieldType::Float || t == FieldType::Currency || t == FieldType::BCD) {
            if (k != Variant::Kind::Float || !std::isfinite(v.ToDouble())) return false;
            out[i] = v;
        } else if (t == FieldType::Date || t == FieldType::DateTime) {
            // Day 0 is stored as an empty text; a time of day is left to a read.
            if (k != Variant::Kind::Float) return false;
            const double d = v.ToDouble();
            const double day = t == FieldType::Date ? std::floor(d) : d;
            if (day != std::floor(day) || day == 0 || !os::IsValidDayNumber(day)) return false;
            out[i] = Variant(day);
        } else {
            return false;
        }
    }
    return true;
}

// The row ids of a table in its order, with their key values: a list of
// blocks, so inserting a row in the middle of a large table moves a few
// hundred entries, not all of them.
class RowIndex {
public:
    struct Entry {
        long long rowid;
        Record key;
    };
    int size() const { return n_; }
    Entry& operator[](int pos) {
        auto [b, i] = Locate(pos);
        return blocks_[b][i];
    }
    void clear() {
        blocks_.clear();
        n_ = 0;
        Changed(0);
    }
    void push_back(Entry e) {
        if (blocks_.empty() || blocks_.back().size() >= kMax) blocks_.emplace_back().reserve(kMax);
        blocks_.back().push_back(std::move(e));
        ++n_;
    }
    void insert(int pos, Entry e) {
        if (pos == n_) return push_back(std::move(e));
        auto [b, i] = Locate(pos);
        Changed(b);
        auto& block = blocks_[b];
        block.insert(block.begin() + static_cast<long>(i), std::move(e));
        ++n_;
        if (block.size() > 2 * kMax) {
            std::vector<Entry> tail(std::make_move_iterator(block.begin() + kMax),
                                    std::make_move_iterator(block.end()));
            block.resize(kMax);
            blocks_.insert(blocks_.begin() + static_cast<long>(b) + 1, std::move(tail));
        }
    }
    void erase(int pos) {
        auto [b, i] = Locate(pos);
        Changed(b);
        blocks_[b].erase(blocks_[b].begin() + static_cast<long>(i));
        if (blocks_[b].empty()) blocks_.erase(blocks_.begin() + static_cast<long>(b));
        --n_;
    }
    // Position of the first entry that `less` puts after `e`.
    template <typename Less>
    int UpperBound(const Entry& e, Less less) const {
        return PartitionPoint([&](const Entry& x) { return !less(e, x); });
    }
    // Position of the first entry for which `before` is false (entries in order).
    // The block is found by a binary search too: a payroll table of a large
    // firm has hundreds of blocks, and each key comparison costs.
    template <typename F>
    int PartitionPoint(F before) const {
        const auto block = std::partition_point(
            blocks_.begin(), blocks_.end(), [&](const std::vector<Entry>& b) { return before(b.back()); });
        int base = 0;
        for (auto b = blocks_.begin(); b != block; ++b) base += static_cast<int>(b->size());
        if (block == blocks_.end()) return base;
        return base +
               static_cast<int>(std::partition_point(block->begin(), block->end(), before) - block->begin());
    }
    // The first entry for which `pred` holds among `count` from `from` (-1: none).
    template <typename F>
    int FindIn(int from, int count, F pred) const {
        auto [b, i] = Locate(from);
        for (int pos = from; b < blocks_.size() && count > 0; ++b, i = 0)
            for (; i < blocks_[b].size() && count > 0; ++i, ++pos, --count)
                if (pred(blocks_[b][i])) return pos;
        return -1;
    }
    template <typename F>
    void ForEach(F f) const {
        for (const auto& block : blocks_)
            for (const Entry& e : block) f(e);
    }
    template <typename F>
    int Find(F pred) const {
        int pos = 0;
        for (const auto& block : blocks_)
            for (const Entry& e : block) {
                if (pred(e)) return pos;
                ++pos;
            }
        return -1;
    }

private:
    static constexpr size_t kMax = 256;
    std::pair<size_t, size_t> Locate(int pos) const {
        const size_t p = static_cast<size_t>(pos);
        // Positions asked for are mostly near the last one: from its block on.
        size_t b = 0, base = 0;
        if (hintBlock_ < blocks_.size() && p >= hintBase_) b = hintBlock_, base = hintBase_;
        for (; b < blocks_.size(); base += blocks_[b].size(), ++b)
            if (p - base < blocks_[b].size()) {
                hintBlock_ = b, hintBase_ = base;
                return {b, p - base};
            }
        throw DatabaseError("Record position out of range");
    }
    // A change in block b moves the blocks after it.
    void Changed(size_t b) {
        if (hintBlock_ >= b) hintBlock_ = hintBase_ = 0;
    }
    std::vector<std::vector<Entry>> blocks_;
    int n_ = 0;
    mutable size_t hintBlock_ = 0, hintBase_ = 0;
};

}  // namespace

struct Table::Impl {
    std::string context;  // the table's name in messages
    std::string inner;    // table name inside the file
    std::shared_ptr<sql::Connection> own;
    sqlite3* db = nullptr;        // own connection or the transaction's
    std::string schema = "main";  // schema of the file on `db`
    std::string target;           // "schema"."table"
    std::vector<std::string> keyNames;
    std::vector<int> keySlots;
    std::vector<int> primarySlots;  // fields of the primary key
    std::unique_ptr<sql::Statement> selectSameKey;
    bool hungarianOrder = false;  // IndexFieldNames: texts in Hungarian order
    using Entry = RowIndex::Entry;
    RowIndex rows;
    std::unique_ptr<sql::Statement> selectRow, insertRow, updateRow, deleteRow;
    // The fields bound null on insertRow and updateRow, which only
    // BindRecord binds: a null stays bound from one post to the next.
    std::vector<char> insertNulls, updateNulls;
    // The record last read or posted, and a window of records read ahead.
    long long cachedRowid = 0;
    Record cached;
    bool cacheValid = false;
    unsigned long long cachedWrites = 0;  // this process's writes to the file when cached
    static constexpr int kWindow = 64;
    // Rows read near a jump (a Locate, a bookmark, a post that moved the
    // cursor): the one asked for and its neighbours (a step back to see
    // whether it is a header's first page, one on to its next page), not a
    // window of which one row is used.
    static constexpr int kJumpRows = 3;
    // Rows read ahead at a time: fewer of a wide table (a declaration sheet
    // of hundreds of cells), whose every value is converted as it is read.
    static int WindowRows(size_t fields) {
        return std::clamp(4096 / std::max<int>(1, static_cast<int>(fields)), 8, kWindow);
    }
    int winStart = -1;
    bool readOne = false;  // the next read is of one record (set by an edit)
    // ... unless the record was read ahead inside a transaction, whose locks
    // keep other connections' writes out.
    bool readAheadStands = false;
    std::vector<Record> win;
    int lastPos = -1;
    bool steppedBack = false;  // the read before the last one went backwards
    int steps = 0;             // reads one row on from the one before, since the last jump
    std::unique_ptr<sql::Statement> selectWindow, selectFew, dataVersion;
    // What the window was read after: the file's version on the table's own
    // connection (other connections' commits change it) and this process's
    // writes to the file.
    long long winVersion = 0;
    unsigned long long winWrites = 0;
    // The same for the row ids and keys, read at the last refresh.
    bool rowsRead = false;
    long long rowsVersion = 0;
    unsigned long long rowsWrites = 0;
    long long contentVersion = 0;  // ContentVersion()
    std::atomic<unsigned long long>* writes = nullptr;
    // Set by an active transaction.
    sqlite3* txDb = nullptr;
    std::string txSchema;

    void ResetStatements() {
        selectRow.reset();
        selectSameKey.reset();
        selectWindow.reset();
        selectFew.reset();
        dataVersion.reset();
        DropWindow();
        insertRow.reset();
        updateRow.reset();
        deleteRow.reset();
        cacheValid = false;
    }
    bool InWindow(int pos) const {
        return winStart >= 0 && pos >= winStart && pos < winStart + int(win.size());
    }
    void DropWindow() {
        winStart = -1;
        win.clear();
    }
    long long DataVersion() {
        if (!dataVersion)
            dataVersion = std::make_unique<sql::Statement>(
                db, "PRAGMA " + sql::Quote(schema) + ".data_version", context);
        long long v = 0;
        try {
            if (dataVersion->Step()) v = sqlite3_column_int64(dataVersion->get(), 0);
        } catch (...) {
            dataVersion->Reset();
            throw;
        }
        dataVersion->Reset();
        return v;
    }
    // Keeps the window only while it still holds what the file holds: no
    // other table object of this process wrote the file since it was read,
    // and (outside a transaction, whose locks keep others out) no other
    // connection committed to it. Before an own write only the first can be
    // asked; the commit's check follows the write.
    bool KeepWindow(bool askFile) {
        if (winStart < 0) return false;
        if (writes->load() != winWrites || (askFile && OnOwn() && DataVersion() != winVersion)) {
            DropWindow();
            return false;
        }
        return true;
    }
    // After an own write: the window stays valid when nobody else wrote
    // the file meanwhile (`kept`: it was still valid before the write).
    bool KeepWindowAfterWrite(bool kept) {
        const unsigned long long n = ++*writes;
        if (!kept || (OnOwn() && !txDb && DataVersion() != winVersion)) {
            DropWindow();
            return false;
        }
        winWrites = n;
        return true;
    }
    // The window's slot for a row inserted at `at` (-1: outside it); the
    // rows after it move down one place.
    int WindowInsert(int at) {
        if (winStart < 0) return -1;
        const int size = static_cast<int>(win.size());
        if (at < winStart) {
            ++winStart;
            return -1;
        }
        if (at > winStart + size) return -1;
        win.insert(win.begin() + (at - winStart), Record());
        int slot = at - winStart;
        if (static_cast<int>(win.size()) > 2 * kWindow) {
            if (slot < kWindow) {
                win.pop_back();
            } else {
                win.erase(win.begin());
                ++winStart;
                --slot;
            }
        }
        return slot;
    }
    void WindowErase(int pos) {
        if (winStart < 0) return;
        if (pos < winStart) {
            --winStart;
        } else if (InWindow(pos)) {
            win.erase(win.begin() + (pos - winStart));
            if (win.empty()) DropWindow();
        }
    }
    // One record by its row id (all fields null when it is gone).
    void ReadRow(long long rowid, Record& rec, const FieldDefs& defs) {
        if (!selectRow)
            selectRow =
                std::make_unique<sql::Statement>(db, "SELECT * FROM " + target + " WHERE rowid = ?", context);
        sql::Statement& st = *selectRow;
        sqlite3_bind_int64(st.get(), 1, rowid);
        rec.assign(defs.size(), Variant());
        try {
            if (st.Step())
                for (size_t i = 0; i < defs.size(); ++i)
                    rec[i] = st.Column(static_cast<int>(i), defs[i].type);
        } catch (...) {
            st.Reset();
            throw;
        }
        st.Reset();  // releases the read lock
    }
    // On the table's own connection others may commit between its
    // statements (but while it holds a transaction's locks).
    bool OnOwn() const { return own && db == own->get(); }
    void UseLink() {
        sqlite3* next = txDb ? txDb : own->get();
        const std::string nextSchema = txDb ? txSchema : "main";
        // The same connection (a transaction over the table's own): the
        // prepared statements and the records read ahead stay.
        if (next == db && nextSchema == schema) return;
        ResetStatements();
        db = next;
        schema = nextSchema;
        target = sql::Quote(schema) + "." + sql::Quote(inner);
    }
    // Statements left prepared but holding no cursor, as a commit wants them.
    void ResetCursors() {
        for (auto* st : {&selectRow, &selectSameKey, &selectWindow, &selectFew, &dataVersion, &insertRow,
                         &updateRow, &deleteRow})
            if (*st) sqlite3_reset((*st)->get());
    }

    int Compare(const Entry& a, const Entry& b, const FieldDefs& defs) const {
        const int c = CompareKeys(a.key, b.key, keySlots.size(), defs);
        if (c != 0) return c;
        return a.rowid < b.rowid ? -1 : a.rowid > b.rowid ? 1 : 0;
    }

    // The order of the first `count` key values.
    int CompareKeys(const Record& a, const Record& b, size_t count, const FieldDefs& defs) const {
        for (size_t i = 0; i < count; ++i) {
            const Variant& x = a[i];
            const Variant& y = b[i];
            if (x.IsNull() || y.IsNull()) {
                if (x.IsNull() != y.IsNull()) return x.IsNull() ? -1 : 1;
                continue;
            }
            int c;
            if (IsTextType(defs[keySlots[i]].type)) {
                c = hungarianOrder ? CollateHu(x.Text(), y.Text()) : x.Text().compare(y.Text());
            } else {
                const double dx = x.ToDouble(), dy = y.ToDouble();
                c = dx < dy ? -1 : dx > dy ? 1 : 0;
            }
            if (c != 0) return c < 0 ? -1 : 1;
        }
        return 0;
    }

    Record KeyOf(const Record& rec) const {
        Record key;
        for (int s : keySlots) key.push_back(rec[s].IsBlank() ? Variant() : rec[s]);
        return key;
    }
};

Table::Table() : d_(std::make_unique<Impl>()) {}
Table::~Table() {
    try {
        Close();
    } catch (...) {
    }
}

std::string Table::KeyFieldNames() const {
    if (!IndexFieldNames.empty()) return IndexFieldNames;
    std::string out;
    for (size_t i = 0; i < d_->keyNames.size(); ++i) out += (i ? ";" : "") + d_->keyNames[i];
    return out.empty() ? PrimaryIndexFields : out;
}

bool Table::InternalCanModify() const { return !ReadOnly; }

void Table::InternalOpen() {
    Impl& d = *d_;
    std::string path;
    try {
        path = FilePath();
    } catch (const EngineError& e) {
        throw EngineError(e.Code(), BaseName(TableName) + ": " + e.what());  // an unknown alias
    }
    d.context = BaseName(fs::path(path).filename().string());
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        throw EngineError(SQLITE_CANTOPEN, d.context + ": Table does not exist (" + path + ")");
    d.own = std::make_shared<sql::Connection>(path, ReadOnly, false, d.context);
    d.writes = WriteCounter(path);
    try {
        d.inner = InnerTableName(*d.own, d.context);
        d.UseLink();
        std::vector<std::string> pk;
        fieldDefs_ = ReadStructure(d.db, d.schema, d.inner, &pk, d.context);
        d.keyNames = pk;
        d.primarySlots.clear();
        for (const std::string& k : pk)
            for (size_t i = 0; i < fieldDefs_.size(); ++i)
                if (FoldCase(fieldDefs_[i].name) == FoldCase(k))
                    d.primarySlots.push_back(static_cast<int>(i));
        d.hungarianOrder = !IndexFieldNames.empty();
        const std::vector<std::string> order = d.hungarianOrder ? SplitFieldNames(IndexFieldNames) : pk;
        d.keySlots.clear();
        for (const std::string& k : order) {
            auto it = std::find_if(fieldDefs_.begin(), fieldDefs_.end(),
                                   [&](const FieldDef& f) { return FoldCase(f.name) == FoldCase(k); });
            if (it == fieldDefs_.end()) throw DatabaseError(d.context + ": Field '" + k + "' not found");
            d.keySlots.push_back(static_cast<int>(it - fieldDefs_.begin()));
        }
        InternalRefresh();
    } catch (...) {
        d.ResetStatements();
        d.own.reset();
        throw;
    }
}

void Table::InternalClose() {
    ++d_->contentVersion;
    d_->ResetStatements();
    d_->rowsRead = false;
    d_->rows.clear();
    d_->own.reset();
    d_->db = nullptr;
    d_->schema.clear();
}

void Table::InternalRefresh() {
    Impl& d = *d_;
    // Nobody wrote the file since the rows were read, this process included:
    // they, the record read last and those read ahead are what a new read
    // would give (a loader refreshes its value set for every employee).
    if (d.OnOwn()) {
        const long long version = d.DataVersion();
        const unsigned long long writes = d.writes->load();
        if (d.rowsRead && version == d.rowsVersion && writes == d.rowsWrites) return;
        d.rowsVersion = version;
        d.rowsWrites = writes;
    }
    ++d.contentVersion;
    d.rowsRead = false;
    d.cacheValid = false;
    d.DropWindow();
    std::string cols = "rowid";
    std::string order;
    for (int s : d.keySlots) {
        cols += ", " + sql::Quote(fieldDefs_[s].name);
        order += sql::Quote(fieldDefs_[s].name);
        if (d.hungarianOrder && IsTextType(fieldDefs_[s].type)) order += " COLLATE HU";
        order += ", ";
    }
    sql::Statement st(d.db, "SELECT " + cols + " FROM " + d.target + " ORDER BY " + order + "rowid",
                      d.context);
    d.rows.clear();
    while (st.Step()) {
        Impl::Entry e{sqlite3_column_int64(st.get(), 0), {}};
        e.key.reserve(d.keySlots.size());
        for (size_t i = 0; i < d.keySlots.size(); ++i) {
            Variant v = st.Column(static_cast<int>(i) + 1, fieldDefs_[d.keySlots[i]].type);
            e.key.push_back(v.IsBlank() ? Variant() : std::move(v));
        }
        d.rows.push_back(std::move(e));
    }
    d.rowsRead = d.OnOwn();
}

long long Table::ContentVersion() const { return d_->contentVersion; }

int Table::StoredCount() { return static_cast<int>(d_->rows.size()); }

Bookmark Table::StoredBookmark(int pos) { return d_->rows[pos].rowid; }

int Table::FindBookmark(const Bookmark& b) {
    if (!b) return -1;
    const long long id = *b;
    const auto same = [id](const Impl::Entry& e) { return e.rowid == id; };
    // A bookmark is mostly of a record near the last one read: look there first.
    const int n = d_->rows.size();
    if (n == 0) return -1;
    const int from = std::clamp(d_->lastPos - Impl::kWindow, 0, n - 1);
    if (const int p = d_->rows.FindIn(from, 2 * Impl::kWindow, same); p >= 0) return p;
    return d_->rows.Find(same);
}

void Table::ReadStored(int pos, Record& rec) {
    Impl& d = *d_;
    const long long rowid = d.rows[pos].rowid;
    // A scan backwards is told by two steps back in a row: one alone (back
    // to a header's first page, then on) goes on forwards.
    const bool back = pos < d.lastPos;
    const bool backwards = back && d.steppedBack;
    const bool jump = d.lastPos < 0 || pos > d.lastPos + 1 || pos < d.lastPos - 1;
    if (jump)
        d.steps = 0;
    else if (pos != d.lastPos)
        ++d.steps;
    d.steppedBack = back;
    d.lastPos = pos;
    const bool readOne = d.readOne;
    const bool readAheadStands = d.readAheadStands;
    d.readOne = d.readAheadStands = false;
    if (d.cacheValid && d.cachedRowid == rowid) {
        rec = d.cached;
        return;
    }
    if (!readOne && !d.InWindow(pos)) ReadWindow(pos, backwards);
    // A record written since the window was read is read when it is asked
    // for (an empty slot).
    if ((!readOne || readAheadStands) && d.InWindow(pos) && !d.win[pos - d.winStart].empty()) {
        rec = d.win[pos - d.winStart];
        return;
    }
    d.ReadRow(rowid, rec, fieldDefs_);
    if (d.InWindow(pos)) d.win[pos - d.winStart] = rec;
    d.cached = rec;
    d.cachedRowid = rowid;
    d.cacheValid = true;
    d.cachedWrites = d.writes->load();
}

// Reads the records around `pos` in one statement: moving through a table
// row by row costs one lookup per row inside SQLite, not one statement.
void Table::ReadWindow(int pos, bool backwards) {
    Impl& d = *d_;
    const int n = static_cast<int>(d.rows.size());
    const int rows = Impl::WindowRows(fieldDefs_.size());
    // Some records of the other side come along: a step back and forth over
    // the window's edge (a header's first page looked for) reads nothing.
    const int behind = d.steppedBack ? rows / 4 : 1;
    // Near a jump a few rows do: a scan reads whole windows once it has gone
    // past the rows read at the jump.
    const bool few = d.steps < Impl::kJumpRows;
    const int start = few         ? std::max(0, pos - (d.steppedBack ? Impl::kJumpRows - 1 : 1))
                      : backwards ? std::max(0, std::min(n, pos + 2) - rows)
                                  : std::max(0, pos - behind);
    const int marks = few ? Impl::kJumpRows : rows;
    const int end = std::min(n, start + std::min(rows, marks));
    std::unique_ptr<sql::Statement>& select = few ? d.selectFew : d.selectWindow;
    if (!select) {
        std::string list;
        for (int i = 0; i < marks; ++i) list += i ? ", ?" : "?";
        select = std::make_unique<sql::Statement>(
            d.db, "SELECT rowid, * FROM " + d.target + " WHERE rowid IN (" + list + ")", d.context);
    }
    sql::Statement& st = *select;
    for (int i = 0; i < marks; ++i) {
        if (start + i < end)
            sqlite3_bind_int64(st.get(), i + 1, d.rows[start + i].rowid);
        else
            sqlite3_bind_null(st.get(), i + 1);
    }
    // Taken before the read: a commit in between makes the window look older
    // than it is, never newer.
    if (!ReadOnly && d.OnOwn()) d.winVersion = d.DataVersion();
    d.winWrites = d.writes->load();
    std::unordered_map<long long, int> slot;
    for (int p = start; p < end; ++p) slot[d.rows[p].rowid] = p - start;
    d.win.assign(end - start, Record(fieldDefs_.size()));
    try {
        while (st.Step()) {
            auto it = slot.find(sqlite3_column_int64(st.get(), 0));
            if (it == slot.end()) continue;
            Record& r = d.win[it->second];
            for (size_t i = 0; i < fieldDefs_.size(); ++i)
                if (sqlite3_column_type(st.get(), static_cast<int>(i) + 1) != SQLITE_NULL)
                    r[i] = st.Column(static_cast<int>(i) + 1, fieldDefs_[i].type);
        }
    } catch (...) {
        st.Reset();
        d.DropWindow();
        throw;
    }
    st.Reset();  // releases the read lock
    d.winStart = start;
}

namespace {

// Binds a record to a write statement without copying its texts; a field
// bound null already is left: most fields of a payroll row are empty.
void BindRecord(sql::Statement& st, std::vector<char>& nulls, const Record& rec, const FieldDefs& defs) {
    for (size_t i = 0; i < defs.size(); ++i) {
        const bool null = rec[i].IsBlank();
        if (null && nulls[i]) continue;
        st.BindKept(static_cast<int>(i) + 1, rec[i], defs[i].type);
        nulls[i] = null;
    }
}

}  // namespace

int Table::InternalPost(Record& rec, bool inserting, int pos) {
    Impl& d = *d_;
    ++d.contentVersion;
    d.cacheValid = false;
    const bool kept = d.KeepWindow(false);
    const int n = static_cast<int>(fieldDefs_.size());
    for (int i = 0; i < n; ++i) {
        if (fieldDefs_[i].type == FieldType::AutoInc && rec[i].IsNull() && inserting) {
            sql::Statement st(
                d.db, "SELECT COALESCE(MAX(" + sql::Quote(fieldDefs_[i].name) + "), 0) + 1 FROM " + d.target,
                d.context);
            st.Step();
            rec[i] = Variant(static_cast<long long>(sqlite3_column_int64(st.get(), 0)));
        }
    }
    RefuseBlankKeyTwice(rec, inserting ? nullptr : &d.rows[pos].rowid);
    Record key = d.KeyOf(rec);
    long long rowid;
    bool samePlace = false;  // an update that left the order keys as they were
    if (inserting) {
        if (!d.insertRow) {
            std::string cols, marks;
            for (int i = 0; i < n; ++i) {
                cols += (i ? ", " : "") + sql::Quote(fieldDefs_[i].name);
                marks += i ? ", ?" : "?";
            }
            d.insertRow = std::make_unique<sql::Statement>(
                d.db, "INSERT INTO " + d.target + " (" + cols + ") VALUES (" + marks + ")", d.context);
            d.insertNulls.assign(n, 1);  // a new statement's parameters are null
        }
        sql::Statement& st = *d.insertRow;
        BindRecord(st, d.insertNulls, rec, fieldDefs_);
        st.Execute();
        rowid = sqlite3_last_insert_rowid(d.db);
    } else {
        if (!d.updateRow) {
            std::string sets;
            for (int i = 0; i < n; ++i) sets += (i ? ", " : "") + sql::Quote(fieldDefs_[i].name) + " = ?";
            d.updateRow = std::make_unique<sql::Statement>(
                d.db, "UPDATE " + d.target + " SET " + sets + " WHERE rowid = ?", d.context);
            d.updateNulls.assign(n, 1);
        }
        sql::Statement& st = *d.updateRow;
        rowid = d.rows[pos].rowid;
        BindRecord(st, d.updateNulls, rec, fieldDefs_);
        sqlite3_bind_int64(st.get(), n + 1, rowid);
        st.Execute();
        if (sqlite3_changes(d.db) == 0) {
            d.DropWindow();
            throw EngineError(SQLITE_NOTFOUND, d.context + ": the record was deleted by another user");
        }
        samePlace = d.CompareKeys(d.rows[pos].key, key, d.keySlots.size(), fieldDefs_) == 0;
        if (samePlace)
            d.rows[pos].key = std::move(key);
        else
            d.rows.erase(pos);
    }
    // The window follows the write: the row leaves its old place and takes
    // a slot at its new one, holding what a read would give back (empty, so
    // read when asked for, where that is not plain), so the neighbours need
    // no new read.
    const bool keep = d.KeepWindowAfterWrite(kept);
    const FieldDefs& defs = fieldDefs_;
    Record stored;
    const bool plain = StoredForm(rec, defs, stored);
    int at = pos;
    if (samePlace) {
        if (keep && d.InWindow(pos)) d.win[pos - d.winStart] = plain ? stored : Record();
    } else {
        if (keep && !inserting) d.WindowErase(pos);
        Impl::Entry e{rowid, std::move(key)};
        at = d.rows.UpperBound(
            e, [&](const Impl::Entry& a, const Impl::Entry& b) { return d.Compare(a, b, defs) < 0; });
        d.rows.insert(at, std::move(e));
        if (keep) {
            const int slot = d.WindowInsert(at);
            if (slot >= 0 && plain) d.win[slot] = stored;
        }
    }
    d.cacheValid = plain;
    if (plain) {
        d.cached = std::move(stored);
        d.cachedRowid = rowid;
        d.cachedWrites = d.writes->load();
    }
    return at;
}

// An empty key field is NULL in the file, and SQLite's key takes no two NULLs
// for equal, so a second row with the same key and an empty key field (a
// payroll row without a standing item, SF_RJSORSZAM) would slip in. The key
// index of the shared tables treats an empty value as a value: refuse it as a
// key violation, as every other duplicate is refused.
void Table::RefuseBlankKeyTwice(const Record& rec, const long long* ownRowid) {
    Impl& d = *d_;
    if (std::none_of(d.primarySlots.begin(), d.primarySlots.end(), [&](int s) { return rec[s].IsBlank(); }))
        return;
    if (!d.selectSameKey) {
        std::string where;
        for (int s : d.primarySlots) where += sql::Quote(fieldDefs_[s].name) + " IS ? AND ";
        d.selectSameKey = std::make_unique<sql::Statement>(
            d.db, "SELECT 1 FROM " + d.target + " WHERE " + where + "rowid IS NOT ? LIMIT 1", d.context);
    }
    sql::Statement& st = *d.selectSameKey;
    int i = 0;
    for (int s : d.primarySlots) st.BindKept(++i, rec[s], fieldDefs_[s].type);
    if (ownRowid)
        sqlite3_bind_int64(st.get(), ++i, *ownRowid);
    else
        sqlite3_bind_null(st.get(), ++i);
    bool found;
    try {
        found = st.Step();
    } catch (...) {
        st.Reset();
        throw;
    }
    st.Reset();
    if (found) throw EngineError(EngineError::KeyViolation, d.context + ": Key violation");
}

void Table::InternalDelete(int pos) {
    Impl& d = *d_;
    ++d.contentVersion;
    d.cacheValid = false;
    const bool kept = d.KeepWindow(false);
    if (!d.deleteRow)
        d.deleteRow =
            std::make_unique<sql::Statement>(d.db, "DELETE FROM " + d.target + " WHERE rowid = ?", d.context);
    sql::Statement& st = *d.deleteRow;
    sqlite3_bind_int64(st.get(), 1, d.rows[pos].rowid);
    st.Execute();
    d.rows.erase(pos);
    if (d.KeepWindowAfterWrite(kept)) d.WindowErase(pos);
}

void Table::InternalEdit() {
    // Inside a transaction nobody else writes the file: the record last read
    // or posted stands unless another table of this process wrote it since.
    if (!d_->txDb || d_->writes->load() != d_->cachedWrites) d_->cacheValid = false;
    d_->KeepWindow(true);
    // The record is read again on its own (what another workstation saved
    // meanwhile); an edit that moves on to another record (page by page)
    // must not pay for a window of its neighbours.
    d_->readOne = true;
    d_->readAheadStands = d_->txDb && d_->winStart >= 0;
}

// Exact search on leading fields of the order: a binary search on the keys.
int Table::FindMatching(const std::vector<Field*>& keys, const std::vector<Variant>& values,
                        LocateOptions opt) {
    Impl& d = *d_;
    if (opt.caseInsensitive || opt.partialKey || keys.empty() || keys.size() > d.keySlots.size()) return -2;
    Record target(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        size_t k = 0;
        while (k < keys.size() &&
               !(keys[k]->Kind() == FieldKind::Data && keys[k]->FieldNo() == d.keySlots[i]))
            ++k;
        if (k == keys.size()) return -2;
        const Variant v = keys[k]->Convert(values[k]);
        target[i] = v.IsBlank() ? Variant() : v;
    }
    const FieldDefs& defs = fieldDefs_;
    const size_t n = keys.size();
    const int p = d.rows.PartitionPoint(
        [&](const Impl::Entry& e) { return d.CompareKeys(e.key, target, n, defs) < 0; });
    if (p >= d.rows.size() || d.CompareKeys(d.rows[p].key, target, n, defs) != 0) return -1;
    return p;
}

std::vector<Bookmark> Table::KeyMatches(const std::string& field, const Variant& value) {
    CheckActive();
    Impl& d = *d_;
    const Field& f = FieldByName(field);
    size_t k = 0;
    while (k < d.keySlots.size() && !(f.Kind() == FieldKind::Data && f.FieldNo() == d.keySlots[k])) ++k;
    if (k == d.keySlots.size())
        throw DatabaseError(d.context + ": Field '" + field + "' is not a field of the order");
    // Compared as Locate compares: blank with blank, texts as they are.
    const bool text = IsTextType(f.DataType());
    const Variant want = value.IsBlank() ? Variant() : text ? Variant(value.ToString()) : f.Convert(value);
    std::vector<Bookmark> out;
    d.rows.ForEach([&](const Impl::Entry& e) {
        const Variant& v = e.key[k];
        if (v.IsNull() || want.IsNull() ? v.IsNull() && want.IsNull() : v == want) out.emplace_back(e.rowid);
    });
    return out;
}

std::vector<Record> Table::OrderKeys() {
    CheckActive();
    std::vector<Record> out;
    out.reserve(d_->rows.size());
    d_->rows.ForEach([&](const Impl::Entry& e) { out.push_back(e.key); });
    return out;
}

void Table::UpdateFieldDefs() {
    if (!Active()) fieldDefs_ = ReadTableStructure(DatabaseName, TableName);
}

void Table::UseTransaction(void* sqliteDb, const std::string& schema) {
    d_->txDb = static_cast<sqlite3*>(sqliteDb);
    d_->txSchema = schema;
    // What was read before the transaction took its locks may be older.
    if (sqliteDb) d_->cacheValid = false;
    if (Active()) {
        d_->UseLink();
        d_->KeepWindow(true);
    }
}

std::shared_ptr<sql::Connection> Table::OwnConnection() const {
    return Active() && !ReadOnly && !d_->txDb ? d_->own : nullptr;
}

void Table::ReleaseStatements() { d_->ResetCursors(); }

void Table::CreateTable() {
    CheckInactive();
    FieldDefs defs = fieldDefs_;
    if (HasPersistentFields() || defs.empty()) {
        defs.clear();
        for (int i = 0; i < FieldCount(); ++i)
            if (Fields(i).Kind() == FieldKind::Data)
                defs.push_back(
                    {Fields(i).FieldName(), Fields(i).DataType(), Fields(i).Size(), Fields(i).Required});
    }
    db::CreateTable(DatabaseName, TableName, defs, PrimaryIndexFields);
}

void Table::DeleteTable() {
    CheckInactive();
    db::DeleteTable(DatabaseName, TableName);
}

void Table::EmptyTable() {
    if (Active()) {
        CheckBrowseMode();
        sql::Statement st(d_->db, "DELETE FROM " + d_->target, d_->context);
        st.Step();
        ++*d_->writes;
        InternalRefresh();
        Resync(0);
        return;
    }
    const std::string path = FilePath();
    sql::Connection c(path, false, false, BaseName(TableName));
    c.Exec("DELETE FROM " + sql::Quote(InnerTableName(c, BaseName(TableName))), BaseName(TableName));
}

}  // namespace db
