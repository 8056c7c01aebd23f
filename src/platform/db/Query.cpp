#include "platform/db/Query.h"

#include <sys/stat.h>

#include <cctype>
#include <filesystem>
#include <set>

#include "platform/db/Collation.h"
#include "platform/db/Engine.h"
#include "platform/db/Sqlite.h"
#include "platform/os/Text.h"

namespace fs = std::filesystem;

namespace db {
namespace {

bool IdentChar(unsigned char c) { return std::isalnum(c) || c == '_' || c >= 0x80; }

struct Token {
    size_t pos = 0, len = 0;  // in the SQL text, quotes included
    std::string text;         // a quoted name without its quotes
    bool quoted = false;
};

// Identifiers and quoted names of the SQL (table candidates) and its :params.
void Scan(const std::string& sql, std::vector<Token>* names, std::set<std::string>* params) {
    size_t i = 0;
    while (i < sql.size()) {
        const unsigned char c = sql[i];
        if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const char close = c == '[' ? ']' : static_cast<char>(c);
            size_t j = i + 1;
            std::string text;
            while (j < sql.size()) {
                if (sql[j] == close) {
                    if (close != ']' && j + 1 < sql.size() && sql[j + 1] == close) {
                        text += close;
                        j += 2;
                        continue;
                    }
                    break;
                }
                text += sql[j++];
            }
            if (names) names->push_back({i, std::min(j + 1, sql.size()) - i, text, true});
            i = j + 1;
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            while (i < sql.size() && sql[i] != '\n') ++i;
        } else if (c == ':' && i + 1 < sql.size() && IdentChar(sql[i + 1])) {
            size_t j = i + 1;
            while (j < sql.size() && IdentChar(sql[j])) ++j;
            if (params) params->insert(os::UpperAscii(sql.substr(i + 1, j - i - 1)));
            i = j;
        } else if (IdentChar(c) && !std::isdigit(c)) {
            size_t j = i;
            while (j < sql.size() && (IdentChar(sql[j]) || sql[j] == '.')) ++j;
            if (names) names->push_back({i, j - i, sql.substr(i, j - i), false});
            i = j;
        } else {
            ++i;
        }
    }
}

std::string BaseOf(const std::string& file) {
    return file.size() > 3 && os::UpperAscii(file.substr(file.size() - 3)) == ".DB"
               ? file.substr(0, file.size() - 3)
               : file;
}

// The table files of a folder by folded base name. An ASCII file name of no
// candidate's length (base + ".DB") is passed over without folding it.
std::map<std::string, std::string> TableFiles(const std::string& folder, const std::set<size_t>& lengths) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) throw EngineError(SQLITE_CANTOPEN, folder + ": no such folder");
    std::map<std::string, std::string> files;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string f = it->path().filename().string();
        if (f.size() <= 3 || !os::SameAsciiName(std::string_view(f).substr(f.size() - 3), ".DB")) continue;
        if (!lengths.count(f.size()) && os::IsAscii(f)) continue;
        files.emplace(FoldCase(BaseOf(f)), f);
    }
    return files;
}

// A table of another database named in the statement: `schema.Table` or
// `schema."Table"`, replaced by the attached file's own schema.
struct Qualified {
    size_t pos, len;  // the part of the SQL naming schema and table
    std::string schema, table;
};

std::vector<Qualified> QualifiedNames(std::vector<Token>& names,
                                      const std::map<std::string, std::string>& schemas) {
    std::vector<Qualified> out;
    if (schemas.empty()) return out;
    for (size_t i = 0; i < names.size(); ++i) {
        const Token& t = names[i];
        const size_t dot = t.text.find('.');
        if (t.quoted || dot == std::string::npos) continue;
        const std::string schema = FoldCase(t.text.substr(0, dot));
        if (!schemas.count(schema)) continue;
        if (dot + 1 < t.text.size()) {
            const size_t end = t.text.find('.', dot + 1);
            const std::string table = t.text.substr(dot + 1, end == std::string::npos ? end : end - dot - 1);
            out.push_back({t.pos, dot + 1 + table.size(), schema, table});
        } else if (i + 1 < names.size() && names[i + 1].quoted && names[i + 1].pos == t.pos + t.len) {
            out.push_back({t.pos, t.len + names[i + 1].len, schema, names[i + 1].text});
            names.erase(names.begin() + static_cast<long>(i) + 1);
        }
    }
    return out;
}

