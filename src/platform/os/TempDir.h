// A temporary folder of the system that is removed with everything in it when
// the object goes, also when an exception leaves the scope.
#pragma once

#include <string>

namespace os {

class TempDir {
public:
    // Creates a fresh folder under $TMPDIR (or /tmp) named prefix + random.
    explicit TempDir(const std::string& prefix = "tavrina");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path of a file inside the folder.
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace os
