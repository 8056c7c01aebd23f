#include "support/TestSupport.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/NoSyncVfs.h"

namespace testsupport {

TempHome::TempHome(Syncs syncs) : dir_("tavrina-home") {
    // What the test writes is thrown away with the folder.
    if (syncs == Syncs::Skip) SkipDatabaseSyncs();
    if (const char* h = std::getenv("HOME")) hadHome_ = true, oldHome_ = h;
    if (const char* x = std::getenv("XDG_CONFIG_HOME")) hadXdg_ = true, oldXdg_ = x;
    if (const char* t = std::getenv("TMPDIR")) hadTmp_ = true, oldTmp_ = t;
    setenv("HOME", dir_.Path().c_str(), 1);
    const std::string tmp = dir_.Path() + "/tmp";
    mkdir(tmp.c_str(), 0700);
    setenv("TMPDIR", tmp.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir_.Path() + "/.config").c_str(), 1);
}

TempHome::~TempHome() {
    if (hadHome_)
        setenv("HOME", oldHome_.c_str(), 1);
    else
        unsetenv("HOME");
    if (hadXdg_)
        setenv("XDG_CONFIG_HOME", oldXdg_.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    if (hadTmp_)
        setenv("TMPDIR", oldTmp_.c_str(), 1);
    else
        unsetenv("TMPDIR");
}

std::vector<int> Bytes(const std::string& s) {
    std::vector<int> v;
    for (unsigned char c : s) v.push_back(c);
    return v;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    const std::filesystem::path p(path);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) ADD_FAILURE() << "cannot write " << path;
}

std::string SourceDir() {
    const char* s = std::getenv("TAVRINA_SOURCE_DIR");
    return s ? s : ".";
}

int RunCommand(const std::string& command, std::string* output) {
    FILE* p = popen((command + " 2>&1").c_str(), "r");
    if (!p) return -1;
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    const int status = pclose(p);
    if (output) *output = out;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testsupport
