#include "platform/db/Engine.h"
#include "platform/db/Collation.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <mutex>
#include <sstream>

#include "platform/db/Dataset.h"
#include "platform/os/AtomicFile.h"
#include "platform/os/System.h"
#include "platform/os/Text.h"

namespace db::Engine {
namespace {

struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
};
using Config = std::vector<Section>;

// "\SYSTEM\INIT\" and "\system\init" name the same node.
std::string NodeKey(std::string node) {
    while (!node.empty() && (node.back() == '\\' || node.back() == ' ')) node.pop_back();
    if (node.empty() || node[0] != '\\') node = "\\" + node;
    return os::UpperAscii(node);
}

const std::string kAliasNode = "\\ALIASES\\";

Config Defaults() {
    return {{"\\SYSTEM\\INIT",
             {{"VERSION", "1.0"}, {"LOCAL SHARE", "FALSE"}, {"SHARE FOLDER", os::ConfigFolder()}}}};
}

Config Parse(const std::string& text) {
    Config cfg;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        line = os::TrimWhitespace(line);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            cfg.push_back({line.substr(1, line.size() - 2), {}});
        } else if (size_t eq = line.find('='); eq != std::string::npos && !cfg.empty()) {
            cfg.back().entries.emplace_back(os::TrimWhitespace(line.substr(0, eq)),
                                            os::TrimWhitespace(line.substr(eq + 1)));
        }
    }
    return cfg;
}

std::string Format(const Config& cfg) {
    std::string out = "; Tavrina database engine configuration\n";
    for (const Section& s : cfg) {
        out += "\n[" + s.name + "]\n";
        for (const auto& [k, v] : s.entries) out += k + "=" + v + "\n";
    }
    return out;
}

