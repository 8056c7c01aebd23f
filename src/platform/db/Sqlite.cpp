#include "platform/db/Sqlite.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/db/Collation.h"
#include "platform/db/Engine.h"
#include "platform/os/DayNumber.h"
#include "platform/os/Text.h"

namespace db::sql {
namespace {

// SQLite counts its memory under one mutex of the process unless told not
// to: threads checking tables side by side (a restore) waited on it for
// most of their time. Set before SQLite starts, so at load.
[[maybe_unused]] const int kNoMemoryCounts = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);

int CollateHuCallback(void* ci, int na, const void* a, int nb, const void* b) {
    return CollateHu(std::string_view(static_cast<const char*>(a), na),
                     std::string_view(static_cast<const char*>(b), nb), ci != nullptr);
}

// The tables on a connection that fail SQLite's quick check, by file name.
// Raw calls only: a failing statement here must not come back through
// MakeError.
std::vector<std::string> DamagedTables(sqlite3* db) {
    std::vector<std::pair<std::string, std::string>> files;  // schema, file
    sqlite3_stmt* list = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA database_list", -1, &list, nullptr) == SQLITE_OK)
        while (sqlite3_step(list) == SQLITE_ROW) {
            const char* schema = reinterpret_cast<const char*>(sqlite3_column_text(list, 1));
            const char* file = reinterpret_cast<const char*>(sqlite3_column_text(list, 2));
            if (schema && file && *file) files.emplace_back(schema, file);
        }
    sqlite3_finalize(list);
    std::vector<std::string> damaged;
    for (const auto& [schema, file] : files) {
        sqlite3_stmt* check = nullptr;
        const std::string sql = "PRAGMA " + Quote(schema) + ".quick_check(1)";
        const bool sound =
            sqlite3_prepare_v2(db, sql.c_str(), -1, &check, nullptr) == SQLITE_OK &&
            sqlite3_step(check) == SQLITE_ROW && sqlite3_column_text(check, 0) &&
            std::strcmp(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok") == 0;
        sqlite3_finalize(check);
        if (sound) continue;
        std::string name = file.substr(file.find_last_of('/') + 1);
        if (name.size() > 3 && os::UpperAscii(name.substr(name.size() - 3)) == ".DB")
            name.resize(name.size() - 3);
        damaged.push_back(name);
    }
    return damaged;
}

}  // namespace

EngineError MakeError(sqlite3* db, int rc, const std::string& context) {
    const int ext = db ? sqlite3_extended_errcode(db) : rc;
    const std::string msg = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    const std::string prefix = context.empty() ? "" : context + ": ";
    if (ext == SQLITE_CONSTRAINT_PRIMARYKEY || ext == SQLITE_CONSTRAINT_UNIQUE)
        return EngineError(EngineError::KeyViolation, prefix + "Key violation");
    if (ext == SQLITE_CONSTRAINT_NOTNULL) {
        const size_t dot = msg.rfind('.');
        return EngineError(
            EngineError::RequiredFieldMissing,
            prefix + "Field value required" + (dot == std::string::npos ? "" : ": " + msg.substr(dot + 1)));
    }
    // A damaged file is neither a duplicate nor a full disk: the bookkeeper
    // is told which table it is, also when the connection reads several
    // files (a query, a transaction).
    if ((ext & 0xff) == SQLITE_CORRUPT || (ext & 0xff) == SQLITE_NOTADB) {
        std::string names;
        if (db)
            for (const std::string& n : DamagedTables(db)) names += (names.empty() ? "" : ", ") + n;
        return EngineError(ext, (names.empty() ? prefix : names + ": ") + "A tábla megsérült! (" + msg + ")");
    }
    // A failed write says why in the system's words (a full disk, a file too large).
    const int sysErr = db ? sqlite3_system_errno(db) : 0;
    if (((ext & 0xff) == SQLITE_IOERR || ext == SQLITE_FULL) && sysErr != 0)
        return EngineError(ext, prefix + msg + " (" + std::strerror(sysErr) + ")");
    return EngineError(ext, prefix + msg);
}

Connection::Connection(const std::string& path, bool readOnly, bool create, const std::string& context) {
    int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    if (create && !readOnly) flags |= SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        EngineError e = MakeError(db_, rc, context);
        sqlite3_close(db_);
        db_ = nullptr;
        throw e;
    }
    sqlite3_extended_result_codes(db_, 1);
    // Another workstation in the middle of a write: wait a little, then say so.
    sqlite3_busy_timeout(db_, Engine::LockWait());
    RegisterCollations(db_);
    // A commit is the journal's removal: sync its folder too, or a power loss
    // right after a save could bring the journal back and undo the save. The
    // pragma reads the file: on one that is no table it throws, and no
    // destructor would close the handle.
    try {
        if (!readOnly) Exec("PRAGMA synchronous = EXTRA", context);
    } catch (...) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw;
    }
}

Connection::~Connection() {
    if (db_) sqlite3_close_v2(db_);
}