struct Attachment {
    std::string path, schema;
};

// The table files the SQL names, each with its schema; the names of other
// databases' tables are rewritten to their schemas.
std::vector<Attachment> Resolve(const std::string& databaseName,
                                const std::map<std::string, std::string>& schemas, std::string& sqlText) {
    std::vector<Token> names;
    Scan(sqlText, &names, nullptr);
    std::vector<Qualified> qualified = QualifiedNames(names, schemas);
    // One listing resolves every name the statement may mean.
    std::set<size_t> lengths;
    for (const Token& n : names) lengths.insert(BaseOf(n.text).size() + 3);
    for (const Qualified& q : qualified) lengths.insert(BaseOf(q.table).size() + 3);
    const std::string folder = Engine::ResolveFolder(databaseName);
    const std::map<std::string, std::string> files = TableFiles(folder, lengths);

    std::vector<Attachment> out;
    std::set<std::string> attached;
    auto attach = [&](const std::string& path, const std::string& schema) {
        if (attached.size() >= 10)
            throw EngineError(SQLITE_LIMIT_ATTACHED, "Too many tables in one statement");
        attached.insert(schema);
        out.push_back({path, schema});
    };
    // This database's tables first: an unqualified name finds them before a
    // table of the same name of another database.
    std::set<std::string> done;
    for (const Token& n : names) {
        const std::string key = FoldCase(BaseOf(n.text));
        auto it = files.find(key);
        if (it == files.end() || !done.insert(key).second) continue;
        attach(folder + "/" + it->second, BaseOf(it->second));
    }
    std::map<std::string, std::map<std::string, std::string>> otherFiles;  // schema -> its files
    for (auto q = qualified.rbegin(); q != qualified.rend(); ++q) {
        auto folderFiles = otherFiles.find(q->schema);
        const std::string other = Engine::ResolveFolder(schemas.at(q->schema));
        if (folderFiles == otherFiles.end())
            folderFiles = otherFiles.emplace(q->schema, TableFiles(other, lengths)).first;
        auto it = folderFiles->second.find(FoldCase(BaseOf(q->table)));
        if (it == folderFiles->second.end()) continue;  // SQLite names the missing table
        const std::string base = BaseOf(it->second);
        const std::string schema = q->schema + "." + FoldCase(base);
        if (!attached.count(schema)) attach(other + "/" + it->second, schema);
        sqlText.replace(q->pos, q->len, sql::Quote(schema) + "." + sql::Quote(base));
    }
    return out;
}

void Attach(sql::Connection& conn, const Attachment& a) {
    conn.Attach(a.path, a.schema, a.schema);
    // A sort on other fields than the key reads the rows in key order and
    // seeks each one: with the default cache of 2 MB a large table's pages
    // are read from the file again and again. The connection lives for one
    // statement (or one session), so a larger cache costs only while it runs.
    conn.Exec("PRAGMA " + sql::Quote(a.schema) + ".cache_size = -65536", "SQL");
}

// Attaches the table files the SQL names and returns the connection; the
// names of other databases' tables are rewritten to their attached schemas.
std::unique_ptr<sql::Connection> Connect(const std::string& databaseName,
                                         const std::map<std::string, std::string>& schemas,
                                         std::string& sqlText) {
    const std::vector<Attachment> files = Resolve(databaseName, schemas, sqlText);
    auto conn = std::make_unique<sql::Connection>(":memory:", false, true, "SQL");
    for (const Attachment& a : files) Attach(*conn, a);
    return conn;
}

// The file's identity: a table made anew replaces its file by another one.
std::pair<dev_t, ino_t> FileId(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {0, 0};
    return {st.st_dev, st.st_ino};
}

}  // namespace