// Holds the configuration's lock file for a read-modify-write.
class ConfigLock {
public:
    ConfigLock() {
        os::ForceDirectories(os::ConfigFolder());
        fd_ = ::open((ConfigFilePath() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    ~ConfigLock() {
        if (fd_ >= 0) ::close(fd_);
    }

private:
    int fd_ = -1;
};

// Every alias lookup reads the configuration; the parsed file is kept until
// the file changes (a save replaces it, so another inode or time or size),
// and another process's new alias is still seen at once.
Config Load() {
    const std::string path = ConfigFilePath();
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return Defaults();
    static std::mutex mutex;
    static struct {
        std::string path;
        ino_t inode = 0;
        timespec mtime{};
        off_t size = -1;
        Config config;
    } cache;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (cache.path == path && cache.inode == st.st_ino && cache.size == st.st_size &&
            cache.mtime.tv_sec == st.st_mtim.tv_sec && cache.mtime.tv_nsec == st.st_mtim.tv_nsec)
            return cache.config;
    }
    Config config;
    try {
        config = Parse(os::ReadFile(path));
    } catch (const os::FileError& e) {
        throw EngineError(0, std::string("Cannot read the engine configuration: ") + e.what());
    }
    // Kept only when the file did not change while it was read.
    struct stat after {};
    if (::stat(path.c_str(), &after) == 0 && after.st_ino == st.st_ino && after.st_size == st.st_size &&
        after.st_mtim.tv_sec == st.st_mtim.tv_sec && after.st_mtim.tv_nsec == st.st_mtim.tv_nsec) {
        std::lock_guard<std::mutex> lock(mutex);
        cache.path = path;
        cache.inode = st.st_ino;
        cache.mtime = st.st_mtim;
        cache.size = st.st_size;
        cache.config = config;
    }
    return config;
}

void Save(const Config& cfg) {
    if (!os::ForceDirectories(os::ConfigFolder()))
        throw EngineError(0, os::ConfigFolder() + " mappa nem hozható létre.");
    try {
        os::WriteFileAtomic(ConfigFilePath(), Format(cfg));
    } catch (const os::FileError& e) {
        throw EngineError(0, std::string("Cannot write the engine configuration: ") + e.what());
    }
}

Section* FindSection(Config& cfg, const std::string& node) {
    const std::string key = NodeKey(node);
    for (Section& s : cfg)
        if (NodeKey(s.name) == key) return &s;
    return nullptr;
}

Section* FindAlias(Config& cfg, const std::string& alias) { return FindSection(cfg, kAliasNode + alias); }

std::string ValueOf(const Section& s, const std::string& entry) {
    for (const auto& [k, v] : s.entries)
        if (os::UpperAscii(k) == os::UpperAscii(entry)) return v;
    return {};
}

}  // namespace

std::string ConfigFilePath() { return os::ConfigFolder() + "/engine.cfg"; }

std::vector<std::string> AliasNames() {
    Config cfg = Load();
    std::vector<std::string> out;
    const std::string prefix = os::UpperAscii(kAliasNode);
    for (const Section& s : cfg) {
        const std::string key = NodeKey(s.name);
        if (key.size() > prefix.size() && key.compare(0, prefix.size(), prefix) == 0)
            out.push_back(s.name.substr(s.name.rfind('\\') + 1));
    }
    return out;
}

bool IsAlias(const std::string& alias) {
    if (os::TrimWhitespace(alias).empty()) return false;
    Config cfg = Load();
    return FindAlias(cfg, alias) != nullptr;
}

void AddStandardAlias(const std::string& alias, const std::string& path, const std::string& driver) {
    if (os::TrimWhitespace(alias).empty() || alias.find_first_of("\\[]=\n") != std::string::npos)
        throw EngineError(0, "Invalid alias name: " + alias);
    ConfigLock lock;
    Config cfg = Load();
    Section s{kAliasNode + alias, {{"PATH", path}, {"TYPE", "STANDARD"}, {"DRIVER", driver}}};
    if (Section* old = FindAlias(cfg, alias))
        *old = s;
    else
        cfg.push_back(s);
    Save(cfg);
}

void DeleteAlias(const std::string& alias) {
    ConfigLock lock;
    Config cfg = Load();
    const std::string key = NodeKey(kAliasNode + alias);
    cfg.erase(
        std::remove_if(cfg.begin(), cfg.end(), [&](const Section& s) { return NodeKey(s.name) == key; }),
        cfg.end());
    Save(cfg);
}

std::vector<std::string> AliasParams(const std::string& alias) {
    Config cfg = Load();
    Section* s = FindAlias(cfg, alias);
    if (!s) throw EngineError(0, "Unknown database: " + alias);
    std::vector<std::string> out{"PATH=" + ValueOf(*s, "PATH")};
    for (const auto& [k, v] : s->entries)
        if (os::UpperAscii(k) != "PATH") out.push_back(k + "=" + v);
    return out;
}

std::string AliasPath(const std::string& alias) { return AliasParams(alias).front().substr(5); }

std::vector<std::pair<std::string, std::string>> ConfigParams(const std::string& node) {
    Config cfg = Load();
    Section* s = FindSection(cfg, node);
    if (!s) return {};
    return s->entries;
}

bool SetConfigValue(const std::string& node, const std::string& entry, const std::string& value) {
    ConfigLock lock;
    Config cfg = Load();
    Section* s = FindSection(cfg, node);
    if (!s) return false;
    for (auto& [k, v] : s->entries) {
        if (k == entry) {
            v = value;
            Save(cfg);
            return true;
        }
    }
    return false;
}

EngineVersion Version() {
    const int n = sqlite3_libversion_number();  // 3040001
    return {n / 1000000 * 100 + n / 1000 % 1000, sqlite3_libversion()};
}

namespace {
int lockWaitMs = 3000;
}
void SetLockWait(int ms) { lockWaitMs = ms; }
int LockWait() { return lockWaitMs; }

std::string PrivateDir() { return os::ConfigFolder() + "/private"; }

std::string NetDir() {
    Config cfg = Load();
    if (Section* s = FindSection(cfg, "\\SYSTEM\\INIT")) {
        std::string v = ValueOf(*s, "SHARE FOLDER");
        if (!v.empty()) return v;
    }
    return os::ConfigFolder();
}

std::string ResolveFolder(const std::string& databaseName) {
    const std::string name = os::TrimWhitespace(databaseName);
    if (name.empty()) throw EngineError(0, "No database (alias) given.");
    Config cfg = Load();
    if (Section* s = FindAlias(cfg, name)) return ValueOf(*s, "PATH");
    if (name.find('/') != std::string::npos) return name;
    throw EngineError(0, "Unknown database: " + name);
}

}  // namespace db::Engine
