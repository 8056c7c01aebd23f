#include "platform/db/Query.h"

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

// Identifiers and quoted names of the SQL (table candidates) and its :params.
void Scan(const std::string& sql, std::vector<std::string>* names, std::set<std::string>* params) {
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
            if (names) names->push_back(text);
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
            if (names) names->push_back(sql.substr(i, j - i));
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

// Attaches the table files the SQL names; returns the connection.
std::unique_ptr<sql::Connection> Connect(const std::string& databaseName, const std::string& sqlText) {
    const std::string folder = Engine::ResolveFolder(databaseName);
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) throw EngineError(SQLITE_CANTOPEN, folder + ": no such folder");
    std::vector<std::string> names;
    Scan(sqlText, &names, nullptr);
    // One listing resolves every name the statement may mean; an ASCII file
    // name of no candidate's length is passed over without folding it.
    std::set<size_t> lengths;
    for (const std::string& n : names) lengths.insert(BaseOf(n).size() + 3);
    std::map<std::string, std::string> files;  // folded base name -> file name
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string f = it->path().filename().string();
        if (f.size() <= 3 || !os::SameAsciiName(std::string_view(f).substr(f.size() - 3), ".DB")) continue;
        if (!lengths.count(f.size()) && os::IsAscii(f)) continue;
        files.emplace(FoldCase(BaseOf(f)), f);
    }
    auto conn = std::make_unique<sql::Connection>(":memory:", false, true, "SQL");
    std::set<std::string> attached;
    for (const std::string& n : names) {
        const std::string key = FoldCase(BaseOf(n));
        auto it = files.find(key);
        if (it == files.end() || !attached.insert(key).second) continue;
        if (attached.size() > 10)
            throw EngineError(SQLITE_LIMIT_ATTACHED, "Too many tables in one statement");
        conn->Attach(folder + "/" + it->second, BaseOf(it->second), BaseOf(it->second));
        // A sort on other fields than the key reads the rows in key order and
        // seeks each one: with the default cache of 2 MB a large table's pages
        // are read from the file again and again. The connection lives for
        // one statement, so a larger cache costs only while it runs.
        conn->Exec("PRAGMA " + sql::Quote(BaseOf(it->second)) + ".cache_size = -65536", "SQL");
    }
    return conn;
}

}  // namespace

std::string SqlName(const std::string& name) { return sql::Quote(BaseOf(name)); }

Query::~Query() = default;

void Query::SetSQL(const std::string& sql) {
    Close();
    sql_ = sql;
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
    auto conn = Connect(DatabaseName, sql_);
    sql::Statement st(conn->get(), sql_, "SQL");
    BindParams(st, params_);
    const int cols = sqlite3_column_count(st.get());
    if (cols == 0) throw DatabaseError("SQL: the statement returns no rows; use ExecSQL");
    FieldDefs defs;
    std::set<std::string> seen;
    for (int i = 0; i < cols; ++i) {
        std::string name = sqlite3_column_name(st.get(), i);
        for (int k = 1; !seen.insert(os::UpperAscii(name)).second; ++k)
            name = std::string(sqlite3_column_name(st.get(), i)) + "_" + std::to_string(k);
        const char* decl = sqlite3_column_decltype(st.get(), i);
        defs.push_back(decl ? sql::FieldDefFromColumn(name, decl, false)
                            : FieldDef{name, FieldType::Unknown, 0});
    }
    fieldDefs_ = defs;
    std::vector<Record> rows;
    while (st.Step()) {
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
    auto conn = Connect(DatabaseName, sql_);
    rowsAffected_ = 0;
    std::string rest = sql_;
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