void Connection::Exec(const std::string& sql, const std::string& context) const {
    char* err = nullptr;
    const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err);
    sqlite3_free(err);
    if (rc != SQLITE_OK) throw MakeError(db_, rc, context);
}

void Connection::Attach(const std::string& path, const std::string& schema,
                        const std::string& context) const {
    Statement st(db_, "ATTACH DATABASE ? AS " + Quote(schema), context);
    sqlite3_bind_text(st.get(), 1, path.c_str(), -1, SQLITE_TRANSIENT);
    st.Step();
    Exec("PRAGMA " + Quote(schema) + ".synchronous = EXTRA", context);
}

Statement::Statement(sqlite3* db, const std::string& sql, const std::string& context)
    : db_(db), context_(context) {
    const int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &st_, &tail_);
    if (rc != SQLITE_OK) throw MakeError(db, rc, context);
}

Statement::~Statement() { sqlite3_finalize(st_); }

bool Statement::Step() {
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    EngineError e = MakeError(db_, rc, context_);
    sqlite3_reset(st_);
    throw e;
}

void Statement::Execute() {
    // Clearing the bound values costs a sixth of what a row's insert costs.
    try {
        Step();
    } catch (...) {
        sqlite3_reset(st_);
        throw;
    }
    sqlite3_reset(st_);
}

void Statement::Reset() {
    sqlite3_reset(st_);
    sqlite3_clear_bindings(st_);
}

void Statement::Bind(int index, const Variant& v, FieldType type) { Bind(index, v, type, SQLITE_TRANSIENT); }

void Statement::BindKept(int index, const Variant& v, FieldType type) { Bind(index, v, type, SQLITE_STATIC); }

void Statement::Bind(int index, const Variant& v, FieldType type, void (*lifetime)(void*)) {
    if (v.IsBlank()) {
        sqlite3_bind_null(st_, index);
        return;
    }
    switch (type) {
        case FieldType::Date:
            sqlite3_bind_text(st_, index, os::DayNumberToIso(std::floor(v.ToDouble())).c_str(), -1,
                              SQLITE_TRANSIENT);
            return;
        case FieldType::DateTime:
            sqlite3_bind_text(st_, index, os::DayNumberToIso(v.ToDouble(), true).c_str(), -1,
                              SQLITE_TRANSIENT);
            return;
        case FieldType::Time:
            sqlite3_bind_text(st_, index, os::TimeToText(v.ToDouble()).c_str(), -1, SQLITE_TRANSIENT);
            return;
        case FieldType::Blob:
        case FieldType::Graphic:
        case FieldType::Bytes:
        case FieldType::VarBytes: {
            const std::string& s = v.Text();
            sqlite3_bind_blob(st_, index, s.data(), static_cast<int>(s.size()), lifetime);
            return;
        }
        default:
            break;
    }
    if (IsIntegerType(type) || type == FieldType::Boolean) {
        sqlite3_bind_int64(st_, index, v.ToInt());
    } else if (type == FieldType::Float || type == FieldType::Currency || type == FieldType::BCD) {
        sqlite3_bind_double(st_, index, v.ToDouble());
    } else {
        switch (v.kind()) {
            case Variant::Kind::Int:
                sqlite3_bind_int64(st_, index, v.ToInt());
                break;
            case Variant::Kind::Float:
                sqlite3_bind_double(st_, index, v.ToDouble());
                break;
            case Variant::Kind::Bool:
                sqlite3_bind_int(st_, index, v.ToBool() ? 1 : 0);
                break;
            default: {
                const std::string& s = v.Text();
                sqlite3_bind_text(st_, index, s.data(), static_cast<int>(s.size()), lifetime);
            }
        }
    }
}

Variant Statement::Column(int i, FieldType type) const {
    const int t = sqlite3_column_type(st_, i);
    if (t == SQLITE_NULL) return {};
    if (t == SQLITE_TEXT && IsDateType(type)) {
        const std::string s(reinterpret_cast<const char*>(sqlite3_column_text(st_, i)),
                            sqlite3_column_bytes(st_, i));
        double d;
        if (type == FieldType::Time && s.size() >= 5 && s[2] == ':') {
            int h = 0, m = 0, sec = 0;
            std::sscanf(s.c_str(), "%d:%d:%d", &h, &m, &sec);
            return os::EncodeTime(h, m, sec);
        }
        if (os::IsoToDayNumber(s, d)) return d;
        return Variant(s);
    }
    if (IsIntegerType(type)) return Variant(static_cast<long long>(sqlite3_column_int64(st_, i)));
    if (type == FieldType::Boolean) return Variant(sqlite3_column_int(st_, i) != 0);
    if (type == FieldType::Float || type == FieldType::Currency || type == FieldType::BCD || IsDateType(type))
        return Variant(sqlite3_column_double(st_, i));
    switch (t) {
        case SQLITE_INTEGER:
            if (type == FieldType::Unknown)
                return Variant(static_cast<long long>(sqlite3_column_int64(st_, i)));
            break;
        case SQLITE_FLOAT:
            if (type == FieldType::Unknown) return Variant(sqlite3_column_double(st_, i));
            break;
        case SQLITE_BLOB:
            return Variant(std::string(static_cast<const char*>(sqlite3_column_blob(st_, i)),
                                       sqlite3_column_bytes(st_, i)));
    }
    return Variant(std::string(reinterpret_cast<const char*>(sqlite3_column_text(st_, i)),
                               sqlite3_column_bytes(st_, i)));
}

