#include "platform/os/Volume.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace os {

namespace {

std::mutex& RegistryMutex() {
    static std::mutex m;
    return m;
}

std::vector<SimulatedVolume*>& Registry() {
    static std::vector<SimulatedVolume*> volumes;
    return volumes;
}

std::string Normal(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::weakly_canonical(fs::absolute(path, ec), ec);
    return p.lexically_normal().string();
}

// The simulated volume a path lies on, or none.
SimulatedVolume* SimulatedFor(const std::string& path) {
    const std::string p = Normal(path);
    std::lock_guard lock(RegistryMutex());
    for (SimulatedVolume* v : Registry()) {
        const std::string& f = v->Folder();
        if (p == f || (p.size() > f.size() && p.compare(0, f.size(), f) == 0 && p[f.size()] == '/')) return v;
    }
    return nullptr;
}

// The existing folder or file nearest to the path (a file about to be created
// lies on the volume of its folder).
std::string Existing(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::absolute(path, ec);
    while (!p.empty() && !fs::exists(p, ec) && p != p.parent_path()) p = p.parent_path();
    return p.empty() ? std::string("/") : p.string();
}

std::string ReadLine(const std::string& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// "\x20" escapes of /dev/disk/by-label names.
std::string Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x' &&
            std::isxdigit(static_cast<unsigned char>(s[i + 2])) &&
            std::isxdigit(static_cast<unsigned char>(s[i + 3]))) {
            out += static_cast<char>(std::stoi(s.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

}  // namespace

bool IsRemovableVolume(const std::string& path) {
    if (SimulatedFor(path)) return true;
    struct stat st {};
    if (stat(Existing(path).c_str(), &st) != 0) return false;
    const std::string dev =
        "/sys/dev/block/" + std::to_string(major(st.st_dev)) + ":" + std::to_string(minor(st.st_dev));
    // A partition has no flag of its own; its disk (the parent) has.
    for (const std::string& f : {dev + "/removable", dev + "/../removable"}) {
        const std::string v = ReadLine(f);
        if (!v.empty()) return v == "1";
    }
    return false;
}

std::int64_t VolumeFreeBytes(const std::string& path) {
    if (SimulatedVolume* v = SimulatedFor(path)) return v->FreeBytes();
    struct statvfs s {};
    if (statvfs(Existing(path).c_str(), &s) != 0) return -1;
    return static_cast<std::int64_t>(s.f_bavail) * static_cast<std::int64_t>(s.f_frsize);
}

std::int64_t VolumeClusterSize(const std::string& path) {
    if (SimulatedVolume* v = SimulatedFor(path)) return v->ClusterSize();
    struct statvfs s {};
    if (statvfs(Existing(path).c_str(), &s) != 0) return -1;
    return static_cast<std::int64_t>(s.f_bsize);
}

std::string GetVolumeLabel(const std::string& path) {
    if (SimulatedVolume* v = SimulatedFor(path)) return v->Label();
    struct stat st {};
    if (stat(Existing(path).c_str(), &st) != 0) return {};
    std::error_code ec;
    for (const auto& e : fs::directory_iterator("/dev/disk/by-label", ec)) {
        struct stat dev {};
        if (stat(e.path().c_str(), &dev) == 0 && S_ISBLK(dev.st_mode) && dev.st_rdev == st.st_dev)
            return Unescape(e.path().filename().string());
    }
    return {};
}

bool SetVolumeLabel(const std::string& path, const std::string& label) {
    if (SimulatedVolume* v = SimulatedFor(path)) {
        v->SetLabel(label);
        return true;
    }
    return false;
}

bool VolumeLabelWritable(const std::string& path) { return SimulatedFor(path) != nullptr; }

SimulatedVolume::SimulatedVolume(std::string mountFolder, std::int64_t capacityBytes,
                                 std::int64_t clusterSize)
    : capacity_(capacityBytes), cluster_(clusterSize > 0 ? clusterSize : 1) {
    std::error_code ec;
    fs::create_directories(mountFolder, ec);
    folder_ = Normal(mountFolder);
    store_ = folder_ + ".disks";
    std::lock_guard lock(RegistryMutex());
    Registry().push_back(this);
}

SimulatedVolume::~SimulatedVolume() {
    std::lock_guard lock(RegistryMutex());
    std::erase(Registry(), this);
}

std::string SimulatedVolume::StoreFolder(int disk) const { return store_ + "/" + std::to_string(disk); }

void SimulatedVolume::InsertDisk(int disk) {
    if (disk == current_) return;
    std::error_code ec;
    const std::string out = StoreFolder(current_);
    fs::create_directories(out, ec);
    for (const auto& e : fs::directory_iterator(folder_, ec))
        fs::rename(e.path(), out / e.path().filename(), ec);
    const std::string in = StoreFolder(disk);
    if (fs::is_directory(in, ec)) {
        for (const auto& e : fs::directory_iterator(in, ec))
            fs::rename(e.path(), fs::path(folder_) / e.path().filename(), ec);
    }
    current_ = disk;
}

int SimulatedVolume::DiskCount() const {
    int n = current_;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(store_, ec)) {
        try {
            n = std::max(n, std::stoi(e.path().filename().string()));
        } catch (...) {
        }
    }
    return n;
}

std::string SimulatedVolume::DiskFilePath(int disk, const std::string& name) const {
    return (disk == current_ ? folder_ : StoreFolder(disk)) + "/" + name;
}

std::string SimulatedVolume::DiskLabel(int disk) const {
    auto it = labels_.find(disk);
    return it == labels_.end() ? std::string() : it->second;
}

std::int64_t SimulatedVolume::FreeBytes() const {
    std::int64_t used = 0;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder_, ec); it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (ec) break;
        if (it->is_regular_file(ec)) {
            const auto size = static_cast<std::int64_t>(it->file_size(ec));
            used += (size + cluster_ - 1) / cluster_ * cluster_;
        }
    }
    return std::max<std::int64_t>(0, capacity_ - used);
}

std::string SimulatedVolume::Label() const { return DiskLabel(current_); }

void SimulatedVolume::SetLabel(const std::string& label) {
    if (label.empty())
        labels_.erase(current_);
    else
        labels_[current_] = label;
}

}  // namespace os