std::string SqlName(const std::string& name) { return sql::Quote(BaseOf(name)); }

struct Session::Impl {
    struct Attached {
        std::string path;
        std::pair<dev_t, ino_t> id;
    };
    struct Prepared {
        std::unique_ptr<sql::Statement> st;
        std::vector<std::string> schemas;  // the attached files it reads
    };
    std::unique_ptr<sql::Connection> conn;
    std::map<std::string, Attached> attached;  // by schema
    std::map<std::string, Prepared> statements;

    void Reset() {
        statements.clear();
        attached.clear();
        conn.reset();
    }
    bool Unchanged(const Prepared& p) const {
        for (const std::string& schema : p.schemas) {
            const Attached& a = attached.at(schema);
            if (FileId(a.path) != a.id) return false;
        }
        return true;
    }
    sql::Statement& Prepare(const std::string& databaseName,
                            const std::map<std::string, std::string>& schemas, const std::string& sqlText) {
        std::string key = databaseName + '\0' + sqlText;
        for (const auto& [schema, database] : schemas) key += '\0' + schema + '=' + database;
        if (auto it = statements.find(key); it != statements.end()) {
            if (Unchanged(it->second)) return *it->second.st;
            Reset();
        }
        std::string text = sqlText;
        const std::vector<Attachment> files = Resolve(databaseName, schemas, text);
        size_t added = 0;
        bool clash = false;
        for (const Attachment& a : files) {
            auto it = attached.find(a.schema);
            if (it == attached.end())
                ++added;
            else if (it->second.path != a.path)
                clash = true;
        }
        if (clash || attached.size() + added > 10) Reset();
        if (!conn) conn = std::make_unique<sql::Connection>(":memory:", false, true, "SQL");
        Prepared p;
        for (const Attachment& a : files) {
            p.schemas.push_back(a.schema);
            if (attached.count(a.schema)) continue;
            const auto id = FileId(a.path);  // before the file is opened: a later swap is seen
            Attach(*conn, a);
            attached[a.schema] = {a.path, id};
        }
        p.st = std::make_unique<sql::Statement>(conn->get(), text, "SQL");
        return *statements.emplace(key, std::move(p)).first->second.st;
    }
};

Session::Session() : d_(std::make_unique<Impl>()) {}
Session::~Session() = default;

Query::~Query() = default;

void Query::SetSQL(const std::string& sql) {
    Close();
    sql_ = sql;
    schemas_.clear();
}

void Query::AddSchema(const std::string& schema, const std::string& databaseName) {
    Close();
    schemas_[FoldCase(schema)] = databaseName;
}

Param& Query::ParamByName(const std::string& name) {
    std::set<std::string> names;
    Scan(sql_, nullptr, &names);
    const std::string key = os::UpperAscii(name);
    if (!names.count(key)) throw DatabaseError("Parameter '" + name + "' not found");
    auto it = params_.find(key);
    if (it == params_.end()) it = params_.emplace(key, Param(name)).first;
    return it->second;
}

namespace {

void BindParams(sql::Statement& st, std::map<std::string, Param>& params) {
    const int n = sqlite3_bind_parameter_count(st.get());
    for (int i = 1; i <= n; ++i) {
        const char* raw = sqlite3_bind_parameter_name(st.get(), i);
        if (!raw) throw DatabaseError("SQL: unnamed parameters are not supported");
        const std::string key = os::UpperAscii(raw + 1);
        auto it = params.find(key);
        if (it == params.end())
            throw DatabaseError(std::string("No value for parameter '") + (raw + 1) + "'");
        st.Bind(i, it->second.Value(), it->second.DataType());
    }
}

}  // namespace