std::string Quote(const std::string& ident) {
    std::string out = "\"";
    for (char c : ident) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string ColumnType(const FieldDef& d) {
    switch (d.type) {
        case FieldType::String:
        case FieldType::Unknown:
        case FieldType::Variant:
            return "VARCHAR(" + std::to_string(d.size > 0 ? d.size : 255) + ")";
        case FieldType::FixedChar:
            return "CHAR(" + std::to_string(d.size > 0 ? d.size : 1) + ")";
        case FieldType::WideString:
            return "NVARCHAR(" + std::to_string(d.size > 0 ? d.size : 255) + ")";
        case FieldType::Guid:
            return "GUIDCHAR(38)";
        case FieldType::SmallInt:
            return "SMALLINT";
        case FieldType::Integer:
            return "INTEGER";
        case FieldType::Word:
            return "WORD";
        case FieldType::AutoInc:
            return "AUTOINC";
        case FieldType::LargeInt:
            return "BIGINT";
        case FieldType::Boolean:
            return "BOOLEAN";
        case FieldType::Float:
            return "FLOAT";
        case FieldType::Currency:
            return "MONEY";
        case FieldType::BCD:
            return "BCD";
        case FieldType::Date:
            return "DATE";
        case FieldType::Time:
            return "TIME";
        case FieldType::DateTime:
            return "TIMESTAMP";
        case FieldType::Memo:
            return "MEMO TEXT";
        case FieldType::FmtMemo:
            return "FMTMEMO TEXT";
        case FieldType::Blob:
            return "BLOB";
        case FieldType::Graphic:
            return "GRAPHIC BLOB";
        case FieldType::Bytes:
            return "BYTES BLOB";
        case FieldType::VarBytes:
            return "VARBYTES BLOB";
    }
    return "VARCHAR(255)";
}

FieldDef FieldDefFromColumn(const std::string& name, const std::string& declared, bool notNull) {
    const std::string t = os::UpperAscii(declared);
    FieldDef d{name, FieldType::String, 0, notNull};
    auto size = [&] {
        const size_t p = t.find('(');
        return p == std::string::npos ? 255 : std::atoi(t.c_str() + p + 1);
    };
    auto starts = [&](const char* p) { return t.rfind(p, 0) == 0; };
    if (starts("GUIDCHAR"))
        d.type = FieldType::Guid, d.size = 38;
    else if (starts("NVARCHAR") || starts("VARCHAR") || starts("CHAR") || starts("CHARACTER") ||
             starts("NCHAR"))
        d.type = FieldType::String, d.size = size();
    else if (starts("FMTMEMO"))
        d.type = FieldType::FmtMemo;
    else if (starts("MEMO") || starts("TEXT") || starts("CLOB"))
        d.type = FieldType::Memo;
    else if (starts("SMALLINT"))
        d.type = FieldType::SmallInt;
    else if (starts("WORD"))
        d.type = FieldType::Word;
    else if (starts("AUTOINC"))
        d.type = FieldType::AutoInc;
    else if (starts("BIGINT") || starts("LARGEINT"))
        d.type = FieldType::LargeInt;
    else if (starts("INT"))
        d.type = FieldType::Integer;
    else if (starts("BOOL"))
        d.type = FieldType::Boolean;
    else if (starts("MONEY") || starts("CURRENCY"))
        d.type = FieldType::Currency;
    else if (starts("BCD"))
        d.type = FieldType::BCD;
    else if (starts("FLOAT") || starts("DOUBLE") || starts("REAL") || starts("NUMERIC") ||
             starts("DECIMAL") || starts("NUMBER"))
        d.type = FieldType::Float;
    else if (starts("TIMESTAMP") || starts("DATETIME"))
        d.type = FieldType::DateTime;
    else if (starts("DATE"))
        d.type = FieldType::Date;
    else if (starts("TIME"))
        d.type = FieldType::Time;
    else if (starts("GRAPHIC"))
        d.type = FieldType::Graphic;
    else if (starts("BYTES"))
        d.type = FieldType::Bytes;
    else if (starts("VARBYTES"))
        d.type = FieldType::VarBytes;
    else if (starts("BLOB"))
        d.type = FieldType::Blob;
    else if (t.empty())
        d.type = FieldType::Unknown;
    else
        d.size = 255;
    return d;
}

void RegisterCollations(sqlite3* db) {
    static int ci = 1;
    sqlite3_create_collation(db, "HU", SQLITE_UTF8, nullptr, CollateHuCallback);
    sqlite3_create_collation(db, "HU_CI", SQLITE_UTF8, &ci, CollateHuCallback);
}

}  // namespace db::sql
