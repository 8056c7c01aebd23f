// Temporary folders and files: the system's temporary folder, a folder that
// is removed with everything in it when the object goes (also when an
// exception leaves the scope), and new files with a unique name.
#pragma once

#include <string>
#include <string_view>

namespace os {

// $TMPDIR, or /tmp.
std::string TempFolder();

// Creates a new empty file named `prefix` + six random characters (a prefix
// "dir/QJZ" gives "dir/QJZx8Tq2a"), with the user's default permissions, not
// 0600: the file may take a table's or an archive's place. Returns its path;
// throws FileError naming the folder.
std::string CreateTempFile(const std::string& prefix);
// The same, open for writing: returns the descriptor and sets `path`, or -1
// with errno set.
int OpenTempFile(const std::string& prefix, std::string& path);

// A file name that is removed when the object goes, unless kept.
class TempFile {
public:
    explicit TempFile(std::string path) : path_(std::move(path)) {}
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& Path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    std::string path_;
};

class TempDir {
public:
    // Creates a fresh folder under `parent` (default $TMPDIR, or /tmp) named
    // prefix + random.
    explicit TempDir(const std::string& prefix = "tavrina", const std::string& parent = {});
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path of a file inside the folder.
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Writes a scratch file in the folder, without syncing it to disk: it
    // goes with the folder. Throws FileError.
    void Write(const std::string& name, std::string_view bytes) const;

private:
    std::string path_;
};

}  // namespace os