void Query::InternalOpen() {
    ClearStored();
    std::unique_ptr<sql::Connection> conn;
    std::unique_ptr<sql::Statement> own;
    sql::Statement* prepared;
    if (session_) {
        prepared = &session_->d_->Prepare(DatabaseName, schemas_, sql_);
    } else {
        std::string text = sql_;
        conn = Connect(DatabaseName, schemas_, text);
        own = std::make_unique<sql::Statement>(conn->get(), text, "SQL");
        prepared = own.get();
    }
    sql::Statement& st = *prepared;
    // A session's statement stays prepared: reset, it holds no lock.
    struct ResetAfter {
        sql::Statement& st;
        ~ResetAfter() { st.Reset(); }
    } resetAfter{st};
    BindParams(st, params_);
    if (sqlite3_column_count(st.get()) == 0)
        throw DatabaseError("SQL: the statement returns no rows; use ExecSQL");
    // The first step may prepare a kept statement anew (another workstation
    // changed a table's structure): its columns are known after it.
    bool more = st.Step();
    const int cols = sqlite3_column_count(st.get());
    // The same columns as at the last open (a session's query run for one
    // employee after another) give the same fields without reading their
    // types again.
    bool same = static_cast<int>(columns_.size()) == cols;
    for (int i = 0; i < cols && same; ++i) {
        const char* decl = sqlite3_column_decltype(st.get(), i);
        const Column& c = columns_[i];
        same = c.name == sqlite3_column_name(st.get(), i) && c.declared == (decl != nullptr) &&
               (!decl || c.type == decl);
    }
    if (!same) {
        columns_.clear();
        columnDefs_.clear();
        std::set<std::string> seen;
        for (int i = 0; i < cols; ++i) {
            std::string name = sqlite3_column_name(st.get(), i);
            const char* decl = sqlite3_column_decltype(st.get(), i);
            columns_.push_back({name, decl != nullptr, decl ? decl : ""});
            for (int k = 1; !seen.insert(os::UpperAscii(name)).second; ++k)
                name = std::string(sqlite3_column_name(st.get(), i)) + "_" + std::to_string(k);
            columnDefs_.push_back(decl ? sql::FieldDefFromColumn(name, decl, false)
                                       : FieldDef{name, FieldType::Unknown, 0});
        }
    }
    const FieldDefs& defs = columnDefs_;
    fieldDefs_ = defs;
    std::vector<Record> rows;
    for (; more; more = st.Step()) {
        Record r(cols);
        for (int i = 0; i < cols; ++i) r[i] = st.Column(i, defs[i].type);
        rows.push_back(std::move(r));
    }
    // Computed columns take the type of their values.
    for (int i = 0; i < cols; ++i) {
        if (defs[i].type != FieldType::Unknown) continue;
        FieldDef& d = fieldDefs_[i];
        d.type = FieldType::String;
        int len = 1;
        for (const Record& r : rows) {
            if (r[i].IsNull()) continue;
            if (r[i].kind() == Variant::Kind::Int && d.type != FieldType::Float)
                d.type = FieldType::Integer;
            else if (r[i].kind() == Variant::Kind::Float)
                d.type = FieldType::Float;
            else if (r[i].kind() == Variant::Kind::Text) {
                d.type = FieldType::String;
                len = std::max<int>(len, static_cast<int>(os::Utf8Length(r[i].Text())));
            }
        }
        if (d.type == FieldType::String) d.size = std::max(len, 255);
        if (d.type == FieldType::Integer)
            for (Record& r : rows) r[i] = r[i].IsNull() ? Variant() : Variant(r[i].ToInt());
    }
    for (Record& r : rows) AddStored(std::move(r));
}

void Query::ExecSQL() {
    CheckInactive();
    std::string rest = sql_;
    auto conn = Connect(DatabaseName, schemas_, rest);
    rowsAffected_ = 0;
    for (;;) {
        size_t b = rest.find_first_not_of(" \t\r\n;");
        if (b == std::string::npos) break;
        rest = rest.substr(b);
        sql::Statement st(conn->get(), rest, "SQL");
        if (!st.get()) break;
        BindParams(st, params_);
        while (st.Step()) {
        }
        rowsAffected_ += sqlite3_changes(conn->get());
        rest = st.Tail() ? std::string(st.Tail()) : std::string();
    }
}

}  // namespace db
