// Volumes under a path: whether the medium is removable, its free space, its
// cluster size and its label. Backups spanned over removable disks use a
// folder on a removable medium as their drive. Tests
// (and anyone without a floppy) mount a simulated removable volume on a
// folder: a fixed capacity, a label per disk and disks that can be swapped.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace os {

// True when the folder (or the folder of the file) lies on a removable or
// optical medium, or on a mounted simulated removable volume.
bool IsRemovableVolume(const std::string& path);

// Free bytes of the volume holding the path; -1 when it cannot be measured.
std::int64_t VolumeFreeBytes(const std::string& path);

// Allocation unit of the volume; -1 when it cannot be measured.
std::int64_t VolumeClusterSize(const std::string& path);

// Label of the volume, empty when it has none or it cannot be read.
std::string GetVolumeLabel(const std::string& path);

// Sets (an empty label removes) the label; false when the volume does not
// allow it (a real volume needs privileges this program does not have).
bool SetVolumeLabel(const std::string& path, const std::string& label);

// Whether SetVolumeLabel can label the volume holding the path, so that the
// disks of a set written there carry their numbers.
bool VolumeLabelWritable(const std::string& path);

// A removable volume simulated on a folder, mounted while the object lives.
// Each disk keeps its files and its label; InsertDisk takes the files of the
// disk in the drive out of the folder and puts those of the asked disk in.
class SimulatedVolume {
public:
    // `mountFolder` is created when missing; every disk holds
    // `capacityBytes` (file sizes rounded up to `clusterSize`).
    SimulatedVolume(std::string mountFolder, std::int64_t capacityBytes, std::int64_t clusterSize = 512);
    ~SimulatedVolume();
    SimulatedVolume(const SimulatedVolume&) = delete;
    SimulatedVolume& operator=(const SimulatedVolume&) = delete;

    const std::string& Folder() const { return folder_; }
    int CurrentDisk() const { return current_; }  // 1-based; disk 1 at start
    void InsertDisk(int disk);
    int DiskCount() const;  // disks that were ever inserted

    // For tests: the file of a disk wherever it is now, and its label.
    std::string DiskFilePath(int disk, const std::string& name) const;
    std::string DiskLabel(int disk) const;

    // Used by the functions above.
    std::int64_t FreeBytes() const;
    std::int64_t ClusterSize() const { return cluster_; }
    std::string Label() const;
    void SetLabel(const std::string& label);

private:
    std::string StoreFolder(int disk) const;

    std::string folder_, store_;
    std::int64_t capacity_, cluster_;
    int current_ = 1;
    std::map<int, std::string> labels_;
};

}  // namespace os
